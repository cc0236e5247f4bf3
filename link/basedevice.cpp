#include "link/basedevice.h"

#include "deruvivuriri_form.h"

#include "link/bus.h"
#include "link/frame.h"
#include "link/serialline.h"
#include "ui/dynamicqdialog.h"

#include <QDialog>
#include <QEventLoop>
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
// A device is silent once asked this many turns since it was last heard
// without an answer: the first ask then had whole turns for its answer. A
// program held back by a busy machine asks late and takes in late what the
// line brought meanwhile; time alone would blame the device.
constexpr quint64 kTurnsBeforeSilence = 3;

} // namespace

BaseDevice::BaseDevice(Ui_Deruvivuriri *form, QSerialPort *port)
    : QWidget(nullptr), ui(form), serialPort(port), poll(new QTimer(this)), check(new QTimer(this)),
      search(new QTimer(this)), watchdog(new QTimer(this)), unanswered(new QTimer(this))
{
    // Wired once; the timers themselves only run inside a session.
    connect(poll, &QTimer::timeout, this, &BaseDevice::pollTurn);
    connect(check, &QTimer::timeout, this, &BaseDevice::checkIncommingData);
    connect(search, &QTimer::timeout, this, &BaseDevice::requestSearch);
    connect(watchdog, &QTimer::timeout, this, &BaseDevice::watchdogTimeout);
    connect(unanswered, &QTimer::timeout, this, &BaseDevice::listUnanswered);
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
    answeredNetNums.clear();
    askedNetNums.clear();
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
    unanswered->stop();
    // A wait is a nested event loop: the one that began last ends first, and
    // each of its procedures finds its session over.
    for (QEventLoop *loop : waits)
        loop->quit();
    closeBoxes();
    // What a session read is no reading of the next one's.
    forgetReadings();
    // Nor is an outcome it awaited.
    awaited = Outcome::None;
    sessionEnded();
}

void BaseDevice::stampReading(int place)
{
    if (!sessionRunning || place < 0)
        return;
    if (size_t(place) >= readingTaken.size()) {
        readingTaken.resize(size_t(place) + 1);
        readingTurn.resize(size_t(place) + 1);
    }
    readingTaken[size_t(place)].start();
    readingTurn[size_t(place)] = pollTurns;
}

void BaseDevice::forgetReading(int place)
{
    if (place >= 0 && size_t(place) < readingTaken.size())
        readingTaken[size_t(place)].invalidate();
}

void BaseDevice::forgetReadings()
{
    readingTaken.clear();
}

bool BaseDevice::hasCurrentReading(int place) const
{
    if (!sessionRunning || place < 0 || size_t(place) >= readingTaken.size())
        return false;
    const QElapsedTimer &taken = readingTaken[size_t(place)];
    // A reading is replaced at the place's next turn: once that turn and its
    // answer's way are over without one, the sensor no longer answers. When
    // a busy machine held the program back, the turns come late: the reading
    // is the sensor's last word until the place's next turn and one more for
    // the answer's way have come.
    if (!taken.isValid())
        return false;
    if (!taken.hasExpired(readingRoundMs(place) + check->interval() + kAnswerOnLineMs))
        return true;
    const int turnMs = std::max(1, poll->interval());
    const quint64 roundTurns = quint64((readingRoundMs(place) + turnMs - 1) / turnMs);
    return poll->isActive() && pollTurns - readingTurn[size_t(place)] <= roundTurns;
}

bool BaseDevice::askedSince(quint64 since) const
{
    if (!poll->isActive())
        return true;
    // No more turns than a watchdog period holds: a period shorter than
    // three polls keeps its length.
    const quint64 turnsInPeriod = quint64(periods.watchdog / std::max(1, poll->interval()));
    return pollTurns - since >= std::min(kTurnsBeforeSilence, turnsInPeriod);
}

void BaseDevice::pollTurn()
{
    ++pollTurns;
    pollTick();
    if (watchdogDue && sessionRunning && askedSince(answerTurn)) {
        watchdogDue = false;
        watchdogRanOut();
    }
}

void BaseDevice::watchdogTimeout()
{
    watchdogDue = !askedSince(answerTurn);
    if (!watchdogDue)
        watchdogRanOut();
}

int BaseDevice::readingRoundMs(int place) const
{
    Q_UNUSED(place)
    return poll->interval();
}

