#ifndef SILENCEWATCH_H
#define SILENCEWATCH_H

#include "devices/base/basedevice.h"

#include <QSignalSpy>
#include <QtTest>

// Whether a page's watchdog is on, seen from outside: a page that listens
// says "Device is not responding" once its device stayed silent for the
// watchdog's period; one that does not says nothing.
namespace silencewatch {

// The watchdog's period from its next start on; the other periods stay.
inline void shortenWatchdog(BaseDevice *page, int ms)
{
    BaseDevice::Intervals periods = page->intervals();
    periods.watchdog = ms;
    page->setIntervals(periods);
}

class Watch
{
public:
    explicit Watch(BaseDevice *page) : logs(page, &BaseDevice::signalWriteLog) {}
    int silencesNoticed() const
    {
        int n = 0;
        for (const QList<QVariant> &args : logs) {
            if (args.at(0).toString() == QLatin1String("Device is not responding"))
                ++n;
        }
        return n;
    }
    // Waits until the page noticed the silence; false when it did not within `ms`.
    bool noticedWithin(int ms)
    {
        return QTest::qWaitFor([this] { return silencesNoticed() > 0; }, ms);
    }

private:
    QSignalSpy logs;
};

} // namespace silencewatch

#endif // SILENCEWATCH_H
