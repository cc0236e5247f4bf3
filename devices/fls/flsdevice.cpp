#include "devices/fls/flsdevice.h"

#include "deruvivuriri_form.h"

#include "link/frame.h"

#include <QDebug>
#include <QEventLoop>
#include <QLabel>
#include <QSerialPort>
#include <QTimer>

namespace {

constexpr int kConnectionWatchdogMs = 5000;
constexpr int kGetDataMs = 1000;
constexpr int kCheckDataMs = 100;
constexpr int kSearchMs = 1000;

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

void FLSDevice::setCurrentDeviceIndex(int index)
{
    currentDeviceIndex = index;
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

void FLSDevice::resetAndStopTimerDeviceConnected()
{
    timerDeviceConnected->stop();
}

int FLSDevice::setDefaultValuesToGuiField()
{
    // Filled in with the page itself.
    return 1;
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

int FLSDevice::resetDeviceIsConnected()
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
    return 1;
}

void FLSDevice::checkPass()
{
    // Filled in with the page itself.
}

bool FLSDevice::startUpdateFirmware()
{
    // Filled in with the firmware update.
    return false;
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

int FLSDevice::resetSettingToDefault()
{
    return 1;
}

void FLSDevice::resetTimerDeviceConnected()
{
    timerDeviceConnected->start(kConnectionWatchdogMs);
}

void FLSDevice::timerIntervalGetDataStop()
{
    timerGetData->stop();
}

void FLSDevice::timerIntervalGetDataStart(uint interval)
{
    timerGetData->start(int(interval));
}

void FLSDevice::delay(int time)
{
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}

void FLSDevice::writeLogFile() {}

int FLSDevice::sendResetDevice(uchar netnum)
{
    Q_UNUSED(netnum)
    return 1;
}

void FLSDevice::setConfigSlaveQF470(int config)
{
    qDebug() << "config = " << config;
}

void FLSDevice::setPeriodSendingSlaveASCiiQF470(int newPeriod)
{
    qDebug() << "newPeriod = " << newPeriod;
}

quint8 FLSDevice::indexOfNetNum(quint8 netNum) const
{
    Q_UNUSED(netNum)
    return 1;
}

quint8 FLSDevice::calc_crc8(const uchar *data, int len) const
{
    return frame::calc_crc8(data, len);
}
