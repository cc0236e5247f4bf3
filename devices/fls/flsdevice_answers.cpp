// Answer intake of the wired sensor page: search answers, answer frames and
// their handlers, and the parameter widgets refreshed from the all-data answer.
#include "devices/fls/flsdevice.h"

#include "deruvivuriri_form.h"

#include "devices/answerkinds.h"
#include "devices/fls/flsprotocol.h"
#include "devices/fls/flstable.h"
#include "link/bus.h"
#include "link/frame.h"
#include "link/ringbuffer.h"
#include "ui/switch.h"
#include "ui/widgettar.h"

#include <QDebug>
#include <QLabel>
#include <QPalette>
#include <QSerialPort>
#include <QTimer>

namespace {

constexpr int kCheckOneSensorMs = 100;
constexpr int kCheckSeveralSensorsMs = 600;
constexpr int kAfterSerialRequestMs = 150;

const char *const kAlarmColour = "#E32323";

// Slave addresses a QF470 starts from after its slave table was changed.
constexpr std::array<quint8, 7> kSlaveAddressesAfterUpdate{{0x05, 0x08, 0x0D, 0x22, 0x19, 0x10, 0x25}};

int boundedIndex(int index)
{
    return qBound(0, index, FLSDevice::kMaxSensors - 1);
}

void setSwitch(Switch *sw, bool on)
{
    if (!sw)
        return;
    sw->setFlag(true);
    sw->setState(on);
}

} // namespace

std::vector<int> FLSDevice::answerLengths(quint8 command) const
{
    return fls::answerLengths(command);
}

BaseDevice::AnswerKind FLSDevice::answerKind(const QByteArray &answer) const
{
    return answerkinds::forPage(answer, AnswerKind::FuelSensor);
}

void FLSDevice::takeSearchAnswer(const QByteArray &chunk)
{
    const std::optional<QByteArray> found = bus::decodeSearchAnswer(chunk);
    if (!found) {
        // Not the bus's answer to the search: back to the disconnected state,
        // the search goes on.
        resetDeviceIsConnected();
        return;
    }
    keepLostNetNums(*found);
    takeFoundList(*found);
    const int n = foundNetNums.size();
    qDebug() << "device found";
    qDebug() << "cnt=" << n;
    qDebug() << "buf=" << chunk.toHex(' ');

    stopSearchDevices();

    // One sensor is named, shown and addressed: the one the user chose while
    // it is listed (after a write, under the number the write gave it), else
    // the first.
    selectListed();
    paramsRead.netNum = currentNetNum;
    pendingNetNum = currentNetNum;
    showFoundList();
    askSerialsOfFoundList();
}

void FLSDevice::keepLostNetNums(const QByteArray &found)
{
    // Sensors found before and missing now are looked for later; one that
    // is back is no longer lost. A number that never answered a frame was
    // no sensor, and is looked for nowhere.
    QByteArray before = lostNetNums;
    for (char net : qAsConst(foundNetNums)) {
        if (hasAnswered(quint8(net)))
            before.append(net);
    }
    lostNetNums.clear();
    for (char net : before) {
        if (!found.contains(net) && !lostNetNums.contains(net))
            lostNetNums.append(net);
    }
    // Found under the number a write gave it, the sensor left its old one
    // free: no sensor is lost there.
    if (chosenNetNums.size() > 1 && found.contains(chosenNetNums.at(0))) {
        lostNetNums.replace(chosenNetNums.mid(1, 1), QByteArray());
        openedSensors.moved(quint8(chosenNetNums.at(1)), quint8(chosenNetNums.at(0)));
        chosenNetNums.truncate(1);
    }
}

