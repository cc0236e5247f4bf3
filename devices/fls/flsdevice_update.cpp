// Firmware download into the serial bootloader of a wired device: the file
// choice, the step machine of both bootloader dialects, the completion and
// the failure display. The page carries it for the other wired pages too.
#include "devices/fls/flsdevice.h"

#include "deruvivuriri_form.h"

#include "devices/fls/firmwareimage.h"
#include "ui/dynamicqdialog.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QSettings>
#include <QTimer>

namespace {

// The step timer starts slow, so that a bootloader already running has
// time to answer the first sync byte, and ticks fast from its first tick on.
constexpr int kStepStartMs = 200;
constexpr int kStepMs = 50;
constexpr int kReadStartMs = 40;
// The bootloader's one-byte answers are fetched often: a step runs as soon as
// its acknowledge is read.
constexpr int kReadMs = 10;
constexpr int kAnswerTimeoutMs = 2000;
constexpr int kErrorDisplayMs = 2000;
// A ROM block needs this long to be programmed before the next command.
constexpr int kBlockProgramMs = 100;
// Time the device takes to restart after the reset request, and to start the
// new firmware after the last frame.
constexpr int kResetWaitMs = 500;
constexpr int kEndWaitMs = 500;

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

const char *const kDefaultDirKey = "default_dir";

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
void dropTimer(QTimer *&timer, QObject *receiver)
{
    if (!timer)
        return;
    timer->stop();
    QObject::disconnect(timer, nullptr, receiver, nullptr);
    timer->deleteLater();
    timer = nullptr;
}

} // namespace

bool FLSDevice::isBlockDialect() const
{
    return modelQF260 || modelQF470 || updateFirmwareQFOnline;
}

bool FLSDevice::startUpdateFirmware()
{
    const bool watchdogWasRunning = timerDeviceConnected->isActive() && !timerDeviceConnected->signalsBlocked();
    resetAndStopTimerDeviceConnected();
    qDebug() << "Start update firmware";

    // The page that asked is known by the flag the main window set before
    // calling; the file's word may add the online flag.
    if (updateFirmwareQFOnline)
        updateAsker = UpdateAsker::QFOnline;
    else if (updateFirmwarePLM300)
        updateAsker = UpdateAsker::PLM300;
    else if (updateFirmwareKV380)
        updateAsker = UpdateAsker::KV380;
    else
        updateAsker = UpdateAsker::WiredSensor;

    QSettings settings;
    const QString path = QFileDialog::getOpenFileName(nullptr, tr("Выберете файл прошивки"),
                                                      settings.value(kDefaultDirKey).toString(), "*.cri *.bin");
    if (!path.isEmpty())
        settings.setValue(kDefaultDirKey, QFileInfo(path).absoluteFilePath());

    // Everything is judged before a byte goes out, so that a wrong file never
    // leaves the device in its bootloader.
    const fwimage::Model model = fwimage::modelOfPath(path);
    const fwimage::RomLayout layout = fwimage::romLayoutOf(model).value_or(fwimage::RomLayout());
    const bool blockDialect = fwimage::isBlockModel(model) || updateFirmwareQFOnline;
    QByteArray file;
    bool readable = false;
    if (model != fwimage::Model::None) {
        QFile input(path);
        if (input.open(QIODevice::ReadOnly)) {
            file = input.readAll();
            readable = input.error() == QFileDevice::NoError;
        }
    }
    if (model == fwimage::Model::None || !readable || !fwimage::isUsableFile(file, blockDialect, layout)) {
        refuseFirmwareFile(watchdogWasRunning);
        return false;
    }

    // A start replaces whatever an earlier download left behind.
    ++updateGeneration;
    if (timerStepUpdate || timerReadUpdate)
        deInitAfterUpdate();
    clearUpdateState();
    modelQF410 = model == fwimage::Model::QF410;
    modelQF210 = model == fwimage::Model::QF210;
    modelQF260 = model == fwimage::Model::QF260;
    modelQF470 = model == fwimage::Model::QF470;
    if (model == fwimage::Model::Online)
        updateFirmwareQFOnline = true;
    writeAddress = layout.writeAddress;
    dataOffset = layout.dataOffset;
    skipBlocks = layout.skipBlocks;
    extraBlocks = layout.extraBlocks;

    qDebug() << "Stop timer timeOutSearch";
    emit signalWriteLog("Starting update firmware");
    timeStartUpdate = nowSecs();

    setDefaultValuesToGuiField();
    sendResetDevice(currentNetNum);
    disconnectDevice();
    const quint32 generation = updateGeneration;
    delay(kResetWaitMs);
    if (generation != updateGeneration)
        return false; // a newer start took over during the wait

    streamFirmware = file;
    // What the sensor sent before its restart is no answer of the bootloader;
    // left in the buffer it would hide the acknowledge of the sync byte.
    emit signalCheckIncommingDataWhileUpdate();
    statusUpdateFirmware = 0;
    emit writeData(QByteArray(1, char(fwimage::kSync)));
    curStep = kStepSync;
    progressCount = 0;
    createUpdateErrorTimers();
    showStatusMessage(tr("Переподключите питание датчика"));

    placeUpdateWidgets();
    if (ui) {
        ui->progressBarFirmwareDUT->setMinimum(0);
        ui->progressBarFirmwareDUT->setMaximum(fwimage::progressSteps(file, isBlockDialect(), layout));
        ui->progressBarFirmwareDUT->setValue(0);
        ui->progressBarFirmwareDUT->show();
    }

    qDebug() << "Exit from startUpdateFirmware()";
    initForUpdateFirmware();
    // A bootloader that never answers the sync ends in the failure display
    // instead of being waited for without end.
    timerAnswerTimeout->start(kAnswerTimeoutMs);
    return true;
}

