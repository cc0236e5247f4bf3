#include "devices/fls/flsdevice.h"

#include "deruvivuriri_form.h"

#include <QDebug>
#include <QLabel>
#include <QSerialPort>
#include <QTimer>

namespace {

constexpr int kConnectionWatchdogMs = 5000;
constexpr int kGetDataMs = 1000;
constexpr int kCheckDataMs = 100;
constexpr int kSearchMs = 1000;

// Model bytes the sensors report; anything else is a generic sensor.
constexpr quint8 kModelQF410 = 0x01;
constexpr quint8 kModelQF210 = 0x02;
constexpr quint8 kModelQF260 = 0x03;
constexpr quint8 kModelsQF470[] = {0x60, 0x62, 0x63};

} // namespace

FLSDevice::FLSDevice(Ui_Deruvivuriri *form, QSerialPort *port) : QWidget(nullptr), ui(form), serialPort(port)
{
    // The poll timers tick from the start; only connectDevice() gives their
    // ticks something to do.
    timerGetData = new QTimer();
    timerCheckData = new QTimer();
    timerSearch = new QTimer();
    timerGetData->start(kGetDataMs);
    timerCheckData->start(kCheckDataMs);
    timerDeviceConnected = new QTimer(this);
    timerDeviceConnected->setInterval(kConnectionWatchdogMs);
    connect(timerDeviceConnected, &QTimer::timeout, this, &FLSDevice::resetDeviceIsConnected);
    labelStatusMessage = new QLabel(this);
    labelStatusExtra = new QLabel(this);
}

FLSDevice::~FLSDevice()
{
    delete timerGetData;
    delete timerCheckData;
    delete timerSearch;
}

int FLSDevice::run(int len, char *buf)
{
    Q_UNUSED(len)
    Q_UNUSED(buf)
    // Filled in with the page itself.
    return 0;
}

void FLSDevice::setAnswerUpdateFirmware(char &answer)
{
    answerUpdateFirmware = answer;
}

void FLSDevice::setCurrentDeviceIndex(int index)
{
    currentDeviceIndex = index;
}

void FLSDevice::setUpdateParamWidgets(bool value)
{
    updateParamWidgets = value;
}

bool FLSDevice::initUI()
{
    // Filled in with the page itself.
    return true;
}

bool FLSDevice::setVisiblePageWidgets(bool visible)
{
    Q_UNUSED(visible)
    // Filled in with the page itself.
    return true;
}

void FLSDevice::connectDevice()
{
    connect(timerGetData, &QTimer::timeout, this, &FLSDevice::signalRequestForGetAllDataFromDevice,
            Qt::UniqueConnection);
    connect(timerCheckData, &QTimer::timeout, this, &FLSDevice::checkIncommingData, Qt::UniqueConnection);
    if (ui) {
        ui->label_NeedCalibDUT->hide();
        ui->label_AlarmDUT->hide();
        ui->label_NaprNameQF260DUT->hide();
        ui->label_NaprValQF260DUT->hide();
    }
    startSearchDevices();
    restoreTimerDeviceConnected();
    updateParamWidgets = true;
}

void FLSDevice::checkIncommingData()
{
    emit signalCheckIncommingData();
}

void FLSDevice::startSearchDevices()
{
    searchActive = true;
    timerSearch->start(kSearchMs);
    connect(timerSearch, &QTimer::timeout, this, &FLSDevice::signalRequestForSearchDevices, Qt::UniqueConnection);
    emit signalRequestForSearchDevices();
}

void FLSDevice::stopSearchDevices()
{
    searchActive = false;
    disconnect(timerSearch, &QTimer::timeout, this, &FLSDevice::signalRequestForSearchDevices);
}

void FLSDevice::restoreTimerDeviceConnected()
{
    timerDeviceConnected->blockSignals(false);
    timerDeviceConnected->start(kConnectionWatchdogMs);
}

bool FLSDevice::showStatusMessage(QString message)
{
    labelStatusMessage->setText(message);
    return true;
}

void FLSDevice::resetAndStopTimerDeviceConnected()
{
    timerDeviceConnected->stop();
}

bool FLSDevice::isQF470() const
{
    for (quint8 model : kModelsQF470) {
        if (modelByte == model)
            return true;
    }
    return false;
}

bool FLSDevice::isQF410() const
{
    return modelByte == kModelQF410;
}

bool FLSDevice::isQF260() const
{
    return modelByte == kModelQF260;
}

bool FLSDevice::isQF210() const
{
    return modelByte == kModelQF210;
}

bool FLSDevice::isGenericFLS() const
{
    return !isQF470() && !isQF410() && !isQF260() && !isQF210();
}

int FLSDevice::setDefaultValuesToGuiField()
{
    // Filled in with the page itself.
    return 1;
}

void FLSDevice::changeIconBtnConnectDevice(QString state, bool darkTheme)
{
    Q_UNUSED(state)
    Q_UNUSED(darkTheme)
    // Filled in with the page itself.
}

bool FLSDevice::hideBirds()
{
    // Filled in with the page itself.
    return true;
}

void FLSDevice::disconnectDevice()
{
    disconnect(timerGetData, &QTimer::timeout, this, &FLSDevice::signalRequestForGetAllDataFromDevice);
    disconnect(timerCheckData, &QTimer::timeout, this, &FLSDevice::checkIncommingData);
    timerDeviceConnected->blockSignals(true);
    timerDeviceConnected->stop();
    setVisiblePageWidgets(false);
    qDebug() << "disconnect FLS device";
    stopSearchDevices();
}

void FLSDevice::resetDeviceIsConnected()
{
    // Nothing answered for a whole watchdog period: back to searching. The
    // watchdog keeps running, so each period brings a fresh search.
    setVisiblePageWidgets(false);
    deviceConnected = false;
    labelStatusExtra->setText(tr(" "));
    showStatusMessage(tr("Подключите датчик"));
    startSearchDevices();
    updateParamWidgets = true;
    if (ui) {
        if (ui->label_NeedCalibDUT->isEnabled())
            ui->label_NeedCalibDUT->hide();
        if (ui->label_AlarmDUT->isEnabled())
            ui->label_AlarmDUT->hide();
    }
    emit signalWriteLog("Device is not responding");
}

void FLSDevice::showConfigDescription()
{
    // Filled in with the page itself.
}

bool FLSDevice::applyConfigToWidgets()
{
    // Filled in with the page itself.
    return true;
}

void FLSDevice::checkPass()
{
    // Filled in with the page itself.
}

void FLSDevice::startUpdateFirmware()
{
    // Filled in with the page itself.
}

void FLSDevice::checkIncommingDataWhileUpdate()
{
    emit signalCheckIncommingDataWhileUpdate();
}

void FLSDevice::inputPass()
{
    // Filled in with the page itself.
}

void FLSDevice::setPass()
{
    // Filled in with the page itself.
}

void FLSDevice::delPass()
{
    // Filled in with the page itself.
}
