#ifndef PAGEWIDGETS_H
#define PAGEWIDGETS_H

#include <QString>

class BaseDevice;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;

// What the PLM300 and indicator pages show alike: the caption of their device
// button, and their status lines as a session begins.
namespace pagewidgets {

// A centred caption along the bottom edge of the button, in the font of the
// form's own button captions when one is given.
QLabel *createCaption(QPushButton *button, const QString &text, const QLabel *fontOf);

// "on" colours caption and underline in the theme's accent, "off" greys them;
// any other state (compared exactly) leaves them as they are.
void colourCaption(QLabel *caption, QFrame *underline, const QString &state, bool darkTheme);

// A session of `page` begins with nothing heard: its status lines say so, and
// show at once, while the page's other widgets wait for the device.
void showNothingHeard(BaseDevice *page);

} // namespace pagewidgets

#endif // PAGEWIDGETS_H
