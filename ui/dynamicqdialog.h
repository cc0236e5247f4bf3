#ifndef DYNAMICQDIALOG_H
#define DYNAMICQDIALOG_H

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

// The program's one message box: a frameless modal window with a text, an OK
// button and, on request, a cancel button. Its look comes from the theme
// style sheet through the object names "modalDialog", "textDialog" and
// "btnDialog". It sizes itself from its texts: never smaller than
// kMessageWidth x kMessageHeight, wider for long lines and taller for many,
// and never larger than the screen allows (long lines then wrap).
class DynamicQDialog : public QDialog
{
    Q_OBJECT
public:
    DynamicQDialog(QWidget *parent, const QString &upperText, const QString &lowerText, bool withCancel);
    ~DynamicQDialog() override;

    // The smallest size of a message; the pages' layouts and wording were made
    // for boxes of this size, so no message comes out smaller.
    static constexpr int kMessageWidth = 300;
    static constexpr int kMessageHeight = 170;
    // Shows a message with its OK button and waits until it is closed.
    static void tell(QWidget *parent, const QString &upperText, const QString &lowerText);
    // Runs a box made with new, which may go with its parent while it runs,
    // and deletes it after: what exec() returned.
    static int run(DynamicQDialog *dialog);
    // Asks with OK and cancel; the button captions are replaced when given.
    // True when the user accepted.
    static bool ask(QWidget *parent, const QString &upperText, const QString &lowerText,
                    const QString &okText = QString(), const QString &cancelText = QString());

    // Lays out texts and buttons in `dialog`. With ownLook the labels wrap and
    // the parts get the object names the theme style sheet draws by; without
    // it the buttons carry a fixed size of their own instead.
    static void buildContent(QDialog *dialog, const QString &upperText, const QString &lowerText, bool withCancel,
                             bool ownLook, QPushButton *&ok, QPushButton *&cancel);

public slots:
    void SetTextBtnOk(QString text);
    void SetTextBtnCncl(QString text);

private:
    // The size the texts and buttons need, within the bounds above.
    QSize sizeForTexts() const;
    // Widest line a label shows when nothing wraps it.
    static int naturalWidth(const QLabel *label);

    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
};

#endif // DYNAMICQDIALOG_H
