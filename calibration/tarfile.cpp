#include "calibration/tarfile.h"

#include "calibration/cellnumber.h"
#include "files/filereplace.h"
#include "files/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace tarfile {

namespace {

const QString kSeparator = QStringLiteral(", ");
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");
const QString kTempPrefix = QStringLiteral("~");
const QString kRunSuffix = QStringLiteral(".etr");
const QString kCsvSuffix = QStringLiteral(".csv");
// A line of bare commas with a decimal comma in its volume has one part more.
constexpr int kMaxFields = kMaxSensors + 2;

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The fields of a line that separates them with a comma and a blank, as the
// program writes them (lines of bare commas are split at every comma by the
// caller). A spreadsheet of a comma-decimal locale writes "7,5" in such a
// line, and that comma, between two digits with no blank after it, is the
// number's own. `ownSeparators` is set when every separator is followed by a
// blank.
QStringList splitFields(const QString &line, bool *ownSeparators)
{
    const QStringList parts = line.split(QLatin1Char(','));
    QStringList fields;
    *ownSeparators = true;
    for (int i = 0; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        if (i == 0) {
            fields.append(part);
            continue;
        }
        const QString &before = fields.last();
        if (!before.isEmpty() && isDigit(before.back()) && !part.isEmpty() && isDigit(part.front())) {
            fields.last() += QLatin1Char('.') + part;
            continue;
        }
        if (part.isEmpty() || !part.front().isSpace())
            *ownSeparators = false;
        fields.append(part);
    }
    return fields;
}

// The last two parts of a line of bare commas may be one volume written
// with a decimal comma.
bool decimalVolume(const QStringList &parts)
{
    const auto digits = [](const QString &part) {
        return !part.isEmpty() && std::all_of(part.cbegin(), part.cend(), isDigit);
    };
    return parts.size() >= 3 && digits(parts.at(parts.size() - 2)) && digits(parts.last());
}

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

ParsedRun parseRun(const QByteArray &data, int sensorCount, Writer writer)
{
    sensorCount = qBound(1, sensorCount, kMaxSensors);
    struct Line
    {
        QStringList fields;         // a line of bare commas: its parts, a decimal comma not yet told
        bool spaced = false;        // separated by a comma and a blank
        bool ownSeparators = false; // separated as the program writes
        bool whole = false;         // ended by a line end
        int number = 0;             // in the file, from 1
        int sensorsHeld = 0;        // the sensors it may hold readings of, a bit each
    };
    const auto bit = [](int sensors) { return 1 << sensors; };
    QList<Line> readable;
    ParsedRun parsed;
    const QList<QByteArray> lines = textfile::withoutByteOrderMarks(data).split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray bytes = lines.at(i);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        if (bytes.trimmed().isEmpty())
            continue;
        Line line;
        line.number = i + 1;
        line.whole = i + 1 < lines.size();
        if (!line.whole && writer == Writer::Program) {
            parsed.skippedLineNumbers.append(line.number);
            continue;
        }
        const QString text = QString::fromLatin1(bytes);
        line.spaced = text.contains(kSeparator);
        line.fields = line.spaced ? splitFields(text, &line.ownSeparators) : text.split(QLatin1Char(','));
        const int n = line.fields.size();
        bool numbers = n >= 2 && n <= kMaxFields;
        for (int f = 0; numbers && f < n; ++f)
            numbers = cells::number(line.fields.at(f)).has_value();
        if (numbers) {
            line.sensorsHeld = n <= kMaxSensors + 1 ? bit(n - 1) : 0;
            // "1100,7,5": one sensor's reading and 7.5 units, or two
            // sensors' readings and 5 units.
            if (!line.spaced && decimalVolume(line.fields))
                line.sensorsHeld |= bit(n - 2);
        }
        if (!line.sensorsHeld) {
            parsed.skippedLineNumbers.append(line.number);
            continue;
        }
        readable.append(line);
    }
    if (readable.isEmpty())
        return parsed;

    // The file's sensors are those of its last whole line that tells them,
    // one that ends with a line end (a last line without one may have been
    // cut short); with no line that tells them, those of the run.
    int lastTold = 0;
    int lastWholeTold = 0;
    for (const Line &line : qAsConst(readable)) {
        for (int sensors = 1; sensors <= kMaxSensors; ++sensors) {
            if (line.sensorsHeld != bit(sensors))
                continue;
            lastTold = sensors;
            if (line.whole)
                lastWholeTold = sensors;
        }
    }
    parsed.sensorCount = lastWholeTold ? lastWholeTold : lastTold ? lastTold : sensorCount;
    if (parsed.sensorCount != sensorCount) {
        parsed.skippedLineNumbers.clear();
        return parsed;
    }

