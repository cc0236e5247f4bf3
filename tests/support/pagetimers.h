#ifndef PAGETIMERS_H
#define PAGETIMERS_H

#include <QObject>
#include <QStringList>
#include <QTimer>

// What a page may still do by itself: the periods of its timers that run.
// A page none of whose timers runs sends, polls and notices nothing more
// until it is started again, however long one waits.
namespace pagetimers {

inline QStringList running(const QObject *page)
{
    QStringList periods;
    for (const QTimer *timer : page->findChildren<QTimer *>()) {
        if (timer->isActive())
            periods << QString::number(timer->interval());
    }
    return periods;
}

} // namespace pagetimers

#endif // PAGETIMERS_H
