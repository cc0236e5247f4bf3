#include "calibration/myitemdelegateforcell.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "devices/fls/flsprotocol.h"
#include "link/frame.h"
#include "pagefixture.h"
#include "resources/bundle.h"
#include "ui/switch.h"
#include "ui/widgettar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTableView>
#include <QTimer>
#include <QValidator>
#include <QtTest>

#include <iterator>
#include <memory>

// The wired sensor page on a real form: its lifecycle, its configuration
// switches and their frames, and its widgets. Sensor data reaches the page the
// way the main window hands it over, through run().
class TestFlsDevice : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    // Lifecycle.
    void logLineRightAfterConstructionHoldsZeros();
    void indexOfNetNumWithoutFoundSensors();
    void indexOfNetNumAmongFoundSensors();
    void searchStartedTwiceSendsOneRequestPerTick();
    void newSearchForgetsTheSensorsFoundBefore();
    void connectHidesTheAlarmsAndSearchesAtOnce();
    void disconnectingAnIdlePageSendsNothingAndForgetsTheBus();
    void noTimerRunsWhileThePortIsClosed();
    void resetSettingToDefaultKeepsTheSelectedSensor();
    void slaveStubsSendNothing();
    void crcOfNothingIsZeroAndAFrameWithItsCrcGivesZero();
    void resetFrameCarriesTheWriteSignature();
    void defaultValuesAreDashes();
    void watchdogExpiryPromptsLogsAndSearchesAgainEachPeriod();

    // Configuration switches.
    void masterFlipStartsFromTheSensorsByte();
    void switchFramesGoToTheSelectedSensor();
    void configurationByteCTravelsOnlyWithNewQF470Firmware_data();
    void configurationByteCTravelsOnlyWithNewQF470Firmware();
    void angleFlipTurnsEcoDriveOffAndSearchesAgain();
    void termoEcoDriveLitresAndPercentsFlipTheirBits_data();
    void termoEcoDriveLitresAndPercentsFlipTheirBits();
    void sendSerNumTwiceSetsThenClearsTheBit();
    void literPercentSwitchOnlyLogs();
    void refusableTogglesAskForAParameterRefresh_data();
    void refusableTogglesAskForAParameterRefresh();
    void aClickOnASwitchSendsItsFrame();
    void switchesSitInTheirRows();
    void discardRestoresTheFilterAsTheAnswerShowedIt_data();
    void discardRestoresTheFilterAsTheAnswerShowedIt();
    void discardRestoresInterfaceRangeAndNetNum();
    void discardLeavesAnUnnamedInterfaceAlone();
    void factorySettingsMarkEverythingChangedAndSendNothing();

    // Widgets.
    void afterInitUiNothingOfThePageShows();
    void showingThePageShowsItsWidgets();
    void qf260ShowsItsVoltageLabels();
    void showingNeverShowsTheAlarmPicture();
    void initUiFillsListsAndPlacesTheCalibrationView();
    void connectButtonCaptionFollowsStateAndTheme_data();
    void connectButtonCaptionFollowsStateAndTheme();
    void levelColourGoesIntoTheTemplates();
    void validatorsBoundTheirFields_data();
    void validatorsBoundTheirFields();
    void findWidgetByNameNeverGivesNull();
    void statusLines();
    void changeMarksShowAndHide();
    void clearTarWidgetHidesTheTwoSensorCards();
    void questionPictureGoesBesideTheWidget();
    void pageWithoutAFormCopesWithEverything();

private:
    void feed(const QByteArray &bytes);
    // One sensor answers its serial number and firmware, then all its data.
    void connectAs(const QString &model, quint16 firmware, quint8 a, quint8 b, quint8 c = 0);
    // The switches' waits belong to a session: one runs with its timers held
    // still, so that only what a switch sends is counted.
    void openQuietSession();

    std::unique_ptr<PageFixture<FLSDevice>> fixture;
    QWidget *window = nullptr;
    Ui_Deruvivuriri *ui = nullptr;
    FLSDevice *page = nullptr;
};

