#include "link/openedsensors.h"

void OpenedSensors::remember(const QString &identity)
{
    if (!identity.isEmpty())
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
