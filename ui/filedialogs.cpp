#include "ui/filedialogs.h"

#include "files/textfile.h"
#include "ui/dynamicqdialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace {

QString chosenFile(QFileDialog &dialog, const DialogRun &run)
{
    const int result = run ? run(dialog) : dialog.exec();
    const QStringList files = dialog.selectedFiles();
    return result == QDialog::Accepted && !files.isEmpty() ? files.constFirst() : QString();
}

} // namespace

QString askOpenFileName(QWidget *parent, const QString &caption, const QString &folder, const QString &filter,
                        const DialogRun &run)
{
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog, run);
}

QString askSaveFileName(QWidget *parent, const QString &caption, const QString &folder, const QString &suffix,
                        const std::function<bool(const QString &question)> &askReplace, const DialogRun &run)
{
    QFileDialog dialog(parent, caption, folder, suffix);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QString given = chosenFile(dialog, run);
    if (given.isEmpty())
        return QString();
    const QString name = textfile::withSuffix(given, suffix);
    if (name == given || !QFileInfo::exists(name))
        return name;
    const QString question =
        QCoreApplication::translate("SaveFileName", "Файл с таким именем уже существует.\nЗаменить его?");
    const bool replace = askReplace ? askReplace(question) : DynamicQDialog::ask(parent, QString(), question);
    return replace ? name : QString();
}
