#include "devices/other/wiredtagdevice.h"

#include "deruvivuriri_form.h"

WiredTagDevice::WiredTagDevice(Ui_Deruvivuriri *form) : QWidget(nullptr), ui(form) {}

quint8 WiredTagDevice::parseResponse(int len, char *buf, quint8 lastCommand)
{
    Q_UNUSED(len)
    Q_UNUSED(buf)
    // Filled in with the page itself.
    return lastCommand;
}

bool WiredTagDevice::initUI()
{
    // Filled in with the page itself.
    return true;
}

bool WiredTagDevice::setWidgetsVisible(bool visible)
{
    Q_UNUSED(visible)
    // Filled in with the page itself.
    return true;
}
