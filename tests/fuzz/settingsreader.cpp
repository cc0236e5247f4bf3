// Reads settings files with Qt's own INI reader alone: their paths come one a
// line on the input, and each is answered with one byte once the reader is
// through it. A file the reader does not survive ends the process, quietly:
// the settings fuzz target tells Qt's findings from the program's by it.
#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <new>

#include <signal.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    struct sigaction quiet = {};
    quiet.sa_handler = [](int) { ::_exit(1); };
    for (const int sig : {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL})
        ::sigaction(sig, &quiet, nullptr);
    QCoreApplication app(argc, argv);
    char line[4096 + 2];
    while (std::fgets(line, sizeof line, stdin)) {
        const size_t length = std::strcspn(line, "\n");
        line[length] = '\0';
        try {
            const QSettings settings(QFile::decodeName(line), QSettings::IniFormat);
            for (const QString &key : settings.allKeys())
                settings.value(key);
        } catch (const std::bad_alloc &) {
        }
        if (std::fputc(1, stdout) == EOF || std::fflush(stdout) != 0)
            return 0;
    }
    return 0;
}