void FLSDevice::takeFoundList(const QByteArray &found)
{
    pollsSinceProbe = 0;
    // A place that lists another network number now holds another sensor:
    // its reading is not that one's. A place that kept its number keeps its
    // reading, so that a sensor coming back leaves the others' as they are.
    for (int i = 0; i < kMaxSensors; ++i) {
        if (i >= found.size() || i >= foundNetNums.size() || found.at(i) != foundNetNums.at(i))
            forgetReading(i);
    }
    foundNetNums = found;
    // The places of the list may hold other sensors now, with serials of
    // their own.
    sensorModels.fill(static_cast<int>(fls::Model::Unknown));
    serialKnown.fill(false);
    // The new list replaces the old one entirely, so the flags and the polling
    // place of the previous search must not survive it.
    sensorFound = false;
    sensorFound2 = false;
    answerIndex = 0;
    pollAwaited = false;
}

void FLSDevice::showFoundList()
{
    const int n = foundNetNums.size();
    const quint8 first = static_cast<quint8>(foundNetNums.at(0));
    QString listText = QString::number(first);
    if (ui)
        ui->comboBox_NetNumDUT->clear();
    for (int i = 0; i < n; ++i) {
        const quint8 net = static_cast<quint8>(foundNetNums.at(i));
        if (ui)
            ui->comboBox_NetNumDUT->addItem(QString::number(net));
        // Several sensors answer in turn, so the answers need longer.
        setCheckInterval(i == 0 ? kCheckOneSensorMs : kCheckSeveralSensorsMs);
        if (i == 0)
            continue;
        listText += QLatin1Char(',') + QString::number(net);
        sensorFound = true;
        if (i >= 2)
            sensorFound2 = true;
    }

    showSelection();

    emit copyQueueSurveyDevice(0);
    emit copyNetNumToParent(foundNetNums);
    if (ui)
        ui->label_ListDevDUT->setText(listText);
}

void FLSDevice::askSerialsOfFoundList()
{
    // The sensors found belong to this session: left meanwhile, the page
    // asks the next device's line nothing.
    Procedure step(this, Procedure::Kind::Step);
    emit signalRequestForGetSerNumAndFirmWareVersion();
    if (!step.wait(kAfterSerialRequestMs))
        return;
    emit signalCheckIncommingData();
    emit signalRequestForGetSerNumAndFirmWareVersion();
    if (!step.wait(kAfterSerialRequestMs))
        return;
    // The others' serials too: a calibration names its runs after them.
    askMissingSerials(step);
}

bool FLSDevice::isFoundPlace(int sensor) const
{
    return sensor >= 0 && sensor < kMaxSensors && sensor < foundNetNums.size();
}

bool FLSDevice::isSerialKnown(int sensor) const
{
    return isFoundPlace(sensor) && serialKnown[size_t(sensor)];
}

bool FLSDevice::askMissingSerials(Procedure &run)
{
    // A search answer taken during a wait may list fewer sensors, or others:
    // the list is read again after every wait.
    for (int i = 0; isFoundPlace(i); ++i) {
        if (serialKnown[size_t(i)])
            continue;
        emit writeData(frame::request(quint8(foundNetNums.at(i)), bus::kSerialAndFirmwareCommand));
        if (!run.waitAndTake(kAfterSerialRequestMs))
            return false;
    }
    return true;
}

void FLSDevice::takeFrame(const QByteArray &frame)
{
    const std::optional<bus::AnswerHead> head = bus::acceptAnswer(frame);
    if (!head)
        return;

    if (lostNetNums.contains(char(head->net)) && !isFoundNetNum(head->net)) {
        // A lost sensor answers again: a new search takes it back.
        lostNetNums.clear();
        startSearchDevices();
        return;
    }

    // A frame too short for its form is not handled, yet the sensor that sent
    // it is alive, like one of another network number.
    if (fls::isLongEnough(frame)) {
        const quint8 expected = answerIndex >= 0 && answerIndex < foundNetNums.size()
                                    ? static_cast<quint8>(foundNetNums.at(answerIndex))
                                    : 0;
        const bool fromPolled = head->net == expected;
        if (head->command == bus::kAllDataCommand) {
            // Polling moves on with each all-data answer, so only the polled
            // sensor's counts.
            if (fromPolled)
                handleAllData(frame);
        } else if (fromPolled || isFoundNetNum(head->net)) {
            switch (head->command) {
            case bus::kSerialAndFirmwareCommand:
                handleSerialAndFirmware(frame, head->net);
                break;
            case fls::kCalibrationTableCommand:
            case fls::kTableWriteCommand:
                handleTableAnswer(head->command, head->net, frame);
                break;
            case fls::kSetFullCommand:
            case fls::kSetEmptyCommand:
            case fls::kWriteFullCommand:
            case fls::kWriteEmptyCommand:
                handleLevelAck(head->command);
                break;
            case fls::kHorizonCommand:
                handleHorizon();
                break;
            case fls::kPasswordTakenCommand:
            case fls::kPasswordAcceptedCommand:
            case fls::kPasswordRefusedCommand:
                handlePassword(head->command);
                break;
            default:
                break;
            }
        }
    }

    setConnected(true);
    resetTimerDeviceConnected();
}

