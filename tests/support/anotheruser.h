#ifndef ANOTHERUSER_H
#define ANOTHERUSER_H

#include <QByteArray>
#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include <functional>

#include <unistd.h>

// Work a test does as a user other than the administrator (who may list any
// folder), in a process of its own: the test program started afresh with a
// switch, never a fork of the test, whose threads a copy would not have.
namespace anotheruser {

constexpr char kSwitch[] = "--as-another-user";

// Whether this run of the test program is one run() started.
inline bool isThisRun(int argc, char *argv[])
{
    return argc >= 2 && qstrcmp(argv[1], kSwitch) == 0;
}

// In such a run, first thing in main(): takes on another user, then does
// `work` with the arguments after the switch. Exits 0 once it did.
inline int serve(int argc, char *argv[], const std::function<bool(const QStringList &)> &work)
{
    if (::getuid() == 0 && ::setuid(65534) != 0)
        return 2;
    QCoreApplication app(argc, argv);
    QStringList arguments;
    for (int i = 2; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return work(arguments) ? 0 : 1;
}

// Runs the test program so with `arguments`; true once its work was done.
// What it wrote to its error output goes to `said`.
inline bool run(const QStringList &arguments, QByteArray *said = nullptr)
{
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(), QStringList(QString::fromLatin1(kSwitch)) + arguments);
    const bool done =
        process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (said)
        *said = process.readAllStandardError();
    return done;
}

} // namespace anotheruser

#endif // ANOTHERUSER_H
