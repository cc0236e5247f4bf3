#include "calibration/filereplace.h"

#include <QFile>

#include <cstdio>

bool replaceFile(const QString &source, const QString &target)
{
    // rename() replaces the target atomically on POSIX systems.
    return std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0;
}
