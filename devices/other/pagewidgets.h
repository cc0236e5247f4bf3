#ifndef PAGEWIDGETS_H
#define PAGEWIDGETS_H

#include <QFont>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

// Widgets the PLM300 and indicator pages add to the form: the caption of
// their device button and their two status lines.
namespace pagewidgets {

// A centred caption along the bottom edge of the button, in the font of the
// form's own button captions when one is given.
QLabel *createCaption(QPushButton *button, const QString &text, const QLabel *fontOf);

// "on" colours caption and underline in the theme's accent, "off" greys them;
// any other state (compared exactly) leaves them as they are.
void colourCaption(QLabel *caption, QFrame *underline, const QString &state, bool darkTheme);

// Two lines of status text at the foot of a page: the lower one says whether
// the device is connected, the upper one carries a passing remark. Until
// create() the lines do not exist and every call reports false.
class StatusLines
{
public:
    void create(QWidget *page, const QString &lowerText);
    bool setLower(const QString &text);
    bool setUpper(const QString &text);
    bool setVisible(bool visible);
    QLabel *lower() const { return lowerLabel; }
    QLabel *upper() const { return upperLabel; }

private:
    QLabel *lowerLabel = nullptr;
    QLabel *upperLabel = nullptr;
    QFont font;
};

} // namespace pagewidgets

#endif // PAGEWIDGETS_H
