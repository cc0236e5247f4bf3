#include "link/linehangup.h"

#include <poll.h>

bool serialLineHungUp(qintptr handle)
{
    if (handle < 0)
        return false;
    pollfd pfd{};
    pfd.fd = static_cast<int>(handle);
    pfd.events = POLLIN;
    if (::poll(&pfd, 1, 0) < 0)
        return false;
    return (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}