namespace {

const QByteArray kSignature = QByteArray::fromHex("5AC396");

QByteArray serialAndFirmware(quint8 net, quint32 serial, quint16 firmware)
{
    QByteArray f;
    f.append(char(0x3E)).append(char(net)).append(char(0xFC));
    for (int i = 0; i < 4; ++i)
        f.append(char(serial >> (8 * i)));
    f.append(char(firmware & 0xFF)).append(char(firmware >> 8));
    return frame::withCrc(f);
}

// An all-data answer of `length` bytes with the model byte at `modelAt`.
QByteArray allData(int length, int modelAt, quint8 model, quint8 a, quint8 b, quint8 byte23)
{
    QByteArray f(length - 1, '\0');
    f[0] = char(0x3E);
    f[1] = 0; // the network number expected while no search has listed any
    f[2] = char(0xF0);
    f[3] = 21;
    const quint16 level = 500;
    f[4] = char(level & 0xFF);
    f[5] = char(level >> 8);
    auto le32 = [&f](int at, qint32 v) {
        for (int i = 0; i < 4; ++i)
            f[at + i] = char(quint32(v) >> (8 * i));
    };
    le32(6, 15000);
    le32(10, 10000);
    le32(14, 20000);
    f[20] = char(a);
    f[22] = char(b);
    if (length > 24)
        f[23] = char(byte23);
    f[modelAt] = char(model);
    return frame::withCrc(f);
}

// 0x31, net, command, the write signature, payload, CRC-8.
QByteArray writeFrame(quint8 net, quint8 command, const QByteArray &payload)
{
    QByteArray f;
    f.append(char(0x31)).append(char(net)).append(char(command));
    f.append(kSignature).append(payload);
    return frame::withCrc(f);
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// Shown on its page once the page shows (the form itself is never shown here).
bool showsOn(QWidget *w, QWidget *page)
{
    return w->isVisibleTo(page);
}

const char *const kPageWidgets[] = {
    "label_43",
    "label_86",
    "labelQuestionPict",
    "labelQuestionPict_2",
    "labelQuestionPict_3",
    "labelQuestionPict_4",
    "labelQuestionPict_5",
    "labelQuestionPict_6",
    "labelQuestionPict_7",
    "labelQuestionPict_10",
    "comboBoxRangeDUT",
    "label_StableDUT",
    "comboBox_NetNumDUT",
    "label_ReqNetNumDUT",
    "label_NameListDevDUT",
    "label_ListDevDUT",
    "ButtonWriteParamDUT",
    "comboBox_FiltrDUT",
    "comboBox_ModeDUT",
    "label_SerNumVal",
    "label_SerNumName",
    "label_FirmwareName",
    "label_4DUT",
    "label_FreqNameDUT",
    "label_FreqValDUT",
    "label_FirmwareVal",
    "label_NaprNameDUT",
    "label_NaprValDUT",
    "label_UrovenDUT",
    "label_NameUrovenDUT",
    "label_19DUT",
    "label_21DUT",
    "label_22DUT",
    "lineDUT",
    "lineEditNetNumDUT",
    "label_TempNameDUT",
    "label_TempValDUT",
    "label_ProgressBarDUT",
    "progressBarLevelDUT",
    "labelTypeFiltration",
    "comboBoxTypeFiltration",
    "pushButtonAutoCalibrate",
};

QStringList items(QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

} // namespace

void TestFlsDevice::initTestCase()
{
    initResourceBundle();
}

void TestFlsDevice::init()
{
    fixture = std::make_unique<PageFixture<FLSDevice>>();
    window = fixture->window.get();
    ui = fixture->ui.get();
    page = fixture->page.get();
}

void TestFlsDevice::cleanup()
{
    fixture.reset();
    page = nullptr;
    window = nullptr;
    ui = nullptr;
}

void TestFlsDevice::feed(const QByteArray &chunk)
{
    fixture->feed(chunk);
}

void TestFlsDevice::openQuietSession()
{
    page->connectDevice();
    // The sensor at number 0 answers the search and a frame: nothing but
    // reads goes to a number that never answered.
    feed(bytes({0x3E, 0x00}));
    feed(serialAndFirmware(0, 4321, 250));
    page->stopSearchDevices();
    page->timerIntervalGetDataStop();
    page->resetAndStopTimerDeviceConnected();
}

void TestFlsDevice::connectAs(const QString &model, quint16 firmware, quint8 a, quint8 b, quint8 c)
{
    openQuietSession();
    feed(serialAndFirmware(0, 4321, firmware));
    if (model == "QF210")
        feed(allData(24, 21, 2, a, b, 0));
    else if (model == "QF410")
        feed(allData(24, 21, 1, a, b, 0));
    else if (model == "QF260")
        feed(allData(25, 23, 3, a, b, 3));
    else if (model == "QF470")
        feed(allData(29, 27, 0x62, a, b, c));
    else
        feed(allData(29, 27, 0x61, a, b, c));
    QVERIFY(page->isDeviceConnected());
}

// ---- Lifecycle ---------------------------------------------------------------

void TestFlsDevice::logLineRightAfterConstructionHoldsZeros()
{
    QSignalSpy log(page, &FLSDevice::signalWriteLog);
    page->writeLogFile();
    QCOMPARE(log.count(), 1);
    QCOMPARE(log.at(0).at(0).toString(), QString("Current=0 ,Level=0 ,Temperature=0"));

    // A selection beyond the polled sensors reads nothing out of bounds.
    page->setCurrentDeviceIndex(7);
    page->writeLogFile();
    QCOMPARE(log.at(1).at(0).toString(), QString("Current=0 ,Level=0 ,Temperature=0"));
}

void TestFlsDevice::indexOfNetNumWithoutFoundSensors()
{
    QCOMPARE(int(page->indexOfNetNum(0)), 0);
    QCOMPARE(int(page->indexOfNetNum(7)), 1);
    QCOMPARE(int(page->indexOfNetNum(255)), 1);
}

void TestFlsDevice::indexOfNetNumAmongFoundSensors()
{
    page->connectDevice();
    feed(bytes({5, 9, 12}));
    QVERIFY(!page->isSearchActive());
    QCOMPARE(int(page->indexOfNetNum(5)), 0);
    QCOMPARE(int(page->indexOfNetNum(9)), 1);
    QCOMPARE(int(page->indexOfNetNum(12)), 2);
    QCOMPARE(int(page->indexOfNetNum(7)), 1);
    QCOMPARE(int(page->indexOfNetNum(0)), 1);
}

void TestFlsDevice::searchStartedTwiceSendsOneRequestPerTick()
{
    // A search period of its own, so that its timer is told from the poll's,
    // and no watchdog meanwhile to search again.
    BaseDevice::Intervals periods = page->intervals();
    periods.search = 150;
    periods.watchdog = 60000;
    page->setIntervals(periods);
    QSignalSpy search(page, &FLSDevice::signalRequestForSearchDevices);
    page->connectDevice(); // its search asks at once
    page->startSearchDevices();
    QCOMPARE(search.count(), 2);
    QVERIFY(page->isSearchActive());
    QTimer *timer = nullptr;
    for (QTimer *t : page->findChildren<QTimer *>()) {
        if (t->isActive() && t->interval() == periods.search)
            timer = t;
    }
    QVERIFY(timer);
    // One tick, one request: the second start did not connect the timer
    // twice. Ticks are counted, however load spaces them.
    QSignalSpy ticks(timer, &QTimer::timeout);
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 3, 5000);
    QCOMPARE(search.count(), 2 + ticks.count());

    page->stopSearchDevices();
    QVERIFY(!page->isSearchActive());
    // Nothing more while the page looks at the line four times, over two
    // search periods.
    const int stopped = search.count();
    QSignalSpy looks(page, &FLSDevice::signalCheckIncommingData);
    QTRY_VERIFY_WITH_TIMEOUT(looks.count() >= 4, 5000);
    QCOMPARE(search.count(), stopped);
}

void TestFlsDevice::newSearchForgetsTheSensorsFoundBefore()
{
    page->connectDevice();
    feed(bytes({5, 9, 12}));
    QVERIFY(page->isSensorFound());
    page->startSearchDevices();
    QVERIFY(!page->isSensorFound());

    // A one-sensor answer to the new search leaves no trace of the old three.
    feed(bytes({0x12}));
    QVERIFY(!page->isSensorFound());
    QCOMPARE(int(page->getCurrentNetNum()), 0x12);
    page->stopSearchDevices();
}

void TestFlsDevice::connectHidesTheAlarmsAndSearchesAtOnce()
{
    QSignalSpy search(page, &FLSDevice::signalRequestForSearchDevices);
    for (QLabel *l :
         {ui->label_NeedCalibDUT, ui->label_AlarmDUT, ui->label_NaprNameQF260DUT, ui->label_NaprValQF260DUT})
        l->show();
    page->setUpdateParamWidgets(false);
    page->connectDevice();
    QCOMPARE(search.count(), 1);
    QVERIFY(page->isSearchActive());
    QVERIFY(page->isUpdateParamWidgets());
    for (QLabel *l :
         {ui->label_NeedCalibDUT, ui->label_AlarmDUT, ui->label_NaprNameQF260DUT, ui->label_NaprValQF260DUT})
        QVERIFY2(!showsOn(l, ui->DUT), qPrintable(l->objectName()));
    page->disconnectDevice();
}

void TestFlsDevice::disconnectingAnIdlePageSendsNothingAndForgetsTheBus()
{
    QSignalSpy writes(page, &FLSDevice::writeData);
    QSignalSpy list(page, &FLSDevice::copyNetNumToParent);
    QSignalSpy queue(page, &FLSDevice::copyQueueSurveyDevice);
    for (Switch *sw : {page->getSwitchAngle(), page->getSwitchTermo(), page->getSwitchEcoDrive(),
                       page->getSwitchSendSerNum(), page->getSwitchInvers(), page->getSwitchMaster()})
        sw->setState(true);
    page->setParamChanged(true);
    page->setConnected(true);
    page->setPasswordEntered(true);
    page->setRange4095(true);
    page->setStateSwMaster(true);
    page->setSearchActive(true);

    page->disconnectDevice();

    QCOMPARE(writes.count(), 0);
    QCOMPARE(list.count(), 1);
    QCOMPARE(list.at(0).at(0).toByteArray(), QByteArray());
    QCOMPARE(queue.count(), 1);
    QCOMPARE(queue.at(0).at(0).toInt(), 0);
    for (Switch *sw : {page->getSwitchAngle(), page->getSwitchTermo(), page->getSwitchEcoDrive(),
                       page->getSwitchSendSerNum(), page->getSwitchInvers(), page->getSwitchMaster()})
        QVERIFY(!sw->getState());
    QVERIFY(!page->isParamChanged());
    QVERIFY(!page->isDeviceConnected());
    QVERIFY(!page->isPasswordEntered());
    QVERIFY(!page->isRange4095());
    QVERIFY(!page->getStateSwMaster());
    QVERIFY(!page->isSearchActive());
    QVERIFY(page->isUpdateParamWidgets());
    QCOMPARE(int(page->getLastCommand()), 0xFF);
    QVERIFY(!showsOn(page->getLabelStatusMessage(), ui->DUT));
}

void TestFlsDevice::noTimerRunsWhileThePortIsClosed()
{
    const auto running = [this] {
        QStringList active;
        for (const QTimer *t : page->findChildren<QTimer *>()) {
            if (t->isActive())
                active << QString::number(t->interval());
        }
        return active;
    };
    QCOMPARE(running(), QStringList());
    page->connectDevice();
    QVERIFY(!running().isEmpty());
    page->disconnectDevice();
    QCOMPARE(running(), QStringList());

    // A search answer of several sensors after the port closed sets no period going.
    page->setSearchActive(true);
    feed(bytes({5, 9}));
    QVERIFY(!page->isSearchActive());
    QCOMPARE(running(), QStringList());
}

void TestFlsDevice::resetSettingToDefaultKeepsTheSelectedSensor()
{
    page->setCurrentDeviceIndex(2);
    page->setCurrentNetNum(9);
    page->resetSettingToDefault();
    QCOMPARE(page->getCurrentDeviceIndex(), 2);
    QCOMPARE(int(page->getCurrentNetNum()), 0);
    QCOMPARE(ui->label_StableDUT->text(), QString("Не стабилен"));
    QCOMPARE(ui->label_StableDUT->styleSheet(), QString("QLabel {color : #E32323;font-size:18px;}"));
}

void TestFlsDevice::slaveStubsSendNothing()
{
    QSignalSpy writes(page, &FLSDevice::writeData);
    page->setConfigSlaveQF470(5);
    page->setPeriodSendingSlaveASCiiQF470(10);
    QCOMPARE(int(page->getStateSlaveQF470()), 34);
    const quint8 *addresses = page->getSlaveAddress();
    for (int i = 0; i < 7; ++i)
        QCOMPARE(int(addresses[i]), i + 1);
    QCOMPARE(int(page->getSlavePeriod()), 0);
    QCOMPARE(writes.count(), 0);
}

void TestFlsDevice::crcOfNothingIsZeroAndAFrameWithItsCrcGivesZero()
{
    QCOMPARE(int(page->calc_crc8(nullptr, 0)), 0);
    const uchar some[] = {0x31, 0x05, 0xF0};
    QCOMPARE(int(page->calc_crc8(some, 0)), 0);
    QCOMPARE(int(page->calc_crc8(some, -3)), 0);
    const uchar crc = page->calc_crc8(some, 3);
    const uchar whole[] = {0x31, 0x05, 0xF0, crc};
    QCOMPARE(int(page->calc_crc8(whole, 4)), 0);
    // The check value of this CRC-8 over "123456789".
    const QByteArray check("123456789");
    QCOMPARE(int(page->calc_crc8(reinterpret_cast<const uchar *>(check.constData()), check.size())), 0xA1);
}

void TestFlsDevice::resetFrameCarriesTheWriteSignature()
{
    // The reset goes out only as the firmware download's first frame, built
    // where the download is: the page sends none of its own.
    const QByteArray sent = fls::resetRequest(7);
    QCOMPARE(sent.size(), 7);
    QCOMPARE(sent, writeFrame(7, 0x88, QByteArray()));
    QCOMPARE(sent.left(6), QByteArray::fromHex("3107885AC396"));
    QVERIFY(page->metaObject()->indexOfMethod("sendResetDevice(uchar)") < 0);
}

void TestFlsDevice::defaultValuesAreDashes()
{
    QCOMPARE(page->setDefaultValuesToGuiField(), 1);
    for (QLabel *l : {ui->label_ValCurrent, ui->label_NaprValDUT, ui->label_UrovenDUT, ui->label_FreqValDUT,
                      ui->label_FirmwareVal, ui->label_SerNumVal})
        QCOMPARE(l->text(), QString("--"));
}

void TestFlsDevice::watchdogExpiryPromptsLogsAndSearchesAgainEachPeriod()
{
    QSignalSpy log(page, &FLSDevice::signalWriteLog);
    QSignalSpy search(page, &FLSDevice::signalRequestForSearchDevices);
    BaseDevice::Intervals quick;
    quick.watchdog = 500;
    page->setIntervals(quick);
    page->connectDevice();
    page->stopSearchDevices(); // as a search answer would; the page then polls
    page->setConnected(true);
    page->setSensorFound(true);
    page->setVisiblePageWidgets(true);
    page->showStatusMessage("Подключен QF210");
    page->showStatusMessageUp("extra");
    page->setUpdateParamWidgets(false);
    const int searchesBefore = search.count();

    QTRY_VERIFY_WITH_TIMEOUT(log.count() >= 1, 7000);
    QCOMPARE(log.at(0).at(0).toString(), QString("Device is not responding"));
    QCOMPARE(page->getLabelStatusMessage()->text(), QString("Подключите датчик"));
    QCOMPARE(page->getLabelStatusMessageUp()->text(), QString(" "));
    QVERIFY(!page->isDeviceConnected());
    QVERIFY(!page->isSensorFound());
    QVERIFY(page->isSearchActive());
    QVERIFY(page->isUpdateParamWidgets());
    QVERIFY(search.count() > searchesBefore);
    QVERIFY(!showsOn(ui->label_UrovenDUT, ui->DUT));

    // Nothing answers: the watchdog runs out again a period later.
    QTRY_VERIFY_WITH_TIMEOUT(log.count() >= 2, 7000);
    QCOMPARE(log.at(1).at(0).toString(), QString("Device is not responding"));
    page->disconnectDevice();
}

// ---- Configuration switches ------------------------------------------------

void TestFlsDevice::masterFlipStartsFromTheSensorsByte()
{
    connectAs("QF470", 209, 0x00, 0x05, 0x00);
    QSignalSpy writes(page, &FLSDevice::writeData);
    QSignalSpy check(page, &FLSDevice::signalCheckIncommingData);
    QSignalSpy log(page, &FLSDevice::signalWriteLog);
    QSignalSpy search(page, &FLSDevice::signalRequestForSearchDevices);
    page->getSwitchEcoDrive()->setState(true);

    page->functionSWMaster();
    page->functionSWMaster();

    QCOMPARE(writes.count(), 2);
    const QByteArray expected = writeFrame(0, 0xF2, bytes({0x08, 0x05, 0x00}));
    QCOMPARE(writes.at(0).at(0).toByteArray(), expected);
    QCOMPARE(writes.at(1).at(0).toByteArray(), expected);
    QCOMPARE(check.count(), 2);
    QCOMPARE(log.count(), 2);
    QCOMPARE(log.at(0).at(0).toString(), QString("Switch mode Master"));
    QCOMPARE(search.count(), 0);
    QVERIFY(page->getSwitchEcoDrive()->getState());

    page->functionSwInvers();
    QCOMPARE(writes.at(2).at(0).toByteArray(), writeFrame(0, 0xF2, bytes({0x01, 0x05, 0x00})));
    QCOMPARE(log.last().at(0).toString(), QString("Switch mode Inverse"));
    QCOMPARE(search.count(), 0);
    QVERIFY(page->getSwitchEcoDrive()->getState());
}

void TestFlsDevice::switchFramesGoToTheSelectedSensor()
{
    // Two sensors, 5 and 9, with their own configuration bytes.
    openQuietSession();
    page->setSearchActive(true);
    feed(bytes({5, 9}));
    const auto from = [](quint8 net, QByteArray answer) {
        answer[1] = char(net);
        answer.chop(1);
        return frame::withCrc(answer);
    };
    feed(from(5, allData(24, 21, 2, 0x00, 0x01, 0)));
    feed(from(9, allData(24, 21, 2, 0x10, 0x03, 0)));
    QSignalSpy writes(page, &FLSDevice::writeData);

    page->functionSWMaster();
    QCOMPARE(writes.last().at(0).toByteArray(), writeFrame(5, 0xF2, bytes({0x08, 0x01})));

    // The second sensor chosen: its bytes go to it, not to the first one.
    page->setCurrentDeviceIndex(1);
    page->functionSWMaster();
    QCOMPARE(writes.last().at(0).toByteArray(), writeFrame(9, 0xF2, bytes({0x18, 0x03})));
    page->enableSendSerNumForQF260();
    QCOMPARE(writes.last().at(0).toByteArray().mid(0, 3), bytes({0x31, 9, 0xD0}));
}

void TestFlsDevice::configurationByteCTravelsOnlyWithNewQF470Firmware_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("firmware");
    QTest::addColumn<QByteArray>("payload");

