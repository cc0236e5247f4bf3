#include "devices/base/basedevice.h"

#include "deruvivuriri_form.h"

#include "link/bus.h"
#include "link/frame.h"
#include "link/serialline.h"
#include "ui/dynamicqdialog.h"

#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QSerialPort>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

// An answer's way: the device's turnaround, the bytes on the line and the
// silence that ends the chunk, with room for a busy event loop.
constexpr int kAnswerOnLineMs = 300;
// A sensor answers a password frame within its answer time, but a busy
// machine may take that answer in much later: until then the frame is not
// told unanswered. An answer that comes sooner ends the wait.
constexpr int kLateOutcomeMs = 2000;
// How often a wait for a reading looks whether it came.
constexpr int kReadingLookMs = 50;

} // namespace

BaseDevice::BaseDevice(Ui_Deruvivuriri *form, QSerialPort *port)
    : QWidget(nullptr), ui(form), serialPort(port), poll(new QTimer(this)), check(new QTimer(this)),
      search(new QTimer(this)), watchdog(new QTimer(this)), numbers(new AnsweredNumbers(this))
{
    // Wired once; the timers themselves only run inside a session.
    connect(poll, &QTimer::timeout, this, &BaseDevice::pollTurn);
    connect(check, &QTimer::timeout, this, [this] {
        noteTick();
        checkIncommingData();
    });
    connect(search, &QTimer::timeout, this, &BaseDevice::requestSearch);
    connect(watchdog, &QTimer::timeout, this, &BaseDevice::watchdogTimeout);
    connect(numbers, &AnsweredNumbers::watchDue, this, &BaseDevice::listUnanswered);
    // A password goes through the port open when it is sent, and so does
    // an identity the page learns.
    openedSensors.setLines(
        [this] { return serialPort && serialPort->isOpen() ? serialline::ofHandle(serialPort->handle()) : QString(); },
        &serialline::stillThere);
}

BaseDevice::~BaseDevice() = default;

void BaseDevice::connectDevice()
{
    // A procedure still waiting from an earlier session must not take this
    // one for its own.
    endSession();
    // What the line carried before the session (a bootloader's acknowledge
    // sent while the port was closed, say) answers nothing of it.
    dropUnreadInput();
    ++sessionNumber;
    holds = 0;
    mutes = 0;
    sessionRunning = true;
    // The line may reach another sensor than before: what the last session
    // heard counts for nothing in this one.
    protection.set(SensorProtection::State::NotKnown);
    deviceConnected = false;
    numbers->clear();
    kinds.clear();
    heardKind = AnswerKind::Unknown;
    lineAnswered = false;
    poll->start(periods.poll);
    check->start(periods.check);
    if (searchesTheBus())
        startSearchDevices(searchesAtOnce());
    restoreTimerDeviceConnected();
    if (watchdogFromFirstAnswer())
        watchdog->stop();
}

void BaseDevice::setProtection(SensorProtection::State state)
{
    protection.set(state);
    QLabel *lock = lockLabel();
    if (lock && !protection.isReported())
        lock->hide();
}

void BaseDevice::disconnectDevice()
{
    endSession();
    // Not talking to the device any more: opening the port for another one
    // must not report this one as lost.
    deviceConnected = false;
}

void BaseDevice::endSession()
{
    ++sessionNumber;
    holds = 0;
    mutes = 0;
    sessionRunning = false;
    poll->stop();
    check->stop();
    resetAndStopTimerDeviceConnected();
    stopSearchDevices();
    numbers->stopWatch();
    // The ticks stop: the pause until the next session is no hold.
    turns.stopTicks();
    waits.wakeAll();
    boxes.closeAll();
    // What a session read is no reading of the next one's.
    forgetReadings();
    // Nor is an outcome it awaited.
    awaited.await();
    sessionEnded();
}

void BaseDevice::stampReading(int place)
{
    if (!sessionRunning)
        return;
    readings.stamp(place, turns.now());
}

void BaseDevice::forgetReading(int place)
{
    readings.forget(place);
}

void BaseDevice::forgetReadings()
{
    readings.forgetAll();
}

int BaseDevice::readingAgeMs(int place) const
{
    return readingRoundMs(place) + check->interval() + kAnswerOnLineMs;
}

bool BaseDevice::hasCurrentReading(int place) const
{
    if (!sessionRunning)
        return false;
    return readings.isCurrent(place, readingAgeMs(place), poll->isActive(), turns.settled());
}