void FLSDevice::refuseFirmwareFile(bool watchdogWasRunning)
{
    auto *dialog = new DynamicQDialog(ui ? static_cast<QWidget *>(ui->DUT) : this, QString(),
                                      tr("Файл прошивки должен соответствовать модели датчика\nВозможно, файл "
                                         "повреждён\nВыберите другой файл"),
                                      false);
    dialog->resize(350, 170);
    dialog->exec();
    dialog->deleteLater();

    // Nothing was sent: the page that asked goes on as before.
    if (updateAsker == UpdateAsker::WiredSensor) {
        if (watchdogWasRunning)
            restoreTimerDeviceConnected();
        updateFirmwareQFOnline = updateFirmwarePLM300 = updateFirmwareKV380 = false;
    } else {
        handBackAfterUpdate();
    }
}

void FLSDevice::createUpdateErrorTimers()
{
    if (!timerAnswerTimeout) {
        timerAnswerTimeout = new QTimer(this);
        // One silence runs the error display once.
        timerAnswerTimeout->setSingleShot(true);
        timerAnswerTimeout->setInterval(kAnswerTimeoutMs);
        connect(timerAnswerTimeout, &QTimer::timeout, this, &FLSDevice::setInvisibleProgressBarFirmware);
        connect(timerAnswerTimeout, &QTimer::timeout, this, [this] {
            if (timerErrorDisplay)
                timerErrorDisplay->start(kErrorDisplayMs);
        });
        connect(timerAnswerTimeout, &QTimer::timeout, this, &FLSDevice::setVisibleLabelBadFirmW);
    }
    if (!timerErrorDisplay) {
        timerErrorDisplay = new QTimer(this);
        timerErrorDisplay->setInterval(kErrorDisplayMs);
        connect(timerErrorDisplay, &QTimer::timeout, this, &FLSDevice::setInVisibleLabelBadFirmW);
        connect(timerErrorDisplay, &QTimer::timeout, this, [this] {
            if (timerAnswerTimeout)
                timerAnswerTimeout->stop();
            timerErrorDisplay->stop();
        });
        connect(timerErrorDisplay, &QTimer::timeout, this, &FLSDevice::showErrorUpdateFirmware);
        connect(timerErrorDisplay, &QTimer::timeout, this, &FLSDevice::leaveFailedUpdate);
    }
}

