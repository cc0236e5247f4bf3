#ifndef PORTLIST_H
#define PORTLIST_H

#include <QList>
#include <QString>

// The serial ports the user can choose from: those the serial library lists,
// plus each existing device path named in RERIRUVOZIVE_EXTRA_PORTS
// (':'-separated), which the library cannot list (pseudo-terminals, for one).
namespace portlist {

struct Port
{
    QString name; // what the port list shows and the port is opened by
    bool busy = false;
    bool null = false;

    bool isBusy() const { return busy; }
    bool isNull() const { return null; }
};

constexpr char kExtraPortsVariable[] = "RERIRUVOZIVE_EXTRA_PORTS";

// The serial library's ports and the extra ones.
QList<Port> availablePorts();
// `listed` and each extra port it does not hold yet.
QList<Port> withExtraPorts(QList<Port> listed);

// The device file a port name stands for ("ttyUSB0" -> "/dev/ttyUSB0").
QString location(const QString &name);
bool sameDevice(const Port &port, const QString &name);
bool contains(const QList<Port> &ports, const QString &name);

} // namespace portlist

#endif // PORTLIST_H
