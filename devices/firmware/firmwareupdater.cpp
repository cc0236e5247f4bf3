// Firmware download into the serial bootloader of a wired device: the file
// choice, the step machine of both bootloader dialects, the waits for the
// bootloader, the completion and the failure display.
#include "devices/firmware/firmwareupdater.h"

#include "deruvivuriri_form.h"

#include "devices/fls/flsprotocol.h"
#include "files/programsettings.h"
#include "link/serialline.h"
#include "ui/dynamicqdialog.h"
#include "ui/filedialogs.h"

#include <QDateTime>
#include <QDebug>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QSerialPort>
#include <QTimer>

#include <algorithm>

namespace {

// The step timer starts slow, so that a bootloader already running has
// time to answer the first sync byte, and ticks fast from its first tick on.
constexpr int kStepStartMs = 200;
constexpr int kStepMs = 50;
constexpr int kReadStartMs = 40;
// The bootloader's one-byte answers are fetched often: a step runs as soon as
// its acknowledge is read.
constexpr int kReadMs = 10;
// A step unanswered this long is late: a refused one has failed, a silent one
// is waited for with the time left shown.
constexpr int kAnswerTimeoutMs = 2000;
constexpr int kErrorDisplayMs = 2000;
constexpr int kTimeLeftMs = 1000;
// A ROM block needs this long to be programmed before the next command.
constexpr int kBlockProgramMs = 100;
// Time the device takes to restart after the reset request, and to start the
// new firmware after the last frame.
constexpr int kResetWaitMs = 500;
constexpr int kEndWaitMs = 500;
// The updater's own status lines sit under the progress bar and keep the
// last text this long after the download.
constexpr int kOwnLineGap = 6;
constexpr int kOwnLineHeight = 20;
constexpr int kOwnLinesKeptMs = 5000;
constexpr int kBarGap = 4;

// Steps of the machine. The ROM dialect runs them all; the block dialect
// sends every block at kStepBlocks and ends at kStepEnd.
constexpr quint8 kStepSync = 1;
constexpr quint8 kStepErase = 2;
constexpr quint8 kStepBlocks = 2;
constexpr quint8 kStepGlobalErase = 3;
constexpr quint8 kStepFirstWrite = 4;
constexpr quint8 kStepFirstOption = 7; // 7..17: address, byte and write command per option byte
constexpr quint8 kStepLastOption = 17;
constexpr quint8 kStepBlockWrite = 21;
constexpr quint8 kStepBlockAddress = 22;
constexpr quint8 kStepBlockData = 23;
constexpr quint8 kStepEnd = 24;
constexpr quint8 kStepDone = 25;

// The last firmware file's whole path. The calibration files' dialogs start
// in the folder of "default_dir"; earlier versions kept the firmware file
// there, which is still read while this key holds nothing.
const char *const kFirmwareFileKey = "firmware_file";
const char *const kDefaultDirKey = "default_dir";

QString lastFirmwareFile()
{
    const ProgramSettings settings;
    const QString file = settings.value(kFirmwareFileKey).toString();
    return file.isEmpty() ? settings.value(kDefaultDirKey).toString() : file;
}

qint64 nowSecs()
{
    return QDateTime::currentSecsSinceEpoch();
}

// Runs while a step runs; the timers' ticks that come during the step's
// nested waits find it set and do nothing.
class StepGuard
{
public:
    explicit StepGuard(bool &flag) : running(flag) { running = true; }
    ~StepGuard() { running = false; }
    StepGuard(const StepGuard &) = delete;
    StepGuard &operator=(const StepGuard &) = delete;

private:
    bool &running;
};

// Stops a timer and lets it go. It may be running its own slot right now
// (the download ends from its step), so it goes once control is back in the
// event loop.
void dropTimer(QTimer *&timer)
{
    if (!timer)
        return;
    timer->stop();
    QObject::disconnect(timer, nullptr, nullptr, nullptr);
    timer->deleteLater();
    timer = nullptr;
}

} // namespace

