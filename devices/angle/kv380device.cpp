// Lifecycle of the wired angle sensor page: timers, search, polling and the
// connection watchdog.
#include "devices/angle/kv380device.h"

#include "deruvivuriri_form.h"

#include "ui/switch.h"

#include <QDebug>
#include <QEventLoop>
#include <QLabel>
#include <QMovie>
#include <QSerialPort>
#include <QTimer>

KV380Device::KV380Device(Ui_Deruvivuriri *form, QSerialPort *port) : QWidget(nullptr), ui(form), serialPort(port)
{
    // The poll timers tick from the start; only connectDevice() gives their
    // ticks something to do.
    timerGetData = new QTimer(this);
    timerCheckData = new QTimer(this);
    timerResetDeviceConnected = new QTimer(this);
    timerResetDeviceConnected->setInterval(kConnectionWatchdogMs);
    timerGetData->start(kPollIntervalMs);
    timerCheckData->start(kCheckIntervalMs);
}

KV380Device::~KV380Device()
{
    // The form's widgets may go before the page: nothing may reach them from
    // a timer or a movie frame any more.
    if (movieMasterSlave)
        movieMasterSlave->stop();
}

void KV380Device::connectDevice()
{
    // Called by the device button and again at the end of a firmware update,
    // so each connection is made once however often it runs.
    connect(timerResetDeviceConnected, &QTimer::timeout, this, &KV380Device::resetDeviceIsConnected,
            Qt::UniqueConnection);
    connect(timerGetData, &QTimer::timeout, this, &KV380Device::signalRequestForGetAllDataFromDevice,
            Qt::UniqueConnection);
    connect(timerCheckData, &QTimer::timeout, this, &KV380Device::checkIncommingData, Qt::UniqueConnection);
    // The sensor may come back from a firmware update with a new firmware,
    // or not at the number polled before: it is searched for and shown anew.
    setSyncSwitchesWithDevice(true);
    startSearchDevices();
}

void KV380Device::disconnectDevice()
{
    disconnect(timerResetDeviceConnected, &QTimer::timeout, this, &KV380Device::resetDeviceIsConnected);
    disconnect(timerGetData, &QTimer::timeout, this, &KV380Device::signalRequestForGetAllDataFromDevice);
    disconnect(timerCheckData, &QTimer::timeout, this, &KV380Device::checkIncommingData);
    // A later selection starts without a watchdog left over from this one.
    timerResetDeviceConnected->stop();
    if (modeKovshTimer)
        modeKovshTimer->stop();
    if (animationKovshTimer)
        animationKovshTimer->stop();
    showUI(false);
    stopSearchDevices();
}

void KV380Device::startSearchDevices()
{
    if (!timerSearch)
        timerSearch = new QTimer(this);
    searchInProgress = true;
    timerSearch->start(kSearchIntervalMs);
    connect(timerSearch, &QTimer::timeout, this, &KV380Device::signalRequestForSearchDevices, Qt::UniqueConnection);
}

void KV380Device::stopSearchDevices()
{
    if (!timerSearch)
        return;
    disconnect(timerSearch, &QTimer::timeout, this, &KV380Device::signalRequestForSearchDevices);
    timerSearch->stop();
    timerSearch->deleteLater();
    timerSearch = nullptr;
}

void KV380Device::setSyncSwitchesWithDevice(bool value)
{
    cntUpdateUI = kRefreshAnswers;
    updateUI = value;
    // Without this a selection would refresh the fields but leave the
    // switches at whatever they showed before.
    if (value)
        setSwitchesSyncEnabled(true);
}

void KV380Device::setCntUpdateUI()
{
    cntUpdateUI = kRefreshAnswers;
    setSwitchesSyncEnabled(true);
}

void KV380Device::checkIncommingData()
{
    emit signalCheckIncommingData();
}

void KV380Device::timerIntervalGetDataStart(uint interval, uint interval2)
{
    timerCheckData->start(int(interval));
    timerGetData->start(int(interval2));
}

void KV380Device::timerIntervalGetDataStop()
{
    timerCheckData->stop();
    timerGetData->stop();
}

void KV380Device::resetTimerDeviceConnected()
{
    timerResetDeviceConnected->start(kConnectionWatchdogMs);
}

void KV380Device::resetAndStopTimerDeviceConnected()
{
    timerResetDeviceConnected->blockSignals(true);
    qDebug() << "Block signals check";
    timerResetDeviceConnected->stop();
    qDebug() << "timerResetDeviceConnected check";
}

void KV380Device::restoreTimerDeviceConnected()
{
    timerResetDeviceConnected->blockSignals(false);
    qDebug() << "Restore signals check";
    timerResetDeviceConnected->start(kConnectionWatchdogMs);
    qDebug() << "timerResetDeviceConnected check";
}

void KV380Device::resetDeviceIsConnected()
{
    showUI(false);
    showStatusMessageUp(QStringLiteral(" "));
    showStatusMessage(tr("Подключите датчик"));
    emit signalWriteLog("Device is not responding");
    // Polling goes on; when the sensor answers again it is shown again, with
    // its serial and firmware read anew (it may be another sensor now).
    forgetSensor();
    setSyncSwitchesWithDevice(true);
}

void KV380Device::forgetSensor()
{
    deviceConnected = false;
    serialKnown = false;
    connectionLogPending = true;
    connectionLogText.clear();
}

bool KV380Device::checkCorrectWriteParam()
{
    const auto dump = [](const char *name, const KV380Param &p) {
        const QString prefix = QString::fromLatin1(name);
        qDebug().noquote() << prefix + ".delayOff" << p.delayOff;
        qDebug().noquote() << prefix + ".delayOn" << p.delayOn;
        qDebug().noquote() << prefix + ".delayOffKov" << p.delayOffKov;
        qDebug().noquote() << prefix + ".delayOnKov" << p.delayOnKov;
        qDebug().noquote() << prefix + ".down" << p.down;
        qDebug().noquote() << prefix + ".mode" << p.mode;
        qDebug().noquote() << prefix + ".netNum" << p.netNum;
        qDebug().noquote() << prefix + ".up" << p.up;
    };
    dump("newKV380param", newKV380param);
    dump("oldKV380param", oldKV380param);
    return newKV380param == oldKV380param;
}

void KV380Device::delay(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
