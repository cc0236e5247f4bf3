#include "calibration/targraph.h"

#include "calibration/cellnumber.h"

#include <QChartView>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplineSeries>
#include <QValueAxis>

#include <algorithm>

using namespace QtCharts;

namespace {

constexpr int kBackLabelWidth = 200;
constexpr int kBackLabelPixelSize = 34;
constexpr QSize kBackButtonSize(31, 41);
constexpr int kXTicks = 10;
const char *const kLabelFormat = "%.0f";

const QColor kDarkBackground("#1F2222");
const QColor kLightBackground("#fef7f1");
const QColor kDarkText(Qt::white);
const QColor kLightText("#1f2222");
// The chart's own window colours, a shade apart from the page's.
const QColor kDarkWindow("#000007");
const QColor kLightWindow("#FEF7F1");

double cellValue(const tarfile::Row &row, int column)
{
    return column < row.size() ? cells::number(row.at(column)).value_or(0.0) : 0.0;
}

} // namespace

TarGraph::TarGraph(QWidget *parent, const QList<tarfile::Row> &rows, int sensorCount, bool darkTheme, const QFont &font,
                   const QPixmap &arrow)
    : QWidget(parent)
{
    setObjectName("graphWidget");
    new QGridLayout(this);

    auto *backLabel = new QLabel(tr("ВЕРНУТЬСЯ"), this);
    backLabel->setMinimumWidth(kBackLabelWidth);
    QFont labelFont(font);
    labelFont.setPixelSize(kBackLabelPixelSize);
    backLabel->setFont(labelFont);
    backLabel->show();

    back = new QPushButton(this);
    back->setObjectName("btnGraphBack");
    back->show();
    back->setFixedSize(kBackButtonSize);
    back->setIcon(QIcon(arrow));
    back->setIconSize(arrow.size());
    back->setCursor(Qt::PointingHandCursor);

    if (rows.isEmpty())
        buildMessage(backLabel);
    else
        buildChart(rows, sensorCount, darkTheme, backLabel);
}

TarGraph::~TarGraph() = default;

void TarGraph::buildMessage(QLabel *backLabel)
{
    message = new QLabel(tr("Недостаточно данных для построения графика"), this);
    message->show();
    const QFontMetrics metrics(message->font());
    const int textWidth = metrics.horizontalAdvance(message->text());
    const QWidget *window = parentWidget() ? parentWidget()->window() : this;
    message->setGeometry(window->width() / 2 - textWidth / 2, window->height() / 2, textWidth,
                         metrics.capHeight() + 20);
    back->setGeometry(40, 10, kBackButtonSize.width(), kBackButtonSize.height());
    backLabel->setGeometry(77, 10, 160, 41);
}

void TarGraph::buildChart(const QList<tarfile::Row> &rows, int sensorCount, bool darkTheme, QLabel *backLabel)
{
    auto *chart = new QChart;
    chartShown = chart;
    const bool twoSensors = sensorCount > 1;
    QSplineSeries *series[2] = {new QSplineSeries(this), new QSplineSeries(this)};
    // The axes cover every row: a drain run ends at its smallest volume, and
    // a reading may peak before the last row.
    double maxVolume = 0;
    double maxReading = 0;
    for (const tarfile::Row &row : rows) {
        const double volume = cellValue(row, 0);
        maxVolume = std::max(maxVolume, volume);
        for (int s = 0; s < (twoSensors ? 2 : 1); ++s) {
            const double reading = cellValue(row, s + 1);
            series[s]->append(volume, reading);
            maxReading = std::max(maxReading, reading);
        }
    }
    chart->addSeries(series[0]);
    if (twoSensors)
        chart->addSeries(series[1]);
    else
        delete series[1];
    chart->setTitle(tr("График тарировки датчиков"));

    auto *axisX = new QValueAxis;
    auto *axisY = new QValueAxis;
    const QColor text = darkTheme ? kDarkText : kLightText;
    for (QValueAxis *axis : {axisX, axisY}) {
        axis->setTitleBrush(QBrush(text));
        axis->setLabelsColor(text);
        axis->setLabelFormat(QString::fromLatin1(kLabelFormat));
    }
    axisY->setTitleText(tr("Показания датчика"));
    chart->addAxis(axisY, Qt::AlignLeft);
    axisX->setRange(0, maxVolume);
    axisX->setTickCount(kXTicks);
    axisX->setTitleText(tr("Объём в литрах/галлонах"));
    chart->addAxis(axisX, Qt::AlignBottom);
    for (int s = 0; s < (twoSensors ? 2 : 1); ++s) {
        series[s]->attachAxis(axisX);
        series[s]->attachAxis(axisY);
    }
    axisY->setRange(0, maxReading);

    // Given the chart from the start: a chart set later leaves the view's
    // own first chart behind.
    auto *view = new QChartView(chart, this);
    const QColor background = darkTheme ? kDarkBackground : kLightBackground;
    chart->setPlotAreaBackgroundBrush(QBrush(background));
    chart->setPlotAreaBackgroundVisible(true);
    chart->setBackgroundBrush(QBrush(background));
    view->setBackgroundBrush(QBrush(background));
    view->setContentsMargins(0, 0, 0, 0);

    QPalette palette = view->palette();
    const QColor window = darkTheme ? kDarkWindow : kLightWindow;
    palette.setBrush(QPalette::All, QPalette::Window, QBrush(window));
    palette.setBrush(QPalette::All, QPalette::WindowText, QBrush(window));
    chart->setPalette(palette);
    view->setPalette(palette);
    chart->setTitleBrush(QBrush(text));
    chart->legend()->hide();
    view->setRenderHint(QPainter::Antialiasing);

    auto *grid = static_cast<QGridLayout *>(layout());
    grid->addWidget(back, 2, 1, 2, 1);
    grid->addWidget(backLabel, 2, 2, 2, 1);
    grid->addWidget(view, 4, 0, 20, 20);
    grid->setContentsMargins(0, 0, 0, 20);
    grid->setVerticalSpacing(0);
}
