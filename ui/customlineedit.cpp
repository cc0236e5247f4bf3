#include "ui/customlineedit.h"

#include <QIcon>
#include <QStyle>
#include <QToolButton>

CustomLineedit::CustomLineedit(QWidget *parent) : QLineEdit(parent)
{
    clearButton = new QToolButton(this);
    clearButton->setIcon(QIcon(":/images/cross_red.png"));
    clearButton->setIconSize(QSize(5, 5));
    clearButton->setCursor(Qt::ArrowCursor);
    connect(clearButton, &QToolButton::clicked, this, &QLineEdit::clear);

    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const QSize button = clearButton->sizeHint();
    setStyleSheet(QString("QLineEdit { padding-right: %1px; } ").arg(button.width() + frame + 1));
    const QSize least = minimumSizeHint();
    setMinimumSize(qMax(least.width(), button.height() + frame * 2 + 2),
                   qMax(least.height(), button.height() + frame * 2 + 2));
}

CustomLineedit::~CustomLineedit() = default;

void CustomLineedit::updateCloseButton(const QString &text)
{
    clearButton->setVisible(!text.isEmpty());
}

void CustomLineedit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const QSize button = clearButton->sizeHint();
    const QRect r = rect();
    clearButton->move(r.right() + frame - button.width(), (r.bottom() / 2 + 1 - button.height()) / 2);
}
