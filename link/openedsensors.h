#ifndef OPENEDSENSORS_H
#define OPENEDSENSORS_H

#include <QString>

#include <functional>
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
// kept by the line it went through (one plugging of a converter) and the
// place on it (a network number, a slot), and counts for the sensor whose
// identity the page learns there next through that same line, in that
// session or a later one of the run; a sensor identified through another
// line never takes it. Until then a sensor of unknown identity is asked for
// its identity before any probe. A line that is gone (its converter
// unplugged; plugged again it is another line) leaves such a password to no
// sensor, and every sensor identified at its place since through a line that
// may be that converter plugged again may be the one: none of them is
// probed, and whether it has a password is not known. A line the page met
// before the password went was there beside the line it went through, so it
// is another converter. So a sensor sent a password here is never probed; it
// is taken for protected and asked for its password, until it refused every
// password sent to it or its password was removed.
class OpenedSensors
{
public:
    enum class Probe {
        Allowed,       // never opened here: the probe may go
        Withheld,      // opened here: no probe, the sensor counts as protected
        Uncertain,     // maybe opened through a line since gone: no probe, and its state is not known
        IdentityFirst, // its identity is not known yet and some sensor was opened here
    };

    // What the page knows of a sensor it talks to.
    struct Sensor
    {
        QString identity; // empty while not known
        int place = 0;    // where the page reaches it
    };

    // One password that went out, named to tell its outcome; 0 names none.
    using Sent = quint64;

    // The line the page talks through now, and whether a line it talked
    // through earlier is still there as it was (serialline). Without them
    // every password goes through one line that stays.
    void setLines(std::function<QString()> now, std::function<bool(const QString &)> stillThere);

    // `password` goes out to this sensor, to be entered or set: from now on
    // it counts as taken. 0 is no password and opens nothing.
    Sent sent(const Sensor &to, quint32 password);
    // The sensor at `place` on the line of now has this identity: what went
    // there through this line while it was not known went to this sensor.
    void identified(int place, const QString &identity);
    // The sensor at `from` on the line of now is reached at `to` (a new
    // network number): what went to it while its identity was not known
    // moves with it.
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
        QString line; // what it went through
        // How many lines the page had met when it went (linesMet).
        size_t linesBefore = 0;
        bool refused = false;
        // May have opened the sensor.
        bool counts() const { return password != 0 && !refused; }
    };

    Record *find(Sent name);
    QString lineNow() const { return now ? now() : QString(); }
    // The same sensor, as far as the page knew each: by identity, or by
    // line and place while the identity is not known.
    static bool same(const Record &a, const Record &b);
    // Waits for the identity of the sensor at `place` on the line of now.
    bool waitsAt(const Record &r, int place) const;
    // Forgets every record of the sensor this one went to.
    void forgetLike(Record of);
    // The page talks through the line of now: it is met.
    void meetLineNow();

    // Every password sent in this run, one record for each sensor, until that
    // sensor is forgotten.
    std::vector<Record> records;
    // Sensors identified at the place of a password whose line was gone by
    // then: each may be the one it opened.
    std::vector<QString> mayBeOpened;
    // The lines the page sent a password or learnt an identity through, in
    // the order first met.
    std::vector<QString> linesMet;
    Sent lastName = 0;
    std::function<QString()> now;
    std::function<bool(const QString &)> stillThere;
};

#endif // OPENEDSENSORS_H
