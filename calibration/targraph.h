#ifndef TARGRAPH_H
#define TARGRAPH_H

#include "calibration/tarfile.h"

#include <QChart>
#include <QWidget>

class QFont;
class QLabel;
class QPixmap;
class QPushButton;

// The calibration graph: one curve per sensor, its reading over the volume,
// built from the table as it is when the graph opens. It covers the main
// window until its back button is pressed; the caller connects that button
// and deletes the graph.
class TarGraph : public QWidget
{
    Q_OBJECT
public:
    // `font` is the title face for the back label; `arrow` the back picture.
    TarGraph(QWidget *parent, const QList<tarfile::Row> &rows, int sensorCount, bool darkTheme, const QFont &font,
             const QPixmap &arrow);
    ~TarGraph() override;

    QPushButton *backButton() const { return back; }
    // The chart; null when the table had too little for one.
    QtCharts::QChart *chart() const { return chartShown; }
    // The note shown instead of a chart; null with a chart.
    QLabel *messageLabel() const { return message; }

private:
    void buildMessage(QLabel *backLabel);
    void buildChart(const QList<tarfile::Row> &rows, int sensorCount, bool darkTheme, QLabel *backLabel);

    QPushButton *back = nullptr;
    QtCharts::QChart *chartShown = nullptr;
    QLabel *message = nullptr;
};

#endif // TARGRAPH_H
