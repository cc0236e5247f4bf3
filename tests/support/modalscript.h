#ifndef MODALSCRIPT_H
#define MODALSCRIPT_H

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class QWidget;

// Answers the modal windows a test runs into, in the order it expects them,
// so that a test drives dialogs, message boxes and file dialogs the way a
// user would and never blocks on one. Each step says which window it expects
// and what to do with it; the action runs from that window's own event loop
// and may open further windows, which later steps answer. A window that no
// step expects is noted and rejected.
class ModalScript : public QObject
{
public:
    using Match = std::function<bool(QWidget *)>;
    using Action = std::function<void(QWidget *)>;

    ModalScript();
    ~ModalScript() override;

    // Adds a step; returns this script for chaining.
    ModalScript &then(const QString &what, Match match, Action action);
    // A window whose labels show this text (in part).
    ModalScript &thenShowing(const QString &text, Action action) { return then(text, showing(text), action); }

    static Match showing(const QString &text);
    static Match fileDialog();
    static Match className(const char *name);
    static Action accept();
    static Action reject();
    // In a file dialog: picks this path and accepts.
    static Action chooseFile(const QString &path);
    // Clicks the push button with this text (a message box's "&Yes" included).
    static Action click(const QString &buttonText);

    bool finished() const { return steps.isEmpty(); }
    QString nextStep() const { return steps.isEmpty() ? QString() : steps.first().what; }
    // The texts each window showed, one entry per window, in order.
    QStringList seen;
    // Windows that no step expected.
    QStringList unexpected;

private:
    struct Step
    {
        QString what;
        Match match;
        Action action;
    };
    void poll();

    QTimer timer;
    QList<Step> steps;
    QList<QPointer<QWidget>> busy; // windows whose action still runs
    QList<QPointer<QWidget>> noted;
};

#endif // MODALSCRIPT_H