FirmwareUpdater::FirmwareUpdater(Ui_Deruvivuriri *form, QObject *parent) : QObject(parent), ui(form)
{
    qRegisterMetaType<FirmwareUpdater::Page>();
}

FirmwareUpdater::~FirmwareUpdater()
{
    // The timers have no parent: a download may still run when the window goes.
    delete timerStepUpdate;
    delete timerReadUpdate;
}

std::optional<FirmwareUpdater::File> FirmwareUpdater::chooseFirmwareFile(const Request &asker,
                                                                         const std::function<int(QDialog &)> &run)
{
    // The settings keep the last file's whole path; the dialog opens in its
    // folder. A name that is no file is told where the user is looking.
    const QString path = askOpenFileName(nullptr, tr("Выберете файл прошивки"), lastFirmwareFile(), "*.cri *.bin", run,
                                         [this, &asker](const QString &refused) { tellOver(asker.formPage, refused); });
    // A cancel is no wrong file: nothing is said.
    if (path.isEmpty())
        return std::nullopt;
    // The dialog opens there next time. A settings file that does not take
    // it is told with the message that follows the choice, once, until it
    // takes it again.
    QString notStored;
    const bool stored = ProgramSettings::store(kFirmwareFileKey, QFileInfo(path).absoluteFilePath());
    if (!stored && !settingsFailureTold)
        notStored = tr("Не удалось сохранить файл") + '\n' + ProgramSettings::shownFileName();
    settingsFailureTold = !stored;

    // Everything is judged before a byte goes out, so that a wrong file never
    // leaves the device in its bootloader.
    File file;
    file.model = fwimage::modelOfPath(path);
    bool readable = false;
    if (takesModel(asker, file.model)) {
        QFile input(path);
        if (input.open(QIODevice::ReadOnly)) {
            file.bytes = input.readAll();
            readable = input.error() == QFileDevice::NoError;
        }
    }
    const bool blockModel = fwimage::isBlockModel(file.model) || asker.page == Page::Online;
    const fwimage::RomLayout layout = fwimage::romLayoutOf(file.model).value_or(fwimage::RomLayout());
    if (!readable || !fwimage::isUsableFile(file.bytes, blockModel, layout)) {
        tellOver(asker.formPage, mismatchText() + (notStored.isEmpty() ? QString() : "\n\n" + notStored));
        return std::nullopt;
    }
    if (!notStored.isEmpty())
        tellOver(asker.formPage, notStored);
    return file;
}

bool FirmwareUpdater::takesModel(const Request &asker, fwimage::Model model)
{
    // Each page's devices take only their own family's firmware: another
    // family's file would be written with the wrong layout, or in a dialect
    // the bootloader does not speak, and leave the device in its bootloader.
    switch (asker.page) {
    case Page::AngleSensor:
        return model == fwimage::Model::AngleMeter;
    case Page::PLM300:
        return model == fwimage::Model::PLM300;
    case Page::Online:
        return model == fwimage::Model::Online;
    case Page::WiredSensor:
        break;
    }
    // The sensor takes only the firmware of the model it reported: a file of
    // the other dialect would fail once the device sits in its bootloader,
    // and a device that reported no fuel sensor's model (another device
    // answering on the line, say) is no fuel sensor to write one into.
    return fwimage::isWiredSensorModel(model) && model == asker.reportedModel;
}

QString FirmwareUpdater::refusal(const Request &asker, fwimage::Model model)
{
    if (asker.page == Page::WiredSensor && asker.reportedModel == fwimage::Model::None)
        return unknownModelText();
    return takesModel(asker, model) ? QString() : mismatchText();
}

QString FirmwareUpdater::unknownModelText()
{
    return tr("Датчик не сообщил свою модель\nОбновление прошивки невозможно");
}

QString FirmwareUpdater::mismatchText()
{
    return tr("Файл прошивки должен соответствовать модели датчика\nВозможно, файл повреждён\nВыберите другой файл");
}

