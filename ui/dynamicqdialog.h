#ifndef DYNAMICQDIALOG_H
#define DYNAMICQDIALOG_H

#include <QDialog>
#include <QString>

class QPushButton;

// The program's one message box: a frameless modal window with a text, an OK
// button and, on request, a cancel button. Its look comes from the theme
// style sheet through the object names "modalDialog", "textDialog" and
// "btnDialog".
class DynamicQDialog : public QDialog
{
    Q_OBJECT
public:
    DynamicQDialog(QWidget *parent, const QString &upperText, const QString &lowerText, bool withCancel);
    ~DynamicQDialog() override;

public slots:
    void SetTextBtnOk(QString text);
    void SetTextBtnCncl(QString text);

private:
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
};

#endif // DYNAMICQDIALOG_H
