#include "devices/base/sessionturns.h"

#include <algorithm>

namespace {

// A device is silent once asked this many turns since it was last heard
// without an answer: the first ask then had whole turns for its answer.
constexpr quint64 kTurnsBeforeSilence = 3;
// A tick this much later than its period is a hold of the program even on
// short periods; shorter stalls are a loaded machine's usual jitter.
constexpr int kShortestHoldMs = 1000;

} // namespace

bool SessionTurns::askedSince(quint64 since, const Pace &pace) const
{
    if (!pace.polling)
        return true;
    // No more turns than a watchdog period holds: a period shorter than
    // three polls keeps its length.
    const quint64 turnsInPeriod = quint64(pace.watchdogMs / std::max(1, pace.pollMs));
    return pollTurns - since >= std::min(kTurnsBeforeSilence, turnsInPeriod);
}

bool SessionTurns::watchdogRanOut(const Pace &pace)
{
    watchdogDue = !askedSince(answerTurn, pace);
    return !watchdogDue;
}

bool SessionTurns::dueRanOut(const Pace &pace)
{
    if (!watchdogDue || !askedSince(answerTurn, pace))
        return false;
    watchdogDue = false;
    return true;
}

void SessionTurns::tick(int holdMs)
{
    if (lastTick.isValid() && lastTick.hasExpired(std::max(kShortestHoldMs, holdMs)))
        settledTurn = pollTurns + 2;
    lastTick.start();
}