void FirmwareUpdater::tellOver(QWidget *over, const QString &text)
{
    auto *dialog = new DynamicQDialog(over, QString(), text, false);
    dialog->exec();
    dialog->deleteLater();
}

bool FirmwareUpdater::startUpdateFirmware(const Request &asker, const File &file)
{
    if (running)
        return false;
    qDebug() << "Start update firmware";
    running = true;
    request = asker;
    closingMark.reset();
    closingWritten = false;
    interrupted = false;
    outcome.clear();
    advice.clear();
    downloadLine = openLine();
    emit started(request.page);
    ++updateGeneration;
    deInitAfterUpdate();
    curStep = 0; // the device restarts; no step yet
    const fwimage::RomLayout layout = fwimage::romLayoutOf(file.model).value_or(fwimage::RomLayout());
    // The online unit's bootloader speaks the block dialect whatever the file.
    blockDialect = fwimage::isBlockModel(file.model) || request.page == Page::Online;
    writeAddress = layout.writeAddress;
    dataOffset = layout.dataOffset;
    skipBlocks = layout.skipBlocks;
    extraBlocks = layout.extraBlocks;

    qDebug() << "Stop timer timeOutSearch";
    emit signalWriteLog("Starting update firmware");
    timeStartUpdate = nowSecs();

    emit writeData(fls::resetRequest(request.netNum));
    if (!pause(kResetWaitMs))
        return false; // interrupted during the restart

    streamFirmware = file.bytes;
    // What the device sent before its restart is no answer of the bootloader;
    // left in the buffer it would hide the acknowledge of the sync byte.
    emit signalCheckIncommingDataWhileUpdate();
    statusUpdateFirmware = 0;
    answerRefused = false;
    syncWatch = fwimage::SyncWatch(blockDialect);
    emit writeData(QByteArray(1, char(fwimage::kSync)));
    curStep = kStepSync;
    progressCount = 0;
    createUpdateErrorTimers();
    placeUpdateWidgets();
    showStatus(tr("Переподключите питание датчика"));
    if (ui) {
        ui->progressBarFirmwareDUT->setMinimum(0);
        ui->progressBarFirmwareDUT->setMaximum(fwimage::progressSteps(file.bytes, blockDialect, layout));
        ui->progressBarFirmwareDUT->setValue(0);
        ui->progressBarFirmwareDUT->show();
    }

    qDebug() << "Exit from startUpdateFirmware()";
    initForUpdateFirmware();
    // The user switches the device's power off and on now, which takes a
    // while; the sync byte is offered until its bootloader answers.
    startWaiting(tr("Осталось %1 с"));
    return true;
}

bool FirmwareUpdater::pause(int ms)
{
    const quint32 generation = updateGeneration;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    waits.push_back(&loop);
    loop.exec();
    waits.erase(std::find(waits.begin(), waits.end(), &loop));
    return generation == updateGeneration;
}

bool FirmwareUpdater::interrupt()
{
    if (!running)
        return false;
    // The port wrote the closing frame: only the wait for the new firmware
    // is cut. Until then the download is cut short, and what of it waits to
    // be written never goes out.
    const bool completed = !updateFailed && closingFrameWritten();
    cutShort(!completed);
    setInVisibleLabelBadFirmW();
    if (completed) {
        noteClosingFrameWritten();
        outcome = tr("Прошивка успешно обновлена");
        end(true);
        showStatus(outcome);
        return false;
    }
    emit signalWriteLog(QString("Interrupted update firmware %1 sec").arg(nowSecs() - timeStartUpdate));
    interrupted = true;
    advice = tr("Датчик остаётся в режиме загрузчика до выключения и включения его питания");
    showErrorUpdateFirmware();
    end(false);
    return true;
}

