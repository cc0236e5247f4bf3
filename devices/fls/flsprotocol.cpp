#include "devices/fls/flsprotocol.h"

#include "devices/fls/flstable.h"
#include "link/bus.h"
#include "link/frame.h"

#include <QCoreApplication>

#include <cmath>
#include <iterator>
#include <limits>

namespace fls {

namespace {

constexpr int kAllDataMinLength = 24; // byte 23 is the last one read
constexpr int kShortAnswerLength = 4; // start, net, command, CRC-8

constexpr quint16 kNewFirmwareQF210QF410 = 194;
constexpr quint16 kNewFirmwareQF260QF470 = 203;
constexpr quint16 kQF210MedianFirmware = 197;
constexpr quint16 kConfigCFirmware = 208;

} // namespace

// ---- Requests --------------------------------------------------------------

QByteArray configWrite(quint8 net, quint8 a, quint8 b, std::optional<quint8> c)
{
    QByteArray payload;
    payload.append(static_cast<char>(a));
    payload.append(static_cast<char>(b));
    if (c)
        payload.append(static_cast<char>(*c));
    return frame::writeRequest(net, kConfigWriteCommand, payload);
}

QByteArray sendSerNumWrite(quint8 net, quint8 byte)
{
    return frame::writeRequest(net, kSendSerNumCommand, QByteArray(1, static_cast<char>(byte)));
}

QByteArray resetRequest(quint8 net)
{
    return frame::writeRequest(net, kResetCommand);
}

QByteArray passwordFrame(quint8 net, quint8 command, quint32 password)
{
    QByteArray payload;
    frame::appendBe32(payload, password);
    return frame::writeRequest(net, command, payload);
}

// ---- Answers ---------------------------------------------------------------

int minimumAnswerLength(quint8 command)
{
    switch (command) {
    case bus::kAllDataCommand:
        return kAllDataMinLength;
    case bus::kSerialAndFirmwareCommand:
        return bus::kSerialAndFirmwareLength;
    case kCalibrationTableCommand:
        return kTableAnswerLength;
    default:
        return kShortAnswerLength;
    }
}

std::vector<int> answerLengths(quint8 command)
{
    switch (command) {
    case bus::kAllDataCommand:
        return {24, 25, 29, 38, 42, 45, 84};
    case bus::kSerialAndFirmwareCommand:
        return {bus::kSerialAndFirmwareLength};
    case kCalibrationTableCommand:
        return {kTableAnswerLength};
    default:
        return {kShortAnswerLength};
    }
}

bool isLongEnough(const QByteArray &frame)
{
    const auto command = frame::readU8(frame, 2);
    return command && frame.size() >= minimumAnswerLength(*command);
}

Model modelFromByte(quint8 byte)
{
    switch (byte) {
    case 1:
        return Model::QF410;
    case 2:
        return Model::QF210;
    case 3:
        return Model::QF260;
    case 0x60:
    case 0x62:
    case 0x63:
        return Model::QF470;
    default:
        return Model::Generic;
    }
}

std::optional<AllData> decodeAllData(const QByteArray &frame)
{
    if (frame.size() < kAllDataMinLength)
        return std::nullopt;
    const auto temperature = frame::readU8(frame, 3);
    const auto level = frame::readLe16(frame, 4);
    const auto count = frame::readLe32(frame, 6);
    const auto empty = frame::readLe32(frame, 10);
    const auto full = frame::readLe32(frame, 14);
    const auto configA = frame::readU8(frame, 20);
    const auto byte21 = frame::readU8(frame, 21);
    const auto configB = frame::readU8(frame, 22);
    if (!temperature || !level || !count || !empty || !full || !configA || !byte21 || !configB)
        return std::nullopt;

    AllData d;
    d.temperature = static_cast<qint8>(*temperature);
    d.level = *level;
    d.count = static_cast<qint32>(*count);
    d.empty = static_cast<qint32>(*empty);
    d.full = static_cast<qint32>(*full);
    d.configA = *configA;
    d.byte21 = *byte21;
    d.configB = *configB;
    // In the shortest form byte 23 is the CRC-8, not a data byte.
    if (frame.size() > 24)
        d.byte23 = frame::readU8(frame, 23);

    const int length = frame.size();
    const auto byte27 = frame::readU8(frame, 27);
    if ((length == 38 || length == 42 || length == 45 || length == 84) && byte27 && *byte27 >= 0x1E &&
        *byte27 <= 0x21) {
        d.dropped = true;
        return d;
    }

    std::optional<quint8> modelByte;
    if (length == 24)
        modelByte = d.byte21;
    else if (length == 25)
        modelByte = d.byte23;
    else if (length == 29 || length == 45)
        modelByte = byte27;
    if (modelByte)
        d.model = modelFromByte(*modelByte);
    return d;
}

bool namesFuelSensor(const QByteArray &frame)
{
    if (frame::readU8(frame, 2) != bus::kAllDataCommand)
        return false;
    const std::optional<AllData> d = decodeAllData(frame);
    return d && !d->dropped && d->model != Model::Unknown;
}

// ---- Rules -----------------------------------------------------------------

int stabilityGrade(int mean, qint32 count, int previous)
{
    double d = 0.0;
    if (mean != count) {
        d = count == 0 ? std::numeric_limits<double>::infinity()
                       : std::abs(double(mean) - double(count)) / double(count);
    }
    if (d > 0.01 && d < 0.05)
        return 2;
    if (d >= 0.0 && d < 0.01)
        return 3;
    if (d > 0.05)
        return 1;
    return previous;
}

const char *stabilityColour(int grade)
{
    switch (grade) {
    case 3:
        return "#00A778";
    case 2:
        return "#DDB306";
    case 1:
        return "#E32323";
    default:
        return nullptr;
    }
}

const char *stabilityText(int grade)
{
    switch (grade) {
    case 3:
        return QT_TRANSLATE_NOOP("FLSDevice", "Стабилен");
    case 2:
    case 1:
        return QT_TRANSLATE_NOOP("FLSDevice", "Не стабилен");
    default:
        return nullptr;
    }
}

const char *levelAlarmText(quint16 level)
{
    if (level == kLevelBrokenTube)
        return QT_TRANSLATE_NOOP("FLSDevice", "Обрыв трубок");
    if (level == kLevelShortCircuit)
        return QT_TRANSLATE_NOOP("FLSDevice", "Короткое замыкание");
    return nullptr;
}

bool isNotCalibrated(qint32 count, qint32 empty, qint32 full)
{
    // Wide arithmetic: the margins must not overflow at the ends of the range.
    const qint64 c = count, e = empty, f = full;
    return c < e - 1000 || c > f + 1000 || double(f) > 2.2 * double(e) || double(f) < 1.2 * double(e);
}

float qf260Voltage(quint16 level, bool range4095)
{
    return static_cast<float>(level * 9.12 / (range4095 ? 4096.0 : 1024.0));
}

std::optional<float> analogVoltage(Model model, quint16 level, bool range4095)
{
    double scale = 0.0;
    if (model == Model::QF410)
        scale = 5.0;
    else if (model == Model::QF470)
        scale = 9.0;
    else
        return std::nullopt;
    return static_cast<float>(level * scale / (range4095 ? 4096.0 : 1024.0));
}

int frequencyValue(quint16 level)
{
    return level + 300;
}

const char *interfaceText(quint8 code)
{
    switch (code) {
    case kPassiveRs485:
        return QT_TRANSLATE_NOOP("FLSDevice", "Пассивный RS-485");
    case kAnalog:
        return QT_TRANSLATE_NOOP("FLSDevice", "Аналоговый");
    case kFrequency:
        return QT_TRANSLATE_NOOP("FLSDevice", "Частотный");
    case kPulse:
        return QT_TRANSLATE_NOOP("FLSDevice", "Импупльсный");
    case kActiveRs485:
        return QT_TRANSLATE_NOOP("FLSDevice", "Активный RS-485");
    case kPassiveRs232:
        return QT_TRANSLATE_NOOP("FLSDevice", "Пассивный RS-232");
    default:
        return nullptr;
    }
}

std::vector<const char *> outputTypeList(Model model)
{
    switch (model) {
    case Model::QF210:
    case Model::QF260:
        return {interfaceText(kPassiveRs485), interfaceText(kFrequency), interfaceText(kActiveRs485)};
    case Model::QF410:
        return {interfaceText(kPassiveRs485), interfaceText(kAnalog), interfaceText(kFrequency), interfaceText(kPulse),
                interfaceText(kActiveRs485)};
    default:
        return {interfaceText(kPassiveRs485), interfaceText(kAnalog),      interfaceText(kFrequency),
                interfaceText(kPulse),        interfaceText(kActiveRs485), interfaceText(kPassiveRs232)};
    }
}

ModeDisplay modeDisplay(quint8 mode, quint8 configC)
{
    // Only the interface field names the output: range, master, inversion,
    // litres and percent bits must not hide it.
    const quint8 code = interfaceCode(mode);
    ModeDisplay shown;
    if (const char *text = interfaceText(code)) {
        shown.text = text;
        if (code == kFrequency)
            shown.pair = ValuePair::Frequency;
        else if (code == kAnalog)
            shown.pair = ValuePair::Voltage;
    } else if (configC & 0x10) {
        shown.text = QT_TRANSLATE_NOOP("FLSDevice", "Активный RS-232");
    }
    return shown;
}

bool hasConfigC(quint16 firmware)
{
    return firmware > kConfigCFirmware;
}

ModeByte modeByte(Model model, quint16 firmware, std::optional<quint8> byte23, quint8 storedConfigC,
                  quint8 selectedConfigA)
{
    ModeByte r;
    if (model != Model::QF470) {
        r.mode = selectedConfigA & 0x7F;
        return r;
    }
    quint8 c = storedConfigC;
    if (hasConfigC(firmware) && byte23) {
        c = *byte23;
        r.configC = c;
    }
    r.mode = c != 0 ? 0xFF : (selectedConfigA & 0x7F);
    r.usesConfigC = hasConfigC(firmware) || c != 0;
    return r;
}

bool isShown(Model model, bool usesConfigC)
{
    switch (model) {
    case Model::QF210:
    case Model::QF260:
    case Model::QF410:
    case Model::Generic:
        return true;
    case Model::QF470:
        return usesConfigC;
    default:
        return false;
    }
}

quint8 clearedMode(Model model, quint8 mode)
{
    if (model == Model::QF470)
        mode &= ~0x08;
    return mode & ~0x01;
}

int tankClassIndex(int f)
{
    f &= 0x0F;
    if (f == 0)
        return 0;
    if (f <= 4)
        return 1;
    if (f <= 8)
        return 2;
    if (f <= 10)
        return 3;
    return 4;
}

std::vector<const char *> tankClassList()
{
    return {QT_TRANSLATE_NOOP("FLSDevice", "Нет"), QT_TRANSLATE_NOOP("FLSDevice", "до 200 литров"),
            QT_TRANSLATE_NOOP("FLSDevice", "от 200 до 1000 литров"),
            QT_TRANSLATE_NOOP("FLSDevice", "более 1000 литров"), QT_TRANSLATE_NOOP("FLSDevice", "тяжёлые условия")};
}

const char *const kSmartFilterText = QT_TRANSLATE_NOOP("FLSDevice", "Умная");
const char *const kMedianFilterText = QT_TRANSLATE_NOOP("FLSDevice", "Медианная");

const std::vector<OutputTypeCode> &outputTypeCodes()
{
    static const std::vector<OutputTypeCode> codes{{QT_TRANSLATE_NOOP("FLSDevice", "Пассивный RS-485"), kPassiveRs485},
                                                   {QT_TRANSLATE_NOOP("FLSDevice", "Аналоговый"), kAnalog},
                                                   {QT_TRANSLATE_NOOP("FLSDevice", "Частотный"), kFrequency},
                                                   {QT_TRANSLATE_NOOP("FLSDevice", "Импупльсный"), kPulse},
                                                   {QT_TRANSLATE_NOOP("FLSDevice", "Активный RS-485"), kActiveRs485},
                                                   {QT_TRANSLATE_NOOP("FLSDevice", "Пассивный RS-232"), kPassiveRs232},
                                                   {QT_TRANSLATE_NOOP("FLSDevice", "Активный RS-232"), kActiveRs485}};
    return codes;
}

quint8 modeWithSwitches(quint8 code, bool master, bool invers)
{
    if (master)
        code ^= kMasterBit;
    if (invers)
        code ^= kInversBit;
    return code;
}

quint8 filterLevelCode(int n, bool generic, bool median, bool newFirmware)
{
    constexpr int kLevels = 16; // "Нет" and the levels 1 to 15
    constexpr int kTankClasses = 5;
    constexpr int kLevelsPerTankClass = 3;
    if (n < 0 || n >= kLevels)
        return 0;
    if (generic)
        return quint8(n);
    if (n >= kTankClasses)
        return newFirmware ? quint8(n) : 0;
    return quint8(median ? n : n * kLevelsPerTankClass);
}

quint8 filterWithSwitches(quint8 level, bool angle, bool termo, bool ecoDrive)
{
    int b = level;
    if (angle)
        b ^= kAngleBit;
    if (termo)
        b += kTermoBit;
    if (ecoDrive)
        b ^= kEcoDriveBit;
    return quint8(b & 0xFF);
}

quint8 filterTypeBits(int typeIndex)
{
    return typeIndex == 1 ? kMedianFilterBit : 0;
}

int tankClassOfMedianLevel(int level)
{
    if (level == 0)
        return 0;
    if (level >= 1 && level <= 4)
        return 1;
    if (level >= 5 && level <= 8)
        return 2;
    if (level >= 9 && level <= 11)
        return 3;
    if (level >= 12 && level <= 15)
        return 4;
    return -1;
}

int medianLevelOfTankClass(int tankClass)
{
    constexpr int kMiddle[] = {0, 2, 5, 8, 11};
    return tankClass >= 0 && tankClass < int(std::size(kMiddle)) ? kMiddle[tankClass] : -1;
}

QStringList levelList(const QString &none)
{
    QStringList list{none};
    for (int i = 1; i <= 15; ++i)
        list.append(QString::number(i));
    return list;
}

FilterTypes filterTypes(Model model, quint16 firmware)
{
    switch (model) {
    case Model::QF470:
    case Model::QF260:
        return firmware > kNewFirmwareQF260QF470 ? FilterTypes::SmartAndMedian : FilterTypes::SmartOnly;
    case Model::QF410:
        return firmware > kNewFirmwareQF210QF410 ? FilterTypes::SmartAndMedian : FilterTypes::SmartOnly;
    case Model::QF210:
        return firmware > kQF210MedianFirmware ? FilterTypes::MedianOnly : FilterTypes::Unchanged;
    case Model::Generic:
        return FilterTypes::MedianOnly;
    default:
        return FilterTypes::Unchanged;
    }
}

const char *logPrefix(Model model)
{
    switch (model) {
    case Model::QF410:
        return "Device QF410 is connected ";
    case Model::QF210:
        return "Device QF210 is connected ";
    case Model::QF260:
        return "Device QF260 is connected ";
    case Model::QF470:
        return "Device QF470 is connected ";
    case Model::Generic:
        return "Device FLS is connected ";
    default:
        return "";
    }
}

const char *statusText(Model model)
{
    switch (model) {
    case Model::QF410:
        return QT_TRANSLATE_NOOP("FLSDevice", "Подключен QF410");
    case Model::QF210:
        return QT_TRANSLATE_NOOP("FLSDevice", "Подключен QF210");
    case Model::QF260:
        return QT_TRANSLATE_NOOP("FLSDevice", "Подключен QF260");
    case Model::QF470:
        return QT_TRANSLATE_NOOP("FLSDevice", "Подключен QF470");
    case Model::Generic:
        return QT_TRANSLATE_NOOP("FLSDevice", "Датчик подключен");
    default:
        return nullptr;
    }
}

std::optional<bool> isNewFirmware(Model model, quint16 firmware)
{
    switch (model) {
    case Model::QF210:
    case Model::QF410:
        return firmware > kNewFirmwareQF210QF410;
    case Model::QF260:
    case Model::QF470:
        return firmware > kNewFirmwareQF260QF470;
    default:
        return std::nullopt;
    }
}

} // namespace fls
