// The BLE base page: construction, its widgets on the form, and the link to
// the base (connection, polling, search and watchdog).
#include "devices/ble/bledevice.h"

#include "deruvivuriri_form.h"

#include "calibration/myitemdelegateforcell.h"
#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bleadwview.h"
#include "devices/ble/bleprotocol.h"
#include "link/frame.h"
#include "link/ringbuffer.h"
#include "ui/formfonts.h"
#include "ui/securityble.h"
#include "ui/widgettar.h"

#include <QDebug>
#include <QLabel>
#include <QScrollArea>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

namespace {

constexpr int kTarCardsDrop = 74;   // the cards sit below the calibration page's controls
constexpr int kTarTableHeight = 35; // one header row; the calibration run grows it
constexpr int kValueFontPixels = 16;
constexpr int kScrollContentWidth = 687;
constexpr int kScrollContentHeight = 950;
constexpr int kScrollAreaX = 5;
constexpr int kScrollAreaY = 75;
// A serial request relayed by the base is answered within this time.
constexpr int kSerialAskMs = 300;
constexpr int kScrollAreaHeight = 500;
// The base's identity answer comes before the list is asked for.
constexpr int kAdvertIdentityMs = 200;

// The page's device button colours: caption and underline.
const char *const kButtonOnDark = "#E32323";
const char *const kButtonOnLight = "#1f2222";
const char *const kButtonOff = "#b9b9b9";

} // namespace

BLEDevice::BLEDevice(Ui_Deruvivuriri *form, QSerialPort *port) : BaseDevice(form, port)
{
    timerStatusMsg = new QTimer(this);
    connect(timerStatusMsg, &QTimer::timeout, this, &BLEDevice::setEnableShowMainStatusMsgBLE);
    passwordQuestion = new PasswordQuestion(
        {ble::kStatusPasswordAccepted, ble::kStatusPasswordRefused, ble::kStatusPasswordChangeFailed}, this);
    connect(passwordQuestion, &PasswordQuestion::answered, this, &BLEDevice::passwordAnswered);
    connect(passwordQuestion, &PasswordQuestion::unanswered, this, &BLEDevice::passwordUnanswered);

    // The third sensor's buffer has no storage: it refuses every value, so
    // the third sensor is never judged stable or not.
    for (int i = 0; i < kSensors; ++i)
        smoothingBuffers[size_t(i)] = new RingBuffer(0, this);
    smoothingBuffers[0]->initInts(kStabilityWindow);
    smoothingBuffers[1]->initInts(kStabilityWindow);

    // The models carry no widget of their own; the main window connects
    // their signals right after construction.
    adwModel1 = new BLEAdwModel();
    adwModel2 = new BLEAdwModel();
    adwModel3 = new BLEAdwModel();
    adwModel4 = new BLEAdwModel();
    listAdwModel = {adwModel1, adwModel2, adwModel3, adwModel4};
}

BLEDevice::~BLEDevice()
{
    qDeleteAll(listAdwModel);
}

quint8 BLEDevice::calc_crc8(const char *data, int length) const
{
    if (!data || length < 1)
        return 0;
    return frame::calc_crc8(reinterpret_cast<const uchar *>(data), length);
}

