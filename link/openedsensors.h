#ifndef OPENEDSENSORS_H
#define OPENEDSENSORS_H

#include <QString>

#include <vector>

// The sensors of a page that a password may have opened: a password went to
// it, entered or set, through this program since it started. Such a sensor
// stays open until it is powered off, whatever the line and the page did
// meanwhile, and an open sensor takes the protection probe's "no password"
// for its new password: the probe would quietly remove the user's. A password
// counts from the moment it goes out, for the sensor may take it while its
// answer is lost or comes after the wait; only the sensor's refusal of that
// very password says it opened nothing.
//
// A password counts for the sensor it went to, known by its identity (a
// serial number, an IMEI). One sent before the page knew the identity is
// kept by the place it went to (a network number, a slot) and counts for the
// sensor whose identity the page learns there next, in that session or a
// later one of the run; until then a sensor of unknown identity is asked for
// its identity before any probe. So a sensor sent a password here is never
// probed; it is taken for protected and asked for its password, until it
// refused every password sent to it or its password was removed.
class OpenedSensors
{
public:
    enum class Probe {
        Allowed,      // never opened here: the probe may go
        Withheld,     // opened here: no probe, the sensor counts as protected
        IdentityFirst // its identity is not known yet and some sensor was opened here
    };

    // What the page knows of a sensor it talks to.
    struct Sensor
    {
        QString identity; // empty while not known
        int place = 0;    // where the page reaches it
    };

    // One password that went out, named to tell its outcome; 0 names none.
    using Sent = quint64;

    // `password` goes out to this sensor, to be entered or set: from now on
    // it counts as taken. 0 is no password and opens nothing.
    Sent sent(const Sensor &to, quint32 password);
    // The sensor at `place` has this identity: what went there while it was
    // not known went to this sensor.
    void identified(int place, const QString &identity);
    // The sensor at `from` is now reached at `to` (a new network number):
    // what went to it while its identity was not known moves with it.
    void moved(int from, int to);
    // The sensor answered that it took this password as the one it has: kept
    // while that is a password, and the sensor forgotten for 0, which is none.
    void took(Sent password);
    // The sensor refused this password: that one opened nothing.
    void refused(Sent password);
    // Its password was removed.
    void forget(const Sensor &sensor);
    // Whether the protection probe may go to the sensor of this identity;
    // empty while the page does not know it.
    Probe probeFor(const QString &identity) const;

private:
    struct Record
    {
        Sent name = 0;
        Sensor sensor;
        quint32 password = 0;
        bool refused = false;
        // May have opened the sensor.
        bool counts() const { return password != 0 && !refused; }
    };

    Record *find(Sent name);
    // The same sensor, as far as the page knew each: by identity, or by
    // place while the identity is not known.
    static bool same(const Sensor &a, const Sensor &b);

    // Every password sent in this run, one record for each sensor, until that
    // sensor is forgotten.
    std::vector<Record> records;
    Sent lastName = 0;
};

#endif // OPENEDSENSORS_H
