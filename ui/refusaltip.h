#ifndef REFUSALTIP_H
#define REFUSALTIP_H

#include <QString>

class QLineEdit;
class QValidator;

// Tells, beside the field, why it refused a keystroke or a paste, for as long
// as `validator` is the field's. A refused character that goes unseen makes
// another number of what was typed: "2,5" shows 25 once the 5 is taken.
void tellRefusals(QLineEdit *edit, const QValidator *validator, const QString &why);

#endif // REFUSALTIP_H
