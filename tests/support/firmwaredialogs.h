#ifndef FIRMWAREDIALOGS_H
#define FIRMWAREDIALOGS_H

#include <QApplication>
#include <QDialog>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QStringList>
#include <QTimer>
#include <QUrl>

// Plays the user at the dialogs of a firmware start: picks `file` in the file
// dialog (cancels it when `file` is empty) and closes every message that
// follows, keeping its texts. With vanishAfterChoosing the file is removed
// right after it was picked, before the program can read it.
class FirmwareDialogs : public QObject
{
public:
    explicit FirmwareDialogs(QString file, bool vanishAfterChoosing = false)
        : file(std::move(file)), vanish(vanishAfterChoosing)
    {
        connect(&timer, &QTimer::timeout, this, &FirmwareDialogs::poll);
        timer.start(20);
    }

    int fileDialogs = 0;
    QStringList messages;
    QString directoryOffered;    // where the file dialog opened
    QStringList selectedOffered; // what it had selected when it opened
    // A file picked in the dialog's list before `file` is given.
    QString pickedFirst;
    // `file` is dropped onto the name field from another window, which
    // leaves the focus, and what the list has selected, where they are.
    bool dropped = false;
    // `file` is put into the name field while the focus is elsewhere, as a
    // middle-button paste from another window puts it.
    bool pasted = false;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (auto *chooser = qobject_cast<QFileDialog *>(modal)) {
            ++fileDialogs;
            directoryOffered = chooser->directory().absolutePath();
            selectedOffered = chooser->selectedFiles();
            if (file.isEmpty()) {
                chooser->reject();
                return;
            }
            auto *name = chooser->findChild<QLineEdit *>("fileNameEdit");
            // A file picked in the list shows in the name field.
            if (name && !pickedFirst.isEmpty())
                name->setText(pickedFirst);
            if (!dropped && !pasted)
                chooser->selectFile(file);
            // The name field keeps what it shows while it has the focus; the
            // user types the path there, or drops the file onto what it shows
            // from a file manager, which gives its URL as text too.
            if (name && dropped) {
                name->clearFocus();
                QMimeData data;
                data.setUrls({QUrl::fromLocalFile(file)});
                data.setText(QUrl::fromLocalFile(file).toString());
                const QPoint end(name->width() - 2, name->height() / 2);
                QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(name, &enter);
                QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(name, &drop);
            } else if (name) {
                if (pasted)
                    name->clearFocus();
                name->setText(file);
            }
            // The dialog's own accept checks the choice as its OK button does.
            static_cast<QDialog *>(chooser)->accept();
            if (vanish)
                QFile::remove(file);
            return;
        }
        QStringList texts;
        for (QLabel *label : modal->findChildren<QLabel *>()) {
            if (!label->text().isEmpty())
                texts << label->text();
        }
        messages << texts.join('\n');
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->accept();
        else
            modal->close();
    }

    QString file;
    bool vanish = false;
    QTimer timer;
};

#endif // FIRMWAREDIALOGS_H
