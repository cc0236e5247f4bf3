#include "ui/savefilename.h"

#include "files/textfile.h"
#include "ui/dynamicqdialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

QString askSaveFileName(QWidget *parent, const QString &caption, const QString &folder, const QString &suffix,
                        const std::function<bool(const QString &question)> &askReplace)
{
    const QString given = QFileDialog::getSaveFileName(parent, caption, folder, suffix);
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
