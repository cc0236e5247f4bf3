#include "simulatedfls.h"

#include "link/frame.h"

#include <QTimer>

namespace {

constexpr quint8 kRequestStart = 0x31;
constexpr quint8 kAnswerStart = 0x3E;
constexpr quint8 kSearch = 0xFF;
constexpr quint8 kAllData = 0xF0;
constexpr quint8 kSerial = 0xFC;
constexpr quint8 kConfigWrite = 0xF2;
constexpr quint8 kSendSerNum = 0xD0;
constexpr quint8 kFullFromLevel = 0xF5;
constexpr quint8 kEmptyFromLevel = 0xFA;
constexpr quint8 kFullValue = 0xEC;
constexpr quint8 kEmptyValue = 0xED;
constexpr quint8 kHorizon = 0xAA;
constexpr quint8 kPasswordSet = 0xF7;
constexpr quint8 kPasswordEnter = 0xF8;
constexpr quint8 kRefused = 0xFD;
constexpr quint8 kTableRead = 0xEF;
constexpr quint8 kTableWrite = 0xF1;
constexpr int kTableRows = 20;
constexpr int kTableWriteLength = 87; // start, address, command, signature, 40 words, CRC
constexpr quint8 kNetNumWrite = 0xFB;
constexpr quint8 kAlarmLevelWrite = 0xEE;
constexpr quint8 kSerialWrite = 0xF6;

// Lengths of the writes whose form never varies: start, address, command,
// signature, payload, CRC.
constexpr int kBareWriteLength = 7;
constexpr int kByteWriteLength = 8;
constexpr int kWordWriteLength = 11;

const QByteArray &kSignature = SimulatedDevice::writeSignature();

// Frames cut short by the short-frame fault keep this many bytes, CRC included.
constexpr int kShortAllData = 12;
constexpr int kShortSerial = 7;

void putLe16(QByteArray &out, int at, quint16 value)
{
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>(value >> 8);
}

void putLe32(QByteArray &out, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Writes a field only when it lies before the CRC position of the frame.
class Body
{
public:
    explicit Body(int length) : bytes(qMax(length, 4) - 1, '\0') {}
    void u8(int at, quint8 value)
    {
        if (at < bytes.size())
            bytes[at] = static_cast<char>(value);
    }
    void le16(int at, quint16 value)
    {
        if (at + 2 <= bytes.size())
            putLe16(bytes, at, value);
    }
    void le32(int at, quint32 value)
    {
        if (at + 4 <= bytes.size())
            putLe32(bytes, at, value);
    }
    QByteArray finished() const
    {
        QByteArray out = bytes;
        out.append(static_cast<char>(SimulatedDevice::crcOf(out, out.size())));
        return out;
    }

private:
    QByteArray bytes;
};

QByteArray shortAnswer(quint8 net, quint8 command)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(kAnswerStart));
    bytes.append(static_cast<char>(net));
    bytes.append(static_cast<char>(command));
    bytes.append(static_cast<char>(SimulatedDevice::crcOf(bytes, bytes.size())));
    return bytes;
}

quint32 be32(const QByteArray &bytes, int at)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<quint8>(bytes.at(at + i));
    return value;
}

} // namespace

SimulatedFls::SimulatedFls(QObject *parent) : SimulatedDevice(parent)
{
    sensors.append(Sensor());
}

SimulatedFls::Sensor *SimulatedFls::sensorAt(quint8 netNum)
{
    for (Sensor &s : sensors) {
        if (s.netNum == netNum)
            return &s;
    }
    return nullptr;
}

QByteArray SimulatedFls::allDataAnswer(const Sensor &s)
{
    Body body(s.form);
    body.u8(0, kAnswerStart);
    body.u8(1, s.netNum);
    body.u8(2, kAllData);
    body.u8(3, static_cast<quint8>(s.temperature));
    quint16 level = s.level;
    if (s.levelFault == LevelFault::BrokenTube)
        level = kLevelBrokenTube;
    else if (s.levelFault == LevelFault::ShortCircuit)
        level = kLevelShortCircuit;
    body.le16(4, level);
    body.le32(6, static_cast<quint32>(s.count));
    body.le32(10, static_cast<quint32>(s.empty));
    body.le32(14, static_cast<quint32>(s.full));
    body.u8(20, s.configA);
    body.u8(21, s.lampThreshold);
    body.u8(22, s.configB);
    // Byte 23 carries configuration byte C, or the serial-number output byte
    // of a QF260.
    body.u8(23, s.model == kModelQF260 ? s.sendSerNum : s.configC);
    // The model byte sits where the answer form puts it.
    if (s.form == 24)
        body.u8(21, s.model);
    else if (s.form == 25)
        body.u8(23, s.model);
    else if (s.form == 29 || s.form == 45)
        body.u8(27, s.model);
    return body.finished();
}

QByteArray SimulatedFls::serialAnswer(const Sensor &s)
{
    Body body(10);
    body.u8(0, kAnswerStart);
    body.u8(1, s.netNum);
    body.u8(2, kSerial);
    body.le32(3, s.serial);
    body.le16(7, s.firmware);
    return body.finished();
}

