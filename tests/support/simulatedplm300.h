#ifndef SIMULATEDPLM300_H
#define SIMULATEDPLM300_H

#include "answergluer.h"
#include "simulateddevice.h"

#include <QList>
#include <QtGlobal>

#include <optional>

// A PLM300 distance sensor on the far end of a pseudo-terminal. It answers
// the bus search with its network number, the data request (0xF0) and the
// serial request (0xFC) with frames put together here byte by byte from its
// fields, and takes the setting writes it can hold. Out-of-range settings and
// frames of the wrong length are ignored, as the sensor does; writes are not
// answered.
class SimulatedPlm300 : public SimulatedDevice
{
    Q_OBJECT
public:
    explicit SimulatedPlm300(QObject *parent = nullptr);

    quint8 netNum = 1;
    quint32 serial = 300123;
    quint16 firmware = 123;
    quint16 distance = 150;
    quint16 minimum = 20;
    quint16 maximum = 400;
    quint16 smoothing = 10;
    quint8 threshold = 50;
    quint8 mode = 0x00;

    // Further sensors the search answer names after this one; each answers
    // its serial request (with this one's serial and firmware) and nothing
    // else.
    QByteArray otherNetNums;

    // Fault switches, all off by default.
    bool silent = false;                 // nothing answers, not even the search
    bool serialSilent = false;           // the serial request alone goes unanswered
    bool badCrc = false;                 // every answer frame leaves with a wrong last byte
    bool shortFrames = false;            // data and serial answers cut short, with a valid CRC
    bool glued = false;                  // an answer waits and leaves together with the next one
    std::optional<quint8> foreignNetNum; // answer frames name this network number instead

    QByteArray dataAnswer() const;
    QByteArray serialAnswer() const;

    // Requests with one command byte (the search: 0xFF), in arrival order.
    QList<QByteArray> requestsWith(quint8 command) const;
    int countRequests(quint8 command) const { return requestsWith(command).size(); }
    // Writes the sensor took in, oldest first.
    QList<QByteArray> appliedWrites;

protected:
    QByteArray answerFor(const QByteArray &request) override;
    int requestLength(quint8 start, quint8 address, quint8 command) const override;

private:
    QByteArray frameFor(const QByteArray &request);
    bool applyWrite(quint8 command, const QByteArray &request);
    QByteArray spoil(QByteArray answer) const;
    AnswerGluer gluer;
};

#endif // SIMULATEDPLM300_H
