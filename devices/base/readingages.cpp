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

bool ReadingAges::isCurrent(int place, int ageMs, bool polling, quint64 settledTurn) const
{
    if (place < 0 || size_t(place) >= readingTaken.size())
        return false;
    // A reading is replaced at the place's next turn: once that turn and its
    // answer's way are over without one, it is the tank as it was, whatever
    // held the turns back. An answer taken in the turns right after a hold
    // may have waited on the line through it: the level from before.
    const QElapsedTimer &taken = readingTaken[size_t(place)];
    const bool afterHold = !polling || readingTurn[size_t(place)] >= settledTurn;
    return taken.isValid() && !taken.hasExpired(ageMs) && afterHold;
}

bool ReadingAges::awaits(int place, int roundMs, int turnMs, quint64 turnsNow) const
{
    if (place < 0 || size_t(place) >= readingTaken.size() || !readingTaken[size_t(place)].isValid())
        return false;
    // When a busy machine held the program back, the turns come late: the
    // sensor is not silent until the page asked it at its next turn, and one
    // more for the answer's way.
    turnMs = std::max(1, turnMs);
    const quint64 roundTurns = quint64((roundMs + turnMs - 1) / turnMs);
    return turnsNow - readingTurn[size_t(place)] <= roundTurns + 1;
}
