#ifndef CUSTOMLINEEDIT_H
#define CUSTOMLINEEDIT_H

#include <QLineEdit>
#include <QString>

class QToolButton;

// A line edit with a small clear button at its right end; the text keeps
// clear of the button through a right padding.
class CustomLineedit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CustomLineedit(QWidget *parent = nullptr);
    ~CustomLineedit() override;

public slots:
    // Shows the clear button only while there is text to clear.
    void updateCloseButton(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolButton *clearButton = nullptr;
};

#endif // CUSTOMLINEEDIT_H
