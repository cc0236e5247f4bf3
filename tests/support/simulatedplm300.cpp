#include "simulatedplm300.h"

#include "link/frame.h"

namespace {

constexpr quint8 kRequestStart = 0x31;
constexpr quint8 kAnswerStart = 0x3E;
constexpr quint8 kSearch = 0xFF;
constexpr quint8 kData = 0xF0;
constexpr quint8 kSerial = 0xFC;
constexpr quint8 kMaximum = 0xF5;
constexpr quint8 kMinimum = 0xFA;
constexpr quint8 kSmoothing = 0xE9;
constexpr quint8 kThreshold = 0xEA;
constexpr quint8 kMode = 0xF2;
constexpr quint8 kNetNum = 0xFB;

constexpr int kDataLength = 23;
constexpr int kSerialLength = 10;
// Frames cut short by the short-frame fault keep this many bytes, CRC included.
constexpr int kShortLength = 8;

void putLe16(QByteArray &out, int at, quint16 value)
{
    out[at] = char(value & 0xFF);
    out[at + 1] = char(value >> 8);
}

QByteArray sealed(QByteArray body)
{
    body.append(char(SimulatedDevice::crcOf(body, body.size())));
    return body;
}

bool within(int value, int bottom, int top)
{
    return value >= bottom && value <= top;
}

} // namespace

SimulatedPlm300::SimulatedPlm300(QObject *parent) : SimulatedDevice(parent) {}

QByteArray SimulatedPlm300::dataAnswer() const
{
    QByteArray body(kDataLength - 1, '\0');
    body[0] = char(kAnswerStart);
    body[1] = char(netNum);
    body[2] = char(kData);
    putLe16(body, 4, distance);
    putLe16(body, 10, minimum);
    putLe16(body, 14, maximum);
    putLe16(body, 18, smoothing);
    body[20] = char(mode);
    body[21] = char(threshold);
    return sealed(body);
}

QByteArray SimulatedPlm300::serialAnswer() const
{
    QByteArray body(kSerialLength - 1, '\0');
    body[0] = char(kAnswerStart);
    body[1] = char(netNum);
    body[2] = char(kSerial);
    for (int i = 0; i < 4; ++i)
        body[3 + i] = char((serial >> (8 * i)) & 0xFF);
    putLe16(body, 7, firmware);
    return sealed(body);
}

QList<QByteArray> SimulatedPlm300::requestsWith(quint8 command) const
{
    QList<QByteArray> out;
    for (const Request &r : requests()) {
        const bool search = r.bytes.size() == 3 && quint8(r.bytes.at(1)) == kSearch;
        if (command == kSearch ? search : (!search && r.bytes.size() >= 4 && quint8(r.bytes.at(2)) == command))
            out.append(r.bytes);
    }
    return out;
}

int SimulatedPlm300::requestLength(quint8 start, quint8 address, quint8 command) const
{
    if (start != kRequestStart)
        return SimulatedDevice::requestLength(start, address, command);
    if (address == kSearch)
        return 3;
    switch (command) {
    case kData:
    case kSerial:
        return 4;
    case kMaximum:
    case kMinimum:
    case kSmoothing:
    case kThreshold:
        return 6;
    case kMode:
    case kNetNum:
        return 5;
    default:
        return -1;
    }
}

QByteArray SimulatedPlm300::answerFor(const QByteArray &request)
{
    if (silent || request.size() < 3 || quint8(request.at(0)) != kRequestStart)
        return QByteArray();
    // The sensor ignores a request whose CRC does not fit.
    if (!crcFits(request))
        return QByteArray();
    if (request.size() == 3 && quint8(request.at(1)) == kSearch)
        return QByteArray(1, char(netNum)) + otherNetNums;
    if (quint8(request.at(1)) != netNum) {
        if (!otherNetNums.contains(request.at(1)) || request.size() != 4 || quint8(request.at(2)) != kSerial)
            return QByteArray();
        QByteArray other = serialAnswer();
        other[1] = request.at(1);
        other.chop(1);
        return sealed(other);
    }
    QByteArray answer = frameFor(request);
    if (answer.isEmpty() || !glued)
        return answer;
    return gluer.pass(answer);
}

QByteArray SimulatedPlm300::frameFor(const QByteArray &request)
{
    const quint8 command = quint8(request.at(2));
    switch (command) {
    case kData:
        return request.size() == 4 ? spoil(dataAnswer()) : QByteArray();
    case kSerial:
        return request.size() == 4 && !serialSilent ? spoil(serialAnswer()) : QByteArray();
    default:
        if (applyWrite(command, request))
            appliedWrites.append(request);
        return QByteArray();
    }
}

bool SimulatedPlm300::applyWrite(quint8 command, const QByteArray &request)
{
    if (request.size() == 6) {
        const int value = (quint8(request.at(3)) << 8) | quint8(request.at(4));
        switch (command) {
        case kMaximum:
            if (!within(value, 21, 400))
                return false;
            maximum = quint16(value);
            return true;
        case kMinimum:
            if (!within(value, 20, 399))
                return false;
            minimum = quint16(value);
            return true;
        case kSmoothing:
            if (!within(value, 1, 255))
                return false;
            smoothing = quint16(value);
            return true;
        case kThreshold:
            if (!within(value, 10, 255))
                return false;
            threshold = quint8(value);
            return true;
        default:
            return false;
        }
    }
    if (request.size() == 5) {
        const quint8 value = quint8(request.at(3));
        if (command == kMode && (value == 0x00 || value == 0x04)) {
            mode = value;
            return true;
        }
        if (command == kNetNum) {
            netNum = value;
            return true;
        }
    }
    return false;
}

QByteArray SimulatedPlm300::spoil(QByteArray answer) const
{
    if (shortFrames)
        answer = sealed(answer.left(kShortLength - 1));
    if (foreignNetNum) {
        answer[1] = char(*foreignNetNum);
        answer[answer.size() - 1] = char(SimulatedDevice::crcOf(answer, answer.size() - 1));
    }
    if (badCrc)
        answer[answer.size() - 1] = char(answer.at(answer.size() - 1) ^ 0x5A);
    return answer;
}
