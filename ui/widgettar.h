#ifndef WIDGETTAR_H
#define WIDGETTAR_H

#include <QString>
#include <QWidget>

class QLabel;

// The framed card that shows one sensor in the calibration views: four centred
// lines (sensor number, level, calibrated, stable) on green. The litres
// variant is the header card of the volume column with the single line
// "Литры". The owner places, shows and hides the card.
class WidgetTar : public QWidget
{
    Q_OBJECT
public:
    WidgetTar(QWidget *parent, bool litres);
    ~WidgetTar() override;

    void setSerNum(int value) { serNum = value; }
    int getSerNum() const { return serNum; }

    // A spare value of the owner's; nothing in the program uses it.
    void setReserve(int value) { reserve = value; }
    int getReserve() const { return reserve; }

public slots:
    int getOffset() { return offset; }
    void setLabel1Text(QString text);
    void setLabel2Text(QString text);
    void setLabel3Text(QString text);
    void setLabel4Text(QString text);
    void setTextLabelLitrGalon(QString text);
    void setOffset(int val) { offset = val; }
    bool checkDarkTheme();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int offset = 0;
    QLabel *label1 = nullptr;
    QLabel *label2 = nullptr; // absent on a litres card, like labels 3 and 4
    QLabel *label3 = nullptr;
    QLabel *label4 = nullptr;
    int serNum = 0; // 0 until a sensor was seen
    int reserve = 0;
};

#endif // WIDGETTAR_H
