#include "link/devicewatchsource.h"

#include <QDebug>
#include <QSocketNotifier>

#include <libudev.h>

#include <cstring>

namespace {

// Listens to udev for serial ports (tty devices) being added or removed.
class UdevDeviceWatchSource : public DeviceWatchSource
{
public:
    explicit UdevDeviceWatchSource(QObject *parent) : DeviceWatchSource(parent)
    {
        context = udev_new();
        if (!context)
            return;
        monitor = udev_monitor_new_from_netlink(context, "udev");
        if (!monitor)
            return;
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "tty", nullptr);
        if (udev_monitor_enable_receiving(monitor) < 0) {
            qDebug() << "device watcher: udev monitor unavailable";
            return;
        }
        const int fd = udev_monitor_get_fd(monitor);
        if (fd < 0)
            return;
        notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this] { readEvents(); });
    }

    ~UdevDeviceWatchSource() override
    {
        delete notifier;
        if (monitor)
            udev_monitor_unref(monitor);
        if (context)
            udev_unref(context);
    }

private:
    void readEvents()
    {
        // The notifier fires while events are queued; take one per wake-up.
        udev_device *device = udev_monitor_receive_device(monitor);
        if (!device)
            return;
        const char *action = udev_device_get_action(device);
        const bool arrivedOrLeft = action && (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0);
        udev_device_unref(device);
        if (arrivedOrLeft)
            emit deviceChanged();
    }

    struct udev *context = nullptr;
    udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;
};

} // namespace

DeviceWatchSource *createPlatformDeviceWatchSource(QObject *parent)
{
    return new UdevDeviceWatchSource(parent);
}
