// Empty and Full levels the page writes itself: the calibration without fuel.
#include "devices/fls/flsdevice.h"

#include "deruvivuriri_form.h"

#include "devices/fls/flsprocedures.h"

#include <QDebug>

namespace {

// The sensor takes the Empty write before it is sent Full.
constexpr int kBetweenLevelWritesMs = 200;

} // namespace

bool FLSDevice::hasReadingsOfSelected() const
{
    return currentDeviceIndex >= 0 && currentDeviceIndex < kMaxSensors &&
           sensorModels[size_t(currentDeviceIndex)] != static_cast<int>(fls::Model::Unknown);
}

void FLSDevice::autoCalibrateFullEmptyFLS(Procedure &run)
{
    // Without readings the levels would come from nothing (Empty 100, Full
    // 0) and spoil the sensor's calibration.
    if (!hasReadingsOfSelected()) {
        showMessage(QString(), tr("Нет показаний датчика\nКалибровка не выполнена"), dialogParent());
        return;
    }
    const auto c = size_t(currentDeviceIndex);
    const fls::AutoCalibration levels =
        fls::autoCalibration(static_cast<fls::Model>(sensorModels[c]), temperatures[c], cntValues[c]);
    const quint8 net = selectedNetNum();

    // Left during a wait, the page sends neither level to the device the
    // user turned to. No poll goes out between the two levels.
    run.holdLine();
    if (!passwordStep(run))
        return;
    emit writeData(fls::emptyWrite(net, levels.empty));
    if (!run.wait(kBetweenLevelWritesMs) || !passwordStep(run))
        return;
    emit writeData(fls::fullWrite(net, levels.full));
    qDebug() << "autocalibrate FLS";
}