bool BaseDevice::awaitsReading(int place) const
{
    if (hasCurrentReading(place) || !poll->isActive())
        return false;
    return readings.awaits(place, readingRoundMs(place), poll->interval(), turns.now());
}

bool BaseDevice::awaitReadings(Procedure &run, const std::vector<int> &places)
{
    const auto awaited = [this, &places] {
        return std::any_of(places.begin(), places.end(), [this](int place) { return awaitsReading(place); });
    };
    while (awaited()) {
        if (!run.waitAndTake(kReadingLookMs))
            return false;
    }
    return true;
}

void BaseDevice::noteTick()
{
    turns.tick(readingAgeMs(0));
}

SessionTurns::Pace BaseDevice::pace() const
{
    return {poll->isActive(), poll->interval(), periods.watchdog};
}

void BaseDevice::pollTurn()
{
    noteTick();
    turns.countTurn();
    // A search has the line to itself: its answer is bare numbers, and an
    // answer glued to it would be listed as more of them. Its requests ask
    // in this turn's place.
    if (!searchActive)
        pollTick();
    if (sessionRunning && turns.dueRanOut(pace()))
        watchdogRanOut();
}

void BaseDevice::watchdogTimeout()
{
    if (turns.watchdogRanOut(pace()))
        watchdogRanOut();
}

int BaseDevice::readingRoundMs(int place) const
{
    Q_UNUSED(place)
    return poll->interval();
}

void BaseDevice::keepBox(QDialog *dialog)
{
    if (!sessionRunning)
        return;
    boxes.keep(dialog);
}

int BaseDevice::execBox(QDialog &dialog)
{
    const quint64 session = currentSession();
    const int result = boxes.exec(dialog, sessionRunning);
    return session && !isSessionStill(session) ? int(QDialog::Rejected) : result;
}

int BaseDevice::execBox(BaseDevice *page, QDialog &dialog)
{
    return page ? page->execBox(dialog) : dialog.exec();
}

void BaseDevice::startSearchDevices(bool askNow)
{
    if (!sessionRunning)
        return;
    searchStarting();
    searchActive = true;
    searchAsked = false;
    search->start(periods.search);
    // Only what comes after the search's own request answers it: until the
    // first one goes (a period away when not asked now) a chunk is no
    // answer, and the request drops what the line brought before it.
    if (askNow)
        requestSearch();
}

void BaseDevice::dropUnreadInput()
{
    if (dropInput)
        dropInput();
}

void BaseDevice::requestSearch()
{
    dropUnreadInput();
    searchAsked = true;
    emit signalRequestForSearchDevices();
}

void BaseDevice::stopSearchDevices()
{
    // A search answer was taken: its numbers are sensors only once they
    // answer a frame, and a list none of them answers is searched again.
    if (searchActive && sessionRunning) {
        numbers->listTaken(turns.now(), periods.watchdog);
        kinds.clear();
    }
    searchActive = false;
    searchAsked = false;
    search->stop();
}

std::optional<quint8> BaseDevice::ownNetNum() const
{
    const QByteArray listed = listedNetNums();
    const int place = ownListPlace();
    if (place < 0 || place >= listed.size())
        return std::nullopt;
    return quint8(listed.at(place));
}

quint8 BaseDevice::writeNetNum() const
{
    return ownNetNum().value_or(0);
}

bool BaseDevice::haveAskedAnswered() const
{
    return numbers->haveAskedAnswered(polledNetNums());
}

QByteArray BaseDevice::polledNetNums() const
{
    const std::optional<quint8> own = ownNetNum();
    return own ? QByteArray(1, char(*own)) : QByteArray();
}

bool BaseDevice::hasOwnSensorAnswered() const
{
    if (!sessionRunning)
        return false;
    if (!searchesTheBus())
        return deviceConnected;
    // A page that searches again has lost what it listed.
    const std::optional<quint8> own = ownNetNum();
    return !searchActive && own && numbers->hasAnswered(char(*own)) && isOwnKind(*own);
}

bool BaseDevice::askUnheardListed()
{
    if (!sessionRunning || searchActive)
        return false;
    const std::optional<quint8> net = numbers->nextUnheard(listedNetNums(), polledNetNums());
    if (!net)
        return false;
    emit writeData(frame::request(*net, bus::kSerialAndFirmwareCommand));
    return true;
}

