#include "calibration/textfile.h"

#include "calibration/filereplace.h"

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
    return file.commit();
}

} // namespace textfile
