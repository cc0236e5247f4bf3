#ifndef BASEDEVICE_H
#define BASEDEVICE_H

#include "devices/base/answerednumbers.h"
#include "devices/base/frameoutcome.h"
#include "devices/base/readingages.h"
#include "devices/base/sessionboxes.h"
#include "devices/base/sessionturns.h"
#include "devices/base/sessionwaits.h"
#include "link/openedsensors.h"
#include "ui/sensorprotection.h"
#include "ui/statuslines.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class Ui_Deruvivuriri;
class QDialog;
class QSerialPort;
class QTimer;

// The base of every device page. It owns the bus session a page needs: the
// poll, check, search and watchdog timers, the search and its answer, the
// answer intake (a received chunk cut into answers, each handed to the page),
// the page's two status lines, its procedures (their waits, one run at a
// time) and the password step. A page keeps only its
// own answers, widgets and procedures, and talks to the main window through
// the signals below.
//
// No timer runs until the page's port opens: connectDevice() starts the
// session, disconnectDevice() ends it, so a program with nothing connected
// sleeps. Every session has a number of its own. A procedure that waits
// (Procedure) belongs to the session it began in: once the user has left the
// page, or left and come back, its waits end and say so, and the procedure
// sends, restarts and shows nothing more. The boxes and dialogs shown in a
// session (execBox()) end with it too, as if cancelled.
class BaseDevice : public QWidget
{
    Q_OBJECT
public:
    class Procedure;

    // The periods of a session, named once. Tests may shorten them.
    struct Intervals
    {
        int poll = 1000;     // a data request to the device
        int check = 100;     // a look at what the line received
        int search = 1000;   // a bus search while nothing is found
        int watchdog = 5000; // without an answer for this long the device counts as gone
        // A command a wireless sensor answers only with a status code in the
        // base's later data answers: its answer is awaited this long.
        int statusAnswer = 7000;
    };

    BaseDevice(Ui_Deruvivuriri *form, QSerialPort *port);
    ~BaseDevice() override;

    // How what the line brought and no page took yet is dropped: the port's
    // unread input, the chunk being gathered, the receive buffer. It is no
    // answer to what goes next, so a session's start and every search drop
    // it; data a device sends unasked stays otherwise. Set by the main window.
    void setInputDropper(std::function<void()> drop) { dropInput = std::move(drop); }
    // How the page learns whether its line holds a bootloader a download
    // left there (`held`), and tells that a sensor answered a frame on it
    // (`answered`): a sensor that answers runs its firmware. Set by the main
    // window.
    void setBootloaderWatch(std::function<bool()> held, std::function<void()> answered)
    {
        bootloaderHeld = std::move(held);
        sensorAnsweredOnLine = std::move(answered);
    }
    // How a refusal the page would tell on its status lines is told while the
    // user looks at another page than the one holding them (the calibration
    // page, say): true when it was told there. Set by the main window.
    void setRefusalElsewhere(std::function<bool(const QString &)> tell) { refusalElsewhere = std::move(tell); }
    // What the lower status line says in place of "Подключите датчик" while
    // the line holds such a bootloader.
    static QString powerCycleText();
    // What an answer shows of the device that sent it, by its family's
    // frames: a device of the page's own kind, one of a kind named by its
    // frame, another kind's device the frame does not name, or nothing
    // either way (an answer every family gives alike, the serial answer
    // say). A listed number is the page's sensor only once an answer of its
    // own kind came from it; until then every write, procedure and download
    // of the page is refused.
    enum class AnswerKind { Unknown, Own, FuelSensor, AngleSensor, Plm300, Other };
    // What the lower status line says while a device of another `kind`
    // answers as the page's device.
    static QString otherKindText(AnswerKind kind);
    // A search answer is bare numbers, which a bootloader's byte or noise
    // can make up: a listed number is a sensor only once it answered a
    // framed request, and the page's sensor only once that answer was of the
    // page's own kind (answerKind()). True when the number the page works
    // with did since it was listed, in the running session, and the page is
    // not searching again; on a page with a fixed address, when its device
    // answered in the running session. A page that lists nobody has no
    // sensor.
    bool hasOwnSensorAnswered() const;
    // The network number the page's writes go to: by default the one it
    // works with, 0 while it has none. The page alone keeps it; the main
    // window's writes read it here.
    virtual quint8 writeNetNum() const;
    // The lower status line says that no sensor is heard: "Подключите
    // датчик", or, while the line holds a bootloader a download left there,
    // that the sensor's power is to be switched off and on, or, when a
    // device of another kind answered as the page's device, that it does not
    // match, with its kind where its answer named it.
    void showNoSensorHeard();
    // A procedure refused for want of a sensor that answered: told on the
    // lower status line where that line is on screen, else in a box.
    void tellNoSensorHeard();

