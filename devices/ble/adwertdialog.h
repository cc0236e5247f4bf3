#ifndef ADWERTDIALOG_H
#define ADWERTDIALOG_H

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// Asks for the wireless sensor an advertising slot is to take: its name (a
// family prefix, "_" and the serial number) and its password. The card that
// opens it passes both on and closes it once the slot holds that sensor; it
// says so when the base refused or nothing came within 20 seconds.
class AdwertDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kAnswerMs = 20000;
    // The sensors take the password as a signed 32-bit number.
    static constexpr quint32 kLargestPassword = 0x7FFFFFFF;

    explicit AdwertDialog(QWidget *parent = nullptr);
    ~AdwertDialog() override;

    QLineEdit *numberField() const { return lineEditNumber; }
    QLineEdit *passwordField() const { return lineEditPassword; }
    QLabel *messageLabel() const { return labelMessage; }
    QPushButton *connectButton() const { return btnConnect; }
    QPushButton *closeButton() const { return btnClose; }
    QTimer *answerTimer() const { return timerAnswer; }

    // However it closes, no late failure is told from it.
    void done(int result) override;

signals:
    void sendValueSerNumToConnect(QString data, int password);
    void signalNotConnectedDevice();

public slots:
    // Completes a typed family prefix to "XX_".
    void autoReplaceInputText(QString text);
    void getInputSerNumDevice();
    void restoreMessageConnectDevice();
    void setMessageErrorConnectDevice();
    void sendSignalNotConnectedDevice();

private:
    QLineEdit *lineEditNumber = nullptr;
    QLineEdit *lineEditPassword = nullptr;
    QPushButton *btnConnect = nullptr;
    QPushButton *btnClose = nullptr;
    QLabel *labelMessage = nullptr;
    QTimer *timerAnswer = nullptr;
    bool completed = false;
};

#endif // ADWERTDIALOG_H
