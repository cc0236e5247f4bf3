// The page's side of a firmware download: which model the sensor that the
// download restarts named, so that a file for another model is refused.
#include "devices/fls/flsdevice.h"

#include "devices/firmware/firmwareimage.h"
#include "devices/fls/flsprotocol.h"

fwimage::Model FLSDevice::firmwareModel() const
{
    if (!isDeviceConnected() || !isFoundNetNum(currentNetNum))
        return fwimage::Model::None;
    switch (static_cast<fls::Model>(sensorModels[indexOfNetNum(currentNetNum)])) {
    case fls::Model::QF210:
        return fwimage::Model::QF210;
    case fls::Model::QF260:
        return fwimage::Model::QF260;
    case fls::Model::QF410:
        return fwimage::Model::QF410;
    case fls::Model::QF470:
        return fwimage::Model::QF470;
    case fls::Model::Generic:
    case fls::Model::Unknown:
        break;
    }
    return fwimage::Model::None;
}
