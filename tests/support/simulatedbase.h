#ifndef SIMULATEDBASE_H
#define SIMULATEDBASE_H

#include "simulateddevice.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <optional>

// The USB BLE base on the far end of a pseudo-terminal, with the wireless
// sensor linked to it and the sensors it hears advertising. The base answers
// at its own address: the linked sensor's data, its own serial number and
// firmware, and the acknowledgements of the commands it relays. The outcome
// of a relayed command arrives as a status byte in the next data answers. All
// answers are put together here byte by byte from the fields below,
// independently of the program's decoders.
//
// To serve another linked sensor, subclass and override dataAnswer() and
// relay(); to add base commands, override answerFor() and fall back to this
// class for the rest.
class SimulatedBase : public SimulatedDevice
{
    Q_OBJECT
public:
    static constexpr quint8 kBaseAddress = 0x03;
    // Kinds the base reports for its linked sensor.
    static constexpr quint8 kKindFuel = 30;
    static constexpr quint8 kKindAngle = 31;
    static constexpr quint8 kKindLight = 32;
    static constexpr quint8 kKindFuelOther = 33;

    // Status bytes of the data answer.
    enum Status : quint8 {
        LinkReport = 0,
        Accepted = 3,
        DirectiveCalibration = 4,
        Rebooted = 5,
        FullSet = 6,
        EmptySet = 7,
        Refused = 10,
        PasswordChangeFailed = 13,
        DirectiveCalibrationFailed = 14,
        ModeSet = 15,
        ModeNotSet = 16,
    };

    struct LinkedSensor
    {
        quint8 kind = kKindFuel;
        int form = 38; // length of the data answer; the base sends 38, 42, 45, 49 or 84
        qint8 temperature = 21;
        quint16 level = 512;
        qint32 current = 15000;
        quint32 empty = 10000;
        quint32 full = 20000;
        quint8 mode = 0x00;    // bit 7: range 1-4095
        quint8 filter = 0x00;  // low four bits: filter level
        quint8 firmware = 123; // the sensor's own version
        qint8 rssi = -60;      // dB
        quint8 battery = 36;   // tenths of a volt; 0: no sensor linked
        QByteArray address = QByteArray::fromHex("0a1b2c3d4e5f");
        std::optional<quint32> password; // when set, writes need it first
        bool unlocked = false;           // the password was presented since power-up
        bool refuseMode = false;         // the sensor does not take a new working mode
    };

    // One record of the advertising list.
    struct AdvertRecord
    {
        qint8 temperature = 0;
        quint16 level = 0;
        quint8 rangeByte = 0;
        quint8 smoothing = 0;
        quint8 netNumber = 0;
        qint8 rssi = 0; // 0: empty slot
        quint8 battery = 0;
        QByteArray name = QByteArray("QF_000000");
        quint8 listNumber = 0xFF;
        quint8 slotMask = 0;
        quint8 mode = 0;
        quint16 illuminance = 0;
        quint32 pressure = 0;
        quint8 paramSet = 0;
    };

    explicit SimulatedBase(QObject *parent = nullptr);

    LinkedSensor sensor;
    quint32 serial = 4321;
    quint16 firmware = 105;     // 223 to 998: the base lists advertising sensors
    QList<AdvertRecord> advert; // four slots, slot 1 first

    // How many data answers carry a command's outcome before the base goes
    // back to its link report.
    int statusRepeats = 2;
    // A slow base: a relayed command's outcome shows only this long after the
    // command came; until then the answers carry what they carried before
    // (an earlier command's outcome among them).
    int relayDelayMs = 0;
    // When set, a refusal shows this long after its command came instead.
    std::optional<int> refusalDelayMs;
    // Makes the data answers carry this status, as after a command (once the
    // relay delay has passed), in at most `most` of them when given.
    void reportStatus(quint8 code, int most = -1);
    quint8 currentStatus() const { return statusRepeatsLeft > 0 ? status : quint8(LinkReport); }

    // Fault switches, all off by default.
    bool silent = false;                 // nothing answers
    bool badCrc = false;                 // every answer leaves with a wrong last byte
    std::optional<quint8> foreignNetNum; // answers name this address instead of the base's
    bool shortFrames = false;            // data, identity and list answers cut short, with a valid CRC
    bool glued = false;                  // each answer is held back and leaves glued to the next one
    bool identitySilent = false;         // serial and firmware requests go unanswered

    // Frames the base would send, built from the fields above.
    virtual QByteArray dataAnswer() const { return dataFrame(sensor, currentStatus()); }
    static QByteArray dataFrame(const LinkedSensor &s, quint8 status);
    QByteArray identityAnswer(quint8 address) const;
    QByteArray advertListAnswer(quint8 address) const;
    static QByteArray recordBytes(const AdvertRecord &r);

    // Requests with one command byte, in arrival order.
    QList<QByteArray> requestsWith(quint8 command) const;
    int countRequests(quint8 command) const { return requestsWith(command).size(); }

protected:
    QByteArray answerFor(const QByteArray &request) override;
    int requestLength(quint8 start, quint8 address, quint8 command) const override;
    // A command relayed to the linked sensor: its immediate answer (empty for
    // none); its outcome goes to reportStatus().
    virtual QByteArray relay(quint8 command, const QByteArray &payload);

private:
    QByteArray spoil(QByteArray answer, int shortLength) const;
    bool passwordFits(quint32 value) const;

    quint8 status = LinkReport;
    int statusRepeatsLeft = 0;
    QByteArray held; // an answer waiting to be glued to the next one
};

#endif // SIMULATEDBASE_H
