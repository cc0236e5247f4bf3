#ifndef DEVICEWATCHSOURCE_H
#define DEVICEWATCHSOURCE_H

#include <QObject>

// Where device arrival and removal notices come from. The platform file
// (devicewatchsource_<platform>.cpp) supplies createPlatformDeviceWatchSource();
// tests supply their own source and call deviceChanged() themselves.
class DeviceWatchSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // One emission per device that arrived or was removed, on the GUI thread.
    void deviceChanged();
};

// The operating system's source, or null when the platform offers none.
DeviceWatchSource *createPlatformDeviceWatchSource(QObject *parent);

#endif // DEVICEWATCHSOURCE_H
