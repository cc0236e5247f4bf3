// The linked sensor's data answer: its fields, the status code of the last
// command it carries, and the display of the readings.
#include "devices/ble/bledevice.h"

#include "deruvivuriri_form.h"

#include "devices/ble/bleprotocol.h"
#include "devices/fls/flsprotocol.h"
#include "link/bus.h"
#include "link/ringbuffer.h"
#include "ui/dynamicqdialog.h"
#include "ui/widgettar.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLabel>
#include <QPalette>
#include <QSerialPort>
#include <QTimer>

namespace {

const char *const kFaultColour = "#E32323";
constexpr int kFaultIconSize = 18;
constexpr int kFaultIconGap = 4;
constexpr int kFaultIconDrop = 3;
constexpr int kAutoCalibrationAnswers = 12;

QString signedText(quint32 value)
{
    return QString::number(qint32(value));
}

} // namespace

void BLEDevice::handleData(const QByteArray &frame)
{
    endRefusal();
    lastReplyCommand = ble::kDataCommand;
    linkValid = false;
    const std::optional<quint8> kind = ble::sensorKind(frame);
    const bool known = ble::isDataLength(frame.size());
    if (known && kind && ble::isLinkedKind(*kind)) {
        linkValid = true;
        markAnswered();
        if (ble::isServedKind(*kind))
            kindAccepted = true;
        if (ui)
            ui->pushBtnInUpdBase->show();
    }
    if (kind && !ble::isServedKind(*kind)) {
        refuseWrongKind();
        return;
    }
    // Fields come only from the lengths the base sends; anything else only
    // shows that the base is there.
    const std::optional<ble::Data> data = kindAccepted ? ble::decodeData(frame) : std::nullopt;
    if (!data)
        return;

    // An answer naming no linked sensor is no reading of one: the levels
    // kept from before are no longer of now.
    if (data->battery != 0)
        stampReading(shownSensor);
    else
        forgetReading(shownSensor);
    markAnswered();
    const std::optional<int> slot = storeSlot();
    if (slot)
        storeData(*slot, *data);
    if (data->address)
        sensorAddress = *data->address;
    if (ui)
        ui->pushBtnChangeBaseLinkIDBLE->show();

    currentValue = sensors[size_t(shownSensor)].current;
    if (ui)
        ui->label_88->setText(signedText(currentValue));
    stepAutoCalibration();
    handleStatus(data->status);
    if (slot)
        showData(*slot);
}

void BLEDevice::refuseWrongKind()
{
    // Polling stops first, so that the answers still coming cannot open the
    // message again; one message at a time.
    stopIntake();
    disconnectDevice();
    if (wrongKindMessage || !statusParent())
        return;
    // Not showMessage(): the intake must not wait in a message box's loop
    // while answers keep arriving, so this one is opened and left.
    auto *message = new DynamicQDialog(statusParent(), tr("Подключите другое"),
                                       tr("Подключенное устройство не соответствует выбранному"), false);
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->setModal(true);
    wrongKindMessage = message;
    message->open();
}

void BLEDevice::storeData(int slot, const ble::Data &data)
{
    Sensor &s = sensors[size_t(slot)];
    s.battery = data.battery;
    // Without a linked sensor the other fields are no sensor's values.
    if (data.battery == 0)
        return;
    s.temperature = data.temperature;
    s.level = data.level;
    s.current = data.current;
    s.empty = data.empty;
    s.full = data.full;
    s.mode = data.mode;
    s.filter = data.filter;
    s.firmwareByte = data.firmware;
    s.rssi = data.rssi;
}

void BLEDevice::stepAutoCalibration()
{
    if (autoCalibrateAllMode)
        emit signalUpdateCNTForAutoCalib();
    if (needUpdateEmptyValAutocalib > 0 && --needUpdateEmptyValAutocalib == 0)
        emit signalUpdateEmptyValForAutocalib();
    qDebug() << "needUpdateEmptyValAutocalib = " << needUpdateEmptyValAutocalib;
    if (needUpdateFullValAutocalib > 0 && --needUpdateFullValAutocalib == 0)
        emit signalUpdateFullValForAutocalib();
    qDebug() << "needUpdateFullValAutocalib = " << needUpdateFullValAutocalib;
}

