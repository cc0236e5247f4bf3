#ifndef BASEDEVICE_H
#define BASEDEVICE_H

#include "ui/statuslines.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QWidget>

#include <vector>

class Ui_Deruvivuriri;
class QSerialPort;
class QTimer;

// The base of every device page. It owns the bus session a page needs: the
// poll, check, search and watchdog timers, the search and its answer, the
// answer intake (a received chunk cut into answers, each handed to the page),
// the page's two status lines, one event-loop wait, one guard against a
// second write while one runs and the password step. A page keeps only its
// own answers, widgets and procedures, and talks to the main window through
// the signals below.
//
// No timer runs until the page's port opens: connectDevice() starts the
// session, disconnectDevice() ends it, so a program with nothing connected
// sleeps. Every session has a number of its own. A procedure that waits
// (waitInSession(), SessionHold) belongs to the session it began in: once the
// user has left the page, or left and come back, the wait says so and the
// procedure sends, restarts and shows nothing more.
class BaseDevice : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int deviceIndex READ getDeviceIndex WRITE setDeviceIndex)
public:
    // The periods of a session, named once. Tests may shorten them.
    struct Intervals
    {
        int poll = 1000;     // a data request to the device
        int check = 100;     // a look at what the line received
        int search = 1000;   // a bus search while nothing is found
        int watchdog = 5000; // without an answer for this long the device counts as gone
    };

    BaseDevice(Ui_Deruvivuriri *form, QSerialPort *port);
    ~BaseDevice() override;

    int getDeviceIndex() const { return deviceIndex; }
    void setDeviceIndex(int value) { deviceIndex = value; }

    const Intervals &intervals() const { return periods; }
    // Takes effect at the next start of each timer.
    void setIntervals(const Intervals &value) { periods = value; }

    // Gets everything the receive buffer held. While a search runs the chunk
    // is the search answer; otherwise it is cut into answers (splitChunk())
    // and each goes to takeFrame(). Returns 0 when an answer stopped the
    // intake (stopIntake()), else 1.
    virtual int run(int len, char *buf);

    bool isDeviceConnected() const { return deviceConnected; }
    bool isSearchActive() const { return searchActive; }
    bool isSessionRunning() const { return sessionRunning; }
    // The running session's number; 0 outside a session.
    quint64 currentSession() const { return sessionRunning ? sessionNumber : 0; }
    // True while `session` (a currentSession() taken earlier) still runs.
    bool isSessionStill(quint64 session) const { return session != 0 && session == currentSession(); }
    bool isWriteInProgress() const { return writeRunning; }

    QLabel *getLabelStatusMessage() const { return status.lower(); }
    QLabel *getLabelStatusMessageUp() const { return status.upper(); }

    // The project's message box with an OK button, sized to its text, over
    // `parent` (the page itself when none is given); waits until closed.
    void showMessage(const QString &upperText, const QString &lowerText, QWidget *parent = nullptr);
    // "Ошибка / Введён неверный пароль / Попробуйте другой пароль".
    void showWrongPassword(QWidget *parent = nullptr);

    // Waits `ms` in a local event loop, so that answers keep coming in. A
    // wait of two seconds or more runs on a coarse timer, which may end it up
    // to a twentieth early, unless it is to be kept `precisely`.
    static void delay(int ms, bool precisely = false);
    // delay() inside a procedure of this page: true when the session that
    // ran before the wait still runs after it, false when the page was left
    // meanwhile (or there was no session to begin with); the procedure then
    // returns at once.
    bool waitInSession(int ms, bool precisely = false);
    // The same for a procedure that took its session (currentSession()) when
    // it began: false also when the page was left before this wait, during
    // a box or a dialog, and then nothing is waited.
    bool waitInSession(quint64 session, int ms, bool precisely = false);
    // waitInSession(), then what the line brought meanwhile is taken (its
    // answers may show a box); false when the page was left during either.
    bool waitAndTake(quint64 session, int ms);

    // --- what the main window asks of the active page ---
    // The user changed settings the device has not been sent yet.
    virtual bool settingsEdited() const { return false; }
    // Drops those changes: the widgets show what the device last reported.
    virtual void discardEdits() {}
    // Puts the factory settings into the widgets, for the user to write.
    virtual void loadFactorySettings() {}
    // The user leaves the device: its session ends and what the page alone
    // keeps running stops too.
    virtual void switchOff() { disconnectDevice(); }

    // Marks a write as running for as long as it lives; the page refuses a
    // second one meanwhile (isWriteInProgress()). A guard made while another
    // is alive owns nothing: it leaves the mark to the first, so the mark
    // stays until the write that set it ends.
    class WriteGuard
    {
    public:
        explicit WriteGuard(BaseDevice *page) : owner(page), owns(!page->writeRunning) { owner->writeRunning = true; }
        ~WriteGuard()
        {
            if (owns)
                owner->writeRunning = false;
        }
        WriteGuard(const WriteGuard &) = delete;
        WriteGuard &operator=(const WriteGuard &) = delete;
        // False when another write already held the mark.
        explicit operator bool() const { return owns; }

    private:
        BaseDevice *owner;
        bool owns;
    };

    // Holds a session's polling and watchdog still while a procedure talks
    // to the device, and lets them go on when it ends: only if the session
    // it held still runs, so a page left meanwhile stays quiet. Holds nest;
    // the last one to end resumes.
    class SessionHold
    {
    public:
        explicit SessionHold(BaseDevice *page);
        ~SessionHold() { release(); }
        SessionHold(const SessionHold &) = delete;
        SessionHold &operator=(const SessionHold &) = delete;
        // The session held still runs.
        bool isAlive() const { return owner->isSessionStill(session); }
        // A wait of the procedure holding the session (waitInSession()).
        bool wait(int ms) { return owner->waitInSession(session, ms); }
        // The poll and check periods to resume at, when not the session's
        // poll period and the check period the page last set.
        void resumeAt(int checkMs, int pollMs)
        {
            resumeCheckMs = checkMs;
            resumePollMs = pollMs;
        }
        // Resumes now instead of at the end of the hold.
        void release();

    private:
        BaseDevice *owner;
        quint64 session;
        int resumeCheckMs = 0;
        int resumePollMs = 0;
        bool held = true;
    };