    // A = 0x12 (passive RS-232), B = 0x03, C = 0x10 (active RS-232 marker) where the answer carries one.
    QTest::newRow("QF470 firmware 208: no C") << "QF470" << 208 << bytes({0x13, 0x03});
    QTest::newRow("QF470 firmware 209: C") << "QF470" << 209 << bytes({0x13, 0x03, 0x10});
    QTest::newRow("QF210 firmware 250: no C") << "QF210" << 250 << bytes({0x13, 0x03});
    QTest::newRow("QF260 firmware 250: no C") << "QF260" << 250 << bytes({0x13, 0x03});
    QTest::newRow("generic firmware 250: no C") << "generic" << 250 << bytes({0x13, 0x03});
}

void TestFlsDevice::configurationByteCTravelsOnlyWithNewQF470Firmware()
{
    QFETCH(QString, model);
    QFETCH(int, firmware);
    QFETCH(QByteArray, payload);
    connectAs(model, quint16(firmware), 0x12, 0x03, 0x10);
    QSignalSpy writes(page, &FLSDevice::writeData);
    page->functionSwInvers();
    QCOMPARE(writes.count(), 1);
    const QByteArray sent = writes.at(0).at(0).toByteArray();
    QCOMPARE(sent.size(), 7 + payload.size());
    QCOMPARE(sent, writeFrame(0, 0xF2, payload));
}