bool FLSDevice::isFoundNetNum(quint8 net) const
{
    return foundNetNums.left(kMaxSensors).contains(static_cast<char>(net));
}

int FLSDevice::answeringSensor(quint8 net) const
{
    return boundedIndex(isFoundNetNum(net) ? indexOfNetNum(net) : answerIndex);
}

WidgetTar *FLSDevice::cardOf(int sensor) const
{
    switch (sensor) {
    case 0:
        return widgetTarSensor1;
    case 1:
        return widgetTarSensor2;
    case 2:
        return widgetTarSensor3;
    default:
        return nullptr;
    }
}

int FLSDevice::modelOfFlags() const
{
    fls::Model model = fls::Model::Unknown;
    if (modelQF410)
        model = fls::Model::QF410;
    else if (modelQF210)
        model = fls::Model::QF210;
    else if (modelQF260)
        model = fls::Model::QF260;
    else if (modelQF470)
        model = fls::Model::QF470;
    else if (modelGeneric)
        model = fls::Model::Generic;
    return static_cast<int>(model);
}

void FLSDevice::handleAllData(const QByteArray &frame)
{
    lastAnswer = bus::kAllDataCommand;
    clearModelFlags();
    const std::optional<fls::AllData> data = fls::decodeAllData(frame);
    if (!data || data->dropped)
        return;

    const int s = boundedIndex(answerIndex);
    const size_t si = size_t(s);

    modelQF410 = data->model == fls::Model::QF410;
    modelQF210 = data->model == fls::Model::QF210;
    modelQF260 = data->model == fls::Model::QF260;
    modelQF470 = data->model == fls::Model::QF470;
    modelGeneric = data->model == fls::Model::Generic;
    QString logText = QString::fromLatin1(fls::logPrefix(data->model));

    // An answer whose form names no model carries nothing the page can
    // trust; it only reaches the log and moves polling on.
    if (data->model != fls::Model::Unknown)
        takeReadings(*data, logText);

    writeLogFile();

    if (WidgetTar *card = cardOf(s)) {
        card->setSerNum(static_cast<int>(serialNumbers[si]));
        card->setLabel1Text(tr("Датчик#") + bus::serialText(serialNumbers[si]));
    }
    pollNextSensor();
}

