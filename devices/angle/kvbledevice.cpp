// Lifecycle of the wireless angle sensor page: timers, polling through the
// main window, the connection watchdog, the status lines and the countdown
// shown after the sensor restarted.
#include "devices/angle/kvbledevice.h"

#include "deruvivuriri_form.h"

#include "files/programsettings.h"
#include "ui/boundedintvalidator.h"
#include "ui/securityble.h"

#include <QLabel>
#include <QMovie>
#include <QTimer>

namespace {

constexpr QRect kStatusLine{5, 573, 600, 20};
constexpr QRect kStatusUpLine{5, 550, 600, 20};

} // namespace

KVBLEDevice::KVBLEDevice(Ui_Deruvivuriri *form, QSerialPort *port) : BaseDevice(form, port)
{
    timerStatusMsg = new QTimer(this);
    timerCommandReply = new QTimer(this);
    timerStatusMsg->setSingleShot(true);
    timerCommandReply->setSingleShot(true);
    connect(timerStatusMsg, &QTimer::timeout, this, &KVBLEDevice::setEnableShowMainStatusMsgBLE);
    connect(timerCommandReply, &QTimer::timeout, this, &KVBLEDevice::setStatusCurCmdBLE);
    passwordQuestion = new PasswordQuestion(
        {kvble::kStatusPasswordAccepted, kvble::kStatusPasswordRefused, kvble::kStatusPasswordChangeFailed}, this);
    connect(passwordQuestion, &PasswordQuestion::answered, this, &KVBLEDevice::passwordAnswered);
    connect(passwordQuestion, &PasswordQuestion::unanswered, this, &KVBLEDevice::passwordUnanswered);

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
    placeStatusLines();
    if (!ui)
        return true;
    ui->widgetKVBLE->hide();
    BoundedIntValidator::install(ui->lineEditKVBLEDown, kvble::kThresholdRange.min, kvble::kThresholdRange.max);
    BoundedIntValidator::install(ui->lineEditKVBLEUp, kvble::kThresholdRange.min, kvble::kThresholdRange.max);
    BoundedIntValidator::install(ui->lineEditKVBLEOn, kvble::kDelayRange.min, kvble::kDelayRange.max);
    BoundedIntValidator::install(ui->lineEditKVBLEOff, kvble::kDelayRange.min, kvble::kDelayRange.max);
    pixLock = QPixmap(QStringLiteral(":/images/lock.png"));
    pixUnlock = QPixmap(QStringLiteral(":/images/unlock.png"));
    return true;
}

void KVBLEDevice::placeStatusLines()
{
    if (!ui)
        return;
    createStatusLines(ui->KV_BLE, tr("Подключите датчик"));
    status.lower()->setObjectName(QStringLiteral("labelStatusKVBLE"));
    status.upper()->setObjectName(QStringLiteral("labelStatusUpKVBLE"));
    // This page's lines are wider than the other pages'.
    status.lower()->setGeometry(kStatusLine);
    status.upper()->setGeometry(kStatusUpLine);
}

int KVBLEDevice::showUI(bool visible)
{
    if (ui)
        ui->widgetKVBLE->setVisible(visible);
    return 1;
}

void KVBLEDevice::connectDevice()
{
    BaseDevice::connectDevice();

    // Every request goes to the base.
    netNumList = QByteArray(1, char(kvble::kBaseAddress));
    emit copyNetNumToParent(netNumList);
    // The base may relay another sensor than when the page was last chosen;
    // the fields show what it reports, not edits made for another.
    relearnSensor();
    upEdited = downEdited = delayOnEdited = delayOffEdited = false;
    needUpdateWindow = true;
}

void KVBLEDevice::disconnectDevice()
{
    BaseDevice::disconnectDevice();
    showUI(false);
    setEnableShowMainStatusMsgBLE();
    // Switched off, left, or its port gone: nothing answers here any more.
    showStatusMessageUp(QStringLiteral(" "));
    showStatusMessage(tr("Подключите датчик"));
}

void KVBLEDevice::tellProcedureRunning()
{
    // The write's box, put aside with its OK, comes back: it says what runs
    // and closes when it is done.
    if (writeProgress) {
        writeProgress->show();
        writeProgress->raise();
        return;
    }
    BaseDevice::tellProcedureRunning();
}

void KVBLEDevice::relearnSensor()
{
    newDevice = true;
    announceArmed = true;
    setProtection(SensorProtection::State::NotKnown);
    passwordQuestion->reset();
    clearDeviceInfo();
}

void KVBLEDevice::resetDeviceIsConnected()
{
    showUI(false);
    showStatusMessageUp(tr(" "));
    showStatusMessage(tr("Подключите датчик"));
    currentCommand = kvble::kNoCommand;
    setConnected(false);
    needUpdateWindow = true;
    emit signalWriteLog(QStringLiteral("Device is not responding"));
    // Polling goes on: the next answer brings the page back by itself.
}

void KVBLEDevice::watchdogRanOut()
{
    resetDeviceIsConnected();
}

void KVBLEDevice::sessionEnded()
{
    passwordQuestion->reset();
    setEnableShowMainStatusMsgBLE();
}

bool KVBLEDevice::resetSettingToDefault()
{
    return true;
}

bool KVBLEDevice::checkDarkTheme()
{
    const ProgramSettings settings;
    return settings.value(QStringLiteral("theme")).toString() == QLatin1String("dark");
}

QWidget *KVBLEDevice::dialogParent()
{
    return ui ? static_cast<QWidget *>(ui->KV_BLE) : this;
}

void KVBLEDevice::escapeCurSetting()
{
    showMessage(tr("Функция в разработке"), QString(), dialogParent());
}

void KVBLEDevice::setFactorySetting()
{
    escapeCurSetting();
}

void KVBLEDevice::setStatusCurCmdBLE()
{
    timerCommandReply->stop();
    mainStatus = true;
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
