#ifndef CUSTOMDIALOGINPUT_H
#define CUSTOMDIALOGINPUT_H

#include <QDialog>
#include <QString>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// The small dialog in which Full and Empty counts are typed by hand. It knows
// nothing of sensors: it shows two values beside two digit fields and gives
// back what was typed. The main window fills it once, shortly after opening,
// through its slot UpdataValEngMenu().
class CustomDialogInput : public QDialog
{
    Q_OBJECT
public:
    explicit CustomDialogInput(QWidget *parent);
    ~CustomDialogInput() override;

public slots:
    // Values and fields show full and empty.
    void updateValueLevel(int full, int empty);
    void setFullValue(int val);
    void setEmptyValue(int val);
    // The typed numbers, from 0 to 2147483647 (a count is a signed 32-bit
    // number); 0 for an empty field or any other text.
    int getFullValue();
    int getEmptyValue();
    QString getStringEmptyValue();
    // Calls parent's slot UpdataValEngMenu() once, 50 ms from now, while this
    // dialog still exists.
    void setTimerUpdateVal(QWidget *parent);
    void setVisibleValEmpty();
    void setVisibleNameFull(bool visible);
    void setVisibleNameEmpty(bool visible);
    void setNameFull(QString str);
    void setNameEmpty(QString str);
    // Takes the Empty row out of the layout; its widgets stay as they are.
    void setInvisibleLayoutEmpty();
    // The value labels take what the fields hold.
    void setValueLevel();

private:
    int initialEmptyValue = 0;
    int initialFullValue = 0;
    QGridLayout *grid = nullptr;
    QHBoxLayout *fullRow = nullptr;
    QHBoxLayout *emptyRow = nullptr;
    QHBoxLayout *spareRow = nullptr;
    QLabel *fullName = nullptr;
    QLabel *emptyName = nullptr;
    QLabel *fullValue = nullptr;
    QLabel *emptyValue = nullptr;
    QLineEdit *fullEdit = nullptr;
    QLineEdit *emptyEdit = nullptr;
    QPushButton *okButton = nullptr;
};

#endif // CUSTOMDIALOGINPUT_H
