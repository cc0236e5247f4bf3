#include "devices/other/pagewidgets.h"

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

constexpr int kStatusX = 5;
constexpr int kUpperStatusY = 550;
constexpr int kLowerStatusY = 573;
constexpr int kStatusWidth = 500;
constexpr int kStatusHeight = 20;
constexpr int kStatusFontPixels = 16;

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

void StatusLines::create(QWidget *page, const QString &lowerText)
{
    lowerLabel = new QLabel(lowerText, page);
    upperLabel = new QLabel(QString(), page);
    upperLabel->setGeometry(kStatusX, kUpperStatusY, kStatusWidth, kStatusHeight);
    lowerLabel->setGeometry(kStatusX, kLowerStatusY, kStatusWidth, kStatusHeight);
    const QString family = formfonts::registerFormFonts().light;
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPixelSize(kStatusFontPixels);
    for (QLabel *label : {lowerLabel, upperLabel}) {
        label->setFont(font);
        label->show();
    }
}

bool StatusLines::setLower(const QString &text)
{
    if (!lowerLabel)
        return false;
    lowerLabel->setText(text);
    return true;
}

bool StatusLines::setUpper(const QString &text)
{
    if (!upperLabel)
        return false;
    upperLabel->setText(text);
    return true;
}

bool StatusLines::setVisible(bool visible)
{
    if (!lowerLabel || !upperLabel)
        return false;
    lowerLabel->setVisible(visible);
    upperLabel->setVisible(visible);
    return true;
}

} // namespace pagewidgets
