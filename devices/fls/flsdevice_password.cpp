// The wired sensor's access password: the password frames, the step every
// write runs first, and the procedure behind the "security" menu entry.
#include "devices/fls/flsdevice.h"

#include "deruvivuriri_form.h"

#include "calibration/litertopercent.h"
#include "devices/fls/flsprocedures.h"
#include "devices/fls/flsprotocol.h"
#include "link/bus.h"
#include "link/frame.h"
#include "ui/security.h"

#include <QDebug>
#include <QLabel>
#include <QTimer>

namespace {

constexpr int kPasswordAnswerMs = 100;
// The probe and the removal give the sensor a little longer.
constexpr int kProbeMs = 200;
// How long a passing remark stays on the upper status line.
constexpr int kRemarkMs = 3000;

} // namespace

QWidget *FLSDevice::dialogParent()
{
    return ui ? static_cast<QWidget *>(ui->DUT) : this;
}

void FLSDevice::forgetLastAnswer()
{
    lastAnswer = 0;
    refusedSinceSend = false;
}

void FLSDevice::tellProcedureRunning()
{
    const QString text = tr("Дождитесь окончания текущей операции");
    if (literToPercent) {
        literToPercent->statusMessage(text);
        return;
    }
    if (!toldElsewhere(text))
        remark(text);
}

void FLSDevice::remark(const QString &text)
{
    // The lower line names the sensor until the parameters are next
    // refreshed; the remark goes once it has been read.
    showStatusMessageUp(text);
    QTimer::singleShot(kRemarkMs, this, [this, text] {
        if (status.upper() && status.upper()->text() == text)
            showStatusMessageUp(QString());
    });
}

void FLSDevice::tellPasswordOutcome(Outcome said, const QString &done, const QString &unconfirmed)
{
    switch (said) {
    case Outcome::Taken:
        remark(done);
        break;
    case Outcome::Refused:
        showWrongPassword(dialogParent());
        break;
    case Outcome::None: {
        // The sensor may have done it all the same: the user is told what
        // is not known, not that it was not done.
        const QString silent = tr("Датчик не ответил");
        showMessage(QString(), unconfirmed.isEmpty() ? silent : silent + '\n' + unconfirmed, dialogParent());
        break;
    }
    }
}

std::optional<BaseDevice::Outcome> FLSDevice::exchangePassword(Procedure &run, quint8 cmd, quint32 password, int waitMs)
{
    if (!run.sensorStillHeard())
        return std::nullopt;
    return passwordExchange(run, {pickedSensorIdentity(), selectedNetNum()}, password, cmd == fls::kSetPasswordCommand,
                            fls::passwordFrame(selectedNetNum(), cmd, password), waitMs);
}

bool FLSDevice::writeRefused(Procedure &run, const QByteArray &frame, int waitMs)
{
    // The last-reply code alone could miss a refusal followed by a poll
    // answer in the same chunk. A write leaves polling and the watchdog as
    // its procedure set them.
    if (!run.sensorStillHeard())
        return false;
    sendForAnswer(run, frame, waitMs);
    return refusedSinceSend;
}

bool FLSDevice::reRead(Procedure &run, int waitMs)
{
    // A search whose answer has not come would take the sensor's answer
    // for its own.
    if (!run.alive() || isSearchActive() || !isFoundPlace(currentDeviceIndex))
        return false;
    // An answer already on its way is no answer to this request.
    emit signalCheckIncommingData();
    forgetLastAnswer();
    // Polling may stand at another sensor of the list: the one asked is the
    // one whose answer counts as the polled sensor's, and the main window's
    // requests follow it.
    answerIndex = currentDeviceIndex;
    pollAwaited = false;
    emit copyQueueSurveyDevice(answerIndex);
    updateParamWidgets = true;
    emit writeData(frame::request(selectedNetNum(), bus::kAllDataCommand));
    return run.waitAndTake(waitMs) && lastAnswer == bus::kAllDataCommand;
}