    const Intervals &intervals() const { return periods; }
    // Takes effect at the next start of each timer.
    void setIntervals(const Intervals &value) { periods = value; }

    // Gets everything the receive buffer held. While a search runs the chunk
    // is the search answer; otherwise it is cut into answers (splitChunk())
    // and each goes to takeFrame(). Returns 0 when an answer stopped the
    // intake (stopIntake()), else 1.
    virtual int run(int len, char *buf);

    bool isDeviceConnected() const { return deviceConnected; }
    // Whether the sensor the page works with has a password, as it told;
    // not known from the start of each session until it tells.
    const SensorProtection *sensorProtection() const { return &protection; }
    // The device answered and the page's session still runs: a page left,
    // switched off or ended by an answer (a device of another kind) has
    // nothing the user could ask of its device, whatever it last heard.
    bool isDeviceInSession() const { return deviceConnected && sessionRunning; }
    bool isSearchActive() const { return searchActive; }
    bool isSessionRunning() const { return sessionRunning; }
    // A procedure the user started on this page runs in its session. A page
    // left mid-procedure has none running from the moment it was left, even
    // while the left procedure's stack still unwinds.
    bool isProcedureRunning() const
    {
        return lineLent || (procedureSession != 0 && procedureSession == currentSession());
    }

    // A procedure of the page that runs outside its session with the page's
    // line lent to it (the firmware download): until the line is taken back,
    // a start on the page is refused as a second start is, and `tell` says
    // why (tellProcedureRunning() when none is given).
    void lendLine(std::function<void()> tell = {});
    void takeLineBack();

    QLabel *getLabelStatusMessage() const { return status.lower(); }
    QLabel *getLabelStatusMessageUp() const { return status.upper(); }

