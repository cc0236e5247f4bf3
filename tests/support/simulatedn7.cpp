#include "simulatedn7.h"

#include "link/frame.h"

namespace {

constexpr quint8 kRequestStart = 0x3E;
constexpr quint8 kAnswerStart = 0x31;
constexpr quint8 kAddress = 0xDE;
constexpr quint8 kRead = 0xEE;
constexpr quint8 kWrite = 0xEF;
constexpr quint8 kMode = 0xF2;

constexpr int kReadLength = 5;
constexpr int kModeLength = 5;
constexpr int kTableLength = 167;
constexpr int kAckLength = 4;

QByteArray sealed(QByteArray body)
{
    body.append(char(SimulatedDevice::crcOf(body, body.size())));
    return body;
}

quint16 be16At(const QByteArray &bytes, int at)
{
    return quint16((quint8(bytes.at(at)) << 8) | quint8(bytes.at(at + 1)));
}

} // namespace

SimulatedN7::SimulatedN7(QObject *parent) : SimulatedDevice(parent) {}

QByteArray SimulatedN7::tableAnswer(int slot) const
{
    const Sensor &s = sensors[size_t(slot)];
    QByteArray body;
    body.append(char(kAnswerStart));
    body.append(char(kAddress));
    body.append(char(kRead));
    body.append(char(s.netNum));
    body.append(char(s.poll));
    for (quint16 v : s.units) {
        body.append(char(v >> 8));
        body.append(char(v & 0xFF));
    }
    for (quint16 v : s.litres) {
        body.append(char(v >> 8));
        body.append(char(v & 0xFF));
    }
    body.append(char(mode));
    return sealed(body);
}

QByteArray SimulatedN7::ack(quint8 command) const
{
    QByteArray body;
    body.append(char(kAnswerStart));
    body.append(char(kAddress));
    body.append(char(command));
    return sealed(body);
}

QList<QByteArray> SimulatedN7::requestsWith(quint8 command) const
{
    QList<QByteArray> out;
    for (const Request &r : requests()) {
        if (r.bytes.size() >= 3 && quint8(r.bytes.at(0)) == kRequestStart && quint8(r.bytes.at(2)) == command)
            out.append(r.bytes);
    }
    return out;
}

int SimulatedN7::requestLength(quint8 start, quint8 address, quint8 command) const
{
    if (start != kRequestStart || address != kAddress)
        return SimulatedDevice::requestLength(start, address, command);
    switch (command) {
    case kRead:
        return kReadLength;
    case kWrite:
        return kTableLength;
    case kMode:
        return kModeLength;
    default:
        return -1;
    }
}

QByteArray SimulatedN7::answerFor(const QByteArray &request)
{
    if (silent || request.size() < 4 || quint8(request.at(0)) != kRequestStart || quint8(request.at(1)) != kAddress)
        return QByteArray();
    if (!crcFits(request))
        return QByteArray();
    QByteArray answer = frameFor(request);
    if (answer.isEmpty())
        return answer;
    answer = spoil(answer);
    if (!glued)
        return answer;
    return gluer.pass(answer);
}

QByteArray SimulatedN7::frameFor(const QByteArray &request)
{
    const quint8 command = quint8(request.at(2));
    switch (command) {
    case kRead: {
        if (request.size() != kReadLength || quint8(request.at(3)) > 3)
            return QByteArray();
        const QByteArray table = tableAnswer(quint8(request.at(3)));
        return shortTables ? sealed(table.left(kAckLength - 1)) : table;
    }
    case kWrite: {
        if (request.size() != kTableLength || quint8(request.at(3)) > 3)
            return QByteArray();
        const quint8 poll = quint8(request.at(5));
        if (poll > 1)
            return QByteArray();
        Sensor &s = sensors[quint8(request.at(3))];
        s.netNum = quint8(request.at(4));
        s.poll = poll;
        for (int i = 0; i < kRows; ++i) {
            s.units[size_t(i)] = be16At(request, 6 + 2 * i);
            s.litres[size_t(i)] = be16At(request, 6 + 2 * kRows + 2 * i);
        }
        appliedWrites.append(request);
        return ack(kWrite);
    }
    case kMode: {
        const quint8 value = request.size() == kModeLength ? quint8(request.at(3)) : 0xFF;
        // The working modes the indicator has.
        if (value != 0x00 && value != 0x01 && value != 0x04 && value != 0x05)
            return QByteArray();
        mode = value;
        appliedWrites.append(request);
        return ack(kMode);
    }
    default:
        return QByteArray();
    }
}

QByteArray SimulatedN7::spoil(QByteArray answer) const
{
    if (foreignAddress) {
        answer[1] = char(*foreignAddress);
        answer[answer.size() - 1] = char(SimulatedDevice::crcOf(answer, answer.size() - 1));
    }
    if (badCrc)
        answer[answer.size() - 1] = char(answer.at(answer.size() - 1) ^ 0x5A);
    return answer;
}
