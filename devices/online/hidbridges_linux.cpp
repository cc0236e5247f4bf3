#include "devices/online/hidbridges.h"

#include <QStringList>

#include <libudev.h>

namespace {

// On Linux every HID device the kernel serves offers a hidraw node; the HID
// parent of the node names the device's bus, vendor and product in its
// HID_ID property ("0003:000010C4:0000EA80"). The string of a device is its
// node's path, which is what a program opens it by.
class LinuxHidBridges : public HidBridges
{
public:
    int count(quint16 vendor, quint16 product) override { return int(list(vendor, product).size()); }

    std::optional<QString> deviceString(int index, quint16 vendor, quint16 product) override
    {
        const QStringList nodes = list(vendor, product);
        if (index < 0 || index >= nodes.size())
            return std::nullopt;
        return nodes.at(index);
    }

private:
    static bool matches(udev_device *hidraw, quint16 vendor, quint16 product)
    {
        udev_device *hid = udev_device_get_parent_with_subsystem_devtype(hidraw, "hid", nullptr);
        if (!hid)
            return false;
        const char *id = udev_device_get_property_value(hid, "HID_ID");
        if (!id)
            return false;
        const QStringList parts = QString::fromLatin1(id).split(QLatin1Char(':'));
        if (parts.size() != 3)
            return false;
        bool vendorOk = false, productOk = false;
        const uint v = parts.at(1).toUInt(&vendorOk, 16);
        const uint p = parts.at(2).toUInt(&productOk, 16);
        return vendorOk && productOk && v == vendor && p == product;
    }

    // The nodes of the matching devices, in the order udev lists them.
    static QStringList list(quint16 vendor, quint16 product)
    {
        QStringList nodes;
        udev *context = udev_new();
        if (!context)
            return nodes;
        udev_enumerate *enumerate = udev_enumerate_new(context);
        if (enumerate) {
            udev_enumerate_add_match_subsystem(enumerate, "hidraw");
            udev_enumerate_scan_devices(enumerate);
            udev_list_entry *entry = nullptr;
            udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate))
            {
                udev_device *device = udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
                if (!device)
                    continue;
                const char *node = udev_device_get_devnode(device);
                if (node && matches(device, vendor, product))
                    nodes << QString::fromLocal8Bit(node);
                udev_device_unref(device);
            }
            udev_enumerate_unref(enumerate);
        }
        udev_unref(context);
        return nodes;
    }
};

} // namespace

std::unique_ptr<HidBridges> createPlatformHidBridges()
{
    return std::make_unique<LinuxHidBridges>();
}