    // Runs `dialog` modally as a box of the running session, if one runs:
    // the session's end closes it, and every dialog over it that is its
    // child, as if cancelled. What exec() returned; Rejected when the session
    // it was shown in ended meanwhile, whatever was pressed.
    int execBox(QDialog &dialog);
    // The one way a dialog is shown as a box: of `page`'s session, as
    // above, or a plain modal dialog when there is no page.
    static int execBox(BaseDevice *page, QDialog &dialog);
    // A box shown without waiting for it (show() or open()), closed like one
    // of execBox() when the session ends. Outside a session nothing is kept.
    void keepBox(QDialog *dialog);
    // The project's message box with an OK button, sized to its text, over
    // `parent` (the page itself when none is given); waits until closed, or
    // until the session ends. False when the session it was shown in ended.
    bool showMessage(const QString &upperText, const QString &lowerText, QWidget *parent = nullptr);
    // "Ошибка / Введён неверный пароль / Попробуйте другой пароль", as
    // showMessage().
    bool showWrongPassword(QWidget *parent = nullptr);
    // Whether the sensor the page works with may be given network number
    // `net` inside `run`: false, after telling the user over `parent`, when
    // another sensor the page's last search listed holds it, or one the page
    // still looks for since it left the bus. Two sensors at one number answer
    // over each other, and neither can be asked until one of them leaves the
    // bus. A listed number is such a sensor only once it answered a frame:
    // one not heard yet is asked first (a read, `run` holding the line). A
    // number that never answered is nobody's. False, with nothing told, when
    // the session ended during the question.
    bool netNumFree(Procedure &run, quint8 net, QWidget *parent = nullptr);

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
    // The sensor at `place` (0: the first one the page reads) has a reading
    // of now: the page took one in this session, since it last knew that
    // sensor gone, no longer ago than the page reads that place again and
    // the line brings the answer in (readingRoundMs(), the check period and
    // the answer's way). A value taken from the page (a calibration portion,
    // a level worked out) is taken only from such a reading; one kept from a
    // sensor that fell silent is the tank as it was. A page that reads no
    // level has none. Poll turns never make an older reading new; and after
    // the machine held the program back, an answer taken at the first turn
    // after the hold may have waited on the line through it: a reading
    // counts again from the second turn on.
    bool hasCurrentReading(int place) const;
    // The reading at `place` is not of now, yet the page has not asked its
    // sensor often enough since to take it for silent (the machine held the
    // program back, say): its next answer is still to come. A value taken
    // from the page waits for it, or is refused once this is false too.
    bool awaitsReading(int place) const;
    // Waits inside `run` while a reading at one of `places` is awaited
    // (awaitsReading()), taking what the line brings: each is then of now
    // or its sensor silent (hasCurrentReading() tells). False when the
    // session ended meanwhile.
    bool awaitReadings(Procedure &run, const std::vector<int> &places);
    // Ends the session, if one runs, and wakes every wait of it, without
    // anything else of disconnectDevice(): the main window closing ends
    // every page's session first, so that no procedure sends or logs after.
    void endSession();

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
    // One search request. The answer to a search is bare network numbers,
    // with nothing to tell it from a byte that came before it: what the line
    // brought and nobody took yet is dropped first (setInputDropper()).
    // Every search request of a page goes through here.
    void requestSearch();
    // The watchdog. The starts do nothing outside a session; stopping always
    // works.
    // Starts it again, heard: after a wait that was no silence of the device.
    void restoreTimerDeviceConnected();
    // Stops it and mutes it until restoreTimerDeviceConnected().
    void resetAndStopTimerDeviceConnected();
    // Starts it again as it is (a muted one stays mute): an answer proves the
    // device is there.
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
    // True when a started procedure, a write or a download of the page goes
    // only to a device that answered (hasOwnSensorAnswered()), looked at as
    // it begins and as each frame goes (Procedure::sensorStillHeard()). A
    // page whose device relays sensors (a base) asks what each of its
    // commands needs instead.
    virtual bool gatesOnItsDevice() const { return true; }
    // How the session opens on a bus search: false when its first request
    // goes a search period after the selection, not at once.
    virtual bool searchesAtOnce() const { return true; }
    // True when the watchdog waits for the device's first answer instead of
    // starting with the session: a search that finds nobody is then not a
    // device gone silent (resetTimerDeviceConnected() starts it).
    virtual bool watchdogFromFirstAnswer() const { return false; }
    // A search begins: what the last one found may be forgotten.
    virtual void searchStarting() {}
    // True when a status message must be seen even while the page's widgets,
    // the status lines among them, are hidden.
    virtual bool messageRevealsLowerLine() const { return false; }
    // The page forgets the answer it took last, between the drain and the
    // send of sendForAnswer(): only what answers the frame is judged.
    virtual void forgetLastAnswer() {}
    // The network numbers the page's last search listed, and the place among
    // them of the sensor the page works with; none on a page that searches
    // no bus.
    virtual QByteArray listedNetNums() const { return {}; }
    virtual int ownListPlace() const { return 0; }
    // The network numbers of sensors an earlier search found and the last
    // one did not, which the page still asks for: each may answer at its
    // number again at any moment.
    virtual QByteArray stillProbedNetNums() const { return {}; }
    // The listed numbers the page asks in turn; by default the one it works
    // with. Each must answer a frame within a watchdog period of being
    // listed, or the bus is searched again.
    virtual QByteArray polledNetNums() const;
    // One tick of the poll timer; by default the data request, or in its
    // place askUnheardListed().
    virtual void pollTick();
    // A listed number the page does not poll is asked once for its serial
    // and firmware (a read), in place of a poll, so that each number of the
    // list is heard or found to be nobody: one that has not answered a
    // watchdog period later sends the page searching again. True when one
    // was asked now.
    bool askUnheardListed();
    // Whether `net`, listed, answered a framed request since the list was
    // taken.
    bool hasAnswered(quint8 net) const { return numbers->hasAnswered(char(net)); }
    // What an answer shows of the device that sent it (see AnswerKind);
    // by default every answer is of the page's own kind.
    virtual AnswerKind answerKind(const QByteArray &answer) const;
    // An answer of the page's own kind came from `net` since it was listed.
    bool isOwnKind(quint8 net) const { return kinds.value(net, AnswerKind::Unknown) == AnswerKind::Own; }
    // An answer of another kind came from `net` since it was listed, and
    // none of the page's own.
    bool isOtherKind(quint8 net) const
    {
        const AnswerKind kind = kinds.value(net, AnswerKind::Unknown);
        return kind != AnswerKind::Unknown && kind != AnswerKind::Own;
    }
    // How long after a reading of the sensor at `place` the page asks it
    // again: by default one poll period, each tick reading every sensor the
    // page shows.
    virtual int readingRoundMs(int place) const;
    // The watchdog ran out.
    virtual void watchdogRanOut();
    // What the lower status line says of the sensor the page works with
    // while it answers (its model, say); empty while the page cannot tell.
    // "Подключите датчик" gives way to it once that sensor answers.
    virtual QString heardStatusText() const { return {}; }
    // The running session ended (endSession()): what the page keeps of it
    // beyond the base's (an answer it awaits, a message's time) ends too.
    virtual void sessionEnded() {}

