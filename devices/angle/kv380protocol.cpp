#include "devices/angle/kv380protocol.h"

#include "link/bus.h"
#include "link/frame.h"

#include <QStringList>

#include <cstdlib>

namespace kv380 {

namespace {

// Data answer fields.
constexpr int kAngleAt = 4;
constexpr int kDownAt = 10;
constexpr int kUpAt = 14;
constexpr int kModeAt = 20;
constexpr int kDelayOnKovAt = 21;
constexpr int kDelayOffKovAt = 22;
constexpr int kDelayOnAt = 23;
constexpr int kDelayOffAt = 25;

constexpr int kSearchLoneSensor = 2; // frame start and the number 0

QByteArray oneByte(quint8 value)
{
    return QByteArray(1, static_cast<char>(value));
}

QByteArray twoBytes(quint16 value)
{
    QByteArray out;
    frame::appendBe16(out, value);
    return out;
}

std::optional<QByteArray> delayWrite(quint8 net, quint8 mode, int value, quint8 bucketCommand, quint8 bladeCommand)
{
    if (value < 0)
        return std::nullopt;
    if (mode == kModeBucket) {
        if (value > 0xFF)
            return std::nullopt;
        return frame::writeRequest(net, bucketCommand, oneByte(quint8(value)));
    }
    if (mode == kModeBlade) {
        if (value > 0xFFFF)
            return std::nullopt;
        return frame::writeRequest(net, bladeCommand, twoBytes(quint16(value)));
    }
    return std::nullopt;
}

} // namespace

std::optional<QByteArray> decodeSearchAnswer(const QByteArray &chunk)
{
    if (chunk.isEmpty())
        return std::nullopt;
    // A poll that crossed the search glues its answer to the numbers: the
    // numbers count, and only a chunk of answers alone names their sender.
    const frame::SearchChunk parts = frame::splitSearchChunk(chunk, answerLengths);
    if (!parts.answers.isEmpty() && parts.numbers.isEmpty())
        return oneByte(quint8(parts.answers.first().at(1)));
    if (!parts.answers.isEmpty())
        return bus::listedNumbers(parts.numbers);
    if (quint8(chunk.at(0)) != frame::kAnswerStart)
        return bus::listedNumbers(chunk);
    if (chunk.size() == 1)
        return std::nullopt;
    // A whole answer frame names the sensor that sent it (an answer to a data
    // request that crossed the search).
    if (chunk.size() > kSearchLoneSensor && frame::isValidAnswer(chunk))
        return oneByte(quint8(chunk.at(1)));
    return oneByte(0);
}

std::vector<int> answerLengths(quint8 command)
{
    switch (command) {
    case kDataCommand:
        return {kDataAnswerLength};
    case kSerialCommand:
        return {kSerialAnswerLength};
    case kSetZeroCommand:
    case kModeCommand:
    case kUpCommand:
    case kDownCommand:
    case kNetNumCommand:
    case kBucketDelayOnCommand:
    case kBucketDelayOffCommand:
    case kBladeDelayOnCommand:
    case kBladeDelayOffCommand:
    case kRefusedCommand:
        return {kAckLength};
    default:
        return {};
    }
}

bool isAngleSensorData(const QByteArray &frame)
{
    return frame.size() >= kDataAnswerLength && frame::readU8(frame, 2) == kDataCommand;
}

std::optional<Data> decodeData(const QByteArray &frame)
{
    // Every field lies before the CRC-8; a shorter frame carries none of them
    // for sure, so none is taken.
    if (frame.size() < kDataAnswerLength)
        return std::nullopt;
    const auto angle = frame::readLe16(frame, kAngleAt);
    const auto down = frame::readLe32(frame, kDownAt);
    const auto up = frame::readLe32(frame, kUpAt);
    const auto mode = frame::readU8(frame, kModeAt);
    const auto delayOnKov = frame::readU8(frame, kDelayOnKovAt);
    const auto delayOffKov = frame::readU8(frame, kDelayOffKovAt);
    const auto delayOn = frame::readLe16(frame, kDelayOnAt);
    const auto delayOff = frame::readLe16(frame, kDelayOffAt);
    if (!angle || !down || !up || !mode || !delayOnKov || !delayOffKov || !delayOn || !delayOff)
        return std::nullopt;
    Data d;
    d.angle = *angle;
    d.down = static_cast<qint32>(*down);
    d.up = static_cast<qint32>(*up);
    d.mode = *mode;
    d.delayOnKov = *delayOnKov;
    d.delayOffKov = *delayOffKov;
    d.delayOn = *delayOn;
    d.delayOff = *delayOff;
    return d;
}

std::optional<SerialAndFirmware> decodeSerialAndFirmware(const QByteArray &frame)
{
    // The shared 0xFC layout; this sensor's serial is a signed number.
    const std::optional<bus::SerialAndFirmware> id = bus::decodeSerialAndFirmware(frame);
    if (!id)
        return std::nullopt;
    return SerialAndFirmware{static_cast<qint32>(id->serial), id->firmware};
}

KV380Param paramOf(const Data &data, quint8 net)
{
    KV380Param p;
    p.up = data.up;
    p.down = data.down;
    p.delayOn = data.delayOn;
    p.delayOff = data.delayOff;
    p.delayOnKov = data.delayOnKov;
    p.delayOffKov = data.delayOffKov;
    p.netNum = net;
    p.mode = data.mode;
    return p;
}

namespace {

QStringList settingsFields(const KV380Param &p)
{
    return {QStringLiteral("Down=%1").arg(p.down),
            QStringLiteral("Up=%1").arg(p.up),
            QStringLiteral("DelayOn=%1").arg(p.delayOn),
            QStringLiteral("DelayOff=%1").arg(p.delayOff),
            QStringLiteral("delayOffKov=%1").arg(p.delayOffKov),
            QStringLiteral("delayOnKov=%1").arg(p.delayOnKov),
            QStringLiteral("Mode=%1").arg(p.mode)};
}

} // namespace

QString paramLogLine(const KV380Param &p)
{
    return settingsFields(p).join(QLatin1Char(','));
}

QString connectionLogSettings(const KV380Param &p)
{
    return (QStringList{QStringLiteral("NetNum=%1").arg(p.netNum)} + settingsFields(p)).join(QStringLiteral(", "));
}

QByteArray dataRequest(quint8 net)
{
    return frame::request(net, kDataCommand);
}

QByteArray modeWrite(quint8 net, quint8 mode)
{
    return frame::writeRequest(net, kModeCommand, oneByte(mode));
}

QByteArray setZeroWrite(quint8 net)
{
    return frame::writeRequest(net, kSetZeroCommand);
}

QByteArray upWrite(quint8 net, quint16 degrees)
{
    return frame::writeRequest(net, kUpCommand, twoBytes(degrees));
}

QByteArray downWrite(quint8 net, quint16 degrees)
{
    return frame::writeRequest(net, kDownCommand, twoBytes(degrees));
}

std::optional<QByteArray> delayOnWrite(quint8 net, quint8 mode, int value)
{
    return delayWrite(net, mode, value, kBucketDelayOnCommand, kBladeDelayOnCommand);
}

std::optional<QByteArray> delayOffWrite(quint8 net, quint8 mode, int value)
{
    return delayWrite(net, mode, value, kBucketDelayOffCommand, kBladeDelayOffCommand);
}

QByteArray netNumWrite(quint8 net, quint8 newNet)
{
    return frame::writeRequest(net, kNetNumCommand, oneByte(newNet));
}

std::optional<int> fieldValue(const QString &text, FieldRange range)
{
    // Plain decimal digits only: no sign, blank or other base, which
    // toUInt would let through or read differently.
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const int value = text.toInt();
    if (value < range.min || value > range.max)
        return std::nullopt;
    return value;
}

Picture anglePicture(quint8 mode, int angle, qint32 down, qint32 up)
{
    switch (mode) {
    case kMode1:
    case kModeBlade:
        if (angle > up)
            return Picture::Up;
        if (angle < down)
            return Picture::Down;
        return Picture::Mid;
    case kMode2:
        if (angle <= 0)
            return Picture::Tipper0;
        if (angle <= 20)
            return Picture::Tipper20;
        if (angle <= 40)
            return Picture::Tipper40;
        if (angle <= 60)
            return Picture::Tipper60;
        return Picture::Tipper80;
    case kMode3:
        return Picture::Frequency;
    case kModeBucket:
        return Picture::Down;
    default:
        return Picture::Unchanged;
    }
}

QString pictureFile(quint8 mode, Picture picture, bool dark)
{
    const char *base = nullptr;
    switch (picture) {
    case Picture::Up:
    case Picture::Mid:
    case Picture::Down: {
        const char *machine = mode == kMode1        ? "kamaz"
                              : mode == kModeBlade  ? "otval"
                              : mode == kModeBucket ? "ex"
                                                    : nullptr;
        if (!machine)
            return QString();
        const char *position = picture == Picture::Up ? "Up" : picture == Picture::Mid ? "Mid" : "Down";
        const QString name = QLatin1String(machine) + QLatin1String(position);
        return QStringLiteral(":/images/") + name +
               (dark ? QStringLiteral(".png") : QStringLiteral("_white_theme.svg"));
    }
    case Picture::Tipper0:
        base = "samos0";
        break;
    case Picture::Tipper20:
        base = "samos20";
        break;
    case Picture::Tipper40:
        base = "samos40";
        break;
    case Picture::Tipper60:
        base = "samos60";
        break;
    case Picture::Tipper80:
        base = "samos80";
        break;
    case Picture::Frequency:
        base = "proff";
        break;
    case Picture::Unchanged:
        return QString();
    }
    const bool tipper = picture != Picture::Frequency;
    if ((tipper && mode != kMode2) || (!tipper && mode != kMode3))
        return QString();
    return QStringLiteral(":/images/") + QLatin1String(base) +
           (dark ? QStringLiteral(".png") : QStringLiteral("_white_theme.svg"));
}

QString defaultPictureFile()
{
    return QStringLiteral(":/images/samos0.png");
}

QString masterSlaveMovieFile(bool dark)
{
    return dark ? QStringLiteral(":/images/m-s.gif") : QStringLiteral(":/images/m-s_white_theme.gif");
}

bool isBucketMoving(quint16 previous, quint16 now)
{
    return std::abs(int(now) - int(previous)) > kBucketMovement;
}

} // namespace kv380
