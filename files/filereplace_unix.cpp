#include "files/filereplace.h"

#include <QFile>
#include <QThreadPool>

#include <cstdio>

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

bool syncFolder(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
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
