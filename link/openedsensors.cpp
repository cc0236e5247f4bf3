#include "link/openedsensors.h"

void OpenedSensors::sent(const QString &identity, quint32 password)
{
    if (password != 0)
        opened[identity].insert(password);
}

void OpenedSensors::took(const QString &identity, quint32 password)
{
    if (password == 0)
        forget(identity);
    else
        sent(identity, password);
}

void OpenedSensors::refused(const QString &identity, quint32 password)
{
    // Another password sent before may still have opened it.
    const auto sensor = opened.find(identity);
    if (sensor == opened.end())
        return;
    sensor->remove(password);
    if (sensor->isEmpty())
        opened.erase(sensor);
}

void OpenedSensors::forget(const QString &identity)
{
    opened.remove(identity);
}

OpenedSensors::Probe OpenedSensors::probeFor(const QString &identity) const
{
    // A password sent while the identity was not known is kept under the
    // empty one: a sensor of unknown identity is then asked for it first.
    if (identity.isEmpty())
        return opened.isEmpty() ? Probe::Allowed : Probe::IdentityFirst;
    return opened.contains(identity) ? Probe::Withheld : Probe::Allowed;
}
