// Lifecycle of the wireless angle sensor page: timers, polling through the
// main window, the connection watchdog, the status lines and the countdown
// shown after the sensor restarted.
#include "devices/angle/kvbledevice.h"

#include "deruvivuriri_form.h"

#include "ui/dynamicqdialog.h"

#include <QEventLoop>
#include <QIntValidator>
#include <QLabel>
#include <QMovie>
#include <QSerialPort>
#include <QSettings>
#include <QTimer>

namespace {

constexpr QRect kStatusLine{5, 573, 600, 20};
constexpr QRect kStatusUpLine{5, 550, 600, 20};

} // namespace

KVBLEDevice::KVBLEDevice(Ui_Deruvivuriri *form, QSerialPort *port) : QWidget(nullptr), ui(form), serialPort(port)
{
    timerDeviceConnected = new QTimer(this);
    timerRequest = new QTimer(this);
    timerCheck = new QTimer(this);
    timerSearch = new QTimer(this);
    // The poll timers tick from the start; only connectDevice() gives their
    // ticks something to do.
    timerRequest->start(kPollIntervalMs);
    timerCheck->start(kCheckIntervalMs);

    timerStatusMsg = new QTimer(this);
    timerCommandReply = new QTimer(this);
    timerStatusMsg->setSingleShot(true);
    timerCommandReply->setSingleShot(true);
    connect(timerStatusMsg, &QTimer::timeout, this, &KVBLEDevice::setEnableShowMainStatusMsgBLE);
    connect(timerCommandReply, &QTimer::timeout, this, &KVBLEDevice::setStatusCurCmdBLE);

    movieHorizontalLight = new QMovie(kvble::rotationMovieFile(kvble::Rotation::Horizontal, false), QByteArray(), this);
    movieVerticalLight = new QMovie(kvble::rotationMovieFile(kvble::Rotation::Vertical, false), QByteArray(), this);
    movieVertical = new QMovie(kvble::rotationMovieFile(kvble::Rotation::Vertical, true), QByteArray(), this);
    movieHorizontal = new QMovie(kvble::rotationMovieFile(kvble::Rotation::Horizontal, true), QByteArray(), this);
}

KVBLEDevice::~KVBLEDevice()
{
    // The form may go before the page: no movie frame may reach its label any more.
    for (QMovie *movie : {movieVertical, movieHorizontal, movieVerticalLight, movieHorizontalLight})
        movie->stop();
}

bool KVBLEDevice::initUI()
{
    addSwitchToUI();
    initStatusMessage();
    if (!ui)
        return true;
    ui->widgetKVBLE->hide();
    ui->lineEditKVBLEDown->setValidator(
        new QIntValidator(kvble::kThresholdRange.min, kvble::kThresholdRange.max, this));
    ui->lineEditKVBLEUp->setValidator(new QIntValidator(kvble::kThresholdRange.min, kvble::kThresholdRange.max, this));
    ui->lineEditKVBLEOn->setValidator(new QIntValidator(kvble::kDelayRange.min, kvble::kDelayRange.max, this));
    ui->lineEditKVBLEOff->setValidator(new QIntValidator(kvble::kDelayRange.min, kvble::kDelayRange.max, this));
    pixLock = QPixmap(QStringLiteral(":/images/lock.png"));
    pixUnlock = QPixmap(QStringLiteral(":/images/unlock.png"));
    return true;
}

bool KVBLEDevice::initStatusMessage()
{
    if (!ui)
        return false;
    statusDown = new QLabel(tr("Подключите датчик"), ui->KV_BLE);
    statusUp = new QLabel(QString(), ui->KV_BLE);
    statusDown->setObjectName(QStringLiteral("labelStatusKVBLE"));
    statusUp->setObjectName(QStringLiteral("labelStatusUpKVBLE"));
    statusDown->setGeometry(kStatusLine);
    statusUp->setGeometry(kStatusUpLine);
    statusDown->show();
    statusUp->show();
    return true;
}

int KVBLEDevice::showUI(bool visible)
{
    if (ui)
        ui->widgetKVBLE->setVisible(visible);
    return 1;
}

void KVBLEDevice::connectDevice()
{
    // Made once however often the page is chosen: a second connection would
    // double every poll.
    connect(timerRequest, &QTimer::timeout, this, &KVBLEDevice::signalRequestForGetAllDataFromDevice,
            Qt::UniqueConnection);
    connect(timerCheck, &QTimer::timeout, this, &KVBLEDevice::checkIncommingData, Qt::UniqueConnection);
    connect(timerDeviceConnected, &QTimer::timeout, this, &KVBLEDevice::resetDeviceIsConnected, Qt::UniqueConnection);
    timerRequest->start(kPollIntervalMs);
    timerCheck->start(kCheckIntervalMs);

    // Every request goes to the base.
    netNumList = QByteArray(1, char(kvble::kBaseAddress));
    emit copyNetNumToParent(netNumList);
    polling = true;
    // The base may relay another sensor than when the page was last chosen.
    relearnSensor();
    restoreTimerDeviceConnected();
    needUpdateWindow = true;
}

