#ifndef SHORTINTERVALS_H
#define SHORTINTERVALS_H

#include "devices/base/basedevice.h"

// Session periods five times shorter than a user's, for the end-to-end page
// suites: a page sends the same requests in the same order, only sooner, and
// counts a device as gone after the same number of missed polls. Set them on
// a page before its port opens; they take effect at the next start of each
// timer.
namespace shortintervals {

constexpr int kPollMs = 200;
constexpr int kCheckMs = 100;
constexpr int kSearchMs = 200;
constexpr int kWatchdogMs = 1000;

inline void apply(BaseDevice *page)
{
    BaseDevice::Intervals periods = page->intervals();
    periods.poll = kPollMs;
    periods.check = kCheckMs;
    periods.search = kSearchMs;
    periods.watchdog = kWatchdogMs;
    page->setIntervals(periods);
}

} // namespace shortintervals

#endif // SHORTINTERVALS_H
