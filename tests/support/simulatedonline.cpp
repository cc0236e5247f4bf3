#include "simulatedonline.h"

#include "link/frame.h"

namespace {

constexpr quint8 kRequestStart = 0x31;
constexpr quint8 kAnswerStart = 0x3E;
constexpr quint8 kSearch = 0xFF;
constexpr quint8 kStatus = 0xA0;
constexpr quint8 kConfigRead = 0xA2;
constexpr quint8 kConfigWrite = 0xA3;
constexpr quint8 kImei = 0xA7;
constexpr quint8 kHorizon = 0xAA;
constexpr quint8 kEngineOn = 0xE3;
constexpr quint8 kEngineOff = 0xE5;
constexpr quint8 kLevel = 0xF0;
constexpr quint8 kWorkingMode = 0xF2;
constexpr quint8 kFullFromLevel = 0xF5;
constexpr quint8 kEmptyFromLevel = 0xFA;
constexpr quint8 kPasswordSet = 0xF7;
constexpr quint8 kPasswordEnter = 0xF8;
constexpr quint8 kRefused = 0xFD;

// The unit takes a settings record only in this format and with this code
// behind it. Kept here on their own, so that a fault in the program's copy
// is not mirrored by the unit.
constexpr quint8 kRecordFormat = 0x16;
const QByteArray kWriteCode = QByteArray::fromHex("a53c69");

constexpr int kStatusLength = 37;
constexpr int kLevelLength = 22;
constexpr int kImeiLength = 40;
constexpr int kImeiText = 36;
constexpr int kSettingsAnswerLength = 171;

// An answer of a fixed length whose last byte is its CRC.
class Answer
{
public:
    Answer(quint8 address, quint8 command, int length) : bytes(length - 1, '\0')
    {
        u8(0, kAnswerStart);
        u8(1, address);
        u8(2, command);
    }
    void u8(int at, quint8 value) { bytes[at] = static_cast<char>(value); }
    void le(int at, quint32 value, int size)
    {
        for (int i = 0; i < size; ++i)
            u8(at + i, static_cast<quint8>((value >> (8 * i)) & 0xFF));
    }
    void be(int at, quint32 value, int size)
    {
        for (int i = 0; i < size; ++i)
            u8(at + i, static_cast<quint8>((value >> (8 * (size - 1 - i))) & 0xFF));
    }
    void text(int at, const QByteArray &value, int width)
    {
        for (int i = 0; i < width && i < value.size(); ++i)
            bytes[at + i] = value.at(i);
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

QByteArray shortAnswer(quint8 address, quint8 command)
{
    return Answer(address, command, 4).finished();
}

quint32 be32(const QByteArray &bytes, int at)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<quint8>(bytes.at(at + i));
    return value;
}

} // namespace

constexpr SimulatedOnline::Field SimulatedOnline::kApn;
constexpr SimulatedOnline::Field SimulatedOnline::kApnUser;
constexpr SimulatedOnline::Field SimulatedOnline::kApnPassword;
constexpr SimulatedOnline::Field SimulatedOnline::kPin;
constexpr SimulatedOnline::Field SimulatedOnline::kServer;
constexpr SimulatedOnline::Field SimulatedOnline::kPort;
constexpr SimulatedOnline::Field SimulatedOnline::kDeviceId;
constexpr SimulatedOnline::Field SimulatedOnline::kServerPassword;

SimulatedOnline::SimulatedOnline(QObject *parent) : SimulatedDevice(parent)
{
    unit.record = sampleRecord();
}

void SimulatedOnline::putText(QByteArray &record, Field field, const QByteArray &utf8)
{
    for (int i = 0; i < field.width; ++i)
        record[field.offset + i] = i < utf8.size() ? utf8.at(i) : '\0';
}

QByteArray SimulatedOnline::sampleRecord()
{
    QByteArray record(kRecordSize, '\0');
    record[0] = static_cast<char>(kRecordFormat);
    putText(record, kApn, "internet");
    putText(record, kApnUser, "wemto");
    putText(record, kApnPassword, "wemto");
    putText(record, kPin, "1234");
    putText(record, kServer, "gps.example.net");
    putText(record, kPort, "20332");
    putText(record, kDeviceId, "UNIT-7");
    putText(record, kServerPassword, "s3cret");
    record[kPeriod] = 30; // 30 s, low byte first
    record[kPeriod + 1] = 0;
    record[kPeriod + 2] = 0x5A; // kept by the unit, written back unchanged
    record[kPeriod + 3] = 0x01;
    record[kModes] = static_cast<char>(0x81); // device 1 on, EGTS
    record[kModes + 1] = 0x00;                // device 2 off
    record[kModes + 2] = 0x01;                // device 3 on
    record[kModes + 7] = 0x01;                // devices the page does not show
    record[kAddresses] = 12;
    record[kAddresses + 1] = 13;
    record[kAddresses + 2] = 14;
    record[kAddresses + 7] = 99;
    return record;
}

QList<QByteArray> SimulatedOnline::requestsWith(quint8 command) const
{
    QList<QByteArray> out;
    for (const Request &r : requests()) {
        if (r.bytes.size() >= 4 && static_cast<quint8>(r.bytes.at(2)) == command)
            out.append(r.bytes);
    }
    return out;
}

int SimulatedOnline::requestLength(quint8 start, quint8 address, quint8 command) const
{
    if (start == kRequestStart) {
        if (address == kSearch)
            return 3;
        return command == kPasswordSet || command == kPasswordEnter ? 8 : 4;
    }
    if (start == kAnswerStart) {
        // Frames to other devices on a shared line are theirs to measure.
        if (address != kUnitAddress && address != kNetNum)
            return -1;
        switch (command) {
        case kConfigRead:
            return 9;
        case kConfigWrite:
            return 3 + kRecordSize + 3 + 1;
        case kWorkingMode:
            return 5;
        default:
            return 4;
        }
    }
    return -1;
}

QByteArray SimulatedOnline::answerFor(const QByteArray &request)
{
    if (silent || request.size() < 3)
        return QByteArray();
    // The unit ignores a request whose CRC does not fit.
    if (!crcFits(request))
        return QByteArray();
    const quint8 start = static_cast<quint8>(request.at(0));
    if (start == kRequestStart && request.size() == 3 && static_cast<quint8>(request.at(1)) == kSearch)
        return QByteArray(1, static_cast<char>(kNetNum));
    const quint8 address = static_cast<quint8>(request.at(1));
    if (address != kNetNum && address != kUnitAddress)
        return QByteArray();
    QByteArray answer = frameFor(request);
    if (answer.isEmpty())
        return answer;
    if (commandsUnanswered) {
        const quint8 command = static_cast<quint8>(request.at(2));
        for (quint8 c :
             {kConfigWrite, kWorkingMode, kHorizon, kEngineOn, kEngineOff, kFullFromLevel, kEmptyFromLevel}) {
            if (command == c)
                return QByteArray();
        }
    }
    answer = spoil(answer);
    if (!glued)
        return answer;
    if (held.isEmpty()) {
        held = answer;
        return QByteArray();
    }
    const QByteArray both = held + answer;
    held.clear();
    return both;
}

QByteArray SimulatedOnline::frameFor(const QByteArray &request)
{
    const quint8 start = static_cast<quint8>(request.at(0));
    const quint8 address = static_cast<quint8>(request.at(1));
    const quint8 command = static_cast<quint8>(request.at(2));
    const bool locked = unit.password.has_value() && !unit.unlocked;

    if (start == kRequestStart) {
        switch (command) {
        case kLevel: {
            Answer a(address, kLevel, kLevelLength);
            a.u8(3, static_cast<quint8>(unit.temperature));
            a.le(4, unit.level, 2);
            a.le(6, static_cast<quint32>(unit.count), 4);
            a.le(10, static_cast<quint32>(unit.empty), 4);
            a.le(14, static_cast<quint32>(unit.full), 4);
            a.u8(20, unit.workingMode);
            return a.finished();
        }
        case kStatus: {
            Answer a(address, kStatus, kStatusLength);
            a.le(9, unit.voltage, 2);
            for (int i = 0; i < 8; ++i)
                a.be(16 + 2 * i, unit.channels[size_t(i)], 2);
            a.u8(32, unit.modemState);
            a.u8(33, unit.gps);
            a.u8(34, unit.traffic);
            a.u8(35, unit.quality);
            return a.finished();
        }
        case kEngineOn:
        case kEngineOff:
        case kFullFromLevel:
        case kEmptyFromLevel:
            if (locked)
                return shortAnswer(address, kRefused);
            if (command == kEngineOn)
                ++engineOnCount;
            else if (command == kEngineOff)
                ++engineOffCount;
            else if (command == kFullFromLevel)
                unit.full = unit.count;
            else
                unit.empty = unit.count;
            return shortAnswer(address, command);
        case kPasswordEnter: {
            const quint32 typed = be32(request, 3);
            if (unit.password && *unit.password != typed)
                return shortAnswer(address, kRefused);
            unit.unlocked = true;
            return shortAnswer(address, kPasswordEnter);
        }
        case kPasswordSet: {
            if (locked)
                return shortAnswer(address, kRefused);
            const quint32 value = be32(request, 3);
            if (value == 0)
                unit.password.reset();
            else
                unit.password = value;
            return shortAnswer(address, kPasswordSet);
        }
        default:
            return QByteArray();
        }
    }

    switch (command) {
    case kImei: {
        Answer a(address, kImei, kImeiLength);
        a.text(3, unit.imei + ';' + unit.sim + ';', kImeiText);
        return a.finished();
    }
    case kConfigRead: {
        // The settings answer ends with the serial number: no CRC.
        QByteArray a;
        a.append(static_cast<char>(kAnswerStart));
        a.append(static_cast<char>(address));
        a.append(static_cast<char>(kConfigRead));
        a.append(unit.record);
        a.append(static_cast<char>(unit.firmware >> 8));
        a.append(static_cast<char>(unit.firmware & 0xFF));
        for (int shift = 24; shift >= 0; shift -= 8)
            a.append(static_cast<char>((quint32(unit.serial) >> shift) & 0xFF));
        return a;
    }
    case kConfigWrite: {
        const QByteArray record = request.mid(3, kRecordSize);
        if (request.mid(3 + kRecordSize, 3) != kWriteCode || static_cast<quint8>(record.at(0)) != kRecordFormat)
            return QByteArray();
        if (locked)
            return shortAnswer(address, kRefused);
        unit.record = record;
        appliedRecords.append(record);
        return shortAnswer(address, kConfigWrite);
    }
    case kWorkingMode:
        if (locked)
            return shortAnswer(address, kRefused);
        unit.workingMode = static_cast<quint8>(request.at(3));
        appliedModes.append(unit.workingMode);
        return shortAnswer(address, kWorkingMode);
    case kHorizon:
        if (locked)
            return shortAnswer(address, kRefused);
        ++horizonCount;
        return shortAnswer(address, kHorizon);
    default:
        return QByteArray();
    }
}

QByteArray SimulatedOnline::spoil(QByteArray answer) const
{
    const bool hasCrc = answer.size() != kSettingsAnswerLength;
    if (shortFrames) {
        answer.truncate(answer.size() / 2);
        if (hasCrc)
            answer[answer.size() - 1] = static_cast<char>(SimulatedDevice::crcOf(answer, answer.size() - 1));
    }
    if (badCrc && hasCrc)
        answer[answer.size() - 1] = static_cast<char>(answer.at(answer.size() - 1) ^ 0x5A);
    return answer;
}