void TestFlsDevice::angleFlipTurnsEcoDriveOffAndSearchesAgain()
{
    connectAs("QF470", 209, 0x00, 0x25, 0x00);
    QSignalSpy writes(page, &FLSDevice::writeData);
    QSignalSpy search(page, &FLSDevice::signalRequestForSearchDevices);
    QSignalSpy log(page, &FLSDevice::signalWriteLog);
    page->getSwitchEcoDrive()->setState(true);
    page->getSwitchEcoDrive()->setFlag(false);
    QVERIFY(!page->isSearchActive());

    page->functionSwAngle();

    QCOMPARE(writes.count(), 1);
    QCOMPARE(writes.at(0).at(0).toByteArray(), writeFrame(0, 0xF2, bytes({0x00, 0x35, 0x00})));
    QVERIFY(!page->getSwitchEcoDrive()->getState());
    QVERIFY(page->getSwitchEcoDrive()->getFlag());
    QCOMPARE(search.count(), 1);
    QVERIFY(page->isSearchActive());
    QCOMPARE(log.last().at(0).toString(), QString("Switch mode Angle"));
}

void TestFlsDevice::termoEcoDriveLitresAndPercentsFlipTheirBits_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QString>("logLine");

    // The sensor's bytes: A = 0x92, B = 0xA3.
    QTest::newRow("termo") << "disableTermo" << bytes({0x92, 0x23}) << "Switch mode Termocompensation";
    QTest::newRow("eco drive") << "setEcoDrive" << bytes({0x92, 0x83}) << "Switch mode EcoDrive";
    QTest::newRow("litres") << "functionSwitchLitres" << bytes({0xD2, 0xA3}) << "Switch To Litres";
    QTest::newRow("percents") << "functionSwitchPercents" << bytes({0xB2, 0xA3}) << "Switch To Percents";
}

void TestFlsDevice::termoEcoDriveLitresAndPercentsFlipTheirBits()
{
    QFETCH(QString, slot);
    QFETCH(QByteArray, payload);
    QFETCH(QString, logLine);
    connectAs("QF210", 250, 0x92, 0xA3);
    QSignalSpy writes(page, &FLSDevice::writeData);
    QSignalSpy check(page, &FLSDevice::signalCheckIncommingData);
    QSignalSpy log(page, &FLSDevice::signalWriteLog);
    QVERIFY(QMetaObject::invokeMethod(page, slot.toLatin1().constData()));
    QCOMPARE(writes.count(), 1);
    QCOMPARE(writes.at(0).at(0).toByteArray(), writeFrame(0, 0xF2, payload));
    QCOMPARE(check.count(), 1);
    QCOMPARE(log.count(), 1);
    QCOMPARE(log.at(0).at(0).toString(), logLine);
}

void TestFlsDevice::sendSerNumTwiceSetsThenClearsTheBit()
{
    openQuietSession();
    feed(allData(29, 27, 0x61, 0, 0, 0)); // it answered as a fuel sensor
    QSignalSpy writes(page, &FLSDevice::writeData);
    QSignalSpy log(page, &FLSDevice::signalWriteLog);
    page->enableSendSerNumForQF260();
    page->enableSendSerNumForQF260();
    QCOMPARE(writes.count(), 2);
    QCOMPARE(writes.at(0).at(0).toByteArray(), writeFrame(0, 0xD0, bytes({0x10})));
    QCOMPARE(writes.at(0).at(0).toByteArray().size(), 8);
    QCOMPARE(writes.at(1).at(0).toByteArray(), writeFrame(0, 0xD0, bytes({0x00})));
    QCOMPARE(log.at(0).at(0).toString(), QString("Switch enable send SerNum for QF260"));
}

