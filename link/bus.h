#ifndef BUS_H
#define BUS_H

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// Answer rules every wired device family keeps alike on the shared line: how
// an answer is accepted, what a search answer lists and the serial number and
// firmware answer every device gives. Free of widgets; the families' protocol
// files and the pages build on them.
namespace bus {

// Requests every wired device takes: its data (each family answers in forms
// of its own) and its serial number and firmware (the same form on all).
constexpr quint8 kAllDataCommand = 0xF0;
constexpr quint8 kSerialAndFirmwareCommand = 0xFC;

// start, net, command, serial (4), firmware (2), CRC-8.
constexpr int kSerialAndFirmwareLength = 10;

// The network numbers a search answer lists, in answer order; nothing when the
// chunk is no search answer (empty, or a frame start of another length than
// two). The two bytes 0x3E, x stand for one device with network number 0.
std::optional<QByteArray> decodeSearchAnswer(const QByteArray &chunk);
// The numbers of a search answer in answer order, each once: a number that
// comes twice (a sensor answering twice, a bootloader repeating its byte)
// is one sensor at most, and the search's own address is no sensor's.
// Nothing when no number is left.
std::optional<QByteArray> listedNumbers(const QByteArray &numbers);

struct AnswerHead
{
    quint8 net = 0;
    quint8 command = 0;
};

// Network number and command of an answer frame whose start byte and CRC-8
// are right; nothing otherwise.
std::optional<AnswerHead> acceptAnswer(const QByteArray &frame);

struct SerialAndFirmware
{
    quint32 serial = 0;
    quint16 firmware = 0;
};

// Decodes a 0xFC answer (little-endian fields); nothing when too short.
std::optional<SerialAndFirmware> decodeSerialAndFirmware(const QByteArray &frame);

// "%1.%2.%3" of the last three decimal digits of a firmware version.
QString firmwareText(quint16 version);
// The serial number as the device means it: a signed 32-bit number.
QString serialText(quint32 serial);

} // namespace bus

#endif // BUS_H
