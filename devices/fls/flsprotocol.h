#ifndef FLSPROTOCOL_H
#define FLSPROTOCOL_H

#include "link/bus.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>
#include <vector>

// Byte-level work of the wired fuel level sensors, free of widgets: request
// builders, answer decoders and the small rules that turn sensor bytes into
// what the page shows. The page calls them; tests call them directly.
namespace fls {

// Answer commands (the all-data and serial answers are bus::'s).
constexpr quint8 kCalibrationTableCommand = 0xEF;
constexpr quint8 kSetFullCommand = 0xF5;
constexpr quint8 kSetEmptyCommand = 0xFA;
constexpr quint8 kWriteFullCommand = 0xEC;
constexpr quint8 kWriteEmptyCommand = 0xED;
constexpr quint8 kHorizonCommand = 0xAA;
constexpr quint8 kPasswordTakenCommand = 0xF7;
constexpr quint8 kPasswordAcceptedCommand = 0xF8;
constexpr quint8 kPasswordRefusedCommand = 0xFD;

// Request commands built here.
constexpr quint8 kConfigWriteCommand = 0xF2;
constexpr quint8 kSendSerNumCommand = 0xD0;
constexpr quint8 kResetCommand = 0x88;

// Level words the sensor sends instead of a level when its probe is faulty.
constexpr quint16 kLevelBrokenTube = 6500;
constexpr quint16 kLevelShortCircuit = 7000;

// Output interface codes: the interface field of configuration byte A.
constexpr quint8 kInterfaceMask = 0x16;
constexpr quint8 kPassiveRs485 = 0x00;
constexpr quint8 kAnalog = 0x02;
constexpr quint8 kFrequency = 0x04;
constexpr quint8 kPulse = 0x06;
constexpr quint8 kActiveRs485 = 0x10;
constexpr quint8 kPassiveRs232 = 0x12;

// The other bits of configuration byte A.
constexpr quint8 kInversBit = 0x01;
constexpr quint8 kMasterBit = 0x08;
constexpr quint8 kPercentsBit = 0x20;
constexpr quint8 kLitresBit = 0x40;
constexpr quint8 kWideRangeBit = 0x80; // level range 1-4095, else 1-1023
// Bits of configuration byte B besides the filter level and type.
constexpr quint8 kAngleBit = 0x10;
constexpr quint8 kEcoDriveBit = 0x20;
constexpr quint8 kTermoBit = 0x80;
// Bit of a QF260's serial-number output byte: the sensor sends its serial.
constexpr quint8 kSendSerNumBit = 0x10;

enum class Model { Unknown, QF410, QF210, QF260, QF470, Generic };

// ---- Requests --------------------------------------------------------------

// 0xF2 configuration write: bytes A and B, and C only when given.
QByteArray configWrite(quint8 net, quint8 a, quint8 b, std::optional<quint8> c);
// 0xD0 serial-number output byte of a QF260.
QByteArray sendSerNumWrite(quint8 net, quint8 byte);
// 0x88 reset of the sensor.
QByteArray resetRequest(quint8 net);
// Password frame: 0xF7 sets a new password (0: none), 0xF8 enters one; the
// password travels most significant byte first.
constexpr quint8 kSetPasswordCommand = 0xF7;
constexpr quint8 kEnterPasswordCommand = 0xF8;
QByteArray passwordFrame(quint8 net, quint8 command, quint32 password);

// ---- Answers ---------------------------------------------------------------

// Shortest frame of each answer form: everything its handler reads lies
// before the CRC-8 or is the last byte read.
int minimumAnswerLength(quint8 command);
// Lengths the answers to a command come in on this bus (the long all-data
// forms of other devices included), for cutting glued answers apart.
std::vector<int> answerLengths(quint8 command);
// True when the frame's command byte exists and the frame is at least as long
// as that command's form.
bool isLongEnough(const QByteArray &frame);

struct AllData
{
    qint8 temperature = 0;
    quint16 level = 0;
    qint32 count = 0, empty = 0, full = 0;
    quint8 configA = 0;
    quint8 byte21 = 0; // alarm lamp threshold of a QF410
    quint8 configB = 0;
    std::optional<quint8> byte23; // only when it is a data byte, not the CRC-8
    Model model = Model::Unknown;
    bool dropped = false; // a long form the page must not take (see decodeAllData)
};

// Model named by a model byte.
Model modelFromByte(quint8 byte);

// Decodes a 0xF0 answer whose start byte and CRC were already checked.
// Returns nothing when the frame is too short for its fixed fields. The model
// byte sits where the frame's length puts it (24: byte 21, 25: byte 23, 29 and
// 45: byte 27); long forms 38, 42, 45 and 84 whose byte 27 lies in 0x1E..0x21
// come from other devices on the bus and are marked dropped.
std::optional<AllData> decodeAllData(const QByteArray &frame);
// True when an answer is a wired fuel sensor's data answer: a 0xF0 answer
// whose length and model byte name a model (decodeAllData()). No other
// family answers in these forms.
bool namesFuelSensor(const QByteArray &frame);

// ---- Rules -----------------------------------------------------------------

// Stability grade from the mean of the last counts (truncated) and the
// current count: 3 stable, 2 a little off, 1 unstable; `previous` is kept
// when the deviation lies exactly on a boundary or is undefined.
int stabilityGrade(int mean, qint32 count, int previous);
// Colour and text of a stability grade; empty for grade 0.
const char *stabilityColour(int grade);
const char *stabilityText(int grade);

// Alarm text (context "FLSDevice") of a faulty-probe level word; nullptr for a level.
const char *levelAlarmText(quint16 level);

// True when the counts show a sensor that was never calibrated.
bool isNotCalibrated(qint32 count, qint32 empty, qint32 full);

// Output voltage of a QF260 for a level word.
float qf260Voltage(quint16 level, bool range4095);
// Analog output voltage of a QF410 or QF470; nothing for other models.
std::optional<float> analogVoltage(Model model, quint16 level, bool range4095);
// Frequency shown for a frequency output.
int frequencyValue(quint16 level);

// Interface field of configuration byte A.
constexpr quint8 interfaceCode(quint8 a)
{
    return a & kInterfaceMask;
}
constexpr bool isAnalogOutput(quint8 a)
{
    return interfaceCode(a) == kAnalog;
}
constexpr bool isFrequencyOutput(quint8 a)
{
    return interfaceCode(a) == kFrequency;
}

// Source text (translation context "FLSDevice") of an interface code, or
// nullptr for a code without a name.
const char *interfaceText(quint8 code);
// Output-type list of a model, in combo order.
std::vector<const char *> outputTypeList(Model model);

// What the output-type combo shows for the cleared mode byte m.
enum class ValuePair { Level, Frequency, Voltage };
struct ModeDisplay
{
    const char *text = ""; // source text, context "FLSDevice"; empty: none
    ValuePair pair = ValuePair::Level;
};
ModeDisplay modeDisplay(quint8 mode, quint8 configC);

// True when a QF470 with this firmware keeps configuration byte C: it reads it
// in its all-data answer and takes it back in every configuration write.
bool hasConfigC(quint16 firmware);

// Mode byte of an all-data answer. A QF470 with firmware above 208 keeps a
// configuration byte C; while C is set the output is named by C, not by A.
struct ModeByte
{
    quint8 mode = 0;
    std::optional<quint8> configC; // new C of the answering sensor, when read
    bool usesConfigC = false;
};
ModeByte modeByte(Model model, quint16 firmware, std::optional<quint8> byte23, quint8 storedConfigC,
                  quint8 selectedConfigA);
// Only answers of a known model are shown; a QF470 only once it carries C.
bool isShown(Model model, bool usesConfigC);
// The mode byte as the output-type combo reads it.
quint8 clearedMode(Model model, quint8 mode);

// Filter lists and mappings. Filter level f is configuration byte B & 0x0F.
constexpr quint8 kMedianFilterBit = 0x40;
constexpr int filterLevel(quint8 configB)
{
    return configB & 0x0F;
}
// Tank-class list position 0..4 ("Нет", up to 200 l, 200 to 1000 l, over
// 1000 l, heavy conditions) for filter level f under the smart filter.
int tankClassIndex(int f);
std::vector<const char *> tankClassList();
// "Нет" (passed in translated) then "1" to "15": list position = filter level.
QStringList levelList(const QString &none);

// Filter type names (source texts, context "FLSDevice") as the page lists them.
extern const char *const kSmartFilterText;
extern const char *const kMedianFilterText;

// ---- Parameter write: widgets to configuration bytes ----------------------

// Output-type texts (source texts, context "FLSDevice") and the code of
// configuration byte A each stands for. Active RS-232 shares its code with
// active RS-485; configuration byte C tells them apart.
struct OutputTypeCode
{
    const char *text;
    quint8 code;
};
const std::vector<OutputTypeCode> &outputTypeCodes();
// Byte A of the parameter write (without its range bit): the output code with
// the Master and Invers bits of the switches.
quint8 modeWithSwitches(quint8 code, bool master, bool invers);

// Filter level code of the filtration combo's position n: a generic sensor
// and the median filter take n as it is; the smart filter's tank classes 1..4
// are levels 3, 6, 9 and 12; a known model takes levels 5..15 only with new
// firmware. A position outside 0..15 gives 0.
quint8 filterLevelCode(int n, bool generic, bool median, bool newFirmware);
// Byte B of the parameter write (without the filter-type bit): the level code
// with the Angle, thermo and EcoDrive bits of the switches.
quint8 filterWithSwitches(quint8 level, bool angle, bool termo, bool ecoDrive);
// Filter-type bit of byte B for the filter-type combo's position.
quint8 filterTypeBits(int typeIndex);

// Re-selection when the user switches the filter type: the tank class that a
// median level falls in (9 to 11 are "more than 1000 l"), and the median
// level in the middle of a tank class; -1 leaves the selection as it is.
int tankClassOfMedianLevel(int level);
int medianLevelOfTankClass(int tankClass);

enum class FilterTypes { Unchanged, SmartOnly, SmartAndMedian, MedianOnly };
FilterTypes filterTypes(Model model, quint16 firmware);

// Texts naming a model.
const char *logPrefix(Model model);  // log text, English
const char *statusText(Model model); // source text, context "FLSDevice"
// Whether the firmware counts as new; nothing for a generic sensor (no rule).
std::optional<bool> isNewFirmware(Model model, quint16 firmware);

} // namespace fls

#endif // FLSPROTOCOL_H