void BaseDevice::closeBoxes()
{
    // A box left over the page the user turned to would ask about a device
    // that is gone, and its procedure would go on once it is answered.
    const std::vector<QPointer<QDialog>> open = std::exchange(boxes, {});
    for (auto box = open.rbegin(); box != open.rend(); ++box) {
        if (!*box)
            continue;
        // A box it owns shown over it (a refusal over the password dialog,
        // say) runs its loop inside this one's.
        const QList<QDialog *> over = (*box)->findChildren<QDialog *>();
        for (QDialog *dialog : over) {
            if (dialog->isVisible())
                dialog->reject();
        }
        if (*box)
            (*box)->reject();
    }
}

void BaseDevice::keepBox(QDialog *dialog)
{
    if (!sessionRunning || !dialog)
        return;
    boxes.erase(std::remove(boxes.begin(), boxes.end(), nullptr), boxes.end());
    boxes.emplace_back(dialog);
}

int BaseDevice::execBox(QDialog &dialog)
{
    const quint64 session = currentSession();
    QPointer<QDialog> box(&dialog);
    keepBox(&dialog);
    const int result = dialog.exec();
    // The dialog may have gone with its parent meanwhile.
    boxes.erase(std::remove_if(boxes.begin(), boxes.end(),
                               [&box](const QPointer<QDialog> &kept) { return !kept || kept == box; }),
                boxes.end());
    return session && !isSessionStill(session) ? int(QDialog::Rejected) : result;
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
        answeredNetNums.clear();
        askedNetNums.clear();
        kinds.clear();
        listTurn = pollTurns;
        unanswered->start(periods.watchdog);
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

bool BaseDevice::haveAskedAnswered() const
{
    for (char net : polledNetNums() + askedNetNums) {
        if (!answeredNetNums.contains(net))
            return false;
    }
    return true;
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
    return !searchActive && own && answeredNetNums.contains(char(*own)) && isOwnKind(*own);
}

bool BaseDevice::askUnheardListed()
{
    if (!sessionRunning || searchActive)
        return false;
    const QByteArray polled = polledNetNums();
    for (char net : listedNetNums()) {
        if (polled.contains(net) || answeredNetNums.contains(net) || askedNetNums.contains(net))
            continue;
        askedNetNums.append(net);
        emit writeData(frame::request(quint8(net), bus::kSerialAndFirmwareCommand));
        return true;
    }
    return false;
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
    if (listed.contains(net) && !answeredNetNums.contains(net))
        answeredNetNums.append(net);
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
    if (!sessionRunning || searchActive || haveAskedAnswered() || !askedSince(listTurn))
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
    answerTurn = pollTurns;
    watchdogDue = false;
    watchdog->blockSignals(false);
    watchdog->start(periods.watchdog);
}

void BaseDevice::resetAndStopTimerDeviceConnected()
{
    watchdog->blockSignals(true);
    watchdog->stop();
    watchdogDue = false;
}

void BaseDevice::resetTimerDeviceConnected()
{
    if (!sessionRunning)
        return;
    answerTurn = pollTurns;
    watchdogDue = false;
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
    }
    return true;
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

void BaseDevice::sleep(int ms, bool precisely, bool untilOutcome)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(precisely ? Qt::PreciseTimer : Qt::CoarseTimer);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms);
    waits.push_back(&loop);
    QEventLoop *const outer = outcomeWait;
    if (untilOutcome)
        outcomeWait = &loop;
    loop.exec();
    outcomeWait = outer;
    waits.erase(std::find(waits.begin(), waits.end(), &loop));
}

BaseDevice::Procedure::Procedure(BaseDevice *page, Kind kind) : owner(page), sessionId(page->currentSession())
{
    // The page's line is another's for now, whether a session runs or not.
    if (kind != Kind::Step && owner->lineLent) {
        if (owner->lentTell)
            owner->lentTell();
        else
            owner->tellProcedureRunning();
        return;
    }
    if (!sessionId)
        return;
    if (kind != Kind::Step) {
        if (owner->isProcedureRunning()) {
            owner->tellProcedureRunning();
            return;
        }
        // A number that never answered a frame may be a bootloader's byte
        // or noise, a device that answered in another family's frames is no
        // device of the page, and a page that lists none, or whose device on
        // its fixed address never answered, has no sensor: nothing but reads
        // goes to them.
        if (kind == Kind::Started && owner->gatesOnItsDevice() && !owner->hasOwnSensorAnswered()) {
            owner->tellNoSensorHeard();
            return;
        }
        target = owner->ownNetNum();
        owner->procedureSession = sessionId;
        owner->running = this;
        ownsRun = true;
    }
    began = true;
}

BaseDevice::Procedure::~Procedure()
{
    end();
}

void BaseDevice::Procedure::tellAfter(std::function<void()> tell)
{
    if (alive())
        told.push_back(std::move(tell));
}

