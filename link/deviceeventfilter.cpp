#include "link/deviceeventfilter.h"

#include "link/devicewatchsource.h"

DeviceEventFilter::DeviceEventFilter()
{
    attach(createPlatformDeviceWatchSource(this));
}

DeviceEventFilter::DeviceEventFilter(DeviceWatchSource *source)
{
    attach(source);
}

void DeviceEventFilter::attach(DeviceWatchSource *source)
{
    if (!source)
        return;
    source->setParent(this);
    connect(source, &DeviceWatchSource::deviceChanged, this, &DeviceEventFilter::serialDeviceChanged);
}

bool DeviceEventFilter::nativeEventFilter(const QByteArray &eventType, void *message, long *result)
{
    // Device notices come from the watch source, not from window-system
    // events; every native event is passed on untouched.
    Q_UNUSED(eventType)
    Q_UNUSED(message)
    Q_UNUSED(result)
    return false;
}
