#include "link/bus.h"

#include "link/frame.h"

namespace bus {

std::optional<QByteArray> decodeSearchAnswer(const QByteArray &chunk)
{
    if (chunk.isEmpty())
        return std::nullopt;
    if (static_cast<quint8>(chunk.at(0)) == frame::kAnswerStart) {
        if (chunk.size() != 2)
            return std::nullopt;
        // A lone device answers with a frame start; its number is taken as 0.
        return QByteArray(1, '\0');
    }
    return listedNumbers(chunk);
}

std::optional<QByteArray> listedNumbers(const QByteArray &numbers)
{
    QByteArray once;
    for (char net : numbers) {
        if (quint8(net) != frame::kSearchCommand && !once.contains(net))
            once.append(net);
    }
    if (once.isEmpty())
        return std::nullopt;
    return once;
}

std::optional<AnswerHead> acceptAnswer(const QByteArray &frame)
{
    if (!frame::isValidAnswer(frame))
        return std::nullopt;
    const auto net = frame::readU8(frame, 1);
    const auto command = frame::readU8(frame, 2);
    if (!net || !command)
        return std::nullopt;
    return AnswerHead{*net, *command};
}

std::optional<SerialAndFirmware> decodeSerialAndFirmware(const QByteArray &frame)
{
    if (frame.size() < kSerialAndFirmwareLength)
        return std::nullopt;
    const auto serial = frame::readLe32(frame, 3);
    const auto firmware = frame::readLe16(frame, 7);
    if (!serial || !firmware)
        return std::nullopt;
    return SerialAndFirmware{*serial, *firmware};
}

QString firmwareText(quint16 version)
{
    return QStringLiteral("%1.%2.%3").arg(version / 100 % 10).arg(version / 10 % 10).arg(version % 10);
}

QString serialText(quint32 serial)
{
    return QStringLiteral("%1").arg(static_cast<qint32>(serial));
}

} // namespace bus