    for (const Line &line : qAsConst(readable)) {
        QStringList fields = line.fields;
        if (!line.spaced && fields.size() == sensorCount + 2 && decimalVolume(fields)) {
            const QString fraction = fields.takeLast();
            fields.last() += QLatin1Char('.') + fraction;
        }
        // A reading beyond the run's sensors belongs to a sensor removed
        // since, in a line as the program writes it: its column is gone.
        // Another line with more fields than the run has columns may hold
        // a number written with a decimal comma: it is not guessed at.
        const bool short_ = fields.size() - 1 < sensorCount;
        const bool foreignLong = fields.size() - 1 > sensorCount && !line.ownSeparators;
        if (short_ || foreignLong || !cells::number(fields.last()).has_value()) {
            parsed.skippedLineNumbers.append(line.number);
            continue;
        }
        Row row;
        row.append(fields.last().trimmed());
        for (int f = 0; f < sensorCount; ++f)
            row.append(fields.at(f).trimmed());
        parsed.rows.append(row);
    }
    std::sort(parsed.skippedLineNumbers.begin(), parsed.skippedLineNumbers.end());
    return parsed;
}

QString tempName(const QString &dir, int serial1, std::optional<int> serial2)
{
    QStringList devices{QString::number(serial1)};
    if (serial2)
        devices.append(QString::number(*serial2));
    return tempName(dir, devices);
}

QString finishedName(const QString &dir, int serial1)
{
    return finishedName(dir, QString::number(serial1));
}

QString tempName(const QString &dir, const QStringList &devices)
{
    return dir + QLatin1Char('/') + kTempPrefix + devices.join(QLatin1Char('_')) + kRunSuffix;
}

QString finishedName(const QString &dir, const QString &device)
{
    return dir + QLatin1Char('/') + device + kRunSuffix;
}

QString fileNamePart(const QString &name)
{
    QString part = name.section(QChar(0), 0, 0).trimmed();
    for (QChar &c : part) {
        const bool kept =
            (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
            (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('-') || c == QLatin1Char('_');
        if (!kept)
            c = QLatin1Char('_');
    }
    return part;
}

QString keepAside(const QString &path, const QDateTime &when)
{
    const QFileInfo info(path);
    QString sensors = info.fileName();
    sensors.remove(kTempPrefix);
    sensors.chop(sensors.endsWith(kRunSuffix) ? kRunSuffix.size() : 0);
    const QString base = info.absolutePath() + QLatin1Char('/') + sensors + QLatin1Char(' ') +
                         when.toString(QStringLiteral("yyyy-MM-dd hh-mm-ss"));
    // rename() never replaces a file: another run kept aside in the same
    // second keeps its name.
    for (int n = 1; n < 100; ++n) {
        const QString aside = base + (n > 1 ? QStringLiteral(" (%1)").arg(n) : QString()) + kCsvSuffix;
        if (!QFileInfo::exists(aside) && QFile::rename(path, aside)) {
            syncFolder(info.absolutePath());
            return aside;
        }
    }
    return QString();
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

bool holds(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() == bytes.size() && file.readAll() == bytes;
}

bool writeMirror(const QString &path, const QByteArray &bytes)
{
    // Written beside it first and moved over it in one step: the mirror is
    // always whole, the old one or the new one.
    const QString fresh = path + QStringLiteral(".new");
    QFile file(fresh);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(bytes) == bytes.size() && syncToDisk(file);
    file.close();
    if (!written || !replaceFile(fresh, path)) {
        QFile::remove(fresh);
        return false;
    }
    syncFolder(QFileInfo(path).absolutePath());
    return true;
}

bool appendToMirror(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    // Unbuffered: what a full disk did not take is not left to go out later,
    // after the cut.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 whole = file.size();
    // A portion comes with each append: the screen does not wait for the disk.
    if (file.write(bytes) == bytes.size() && syncToDiskSoon(file))
        return true;
    // A line written in part would read as another portion, "1400, 2" of
    // "1400, 2700": the file goes back to its last whole line.
    file.resize(whole);
    return false;
}

} // namespace tarfile
