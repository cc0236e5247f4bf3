#include "link/bridgegpio.h"

#include <QDir>
#include <QFileInfo>
#include <QVector>

#include <fcntl.h>
#include <linux/gpio.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// On Linux the bridge driver registers a GPIO chip as a child of the USB
// interface that also carries the tty; its lines are the bridge's latch bits.
class LinuxBridgeGpio : public BridgeGpio
{
public:
    ~LinuxBridgeGpio() override { close(); }

    bool open(const QString &portName) override
    {
        close();
        const QString tty = QFileInfo(portName).fileName();
        if (tty.isEmpty())
            return false;
        const QString device = QFileInfo("/sys/class/tty/" + tty + "/device").canonicalFilePath();
        if (device.isEmpty())
            return false;
        // The tty's device is the serial port; the chip hangs off its parent
        // interface (or, with some drivers, the port itself).
        for (const QString &dir : {QFileInfo(device).path(), device}) {
            const QStringList chips = QDir(dir).entryList({"gpiochip*"}, QDir::Dirs | QDir::NoDotAndDotDot);
            if (chips.isEmpty())
                continue;
            chipFd = ::open(("/dev/" + chips.first()).toLocal8Bit().constData(), O_RDWR | O_CLOEXEC);
            return chipFd >= 0;
        }
        return false;
    }

    int writeLatch(quint16 mask, quint16 value) override
    {
        if (chipFd < 0)
            return EBADF;
        gpiohandle_request request;
        std::memset(&request, 0, sizeof request);
        int lines = 0;
        for (int bit = 0; bit < 16 && lines < GPIOHANDLES_MAX; ++bit) {
            if (!(mask & (1u << bit)))
                continue;
            request.lineoffsets[lines] = static_cast<__u32>(bit);
            request.default_values[lines] = (value & (1u << bit)) ? 1 : 0;
            ++lines;
        }
        if (lines == 0)
            return 0;
        request.lines = static_cast<__u32>(lines);
        request.flags = GPIOHANDLE_REQUEST_OUTPUT;
        std::strncpy(request.consumer_label, "reriruvozive", sizeof request.consumer_label - 1);
        if (::ioctl(chipFd, GPIO_GET_LINEHANDLE_IOCTL, &request) < 0)
            return errno ? errno : EIO;
        // The request drives the lines to their default values; the bridge
        // keeps its latch after the handle is released.
        ::close(request.fd);
        return 0;
    }

    void close() override
    {
        if (chipFd >= 0) {
            ::close(chipFd);
            chipFd = -1;
        }
    }

private:
    int chipFd = -1;
};

} // namespace

std::unique_ptr<BridgeGpio> createPlatformBridgeGpio()
{
    return std::make_unique<LinuxBridgeGpio>();
}
