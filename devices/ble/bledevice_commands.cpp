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
constexpr int kCalibrationChecks = 5;
constexpr int kCalibrationCheckMs = 1000;
// The Full level typed by hand: its answer is taken this long after.
constexpr int kLevelAnswerMs = 200;

} // namespace

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
    // It waits for the answer of any password frame before it, and a
    // procedure's own go first.
    if (!passwordQuestion->mayAsk() || isProcedureRunning())
        return false;
    const QByteArray frame = ble::passwordProbe();
    passwordQuestion->asked(ProbeFrame);
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
    const bool statusAnswered = cmd == ble::kSensorEnterPassword || cmd == ble::kSensorSetPassword;
    if (statusAnswered && !passwordQuestion->waitTurn(run))
        return false;
    run.holdLine();
    awaitCommandOutcome();
    if (statusAnswered)
        passwordQuestion->asked(WriteFrame);
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

bool BLEDevice::askPassword(Procedure &run, int what, uchar cmd, quint32 pass)
{
    mainStatus = false;
    showStatusMessageUp(tr("Ожидаем ответ от беспроводного датчика"));
    if (!passwordQuestion->waitTurn(run))
        return false;
    // Nothing goes to a sensor that does not answer: its outcome could not
    // be told.
    if (!isDeviceConnected() || !sensorLinked) {
        run.releaseLine();
        setEnableShowMainStatusMsgBLE();
        run.tell(securityDialog ? static_cast<QWidget *>(securityDialog) : statusParent(), QString(),
                 tr("Подключите датчик"));
        return false;
    }
    // A removal's "no password" goes only while the sensor's last answer is
    // surely its taking of the removal's password: an answer reported since
    // (a late refusal) stops it.
    if (what == RemoveFrame && !passwordQuestion->removalMayGo(ble::kStatusPasswordAccepted)) {
        run.releaseLine();
        showCommandMessage(tr("Удаление пароля ВТ датчика не подтверждено"));
        return false;
    }
    awaitCommandOutcome();
    passwordQuestion->asked(what);
    passwordGoesOut(pass);
    emit writeData(ble::valueWrite(quint8(currentNetNum), cmd, pass));
    currentCommand = ble::kSerialAndFirmwareCommand;
    // The polls bring its answer; the waiting text stays as long as it is
    // awaited.
    run.releaseLine();
    mainStatus = false;
    showStatusMessageUp(tr("Ожидаем ответ от беспроводного датчика"));
    return run.waitAndTake(kPasswordAnswerMs);
}

bool BLEDevice::inputPassBLE()
{
    Procedure run(this);
    if (!run)
        return false;
    const std::optional<quint32> pass = typedPassword(false);
    if (!pass || !askPassword(run, EnterFrame, ble::kSensorEnterPassword, *pass))
        return false;
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
    // The lock shows as the password goes, only as the sensor reported it.
    if (ui && protection.isReported())
        ui->label_LockBLE_BLE->show();
    if (!askPassword(run, SetFrame, ble::kSensorSetPassword, *pass))
        return false;
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
    // The sensor first takes the present password, then "no password", each
    // the one question its answers may be of.
    if (!askPassword(run, RemoveEnterFrame, ble::kSensorEnterPassword, *pass) || !passwordQuestion->waitAnswer(run))
        return false;
    // "No password" goes only to a sensor that took the password: after a
    // refusal, or with no word of it, a sensor still open from an earlier
    // entry would take it. What came instead was told as it came.
    if (passwordQuestion->lastAnswer() != ble::kStatusPasswordAccepted)
        return true;
    if (!askPassword(run, RemoveFrame, ble::kSensorSetPassword, 0))
        return false;
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
    if (!(isPasswordProtected() && acceptedPassword))
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
