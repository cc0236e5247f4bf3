#ifndef HIDBRIDGES_H
#define HIDBRIDGES_H

#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

// The attached USB HID devices of one vendor and product, such as the
// HID-to-UART bridge in the online unit's service cable. The platform file
// (hidbridges_<platform>.cpp) supplies createPlatformHidBridges(); tests
// supply a fake.
class HidBridges
{
public:
    virtual ~HidBridges() = default;
    // Number of attached devices with this USB vendor and product.
    virtual int count(quint16 vendor, quint16 product) = 0;
    // The string that identifies the index-th of them; nothing when it cannot
    // be read (the device went away meanwhile, or the index is out of range).
    virtual std::optional<QString> deviceString(int index, quint16 vendor, quint16 product) = 0;
};

std::unique_ptr<HidBridges> createPlatformHidBridges();

#endif // HIDBRIDGES_H
