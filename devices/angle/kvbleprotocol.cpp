#include "devices/angle/kvbleprotocol.h"

#include "link/bus.h"
#include "link/frame.h"

#include <QCoreApplication>

namespace kvble {

namespace {

constexpr int kOtherKindLengths[] = {38, 42, 45, 84};

// Data answer fields.
constexpr int kEventAt = 3;
constexpr int kAngleAt = 4;
constexpr int kRawAt = 6;
constexpr int kDownAt = 10;
constexpr int kUpAt = 14;
constexpr int kModeAt = 22;
constexpr int kFirmwareAt = 23;
constexpr int kSignedAt = 28;
constexpr int kPresentAt = 29;
constexpr int kStatusAt = 36;
constexpr int kMacAt = 38;
constexpr int kMacLength = 6;
constexpr int kDelayOnAt = 44;
constexpr int kDelayOffAt = 46;
// The last byte of the link ID, which tells the base an angle sensor.
constexpr quint8 kLinkIdTail = 0xF3;

// Statuses the base page tells in words of its own.
const StatusAction kAngleStatuses[] = {
    {"KVBLEDevice", QT_TRANSLATE_NOOP("KVBLEDevice", "Устанорвлен горизонт"), "Horizont was set", true},
    {"KVBLEDevice", QT_TRANSLATE_NOOP("KVBLEDevice", "Установлена задержка"), "The Delay was set", true},
    {"KVBLEDevice", QT_TRANSLATE_NOOP("KVBLEDevice", "Ошибка установки задержки"), "Error while delay set", true},
};

// Event texts of the modes that show one.
const char *const kIdle = QT_TRANSLATE_NOOP("KVBLEDevice", "бездействие");
const char *const kRotationEvents[] = {kIdle, QT_TRANSLATE_NOOP("KVBLEDevice", "вращение\nпротив часовой"),
                                       QT_TRANSLATE_NOOP("KVBLEDevice", "вращение\nпо часовой")};
const char *const kAngleEvents[] = {QT_TRANSLATE_NOOP("KVBLEDevice", "0"),
                                    QT_TRANSLATE_NOOP("KVBLEDevice", "был превышен верхний\nи не ниже нижнего")};
const char *const kBucketEvents[] = {QT_TRANSLATE_NOOP("KVBLEDevice", "не работает"),
                                     QT_TRANSLATE_NOOP("KVBLEDevice", "работает")};

template <size_t N> const char *pick(const char *const (&texts)[N], quint8 event)
{
    return event < N ? texts[event] : nullptr;
}

QByteArray be16(quint16 value)
{
    QByteArray out;
    frame::appendBe16(out, value);
    return out;
}

} // namespace

bool isOtherKindLength(int length)
{
    for (int other : kOtherKindLengths) {
        if (other == length)
            return true;
    }
    return false;
}

std::vector<int> answerLengths(quint8 command)
{
    // The base answers the angle sensor's data in a length of its own besides
    // those of the other kinds; everything else is the base's as for any sensor.
    if (command == kDataCommand) {
        std::vector<int> lengths(std::begin(kOtherKindLengths), std::end(kOtherKindLengths));
        lengths.push_back(kDataAnswerLength);
        return lengths;
    }
    return ble::answerLengths(command);
}

std::optional<Data> decodeData(const QByteArray &frame)
{
    if (isOtherKindLength(frame.size()) || frame.size() < kDataAnswerLength)
        return std::nullopt;
    const auto event = frame::readU8(frame, kEventAt);
    const auto angle = frame::readLe16(frame, kAngleAt);
    const auto raw = frame::readLe32(frame, kRawAt);
    const auto down = frame::readLe32(frame, kDownAt);
    const auto up = frame::readLe32(frame, kUpAt);
    const auto mode = frame::readU8(frame, kModeAt);
    const auto firmware = frame::readU8(frame, kFirmwareAt);
    const auto signedValue = frame::readU8(frame, kSignedAt);
    const auto present = frame::readU8(frame, kPresentAt);
    const auto status = frame::readU8(frame, kStatusAt);
    const auto delayOn = frame::readLe16(frame, kDelayOnAt);
    const auto delayOff = frame::readLe16(frame, kDelayOffAt);
    if (!event || !angle || !raw || !down || !up || !mode || !firmware || !signedValue || !present || !status ||
        !delayOn || !delayOff)
        return std::nullopt;
    Data d;
    d.event = *event;
    d.angle = *angle;
    d.raw = *raw;
    d.param.down = *down;
    d.param.up = *up;
    d.param.delayOn = *delayOn;
    d.param.delayOff = *delayOff;
    d.mode = *mode;
    d.firmware = *firmware;
    d.signedValue = static_cast<qint8>(*signedValue);
    d.sensorPresent = *present != 0;
    d.status = static_cast<qint8>(*status);
    d.mac = frame.mid(kMacAt, kMacLength);
    return d;
}

bool otherKindLinked(const QByteArray &frame)
{
    const std::optional<quint8> kind = ble::sensorKind(frame);
    return kind && ble::isLinkedKind(*kind);
}

std::optional<Serial> decodeSerial(const QByteArray &frame)
{
    // The base answers 0xFC for every sensor kind in one layout.
    const std::optional<bus::SerialAndFirmware> id = bus::decodeSerialAndFirmware(frame);
    if (!id)
        return std::nullopt;
    return Serial{static_cast<qint32>(id->serial), id->firmware};
}

const char *eventText(quint8 mode, quint8 event)
{
    switch (mode) {
    case kModeTransport:
        return kIdle;
    case kModeVerticalRotation:
    case kModeHorizontalRotation:
        return pick(kRotationEvents, event);
    case kModeAngleControl:
        return pick(kAngleEvents, event);
    case kModeBucket:
        return pick(kBucketEvents, event);
    default:
        return nullptr;
    }
}

Rotation rotationOf(quint8 mode)
{
    switch (mode) {
    case kModeVerticalRotation:
        return Rotation::Vertical;
    case kModeHorizontalRotation:
        return Rotation::Horizontal;
    default:
        return Rotation::None;
    }
}

QString rotationMovieFile(Rotation rotation, bool dark)
{
    QString name;
    switch (rotation) {
    case Rotation::Vertical:
        name = QStringLiteral("kvble_vertic_rotation");
        break;
    case Rotation::Horizontal:
        name = QStringLiteral("kvble_horiz_rotation");
        break;
    case Rotation::None:
        return QString();
    }
    return QStringLiteral(":/images/") + name + (dark ? QString() : QStringLiteral("_white_theme")) +
           QStringLiteral(".gif");
}

std::optional<StatusAction> statusAction(int code)
{
    if (code >= kStatusHorizonSet && code <= kStatusDelayFailed)
        return kAngleStatuses[code - kStatusHorizonSet];
    // The base tells the other outcomes in the same words for every sensor.
    if (code < 0 || code > ble::kLastStatus)
        return std::nullopt;
    const std::optional<ble::StatusText> text = ble::statusText(quint8(code));
    if (!text)
        return std::nullopt;
    const bool refreshes = code != kStatusLinkIdChanged && code != kStatusSerialChanged;
    return StatusAction{"BLEDevice", text->message, text->log, refreshes};
}

QString firmwareText(quint8 firmware)
{
    return kv380::firmwareText(firmware);
}

QString macText(const QByteArray &mac)
{
    return ble::addressText(mac);
}

QByteArray upWrite(quint32 degrees)
{
    return ble::valueWrite(kBaseAddress, kUpCommand, degrees);
}

QByteArray downWrite(quint32 degrees)
{
    return ble::valueWrite(kBaseAddress, kDownCommand, degrees);
}

QByteArray delayOnWrite(quint16 value)
{
    return frame::writeRequest(kBaseAddress, kDelayOnCommand, be16(value));
}

QByteArray delayOffWrite(quint16 value)
{
    return frame::writeRequest(kBaseAddress, kDelayOffCommand, be16(value));
}

QByteArray modeWrite(quint8 mode)
{
    // The mode travels as a 16-bit value.
    return frame::writeRequest(kBaseAddress, kModeCommand, be16(mode));
}

QByteArray zeroWrite()
{
    return frame::writeRequest(kBaseAddress, kZeroCommand);
}

QByteArray passwordWrite(quint8 command, quint32 password)
{
    return ble::valueWrite(kBaseAddress, command, password);
}

QByteArray linkIdWrite(quint32 serial)
{
    return ble::linkIdWrite(kBaseAddress, ble::linkId(serial, kLinkIdTail));
}

std::optional<quint32> serialNumberValue(const QString &text)
{
    return ble::typedSerial(text);
}

std::vector<WriteStep> writeSteps(bool up, bool down, bool delayOn, bool delayOff)
{
    const WriteStep all[] = {
        {kUpCommand, kStatusThresholdSet, kStatusThresholdFailed, false},
        {kDownCommand, kStatusThresholdSet, kStatusThresholdFailed, false},
        {kDelayOnCommand, kStatusDelaySet, kStatusDelayFailed, false},
        {kDelayOffCommand, kStatusDelaySet, kStatusDelayFailed, false},
    };
    const bool wanted[] = {up, down, delayOn, delayOff};
    std::vector<WriteStep> steps;
    int previous = kStatusLinkReport;
    for (size_t i = 0; i < std::size(all); ++i) {
        if (!wanted[i])
            continue;
        WriteStep step = all[i];
        step.pauseBefore = step.confirm == previous;
        previous = step.confirm;
        steps.push_back(step);
    }
    return steps;
}

QByteArray stepFrame(quint8 command, const KvBleParam &values)
{
    switch (command) {
    case kUpCommand:
        return upWrite(values.up);
    case kDownCommand:
        return downWrite(values.down);
    case kDelayOnCommand:
        return delayOnWrite(values.delayOn);
    case kDelayOffCommand:
        return delayOffWrite(values.delayOff);
    default:
        return QByteArray();
    }
}

} // namespace kvble
