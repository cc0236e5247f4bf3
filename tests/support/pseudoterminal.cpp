#include "pseudoterminal.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The folder of this test program's port links, kept until the program ends
// so that no other program is given its name meanwhile. Any user may pass
// through it, as a test may open its port as another user.
QString linkFolder()
{
    static const QTemporaryDir folder(QDir::tempPath() + "/pty-XXXXXX");
    static const bool open = folder.isValid() && QFile::setPermissions(folder.path(), QFileDevice::Permissions(0x7755));
    return open ? folder.path() : QString();
}

// A name never given twice: the folder is this program's alone, and the
// number only counts up. Its last part is unique as well, as the serial
// library names its lock file after it.
QString nextLinkPath()
{
    static QAtomicInt made;
    const QString folder = linkFolder();
    if (folder.isEmpty())
        return QString();
    return QStringLiteral("%1/%2-%3").arg(folder, folder.section('/', -1)).arg(made.fetchAndAddOrdered(1) + 1);
}

} // namespace

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
    const QString link = nextLinkPath();
    if (!link.isEmpty() && QFile::link(QString::fromLocal8Bit(name), link))
        path = link;
    linked = !path.isEmpty();
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
    // The name goes first: once the pair is closed its number may be
    // another's.
    if (linked) {
        ::unlink(QFile::encodeName(path).constData());
        linked = false;
    }
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