void TestFlsDevice::literPercentSwitchOnlyLogs()
{
    QSignalSpy writes(page, &FLSDevice::writeData);
    QSignalSpy log(page, &FLSDevice::signalWriteLog);
    page->functionSwLiterPercent();
    QCOMPARE(writes.count(), 0);
    QCOMPARE(log.count(), 1);
    QCOMPARE(log.at(0).at(0).toString(), QString("Switch mode Liter/Percent"));
}

void TestFlsDevice::refusableTogglesAskForAParameterRefresh_data()
{
    QTest::addColumn<QString>("slot");
    for (const char *slot : {"functionSWMaster", "functionSwInvers", "functionSwAngle", "enableSendSerNumForQF260",
                             "functionSwitchPercents"})
        QTest::newRow(slot) << slot;
}

void TestFlsDevice::refusableTogglesAskForAParameterRefresh()
{
    QFETCH(QString, slot);
    connectAs("QF260", 250, 0x00, 0x00);
    page->setUpdateParamWidgets(false);
    QVERIFY(QMetaObject::invokeMethod(page, slot.toLatin1().constData()));
    QVERIFY(page->isUpdateParamWidgets());
}

void TestFlsDevice::aClickOnASwitchSendsItsFrame()
{
    connectAs("QF210", 250, 0x00, 0x01);
    QSignalSpy writes(page, &FLSDevice::writeData);
    Switch *master = page->getSwitchMaster();
    QTest::mouseClick(master, Qt::LeftButton, Qt::NoModifier, master->rect().center());
    QCOMPARE(writes.count(), 1);
    QCOMPARE(writes.at(0).at(0).toByteArray(), writeFrame(0, 0xF2, bytes({0x08, 0x01})));

    // Setting a switch from the sensor's bytes sends nothing.
    page->getSwitchTermo()->setState(true);
    page->getSwitchInvers()->setState(true);
    QCOMPARE(writes.count(), 1);

    // Clicked while another procedure of the page runs: the switch goes
    // back, nothing is sent, and the page says why.
    {
        const BaseDevice::Procedure running(page);
        QTest::mouseClick(master, Qt::LeftButton, Qt::NoModifier, master->rect().center());
    }
    QCOMPARE(writes.count(), 1);
    QVERIFY(master->getState());
    QCOMPARE(page->getLabelStatusMessageUp()->text(), QString("Дождитесь окончания текущей операции"));
}

void TestFlsDevice::switchesSitInTheirRows()
{
    struct Row
    {
        Switch *sw;
        QHBoxLayout *layout;
        QLabel *label;
        int spacing;
    };
    const Row rows[] = {
        {page->getSwitchSendSerNum(), ui->horizontalLayoutSetOutSer, ui->labelSetOutSer, 182},
        {page->getSwitchInvers(), ui->horizontalLayout_5, ui->label_InvIndicator, 182},
        {page->getSwitchAngle(), ui->horizontalLayout_4, ui->label_ModeAngle, 100},
        {page->getSwitchMaster(), ui->horizontalLayout_2, ui->label_ModeMaster, 265},
        {page->getSwitchTermo(), ui->horizontalLayout_3, ui->label_DelTermoComp, 95},
        {page->getSwitchEcoDrive(), ui->horizontalLayout_6, ui->label_EcoDriv, 270},
    };
    for (const Row &row : rows) {
        QVERIFY(row.sw);
        const int labelAt = row.layout->indexOf(row.label);
        const int switchAt = row.layout->indexOf(row.sw);
        QVERIFY(labelAt >= 0);
        QCOMPARE(switchAt, labelAt + 2);
        QVERIFY(row.layout->itemAt(labelAt + 1)->spacerItem());
        QCOMPARE(row.layout->itemAt(labelAt + 1)->sizeHint().width(), row.spacing);
        QCOMPARE(row.sw->minimumSize(), QSize(50, 25));
        QVERIFY(row.sw->isCheckable());
        QVERIFY(row.sw->getFlag());
        QVERIFY(!row.sw->getState());
    }
    page->setVisibleSwitch(false);
    QVERIFY(page->getSwitchInvers()->isHidden());
    QVERIFY(page->getSwitchAngle()->isHidden());
    QVERIFY(page->getSwitchMaster()->isHidden());
    QVERIFY(!page->getSwitchTermo()->isHidden());
    page->setVisibleSwitch(true);
    QVERIFY(!page->getSwitchMaster()->isHidden());
}

void TestFlsDevice::discardRestoresTheFilterAsTheAnswerShowedIt_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("firmware");
    QTest::addColumn<int>("configB");
    QTest::addColumn<QString>("filterType");
    QTest::addColumn<QString>("filter");

    QTest::newRow("smart 0") << "QF260" << 204 << 0x00 << "Умная"
                             << "Нет";
    QTest::newRow("smart 3") << "QF260" << 204 << 0x03 << "Умная"
                             << "до 200 литров";
    QTest::newRow("smart 5") << "QF260" << 204 << 0x05 << "Умная"
                             << "от 200 до 1000 литров";
    QTest::newRow("smart 7") << "QF260" << 204 << 0x07 << "Умная"
                             << "от 200 до 1000 литров";
    QTest::newRow("smart 9") << "QF470" << 209 << 0x09 << "Умная"
                             << "более 1000 литров";
    QTest::newRow("smart 10") << "QF410" << 195 << 0x0A << "Умная"
                              << "более 1000 литров";
    QTest::newRow("smart 11") << "QF260" << 204 << 0x0B << "Умная"
                              << "тяжёлые условия";
    QTest::newRow("smart 15") << "QF260" << 204 << 0x0F << "Умная"
                              << "тяжёлые условия";
    QTest::newRow("median 7") << "QF260" << 204 << 0x47 << "Медианная"
                              << "7";
    QTest::newRow("median 12") << "QF470" << 209 << 0x4C << "Медианная"
                               << "12";
    QTest::newRow("generic 12") << "generic" << 250 << 0x0C << "Медианная"
                                << "12";
    QTest::newRow("QF210 5") << "QF210" << 198 << 0x05 << "Медианная"
                             << "5";
}

void TestFlsDevice::discardRestoresTheFilterAsTheAnswerShowedIt()
{
    QFETCH(QString, model);
    QFETCH(int, firmware);
    QFETCH(int, configB);
    QFETCH(QString, filterType);
    QFETCH(QString, filter);
    connectAs(model, quint16(firmware), 0x00, quint8(configB));
    // What the answer showed is what discarding goes back to.
    QCOMPARE(ui->comboBoxTypeFiltration->currentText(), filterType);
    QCOMPARE(ui->comboBox_FiltrDUT->currentText(), filter);

    // The user picks another filter type, with the other list, and another entry.
    QSignalSpy writes(page, &FLSDevice::writeData);
    ui->comboBoxTypeFiltration->setCurrentIndex(ui->comboBoxTypeFiltration->count() - 1 -
                                                ui->comboBoxTypeFiltration->currentIndex());
    ui->comboBox_FiltrDUT->clear();
    ui->comboBox_FiltrDUT->addItems(filterType == "Умная" ? QStringList{"Нет", "1", "2", "3", "4"}
                                                          : QStringList{"Нет", "до 200 литров", "тяжёлые условия"});
    ui->comboBox_FiltrDUT->setCurrentIndex(2);
    page->setParamChanged(true);

    QVERIFY(page->discardParamChanges());
    QCOMPARE(ui->comboBoxTypeFiltration->currentText(), filterType);
    QCOMPARE(ui->comboBox_FiltrDUT->currentText(), filter);
    const int listSize = filter.toInt() > 0 || filterType == "Медианная" ? 16 : 5;
    QCOMPARE(ui->comboBox_FiltrDUT->count(), listSize);
    QCOMPARE(writes.count(), 0);
    QVERIFY(page->isParamChanged());
}

