// The program's settings file as a disk may hold it, damaged ones included:
// read by Qt's own INI reader, then a choice stored beside what it holds,
// as the program stores one.
#include "fuzztargets.h"

#include "files/programsettings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <new>

#include <signal.h>

namespace {

// On a memory disk where there is one: every input is synced to the disk.
// libFuzzer ends a run without the program's own clean-up, so the folders
// of runs that are over go first; each name carries its process.
QTemporaryDir &scratch()
{
    static QTemporaryDir dir([] {
        const QDir shm(QStringLiteral("/dev/shm"));
        if (!shm.exists())
            return QString();
        for (const QString &name : shm.entryList({QStringLiteral("fuzz-settings-*")}, QDir::Dirs)) {
            const pid_t owner = name.section(QLatin1Char('-'), 2, 2).toInt();
            if (owner > 0 && ::kill(owner, 0) != 0 && errno == ESRCH)
                QDir(shm.filePath(name)).removeRecursively();
        }
        return shm.filePath(QStringLiteral("fuzz-settings-%1-XXXXXX").arg(::getpid()));
    }());
    return dir;
}

QString settingsFile()
{
    // The process's own file: workers of one run would share the home's.
    static const bool own = [] {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratch().path());
        return true;
    }();
    Q_UNUSED(own)
    return ProgramSettings().fileName();
}

// A name never used before: Qt keeps a file it read in memory.
QString freshPath()
{
    static int count = 0;
    return scratch().filePath(QString::number(++count) + QStringLiteral(".conf"));
}

QString fileOf(const QByteArray &bytes)
{
    const QString path = freshPath();
    QFile file(path);
    fuzz::require(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
                  "settings: the scratch file cannot be written");
    return path;
}

QVariantMap entriesOfFile(const QString &path)
{
    QVariantMap map;
    {
        const QSettings settings(path, QSettings::IniFormat);
        for (const QString &key : settings.allKeys()) {
            const QVariant value = settings.value(key);
            // Qt's writer cannot take it: the program writes no value there.
            map.insert(key, ProgramSettings::hasUnknownZone(value) ? QVariant() : value);
        }
    }
    QFile::remove(path);
    return map;
}

// Every key and value Qt's reader gives of these bytes.
QVariantMap entriesOf(const QByteArray &bytes)
{
    return entriesOfFile(fileOf(bytes));
}

// Qt's reader turns the values Qt's stream wrote (the "@Variant(" and
// "@DateTime(" forms) back into values itself, and a crafted one can ask it
// for any amount of memory. Some of Qt's types survive that with an
// exception, which the program takes; others crash inside Qt. So an input is
// first read by Qt's reader alone, in a process of its own, quietly: one it
// does not survive there is Qt's finding, not the program's.
//
// The reader is a program of its own, started afresh (a copy of this
// process, threads and all, is no place to run Qt's code), and it stays and
// reads one file after another: a process per input, grown large under the
// sanitizers, would cost more than the input's own run.
class QtReader
{
public:
    ~QtReader()
    {
        reader.closeWriteChannel();
        reader.waitForFinished();
    }

    bool survives(const QString &path)
    {
        if (reader.state() != QProcess::Running)
            start();
        if (reader.write(QFile::encodeName(path) + '\n') > 0 && reader.waitForReadyRead(-1) &&
            reader.read(1).size() == 1)
            return true;
        // It died on this file: the next input gets a new one.
        reader.waitForFinished(-1);
        return false;
    }

private:
    void start()
    {
        reader.setStandardErrorFile(QProcess::nullDevice());
        reader.start(QStringLiteral(SETTINGS_READER), QStringList());
        fuzz::require(reader.waitForStarted(-1), "settings: the reader cannot be started");
    }

    QProcess reader;
};

bool qtReaderSurvives(const QByteArray &bytes)
{
    static QtReader reader;
    const QString path = fileOf(bytes);
    const bool survived = reader.survives(path);
    QFile::remove(path);
    return survived;
}

// The file Qt's own writer makes of these entries, `last` set again after
// them as the program sets its choice.
QByteArray qtWrites(const QVariantMap &entries, const QString &last)
{
    const QString written = freshPath();
    {
        QSettings settings(written, QSettings::IniFormat);
        for (auto it = entries.cbegin(); it != entries.cend(); ++it)
            settings.setValue(it.key(), it.value());
        settings.setValue(last, entries.value(last));
    }
    QFile file(written);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.remove();
    return bytes;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void fuzz::fuzzSettings(const QByteArray &input)
{
    if (!qtReaderSurvives(input))
        return;
    const QString path = settingsFile();
    {
        QFile file(path);
        require(QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
                    file.write(input) == input.size(),
                "settings: the settings file cannot be written");
        // Qt takes a file of the size and time of one it read before for
        // that one: each input gets a time of its own.
        static qint64 seconds = 0;
        file.flush();
        file.setFileTime(QDateTime::fromSecsSinceEpoch(++seconds), QFileDevice::FileModificationTime);
    }
    // Qt's reader asks for as much memory as a damaged value claims: a file
    // it cannot read so gives the program nothing and is kept.
    QVariantMap held;
    bool readable = true;
    try {
        held = entriesOf(input);
    } catch (const std::bad_alloc &) {
        readable = false;
    }
    held.insert(QStringLiteral("theme"), QStringLiteral("dark"));
    // A value Qt would write larger than the program allows is not put to Qt's writer.
    const bool fits = std::all_of(held.cbegin(), held.cend(), ProgramSettings::fitsTheFile);
    // Faithful: Qt's reader gives every entry back as it was from what Qt's writer makes of them.
    const QByteArray written = readable && fits ? qtWrites(held, QStringLiteral("theme")) : QByteArray();
    const bool faithful = readable && fits && entriesOf(written) == held;
    // Whatever the file holds, a read gives a value or none.
    ProgramSettings().value(QStringLiteral("language"));
    const bool stored = ProgramSettings::store(QStringLiteral("theme"), QStringLiteral("dark"));
    require(stored || !faithful, "settings: a choice not stored beside a file Qt's writer gives back as it was");
    require(readable || !stored, "settings: a file Qt's reader cannot read written over");
    require(fits || !stored, "settings: a value larger than the file takes written");
    // Stored, the file is what Qt's writer makes of every entry and the choice; refused, as it was.
    const QByteArray now = contentsOf(path);
    require(stored ? now == written : now == input, "settings: the file is neither the one stored nor the one before");
    require(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden | QDir::System) ==
                QStringList{QFileInfo(path).fileName()},
            "settings: a file left beside the settings file");
}
