#ifndef KVBLEPROTOCOL_H
#define KVBLEPROTOCOL_H

#include "devices/angle/kv380protocol.h"
#include "devices/ble/bleprotocol.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

// The wireless angle sensor's four settings: as its data answer reports them,
// or as the user wants them written.
struct KvBleParam
{
    quint32 up = 0;   // upper angle threshold
    quint32 down = 0; // lower angle threshold
    quint16 delayOn = 0;
    quint16 delayOff = 0;

    bool operator==(const KvBleParam &o) const
    {
        return up == o.up && down == o.down && delayOn == o.delayOn && delayOff == o.delayOff;
    }
    bool operator!=(const KvBleParam &o) const { return !(*this == o); }
};

// Byte-level work of the wireless angle sensor reached through the USB base,
// free of widgets: request builders, answer decoders, named commands. Every
// request goes to the base, which relays it to the sensor linked to it; the
// outcome comes back as a status code in the base's next data answers.
namespace kvble {

// The page's last-command field while no command waits for its answer.
constexpr quint8 kNoCommand = 0xFF;
constexpr quint8 kBaseAddress = ble::kBaseAddress;

// Answers of the base.
constexpr quint8 kDataCommand = 0xF0;
constexpr quint8 kSerialCommand = ble::kSerialAndFirmwareCommand;

// Requests the base relays to the sensor (write requests, with the signature).
constexpr quint8 kUpCommand = 0xEC;
constexpr quint8 kDownCommand = 0xED;
constexpr quint8 kDelayOnCommand = 0xE0;
constexpr quint8 kDelayOffCommand = 0xE1;
constexpr quint8 kZeroCommand = 0xE2;
constexpr quint8 kModeCommand = 0xF2;
constexpr quint8 kLinkIdCommand = ble::kLinkIdCommand;
constexpr quint8 kEnterPasswordCommand = ble::kSensorEnterPassword;
constexpr quint8 kSetPasswordCommand = ble::kSensorSetPassword; // 0 removes the password

// The angle sensor's data answer carries fields up to byte 47; the CRC-8 follows.
constexpr int kDataAnswerLength = 49;
constexpr int kSerialAnswerLength = ble::kSerialAndFirmwareLength;

// True for the lengths in which the base sends the data of another kind of
// wireless sensor linked to it.
bool isOtherKindLength(int length);
// Lengths the base's answers to a command come in, for cutting glued answers apart.
std::vector<int> answerLengths(quint8 command);

// ---- Answers ----------------------------------------------------------------

struct Data
{
    quint8 event = 0; // trigger event, read by the mode
    quint16 angle = 0;
    quint32 raw = 0;
    KvBleParam param;
    quint8 mode = 0;
    quint8 firmware = 0;
    qint8 signedValue = 0;
    bool sensorPresent = false; // the base holds a link to the sensor
    int status = 0;             // outcome of the last command, sign-extended
    QByteArray mac;             // six bytes in display order
};

// Decodes the angle sensor's data answer whose start byte, address and CRC
// were checked. Nothing for an answer of another sensor kind and for one too
// short to hold every field.
std::optional<Data> decodeData(const QByteArray &frame);

// Of an answer of another sensor kind: whether the base reports its link up.
bool otherKindLinked(const QByteArray &frame);

struct Serial
{
    qint32 serial = 0;
    quint16 word = 0;
};
// Decodes the serial-number answer; nothing when it is too short.
std::optional<Serial> decodeSerial(const QByteArray &frame);

// ---- Modes ------------------------------------------------------------------

constexpr quint8 kModeTransport = 0;
constexpr quint8 kModeVerticalRotation = 4;
constexpr quint8 kModeHorizontalRotation = 5;
constexpr quint8 kModeAngleControl = 6;
constexpr quint8 kModeBucket = 9;
constexpr quint8 kModeBlade = 10;
// The modes in the order of their switches on the page, top to bottom.
constexpr std::array<quint8, 6> kSwitchModes{kModeTransport,    kModeVerticalRotation, kModeHorizontalRotation,
                                             kModeAngleControl, kModeBucket,           kModeBlade};

// Source text (context "KVBLEDevice") that tells the trigger event in a mode,
// or null when the pair has no text of its own and the shown text stays.
const char *eventText(quint8 mode, quint8 event);

enum class Rotation { None, Vertical, Horizontal };
Rotation rotationOf(quint8 mode);
// The rotation animation of a theme; empty for none.
QString rotationMovieFile(Rotation rotation, bool dark);

// ---- Status codes -------------------------------------------------------------

constexpr int kStatusLinkReport = 0;
constexpr int kStatusLinkIdChanged = 1;
constexpr int kStatusSerialChanged = 2;
constexpr int kStatusPasswordAccepted = 3;
constexpr int kStatusThresholdSet = 4; // a finished directive calibration
constexpr int kStatusRebooted = 5;
constexpr int kStatusPasswordRefused = 10;
constexpr int kStatusLinkIdFailed = 11;
constexpr int kStatusPasswordChangeFailed = 13;
constexpr int kStatusThresholdFailed = 14;
constexpr int kStatusModeSet = 15;
constexpr int kStatusModeFailed = 16;
constexpr int kStatusHorizonSet = 17;
constexpr int kStatusDelaySet = 18;
constexpr int kStatusDelayFailed = 19;

// What a status that tells its outcome in a message does: the message
// (source text in `context`), the log line, and whether the settings are read
// anew from the next answer.
struct StatusAction
{
    const char *context;
    const char *message;
    const char *log;
    bool refreshesSettings;
};
// Nothing for the codes with handling of their own (0, 3, 5, 10) and for
// codes without a meaning.
std::optional<StatusAction> statusAction(int code);

// ---- Display rules ------------------------------------------------------------

// "%1.%2.%3" of the hundreds, tens and units of the firmware byte.
QString firmwareText(quint8 firmware);
// Six bytes as upper-case hexadecimal pairs joined by ":".
QString macText(const QByteArray &mac);

// ---- Requests -----------------------------------------------------------------

QByteArray upWrite(quint32 degrees);
QByteArray downWrite(quint32 degrees);
QByteArray delayOnWrite(quint16 value);
QByteArray delayOffWrite(quint16 value);
QByteArray modeWrite(quint8 mode);
QByteArray zeroWrite();
// Presents (0xE8) or sets (0xE9) a password, most significant byte first.
QByteArray passwordWrite(quint8 command, quint32 password);
// The base links to the sensor with this serial number (24 bits).
QByteArray linkIdWrite(quint32 serial);

// ---- Settings fields -----------------------------------------------------------

constexpr kv380::FieldRange kThresholdRange{1, 180};
constexpr kv380::FieldRange kDelayRange{1, 65535};
// Largest serial number a link ID carries.
constexpr quint32 kLargestSerial = ble::kLargestSerial;

// The serial number typed for a new link, or nothing when the text is no
// plain decimal number a link ID can carry: such a text links to no sensor.
std::optional<quint32> serialNumberValue(const QString &text);

// One setting command of a parameter write and the status codes that end it.
struct WriteStep
{
    quint8 command = 0;
    int confirm = 0;
    int failure = 0;
    // The base reports both commands of a kind with one code: a step of the
    // same kind as the one before waits until that code has gone.
    bool pauseBefore = false;
};
// The steps of a write of the edited settings, in the order they go out.
std::vector<WriteStep> writeSteps(bool up, bool down, bool delayOn, bool delayOff);
// The frame of a step with the values to write.
QByteArray stepFrame(quint8 command, const KvBleParam &values);

} // namespace kvble

#endif // KVBLEPROTOCOL_H
