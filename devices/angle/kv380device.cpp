#include "devices/angle/kv380device.h"

#include "deruvivuriri_form.h"

#include <QSerialPort>

KV380Device::KV380Device(Ui_Deruvivuriri *form, QSerialPort *port) : QWidget(nullptr), ui(form), serialPort(port) {}

int KV380Device::run(int len, char *buf)
{
    Q_UNUSED(len)
    Q_UNUSED(buf)
    // Filled in with the page itself.
    return 0;
}

int KV380Device::initUI()
{
    // Filled in with the page itself.
    return 1;
}

int KV380Device::addSwitchToUI()
{
    // Filled in with the page itself.
    return 1;
}

bool KV380Device::setSwitchesSyncEnabled(bool on)
{
    Q_UNUSED(on)
    // Filled in with the page itself.
    return true;
}

void KV380Device::setSyncSwitchesWithDevice(bool value)
{
    syncSwitchesWithDevice = value;
    syncAnswersLeft = kSyncAnswers;
}

int KV380Device::showUI(bool visible)
{
    Q_UNUSED(visible)
    // Filled in with the page itself.
    return 1;
}

void KV380Device::changeIconBtnConnectDevice(QString state, bool darkTheme)
{
    Q_UNUSED(state)
    Q_UNUSED(darkTheme)
    // Filled in with the page itself.
}

int KV380Device::hideBirds()
{
    // Filled in with the page itself.
    return 1;
}

void KV380Device::connectDevice()
{
    // Filled in with the page itself.
}

void KV380Device::startSearchDevices()
{
    // Filled in with the page itself.
}

int KV380Device::showStatusMessage(QString message)
{
    Q_UNUSED(message)
    // Filled in with the page itself.
    return 0;
}

int KV380Device::showStatusMessageUp(QString message)
{
    Q_UNUSED(message)
    // Filled in with the page itself.
    return 0;
}

void KV380Device::disconnectDevice()
{
    // Filled in with the page itself.
}

void KV380Device::resetDeviceIsConnected()
{
    // Filled in with the page itself.
}

void KV380Device::escapeCurSetting()
{
    // Filled in with the page itself.
}
