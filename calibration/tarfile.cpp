#include "calibration/tarfile.h"

#include "calibration/cellnumber.h"
#include "calibration/filereplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tarfile {

namespace {

const QString kSeparator = QStringLiteral(", ");
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");
const QString kTempPrefix = QStringLiteral("~");
const QString kRunSuffix = QStringLiteral(".etr");
const QString kCsvSuffix = QStringLiteral(".csv");

} // namespace

QByteArray runText(const QList<Row> &rows)
{
    QByteArray out;
    for (const Row &row : rows) {
        if (row.isEmpty())
            continue;
        // The readings first, the volume last.
        QStringList fields = row.mid(1);
        fields.append(row.first());
        out += fields.join(kSeparator).toLatin1();
        out += kLineEnd;
    }
    return out;
}

ParsedRun parseRun(const QByteArray &data)
{
    ParsedRun parsed;
    for (QByteArray line : data.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = QString::fromLatin1(line).split(QLatin1Char(','));
        const int n = fields.size();
        bool numbers = n == 2 || n == 3;
        for (int i = 0; numbers && i < n; ++i)
            numbers = cells::number(fields.at(i)).has_value();
        if (!numbers || (parsed.sensorCount && n - 1 != parsed.sensorCount)) {
            ++parsed.skippedLines;
            continue;
        }
        parsed.sensorCount = n - 1;
        Row row;
        row.append(fields.last().trimmed());
        for (int i = 0; i < n - 1; ++i)
            row.append(fields.at(i).trimmed());
        parsed.rows.append(row);
    }
    return parsed;
}

QString tempName(const QString &dir, int serial1, std::optional<int> serial2)
{
    QString name = dir + QLatin1Char('/') + kTempPrefix + QString::number(serial1);
    if (serial2)
        name += QLatin1Char('_') + QString::number(*serial2);
    return name + kRunSuffix;
}

QString finishedName(const QString &dir, int serial1)
{
    return dir + QLatin1Char('/') + QString::number(serial1) + kRunSuffix;
}

QString withoutTilde(const QString &path)
{
    // Only the file's own name: a folder may carry a "~" of its own.
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return path.left(slash + 1) + path.mid(slash + 1).remove(kTempPrefix);
}

bool isTempName(const QString &path, const QString &dir)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.absolutePath() == QDir(dir).absolutePath() &&
           info.fileName().startsWith(kTempPrefix) && info.fileName().endsWith(kRunSuffix);
}

QString withCsvSuffix(const QString &name)
{
    return name.endsWith(kCsvSuffix) ? name : name + kCsvSuffix;
}

bool writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool writeMirror(const QString &path, const QByteArray &bytes)
{
    // Written beside it first and moved over it in one step: the mirror is
    // always whole, the old one or the new one.
    const QString fresh = path + QStringLiteral(".new");
    QFile file(fresh);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written || !replaceFile(fresh, path)) {
        QFile::remove(fresh);
        return false;
    }
    return true;
}

bool appendToMirror(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    return file.write(bytes) == bytes.size() && file.flush();
}

} // namespace tarfile