void FirmwareUpdater::createUpdateErrorTimers()
{
    timerAnswerTimeout = new QTimer(this);
    // One late step leads to one wait, or to one failure.
    timerAnswerTimeout->setSingleShot(true);
    timerAnswerTimeout->setInterval(kAnswerTimeoutMs);
    connect(timerAnswerTimeout, &QTimer::timeout, this, [this] {
        // A refused step gets no acknowledge later; a silent one may.
        if (answerRefused)
            startFailure();
        else
            startWaiting(tr("Ожидаем ответа от датчика, осталось %1 с"));
    });

    timerErrorDisplay = new QTimer(this);
    timerErrorDisplay->setInterval(kErrorDisplayMs);
    connect(timerErrorDisplay, &QTimer::timeout, this, &FirmwareUpdater::setInVisibleLabelBadFirmW);
    connect(timerErrorDisplay, &QTimer::timeout, this, [this] { timerErrorDisplay->stop(); });
    connect(timerErrorDisplay, &QTimer::timeout, this, &FirmwareUpdater::showErrorUpdateFirmware);
    connect(timerErrorDisplay, &QTimer::timeout, this, &FirmwareUpdater::leaveFailedUpdate);

    timerTimeLeft = new QTimer(this);
    timerTimeLeft->setInterval(kTimeLeftMs);
    connect(timerTimeLeft, &QTimer::timeout, this, &FirmwareUpdater::showTimeLeft);
}

// The progress bar and the error line go onto the page the user started the
// download from, so that they are seen there.
void FirmwareUpdater::placeUpdateWidgets()
{
    if (!ui || !request.formPage)
        return;
    QWidget *page = request.formPage;
    QProgressBar *progress = ui->progressBarFirmwareDUT;
    if (!barPlace.isValid())
        barPlace = progress->geometry();
    if (progress->parentWidget() != page)
        progress->setParent(page);
    // Where the form puts it, unless the page's own status lines are there:
    // then just above them.
    QRect place = barPlace;
    if (request.remarkLine && request.remarkLine->geometry().top() - kBarGap < place.bottom())
        place.moveBottom(request.remarkLine->geometry().top() - kBarGap);
    progress->setGeometry(place);
    if (!labelBadFirmware)
        labelBadFirmware = new QLabel(tr("Ошибка в обновлении"), page);
    else if (labelBadFirmware->parentWidget() != page)
        labelBadFirmware->setParent(page);
    // The error shows where the progress was watched: the bar is hidden then.
    const QRect bar = ui->progressBarFirmwareDUT->geometry();
    labelBadFirmware->setGeometry(bar.x(), bar.y(), 300, 25);
    labelBadFirmware->hide();
}

void FirmwareUpdater::initForUpdateFirmware()
{
    dropTimer(timerReadUpdate);
    dropTimer(timerStepUpdate);
    timerReadUpdate = new QTimer();
    timerStepUpdate = new QTimer();
    // The pacing is the download's speed: coarse timers would stretch it.
    timerReadUpdate->setTimerType(Qt::PreciseTimer);
    timerStepUpdate->setTimerType(Qt::PreciseTimer);
    connect(timerReadUpdate, &QTimer::timeout, this, &FirmwareUpdater::checkIncommingDataWhileUpdate);
    connect(timerStepUpdate, &QTimer::timeout, this, &FirmwareUpdater::processUpdatePolling);
    timerStepUpdate->start(kStepStartMs);
    timerReadUpdate->start(kReadStartMs);
    sinceLastStep.start();
}

void FirmwareUpdater::setAnswerUpdateFirmware(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    // Before the sync byte (curStep 0) the line brings what the device sent
    // before its restart, which is no answer.
    if (!running || curStep == 0 || curStep >= kStepDone)
        return;
    // The sync byte's answer is told by the watch, at the step's tick.
    // A refusal tells of a bootloader that holds part of an image already
    // (it was filling a block when a download was left): every block sent
    // now would land after it.
    if (curStep == kStepSync) {
        statusUpdateFirmware = 0;
        if (syncWatch.take(bytes) == fwimage::SyncAnswer::Refusal)
            stopNotAtStart();
        return;
    }
    // The bootloader answers each step with one byte: the read's first.
    statusUpdateFirmware = quint8(bytes.at(0));
    if (fwimage::isAcknowledge(statusUpdateFirmware))
        return;
    // After a step any other byte than an acknowledge refuses it.
    answerRefused = true;
    if (timerTimeLeft && timerTimeLeft->isActive()) {
        stopWaiting();
        startFailure();
    }
}

