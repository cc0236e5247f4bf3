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

    // The size the device pages give their messages.
    static constexpr int kMessageWidth = 300;
    static constexpr int kMessageHeight = 170;
    // Shows a message with its OK button at that size and waits until it is closed.
    static void tell(QWidget *parent, const QString &upperText, const QString &lowerText);

    // Lays out texts and buttons in `dialog`. With ownLook the labels wrap and
    // the parts get the object names the theme style sheet draws by; without
    // it the buttons carry a fixed size of their own instead.
    static void buildContent(QDialog *dialog, const QString &upperText, const QString &lowerText, bool withCancel,
                             bool ownLook, QPushButton *&ok, QPushButton *&cancel);

public slots:
    void SetTextBtnOk(QString text);
    void SetTextBtnCncl(QString text);

private:
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
};

#endif // DYNAMICQDIALOG_H
