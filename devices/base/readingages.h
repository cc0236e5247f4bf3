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
    // Whether the reading of `place` is of now: no longer ago than `ageMs`
    // (its round, and its answer's way), and, while `polling`, taken at
    // `settledTurn` or later (the first turn surely after a hold of the
    // program). Poll turns never make an older reading new.
    bool isCurrent(int place, int ageMs, bool polling, quint64 settledTurn) const;
    // A reading of `place` that is not of now is still awaited: its sensor
    // was not yet asked often enough since, polling at `turnMs` over a round
    // of `roundMs` (`turnsNow`: the turn of now), to be taken for silent.
    bool awaits(int place, int roundMs, int turnMs, quint64 turnsNow) const;

private:
    // When the reading of each place was taken; an invalid timer: none.
    std::vector<QElapsedTimer> readingTaken;
    // The poll turn of each place's reading.
    std::vector<quint64> readingTurn;
};

#endif // READINGAGES_H
