#ifndef OPENEDSENSORS_H
#define OPENEDSENSORS_H

#include <QHash>
#include <QSet>
#include <QString>

// The sensors of a page that a password may have opened, each by its
// identity (a serial number, an IMEI): a password went to it, entered or
// set, through this program since it started. Such a sensor stays open
// until it is powered off, whatever the line and the page did meanwhile, and
// an open sensor takes the protection probe's "no password" for its new
// password: the probe would quietly remove the user's. A password counts
// from the moment it goes out, for the sensor may take it while its answer
// is lost or comes after the wait; only the sensor's refusal of it says it
// opened nothing. So a sensor sent a password here is never probed; it is
// taken for protected and asked for its password, until it refused every
// password sent to it or the user removed its password.
class OpenedSensors
{
public:
    enum class Probe {
        Allowed,      // never opened here: the probe may go
        Withheld,     // opened here: no probe, the sensor counts as protected
        IdentityFirst // its identity is not known yet and some sensor was opened here
    };

    // `password` goes out to the sensor of this identity (empty: not known
    // yet), to be entered or set: from now on it counts as taken. 0 is no
    // password and opens nothing.
    void sent(const QString &identity, quint32 password);
    // The sensor answered that it took `password` as the one it has: kept
    // while that is a password, and the sensor forgotten for 0, which is none.
    void took(const QString &identity, quint32 password);
    // The sensor refused `password`: that one opened nothing.
    void refused(const QString &identity, quint32 password);
    // Its password was removed.
    void forget(const QString &identity);
    // Whether the protection probe may go to the sensor of this identity;
    // empty while the page does not know it.
    Probe probeFor(const QString &identity) const;

private:
    // The passwords each sensor may have taken.
    QHash<QString, QSet<quint32>> opened;
};

#endif // OPENEDSENSORS_H
