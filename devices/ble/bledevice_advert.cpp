// The advertising mode of the BLE base page: the four slot cards, how each
// list answer brings them up to date, and the commands a card asks for
// (parameter set, network number, base configuration, connect by name and
// password). The base acknowledges only the configuration and the name; the
// rest shows in the lists that follow.
#include "devices/ble/bledevice.h"

#include "deruvivuriri_form.h"

#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bleadwview.h"
#include "devices/ble/bleprotocol.h"
#include "ui/switch.h"

#include <QDebug>
#include <QLineEdit>
#include <QTimer>

namespace {

constexpr int kAfterSlotCommandMs = 50;
constexpr int kConfigAnswerMs = 600;
constexpr int kFreeNameSettleMs = 200;
constexpr int kFreeListAnswerMs = 600;
constexpr int kBeforeNameMs = 100;
constexpr int kBeforePasswordMs = 1000;
constexpr int kPasswordAnswerMs = 500;

} // namespace

BLEAdwView *BLEDevice::cardOf(int slot) const
{
    return slot >= 0 && slot < listAdwView.size() ? listAdwView.at(slot) : nullptr;
}

BLEAdwModel *BLEDevice::modelOf(int slot) const
{
    return slot >= 0 && slot < listAdwModel.size() ? listAdwModel.at(slot) : nullptr;
}

// ---- Cards ------------------------------------------------------------------------

void BLEDevice::initAdvertCards()
{
    if (!ui || !adwScrollContent)
        return;
    adwView1 = new BLEAdwView(ui, adwScrollContent);
    adwView2 = new BLEAdwView(ui, adwScrollContent);
    adwView3 = new BLEAdwView(ui, adwScrollContent);
    adwView4 = new BLEAdwView(ui, adwScrollContent);
    listAdwView = {adwView1, adwView2, adwView3, adwView4};
    for (int i = 0; i < listAdwView.size(); ++i) {
        BLEAdwView *card = listAdwView.at(i);
        BLEAdwModel *model = listAdwModel.at(i);
        card->showUI(false);
        card->setModel(model);
        card->setPage(this);
        connect(card, &BLEAdwView::signalResetConnectingDevice, model, &BLEAdwModel::resetFlConnectedDevice);
        connect(card, &BLEAdwView::signalToMainToConnectDevice, this, &BLEDevice::recieveStringFromDialog);
        connect(card, &BLEAdwView::signalEnableDopParam, this, &BLEDevice::enableDopParamAdwert);
        connect(this, &BLEDevice::errorConnectedToDeviceAdwert, card, &BLEAdwView::errorConnectingToDevice);
        connect(model, &BLEAdwModel::deviceAdwertIsConnected, card, &BLEAdwView::deviceIsConnected);
        connect(card, &BLEAdwView::signalChangeNetNumAdwert, this, &BLEDevice::changeNetNumAdwertDevice);
        connect(card, &BLEAdwView::signalChangeParamsTH, this, &BLEDevice::changeParamsSendTH);
    }
}

void BLEDevice::showCardsForAdvertMode()
{
    const bool dark = checkDarkTheme();
    for (BLEAdwView *card : qAsConst(listAdwView)) {
        card->getSwitch()->setFlag(true);
        card->showUI(true);
        card->showLabel(false, dark);
        // Greyed until the next list says what the slot holds.
        card->setFlRefresh(true);
    }
    cardsShown = true;
    // The cards stand where the status lines are: while the base lists its
    // sensors, the cards tell the state.
    setVisibleStatusLabels(false);
}

void BLEDevice::hideCards()
{
    for (BLEAdwView *card : qAsConst(listAdwView))
        card->showUI(false);
}

void BLEDevice::refreshCards()
{
    const quint8 mask = adwModel1->getSlotMask();
    const bool dark = checkDarkTheme();
    if (cardsDue) {
        cardsDue = false;
        showCardsForAdvertMode();
    }
    for (int i = 0; i < listAdwModel.size(); ++i) {
        BLEAdwModel *model = listAdwModel.at(i);
        BLEAdwView *card = cardOf(i);
        // Slot 1's record tells which slots send extra parameters.
        const bool extra = mask & ble::extraParamBit(i + 1);
        model->setFlDopParam(extra);
        if (!card)
            continue;
        card->setVisibleEncryption(ble::isEncryptedMode(model->getMode()));
        card->setEnableViewDopParam(extra);
        // A slot without a sensor (freed, or its sensor out of reach) is
        // greyed again, whatever the card showed before.
        if (!model->getFlConnectedDevice())
            card->setFlRefresh(true);
        if (card->getFlRefresh())
            refreshCard(card, model, dark);
    }
    enableCalibrationForListedSensors();
}

