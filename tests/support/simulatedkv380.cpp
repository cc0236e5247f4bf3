#include "simulatedkv380.h"

#include "link/frame.h"

namespace {

constexpr quint8 kRequestStart = 0x31;
constexpr quint8 kAnswerStart = 0x3E;
constexpr quint8 kSearch = 0xFF;
constexpr quint8 kData = 0xF0;
constexpr quint8 kSerial = 0xFC;
constexpr quint8 kSetZero = 0xF1;
constexpr quint8 kMode = 0xF2;
constexpr quint8 kUp = 0xF5;
constexpr quint8 kDown = 0xFA;
constexpr quint8 kNetNum = 0xFB;
constexpr quint8 kBucketDelayOn = 0xE0;
constexpr quint8 kBucketDelayOff = 0xE1;
constexpr quint8 kBladeDelayOn = 0xE2;
constexpr quint8 kBladeDelayOff = 0xE3;
constexpr quint8 kRefused = 0xFD;

const QByteArray &kSignature = SimulatedDevice::writeSignature();

constexpr int kDataLength = 28;
constexpr int kSerialLength = 10;
// Frames cut short by the short-frame fault keep this many bytes, CRC included.
constexpr int kShortData = 20;
constexpr int kShortSerial = 7;

// The sensor keeps its thresholds within a half turn.
constexpr int kMaxThreshold = 180;
// 255 is the search request's address byte: a sensor there could not be asked.
constexpr quint8 kUnusableNetNum = 0xFF;

QByteArray finished(QByteArray body)
{
    body.append(static_cast<char>(SimulatedDevice::crcOf(body, body.size())));
    return body;
}

void putLe(QByteArray &out, int at, quint32 value, int width)
{
    for (int i = 0; i < width; ++i)
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

QByteArray shortAnswer(quint8 net, quint8 command)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(kAnswerStart));
    bytes.append(static_cast<char>(net));
    bytes.append(static_cast<char>(command));
    return finished(bytes);
}

int be16(const QByteArray &bytes, int at)
{
    return (quint8(bytes.at(at)) << 8) | quint8(bytes.at(at + 1));
}

bool isKnownMode(quint8 raw)
{
    const quint8 working = raw & quint8(~SimulatedKv380::kMasterBit);
    return working == SimulatedKv380::kMode1 || working == SimulatedKv380::kMode2 ||
           working == SimulatedKv380::kMode3 || working == SimulatedKv380::kModeBlade ||
           working == SimulatedKv380::kModeBucket;
}

} // namespace

SimulatedKv380::SimulatedKv380(QObject *parent) : SimulatedDevice(parent)
{
    sensors.append(Sensor());
}

SimulatedKv380::Sensor *SimulatedKv380::sensorAt(quint8 netNum)
{
    for (Sensor &s : sensors) {
        if (s.netNum == netNum)
            return &s;
    }
    return nullptr;
}

QByteArray SimulatedKv380::dataAnswer(const Sensor &s)
{
    QByteArray body(kDataLength - 1, '\0');
    body[0] = static_cast<char>(kAnswerStart);
    body[1] = static_cast<char>(s.netNum);
    body[2] = static_cast<char>(kData);
    putLe(body, 4, quint32(qMax(0, s.angle - s.zero)), 2);
    putLe(body, 10, quint32(s.down), 4);
    putLe(body, 14, quint32(s.up), 4);
    body[20] = static_cast<char>(s.mode);
    body[21] = static_cast<char>(s.delayOnKov);
    body[22] = static_cast<char>(s.delayOffKov);
    putLe(body, 23, s.delayOn, 2);
    putLe(body, 25, s.delayOff, 2);
    return finished(body);
}

QByteArray SimulatedKv380::serialAnswer(const Sensor &s)
{
    QByteArray body(kSerialLength - 1, '\0');
    body[0] = static_cast<char>(kAnswerStart);
    body[1] = static_cast<char>(s.netNum);
    body[2] = static_cast<char>(kSerial);
    putLe(body, 3, quint32(s.serial), 4);
    putLe(body, 7, s.firmware, 2);
    return finished(body);
}

QByteArray SimulatedKv380::searchAnswer() const
{
    QByteArray numbers;
    for (const Sensor &s : sensors) {
        if (!s.silent)
            numbers.append(static_cast<char>(s.netNum));
    }
    return numbers;
}

