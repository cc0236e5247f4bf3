#ifndef MODALCLOSER_H
#define MODALCLOSER_H

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <functional>

// Answers every modal window that comes up while it runs, in turn: the
// answers given (true accepts, false rejects), then rejects. It remembers
// what each window showed, so that a test can tell which dialog came and
// never blocks on one.
class ModalCloser : public QObject
{
public:
    struct Seen
    {
        QString className;
        QStringList texts;
        int buttons = 0;
    };

    explicit ModalCloser(QList<bool> answers = {}) : answers(std::move(answers))
    {
        connect(&timer, &QTimer::timeout, this, &ModalCloser::poll);
        timer.start(20);
    }

    // Runs inside the dialog's own event loop, before it is answered.
    std::function<void()> whileOpen;
    // Asked first for each window seen: true leaves it open for now, unseen,
    // so that a test can work in it (and so open further windows, which are
    // answered like any other); it is asked again at the next look.
    std::function<bool(QWidget *)> leaveOpen;
    QList<Seen> seen;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (leaveOpen && leaveOpen(modal))
            return;
        Seen s;
        s.className = QString::fromLatin1(modal->metaObject()->className());
        for (QLabel *label : modal->findChildren<QLabel *>()) {
            if (!label->text().isEmpty())
                s.texts << label->text();
        }
        s.buttons = modal->findChildren<QPushButton *>().size();
        seen << s;
        if (whileOpen)
            whileOpen();
        auto *dialog = qobject_cast<QDialog *>(modal);
        const bool accept = !answers.isEmpty() && answers.takeFirst();
        if (!dialog)
            modal->close();
        else if (accept)
            dialog->accept();
        else
            dialog->reject();
    }

    QTimer timer;
    QList<bool> answers;
};

#endif // MODALCLOSER_H