// Keeps the answering sensor's readings and shows what belongs on the page.
void FLSDevice::takeReadings(const fls::AllData &data, QString &logText)
{
    const int s = boundedIndex(answerIndex);
    const int c = boundedIndex(currentDeviceIndex);
    const size_t si = size_t(s), ci = size_t(c);

    temperatures[si] = data.temperature;
    levelWords[si] = data.level;
    cntValues[si] = data.count;
    sensorModels[si] = static_cast<int>(data.model);
    emptyValues[si] = data.empty;
    fullValues[si] = data.full;
    configA[si] = data.configA;
    configB[si] = data.configB;
    configByteA = configA[ci];
    configByteB = configB[ci];
    currentValue = cntValues[ci];
    if (ui)
        ui->label_86->setText(QString::number(currentValue));

    if (autoCalibrationActive)
        emit signalUpdateCNTForAutoCalib();

    if (modelQF470 && needUpdateSlaveState) {
        slaveAddresses = kSlaveAddressesAfterUpdate;
        needUpdateSlaveState = false;
        emit signalUpdateSlaveState();
    }
    // Whether byte 23 is configuration byte C depends on the answering
    // sensor's own firmware, not on the selected one's.
    const fls::ModeByte mode = fls::modeByte(data.model, firmwareVersions[si], data.byte23, configC[si], configA[ci]);
    if (mode.configC)
        configC[si] = *mode.configC;

    // The parameter widgets show the selected sensor's settings, so only its
    // own answer may refresh them.
    const bool refreshParams = updateParamWidgets && !refreshWaitsForPoll && s == c;
    if (fls::isShown(data.model, mode.usesConfigC)) {
        if (refreshParams)
            refreshParamWidgetsFirstHalf(data);

        if (ui) {
            const QString temperature = QString::number(temperatures[ci]) + QStringLiteral("°C");
            ui->label_TempValDUT->setText(temperature);
            ui->label_TempVal_2->setText(temperature);
            ui->label_ValCurrent->setText(QString::number(cntValues[ci]));
        }

        updateStability(s);
        showLevelState(s, c);

        // After a pick, another sensor's answer leaves the picked one's
        // level unknown until its own comes.
        pickedLevelAwaited = pickedLevelAwaited && s != c;
        if (ui && !pickedLevelAwaited) {
            ui->label_UrovenDUT->setText(QString::number(levelWords[ci]));
            ui->progressBarLevelDUT->setValue(levelWords[ci]);
        }
        if (WidgetTar *card = cardOf(s))
            card->setLabel2Text(tr("Уровень ") + QString::number(levelWords[si]));
        cardLevelShown[si] = true;
        stampReading(s);
        emit copyLevelValueToMain(levelWords[si], s);

        emptyValue = emptyValues[ci];
        fullValue = fullValues[ci];
        if (downLevelAcked) {
            downLevelAcked = false;
            emit signalWasSetEmptyLevel(emptyValue);
        }
        if (upLevelAcked) {
            upLevelAcked = false;
            emit signalWasSetFullLevel(fullValue);
        }

        showCalibrationState(s, c);
        showSendSerNumAndVoltage(data.byte23 ? int(*data.byte23) : -1, c);
        showOutputValues(c);
        if (refreshParams)
            refreshParamWidgetsSecondHalf(fls::clearedMode(data.model, mode.mode), logText);
    }
}

void FLSDevice::updateStability(int sensor)
{
    RingBuffer *history = cntHistory[size_t(sensor)];
    if (!history)
        return;
    // Each sensor is judged by its own counts only.
    const int count = cntValues[size_t(sensor)];
    history->writeInts(&count, 1);
    if (history->count() < kCountHistory)
        return;
    const int mean = static_cast<int>(history->average());
    stabilityGrades[size_t(sensor)] = fls::stabilityGrade(mean, count, stabilityGrades[size_t(sensor)]);
    int oldest = 0;
    history->readInts(&oldest, 1);
}

void FLSDevice::showLevelState(int sensor, int selected)
{
    const quint16 word = levelWords[size_t(selected)];
    level = word;
    if (const char *alarm = fls::levelAlarmText(word)) {
        setColorLabelLevel(QString::fromLatin1(kAlarmColour));
        if (ui) {
            ui->label_StableDUT->setText(tr(alarm));
            ui->label_StableDUT->adjustSize();
            if (labelAlarm) {
                const QRect r = ui->label_StableDUT->geometry();
                const int top = word == fls::kLevelBrokenTube ? r.top() + 3 : r.top() - 3;
                labelAlarm->setGeometry(r.x() + r.width() + 4, top, 18, 18);
                labelAlarm->show();
            }
        }
    } else {
        if (labelAlarm)
            labelAlarm->hide();
        const int grade = stabilityGrades[size_t(sensor)];
        const char *colour = fls::stabilityColour(grade);
        if (colour && sensor == selected) {
            setColorLabelLevel(QString::fromLatin1(colour));
            if (ui)
                ui->label_StableDUT->setText(tr(fls::stabilityText(grade)));
        }
    }

    // The card tells its own sensor's state, whichever sensor is selected.
    WidgetTar *card = cardOf(sensor);
    const int grade = stabilityGrades[size_t(sensor)];
    const char *colour = fls::stabilityColour(grade);
    if (card && colour && !fls::levelAlarmText(levelWords[size_t(sensor)])) {
        card->setLabel4Text(tr(fls::stabilityText(grade)));
        QPalette palette = card->palette();
        palette.setColor(QPalette::Window, QColor(QString::fromLatin1(colour)));
        card->setAutoFillBackground(true);
        card->setPalette(palette);
    }
}

