#include "link/openedsensors.h"

#include <algorithm>

OpenedSensors::Sent OpenedSensors::sent(const Sensor &to, quint32 password)
{
    // Sent again, a password is the record it had: it counts again from now
    // on, and the records stay as few as the passwords tried.
    for (Record &r : records) {
        if (r.password == password && same(r.sensor, to)) {
            r.refused = false;
            return r.name;
        }
    }
    // "No password" is kept too: once taken, it says where the sensor's
    // passwords are to be forgotten.
    records.push_back({++lastName, to, password});
    return lastName;
}

void OpenedSensors::identified(int place, const QString &identity)
{
    if (identity.isEmpty())
        return;
    for (Record &r : records) {
        if (r.sensor.identity.isEmpty() && r.sensor.place == place)
            r.sensor.identity = identity;
    }
}

void OpenedSensors::moved(int from, int to)
{
    for (Record &r : records) {
        if (r.sensor.identity.isEmpty() && r.sensor.place == from)
            r.sensor.place = to;
    }
}

bool OpenedSensors::same(const Sensor &a, const Sensor &b)
{
    if (a.identity.isEmpty() || b.identity.isEmpty())
        return a.identity.isEmpty() && b.identity.isEmpty() && a.place == b.place;
    return a.identity == b.identity;
}

OpenedSensors::Record *OpenedSensors::find(Sent name)
{
    const auto at = std::find_if(records.begin(), records.end(), [name](const Record &r) { return r.name == name; });
    return at == records.end() ? nullptr : &*at;
}

void OpenedSensors::took(Sent password)
{
    Record *r = find(password);
    if (!r)
        return;
    if (r->password == 0) {
        forget(r->sensor);
        return;
    }
    // A refusal reported before may have answered an earlier attempt.
    r->refused = false;
}

void OpenedSensors::refused(Sent password)
{
    const Record *r = find(password);
    if (!r)
        return;
    // That password opened nothing, however often it went to that sensor;
    // another one sent to it may have.
    const Record answered = *r;
    for (Record &other : records) {
        if (other.password == answered.password && same(other.sensor, answered.sensor))
            other.refused = true;
    }
}

void OpenedSensors::forget(const Sensor &sensor)
{
    const auto ofSensor = [&sensor](const Record &r) { return same(r.sensor, sensor); };
    records.erase(std::remove_if(records.begin(), records.end(), ofSensor), records.end());
}

OpenedSensors::Probe OpenedSensors::probeFor(const QString &identity) const
{
    // A sensor whose identity is not known may be any of them: it is asked
    // for it first.
    const auto opened = [&identity](const Record &r) {
        return r.counts() && (identity.isEmpty() || r.sensor.identity == identity);
    };
    if (std::none_of(records.begin(), records.end(), opened))
        return Probe::Allowed;
    return identity.isEmpty() ? Probe::IdentityFirst : Probe::Withheld;
}
