// The program's settings file as a disk may hold it, damaged ones included:
// read by Qt's own INI reader, then a choice stored beside what it holds,
// as the program stores one.
#include "fuzztargets.h"

#include "ui/programsettings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <new>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define SETTINGS_FUZZ_SANITIZED
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SETTINGS_FUZZ_SANITIZED
#endif
#endif
#ifdef SETTINGS_FUZZ_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

// On a memory disk where there is one: every input is synced to the disk.
QTemporaryDir &scratch()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/fuzz-settings-XXXXXX")
                                                                       : QString());
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
// first read by Qt's reader alone, in a child process, quietly: one it does
// not survive there is Qt's finding, not the program's.
bool qtReaderSurvives(const QByteArray &bytes)
{
    const QString path = fileOf(bytes);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
#ifdef SETTINGS_FUZZ_SANITIZED
        __sanitizer_set_death_callback(nullptr);
#endif
        ::dup2(::open("/dev/null", O_WRONLY), STDERR_FILENO);
        struct sigaction quiet = {};
        quiet.sa_handler = [](int) { ::_exit(1); };
        for (const int sig : {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL})
            ::sigaction(sig, &quiet, nullptr);
        try {
            const QSettings settings(path, QSettings::IniFormat);
            for (const QString &key : settings.allKeys())
                settings.value(key);
        } catch (const std::bad_alloc &) {
        }
        ::_exit(0);
    }
    int status = 0;
    const bool survived =
        child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    QFile::remove(path);
    return survived;
}

// Qt's writer writes these entries so that its reader gives every one back
// as it was.
bool qtGivesBack(const QVariantMap &entries)
{
    const QString written = freshPath();
    {
        QSettings settings(written, QSettings::IniFormat);
        for (auto it = entries.cbegin(); it != entries.cend(); ++it)
            settings.setValue(it.key(), it.value());
    }
    const QString read = freshPath();
    QFile::rename(written, read);
    return entriesOfFile(read) == entries;
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
    const bool faithful = readable && qtGivesBack(held);
    // Whatever the file holds, a read gives a value or none.
    ProgramSettings().value(QStringLiteral("language"));
    const bool stored = ProgramSettings::store(QStringLiteral("theme"), QStringLiteral("dark"));
    require(stored || !faithful, "settings: a choice not stored beside a file Qt's writer gives back as it was");
    require(readable || !stored, "settings: a file Qt's reader cannot read written over");
    // Refused, the file is as it was, and nothing is left beside it.
    const QByteArray now = contentsOf(path);
    require(stored ? entriesOf(now).value(QStringLiteral("theme")) == QStringLiteral("dark") : now == input,
            "settings: the file is neither the one stored nor the one before");
    require(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden | QDir::System) ==
                QStringList{QFileInfo(path).fileName()},
            "settings: a file left beside the settings file");
}
