#include "devices/other/n7device.h"

#include "deruvivuriri_form.h"

#include <QSerialPort>

N7Device::N7Device(Ui_Deruvivuriri *form, QSerialPort *port) : QWidget(nullptr), ui(form), serialPort(port) {}

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
    // Filled in with the page itself.
}

void N7Device::disconnectDevice()
{
    // Filled in with the page itself.
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
    // Filled in with the page itself.
    return true;
}

bool N7Device::hideBirds()
{
    // Filled in with the page itself.
    return true;
}