QByteArray SimulatedFls::tableAnswer(const Sensor &s)
{
    // All levels, then all values, most significant byte first.
    QByteArray out;
    out.append(static_cast<char>(kAnswerStart));
    out.append(static_cast<char>(s.netNum));
    out.append(static_cast<char>(kTableRead));
    for (const auto *column : {&s.tableLevels, &s.tableValues}) {
        for (quint16 word : *column) {
            out.append(static_cast<char>(word >> 8));
            out.append(static_cast<char>(word & 0xFF));
        }
    }
    out.append(static_cast<char>(SimulatedDevice::crcOf(out, out.size())));
    return out;
}

QByteArray SimulatedFls::searchAnswer() const
{
    QByteArray numbers;
    for (const Sensor &s : sensors) {
        if (!s.silent)
            numbers.append(static_cast<char>(s.netNum));
    }
    if (searchAnswerAsFrame && numbers == QByteArray(1, '\0'))
        return QByteArray::fromHex("3e00");
    return numbers;
}

QList<QByteArray> SimulatedFls::requestsTo(quint8 netNum, quint8 command) const
{
    QList<QByteArray> out;
    for (const Request &r : requests()) {
        if (r.bytes.size() >= 4 && static_cast<quint8>(r.bytes.at(0)) == kRequestStart &&
            static_cast<quint8>(r.bytes.at(1)) == netNum && static_cast<quint8>(r.bytes.at(2)) == command)
            out.append(r.bytes);
    }
    return out;
}

int SimulatedFls::searchCount() const
{
    int n = 0;
    for (const Request &r : requests()) {
        if (r.bytes == QByteArray::fromHex("31ffdc"))
            ++n;
    }
    return n;
}

int SimulatedFls::requestLength(quint8 start, quint8 address, quint8 command) const
{
    if (start != kRequestStart)
        return SimulatedDevice::requestLength(start, address, command);
    if (address == kSearch)
        return 3;
    switch (command) {
    case kAllData:
    case kSerial:
        return 4;
    case kSendSerNum:
        return 8; // start, address, command, signature, the byte, CRC
    case kTableRead:
        return 4;
    case kTableWrite:
        // Its 80 table bytes may hold a byte that looks like a CRC early on.
        return kTableWriteLength;
    case kNetNumWrite:
    case kAlarmLevelWrite:
        return kByteWriteLength;
    case kFullFromLevel:
    case kEmptyFromLevel:
    case kHorizon:
        return kBareWriteLength;
    case kFullValue:
    case kEmptyValue:
    case kPasswordSet:
    case kPasswordEnter:
    case kSerialWrite:
        return kWordWriteLength;
    default:
        // Writes differ in length (a configuration write carries byte C only
        // for some sensors): the frame ends where its CRC fits.
        return -1;
    }
}

QByteArray SimulatedFls::answerFor(const QByteArray &request)
{
    if (silent || request.size() < 3 || static_cast<quint8>(request.at(0)) != kRequestStart)
        return QByteArray();
    // A sensor ignores a request whose CRC does not fit.
    if (!crcFits(request))
        return QByteArray();
    if (request.size() == 3 && static_cast<quint8>(request.at(1)) == kSearch)
        return searchAnswer();
    if (request.size() < 4)
        return QByteArray();
    Sensor *s = sensorAt(static_cast<quint8>(request.at(1)));
    if (!s || s->silent)
        return QByteArray();
    const QByteArray answer = frameFor(*s, request);
    return answer.isEmpty() ? answer : spoil(answer);
}

