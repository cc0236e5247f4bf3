#include "devices/base/readingages.h"

#include <algorithm>

void ReadingAges::stamp(int place, quint64 turn)
{
    if (place < 0)
        return;
    if (size_t(place) >= readingTaken.size()) {
        readingTaken.resize(size_t(place) + 1);
        readingTurn.resize(size_t(place) + 1);
    }
    readingTaken[size_t(place)].start();
    readingTurn[size_t(place)] = turn;
}

void ReadingAges::forget(int place)
{
    if (place >= 0 && size_t(place) < readingTaken.size())
        readingTaken[size_t(place)].invalidate();
}

void ReadingAges::forgetAll()
{
    readingTaken.clear();
}

bool ReadingAges::isCurrent(int place, int roundMs, int wayMs, int turnMs, bool polling, quint64 turnsNow) const
{
    if (place < 0 || size_t(place) >= readingTaken.size())
        return false;
    const QElapsedTimer &taken = readingTaken[size_t(place)];
    // A reading is replaced at the place's next turn: once that turn and its
    // answer's way are over without one, the sensor no longer answers. When
    // a busy machine held the program back, the turns come late: the reading
    // is the sensor's last word until the place's next turn and one more for
    // the answer's way have come.
    if (!taken.isValid())
        return false;
    if (!taken.hasExpired(roundMs + wayMs))
        return true;
    turnMs = std::max(1, turnMs);
    const quint64 roundTurns = quint64((roundMs + turnMs - 1) / turnMs);
    return polling && turnsNow - readingTurn[size_t(place)] <= roundTurns;
}