void TestFlsDevice::discardRestoresInterfaceRangeAndNetNum()
{
    connectAs("QF470", 209, 0x92, 0x00, 0x00);
    QCOMPARE(ui->comboBox_ModeDUT->currentText(), QString("Пассивный RS-232"));
    QCOMPARE(ui->comboBoxRangeDUT->currentIndex(), 1);

    ui->comboBox_ModeDUT->setCurrentIndex(0);
    ui->comboBoxRangeDUT->setCurrentIndex(0);
    ui->lineEditNetNumDUT->setText("77");
    page->viewIconChangedParam(true);
    page->setRangeChangedTo1023(true);

    QVERIFY(page->discardParamChanges());
    QCOMPARE(ui->comboBox_ModeDUT->currentText(), QString("Пассивный RS-232"));
    QCOMPARE(ui->comboBoxRangeDUT->currentIndex(), 1);
    QCOMPARE(ui->lineEditNetNumDUT->text(), QString("0"));
    for (QLabel *mark : {ui->label_Alarm_2DUT, ui->label_Alarm_3DUT, ui->label_Alarm_4DUT, ui->label_Alarm_6DUT,
                         ui->labelAlarmTypeFiltr}) {
        QVERIFY(!showsOn(mark, ui->DUT));
        QVERIFY(!mark->pixmap(Qt::ReturnByValue).isNull());
    }
    QVERIFY(page->isRangeChangedTo1023());
}

void TestFlsDevice::discardLeavesAnUnnamedInterfaceAlone()
{
    connectAs("QF470", 209, 0x14, 0x00, 0x00);
    ui->comboBox_ModeDUT->setCurrentIndex(2);
    page->discardParamChanges();
    QCOMPARE(ui->comboBox_ModeDUT->currentIndex(), 2);
    QCOMPARE(ui->comboBoxRangeDUT->currentIndex(), 0);
}

void TestFlsDevice::factorySettingsMarkEverythingChangedAndSendNothing()
{
    connectAs("QF210", 250, 0x84, 0x03);
    QCOMPARE(ui->comboBox_ModeDUT->currentText(), QString("Частотный"));
    QSignalSpy writes(page, &FLSDevice::writeData);
    ui->lineEditNetNumDUT->setText("42");
    page->setRange4095(true);
    page->setRangeChangedTo4095(true);

    QVERIFY(page->loadFactoryParams());

    QCOMPARE(writes.count(), 0);
    QCOMPARE(ui->lineEditNetNumDUT->text(), QString("1"));
    QCOMPARE(ui->comboBoxRangeDUT->currentIndex(), 0);
    QCOMPARE(ui->comboBox_FiltrDUT->currentText(), QString("Нет"));
    QCOMPARE(ui->comboBox_ModeDUT->currentText(), QString("Пассивный RS-485"));
    QVERIFY(page->isRange1023());
    QVERIFY(!page->isRange4095());
    QVERIFY(page->isRangeChangedTo1023());
    QVERIFY(!page->isRangeChangedTo4095());
    QVERIFY(page->isParamChanged());
    for (QLabel *mark : {ui->label_Alarm_2DUT, ui->label_Alarm_3DUT, ui->label_Alarm_4DUT, ui->label_Alarm_6DUT,
                         ui->labelAlarmTypeFiltr}) {
        QVERIFY(showsOn(mark, ui->DUT));
        QVERIFY(!mark->pixmap(Qt::ReturnByValue).isNull());
    }

    // The factory values become what discarding goes back to; the number
    // typed before stays the shown one.
    ui->comboBox_FiltrDUT->setCurrentIndex(3);
    ui->comboBox_ModeDUT->setCurrentIndex(1);
    page->discardParamChanges();
    QCOMPARE(ui->lineEditNetNumDUT->text(), QString("42"));
    QCOMPARE(ui->comboBox_FiltrDUT->currentText(), QString("Нет"));
    QCOMPARE(ui->comboBox_ModeDUT->currentText(), QString("Пассивный RS-485"));
}

// ---- Widgets -------------------------------------------------------------------

void TestFlsDevice::afterInitUiNothingOfThePageShows()
{
    QCOMPARE(int(std::size(kPageWidgets)), 42);
    for (const char *name : kPageWidgets) {
        auto *w = window->findChild<QWidget *>(name);
        QVERIFY2(w, name);
        QVERIFY2(!showsOn(w, ui->DUT), name);
    }
    QLabel *status = page->getLabelStatusMessage();
    QLabel *extra = page->getLabelStatusMessageUp();
    QCOMPARE(status->parentWidget(), static_cast<QWidget *>(ui->DUT));
    QCOMPARE(extra->parentWidget(), static_cast<QWidget *>(ui->DUT));
    QVERIFY(!showsOn(status, ui->DUT));
    QVERIFY(!showsOn(extra, ui->DUT));
    QCOMPARE(status->text(), QString("Подключите датчик"));
    QCOMPARE(extra->text(), QString());
    QCOMPARE(status->geometry(), QRect(5, 573, 500, 20));
    QCOMPARE(extra->geometry(), QRect(5, 550, 500, 20));
    QCOMPARE(status->font().pixelSize(), 24);
    QCOMPARE(status->font().weight(), int(QFont::Bold));
    QVERIFY(!showsOn(page->getLabelAlarm(), ui->DUT));
}

void TestFlsDevice::showingThePageShowsItsWidgets()
{
    QVERIFY(page->setVisiblePageWidgets(true));
    for (const char *name : kPageWidgets)
        QVERIFY2(showsOn(window->findChild<QWidget *>(name), ui->DUT), name);
    QVERIFY(showsOn(page->getLabelStatusMessage(), ui->DUT));
    QVERIFY(showsOn(page->getLabelStatusMessageUp(), ui->DUT));
    // No QF260 connected: its voltage pair stays hidden.
    QVERIFY(!showsOn(ui->label_NaprNameQF260DUT, ui->DUT));
    QVERIFY(!showsOn(ui->label_NaprValQF260DUT, ui->DUT));

    QVERIFY(page->setVisiblePageWidgets(false));
    for (const char *name : kPageWidgets)
        QVERIFY2(!showsOn(window->findChild<QWidget *>(name), ui->DUT), name);
}

void TestFlsDevice::qf260ShowsItsVoltageLabels()
{
    connectAs("QF210", 250, 0x00, 0x00);
    page->setVisiblePageWidgets(false);
    page->setVisiblePageWidgets(true);
    QVERIFY(!showsOn(ui->label_NaprNameQF260DUT, ui->DUT));
    QVERIFY(!showsOn(ui->label_NaprValQF260DUT, ui->DUT));

    page->setQF260(true);
    page->setVisiblePageWidgets(true);
    QVERIFY(showsOn(ui->label_NaprNameQF260DUT, ui->DUT));
    QVERIFY(showsOn(ui->label_NaprValQF260DUT, ui->DUT));
    page->setVisiblePageWidgets(false);
    QVERIFY(!showsOn(ui->label_NaprNameQF260DUT, ui->DUT));
}

