#include "calibration/calibrationdialogs.h"

#include "ui/dynamicqdialog.h"
#include "ui/filedialogs.h"

#include <QCoreApplication>

namespace calibrationdialogs {

namespace {

QString trText(const char *text)
{
    return QCoreApplication::translate("CalibrationDialogs", text);
}

} // namespace

void tell(QWidget *parent, const QString &text)
{
    DynamicQDialog::run(new DynamicQDialog(parent, QString(), text, false));
}

bool ask(QWidget *parent, const QString &upper, const QString &text, const QString &okText, const QString &cancelText)
{
    return DynamicQDialog::ask(parent, upper, text, okText, cancelText);
}

QString askCsvSaveName(QWidget *parent)
{
    return askSaveFileName(parent, trText(QT_TRANSLATE_NOOP("CalibrationDialogs", "Сохранить файл")),
                           QStringLiteral("/"), QStringLiteral(".csv"));
}

} // namespace calibrationdialogs