// ---- Status codes ------------------------------------------------------------

void BLEDevice::showCommandMessage(const QString &text)
{
    mainStatus = false;
    showStatusMessageUp(text);
    timerStatusMsg->start(kStatusMessageMs);
}

void BLEDevice::handleStatus(quint8 code)
{
    // Every report, repeated or not, is a fact for the password frame in
    // flight; one that answers it is told as that frame's outcome, and its
    // repeats are no new outcome.
    if (passwordQuestion->reported(code)) {
        lastCommandStatus = code;
        return;
    }
    // An acceptance answering nothing asked is no outcome.
    if (code == ble::kStatusPasswordAccepted || code > ble::kLastStatus)
        return;
    if (code == ble::kStatusLinkReport) {
        handleLinkReport();
        return;
    }
    // The base repeats an outcome in several answers; it is one outcome.
    if (lastCommandStatus == code)
        return;
    lastCommandStatus = code;

    if (code == ble::kStatusRebooted) {
        handleRebooted();
        return;
    }
    if (code == ble::kStatusPasswordRefused) {
        // A command the locked sensor refused (Full, Empty); until the probe
        // was answered, the probe's refusal still on its way.
        if (!protection.is(SensorProtection::State::NotKnown)) {
            setProtection(SensorProtection::State::Protected);
            showLock(true);
            needUpdateWindow = true;
            showCommandMessage(tr("Введён не верный пароль датчика"));
        }
        return;
    }
    const std::optional<ble::StatusText> text = ble::statusText(code);
    if (!text)
        return;
    if (code == ble::kStatusModeSet)
        modeSet = true;
    if (code == ble::kStatusModeSet || code == ble::kStatusModeNotSet)
        needUpdateWindow = true;
    if (code == ble::kStatusDirectiveCalibration) {
        needUpdateEmptyValAutocalib = kAutoCalibrationAnswers;
        needUpdateFullValAutocalib = kAutoCalibrationAnswers;
    }
    showCommandMessage(tr(text->message));
    qDebug() << text->debug;
    emit signalWriteLog(QString::fromLatin1(text->log));
}

void BLEDevice::handleLinkReport()
{
    // A link report ends the run of a repeated outcome.
    lastCommandStatus.reset();
    const Sensor &s = sensors[size_t(shownSensor)];
    if (s.battery == 0) {
        // Said once per loss, not with every answer that still finds no sensor.
        if (!noSensorLogged)
            emit signalWriteLog("Bluetooth device not connected");
        noSensorLogged = true;
        sensorAbsent = true;
        showStatusMessageUp(tr("Связь с беспроводным датчиком не установлена"));
        showStatusMessage(tr("Подключите датчик"));
        sensorLinked = false;
        showNoSensor();
        return;
    }
    if (!mainStatus)
        return; // a command message of the last seconds stays
    showStatusMessageUp(tr("Связь с беспроводным датчиком установлена"));
    // A refused second start is told until the running procedure ended.
    if (!refusalShown)
        showStatusMessage(tr("Подключен VO-DIZ"));
    if (!sensorLinked)
        emit deviceIsConnectedToBase();
    sensorLinked = true;
    noSensorLogged = false;
    if (ui)
        ui->label_TempValBLE->setText(QString::number(int(s.temperature)));
    if (waitNewDeviceConnect && sensorAbsent) {
        emit signalNewDeviceIsConnected();
        waitNewDeviceConnect = false;
        sensorAbsent = false;
        emit signalRequestForGetSerNumAndFirmWareVersion();
    }
}

void BLEDevice::showNoSensor()
{
    if (ui) {
        for (QLabel *label : {ui->label_SerNumValBLE, ui->label_StableBLE, ui->label_UrovenBLE, ui->label_RSSI_VAL_BLE,
                              ui->label_BAT_VAL_BLE, ui->label_FirmwareValBLE})
            label->setText(QStringLiteral("--"));
        ui->label_TempValBLE->setText(QStringLiteral("0"));
        ui->label_LockBLE_BLE->setPixmap(pixUnlock);
        ui->label_LockBLE_BLE->hide();
        ui->comboBox_FiltrBLE->setCurrentIndex(0);
    }
    setDefaultMACAddressDevice();
}