void KVBLEDevice::disconnectDevice()
{
    timerRequest->stop();
    timerCheck->stop();
    disconnect(timerRequest, &QTimer::timeout, this, &KVBLEDevice::signalRequestForGetAllDataFromDevice);
    disconnect(timerCheck, &QTimer::timeout, this, &KVBLEDevice::checkIncommingData);
    disconnect(timerDeviceConnected, &QTimer::timeout, this, &KVBLEDevice::resetDeviceIsConnected);
    resetAndStopTimerDeviceConnected();
    polling = false;
    showUI(false);
    stopSearchDevices();
}

void KVBLEDevice::relearnSensor()
{
    newDevice = true;
    announceArmed = true;
    protectionKnown = false;
    passwordStep = PasswordStep::None;
    clearDeviceInfo();
    if (ui)
        ui->label_LockKVBLE->hide();
}

void KVBLEDevice::checkIncommingData()
{
    emit signalCheckIncommingData();
}

void KVBLEDevice::startSearchDevices()
{
    searching = true;
    timerSearch->start(kSearchIntervalMs);
    connect(timerSearch, &QTimer::timeout, this, &KVBLEDevice::signalRequestForSearchDevices, Qt::UniqueConnection);
    emit signalRequestForSearchDevices();
}

void KVBLEDevice::stopSearchDevices()
{
    if (!timerSearch->isActive())
        return;
    searching = false;
    disconnect(timerSearch, &QTimer::timeout, this, &KVBLEDevice::signalRequestForSearchDevices);
    timerSearch->stop();
}

void KVBLEDevice::resetDeviceIsConnected()
{
    showUI(false);
    showStatusMessageUp(tr(" "));
    showStatusMessage(tr("Подключите датчик"));
    currentCommand = kvble::kNoCommand;
    deviceConnected = false;
    needUpdateWindow = true;
    emit signalWriteLog(QStringLiteral("Device is not responding"));
    // Polling goes on: the next answer brings the page back by itself.
}

void KVBLEDevice::restoreTimerDeviceConnected()
{
    timerDeviceConnected->blockSignals(false);
    timerDeviceConnected->start(kConnectionWatchdogMs);
}

void KVBLEDevice::resetAndStopTimerDeviceConnected()
{
    timerDeviceConnected->blockSignals(true);
    timerDeviceConnected->stop();
}

void KVBLEDevice::resetTimerDeviceConnected()
{
    timerDeviceConnected->start(kConnectionWatchdogMs);
}

bool KVBLEDevice::showStatusMessageUp(QString message)
{
    if (!statusUp)
        return false;
    statusUp->setText(message);
    return true;
}

bool KVBLEDevice::showStatusMessage(QString message)
{
    if (!statusDown)
        return false;
    statusDown->setText(message);
    return true;
}

bool KVBLEDevice::resetSettingToDefault()
{
    return true;
}

bool KVBLEDevice::checkDarkTheme()
{
    const QSettings settings(QStringLiteral("Mirvel"), QStringLiteral("Reriruvozive-Mirvel"));
    return settings.value(QStringLiteral("theme")).toString() == QLatin1String("dark");
}

QWidget *KVBLEDevice::dialogParent()
{
    return ui ? static_cast<QWidget *>(ui->KV_BLE) : this;
}

void KVBLEDevice::escapeCurSetting()
{
    DynamicQDialog::tell(dialogParent(), tr("Функция в разработке"), QString());
}

void KVBLEDevice::setFactorySetting()
{
    escapeCurSetting();
}

void KVBLEDevice::delay(int time)
{
    QEventLoop loop;
    // Precise: a coarse timer may end a two-second wait a tenth early.
    QTimer::singleShot(time, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void KVBLEDevice::setStatusCurCmdBLE()
{
    timerCommandReply->stop();
    mainStatus = true;
    // A password exchange left without an answer is over; the probe may go
    // out again.
    if (passwordStep != PasswordStep::Probe)
        passwordStep = PasswordStep::None;
}

void KVBLEDevice::setEnableShowMainStatusMsgBLE()
{
    timerStatusMsg->stop();
    timerCommandReply->stop();
    mainStatus = true;
}

void KVBLEDevice::updateTimerFwBLE()
{
    if (countdown > 0) {
        if (ui)
            ui->labelTimerUpdFwBLE->setText(QString::number(countdown));
        --countdown;
        return;
    }
    if (countdownTimer) {
        countdownTimer->stop();
        countdownTimer->deleteLater();
        countdownTimer = nullptr;
    }
    if (ui) {
        ui->labelTimerUpdFwBLE->hide();
        ui->labelMsgUpdBLE->hide();
    }
}
