#include "remote/remotecommand.h"

#include "devices/fls/flsprotocol.h"
#include "link/bus.h"
#include "link/frame.h"

namespace remote {

namespace {

// What the value of a command turns into in the frame.
enum class Payload { None, Word16, Word32, ModeAndFilter };

struct CommandForm
{
    const char *text;
    // The tracker's own header (line, timeout, baud rate); the program never
    // reads its numbers. Each ends with the frame's start byte.
    const char *prefix;
    quint8 command;
    bool write; // the write signature follows the command byte
    Payload payload;
};

const CommandForm kCommands[kCommandCount] = {
    {QT_TRANSLATE_NOOP("RemoteCommand", "Ввести пароль"), "S485=11:4:1500:19200:31", fls::kEnterPasswordCommand, true,
     Payload::Word32},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Запрос состояния"), "S485=4:23:1500:19200:31", bus::kAllDataCommand, false,
     Payload::None},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Запросить версию прошивки и серийный номер"), "S485=4:10:1500:19200:31",
     bus::kSerialAndFirmwareCommand, false, Payload::None},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Сдвинуть уровень пустого"), "S485=6:10:1500:19200:31", kShiftEmptyCommand,
     true, Payload::Word16},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Сдвинуть уровень полного"), "S485=6:10:1500:19200:31", kShiftFullCommand, true,
     Payload::Word16},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Установить уровень пустого"), "S485=8:4:1500:19200:31",
     fls::kWriteEmptyCommand, true, Payload::Word32},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Установить уровень полного"), "S485=8:4:1500:19200:31", fls::kWriteFullCommand,
     true, Payload::Word32},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Установить режим"), "S485=8:4:1500:19200:31", fls::kConfigWriteCommand, true,
     Payload::ModeAndFilter},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Установить пароль"), "S485=8:4:1500:19200:31", fls::kSetPasswordCommand, true,
     Payload::Word32},
};

// Output mode and range: the wide-range bit selects 1-4095, the interface
// field active or passive RS-485.
struct ModeForm
{
    const char *text;
    quint8 code;
};
const ModeForm kModes[] = {
    {QT_TRANSLATE_NOOP("RemoteCommand", "RS-485 + 1023"), fls::kPassiveRs485},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Активный RS-485 + 1023"), fls::kActiveRs485},
    {QT_TRANSLATE_NOOP("RemoteCommand", "RS-485 + 4095"), fls::kPassiveRs485 | fls::kWideRangeBit},
    {QT_TRANSLATE_NOOP("RemoteCommand", "Активный RS-485 + 4095"), fls::kActiveRs485 | fls::kWideRangeBit},
};

const char *const kFilterTypes[] = {
    QT_TRANSLATE_NOOP("RemoteCommand", "Медианный"),
    QT_TRANSLATE_NOOP("RemoteCommand", "Интеллектуальный"),
};

// Median filter levels 1 to 15 are sent with the median bit set; level 0 is
// no filtering at all.
constexpr int kMedianLevels = 16;

struct IntelligentLevel
{
    const char *text;
    quint8 code;
};
const IntelligentLevel kIntelligentLevels[] = {
    {QT_TRANSLATE_NOOP("RemoteCommand", "Нет"), 0x00},
    {QT_TRANSLATE_NOOP("RemoteCommand", "до 200 литров"), 0x03},
    {QT_TRANSLATE_NOOP("RemoteCommand", "от 200 до 1000 литров"), 0x06},
    {QT_TRANSLATE_NOOP("RemoteCommand", "более 1000 литров"), 0x09},
    {QT_TRANSLATE_NOOP("RemoteCommand", "тяжёлые условия"), 0x0C},
};

const char *const kPasswordCaption = QT_TRANSLATE_NOOP("RemoteCommand", "Введите числовой пароль (макс. 9 цифр)");
const char *const kOffsetCaption = QT_TRANSLATE_NOOP("RemoteCommand", "Введите смещение в у.е.");
const char *const kEmptyCaption = QT_TRANSLATE_NOOP("RemoteCommand", "Введите значение пустого");
const char *const kFullCaption = QT_TRANSLATE_NOOP("RemoteCommand", "Введите значение полного");
// Offsets travel as 16-bit words; three digits always fit.
constexpr quint32 kOffsetTop = 999;

