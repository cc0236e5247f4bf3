#include "files/textfile.h"

#include "files/filereplace.h"

#include <QFileInfo>
#include <QSaveFile>

namespace textfile {

QByteArray withoutByteOrderMarks(const QByteArray &data)
{
    static const QByteArray kMark = QByteArrayLiteral("\xEF\xBB\xBF");
    int start = 0;
    while (QByteArray::fromRawData(data.constData() + start, data.size() - start).startsWith(kMark))
        start += kMark.size();
    return start == 0 ? data : data.mid(start);
}

bool writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // The save file's commit does not notice a write that fails as it
    // closes: on a full disk it would put an empty or cut file in the old
    // one's place. So everything is on the disk before it is asked to; on
    // failure the file beside goes and the old one stays.
    if (file.write(bytes) != bytes.size() || !syncToDisk(file)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    // The new name is on the disk only once its folder is, the folder of a
    // link's target for a link.
    syncFolder(QFileInfo(path).canonicalPath());
    return true;
}

QString withSuffix(const QString &name, const QString &suffix)
{
    return name.endsWith(suffix, Qt::CaseInsensitive) ? name : name + suffix;
}

} // namespace textfile