void BLEDevice::forgetSensor()
{
    sensors.fill(Sensor());
    for (RingBuffer *window : smoothingBuffers)
        window->clear();
    currentValue = 0;
    emptyVal = 0;
    fullValue = 0;
    forgetReadings();
    if (ui) {
        ui->label_88->setText(signedText(currentValue));
        ui->label_ValCurrentBLE->setText(signedText(currentValue));
        ui->progressBarLevelBLE->setValue(0);
        ui->label_NeedCalibBLE->hide();
        ui->label_Alarm_9BLE->hide();
    }
    if (levelFaultIcon)
        levelFaultIcon->hide();
    showNoSensor();
}

void BLEDevice::passwordAnswered(int what, int code, bool late)
{
    if (!isSessionRunning())
        return;
    const bool taken = code == ble::kStatusPasswordAccepted;
    if (what == ProbeFrame) {
        // "No password" taken: the sensor has none; refused: it has one.
        setProtection(taken ? SensorProtection::State::Open : SensorProtection::State::Protected);
        if (!taken)
            qDebug() << "Датчик запаролен";
        showLock(!taken);
        return;
    }
    const quint32 pass = passwordAwaited;
    if (taken) {
        openedSensors.took(passwordAwaitedSent);
    } else if (code == ble::kStatusPasswordRefused && !late) {
        // The typed password was wrong: nothing asked for happened, and it
        // opened nothing. A late refusal may answer another command: the
        // password still counts as taken.
        openedSensors.refused(passwordAwaitedSent);
    }
    // A write's own presentation tells nothing: the write tells its outcome.
    if (what == WriteFrame)
        return;
    if (!taken) {
        needUpdateWindow = true;
        // What the sensor answered the dialog tells whether it has a password.
        if (code == ble::kStatusPasswordRefused) {
            setProtection(SensorProtection::State::Protected);
            showLock(true);
            showCommandMessage(tr("Введён не верный пароль датчика"));
        } else {
            showCommandMessage(tr("Ошибка изменения пароля ВТ датчика"));
            emit signalWriteLog("Error change password BLE");
        }
        return;
    }
    // The removal's password taken after its wait, is the password taken:
    // its "no password" did not follow.
    switch (late && what == RemoveEnterFrame ? int(EnterFrame) : what) {
    case EnterFrame:
        setProtection(pass != 0 ? SensorProtection::State::Protected : SensorProtection::State::Open);
        passwordSet = false;
        acceptedPassword = pass;
        showCommandMessage(tr("Пароль принят"));
        emit signalWriteLog("Password bluetooth device is correct");
        break;
    case SetFrame:
        setProtection(pass != 0 ? SensorProtection::State::Protected : SensorProtection::State::Open);
        passwordSet = pass != 0;
        acceptedPassword = pass;
        showCommandMessage(tr("Новый пароль ВТ датчика успешно установлен"));
        emit signalWriteLog("New password BLE device successfully set");
        break;
    case RemoveFrame:
        openedSensors.forget(shownOpenedSensor());
        setProtection(SensorProtection::State::Open);
        passwordSet = false;
        acceptedPassword.reset();
        showCommandMessage(tr("Пароль ВТ датчика успешно удалён"));
        emit signalWriteLog("Password successfully delete");
        break;
    default:
        return; // the removal's password was taken: "no password" follows
    }
    showLock(passwordSet);
}

void BLEDevice::passwordUnanswered(int what, bool unsettled)
{
    // The probe goes again with a later answer; a write's presentation is
    // told by its write.
    if (!isSessionRunning() || what == ProbeFrame || what == WriteFrame)
        return;
    // The password still counts as sent: the sensor may have taken it, and
    // whether it has a password now is not known.
    if (what == RemoveFrame || (what == SetFrame && !isPasswordProtected()))
        setProtection(SensorProtection::State::Uncertain);
    showCommandMessage(PasswordQuestion::unansweredText(what, unsettled));
    emit signalWriteLog("Password BLE not answered");
}

