#include "simulatedanglebase.h"

#include "link/frame.h"

#include <algorithm>

namespace {

constexpr quint8 kRequestStart = 0x31;
constexpr quint8 kAnswerStart = 0x3E;
constexpr quint8 kData = 0xF0;
constexpr quint8 kIdentity = 0xFC;
constexpr quint8 kUp = 0xEC;
constexpr quint8 kDown = 0xED;
constexpr quint8 kDelayOn = 0xE0;
constexpr quint8 kDelayOff = 0xE1;
constexpr quint8 kZero = 0xE2;
constexpr quint8 kMode = 0xF2;
constexpr quint8 kLinkId = 0xE4;
constexpr quint8 kPresentPassword = 0xE8;
constexpr quint8 kSetPassword = 0xE9;

// Status bytes the base shares with its other sensors.
constexpr quint8 kPasswordAccepted = 3;
constexpr quint8 kPasswordRefused = 10;
constexpr quint8 kModeSet = 15;
constexpr quint8 kModeRefused = 16;

// Kind byte of a linked angle sensor; 0 while the base holds no link.
constexpr quint8 kAngleKind = 31;
constexpr quint8 kFuelKind = 30;

constexpr quint32 kLowestThreshold = 1;
constexpr quint32 kHighestThreshold = 180;
const quint8 kWorkingModes[] = {0, 4, 5, 6, 9, 10};

quint32 be32(const QByteArray &bytes)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | quint8(bytes.at(i));
    return value;
}

quint16 be16(const QByteArray &bytes)
{
    return quint16((quint8(bytes.at(0)) << 8) | quint8(bytes.at(1)));
}

} // namespace

SimulatedAngleBase::SimulatedAngleBase(QObject *parent) : SimulatedBase(parent)
{
    sensors = {AngleSensor()};
}

SimulatedAngleBase::AngleSensor *SimulatedAngleBase::linkedSensor()
{
    return relinkLeft == 0 && linked >= 0 && linked < sensors.size() ? &sensors[linked] : nullptr;
}

const SimulatedAngleBase::AngleSensor *SimulatedAngleBase::linkedSensor() const
{
    return relinkLeft == 0 && linked >= 0 && linked < sensors.size() ? &sensors.at(linked) : nullptr;
}

QByteArray SimulatedAngleBase::angleFrame(const AngleSensor &s, bool present, quint8 status, int form)
{
    // Fields lie at fixed places; a form too short for one leaves it out.
    QByteArray body(qMax(form, 4) - 1, '\0');
    const auto u8 = [&body](int at, quint8 v) {
        if (at < body.size())
            body[at] = char(v);
    };
    const auto le = [&u8](int at, quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            u8(at + i, quint8((v >> (8 * i)) & 0xFF));
    };
    u8(0, kAnswerStart);
    u8(1, kBaseAddress);
    u8(2, kData);
    if (present) {
        u8(3, s.event);
        le(4, s.angle, 2);
        le(6, s.raw, 4);
        le(10, s.down, 4);
        le(14, s.up, 4);
        u8(22, s.mode);
        u8(23, s.firmware);
        u8(27, kAngleKind);
        u8(28, quint8(s.signedValue));
        u8(29, 1);
        for (int i = 0; i < s.mac.size(); ++i)
            u8(38 + i, quint8(s.mac.at(i)));
        le(44, s.delayOn, 2);
        le(46, s.delayOff, 2);
    }
    u8(36, status);
    body.append(char(frame::calc_crc8(reinterpret_cast<const uchar *>(body.constData()), body.size())));
    return body;
}

QByteArray SimulatedAngleBase::dataAnswer() const
{
    if (otherKindForm) {
        LinkedSensor other;
        other.kind = kFuelKind;
        other.form = *otherKindForm;
        return dataFrame(other, currentStatus());
    }
    const AngleSensor *s = linkedSensor();
    return angleFrame(s ? *s : AngleSensor(), s != nullptr, currentStatus(), form);
}

QByteArray SimulatedAngleBase::answerFor(const QByteArray &request)
{
    const bool toBase = !silent && request.size() == 4 && quint8(request.at(0)) == kRequestStart &&
                        quint8(request.at(1)) == kBaseAddress;
    // The serial-number answer is the linked sensor's.
    if (toBase && quint8(request.at(2)) == kIdentity) {
        const AngleSensor *s = linkedSensor();
        serial = s ? s->serial : 0;
        firmware = s ? s->word : 0;
    }
    const QByteArray answer = SimulatedBase::answerFor(request);
    if (toBase && quint8(request.at(2)) == kData && relinkLeft > 0)
        --relinkLeft;
    return answer;
}

