// Empty and Full levels the page writes itself: the calibration without fuel.
#include "devices/fls/flsdevice.h"

#include "deruvivuriri_form.h"

#include "devices/fls/flsprocedures.h"

#include <QDebug>

namespace {

// The sensor takes the Empty write before it is sent Full, and answers each.
constexpr int kLevelAnswerMs = 200;

} // namespace

bool FLSDevice::hasReadingsOfSelected() const
{
    return currentDeviceIndex >= 0 && currentDeviceIndex < kMaxSensors &&
           sensorModels[size_t(currentDeviceIndex)] != static_cast<int>(fls::Model::Unknown);
}

bool FLSDevice::requireSensorReadings()
{
    // Without readings the levels would come from nothing (Empty 100, Full
    // 0), or from a sensor that fell silent, and spoil the calibration.
    if (hasReadingsOfSelected() && hasCurrentReading(currentDeviceIndex))
        return true;
    showMessage(QString(), tr("Нет показаний датчика\nКалибровка не выполнена"), dialogParent());
    return false;
}

void FLSDevice::autoCalibrateFullEmptyFLS(Procedure &run)
{
    // Asked again: the readings may have gone while the question was up.
    if (!requireSensorReadings())
        return;
    const auto c = size_t(currentDeviceIndex);
    const fls::AutoCalibration levels =
        fls::autoCalibration(static_cast<fls::Model>(sensorModels[c]), temperatures[c], cntValues[c]);

    // Left during a wait, the page sends no further level to the device the
    // user turned to.
    if (writeLevels(run, levels.empty, levels.full))
        qDebug() << "autocalibrate FLS";
}

bool FLSDevice::writeLevels(Procedure &run, qint32 empty, qint32 full)
{
    const quint8 net = selectedNetNum();
    // No poll goes out between the two levels.
    run.holdLine();
    if (!passwordStep(run))
        return false;
    emit writeData(fls::emptyWrite(net, empty));
    if (!run.waitAndTake(kLevelAnswerMs) || !passwordStep(run))
        return false;
    emit writeData(fls::fullWrite(net, full));
    return run.waitAndTake(kLevelAnswerMs);
}
