#include "remote/remoteanswer.h"

#include "devices/fls/flsprotocol.h"
#include "link/bus.h"
#include "link/frame.h"
#include "remote/remotecommand.h"

#include <QCoreApplication>
#include <QStringList>

namespace remote {

namespace {

// Field positions, counted from the first decoded byte.
constexpr int kNetNumAt = 1;
constexpr int kCommandAt = 2;
constexpr int kTemperatureAt = 3;
constexpr int kLevelAt = 4;
constexpr int kCurrentAt = 6;
constexpr int kEmptyAt = 10;
constexpr int kFullAt = 14;
constexpr int kStateModeAt = 20;
constexpr int kStateFilterAt = 22;
constexpr int kValueAt = 3; // the one value of a mode, Full or Empty answer
constexpr int kSerialAt = 3;
constexpr int kFirmwareAt = 7;

// Shortest text worth decoding: anything shorter is taken for an empty input.
constexpr int kShortestText = 10;

// Shortest text each answer is taken from, counted in characters of the
// pasted text as the tracker hands it over (separators included); a shorter
// text is refused for that command even when its digits would do.
int charactersNeeded(quint8 command)
{
    switch (command) {
    case kLevelCommand:
        return 18;
    case bus::kAllDataCommand:
        return 48;
    case kShiftFullCommand:
    case fls::kSetFullCommand:
    case kShiftEmptyCommand:
    case fls::kSetEmptyCommand:
        return 16;
    case bus::kSerialAndFirmwareCommand:
        return 20;
    case fls::kConfigWriteCommand:
    case kNetNumCommand:
        return kShortestText;
    default:
        return 0;
    }
}

// Decoded bytes the command's fields reach to. The text's length says
// nothing about them, since characters that are no hexadecimal digit are
// skipped: a long text may still decode to too few bytes, and no field is
// ever read past the decoded ones.
int fieldBytes(quint8 command)
{
    switch (command) {
    case kLevelCommand:
        return kLevelAt + 2;
    case bus::kAllDataCommand:
        return kStateFilterAt + 1;
    case fls::kConfigWriteCommand:
        return kValueAt + 1;
    case kShiftFullCommand:
    case fls::kSetFullCommand:
    case kShiftEmptyCommand:
    case fls::kSetEmptyCommand:
        return kValueAt + 4;
    case kNetNumCommand:
        return kCommandAt + 1;
    case bus::kSerialAndFirmwareCommand:
        return kFirmwareAt + 2;
    default:
        return 0;
    }
}

// Mode code: the output interface in the low bits, the wide-range bit for
// 1-4095.
constexpr quint8 kInterfaceMask = static_cast<quint8>(~fls::kWideRangeBit);

struct Interface
{
    quint8 code;
    const char *text;
    bool localised;
};
const Interface kInterfaces[] = {
    {fls::kPassiveRs485, "RS-485", false},
    {fls::kAnalog, QT_TRANSLATE_NOOP("RemoteCommand", "Аналоговый"), true},
    {fls::kFrequency, QT_TRANSLATE_NOOP("RemoteCommand", "Частотный"), true},
    {fls::kPulse, QT_TRANSLATE_NOOP("RemoteCommand", "Импульсный"), true},
    {fls::kActiveRs485, QT_TRANSLATE_NOOP("RemoteCommand", "Активный RS-485"), true},
    {fls::kPassiveRs232, "Пассивный RS-232", false},
};

const char *const kMedian = QT_TRANSLATE_NOOP("RemoteCommand", "Медианный");
const char *const kIntelligent = QT_TRANSLATE_NOOP("RemoteCommand", "Интеллектуальный");

// Filter codes: the median bit with levels 1-15, the rest below.
constexpr quint8 kMedianBit = fls::kMedianFilterBit;
constexpr quint8 kMedianLast = kMedianBit | 0x0F;
// Older sensors report median level 5 without the median bit.
constexpr quint8 kOldMedianFive = 0x05;

struct FilterForm
{
    quint8 code;
    const char *type;
    const char *level;
    bool levelTranslated;
};
const FilterForm kFilters[] = {
    {0x00, kMedian, "0", false},
    {0x40, kIntelligent, QT_TRANSLATE_NOOP("RemoteCommand", "Нет"), true},
    {0x03, kIntelligent, QT_TRANSLATE_NOOP("RemoteCommand", "до 200 литров"), true},
    {0x06, kIntelligent, QT_TRANSLATE_NOOP("RemoteCommand", "от 200 до 1000 литров"), true},
    {0x09, kIntelligent, QT_TRANSLATE_NOOP("RemoteCommand", "больше 1000 литров"), true},
    {0x0C, kIntelligent, QT_TRANSLATE_NOOP("RemoteCommand", "тяжёлые условия"), true},
    {kOldMedianFive, kMedian, "5", false},
};

QString translated(const char *text)
{
    return QCoreApplication::translate(kContext, text);
}

int hexDigitCount(const QByteArray &latin)
{
    int n = 0;
    for (char c : latin) {
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))
            ++n;
    }
    return n;
}

