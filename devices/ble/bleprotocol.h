#ifndef BLEPROTOCOL_H
#define BLEPROTOCOL_H

#include "link/bus.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

// Byte-level work of the USB BLE base and the wireless sensors it relays,
// free of widgets: request builders, answer decoders, named commands, the
// advertising record and the base's status codes.
namespace ble {

// The base answers at this address; the sensor linked to it is reached there.
constexpr quint8 kBaseAddress = 0x03;
// Address the advertising list is asked at.
constexpr quint8 kAdvertAddress = 0x00;
// The bridge's output latch bits that attach the USB BLE base (both set) or
// detach it (both clear).
constexpr quint16 kBaseLatchMask = 0x30;
constexpr quint16 kBaseAttached = 0x30;
constexpr quint16 kBaseDetached = 0x00;

// Answers while the linked sensor is polled.
constexpr quint8 kDataCommand = 0xF0;
constexpr quint8 kParamWriteCommand = 0xF2;
constexpr quint8 kPasswordSetAck = 0xF7;
constexpr quint8 kPasswordEnterCommand = 0xF8; // request and its acknowledgement
constexpr quint8 kSerialAndFirmwareCommand = 0xFC;
constexpr quint8 kRefusedCommand = 0xFD;
// Answers in advertising mode.
constexpr quint8 kAdvertListCommand = 0xA6;
constexpr quint8 kConfigAcceptedCommand = 0xEC;
constexpr quint8 kNameAcceptedCommand = 0x8A;

// Requests the base relays to the linked sensor.
constexpr quint8 kSensorEnterPassword = 0xE8;
constexpr quint8 kSensorSetPassword = 0xE9; // 0 removes the password
constexpr quint8 kWriteEmptyCommand = 0xED;
constexpr quint8 kWriteFullCommand = 0xEC;
constexpr quint8 kUpdateModeCommand = 0xE6; // the sensor restarts for the phone's updater

// The linked sensor takes its present count as Full / Empty (write
// requests, with the write signature).
constexpr quint8 kSetFullCommand = 0xF5;
constexpr quint8 kSetEmptyCommand = 0xFA;
// The page's last-command field while no command waits for its answer.
constexpr quint8 kNoCommand = 0xFF;

// Answer lengths, CRC-8 included.
constexpr int kShortAnswerLength = 4; // start, address, command, CRC-8
constexpr int kParamAckLength = 6;
constexpr int kSerialAndFirmwareLength = 10;
constexpr int kAdvertRecordLength = 38;
constexpr int kAdvertRecords = 4;
constexpr int kAdvertFirstRecord = 3;
constexpr int kAdvertListLength = kAdvertFirstRecord + kAdvertRecords * kAdvertRecordLength + 1; // 156

// The data answer comes in these lengths; any other only shows the base is there.
bool isDataLength(int length);
// Lengths that carry the sensor's address after the status byte.
bool hasAddress(int length);
// Lengths the base's answers to a command come in, for cutting glued answers apart.
std::vector<int> answerLengths(quint8 command);

// Answers are accepted by the rule every wired family shares.
using bus::acceptAnswer;
using bus::AnswerHead;
// In the advertising mode the base's acknowledgements of a configuration
// (0xEC) and of a name (0x8A) come without a frame of their own worth
// checking: the command byte says it all. That byte, when a piece of at
// least three bytes carries one of the two there; nothing otherwise.
std::optional<quint8> advertAcknowledgement(const QByteArray &piece);
// A chunk of the advertising mode cut into answers. The shared cut only
// happens before an answer start byte, and an acknowledgement may come under
// the request start byte or without a fitting CRC-8; glued behind a whole
// answer it would be read as part of that answer and go unseen. So a whole
// answer that leads such an acknowledgement is cut off it as well.
QList<QByteArray> splitAdvertChunk(const QByteArray &chunk);

// ---- Data answer (0xF0) ----------------------------------------------------

// Sensor kinds the base reports for its linked sensor.
constexpr quint8 kKindFirstLinked = 30;
constexpr quint8 kKindLastLinked = 33;
constexpr quint8 kKindFuel = 30;
constexpr quint8 kKindFuelOther = 33;
constexpr bool isLinkedKind(quint8 kind)
{
    return kind >= kKindFirstLinked && kind <= kKindLastLinked;
}
// The fuel sensors this page serves.
constexpr bool isServedKind(quint8 kind)
{
    return kind == kKindFuel || kind == kKindFuelOther;
}
// Kind byte of a data answer; nothing when the frame ends before it.
std::optional<quint8> sensorKind(const QByteArray &frame);

// Level words the sensor sends instead of a level when its probe is faulty.
constexpr quint16 kLevelBrokenTube = 6500;
constexpr quint16 kLevelShortCircuit = 7000;
// Bit of the mode byte: level range 1-4095, else 1-1023.
constexpr quint8 kWideRangeBit = 0x80;
// Low bits of the filter byte: the filter level, 0 = off.
constexpr quint8 kFilterLevelMask = 0x0F;
// Mode bytes that show or hide the level labels.
constexpr quint8 kModeShowsLevel = 0;
constexpr quint8 kModeHidesLevel = 4;

struct Data
{
    qint8 temperature = 0;
    quint16 level = 0;
    quint32 current = 0; // shown as a signed number
    quint32 empty = 0;
    quint32 full = 0;
    quint8 mode = 0;                   // byte 20
    quint8 filter = 0;                 // byte 22
    quint8 firmware = 0;               // byte 23
    qint8 rssi = 0;                    // byte 28, dB
    qint8 battery = 0;                 // byte 29, tenths of a volt; 0: no sensor linked
    quint8 status = 0;                 // byte 36, outcome of the last command
    std::optional<QByteArray> address; // bytes 38-43 of the long forms
};
// Decodes a data answer whose start byte, address and CRC were checked;
// nothing unless its length is one the base sends.
std::optional<Data> decodeData(const QByteArray &frame);

// ---- Short answers ---------------------------------------------------------

struct ParamAck
{
    quint8 mode = 0;
    quint8 filter = 0;
};
// 0xF2: the mode and filter bytes the sensor took; nothing when too short.
std::optional<ParamAck> decodeParamAck(const QByteArray &frame);

// A base whose firmware word lies here lists advertising sensors instead of
// relaying one linked sensor.
constexpr quint16 kAdvertFirmwareFirst = 223;
constexpr quint16 kAdvertFirmwareLast = 998;
constexpr bool isAdvertFirmware(quint16 firmware)
{
    return firmware >= kAdvertFirmwareFirst && firmware <= kAdvertFirmwareLast;
}

// ---- Advertising list (0xA6) -----------------------------------------------

// The four records of a list answer, back to back; nothing when the frame is
// too short to hold them.
std::optional<QByteArray> advertRecords(const QByteArray &frame);

// One advertising record as it arrives (multi-byte fields little-endian).
struct AdvertRecord
{
    qint8 temperature = 0;   // 0; ZM family: humidity
    quint16 level = 0;       // 1-2; ZM family: temperature in tenths
    quint32 reserved = 0;    // 3-6
    quint8 rangeByte = 0;    // 7, bit 7: range 4095
    quint8 smoothing = 0;    // 8
    quint8 spare = 0;        // 9
    quint8 netNumber = 0;    // 10
    qint8 rssi = 0;          // 11, 0: empty slot
    quint8 battery = 0;      // 12
    QByteArray name;         // 13-21, nine characters
    quint8 listNumber = 0;   // 22, 30 and above: no sensor
    quint8 slotMask = 0;     // 23
    quint8 mode = 0;         // 24, 31: the sensor linked to the base
    quint16 illuminance = 0; // 31-32
    quint32 pressure = 0;    // 33-36
    quint8 paramSet = 0;     // 37
};
constexpr int kNameLength = 9;
constexpr quint8 kLinkedMode = 31;
constexpr quint8 kLastSensorNumber = 29;
// Encrypted sensors carry one of these mode bytes.
constexpr bool isEncryptedMode(quint8 mode)
{
    return mode >= 0xFA && mode <= 0xFE;
}
// Decodes the record at `offset`; fields that would lie past the data stay 0.
AdvertRecord decodeAdvertRecord(const QByteArray &data, int offset = 0);
// True when the name's six digits are not all "0": a sensor, not a free slot.
bool hasSensorDigits(const QByteArray &name);
// True for a whole name whose six digits are all "0": the slot is free.
bool isFreeSlotName(const QByteArray &name);
// Bit of slot n (1..4) in the slot mask: the slot sends extra parameters.
constexpr quint8 extraParamBit(int slot)
{
    return quint8(1u << (slot + 2));
}

// ---- Status codes (byte 36 of the data answer) ------------------------------

constexpr quint8 kStatusLinkReport = 0;
constexpr quint8 kStatusPasswordAccepted = 3;
constexpr quint8 kStatusDirectiveCalibration = 4;
constexpr quint8 kStatusRebooted = 5;
constexpr quint8 kStatusPasswordRefused = 10;
constexpr quint8 kStatusPasswordChangeFailed = 13;
constexpr quint8 kStatusModeSet = 15;
constexpr quint8 kStatusModeNotSet = 16;
constexpr quint8 kLastStatus = 16;

// Texts of a status whose handling is a message: the message (source text,
// context "BLEDevice"), the debug line and the log line (English).
struct StatusText
{
    const char *message;
    const char *debug;
    const char *log;
};
// Nothing for the codes with handling of their own (0, 3, 5, 10) and for
// undefined codes.
std::optional<StatusText> statusText(quint8 code);

// ---- Display rules ---------------------------------------------------------

// "%1.%2" of the tens and units of a battery byte (tenths of a volt). The
// linked sensor's data answer carries a signed byte, an advertising record an
// unsigned one: each caller passes its byte as its own type reads it.
QString batteryText(int battery);
// Six bytes as upper-case hexadecimal pairs joined by ":".
QString addressText(const QByteArray &address);
// A Full value within 1.3 to 2.2 times Empty passes for calibrated.
bool isCalibrated(quint32 empty, quint32 full);
// One line of the log after a (re)connection.
QString connectionSummary(int netNum, quint32 empty, quint32 full, quint16 current, quint16 level, qint8 temperature);

// ---- Requests --------------------------------------------------------------

// start, address, command, write signature, value most significant byte first, CRC.
QByteArray valueWrite(quint8 address, quint8 command, quint32 value);
// 0x31, address, 0xA6, CRC.
QByteArray advertListRequest(quint8 address);
// Mode and filter bytes to the linked sensor.
QByteArray paramWrite(quint8 mode, quint8 filter);
// The password probe: "set no password" to the linked sensor; its outcome
// tells whether the sensor is protected.
QByteArray passwordProbe();
// The linked sensor restarts into its update mode.
QByteArray updateModeRequest(quint8 address);
// The linked sensor takes its present count as Full, or as Empty.
QByteArray levelFromCurrentRequest(quint8 address, bool full);

// Empty and Full of a fuel sensor computed from its raw value and temperature
// with an empty tank (signed 32-bit arithmetic, wrapping like the sensor's).
struct EmptyFull
{
    qint32 empty = 0;
    qint32 full = 0;
};
EmptyFull autoCalibration(qint32 raw, qint8 temperature);

// ---- Advertising slots: requests the base relays to one slot's sensor -------

// Each goes to the slot's network number (the base configuration to slot 1's).
constexpr quint8 kParamSetCommand = 0xA9;       // ZM family: which values the sensor sends
constexpr quint8 kNetNumberCommand = 0xFB;      // the sensor's new network number
constexpr quint8 kBaseConfigCommand = 0xEC;     // slots 2-4 on, extra parameters of slots 1-4
constexpr quint8 kSensorNameCommand = 0xEA;     // the sensor the slot takes, by name
constexpr quint8 kSensorPasswordCommand = 0xA7; // that sensor's password
// The base links to one sensor by this six-byte ID.
constexpr quint8 kLinkIdCommand = 0xE4;

// A slot given this name is freed.
const QByteArray kFreeSlotName = QByteArrayLiteral("QF_000000");
// Parameter sets a climate sensor can send: 0 .. kLastParamSet.
constexpr int kLastParamSet = 5;
constexpr int kSlots = kAdvertRecords;
// Network numbers are one byte.
constexpr int kLargestNetNumber = 255;
// Serial numbers fit the 24 bits of the link ID.
constexpr quint32 kLargestSerial = 0xFFFFFF;
constexpr int kLinkIdLength = 6;
// Last byte of the base's link ID.
constexpr quint8 kBaseLinkIdTail = 0xFF;

// Sensor families, by the two letters that begin a sensor's name.
enum class Family { Unknown, Fuel, Light, Angle, Climate };
Family familyOf(const QByteArray &name);
// The card tells a climate sensor by the second letter alone.
bool showsClimateValues(const QByteArray &name);

// Parameter set sent for a choice index: 1..5 as chosen, anything else 0.
quint8 paramSetNumber(int index);
// The base configuration byte with the bits of one slot (index 0..3) changed:
// slots 2 to 4 are switched on or off by `enableDev`, each slot's extra
// parameters by `enableDop`; slot 1 has no on/off bit. Bit 7 stays as read,
// and an index outside 0..3 changes nothing.
quint8 changedConfig(quint8 config, int slot, bool enableDev, bool enableDop);
// Bit of slot index 1..3 (slots 2 to 4): the slot is switched on.
constexpr quint8 slotOnBit(int slotIndex)
{
    return slotIndex >= 1 && slotIndex <= 3 ? quint8(1u << (slotIndex - 1)) : quint8(0);
}

// A typed network number: decimal digits only, 0..255; nothing otherwise.
std::optional<quint8> typedNetNumber(const QString &text);
// How many of the slots' numbers lie within one of `number`: a sensor sending
// extra parameters uses its number and the next one, so a number that close
// would clash.
int netNumberClashes(int number, const QList<int> &inUse);
// The network-number field of a card: N, or "N,N+1" with extra parameters.
QString netNumberFieldText(int number, bool extraParams);

// A typed serial number: decimal digits only, up to kLargestSerial; nothing otherwise.
std::optional<quint32> typedSerial(const QString &text);
// The six bytes that link the base to the sensor of a serial number: its low
// three bytes (least significant first, the third ORed with 0xC0), 0xDD, 0xEE, `tail`.
QByteArray linkId(quint32 serial, quint8 tail);

QByteArray paramSetWrite(quint8 address, quint8 set);
QByteArray netNumberWrite(quint8 address, quint8 number);
QByteArray configWrite(quint8 address, quint8 config);
// The name as it is, without terminator or length.
QByteArray nameWrite(quint8 address, const QByteArray &name);
QByteArray linkIdWrite(quint8 address, const QByteArray &id);

} // namespace ble

#endif // BLEPROTOCOL_H
