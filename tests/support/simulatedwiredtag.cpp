#include "simulatedwiredtag.h"

#include "link/frame.h"

namespace {

constexpr quint8 kRequestStart = 0x31;
constexpr quint8 kSearch = 0xFF;
constexpr quint8 kRead = 0xF0;
constexpr quint8 kSerial = 0xFC;
constexpr quint8 kReadTagId = 0x06;
constexpr quint8 kSetTagId = 0xE1;
constexpr quint8 kSetMode = 0xF2;
constexpr quint8 kSetSerial = 0xF6;
constexpr quint8 kSetNetNum = 0xFB;

// The read answer has the fuel sensors' short all-data form; only the mode
// byte means something for a reader.
constexpr int kReadLength = 24;
constexpr int kModeAt = 20;

QByteArray le(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

quint32 be32(const QByteArray &bytes, int at)
{
    return frame::readBe32(bytes, at).value_or(0);
}

} // namespace

SimulatedWiredTag::SimulatedWiredTag(QObject *parent) : SimulatedDevice(parent)
{
    readers.append(Reader());
}

SimulatedWiredTag::Reader *SimulatedWiredTag::readerAt(quint8 netNum)
{
    for (Reader &r : readers) {
        if (r.netNum == netNum && !r.silent)
            return &r;
    }
    return nullptr;
}

QList<QByteArray> SimulatedWiredTag::requestsWith(quint8 command) const
{
    QList<QByteArray> out;
    for (const Request &r : requests()) {
        if (r.bytes.size() >= 4 && static_cast<quint8>(r.bytes.at(2)) == command)
            out.append(r.bytes);
    }
    return out;
}

int SimulatedWiredTag::requestLength(quint8 start, quint8 address, quint8 command) const
{
    if (start != kRequestStart)
        return SimulatedDevice::requestLength(start, address, command);
    if (address == kSearch)
        return 3;
    switch (command) {
    case kRead:
    case kSerial:
    case kReadTagId:
        return 4;
    case kSetMode:
    case kSetNetNum:
        return 5;
    case kSetSerial:
    case kSetTagId:
        return 8;
    default:
        return -1;
    }
}

QByteArray SimulatedWiredTag::answerFor(const QByteArray &request)
{
    if (request.size() < 3 || static_cast<quint8>(request.at(0)) != kRequestStart)
        return QByteArray();
    if (frame::calc_crc8(request.left(request.size() - 1)) != static_cast<quint8>(request.back()))
        return QByteArray();

    QByteArray answer;
    if (request.size() == 3 && static_cast<quint8>(request.at(1)) == kSearch) {
        for (const Reader &r : qAsConst(readers)) {
            if (!r.silent)
                answer.append(static_cast<char>(r.netNum));
        }
    } else if (Reader *r = readerAt(static_cast<quint8>(request.at(1)))) {
        answer = spoil(frameFor(*r, request));
    }
    if (answer.isEmpty())
        return answer;
    // The search answer is never held: nothing would ask again before it came.
    if (glued && held.isEmpty() && answer.size() >= 4) {
        held = answer;
        return QByteArray();
    }
    answer.prepend(held);
    held.clear();
    return answer;
}

QByteArray SimulatedWiredTag::frameFor(Reader &r, const QByteArray &request)
{
    const quint8 command = static_cast<quint8>(request.at(2));
    const int payload = request.size() - 4;
    switch (command) {
    case kRead: {
        QByteArray data(kReadLength - 4, '\0');
        data[kModeAt - 3] = static_cast<char>(r.mode);
        return answerFrame(r.netNum, kRead, data);
    }
    case kSerial:
        return answerFrame(r.netNum, kSerial, le(r.serial, 4) + le(r.firmware, 2));
    case kReadTagId:
        // Byte 3 carries nothing the program reads.
        return answerFrame(r.netNum, kReadTagId, QByteArray(1, '\0') + le(r.tagId, 4));
    case kSetTagId:
        if (payload != 4)
            return QByteArray();
        r.tagId = be32(request, 3);
        return answerFrame(r.netNum, kSetTagId, le(r.tagId, 4));
    case kSetMode: {
        const quint8 mode = static_cast<quint8>(request.at(3));
        if (payload != 1 || mode > 1)
            return QByteArray();
        r.mode = mode;
        return answerFrame(r.netNum, kSetMode, QByteArray());
    }
    case kSetSerial:
        if (payload != 4)
            return QByteArray();
        r.serial = be32(request, 3);
        return answerFrame(r.netNum, kSetSerial, QByteArray());
    case kSetNetNum: {
        const quint8 newNet = static_cast<quint8>(request.at(3));
        // 255 is the search's place in a request; no reader takes it.
        if (payload != 1 || newNet == kSearch)
            return QByteArray();
        r.netNum = newNet;
        // Renumbered, the reader names itself as it does to a search.
        return QByteArray(1, static_cast<char>(newNet));
    }
    default:
        return QByteArray();
    }
}

QByteArray SimulatedWiredTag::spoil(QByteArray answer) const
{
    // A lone network number is no frame: the faults below are a frame's.
    if (answer.size() < 4)
        return answer;
    if (shortFrames)
        answer = frame::withCrc(answer.left(3));
    if (badCrc)
        answer[answer.size() - 1] = static_cast<char>(answer.at(answer.size() - 1) ^ 0x5A);
    return answer;
}
