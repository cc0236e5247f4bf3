// Answer intake of the BLE base page: the search answer, the frame checks and
// dispatch in both modes, the short answers and the advertising list.
#include "devices/ble/bledevice.h"

#include "deruvivuriri_form.h"

#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bleadwview.h"
#include "devices/ble/bleprotocol.h"
#include "link/bus.h"
#include "link/frame.h"
#include "ui/switch.h"
#include "ui/widgettar.h"

#include <QDebug>
#include <QLabel>
#include <QLoggingCategory>
#include <QScrollArea>
#include <QSerialPort>

#include <cstring>

namespace {

// Every chunk in hexadecimal, for a developer who switches the category on
// (QT_LOGGING_RULES="reriruvozive.ble.chunks.debug=true").
Q_LOGGING_CATEGORY(lcChunks, "reriruvozive.ble.chunks", QtInfoMsg)

constexpr int kFirmwareNameX = 300;
constexpr int kFirmwareValX = 310;
constexpr int kFirmwareY = 36;
constexpr int kFirmwareNameWidth = 28;
constexpr int kFirmwareValWidth = 81;
constexpr int kFirmwareHeight = 20;
constexpr quint8 kOldLinkedExtraBit = 0x08;
static_assert(BLEDevice::kAdvertSlots == ble::kAdvertRecords, "one reading flag per advertising slot");

const char *const kCardsSheet = "QWidget{background-color:%1;}QPushButton{background-color:red;}";
const char *const kDarkBackground = "#1f2222";
const char *const kLightBackground = "#fef7f1";

} // namespace

int BLEDevice::run(int len, char *buf)
{
    const QByteArray chunk = buf && len > 0 ? QByteArray(buf, len) : QByteArray();
    qCDebug(lcChunks).noquote() << chunk.toHex(' ');

    // A search answer is a number or two, not a frame; the same bytes are
    // then looked at as an answer too.
    if (isSearchActive() && chunk.size() <= 2)
        takeSearchAnswer(chunk);

    if (advertMode) {
        takeAdvertChunk(chunk);
        return currentCommand;
    }
    // The line may glue several answers into one chunk; each is handled on
    // its own, and none after one that ended the connection.
    return takeAnswers(chunk) ? currentCommand : 0;
}

std::vector<int> BLEDevice::answerLengths(quint8 command) const
{
    return ble::answerLengths(command);
}

void BLEDevice::takeSearchAnswer(const QByteArray &chunk)
{
    qDebug() << "search BLE cnt = " << chunk.size();
    const std::optional<QByteArray> found = bus::decodeSearchAnswer(chunk);
    if (!found) {
        resetDeviceIsConnected();
        return;
    }
    netNumDevice = *found;
    foundNetNum = uchar(netNumDevice.at(0));
    stopSearchDevices();
    resetTimerDeviceConnected();
}

void BLEDevice::markAnswered()
{
    setConnected(true);
    resetTimerDeviceConnected();
}

void BLEDevice::takeFrame(const QByteArray &frame)
{
    const std::optional<ble::AnswerHead> head = ble::acceptAnswer(frame);
    if (!head)
        return;
    const std::optional<quint8> expected = expectedNetNum();
    if (!expected || head->net != *expected)
        return;

    switch (head->command) {
    case ble::kDataCommand:
        handleData(frame);
        if (isIntakeStopped())
            return;
        break;
    case ble::kParamWriteCommand:
        handleParamAck(frame);
        break;
    case ble::kPasswordSetAck:
    case ble::kPasswordEnterCommand:
    case ble::kRefusedCommand:
        lastReplyCommand = head->command;
        break;
    case ble::kSerialAndFirmwareCommand:
        handleSerialAndFirmware(frame);
        break;
    default:
        break;
    }
    markAnswered();
}

void BLEDevice::handleParamAck(const QByteArray &frame)
{
    const std::optional<ble::ParamAck> ack = ble::decodeParamAck(frame);
    if (!ack)
        return;
    lastReplyCommand = ble::kParamWriteCommand;
    paramsAcknowledged = true;
    paramsBLE.settings[0] = ack->mode;
    paramsBLE.settings[2] = ack->filter;
    paramsBLE.settings[4] = ack->filter;
}