void FirmwareUpdater::checkIncommingDataWhileUpdate()
{
    emit signalCheckIncommingDataWhileUpdate();
    // An acknowledge read once a whole step interval has passed runs the next
    // step at once rather than at the timer's next tick: the line is then
    // never left idle for most of a tick.
    if (timerStepUpdate && !stepRunning && !updateFailed && fwimage::isAcknowledge(statusUpdateFirmware) &&
        sinceLastStep.elapsed() >= timerStepUpdate->interval())
        processUpdatePolling();
}

void FirmwareUpdater::processUpdatePolling()
{
    if (stepRunning || updateFailed || !timerStepUpdate || curStep >= kStepDone)
        return;
    StepGuard guard(stepRunning);
    const quint32 generation = updateGeneration;

    if (ui && !ui->progressBarFirmwareDUT->isHidden())
        ui->progressBarFirmwareDUT->setValue(progressCount);
    qDebug() << "processUpdatePolling";
    qDebug() << "statusUpdateFirmware = " << statusUpdateFirmware;

    // From the first tick on the machine runs at full pace, whether or not
    // the bootloader already answered the sync byte of the start.
    if (timerStepUpdate->interval() != kStepMs) {
        timerStepUpdate->setInterval(kStepMs);
        timerReadUpdate->start(kReadMs);
    }

    const fwimage::SyncWatch::Step sync =
        curStep == kStepSync ? syncWatch.tick() : fwimage::SyncWatch::Step::Synchronised;
    const bool acknowledged = curStep == kStepSync ? sync == fwimage::SyncWatch::Step::Synchronised
                                                   : fwimage::isAcknowledge(statusUpdateFirmware);
    if (sync == fwimage::SyncWatch::Step::SendSync) {
        emit writeData(QByteArray(1, char(fwimage::kSync)));
        if (ui) {
            ui->progressBarFirmwareDUT->setValue(0);
            ui->progressBarFirmwareDUT->show();
        }
        qDebug() << "Start STEP_START_DWNLD_FRMWARE ";
        qDebug() << "change time";
    }
    if (!acknowledged) {
        statusUpdateFirmware = 0;
        return;
    }

    qDebug() << "curStep = " << curStep;
    statusUpdateFirmware = 0;
    answerRefused = false;
    stopWaiting();
    if (timerAnswerTimeout)
        timerAnswerTimeout->start(kAnswerTimeoutMs);
    if (curStep == kStepSync)
        curStep = kStepErase;

    if (curStep == kStepEnd) {
        finishUpdate();
        return;
    }
    if (blockDialect)
        runBlockStep();
    else
        runRomStep();
    if (generation != updateGeneration || !timerStepUpdate)
        return;
    // The next step comes one whole interval after this one ended, and the
    // bootloader's answer to it is waited for from now.
    timerStepUpdate->start(kStepMs);
    sinceLastStep.restart();
    waitClock.restart();
}

