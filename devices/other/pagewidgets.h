#ifndef PAGEWIDGETS_H
#define PAGEWIDGETS_H

#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

// Widgets the PLM300 and indicator pages add to the form: the caption of
// their device button.
namespace pagewidgets {

// A centred caption along the bottom edge of the button, in the font of the
// form's own button captions when one is given.
QLabel *createCaption(QPushButton *button, const QString &text, const QLabel *fontOf);

// "on" colours caption and underline in the theme's accent, "off" greys them;
// any other state (compared exactly) leaves them as they are.
void colourCaption(QLabel *caption, QFrame *underline, const QString &state, bool darkTheme);

} // namespace pagewidgets

#endif // PAGEWIDGETS_H
