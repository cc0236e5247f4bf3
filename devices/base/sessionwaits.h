#ifndef SESSIONWAITS_H
#define SESSIONWAITS_H

#include <vector>

class QEventLoop;

// The waits of a page's running session. A wait is a nested event loop, so
// that answers keep coming in while it lasts: the one that began last ends
// first, and the session's end wakes them all at once.
class SessionWaits
{
public:
    // One wait of `ms`, on a precise timer when `precisely`; cut short by
    // wakeAll(), and by wakeOutcomeWait() when `untilOutcome`.
    void sleep(int ms, bool precisely, bool untilOutcome = false);
    void wakeAll();
    // The awaited frame's outcome was said: the wait for it ends.
    void wakeOutcomeWait();

private:
    std::vector<QEventLoop *> waits; // innermost last
    // The wait the awaited frame's outcome ends, once it is said.
    QEventLoop *outcomeWait = nullptr;
};

#endif // SESSIONWAITS_H
