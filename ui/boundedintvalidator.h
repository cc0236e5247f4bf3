#ifndef BOUNDEDINTVALIDATOR_H
#define BOUNDEDINTVALIDATOR_H

#include <QValidator>

class QLineEdit;

// The one rule of every whole-number field: the digits 0 to 9 and nothing
// else (a leading "-" too where the range goes below zero), whatever the
// locale, making a number from bottom to top. Qt's own integer validator lets
// the locale's group separators in and drops them when the field is left
// ("12,5" turns into 125, "2 5 5" into 255), and lets a number above its top
// stand while typing; here a keystroke that would make the text anything but
// such a number, or the beginning of one, is refused, and nothing typed is
// ever rewritten.
class BoundedIntValidator : public QValidator
{
    Q_OBJECT
public:
    BoundedIntValidator(qint64 bottom, qint64 top, QObject *parent = nullptr);

    // Gives the field this rule in place of any it had, and has a refused
    // keystroke or paste told beside the field.
    static BoundedIntValidator *install(QLineEdit *edit, qint64 bottom, qint64 top);

    State validate(QString &input, int &pos) const override;

private:
    qint64 low;
    qint64 high;
};

#endif // BOUNDEDINTVALIDATOR_H
