#include "simulatedbase.h"

#include "link/frame.h"

#include <QTimer>

namespace {

constexpr quint8 kRequestStart = 0x31;
constexpr quint8 kAnswerStart = 0x3E;
constexpr quint8 kSearch = 0xFF;
constexpr quint8 kData = 0xF0;
constexpr quint8 kIdentity = 0xFC;
constexpr quint8 kAdvertList = 0xA6;
constexpr quint8 kParamWrite = 0xF2;
constexpr quint8 kEnterForWrite = 0xF8;
constexpr quint8 kRefusedAnswer = 0xFD;
constexpr quint8 kPresentPassword = 0xE8;
constexpr quint8 kSetPassword = 0xE9;
constexpr quint8 kFullFromLevel = 0xF5;
constexpr quint8 kEmptyFromLevel = 0xFA;
constexpr quint8 kWriteEmpty = 0xED;
constexpr quint8 kWriteFull = 0xEC;
constexpr quint8 kUpdateMode = 0xE6;

const QByteArray &kSignature = SimulatedDevice::writeSignature();

constexpr int kRecordLength = 38;
constexpr int kShortData = 20;
constexpr int kShortIdentity = 7;
constexpr int kShortList = 100;

void putLe16(QByteArray &out, int at, quint16 value)
{
    out[at] = char(value & 0xFF);
    out[at + 1] = char(value >> 8);
}

void putLe32(QByteArray &out, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = char((value >> (8 * i)) & 0xFF);
}

quint32 be32(const QByteArray &bytes, int at)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

QByteArray finished(QByteArray body)
{
    body.append(char(frame::calc_crc8(reinterpret_cast<const uchar *>(body.constData()), body.size())));
    return body;
}

QByteArray head(quint8 address, quint8 command)
{
    QByteArray bytes;
    bytes.append(char(kAnswerStart));
    bytes.append(char(address));
    bytes.append(char(command));
    return bytes;
}

} // namespace

SimulatedBase::SimulatedBase(QObject *parent) : SimulatedDevice(parent)
{
    AdvertRecord linked;
    linked.name = "QF_000123";
    linked.netNumber = 5;
    linked.rssi = -50;
    linked.battery = 35;
    linked.level = 700;
    linked.listNumber = 0;
    linked.mode = 31;
    advert = {linked, AdvertRecord(), AdvertRecord(), AdvertRecord()};
}

void SimulatedBase::reportStatus(quint8 code, int most)
{
    const auto report = [this, code, most] {
        status = code;
        statusRepeatsLeft = most < 0 ? statusRepeats : qMin(statusRepeats, most);
    };
    const int delay = code == Refused && refusalDelayMs ? *refusalDelayMs : relayDelayMs;
    if (delay > 0)
        QTimer::singleShot(delay, this, report);
    else
        report();
}

QByteArray SimulatedBase::dataFrame(const LinkedSensor &s, quint8 status)
{
    // Fields lie at fixed places; a form too short for one leaves it out.
    QByteArray body(qMax(s.form, 4) - 1, '\0');
    const auto u8 = [&body](int at, quint8 v) {
        if (at < body.size())
            body[at] = char(v);
    };
    const auto le16 = [&body](int at, quint16 v) {
        if (at + 2 <= body.size())
            putLe16(body, at, v);
    };
    const auto le32 = [&body](int at, quint32 v) {
        if (at + 4 <= body.size())
            putLe32(body, at, v);
    };
    u8(0, kAnswerStart);
    u8(1, kBaseAddress);
    u8(2, kData);
    u8(3, quint8(s.temperature));
    le16(4, s.level);
    le32(6, quint32(s.current));
    le32(10, s.empty);
    le32(14, s.full);
    u8(20, s.mode);
    u8(22, s.filter);
    u8(23, s.firmware);
    u8(27, s.kind);
    u8(28, quint8(s.rssi));
    u8(29, s.battery);
    u8(36, status);
    for (int i = 0; i < s.address.size(); ++i)
        u8(38 + i, quint8(s.address.at(i)));
    return finished(body);
}

QByteArray SimulatedBase::identityAnswer(quint8 address) const
{
    QByteArray body = head(address, kIdentity);
    body.resize(9);
    putLe32(body, 3, serial);
    putLe16(body, 7, firmware);
    return finished(body);
}

QByteArray SimulatedBase::recordBytes(const AdvertRecord &r)
{
    QByteArray bytes(kRecordLength, '\0');
    bytes[0] = char(r.temperature);
    putLe16(bytes, 1, r.level);
    bytes[7] = char(r.rangeByte);
    bytes[8] = char(r.smoothing);
    bytes[10] = char(r.netNumber);
    bytes[11] = char(r.rssi);
    bytes[12] = char(r.battery);
    for (int i = 0; i < 9 && i < r.name.size(); ++i)
        bytes[13 + i] = r.name.at(i);
    bytes[22] = char(r.listNumber);
    bytes[23] = char(r.slotMask);
    bytes[24] = char(r.mode);
    putLe16(bytes, 31, r.illuminance);
    putLe32(bytes, 33, r.pressure);
    bytes[37] = char(r.paramSet);
    return bytes;
}

QByteArray SimulatedBase::advertListAnswer(quint8 address) const
{
    QByteArray body = head(address, kAdvertList);
    for (int slot = 0; slot < 4; ++slot)
        body.append(slot < advert.size() ? recordBytes(advert.at(slot)) : QByteArray(kRecordLength, '\0'));
    return finished(body);
}