bool BLEDevice::initUI()
{
    initIcons();
    const QString family = formfonts::registerFormFonts().light;
    if (!family.isEmpty())
        fontValue.setFamily(family);
    fontValue.setPixelSize(kValueFontPixels);
    if (!ui)
        return true;

    // Calibration view on the calibration page: the litres column, then the sensors.
    widgetTar4 = new WidgetTar(ui->Tarirovka, true);
    widgetTar1 = new WidgetTar(ui->Tarirovka, false);
    widgetTar2 = new WidgetTar(ui->Tarirovka, false);
    widgetTar3 = new WidgetTar(ui->Tarirovka, false);
    const int litresWidth = widgetTar4->width();
    const int sensorWidth = widgetTar1->width();
    widgetTar4->move(widgetTar4->x(), widgetTar4->y() + kTarCardsDrop);
    widgetTar1->move(widgetTar1->x() + litresWidth - 1, widgetTar1->y() + kTarCardsDrop);
    widgetTar2->move(widgetTar2->x() + litresWidth + sensorWidth, widgetTar2->y() + kTarCardsDrop);
    tarTableView = new QTableView(ui->Tarirovka);
    tarTableView->setGeometry(widgetTar4->x(), widgetTar4->y() + widgetTar4->height() + 1,
                              litresWidth + sensorWidth + 2, kTarTableHeight);
    tarTableView->setColumnWidth(0, litresWidth);
    tarTableView->setColumnWidth(1, sensorWidth);
    itemDelegate = new MyItemDelegateForCell(tarTableView);
    tarModel = new QStandardItemModel(ui->Tarirovka);
    tarTableView->hide();

    ui->pushButtonBLE->show();
    ui->line_UnderBtnBLE->show();
    ui->progressBarLevelBLE->setTextVisible(false);
    ui->progressBarLevelBLE->setMaximum(1023);
    ui->label_CopyMacBLE->hide();
    ui->label_TempValBLE->setFont(fontValue);
    ui->label_TempNameBLE->setPixmap(pixTemp);
    ui->labelTimerUpdFwBLE->hide();
    ui->labelMsgUpdBLE->hide();
    ui->label_NeedCalibBLE->hide();
    ui->label_Alarm_9BLE->hide();
    ui->label_Alarm_9BLE->setPixmap(pixAlarm);
    ui->label_NameUrovenBLE->hide();
    ui->label_UrovenBLE->hide();
    // Index 0 is the range 1-1023, index 1 the range 1-4095.
    ui->comboBoxRangeBLE->clear();
    ui->comboBoxRangeBLE->addItem(tr("1-1023"));
    ui->comboBoxRangeBLE->addItem(tr("1-4095"));

    // The area that holds the advertising sensors' cards.
    adwScrollArea = new QScrollArea(ui->BLE_QF410);
    adwScrollContent = new QWidget();
    adwScrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    adwScrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    adwScrollContent->setGeometry(0, 0, kScrollContentWidth, kScrollContentHeight);
    adwScrollArea->setGeometry(kScrollAreaX, kScrollAreaY, kScrollContentWidth, kScrollAreaHeight);
    initAdvertCards();
    adwScrollArea->setWidget(adwScrollContent);
    adwScrollArea->hide();

    // The advertising sensors' calibration page.
    ui->lineEditStepTarAdw->setText("5");
    ui->comboBoxZalivSlivAdw->clear();
    ui->comboBoxZalivSlivAdw->addItem(tr("Заливом"));
    ui->comboBoxZalivSlivAdw->addItem(tr("Сливом"));
    ui->tabWidgetAdw->setTabText(3, tr("Датчик 4"));
    ui->tabWidgetAdw->setTabText(2, tr("Датчик 3"));
    ui->tabWidgetAdw->setTabText(1, tr("Датчик 2"));
    ui->tabWidgetAdw->setTabText(0, tr("Датчик 1"));
    ui->pushButtonDelPortionAdw->hide();
    ui->pushButtonAdPortionAdw->hide();
    ui->pushButtonEndTarAdw->hide();

    ui->labelCopyMAC->setCursor(Qt::PointingHandCursor);

    initStatusMessage();
    showUI(false);
    ui->label_Alarm_12BLE->hide();
    ui->label_Alarm_10BLE->hide();

    levelFaultIcon = new QLabel(ui->BLE_QF410);
    levelFaultIcon->setPixmap(pixQuest);
    levelFaultIcon->setScaledContents(true);
    levelFaultIcon->hide();

    ui->label_StableBLE->setWordWrap(true);
    return true;
}

void BLEDevice::initIcons()
{
    pixTemp = QPixmap(":/images/temp.png");
    pixAlarm = QPixmap(":/images/alarm.png");
    pixLock = QPixmap(":/images/lock.png");
    pixUnlock = QPixmap(":/images/unlock.png");
    pixQuest = QPixmap(":/images/quest_pict.png");
}

void BLEDevice::changeIconBtnConnectDevice(QString state, bool darkTheme)
{
    QString colour;
    if (state == QLatin1String("on"))
        colour = darkTheme ? kButtonOnDark : kButtonOnLight;
    else if (state == QLatin1String("off"))
        colour = kButtonOff;
    if (colour.isEmpty() || !ui)
        return;
    ui->label_NameButtBLE->setStyleSheet(QStringLiteral("QLabel {color : %1;}").arg(colour));
    ui->line_UnderBtnBLE->setStyleSheet(QStringLiteral("QFrame {background-color :  %1;}").arg(colour));
}