void FirmwareUpdater::runRomStep()
{
    bool countsProgress = true;
    const quint8 step = curStep;
    if (step == kStepErase) {
        emit writeData(fwimage::eraseCommand());
        showStatus(tr("Идёт обновление прошивки датчика"));
    } else if (step == kStepGlobalErase) {
        emit writeData(fwimage::globalErase());
    } else if (step == kStepFirstWrite || step == kStepBlockWrite) {
        emit writeData(fwimage::writeCommand());
        countsProgress = step == kStepFirstWrite;
    } else if (step >= kStepFirstOption && step <= kStepLastOption) {
        // Each option byte takes three steps: its address, the byte, then the
        // write command of the next one (none after the last).
        const int option = (step - kStepFirstOption) / 3;
        const int phase = (step - kStepFirstOption) % 3;
        if (phase == 0)
            emit writeData(fwimage::addressFrame(fwimage::kOptionAddresses[size_t(option)]));
        else if (phase == 1)
            emit writeData(fwimage::oneByteWrite(fwimage::optionByte(streamFirmware, option)));
        else
            emit writeData(fwimage::writeCommand());
        if (step == kStepLastOption) {
            countsProgress = false;
            // From here on the stream holds the data written to flash.
            streamFirmware = fwimage::romData(streamFirmware, {writeAddress, dataOffset, skipBlocks, extraBlocks});
        }
    } else if (step == kStepBlockAddress) {
        emit writeData(fwimage::addressFrame(writeAddress));
        countsProgress = false;
    } else if (step == kStepBlockData) {
        if (!sendRomBlock())
            return;
        countsProgress = false;
    } else {
        return;
    }
    if (countsProgress)
        ++progressCount;

    // Steps 5 and 6 do not exist; the option bytes lead into the block loop,
    // and the loop runs until the last block went out.
    if (step == kStepFirstWrite)
        curStep = kStepFirstOption;
    else if (step == kStepLastOption)
        curStep = kStepBlockWrite;
    else if (step == kStepBlockData)
        curStep = lastBlockSent ? kStepEnd : kStepBlockWrite;
    else
        curStep = quint8(step + 1);
}

bool FirmwareUpdater::sendRomBlock()
{
    const fwimage::Block block = fwimage::takeBlock(streamFirmware, fwimage::kRomBlockSize);
    lastBlockSent = block.last;
    qDebug() << "streamFirmware.size" << streamFirmware.size();
    emit writeData(fwimage::romBlockWrite(block.bytes));
    if (!pause(kBlockProgramMs))
        return false;
    writeAddress += fwimage::kRomBlockSize;
    ++progressCount;
    return true;
}

void FirmwareUpdater::runBlockStep()
{
    if (curStep != kStepBlocks)
        return;
    const fwimage::Block block = fwimage::takeBlock(streamFirmware, fwimage::kBlockSize);
    lastBlockSent = block.last;
    emit writeData(fwimage::dataBlockFrame(block.bytes));
    ++progressCount;
    showStatus(tr("Идёт обновление прошивки датчика"));
    curStep = lastBlockSent ? kStepEnd : kStepBlocks;
}

void FirmwareUpdater::finishUpdate()
{
    const QByteArray endFrame = blockDialect ? fwimage::endFrame() : fwimage::goCommand();
    if (blockDialect)
        qDebug() << "Датчик КФ260 успешно прошит";
    // No step follows and no answer is awaited: the download is done once
    // its closing frame is on the line.
    curStep = kStepDone;
    if (timerAnswerTimeout)
        timerAnswerTimeout->stop();
    stopWaiting();
    if (!sendClosingFrame(endFrame))
        return;
    deInitAfterUpdate();
    if (!pause(kEndWaitMs))
        return;
    // What the bootloader said last is no answer for the page.
    emit signalCheckIncommingDataWhileUpdate();
    statusUpdateFirmware = 0;
    if (ui)
        ui->progressBarFirmwareDUT->hide();
    lastBlockSent = false;
    outcome = tr("Прошивка успешно обновлена");
    end(true);
    showStatus(outcome);
}

bool FirmwareUpdater::sendClosingFrame(const QByteArray &frame)
{
    const quint32 generation = updateGeneration;
    // writeData reaches the port at once: the frame ends this far into the
    // port's stream, unless the port could not take it. A stream ended
    // meanwhile (the port closed) tells whether it went out.
    const PortConnection::Mark before = line ? line->handedMark() : PortConnection::Mark();
    if (line)
        closingMark = PortConnection::Mark{before.stream, before.handed + frame.size()};
    emit writeData(frame);
    if (line && line->handedMark().stream == before.stream && line->handedMark().handed != closingMark->handed)
        closingMark.reset();
    // A line that takes no byte for the whole patience fails the download;
    // the frame it holds goes no more.
    QTimer patience;
    patience.setSingleShot(true);
    patience.start(patienceMs);
    while (!closingFrameWritten()) {
        if (generation != updateGeneration)
            return false;
        if (!patience.isActive()) {
            if (line)
                line->dropUnwritten();
            startFailure();
            return false;
        }
        QEventLoop loop;
        if (line)
            connect(line, &PortConnection::signalWritten, &loop, &QEventLoop::quit);
        connect(&patience, &QTimer::timeout, &loop, &QEventLoop::quit);
        waits.push_back(&loop);
        loop.exec();
        waits.erase(std::find(waits.begin(), waits.end(), &loop));
    }
    if (generation != updateGeneration)
        return false;
    noteClosingFrameWritten();
    return true;
}