public slots:
    // Opens the session on the page's port: polling, checking, the search and
    // the watchdog. Pages that override call these in their own order.
    virtual void connectDevice();
    virtual void disconnectDevice();

    // Searches the bus once a search period until an answer ends it; with
    // `askNow` false the first request goes a period later, as the search
    // timer's first tick. Outside a session nothing is searched.
    void startSearchDevices(bool askNow = true);
    void stopSearchDevices();
    // The watchdog: restarted by every answer that proves the device is there.
    // The starts do nothing outside a session; stopping always works.
    void restoreTimerDeviceConnected();
    void resetAndStopTimerDeviceConnected();
    void resetTimerDeviceConnected();
    void timerIntervalGetDataStart(uint checkMs, uint pollMs);
    void timerIntervalGetDataStop();
    void checkIncommingData();

    // The lower line; on a page whose messageRevealsLowerLine(), the line
    // shows itself too.
    bool showStatusMessage(QString message);
    bool showStatusMessageUp(QString message);
    bool setVisibleStatusLabels(bool visible);

signals:
    void signalCheckIncommingData();
    void signalRequestForSearchDevices();
    void signalRequestForGetAllDataFromDevice();
    void signalRequestForGetSerNumAndFirmWareVersion();
    void callParceDataFromComPort();
    void copyNetNumToParent(QByteArray data);
    void copyQueueSurveyDevice(int data);
    void writeData(QByteArray data);
    void copyLevelValueToMain(int level, int device);
    void signalWriteLog(QString message);