QString line(const char *label, const char *separator, const QString &value)
{
    return translated(label) + QLatin1String(separator) + value;
}

} // namespace

DecodedAnswer decodeAnswer(const QString &text)
{
    DecodedAnswer out;
    if (text.size() < kShortestText) {
        out.verdict = AnswerVerdict::TooShortText;
        return out;
    }
    if (!text.contains(QLatin1String("3e"), Qt::CaseInsensitive)) {
        out.verdict = AnswerVerdict::NoAnswerStart;
        return out;
    }

    out.verdict = AnswerVerdict::Incorrect;
    const QByteArray latin = text.toLatin1();
    // A digit lost anywhere shifts every byte after it: such text would decode
    // into plausible but wrong numbers.
    if (hexDigitCount(latin) % 2 != 0)
        return out;
    const QByteArray bytes = QByteArray::fromHex(latin);
    const std::optional<quint8> command = frame::readU8(bytes, kCommandAt);
    if (!command)
        return out;
    const int characters = charactersNeeded(*command);
    if (characters == 0 || text.size() < characters || bytes.size() < fieldBytes(*command))
        return out;

    Answer &a = out.answer;
    a.command = *command;
    // The length was checked above, so every read below finds its bytes.
    auto u8 = [&bytes](int at) { return frame::readU8(bytes, at).value_or(0); };
    auto le16 = [&bytes](int at) { return frame::readLe16(bytes, at).value_or(0); };
    auto le32 = [&bytes](int at) { return frame::readLe32(bytes, at).value_or(0); };
    switch (a.command) {
    case kLevelCommand:
        a.temperature = static_cast<qint8>(u8(kTemperatureAt));
        a.level = static_cast<qint16>(le16(kLevelAt));
        break;
    case bus::kAllDataCommand:
        a.netNum = u8(kNetNumAt);
        a.temperature = static_cast<qint8>(u8(kTemperatureAt));
        a.level = static_cast<qint16>(le16(kLevelAt));
        a.current = le32(kCurrentAt);
        a.empty = static_cast<qint32>(le32(kEmptyAt));
        a.full = static_cast<qint32>(le32(kFullAt));
        a.modeCode = u8(kStateModeAt);
        a.filterCode = u8(kStateFilterAt);
        break;
    case fls::kConfigWriteCommand:
        a.modeCode = u8(kValueAt);
        break;
    case kShiftFullCommand:
    case fls::kSetFullCommand:
        a.full = static_cast<qint32>(le32(kValueAt));
        break;
    case kShiftEmptyCommand:
    case fls::kSetEmptyCommand:
        a.empty = static_cast<qint32>(le32(kValueAt));
        break;
    case kNetNumCommand:
        a.netNum = u8(kNetNumAt);
        break;
    case bus::kSerialAndFirmwareCommand:
        a.serial = le32(kSerialAt);
        a.firmware = le16(kFirmwareAt);
        break;
    }
    out.verdict = AnswerVerdict::Decoded;
    return out;
}

CodeTexts modeCodeTexts(quint8 code)
{
    for (const Interface &i : kInterfaces) {
        if (i.code == (code & kInterfaceMask)) {
            return {i.localised ? translated(i.text) : QString::fromUtf8(i.text),
                    QString::fromLatin1((code & fls::kWideRangeBit) ? "4095" : "1023")};
        }
    }
    return {translated(QT_TRANSLATE_NOOP("RemoteCommand", "Некорректный режим")),
            translated(QT_TRANSLATE_NOOP("RemoteCommand", "Некорректный диапазон"))};
}