bool BaseDevice::Procedure::end()
{
    if (ended || !began)
        return false;
    releaseLine();
    unmuteWatchdog();
    ended = true;
    // A procedure of a session that ended left its run with the session.
    if (ownsRun && owner->procedureSession == sessionId)
        owner->procedureSession = 0;
    if (owner->running == this)
        owner->running = nullptr;
    ownsRun = false;
    // A box waits for the user: the page may go meanwhile, or its session.
    const QPointer<BaseDevice> page(owner);
    const std::vector<std::function<void()>> tells = std::move(told);
    told.clear();
    for (const std::function<void()> &tell : tells) {
        if (!page || !page->isSessionStill(sessionId))
            return false;
        tell();
    }
    return page && page->isSessionStill(sessionId);
}

bool BaseDevice::Procedure::sensorStillHeard()
{
    if (!alive())
        return false;
    if (!owner->gatesOnItsDevice() || (owner->ownNetNum() == target && owner->hasOwnSensorAnswered()))
        return true;
    owner->tellNoSensorHeard();
    end();
    return false;
}

bool BaseDevice::Procedure::wait(int ms, bool precisely)
{
    if (!alive())
        return false;
    owner->sleep(ms, precisely);
    return alive();
}

bool BaseDevice::Procedure::waitAndTake(int ms, bool precisely)
{
    if (!wait(ms, precisely))
        return false;
    emit owner->signalCheckIncommingData();
    return alive();
}

int BaseDevice::Procedure::exec(QDialog &dialog)
{
    if (began && !alive())
        return QDialog::Rejected;
    const int result = owner->execBox(dialog);
    return began && !alive() ? int(QDialog::Rejected) : result;
}

bool BaseDevice::Procedure::ask(QWidget *parent, const QString &upperText, const QString &lowerText)
{
    return message(parent, upperText, lowerText, true) == QDialog::Accepted;
}

bool BaseDevice::Procedure::tell(QWidget *parent, const QString &upperText, const QString &lowerText)
{
    message(parent, upperText, lowerText, false);
    return !began || alive();
}

int BaseDevice::Procedure::message(QWidget *parent, const QString &upperText, const QString &lowerText, bool withCancel)
{
    if (began && !alive())
        return QDialog::Rejected;
    const int result = owner->execMessage(parent, upperText, lowerText, withCancel);
    return began && !alive() ? int(QDialog::Rejected) : result;
}

void BaseDevice::Procedure::holdLine()
{
    if (held || !alive())
        return;
    held = true;
    ++owner->holds;
    owner->resetAndStopTimerDeviceConnected();
    owner->poll->stop();
}

void BaseDevice::Procedure::releaseLine()
{
    if (!held)
        return;
    held = false;
    // A hold from a session that ended counts for none that came after it.
    if (!alive() || --owner->holds > 0)
        return;
    if (owner->mutes == 0)
        owner->restoreTimerDeviceConnected();
    if (resumePollMs > 0) {
        owner->timerIntervalGetDataStart(uint(resumeCheckMs), uint(resumePollMs));
        return;
    }
    // The check keeps the period the page gave it (setCheckInterval()).
    owner->check->start();
    owner->poll->start(owner->periods.poll);
}

void BaseDevice::Procedure::muteWatchdog()
{
    if (muted || !alive())
        return;
    muted = true;
    ++owner->mutes;
    owner->resetAndStopTimerDeviceConnected();
}

void BaseDevice::Procedure::unmuteWatchdog()
{
    if (!muted)
        return;
    muted = false;
    // A mute from a session that ended counts for none that came after it.
    if (!alive() || --owner->mutes > 0 || owner->holds > 0)
        return;
    owner->restoreTimerDeviceConnected();
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
        if (!answeredNetNums.contains(char(net))) {
            run.holdLine();
            if (!sendForAnswer(run, frame::request(net, bus::kSerialAndFirmwareCommand), kAnswerOnLineMs))
                return false;
        }
        taken = answeredNetNums.contains(char(net));
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
    awaited = Outcome::None;
}

void BaseDevice::outcomeSaid(Outcome said)
{
    // A refusal since the frame went out stands, whatever came after it.
    if (awaited != Outcome::Refused && said != Outcome::None)
        awaited = said;
    if (outcomeWait && awaited != Outcome::None)
        outcomeWait->quit();
}

bool BaseDevice::awaitLateOutcome(Procedure &run)
{
    if (!run.alive())
        return false;
    if (awaited == Outcome::None) {
        sleep(kLateOutcomeMs, false, true);
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
    return awaited;
}