void TestFlsDevice::showingNeverShowsTheAlarmPicture()
{
    QLabel *alarm = page->getLabelAlarm();
    QVERIFY(alarm);
    QCOMPARE(alarm->parentWidget(), static_cast<QWidget *>(ui->DUT));
    QCOMPARE(alarm->size(), QSize(18, 18));
    const QRect stable = ui->label_StableDUT->geometry();
    QCOMPARE(alarm->pos(), QPoint(stable.right() + 4, stable.top() + 3));
    QVERIFY(!alarm->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(alarm->hasScaledContents());

    page->setVisiblePageWidgets(true);
    QVERIFY(!showsOn(alarm, ui->DUT));
    alarm->show();
    page->setVisiblePageWidgets(true);
    QVERIFY(showsOn(alarm, ui->DUT));
    page->setVisiblePageWidgets(false);
    QVERIFY(!showsOn(alarm, ui->DUT));
}

void TestFlsDevice::initUiFillsListsAndPlacesTheCalibrationView()
{
    QCOMPARE(items(ui->comboBoxRangeDUT), QStringList({"1-1023", "1-4095"}));
    QCOMPARE(items(ui->comboBox_FiltrDUT),
             QStringList({"Нет", "до 200 литров", "от 200 до 1000 литров", "более 1000 литров", "Тяжёлые условия"}));
    QCOMPARE(items(ui->comboBoxTypeFiltration), QStringList({"Умная", "Медианная"}));
    QCOMPARE(items(ui->comboBoxZalivSliv), QStringList({"Заливом", "Сливом"}));
    QCOMPARE(ui->progressBarLevelDUT->maximum(), 50);
    QCOMPARE(ui->progressBarLevelDUT->value(), 0);
    QVERIFY(!ui->progressBarLevelDUT->isTextVisible());
    QVERIFY(ui->progressBarFirmwareDUT->isHidden());
    QCOMPARE(ui->lineEditStepTar->text(), QString("5"));
    QCOMPARE(ui->label_StableDUT->text(), QString("Не стабилен"));
    QVERIFY(ui->label_StableDUT->wordWrap());
    QVERIFY(ui->groupBoxForTechVersion->isHidden());
    QVERIFY(!ui->label_NeedCalibDUT->isEnabled());
    QVERIFY(!ui->label_AlarmDUT->isEnabled());
    QVERIFY(ui->label_LockDUT->isHidden());
    QVERIFY(!ui->label_LockDUT->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(!ui->label_TempNameDUT->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(ui->label_TempNameDUT->parentWidget(), static_cast<QWidget *>(ui->DUT));
    QCOMPARE(ui->label_TempValDUT->parentWidget(), static_cast<QWidget *>(ui->DUT));
    QCOMPARE(ui->label_TempValDUT->font().pixelSize(), 14);
    QCOMPARE(ui->label_UrovenDUT->font().pixelSize(), 20);
    QVERIFY(ui->pushButtonDelSensorTar->isHidden());
    QVERIFY(ui->pushButtonAdPortionTar->isHidden());
    QVERIFY(!ui->pushButtonRestoreTar->isHidden());
    QCOMPARE(ui->scrollAreaBtnsDevices->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(ui->label_SerNumVal->alignment(), Qt::AlignRight | Qt::AlignVCenter);

    WidgetTar *litres = page->getWidgetTarLitres();
    WidgetTar *s1 = page->getWidgetTarSensor1();
    WidgetTar *s2 = page->getWidgetTarSensor2();
    WidgetTar *s3 = page->getWidgetTarSensor3();
    for (WidgetTar *card : {litres, s1, s2, s3}) {
        QVERIFY(card);
        QCOMPARE(card->parentWidget(), static_cast<QWidget *>(ui->Tarirovka));
    }
    QCOMPARE(litres->pos(), QPoint(0, 74));
    QCOMPARE(s1->pos(), QPoint(139, 74));
    QCOMPARE(s2->pos(), QPoint(280, 74));
    QCOMPARE(s3->pos(), QPoint(0, 0));
    QTableView *view = page->getTableViewTar();
    QVERIFY(view);
    QVERIFY(view->isHidden());
    QCOMPARE(view->geometry(), QRect(0, 175, 283, 35));
    QVERIFY(page->getModelTar());
    QCOMPARE(view->itemDelegate(), static_cast<QAbstractItemDelegate *>(page->getItemDelegateTar()));
}

void TestFlsDevice::connectButtonCaptionFollowsStateAndTheme_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("line");

    const QString untouched = "untouched";
    QTest::newRow("on dark") << "on" << true << "QLabel {color : #e32323;}"
                             << "QFrame {background-color :  #e32323;}";
    QTest::newRow("on light") << "on" << false << "QLabel {color : #1f2222;}"
                              << "QFrame {background-color :  #1f2222;}";
    QTest::newRow("off dark") << "off" << true << "QLabel {color : #b9b9b9;}"
                              << "QFrame {background-color :  #b9b9b9;}";
    QTest::newRow("off light") << "off" << false << "QLabel {color : #b9b9b9;}"
                               << "QFrame {background-color :  #b9b9b9;}";
    QTest::newRow("On is not on") << "On" << true << untouched << untouched;
    QTest::newRow("empty") << "" << false << untouched << untouched;
}

void TestFlsDevice::connectButtonCaptionFollowsStateAndTheme()
{
    QFETCH(QString, state);
    QFETCH(bool, dark);
    QFETCH(QString, label);
    QFETCH(QString, line);
    ui->label_NameButtQF410->setStyleSheet("untouched");
    ui->line_UnderBtnDUT->setStyleSheet("untouched");
    page->changeIconBtnConnectDevice(state, dark);
    QCOMPARE(ui->label_NameButtQF410->styleSheet(), label);
    QCOMPARE(ui->line_UnderBtnDUT->styleSheet(), line);
}

void TestFlsDevice::levelColourGoesIntoTheTemplates()
{
    page->setColorLabelLevel("#E32323");
    QCOMPARE(ui->label_UrovenDUT->styleSheet(), QString("QLabel{color:#E32323;font-size:26px;}"));
    QCOMPARE(ui->label_NameUrovenDUT->styleSheet(), QString("QLabel{color:#E32323;font-size:26px;}"));
    QCOMPARE(ui->progressBarLevelDUT->styleSheet(), QString("QProgressBar::chunk{background-color:#E32323;}"));
    QCOMPARE(ui->label_StableDUT->styleSheet(), QString("QLabel{color:#E32323;font-size:18px;}"));
    page->setColorLabelLevel("#00A778");
    QCOMPARE(ui->label_UrovenDUT->styleSheet(), QString("QLabel{color:#00A778;font-size:26px;}"));
}

void TestFlsDevice::validatorsBoundTheirFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("acceptable");

    QTest::newRow("net 0") << "lineEditNetNumDUT"
                           << "0" << true;
    QTest::newRow("net 255") << "lineEditNetNumDUT"
                             << "255" << true;
    QTest::newRow("net 256") << "lineEditNetNumDUT"
                             << "256" << false;
    QTest::newRow("net -1") << "lineEditNetNumDUT"
                            << "-1" << false;
    QTest::newRow("lamp 0") << "lineEdit_Lamp"
                            << "0" << false;
    QTest::newRow("lamp 1") << "lineEdit_Lamp"
                            << "1" << true;
    QTest::newRow("lamp 99") << "lineEdit_Lamp"
                             << "99" << true;
    QTest::newRow("lamp 100") << "lineEdit_Lamp"
                              << "100" << false;
    QTest::newRow("step 25") << "lineEditStepTar"
                             << "25" << true;
    QTest::newRow("step 2.5") << "lineEditStepTar"
                              << "2.5" << false;
    QTest::newRow("step a") << "lineEditStepTar"
                            << "a" << false;
}

void TestFlsDevice::validatorsBoundTheirFields()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, acceptable);
    auto *edit = window->findChild<QLineEdit *>(field);
    QVERIFY(edit);
    QVERIFY(edit->validator());
    QString input = text;
    int pos = 0;
    QCOMPARE(edit->validator()->validate(input, pos) == QValidator::Acceptable, acceptable);
}

