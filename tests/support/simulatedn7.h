#ifndef SIMULATEDN7_H
#define SIMULATEDN7_H

#include "answergluer.h"
#include "simulateddevice.h"

#include <QList>
#include <QtGlobal>

#include <array>
#include <optional>

// A fuel level indicator on the far end of a pseudo-terminal. Its frames run
// the other way round from the sensors': requests start with 0x3E, answers
// with 0x31, and both carry the indicator's fixed address 0xDE. It keeps four
// sensor slots, each with a sensor address, a poll flag and a 40-point table,
// and a working mode; it answers a read with the slot's 167-byte table and
// acknowledges a write it takes with a short frame. Requests for a slot it
// does not have, modes it does not know and frames of the wrong length or CRC
// go unanswered and change nothing.
class SimulatedN7 : public SimulatedDevice
{
    Q_OBJECT
public:
    static constexpr int kRows = 40;

    struct Sensor
    {
        quint8 netNum = 0;
        quint8 poll = 0;
        std::array<quint16, kRows> units{};
        std::array<quint16, kRows> litres{};
    };

    explicit SimulatedN7(QObject *parent = nullptr);

    std::array<Sensor, 4> sensors;
    quint8 mode = 0x00;

    // Fault switches, all off by default.
    bool silent = false;                  // nothing answers
    bool badCrc = false;                  // every answer leaves with a wrong last byte
    bool shortTables = false;             // table answers cut to an acknowledgement's length, with a valid CRC
    bool glued = false;                   // an answer waits and leaves together with the next one
    std::optional<quint8> foreignAddress; // answers carry this address byte instead of 0xDE

    QByteArray tableAnswer(int slot) const;
    // Requests with one command byte, in arrival order.
    QList<QByteArray> requestsWith(quint8 command) const;
    int countRequests(quint8 command) const { return requestsWith(command).size(); }
    // Writes the indicator took in, oldest first.
    QList<QByteArray> appliedWrites;

protected:
    QByteArray answerFor(const QByteArray &request) override;
    int requestLength(quint8 start, quint8 address, quint8 command) const override;

private:
    QByteArray frameFor(const QByteArray &request);
    QByteArray ack(quint8 command) const;
    QByteArray spoil(QByteArray answer) const;
    AnswerGluer gluer;
};

#endif // SIMULATEDN7_H
