// Answer intake of the wired angle sensor page: the search answer, the data
// answer that refreshes the page, and the serial/firmware answer.
#include "devices/angle/kv380device.h"

#include "deruvivuriri_form.h"

#include "devices/answerkinds.h"

#include "ui/switch.h"

#include <QDebug>
#include <QLabel>

std::vector<int> KV380Device::answerLengths(quint8 command) const
{
    return kv380::answerLengths(command);
}

BaseDevice::AnswerKind KV380Device::answerKind(const QByteArray &answer) const
{
    return answerkinds::forPage(answer, AnswerKind::AngleSensor);
}

void KV380Device::takeSearchAnswer(const QByteArray &chunk)
{
    const std::optional<QByteArray> found = kv380::decodeSearchAnswer(chunk);
    if (!found) {
        // Nobody answered: the page shows it is waiting, the search goes on.
        resetDeviceIsConnected();
        return;
    }

    foundNetNums = *found;
    stopSearchDevices();
    netNum = static_cast<quint8>(foundNetNums.at(0));
    forgetSensor();
    emit writeData(kv380::dataRequest(netNum));

    QString listText = QString::number(netNum);
    if (ui) {
        ui->lineEdit_NetNumKV380->setText(QString::number(netNum));
        ui->comboBox_NetNumKV380->clear();
    }
    for (int i = 0; i < foundNetNums.size(); ++i) {
        const quint8 net = static_cast<quint8>(foundNetNums.at(i));
        if (ui)
            ui->comboBox_NetNumKV380->addItem(QString::number(net));
        if (i > 0)
            listText += QLatin1Char(',') + QString::number(net);
    }
    setCheckInterval(foundNetNums.size() > 1 ? kCheckSeveralSensorsMs : intervals().check);

    // The main window's requests go to the first number found; the survey
    // index another page left behind would point past this list.
    emit copyQueueSurveyDevice(0);
    emit copyNetNumToParent(foundNetNums);
    if (ui)
        ui->label_ListDevKV380->setText(listText);
    emit signalRequestForGetSerNumAndFirmWareVersion();
}

void KV380Device::takeFrame(const QByteArray &frame)
{
    const std::optional<kv380::AnswerHead> head = kv380::acceptAnswer(frame);
    if (!head || head->net != netNum)
        return;
    // Nothing of a device that answered in another family's frames is
    // shown, its serial and firmware included.
    if (isOtherKind(netNum)) {
        forgetSensor();
        return;
    }
    switch (head->command) {
    case kv380::kDataCommand:
        if (const std::optional<kv380::Data> data = kv380::decodeData(frame);
            data && answerKind(frame) == AnswerKind::Own)
            handleData(*data);
        break;
    case kv380::kSerialCommand:
        if (const std::optional<kv380::SerialAndFirmware> answer = kv380::decodeSerialAndFirmware(frame))
            handleSerialAndFirmware(*answer);
        break;
    default:
        // Acknowledgements of writes carry nothing the page reads.
        break;
    }
}

void KV380Device::handleData(const kv380::Data &data)
{
    lastAnswerCommand = kv380::kDataCommand;
    rawMode = data.mode;
    modeReported = true;
    angle = data.angle;
    if (ui)
        ui->label_UrovenKV380->setText(QString::number(angle));
    if (labelDegrees)
        labelDegrees->setText(QString::number(angle) + QStringLiteral("°"));
    if (labelFrequency)
        labelFrequency->setText(QString::number(int(angle) + kv380::kFrequencyOffset) + tr("Гц"));

    if (updateUI) {
        qDebug() << "Update UI KV380";
        qDebug() << "cntUpdateUI=" << cntUpdateUI;
        --cntUpdateUI;
        const bool lastRefresh = cntUpdateUI <= 0;
        refreshSettings(data, lastRefresh);
        // The switches stop following only after the last refreshing answer
        // has set them, so that they agree with the picture it drew.
        if (lastRefresh) {
            updateUI = false;
            setSwitchesSyncEnabled(false);
        }
    }

    // One line per sensor found: its serial part, then the settings of the
    // first data answer after it.
    if (connectionLogPending && isDeviceConnected()) {
        connectionLogText += kv380::connectionLogSettings(kv380::paramOf(data, netNum));
        emit signalWriteLog(connectionLogText);
        connectionLogPending = false;
        connectionLogText.clear();
    }

    updateAnglePicture();
    resetTimerDeviceConnected();
    if (!serialKnown)
        emit signalRequestForGetSerNumAndFirmWareVersion();
}

void KV380Device::refreshSettings(const kv380::Data &data, bool lastRefresh)
{
    showStatusMessage(tr("Подключен КВ-380"));
    showStatusMessageUp(QStringLiteral(" "));
    showUI(true);

    lastDown = data.down;
    lastUp = data.up;
    if (ui) {
        ui->lineEditKV380Down->setText(QString::number(lastDown));
        ui->lineEditKV380Up->setText(QString::number(lastUp));
    }
    oldKV380param = kv380::paramOf(data, netNum);

    // The last refreshing answer redraws the mode only when it changed.
    if (lastRefresh && data.mode == rawModeRefreshed && data.mode != 0)
        return;

    mode = kv380::modeOf(data.mode);
    if (ui && mode == kv380::kModeBlade) {
        ui->lineEditKV380DelayOn->setText(QString::number(data.delayOn));
        ui->lineEditKV380DelayOff->setText(QString::number(data.delayOff));
    } else if (ui && mode == kv380::kModeBucket) {
        ui->lineEditKV380DelayOn->setText(QString::number(data.delayOnKov));
        ui->lineEditKV380DelayOff->setText(QString::number(data.delayOffKov));
    }
    rawModeRefreshed = data.mode;
    followMode(data.mode);
    setupModePictures();
}

void KV380Device::followMode(quint8 raw)
{
    const quint8 working = kv380::modeOf(raw);
    const std::pair<Switch *, bool> states[] = {
        {switchMode1KV380, working == kv380::kMode1},          {switchMode2KV380, working == kv380::kMode2},
        {switchMode3KV380, working == kv380::kMode3},          {switchModeOtvalKV380, working == kv380::kModeBlade},
        {switchModeKovshKV380, working == kv380::kModeBucket}, {switchModeMasterKV380, kv380::isMaster(raw)},
    };
    for (const auto &[sw, on] : states) {
        if (!sw || !sw->getFlag())
            continue;
        qDebug().noquote() << sw->objectName() + "->setInitialState";
        sw->setState(on);
    }
}

void KV380Device::handleSerialAndFirmware(const kv380::SerialAndFirmware &answer)
{
    lastAnswerCommand = kv380::kSerialCommand;
    serialNumber = answer.serial;
    firmware = answer.firmware;
    const QString firmwareText = kv380::firmwareText(firmware);
    if (ui) {
        ui->label_SerNumVal->setText(QString::number(serialNumber));
        ui->label_FirmwareVal->setText(firmwareText);
    }
    setConnected(true);
    // Set, not appended: the serial may be asked twice before the next data
    // answer completes the line.
    if (connectionLogPending)
        connectionLogText = QStringLiteral("Connected KV380 SerNum=%1,Firmware=%2").arg(serialNumber).arg(firmwareText);
    resetTimerDeviceConnected();
    emit copyQueueSurveyDevice(0);
    emit signalRequestForGetAllDataFromDevice();
    serialKnown = true;
}
