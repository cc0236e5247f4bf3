#include "ui/boundedintvalidator.h"

#include "ui/refusaltip.h"
#include "ui/validatorswap.h"

BoundedIntValidator::BoundedIntValidator(qint64 bottom, qint64 top, QObject *parent)
    : QValidator(parent), low(bottom), high(top)
{
    Q_ASSERT(bottom <= top);
}

BoundedIntValidator *BoundedIntValidator::install(QLineEdit *edit, qint64 bottom, qint64 top)
{
    auto *validator = new BoundedIntValidator(bottom, top, edit);
    replaceValidator(edit, validator);
    tellRefusals(edit, validator, tr("Введите целое число от %1 до %2, только цифры").arg(bottom).arg(top));
    return validator;
}

QValidator::State BoundedIntValidator::validate(QString &input, int &pos) const
{
    Q_UNUSED(pos)
    // A sign only where the range goes below zero, and only the ASCII one.
    const bool negative = input.startsWith(QLatin1Char('-'));
    if (negative && low >= 0)
        return Invalid;
    const QStringRef digits = input.midRef(negative ? 1 : 0);
    if (digits.isEmpty())
        return Intermediate;
    // No more digits than the range's end has, as Qt's own validator: a
    // field for 0..255 takes three, and the value read below cannot overflow.
    if (digits.size() > QString::number(negative ? -low : high).size())
        return Invalid;
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return Invalid;
        value = value * 10 + (c.unicode() - '0');
    }
    if (negative)
        value = -value;
    // Past the far end, more digits only take it further; short of the near
    // end, more digits may still bring it into range.
    if (negative ? value < low : value > high)
        return Invalid;
    return value < low || value > high ? Intermediate : Acceptable;
}
