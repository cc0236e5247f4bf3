// Which sensor the base links to, the dialog that links a new one by its
// serial number, and the sensor's password: all relayed by the base, each
// outcome told by a status code of its later data answers.
#include "devices/angle/kvbledevice.h"

#include "deruvivuriri_form.h"

#include "ui/boundedintvalidator.h"
#include "ui/securityble.h"

#include <QDebug>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kDialogMinimumWidth = 300;
constexpr int kCloseMinimumWidth = 100;
constexpr int kRowSpacing = 20;
constexpr int kAnswerMs = 100;

} // namespace

void KVBLEDevice::connectNewDevice()
{
    // The dialog's modal loop belongs to the procedure: nothing else of the
    // page starts while it is up.
    Procedure run(this);
    if (!run)
        return;
    // The base drops its link while it looks for the new sensor: that silence
    // is no lost base.
    run.muteWatchdog();

    auto *dialog = new QDialog(dialogParent());
    dialog->setMinimumWidth(kDialogMinimumWidth);
    dialog->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    auto *connectButton = new QPushButton(tr("Подключить"), dialog);
    connectButton->setCursor(Qt::PointingHandCursor);
    auto *label = new QLabel(tr("Введите номер"), dialog);
    label->setAlignment(Qt::AlignCenter);
    auto *serialField = new QLineEdit(dialog);
    serialField->setAlignment(Qt::AlignRight);
    BoundedIntValidator::install(serialField, 0, kvble::kLargestSerial);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    buttons->setCursor(Qt::PointingHandCursor);
    for (QAbstractButton *b : buttons->buttons()) {
        b->setMinimumWidth(kCloseMinimumWidth);
        b->setText(tr("Закрыть"));
    }
    auto *rows = new QFormLayout(dialog);
    rows->addRow(QStringLiteral("S/N"), serialField);
    rows->addRow(label);
    rows->addRow(connectButton);
    rows->addRow(buttons);
    rows->setVerticalSpacing(kRowSpacing);

    // Said again every minute without the new link; the dialog stays.
    QTimer noLink;
    noLink.setInterval(kNewDeviceTimeoutMs);
    connect(&noLink, &QTimer::timeout, dialog, [this, label] {
        label->setText(tr("Ошибка подключения"));
        qDebug() << "Error connection";
    });
    noLink.start();

    newDevice = true;
    connect(this, &KVBLEDevice::signalNewDeviceIsConnected, dialog, &QDialog::accept);
    connect(connectButton, &QPushButton::clicked, dialog, [this, &run, dialog, connectButton, serialField, label] {
        const QString text = serialField->text();
        if (text.isEmpty()) {
            showMessage(tr("Введите номер датчика"), QString(), dialog);
            return;
        }
        if (!kvble::serialNumberValue(text)) {
            showMessage(tr("Номер датчика: число от 0 до %1").arg(kvble::kLargestSerial), QString(), dialog);
            return;
        }
        // One link at a time: a second press while this one goes out would
        // send it again.
        label->setText(tr("Выполняется подключение..."));
        connectButton->setEnabled(false);
        changeUiid(run, text);
        connectButton->setEnabled(true);
    });
    connect(buttons, &QDialogButtonBox::clicked, dialog, &QDialog::reject);

    run.exec(*dialog);
    noLink.stop();
    // Gone before the procedure its button refers to: none of its handlers
    // runs any more once exec() returned.
    delete dialog;
}

bool KVBLEDevice::changeUiid(QString serialNum)
{
    Procedure run(this);
    return run && changeUiid(run, serialNum);
}

bool KVBLEDevice::changeUiid(Procedure &run, const QString &serialNum)
{
    // A number that a link ID cannot carry would link the base to some other sensor.
    const std::optional<quint32> serial = kvble::serialNumberValue(serialNum);
    if (!serial || !run.alive())
        return false;
    sendCommand(kvble::linkIdWrite(*serial));
    if (!run.waitAndTake(kAnswerMs))
        return false;
    emit signalWriteLog(QStringLiteral("Change base UUID"));
    // Another sensor may answer from now on: whether it has a password is
    // asked anew.
    setProtection(SensorProtection::State::NotKnown);
    passwordQuestion->reset();
    mainStatus = true;
    return true;
}