template <class T, int N> constexpr int countOf(const T (&)[N])
{
    return N;
}

const CommandForm &formOf(Command command)
{
    return kCommands[static_cast<int>(command)];
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

} // namespace

std::optional<Command> commandAt(int index)
{
    if (index < 0 || index >= kCommandCount)
        return std::nullopt;
    return static_cast<Command>(index);
}

QStringList commandTexts()
{
    QStringList out;
    for (const CommandForm &c : kCommands)
        out << QString::fromUtf8(c.text);
    return out;
}

QStringList modeTexts()
{
    QStringList out;
    for (const ModeForm &m : kModes)
        out << QString::fromUtf8(m.text);
    return out;
}

QStringList filterTypeTexts()
{
    QStringList out;
    for (const char *t : kFilterTypes)
        out << QString::fromUtf8(t);
    return out;
}

QStringList filterLevelTexts(int filterType)
{
    QStringList out;
    if (filterType == kMedianFilterType) {
        for (int level = 0; level < kMedianLevels; ++level)
            out << QString::number(level);
    } else if (filterType == kIntelligentFilterType) {
        for (const IntelligentLevel &l : kIntelligentLevels)
            out << QString::fromUtf8(l.text);
    }
    return out;
}

bool filterLevelsTranslated(int filterType)
{
    return filterType == kIntelligentFilterType;
}

quint8 modeCode(int modeIndex)
{
    if (modeIndex < 0 || modeIndex >= countOf(kModes))
        return 0;
    return kModes[modeIndex].code;
}

quint8 filterCode(int filterType, int levelIndex)
{
    if (filterType == kMedianFilterType && levelIndex > 0 && levelIndex < kMedianLevels)
        return static_cast<quint8>(fls::kMedianFilterBit + levelIndex);
    if (filterType == kIntelligentFilterType && levelIndex > 0 && levelIndex < countOf(kIntelligentLevels))
        return kIntelligentLevels[levelIndex].code;
    return 0;
}

std::optional<ValueInput> valueInputOf(Command command)
{
    switch (command) {
    case Command::EnterPassword:
    case Command::SetPassword:
        return ValueInput{kPasswordCaption, kPasswordTop};
    case Command::ShiftEmpty:
    case Command::ShiftFull:
        return ValueInput{kOffsetCaption, kOffsetTop};
    case Command::SetEmpty:
        return ValueInput{kEmptyCaption, kPasswordTop};
    case Command::SetFull:
        return ValueInput{kFullCaption, kPasswordTop};
    case Command::StateRequest:
    case Command::FirmwareAndSerial:
    case Command::SetMode:
        break;
    }
    return std::nullopt;
}

QString commandLine(Command command, const Inputs &inputs)
{
    const CommandForm &form = formOf(command);
    QByteArray payload;
    switch (form.payload) {
    case Payload::None:
        break;
    case Payload::Word16:
        frame::appendBe16(payload, static_cast<quint16>(inputs.value & 0xFFFF));
        break;
    case Payload::Word32:
        frame::appendBe32(payload, inputs.value);
        break;
    case Payload::ModeAndFilter:
        payload.append(static_cast<char>(inputs.modeCode));
        payload.append(static_cast<char>(inputs.filterCode));
        break;
    }

    const QByteArray request = form.write ? frame::writeRequest(inputs.netNum, form.command, payload)
                                          : frame::request(inputs.netNum, form.command, payload);
    // The prefix already holds the start byte; the address and command follow
    // it, then the signature in upper case, then the payload and the CRC-8.
    constexpr int kHeadLength = 3;
    const int signatureLength = form.write ? int(sizeof(frame::kWriteSignature)) : 0;
    QString line = QString::fromLatin1(form.prefix);
    line += hex(request.mid(1, kHeadLength - 1));
    line += hex(request.mid(kHeadLength, signatureLength)).toUpper();
    line += hex(request.mid(kHeadLength + signatureLength));
    return line;
}

} // namespace remote