CodeTexts filterCodeTexts(quint8 code)
{
    if (code > kMedianBit && code <= kMedianLast)
        return {translated(kMedian), QString::number(code - kMedianBit)};
    for (const FilterForm &f : kFilters) {
        if (f.code == code)
            return {translated(f.type), f.levelTranslated ? translated(f.level) : QString::fromUtf8(f.level)};
    }
    return {translated(QT_TRANSLATE_NOOP("RemoteCommand", "Некорректный тип")),
            translated(QT_TRANSLATE_NOOP("RemoteCommand", "Некорректный уровень"))};
}

QString answerReport(const Answer &a)
{
    const char *const kTemperature = QT_TRANSLATE_NOOP("RemoteCommand", "Температура");
    const char *const kLevel = QT_TRANSLATE_NOOP("RemoteCommand", "Уровень");
    const char *const kCurrent = QT_TRANSLATE_NOOP("RemoteCommand", "Текущий");
    const char *const kEmpty = QT_TRANSLATE_NOOP("RemoteCommand", "Значение пустого");
    const char *const kFull = QT_TRANSLATE_NOOP("RemoteCommand", "Значение полного");
    const char *const kMode = QT_TRANSLATE_NOOP("RemoteCommand", "Режим");
    const char *const kRange = QT_TRANSLATE_NOOP("RemoteCommand", "Диапазон");
    const char *const kFilterType = QT_TRANSLATE_NOOP("RemoteCommand", "Тип сглаживания");
    const char *const kFilterLevel = QT_TRANSLATE_NOOP("RemoteCommand", "Уровень сглаживания");
    const char *const kNetNum = QT_TRANSLATE_NOOP("RemoteCommand", "Сетевой адрес");
    const char *const kSerial = QT_TRANSLATE_NOOP("RemoteCommand", "Серийный номер");
    const char *const kFirmware = QT_TRANSLATE_NOOP("RemoteCommand", "Версия микропрограммы");
    // Degrees Celsius, written with the Cyrillic letter.
    const QString celsius = QStringLiteral("\u00B0\u0421");

    QStringList lines;
    switch (a.command) {
    case kLevelCommand:
        lines << line(kTemperature, " = ", QString::number(a.temperature) + celsius)
              << line(kLevel, " = ", QString::number(a.level));
        break;
    case bus::kAllDataCommand: {
        const CodeTexts mode = modeCodeTexts(a.modeCode);
        const CodeTexts filter = filterCodeTexts(a.filterCode);
        lines << line(kNetNum, " - ", QString::number(a.netNum))
              << line(kTemperature, " = ", QString::number(a.temperature) + celsius)
              << line(kLevel, " = ", QString::number(a.level)) << line(kCurrent, " = ", QString::number(a.current))
              << line(kEmpty, " = ", QString::number(a.empty)) << line(kFull, " = ", QString::number(a.full))
              << line(kMode, " - ", mode.first) << line(kRange, " - ", mode.second)
              << line(kFilterType, " - ", filter.first) << line(kFilterLevel, " - ", filter.second);
        break;
    }
    case fls::kConfigWriteCommand: {
        const CodeTexts mode = modeCodeTexts(a.modeCode);
        lines << line(kMode, " - ", mode.first) << line(kRange, " - ", mode.second);
        break;
    }
    case kShiftFullCommand:
    case fls::kSetFullCommand:
        lines << line(kFull, " = ", QString::number(a.full));
        break;
    case kShiftEmptyCommand:
    case fls::kSetEmptyCommand:
        lines << line(kEmpty, " = ", QString::number(a.empty));
        break;
    case kNetNumCommand:
        lines << line(kNetNum, " = ", QString::number(a.netNum));
        break;
    case bus::kSerialAndFirmwareCommand:
        lines << line(kSerial, " - ", QString::number(a.serial)) << line(kFirmware, " - ", QString::number(a.firmware));
        break;
    }
    return translated(QT_TRANSLATE_NOOP("RemoteCommand", "В ответе содержится:")) + QLatin1String("\n\n") +
           lines.join(QLatin1Char('\n'));
}

QString answerTitle(quint8 command)
{
    const char *const title = QT_TRANSLATE_NOOP("RemoteCommand", "Ответ");
    // The level and Empty answers' boxes carry the translated title; the
    // others keep the source text.
    if (command == kLevelCommand || command == fls::kSetEmptyCommand)
        return translated(title);
    return QString::fromUtf8(title);
}

} // namespace remote
