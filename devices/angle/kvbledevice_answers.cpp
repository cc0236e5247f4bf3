// Answer intake of the wireless angle sensor page: the frame checks, the
// base's data and serial-number answers, the status code of the last command
// and what the page shows of the sensor.
#include "devices/angle/kvbledevice.h"

#include "deruvivuriri_form.h"

#include "link/frame.h"
#include "ui/dynamicqdialog.h"
#include "ui/securityble.h"
#include "ui/switch.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMovie>
#include <QTimer>

namespace {

// Every accepted answer in hexadecimal, for a developer who switches the
// category on (QT_LOGGING_RULES="reriruvozive.kvble.answers.debug=true").
Q_LOGGING_CATEGORY(lcAnswers, "reriruvozive.kvble.answers", QtInfoMsg)

constexpr QSize kRotationSize{233, 133};
constexpr int kCountdownTickMs = 1000;

} // namespace

int KVBLEDevice::run(int cnt, char *buf)
{
    // Answers are cut from the front of a chunk: one that does not begin
    // with an answer's start byte holds none that could be taken.
    const bool answerFirst = buf && cnt > 0 && quint8(buf[0]) == frame::kAnswerStart;
    if (!isSearchActive() && !answerFirst)
        return 1;
    return BaseDevice::run(cnt, buf);
}

std::vector<int> KVBLEDevice::answerLengths(quint8 command) const
{
    return kvble::answerLengths(command);
}

void KVBLEDevice::takeSearchAnswer(const QByteArray &chunk)
{
    const std::optional<QByteArray> found = kv380::decodeSearchAnswer(chunk);
    if (!found) {
        resetDeviceIsConnected();
        return;
    }
    netNumList = *found;
    stopSearchDevices();
    // Whoever answered, the sensor is reached through the base.
    emit writeData(frame::request(kvble::kBaseAddress, kvble::kDataCommand));
    emit copyNetNumToParent(netNumList);
    emit signalRequestForGetSerNumAndFirmWareVersion();
}

void KVBLEDevice::takeFrame(const QByteArray &frame)
{
    const std::optional<ble::AnswerHead> head = ble::acceptAnswer(frame);
    if (!head || head->net != kvble::kBaseAddress)
        return;
    qCDebug(lcAnswers).noquote() << frame.toHex(' ');
    switch (head->command) {
    case kvble::kDataCommand:
        // None after an answer that ended the connection.
        if (!handleData(frame))
            stopIntake();
        break;
    case kvble::kSerialCommand:
        handleSerial(frame);
        break;
    default:
        // The relayed commands' own answers carry nothing: their outcome
        // comes as a status code.
        break;
    }
}

bool KVBLEDevice::handleData(const QByteArray &frame)
{
    if (kvble::isOtherKindLength(frame.size())) {
        refuseOtherKind(frame);
        return false;
    }
    const std::optional<kvble::Data> data = kvble::decodeData(frame);
    if (!data)
        return true; // too short to hold the fields: nothing of it is taken

    showUI(true);
    resetTimerDeviceConnected();
    mode = data->mode;
    mac = data->mac;
    triggerEvent = data->event;
    angle = data->angle;
    rawValue = data->raw;
    newKvBleParam = data->param;
    previousStatus = statusCode;
    statusCode = data->status;
    if (commandSentAt.isValid() && commandSentAt.elapsed() >= kFreshAnswerMs)
        codesSinceCommand.insert(statusCode);
    if (!compareParam()) {
        needUpdateWindow = true;
        setNewParam();
    }
    signedValue = data->signedValue;
    sensorPresent = data->sensorPresent;
    firmware = data->firmware;

    if (ui)
        ui->label_81->setText(QString::number(angle));
    showTriggerEvent(mode, triggerEvent);
    if (needUpdateWindow)
        refreshSettings();
    handleStatus(statusCode);
    if (deviceInfoShown)
        showDeviceInfo();

    // Until the sensor tells whether it has a password, an answer brings the
    // probe again once no password frame awaits its answer, the probe's own
    // included, and no procedure of the page runs.
    if (protection.is(SensorProtection::State::NotKnown) && sensorPresent && passwordQuestion->mayAsk() &&
        !isProcedureRunning())
        probeUnlessOpened();
    resetTimerDeviceConnected();
    return true;
}

