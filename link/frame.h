#ifndef FRAME_H
#define FRAME_H

#include <QByteArray>
#include <QtGlobal>

#include <QList>

#include <functional>
#include <optional>
#include <vector>

// The byte frames of the line protocol: requests 0x31, address, command,
// [write signature], payload (big-endian), CRC-8; answers 0x3E, address,
// command, data, CRC-8. The indicator and some online-device requests use the
// start bytes the other way round.
namespace frame {

constexpr quint8 kRequestStart = 0x31;
constexpr quint8 kAnswerStart = 0x3E;
constexpr quint8 kSearchCommand = 0xFF;

// Carried right after the command byte of every write request; devices refuse
// writes without it. Kept here and nowhere else.
constexpr quint8 kWriteSignature[3] = {0x5A, 0xC3, 0x96};

// CRC-8/MAXIM (reflected polynomial 0x8C, initial 0, no final XOR).
quint8 calc_crc8(const uchar *data, int len);
quint8 calc_crc8(const QByteArray &data);

// Appends the CRC-8 of everything in `bytes` and returns the finished frame.
QByteArray withCrc(QByteArray bytes);

// 0x31, FF, CRC: asks every device on the bus for its network number.
QByteArray searchRequest();
// start, address, command, payload, CRC.
QByteArray request(quint8 address, quint8 command, const QByteArray &payload = QByteArray(),
                   quint8 start = kRequestStart);
// start, address, command, write signature, payload, CRC.
QByteArray writeRequest(quint8 address, quint8 command, const QByteArray &payload = QByteArray(),
                        quint8 start = kRequestStart);

// True when `bytes` is at least start, address, command and CRC long, begins
// with `start` and its last byte is the CRC-8 of the bytes before it.
bool isValidAnswer(const QByteArray &bytes, quint8 start = kAnswerStart);

// The lengths a device's answers to one command come in; empty when the
// command has no length of its own (such an answer is never split off).
using AnswerLengths = std::function<std::vector<int>(quint8 command)>;

// Cuts a chunk the line delivered into the answers it holds. Two whole answers
// glued together still pass the CRC-8 check as one (a frame followed by its
// own CRC leaves the register at 0), so a chunk is never judged by its CRC
// alone: an answer ends where a prefix of a length known for its command
// checks with its CRC and the next byte is a start byte (or the chunk ends).
// When the whole chunk splits that way into answers, those are returned,
// shortest first; otherwise the answers found at its front are split off and
// the rest is returned as one last piece, for the page's own checks to judge.
// An empty chunk gives nothing.
QList<QByteArray> splitAnswers(const QByteArray &chunk, const AnswerLengths &lengthsOf, quint8 start = kAnswerStart);

// A search answer is no frame: each device that heard the search answers
// with its network number, one bare byte. A request that crossed the search
// brings its answer frame into the same chunk, before or after the numbers.
// Cuts those frames out (a length known for its command whose CRC-8 checks)
// and keeps the other bytes, in order, as the numbers.
struct SearchChunk
{
    QList<QByteArray> answers;
    QByteArray numbers;
};
SearchChunk splitSearchChunk(const QByteArray &chunk, const AnswerLengths &lengthsOf, quint8 start = kAnswerStart);

// Big- and little-endian fields. Readers return nothing when the field would
// run past the end of the data.
void appendBe16(QByteArray &out, quint16 value);
void appendBe32(QByteArray &out, quint32 value);
std::optional<quint8> readU8(const QByteArray &data, int offset);
std::optional<quint16> readBe16(const QByteArray &data, int offset);
std::optional<quint32> readBe32(const QByteArray &data, int offset);
std::optional<quint16> readLe16(const QByteArray &data, int offset);
std::optional<quint32> readLe32(const QByteArray &data, int offset);

} // namespace frame

#endif // FRAME_H