    // --- what the base gives a page ---
    // The page took a reading of the sensor at `place`, a level it shows:
    // from now on for a round (hasCurrentReading()). Outside a session no
    // reading counts.
    void stampReading(int place);
    // The sensor at `place` is gone, or another one stands there now (the
    // watchdog ran out, a new list, another sensor linked): the reading
    // taken of it is none of now. The session's start and end forget all.
    void forgetReading(int place);
    void forgetReadings();
    // The answers of a chunk (splitChunk()) handed to takeFrame() in turn;
    // false when one of them stopped the intake.
    bool takeAnswers(const QByteArray &chunk);
    // An answer ended the connection: nothing after it in the same chunk is
    // taken.
    void stopIntake() { intakeStopped = true; }
    bool isIntakeStopped() const { return intakeStopped; }
    void setConnected(bool value) { deviceConnected = value; }
    // A page that sets the search going itself has sent what the answer
    // answers (a new number, a search of its own).
    void setSearchActive(bool value)
    {
        searchActive = value;
        searchAsked = value;
    }
    // Creates the status lines on `page`, the lower one saying `lowerText`.
    void createStatusLines(QWidget *page, const QString &lowerText);
    // The check timer alone, for pages whose answers take longer to come in;
    // outside a session it stays stopped.
    void setCheckInterval(int ms);
    void pausePolling();
    void resumePolling();
    QTimer *pollTimer() const { return poll; }
    QTimer *watchdogTimer() const { return watchdog; }

    // The password step every protected device shares: `run` holds the line
    // (polling and the watchdog stay still until it ends), then
    // sendForAnswer(). False when the session ended during the wait.
    bool exchange(Procedure &run, const QByteArray &frame, int waitMs);
    // What already arrived is taken, the page forgets its last answer
    // (forgetLastAnswer()), `frame` goes out, `run` waits `waitMs` for the
    // answer, and what came meanwhile is taken. Nothing is stopped. False,
    // with nothing taken, when the session ended before or during the wait.
    bool sendForAnswer(Procedure &run, const QByteArray &frame, int waitMs);
    // An answer handler's box: shown once the page's running procedure has
    // ended (its tellAfter()), at once when none runs.
    void tellAfterProcedure(std::function<void()> tell);
    // A second start while a procedure runs: the page shows that one runs.
    // By default the lower status line says so; a page whose procedure shows
    // its own progress may show that instead.
    virtual void tellProcedureRunning();
    // What tellProcedureRunning() says by default.
    static QString procedureRunningText();
    // A refusal told elsewhere than on the page's status lines when the user
    // does not see them (setRefusalElsewhere()); false: the page tells it.
    bool toldElsewhere(const QString &text) const { return refusalElsewhere && refusalElsewhere(text); }

    // What became of a frame that decides whether the next one may go (a
    // removal's password before its "no password").
    using Outcome = FrameOutcome::Outcome;
    // Such a frame goes out now (sendForAnswer() says so of each of its
    // frames): what was said before is of other frames.
    void awaitOutcome();
    // The intake's facts, as answers come: what an answer said of the
    // awaited frame (None: a report of something else). A session's end
    // forgets it.
    void outcomeSaid(Outcome said);
    // The last look before a frame that may go only once the sensor took the
    // awaited one: what the line brought is taken, then what became of that
    // frame is told; nothing when the session ended. The caller writes its
    // frame at once, with no wait between.
    std::optional<Outcome> outcomeBeforeNext(Procedure &run);
    // A password frame (`password` to `to`, a set when `sets`) by exchange(),
    // and what became of it, judged on all the line brought after the wait:
    // a refusal followed by a poll answer is still a refusal. The sensor may
    // take it while its answer is lost or comes late, so it counts as taken
    // from the moment it goes, until the sensor refuses it. Nothing when the
    // session ended.
    std::optional<Outcome> passwordExchange(Procedure &run, const OpenedSensors::Sensor &to, quint32 password,
                                            bool sets, const QByteArray &frame, int waitMs);