void BLEDevice::storeIdentity(const QByteArray &frame)
{
    const std::optional<bus::SerialAndFirmware> id = bus::decodeSerialAndFirmware(frame);
    if (!id)
        return;
    lastReplyCommand = ble::kSerialAndFirmwareCommand;
    markAnswered();
    const bus::SerialAndFirmware identity = *id;
    const std::optional<int> slot = storeSlot();
    if (slot) {
        Sensor &s = sensors[size_t(*slot)];
        s.serial = qint32(identity.serial);
        s.serialKnown = true;
        s.firmware = identity.firmware;
        // A password sent to this slot before its serial came went to this
        // sensor.
        openedSensors.identified(*slot, QString::number(s.serial));
    }
    pageFirmware = sensors[size_t(shownSensor)].firmware;
}

void BLEDevice::handleSerialAndFirmware(const QByteArray &frame)
{
    if (frame.size() < ble::kSerialAndFirmwareLength)
        return;
    storeIdentity(frame);
    const Sensor &shown = sensors[size_t(shownSensor)];
    if (deviceIsConnectedJustNow)
        connectionIdentity =
            QStringLiteral("Serial number %1, Version Firmware %2").arg(shown.serial).arg(shown.firmware);

    advertMode = ble::isAdvertFirmware(pageFirmware);
    if (!advertMode && cardsShown) {
        // The cards of a base that left the advertising mode go, once.
        cardsShown = false;
        hideCards();
        if (adwScrollArea)
            adwScrollArea->hide();
    }
    if (advertMode)
        return;

    const int slot = currentSlot;
    if (WidgetTar *card = widgetTarOf(slot))
        card->setLabel1Text(tr("Датчик#") + QString::number(sensors[size_t(slot)].serial));
    switch (slot) {
    case 0:
        currentSlot = secondSensor || thirdSensor ? 1 : 0;
        break;
    case 1:
        currentSlot = secondSensor ? 0 : (thirdSensor ? 2 : 1);
        break;
    default:
        currentSlot = 0;
        break;
    }
}

// ---- Advertising mode -------------------------------------------------------

void BLEDevice::startAdvertMode()
{
    netNumDevice.clear();
    checkAtAdvertPace();
    emit signalRequestForGetSerNumAndFirmWareVersion();
    if (ui)
        ui->ButtonTarirovka->setEnabled(false);
    setFirstConnectingDeviceAdwert(true);
    emit signalWriteLog(QStringLiteral("Connect adwertizing device. Connected %1 device(s)").arg(netNumDevice.size()));

    showUI(false);
    showCardsForAdvertMode();
    if (adwScrollArea) {
        const QString background = checkDarkTheme() ? kDarkBackground : kLightBackground;
        adwScrollArea->setStyleSheet(QString::fromLatin1(kCardsSheet).arg(background));
        adwScrollArea->show();
    }
    // From now on each tick asks for the advertising list.
    if (polling != Polling::None)
        polling = Polling::Advert;
}

void BLEDevice::takeAdvertChunk(const QByteArray &chunk)
{
    if (!firstConnectingDeviceAdwert)
        startAdvertMode();
    for (const QByteArray &answer : ble::splitAdvertChunk(chunk)) {
        // The base frames its acknowledgements loosely (no CRC-8 of its own
        // on them): they are told by their command byte alone.
        switch (ble::advertAcknowledgement(answer).value_or(0)) {
        case ble::kConfigAcceptedCommand:
            handleConfigAccepted();
            continue;
        case ble::kNameAcceptedCommand:
            handleNameAccepted();
            continue;
        default:
            break;
        }
        // Everything else carries data: start byte, length and CRC-8 come first.
        const std::optional<ble::AnswerHead> head = ble::acceptAnswer(answer);
        if (!head)
            continue;
        switch (head->command) {
        case ble::kAdvertListCommand:
            handleAdvertList(answer);
            break;
        case ble::kDataCommand:
            lastReplyCommand = ble::kDataCommand;
            resetTimerDeviceConnected();
            break;
        case ble::kSerialAndFirmwareCommand:
            handleSerialAndFirmwareAdvert(answer);
            break;
        default:
            break;
        }
    }
}

void BLEDevice::handleSerialAndFirmwareAdvert(const QByteArray &frame)
{
    if (frame.size() < ble::kSerialAndFirmwareLength)
        return;
    storeIdentity(frame);
    if (!ui)
        return;
    ui->label_FirmwareName->setGeometry(kFirmwareNameX, kFirmwareY, kFirmwareNameWidth, kFirmwareHeight);
    ui->label_FirmwareVal->setGeometry(kFirmwareValX, kFirmwareY, kFirmwareValWidth, kFirmwareHeight);
    ui->label_FirmwareName->show();
    ui->label_FirmwareVal->show();
    ui->label_FirmwareVal->setText(bus::firmwareText(pageFirmware));
}

