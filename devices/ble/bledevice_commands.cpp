// Commands the page relays through the base to the linked sensor: the
// password frames, the password probe and the Empty/Full calibration.
#include "devices/ble/bledevice.h"

#include "deruvivuriri_form.h"

#include "devices/ble/bleprotocol.h"
#include "ui/security.h"
#include "ui/securityble.h"

#include <QDebug>
#include <QLabel>
#include <QTimer>

namespace {

// The wireless sensors take the password as a signed 32-bit number.
constexpr quint32 kLargestPassword = 0x7FFFFFFFu;
constexpr int kPasswordAnswerMs = 100;
constexpr int kDeleteFirstStepMs = 2000;
constexpr int kDeleteSecondStepMs = 200;
constexpr int kCalibrationChecks = 5;
constexpr int kCalibrationCheckMs = 1000;

} // namespace

void BLEDevice::pauseLink()
{
    resetAndStopTimerDeviceConnected();
    pausePolling();
}

void BLEDevice::resumeLink()
{
    restoreTimerDeviceConnected();
    resumePolling();
}

void BLEDevice::startCommandStatusTimer()
{
    timerStatusCmd->start(kCommandStatusMs);
}

std::optional<quint32> BLEDevice::typedPassword(bool newPasswordField)
{
    if (!securityDialog)
        return std::nullopt;
    const QString text =
        newPasswordField ? securityDialog->getLineEditSetPassBLE() : securityDialog->getLineEditInputPassBLE();
    // An empty field or a number the sensor cannot take is never sent as
    // some other number.
    if (!Security::isSendablePassword(text, kLargestPassword)) {
        Security::refusePassword(securityDialog, kLargestPassword);
        return std::nullopt;
    }
    return quint32(text.toULongLong());
}

bool BLEDevice::sendClearPasswordCmd()
{
    newPass = 0;
    const QByteArray frame = ble::passwordProbe();
    // Sent with every answer until settled, so it does not reopen the last
    // outcome: a connection starts with none, and a link report ends it.
    emit writeData(frame);
    qDebug().noquote() << "out = " << frame.toHex();
    currentCommand = ble::kSerialAndFirmwareCommand;
    waitingReply = true;
    return true;
}

bool BLEDevice::sendPass(int pass, uchar cmd)
{
    // Not exchange(): the sensor's outcome comes in a later data answer, so
    // what already arrived is taken after the wait, and polling resumes.
    // Polling pauses for the answer; a page that was not polling stays so.
    // Left during the wait, the page takes, restarts and sends nothing more.
    if (!isSessionRunning())
        return false;
    const bool wasPolling = pollTimer()->isActive();
    pauseLink();
    awaitCommandOutcome();
    emit writeData(ble::valueWrite(quint8(currentNetNum), cmd, quint32(pass)));
    if (!waitInSession(kPasswordAnswerMs))
        return false;
    waitingReply = true;
    emit signalCheckIncommingData();
    if (wasPolling)
        resumeLink();
    return true;
}

bool BLEDevice::setPass()
{
    const std::optional<quint32> pass = typedPassword(false);
    if (!pass)
        return false;
    storedPass = int(*pass);
    return true;
}

bool BLEDevice::inputPassBLE()
{
    const std::optional<quint32> pass = typedPassword(false);
    if (!pass)
        return false;
    newPass = int(*pass);
    if (!sendPass(newPass, ble::kSensorEnterPassword))
        return false;
    currentCommand = ble::kSerialAndFirmwareCommand;
    // The sensor's answer is awaited like that of the other password
    // commands, so that an accepted password is said to the user.
    inputRequested = true;
    waitingReply = true;
    passwordCommandUsed = true;
    mainStatus = false;
    startCommandStatusTimer();
    showStatusMessageUp(tr("Ожидаем ответ от беспроводного датчика"));
    emit signalWriteLog("Input password BLE");
    return true;
}

