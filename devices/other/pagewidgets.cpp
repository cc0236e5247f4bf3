#include "devices/other/pagewidgets.h"

#include "devices/base/basedevice.h"
#include "ui/formfonts.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace pagewidgets {

namespace {

constexpr int kCaptionWidth = 90;
constexpr int kCaptionHeight = 17;
// From the bottom edge of the button to the top of the caption.
constexpr int kCaptionRise = 19;

} // namespace

QLabel *createCaption(QPushButton *button, const QString &text, const QLabel *fontOf)
{
    auto *caption = new QLabel(text, button);
    caption->setGeometry(0, button->height() - kCaptionRise, kCaptionWidth, kCaptionHeight);
    caption->setAlignment(Qt::AlignCenter);
    if (fontOf)
        caption->setFont(fontOf->font());
    // Clicks go to the button underneath.
    caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    return caption;
}

void colourCaption(QLabel *caption, QFrame *underline, const QString &state, bool darkTheme)
{
    QString colour;
    if (state == QLatin1String("on"))
        colour = darkTheme ? QStringLiteral("#E32323") : QStringLiteral("#1f2222");
    else if (state == QLatin1String("off"))
        colour = QStringLiteral("#b9b9b9");
    else
        return;
    if (caption)
        caption->setStyleSheet(QStringLiteral("QLabel {color : %1;}").arg(colour));
    if (underline)
        underline->setStyleSheet(QStringLiteral("QFrame {background-color :  %1;}").arg(colour));
}

void showNothingHeard(BaseDevice *page)
{
    // A "connected" left from a session another device's button ended would
    // speak for a device that may be gone.
    page->showStatusMessageUp(QStringLiteral(" "));
    page->showNoSensorHeard();
    page->setVisibleStatusLabels(true);
}

} // namespace pagewidgets