// ---- Connection, polling and watchdog ---------------------------------------

void BLEDevice::checkAtAdvertPace()
{
    if (polling != Polling::None)
        setCheckInterval(kCheckIntervalAdvertMs);
}

void BLEDevice::pollTick()
{
    switch (polling) {
    case Polling::Data:
        emit signalRequestForGetAllDataFromDevice();
        break;
    case Polling::Advert:
        emit signalRequestForGetAllDataFromDeviceAdvert();
        break;
    case Polling::None:
        break;
    }
}

void BLEDevice::watchdogRanOut()
{
    resetDeviceIsConnected();
}

void BLEDevice::sessionEnded()
{
    passwordQuestion->reset();
    setEnableShowMainStatusMsgBLE();
}

void BLEDevice::connectDevice()
{
    forgetAdvertSession();
    polling = Polling::Data;
    BaseDevice::connectDevice();

    netNumDevice = QByteArray(1, char(ble::kBaseAddress));
    currentNetNum = ble::kBaseAddress;
    emit copyNetNumToParent(netNumDevice);

    // A base plugged in anew may relay another sensor: its password state,
    // its summary line and its first data are learnt afresh.
    initConnectionNewDevice();
    connectionIdentity.clear();
    for (Sensor &s : sensors)
        s.serialKnown = false;
    needUpdateWindow = true;
    // The lines tell the user what the page waits for until the sensor shows.
    setVisibleStatusLabels(true);
}

bool BLEDevice::waitForSensorSerial(BaseDevice::Procedure &run, int ms)
{
    for (int waited = 0; !isSensorSerialKnown() && waited < ms; waited += kSerialAskMs) {
        emit signalRequestForGetSerNumAndFirmWareVersion();
        if (!run.waitAndTake(kSerialAskMs))
            return false;
    }
    return run.alive();
}

void BLEDevice::disconnectDevice()
{
    // The end of the session forgets that the base answered; this page
    // leaves that to its reset and its watchdog: a sensor of the wrong kind
    // ends polling, yet the base is still there.
    const bool baseAnswered = isDeviceConnected();
    polling = Polling::None;
    BaseDevice::disconnectDevice();
    setConnected(baseAnswered);
    showUI(false);
    // A refusal told during the session ended goes with it.
    endRefusal();
    forgetAdvertSession();
    setEnableShowMainStatusMsgBLE();
}

void BLEDevice::forgetAdvertSession()
{
    // Whichever way the page was left (its own button, another device's
    // button, the remote commands), the next connection learns the base's
    // mode afresh: its first advertising answer sets the cards and the list
    // polling up again instead of finding them set up for a session gone.
    firstConnectingDeviceAdwert = false;
    cardsDue = false;
    cardsShown = true;
    if (polling == Polling::Advert)
        polling = Polling::None;
    hideCards();
    if (adwScrollArea)
        adwScrollArea->hide();
}

void BLEDevice::connectDeviceAdvert()
{
    forgetAdvertSession();
    polling = Polling::Advert;
    BaseDevice::connectDevice();
    netNumDevice = QByteArray(1, char(ble::kAdvertAddress));
    currentNetNum = ble::kAdvertAddress;
    emit copyNetNumToParent(netNumDevice);
    emit signalRequestForGetSerNumAndFirmWareVersion();
    // The mode is the page's from the start, so that a page left during the
    // wait comes back to the list.
    advertMode = true;
    Procedure identity(this, Procedure::Kind::Step);
    if (!identity.wait(kAdvertIdentityMs))
        return;
    resumePolling();
    restoreTimerDeviceConnected();
    needUpdateWindow = true;
}

void BLEDevice::disconnectDeviceAdvert()
{
    // Both modes end alike: whichever the page was in, it polls no more.
    disconnectDevice();
}

bool BLEDevice::resetDeviceIsConnected()
{
    showUI(false);
    hideCards();
    // The base's next list brings the cards back.
    cardsDue = advertMode;
    // The page's widgets go, its status lines stay: they tell the user why
    // until the base answers again.
    setVisibleStatusLabels(true);
    setConnected(false);
    // What the base reported before it fell silent is no reading of now.
    forgetReadings();
    showStatusMessageUp(tr(" "));
    showStatusMessage(tr("Подключите датчик"));
    currentSlot = 0;
    secondSensor = false;
    thirdSensor = false;
    if (ui) {
        ui->label_Alarm_12BLE->hide();
        ui->label_Alarm_10BLE->hide();
    }
    currentCommand = ble::kNoCommand;
    needUpdateWindow = true;
    emit signalWriteLog("Device is not responding");
    return true;
}