QList<QByteArray> SimulatedBase::requestsWith(quint8 command) const
{
    QList<QByteArray> out;
    for (const Request &r : requests()) {
        if (r.bytes.size() >= 4 && quint8(r.bytes.at(0)) == kRequestStart && quint8(r.bytes.at(2)) == command)
            out.append(r.bytes);
    }
    return out;
}

int SimulatedBase::requestLength(quint8 start, quint8 address, quint8 command) const
{
    if (start != kRequestStart)
        return SimulatedDevice::requestLength(start, address, command);
    if (address == kSearch)
        return 3;
    switch (command) {
    case kData:
    case kIdentity:
    case kAdvertList:
        return 4;
    case kParamWrite:
        return 9; // start, address, command, signature, two bytes, CRC
    case kEnterForWrite:
    case kPresentPassword:
    case kSetPassword:
    case kWriteEmpty:
    case kWriteFull:
        return 11; // ... signature, four bytes, CRC
    case kFullFromLevel:
    case kEmptyFromLevel:
    case kUpdateMode:
        return 7;
    default:
        return -1;
    }
}

QByteArray SimulatedBase::answerFor(const QByteArray &request)
{
    if (silent || request.size() < 4 || quint8(request.at(0)) != kRequestStart)
        return QByteArray();
    // The base ignores a request whose CRC does not fit.
    if (!crcFits(request))
        return QByteArray();
    const quint8 address = quint8(request.at(1));
    const quint8 command = quint8(request.at(2));

    QByteArray answer;
    int shortLength = 0;
    if (command == kAdvertList && request.size() == 4) {
        // The list is asked at any address.
        answer = advertListAnswer(address);
        shortLength = kShortList;
    } else if (address != kBaseAddress) {
        return QByteArray();
    } else if (command == kData && request.size() == 4) {
        answer = dataAnswer();
        shortLength = kShortData;
        if (statusRepeatsLeft > 0)
            --statusRepeatsLeft;
    } else if (command == kIdentity && request.size() == 4 && !identitySilent) {
        answer = identityAnswer(address);
        shortLength = kShortIdentity;
    } else if (request.size() >= 7 && request.mid(3, 3) == kSignature) {
        // Relayed writes carry the signature; what lies between it and the CRC is their payload.
        answer = relay(command, request.mid(6, request.size() - 7));
    }
    if (answer.isEmpty())
        return answer;
    answer = spoil(answer, shortLength);
    if (glued) {
        // Held back until the next answer, then both leave in one write.
        if (held.isEmpty()) {
            held = answer;
            return QByteArray();
        }
        answer = held + answer;
        held.clear();
    }
    return answer;
}

bool SimulatedBase::passwordFits(quint32 value) const
{
    return !sensor.password || *sensor.password == value;
}

QByteArray SimulatedBase::relay(quint8 command, const QByteArray &payload)
{
    LinkedSensor &s = sensor;
    const bool locked = s.password && !s.unlocked;
    switch (command) {
    case kParamWrite:
        if (payload.size() != 2)
            return QByteArray();
        if (locked || s.refuseMode) {
            reportStatus(ModeNotSet);
            return QByteArray();
        }
        s.mode = quint8(payload.at(0));
        s.filter = quint8(payload.at(1));
        reportStatus(ModeSet);
        return finished(head(kBaseAddress, kParamWrite) + payload);
    case kEnterForWrite:
        if (payload.size() != 4)
            return QByteArray();
        if (!passwordFits(be32(payload, 0)))
            return finished(head(kBaseAddress, kRefusedAnswer));
        s.unlocked = true;
        return finished(head(kBaseAddress, kEnterForWrite));
    case kPresentPassword:
        if (payload.size() != 4)
            return QByteArray();
        if (!passwordFits(be32(payload, 0))) {
            reportStatus(Refused, 1); // in its next data answer only
            return QByteArray();
        }
        s.unlocked = true;
        reportStatus(Accepted);
        return QByteArray();
    case kSetPassword: {
        if (payload.size() != 4)
            return QByteArray();
        if (locked) {
            reportStatus(Refused);
            return QByteArray();
        }
        const quint32 value = be32(payload, 0);
        if (value == 0)
            s.password.reset();
        else
            s.password = value;
        s.unlocked = true;
        reportStatus(Accepted);
        return QByteArray();
    }
    case kFullFromLevel:
    case kEmptyFromLevel:
        if (!payload.isEmpty())
            return QByteArray();
        if (locked) {
            reportStatus(Refused);
            return QByteArray();
        }
        (command == kFullFromLevel ? s.full : s.empty) = quint32(s.current);
        reportStatus(command == kFullFromLevel ? FullSet : EmptySet);
        return QByteArray();
    case kWriteEmpty:
    case kWriteFull:
        if (payload.size() != 4)
            return QByteArray();
        if (locked) {
            reportStatus(DirectiveCalibrationFailed);
            return QByteArray();
        }
        (command == kWriteFull ? s.full : s.empty) = be32(payload, 0);
        if (command == kWriteFull)
            reportStatus(DirectiveCalibration);
        return QByteArray();
    case kUpdateMode:
        if (!payload.isEmpty())
            return QByteArray();
        reportStatus(Rebooted);
        return QByteArray();
    default:
        return QByteArray();
    }
}

QByteArray SimulatedBase::spoil(QByteArray answer, int shortLength) const
{
    if (foreignNetNum && answer.size() >= 2) {
        answer[1] = char(*foreignNetNum);
        answer = finished(answer.left(answer.size() - 1));
    }
    if (shortFrames && shortLength > 0 && answer.size() > shortLength)
        answer = finished(answer.left(shortLength - 1));
    if (badCrc)
        answer[answer.size() - 1] = char(answer.at(answer.size() - 1) ^ 0x5A);
    return answer;
}