void BLEDevice::handleRebooted()
{
    showCommandMessage(tr("Успешная перезагрузка ВТ датчика"));
    startCountdown();
    if (ui) {
        ui->labelMsgUpdBLE->setWordWrap(true);
        ui->labelMsgUpdBLE->setText(tr("Если по истечении таймера вы\nне увидели датчик в программе NRFConnect,\nто "
                                       "произошла ошибка в обновлении\nПовторите"));
        ui->labelMsgUpdBLE->show();
    }
    emit signalWriteLog("Reboot BLE successfull");
}

// ---- Display -----------------------------------------------------------------

void BLEDevice::showData(int slot)
{
    if (!sensorLinked)
        return;
    const Sensor &s = sensors[size_t(shownSensor)];
    setMACAddressDevice();
    if (ui) {
        ui->label_RSSI_VAL_BLE->setText(QString::number(s.rssi) + QStringLiteral("dB"));
        ui->label_FirmwareValBLE->setText(bus::firmwareText(s.firmwareByte));
        ui->label_SerNumValBLE->setText(QString::number(s.serial));
        ui->label_FirmwareVal->show();
        ui->label_FirmwareName->show();
        ui->label_FirmwareVal->setText(bus::firmwareText(s.firmware));
        ui->label_BAT_VAL_BLE->setText(ble::batteryText(s.battery) + tr("В"));
        if (needUpdateWindow) {
            ui->comboBox_FiltrBLE->clear();
            ui->comboBox_FiltrBLE->addItems(fls::levelList(tr("Нет")));
        }
        const QString temperature = QString::number(int(s.temperature)) + tr("°C");
        ui->label_TempValDUT->setText(temperature);
        ui->label_TempVal_2->setText(temperature);
        ui->label_ValCurrentBLE->setText(signedText(s.current));
    }
    showStability(slot);
    showLevel(slot);
    showCalibration(slot);
    if (needUpdateWindow && kindAccepted)
        refreshWindow();

    if (protection.is(SensorProtection::State::NotKnown))
        probeUnlessOpened();
    logConnection();
}

void BLEDevice::showLock(bool locked)
{
    if (!ui)
        return;
    ui->label_LockBLE_BLE->setPixmap(locked ? pixLock : pixUnlock);
    ui->label_LockBLE_BLE->show();
}

QLabel *BLEDevice::lockLabel() const
{
    return ui ? ui->label_LockBLE_BLE : nullptr;
}

QString BLEDevice::shownSensorIdentity() const
{
    const Sensor &s = sensors[size_t(shownSensor)];
    return s.serialKnown ? QString::number(s.serial) : QString();
}

