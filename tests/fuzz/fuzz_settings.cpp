// The program's settings file as a disk may hold it: read as Qt's own INI
// reader reads it, and written back as Qt's own INI writer writes it.
#include "fuzztargets.h"

#include "ui/programsettings.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>

namespace {

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// A name never used before: QSettings keeps a file it read in memory.
QString newPath()
{
    static int count = 0;
    return scratch().filePath(QString::number(++count) + QStringLiteral(".conf"));
}

QString fileOf(const QByteArray &bytes)
{
    const QString path = newPath();
    QFile file(path);
    fuzz::require(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
                  "settings: the scratch file cannot be written");
    return path;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every key and value the settings at `path` give, as bytes that compare
// (a NaN read twice is still the same).
QByteArray entriesOf(const QString &path, QSettings::Format format)
{
    QSettings settings(path, format);
    QByteArray entries;
    QDataStream stream(&entries, QIODevice::WriteOnly);
    for (const QString &key : settings.allKeys()) {
        const QVariant value = settings.value(key);
        stream << key;
        if (ProgramSettings::hasUnknownZone(value))
            stream << QStringLiteral("unknown zone");
        else
            stream << value;
    }
    QFile::remove(path);
    return entries;
}

} // namespace

void fuzz::fuzzSettings(const QByteArray &input)
{
    const QString ours = fileOf(input);
    QSettings read(ours, ProgramSettings::format());
    // Qt's reader takes a UTF-8 mark at the start for a part of the first key.
    require(input.startsWith("\xEF\xBB\xBF") ||
                entriesOf(fileOf(input), QSettings::IniFormat) == entriesOf(fileOf(input), ProgramSettings::format()),
            "settings: a file read otherwise than Qt's own INI reader reads it");

    const QString again = newPath();
    const QString qts = newPath();
    {
        QSettings oursAgain(again, ProgramSettings::format());
        QSettings qtsAgain(qts, QSettings::IniFormat);
        // Qt's own writer cannot take a date-time of an unknown zone; ours
        // writes no value there.
        for (const QString &key : read.allKeys()) {
            if (ProgramSettings::hasUnknownZone(read.value(key))) {
                const QString alone = newPath();
                QSettings(alone, ProgramSettings::format()).setValue(key, read.value(key));
                QFile::remove(alone);
                continue;
            }
            oursAgain.setValue(key, read.value(key));
            qtsAgain.setValue(key, read.value(key));
        }
    }
    require(contentsOf(again) == contentsOf(qts), "settings: written otherwise than Qt's own INI writer writes");
    for (const QString &path : {ours, again, qts})
        QFile::remove(path);
}
