#ifndef DIALOGDRIVER_H
#define DIALOGDRIVER_H

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

// Plays the user in front of the modal windows a test brings up: a file
// dialog gets the next path of `files` (none left, or an empty one, cancels
// it), any other dialog is confirmed. What each window showed is kept, so a
// test can tell which came, and no test ever hangs on one.
class DialogDriver : public QObject
{
public:
    struct Seen
    {
        QString className;
        QString title;
        QStringList texts;
    };

    explicit DialogDriver(QStringList files = {});

    QList<Seen> seen;
    // The texts of every window seen, in order.
    QStringList texts() const;

private:
    void poll();

    QStringList files;
    QTimer timer;
};

#endif // DIALOGDRIVER_H