QString KVBLEDevice::sensorIdentity() const
{
    return serialKnown ? QString::number(serialNumber) : QString();
}

void KVBLEDevice::probeUnlessOpened()
{
    // The probe sets "no password", which a sensor opened with its password
    // in this run (it stays open until it is powered off) takes for its new
    // one: such a sensor is known to be protected and is not probed.
    switch (openedSensors.probeFor(sensorIdentity())) {
    case OpenedSensors::Probe::Allowed:
        checkPassOnlyBLE();
        qDebug() << "checkPassOnlyBLE";
        break;
    case OpenedSensors::Probe::Withheld:
        setProtection(SensorProtection::State::Protected);
        showLock(true);
        break;
    case OpenedSensors::Probe::Uncertain:
        setProtection(SensorProtection::State::Uncertain);
        break;
    case OpenedSensors::Probe::IdentityFirst:
        emit signalRequestForGetSerNumAndFirmWareVersion();
        break;
    }
}

void KVBLEDevice::refuseOtherKind(const QByteArray &frame)
{
    // Polling stops first, so that the answers still coming cannot open the
    // message again: one message at a time.
    disconnectDevice();
    if (kvble::otherKindLinked(frame))
        setConnected(true);
    if (otherKindMessage || !ui)
        return;
    auto *message = new DynamicQDialog(ui->KV_BLE, tr("Подключенное устройство не соответствует выбранному"),
                                       tr("Подключите другое"), false);
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->setModal(true);
    otherKindMessage = message;
    message->open();
}

void KVBLEDevice::handleSerial(const QByteArray &frame)
{
    const std::optional<kvble::Serial> answer = kvble::decodeSerial(frame);
    if (!answer)
        return;
    setConnected(true);
    resetTimerDeviceConnected();
    serialNumber = answer->serial;
    serialWord = answer->word;
    serialKnown = true;
    // A password sent before the serial came went to this sensor.
    openedSensors.identified(0, sensorIdentity());
}

void KVBLEDevice::showTriggerEvent(quint8 workingMode, quint8 eventState)
{
    const char *text = kvble::eventText(workingMode, eventState);
    if (text && ui)
        ui->label_85->setText(tr(text));
}

void KVBLEDevice::refreshSettings()
{
    needUpdateWindow = false;
    if (ui) {
        // A field the user edited and has not written yet keeps the edit.
        const auto refresh = [](QLineEdit *field, bool edited, quint32 value) {
            if (!edited)
                field->setText(QString::number(value));
        };
        refresh(ui->lineEditKVBLEUp, upEdited, oldKvBleParam.up);
        refresh(ui->lineEditKVBLEDown, downEdited, oldKvBleParam.down);
        refresh(ui->lineEditKVBLEOn, delayOnEdited, oldKvBleParam.delayOn);
        refresh(ui->lineEditKVBLEOff, delayOffEdited, oldKvBleParam.delayOff);
    }
    for (size_t i = 0; i < switches.size(); ++i) {
        if (switches[i])
            switches[i]->setState(mode == kvble::kSwitchModes[i]);
    }
    showRotation(mode);
}

void KVBLEDevice::showRotation(quint8 workingMode)
{
    for (QMovie *movie : {currentVertical, currentHorizontal}) {
        if (movie)
            movie->stop();
    }
    currentVertical = nullptr;
    currentHorizontal = nullptr;
    const kvble::Rotation rotation = kvble::rotationOf(workingMode);
    if (rotation == kvble::Rotation::None) {
        if (ui)
            ui->labelGIF_KVBLE->clear();
        return;
    }
    // The theme is asked at each start, so a change shows at the next one.
    const bool dark = checkDarkTheme();
    QMovie *movie = nullptr;
    if (rotation == kvble::Rotation::Vertical)
        movie = currentVertical = dark ? movieVertical : movieVerticalLight;
    else
        movie = currentHorizontal = dark ? movieHorizontal : movieHorizontalLight;
    movie->setScaledSize(kRotationSize);
    if (ui)
        ui->labelGIF_KVBLE->setMovie(movie);
    movie->start();
}

