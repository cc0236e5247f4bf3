#include "link/openedsensors.h"

void OpenedSensors::took(const QString &identity, quint32 password)
{
    if (password == 0)
        forget(identity);
    else if (!identity.isEmpty())
        opened.insert(identity);
}

void OpenedSensors::forget(const QString &identity)
{
    opened.remove(identity);
}

OpenedSensors::Probe OpenedSensors::probeFor(const QString &identity) const
{
    if (identity.isEmpty())
        return opened.isEmpty() ? Probe::Allowed : Probe::IdentityFirst;
    return opened.contains(identity) ? Probe::Withheld : Probe::Allowed;
}
