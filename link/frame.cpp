#include "link/frame.h"

#include <algorithm>

namespace frame {

namespace {

// Per set bit of the running value, the value it contributes after eight
// reflected shifts through polynomial 0x8C.
constexpr quint8 kBitTerms[8] = {0x5E, 0xBC, 0x61, 0xC2, 0x9D, 0x23, 0x46, 0x8C};

bool fits(const QByteArray &data, int offset, int size)
{
    return offset >= 0 && size >= 0 && offset <= data.size() - size;
}

quint8 byteAt(const QByteArray &data, int i)
{
    return static_cast<quint8>(data.at(i));
}

} // namespace

quint8 calc_crc8(const uchar *data, int len)
{
    quint8 crc = 0;
    for (int i = 0; i < len; ++i) {
        const quint8 x = crc ^ data[i];
        crc = 0;
        for (int bit = 0; bit < 8; ++bit) {
            if (x & (1u << bit))
                crc ^= kBitTerms[bit];
        }
    }
    return crc;
}

quint8 calc_crc8(const QByteArray &data)
{
    return calc_crc8(reinterpret_cast<const uchar *>(data.constData()), data.size());
}

QByteArray withCrc(QByteArray bytes)
{
    bytes.append(static_cast<char>(calc_crc8(bytes)));
    return bytes;
}

QByteArray searchRequest()
{
    QByteArray bytes;
    bytes.append(static_cast<char>(kRequestStart));
    bytes.append(static_cast<char>(kSearchCommand));
    return withCrc(bytes);
}

QByteArray request(quint8 address, quint8 command, const QByteArray &payload, quint8 start)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(start));
    bytes.append(static_cast<char>(address));
    bytes.append(static_cast<char>(command));
    bytes.append(payload);
    return withCrc(bytes);
}

QByteArray writeRequest(quint8 address, quint8 command, const QByteArray &payload, quint8 start)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(start));
    bytes.append(static_cast<char>(address));
    bytes.append(static_cast<char>(command));
    for (quint8 b : kWriteSignature)
        bytes.append(static_cast<char>(b));
    bytes.append(payload);
    return withCrc(bytes);
}

bool isValidAnswer(const QByteArray &bytes, quint8 start)
{
    if (bytes.size() < 4 || byteAt(bytes, 0) != start)
        return false;
    return calc_crc8(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size() - 1) ==
           byteAt(bytes, bytes.size() - 1);
}

namespace {

// True when the `length` bytes at `at` begin with `start` and end with the
// CRC-8 of the bytes before their last.
bool isFrameAt(const QByteArray &chunk, int at, int length, quint8 start)
{
    if (length < 4 || !fits(chunk, at, length) || byteAt(chunk, at) != start)
        return false;
    const auto *data = reinterpret_cast<const uchar *>(chunk.constData()) + at;
    return calc_crc8(data, length - 1) == data[length - 1];
}

// Lengths of an answer that may start at `at`, ascending, without repeats.
std::vector<int> candidateLengths(const QByteArray &chunk, int at, const AnswerLengths &lengthsOf, quint8 start)
{
    // No answer begins without its start byte; most positions of a chunk are
    // not one, and asking the device's table there would cost a list each.
    if (!lengthsOf || !fits(chunk, at, 3) || byteAt(chunk, at) != start)
        return {};
    std::vector<int> lengths = lengthsOf(byteAt(chunk, at + 2));
    std::sort(lengths.begin(), lengths.end());
    lengths.erase(std::unique(lengths.begin(), lengths.end()), lengths.end());
    return lengths;
}

} // namespace

QList<QByteArray> splitAnswers(const QByteArray &chunk, const AnswerLengths &lengthsOf, quint8 start)
{
    const int n = chunk.size();
    if (n == 0)
        return {};

    // next[i]: length of the answer at i that leads to a whole split of the
    // rest, shortest first; 0 when the bytes from i on do not split whole.
    // Worked from the end, so every position is judged once.
    std::vector<int> next(size_t(n) + 1, 0);
    std::vector<bool> whole(size_t(n) + 1, false);
    whole[size_t(n)] = true;
    for (int i = n - 1; i >= 0; --i) {
        for (int length : candidateLengths(chunk, i, lengthsOf, start)) {
            if (i + length <= n && whole[size_t(i + length)] && isFrameAt(chunk, i, length, start)) {
                next[size_t(i)] = length;
                whole[size_t(i)] = true;
                break;
            }
        }
    }

    QList<QByteArray> answers;
    if (whole[0]) {
        for (int i = 0; i < n; i += next[size_t(i)])
            answers.append(chunk.mid(i, next[size_t(i)]));
        return answers;
    }

    // No whole split: take the answers standing at the front, each followed
    // by a start byte, and leave the rest in one piece.
    int at = 0;
    for (bool found = true; found && at < n;) {
        found = false;
        for (int length : candidateLengths(chunk, at, lengthsOf, start)) {
            if (at + length < n && byteAt(chunk, at + length) == start && isFrameAt(chunk, at, length, start)) {
                answers.append(chunk.mid(at, length));
                at += length;
                found = true;
                break;
            }
        }
    }
    if (at < n)
        answers.append(chunk.mid(at));
    return answers;
}

SearchChunk splitSearchChunk(const QByteArray &chunk, const AnswerLengths &lengthsOf, quint8 start)
{
    SearchChunk parts;
    const int n = chunk.size();
    for (int at = 0; at < n;) {
        int taken = 0;
        for (int length : candidateLengths(chunk, at, lengthsOf, start)) {
            if (isFrameAt(chunk, at, length, start)) {
                taken = length;
                break;
            }
        }
        if (taken > 0) {
            parts.answers.append(chunk.mid(at, taken));
            at += taken;
        } else {
            parts.numbers.append(chunk.at(at));
            ++at;
        }
    }
    return parts;
}

void appendBe16(QByteArray &out, quint16 value)
{
    out.append(static_cast<char>(value >> 8));
    out.append(static_cast<char>(value & 0xFF));
}

void appendBe32(QByteArray &out, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

std::optional<quint8> readU8(const QByteArray &data, int offset)
{
    if (!fits(data, offset, 1))
        return std::nullopt;
    return byteAt(data, offset);
}

std::optional<quint16> readBe16(const QByteArray &data, int offset)
{
    if (!fits(data, offset, 2))
        return std::nullopt;
    return static_cast<quint16>((byteAt(data, offset) << 8) | byteAt(data, offset + 1));
}

std::optional<quint32> readBe32(const QByteArray &data, int offset)
{
    if (!fits(data, offset, 4))
        return std::nullopt;
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | byteAt(data, offset + i);
    return value;
}

std::optional<quint16> readLe16(const QByteArray &data, int offset)
{
    if (!fits(data, offset, 2))
        return std::nullopt;
    return static_cast<quint16>(byteAt(data, offset) | (byteAt(data, offset + 1) << 8));
}

std::optional<quint32> readLe32(const QByteArray &data, int offset)
{
    if (!fits(data, offset, 4))
        return std::nullopt;
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | byteAt(data, offset + i);
    return value;
}

} // namespace frame