int SimulatedAngleBase::requestLength(quint8 start, quint8 address, quint8 command) const
{
    if (start == kRequestStart) {
        switch (command) {
        case kDelayOn:
        case kDelayOff:
        case kMode:
            return 9; // start, address, command, signature, two bytes, CRC
        case kUp:
        case kDown:
        case kPresentPassword:
        case kSetPassword:
            return 11; // ... four bytes
        case kZero:
            return 7;
        case kLinkId:
            return 13; // ... six bytes
        default:
            break;
        }
    }
    return SimulatedBase::requestLength(start, address, command);
}

QByteArray SimulatedAngleBase::relink(const QByteArray &id)
{
    // Three bytes of the serial number, the third marked, and a fixed tail.
    if ((quint8(id.at(2)) & 0xC0) != 0xC0 || id.mid(3) != QByteArray::fromHex("ddeef3")) {
        reportStatus(LinkIdFailed);
        return QByteArray();
    }
    const quint32 wanted = quint8(id.at(0)) | (quint8(id.at(1)) << 8) | ((quint8(id.at(2)) & 0x3F) << 16);
    linked = -1;
    for (int i = 0; i < sensors.size(); ++i) {
        if ((sensors.at(i).serial & 0x3FFFFF) == wanted)
            linked = i;
    }
    relinkLeft = relinkAnswers;
    reportStatus(LinkIdChanged);
    return QByteArray();
}

QByteArray SimulatedAngleBase::relay(quint8 command, const QByteArray &payload)
{
    if (command == kLinkId)
        return payload.size() == 6 ? relink(payload) : QByteArray();
    // With no sensor linked, nothing takes the command and nothing is reported.
    AngleSensor *s = linkedSensor();
    if (!s)
        return QByteArray();
    switch (command) {
    case kUp:
    case kDown: {
        if (payload.size() != 4)
            return QByteArray();
        const quint32 value = be32(payload);
        if (locked(*s) || value < kLowestThreshold || value > kHighestThreshold) {
            reportStatus(ThresholdRefused);
            return QByteArray();
        }
        (command == kUp ? s->up : s->down) = value;
        reportStatus(ThresholdSet);
        return QByteArray();
    }
    case kDelayOn:
    case kDelayOff: {
        if (payload.size() != 2)
            return QByteArray();
        const quint16 value = be16(payload);
        if (locked(*s) || value == 0) {
            reportStatus(DelayRefused);
            return QByteArray();
        }
        (command == kDelayOn ? s->delayOn : s->delayOff) = value;
        reportStatus(DelaySet);
        return QByteArray();
    }
    case kMode: {
        if (payload.size() != 2)
            return QByteArray();
        const quint16 value = be16(payload);
        const bool known =
            std::find(std::begin(kWorkingModes), std::end(kWorkingModes), value) != std::end(kWorkingModes);
        if (locked(*s) || s->refuseMode || !known) {
            reportStatus(kModeRefused);
            return QByteArray();
        }
        s->mode = quint8(value);
        reportStatus(kModeSet);
        return QByteArray();
    }
    case kZero:
        if (!payload.isEmpty() || locked(*s))
            return QByteArray();
        s->angle = 0;
        reportStatus(HorizonSet);
        return QByteArray();
    case kPresentPassword:
        if (payload.size() != 4)
            return QByteArray();
        if (s->password && *s->password != be32(payload)) {
            reportStatus(kPasswordRefused);
            return QByteArray();
        }
        s->unlocked = true;
        reportStatus(kPasswordAccepted);
        return QByteArray();
    case kSetPassword: {
        if (payload.size() != 4)
            return QByteArray();
        if (locked(*s)) {
            reportStatus(kPasswordRefused);
            return QByteArray();
        }
        const quint32 value = be32(payload);
        if (value == 0)
            s->password.reset();
        else
            s->password = value;
        s->unlocked = true;
        reportStatus(kPasswordAccepted);
        return QByteArray();
    }
    default:
        // The base's own relayed commands (the restart for the updater among
        // them) are the same for every sensor.
        return SimulatedBase::relay(command, payload);
    }
}
