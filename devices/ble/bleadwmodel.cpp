#include "devices/ble/bleadwmodel.h"

#include "devices/ble/bleprotocol.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr quint8 kEmptyListNumber = 0xFF;

} // namespace

BLEAdwModel::BLEAdwModel(QWidget *parent) : QWidget(parent) {}

BLEAdwModel::~BLEAdwModel() = default;

void BLEAdwModel::setParamDevice(const char *buf)
{
    if (buf)
        setParamRecord(QByteArray(buf, ble::kAdvertRecordLength));
}

void BLEAdwModel::setParamRecord(const QByteArray &record)
{
    const bool wasConnected = f.flConnectedDevice;
    const ble::AdvertRecord r = ble::decodeAdvertRecord(record);
    f.temperature = r.temperature;
    f.level = r.level;
    f.reserved = r.reserved;
    f.rangeByte = r.rangeByte;
    f.smoothingByte = r.smoothing;
    f.spareByte = r.spare;
    f.netNumber = r.netNumber;
    f.rssi = r.rssi;
    f.battery = r.battery;
    std::copy_n(r.name.constData(), kNameLength, f.nameChar.begin());
    f.listNumber = r.listNumber;
    f.slotMask = r.slotMask;
    f.mode = r.mode;
    f.illuminance = r.illuminance;
    f.pressure = r.pressure;
    f.paramSet = r.paramSet;

    if (f.mode == ble::kLinkedMode)
        f.flLinked = true;

    f.flConnectedDevice = checkConnectionDevice();
    if (!f.flConnectedDevice)
        clearNames();

    // Tested after the names were cleared, so a free slot is never an angle sensor.
    if (f.nameChar[0] == 'K' && f.nameChar[1] == 'V')
        f.levelMax = kLevelMaxAngle;
    else
        f.levelMax = (f.rangeByte & ble::kWideRangeBit) ? kLevelMaxWide : kLevelMaxNarrow;

    // Smoothing once seen stays on until the slot is reset: a record sent
    // between two settings must not switch the calibration warning off.
    if (f.smoothingByte != 0)
        f.flSmoothing = true;

    // No signal at all: the slot is empty whatever else the record says.
    if (f.rssi == 0) {
        f.flConnectedDevice = false;
        setParamNull();
        clearNames();
    }

    if (f.flConnectedDevice && !wasConnected)
        emit deviceAdwertIsConnected();
    if (f.flConnectedDevice)
        emit copyLevelValueToMain(f.level, 0);
}

void BLEAdwModel::setParamNull()
{
    f.level = 0;
    f.illuminance = 0;
    f.pressure = 0;
    f.rangeByte = 0;
    f.smoothingByte = 0;
    f.spareByte = 0;
    f.mode = 0;
    f.battery = 0;
    f.listNumber = kEmptyListNumber;
    f.slotMask = 0;
    f.flDopParam = false;
    f.temperature = 0;
    f.flLinked = false;
}

void BLEAdwModel::resetSettingToDefault()
{
    setParamNull();
    f.flConnectedDevice = false;
    f.flSmoothing = false;
}

void BLEAdwModel::resetFlConnectedDevice()
{
    f.flConnectedDevice = false;
    clearNames();
}

void BLEAdwModel::setFlConnectedDevice(bool value)
{
    f.flConnectedDevice = value;
    if (!value)
        clearNames();
}

bool BLEAdwModel::checkConnectionDevice() const
{
    return ble::hasSensorDigits(QByteArray(f.nameChar.data(), kNameLength)) && f.listNumber <= ble::kLastSensorNumber;
}

QString BLEAdwModel::getNameChar() const
{
    return QString::fromLocal8Bit(f.nameChar.data(), kNameLength);
}

void BLEAdwModel::setNameChar(const char *data)
{
    if (data)
        std::memcpy(f.nameChar.data(), data, kNameLength);
}

void BLEAdwModel::setNameCharForConnect(const char *data)
{
    if (data)
        std::memcpy(f.nameCharForConnect.data(), data, kNameLength);
}

void BLEAdwModel::setNameForConnect(const QString &name)
{
    const QByteArray bytes = name.toLocal8Bit().left(kNameLength).leftJustified(kNameLength, '\0');
    std::copy_n(bytes.constData(), kNameLength, f.nameCharForConnect.begin());
}

void BLEAdwModel::clearNames()
{
    f.nameChar.fill(0);
    f.nameCharForConnect.fill(0);
}
