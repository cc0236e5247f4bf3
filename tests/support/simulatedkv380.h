#ifndef SIMULATEDKV380_H
#define SIMULATEDKV380_H

#include "simulateddevice.h"

#include <QList>
#include <QtGlobal>

// Wired angle sensors on one bus at the far end of a pseudo-terminal. Each
// keeps its own angle, thresholds, delays and mode, answers the data and
// serial requests and takes the setting, mode and set-zero writes as a real
// sensor does (a write without the signature or of the wrong length goes
// unanswered; a value the sensor cannot hold is refused). The answers are put
// together byte by byte here, independently of the program's decoders.
class SimulatedKv380 : public SimulatedDevice
{
    Q_OBJECT
public:
    static constexpr quint8 kMasterBit = 0x01;
    static constexpr quint8 kMode1 = 0;
    static constexpr quint8 kMode2 = 2;
    static constexpr quint8 kMode3 = 4;
    static constexpr quint8 kModeBlade = 8;
    static constexpr quint8 kModeBucket = 16;

    struct Sensor
    {
        quint8 netNum = 1;
        qint32 serial = 380001;
        quint16 firmware = 105;
        int angle = 90; // where the sensor stands; tilt it by changing this
        int zero = 0;   // the angle set-zero took as its zero
        qint32 down = 30;
        qint32 up = 150;
        quint8 mode = kMode1; // raw mode byte, master bit included
        quint8 delayOnKov = 2;
        quint8 delayOffKov = 3;
        quint16 delayOn = 5;
        quint16 delayOff = 7;
        bool silent = false; // this sensor alone stops answering
    };

    explicit SimulatedKv380(QObject *parent = nullptr);

    // The bus starts with one sensor built from the defaults above.
    QList<Sensor> sensors;
    Sensor &sensor(int i = 0) { return sensors[i]; }
    Sensor *sensorAt(quint8 netNum);

    // Fault switches, all off by default.
    bool silent = false;       // nothing on the bus answers, not even the search
    bool badCrc = false;       // every answer frame leaves with a wrong last byte
    bool shortFrames = false;  // data and serial answers cut short, with a valid CRC
    bool refuseWrites = false; // every write is refused
    bool glued = false;        // each answer frame waits and leaves together with the next one

    // Frames a sensor sends, built from its fields.
    static QByteArray dataAnswer(const Sensor &s);
    static QByteArray serialAnswer(const Sensor &s);
    QByteArray searchAnswer() const;

    // Requests to one network number with one command byte, in arrival order.
    QList<QByteArray> requestsTo(quint8 netNum, quint8 command) const;
    int countRequests(quint8 netNum, quint8 command) const { return requestsTo(netNum, command).size(); }
    int searchCount() const;

    // Writes a sensor took and applied, oldest first.
    QList<QByteArray> appliedWrites;

protected:
    QByteArray answerFor(const QByteArray &request) override;
    int requestLength(quint8 start, quint8 address, quint8 command) const override;

private:
    QByteArray frameFor(Sensor &s, const QByteArray &request);
    QByteArray spoil(QByteArray answer) const;

    QByteArray held; // an answer waiting for the next one while glued
};

#endif // SIMULATEDKV380_H
