#include "ui/statuslines.h"

#include "ui/formfonts.h"

#include <QLabel>

namespace {

constexpr int kStatusX = 5;
constexpr int kUpperStatusY = 550;
constexpr int kLowerStatusY = 573;
constexpr int kStatusWidth = 500;
constexpr int kStatusHeight = 20;
constexpr int kStatusFontPixels = 16;

} // namespace

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
