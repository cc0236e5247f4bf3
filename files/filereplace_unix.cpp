#include "files/filereplace.h"

#include "files/filelog.h"

#include <QFile>
#include <QThreadPool>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

bool replaceFile(const QString &source, const QString &target)
{
    // rename() replaces the target atomically on POSIX systems.
    return std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0;
}

bool syncToDisk(QFileDevice &file)
{
    return file.flush() && file.handle() >= 0 && ::fdatasync(file.handle()) == 0;
}

void syncFolder(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    if (synced)
        return;
    // EACCES, EPERM: a folder the user may write into but not open.
    fileLog(QStringLiteral("Folder not synced after a save: %1: %2")
                .arg(path, QString::fromLocal8Bit(std::strerror(error))));
}

bool syncToDiskSoon(QFileDevice &file)
{
    if (!file.flush() || file.handle() < 0)
        return false;
    // A descriptor of its own: the file may be closed before the disk is done.
    const int fd = ::dup(file.handle());
    if (fd < 0)
        return false;
    QThreadPool::globalInstance()->start([fd] {
        ::fdatasync(fd);
        ::close(fd);
    });
    return true;
}