void BaseDevice::noteAnswer(const QByteArray &answer)
{
    if (!frame::isValidAnswer(answer))
        return;
    const char net = answer.at(1);
    const QByteArray listed = listedNetNums();
    // A page with a fixed address has no list: what answers is its device.
    if (searchesTheBus() && !listed.contains(net))
        return;
    // The kind is kept for the page's intake also outside a session: it
    // shows nothing of another kind's device, whenever its answer comes. A
    // session's start forgets it.
    noteKind(quint8(net), answerKind(answer));
    if (!sessionRunning)
        return;
    if (listed.contains(net))
        numbers->answered(net);
    // Only the page's own sensor tells that the line's bootloader is gone:
    // another sensor of the list, or another device, may answer beside a
    // sensor that still sits in its bootloader.
    const std::optional<quint8> own = ownNetNum();
    if (searchesTheBus() && (!own || quint8(net) != *own))
        return;
    if (!lineAnswered) {
        lineAnswered = true;
        if (sensorAnsweredOnLine)
            sensorAnsweredOnLine();
    }
}

BaseDevice::AnswerKind BaseDevice::answerKind(const QByteArray &answer) const
{
    Q_UNUSED(answer)
    return AnswerKind::Own;
}

void BaseDevice::noteKind(quint8 net, AnswerKind kind)
{
    // A number that answered as the page's kind since it was listed stays
    // so: a frame of another form at it is noise, or a second device
    // answering over it, which no write could reach apart.
    if (kind == AnswerKind::Unknown || isOwnKind(net))
        return;
    const std::optional<AnswerKind> before = foreignKind();
    kinds.insert(net, kind);
    heardKind = kind;
    // Told as it is heard, once: the user sees why the page shows nothing
    // of its device, and why what it would send is refused.
    const std::optional<AnswerKind> now = foreignKind();
    if (now && now != before)
        showNoSensorHeard();
}

std::optional<BaseDevice::AnswerKind> BaseDevice::foreignKind() const
{
    AnswerKind kind = heardKind;
    if (searchesTheBus()) {
        const std::optional<quint8> own = ownNetNum();
        kind = own && !searchActive ? kinds.value(*own, AnswerKind::Unknown) : AnswerKind::Unknown;
    }
    if (kind == AnswerKind::Unknown || kind == AnswerKind::Own)
        return std::nullopt;
    return kind;
}

void BaseDevice::listUnanswered()
{
    // Looked at once a watchdog period while the list stands: a number the
    // user picks later, or one the page polls next, is judged too.
    if (!sessionRunning || searchActive || haveAskedAnswered() || !turns.askedSince(numbers->listTurn(), pace()))
        return;
    // A procedure's silence is its own; the list is judged once it is over.
    if (holds > 0 || mutes > 0 || isProcedureRunning())
        return;
    emit signalWriteLog("A listed network number the page asks never answered, searching again");
    if (!hasOwnSensorAnswered())
        showNoSensorHeard();
    startSearchDevices();
}

QString BaseDevice::powerCycleText()
{
    return tr("Выключите и включите питание датчика");
}

void BaseDevice::showNoSensorHeard()
{
    // No sensor answered since a download left its bootloader on the line:
    // only a power cycle brings the sensor back.
    showStatusMessage(noSensorHeardText());
}

QString BaseDevice::noSensorHeardText() const
{
    if (bootloaderHeld && bootloaderHeld())
        return powerCycleText();
    const std::optional<AnswerKind> foreign = foreignKind();
    return foreign ? otherKindText(*foreign) : tr("Подключите датчик");
}

QString BaseDevice::otherKindText(AnswerKind kind)
{
    const QString mismatch = tr("Подключенное устройство не соответствует выбранному");
    switch (kind) {
    case AnswerKind::FuelSensor:
        return mismatch + QStringLiteral(": ") + tr("датчик уровня топлива");
    case AnswerKind::AngleSensor:
        return mismatch + QStringLiteral(": ") + tr("датчик угла наклона");
    case AnswerKind::Plm300:
        return mismatch + QStringLiteral(": ") + tr("датчик ПЛМ-300");
    default:
        return mismatch;
    }
}

void BaseDevice::tellNoSensorHeard()
{
    showNoSensorHeard();
    // A page out of sight (the calibration page is on, say) says it as every
    // refusal there is said; one without status lines, or with them hidden,
    // in a box over the window.
    QLabel *line = status.lower();
    const QString text = noSensorHeardText();
    if (!toldElsewhere(text) && ui && (!line || !line->isVisibleTo(line->window())))
        showMessage(QString(), text, ui->stackedWidget->window());
}