void TestFlsDevice::findWidgetByNameNeverGivesNull()
{
    QCOMPARE(page->findWidgetByName("label_UrovenDUT"), static_cast<QWidget *>(ui->label_UrovenDUT));
    std::unique_ptr<QWidget> none(page->findWidgetByName("no widget has this name"));
    QVERIFY(none);
    QCOMPARE(none->objectName(), QString("not found"));
    QVERIFY(!none->parentWidget());
}

void TestFlsDevice::statusLines()
{
    QLabel *status = page->getLabelStatusMessage();
    QLabel *extra = page->getLabelStatusMessageUp();
    QVERIFY(page->showStatusMessage("Подключен QF410"));
    QCOMPARE(status->text(), QString("Подключен QF410"));
    QVERIFY(showsOn(status, ui->DUT));

    QVERIFY(page->showStatusMessageUp("upper"));
    QCOMPARE(extra->text(), QString("upper"));
    QVERIFY(!showsOn(extra, ui->DUT));

    QVERIFY(page->setVisibleStatusLabels(true));
    QVERIFY(showsOn(extra, ui->DUT));
    page->showStatusMessageUp("again");
    QVERIFY(showsOn(extra, ui->DUT));
    QVERIFY(page->setVisibleStatusLabels(false));
    QVERIFY(!showsOn(status, ui->DUT));
    QVERIFY(!showsOn(extra, ui->DUT));
}

void TestFlsDevice::changeMarksShowAndHide()
{
    const QList<QLabel *> marks = {ui->label_Alarm_2DUT, ui->label_Alarm_3DUT, ui->label_Alarm_4DUT,
                                   ui->label_Alarm_6DUT, ui->labelAlarmTypeFiltr};
    for (QLabel *mark : marks) {
        QVERIFY(!showsOn(mark, ui->DUT));
        QVERIFY(!mark->pixmap(Qt::ReturnByValue).isNull());
    }
    QVERIFY(page->viewIconChangedParam(true));
    for (QLabel *mark : marks)
        QVERIFY(showsOn(mark, ui->DUT));
    QVERIFY(page->hideBirds());
    for (QLabel *mark : marks)
        QVERIFY(!showsOn(mark, ui->DUT));
}

void TestFlsDevice::clearTarWidgetHidesTheTwoSensorCards()
{
    for (WidgetTar *card : {page->getWidgetTarLitres(), page->getWidgetTarSensor1(), page->getWidgetTarSensor2(),
                            page->getWidgetTarSensor3()})
        card->show();
    QVERIFY(page->clearTarWidget());
    QVERIFY(page->getWidgetTarSensor1()->isHidden());
    QVERIFY(!page->getWidgetTarSensor1()->isEnabled());
    QVERIFY(page->getWidgetTarSensor2()->isHidden());
    QVERIFY(!page->getWidgetTarSensor2()->isEnabled());
    QVERIFY(!page->getWidgetTarLitres()->isHidden());
    QVERIFY(page->getWidgetTarLitres()->isEnabled());
    QVERIFY(!page->getWidgetTarSensor3()->isHidden());
}

void TestFlsDevice::questionPictureGoesBesideTheWidget()
{
    page->addAndPlacePictQuestion(ui->comboBoxRangeDUT, "questionRange");
    auto *question = ui->DUT->findChild<QLabel *>("questionRange");
    QVERIFY(question);
    const QRect target = ui->comboBoxRangeDUT->geometry();
    QCOMPARE(question->geometry(), QRect(target.x() + target.width() + 1, target.y() - 10, 16, 16));
    QCOMPARE(question->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(showsOn(question, ui->DUT));

    // Nothing to place beside.
    page->addAndPlacePictQuestion(nullptr, "none");
    QVERIFY(!window->findChild<QLabel *>("none"));
}

void TestFlsDevice::pageWithoutAFormCopesWithEverything()
{
    FLSDevice bare(nullptr, nullptr);
    QVERIFY(bare.initUI());
    QVERIFY(!bare.getSwitchMaster());
    QVERIFY(!bare.getLabelAlarm());
    QVERIFY(bare.getLabelStatusMessage());
    QSignalSpy writes(&bare, &FLSDevice::writeData);

    bare.connectDevice();
    // Found by the search (the angle mode searches again), then heard.
    const auto found = [&bare] {
        for (QByteArray answer : {bytes({0x3E, 0x00}), serialAndFirmware(0, 1, 1), allData(25, 23, 3, 0, 0, 0)})
            bare.run(answer.size(), answer.data());
    };
    found();
    writes.clear();
    bare.setDefaultValuesToGuiField();
    bare.setVisiblePageWidgets(true);
    bare.setVisiblePageWidgets(false);
    QVERIFY(bare.showStatusMessage("x"));
    QVERIFY(bare.showStatusMessageUp("y"));
    bare.changeIconBtnConnectDevice("on", true);
    bare.setColorLabelLevel("#E32323");
    bare.viewIconChangedParam(true);
    bare.hideBirds();
    bare.clearTarWidget();
    bare.addAndPlacePictQuestion(nullptr, "q");
    delete bare.findWidgetByName("nothing by this name");
    bare.setVisibleSwitch(true);
    QVERIFY(bare.discardParamChanges());
    QVERIFY(bare.loadFactoryParams());
    QVERIFY(bare.isParamChanged());
    bare.functionSWMaster();
    bare.functionSwInvers();
    bare.functionSwAngle();
    const int beforeSearch = writes.count();
    found();
    writes.erase(writes.begin() + beforeSearch, writes.end());
    bare.setEcoDrive();
    bare.disableTermo();
    bare.functionSwitchLitres();
    bare.functionSwitchPercents();
    bare.enableSendSerNumForQF260();
    QCOMPARE(writes.count(), 8);
    bare.resetDeviceIsConnected();
    bare.writeLogFile();
    bare.disconnectDevice();
    QVERIFY(!bare.isSearchActive());
}

QTEST_MAIN(TestFlsDevice)
#include "tst_flsdevice.moc"
