#ifndef FLSTABLE_H
#define FLSTABLE_H

#include "devices/fls/flsprotocol.h"

#include <QByteArray>
#include <QtGlobal>

#include <array>
#include <optional>

// The wired sensor's own litres/percent table on the wire: 20 rows of a
// level and the litres or percent value belonging to it, both unsigned
// 16-bit, sent column by column (all levels, then all values), high byte
// first.
namespace fls {

// The read request and its answer carry kCalibrationTableCommand.
constexpr quint8 kTableWriteCommand = 0xF1;
constexpr int kTableRows = 20;
constexpr int kTableAnswerLength = 84; // start, net, command, 40 words, CRC-8
constexpr int kTableWriteLength = 87;  // start, net, command, signature, 40 words, CRC-8

struct SensorTarTable
{
    std::array<quint16, kTableRows> levels{};
    std::array<quint16, kTableRows> values{};
};

QByteArray tableReadRequest(quint8 net);
QByteArray tableWriteRequest(quint8 net, const SensorTarTable &table);
// Decodes an 0xEF answer whose start byte and CRC-8 were already checked;
// nothing when the frame is not a whole table answer.
std::optional<SensorTarTable> decodeTable(const QByteArray &frame);

} // namespace fls

#endif // FLSTABLE_H
