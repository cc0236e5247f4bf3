#ifndef READINGAGES_H
#define READINGAGES_H

#include <QElapsedTimer>

#include <vector>

// When the page took the reading of each sensor it shows (each place), in
// time and in poll turns: a reading is of now only while the sensor's next
// answer could not have come yet.
class ReadingAges
{
public:
    // The reading of `place` was taken now, at the poll turn `turn`.
    void stamp(int place, quint64 turn);
    // The reading of `place` is none of now; forgetAll(): no place's is.
    void forget(int place);
    void forgetAll();
    // Whether the reading of `place` is of now: no longer ago than `roundMs`
    // (the place is read again) and `wayMs` (its answer comes in); or, while
    // `polling` at `turnMs`, no more turns ago than a round holds
    // (`turnsNow`: the turn of now).
    bool isCurrent(int place, int roundMs, int wayMs, int turnMs, bool polling, quint64 turnsNow) const;

private:
    // When the reading of each place was taken; an invalid timer: none.
    std::vector<QElapsedTimer> readingTaken;
    // The poll turn of each place's reading.
    std::vector<quint64> readingTurn;
};

#endif // READINGAGES_H
