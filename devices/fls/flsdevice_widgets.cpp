// Widgets of the wired sensor page on the main window's form, and its status lines.
#include "devices/fls/flsdevice.h"

#include <QLabel>

bool FLSDevice::initUI()
{
    return true;
}
void FLSDevice::initIcons() {}
void FLSDevice::initStatusMessage() {}
bool FLSDevice::setVisiblePageWidgets(bool visible)
{
    Q_UNUSED(visible)
    return true;
}
bool FLSDevice::setVisibleStatusLabels(bool visible)
{
    Q_UNUSED(visible)
    return true;
}
bool FLSDevice::showStatusMessage(QString message)
{
    if (!labelStatusMessage)
        return false;
    labelStatusMessage->setText(message);
    return true;
}
bool FLSDevice::showStatusMessageUp(QString message)
{
    if (!labelStatusExtra)
        return false;
    labelStatusExtra->setText(message);
    return true;
}
void FLSDevice::changeIconBtnConnectDevice(QString state, bool darkTheme)
{
    Q_UNUSED(state)
    Q_UNUSED(darkTheme)
}
void FLSDevice::setColorLabelLevel(QString color)
{
    Q_UNUSED(color)
}
void FLSDevice::addAndPlacePictQuestion(QWidget *widget, QString name)
{
    Q_UNUSED(widget)
    Q_UNUSED(name)
}
QWidget *FLSDevice::findWidgetByName(QString name)
{
    Q_UNUSED(name)
    return nullptr;
}
bool FLSDevice::viewIconChangedParam(bool isNeed)
{
    Q_UNUSED(isNeed)
    return true;
}
bool FLSDevice::hideBirds()
{
    return viewIconChangedParam(false);
}
bool FLSDevice::clearTarWidget()
{
    return true;
}
