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
constexpr quint32 kLargestPassword = 0xFFFFFFFFu;
constexpr int kSecurityWidth = 250;
constexpr int kSecurityHeight = 200;

} // namespace

std::optional<quint8> QFOnline::exchangePassword(quint8 command, quint32 value)
{
    if (!exchange(online::passwordRequest(netNum, command, value), kPasswordAnswerMs))
        return std::nullopt;
    return passwordAnswer;
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
    if (!Security::isSendablePassword(text, kLargestPassword)) {
        Security::refusePassword(securityDialog ? static_cast<QWidget *>(securityDialog) : this, kLargestPassword);
        return std::nullopt;
    }
    return quint32(text.toULongLong());
}

void QFOnline::checkPass()
{
    // Polling and the watchdog stay held until the dialog is done, and come
    // back only if the page was not left meanwhile.
    const SessionHold hold(this);
    password = 0;
    const std::optional<quint8> answer = exchangePassword(online::kSetPasswordCommand, password);
    if (!answer)
        return;
    QWidget *parent = ui ? ui->DUT : nullptr;
    Security *dialog = nullptr;
    if (*answer == online::kSetPasswordCommand) {
        // The unit took "no password": it has none, one may be set.
        showLock(false);
        qCDebug(lcOnline) << "SET_NEW_PASS";
        dialog = new Security(this, parent, false, true);
    } else if (*answer == online::kPasswordRefusedCommand) {
        qCDebug(lcOnline) << "WRONG_PASS";
        showLock(true);
        dialog = new Security(this, parent, true, false);
    }
    if (dialog) {
        securityDialog = dialog;
        dialog->resize(kSecurityWidth, kSecurityHeight);
        dialog->exec();
        securityDialog = nullptr;
        dialog->deleteLater();
    }
    if (hold.isAlive())
        emit signalWriteLog("Check password QFOnline");
}

bool QFOnline::enterTypedPassword()
{
    const std::optional<quint32> typed = typedPassword(securityDialog->getLineEditInputPass());
    if (!typed)
        return false;
    password = *typed;
    const std::optional<quint8> answer = exchangePassword(online::kEnterPasswordCommand, password);
    if (!answer)
        return false;
    if (*answer == online::kPasswordRefusedCommand)
        showWrongPassword(ui ? ui->DUT : nullptr);
    return true;
}

void QFOnline::inputPass()
{
    if (!securityDialog)
        return;
    const SessionHold hold(this);
    enterTypedPassword();
}

void QFOnline::setPass()
{
    if (!securityDialog)
        return;
    const std::optional<quint32> typed = typedPassword(securityDialog->getLineEditSetPass());
    if (!typed)
        return;
    const quint64 session = currentSession();
    if (ui)
        ui->label_LockOnline->show();
    password = *typed;
    sendPass(int(password), online::kSetPasswordCommand, online::kSetPasswordCommand);
    if (isSessionStill(session))
        emit signalWriteLog("Set password QFOnline");
}

void QFOnline::sendPass(int pass, uchar step, uchar cmd)
{
    Q_UNUSED(step)
    const SessionHold hold(this);
    const std::optional<quint8> answer = exchangePassword(cmd, quint32(pass));
    if (!answer)
        return;
    if (*answer == online::kSetPasswordCommand)
        showLock(true); // protected from now on
    else if (*answer == online::kPasswordRefusedCommand)
        showWrongPassword(ui ? ui->DUT : nullptr);
}

void QFOnline::delPass()
{
    if (!securityDialog)
        return;
    const SessionHold hold(this);
    if (!enterTypedPassword() || !hold.isAlive())
        return;
    // The removal is tried even after a refusal; the unit refuses it too then.
    password = 0;
    const std::optional<quint8> answer = exchangePassword(online::kSetPasswordCommand, password);
    if (!answer)
        return;
    if (*answer == online::kSetPasswordCommand)
        qCDebug(lcOnline) << "пароль успешно удалён";
    else if (*answer == online::kPasswordRefusedCommand)
        qCDebug(lcOnline) << "ошибка удаления пароля";
    emit signalWriteLog("Delete password QFOnline");
}
