#include "ui/custompopup.h"

#include <QPainter>

CustomPopUp::CustomPopUp(QWidget *parent) : QWidget(parent)
{
    resize(200, 30);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    // Only the rounded body is painted; the corners outside it stay see-through.
    setAttribute(Qt::WA_TranslucentBackground);
    // The bubble must not steal the focus from the widget the user is on.
    setAttribute(Qt::WA_ShowWithoutActivating);

    animation.setTargetObject(this);
    animation.setPropertyName("popupOpacity");
    animation.setDuration(150);

    label.setAlignment(Qt::AlignCenter);
    label.setWordWrap(true);
    // Both carry the name the theme style sheets give the bubble's text.
    label.setObjectName("customPopUp");
    setObjectName("customPopUp");
    grid.addWidget(&label, 0, 0);
    setLayout(&grid);
}

void CustomPopUp::setPopupOpacity(float opacity)
{
    popupOpacity = opacity;
    setWindowOpacity(opacity);
}

void CustomPopUp::setPopupText(const QString &text)
{
    label.setText(text);
}

void CustomPopUp::setColorPalete(const QPalette &value)
{
    setPalette(value);
    paintPalette = value;
}

void CustomPopUp::show()
{
    setWindowOpacity(0.0);
    animation.setStartValue(0.0f);
    animation.setEndValue(1.0f);
    QWidget::show();
    animation.start(QAbstractAnimation::KeepWhenStopped);
}

void CustomPopUp::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(QBrush(paintPalette.color(QPalette::Window), Qt::SolidPattern));
    painter.drawRoundedRect(QRect(5, 5, width() - 10, height() - 10), 15, 15, Qt::AbsoluteSize);
}
