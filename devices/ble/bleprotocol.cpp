#include "devices/ble/bleprotocol.h"

#include "link/frame.h"

#include <QCoreApplication>
#include <QStringList>

#include <array>

namespace ble {

namespace {

constexpr std::array<int, 5> kDataLengths{{38, 42, 45, 49, 84}};
constexpr int kCommandOffset = 2;
constexpr int kKindOffset = 27;
constexpr int kAddressOffset = 38;
constexpr int kAddressLength = 6;
constexpr int kNameOffset = 13;
constexpr int kFirstNameDigit = 3;

// The Full value extrapolated from an empty tank's raw value lies this far
// below twice that value at 0 degrees.
constexpr qint32 kFullOffset = 9770;
constexpr qint32 kEmptyOffset = 100;
constexpr qint32 kWarmSlope = 6;
constexpr qint32 kColdSlope = 11;
constexpr qint32 kSlopeDivisor = 2400;

quint8 u8(const QByteArray &data, int offset)
{
    return frame::readU8(data, offset).value_or(0);
}

// Two's complement sums: the sensor's 32-bit arithmetic wraps, ours must not
// be undefined where it does.
qint32 wrapped(qint64 value)
{
    return static_cast<qint32>(static_cast<quint32>(static_cast<quint64>(value)));
}

const StatusText kStatusTexts[] = {
    {},
    {QT_TRANSLATE_NOOP("BLEDevice", "UUID ВТ датчика успешно изменен"), "UUID ВТ датчика успешно изменен",
     "UUID successfully changed"},
    {QT_TRANSLATE_NOOP("BLEDevice", "S/N ВТ датчика успешно изменен"), "S/N ВТ датчика успешно изменен",
     "S/N bluetooth device successfully changed"},
    {},
    {QT_TRANSLATE_NOOP("BLEDevice", "Директивная калибровка ВТ датчика произведена успешно"),
     "Директивная калибровка ВТ датчика произведена успешно", "Calibrate BLE successull"},
    {},
    {QT_TRANSLATE_NOOP("BLEDevice", "Калибровка уровня полного ВТ датчика произведена"),
     "Калибровка уровня полного ВТ датчика произведена", "Calibrate BLE full successfull"},
    {QT_TRANSLATE_NOOP("BLEDevice", "Калибровка уровня пустого ВТ датчика произведена"),
     "Калибровка уровня пустого ВТ датчика произведена успешно", "Calibrate BLE empty successfull"},
    {QT_TRANSLATE_NOOP("BLEDevice", "Установлены заводские настройки ВТ датчика"),
     "Установлены заводские настройки ВТ датчика", "Factory setting for BLE successfully set"},
    {QT_TRANSLATE_NOOP("BLEDevice", "Датчик переведен в режим сна"), "Датчик переведен в режим сна", "BLE sleep"},
    {},
    {QT_TRANSLATE_NOOP("BLEDevice", "Ошибка изменения UUID ВТ датчика"), "Ошибка изменения UUID ВТ датчика",
     "Error set UUID BLE"},
    {QT_TRANSLATE_NOOP("BLEDevice", "Ошибка изменения S/N ВТ датчика"), "Ошибка изменения S/N ВТ датчика",
     "Error set S/N"},
    {QT_TRANSLATE_NOOP("BLEDevice", "Ошибка изменения пароля ВТ датчика"), "Ошибка изменения пароля ВТ датчика",
     "Error change password BLE"},
    {QT_TRANSLATE_NOOP("BLEDevice", "Ошибка директивной калибровки ВТ датчика"),
     "Ошибка директивной калибровки ВТ датчика", "Error calibrate BLE"},
    {QT_TRANSLATE_NOOP("BLEDevice", "Режим работы ВТ датчика установлен"), "Режим работы ВТ датчика установлен",
     "New mode BLE set"},
    {QT_TRANSLATE_NOOP("BLEDevice", "Ошибка установки режима"), "Ошибка установки режима", "Error set new mode BLE"},
};
static_assert(sizeof(kStatusTexts) / sizeof(kStatusTexts[0]) == kLastStatus + 1, "one entry per status code");

} // namespace

bool isDataLength(int length)
{
    for (int known : kDataLengths) {
        if (known == length)
            return true;
    }
    return false;
}

bool hasAddress(int length)
{
    return isDataLength(length) && length >= kAddressOffset + kAddressLength + 1;
}

std::vector<int> answerLengths(quint8 command)
{
    switch (command) {
    case kDataCommand:
        return {kDataLengths.begin(), kDataLengths.end()};
    case kParamWriteCommand:
        return {kParamAckLength};
    case kSerialAndFirmwareCommand:
        return {kSerialAndFirmwareLength};
    case kAdvertListCommand:
        return {kAdvertListLength};
    default:
        return {kShortAnswerLength};
    }
}

std::optional<quint8> advertAcknowledgement(const QByteArray &piece)
{
    const std::optional<quint8> command = frame::readU8(piece, kCommandOffset);
    if (command == kConfigAcceptedCommand || command == kNameAcceptedCommand)
        return command;
    return std::nullopt;
}

namespace {

// Length of the whole answer at the front of `piece` that an acknowledgement
// follows; 0 when there is none.
int answerBeforeAcknowledgement(const QByteArray &piece)
{
    const std::optional<quint8> command = frame::readU8(piece, kCommandOffset);
    if (!command)
        return 0;
    for (int length : answerLengths(*command)) {
        if (length < piece.size() && frame::isValidAnswer(piece.left(length)) &&
            advertAcknowledgement(piece.mid(length)))
            return length;
    }
    return 0;
}

} // namespace

QList<QByteArray> splitAdvertChunk(const QByteArray &chunk)
{
    QList<QByteArray> answers;
    for (QByteArray piece : frame::splitAnswers(chunk, answerLengths)) {
        for (int lead = answerBeforeAcknowledgement(piece); lead > 0; lead = answerBeforeAcknowledgement(piece)) {
            answers.append(piece.left(lead));
            piece = piece.mid(lead);
        }
        answers.append(piece);
    }
    return answers;
}

std::optional<quint8> sensorKind(const QByteArray &frame)
{
    // The frame's own CRC-8 sits at 27 in a 28-byte frame; shorter ones have no kind.
    if (frame.size() <= kKindOffset)
        return std::nullopt;
    return frame::readU8(frame, kKindOffset);
}

std::optional<Data> decodeData(const QByteArray &frame)
{
    if (!isDataLength(frame.size()))
        return std::nullopt;
    Data d;
    d.temperature = static_cast<qint8>(u8(frame, 3));
    d.level = frame::readLe16(frame, 4).value_or(0);
    d.current = frame::readLe32(frame, 6).value_or(0);
    d.empty = frame::readLe32(frame, 10).value_or(0);
    d.full = frame::readLe32(frame, 14).value_or(0);
    d.mode = u8(frame, 20);
    d.filter = u8(frame, 22);
    d.firmware = u8(frame, 23);
    d.rssi = static_cast<qint8>(u8(frame, 28));
    d.battery = static_cast<qint8>(u8(frame, 29));
    d.status = u8(frame, 36);
    if (hasAddress(frame.size()))
        d.address = frame.mid(kAddressOffset, kAddressLength);
    return d;
}

std::optional<ParamAck> decodeParamAck(const QByteArray &frame)
{
    if (frame.size() < kParamAckLength)
        return std::nullopt;
    return ParamAck{u8(frame, 3), u8(frame, 4)};
}

std::optional<QByteArray> advertRecords(const QByteArray &frame)
{
    if (frame.size() < kAdvertListLength)
        return std::nullopt;
    return frame.mid(kAdvertFirstRecord, kAdvertRecords * kAdvertRecordLength);
}

AdvertRecord decodeAdvertRecord(const QByteArray &data, int offset)
{
    const QByteArray r = offset >= 0 ? data.mid(offset, kAdvertRecordLength) : QByteArray();
    AdvertRecord a;
    a.temperature = static_cast<qint8>(u8(r, 0));
    a.level = frame::readLe16(r, 1).value_or(0);
    a.reserved = frame::readLe32(r, 3).value_or(0);
    a.rangeByte = u8(r, 7);
    a.smoothing = u8(r, 8);
    a.spare = u8(r, 9);
    a.netNumber = u8(r, 10);
    a.rssi = static_cast<qint8>(u8(r, 11));
    a.battery = u8(r, 12);
    a.name = r.mid(kNameOffset, kNameLength).leftJustified(kNameLength, '\0');
    a.listNumber = u8(r, 22);
    a.slotMask = u8(r, 23);
    a.mode = u8(r, 24);
    a.illuminance = frame::readLe16(r, 31).value_or(0);
    a.pressure = frame::readLe32(r, 33).value_or(0);
    a.paramSet = u8(r, 37);
    return a;
}

bool hasSensorDigits(const QByteArray &name)
{
    if (name.size() < kNameLength)
        return false;
    for (int i = kFirstNameDigit; i < kNameLength; ++i) {
        if (name.at(i) != '0')
            return true;
    }
    return false;
}

bool isFreeSlotName(const QByteArray &name)
{
    return name.size() >= kNameLength && !hasSensorDigits(name);
}

std::optional<StatusText> statusText(quint8 code)
{
    if (code > kLastStatus || !kStatusTexts[code].message)
        return std::nullopt;
    return kStatusTexts[code];
}

QString batteryText(int battery)
{
    // Integer division truncating toward zero, as the sensor's own display does.
    return QStringLiteral("%1.%2").arg(battery / 10 % 10).arg(battery % 10);
}

QString addressText(const QByteArray &address)
{
    QStringList parts;
    for (char byte : address)
        parts.append(QStringLiteral("%1").arg(quint8(byte), 2, 16, QLatin1Char('0')).toUpper());
    return parts.join(QLatin1Char(':'));
}

bool isCalibrated(quint32 empty, quint32 full)
{
    const double e = empty;
    const double f = full;
    return !(f > 2.2 * e || f < 1.3 * e);
}

QString connectionSummary(int netNum, quint32 empty, quint32 full, quint16 current, quint16 level, qint8 temperature)
{
    return QStringLiteral("Net num=%1, Empty=%2, Full=%3, Current=%4, Level=%5, Temperature=%6")
        .arg(netNum)
        .arg(empty)
        .arg(full)
        .arg(current)
        .arg(level)
        .arg(int(temperature));
}

QByteArray valueWrite(quint8 address, quint8 command, quint32 value)
{
    QByteArray payload;
    frame::appendBe32(payload, value);
    return frame::writeRequest(address, command, payload);
}

QByteArray advertListRequest(quint8 address)
{
    return frame::request(address, kAdvertListCommand);
}

QByteArray paramWrite(quint8 mode, quint8 filter)
{
    QByteArray payload;
    payload.append(static_cast<char>(mode));
    payload.append(static_cast<char>(filter));
    return frame::writeRequest(kBaseAddress, kParamWriteCommand, payload);
}

QByteArray passwordProbe()
{
    return valueWrite(kBaseAddress, kSensorSetPassword, 0);
}

QByteArray updateModeRequest(quint8 address)
{
    return frame::writeRequest(address, kUpdateModeCommand);
}

QByteArray levelFromCurrentRequest(quint8 address, bool full)
{
    return frame::writeRequest(address, full ? kSetFullCommand : kSetEmptyCommand);
}

EmptyFull autoCalibration(qint32 raw, qint8 temperature)
{
    const qint64 l = raw;
    const qint64 t = temperature;
    const qint64 k = t >= 0 ? kWarmSlope : kColdSlope;
    const qint64 q = raw / kSlopeDivisor; // truncates toward zero
    EmptyFull v;
    v.empty = wrapped(l - k * t + kEmptyOffset);
    v.full = wrapped(2 * l - kFullOffset - t * (k - q));
    return v;
}

} // namespace ble
