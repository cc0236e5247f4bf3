#include "devices/online/onlineprotocol.h"

#include "link/frame.h"

namespace online {

QByteArray statusRequest(quint8 address)
{
    return frame::request(address, kStatusCommand);
}

QByteArray configReadRequest()
{
    return frame::request(kUnitAddress, kConfigReadCommand, QByteArray(kConfigReadPayloadLength, '\0'),
                          frame::kAnswerStart);
}

} // namespace online
