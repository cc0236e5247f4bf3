// The online unit's access password: the probe behind the "security" menu
// entry, and entering, setting and deleting it from the password dialog.
#include "devices/online/qfonline.h"

#include "deruvivuriri_form.h"

#include "devices/online/onlineprotocol.h"
#include "ui/security.h"

#include <QLabel>
#include <QTimer>

namespace {

constexpr int kPasswordAnswerMs = 100;
// The IMEI answer is the unit's longest short answer.
constexpr int kImeiAnswerMs = 300;
constexpr quint32 kLargestPassword = 0xFFFFFFFFu;
constexpr int kSecurityWidth = 250;
constexpr int kSecurityHeight = 200;

} // namespace

std::optional<BaseDevice::Outcome> QFOnline::exchangePassword(Procedure &run, quint8 command, quint32 value)
{
    // Only to the unit that answered as the online unit, looked at as each
    // frame goes: the dialog may have been up while it fell silent.
    if (!run.sensorStillHeard())
        return std::nullopt;
    // The page talks to one unit at a time: it has one place.
    return passwordExchange(run, {imei, 0}, value, command == online::kSetPasswordCommand,
                            online::passwordRequest(netNum, command, value), kPasswordAnswerMs);
}

void QFOnline::tellPasswordOutcome(Outcome said, const QString &done, const QString &unconfirmed)
{
    switch (said) {
    case Outcome::Taken:
        createDialogInfoUserForButtonClicked(done);
        break;
    case Outcome::Refused:
        showWrongPassword(ui ? ui->DUT : nullptr);
        break;
    case Outcome::None: {
        // The unit may have done it all the same: the user is told what is
        // not known, not that it was not done.
        const QString silent = tr("Устройство не ответило");
        createDialogInfoUserForButtonClicked(unconfirmed.isEmpty() ? silent : silent + '\n' + unconfirmed);
        break;
    }
    }
}

void QFOnline::showLock(bool locked)
{
    if (!ui)
        return;
    ui->label_LockOnline->setPixmap(locked ? pictures[PicLock] : pictures[PicUnlock]);
    ui->label_LockOnline->setVisible(true);
}

std::optional<quint32> QFOnline::typedPassword(const QString &text)
{
    // An empty field or a number beyond 32 bits would go out as 0, which
    // the unit takes for "no password".
    const std::optional<quint32> value = Security::passwordValue(text, kLargestPassword);
    if (!value)
        Security::refusePassword(securityDialog ? static_cast<QWidget *>(securityDialog) : this, kLargestPassword);
    return value;
}

void QFOnline::checkPass()
{
    // Polling and the watchdog stay held from the probe until the dialog is
    // done, and come back only if the page was not left meanwhile.
    Procedure run(this);
    if (!run)
        return;
    // The probe sets "no password", which a unit opened with its password
    // in this run (it stays open until it is powered off) takes for its new
    // one: such a unit is known to be protected and is not probed. The
    // IMEI tells it; one that does not come may be such a unit too.
    OpenedSensors::Probe probe = openedSensors.probeFor(imei);
    if (probe == OpenedSensors::Probe::IdentityFirst) {
        cmdGetIMEIAndSIM();
        if (!run.waitAndTake(kImeiAnswerMs))
            return;
        probe = openedSensors.probeFor(imei);
    }
    std::optional<Outcome> said = Outcome::Refused;
    if (probe == OpenedSensors::Probe::Allowed) {
        password = 0;
        said = exchangePassword(run, online::kSetPasswordCommand, password);
        if (!said)
            return;
    }
    QWidget *parent = ui ? ui->DUT : nullptr;
    Security *dialog = nullptr;
    if (probe == OpenedSensors::Probe::Uncertain) {
        // A password sent through a line since gone may have opened it: not
        // probed, and not known to be protected.
        dialog = new Security(this, parent, SensorProtection::State::Uncertain);
    } else if (*said == Outcome::Taken) {
        // The unit took "no password": it has none, one may be set.
        showLock(false);
        qCDebug(lcOnline) << "SET_NEW_PASS";
        dialog = new Security(this, parent, false, true);
    } else if (*said == Outcome::Refused) {
        qCDebug(lcOnline) << "WRONG_PASS";
        showLock(true);
        dialog = new Security(this, parent, true, false);
    } else {
        tellPasswordOutcome(*said, QString(), QString());
    }
    if (dialog) {
        securityDialog = dialog;
        passwordRun = &run;
        dialog->resize(kSecurityWidth, kSecurityHeight);
        // A box of the procedure: the session's end closes it.
        run.exec(*dialog);
        passwordRun = nullptr;
        securityDialog = nullptr;
        dialog->deleteLater();
    }
    if (run.alive())
        emit signalWriteLog("Check password QFOnline");
}

