#ifndef BRIDGEGPIO_H
#define BRIDGEGPIO_H

#include <QString>
#include <QtGlobal>

#include <memory>

// The general-purpose output latch of the USB-to-UART bridge behind a serial
// port. The USB BLE base is attached and detached by driving two of these
// lines. The platform file (bridgegpio_<platform>.cpp) supplies
// createPlatformBridgeGpio(); tests supply a fake.
class BridgeGpio
{
public:
    virtual ~BridgeGpio() = default;
    // Opens the bridge behind the named serial port (a name such as "ttyUSB0"
    // or a device path). False when there is no such bridge.
    virtual bool open(const QString &portName) = 0;
    // Sets the latch bits in mask to the bits of value; the others stay as they
    // are. 0 on success, any other value is a failure code.
    virtual int writeLatch(quint16 mask, quint16 value) = 0;
    virtual void close() = 0;
};

std::unique_ptr<BridgeGpio> createPlatformBridgeGpio();

#endif // BRIDGEGPIO_H
