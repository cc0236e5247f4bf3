#include "devices/other/wiredtagprotocol.h"

#include "link/bus.h"
#include "link/frame.h"

namespace wiredtag {

namespace {

constexpr int kModeAt = 20;
constexpr int kReadTagIdAt = 4;
constexpr int kSetTagIdAt = 3;

// Answer lengths on the line. The read answer has the sensor family's short
// all-data form; the serial answer is theirs too.
constexpr int kReadLength = 24;
constexpr int kReadTagIdLength = kReadTagIdAt + 4 + 1;
constexpr int kSetTagIdLength = kSetTagIdAt + 4 + 1;
constexpr int kSerialAndFirmwareLength = 10;
constexpr int kShortLength = 4; // start, address, command, CRC-8

QByteArray oneByte(quint8 value)
{
    return QByteArray(1, static_cast<char>(value));
}

QByteArray word32(quint32 value)
{
    QByteArray out;
    frame::appendBe32(out, value);
    return out;
}

} // namespace

Mode modeFromByte(quint8 byte)
{
    if (byte == kModeTagByte)
        return Mode::Tag;
    if (byte & 1)
        return Mode::Reader;
    return Mode::Unknown;
}

QByteArray readRequest(quint8 net)
{
    return frame::request(net, kReadCommand);
}

QByteArray modeWrite(quint8 net, bool reader)
{
    return frame::request(net, kSetModeCommand, oneByte(reader ? kModeReaderByte : kModeTagByte));
}

QByteArray serialWrite(quint8 net, quint32 serial)
{
    return frame::request(net, kSetSerialCommand, word32(serial));
}

QByteArray netNumWrite(quint8 net, quint8 newNet)
{
    return frame::request(net, kSetNetNumCommand, oneByte(newNet));
}

QByteArray readTagIdRequest(quint8 net)
{
    return frame::request(net, kReadTagIdCommand);
}

QByteArray tagIdWrite(quint8 net, quint32 tagId)
{
    return frame::request(net, kSetTagIdCommand, word32(tagId));
}

int minimumAnswerLength(quint8 command)
{
    switch (command) {
    case kReadCommand:
        return kModeAt + 2;
    case kReadTagIdCommand:
        return kReadTagIdLength;
    case kSetTagIdCommand:
        return kSetTagIdLength;
    case kSerialAndFirmwareCommand:
        return kSerialAndFirmwareLength;
    case kPasswordAcceptedCommand:
        return kShortLength;
    default:
        return 0;
    }
}

std::vector<int> answerLengths(quint8 command)
{
    switch (command) {
    case kReadCommand:
        return {kReadLength};
    case kReadTagIdCommand:
        return {kReadTagIdLength};
    case kSetTagIdCommand:
        return {kSetTagIdLength};
    case kSerialAndFirmwareCommand:
        return {kSerialAndFirmwareLength};
    default:
        // Acknowledgements of the writes and the password answer.
        return {kShortLength};
    }
}

std::optional<QByteArray> searchAnswerIn(const QByteArray &chunk)
{
    QByteArray rest = chunk;
    for (bool dropped = true; dropped;) {
        dropped = false;
        const std::optional<quint8> command = frame::readU8(rest, 2);
        if (!command)
            break;
        for (int length : answerLengths(*command)) {
            if (length <= rest.size() && frame::isValidAnswer(rest.left(length))) {
                rest.remove(0, length);
                dropped = true;
                break;
            }
        }
    }
    if (rest.isEmpty())
        return std::nullopt;
    return bus::listedNumbers(rest);
}

std::optional<quint8> decodeMode(const QByteArray &frame)
{
    if (frame.size() < minimumAnswerLength(kReadCommand))
        return std::nullopt;
    return frame::readU8(frame, kModeAt);
}

std::optional<quint32> decodeTagId(const QByteArray &frame)
{
    const std::optional<quint8> command = frame::readU8(frame, 2);
    if (!command || frame.size() < minimumAnswerLength(*command))
        return std::nullopt;
    if (*command == kReadTagIdCommand)
        return frame::readLe32(frame, kReadTagIdAt);
    if (*command == kSetTagIdCommand)
        return frame::readLe32(frame, kSetTagIdAt);
    return std::nullopt;
}

QString tagIdText(quint32 id, bool decimal)
{
    return QString::number(id, decimal ? 10 : 16);
}

std::optional<quint32> parseTagId(const QString &text, bool decimal)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, decimal ? 10 : 16);
    if (!ok)
        return std::nullopt;
    return value;
}

QString convertTagIdText(const QString &text, bool toDecimal)
{
    const bool fromDecimal = !toDecimal;
    return tagIdText(parseTagId(text, fromDecimal).value_or(0), toDecimal);
}

} // namespace wiredtag
