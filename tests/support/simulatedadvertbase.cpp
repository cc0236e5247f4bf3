#include "simulatedadvertbase.h"

#include "link/frame.h"

namespace {

constexpr quint8 kRequestStart = 0x31;
constexpr quint8 kAnswerStart = 0x3E;
constexpr quint8 kSearch = 0xFF;
constexpr quint8 kData = 0xF0;
constexpr quint8 kIdentity = 0xFC;
constexpr quint8 kParamSet = 0xA9;
constexpr quint8 kNetNumber = 0xFB;
constexpr quint8 kConfig = 0xEC; // also the linked sensor's Full write, four bytes long
constexpr quint8 kName = 0xEA;
constexpr quint8 kSlotPassword = 0xA7;
constexpr quint8 kNameTaken = 0x8A;
constexpr quint8 kLinkId = 0xE4;
constexpr quint8 kNotAwaited = 0xEE;
constexpr quint8 kLinkedMode = 31;

// Kept apart from the program's copy on purpose.
const QByteArray kSignature = QByteArray::fromHex("5ac396");
const QByteArray kFreeName = QByteArrayLiteral("QF_000000");
const QByteArray kLinkTail = QByteArray::fromHex("ddeeff");

quint8 crcOf(const QByteArray &bytes, int length)
{
    return frame::calc_crc8(reinterpret_cast<const uchar *>(bytes.constData()), length);
}

QByteArray finished(QByteArray body)
{
    body.append(char(crcOf(body, body.size())));
    return body;
}

quint32 be32(const QByteArray &bytes)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | quint8(bytes.at(i));
    return value;
}

} // namespace

SimulatedAdvertBase::SimulatedAdvertBase(QObject *parent) : SimulatedBase(parent)
{
    firmware = 300;
    for (int slot = 1; slot < 4; ++slot)
        advert[slot] = freeSlot(slot);
}

SimulatedBase::AdvertRecord SimulatedAdvertBase::freeSlot(int slot)
{
    AdvertRecord r;
    r.netNumber = kFreeSlotNumbers.at(size_t(qBound(0, slot, 3)));
    return r;
}

SimulatedBase::AdvertRecord SimulatedAdvertBase::sensorRecord(const QByteArray &name, quint8 netNumber)
{
    AdvertRecord r;
    r.name = name;
    r.netNumber = netNumber;
    r.rssi = -60;
    r.battery = 33;
    r.temperature = 20;
    r.level = 300;
    r.listNumber = 1;
    return r;
}

void SimulatedAdvertBase::place(int slot, const AdvertRecord &record)
{
    if (slot < 0 || slot >= advert.size())
        return;
    AdvertRecord r = record;
    if (slot == 0) {
        // Slot 1 carries the base configuration and is the linked sensor.
        r.slotMask = config();
        r.mode = kLinkedMode;
    }
    advert[slot] = r;
}

int SimulatedAdvertBase::slotAt(quint8 address) const
{
    for (int slot = 0; slot < advert.size(); ++slot) {
        if (advert.at(slot).netNumber == address)
            return slot;
    }
    return -1;
}

void SimulatedAdvertBase::takeBytes(const QByteArray &bytes)
{
    // A name or a configuration has no length of its own: the request ends
    // where its CRC fits and the next request (or the read) begins.
    lengthHint = -1;
    if (bytes.size() >= 4 && quint8(bytes.at(0)) == kRequestStart &&
        (quint8(bytes.at(2)) == kName || quint8(bytes.at(2)) == kConfig)) {
        for (int length = 4; length <= bytes.size(); ++length) {
            if (crcOf(bytes, length - 1) == quint8(bytes.at(length - 1)) &&
                (length == bytes.size() || quint8(bytes.at(length)) == kRequestStart)) {
                lengthHint = length;
                break;
            }
        }
    }
    SimulatedBase::takeBytes(bytes);
}

int SimulatedAdvertBase::requestLength(quint8 start, quint8 address, quint8 command) const
{
    if (start == kRequestStart && address != kSearch) {
        switch (command) {
        case kName:
        case kConfig: {
            const int hint = lengthHint;
            lengthHint = -1;
            return hint;
        }
        case kParamSet:
        case kNetNumber:
            return 8; // start, address, command, signature, one byte, CRC
        case kSlotPassword:
            return 11;
        case kLinkId:
            return 13;
        default:
            break;
        }
    }
    return SimulatedBase::requestLength(start, address, command);
}

