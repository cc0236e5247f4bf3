#include "files/filelog.h"

#include <QDebug>

namespace {

std::function<void(const QString &)> &logSink()
{
    static std::function<void(const QString &)> sink;
    return sink;
}

} // namespace

void setFileLog(std::function<void(const QString &)> log)
{
    logSink() = std::move(log);
}

void fileLog(const QString &text)
{
    if (logSink())
        logSink()(text);
    else
        qDebug().noquote() << text;
}
