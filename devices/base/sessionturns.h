#ifndef SESSIONTURNS_H
#define SESSIONTURNS_H

#include <QElapsedTimer>
#include <QtGlobal>

// The page's poll turns in a session, and the watchdog's judgement on them: a
// device counts as silent only once the page asked it and did not hear it,
// not because the machine held the program back for a while. A program held
// back asks late and takes in late what the line brought meanwhile; time
// alone would blame the device.
class SessionTurns
{
public:
    // How the page asks now: whether polling runs, its period, and the
    // watchdog's period.
    struct Pace
    {
        bool polling = false;
        int pollMs = 0;
        int watchdogMs = 0;
    };

    quint64 now() const { return pollTurns; }
    void countTurn() { ++pollTurns; }
    // Since the turn `since` the page asked often enough for a silence to be
    // the device's; with polling stopped, time alone tells.
    bool askedSince(quint64 since, const Pace &pace) const;
    // The device was heard, or the watchdog starts again: its silence counts
    // from this turn.
    void heard()
    {
        answerTurn = pollTurns;
        watchdogDue = false;
    }
    // The watchdog stopped: nothing of it is left to judge.
    void forgetDue() { watchdogDue = false; }
    // The watchdog ran out: true when the silence is the device's now; else
    // it is judged at a later turn (dueRanOut()).
    bool watchdogRanOut(const Pace &pace);
    // At a turn: true when a watchdog that ran out before the page could ask
    // enough now finds the silence the device's.
    bool dueRanOut(const Pace &pace);
    // Every tick of the check and poll timers: one that comes later than
    // `holdMs` (a reading's whole age) tells that the machine held the
    // program back. What the line brought meanwhile is taken now and at the
    // next turn; only the answers of the turn after it are surely of now.
    void tick(int holdMs);
    // The ticks stop: the pause until they run again is no hold.
    void stopTicks() { lastTick.invalidate(); }
    // The first turn whose readings came surely after the last hold.
    quint64 settled() const { return settledTurn; }

private:
    quint64 pollTurns = 0;
    // The turn of the last answer.
    quint64 answerTurn = 0;
    // The watchdog ran out before the page could ask enough: judged at a turn.
    bool watchdogDue = false;
    QElapsedTimer lastTick;
    quint64 settledTurn = 0;
};

#endif // SESSIONTURNS_H
