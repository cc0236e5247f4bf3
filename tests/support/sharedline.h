#ifndef SHAREDLINE_H
#define SHAREDLINE_H

#include "simulateddevice.h"

#include <QList>

// Several simulated devices on one bus, as when a sensor and an indicator
// hang on the same converter: each request on the line goes to every member,
// and whoever knows it answers. The line records every request, so a test can
// tell which device's frames went out after the user turned to another one.
// A member's answers that leave outside a request (sendRaw, held glued
// answers) go to its own pseudo-terminal, not to this line.
class SharedLine : public SimulatedDevice
{
    Q_OBJECT
public:
    explicit SharedLine(QList<SimulatedDevice *> members, QObject *parent = nullptr)
        : SimulatedDevice(parent), members(std::move(members))
    {
    }

protected:
    QByteArray answerFor(const QByteArray &request) override
    {
        QByteArray answers;
        for (SimulatedDevice *member : qAsConst(members))
            answers.append(member->answerFor(request));
        return answers;
    }

    int requestLength(quint8 start, quint8 address, quint8 command) const override
    {
        for (const SimulatedDevice *member : members) {
            if (const int length = member->requestLength(start, address, command); length >= 0)
                return length;
        }
        return -1;
    }

private:
    QList<SimulatedDevice *> members;
};

#endif // SHAREDLINE_H
