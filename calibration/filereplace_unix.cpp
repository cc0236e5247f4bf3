#include "calibration/filereplace.h"

#include <QFile>

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
    return file.flush() && file.handle() >= 0 && ::fsync(file.handle()) == 0;
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