QList<QByteArray> SimulatedKv380::requestsTo(quint8 netNum, quint8 command) const
{
    QList<QByteArray> out;
    for (const Request &r : requests()) {
        if (r.bytes.size() >= 4 && quint8(r.bytes.at(0)) == kRequestStart && quint8(r.bytes.at(1)) == netNum &&
            quint8(r.bytes.at(2)) == command)
            out.append(r.bytes);
    }
    return out;
}

int SimulatedKv380::searchCount() const
{
    int n = 0;
    for (const Request &r : requests()) {
        if (r.bytes.size() == 3 && quint8(r.bytes.at(0)) == kRequestStart && quint8(r.bytes.at(1)) == kSearch)
            ++n;
    }
    return n;
}

int SimulatedKv380::requestLength(quint8 start, quint8 address, quint8 command) const
{
    if (start != kRequestStart)
        return SimulatedDevice::requestLength(start, address, command);
    if (address == kSearch)
        return 3;
    switch (command) {
    case kData:
    case kSerial:
        return 4;
    case kSetZero:
        return 7;
    case kMode:
    case kNetNum:
    case kBucketDelayOn:
    case kBucketDelayOff:
        return 8;
    case kUp:
    case kDown:
    case kBladeDelayOn:
    case kBladeDelayOff:
        return 9;
    default:
        return -1;
    }
}

QByteArray SimulatedKv380::answerFor(const QByteArray &request)
{
    if (silent || request.size() < 3 || quint8(request.at(0)) != kRequestStart)
        return QByteArray();
    // A sensor ignores a request whose CRC does not fit.
    if (!crcFits(request))
        return QByteArray();
    if (request.size() == 3 && quint8(request.at(1)) == kSearch)
        return searchAnswer();
    if (request.size() < 4)
        return QByteArray();
    Sensor *s = sensorAt(quint8(request.at(1)));
    if (!s || s->silent)
        return QByteArray();
    const QByteArray answer = frameFor(*s, request);
    if (answer.isEmpty())
        return answer;
    if (!glued)
        return spoil(answer);
    if (held.isEmpty()) {
        held = spoil(answer);
        return QByteArray();
    }
    const QByteArray both = held + spoil(answer);
    held.clear();
    return both;
}

QByteArray SimulatedKv380::frameFor(Sensor &s, const QByteArray &request)
{
    const quint8 command = quint8(request.at(2));
    if (command == kData || command == kSerial) {
        if (request.size() != 4)
            return QByteArray();
        QByteArray answer = command == kData ? dataAnswer(s) : serialAnswer(s);
        if (shortFrames)
            answer = finished(answer.left((command == kData ? kShortData : kShortSerial) - 1));
        return answer;
    }

    // Writes: the signature, then the payload up to the CRC.
    if (request.size() < 7 || request.mid(3, 3) != kSignature)
        return QByteArray();
    const QByteArray payload = request.mid(6, request.size() - 7);
    const int expected = requestLength(kRequestStart, s.netNum, command) - 7;
    if (payload.size() != expected)
        return QByteArray();
    const quint8 net = s.netNum;
    const int value = payload.size() == 2 ? be16(payload, 0) : payload.isEmpty() ? 0 : quint8(payload.at(0));

    bool taken = !refuseWrites;
    switch (command) {
    case kSetZero:
        if (taken)
            s.zero = s.angle;
        break;
    case kMode:
        taken = taken && isKnownMode(quint8(value));
        if (taken)
            s.mode = quint8(value);
        break;
    case kUp:
    case kDown:
        taken = taken && value <= kMaxThreshold;
        if (taken)
            (command == kUp ? s.up : s.down) = value;
        break;
    case kBucketDelayOn:
        if (taken)
            s.delayOnKov = quint8(value);
        break;
    case kBucketDelayOff:
        if (taken)
            s.delayOffKov = quint8(value);
        break;
    case kBladeDelayOn:
        if (taken)
            s.delayOn = quint16(value);
        break;
    case kBladeDelayOff:
        if (taken)
            s.delayOff = quint16(value);
        break;
    case kNetNum:
        taken = taken && quint8(value) != kUnusableNetNum;
        if (taken)
            s.netNum = quint8(value); // acknowledged under the old number
        break;
    default:
        return QByteArray();
    }
    if (!taken)
        return shortAnswer(net, kRefused);
    appliedWrites.append(request);
    return shortAnswer(net, command);
}

QByteArray SimulatedKv380::spoil(QByteArray answer) const
{
    if (badCrc)
        answer[answer.size() - 1] = static_cast<char>(answer.at(answer.size() - 1) ^ 0x5A);
    return answer;
}
