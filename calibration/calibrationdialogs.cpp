#include "calibration/calibrationdialogs.h"

#include "calibration/tarfile.h"
#include "ui/dynamicqdialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

namespace calibrationdialogs {

namespace {

QString trText(const char *text)
{
    return QCoreApplication::translate("CalibrationDialogs", text);
}

// The dialog may go with its parent while it runs.
int run(DynamicQDialog *dialog)
{
    QPointer<DynamicQDialog> guard(dialog);
    const int result = dialog->exec();
    if (guard)
        guard->deleteLater();
    return result;
}

} // namespace

void tell(QWidget *parent, const QString &text)
{
    run(new DynamicQDialog(parent, QString(), text, false));
}

bool ask(QWidget *parent, const QString &upper, const QString &text, const QString &okText, const QString &cancelText)
{
    auto *dialog = new DynamicQDialog(parent, upper, text, true);
    if (!okText.isEmpty())
        dialog->SetTextBtnOk(okText);
    if (!cancelText.isEmpty())
        dialog->SetTextBtnCncl(cancelText);
    return run(dialog) == QDialog::Accepted;
}

QString askCsvSaveName(QWidget *parent)
{
    const QString given =
        QFileDialog::getSaveFileName(parent, trText(QT_TRANSLATE_NOOP("CalibrationDialogs", "Сохранить файл")),
                                     QStringLiteral("/"), trText(QT_TRANSLATE_NOOP("CalibrationDialogs", ".csv")));
    if (given.isEmpty())
        return QString();
    const QString name = tarfile::withCsvSuffix(given);
    if (name != given && QFileInfo::exists(name) &&
        !ask(parent, QString(),
             trText(QT_TRANSLATE_NOOP("CalibrationDialogs", "Файл с таким именем уже существует.\nЗаменить его?"))))
        return QString();
    return name;
}

} // namespace calibrationdialogs
