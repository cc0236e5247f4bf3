#ifndef PROCEDURE_H
#define PROCEDURE_H

#include "devices/base/basedevice.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QDialog;
class QWidget;

// A procedure of a device page (BaseDevice): what a button, a dialog's button or a key
// starts, or a step of the intake, that talks to the device and waits for
// its answers. It takes the page's session when it begins, and every wait
// of it goes through it. The session's end (the user leaves the page or
// switches it off, the port hangs up, the main window closes) wakes every
// wait of the session at once, and each returns false: the procedure then
// returns, sending, restarting, logging and showing nothing more.
class BaseDevice::Procedure
{
public:
    enum class Kind {
        // Started by the user. One runs at a time on a page: a second
        // start while one runs is refused and told
        // (tellProcedureRunning()), and begins nothing.
        Started,
        // Started by the user like the above, but it only reads: it may
        // ask a listed number that has not answered yet (the user picks
        // another sensor of the list, say).
        Reads,
        // A step of the intake, or of a procedure already running (the
        // serials asked after a search, say): it waits in the session and
        // refuses nothing.
        Step,
    };

    explicit Procedure(BaseDevice *page, Kind kind = Kind::Started);
    ~Procedure();
    Procedure(const Procedure &) = delete;
    Procedure &operator=(const Procedure &) = delete;

    // The procedure began: its page's session ran and, for a started one,
    // no other procedure of the page ran, and on a page that searches the
    // bus, the number it works with answered a frame (else the page told
    // that no sensor is heard). One that did not begin waits for nothing
    // and is never alive.
    explicit operator bool() const { return began; }
    // Its session still runs, and it was not ended (end()).
    bool alive() const;
    // The last look before a frame that changes the device goes: alive,
    // and the page still works with the number it began with, which
    // answered a frame since it was listed. Otherwise the page tells that
    // no sensor is heard and the procedure ends (end()): it sends nothing
    // more. What came between (a box to read, a search answer) may have
    // left the page with another number, or one that never answered.
    bool sensorStillHeard();
    // Waits `ms` in a local event loop, so that answers keep coming in;
    // true when the session still runs after it. Nothing is waited once
    // the session ended, and the session's end cuts a wait short. A wait
    // of two seconds or more runs on a coarse timer, which may end it up
    // to a twentieth early, unless it is to be kept `precisely`.
    bool wait(int ms, bool precisely = false);
    // wait(), then what the line brought meanwhile is taken (its answers
    // may show a box); false when the session ended during either.
    bool waitAndTake(int ms, bool precisely = false);

    // The boxes and dialogs of the procedure, shown as boxes of its
    // page's session (execBox()): the session's end closes them, and the
    // procedure goes no further. None is shown once the session ended; a
    // procedure that did not begin for want of a session shows them as
    // plain boxes.
    // Runs `dialog`: what exec() returned; Rejected when the session ended.
    int exec(QDialog &dialog);
    // A question with OK and cancel: true when OK was pressed and the
    // session still runs.
    bool ask(QWidget *parent, const QString &upperText, const QString &lowerText);
    // A message with OK: true when the procedure may go on after it (its
    // session still runs, or it never had one).
    bool tell(QWidget *parent, const QString &upperText, const QString &lowerText);

    // Holds polling and the watchdog still while the procedure talks to
    // the device. They go on when the procedure ends (or at
    // releaseLine()), only if its session still runs and no other hold of
    // it is left: a step holding the line inside a procedure that holds
    // it leaves the procedure's hold as it is.
    void holdLine();
    // The poll and check periods to go on at, when not the session's poll
    // period and the check period the page last set.
    void resumeAt(int checkMs, int pollMs)
    {
        resumeCheckMs = checkMs;
        resumePollMs = pollMs;
    }
    // Lets the line go now instead of at the procedure's end.
    void releaseLine();
    bool holdsLine() const { return held; }
    // Mutes the watchdog alone while polling goes on: a silence the
    // procedure causes (the user reading a box, a device busy with a
    // command) is no lost device. It is heard again when the procedure
    // ends (or at unmuteWatchdog()), only if its session still runs and
    // no other procedure of it holds the line or mutes the watchdog.
    void muteWatchdog();
    void unmuteWatchdog();

    // What the procedure found to show (a refusal its answer brought,
    // say) is shown once the procedure has ended, at end() or at the end
    // of its scope, in the order kept: the user's next press after the
    // box starts at once. Nothing is shown once its session has ended.
    void tellAfter(std::function<void()> tell);
    // Ends the procedure before its scope does: the line and the watchdog
    // go on as at its end, the page is free for the next start, no wait
    // of it waits any more, and what it kept to tell is shown. True while
    // its session still runs: the procedure may then show its own outcome.
    bool end();

    BaseDevice *page() const { return owner; }

private:
    // The project's message box, as a box of the procedure.
    int message(QWidget *parent, const QString &upperText, const QString &lowerText, bool withCancel);

    BaseDevice *owner;
    quint64 sessionId;
    // The number the page worked with when the procedure began.
    std::optional<quint8> target;
    bool began = false;
    bool ownsRun = false;
    bool held = false;
    bool muted = false;
    bool ended = false;
    std::vector<std::function<void()>> told;
    int resumeCheckMs = 0;
    int resumePollMs = 0;
};

#endif // PROCEDURE_H
