#include "devices/base/answerednumbers.h"

#include <QTimer>

AnsweredNumbers::AnsweredNumbers(QObject *parent) : QObject(parent), unanswered(new QTimer(this))
{
    connect(unanswered, &QTimer::timeout, this, &AnsweredNumbers::watchDue);
}

void AnsweredNumbers::clear()
{
    answeredNetNums.clear();
    askedNetNums.clear();
}

void AnsweredNumbers::listTaken(quint64 turn, int watchMs)
{
    clear();
    listedAt = turn;
    unanswered->start(watchMs);
}

void AnsweredNumbers::stopWatch()
{
    unanswered->stop();
}

void AnsweredNumbers::answered(char net)
{
    if (!answeredNetNums.contains(net))
        answeredNetNums.append(net);
}

bool AnsweredNumbers::haveAskedAnswered(const QByteArray &polled) const
{
    for (char net : polled + askedNetNums) {
        if (!answeredNetNums.contains(net))
            return false;
    }
    return true;
}

std::optional<quint8> AnsweredNumbers::nextUnheard(const QByteArray &listed, const QByteArray &polled)
{
    for (char net : listed) {
        if (polled.contains(net) || answeredNetNums.contains(net) || askedNetNums.contains(net))
            continue;
        askedNetNums.append(net);
        return quint8(net);
    }
    return std::nullopt;
}