void BLEDevice::refreshCard(BLEAdwView *card, BLEAdwModel *model, bool dark)
{
    if (model->getFlConnectedDevice()) {
        card->setFlRefresh(false);
        card->deviceIsConnected();
        card->showUI(true);
        card->showLabel(true, dark);
        card->setTextBtnConnect(BLEAdwView::tr("Подключить другой"));
    } else {
        card->showLabel(false, dark);
        card->setTextBtnConnect(BLEAdwView::tr("Подключить датчик"));
    }
    card->getLineEditNetNum()->setText(ble::netNumberFieldText(model->getNetNumber(), model->getFlDopParam()));
    card->showFamily(model->getNameChar().toLocal8Bit());
}

void BLEDevice::enableCalibrationForListedSensors()
{
    if (!ui)
        return;
    // A tank can be calibrated from the advertising page once a slot holds a sensor.
    bool listed = false;
    for (const BLEAdwModel *model : qAsConst(listAdwModel))
        listed = listed || model->getFlConnectedDevice();
    ui->ButtonTarirovka->setEnabled(listed);
}

// ---- Commands ---------------------------------------------------------------------

void BLEDevice::restoreSurveyAddress()
{
    emit copyNetNumToParent(QByteArray(1, char(advertMode ? ble::kAdvertAddress : ble::kBaseAddress)));
}

bool BLEDevice::sendSlotCommand(BaseDevice::Procedure &run, const QByteArray &request)
{
    // The sensor answers nothing; the base is asked for itself, and the
    // lists that follow show what the sensor took.
    if (!run.alive())
        return false;
    emit writeData(request);
    if (!run.wait(kAfterSlotCommandMs))
        return false;
    setSearchActive(true);
    requestSearch();
    restoreSurveyAddress();
    emit signalCheckIncommingData();
    checkAtAdvertPace();
    return run.alive();
}

bool BLEDevice::changeParamsSendTH(int index, int indexWidget)
{
    Procedure run(this);
    if (!run)
        return false;
    BLEAdwView *card = cardOf(indexWidget);
    BLEAdwModel *model = modelOf(indexWidget);
    if (!card || !model)
        return false;
    const quint8 address = quint8(model->getNetNumber());
    card->setFlRefresh(true);
    return sendSlotCommand(run, ble::paramSetWrite(address, ble::paramSetNumber(index)));
}

bool BLEDevice::changeNetNumAdwertDevice(int curDeviceWidget)
{
    Procedure run(this);
    if (!run)
        return false;
    BLEAdwView *card = cardOf(curDeviceWidget);
    BLEAdwModel *model = modelOf(curDeviceWidget);
    if (!card || !model)
        return false;
    const std::optional<quint8> number = ble::typedNetNumber(card->getLineEditNetNum()->text());
    const quint8 address = quint8(model->getNetNumber());
    card->setFlRefresh(true);
    // An empty field or a number past one byte is never sent as some other number.
    if (!number) {
        tellWithWatchdogHeld(run, tr("Введите число от %1 до %2").arg(0).arg(ble::kLargestNetNumber));
        return false;
    }
    QList<int> inUse;
    for (const BLEAdwModel *slot : qAsConst(listAdwModel))
        inUse << slot->getNetNumber();
    const int clashes = ble::netNumberClashes(*number, inUse);
    // The box is said once per clash; a page left meanwhile says no more.
    for (int i = 0; i < clashes; ++i) {
        if (!tellWithWatchdogHeld(run, tr("Установите другой сетевой адрес")))
            return false;
    }
    if (clashes > 0)
        return false;
    return sendSlotCommand(run, ble::netNumberWrite(address, *number));
}

bool BLEDevice::tellWithWatchdogHeld(BaseDevice::Procedure &run, const QString &text)
{
    // The user reading the box is no silence of the base.
    run.muteWatchdog();
    showMessage(QString(), text, statusParent());
    if (!run.alive())
        return false;
    run.unmuteWatchdog();
    return true;
}

std::optional<bool> BLEDevice::checkAndWait(BaseDevice::Procedure &run)
{
    if (!run.waitAndTake(kConfigAnswerMs))
        return std::nullopt;
    return changeSlaveStateSuccessfully;
}

