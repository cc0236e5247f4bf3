#ifndef WAITSRUNOUT_H
#define WAITSRUNOUT_H

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

// Counts the single-shot timers of one interval that ran out while it lives:
// the waits of that length a procedure sat through to their end. A wait cut
// short by what it waits for (an answer, a hang-up, the user leaving) is not
// counted, however slowly a loaded machine runs it, so a test tells a wait
// ended by its event from one that ran its course without reading a clock.
class WaitsRunOut : public QObject
{
public:
    explicit WaitsRunOut(int intervalMs) : interval(intervalMs)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~WaitsRunOut() override { QCoreApplication::instance()->removeEventFilter(this); }

    int count() const { return ranOut; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Timer) {
            const auto *timer = qobject_cast<const QTimer *>(watched);
            if (timer && timer->isSingleShot() && timer->interval() == interval && timer->isActive())
                ++ranOut;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const int interval;
    int ranOut = 0;
};

#endif // WAITSRUNOUT_H