bool KVBLEDevice::checkPassOnlyBLE()
{
    passwordLastSent = 0;
    passwordQuestion->asked(Probe);
    sendCommand(kvble::passwordWrite(kvble::kSetPasswordCommand, 0));
    currentCommand = kvble::kSerialCommand;
    return true;
}

std::optional<quint32> KVBLEDevice::typedPassword(bool newPasswordField)
{
    // An empty field or a number the sensor cannot take is never sent as
    // some other number.
    return securityDialog ? securityDialog->sendablePassword(newPasswordField) : std::nullopt;
}

bool KVBLEDevice::sendPass(Procedure &run, PasswordStep step, quint32 pass)
{
    showWaiting();
    if (!passwordQuestion->waitTurn(run))
        return false;
    // Nothing goes to a sensor that does not answer: its outcome could not
    // be told.
    if (!isDeviceConnected()) {
        run.releaseLine();
        setEnableShowMainStatusMsgBLE();
        run.tell(securityDialog ? static_cast<QWidget *>(securityDialog) : dialogParent(), QString(),
                 tr("Подключите датчик"));
        return false;
    }
    // A removal's "no password" goes only while the sensor's last answer is
    // surely its taking of the removal's password: an answer reported since
    // (a late refusal) stops it.
    if (step == Delete && !passwordQuestion->removalMayGo(kvble::kStatusPasswordAccepted)) {
        run.releaseLine();
        showCommandMessage(tr("Удаление пароля ВТ датчика не подтверждено"));
        return false;
    }
    passwordLastSent = pass;
    passwordQuestion->asked(step);
    passwordGoesOut(pass);
    sendCommand(kvble::passwordWrite(
        step == Input || step == DeletePresent ? kvble::kEnterPasswordCommand : kvble::kSetPasswordCommand, pass));
    currentCommand = kvble::kSerialCommand;
    // The polls bring its answer; the waiting text stays as long as it is awaited.
    run.releaseLine();
    showWaiting();
    return run.waitAndTake(kAnswerMs);
}

void KVBLEDevice::passwordGoesOut(quint32 pass)
{
    // The sensor may take it while the base's report of it is lost or comes
    // after the wait: it counts as taken from now on, until it is refused.
    passwordSent = openedSensors.sent(openedSensor(), pass);
}

bool KVBLEDevice::presentOrSetPassword(PasswordStep step)
{
    // The dialog's buttons stay live while the exchange waits: one at a time.
    Procedure run(this);
    if (!run)
        return false;
    const bool set = step == Set;
    const std::optional<quint32> pass = typedPassword(set);
    if (!pass || !run.alive() || !sendPass(run, step, *pass))
        return false;
    emit signalWriteLog(set ? QStringLiteral("Set password KVBLE") : QStringLiteral("Input password KVBLE"));
    return true;
}

bool KVBLEDevice::inputPassBLE()
{
    return presentOrSetPassword(Input);
}

bool KVBLEDevice::setPassBLE()
{
    return presentOrSetPassword(Set);
}

bool KVBLEDevice::delPassBLE()
{
    Procedure run(this);
    if (!run)
        return false;
    const std::optional<quint32> pass = typedPassword(false);
    if (!pass || !run.alive())
        return false;
    // The sensor first takes the present password, then "no password", each
    // the one question its answers may be of.
    if (!sendPass(run, DeletePresent, *pass) || !passwordQuestion->waitAnswer(run))
        return false;
    // "No password" goes only to a sensor that took the password: after a
    // refusal, or with no word of it, a sensor still open from an earlier
    // entry would take it. What came instead was told as it came.
    if (passwordQuestion->lastAnswer() != kvble::kStatusPasswordAccepted)
        return true;
    if (!sendPass(run, Delete, 0))
        return false;
    emit signalWriteLog(QStringLiteral("Delete password KVBLE"));
    return true;
}
