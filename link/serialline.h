#ifndef SERIALLINE_H
#define SERIALLINE_H

#include <QString>
#include <QtGlobal>

// A serial line as one plugging of it: the device node behind an open port,
// and that node as it was made. A converter unplugged and plugged again gets
// a node made anew, under the same name or another, so it is another line: a
// sensor reached through it may be another sensor.
namespace serialline {

// The line behind this native handle; empty when the handle is none.
QString ofHandle(qintptr handle);
// Whether `line` is still there as it was (its node not gone nor made anew).
// The empty line, a page talking through no port, always is.
bool stillThere(const QString &line);

} // namespace serialline

#endif // SERIALLINE_H
