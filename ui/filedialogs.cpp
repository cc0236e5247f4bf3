#include "ui/filedialogs.h"

#include "files/textfile.h"
#include "ui/dynamicqdialog.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include <optional>

namespace {

// The names the dialog's name field shows: what is typed, or each name of a
// quoted list (several files selected).
QStringList fieldNames(const QString &text)
{
    if (!text.contains(QLatin1Char('"')))
        return text.trimmed().isEmpty() ? QStringList() : QStringList(text.trimmed());
    QStringList names;
    const QStringList parts = text.split(QLatin1Char('"'));
    for (int i = 1; i < parts.size(); i += 2) {
        if (!parts.at(i).isEmpty())
            names << parts.at(i);
    }
    return names;
}

// The file the user sees chosen is the one the name field names. The
// dialog's selection need not be that file: a drop leaves a file picked
// before selected beside the one dropped, or selected under a name that no
// longer names it. A dialog of the platform's own has no such field.
// Nothing, with what to tell in `refused`, when the field names no file or
// several.
std::optional<QString> namedFile(const QFileDialog &dialog, QString &refused)
{
    const QStringList selected = dialog.selectedFiles();
    const auto *field = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    const QStringList names = field ? fieldNames(field->text()) : QStringList();
    if (names.size() > 1 || (names.isEmpty() && selected.size() != 1)) {
        refused = QCoreApplication::translate("FileDialogs", "Выберите один файл");
        return std::nullopt;
    }
    if (names.isEmpty())
        return selected.constFirst();
    QString name = names.constFirst();
    const QUrl url(name);
    if (url.isLocalFile())
        name = url.toLocalFile();
    // The field shows a file of the selection by its name alone, whichever
    // folder it is in.
    const QFileInfo named(dialog.directory().filePath(name));
    if (selected.size() == 1 &&
        (QFileInfo(selected.constFirst()).fileName() == name || QFileInfo(selected.constFirst()) == named))
        return selected.constFirst();
    if (named.isFile())
        return named.absoluteFilePath();
    refused = QCoreApplication::translate("FileDialogs", "Файл не найден:\n%1").arg(field->text());
    return std::nullopt;
}

// The local files a drag carries; none when it carries no URL or a URL of
// something that is no local file.
QStringList droppedFiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return QStringList();
        files << QDir::toNativeSeparators(url.toLocalFile());
    }
    return files;
}

// A file dropped onto the name field is the file the user names: its path
// takes the field's place. Left to the line edit, the drop would add the
// file's URL to the name already there, a name of nothing.
class DropNamesFile : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *field = qobject_cast<QLineEdit *>(watched);
        if (!field ||
            (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove && event->type() != QEvent::Drop))
            return false;
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList files = droppedFiles(drop->mimeData());
        if (files.isEmpty())
            return false;
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop) {
            // What the list had selected goes: the dialog would add the
            // dropped file to it, the field then naming both.
            if (auto *list = parent()->findChild<QAbstractItemView *>(QStringLiteral("listView"))) {
                if (list->selectionModel())
                    list->selectionModel()->clearSelection();
            }
            // Several files are shown as the dialog shows a selection of
            // several, which is refused as such.
            field->setText(files.size() == 1
                               ? files.constFirst()
                               : QLatin1Char('"') + files.join(QStringLiteral("\" \"")) + QLatin1Char('"'));
        }
        return true;
    }
};

void takeDropsOnName(QFileDialog &dialog)
{
    if (auto *field = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
        field->installEventFilter(new DropNamesFile(&dialog));
}

QString chosenFile(QFileDialog &dialog, const DialogRun &run)
{
    takeDropsOnName(dialog);
    const int result = run ? run(dialog) : dialog.exec();
    const QStringList files = dialog.selectedFiles();
    return result == QDialog::Accepted && !files.isEmpty() ? files.constFirst() : QString();
}

} // namespace

QString askOpenFileName(QWidget *parent, const QString &caption, const QString &start, const QString &filter,
                        const DialogRun &run, const std::function<void(const QString &)> &tell)
{
    // Built from a file's whole path the dialog would open with that file
    // selected, and a file selected there stays selected under whatever the
    // user names or drops into the name field.
    const QFileInfo startInfo(start);
    const QString folder = start.isEmpty() || startInfo.isDir() ? start : startInfo.absolutePath();
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    takeDropsOnName(dialog);
    if ((run ? run(dialog) : dialog.exec()) != QDialog::Accepted)
        return QString();
    QString refused;
    const std::optional<QString> named = namedFile(dialog, refused);
    if (named)
        return *named;
    if (tell) {
        tell(refused);
    } else {
        // A box of the dialog's session, as the dialog was.
        DynamicQDialog box(parent, QString(), refused, false);
        if (run)
            run(box);
        else
            box.exec();
    }
    return QString();
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
