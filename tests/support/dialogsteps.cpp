#include "dialogsteps.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

DialogSteps::DialogSteps(QList<Step> steps) : steps(std::move(steps))
{
    connect(&timer, &QTimer::timeout, this, &DialogSteps::poll);
    timer.start(20);
}

QStringList DialogSteps::allTexts() const
{
    QStringList out;
    for (const Seen &s : seen)
        out << s.texts;
    return out;
}

void DialogSteps::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    for (const QPointer<QWidget> &inStep : qAsConst(busy)) {
        if (inStep == modal)
            return;
    }
    Seen s;
    s.className = QString::fromLatin1(modal->metaObject()->className());
    for (QLabel *label : modal->findChildren<QLabel *>()) {
        if (!label->text().isEmpty() && label->isVisibleTo(modal))
            s.texts << label->text();
    }
    seen << s;
    const Step step = steps.isEmpty() ? reject() : steps.takeFirst();
    // Run outside this timer's tick: the step may open windows of its own,
    // which this timer must be free to see. While the step runs its window
    // is not answered again; once it is done, a window still open takes the
    // next step when it is on top again.
    QPointer<QWidget> target(modal);
    busy << target;
    QTimer::singleShot(0, this, [this, target, step] {
        if (target)
            step(target);
        busy.removeAll(target);
        busy.removeAll(nullptr);
    });
}

DialogSteps::Step DialogSteps::accept()
{
    return [](QWidget *w) {
        if (auto *dialog = qobject_cast<QDialog *>(w))
            dialog->accept();
        else
            w->close();
    };
}

DialogSteps::Step DialogSteps::reject()
{
    return [](QWidget *w) {
        if (auto *dialog = qobject_cast<QDialog *>(w))
            dialog->reject();
        else
            w->close();
    };
}

DialogSteps::Step DialogSteps::click(const QString &buttonText)
{
    return fillAndClick({}, buttonText);
}

DialogSteps::Step DialogSteps::fillAndClick(const QStringList &fields, const QString &buttonText)
{
    return [fields, buttonText](QWidget *w) {
        QList<QLineEdit *> edits;
        for (QLineEdit *edit : w->findChildren<QLineEdit *>()) {
            if (edit->isVisibleTo(w))
                edits << edit;
        }
        for (int i = 0; i < fields.size() && i < edits.size(); ++i)
            edits.at(i)->setText(fields.at(i));
        for (QAbstractButton *button : w->findChildren<QAbstractButton *>()) {
            if (button->text() == buttonText) {
                button->click();
                return;
            }
        }
        qWarning("DialogSteps: no button \"%s\"; the window is rejected", qPrintable(buttonText));
        reject()(w);
    };
}