std::optional<BaseDevice::Outcome> FLSDevice::sendPass(Procedure &run, int pass, uchar step, uchar cmd)
{
    curStep = step;
    const std::optional<Outcome> said = exchangePassword(run, cmd, quint32(pass), kPasswordAnswerMs);
    // Left during the wait: the answer, if any, is the next device's business.
    if (said && *said == Outcome::Taken && cmd == fls::kSetPasswordCommand && ui) {
        // The sensor took a new password: it is protected from now on.
        ui->label_LockDUT->setPixmap(pixLock);
        ui->label_LockDUT->setVisible(true);
    }
    return said;
}

bool FLSDevice::passwordStep(Procedure &run)
{
    // Every write runs this step first: its last look at the sensor.
    if (!run.sensorStillHeard())
        return false;
    if (!passwordEntered)
        return true;
    const std::optional<Outcome> said =
        sendPass(run, int(storedPassword), fls::kEnterPasswordCommand, fls::kEnterPasswordCommand);
    if (!said)
        return false;
    // The write goes on; a box now would leave it running under the user's
    // next press.
    if (*said == Outcome::Refused)
        run.tellAfter([this] { showWrongPassword(dialogParent()); });
    return true;
}

void FLSDevice::runSecurityDialog(Procedure &run, SensorProtection::State state)
{
    auto *dialog = new Security(this, dialogParent(), state);
    securityDialog = dialog;
    securityRun = &run;
    dialog->resize(250, 200);
    // A box of the procedure: the session's end closes it.
    run.exec(*dialog);
    dialog->deleteLater();
    securityDialog = nullptr;
    securityRun = nullptr;
}

QString FLSDevice::pickedSensorIdentity() const
{
    if (!isSerialKnown(currentDeviceIndex))
        return QString();
    return QString::number(serialNumbers[size_t(currentDeviceIndex)]);
}

std::optional<OpenedSensors::Probe> FLSDevice::probeForPicked(Procedure &run)
{
    OpenedSensors::Probe probe = openedSensors.probeFor(pickedSensorIdentity());
    if (probe == OpenedSensors::Probe::IdentityFirst) {
        if (!askMissingSerials(run))
            return std::nullopt;
        probe = openedSensors.probeFor(pickedSensorIdentity());
    }
    return probe;
}

void FLSDevice::checkPass()
{
    // The probe and the dialog's exchanges are one procedure: polling and
    // the watchdog stay still from the first frame until the dialog closes.
    Procedure run(this);
    if (!run)
        return;
    // The probe sets password 0, which removes the password of a sensor that
    // has been opened with it, in this session or an earlier one of this
    // run (a sensor stays open until it is powered off). Such a sensor is
    // known to be protected: the dialog opens for it without the probe, and
    // a password entered now stays for the writes that follow. One whose
    // serial does not come may be such a sensor too. One that a password
    // sent through a line since gone may have opened is not known to be
    // protected. The port may go while the dialog is open: then the page
    // says nothing more.
    std::optional<OpenedSensors::Probe> probe = OpenedSensors::Probe::Withheld;
    if (!passwordEntered)
        probe = probeForPicked(run);
    if (!probe)
        return;
    if (*probe != OpenedSensors::Probe::Allowed) {
        const bool uncertain = *probe == OpenedSensors::Probe::Uncertain;
        if (!uncertain)
            qDebug() << "WRONG_PASS";
        runSecurityDialog(run, uncertain ? SensorProtection::State::Uncertain : SensorProtection::State::Protected);
        if (run.alive())
            emit signalWriteLog("Check password FLS");
        return;
    }

    storedPassword = 0;
    const std::optional<Outcome> said = exchangePassword(run, fls::kSetPasswordCommand, storedPassword, kProbeMs);
    if (!said)
        return;
    if (*said == Outcome::Taken) {
        qDebug() << "SET_NEW_PASS";
        runSecurityDialog(run, SensorProtection::State::Open);
    } else if (*said == Outcome::Refused) {
        qDebug() << "WRONG_PASS";
        if (ui) {
            ui->label_LockDUT->setPixmap(pixLock);
            ui->label_LockDUT->setVisible(true);
        }
        runSecurityDialog(run, SensorProtection::State::Protected);
    } else {
        tellPasswordOutcome(*said, QString(), QString());
    }
    if (run.alive())
        emit signalWriteLog("Check password FLS");
}

