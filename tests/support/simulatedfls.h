#ifndef SIMULATEDFLS_H
#define SIMULATEDFLS_H

#include "simulateddevice.h"

#include <QList>
#include <QtGlobal>

#include <array>

#include <optional>

// Wired fuel level sensors sharing one bus on the far end of a
// pseudo-terminal. Each sensor keeps its own readings and configuration bytes
// and answers in the frame form its model uses; the answers are put together
// here byte by byte from those fields, independently of the program's own
// decoders, so that a test compares two separate readings of the same layout.
class SimulatedFls : public SimulatedDevice
{
    Q_OBJECT
public:
    // Model bytes as a sensor reports them in its all-data answer.
    static constexpr quint8 kModelQF410 = 0x01;
    static constexpr quint8 kModelQF210 = 0x02;
    static constexpr quint8 kModelQF260 = 0x03;
    static constexpr quint8 kModelQF470 = 0x62;
    static constexpr quint8 kModelGeneric = 0x61;

    // Faults a sensor reports in place of its level word.
    enum class LevelFault { None, BrokenTube, ShortCircuit };
    static constexpr quint16 kLevelBrokenTube = 6500;
    static constexpr quint16 kLevelShortCircuit = 7000;

    struct Sensor
    {
        quint8 netNum = 1;
        quint32 serial = 12345;
        quint16 firmware = 209;
        quint8 model = kModelQF470;
        int form = 29; // answer length of the all-data answer: 24, 25, 29 or 45
        qint8 temperature = 25;
        quint16 level = 512;
        qint32 count = 15000;
        qint32 empty = 10000;
        qint32 full = 20000;
        quint8 configA = 0x00;
        quint8 configB = 0x00;
        quint8 configC = 0x00;
        quint8 lampThreshold = 0;                 // the alarm lamp threshold a QF410 reports
        quint8 sendSerNum = 0;                    // a QF260's serial-number output byte
        std::optional<quint32> password;          // when set, only 0xF8 with it unlocks writes
        bool unlocked = false;                    // the password was entered since it was set
        int horizonCalibrations = 0;              // 0xAA requests taken
        bool silent = false;                      // this sensor alone stops answering
        bool serialSilent = false;                // it leaves its serial requests unanswered
        LevelFault levelFault = LevelFault::None; // reported instead of the level while set
        // Its own litres/percent table: 20 levels and the values belonging to them.
        std::array<quint16, 20> tableLevels{{0,    100,  200,  300,  400,  500,  600,  700,  800,  900,
                                             1000, 1100, 1200, 1300, 1400, 1500, 1600, 1700, 1800, 4095}};
        std::array<quint16, 20> tableValues{
            {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 100}};
    };

    explicit SimulatedFls(QObject *parent = nullptr);

    // The bus starts with one sensor built from the defaults above.
    QList<Sensor> sensors;
    Sensor &sensor(int i = 0) { return sensors[i]; }
    Sensor *sensorAt(quint8 netNum);

    // Fault switches, all off by default.
    bool silent = false;                 // nothing on the bus answers, not even the search
    bool badCrc = false;                 // every answer frame leaves with a wrong last byte
    std::optional<quint8> foreignNetNum; // answer frames name this network number instead
    bool shortFrames = false;            // all-data and serial answers cut short, with a valid CRC
    bool refuseWrites = false;           // write requests are refused with 0xFD
    bool searchAnswerAsFrame = false;    // a lone sensor at number 0 answers the search with 3E 00
    bool silentTableWrites = false;      // a table write is neither taken nor answered
    int tableWriteAnswerMs = 0;          // a table write is acknowledged this long after it came

    // Frames the sensor would send, built from a sensor's fields.
    static QByteArray allDataAnswer(const Sensor &s);
    static QByteArray serialAnswer(const Sensor &s);
    static QByteArray tableAnswer(const Sensor &s);
    QByteArray searchAnswer() const;

    // Requests to one network number with one command byte, in arrival order.
    QList<QByteArray> requestsTo(quint8 netNum, quint8 command) const;
    int countRequests(quint8 netNum, quint8 command) const { return requestsTo(netNum, command).size(); }
    int searchCount() const;

    // Writes the sensor took in and applied, oldest first.
    QList<QByteArray> appliedWrites;

protected:
    QByteArray answerFor(const QByteArray &request) override;
    int requestLength(quint8 start, quint8 address, quint8 command) const override;

private:
    QByteArray frameFor(Sensor &s, const QByteArray &request);
    QByteArray spoil(QByteArray answer) const;
};

#endif // SIMULATEDFLS_H