protected:
    // --- what a page supplies ---
    // The lengths its answers to `command` come in (see frame::splitAnswers);
    // empty: such an answer is never cut off a chunk.
    virtual std::vector<int> answerLengths(quint8 command) const;
    // A received chunk cut into answers; by default at the lengths of
    // answerLengths() behind the answer start byte (see frame::splitAnswers).
    virtual QList<QByteArray> splitChunk(const QByteArray &chunk) const;
    // One answer cut off a received chunk.
    virtual void takeFrame(const QByteArray &frame);
    // The chunk received while a search runs.
    virtual void takeSearchAnswer(const QByteArray &chunk);
    // False for a device with a fixed address: its session opens without a
    // bus search and its requests go out from the first tick.
    virtual bool searchesTheBus() const { return true; }
    // How the session opens on a bus search: false when its first request
    // goes a search period after the selection, not at once.
    virtual bool searchesAtOnce() const { return true; }
    // True when the watchdog waits for the device's first answer instead of
    // starting with the session: a search that finds nobody is then not a
    // device gone silent (keepAlive() starts it).
    virtual bool watchdogFromFirstAnswer() const { return false; }
    // A search begins: what the last one found may be forgotten.
    virtual void searchStarting() {}
    // True when a status message must be seen even while the page's widgets,
    // the status lines among them, are hidden.
    virtual bool messageRevealsLowerLine() const { return false; }
    // The page forgets the answer it took last, between the drain and the
    // send of sendForAnswer(): only what answers the frame is judged.
    virtual void forgetLastAnswer() {}
    // One tick of the poll timer; by default the data request.
    virtual void pollTick();
    // The watchdog ran out.
    virtual void watchdogRanOut();

    // --- what the base gives a page ---
    // The answers of a chunk (splitChunk()) handed to takeFrame() in turn;
    // false when one of them stopped the intake.
    bool takeAnswers(const QByteArray &chunk);
    // An answer ended the connection: nothing after it in the same chunk is
    // taken.
    void stopIntake() { intakeStopped = true; }
    bool isIntakeStopped() const { return intakeStopped; }
    void setConnected(bool value) { deviceConnected = value; }
    void setSearchActive(bool value) { searchActive = value; }
    // Creates the status lines on `page`, the lower one saying `lowerText`.
    void createStatusLines(QWidget *page, const QString &lowerText);
    // The check timer alone, for pages whose answers take longer to come in;
    // outside a session it stays stopped.
    void setCheckInterval(int ms);
    void pausePolling();
    void resumePolling();
    QTimer *pollTimer() const { return poll; }
    QTimer *checkTimer() const { return check; }
    QTimer *watchdogTimer() const { return watchdog; }

    // An answer proves the device is there: the watchdog starts again. Outside
    // a session there is none to restart.
    void keepAlive();
    // The watchdog again, unmuted, after a wait that was no silence of the
    // device; not for a page left meanwhile.
    void resumeWatchdog();

    // The password step every protected device shares: with the watchdog and
    // polling stopped, sendForAnswer(). Polling and the watchdog stay
    // stopped; the page resumes them (or holds the session, SessionHold).
    // False when the page was left during the wait.
    bool exchange(const QByteArray &frame, int waitMs);
    // What already arrived is taken, the page forgets its last answer
    // (forgetLastAnswer()), `frame` goes out, the page gets `waitMs` for the
    // answer, and what came meanwhile is taken. Nothing is stopped. False,
    // with nothing taken, when the page was left during the wait.
    bool sendForAnswer(const QByteArray &frame, int waitMs);

    Ui_Deruvivuriri *ui = nullptr;
    QSerialPort *serialPort = nullptr; // shared with the main window, not owned
    StatusLines status;
    int deviceIndex = 0;

private:
    Intervals periods;
    QTimer *poll = nullptr;
    QTimer *check = nullptr;
    QTimer *search = nullptr;
    QTimer *watchdog = nullptr;
    bool deviceConnected = false;
    bool searchActive = false;
    bool sessionRunning = false;
    quint64 sessionNumber = 0;
    int holds = 0; // SessionHolds alive in the running session
    bool writeRunning = false;
    bool intakeStopped = false;
};

#endif // BASEDEVICE_H