QByteArray SimulatedFls::frameFor(Sensor &s, const QByteArray &request)
{
    const quint8 command = static_cast<quint8>(request.at(2));
    const bool signed_ = request.mid(3, 3) == kSignature;
    // Payload of a write: what lies between the signature and the CRC.
    const QByteArray payload = signed_ ? request.mid(6, request.size() - 7) : QByteArray();
    const bool locked = s.password.has_value() && !s.unlocked;

    switch (command) {
    case kAllData: {
        if (request.size() != 4)
            return QByteArray();
        if (!shortFrames)
            return allDataAnswer(s);
        QByteArray cut = allDataAnswer(s).left(kShortAllData - 1);
        cut.append(static_cast<char>(SimulatedDevice::crcOf(cut, cut.size())));
        return cut;
    }
    case kSerial: {
        if (request.size() != 4 || s.serialSilent)
            return QByteArray();
        if (!shortFrames)
            return serialAnswer(s);
        QByteArray cut = serialAnswer(s).left(kShortSerial - 1);
        cut.append(static_cast<char>(SimulatedDevice::crcOf(cut, cut.size())));
        return cut;
    }
    case kConfigWrite:
        // A, B and, for sensors that keep it, C.
        if (!signed_ || (payload.size() != 2 && payload.size() != 3))
            return QByteArray();
        if (refuseWrites || locked)
            return shortAnswer(s.netNum, kRefused);
        s.configA = static_cast<quint8>(payload.at(0));
        s.configB = static_cast<quint8>(payload.at(1));
        if (payload.size() == 3)
            s.configC = static_cast<quint8>(payload.at(2));
        appliedWrites.append(request);
        return shortAnswer(s.netNum, kConfigWrite);
    case kSendSerNum:
        if (!signed_ || payload.size() != 1)
            return QByteArray();
        if (refuseWrites || locked)
            return shortAnswer(s.netNum, kRefused);
        s.sendSerNum = static_cast<quint8>(payload.at(0));
        appliedWrites.append(request);
        return shortAnswer(s.netNum, kSendSerNum);
    case kFullFromLevel:
    case kEmptyFromLevel:
    case kHorizon:
        if (!signed_ || !payload.isEmpty())
            return QByteArray();
        if (refuseWrites || locked)
            return shortAnswer(s.netNum, kRefused);
        if (command == kFullFromLevel)
            s.full = s.count;
        else if (command == kEmptyFromLevel)
            s.empty = s.count;
        else
            ++s.horizonCalibrations;
        appliedWrites.append(request);
        return shortAnswer(s.netNum, command);
    case kFullValue:
    case kEmptyValue:
        if (!signed_ || payload.size() != 4)
            return QByteArray();
        if (refuseWrites || locked)
            return shortAnswer(s.netNum, kRefused);
        (command == kFullValue ? s.full : s.empty) = static_cast<qint32>(be32(payload, 0));
        appliedWrites.append(request);
        return shortAnswer(s.netNum, command);
    case kNetNumWrite:
    case kAlarmLevelWrite:
    case kSerialWrite: {
        if (!signed_ || payload.size() != (command == kSerialWrite ? 4 : 1))
            return QByteArray();
        if (refuseWrites || locked)
            return shortAnswer(s.netNum, kRefused);
        // The acknowledgement still comes from the number the request went to.
        const quint8 answeredFrom = s.netNum;
        if (command == kNetNumWrite)
            s.netNum = static_cast<quint8>(payload.at(0));
        else if (command == kAlarmLevelWrite)
            s.lampThreshold = static_cast<quint8>(payload.at(0));
        else
            s.serial = be32(payload, 0);
        appliedWrites.append(request);
        return shortAnswer(answeredFrom, command);
    }
    case kPasswordEnter:
        if (!signed_ || payload.size() != 4)
            return QByteArray();
        // A wrong password locks a sensor that was open.
        if (s.password && *s.password != be32(payload, 0)) {
            s.unlocked = false;
            return shortAnswer(s.netNum, kRefused);
        }
        s.unlocked = true;
        return shortAnswer(s.netNum, kPasswordEnter);
    case kPasswordSet: {
        if (!signed_ || payload.size() != 4)
            return QByteArray();
        if (refuseWrites || locked)
            return shortAnswer(s.netNum, kRefused);
        // Password 0 is none: it removes the password of an open sensor and
        // leaves an unprotected one as it is. Any other number protects the
        // sensor at once; the next write needs the password entered.
        const quint32 value = be32(payload, 0);
        if (value == 0) {
            s.password.reset();
        } else {
            s.password = value;
            s.unlocked = false;
        }
        return shortAnswer(s.netNum, kPasswordSet);
    }
    case kTableRead:
        if (request.size() != 4)
            return QByteArray();
        return tableAnswer(s);
    case kTableWrite: {
        if (!signed_ || payload.size() != 4 * kTableRows || silentTableWrites)
            return QByteArray();
        if (refuseWrites || locked)
            return shortAnswer(s.netNum, kRefused);
        const auto word = [&payload](int i) {
            return static_cast<quint16>((static_cast<quint8>(payload.at(2 * i)) << 8) |
                                        static_cast<quint8>(payload.at(2 * i + 1)));
        };
        for (int r = 0; r < kTableRows; ++r) {
            s.tableLevels[size_t(r)] = word(r);
            s.tableValues[size_t(r)] = word(kTableRows + r);
        }
        appliedWrites.append(request);
        const QByteArray ack = shortAnswer(s.netNum, kTableWrite);
        if (tableWriteAnswerMs > 0) {
            // The table goes into the sensor's flash before it answers.
            QTimer::singleShot(tableWriteAnswerMs, this, [this, ack] { sendRaw(spoil(ack)); });
            return QByteArray();
        }
        return ack;
    }
    default:
        return QByteArray();
    }
}

QByteArray SimulatedFls::spoil(QByteArray answer) const
{
    if (foreignNetNum && answer.size() >= 2) {
        answer[1] = static_cast<char>(*foreignNetNum);
        answer[answer.size() - 1] = static_cast<char>(SimulatedDevice::crcOf(answer, answer.size() - 1));
    }
    if (badCrc)
        answer[answer.size() - 1] = static_cast<char>(answer.at(answer.size() - 1) ^ 0x5A);
    return answer;
}