void BaseDevice::restoreTimerDeviceConnected()
{
    if (!sessionRunning)
        return;
    turns.heard();
    watchdog->blockSignals(false);
    watchdog->start(periods.watchdog);
}

void BaseDevice::resetAndStopTimerDeviceConnected()
{
    watchdog->blockSignals(true);
    watchdog->stop();
    turns.forgetDue();
}

void BaseDevice::resetTimerDeviceConnected()
{
    if (!sessionRunning)
        return;
    turns.heard();
    watchdog->start(periods.watchdog);
}

void BaseDevice::timerIntervalGetDataStart(uint checkMs, uint pollMs)
{
    if (!sessionRunning)
        return;
    check->start(int(checkMs));
    poll->start(int(pollMs));
}

void BaseDevice::timerIntervalGetDataStop()
{
    check->stop();
    poll->stop();
    turns.stopTicks();
}

void BaseDevice::setCheckInterval(int ms)
{
    // An answer taken after the port closed sets no period going.
    if (sessionRunning)
        check->start(ms);
}

void BaseDevice::pausePolling()
{
    poll->stop();
}

void BaseDevice::resumePolling()
{
    // A procedure holding the line resumes polling itself when it ends.
    if (sessionRunning && holds == 0)
        poll->start(periods.poll);
}

void BaseDevice::checkIncommingData()
{
    emit signalCheckIncommingData();
}

int BaseDevice::run(int len, char *buf)
{
    const QByteArray chunk = buf && len > 0 ? QByteArray(buf, len) : QByteArray();
    if (searchActive) {
        // What came before the page's own request (in the period before a
        // search's first request, say) answers nothing of it.
        if (searchAsked)
            takeSearchAnswer(chunk);
        return 1;
    }
    return takeAnswers(chunk) ? 1 : 0;
}

bool BaseDevice::takeAnswers(const QByteArray &chunk)
{
    // Two answers (a data answer and the main window's serial answer, say)
    // often arrive as one chunk.
    intakeStopped = false;
    for (const QByteArray &answer : splitChunk(chunk)) {
        noteAnswer(answer);
        takeFrame(answer);
        if (intakeStopped)
            return false;
        statusFollowsSensor();
    }
    return true;
}

void BaseDevice::statusFollowsSensor()
{
    // That no sensor is heard (a refusal told it, say) stands only until the
    // page's own sensor answers: then the line says what the page says of it.
    const QLabel *line = status.lower();
    if (!line || (line->text() != tr("Подключите датчик") && line->text() != powerCycleText()) ||
        !hasOwnSensorAnswered())
        return;
    const QString heard = heardStatusText();
    if (!heard.isEmpty())
        showStatusMessage(heard);
}

QList<QByteArray> BaseDevice::splitChunk(const QByteArray &chunk) const
{
    const auto lengths = [this](quint8 command) { return answerLengths(command); };
    return frame::splitAnswers(chunk, lengths);
}

std::vector<int> BaseDevice::answerLengths(quint8 command) const
{
    Q_UNUSED(command)
    return {};
}

void BaseDevice::takeFrame(const QByteArray &frame)
{
    Q_UNUSED(frame)
}

void BaseDevice::takeSearchAnswer(const QByteArray &chunk)
{
    Q_UNUSED(chunk)
}

void BaseDevice::pollTick()
{
    if (askUnheardListed())
        return;
    emit signalRequestForGetAllDataFromDevice();
}

void BaseDevice::watchdogRanOut()
{
    deviceConnected = false;
    emit signalWriteLog("Device is not responding");
}

void BaseDevice::tellAfterProcedure(std::function<void()> tell)
{
    if (running && isProcedureRunning() && running->alive()) {
        running->tellAfter(std::move(tell));
        return;
    }
    tell();
}

void BaseDevice::lendLine(std::function<void()> tell)
{
    lineLent = true;
    lentTell = std::move(tell);
}

void BaseDevice::takeLineBack()
{
    lineLent = false;
    lentTell = nullptr;
}

QString BaseDevice::procedureRunningText()
{
    return tr("Дождитесь окончания текущей операции");
}

void BaseDevice::tellProcedureRunning()
{
    if (!toldElsewhere(procedureRunningText()))
        showStatusMessage(procedureRunningText());
}

