#ifndef OPENEDSENSORS_H
#define OPENEDSENSORS_H

#include <QSet>
#include <QString>

// The sensors of a page whose password the user entered or set through this
// program since it started, each by its identity (a serial number, an IMEI).
// Such a sensor stays open until it is powered off, whatever the line and
// the page did meanwhile, and an open sensor takes the protection probe's
// "no password" for its new password: the probe would quietly remove the
// user's. So a sensor opened here is never probed; it is taken for protected
// and asked for its password, and only the user's removal forgets it.
class OpenedSensors
{
public:
    enum class Probe {
        Allowed,      // never opened here: the probe may go
        Withheld,     // opened here: no probe, the sensor counts as protected
        IdentityFirst // its identity is not known yet and some sensor was opened here
    };

    // The sensor of this identity took `password`, entered or set, as the
    // one it has: it is kept while that is a password, and forgotten for 0,
    // which is none. An empty identity (not known) is not kept.
    void took(const QString &identity, quint32 password);
    // Its password was removed.
    void forget(const QString &identity);
    // Whether the protection probe may go to the sensor of this identity;
    // empty while the page does not know it.
    Probe probeFor(const QString &identity) const;

private:
    QSet<QString> opened;
};

#endif // OPENEDSENSORS_H
