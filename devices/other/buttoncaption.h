#ifndef BUTTONCAPTION_H
#define BUTTONCAPTION_H

#include <QString>

class QFrame;
class QLabel;
class QPushButton;

// The device buttons of the pages that have no caption in the form carry a
// label of their own along their bottom edge, coloured with the button's
// underline to tell whether the device is the chosen one.
namespace buttoncaption {

// A centred caption along the bottom edge of the button, in the font of the
// form's own button captions when one is given.
QLabel *create(QPushButton *button, const QString &text, const QLabel *fontOf);

// "on" colours caption and underline in the theme's accent, "off" greys them;
// any other state (compared exactly) leaves them as they are.
void colour(QLabel *caption, QFrame *underline, const QString &state, bool darkTheme);

} // namespace buttoncaption

#endif // BUTTONCAPTION_H
