#include "ui/boundedintvalidator.h"

BoundedIntValidator::BoundedIntValidator(int bottom, int top, QObject *parent) : QIntValidator(bottom, top, parent) {}

QValidator::State BoundedIntValidator::validate(QString &input, int &pos) const
{
    const State state = QIntValidator::validate(input, pos);
    if (state != Intermediate)
        return state;
    bool ok = false;
    const qlonglong value = locale().toLongLong(input, &ok);
    // Below the bottom stays intermediate: more digits may still bring the
    // number into range; above the top nothing typed after it can.
    if (ok && value > top() && value >= 0)
        return Invalid;
    return state;
}