// The progress bar and the error line go onto the page the user started the
// download from, so that they are seen there.
void FLSDevice::placeUpdateWidgets()
{
    if (!ui)
        return;
    QWidget *page = ui->DUT;
    if (updateAsker == UpdateAsker::QFOnline)
        page = ui->QFOnline;
    else if (updateAsker == UpdateAsker::PLM300)
        page = ui->PLM300;
    else if (updateAsker == UpdateAsker::KV380)
        page = ui->KV380;
    if (ui->progressBarFirmwareDUT->parentWidget() != page)
        ui->progressBarFirmwareDUT->setParent(page);
    if (!labelBadFirmware)
        labelBadFirmware = new QLabel(tr("Ошибка в обновлении"), page);
    else if (labelBadFirmware->parentWidget() != page)
        labelBadFirmware->setParent(page);
    // The error shows where the progress was watched: the bar is hidden then.
    const QRect bar = ui->progressBarFirmwareDUT->geometry();
    labelBadFirmware->setGeometry(bar.x(), bar.y(), 300, 25);
    labelBadFirmware->hide();
}

void FLSDevice::initForUpdateFirmware()
{
    dropTimer(timerReadUpdate, this);
    dropTimer(timerStepUpdate, this);

    // The bootloader's bytes must reach the updater alone.
    stopSearchDevices();
    disconnect(timerGetData, &QTimer::timeout, this, &FLSDevice::signalRequestForGetAllDataFromDevice);
    disconnect(timerCheckData, &QTimer::timeout, this, &FLSDevice::checkIncommingData);

    timerReadUpdate = new QTimer();
    timerStepUpdate = new QTimer();
    // The pacing is the download's speed: coarse timers would stretch it.
    timerReadUpdate->setTimerType(Qt::PreciseTimer);
    timerStepUpdate->setTimerType(Qt::PreciseTimer);
    connect(timerReadUpdate, &QTimer::timeout, this, &FLSDevice::checkIncommingDataWhileUpdate);
    connect(timerStepUpdate, &QTimer::timeout, this, &FLSDevice::processUpdatePolling);
    timerStepUpdate->start(kStepStartMs);
    timerReadUpdate->start(kReadStartMs);
    sinceLastStep.start();
}

void FLSDevice::checkIncommingDataWhileUpdate()
{
    emit signalCheckIncommingDataWhileUpdate();
    // An acknowledge read once a whole step interval has passed runs the next
    // step at once rather than at the timer's next tick: the line is then
    // never left idle for most of a tick.
    if (timerStepUpdate && !stepRunning && !updateFailed && fwimage::isAcknowledge(statusUpdateFirmware) &&
        sinceLastStep.elapsed() >= timerStepUpdate->interval())
        processUpdatePolling();
}

void FLSDevice::processUpdatePolling()
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

    const bool acknowledged = fwimage::isAcknowledge(statusUpdateFirmware);
    if (curStep == kStepSync && !acknowledged) {
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
    if (timerAnswerTimeout)
        timerAnswerTimeout->start(kAnswerTimeoutMs);
    if (curStep == kStepSync)
        curStep = kStepErase;

    if (curStep == kStepEnd) {
        finishUpdate();
        return;
    }
    if (isBlockDialect())
        runBlockStep();
    else
        runRomStep();
    if (generation != updateGeneration || !timerStepUpdate)
        return;
    // The next step comes one whole interval after this one ended.
    timerStepUpdate->start(kStepMs);
    sinceLastStep.restart();
}

