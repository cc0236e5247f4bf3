#ifndef DEVICEEVENTFILTER_H
#define DEVICEEVENTFILTER_H

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QObject>

class DeviceWatchSource;

// Tells the main window that a device arrived or was removed, so that the list
// of serial ports is refreshed at once. Installed on the application as a
// native event filter; it never consumes an event.
class DeviceEventFilter : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    DeviceEventFilter();
    // Takes notices from the given source instead of the operating system's
    // (takes ownership; null means none).
    explicit DeviceEventFilter(DeviceWatchSource *source);

    bool nativeEventFilter(const QByteArray &eventType, void *message, long *result) override;

signals:
    void serialDeviceChanged();

private:
    void attach(DeviceWatchSource *source);
};

#endif // DEVICEEVENTFILTER_H
