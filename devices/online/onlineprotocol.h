#ifndef ONLINEPROTOCOL_H
#define ONLINEPROTOCOL_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

class OnlineConfigBlock;

// Byte-level work of the GSM/GPS online fuel sensor, free of widgets: request
// builders, answer decoders, named commands. The unit mixes both start bytes
// on its requests and both byte orders in its answers; each builder and
// decoder states its own.
namespace online {

// The unit is always network number 1 on its line.
constexpr quint8 kNetNum = 1;
// The unit takes its present count as Full / Empty; these requests carry no
// write signature.
constexpr quint8 kSetFullCommand = 0xF5;
constexpr quint8 kSetEmptyCommand = 0xFA;
// The unit's fixed address for its configuration requests, which start with
// the answer start byte.
constexpr quint8 kUnitAddress = 0xCA;

// Commands (answers repeat them).
constexpr quint8 kStatusCommand = 0xA0;
constexpr quint8 kConfigReadCommand = 0xA2;
constexpr quint8 kConfigWriteCommand = 0xA3;
constexpr quint8 kImeiCommand = 0xA7;
constexpr quint8 kHorizonCommand = 0xAA;
constexpr quint8 kEngineOnCommand = 0xE3;
constexpr quint8 kEngineOffCommand = 0xE5;
constexpr quint8 kLevelCommand = 0xF0;
constexpr quint8 kWorkingModeCommand = 0xF2;
constexpr quint8 kSetPasswordCommand = 0xF7;   // also "no password is set" when answered
constexpr quint8 kEnterPasswordCommand = 0xF8; // also "password accepted" when answered
constexpr quint8 kPasswordRefusedCommand = 0xFD;

constexpr int kConfigReadPayloadLength = 5;
// The unit takes a configuration write only with this code behind the block.
constexpr std::array<quint8, 3> kConfigWriteTrailer{{0xA5, 0x3C, 0x69}};
// 3E CA A3, the block, the trailer, CRC.
constexpr int kConfigWriteLength = 3 + 162 + 3 + 1;

// Bit of the unit's working mode byte that the page's mode switch turns.
constexpr quint8 kWorkingModeSwitchBit = 0x08;

// Answer lengths. The configuration answer ends with the serial number and
// carries no CRC. The others hold their last field right before the CRC; an
// answer shorter than the bytes its handler reads is not taken.
constexpr int kConfigAnswerLength = 171;
constexpr int kStatusAnswerLength = 37;
constexpr int kLevelAnswerLength = 22;
constexpr int kImeiAnswerLength = 40;
constexpr int kShortAnswerLength = 4;
constexpr int kStatusMinLength = 36;
constexpr int kLevelMinLength = 21;
constexpr int kImeiMinLength = 39;
// Below this nothing names a command.
constexpr int kMinimumAnswerLength = 3;
// Where the block sits in the configuration answer and the write request.
constexpr int kBlockOffset = 3;

// ---- Requests --------------------------------------------------------------

// 0x31, address, 0xA0, CRC: level, voltage, modem and GPS state.
QByteArray statusRequest(quint8 address);
// 0x3E, 0xCA, 0xA2, five zero bytes, CRC.
QByteArray configReadRequest();
// 0x3E, 0xCA, 0xA3, the block as it is, the trailer, CRC.
QByteArray configWriteRequest(const OnlineConfigBlock &block);
// 0x3E, 0xCA, 0xA7, CRC: IMEI and SIM.
QByteArray imeiRequest();
// 0x3E, net, 0xF2, mode, CRC.
QByteArray workingModeRequest(quint8 net, quint8 mode);
// 0x3E, 0xCA, 0xAA, CRC.
QByteArray horizonRequest();
// 0x31, net, 0xE3 or 0xE5, CRC: calibration with the engine running or off.
QByteArray engineOnRequest(quint8 net);
QByteArray engineOffRequest(quint8 net);
// 0x31, net, 0xF7 (set; 0 sets none) or 0xF8 (enter), the password most
// significant byte first, CRC. No write signature: the unit takes none.
QByteArray passwordRequest(quint8 net, quint8 command, quint32 password);

// ---- Answers ---------------------------------------------------------------

// The answers a chunk holds. Glued answers are cut apart by the shared
// splitter; the configuration answer, which has no CRC to find its end by, is
// cut off by its fixed length wherever an answer begins with it.
QList<QByteArray> splitAnswers(const QByteArray &chunk);
// Lengths the unit's answers to a command come in.
std::vector<int> answerLengths(quint8 command);

// True when a chunk arriving during a search ends it: anything but nothing
// and but an answer frame of a length other than two.
bool endsSearch(const QByteArray &chunk);

// The frame check: a 0x3E frame whose last byte is its CRC-8, a chunk of the
// configuration answer's length, or one whose last byte is 0 (the unit sends
// some answers without a CRC). Never shorter than kMinimumAnswerLength.
bool isAccepted(const QByteArray &frame);
// True when an accepted answer can only be the online unit's: its status
// answer, or an answer from the unit's own address to a request only the
// unit takes (its settings, its IMEI). A level answer is no proof: a wired
// fuel sensor at the unit's number answers that request as well.
bool isUnitAnswer(const QByteArray &frame);
// True when a level answer has the unit's own form, shorter than any wired
// sensor's data answer.
bool isUnitLevel(const QByteArray &frame);
// Shortest frame a command's handler may read.
int minimumAnswerLength(quint8 command);

// 0xA0: bytes 9-10 input voltage in hundredths of a volt (low byte first),
// 16-31 eight channel words (high byte first), 32 modem state, 33 GPS,
// 34 traffic, 35 signal quality.
struct Status
{
    quint16 voltage = 0;
    std::array<quint16, 8> channels{};
    quint8 modemState = 0;
    quint8 gps = 0;
    quint8 traffic = 0;
    quint8 quality = 0;
};
std::optional<Status> decodeStatus(const QByteArray &frame);
// The voltage in volts, in its shortest decimal form ("12.34", "12").
QString voltageText(quint16 hundredths);
// Source text (translation context "QFOnline") of a modem state; nullptr for
// states that leave the shown text as it was.
const char *modemStateText(quint8 state);

// 0xF0: byte 3 temperature, 4-5 level word, 6-9 raw count, 10-13 Empty,
// 14-17 Full (all low byte first), 20 the unit's working mode byte.
struct Level
{
    qint8 temperature = 0;
    quint16 level = 0;
    qint32 count = 0;
    qint32 empty = 0;
    qint32 full = 0;
    quint8 workingMode = 0;
};
std::optional<Level> decodeLevel(const QByteArray &frame);

// 0xA7: bytes 3-38 hold "IMEI;SIM;..." as 8-bit text; the IMEI upper-cased.
std::optional<QString> decodeImei(const QByteArray &frame);

// 0xA2: the block (bytes 3-164), the firmware version (165-166, high byte
// first) and the serial number (167-170, high byte first, signed).
struct ConfigAnswer
{
    QByteArray block;
    quint16 firmware = 0;
    qint32 serial = 0;
};
std::optional<ConfigAnswer> decodeConfig(const QByteArray &frame);

// ---- Mobile operators --------------------------------------------------------

// Access settings that picking an operator fills in.
struct OperatorPreset
{
    const char *key; // the list item's text
    const char *apn;
    const char *user;
    const char *password;
};
// Items 0 to 3 of the operator list; item 4 ("другой") fills in nothing.
const std::array<OperatorPreset, 4> &operatorPresets();
constexpr int kOtherOperator = 4;
// The preset of a list text; nothing for "другой" or any other text.
std::optional<OperatorPreset> presetOf(const QString &itemText);
// The list item a read-back configuration belongs to: by a key found in its
// APN, else by the user name of the one operator whose APN names none.
int operatorOfConfig(const QString &apn, const QString &user);

} // namespace online

#endif // ONLINEPROTOCOL_H
