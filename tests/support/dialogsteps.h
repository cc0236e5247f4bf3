#ifndef DIALOGSTEPS_H
#define DIALOGSTEPS_H

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the modal windows that come up while it lives, one scripted step
// each time a window is on top, in the order they come; a window without a
// step left is rejected. A step runs from the event loop of the window it
// answers, so it may press a button whose slot opens further windows: those
// take the next steps, and a window that stays open takes another step once
// it is on top again. What every window showed is kept for the test.
class DialogSteps : public QObject
{
public:
    using Step = std::function<void(QWidget *)>;

    struct Seen
    {
        QString className;
        QStringList texts; // texts of its labels on show
    };

    explicit DialogSteps(QList<Step> steps = {});

    QList<Seen> seen;
    // Texts of every window seen, in order, one list.
    QStringList allTexts() const;
    int stepsLeft() const { return steps.size(); }

    static Step accept();
    static Step reject();
    // Clicks the push button with this text (an Esc-free way out of dialogs
    // built without a button box).
    static Step click(const QString &buttonText);
    // Puts the texts into the window's visible line edits, in the order they
    // were made, then clicks the button.
    static Step fillAndClick(const QStringList &fields, const QString &buttonText);

private:
    void poll();

    QTimer timer;
    QList<Step> steps;
    QList<QPointer<QWidget>> busy; // windows whose step is running
};

#endif // DIALOGSTEPS_H
