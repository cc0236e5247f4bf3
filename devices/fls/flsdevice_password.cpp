// The wired sensor's access password: the password frames, the step every
// write runs first, and the procedure behind the "security" menu entry.
#include "devices/fls/flsdevice.h"

#include "deruvivuriri_form.h"

#include "devices/fls/flsprotocol.h"
#include "ui/dynamicqdialog.h"

#include <QLabel>
#include <QTimer>

namespace {

constexpr int kPasswordAnswerMs = 100;

} // namespace

void FLSDevice::silenceForPassword()
{
    resetAndStopTimerDeviceConnected();
    timerGetData->stop();
}

void FLSDevice::wakeAfterPassword()
{
    restoreTimerDeviceConnected();
    timerGetData->start(kPollIntervalMs);
}

int FLSDevice::exchangeForAnswer(const QByteArray &frame, int waitMs)
{
    // An answer that was already on its way (a poll, an earlier frame's) must
    // not be taken for this frame's.
    emit signalCheckIncommingData();
    lastAnswer = 0;
    emit writeData(frame);
    delay(waitMs);
    emit signalCheckIncommingData();
    return lastAnswer;
}

void FLSDevice::showWrongPassword()
{
    auto *dialog = new DynamicQDialog(ui ? static_cast<QWidget *>(ui->DUT) : this, QString(),
                                      tr("Ошибка\nВведён неверный пароль\nПопробуйте другой пароль"), false);
    dialog->resize(350, 170);
    dialog->exec();
    dialog->deleteLater();
}

bool FLSDevice::sendPass(int pass, uchar step, uchar cmd)
{
    silenceForPassword();
    curStep = step;
    const int answer = exchangeForAnswer(fls::passwordFrame(selectedNetNum(), cmd, quint32(pass)), kPasswordAnswerMs);
    if (answer == fls::kPasswordTakenCommand) {
        // The sensor took a new password: it is protected from now on.
        if (ui) {
            ui->label_LockDUT->setPixmap(pixLock);
            ui->label_LockDUT->setVisible(true);
        }
    } else if (answer == fls::kPasswordRefusedCommand) {
        showWrongPassword();
    }
    wakeAfterPassword();
    return true;
}

void FLSDevice::passwordStep()
{
    if (passwordEntered)
        sendPass(int(storedPassword), fls::kEnterPasswordCommand, fls::kEnterPasswordCommand);
}

void FLSDevice::checkPass()
{
    // The whole procedure comes with the password dialog work.
}

void FLSDevice::inputPass()
{
}

void FLSDevice::setPass()
{
}

void FLSDevice::delPass()
{
}