bool BLEDevice::sendFreeSlotName(BaseDevice::Procedure &run, quint8 address)
{
    emit writeData(ble::nameWrite(address, ble::kFreeSlotName));
    if (!run.wait(kFreeNameSettleMs + kAfterSlotCommandMs))
        return false;
    emit signalRequestForGetAllDataFromDeviceAdvert();
    return run.waitAndTake(kFreeListAnswerMs);
}

bool BLEDevice::enableDopParamAdwert(int curDeviceWidget, bool enableDev, bool enableDop)
{
    // A card of a page already left asks for nothing, and one command of the
    // page runs at a time.
    Procedure run(this);
    if (!run) {
        // The switch moved for nothing goes back with the next list.
        if (BLEAdwView *card = cardOf(curDeviceWidget)) {
            card->setFlUserCmd(false);
            card->setFlRefresh(true);
        }
        return false;
    }
    // The polls go on and bring the cards' new state; the base busy with the
    // configuration is no silent base, and the page listens again when it
    // ends: a refused command never leaves it deaf.
    run.muteWatchdog();
    return configureSlot(run, curDeviceWidget, enableDev, enableDop);
}

bool BLEDevice::configureSlot(BaseDevice::Procedure &run, int curDeviceWidget, bool enableDev, bool enableDop)
{
    // An answer still waiting is taken first, so that it cannot pass for this one's.
    emit signalCheckIncommingData();
    BLEAdwView *card = cardOf(curDeviceWidget);
    BLEAdwModel *model = modelOf(curDeviceWidget);
    if (!card || !model || !run.alive())
        return false;
    card->setFlRefresh(true);
    const quint8 address = quint8(model->getNetNumber());
    const quint8 config = ble::changedConfig(adwModel1->getSlotMask(), curDeviceWidget, enableDev, enableDop);
    currentSlot = curDeviceWidget;
    // Left during a wait, the page sends, logs and restarts nothing more.
    if (!enableDev && !sendFreeSlotName(run, address))
        return false;

    // Only the base's answer to this configuration counts.
    changeSlaveStateSuccessfully = false;
    emit writeData(ble::configWrite(quint8(adwModel1->getNetNumber()), config));
    const std::optional<bool> accepted = checkAndWait(run);
    if (!accepted)
        return false;
    if (!*accepted) {
        emit signalWriteLog("Error change config master for adwertizing");
        return false;
    }
    if (!enableDev) {
        card->setTextBtnConnect(BLEAdwView::tr("Подключить датчик"));
        card->showLabel(false, checkDarkTheme());
        card->setFlRefresh(true);
        model->setFlConnectedDevice(false);
        model->setParamNull();
        if (!run.wait(2 * kAfterSlotCommandMs))
            return false;
    }
    changeSlaveStateSuccessfully = false;
    emit signalWriteLog("Change config master for adwertizing");
    return true;
}

bool BLEDevice::recieveStringFromDialog(QString data, int password, int curDeviceWidget)
{
    // A second press while the first connection runs is refused, and told
    // in the dialog: the first one goes on as after one press.
    Procedure run(this);
    if (!run)
        return false;
    BLEAdwView *card = cardOf(curDeviceWidget);
    BLEAdwModel *model = modelOf(curDeviceWidget);
    if (!card || !model) {
        emit errorConnectedToDeviceAdwert();
        return false;
    }
    // The list pauses while the slot is set up, and goes on at the end, for
    // another attempt after a failure too.
    run.holdLine();
    if (!configureSlot(run, curDeviceWidget, true, true)) {
        // A page left meanwhile tells its card nothing.
        if (run.alive())
            emit errorConnectedToDeviceAdwert();
        return false;
    }
    if (!run.wait(kBeforeNameMs))
        return false;

    const quint8 address = quint8(model->getNetNumber());
    model->setNameForConnect(data);
    card->setFlRefresh(true);
    changeNameSlaveSuccessfully = false;
    emit writeData(ble::nameWrite(address, data.toUtf8()));
    if (!run.wait(kBeforePasswordMs))
        return false;
    emit writeData(ble::valueWrite(address, ble::kSensorPasswordCommand, quint32(password)));
    if (!run.waitAndTake(kPasswordAnswerMs))
        return false;
    qDebug() << (changeNameSlaveSuccessfully ? "set Name + verify Pwd successfully"
                                             : "Error set new name + verify pwd");
    return true;
}
