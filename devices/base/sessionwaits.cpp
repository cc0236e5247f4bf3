#include "devices/base/sessionwaits.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>

void SessionWaits::sleep(int ms, bool precisely, bool untilOutcome)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(precisely ? Qt::PreciseTimer : Qt::CoarseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms);
    waits.push_back(&loop);
    QEventLoop *const outer = outcomeWait;
    if (untilOutcome)
        outcomeWait = &loop;
    loop.exec();
    outcomeWait = outer;
    waits.erase(std::find(waits.begin(), waits.end(), &loop));
}

void SessionWaits::wakeAll()
{
    // Each of the waits' procedures finds its session over.
    for (QEventLoop *loop : waits)
        loop->quit();
}

void SessionWaits::wakeOutcomeWait()
{
    if (outcomeWait)
        outcomeWait->quit();
}