bool BLEDevice::setPassBLE()
{
    const std::optional<quint32> pass = typedPassword(true);
    if (!pass)
        return false;
    if (ui)
        ui->label_LockBLE_BLE->show();
    if (storedPassValid && !sendPass(storedPass, ble::kPasswordEnterCommand))
        return false;
    newPass = int(*pass);
    if (!sendPass(newPass, ble::kSensorSetPassword))
        return false;
    passwordCommandUsed = true;
    startCommandStatusTimer();
    waitingReply = true;
    newPasswordRequested = true;
    mainStatus = false;
    showStatusMessageUp(tr("Ожидаем ответ от беспроводного датчика"));
    emit signalWriteLog("Set password BLE");
    return true;
}

bool BLEDevice::delPassBLE()
{
    const std::optional<quint32> pass = typedPassword(false);
    if (!pass)
        return false;
    if (!isSessionRunning())
        return false;
    newPass = int(*pass);
    const bool wasPolling = pollTimer()->isActive();
    pauseLink();
    awaitCommandOutcome();
    // The sensor first takes the present password, then "no password".
    emit writeData(ble::valueWrite(quint8(currentNetNum), ble::kSensorEnterPassword, quint32(newPass)));
    currentCommand = ble::kSerialAndFirmwareCommand;
    if (!waitInSession(kDeleteFirstStepMs))
        return false;
    emit signalCheckIncommingData();
    newPass = 0;
    emit writeData(ble::valueWrite(quint8(currentNetNum), ble::kSensorSetPassword, 0));
    currentCommand = ble::kSerialAndFirmwareCommand;
    if (!waitInSession(kDeleteSecondStepMs))
        return false;
    emit signalCheckIncommingData();
    if (wasPolling)
        resumeLink();
    passwordCommandUsed = true;
    startCommandStatusTimer();
    showStatusMessageUp(tr("Ожидаем ответ от беспроводного датчика"));
    deleteRequested = true;
    waitingReply = true;
    mainStatus = false;
    emit signalWriteLog("Delete password BLE");
    return true;
}

void BLEDevice::autoCalibrateFullEmptyBLE()
{
    // Its waits run the event loop: a second start, or a settings write,
    // meanwhile would mix the frames. A page left while the user confirmed
    // writes and tells nothing.
    if (isWriteInProgress() || !isSessionRunning())
        return;
    // Values computed from nothing would overwrite the sensor's own.
    if (!dataSinceConnect) {
        showMessage(QString(), tr("Нет показаний датчика\nДождитесь их и повторите калибровку"), statusParent());
        return;
    }
    const Sensor &s = sensors[size_t(shownSensor)];
    const ble::EmptyFull values = ble::autoCalibration(qint32(s.current), s.temperature);
    const quint8 address = quint8(currentNetNum);
    // A protected sensor takes the values only after its password.
    // False when the page was left during its wait.
    const auto presentPassword = [this] {
        return !(passwordProtected && acceptedPassword) || sendPass(int(*acceptedPassword), ble::kPasswordEnterCommand);
    };

    const WriteGuard guard(this);
    if (!presentPassword())
        return;
    awaitCommandOutcome();
    emit writeData(ble::valueWrite(address, ble::kWriteEmptyCommand, quint32(values.empty)));
    for (int i = 0; i < kCalibrationChecks; ++i) {
        emit signalCheckIncommingData();
        if (!waitInSession(kCalibrationCheckMs))
            return;
    }
    if (!presentPassword())
        return;
    awaitCommandOutcome();
    emit writeData(ble::valueWrite(address, ble::kWriteFullCommand, quint32(values.full)));
    timerStatusMsg->start(kStatusMessageMs);
    showStatusMessage(tr("Ожидаем ответа от беспроводного датчика"));
    needUpdateFullValAutocalib = 1;
    for (int i = 0; i < kCalibrationChecks; ++i) {
        emit signalCheckIncommingData();
        if (!waitInSession(kCalibrationCheckMs))
            return;
    }
    qDebug() << "autocalibrate BLE";
}

void BLEDevice::escapeCurSetting()
{
    showMessage(tr("Функция в разработке"), QString(), statusParent());
}

void BLEDevice::setFactorySetting()
{
    escapeCurSetting();
}
