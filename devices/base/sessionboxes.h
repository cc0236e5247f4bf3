#ifndef SESSIONBOXES_H
#define SESSIONBOXES_H

#include <QPointer>

#include <vector>

class QDialog;

// The boxes and dialogs shown in a page's running session, in the order
// they came, so that the session's end closes them as if cancelled: a box
// left over the page the user turned to would ask about a device that is
// gone, and its procedure would go on once it is answered.
class SessionBoxes
{
public:
    // Keeps `dialog` shown without waiting for it (show() or open()).
    void keep(QDialog *dialog);
    // Runs `dialog` modally, kept while it runs when `kept`: what exec()
    // returned.
    int exec(QDialog &dialog, bool kept);
    // Closes the boxes kept, the last shown first.
    void closeAll();

private:
    std::vector<QPointer<QDialog>> boxes;
};

#endif // SESSIONBOXES_H
