#ifndef FLSPROCEDURES_H
#define FLSPROCEDURES_H

#include "devices/fls/flsprotocol.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

// What an engineer changes on a wired sensor once it is found: the write
// frames of its network number, alarm level, serial number, Full and Empty
// levels and horizon, the temperature-compensated calibration without fuel,
// and the checks typed values pass before anything is sent. Widget-free.
namespace fls {

// Request commands of the procedures (the acknowledgements of the level and
// horizon commands are the answer commands of flsprotocol.h).
constexpr quint8 kNetNumWriteCommand = 0xFB;
constexpr quint8 kAlarmLevelWriteCommand = 0xEE;
constexpr quint8 kSerialNumberWriteCommand = 0xF6;

// Ranges the sensor takes.
constexpr quint32 kNetNumMax = 255;
constexpr quint32 kAlarmLevelMin = 1;
constexpr quint32 kAlarmLevelMax = 99;
constexpr quint32 kUnsigned32Max = 0xFFFFFFFFu;

// ---- Requests --------------------------------------------------------------

// 0xF5 / 0xFA: the sensor takes its present count as Full / Empty.
QByteArray fullFromLevelRequest(quint8 net);
QByteArray emptyFromLevelRequest(quint8 net);
// 0xEC / 0xED: Full / Empty as given, most significant byte first (the bit
// pattern of the signed count).
QByteArray fullWrite(quint8 net, qint32 full);
QByteArray emptyWrite(quint8 net, qint32 empty);
// 0xAA: the sensor takes its present position as horizontal.
QByteArray horizonRequest(quint8 net);
// 0xFB: the sensor's new network number.
QByteArray netNumWrite(quint8 net, quint8 newNet);
// 0xEE: the alarm lamp threshold in percent.
QByteArray alarmLevelWrite(quint8 net, quint8 percent);
// 0xF6: the serial number, most significant byte first.
QByteArray serialNumberWrite(quint8 net, quint32 serial);

// ---- Values typed by the user ---------------------------------------------

// The number a text stands for when it is a plain decimal number from
// minimum to maximum (surrounding blanks aside); nothing for an empty text,
// signs, letters, or a number out of range. A text that is refused is never
// sent as 0 or as the low byte of a larger number.
std::optional<quint32> decimalInRange(const QString &text, quint32 minimum, quint32 maximum);

// What is wrong with Empty and Full typed by hand, in the order the user is
// told; nothing wrong means both may be written. Zero stands for a field
// that is empty or does not hold a 32-bit number.
enum class LevelProblem { EmptyAboveFull, EmptyMissing, FullMissing };
std::vector<LevelProblem> manualLevelProblems(qint32 empty, qint32 full);

// ---- Calibration without fuel ---------------------------------------------

struct AutoCalibration
{
    qint32 empty = 0;
    qint32 full = 0;
};

// Empty and Full of a sensor from its present count and temperature: the
// model's span and temperature coefficient turn the count of an empty tank
// into both levels. Full is formed in extended precision and only then
// truncated: in double some counts come out one higher.
AutoCalibration autoCalibration(Model model, qint8 temperature, qint32 count);

// ---- Slave sensors of a QF470 -----------------------------------------------

constexpr int kSlaveCount = 7;
// Bit k-1 of the mask is set when slave k is on.
int slaveMask(const std::array<bool, kSlaveCount> &on);
bool isSlaveOn(int mask, int slave);

} // namespace fls

#endif // FLSPROCEDURES_H