std::optional<BaseDevice::Outcome> QFOnline::enterTypedPassword(Procedure &run)
{
    const std::optional<quint32> typed = typedPassword(securityDialog->getLineEditInputPass());
    if (!typed)
        return std::nullopt;
    password = *typed;
    return exchangePassword(run, online::kEnterPasswordCommand, password);
}

// The dialog's buttons: steps of the check that opened it, nothing outside it.
void QFOnline::inputPass()
{
    if (!securityDialog || !passwordRun)
        return;
    const std::optional<Outcome> said = enterTypedPassword(*passwordRun);
    if (said)
        tellPasswordOutcome(*said, tr("Пароль принят"), QString());
}

void QFOnline::setPass()
{
    if (!securityDialog || !passwordRun)
        return;
    const std::optional<quint32> typed = typedPassword(securityDialog->getLineEditSetPass());
    if (!typed)
        return;
    // The lock shows once the unit took the password, not before.
    password = *typed;
    sendPass(int(password), online::kSetPasswordCommand);
    if (passwordRun->alive())
        emit signalWriteLog("Set password QFOnline");
}

void QFOnline::sendPass(int pass, uchar cmd)
{
    if (!passwordRun)
        return;
    const std::optional<Outcome> said = exchangePassword(*passwordRun, cmd, quint32(pass));
    if (!said)
        return;
    if (*said == Outcome::Taken && cmd == online::kSetPasswordCommand)
        showLock(true); // protected from now on
    tellPasswordOutcome(*said, tr("Новый пароль успешно установлен"), tr("Установка пароля не подтверждена"));
}

void QFOnline::delPass()
{
    if (!securityDialog || !passwordRun)
        return;
    Procedure &run = *passwordRun;
    // "No password" goes only to a unit that took the password: after a
    // wrong one, or one whose answer is lost, a unit still open from an
    // earlier entry would take it.
    const std::optional<Outcome> entered = enterTypedPassword(run);
    if (!entered)
        return;
    password = 0;
    std::optional<Outcome> removed;
    if (*entered == Outcome::Taken) {
        removed = exchangePassword(run, online::kSetPasswordCommand, password);
        if (!removed)
            return;
        if (*removed == Outcome::Taken)
            qCDebug(lcOnline) << "пароль успешно удалён";
        else if (*removed == Outcome::Refused)
            qCDebug(lcOnline) << "ошибка удаления пароля";
    } else if (*entered == Outcome::Refused) {
        qCDebug(lcOnline) << "ошибка удаления пароля";
    }
    emit signalWriteLog("Delete password QFOnline");
    // Told after the removal's answer: no exchange of the dialog goes on
    // under the box.
    if (!removed) {
        // Without a word of the password, no "no password" went.
        tellPasswordOutcome(*entered, QString(), tr("Пароль не удалён"));
    } else if (*removed == Outcome::Refused) {
        // Closed again since it took the password: nothing was removed.
        createDialogInfoUserForButtonClicked(tr("Ошибка удаления пароля"));
    } else {
        // Unanswered, it is most likely removed; the unit still counts as
        // opened, so it is not probed until a removal is answered.
        tellPasswordOutcome(*removed, tr("Пароль успешно удалён"), tr("Удаление пароля не подтверждено"));
    }
}