bool FirmwareUpdater::closingFrameWritten() const
{
    return closingWritten || (closingMark && line && line->isWritten(*closingMark));
}

void FirmwareUpdater::noteClosingFrameWritten()
{
    if (closingWritten)
        return;
    closingWritten = true;
    emit signalWriteLog(QString("End update firmware %1 sec").arg(nowSecs() - timeStartUpdate));
}

bool FirmwareUpdater::isSeen() const
{
    return request.formPage && request.formPage->isVisibleTo(request.formPage->window());
}

void FirmwareUpdater::deInitAfterUpdate()
{
    qDebug() << "deinitAfterUpdate";
    dropTimer(timerReadUpdate);
    dropTimer(timerStepUpdate);
    dropTimer(timerErrorDisplay);
    dropTimer(timerAnswerTimeout);
    dropTimer(timerTimeLeft);
    clearUpdateState();
}

void FirmwareUpdater::clearUpdateState()
{
    streamFirmware.clear();
    statusUpdateFirmware = 0;
    answerRefused = false;
    writeAddress = 0;
    dataOffset = 0;
    skipBlocks = 0;
    extraBlocks = 0;
    lastBlockSent = false;
    progressCount = 0;
    updateFailed = false;
}

void FirmwareUpdater::end(bool ok)
{
    running = false;
    // Past its reset, a download that did not complete leaves the sensor in
    // its bootloader until its power is switched off and on; one that did
    // leaves it running its new firmware.
    leftLines.removeAll(downloadLine);
    if (!ok && !downloadLine.isEmpty())
        leftLines.append(downloadLine);
    showRemark(QString());
    if (!request.statusLine) {
        const quint32 generation = updateGeneration;
        QTimer::singleShot(kOwnLinesKeptMs, this, [this, generation] {
            if (!running && generation == updateGeneration)
                ownLines.setVisible(false);
        });
    }
    emit finished(request.page, ok);
}

QString FirmwareUpdater::openLine() const
{
    const QSerialPort *port = line ? line->getSerialPort() : nullptr;
    return port && port->isOpen() ? serialline::ofHandle(port->handle()) : QString();
}

bool FirmwareUpdater::leftOnLine() const
{
    const QString now = openLine();
    return !now.isEmpty() && leftLines.contains(now);
}

void FirmwareUpdater::sensorAnsweredOnLine()
{
    // While a download runs the line is the bootloader's.
    if (!running)
        leftLines.removeAll(openLine());
}

QString FirmwareUpdater::powerCycleQuestion()
{
    return tr("Обновление прошивки через этот преобразователь не было завершено, датчик может оставаться в режиме "
              "загрузчика\nВыключите и включите питание датчика, затем нажмите OK");
}

void FirmwareUpdater::startWaiting(const QString &remark)
{
    if (!timerTimeLeft)
        return;
    waitRemark = remark;
    if (curStep == kStepSync)
        waitClock.restart();
    showTimeLeft();
    timerTimeLeft->start();
}

void FirmwareUpdater::stopWaiting()
{
    if (!timerTimeLeft || !timerTimeLeft->isActive())
        return;
    timerTimeLeft->stop();
    showRemark(QString());
}

