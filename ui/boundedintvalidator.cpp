#include "ui/boundedintvalidator.h"

#include "ui/refusaltip.h"
#include "ui/validatorswap.h"

BoundedIntValidator::BoundedIntValidator(qint64 bottom, qint64 top, QObject *parent)
    : QValidator(parent), low(bottom), high(top)
{
    Q_ASSERT(0 <= bottom && bottom <= top);
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
    if (input.isEmpty())
        return Intermediate;
    // No more digits than the top has, as Qt's own validator: a field for
    // 0..255 takes three, and the value read below cannot overflow.
    if (input.size() > QString::number(high).size())
        return Invalid;
    quint64 value = 0;
    for (const QChar c : input) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return Invalid;
        value = value * 10 + quint64(c.unicode() - '0');
    }
    if (value > quint64(high))
        return Invalid;
    // Below the bottom is a beginning: more digits may bring it into range.
    return value < quint64(low) ? Intermediate : Acceptable;
}
