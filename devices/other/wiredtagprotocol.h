#ifndef WIREDTAGPROTOCOL_H
#define WIREDTAGPROTOCOL_H

#include "link/bus.h"
#include "link/frame.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

// Byte-level work of the wired tag reader, free of widgets. Requests carry no
// write signature and big-endian values; answers are little-endian.
namespace wiredtag {

// The reader's commands; the page's current command is one of the first
// three while it waits for an answer.
constexpr quint8 kSearchCommand = frame::kSearchCommand;
constexpr quint8 kReadCommand = bus::kAllDataCommand;
constexpr quint8 kSerialAndFirmwareCommand = bus::kSerialAndFirmwareCommand;
constexpr quint8 kReadTagIdCommand = 0x06;
constexpr quint8 kSetTagIdCommand = 0xE1;
constexpr quint8 kPasswordAcceptedCommand = 0xF8;
constexpr quint8 kSetModeCommand = 0xF2;
constexpr quint8 kSetSerialCommand = 0xF6;
constexpr quint8 kSetNetNumCommand = 0xFB;

// Mode byte of the mode write, and how the read answer's mode byte reads.
enum class Mode { Tag, Reader, Unknown };
constexpr quint8 kModeTagByte = 0x00;
constexpr quint8 kModeReaderByte = 0x01;
// 0 the tag mode, odd values the reader mode, anything else unknown.
Mode modeFromByte(quint8 byte);
// Positions of the two modes in the page's mode list.
constexpr int kTagModeIndex = 0;
constexpr int kReaderModeIndex = 1;

// Highest network number the reader takes.
constexpr int kNetNumTop = 254;
// The tag ID input: hexadecimal digits, or in decimal 1 to the top below.
inline constexpr char kHexTagIdPattern[] = "[0-9a-fA-F]+";
constexpr int kDecimalTagIdTop = 429496729;

// ---- Requests ----------------------------------------------------------------

QByteArray readRequest(quint8 net);
QByteArray modeWrite(quint8 net, bool reader);
QByteArray serialWrite(quint8 net, quint32 serial);
QByteArray netNumWrite(quint8 net, quint8 newNet);
QByteArray readTagIdRequest(quint8 net);
QByteArray tagIdWrite(quint8 net, quint32 tagId);

// ---- Answers -----------------------------------------------------------------

// Shortest answer whose fields all lie before its CRC-8; 0 for commands the
// page does not read.
int minimumAnswerLength(quint8 command);
// Lengths the reader's answers to a command come in, for cutting glued
// answers apart.
std::vector<int> answerLengths(quint8 command);

// The network numbers a chunk taken in the search state names: one byte per
// reader, no start byte, no CRC-8. Whole answer frames at its front are the
// late answers of earlier requests and are left out; nothing when no bytes
// remain.
std::optional<QByteArray> searchAnswerIn(const QByteArray &chunk);

// The mode byte of a read answer (byte 20); nothing when too short.
std::optional<quint8> decodeMode(const QByteArray &frame);
// The tag ID of a 0x06 answer (bytes 4-7) or a 0xE1 answer (bytes 3-6);
// nothing for other commands or when too short.
std::optional<quint32> decodeTagId(const QByteArray &frame);

// ---- Tag ID text -------------------------------------------------------------

// Decimal, or lower-case hexadecimal without prefix or leading zeros.
QString tagIdText(quint32 id, bool decimal);
// Reads typed text in the given base; nothing when it is empty, not a number
// or wider than 32 bits.
std::optional<quint32> parseTagId(const QString &text, bool decimal);
// The text rewritten for the other base when the format box changes: read in
// the old base (0 when it does not read), written in the new one.
QString convertTagIdText(const QString &text, bool toDecimal);

} // namespace wiredtag

#endif // WIREDTAGPROTOCOL_H
