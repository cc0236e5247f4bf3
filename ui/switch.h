#ifndef SWITCH_H
#define SWITCH_H

#include <QAbstractButton>
#include <QBrush>

class QPropertyAnimation;

// The small animated on/off button of every on/off setting. It keeps its own
// state, which callers read with getCurentState(): the base class's check
// state follows clicks only.
class Switch : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(int offset READ offset WRITE setOffset)
    Q_PROPERTY(QBrush brush READ brush WRITE setBrush)
public:
    explicit Switch(QWidget *parent = nullptr);
    Switch(const QBrush &brush, QWidget *parent = nullptr);
    Switch(int height, QWidget *parent = nullptr);
    ~Switch() override;

    QSize sizeHint() const override;

    bool getState() const { return state; }
    void setState(bool on);
    void setStateFlag(bool on) { state = on; }
    void setFlag(bool value) { flag = value; }
    bool getFlag() const { return flag; }

    void setHeight(int value) { nominalHeight = value; }
    void setMargin(int value) { margin = value; }
    void setRadius(double value) { radius = value; }
    int getHeight() const { return nominalHeight; }
    int getMargin() const { return margin; }
    double getRadius() const { return radius; }

    int offset() const { return thumbOffset; }
    void setOffset(int value);
    QBrush brush() const { return onBrush; }
    void setBrush(const QBrush &value) { onBrush = value; }

    // Where the thumb rests when on, for the widget's current width.
    int onOffset() const;

public slots:
    bool getCurentState() const { return state; }
    bool checkDarkTheme() const;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void init();
    void slideTo(int from, int to);

    bool flag = false;
    double radius = 12.0;
    bool state = false;
    bool paintedOn = false;
    QBrush thumb;
    QBrush onBrush;
    int margin = 3;
    int nominalHeight = 12;
    int thumbOffset = 6;
    int thumbY = 6;
    QPropertyAnimation *animation = nullptr;
};

#endif // SWITCH_H
