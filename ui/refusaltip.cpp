#include "ui/refusaltip.h"

#include <QLineEdit>
#include <QToolTip>
#include <QValidator>

void tellRefusals(QLineEdit *edit, const QValidator *validator, const QString &why)
{
    QObject::connect(edit, &QLineEdit::inputRejected, validator, [edit, validator, why] {
        if (edit->validator() == validator)
            QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), why, edit);
    });
}
