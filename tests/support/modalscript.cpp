#include "modalscript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString textsOf(QWidget *window)
{
    QStringList texts;
    if (auto *box = qobject_cast<QMessageBox *>(window))
        texts << box->text();
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->text().isEmpty())
            texts << label->text();
    }
    return texts.join(QLatin1Char('|'));
}

void close(QWidget *window, bool accept)
{
    if (auto *box = qobject_cast<QMessageBox *>(window)) {
        QAbstractButton *button = accept ? box->buttons().value(0) : box->escapeButton();
        if (!button)
            button = box->buttons().value(box->buttons().size() - 1);
        if (button) {
            button->click();
            return;
        }
    }
    if (auto *dialog = qobject_cast<QDialog *>(window)) {
        if (accept)
            dialog->accept();
        else
            dialog->reject();
        return;
    }
    window->close();
}

} // namespace

ModalScript::ModalScript()
{
    connect(&timer, &QTimer::timeout, this, &ModalScript::poll);
    timer.start(20);
}

ModalScript::~ModalScript() = default;

ModalScript &ModalScript::then(const QString &what, Match match, Action action)
{
    steps.append({what, std::move(match), std::move(action)});
    return *this;
}

ModalScript::Match ModalScript::showing(const QString &text)
{
    return [text](QWidget *w) { return textsOf(w).contains(text); };
}

ModalScript::Match ModalScript::fileDialog()
{
    return [](QWidget *w) { return qobject_cast<QFileDialog *>(w) != nullptr; };
}

ModalScript::Match ModalScript::className(const char *name)
{
    return [name](QWidget *w) { return w->inherits(name); };
}

ModalScript::Action ModalScript::accept()
{
    return [](QWidget *w) { close(w, true); };
}

ModalScript::Action ModalScript::reject()
{
    return [](QWidget *w) { close(w, false); };
}

ModalScript::Action ModalScript::chooseFile(const QString &path)
{
    return [path](QWidget *w) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        dialog->selectFile(path);
        // The dialog leaves its name field alone while it has the focus.
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        // As the dialog's own accept button does, confirmations included.
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
    };
}

ModalScript::Action ModalScript::click(const QString &buttonText)
{
    return [buttonText](QWidget *w) {
        for (QAbstractButton *button : w->findChildren<QAbstractButton *>()) {
            if (button->text() == buttonText) {
                button->click();
                return;
            }
        }
    };
}

void ModalScript::poll()
{
    QWidget *window = QApplication::activeModalWidget();
    if (!window || !window->isVisible() || busy.contains(window))
        return;
    if (!noted.contains(window)) {
        noted.append(window);
        seen << textsOf(window);
    }
    if (steps.isEmpty() || !steps.first().match(window)) {
        unexpected << QString::fromLatin1(window->metaObject()->className()) + QLatin1Char(':') + textsOf(window);
        close(window, false);
        return;
    }
    const Step step = steps.takeFirst();
    busy.append(window);
    // The action may run a while (and open windows of its own): it runs
    // outside this poll, so the poll goes on answering meanwhile.
    QPointer<QWidget> target(window);
    QTimer::singleShot(0, this, [this, target, step] {
        if (target)
            step.action(target);
        busy.removeAll(target);
        busy.removeAll(nullptr);
        noted.removeAll(nullptr);
    });
}
