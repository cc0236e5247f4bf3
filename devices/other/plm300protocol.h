#ifndef PLM300PROTOCOL_H
#define PLM300PROTOCOL_H

#include "link/bus.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

// Byte-level work of the PLM300 distance sensor, free of widgets: its answer
// decoders, its write frames and the limits of its settings. The sensor's
// answers carry little-endian fields; its write frames carry big-endian
// values and no write signature.
namespace plm300 {

// Answer commands.
constexpr quint8 kDataCommand = 0xF0;
constexpr quint8 kSerialCommand = bus::kSerialAndFirmwareCommand;

// Write commands.
constexpr quint8 kMaximumCommand = 0xF5;
constexpr quint8 kMinimumCommand = 0xFA;
constexpr quint8 kSmoothingCommand = 0xE9;
constexpr quint8 kThresholdCommand = 0xEA;
constexpr quint8 kModeCommand = 0xF2;
constexpr quint8 kNetNumCommand = 0xFB;

// Output modes as the mode byte carries them.
constexpr quint8 kModePassiveRs485 = 0x00;
constexpr quint8 kModeFrequency = 0x04;

// The answers as the sensor sends them; a shorter one lacks fields.
constexpr int kDataAnswerLength = 23;
constexpr int kSerialAnswerLength = bus::kSerialAndFirmwareLength;

// Full scale of the distance bar.
constexpr int kDistanceScale = 400;

// What the sensor takes for each setting.
struct Limits
{
    int bottom = 0;
    int top = 0;
};
constexpr Limits kMaximumLimits{21, 400};
constexpr Limits kMinimumLimits{20, 399};
constexpr Limits kSmoothingLimits{1, 255};
constexpr Limits kThresholdLimits{10, 255};
constexpr Limits kNetNumLimits{0, 255};

// ---- Requests --------------------------------------------------------------

// 0x31, net, command, value high byte, value low byte, CRC: the four settings.
QByteArray settingWrite(quint8 net, quint8 command, quint16 value);
// 0x31, net, 0xF2, mode byte, CRC.
QByteArray modeWrite(quint8 net, quint8 mode);
// 0x31, net, 0xFB, new network number, CRC.
QByteArray netNumWrite(quint8 net, quint8 newNet);

// Mode byte of an entry of the mode list (0 passive RS-485, 1 frequency);
// nothing for any other entry.
std::optional<quint8> modeOfIndex(int index);
// Entry of the mode list that shows a mode byte.
int indexOfMode(quint8 mode);

// The number a setting field holds when it is a whole decimal number within
// the limits; nothing for an empty, unreadable or out-of-range text.
std::optional<quint16> settingValue(const QString &text, Limits limits);

// ---- Answers ---------------------------------------------------------------

// The network numbers a search answer lists, in answer order; nothing when
// the chunk is no search answer (empty, or a lone frame start). A sensor that
// answers with a frame instead of its number stands for number 0.
std::optional<QByteArray> decodeSearchAnswer(const QByteArray &chunk);

// Answers are accepted as the wired sensors' are (bus::acceptAnswer): start
// byte and CRC-8.

// Lengths the sensor's answers to a command come in, for cutting glued
// answers apart.
std::vector<int> answerLengths(quint8 command);

struct Data
{
    quint16 distance = 0;
    quint16 minimum = 0;
    quint16 maximum = 0;
    quint16 smoothing = 0;
    quint8 mode = 0;
    quint8 threshold = 0;
};

// Decodes a 0xF0 answer already accepted; nothing when it is too short.
std::optional<Data> decodeData(const QByteArray &frame);
// True when an answer is a PLM300's data answer: the form the sensor sends
// (kDataAnswerLength), shorter than any fuel or angle sensor's data answer.
// A longer one could be another family's, and is never taken.
bool isPlm300Data(const QByteArray &frame);

// The 0xFC answer reads as on every wired device.
using bus::decodeSerialAndFirmware;
using bus::SerialAndFirmware;

} // namespace plm300

#endif // PLM300PROTOCOL_H