std::optional<quint32> FLSDevice::typedPassword(const QString &text)
{
    // An empty field would reach the sensor as password 0, "no password".
    const std::optional<quint32> password = Security::passwordValue(text, fls::kUnsigned32Max);
    if (!password)
        Security::refusePassword(securityDialog ? static_cast<QWidget *>(securityDialog) : this, fls::kUnsigned32Max);
    return password;
}

void FLSDevice::inputPass()
{
    if (!securityDialog || !securityRun)
        return;
    const std::optional<quint32> password = typedPassword(securityDialog->getLineEditInputPass());
    if (!password)
        return;
    storedPassword = *password;
    const std::optional<Outcome> said =
        exchangePassword(*securityRun, fls::kEnterPasswordCommand, storedPassword, kPasswordAnswerMs);
    if (said)
        tellPasswordOutcome(*said, tr("Пароль принят"), QString());
}

bool FLSDevice::setPass()
{
    if (!securityDialog || !securityRun)
        return false;
    const std::optional<quint32> password = typedPassword(securityDialog->getLineEditSetPass());
    if (!password)
        return false;
    // The lock shows once the sensor took the password, not before.
    storedPassword = *password;
    const std::optional<Outcome> said =
        sendPass(*securityRun, int(storedPassword), fls::kSetPasswordCommand, fls::kSetPasswordCommand);
    if (!said)
        return true;
    tellPasswordOutcome(*said, tr("Новый пароль успешно установлен"), tr("Установка пароля не подтверждена"));
    // The port may have gone while the message was up.
    if (securityRun && securityRun->alive())
        emit signalWriteLog("Set password FLS");
    return true;
}

bool FLSDevice::delPass()
{
    if (!securityDialog || !securityRun)
        return false;
    Procedure &run = *securityRun;
    const std::optional<quint32> password = typedPassword(securityDialog->getLineEditInputPass());
    if (!password)
        return false;
    storedPassword = *password;
    // The password opens the sensor, then password 0 removes it. Password 0
    // goes only to a sensor that took the password: after a wrong one, or
    // one whose answer is lost, a sensor still open from an earlier entry
    // would take it. Left during a wait: nothing goes to the device the user
    // turned to.
    const std::optional<Outcome> entered = exchangePassword(run, fls::kEnterPasswordCommand, storedPassword, kProbeMs);
    if (!entered)
        return true;
    storedPassword = 0;
    if (*entered == Outcome::Taken) {
        const std::optional<Outcome> removed =
            exchangePassword(run, fls::kSetPasswordCommand, storedPassword, kProbeMs);
        if (!removed)
            return true;
        if (*removed == Outcome::Taken) {
            // Removed by the user: there is no password to enter any more,
            // and the sensor may be probed again.
            passwordEntered = false;
            qDebug() << "пароль успешно удалён";
            remark(tr("Пароль успешно удалён"));
        } else if (*removed == Outcome::Refused) {
            // Closed again since it took the password: nothing was removed.
            qDebug() << "ошибка удаления пароля";
            showMessage(QString(), tr("Ошибка удаления пароля"), dialogParent());
        } else {
            // Most likely removed; the sensor still counts as opened, so it
            // is not probed until the user removes it with a word of it.
            tellPasswordOutcome(*removed, QString(), tr("Удаление пароля не подтверждено"));
        }
    } else {
        if (*entered == Outcome::Refused)
            qDebug() << "ошибка удаления пароля";
        // Without a word of the password, no "no password" went.
        tellPasswordOutcome(*entered, QString(), tr("Пароль не удалён"));
    }
    // The port may have gone while the message was up.
    if (run.alive())
        emit signalWriteLog("Delete password FLS");
    return true;
}