void KVBLEDevice::showDeviceInfo()
{
    if (!ui)
        return;
    ui->label_MAC_KVBLE->setText(kvble::macText(mac));
    ui->label_FirmwareValKVBLE->setText(kvble::firmwareText(firmware));
    ui->label_SerNumValKVBLE->setText(serialKnown ? QString::number(serialNumber) : QStringLiteral("--"));
}

void KVBLEDevice::clearDeviceInfo()
{
    deviceInfoShown = false;
    serialKnown = false;
    if (!ui)
        return;
    ui->label_FirmwareValKVBLE->setText(QStringLiteral("--"));
    ui->label_SerNumValKVBLE->setText(QStringLiteral("--"));
    ui->label_MAC_KVBLE->setText(QStringLiteral("--:--:--:--:--:--"));
}

// ---- Status codes ------------------------------------------------------------

void KVBLEDevice::showCommandMessage(const QString &text)
{
    // The outcome came: the waiting text's own time is over.
    timerCommandReply->stop();
    mainStatus = false;
    showStatusMessageUp(text);
    timerStatusMsg->start(kStatusMessageMs);
}

void KVBLEDevice::showStatusAction(const kvble::StatusAction &action)
{
    showCommandMessage(QCoreApplication::translate(action.context, action.message));
    emit signalWriteLog(QString::fromLatin1(action.log));
    if (action.refreshesSettings)
        needUpdateWindow = true;
}

void KVBLEDevice::handleStatus(int code)
{
    // Every report, repeated or not, is a fact for the password frame in
    // flight; an acceptance or a refusal answering nothing asked is no
    // outcome.
    passwordQuestion->reported(code);
    switch (code) {
    case kvble::kStatusLinkReport:
        handleLinkReport(sensorPresent);
        return;
    case kvble::kStatusPasswordAccepted:
    case kvble::kStatusPasswordRefused:
        return;
    case kvble::kStatusRebooted:
        // The base repeats the report in several answers; it is one restart.
        if (previousStatus != kvble::kStatusRebooted)
            handleRebooted();
        return;
    default:
        break;
    }
    if (const std::optional<kvble::StatusAction> action = kvble::statusAction(code))
        showStatusAction(*action);
}

void KVBLEDevice::handleLinkReport(bool present)
{
    if (!present) {
        // Said once per loss, not with every answer that still finds no sensor.
        if (!absentLogged)
            emit signalWriteLog(QStringLiteral("KVBLE device not connected"));
        absentLogged = true;
        setConnected(false);
        announceArmed = true;
        showStatusMessageUp(tr("Связь с беспроводным датчиком не установлена"));
        showStatusMessage(tr("Подключите датчик"));
        clearDeviceInfo();
        if (ui)
            ui->label_LockKVBLE->hide();
        return;
    }
    absentLogged = false;
    if (!mainStatus)
        return; // a command's message of the last seconds stays
    showStatusMessageUp(tr("Связь с беспроводным датчиком установлена"));
    showStatusMessage(tr("Подключен KV-BLE"));
    setConnected(true);
    // The sensor came back: its lock shows again as it was reported.
    if (protection.isReported() && ui && ui->label_LockKVBLE->isHidden())
        showLock(lockShown);
    if (newDevice && announceArmed) {
        emit signalNewDeviceIsConnected();
        newDevice = false;
        deviceInfoShown = true;
        announceArmed = false;
        emit signalRequestForGetSerNumAndFirmWareVersion();
    }
}