void FLSDevice::runRomStep()
{
    bool countsProgress = true;
    const quint8 step = curStep;
    if (step == kStepErase) {
        emit writeData(fwimage::eraseCommand());
        showStatusMessage(tr("Идёт обновление прошивки датчика"));
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
        sendRomBlock();
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

void FLSDevice::sendRomBlock()
{
    const fwimage::Block block = fwimage::takeBlock(streamFirmware, fwimage::kRomBlockSize);
    lastBlockSent = block.last;
    qDebug() << "streamFirmware.size" << streamFirmware.size();
    emit writeData(fwimage::romBlockWrite(block.bytes));
    const quint32 generation = updateGeneration;
    delay(kBlockProgramMs);
    if (generation != updateGeneration)
        return;
    writeAddress += fwimage::kRomBlockSize;
    ++progressCount;
}

void FLSDevice::runBlockStep()
{
    if (curStep != kStepBlocks)
        return;
    const fwimage::Block block = fwimage::takeBlock(streamFirmware, fwimage::kBlockSize);
    lastBlockSent = block.last;
    emit writeData(fwimage::dataBlockFrame(block.bytes));
    ++progressCount;
    showStatusMessage(tr("Идёт обновление прошивки датчика"));
    curStep = lastBlockSent ? kStepEnd : kStepBlocks;
}

void FLSDevice::finishUpdate()
{
    const bool blockDialect = isBlockDialect();
    const QByteArray endFrame = blockDialect ? fwimage::endFrame() : fwimage::goCommand();
    if (blockDialect)
        qDebug() << "Датчик КФ260 успешно прошит";
    deInitAfterUpdate();
    curStep = kStepDone;
    emit signalWriteLog(QString("End update firmware %1 sec").arg(nowSecs() - timeStartUpdate));
    emit writeData(endFrame);
    const quint32 generation = updateGeneration;
    delay(kEndWaitMs);
    if (generation != updateGeneration)
        return;
    // What the bootloader said last is no answer for the page.
    emit signalCheckIncommingDataWhileUpdate();
    statusUpdateFirmware = 0;
    if (ui)
        ui->progressBarFirmwareDUT->hide();
    lastBlockSent = false;
    handBackAfterUpdate();
    showStatusMessage(tr("Прошивка успешно обновлена"));
}

void FLSDevice::deInitAfterUpdate()
{
    qDebug() << "deinitAfterUpdate";
    dropTimer(timerReadUpdate, this);
    dropTimer(timerStepUpdate, this);
    dropTimer(timerErrorDisplay, this);
    dropTimer(timerAnswerTimeout, this);
    clearUpdateState();
}

void FLSDevice::clearUpdateState()
{
    streamFirmware.clear();
    statusUpdateFirmware = 0;
    writeAddress = 0;
    dataOffset = 0;
    skipBlocks = 0;
    extraBlocks = 0;
    lastBlockSent = false;
    progressCount = 0;
    updateFailed = false;
    modelQF410 = modelQF210 = modelQF260 = modelQF470 = false;
}

void FLSDevice::handBackAfterUpdate()
{
    const UpdateAsker asker = updateAsker;
    updateFirmwareQFOnline = updateFirmwarePLM300 = updateFirmwareKV380 = false;
    updateAsker = UpdateAsker::WiredSensor;
    switch (asker) {
    case UpdateAsker::QFOnline:
        emit signalEndUpdateFirmwareQFOnline();
        break;
    case UpdateAsker::PLM300:
        emit signalEndUpdateFirmwarePLM300();
        break;
    case UpdateAsker::KV380:
        emit signalEndUpdateFirmwareKV380();
        break;
    case UpdateAsker::WiredSensor:
        // Polling, watchdog and the search start again: the new firmware is
        // found like a sensor just plugged in.
        connectDevice();
        break;
    }
}

quint8 FLSDevice::calcCheksum(QByteArray &inputData, int len)
{
    return fwimage::xorChecksum(inputData, len);
}

void FLSDevice::setInvisibleProgressBarFirmware()
{
    // The download counts as failed: no further step runs, even on a late answer.
    updateFailed = true;
    if (timerStepUpdate)
        timerStepUpdate->stop();
    if (ui)
        ui->progressBarFirmwareDUT->hide();
}

void FLSDevice::setVisibleLabelBadFirmW()
{
    if (labelBadFirmware)
        labelBadFirmware->show();
    emit signalWriteLog(QString("Error update firmware %1 sec").arg(nowSecs() - timeStartUpdate));
}

void FLSDevice::setInVisibleLabelBadFirmW()
{
    if (labelBadFirmware)
        labelBadFirmware->hide();
}

void FLSDevice::showErrorUpdateFirmware()
{
    showStatusMessage(tr("Прошивка не обновлена"));
}

void FLSDevice::leaveFailedUpdate()
{
    deInitAfterUpdate();
    curStep = kStepDone;
    handBackAfterUpdate();
}
