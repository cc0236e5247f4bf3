#include "app/portlist.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace portlist {

QList<Port> availablePorts()
{
    QList<Port> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports.append(Port{info.portName(), info.isBusy(), info.isNull()});
    return withExtraPorts(ports);
}

QList<Port> withExtraPorts(QList<Port> ports)
{
    const QString extra = qEnvironmentVariable(kExtraPortsVariable);
    for (const QString &path : extra.split(':', Qt::SkipEmptyParts)) {
        if (!QFileInfo::exists(path) || contains(ports, path))
            continue;
        ports.append(Port{path, false, false});
    }
    return ports;
}

QString location(const QString &name)
{
    return name.startsWith('/') ? name : "/dev/" + name;
}

bool sameDevice(const Port &port, const QString &name)
{
    return location(port.name) == location(name);
}

bool contains(const QList<Port> &ports, const QString &name)
{
    for (const Port &port : ports) {
        if (sameDevice(port, name))
            return true;
    }
    return false;
}

} // namespace portlist
