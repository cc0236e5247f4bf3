#include "dialogdriver.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>

DialogDriver::DialogDriver(QStringList files) : files(std::move(files))
{
    connect(&timer, &QTimer::timeout, this, &DialogDriver::poll);
    timer.start(20);
}

QStringList DialogDriver::texts() const
{
    QStringList out;
    for (const Seen &s : seen)
        out += s.texts;
    return out;
}

void DialogDriver::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    Seen s;
    s.className = QString::fromLatin1(modal->metaObject()->className());
    s.title = modal->windowTitle();
    if (auto *fileDialog = qobject_cast<QFileDialog *>(modal)) {
        seen << s;
        const QString path = files.isEmpty() ? QString() : files.takeFirst();
        if (path.isEmpty()) {
            fileDialog->reject();
            return;
        }
        fileDialog->selectFile(path);
        // The dialog leaves its name field alone while the field has the
        // focus; a user would type the name there.
        if (auto *name = fileDialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        // Accepted the way its own button does, with its checks of the name.
        static_cast<QDialog *>(fileDialog)->accept();
        return;
    }
    for (QLabel *label : modal->findChildren<QLabel *>()) {
        if (!label->text().isEmpty())
            s.texts << label->text();
    }
    seen << s;
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->accept();
    else
        modal->close();
}
