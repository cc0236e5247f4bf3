#include "link/openedsensors.h"

#include <algorithm>
#include <utility>

void OpenedSensors::setLines(std::function<QString()> lineNow, std::function<bool(const QString &)> lineStillThere)
{
    now = std::move(lineNow);
    stillThere = std::move(lineStillThere);
}

void OpenedSensors::meetLineNow()
{
    const QString line = lineNow();
    if (std::find(linesMet.begin(), linesMet.end(), line) == linesMet.end())
        linesMet.push_back(line);
}

OpenedSensors::Sent OpenedSensors::sent(const Sensor &to, quint32 password)
{
    meetLineNow();
    const Record sending{0, to, password, lineNow(), linesMet.size()};
    // Sent again, a password is the record it had: it counts again from now
    // on, and the records stay as few as the passwords tried.
    for (Record &r : records) {
        if (r.password == password && same(r, sending)) {
            r.refused = false;
            r.linesBefore = sending.linesBefore;
            return r.name;
        }
    }
    // "No password" is kept too: once taken, it says where the sensor's
    // passwords are to be forgotten.
    records.push_back(sending);
    records.back().name = ++lastName;
    return lastName;
}

bool OpenedSensors::waitsAt(const Record &r, int place) const
{
    return r.sensor.identity.isEmpty() && r.sensor.place == place && r.line == lineNow();
}

void OpenedSensors::identified(int place, const QString &identity)
{
    if (identity.isEmpty())
        return;
    // Met before a password went, the line of now was there beside the one
    // it went through: it is no converter plugged again.
    const auto metIndex = std::find(linesMet.begin(), linesMet.end(), lineNow()) - linesMet.begin();
    bool mayBeOne = false;
    for (Record &r : records) {
        if (waitsAt(r, place)) {
            r.sensor.identity = identity;
            continue;
        }
        // Its converter plugged again comes as another line, with the same
        // sensor at the same place, or not: this sensor is given nothing,
        // and is not probed either.
        if (r.sensor.identity.isEmpty() && r.sensor.place == place && r.counts() && stillThere && !stillThere(r.line) &&
            size_t(metIndex) >= r.linesBefore)
            mayBeOne = true;
    }
    meetLineNow();
    if (mayBeOne && std::find(mayBeOpened.begin(), mayBeOpened.end(), identity) == mayBeOpened.end())
        mayBeOpened.push_back(identity);
}

void OpenedSensors::moved(int from, int to)
{
    for (Record &r : records) {
        if (waitsAt(r, from))
            r.sensor.place = to;
    }
}

bool OpenedSensors::same(const Record &a, const Record &b)
{
    const Sensor &x = a.sensor;
    const Sensor &y = b.sensor;
    if (x.identity.isEmpty() || y.identity.isEmpty())
        return x.identity.isEmpty() && y.identity.isEmpty() && x.place == y.place && a.line == b.line;
    return x.identity == y.identity;
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
        forgetLike(*r);
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
        if (other.password == answered.password && same(other, answered))
            other.refused = true;
    }
}

void OpenedSensors::forget(const Sensor &sensor)
{
    forgetLike({0, sensor, 0, lineNow()});
}

void OpenedSensors::forgetLike(Record of)
{
    // A copy: `of` may be one of the records erased.
    records.erase(std::remove_if(records.begin(), records.end(), [&of](const Record &r) { return same(r, of); }),
                  records.end());
    mayBeOpened.erase(std::remove(mayBeOpened.begin(), mayBeOpened.end(), of.sensor.identity), mayBeOpened.end());
}

OpenedSensors::Probe OpenedSensors::probeFor(const QString &identity) const
{
    // A sensor whose identity is not known may be any of them: it is asked
    // for it first.
    const auto opened = [&identity](const Record &r) {
        return r.counts() && (identity.isEmpty() || r.sensor.identity == identity);
    };
    if (std::any_of(records.begin(), records.end(), opened))
        return identity.isEmpty() ? Probe::IdentityFirst : Probe::Withheld;
    const bool mayBe =
        !identity.isEmpty() && std::find(mayBeOpened.begin(), mayBeOpened.end(), identity) != mayBeOpened.end();
    return mayBe ? Probe::Uncertain : Probe::Allowed;
}
