#include "link/serialline.h"

#include <QFileInfo>

#include <sys/stat.h>

namespace {

// The node's device number, inode and the time it was made: a node made
// anew at a later plugging differs in one of them at least.
QString stamp(const struct stat &node)
{
    return QStringLiteral("%1:%2:%3.%4")
        .arg(quint64(node.st_rdev))
        .arg(quint64(node.st_ino))
        .arg(qint64(node.st_ctim.tv_sec))
        .arg(qint64(node.st_ctim.tv_nsec));
}

constexpr QChar kSeparator = QLatin1Char('|');

} // namespace

namespace serialline {

QString ofHandle(qintptr handle)
{
    if (handle < 0)
        return QString();
    struct stat node = {};
    if (::fstat(int(handle), &node) != 0)
        return QString();
    const QString path = QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(handle)).symLinkTarget();
    return path + kSeparator + stamp(node);
}

bool stillThere(const QString &line)
{
    if (line.isEmpty())
        return true;
    const int cut = line.lastIndexOf(kSeparator);
    if (cut < 0)
        return false;
    struct stat node = {};
    if (::stat(line.left(cut).toLocal8Bit().constData(), &node) != 0)
        return false;
    return line.mid(cut + 1) == stamp(node);
}

} // namespace serialline
