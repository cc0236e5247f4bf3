#ifndef SENSORPROTECTION_H
#define SENSORPROTECTION_H

#include <QObject>

// Whether the sensor a page works with has a password, as far as the sensor
// told it: the password dialogs offer, and the lock shows, only what it
// reported. A page keeps it in its base and changes it as the answers come;
// a dialog open meanwhile follows it.
class SensorProtection : public QObject
{
    Q_OBJECT
public:
    enum class State {
        NotKnown,  // not told yet: the sensor's answer is awaited
        Open,      // it has no password
        Protected, // it has one
        // A password that went through a line since gone may have opened it,
        // so it is not asked (the probe would remove that password): only
        // what is safe without knowing is offered.
        Uncertain,
    };

    using QObject::QObject;

    State state() const { return current; }
    bool is(State value) const { return current == value; }
    // The sensor told it: a lock picture may show it.
    bool isReported() const { return current == State::Open || current == State::Protected; }
    void set(State value)
    {
        if (value == current)
            return;
        current = value;
        emit changed(value);
    }

signals:
    void changed(SensorProtection::State state);

private:
    State current = State::NotKnown;
};

#endif // SENSORPROTECTION_H
