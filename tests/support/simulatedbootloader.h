#ifndef SIMULATEDBOOTLOADER_H
#define SIMULATEDBOOTLOADER_H

#include "simulatedfls.h"

#include <QElapsedTimer>
#include <QList>
#include <QMap>

// A wired sensor that restarts into its serial bootloader when it gets the
// reset request, takes a firmware download in one of the two bootloader
// dialects, then runs the new firmware and answers as a sensor again. It
// records what it was sent, so that a test compares the image that arrived
// with the file. Everything here is written from the line protocol alone,
// apart from the program's own builders.
class SimulatedBootloader : public SimulatedFls
{
    Q_OBJECT
public:
    enum class Dialect {
        Rom,   // sync, erase, writes of address and counted data with XOR checksums, go
        Block, // sync, 64-byte blocks with a header and CRC-8, end frame
    };
    enum class Mode { Sensor, Booting, Bootloader, Silent, Starting };

    static constexpr quint8 kAcknowledge = 0x79;
    static constexpr quint8 kAcknowledgeAlt = 0xA5;
    static constexpr quint8 kRefusal = 0x1F;

    explicit SimulatedBootloader(Dialect dialect, QObject *parent = nullptr);

    Dialect dialect;
    quint8 acknowledge = kAcknowledge;
    int bootDelayMs = 0;  // after the reset, time before the bootloader listens
    int startDelayMs = 0; // after the last frame, time before the sensor answers again
    // Bytes a restart puts on the line before the bootloader listens, each on
    // its own, the first this long after the reset, the next 60 ms apart.
    QByteArray bootNoise;
    // Bytes the line carries in the same read as the answer to the sync byte, before it.
    QByteArray beforeSyncAnswer;
    int bootNoiseMs = 750;
    QByteArray restartChunk;   // put on the line in one piece as the bootloader begins to listen
    int listenAfterSyncs = 0;  // if set, it listens once this many sync bytes came while it restarted
    int silentAfterBlock = -1; // the bootloader goes quiet after acknowledging this data block (1 = first)
    int refuseBlock = -1;      // this data block is refused
    int lateBlock = -1;        // this data block is acknowledged lateMs later than the others
    int lateMs = 0;
    int baud = 0;            // when set, answers leave as late as a line of this speed allows
    bool lateAnswer = false; // an all-data answer still on its way when the reset comes
    // The firmware that runs between downloads when the device is no wired
    // fuel sensor: the line's requests go to it, and only the reset, to a
    // number of the sensors above, restarts the device into its bootloader.
    SimulatedDevice *application = nullptr;

    Mode mode() const { return state; }
    // Switching the power off and on: the sensor's own firmware runs again.
    void powerCycle();

    // What the downloads left. Written flash keeps its bytes by address;
    // unwritten places read 0xFF, as erased flash does.
    QMap<quint32, quint8> memory;
    QList<quint32> blockAddresses; // ROM dialect: address of each data block, in order
    QByteArray blockData;          // block dialect: the data of every block, in order
    int dataBlocks = 0;            // data blocks taken by the current download
    int refusals = 0;
    bool erased = false;
    int downloadsCompleted = 0; // go or end frame taken
    QByteArray rawReceived;     // every byte sent while the sensor's own firmware was not running
    QByteArray rawSent;         // every byte the bootloader answered, as it left
    // Arrival times on the device's clock (milliseconds), for measurements:
    // of each data block taken and of the closing go or end frame.
    QList<double> blockArrivalsMs;
    double endArrivalMs = 0;
    QByteArray flash(quint32 from, int length) const;
    // Forgets what earlier downloads left.
    void clearRecord();

protected:
    QByteArray answerFor(const QByteArray &request) override;
    int requestLength(quint8 start, quint8 address, quint8 command) const override;
    void takeBytes(const QByteArray &bytes) override;

private:
    enum class RomState { Sync, Command, EraseArguments, Address, Data };
    struct Incoming
    {
        char byte;
        double arrivalMs;
    };

    void startBooting();
    void startApplication(double arrivalMs);
    void takeRom();
    void takeBlocks();
    bool romDataWrite(const QByteArray &bytes, double arrivalMs);
    void answer(quint8 byte, double arrivalMs, const QByteArray &before = QByteArray());
    bool acceptsAddress(quint32 address, int length) const;

    Mode state = Mode::Sensor;
    RomState rom = RomState::Sync;
    bool synced = false;
    quint32 address = 0;
    QList<Incoming> incoming;
    QElapsedTimer clock;
    double lineFreeMs = 0; // the line toward the device is busy until then
    double answerFreeMs = 0;
    int bootGeneration = 0;
    int bootSyncs = 0;
};

#endif // SIMULATEDBOOTLOADER_H
