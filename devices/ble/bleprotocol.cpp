#include "devices/ble/bleprotocol.h"

#include "link/frame.h"

namespace ble {

QByteArray advertListRequest(quint8 address)
{
    return frame::request(address, kAdvertListCommand);
}

} // namespace ble
