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
// A poll answer already on its way when the line is held.
constexpr int kAnswerInFlightMs = 100;
constexpr int kCalibrationChecks = 5;
constexpr int kCalibrationCheckMs = 1000;
// The Full level typed by hand: its answer is taken this long after.
constexpr int kLevelAnswerMs = 200;

} // namespace

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
    const std::optional<quint32> value = Security::passwordValue(text, kLargestPassword);
    if (!value)
        Security::refusePassword(securityDialog, kLargestPassword);
    return value;
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

bool BLEDevice::sendPass(BaseDevice::Procedure &run, int pass, uchar cmd)
{
    // Not exchange(): the sensor's outcome comes in a later data answer, so
    // what already arrived is taken after the wait. No poll goes out while
    // the answer is awaited; the procedure lets the line go when it needs
    // the polls again, or at its end. Left during the wait, the page takes,
    // restarts and sends nothing more.
    if (!run.alive())
        return false;
    run.holdLine();
    awaitCommandOutcome();
    passwordGoesOut(quint32(pass));
    emit writeData(ble::valueWrite(quint8(currentNetNum), cmd, quint32(pass)));
    if (!run.wait(kPasswordAnswerMs))
        return false;
    waitingReply = true;
    emit signalCheckIncommingData();
    return run.alive();
}

void BLEDevice::passwordGoesOut(quint32 pass)
{
    // The sensor may take it while the base's report of it is lost or comes
    // late: it counts as taken from now on, until a refusal is reported.
    passwordAwaitedSent = openedSensors.sent(shownOpenedSensor(), pass);
    passwordAwaited = pass;
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
    Procedure run(this);
    if (!run)
        return false;
    const std::optional<quint32> pass = typedPassword(false);
    if (!pass)
        return false;
    newPass = int(*pass);
    if (!sendPass(run, newPass, ble::kSensorEnterPassword))
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
    Procedure run(this);
    if (!run)
        return false;
    const std::optional<quint32> pass = typedPassword(true);
    if (!pass)
        return false;
    if (ui)
        ui->label_LockBLE_BLE->show();
    if (storedPassValid && !sendPass(run, storedPass, ble::kPasswordEnterCommand))
        return false;
    newPass = int(*pass);
    if (!sendPass(run, newPass, ble::kSensorSetPassword))
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
    Procedure run(this);
    if (!run)
        return false;
    const std::optional<quint32> pass = typedPassword(false);
    if (!pass)
        return false;
    newPass = int(*pass);
    // The sensor first takes the present password, then "no password". The
    // answer of a poll already sent is taken first: every report after the
    // password answers a poll sent after it. The polls go on meanwhile: they
    // bring its outcome.
    run.muteWatchdog();
    run.holdLine();
    if (!run.waitAndTake(kAnswerInFlightMs))
        return false;
    awaitCommandOutcome();
    passwordGoesOut(quint32(newPass));
    awaitOutcome(true);
    emit writeData(ble::valueWrite(quint8(currentNetNum), ble::kSensorEnterPassword, quint32(newPass)));
    currentCommand = ble::kSerialAndFirmwareCommand;
    run.releaseLine();
    if (!run.waitAndTake(kDeleteFirstStepMs))
        return false;
    // "No password" goes only to a sensor that took the password: after a
    // refusal (told by its message), or with no word of it yet, a sensor
    // still open from an earlier entry would take it.
    const std::optional<Outcome> entered = outcomeBeforeNext(run, kAnswerInFlightMs);
    if (!entered)
        return false;
    if (*entered != Outcome::Taken)
        return true;
    awaitCommandOutcome();
    newPass = 0;
    emit writeData(ble::valueWrite(quint8(currentNetNum), ble::kSensorSetPassword, 0));
    currentCommand = ble::kSerialAndFirmwareCommand;
    if (!run.waitAndTake(kDeleteSecondStepMs))
        return false;
    passwordCommandUsed = true;
    startCommandStatusTimer();
    showStatusMessageUp(tr("Ожидаем ответ от беспроводного датчика"));
    deleteRequested = true;
    waitingReply = true;
    mainStatus = false;
    emit signalWriteLog("Delete password BLE");
    return true;
}

bool BLEDevice::requireSensorReadings()
{
    // In the advertising mode the places are the list's slots, and the page
    // reads no linked sensor.
    if (!advertMode && hasCurrentReading(shownSensor))
        return true;
    showMessage(QString(), tr("Нет показаний датчика\nДождитесь их и повторите калибровку"), statusParent());
    return false;
}

bool BLEDevice::sendLevelFromCurrent(Procedure &run, bool full)
{
    if (!run.alive() || !requireSensorReadings())
        return false;
    // The sensor keeps its own password state on this page; no wired
    // password frame goes to the base. The base's next report is this
    // command's outcome, even when it repeats the last one.
    awaitCommandOutcome();
    emit writeData(ble::levelFromCurrentRequest(quint8(currentNetNum), full));
    showStatusMessageUp(tr("Ожидаем ответа от датчика"));
    return true;
}

bool BLEDevice::presentAcceptedPassword(Procedure &run)
{
    if (!(passwordProtected && acceptedPassword))
        return true;
    if (!sendPass(run, int(*acceptedPassword), ble::kPasswordEnterCommand))
        return false;
    run.releaseLine();
    return true;
}

bool BLEDevice::writeEmptyThenFull(Procedure &run, qint32 empty, qint32 full, bool presentPassword)
{
    const quint8 address = quint8(currentNetNum);
    if (presentPassword && !presentAcceptedPassword(run))
        return false;
    awaitCommandOutcome();
    emit writeData(ble::valueWrite(address, ble::kWriteEmptyCommand, quint32(empty)));
    // The base relays the Empty write to its sensor and back.
    for (int i = 0; i < kCalibrationChecks; ++i) {
        if (!run.waitAndTake(kCalibrationCheckMs))
            return false;
    }
    if (presentPassword && !presentAcceptedPassword(run))
        return false;
    awaitCommandOutcome();
    emit writeData(ble::valueWrite(address, ble::kWriteFullCommand, quint32(full)));
    return true;
}

bool BLEDevice::writeLevels(Procedure &run, qint32 empty, qint32 full)
{
    if (!run.alive())
        return false;
    // Said as the Empty write goes; the levels go without the password the
    // calibration presents.
    showStatusMessageUp(tr("Ожидаем ответа от датчика"));
    return writeEmptyThenFull(run, empty, full, false) && run.waitAndTake(kLevelAnswerMs);
}

void BLEDevice::autoCalibrateFullEmptyBLE(Procedure &run)
{
    // Its waits run the event loop: `run` keeps a second start, or a
    // settings write, from mixing the frames meanwhile.
    if (!run.alive() || !requireSensorReadings())
        return;
    const Sensor &s = sensors[size_t(shownSensor)];
    const ble::EmptyFull values = ble::autoCalibration(qint32(s.current), s.temperature);
    if (!writeEmptyThenFull(run, values.empty, values.full, true))
        return;
    timerStatusMsg->start(kStatusMessageMs);
    showStatusMessage(tr("Ожидаем ответа от беспроводного датчика"));
    needUpdateFullValAutocalib = 1;
    for (int i = 0; i < kCalibrationChecks; ++i) {
        emit signalCheckIncommingData();
        if (!run.wait(kCalibrationCheckMs))
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
