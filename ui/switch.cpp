#include "ui/switch.h"

#include "files/programsettings.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>

namespace {
const QColor kThumbOff("#B9B9B9");
constexpr int kSlideMs = 120;
} // namespace

Switch::Switch(QWidget *parent) : QAbstractButton(parent), thumb(kThumbOff), onBrush(QColor("#009688"))
{
    init();
}

Switch::Switch(const QBrush &brush, QWidget *parent) : QAbstractButton(parent), thumb(kThumbOff), onBrush(brush)
{
    init();
}

Switch::Switch(int height, QWidget *parent)
    : QAbstractButton(parent), thumb(kThumbOff), onBrush(QColor("#009688")), nominalHeight(height)
{
    init();
}

Switch::~Switch() = default;

void Switch::init()
{
    animation = new QPropertyAnimation(this, "offset", this);
    thumbOffset = nominalHeight / 2;
    thumbY = nominalHeight / 2;
    update();
    setCursor(Qt::PointingHandCursor);
    setCheckable(true);
    setObjectName("switchButton");
}

QSize Switch::sizeHint() const
{
    return QSize(2 * (nominalHeight + margin), nominalHeight + 2 * margin);
}

int Switch::onOffset() const
{
    return width() - 2 * nominalHeight + margin;
}

void Switch::slideTo(int from, int to)
{
    animation->stop();
    animation->setDuration(kSlideMs);
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->start();
}

void Switch::setState(bool on)
{
    if (on) {
        if (state)
            return;
        thumb = onBrush;
        state = paintedOn = true;
        setDown(true);
        slideTo(nominalHeight / 2, onOffset());
    } else {
        setDown(false);
        state = paintedOn = false;
        thumb = QBrush(kThumbOff);
        slideTo(thumbOffset, nominalHeight / 2);
    }
}

void Switch::setOffset(int value)
{
    thumbOffset = value;
    update();
}

bool Switch::checkDarkTheme() const
{
    const ProgramSettings settings;
    return settings.value("theme").toString() == "dark";
}

void Switch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        paintedOn = !paintedOn;
        thumb = paintedOn ? onBrush : QBrush(kThumbOff);
        state = paintedOn;
        if (paintedOn)
            slideTo(nominalHeight / 2, onOffset());
        else
            slideTo(thumbOffset, nominalHeight / 2);
    }
    QAbstractButton::mouseReleaseEvent(event);
}

void Switch::enterEvent(QEvent *event)
{
    Q_UNUSED(event)
}

void Switch::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter p(this);
    p.setPen(Qt::NoPen);
    const QRectF track(margin, margin, width() - 2 * margin, height() - 2 * margin);
    if (isEnabled()) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setBrush(paintedOn ? onBrush : QBrush(Qt::gray));
        p.setOpacity(paintedOn ? 0.5 : 0.38);
        p.drawRoundedRect(track, radius, radius);
        p.setOpacity(1.0);
        p.setBrush(thumb);
    } else {
        p.setBrush(QColor("#b9b9b9"));
        p.setOpacity(0.12);
        p.drawRoundedRect(track, radius, radius);
        p.setOpacity(1.0);
        p.setBrush(QColor(checkDarkTheme() ? "#595959" : "#e6e6e6"));
    }
    p.drawEllipse(QRectF(thumbOffset - nominalHeight / 2, thumbY - nominalHeight / 2, height(), height()));
}