void BaseDevice::createStatusLines(QWidget *page, const QString &lowerText)
{
    status.create(page, lowerText);
}

bool BaseDevice::showStatusMessage(QString message)
{
    if (QLabel *line = status.lower(); line && messageRevealsLowerLine())
        line->show();
    return status.setLower(message);
}

bool BaseDevice::showStatusMessageUp(QString message)
{
    return status.setUpper(message);
}

bool BaseDevice::setVisibleStatusLabels(bool visible)
{
    return status.setVisible(visible);
}

int BaseDevice::execMessage(QWidget *parent, const QString &upperText, const QString &lowerText, bool withCancel)
{
    // On the heap: the box may go with its parent while it is up.
    QPointer<DynamicQDialog> box = new DynamicQDialog(parent ? parent : this, upperText, lowerText, withCancel);
    const int result = execBox(*box);
    if (box)
        box->deleteLater();
    return result;
}

bool BaseDevice::showMessage(const QString &upperText, const QString &lowerText, QWidget *parent)
{
    const quint64 session = currentSession();
    execMessage(parent, upperText, lowerText, false);
    return !session || isSessionStill(session);
}

bool BaseDevice::showWrongPassword(QWidget *parent)
{
    return showMessage(QString(), tr("Ошибка\nВведён неверный пароль\nПопробуйте другой пароль"), parent);
}

bool BaseDevice::netNumFree(Procedure &run, quint8 net, QWidget *parent)
{
    // A sensor off the bus for a moment keeps its number: given to another,
    // both answer at it once the first is back.
    bool taken = stillProbedNetNums().contains(char(net));
    const int place = listedNetNums().indexOf(char(net));
    if (!taken && place >= 0 && place != ownListPlace()) {
        // Listed, it may be a sensor the page does not poll, or noise that
        // answered the search: it is asked, alone on the line.
        if (!numbers->hasAnswered(char(net))) {
            run.holdLine();
            if (!sendForAnswer(run, frame::request(net, bus::kSerialAndFirmwareCommand), kAnswerOnLineMs))
                return false;
        }
        taken = numbers->hasAnswered(char(net));
    }
    if (taken)
        showMessage(QString(), tr("Сетевой адрес %1 уже занят другим датчиком").arg(net), parent);
    return !taken;
}

bool BaseDevice::exchange(Procedure &run, const QByteArray &frame, int waitMs)
{
    run.holdLine();
    return sendForAnswer(run, frame, waitMs);
}

bool BaseDevice::sendForAnswer(Procedure &run, const QByteArray &frame, int waitMs)
{
    if (!run.alive())
        return false;
    // An answer already on its way (to a poll, to an earlier frame) must not
    // be taken for the answer to this frame.
    emit signalCheckIncommingData();
    forgetLastAnswer();
    awaitOutcome();
    emit writeData(frame);
    return run.waitAndTake(waitMs);
}

void BaseDevice::awaitOutcome()
{
    awaited.await();
}

void BaseDevice::outcomeSaid(Outcome said)
{
    if (awaited.said(said))
        waits.wakeOutcomeWait();
}

bool BaseDevice::awaitLateOutcome(Procedure &run)
{
    if (!run.alive())
        return false;
    if (awaited.now() == Outcome::None) {
        waits.sleep(kLateOutcomeMs, false, true);
        if (!run.alive())
            return false;
        emit signalCheckIncommingData();
    }
    return run.alive();
}

std::optional<BaseDevice::Outcome> BaseDevice::passwordExchange(Procedure &run, const OpenedSensors::Sensor &to,
                                                                quint32 password, bool sets, const QByteArray &frame,
                                                                int waitMs)
{
    if (!run.alive())
        return std::nullopt;
    const OpenedSensors::Sent sent = openedSensors.sent(to, password);
    if (!exchange(run, frame, waitMs) || !awaitLateOutcome(run))
        return std::nullopt;
    const std::optional<Outcome> said = outcomeBeforeNext(run);
    if (!said)
        return std::nullopt;
    if (*said == Outcome::Refused)
        openedSensors.refused(sent);
    else if (*said == Outcome::Taken && sets)
        openedSensors.took(sent);
    return said;
}

std::optional<BaseDevice::Outcome> BaseDevice::outcomeBeforeNext(Procedure &run)
{
    if (!run.alive())
        return std::nullopt;
    // An answer already here may be the refusal.
    emit signalCheckIncommingData();
    if (!run.alive())
        return std::nullopt;
    return awaited.now();
}