int BLEDevice::CompareNetNum(int netnum)
{
    static const char *const kEntryNames[] = {"netNumDevice.at(FIRST_DEVICE)", "netNumDevice.at(SECOND_DEVICE)",
                                              "netNumDevice.at(THIRD_DEVICE)"};
    const int n = netNumDevice.size();
    if (n < 1 || n > kSensors)
        return 99;
    qDebug() << kEntryNames[n - 1];
    // Compared as signed bytes.
    return int(qint8(netNumDevice.at(n - 1))) == netnum ? n - 1 : 99;
}

void BLEDevice::initConnectionNewDevice()
{
    updateCountdown = 0;
    setProtection(SensorProtection::State::NotKnown);
    waitingReply = false;
    paramsAcknowledged = false;
    sensorLinked = false;
    noSensorLogged = false;
    passwordSet = false;
    acceptedPassword.reset();
    lastCommandStatus.reset();
    // Another sensor may answer from now on: nothing asked before is its.
    passwordQuestion->reset();
    mainStatus = true;
    deviceIsConnectedJustNow = true;
    needUpdateWindow = true;
}

bool BLEDevice::resetSettingToDefault()
{
    initConnectionNewDevice();
    currentSlot = 0;
    setConnected(false);
    needCalibration = false;
    settingsChanged = false;
    firstConnectingDeviceAdwert = false;
    advertMode = false;
    emptyVal = 0;
    fullValue = 0;
    tarSessionValue = 0;
    range1023 = false;
    range4095 = false;
    rangeChangeTo1023 = false;
    rangeChangeTo4095 = false;
    currentNetNum = 0;
    currentCommand = ble::kNoCommand;
    cardsShown = true;
    kindAccepted = false;
    linkValid = false;
    forgetAcknowledgements();
    secondSensor = false;
    thirdSensor = false;
    connectionIdentity.clear();
    forgetReadings();
    cardsDue = false;

    showUI(false);
    netNumDevice.clear();
    emit copyNetNumToParent(netNumDevice);
    emit signalCopyQueueSurveyDevice(0);
    if (ui) {
        ui->label_Alarm_12BLE->hide();
        ui->label_Alarm_10BLE->hide();
    }
    const bool dark = checkDarkTheme();
    for (BLEAdwView *card : qAsConst(listAdwView))
        card->showLabel(false, dark);
    for (BLEAdwView *card : qAsConst(listAdwView))
        card->showUI(false);
    for (BLEAdwView *card : qAsConst(listAdwView))
        card->resetSettingToDefault();
    for (BLEAdwModel *model : qAsConst(listAdwModel))
        model->resetSettingToDefault();
    if (ui) {
        ui->pushButtonService->setEnabled(true);
        ui->ButtonTarirovka->setEnabled(true);
    }
    return true;
}

std::optional<quint8> BLEDevice::expectedNetNum() const
{
    if (netNumDevice.isEmpty())
        return std::nullopt;
    const int i = currentSlot >= 0 && currentSlot < netNumDevice.size() ? currentSlot : 0;
    return quint8(netNumDevice.at(i));
}

std::optional<int> BLEDevice::storeSlot() const
{
    if (currentSlot < 0 || currentSlot >= kSensors)
        return std::nullopt;
    return currentSlot;
}

WidgetTar *BLEDevice::widgetTarOf(int sensor) const
{
    switch (sensor) {
    case 0:
        return widgetTar1;
    case 1:
        return widgetTar2;
    case 2:
        return widgetTar3;
    default:
        return nullptr;
    }
}

int BLEDevice::getStability(int sensor) const
{
    return sensor >= 0 && sensor < kSensors ? sensors[size_t(sensor)].stability : 0;
}

void BLEDevice::setFirstConnectingDeviceAdwert(bool value)
{
    firstConnectingDeviceAdwert = value;
    if (value)
        emit signalFirstConnectingDeviceAdwert(true);
}

void BLEDevice::awaitCommandOutcome()
{
    lastCommandStatus.reset();
}
