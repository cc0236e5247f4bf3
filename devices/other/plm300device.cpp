#include "devices/other/plm300device.h"

#include "deruvivuriri_form.h"

#include <QSerialPort>

PLM300Device::PLM300Device(Ui_Deruvivuriri *form, QSerialPort *port) : QWidget(nullptr), ui(form), serialPort(port) {}

int PLM300Device::run(int len, char *buf)
{
    Q_UNUSED(len)
    Q_UNUSED(buf)
    // Filled in with the page itself.
    return 0;
}

int PLM300Device::initUI()
{
    // Filled in with the page itself.
    return 1;
}

int PLM300Device::showUI(bool visible)
{
    Q_UNUSED(visible)
    // Filled in with the page itself.
    return 1;
}

void PLM300Device::changeIconBtnConnectDevice(QString state, bool darkTheme)
{
    Q_UNUSED(state)
    Q_UNUSED(darkTheme)
    // Filled in with the page itself.
}

int PLM300Device::hideBirds()
{
    // Filled in with the page itself.
    return 1;
}

void PLM300Device::connectDevice()
{
    // Filled in with the page itself.
}

void PLM300Device::disconnectDevice()
{
    // Filled in with the page itself.
}

bool PLM300Device::showStatusMessage(QString message)
{
    Q_UNUSED(message)
    // Filled in with the page itself.
    return false;
}

bool PLM300Device::showStatusMessageUp(QString message)
{
    Q_UNUSED(message)
    // Filled in with the page itself.
    return false;
}

int PLM300Device::resetDeviceIsConnected()
{
    // Filled in with the page itself.
    return 1;
}

void PLM300Device::escapeCurSetting()
{
    // Filled in with the page itself.
}

void PLM300Device::setFactorySetting()
{
    // Filled in with the page itself.
}
