#include "devices/other/n7device.h"

#include "deruvivuriri_form.h"

#include <QSerialPort>
#include <QTimer>

namespace {
constexpr int kRequestMs = 1000;
constexpr int kCheckMs = 100;
constexpr int kWatchdogMs = 5000;
} // namespace

N7Device::N7Device(Ui_Deruvivuriri *form, QSerialPort *port) : QWidget(nullptr), ui(form), serialPort(port)
{
    // The poll timers tick from the start; only connectDevice() gives their
    // ticks something to do.
    requestTimer = new QTimer();
    checkTimer = new QTimer();
    requestTimer->start(kRequestMs);
    checkTimer->start(kCheckMs);
    timerDeviceConnected = new QTimer(this);
    connect(timerDeviceConnected, &QTimer::timeout, this, &N7Device::resetDeviceIsConnected);
}

N7Device::~N7Device()
{
    delete requestTimer;
    delete checkTimer;
}

void N7Device::checkIncommingData()
{
    emit signalCheckIncommingData();
}

void N7Device::restoreTimerDeviceConnected()
{
    timerDeviceConnected->blockSignals(false);
    timerDeviceConnected->start(kWatchdogMs);
}

int N7Device::run(int len, char *buf)
{
    Q_UNUSED(len)
    Q_UNUSED(buf)
    // Filled in with the page itself.
    return 0;
}

bool N7Device::initUI()
{
    // Filled in with the page itself.
    return true;
}

void N7Device::changeIconBtnConnectDevice(QString state, bool darkTheme)
{
    Q_UNUSED(state)
    Q_UNUSED(darkTheme)
    // Filled in with the page itself.
}

void N7Device::connectDevice()
{
    connect(requestTimer, &QTimer::timeout, this, &N7Device::signalRequestForGetAllDataFromDevice,
            Qt::UniqueConnection);
    connect(checkTimer, &QTimer::timeout, this, &N7Device::checkIncommingData, Qt::UniqueConnection);
    restoreTimerDeviceConnected();
}

void N7Device::disconnectDevice()
{
    disconnect(requestTimer, &QTimer::timeout, this, &N7Device::signalRequestForGetAllDataFromDevice);
    disconnect(checkTimer, &QTimer::timeout, this, &N7Device::checkIncommingData);
    timerDeviceConnected->blockSignals(true);
    timerDeviceConnected->stop();
    setVisiblePageWidgets(false);
}

bool N7Device::showStatusMessage(QString message)
{
    Q_UNUSED(message)
    // Filled in with the page itself.
    return false;
}

bool N7Device::showStatusMessageUp(QString message)
{
    Q_UNUSED(message)
    // Filled in with the page itself.
    return false;
}

bool N7Device::setVisiblePageWidgets(bool visible)
{
    Q_UNUSED(visible)
    // Filled in with the page itself.
    return true;
}

bool N7Device::resetDeviceIsConnected()
{
    showStatusMessage(tr("Подключите датчик"));
    emit signalWriteLog("Device is not responding");
    return true;
}

bool N7Device::hideBirds()
{
    // Filled in with the page itself.
    return true;
}
