#include "pseudoterminal.h"

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal()
{
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (::openpty(&masterFd, &slaveFd, name, &raw, nullptr) != 0) {
        masterFd = slaveFd = -1;
        return;
    }
    ::fcntl(masterFd, F_SETFL, ::fcntl(masterFd, F_GETFL) | O_NONBLOCK);
    ::fcntl(masterFd, F_SETFD, FD_CLOEXEC);
    ::fcntl(slaveFd, F_SETFD, FD_CLOEXEC);
    path = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal()
{
    hangUp();
}

bool PseudoTerminal::write(const QByteArray &bytes)
{
    if (masterFd < 0)
        return false;
    const ssize_t n = ::write(masterFd, bytes.constData(), static_cast<size_t>(bytes.size()));
    return n == bytes.size();
}

QByteArray PseudoTerminal::readAvailable()
{
    QByteArray out;
    if (masterFd < 0)
        return out;
    char buf[512];
    for (;;) {
        const ssize_t n = ::read(masterFd, buf, sizeof buf);
        if (n > 0) {
            out.append(buf, static_cast<int>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    return out;
}

void PseudoTerminal::hangUp()
{
    // The slave descriptor kept so far only stopped the master from seeing
    // end-of-file while the program had the port closed.
    if (slaveFd >= 0) {
        ::close(slaveFd);
        slaveFd = -1;
    }
    if (masterFd >= 0) {
        ::close(masterFd);
        masterFd = -1;
    }
}