void FLSDevice::showCalibrationState(int sensor, int selected)
{
    const size_t i = size_t(sensor);
    const bool notCal = fls::isNotCalibrated(cntValues[i], emptyValues[i], fullValues[i]);
    if (sensor == selected) {
        notCalibrated = notCal;
        if (ui) {
            ui->label_NeedCalibDUT->setEnabled(true);
            ui->label_AlarmDUT->setEnabled(true);
            ui->label_NeedCalibDUT->setVisible(notCal);
            ui->label_AlarmDUT->setVisible(notCal);
        }
    }
    if (WidgetTar *card = cardOf(sensor))
        card->setLabel3Text(notCal ? tr("Не калиброван") : tr("Калиброван"));
}

void FLSDevice::showSendSerNumAndVoltage(int byte23, int selected)
{
    if (!modelQF260) {
        paramsRead.sendSerNum = 0;
        if (ui) {
            ui->label_NaprNameQF260DUT->hide();
            ui->label_NaprValQF260DUT->hide();
        }
        return;
    }
    if (byte23 >= 0) {
        const quint8 byte = static_cast<quint8>(byte23);
        paramsRead.sendSerNum = byte;
        if (byte != lastSendSerNumByte) {
            lastSendSerNumByte = byte;
            sendSerNumByte = byte;
            setSwitch(swSendSerNum, byte & fls::kSendSerNumBit);
        }
    }
    outputVoltage = fls::qf260Voltage(levelWords[size_t(selected)], range4095);
    if (ui) {
        ui->label_NaprValQF260DUT->setText(QString::number(double(outputVoltage), 'f', 2));
        ui->label_NaprNameQF260DUT->show();
        ui->label_NaprValQF260DUT->show();
    }
}

void FLSDevice::showOutputValues(int selected)
{
    const size_t c = size_t(selected);
    if (fls::isAnalogOutput(configA[c])) {
        if (const auto volts = fls::analogVoltage(fls::Model(modelOfFlags()), levelWords[c], range4095))
            outputVoltage = *volts;
        if (ui)
            ui->label_NaprValDUT->setText(QString::number(double(outputVoltage), 'f', 2));
    } else if (fls::isFrequencyOutput(configA[c])) {
        if (ui)
            ui->label_FreqValDUT->setText(QString::number(fls::frequencyValue(levelWords[c])));
    }
}

void FLSDevice::handleSerialAndFirmware(const QByteArray &frame, quint8 net)
{
    const std::optional<bus::SerialAndFirmware> answer = bus::decodeSerialAndFirmware(frame);
    if (!answer)
        return;
    lastAnswer = bus::kSerialAndFirmwareCommand;
    setConnected(true);
    resetTimerDeviceConnected();

    // A password sent to this number before its serial was known went to
    // this sensor.
    openedSensors.identified(net, QString::number(answer->serial));
    const size_t i = size_t(answeringSensor(net));
    serialNumbers[i] = answer->serial;
    firmwareVersions[i] = answer->firmware;
    if (isFoundNetNum(net) && i < size_t(foundNetNums.size())) {
        serialKnown[i] = true;
        // The card names the calibration's runs: it takes the serial now,
        // not with the sensor's next readings.
        if (WidgetTar *card = cardOf(int(i))) {
            card->setSerNum(static_cast<int>(answer->serial));
            card->setLabel1Text(tr("Датчик#") + bus::serialText(answer->serial));
        }
    }

    // Stored under the answering sensor, shown for the selected one.
    showSelectedSerial();
    emit signalRequestForGetAllDataFromDevice();
}

