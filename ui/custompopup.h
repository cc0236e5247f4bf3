#ifndef CUSTOMPOPUP_H
#define CUSTOMPOPUP_H

#include <QGridLayout>
#include <QLabel>
#include <QPalette>
#include <QPropertyAnimation>
#include <QWidget>

// The small bubble that explains a question-mark label or a level fault icon
// while the pointer rests on it. It is a frameless tool window that never takes
// the focus, paints a rounded body in the colours of the widget it explains and
// fades in when shown.
class CustomPopUp : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(float popupOpacity READ getPopupOpacity WRITE setPopupOpacity)
public:
    explicit CustomPopUp(QWidget *parent = nullptr);

    float getPopupOpacity() const { return popupOpacity; }
    void setPopupOpacity(float opacity);

    QString popupText() const { return label.text(); }

public slots:
    void setPopupText(const QString &text);
    void show();
    void setColorPalete(const QPalette &value);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPalette paintPalette;
    QLabel label;
    QGridLayout grid;
    QPropertyAnimation animation;
    float popupOpacity = 0.0f;
};

#endif // CUSTOMPOPUP_H
