#ifndef DYNAMICDIALOGBLE_H
#define DYNAMICDIALOGBLE_H

#include <QDialog>
#include <QString>

class QPushButton;

// The message box in the look of the wireless pages: the same texts, buttons
// and answers as DynamicQDialog, with unwrapped texts and larger buttons of a
// fixed style instead of the theme's message-box rules.
class DynamicDialogBLE : public QDialog
{
    Q_OBJECT
public:
    DynamicDialogBLE(QWidget *parent, const QString &upperText, const QString &lowerText, bool withCancel);
    ~DynamicDialogBLE() override;

public slots:
    void SetTextBtnOk(QString text);
    void SetTextBtnCncl(QString text);

private:
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
};

#endif // DYNAMICDIALOGBLE_H
