#ifndef SECURITYBLE_H
#define SECURITYBLE_H

#include "ui/sensorprotection.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// Password dialog of the wireless sensors behind the USB BLE base. Like
// Security it only collects digits and calls the receiver's slots
// inputPassBLE(), setPassBLE() and delPassBLE() by name, but it stays open
// after each of them so that the user can try again; the close button, Escape
// or the receiving page closes it.
class SecurityBLE : public QDialog
{
    Q_OBJECT
public:
    // Shows what `protection` holds and follows it while open: while the
    // sensor's answer is awaited it says so and offers nothing.
    SecurityBLE(QObject *receiver, QWidget *parent, const SensorProtection *protection);
    ~SecurityBLE() override;

    // The password typed into the enter-password field, or into the
    // new-password field; nothing, and the user told why, when the text is
    // no password the wireless sensors take (empty, or above 2147483647).
    std::optional<quint32> sendablePassword(bool newPasswordField);

public slots:
    QString getLineEditInputPassBLE();
    QString getLineEditSetPassBLE();

private:
    void callReceiver(const char *slot, QLineEdit *field);
    void setCommandsEnabled(bool enabled);
    void showState(SensorProtection::State state);
    // The grid holds what `place` puts there; every other widget is hidden.
    void layOut(const std::function<void()> &place);

    QGridLayout *grid = nullptr;
    QPushButton *enter = nullptr;
    QPushButton *set = nullptr;
    QPushButton *remove = nullptr;
    QPushButton *close = nullptr;
    QWidget *spacing = nullptr;
    QLabel *picture = nullptr;
    QLabel *protectedLabel = nullptr;
    QLabel *unprotectedLabel = nullptr;
    // The state not reported: its answer awaited, or not asked.
    QLabel *waitingLabel = nullptr;
    QLabel *uncertainLabel = nullptr;
    QLineEdit *lineEditInputPassBLE = nullptr;
    QLineEdit *lineEditSetPassBLE = nullptr;
    QPointer<QObject> receiver;
    QList<QPushButton *> commandButtons; // greyed while the receiver's exchange runs
};

#endif // SECURITYBLE_H