void FLSDevice::showSelectedSerial()
{
    const int selected = boundedIndex(currentDeviceIndex);
    const size_t c = size_t(selected);
    currentFirmware = firmwareVersions[c];
    if (!ui)
        return;
    // A sensor whose serial never came shows none rather than another's.
    if (isSerialKnown(selected)) {
        ui->label_SerNumVal->setText(bus::serialText(serialNumbers[c]));
        ui->label_FirmwareVal->setText(bus::firmwareText(firmwareVersions[c]));
    } else {
        // As the page shows any value not read yet.
        ui->label_SerNumVal->setText(QStringLiteral("--"));
        ui->label_FirmwareVal->setText(QStringLiteral("--"));
    }
    ui->label_SerNumVal->adjustSize();
    ui->label_FirmwareVal->adjustSize();
}

void FLSDevice::showPickedLevel()
{
    // The level beside the picked sensor's serial is its own reading of
    // now; until one comes the page shows none rather than the sensor
    // picked before.
    const int c = boundedIndex(currentDeviceIndex);
    pickedLevelAwaited = !hasCurrentReading(c);
    if (!ui)
        return;
    if (pickedLevelAwaited) {
        ui->label_UrovenDUT->setText(QStringLiteral("--"));
        ui->progressBarLevelDUT->setValue(ui->progressBarLevelDUT->minimum());
        return;
    }
    ui->label_UrovenDUT->setText(QString::number(levelWords[size_t(c)]));
    ui->progressBarLevelDUT->setValue(levelWords[size_t(c)]);
}

void FLSDevice::showSilentCards()
{
    // Beside sensors that answer the page goes on, and a silent one's card
    // would show its last level as if it were read now.
    for (int i = 0; isFoundPlace(i); ++i) {
        const size_t si = size_t(i);
        if (!cardLevelShown[si] || hasCurrentReading(i) || awaitsReading(i))
            continue;
        cardLevelShown[si] = false;
        if (WidgetTar *card = cardOf(i))
            card->setLabel2Text(tr("Не отвечает"));
    }
}

void FLSDevice::handleLevelAck(quint8 command)
{
    switch (command) {
    case fls::kSetFullCommand:
        qDebug() << "SET_UP_LEVEL";
        upLevelAcked = true;
        break;
    case fls::kSetEmptyCommand:
        qDebug() << "SET_DOWN_LEVEL";
        downLevelAcked = true;
        break;
    case fls::kWriteFullCommand:
        qDebug() << "SET_FULL_VAL = " << fullValue;
        upLevelAcked = true;
        break;
    case fls::kWriteEmptyCommand:
        qDebug() << "SET_EMPTY_VAL" << emptyValue;
        downLevelAcked = true;
        break;
    default:
        break;
    }
}

void FLSDevice::handleHorizon()
{
    lastAnswer = fls::kHorizonCommand;
    // Told once the horizon's procedure is over, so that the next press
    // after the box starts at once.
    tellAfterProcedure([this] {
        // The user may read the message as long as he likes: the watchdog
        // must not reset the page meanwhile.
        Procedure step(this, Procedure::Kind::Step);
        step.muteWatchdog();
        showMessage(QString(), tr("Установлен Горизонт"));
    });
}

void FLSDevice::handlePassword(quint8 command)
{
    lastAnswer = command;
    if (command == fls::kPasswordAcceptedCommand) {
        passwordEntered = true;
    } else if (command == fls::kPasswordRefusedCommand) {
        passwordEntered = false;
        refusedSinceSend = true;
    }
    outcomeSaid(command == fls::kPasswordRefusedCommand ? Outcome::Refused : Outcome::Taken);
    if (ui) {
        ui->label_LockDUT->setPixmap(command == fls::kPasswordRefusedCommand ? pixLock : pixUnlock);
        ui->label_LockDUT->setVisible(true);
    }
}

