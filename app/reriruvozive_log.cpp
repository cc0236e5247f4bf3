// The log file: one stamped line per write, appended to log.txt in the
// application configuration folder.
#include "app/reriruvozive.h"

#include <QDate>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTime>

void Reriruvozive::appendLog(const QString &text)
{
    logMessage.append(text);
    writeLogFileNoParams();
}

int Reriruvozive::writeLogFileNoParams()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (!QDir(folder).exists())
        QDir().mkpath(folder);
    const QString path = folder + "/log.txt";

    delete logFile;
    logFile = new QFile(path);
    if (!logFile->open(QIODevice::Append))
        return 0;

    if (!logMessage.isEmpty()) {
        logStream.setDevice(logFile);
        const QString stamp =
            QDate::currentDate().toString("yyyy:MM:dd") + "-" + QTime::currentTime().toString("hh:mm:ss");
        const QString line = stamp + " -- " + logMessage;
        logStream << line << "\r\n";
        qDebug().noquote() << "localStringList=" + stamp + logMessage;
        logStream.flush();
        emit signalLogWritten(line);
    }
    logFile->close();
    logStream.setDevice(nullptr);
    logMessage.clear();
    return 1;
}

void Reriruvozive::recieveLogMessage(QString message)
{
    appendLog(message);
}

int Reriruvozive::writeLogFile(QString message)
{
    appendLog(message);
    return 1;
}
