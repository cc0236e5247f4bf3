#include "devices/fls/flstable.h"

#include "link/frame.h"

namespace fls {

namespace {

constexpr int kFirstWord = 3;

} // namespace

QByteArray tableReadRequest(quint8 net)
{
    return frame::request(net, kCalibrationTableCommand);
}

QByteArray tableWriteRequest(quint8 net, const SensorTarTable &table)
{
    QByteArray payload;
    for (quint16 level : table.levels)
        frame::appendBe16(payload, level);
    for (quint16 value : table.values)
        frame::appendBe16(payload, value);
    return frame::writeRequest(net, kTableWriteCommand, payload);
}

std::optional<SensorTarTable> decodeTable(const QByteArray &frame)
{
    if (frame.size() != kTableAnswerLength)
        return std::nullopt;
    const auto command = frame::readU8(frame, 2);
    if (!command || *command != kCalibrationTableCommand)
        return std::nullopt;
    SensorTarTable table;
    for (int r = 0; r < kTableRows; ++r) {
        const auto level = frame::readBe16(frame, kFirstWord + 2 * r);
        const auto value = frame::readBe16(frame, kFirstWord + 2 * (kTableRows + r));
        if (!level || !value)
            return std::nullopt;
        table.levels[size_t(r)] = *level;
        table.values[size_t(r)] = *value;
    }
    return table;
}

} // namespace fls
