#ifndef SIMULATEDADVERTBASE_H
#define SIMULATEDADVERTBASE_H

#include "simulatedbase.h"

#include <QHash>
#include <QList>

#include <array>
#include <optional>

// The USB base in its advertising mode: four slots, each holding a wireless
// sensor heard nearby or free, listed in every 0xA6 answer. Slot commands go
// to the network number of the slot's sensor: a name then a password (0xEA,
// 0xA7) put a nearby sensor into the slot when both fit, and the base says so
// with 0x8A; the empty name frees the slot; 0xA9 and 0xFB change the sensor's
// parameter set and network number. The base configuration (0xEC) is kept in
// slot 1's record and acknowledged with 0xEC. The base also answers a bus
// search with its address, changes the sensor it links to on 0xE4 (reporting
// the outcome in its data answers), and an 0xE4 of all zeros restarts it into
// its update mode, after which it is silent. Everything is put together here,
// independently of the program's decoders.
class SimulatedAdvertBase : public SimulatedBase
{
    Q_OBJECT
public:
    static constexpr quint8 kLinkChanged = 1;
    static constexpr quint8 kLinkChangeFailed = 11;

    // A sensor within reach, with the password a slot needs to take it.
    struct Nearby
    {
        AdvertRecord record;
        quint32 password = 0;
    };

    // How the acknowledgements 0xEC and 0x8A leave.
    enum class AckFault {
        None,
        BadCrc,       // last byte spoilt
        Truncated,    // start, address, command only
        WrongStart,   // 0x31 instead of 0x3E, CRC fitting
        OtherCommand, // a command byte the program does not await, CRC fitting
    };

    explicit SimulatedAdvertBase(QObject *parent = nullptr);

    // Slot records (`advert`, slot 1 first) are set up with free slots at
    // these network numbers; a test puts sensors in with place().
    static constexpr std::array<quint8, 4> kFreeSlotNumbers{{5, 20, 30, 40}};
    static AdvertRecord freeSlot(int slot);
    // A sensor record with the usual values for its name.
    static AdvertRecord sensorRecord(const QByteArray &name, quint8 netNumber);
    void place(int slot, const AdvertRecord &record);

    QList<Nearby> nearby;
    // Linked sensors the base can be linked to, by serial number.
    QHash<quint32, LinkedSensor> linkable;

    quint8 config() const { return advert.isEmpty() ? 0 : advert.at(0).slotMask; }
    bool inUpdateMode() const { return updateMode; }

    // Fault switches.
    bool refuseConfig = false; // 0xEC is not acknowledged
    AckFault ackFault = AckFault::None;

protected:
    QByteArray answerFor(const QByteArray &request) override;
    int requestLength(quint8 start, quint8 address, quint8 command) const override;
    void takeBytes(const QByteArray &bytes) override;

private:
    QByteArray slotCommand(quint8 address, quint8 command, const QByteArray &payload);
    QByteArray linkCommand(const QByteArray &payload);
    QByteArray ack(quint8 address, quint8 command) const;
    int slotAt(quint8 address) const;

    bool updateMode = false;
    std::array<QByteArray, 4> pendingNames;
    // After a link change: data answers without a sensor, then the new one.
    int linkGap = 0;
    std::optional<LinkedSensor> nextSensor;
    // Length of a request of variable length seen at the front of the last read.
    mutable int lengthHint = -1;
};

#endif // SIMULATEDADVERTBASE_H