void BLEDevice::handleConfigAccepted()
{
    lastReplyCommand = ble::kConfigAcceptedCommand;
    changeSlaveStateSuccessfully = true;
    // A switch moved by the user stays where the user put it; the cards
    // follow the base's next list.
    for (BLEAdwView *card : qAsConst(listAdwView)) {
        if (card->getFlUserCmd()) {
            card->setFlUserCmd(false);
            card->setEnableViewDopParam(card->getSwitch()->getState());
        }
        card->setFlRefresh(true);
    }
    qDebug() << "changeSlaveStateSuccessfully=" << changeSlaveStateSuccessfully;
}

void BLEDevice::handleNameAccepted()
{
    lastReplyCommand = ble::kNameAcceptedCommand;
    changeNameSlaveSuccessfully = true;
    for (BLEAdwView *card : qAsConst(listAdwView)) {
        card->setFlUserCmd(false);
        card->setFlRefresh(true);
    }
    qDebug() << "changeNameSlaveSuccessfully=" << changeNameSlaveSuccessfully;
}

void BLEDevice::handleAdvertList(const QByteArray &frame)
{
    // Four whole records or nothing: a short list is not read at all.
    const std::optional<QByteArray> records = ble::advertRecords(frame);
    if (!records)
        return;
    lastReplyCommand = ble::kAdvertListCommand;
    resetTimerDeviceConnected();
    endRefusal();
    mappingDataToAdwertDevices(records->constData());
    // A slot the list leaves empty has no sensor to read.
    for (int slot = 0; slot < kAdvertSlots; ++slot) {
        if (listAdwModel.at(slot)->getFlConnectedDevice())
            stampReading(slot);
        else
            forgetReading(slot);
    }

    netNumDevice = QByteArray(1, char(adwModel1->getNetNumber()));
    currentSlot = 0;
    emit signalCopyQueueSurveyDevice(0);

    refreshCards();

    if (ui && serialPort)
        ui->comboBox_SerialPort->setCurrentText(serialPort->portName());
}

void BLEDevice::mappingDataToAdwertDevices(const char *buf)
{
    if (!buf)
        return;
    for (int i = 0; i < ble::kAdvertRecords; ++i)
        listAdwModel.at(i)->setParamDevice(buf + i * ble::kAdvertRecordLength);
    // Slot 1 is the sensor linked to the base, whatever its mode byte says.
    adwModel1->setFlLinked(true);
    if (adwView1)
        adwView1->setFlLinked(true);
    for (int i = 0; i < listAdwView.size(); ++i)
        listAdwView.at(i)->setModel(listAdwModel.at(i));
}

bool BLEDevice::mappingDataToAdwertDevicesOld(const char *buf)
{
    if (!buf)
        return false;
    // The slots keep their model objects; a record only changes their values.
    BLEAdwModel placed;
    placed.setParamDevice(buf);
    const quint8 mask = placed.getSlotMask();
    if (placed.getFlLinked()) {
        placed.setNameCharForConnect(adwModel1->getNameCharForConnect());
        adwModel1->assignFrom(placed);
        if (mask & kOldLinkedExtraBit)
            adwModel1->setFlDopParam(true);
    } else {
        for (int slot = 2; slot <= ble::kAdvertRecords; ++slot) {
            if (mask & (1u << (slot - 2)))
                listAdwModel.at(slot - 1)->assignFrom(placed);
        }
    }
    for (int slot = 2; slot <= ble::kAdvertRecords; ++slot) {
        if (mask & ble::extraParamBit(slot))
            listAdwModel.at(slot - 1)->setFlDopParam(true);
    }
    if (placed.getFlLinked() && adwView1)
        adwView1->setFlLinked(true);
    for (int i = 0; i < listAdwView.size(); ++i)
        listAdwView.at(i)->setModel(listAdwModel.at(i));
    return true;
}

BLEAdwModel *BLEDevice::getModelByNetNum(int netNum)
{
    BLEAdwModel *found = nullptr;
    for (BLEAdwModel *model : qAsConst(listAdwModel)) {
        if (model->getNetNumber() == netNum)
            found = model;
    }
    return found;
}

bool BLEDevice::compareTwoMass(const char *mass1, const char *mass2, int dimens)
{
    if (dimens < 1)
        return true;
    if (!mass1 || !mass2)
        return false;
    return std::memcmp(mass1, mass2, size_t(dimens)) == 0;
}