void KVBLEDevice::showLock(bool locked)
{
    lockShown = locked;
    if (!ui)
        return;
    ui->label_LockKVBLE->setPixmap(locked ? pixLock : pixUnlock);
    ui->label_LockKVBLE->show();
}

QLabel *KVBLEDevice::lockLabel() const
{
    return ui ? ui->label_LockKVBLE : nullptr;
}

void KVBLEDevice::passwordAnswered(int step, int code, bool late)
{
    if (!isSessionRunning())
        return;
    const bool taken = code == kvble::kStatusPasswordAccepted;
    if (step == Probe) {
        // "No password" taken: the sensor has none; refused: it has one.
        setProtection(taken ? SensorProtection::State::Open : SensorProtection::State::Protected);
        if (!taken)
            qDebug() << "Датчик запаролен";
        showLock(!taken);
        return;
    }
    if (!taken) {
        needUpdateWindow = true;
        // A failure is told by its code's own text, as every status code.
        if (code != kvble::kStatusPasswordRefused)
            return;
        // The sensor has a password, and this one was wrong: nothing asked
        // for happened, and it opened nothing. A late refusal may answer
        // another command: the password still counts as taken.
        if (!late)
            openedSensors.refused(passwordSent);
        setProtection(SensorProtection::State::Protected);
        showLock(true);
        showCommandMessage(tr("Введён не верный пароль датчика"));
        return;
    }
    openedSensors.took(passwordSent);
    // The deletion's password taken after its wait is the password taken:
    // its "no password" did not follow.
    switch (late && step == DeletePresent ? Input : step) {
    case DeletePresent:
        return; // the sensor took its password; "no password" follows
    case Input:
        setProtection(passwordLastSent != 0 ? SensorProtection::State::Protected : SensorProtection::State::Open);
        showLock(false);
        showCommandMessage(tr("Пароль принят"));
        emit signalWriteLog(QStringLiteral("The password bluetooth device is correct"));
        break;
    case Set:
        setProtection(passwordLastSent != 0 ? SensorProtection::State::Protected : SensorProtection::State::Open);
        showLock(isPasswordProtected());
        showCommandMessage(tr("Новый пароль ВТ датчика успешно установлен"));
        emit signalWriteLog(QStringLiteral("New password BLE device successfully set"));
        break;
    default:
        setProtection(SensorProtection::State::Open);
        showLock(false);
        showCommandMessage(tr("Пароль ВТ датчика успешно удалён"));
        emit signalWriteLog(QStringLiteral("Password successfully delete"));
        break;
    }
    if (securityDialog)
        securityDialog->accept();
}

void KVBLEDevice::passwordUnanswered(int step, bool unsettled)
{
    // The probe goes again with a later answer.
    if (!isSessionRunning() || step == Probe)
        return;
    // The password still counts as sent: the sensor may have taken it, and
    // whether it has a password now is not known.
    if (step == Delete || (step == Set && !isPasswordProtected()))
        setProtection(SensorProtection::State::Uncertain);
    showCommandMessage(PasswordQuestion::unansweredText(step, unsettled));
    emit signalWriteLog(QStringLiteral("Password KVBLE not answered"));
}

void KVBLEDevice::handleRebooted()
{
    needUpdateWindow = true;
    showCommandMessage(tr("Успешная перезагрузка ВТ датчика"));
    emit signalWriteLog(QStringLiteral("Reboot BLE successfull"));
    // One countdown: a new restart report starts it again from the top.
    countdown = kCountdownSeconds;
    if (!countdownTimer) {
        countdownTimer = new QTimer(this);
        connect(countdownTimer, &QTimer::timeout, this, &KVBLEDevice::updateTimerFwBLE);
    }
    countdownTimer->start(kCountdownTickMs);
    if (!ui)
        return;
    ui->labelTimerUpdFwBLE->show();
    ui->labelMsgUpdBLE->setText(tr("Если по истечении таймера вы\nне увидели датчик в программе NRFConnect,\nто "
                                   "произошла ошибка в обновлении\nПовторите"));
    ui->labelMsgUpdBLE->show();
}
