#include "devices/other/plm300protocol.h"

#include "link/bus.h"
#include "link/frame.h"

namespace plm300 {

namespace {

// Field offsets of the 0xF0 answer.
constexpr int kDistanceAt = 4;
constexpr int kMinimumAt = 10;
constexpr int kMaximumAt = 14;
constexpr int kSmoothingAt = 18;
constexpr int kModeAt = 20;
constexpr int kThresholdAt = 21;

} // namespace

QByteArray settingWrite(quint8 net, quint8 command, quint16 value)
{
    QByteArray payload;
    frame::appendBe16(payload, value);
    return frame::request(net, command, payload);
}

QByteArray modeWrite(quint8 net, quint8 mode)
{
    return frame::request(net, kModeCommand, QByteArray(1, char(mode)));
}

QByteArray netNumWrite(quint8 net, quint8 newNet)
{
    return frame::request(net, kNetNumCommand, QByteArray(1, char(newNet)));
}

std::optional<quint8> modeOfIndex(int index)
{
    switch (index) {
    case 0:
        return kModePassiveRs485;
    case 1:
        return kModeFrequency;
    default:
        return std::nullopt;
    }
}

int indexOfMode(quint8 mode)
{
    return mode == kModePassiveRs485 ? 0 : 1;
}

std::optional<quint16> settingValue(const QString &text, Limits limits)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 10);
    if (!ok || value < uint(limits.bottom) || value > uint(limits.top))
        return std::nullopt;
    return quint16(value);
}

std::optional<QByteArray> decodeSearchAnswer(const QByteArray &chunk)
{
    if (chunk.isEmpty())
        return std::nullopt;
    if (quint8(chunk.at(0)) == frame::kAnswerStart) {
        if (chunk.size() < 2)
            return std::nullopt;
        return QByteArray(1, '\0');
    }
    return bus::listedNumbers(chunk);
}

std::vector<int> answerLengths(quint8 command)
{
    switch (command) {
    case kDataCommand:
        return {kDataAnswerLength};
    case kSerialCommand:
        return {kSerialAnswerLength};
    default:
        return {};
    }
}

bool isPlm300Data(const QByteArray &frame)
{
    return frame.size() == kDataAnswerLength && frame::readU8(frame, 2) == kDataCommand;
}

std::optional<Data> decodeData(const QByteArray &frame)
{
    if (frame.size() < kDataAnswerLength)
        return std::nullopt;
    Data d;
    d.distance = *frame::readLe16(frame, kDistanceAt);
    d.minimum = *frame::readLe16(frame, kMinimumAt);
    d.maximum = *frame::readLe16(frame, kMaximumAt);
    d.smoothing = *frame::readLe16(frame, kSmoothingAt);
    d.mode = *frame::readU8(frame, kModeAt);
    d.threshold = *frame::readU8(frame, kThresholdAt);
    return d;
}

} // namespace plm300
