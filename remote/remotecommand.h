#ifndef REMOTECOMMAND_H
#define REMOTECOMMAND_H

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

// Text commands for a vehicle's tracker, which relays the fuel sensor frame
// they carry onto its RS-485 bus. A line is a fixed prefix ending with the
// frame's start byte "31", then the rest of the request frame in hexadecimal,
// two digits per byte, down to its CRC-8. Widget-free: the remote page reads
// its inputs, calls these functions and shows the result.
namespace remote {

// Fuel sensor commands of the lines and answers that the wired sensor page
// has no use for; the others are the wired sensor's own (devices/fls).
inline constexpr quint8 kLevelCommand = 0x06;
inline constexpr quint8 kShiftEmptyCommand = 0xF9;
inline constexpr quint8 kShiftFullCommand = 0xF4;
inline constexpr quint8 kNetNumCommand = 0xFB;

// Translation context of the texts kept here.
inline constexpr char kContext[] = "RemoteCommand";

// Highest network number on the tracker's bus.
inline constexpr int kNetNumTop = 255;

// Positions in the page's command list; the list order is fixed.
enum class Command {
    EnterPassword = 0,
    StateRequest,
    FirmwareAndSerial,
    ShiftEmpty,
    ShiftFull,
    SetEmpty,
    SetFull,
    SetMode,
    SetPassword,
};
inline constexpr int kCommandCount = 9;

// The command at a list position; nothing outside the list.
std::optional<Command> commandAt(int index);

// The list texts (untranslated source texts, marked for the translator), in
// list order.
QStringList commandTexts();
QStringList modeTexts();
QStringList filterTypeTexts();
// Filter type positions.
inline constexpr int kMedianFilterType = 0;
inline constexpr int kIntelligentFilterType = 1;
// Filter levels of a filter type (0 median, 1 intelligent); empty for others.
// Median levels are plain numbers and are not translated.
QStringList filterLevelTexts(int filterType);
// Whether the level texts of a filter type go through the translator.
bool filterLevelsTranslated(int filterType);

// Output mode and range code of a mode list position; 0 (RS-485, 1023) for
// anything outside the list.
quint8 modeCode(int modeIndex);
// Filter code of a filter type and level position; 0 (no filtering) for
// level 0 and anything outside the lists.
quint8 filterCode(int filterType, int levelIndex);

// The value a command asks for: its caption and the largest number its input
// takes (as many digits as that number has).
struct ValueInput
{
    const char *caption = nullptr; // untranslated source text
    quint32 top = 0;
};
// Nothing for the commands without a value (requests and the mode write).
std::optional<ValueInput> valueInputOf(Command command);
// Largest value before any command is picked: a password of nine digits.
inline constexpr quint32 kPasswordTop = 999999999;

struct Inputs
{
    quint8 netNum = 0;
    quint32 value = 0; // password, level value or offset (offsets use the low 16 bits)
    quint8 modeCode = 0;
    quint8 filterCode = 0;
};

// The tracker line of a command. The write signature's digits are upper
// case, every other digit lower case.
QString commandLine(Command command, const Inputs &inputs);

} // namespace remote

#endif // REMOTECOMMAND_H