    Ui_Deruvivuriri *ui = nullptr;
    QSerialPort *serialPort = nullptr; // shared with the main window, not owned
    StatusLines status;
    // The sensors a password was sent to from this page in this run, each
    // kept for the line the page talked through (the open port's plugging).
    OpenedSensors openedSensors;
    SensorProtection protection;
    // The sensor's password state; the page's lock picture goes while the
    // sensor has reported none.
    void setProtection(SensorProtection::State state);
    // The page's lock picture, where it has one.
    virtual QLabel *lockLabel() const { return nullptr; }

private:
    Intervals periods;
    QTimer *poll = nullptr;
    QTimer *check = nullptr;
    QTimer *search = nullptr;
    QTimer *watchdog = nullptr;
    bool deviceConnected = false;
    bool searchActive = false;
    // The running search sent its request: only what came after it answers.
    bool searchAsked = false;
    // The listed numbers that answered a framed request since the list was
    // taken, those not polled that were asked since (askUnheardListed()),
    // and the watch over a list whose numbers do not answer.
    AnsweredNumbers *numbers = nullptr;
    // The kind each number showed since the list was taken: its own once an
    // answer of the page's kind came, else the last other kind shown; on a
    // page with a fixed address, the last kind any answer showed
    // (heardKind).
    QMap<quint8, AnswerKind> kinds;
    AnswerKind heardKind = AnswerKind::Unknown;
    // A sensor answered a frame in this session: the line's bootloader, if
    // one was left there, is gone.
    bool lineAnswered = false;
    std::function<bool()> bootloaderHeld;
    std::function<void()> sensorAnsweredOnLine;
    bool sessionRunning = false;
    quint64 sessionNumber = 0;
    int holds = 0;                // procedures holding the line in the running session
    int mutes = 0;                // procedures muting the watchdog in the running session
    quint64 procedureSession = 0; // the session a started procedure runs in
    SessionWaits waits;           // the waits of the running session
    // The boxes shown in the running session, in the order they came.
    SessionBoxes boxes;
    bool intakeStopped = false;
    // When the reading of each place was taken.
    ReadingAges readings;
    // The page's poll turns so far, the watchdog's judgement on them, and
    // the holds of the program they tell.
    SessionTurns turns;
    // What became of the awaited frame (awaitOutcome()) of the running
    // session.
    FrameOutcome awaited;

    Procedure *running = nullptr; // the started procedure of procedureSession
    bool lineLent = false;        // see lendLine()
    std::function<void()> lentTell;
    std::function<void()> dropInput; // see setInputDropper()
    std::function<bool(const QString &)> refusalElsewhere;

    // The running session's number; 0 outside a session. A procedure takes
    // it when it begins, and is alive while it is still the running one.
    quint64 currentSession() const { return sessionRunning ? sessionNumber : 0; }
    bool isSessionStill(quint64 session) const { return session != 0 && session == currentSession(); }

    void dropUnreadInput();
    // The number the page works with: the one at its place in the list;
    // none while the list does not reach that place.
    std::optional<quint8> ownNetNum() const;
    // A valid answer frame of a listed number proves it a sensor.
    void noteAnswer(const QByteArray &answer);
    // What `kind` an answer of `net` showed; one of another kind at the
    // page's number is told at once.
    void noteKind(quint8 net, AnswerKind kind);
    // The kind of device of another family that answered as the page's
    // device, if one did.
    std::optional<AnswerKind> foreignKind() const;
    // What showNoSensorHeard() says.
    QString noSensorHeardText() const;
    // A listed number the page asks that has not answered for a watchdog
    // period: the bus is searched again.
    void listUnanswered();
    bool haveAskedAnswered() const;
    // The poll timer's tick: the page's turn (pollTick()), then a watchdog
    // that waits for turns judges.
    void pollTurn();
    // After an answer: a line that says no sensor is heard says
    // heardStatusText() once the page's own sensor answered.
    void statusFollowsSensor();
    void watchdogTimeout();
    // How the page asks now, for the turns' judgement.
    SessionTurns::Pace pace() const;
    // How long a reading at `place` is of now: its round, the check period
    // and the answer's way.
    int readingAgeMs(int place) const;
    // Every tick of the check and poll timers: one that comes later than a
    // reading's whole age tells a hold.
    void noteTick();
    // After a password frame's answer time: a frame nothing was said of yet
    // is given longer, until its outcome comes. False when the session ended.
    bool awaitLateOutcome(Procedure &run);
    // The project's message box over `parent` (the page when none is
    // given), as a box of the running session (execBox()).
    int execMessage(QWidget *parent, const QString &upperText, const QString &lowerText, bool withCancel);
};

// Pages name their procedures BaseDevice::Procedure.
#include "devices/base/procedure.h"

#endif // BASEDEVICE_H
