#ifndef LINEHANGUP_H
#define LINEHANGUP_H

#include <QtGlobal>

// True when the serial line behind this native handle has been hung up by the
// other end (the converter vanished, a pseudo-terminal's master closed).
bool serialLineHungUp(qintptr handle);

#endif // LINEHANGUP_H
