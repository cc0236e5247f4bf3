#ifndef KV380PROTOCOL_H
#define KV380PROTOCOL_H

#include "link/bus.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

// The sensor's parameter set: as read from its data answer, or as the user
// wants it written.
struct KV380Param
{
    qint32 up = 0;          // upper angle threshold, degrees
    qint32 down = 0;        // lower angle threshold, degrees
    qint32 delayOn = 0;     // switch-on delay in blade mode
    qint32 delayOff = 0;    // switch-off delay in blade mode
    quint8 delayOnKov = 0;  // switch-on delay in bucket mode
    quint8 delayOffKov = 0; // switch-off delay in bucket mode
    qint32 netNum = 0;
    qint32 mode = 0; // the raw mode byte, master bit included

    bool operator==(const KV380Param &o) const
    {
        return up == o.up && down == o.down && delayOn == o.delayOn && delayOff == o.delayOff &&
               delayOnKov == o.delayOnKov && delayOffKov == o.delayOffKov && netNum == o.netNum && mode == o.mode;
    }
    bool operator!=(const KV380Param &o) const { return !(*this == o); }
};

// Byte-level work of the wired angle/position sensor, free of widgets:
// named commands, answer decoders, request builders and the rules that pick
// what the page shows.
namespace kv380 {

// Commands. Answers and requests share the command byte.
constexpr quint8 kDataCommand = 0xF0;
constexpr quint8 kSerialCommand = 0xFC;
constexpr quint8 kSetZeroCommand = 0xF1;
constexpr quint8 kModeCommand = 0xF2;
constexpr quint8 kUpCommand = 0xF5;
constexpr quint8 kDownCommand = 0xFA;
constexpr quint8 kNetNumCommand = 0xFB;
constexpr quint8 kBucketDelayOnCommand = 0xE0;
constexpr quint8 kBucketDelayOffCommand = 0xE1;
constexpr quint8 kBladeDelayOnCommand = 0xE2;
constexpr quint8 kBladeDelayOffCommand = 0xE3;
// The sensor's answer to a write it did not take.
constexpr quint8 kRefusedCommand = 0xFD;

// Shortest answers that carry every field the page reads: the data answer's
// fields run to byte 26, the serial answer's to byte 8; the CRC-8 follows.
constexpr int kDataAnswerLength = 28;
constexpr int kSerialAnswerLength = bus::kSerialAndFirmwareLength;
// Acknowledgement of a write: start, address, command, CRC-8.
constexpr int kAckLength = 4;

// The mode byte: bit 0 is the master flag, the rest is the working mode.
constexpr quint8 kMasterBit = 0x01;
constexpr quint8 kMode1 = 0; // garbage truck
constexpr quint8 kMode2 = 2; // tipper
constexpr quint8 kMode3 = 4; // frequency output
constexpr quint8 kModeBlade = 8;
constexpr quint8 kModeBucket = 16;

constexpr quint8 modeOf(quint8 raw)
{
    return raw & quint8(~kMasterBit);
}
constexpr bool isMaster(quint8 raw)
{
    return (raw & kMasterBit) != 0;
}

// The frequency output shows the angle moved up by this many hertz.
constexpr int kFrequencyOffset = 300;
// A bucket whose angle moved more than this between two checks is moving.
constexpr int kBucketMovement = 10;

// ---- Answers ----------------------------------------------------------------

// The network numbers a search answer lists, in answer order, or nothing when
// the chunk tells of no sensor (empty, or a lone frame start). Whole answer
// frames glued before or after the numbers are cut out and dropped; a chunk
// of such frames alone names the sender of the first. Any other chunk that
// begins with a frame start is the sensor with network number 0 (its answer
// is the frame start and its number).
std::optional<QByteArray> decodeSearchAnswer(const QByteArray &chunk);

// Answers are accepted by the rule every wired family shares.
using bus::acceptAnswer;
using bus::AnswerHead;

// Lengths the sensor's answers to a command come in, for cutting glued
// answers apart.
std::vector<int> answerLengths(quint8 command);

struct Data
{
    quint16 angle = 0;
    qint32 down = 0;
    qint32 up = 0;
    quint8 mode = 0; // raw, master bit included
    quint8 delayOnKov = 0;
    quint8 delayOffKov = 0;
    quint16 delayOn = 0;
    quint16 delayOff = 0;
};

// Decodes a data answer (little-endian fields) whose start byte and CRC were
// checked; nothing when it is shorter than its fields.
std::optional<Data> decodeData(const QByteArray &frame);
// True when an answer has the form of an angle sensor's data answer: at
// least as long as its fields (its length beyond them is not known for
// certain). A form the fuel sensors' rule names, 29 bytes say, is a fuel
// sensor's, never an angle: that rule is asked first (answerkinds).
bool isAngleSensorData(const QByteArray &frame);

struct SerialAndFirmware
{
    qint32 serial = 0;
    quint16 firmware = 0;
};

// Decodes a serial/firmware answer; nothing when it is too short.
std::optional<SerialAndFirmware> decodeSerialAndFirmware(const QByteArray &frame);

// Firmware versions read as on every wired device.
using bus::firmwareText;

// The parameter set a data answer reports for the sensor at a network number.
KV380Param paramOf(const Data &data, quint8 net);
// The parameter log line of a parameter set.
QString paramLogLine(const KV380Param &param);
// The settings part of the line logged when a sensor is found.
QString connectionLogSettings(const KV380Param &param);

// ---- Requests ---------------------------------------------------------------

QByteArray dataRequest(quint8 net);
QByteArray modeWrite(quint8 net, quint8 mode);
QByteArray setZeroWrite(quint8 net);
QByteArray upWrite(quint8 net, quint16 degrees);
QByteArray downWrite(quint8 net, quint16 degrees);
// The delays go out in the form of the working mode: one byte in bucket mode,
// two in blade mode. Nothing for another mode (it has no delays) or a value
// the mode's field cannot hold.
std::optional<QByteArray> delayOnWrite(quint8 net, quint8 mode, int value);
std::optional<QByteArray> delayOffWrite(quint8 net, quint8 mode, int value);
QByteArray netNumWrite(quint8 net, quint8 newNet);

// ---- Settings fields --------------------------------------------------------

struct FieldRange
{
    int min = 0;
    int max = 0;
};
constexpr FieldRange kThresholdRange{0, 180};
constexpr FieldRange kDelayRange{0, 100};
constexpr FieldRange kNetNumRange{0, 255};
// What an upper threshold left empty is filled with.
constexpr int kDefaultUpThreshold = 70;

// The number a settings field holds, or nothing when its text is empty, is no
// plain decimal number or lies outside the range: such a field is not sent.
std::optional<int> fieldValue(const QString &text, FieldRange range);

// ---- Pictures ---------------------------------------------------------------

// The picture of the machine that carries the sensor.
enum class Picture { Unchanged, Up, Mid, Down, Tipper0, Tipper20, Tipper40, Tipper60, Tipper80, Frequency };

// Which picture a working mode shows at an angle with the thresholds: above
// the upper threshold the upper one, below the lower threshold the lower one,
// the middle one in between and on a threshold; the tipper by 20-degree bands;
// the frequency output one picture; the bucket its lowered picture (its
// animation moves it); Unchanged for an unknown mode.
Picture anglePicture(quint8 mode, int angle, qint32 down, qint32 up);

// Resource path of a mode's picture in the theme; empty when the mode has no
// such picture.
QString pictureFile(quint8 mode, Picture picture, bool dark);
// Shown while nothing else is: the same in both themes.
QString defaultPictureFile();
// The master/slave animation of a theme.
QString masterSlaveMovieFile(bool dark);

// True when the bucket moved enough between two checks to animate it.
bool isBucketMoving(quint16 previous, quint16 now);

} // namespace kv380

#endif // KV380PROTOCOL_H
