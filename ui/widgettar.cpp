#include "ui/widgettar.h"

#include "files/programsettings.h"

#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QVBoxLayout>

WidgetTar::WidgetTar(QWidget *parent, bool litres) : QWidget(parent)
{
    if (litres) {
        auto *layout = new QVBoxLayout(this);
        layout->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        label1 = new QLabel(tr("Литры"), this);
        label1->setAlignment(Qt::AlignHCenter);
        layout->addWidget(label1);
        setObjectName("widgetLitr");
        hide();
        setGeometry(0, 0, 140, 100);
        return;
    }

    setObjectName("widgetTar");
    label1 = new QLabel(tr("Датчик#"), this);
    label2 = new QLabel(tr("Level"), this);
    label3 = new QLabel(tr("Калиброван"), this);
    label4 = new QLabel(tr("Стабилен"), this);
    auto *layout = new QVBoxLayout(this);
    for (QLabel *label : {label1, label2, label3, label4}) {
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        layout->addWidget(label);
    }
    layout->setAlignment(Qt::AlignCenter);
    setGeometry(0, 0, 140, 100);
    QPalette pal(palette());
    pal.setBrush(QPalette::All, QPalette::Window, QBrush(QColor("#00A778")));
    setPalette(pal);
    setAutoFillBackground(true);
    hide();
}

WidgetTar::~WidgetTar() = default;

void WidgetTar::setLabel1Text(QString text)
{
    label1->setText(text);
}

// Labels 2 to 4 do not exist on a litres card; writing them there is ignored.
void WidgetTar::setLabel2Text(QString text)
{
    if (label2)
        label2->setText(text);
}

void WidgetTar::setLabel3Text(QString text)
{
    if (label3)
        label3->setText(text);
}

void WidgetTar::setLabel4Text(QString text)
{
    if (label4)
        label4->setText(text);
}

void WidgetTar::setTextLabelLitrGalon(QString text)
{
    setLabel1Text(text);
}

bool WidgetTar::checkDarkTheme()
{
    const ProgramSettings settings;
    return settings.value("theme").toString() == "dark";
}

void WidgetTar::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    // The theme is asked on every paint, so the frame follows a theme change
    // at the next repaint.
    QPainter p(this);
    p.setPen(
        QPen(checkDarkTheme() ? QColor(Qt::white) : QColor("#1f2222"), 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    const int w = width();
    const int h = height();
    p.drawLine(0, 0, 0, h);
    p.drawLine(0, 0, w, 0);
    p.drawLine(w, 0, w, h);
    p.drawLine(0, h, w, h);
}
