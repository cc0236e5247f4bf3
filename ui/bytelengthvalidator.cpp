#include "ui/bytelengthvalidator.h"

ByteLengthValidator::ByteLengthValidator(int maxBytes, QObject *parent) : QValidator(parent), maxBytes(maxBytes) {}

QValidator::State ByteLengthValidator::validate(QString &input, int &pos) const
{
    Q_UNUSED(pos)
    return input.toUtf8().size() <= maxBytes ? Acceptable : Invalid;
}