void FirmwareUpdater::showTimeLeft()
{
    const qint64 leftMs = patienceMs - waitClock.elapsed();
    if (leftMs <= 0) {
        stopWaiting();
        startFailure();
        return;
    }
    showRemark(waitRemark.arg((leftMs + 999) / 1000));
}

// The error display of a download given up: the progress goes, the error
// line shows for a while, then the status says the firmware was not updated.
void FirmwareUpdater::startFailure()
{
    if (updateFailed || !timerErrorDisplay)
        return;
    setInvisibleProgressBarFirmware();
    timerErrorDisplay->start(kErrorDisplayMs);
    setVisibleLabelBadFirmW();
}

quint8 FirmwareUpdater::calcCheksum(QByteArray &inputData, int len)
{
    return fwimage::xorChecksum(inputData, len);
}

void FirmwareUpdater::setInvisibleProgressBarFirmware()
{
    // The download counts as failed: no further step runs, even on a late answer.
    updateFailed = true;
    if (timerStepUpdate)
        timerStepUpdate->stop();
    if (ui)
        ui->progressBarFirmwareDUT->hide();
}

void FirmwareUpdater::setVisibleLabelBadFirmW()
{
    if (labelBadFirmware)
        labelBadFirmware->show();
    emit signalWriteLog(QString("Error update firmware %1 sec").arg(nowSecs() - timeStartUpdate));
}

void FirmwareUpdater::setInVisibleLabelBadFirmW()
{
    if (labelBadFirmware)
        labelBadFirmware->hide();
}

void FirmwareUpdater::showErrorUpdateFirmware()
{
    outcome = tr("Прошивка не обновлена");
    showStatus(outcome);
}

void FirmwareUpdater::cutShort(bool dropUnwritten)
{
    ++updateGeneration;
    // The download's waits end now: the step that waits returns at once.
    for (QEventLoop *loop : waits)
        loop->quit();
    if (dropUnwritten && line)
        line->dropUnwritten();
    deInitAfterUpdate();
    curStep = kStepDone;
    if (ui)
        ui->progressBarFirmwareDUT->hide();
}

void FirmwareUpdater::stopNotAtStart()
{
    // Not even a sync byte more goes out.
    cutShort(true);
    emit signalWriteLog(
        QString("Error update firmware %1 sec, bootloader not at its start").arg(nowSecs() - timeStartUpdate));
    advice = tr("Загрузчик датчика не в начале загрузки прошивки\nВыключите и включите питание датчика, затем "
                "начните обновление снова");
    showErrorUpdateFirmware();
    end(false);
}

void FirmwareUpdater::leaveFailedUpdate()
{
    deInitAfterUpdate();
    curStep = kStepDone;
    end(false);
}

QLabel *FirmwareUpdater::statusLine()
{
    if (request.statusLine)
        return request.statusLine;
    if (!request.formPage || !ui)
        return nullptr;
    if (!ownLines.lower())
        ownLines.create(request.formPage, QString());
    // Under the progress bar, wherever the window has put it.
    const QRect bar = ui->progressBarFirmwareDUT->geometry();
    const int top = bar.bottom() + 1 + kOwnLineGap;
    for (QLabel *line : {ownLines.upper(), ownLines.lower()}) {
        if (line->parentWidget() != request.formPage)
            line->setParent(request.formPage);
    }
    ownLines.upper()->setGeometry(bar.x(), top, ownLines.upper()->width(), kOwnLineHeight);
    ownLines.lower()->setGeometry(bar.x(), top + kOwnLineHeight, ownLines.lower()->width(), kOwnLineHeight);
    return ownLines.lower();
}

QLabel *FirmwareUpdater::remarkLine()
{
    if (request.remarkLine)
        return request.remarkLine;
    statusLine();
    return ownLines.upper();
}

void FirmwareUpdater::showStatus(const QString &text)
{
    if (QLabel *line = statusLine()) {
        line->show();
        line->setText(text);
    }
}

void FirmwareUpdater::showRemark(const QString &text)
{
    if (QLabel *line = remarkLine()) {
        line->show();
        line->setText(text);
    }
}
