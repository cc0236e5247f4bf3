#ifndef SECURITY_H
#define SECURITY_H

#include "ui/sensorprotection.h"

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>

#include <optional>

class QLineEdit;
class QPushButton;
class QValidator;

// Password dialog of the wired fuel sensor and the online device. It only
// collects digits: its buttons call the receiver's slots inputPass(), setPass()
// and delPass() by name, and the receiver reads the typed text back through
// the getters. Each button closes the dialog once the receiver's slot is done.
class Security : public QDialog
{
    Q_OBJECT
public:
    Security(QObject *receiver, QWidget *parent, bool protectedMode, bool unprotectedMode);
    // The groups of what the sensor reported; for a state not known, what
    // is safe without knowing it: entering a password or setting one.
    Security(QObject *receiver, QWidget *parent, SensorProtection::State state);
    ~Security() override;

    // The digits-only validator of both password dialogs; maximum is the
    // largest number the receiver converts.
    static QValidator *passwordValidator(quint32 maximum, QObject *parent);

    // The number a typed password stands for: decimal digits only, not
    // empty, and not above maximum; leading zeros are read as the number
    // they make, however many. Nothing for any other text.
    static std::optional<quint32> passwordValue(const QString &text, quint32 maximum);
    // True when the text is a password the receiver can send (passwordValue()
    // reads a number from it).
    static bool isSendablePassword(const QString &text, quint32 maximum);
    // Tells the user why the typed password is not sent (a modal message).
    static void refusePassword(QWidget *parent, quint32 maximum);
    // The four bytes a password frame carries, most significant first; none
    // for a text that is no password (passwordValue()).
    static QByteArray passwordBytes(const QString &text);

public slots:
    QString getLineEditInputPass();
    QString getLineEditSetPass();

private:
    Security(QObject *receiver, QWidget *parent, bool protectedMode, bool unprotectedMode, bool notKnown);
    void callReceiver(const char *slot, QLineEdit *field);
    void setCommandsEnabled(bool enabled);

    QLineEdit *lineEditInputPass = nullptr;
    QLineEdit *lineEditSetPass = nullptr;
    QPointer<QObject> receiver;
    QList<QPushButton *> commandButtons; // greyed while the receiver's exchange runs
};

#endif // SECURITY_H