QByteArray SimulatedAdvertBase::ack(quint8 address, quint8 command) const
{
    QByteArray body;
    body.append(char(kAnswerStart));
    body.append(char(address));
    body.append(char(command));
    switch (ackFault) {
    case AckFault::None:
        return finished(body);
    case AckFault::BadCrc: {
        QByteArray spoilt = finished(body);
        spoilt[spoilt.size() - 1] = char(spoilt.at(spoilt.size() - 1) ^ 0x5A);
        return spoilt;
    }
    case AckFault::Truncated:
        return body;
    case AckFault::WrongStart:
        body[0] = char(kRequestStart);
        return finished(body);
    case AckFault::OtherCommand:
        body[2] = char(kNotAwaited);
        return finished(body);
    }
    return QByteArray();
}

QByteArray SimulatedAdvertBase::answerFor(const QByteArray &request)
{
    if (updateMode || silent || request.size() < 3 || quint8(request.at(0)) != kRequestStart)
        return QByteArray();
    if (crcOf(request, request.size() - 1) != quint8(request.at(request.size() - 1)))
        return QByteArray();
    const quint8 address = quint8(request.at(1));
    if (request.size() == 3)
        return address == kSearch ? QByteArray(1, char(kBaseAddress)) : QByteArray();
    const quint8 command = quint8(request.at(2));

    // In this mode the base names itself at whatever address it is asked.
    if (command == kIdentity && request.size() == 4)
        return identityAnswer(address);
    if (command == kData && request.size() == 4 && address == kBaseAddress && linkGap > 0 && --linkGap == 0 &&
        nextSensor) {
        sensor = *nextSensor;
        nextSensor.reset();
    }
    if (request.size() >= 7 && request.mid(3, 3) == kSignature) {
        const QByteArray payload = request.mid(6, request.size() - 7);
        switch (command) {
        case kParamSet:
        case kNetNumber:
        case kName:
        case kSlotPassword:
            return slotCommand(address, command, payload);
        case kConfig:
            if (payload.size() != 1)
                break; // the linked sensor's Full value
            if (refuseConfig || advert.isEmpty())
                return QByteArray();
            advert[0].slotMask = quint8(payload.at(0));
            return ack(address, kConfig);
        case kLinkId:
            return linkCommand(payload);
        default:
            break;
        }
    }
    return SimulatedBase::answerFor(request);
}

QByteArray SimulatedAdvertBase::slotCommand(quint8 address, quint8 command, const QByteArray &payload)
{
    const int slot = slotAt(address);
    if (slot < 0)
        return QByteArray();
    AdvertRecord &r = advert[slot];
    switch (command) {
    case kParamSet:
        if (payload.size() == 1)
            r.paramSet = quint8(payload.at(0));
        return QByteArray();
    case kNetNumber:
        if (payload.size() == 1)
            r.netNumber = quint8(payload.at(0));
        return QByteArray();
    case kName:
        if (payload == kFreeName) {
            const quint8 mask = r.slotMask;
            r = freeSlot(slot);
            if (slot == 0)
                r.slotMask = mask;
            pendingNames[size_t(slot)].clear();
            return ack(address, kNameTaken);
        }
        pendingNames[size_t(slot)] = payload;
        return QByteArray();
    case kSlotPassword: {
        if (payload.size() != 4)
            return QByteArray();
        const QByteArray name = pendingNames[size_t(slot)];
        pendingNames[size_t(slot)].clear();
        for (const Nearby &n : qAsConst(nearby)) {
            if (n.record.name.compare(name, Qt::CaseInsensitive) != 0 || n.password != be32(payload))
                continue;
            place(slot, n.record);
            return ack(address, kNameTaken);
        }
        return QByteArray(); // unknown sensor or wrong password: the slot stays as it was
    }
    default:
        return QByteArray();
    }
}

QByteArray SimulatedAdvertBase::linkCommand(const QByteArray &payload)
{
    if (payload.size() != 6)
        return QByteArray();
    if (payload == QByteArray(6, '\0')) {
        updateMode = true; // restarts for the phone's updater and stops answering
        return QByteArray();
    }
    if (payload.mid(3) != kLinkTail)
        return QByteArray();
    const quint32 serial = quint32(quint8(payload.at(0))) | quint32(quint8(payload.at(1))) << 8 |
                           quint32(quint8(payload.at(2)) & 0x3F) << 16;
    if (!linkable.contains(serial)) {
        reportStatus(kLinkChangeFailed);
        return QByteArray();
    }
    // The old sensor goes at once; the new one reports after a few answers.
    nextSensor = linkable.value(serial);
    sensor.battery = 0;
    linkGap = statusRepeats + 2;
    reportStatus(kLinkChanged);
    return QByteArray();
}