void FLSDevice::refreshParamWidgetsFirstHalf(const fls::AllData &data)
{
    if (!ui)
        return;
    const auto model = fls::Model(modelOfFlags());
    ui->lineEdit_Lamp->setText(model == fls::Model::QF410 ? QString::number(data.byte21) : QStringLiteral("0"));
    ui->comboBox_ModeDUT->clear();
    for (const char *text : fls::outputTypeList(model))
        ui->comboBox_ModeDUT->addItem(tr(text));
    if (model == fls::Model::Generic) {
        ui->comboBox_FiltrDUT->clear();
        ui->comboBox_FiltrDUT->addItems(fls::levelList(tr("Нет")));
    }
}

void FLSDevice::refreshParamWidgetsSecondHalf(quint8 mode, QString &logText)
{
    const auto model = fls::Model(modelOfFlags());
    const size_t c = size_t(boundedIndex(currentDeviceIndex));
    const size_t s = size_t(boundedIndex(answerIndex));
    const quint8 a = configA[c];
    const quint8 b = configB[c];
    const int f = fls::filterLevel(b);

    setVisiblePageWidgets(true);

    const fls::FilterTypes types = fls::filterTypes(model, currentFirmware);
    if (types == fls::FilterTypes::SmartOnly || types == fls::FilterTypes::SmartAndMedian) {
        if (ui) {
            ui->comboBoxTypeFiltration->clear();
            ui->comboBoxTypeFiltration->addItem(tr("Умная"));
            if (types == fls::FilterTypes::SmartAndMedian)
                ui->comboBoxTypeFiltration->addItem(tr("Медианная"));
        }
        if (b & fls::kMedianFilterBit) {
            shownFilterType = tr("Медианная");
            if (ui) {
                ui->comboBox_FiltrDUT->clear();
                ui->comboBox_FiltrDUT->addItems(fls::levelList(tr("Нет")));
                ui->comboBoxTypeFiltration->setCurrentText(shownFilterType);
                ui->comboBox_FiltrDUT->setCurrentIndex(f);
            }
        } else {
            shownFilterType = tr("Умная");
            if (ui) {
                ui->comboBoxTypeFiltration->setCurrentText(shownFilterType);
                ui->comboBox_FiltrDUT->clear();
                for (const char *text : fls::tankClassList())
                    ui->comboBox_FiltrDUT->addItem(tr(text));
                ui->comboBox_FiltrDUT->setCurrentIndex(fls::tankClassIndex(f));
            }
        }
    } else if (types == fls::FilterTypes::MedianOnly) {
        shownFilterType = tr("Медианная");
        if (ui) {
            ui->comboBoxTypeFiltration->clear();
            ui->comboBoxTypeFiltration->addItem(shownFilterType);
            ui->comboBox_FiltrDUT->clear();
            ui->comboBox_FiltrDUT->addItems(fls::levelList(tr("Нет")));
            ui->comboBox_FiltrDUT->setCurrentIndex(f);
        }
    }

    logText += QStringLiteral(" mode=%1;").arg(ui ? ui->comboBox_ModeDUT->currentIndex() : -1);
    logText += QStringLiteral(" filtration=%1;").arg(ui ? ui->comboBox_FiltrDUT->currentIndex() : -1);

    paramsRead.mode = a;
    paramsRead.configC = configC[c];
    paramsRead.configB = b;
    paramsRead.filtration = b;
    paramsRead.netNum = int(c) < foundNetNums.size() ? static_cast<quint8>(foundNetNums.at(int(c))) : 0;

    if (model == fls::Model::QF410)
        setSwitch(swInvers, a & fls::kInversBit);
    if (model == fls::Model::QF470) {
        setSwitch(swAngle, b & fls::kAngleBit);
        setSwitch(swEcoDrive, b & fls::kEcoDriveBit);
        setSwitch(swMaster, a & fls::kMasterBit);
    }
    pendingConfigA = a;
    pendingConfigB = b;
    setSwitch(swTermo, b & fls::kTermoBit);

    if (a & fls::kWideRangeBit) {
        range1023 = false;
        range4095 = true;
        pendingConfigA |= fls::kWideRangeBit;
        if (ui) {
            ui->comboBoxRangeDUT->setCurrentIndex(1);
            ui->progressBarLevelDUT->setMaximum(4095);
            // A value above the old maximum was refused; give it again.
            ui->progressBarLevelDUT->setValue(levelWords[c]);
        }
        logText += QStringLiteral("max level=4095;");
    } else {
        range1023 = true;
        range4095 = false;
        if (ui) {
            ui->comboBoxRangeDUT->setCurrentIndex(0);
            ui->progressBarLevelDUT->setMaximum(1023);
            ui->progressBarLevelDUT->setValue(levelWords[c]);
        }
        logText += QStringLiteral("max level=1023;");
    }

    const fls::ModeDisplay display = fls::modeDisplay(mode, configC[s]);
    if (ui) {
        ui->comboBox_ModeDUT->setCurrentText(*display.text ? tr(display.text) : QString());
        const bool levelPair = display.pair == fls::ValuePair::Level;
        const bool frequencyPair = display.pair == fls::ValuePair::Frequency;
        const bool voltagePair = display.pair == fls::ValuePair::Voltage;
        ui->label_NameUrovenDUT->setVisible(levelPair);
        ui->label_UrovenDUT->setVisible(levelPair);
        ui->label_FreqNameDUT->setVisible(frequencyPair);
        ui->label_FreqValDUT->setVisible(frequencyPair);
        ui->label_NaprNameDUT->setVisible(voltagePair);
        ui->label_NaprValDUT->setVisible(voltagePair);
        if (levelPair) {
            ui->label_NameUrovenDUT->raise();
            ui->label_UrovenDUT->raise();
        } else if (frequencyPair) {
            ui->label_FreqValDUT->setText(QString::number(fls::frequencyValue(levelWords[c])));
            ui->label_FreqNameDUT->raise();
            ui->label_FreqValDUT->raise();
        } else {
            ui->label_NaprValDUT->setText(QString::number(double(outputVoltage), 'f', 2));
            ui->label_NaprNameDUT->raise();
            ui->label_NaprValDUT->raise();
        }
    }

    logText += QStringLiteral("min level 1\r\n");

    if (ui && serialPort)
        ui->comboBox_SerialPort->setCurrentText(serialPort->portName());

    shownConfigA = a;
    shownConfigB = b;
    // The sensor picked in the network-number combo is the one shown, so its
    // number and model are what the page names.
    const quint8 shownNet = selectedNetNum();
    shownNetNum = shownNet;

    if (isDeviceConnected())
        updateParamWidgets = false;

    if (int(c) == indexOfNetNum(shownNet)) {
        if (const std::optional<bool> isNew = fls::isNewFirmware(model, currentFirmware))
            newFirmware = *isNew;
        if (const char *status = fls::statusText(model))
            showStatusMessage(tr(status));
    }

    logText += QStringLiteral("NetNum=%1, Empty=%2, Full=%3, Current=%4, Level=%5, Temperature=%6")
                   .arg(shownNet)
                   .arg(emptyValue)
                   .arg(fullValue)
                   .arg(cntValues[c])
                   .arg(levelWords[c])
                   .arg(temperatures[c]);
    emit signalWriteLog(logText);
}

QString FLSDevice::heardStatusText() const
{
    if (!isFoundPlace(currentDeviceIndex))
        return {};
    const char *text = fls::statusText(fls::Model(sensorModels[size_t(currentDeviceIndex)]));
    return text ? tr(text) : QString();
}

void FLSDevice::clearModelFlags()
{
    modelQF410 = modelQF210 = modelQF260 = modelQF470 = modelGeneric = false;
}

int FLSDevice::getStabilityGrade(int sensor) const
{
    return sensor >= 0 && sensor < kMaxSensors ? stabilityGrades[size_t(sensor)] : 0;
}
