#ifndef VALIDATORSWAP_H
#define VALIDATORSWAP_H

#include <QLineEdit>
#include <QValidator>

// Gives a line edit a new validator and drops the one it replaces when the
// line edit owned it, so that switching input rules again and again leaves
// no validators piling up on the form.
inline void replaceValidator(QLineEdit *edit, QValidator *validator)
{
    const QValidator *old = edit->validator();
    edit->setValidator(validator);
    if (old && old != validator && old->parent() == edit)
        const_cast<QValidator *>(old)->deleteLater();
}

#endif // VALIDATORSWAP_H
