#ifndef SIMULATEDANGLEBASE_H
#define SIMULATEDANGLEBASE_H

#include "simulatedbase.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <optional>

// The USB BLE base with wireless angle sensors around it, one of them linked
// to it. The base answers the data requests with the linked sensor's data
// answer, relays the angle sensor's commands (thresholds, delays, mode, zero,
// password) and reports each outcome as a status byte in its next data
// answers; a new link ID makes it drop its link for a few answers while it
// looks for the sensor of that serial number. Answers are put together byte
// by byte from the fields below, independently of the program's decoders;
// the base's fault switches (silent, bad CRC, short, glued, foreign address)
// apply to them as to any of its answers.
class SimulatedAngleBase : public SimulatedBase
{
    Q_OBJECT
public:
    // Status bytes of the angle sensor's outcomes.
    enum AngleStatus : quint8 {
        LinkIdChanged = 1,
        ThresholdSet = 4,
        LinkIdFailed = 11,
        ThresholdRefused = 14,
        HorizonSet = 17,
        DelaySet = 18,
        DelayRefused = 19,
    };

    struct AngleSensor
    {
        quint32 serial = 123456;
        quint8 event = 0;
        quint16 angle = 45;
        quint32 raw = 0x01020304;
        quint32 down = 20;
        quint32 up = 70;
        quint16 delayOn = 10;
        quint16 delayOff = 20;
        quint8 mode = 6;
        quint8 firmware = 123;
        qint8 signedValue = -45;
        QByteArray mac = QByteArray::fromHex("c1d2e3f40516");
        quint16 word = 0x0203; // the second field of the serial-number answer
        std::optional<quint32> password;
        bool unlocked = false;   // the password was presented since power-up
        bool refuseMode = false; // the sensor takes no new working mode
    };

    explicit SimulatedAngleBase(QObject *parent = nullptr);

    // The sensors the base can link to; `linked` indexes the one it holds a
    // link to, -1 for none.
    QList<AngleSensor> sensors;
    int linked = 0;
    // Data answers without a link after a new link ID.
    int relinkAnswers = 4;
    // Length of the angle sensor's data answer.
    int form = 49;
    // Set: the base answers with the data of another sensor kind, in this length.
    std::optional<int> otherKindForm;

    // The sensor the base holds a link to now, or null.
    AngleSensor *linkedSensor();
    const AngleSensor *linkedSensor() const;

    QByteArray dataAnswer() const override;
    static QByteArray angleFrame(const AngleSensor &s, bool present, quint8 status, int form);

protected:
    QByteArray answerFor(const QByteArray &request) override;
    int requestLength(quint8 start, quint8 address, quint8 command) const override;
    QByteArray relay(quint8 command, const QByteArray &payload) override;

private:
    static bool locked(const AngleSensor &s) { return s.password && !s.unlocked; }
    QByteArray relink(const QByteArray &id);

    int relinkLeft = 0;
};

#endif // SIMULATEDANGLEBASE_H