void BLEDevice::probeUnlessOpened()
{
    // The probe sets "no password", which a sensor opened with its password
    // in this run (it stays open until it is powered off) takes for its new
    // one: such a sensor is known to be protected and is not probed.
    switch (openedSensors.probeFor(shownSensorIdentity())) {
    case OpenedSensors::Probe::Allowed:
        sendClearPasswordCmd();
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

void BLEDevice::showStability(int slot)
{
    // One sliding window of raw values per sensor.
    Sensor &k = sensors[size_t(slot)];
    RingBuffer *window = smoothingBuffers[size_t(slot)];
    int raw = qint32(k.current);
    window->writeInts(&raw, 1);
    if (window->count() != kStabilityWindow)
        return;
    const int mean = int(window->average());
    k.stability = fls::stabilityGrade(mean, qint32(k.current), k.stability);
    int oldest = 0;
    window->readInts(&oldest, 1);
}

void BLEDevice::showLevel(int slot)
{
    const Sensor &s = sensors[size_t(shownSensor)];
    const Sensor &k = sensors[size_t(slot)];
    const quint16 level = s.level;
    levelFaultCode = level;
    if (const char *fault = fls::levelAlarmText(level)) {
        setColorLabelLevel(kFaultColour);
        if (ui) {
            ui->label_StableBLE->setText(QCoreApplication::translate("FLSDevice", fault));
            ui->label_StableBLE->adjustSize();
        }
        if (levelFaultIcon && ui) {
            const QRect at = ui->label_StableBLE->geometry();
            levelFaultIcon->setGeometry(at.right() + kFaultIconGap, at.top() + kFaultIconDrop, kFaultIconSize,
                                        kFaultIconSize);
            levelFaultIcon->setMaximumSize(kFaultIconSize, kFaultIconSize);
            levelFaultIcon->show();
        }
    } else {
        if (levelFaultIcon)
            levelFaultIcon->hide();
        if (const char *colour = fls::stabilityColour(k.stability)) {
            const QString text = QCoreApplication::translate("FLSDevice", fls::stabilityText(k.stability));
            if (slot == shownSensor) {
                setColorLabelLevel(colour);
                if (ui) {
                    ui->label_StableBLE->setText(text);
                    ui->label_StableBLE->adjustSize();
                }
            }
            if (WidgetTar *card = widgetTarOf(slot)) {
                card->setLabel4Text(text);
                QPalette palette = card->palette();
                palette.setColor(QPalette::Window, QColor(colour));
                card->setPalette(palette);
                card->setAutoFillBackground(true);
            }
        }
    }
    if (ui)
        ui->progressBarLevelBLE->setValue(level);
    if (WidgetTar *card = widgetTarOf(slot))
        card->setLabel2Text(tr("Уровень ") + QString::number(k.level));
    sensors[size_t(slot)].levelCopy = k.level;
    emit copyLevelValueToMain(k.level, slot);
    if (ui)
        ui->label_UrovenBLE->setText(QString::number(level));
}

void BLEDevice::showCalibration(int slot)
{
    const Sensor &s = sensors[size_t(shownSensor)];
    const Sensor &k = sensors[size_t(slot)];
    emptyVal = s.empty;
    fullValue = s.full;
    qDebug() << "updated full & empty";
    qDebug() << "fullValue = " << fullValue;
    qDebug() << "emptyVal = " << emptyVal;

    const bool calibrated = ble::isCalibrated(k.empty, k.full);
    needCalibration = !calibrated;
    if (ui) {
        const bool warn = !calibrated && kindAccepted;
        ui->label_NeedCalibBLE->setVisible(warn);
        ui->label_Alarm_9BLE->setVisible(warn);
    }
    if (WidgetTar *card = widgetTarOf(slot))
        card->setLabel3Text(calibrated ? tr("Калиброван") : tr("Не калиброван"));
}

void BLEDevice::refreshWindow()
{
    const Sensor &s = sensors[size_t(shownSensor)];
    showUI(true);
    paramsAcknowledged = true;
    const quint8 f = s.filter;
    const quint8 m = s.mode;
    if (ui)
        ui->comboBox_FiltrBLE->setCurrentIndex(f & ble::kFilterLevelMask);
    paramsBLE.settings[2] = f;
    paramsBLE.settings[4] = f;
    paramsBLE.settings[0] = m;
    const bool wide = m & ble::kWideRangeBit;
    range4095 = wide;
    range1023 = !wide;
    if (ui) {
        ui->progressBarLevelBLE->setMaximum(wide ? 4095 : 1023);
        ui->comboBoxRangeBLE->setCurrentIndex(wide ? 1 : 0);
        if (m == ble::kModeShowsLevel) {
            ui->label_UrovenBLE->show();
            ui->label_NameUrovenBLE->show();
            ui->label_UrovenBLE->raise();
            ui->label_NameUrovenBLE->raise();
        } else if (m == ble::kModeHidesLevel) {
            ui->label_UrovenBLE->hide();
            ui->label_NameUrovenBLE->hide();
        }
        if (serialPort)
            ui->comboBox_SerialPort->setCurrentText(serialPort->portName());
    }
    needUpdateWindow = false;
    CompareNetNum(currentNetNum);
}

void BLEDevice::logConnection()
{
    if (!deviceIsConnectedJustNow)
        return;
    emit signalRequestForGetSerNumAndFirmWareVersion();
    const Sensor &s = sensors[size_t(shownSensor)];
    // One whole line each time, never a text that grows with every answer.
    QString line = ble::connectionSummary(currentNetNum, emptyVal, fullValue, s.levelCopy, s.level, s.temperature);
    if (!connectionIdentity.isEmpty())
        line += QStringLiteral(", ") + connectionIdentity;
    emit signalWriteLog(line);
    if (pageFirmware != 0) {
        qDebug() << "deviceIsConnectedJustNow = false";
        deviceIsConnectedJustNow = false;
    }
}
