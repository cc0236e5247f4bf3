#include "deruvivuriri_form.h"
#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bledevice.h"
#include "link/frame.h"
#include "modalcloser.h"
#include "pagefixture.h"
#include "pagetimers.h"
#include "resources/bundle.h"
#include "silencewatch.h"
#include "simulatedbase.h"
#include "ui/dynamicqdialog.h"
#include "ui/securityble.h"
#include "ui/widgettar.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <memory>

// The BLE base page on a real form, without the main window: its answers
// reach it through run() the way the main window hands them over, and its
// frames leave through its writeData signal.
class TestBleDevice : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    // Intake.
    void framesThatFailAnyCheckChangeNothing_data();
    void framesThatFailAnyCheckChangeNothing();
    void anAnswerWithoutHandlerKeepsTheLinkAlive();
    void answersOfOtherLengthsOnlyKeepTheLinkAlive();
    void gluedAnswersAreEachHandled();
    void searchAnswers_data();
    void searchAnswers();
    void identityDecidesTheMode_data();
    void identityDecidesTheMode();

    // The linked sensor's data.
    void dataAnswerShowsTheLinkedSensor();
    void stabilityNeedsEightValuesThenFollowsTheDeviation_data();
    void stabilityNeedsEightValuesThenFollowsTheDeviation();
    void calibrationPlausibilityIsShown_data();
    void calibrationPlausibilityIsShown();
    void levelFaultsShowTheirText_data();
    void levelFaultsShowTheirText();
    void fullRefreshTakesTheSensorsSettingsOnce_data();
    void fullRefreshTakesTheSensorsSettingsOnce();
    void wrongKindStopsPollingAndShowsOneMessage_data();
    void wrongKindStopsPollingAndShowsOneMessage();
    void connectionLogLineStartsAfreshAndStaysBounded();
    void autoCalibrationCountdownsStepWithTheAnswers();
    void storesOutsideThePerSensorArraysAreIgnored();

    // Status codes.
    void commandStatusShowsItsTextOnce_data();
    void commandStatusShowsItsTextOnce();
    void aRepeatedOutcomeCountsAgainAfterALinkReportOrACommand();
    void linkReportWithoutSensorClearsTheReadingsEvenOverAMessage();
    void passwordProbeAndItsOutcomes();
    void rebootRunsOneCountdown();

    // Commands.
    void passwordFramesPausePollingOnlyWhenItRuns();
    void passwordDialogCommandsAndTheirOutcomes();
    void passwordsThatAreNoNumberAreRefusedAndNothingIsSent_data();
    void passwordsThatAreNoNumberAreRefusedAndNothingIsSent();
    void autoCalibrationWithoutDataIsRefused();
    void discardAndFactorySettingsOnlySayTheyAreToCome();
    void connectingTwiceStillPollsOncePerTick();
    void noTimerRunsWhileThePageIsNotConnected();

    // Advertising list.
    void advertisingListFillsTheModels();
    void advertisingListOfAWrongLengthOrCrcIsIgnored();
    void olderSingleRecordLayoutPlacesRecordsBySlotMask();

    // Hostile input.
    void truncatedOversizedAndRandomFramesAreSurvived();

private:
    void feed(const QByteArray &chunk) { fixture->feed(chunk); }
    QByteArray data(quint8 status = 0) const { return SimulatedBase::dataFrame(sensor, status); }
    QString upperStatus() const;
    QString lowerStatus() const;
    QList<QByteArray> sentWith(quint8 command) const;

    std::unique_ptr<PageFixture<BLEDevice>> fixture;
    Ui_Deruvivuriri *ui = nullptr;
    BLEDevice *page = nullptr;
    SimulatedBase::LinkedSensor sensor;
    std::unique_ptr<QSignalSpy> sent;
    std::unique_ptr<QSignalSpy> logs;
};

namespace {

QByteArray framed(const char *hex)
{
    return frame::withCrc(QByteArray::fromHex(hex));
}

QByteArray identity(quint32 serial, quint16 firmware)
{
    QByteArray body = QByteArray::fromHex("3e03fc");
    for (int i = 0; i < 4; ++i)
        body.append(char((serial >> (8 * i)) & 0xFF));
    body.append(char(firmware & 0xFF));
    body.append(char(firmware >> 8));
    return frame::withCrc(body);
}

QString cardLine(WidgetTar *card, int line)
{
    const QList<QLabel *> labels = card->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
    return line < labels.size() ? labels.at(line)->text() : QString();
}

int logCount(const QSignalSpy &spy, const QString &text)
{
    int n = 0;
    for (const QList<QVariant> &args : spy) {
        if (args.at(0).toString() == text)
            ++n;
    }
    return n;
}

} // namespace

void TestBleDevice::initTestCase()
{
    initResourceBundle();
}

void TestBleDevice::init()
{
    fixture = std::make_unique<PageFixture<BLEDevice>>();
    ui = fixture->ui.get();
    page = fixture->page.get();
    sensor = SimulatedBase::LinkedSensor();
    sent = std::make_unique<QSignalSpy>(page, &BLEDevice::writeData);
    logs = std::make_unique<QSignalSpy>(page, &BLEDevice::signalWriteLog);
    page->connectDevice();
}

void TestBleDevice::cleanup()
{
    sent.reset();
    logs.reset();
    fixture.reset();
    ui = nullptr;
    page = nullptr;
}

QString TestBleDevice::upperStatus() const
{
    auto *label = ui->BLE_QF410->findChild<QLabel *>("labelStatusUpBLE");
    return label ? label->text() : QString("(none)");
}

QString TestBleDevice::lowerStatus() const
{
    auto *label = ui->BLE_QF410->findChild<QLabel *>("labelStatusBLE");
    return label ? label->text() : QString("(none)");
}

QList<QByteArray> TestBleDevice::sentWith(quint8 command) const
{
    QList<QByteArray> out;
    for (const QList<QVariant> &args : *sent) {
        const QByteArray frame = args.at(0).toByteArray();
        if (frame.size() > 2 && quint8(frame.at(2)) == command)
            out.append(frame);
    }
    return out;
}

// ---- Intake --------------------------------------------------------------------

void TestBleDevice::framesThatFailAnyCheckChangeNothing_data()
{
    QTest::addColumn<QByteArray>("chunk");
    const QByteArray good = SimulatedBase::dataFrame(SimulatedBase::LinkedSensor(), 0);
    QByteArray badCrc = good;
    badCrc[badCrc.size() - 1] = char(badCrc.at(badCrc.size() - 1) ^ 0x21);
    QByteArray otherAddress = good.left(good.size() - 1);
    otherAddress[1] = 0x04;
    QByteArray badStart = good.left(good.size() - 1);
    badStart[0] = 0x31;
    QTest::newRow("bad CRC") << badCrc;
    QTest::newRow("other address") << frame::withCrc(otherAddress);
    QTest::newRow("request start byte") << frame::withCrc(badStart);
    QTest::newRow("three bytes") << framed("3e03");
}

void TestBleDevice::framesThatFailAnyCheckChangeNothing()
{
    QFETCH(QByteArray, chunk);
    ui->label_88->setText("before");
    feed(chunk);
    QVERIFY(!page->isDeviceConnected());
    QCOMPARE(page->getLastReplyCommand(), 0);
    QCOMPARE(ui->label_88->text(), QString("before"));
}

void TestBleDevice::anAnswerWithoutHandlerKeepsTheLinkAlive()
{
    // A base gone silent first: the page counts it as gone.
    silencewatch::shortenWatchdog(page, 300);
    page->restoreTimerDeviceConnected();
    {
        silencewatch::Watch watch(page);
        QVERIFY(watch.noticedWithin(3000));
    }
    QVERIFY(!page->isDeviceConnected());
    silencewatch::Watch watch(page);
    feed(framed("3e03f5"));
    QVERIFY(page->isDeviceConnected());
    // The link is watched again: the silence after the answer is noticed.
    QVERIFY(watch.noticedWithin(3000));
    QCOMPARE(page->getLastReplyCommand(), 0);
    feed(framed("3e03fd"));
    QCOMPARE(page->getLastReplyCommand(), 0xFD);
}

void TestBleDevice::answersOfOtherLengthsOnlyKeepTheLinkAlive()
{
    sensor.form = 50;
    sensor.current = 777;
    feed(data());
    QVERIFY(page->isDeviceConnected());
    QCOMPARE(page->getCurrentValue(), quint32(0));
    // Also after an answer of a known length was taken.
    sensor.form = 38;
    feed(data());
    QCOMPARE(page->getCurrentValue(), quint32(777));
    sensor.form = 50;
    sensor.current = 999;
    feed(data());
    QCOMPARE(page->getCurrentValue(), quint32(777));
    // Short known forms are never read beyond their end.
    for (int form : {38, 42}) {
        sensor.form = form;
        feed(data());
        QCOMPARE(page->getCurrentValue(), quint32(999));
    }
}

void TestBleDevice::gluedAnswersAreEachHandled()
{
    QSignalSpy levels(page, &BLEDevice::copyLevelValueToMain);
    feed(data());
    levels.clear();
    sensor.level = 100;
    const QByteArray first = data();
    sensor.level = 200;
    feed(first + data());
    QCOMPARE(levels.count(), 2);
    QCOMPARE(levels.at(0).at(0).toInt(), 100);
    QCOMPARE(levels.at(1).at(0).toInt(), 200);

    // A data answer and the identity in one chunk: both are taken.
    feed(data() + identity(4711, 105));
    QCOMPARE(page->getLastReplyCommand(), 0xFC);
    QCOMPARE(cardLine(page->getWidgetTar1(), 0), QString("Датчик#4711"));
}

void TestBleDevice::searchAnswers_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("number");
    QTest::newRow("one number") << QByteArray("\x07", 1) << true << 7;
    QTest::newRow("frame start and one byte") << QByteArray::fromHex("3e09") << true << 0;
    QTest::newRow("frame start alone") << QByteArray::fromHex("3e") << false << 0;
    QTest::newRow("empty") << QByteArray() << false << 0;
}

void TestBleDevice::searchAnswers()
{
    QFETCH(QByteArray, chunk);
    QFETCH(bool, found);
    QFETCH(int, number);
    // A search period of its own, shorter than the page's looks at the line.
    BaseDevice::Intervals periods = page->intervals();
    periods.search = 150;
    page->setIntervals(periods);
    QSignalSpy searches(page, &BLEDevice::signalRequestForSearchDevices);
    page->startSearchDevices();
    QCOMPARE(searches.count(), 1);
    logs->clear();
    fixture->feedExactly(chunk, [this](int length, char *bytes) { page->run(length, bytes); });
    if (found) {
        QCOMPARE(int(page->getFoundNetNum()), number);
        QCOMPARE(page->CompareNetNum(number), 0);
        // The search is over: no more requests while the page looks at the
        // line four times, over two search periods.
        QSignalSpy looks(page, &BLEDevice::signalCheckIncommingData);
        QTRY_VERIFY_WITH_TIMEOUT(looks.count() >= 4, 5000);
        QCOMPARE(searches.count(), 1);
    } else {
        QCOMPARE(logCount(*logs, "Device is not responding"), 1);
        QVERIFY(!page->isDeviceConnected());
    }
    page->stopSearchDevices();
}

void TestBleDevice::identityDecidesTheMode_data()
{
    QTest::addColumn<int>("firmware");
    QTest::addColumn<bool>("advertising");
    QTest::newRow("222") << 222 << false;
    QTest::newRow("223") << 223 << true;
    QTest::newRow("998") << 998 << true;
    QTest::newRow("999") << 999 << false;
}

void TestBleDevice::identityDecidesTheMode()
{
    QFETCH(int, firmware);
    QFETCH(bool, advertising);
    feed(identity(4321, quint16(firmware)));
    QCOMPARE(page->isAdvertMode(), advertising);
    QVERIFY(page->isDeviceConnected());
    if (!advertising)
        QCOMPARE(cardLine(page->getWidgetTar1(), 0), QString("Датчик#4321"));

    // The next chunk is read as the advertising list's, once the mode is on.
    QSignalSpy first(page, &BLEDevice::signalFirstConnectingDeviceAdwert);
    feed(framed("3e03f7"));
    QCOMPARE(first.count(), advertising ? 1 : 0);
    QCOMPARE(ui->ButtonTarirovka->isEnabled(), !advertising);
}

// ---- The linked sensor's data ------------------------------------------------------

void TestBleDevice::dataAnswerShowsTheLinkedSensor()
{
    QSignalSpy levels(page, &BLEDevice::copyLevelValueToMain);
    sensor.form = 45;
    sensor.temperature = -7;
    sensor.level = 498;
    sensor.current = 15000;
    sensor.firmware = 234;
    sensor.rssi = -61;
    sensor.battery = 105;
    feed(data());

    QVERIFY(page->isDeviceConnected());
    QCOMPARE(upperStatus(), QString("Связь с беспроводным датчиком установлена"));
    QCOMPARE(lowerStatus(), QString("Подключен VO-DIZ"));
    QCOMPARE(ui->label_88->text(), QString("15000"));
    QCOMPARE(ui->label_ValCurrentBLE->text(), QString("15000"));
    QCOMPARE(ui->label_UrovenBLE->text(), QString("498"));
    QCOMPARE(ui->progressBarLevelBLE->value(), 498);
    QCOMPARE(ui->label_RSSI_VAL_BLE->text(), QString("-61dB"));
    QCOMPARE(ui->label_FirmwareValBLE->text(), QString("2.3.4"));
    QCOMPARE(ui->label_BAT_VAL_BLE->text(), QString("0.5В"));
    QCOMPARE(ui->label_TempValDUT->text(), QString("-7°C"));
    QCOMPARE(ui->label_TempValBLE->text(), QString("-7"));
    QCOMPARE(ui->label_MAC_BLE_VAL->text(), QString("0A:1B:2C:3D:4E:5F"));
    QCOMPARE(cardLine(page->getWidgetTar1(), 1), QString("Уровень 498"));
    QCOMPARE(levels.count(), 1);
    QCOMPARE(levels.at(0).at(1).toInt(), 0);
    QVERIFY(!ui->pushBtnChangeBaseLinkIDBLE->isHidden());
    QVERIFY(!ui->ButtonWriteParamBLE->isHidden());
    // The password probe goes out to the base until the sensor answers it.
    QCOMPARE(sentWith(0xE9).size(), 1);
    QCOMPARE(sentWith(0xE9).at(0).toHex(), framed("3103e95ac39600000000").toHex());
    QCOMPARE(logCount(*logs, "Net num=3, Empty=10000, Full=20000, Current=498, Level=498, Temperature=-7"), 1);
}

void TestBleDevice::stabilityNeedsEightValuesThenFollowsTheDeviation_data()
{
    QTest::addColumn<QList<int>>("earlier");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("text");
    // Each window of eight has the mean 1000.
    QTest::newRow("1 % off") << QList<int>{1002, 1002, 1002, 1001, 1001, 1001, 1001} << 990 << 2 << "Не стабилен";
    QTest::newRow("within 1 %") << QList<int>{1001, 1001, 1001, 1001, 1001, 1000, 1000} << 995 << 3 << "Стабилен";
    QTest::newRow("6 % off") << QList<int>{1009, 1009, 1009, 1009, 1008, 1008, 1008} << 940 << 1 << "Не стабилен";
}

void TestBleDevice::stabilityNeedsEightValuesThenFollowsTheDeviation()
{
    QFETCH(QList<int>, earlier);
    QFETCH(int, last);
    QFETCH(int, state);
    QFETCH(QString, text);
    ui->label_StableBLE->setText("before");
    for (int value : earlier) {
        sensor.current = value;
        feed(data());
    }
    QCOMPARE(page->getStability(0), 0);
    QCOMPARE(ui->label_StableBLE->text(), QString("before"));
    sensor.current = last;
    feed(data());
    QCOMPARE(page->getStability(0), state);
    QCOMPARE(ui->label_StableBLE->text(), text);
    QCOMPARE(cardLine(page->getWidgetTar1(), 3), text);
}

void TestBleDevice::calibrationPlausibilityIsShown_data()
{
    QTest::addColumn<quint32>("full");
    QTest::addColumn<bool>("calibrated");
    QTest::newRow("131") << 131u << true;
    QTest::newRow("221") << 221u << false;
}

void TestBleDevice::calibrationPlausibilityIsShown()
{
    QFETCH(quint32, full);
    QFETCH(bool, calibrated);
    sensor.empty = 100;
    sensor.full = full;
    feed(data());
    // The first answer's full refresh shows the page without the warning;
    // the warning follows each answer from then on.
    QCOMPARE(page->isNeedCalibration(), !calibrated);
    QVERIFY(ui->label_NeedCalibBLE->isHidden());
    feed(data());
    QCOMPARE(page->isNeedCalibration(), !calibrated);
    QCOMPARE(ui->label_NeedCalibBLE->isHidden(), calibrated);
    QCOMPARE(ui->label_Alarm_9BLE->isHidden(), calibrated);
    QCOMPARE(cardLine(page->getWidgetTar1(), 2), calibrated ? QString("Калиброван") : QString("Не калиброван"));
    QCOMPARE(page->getEmptyValue(), quint32(100));
    QCOMPARE(page->getFullValue(), full);
}

void TestBleDevice::levelFaultsShowTheirText_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("text");
    QTest::newRow("tube break") << 6500 << "Обрыв трубок";
    QTest::newRow("short circuit") << 7000 << "Короткое замыкание";
}

void TestBleDevice::levelFaultsShowTheirText()
{
    QFETCH(int, level);
    QFETCH(QString, text);
    sensor.level = quint16(level);
    feed(data());
    QCOMPARE(ui->label_StableBLE->text(), text);
    QCOMPARE(page->getLevelFaultCode(), ushort(level));
    QVERIFY(!page->getLevelFaultIcon()->isHidden());
    QCOMPARE(ui->label_UrovenBLE->text(), QString::number(level));
    // A page that lost its sensor does not keep the fault's picture.
    page->resetDeviceIsConnected();
    QVERIFY(page->getLevelFaultIcon()->isHidden());
    feed(data());
    QVERIFY(!page->getLevelFaultIcon()->isHidden());
    sensor.level = 512;
    feed(data());
    QVERIFY(page->getLevelFaultIcon()->isHidden());
    QCOMPARE(page->getLevelFaultCode(), ushort(512));
}

void TestBleDevice::fullRefreshTakesTheSensorsSettingsOnce_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("filter");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<int>("rangeIndex");
    QTest::addColumn<int>("levelShown"); // 1 shown, 0 hidden, -1 as it was
    QTest::newRow("mode 0, filter off") << 0x00 << 0x20 << 0 << 0 << 1;
    QTest::newRow("mode 4, filter 15") << 0x04 << 0x2F << 15 << 0 << 0;
    QTest::newRow("mode 0x84 keeps the labels") << 0x84 << 0x03 << 3 << 1 << -1;
}

void TestBleDevice::fullRefreshTakesTheSensorsSettingsOnce()
{
    QFETCH(int, mode);
    QFETCH(int, filter);
    QFETCH(int, filterIndex);
    QFETCH(int, rangeIndex);
    QFETCH(int, levelShown);
    ui->label_UrovenBLE->setVisible(false);
    sensor.mode = quint8(mode);
    sensor.filter = quint8(filter);
    feed(data());
    QVERIFY(!page->isNeedUpdateWindow());
    QCOMPARE(ui->comboBox_FiltrBLE->count(), 16);
    QCOMPARE(ui->comboBox_FiltrBLE->itemText(0), QString("Нет"));
    QCOMPARE(ui->comboBox_FiltrBLE->currentIndex(), filterIndex);
    QCOMPARE(ui->comboBoxRangeBLE->currentIndex(), rangeIndex);
    QCOMPARE(ui->progressBarLevelBLE->maximum(), rangeIndex ? 4095 : 1023);
    QCOMPARE(page->isRange4095(), rangeIndex == 1);
    if (levelShown >= 0)
        QCOMPARE(ui->label_UrovenBLE->isHidden(), levelShown == 0);
    const BleSensorParams params = page->getParamsBLE();
    QCOMPARE(params.settings[0], quint8(mode));
    QCOMPARE(params.settings[2], quint8(filter));
    QCOMPARE(params.settings[4], quint8(filter));

    // The user's edit survives the next answers until the page asks again.
    ui->comboBox_FiltrBLE->setCurrentIndex(7);
    feed(data());
    QCOMPARE(ui->comboBox_FiltrBLE->currentIndex(), 7);
    page->setNeedUpdateWindow(true);
    feed(data());
    QCOMPARE(ui->comboBox_FiltrBLE->currentIndex(), filterIndex);
}

void TestBleDevice::wrongKindStopsPollingAndShowsOneMessage_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("keptAlive");
    QTest::newRow("angle sensor") << 31 << true;
    QTest::newRow("light sensor") << 32 << true;
    QTest::newRow("unknown kind") << 40 << false;
}

void TestBleDevice::wrongKindStopsPollingAndShowsOneMessage()
{
    QFETCH(int, kind);
    QFETCH(bool, keptAlive);
    sensor.kind = quint8(kind);
    silencewatch::shortenWatchdog(page, 300);
    QSignalSpy polls(page, &BLEDevice::signalRequestForGetAllDataFromDevice);
    feed(data() + data());
    feed(data());
    const QList<DynamicQDialog *> messages = ui->BLE_QF410->findChildren<DynamicQDialog *>();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.at(0)->isVisible());
    QVERIFY(messages.at(0)->findChildren<QLabel *>().size() >= 2);
    QCOMPARE(page->isDeviceConnected(), keptAlive);
    // No watchdog either: the silence that follows is no lost base. No
    // timer of the page is left to poll or to notice it.
    QCOMPARE(pagetimers::running(page), QStringList());
    QCOMPARE(polls.count(), 0);
    messages.at(0)->accept();
    QTRY_VERIFY(ui->BLE_QF410->findChildren<DynamicQDialog *>().isEmpty());
}

void TestBleDevice::connectionLogLineStartsAfreshAndStaysBounded()
{
    const QString summary = "Net num=3, Empty=10000, Full=20000, Current=512, Level=512, Temperature=21";
    feed(data());
    feed(data());
    QCOMPARE(logCount(*logs, summary), 2);
    feed(identity(4321, 105));
    feed(data());
    QCOMPARE(logCount(*logs, summary + ", Serial number 4321, Version Firmware 105"), 1);
    feed(data());
    QCOMPARE(logCount(*logs, summary + ", Serial number 4321, Version Firmware 105"), 1);

    // A new connection says it again, without what the last one gathered.
    page->disconnectDevice();
    page->connectDevice();
    logs->clear();
    feed(data());
    QCOMPARE(logCount(*logs, summary), 1);
}

void TestBleDevice::autoCalibrationCountdownsStepWithTheAnswers()
{
    QSignalSpy counts(page, &BLEDevice::signalUpdateCNTForAutoCalib);
    QSignalSpy fulls(page, &BLEDevice::signalUpdateFullValForAutocalib);
    QSignalSpy empties(page, &BLEDevice::signalUpdateEmptyValForAutocalib);
    feed(data());
    QCOMPARE(counts.count(), 0);
    page->setAutoCalibrateAllMode(true);
    page->setNeedUpdateFullValAutocalib(1);
    feed(data());
    QCOMPARE(counts.count(), 1);
    QCOMPARE(fulls.count(), 1);
    QCOMPARE(page->getNeedUpdateFullValAutocalib(), 0);
    feed(data());
    QCOMPARE(fulls.count(), 1);

    // The directive calibration's report starts both at 12.
    feed(data(4));
    QCOMPARE(page->getNeedUpdateEmptyValAutocalib(), 12);
    for (int i = 0; i < 12; ++i)
        feed(data());
    QCOMPARE(empties.count(), 1);
    QCOMPARE(fulls.count(), 2);
    QCOMPARE(counts.count(), 15);
}

void TestBleDevice::storesOutsideThePerSensorArraysAreIgnored()
{
    QVERIFY(page->setCurLevel(7, 2));
    QVERIFY(!page->setCurLevel(7, 3));
    QVERIFY(!page->setCurLevel(7, -1));
    QCOMPARE(page->getStability(3), 0);
    QCOMPARE(page->getStability(-1), 0);
    QCOMPARE(page->calc_crc8(nullptr, 0), quint8(0));
    const char one = 0x01;
    QCOMPARE(page->calc_crc8(&one, 1), quint8(0x5E));
    QCOMPARE(page->calc_crc8(&one, -1), quint8(0));
    page->writeLogFile();
    QCOMPARE(logs->last().at(0).toString(), QString("Current=0 ,Level=0 ,Temperature=0"));
}

// ---- Status codes ---------------------------------------------------------------------

void TestBleDevice::commandStatusShowsItsTextOnce_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("log");
    QTest::newRow("1") << 1 << "UUID ВТ датчика успешно изменен"
                       << "UUID successfully changed";
    QTest::newRow("4") << 4 << "Директивная калибровка ВТ датчика произведена успешно"
                       << "Calibrate BLE successull";
    QTest::newRow("5") << 5 << "Успешная перезагрузка ВТ датчика"
                       << "Reboot BLE successfull";
    QTest::newRow("7") << 7 << "Калибровка уровня пустого ВТ датчика произведена"
                       << "Calibrate BLE empty successfull";
    QTest::newRow("13") << 13 << "Ошибка изменения пароля ВТ датчика"
                        << "Error change password BLE";
    QTest::newRow("15") << 15 << "Режим работы ВТ датчика установлен"
                        << "New mode BLE set";
    QTest::newRow("16") << 16 << "Ошибка установки режима"
                        << "Error set new mode BLE";
}

void TestBleDevice::commandStatusShowsItsTextOnce()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QFETCH(QString, log);
    feed(data());
    feed(data(3)); // the probe's answer
    page->setNeedUpdateWindow(false);
    QVERIFY(!page->isModeSet());
    logs->clear();
    ui->comboBox_FiltrBLE->setCurrentIndex(7);
    feed(data(quint8(code)));
    QCOMPARE(page->isModeSet(), code == 15);
    // The working mode's outcomes refresh the settings from the sensor.
    QCOMPARE(ui->comboBox_FiltrBLE->currentIndex(), code == 15 || code == 16 ? 0 : 7);
    feed(data(quint8(code)));
    QCOMPARE(upperStatus(), text);
    QCOMPARE(logCount(*logs, log), 1);
    // The link report leaves a fresh message in place.
    feed(data());
    QCOMPARE(upperStatus(), text);
    // An undefined code changes nothing.
    feed(data(17));
    QCOMPARE(upperStatus(), text);
}

void TestBleDevice::aRepeatedOutcomeCountsAgainAfterALinkReportOrACommand()
{
    feed(data());
    logs->clear();
    feed(data(15));
    feed(data(15));
    QCOMPARE(logCount(*logs, "New mode BLE set"), 1);
    feed(data(0));
    feed(data(15));
    QCOMPARE(logCount(*logs, "New mode BLE set"), 2);
    page->awaitCommandOutcome();
    feed(data(15));
    QCOMPARE(logCount(*logs, "New mode BLE set"), 3);
}

void TestBleDevice::linkReportWithoutSensorClearsTheReadingsEvenOverAMessage()
{
    QSignalSpy linked(page, &BLEDevice::deviceIsConnectedToBase);
    feed(data());
    QCOMPARE(linked.count(), 1);
    feed(data(15));
    sensor.battery = 0;
    feed(data());
    feed(data());
    QCOMPARE(upperStatus(), QString("Связь с беспроводным датчиком не установлена"));
    QCOMPARE(lowerStatus(), QString("Подключите датчик"));
    QCOMPARE(ui->label_UrovenBLE->text(), QString("--"));
    QCOMPARE(ui->label_BAT_VAL_BLE->text(), QString("--"));
    QCOMPARE(ui->label_TempValBLE->text(), QString("0"));
    QCOMPARE(ui->label_MAC_BLE_VAL->text(), QString("--:--:--:--:--:--"));
    QVERIFY(ui->label_LockBLE_BLE->isHidden());
    // Said once, not with every answer that finds no sensor.
    QCOMPARE(logCount(*logs, "Bluetooth device not connected"), 1);
    // Without a linked sensor nothing is shown from the answers.
    ui->label_ValCurrentBLE->setText("unchanged");
    feed(data());
    QCOMPARE(ui->label_ValCurrentBLE->text(), QString("unchanged"));
}

void TestBleDevice::passwordProbeAndItsOutcomes()
{
    // The probe goes again only once its answer is no longer awaited.
    feed(data());
    feed(data());
    QCOMPARE(sentWith(0xE9).size(), 1);
    feed(data(3));
    QVERIFY(!page->isPasswordProtected());
    QVERIFY(!ui->label_LockBLE_BLE->isHidden());
    feed(data());
    QCOMPARE(sentWith(0xE9).size(), 1);

    // A protected sensor refuses the probe; a later refusal is a wrong password.
    page->disconnectDevice();
    page->connectDevice();
    sent->clear();
    feed(data());
    feed(data(10));
    QVERIFY(page->isPasswordProtected());
    QVERIFY(upperStatus() != QString("Введён не верный пароль датчика"));
    feed(data(10));
    QVERIFY(upperStatus() != QString("Введён не верный пароль датчика"));
    page->awaitCommandOutcome();
    feed(data(10));
    QCOMPARE(upperStatus(), QString("Введён не верный пароль датчика"));
    QCOMPARE(sentWith(0xE9).size(), 1);
}

void TestBleDevice::rebootRunsOneCountdown()
{
    feed(data());
    const QList<QTimer *> pageTimers = page->findChildren<QTimer *>();
    feed(data(5));
    page->awaitCommandOutcome();
    feed(data(5));
    QVERIFY(!ui->labelTimerUpdFwBLE->isHidden());
    QVERIFY(!ui->labelMsgUpdBLE->isHidden());
    // One countdown: one timer, each of its ticks one step.
    QList<QTimer *> countdowns;
    for (QTimer *timer : page->findChildren<QTimer *>()) {
        if (timer->isActive() && !pageTimers.contains(timer))
            countdowns << timer;
    }
    QCOMPARE(countdowns.size(), 1);
    QSignalSpy ticks(countdowns.first(), &QTimer::timeout);
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 4, 10000);
    QCOMPARE(ui->labelTimerUpdFwBLE->text(), QString::number(31 - ticks.count()));
    // The countdown ends with both labels hidden.
    for (int i = 0; i < 40; ++i)
        page->updateTimerFwBLE();
    QVERIFY(ui->labelTimerUpdFwBLE->isHidden());
    QVERIFY(ui->labelMsgUpdBLE->isHidden());
}

// ---- Commands ----------------------------------------------------------------------------

void TestBleDevice::passwordFramesPausePollingOnlyWhenItRuns()
{
    silencewatch::shortenWatchdog(page, 300);
    {
        BaseDevice::Procedure run(page);
        QVERIFY(page->sendPass(run, 1234, 0xF8));
    }
    QCOMPARE(sentWith(0xF8).size(), 1);
    QCOMPARE(sentWith(0xF8).at(0).toHex(), framed("3103f85ac396000004d2").toHex());
    QVERIFY(page->isWaitingReply());
    {
        // Resumed once the procedure ended: a silence is noticed again.
        silencewatch::Watch watch(page);
        QVERIFY(watch.noticedWithin(3000));
    }

    page->disconnectDevice();
    // Outside a session nothing is sent, paused or resumed: no timer of the
    // page is left to poll or to notice a silence.
    BaseDevice::Procedure run(page);
    QVERIFY(!page->sendPass(run, 1, 0xE8));
    QCOMPARE(sentWith(0xE8).size(), 0);
    QCOMPARE(pagetimers::running(page), QStringList());
}

void TestBleDevice::passwordDialogCommandsAndTheirOutcomes()
{
    // The sensor is protected: the probe came back refused.
    feed(data());
    feed(data(10));
    QVERIFY(page->isPasswordProtected());

    SecurityBLE dialog(page, ui->BLE_QF410, page->sensorProtection());
    page->setSecurityDialog(&dialog);
    const QList<QLineEdit *> fields = dialog.findChildren<QLineEdit *>();
    QCOMPARE(fields.size(), 2);
    QLineEdit *input = fields.at(0);
    QLineEdit *newOne = fields.at(1);

    input->setText("1234");
    feed(data());
    QVERIFY(page->inputPassBLE());
    QCOMPARE(sentWith(0xE8).last().toHex(), framed("3103e85ac396000004d2").toHex());
    QCOMPARE(upperStatus(), QString("Ожидаем ответ от беспроводного датчика"));
    QCOMPARE(logCount(*logs, "Input password BLE"), 1);
    feed(data(3));
    QCOMPARE(upperStatus(), QString("Пароль принят"));
    QVERIFY(page->isPasswordProtected());
    QCOMPARE(page->getAcceptedPassword(), std::optional<quint32>(1234));

    newOne->setText("99");
    feed(data());
    QVERIFY(page->setPassBLE());
    QCOMPARE(sentWith(0xE9).last().toHex(), framed("3103e95ac39600000063").toHex());
    feed(data(3));
    QCOMPARE(upperStatus(), QString("Новый пароль ВТ датчика успешно установлен"));
    QCOMPARE(page->getAcceptedPassword(), std::optional<quint32>(99));

    input->setText("99");
    feed(data());
    sent->clear();
    // "No password" follows only once the base reports the sensor took the password, and no longer reports it.
    QTimer::singleShot(500, page, [this] { feed(data() + data(3)); });
    QTimer::singleShot(1000, page, [this] { feed(data()); });
    QVERIFY(page->delPassBLE());
    QCOMPARE(sentWith(0xE8).size(), 1);
    QCOMPARE(sentWith(0xE9).size(), 1);
    QCOMPARE(sentWith(0xE9).at(0).toHex(), framed("3103e95ac39600000000").toHex());
    QVERIFY(sent->at(0).at(0).toByteArray().at(2) == char(0xE8));
    feed(data(3));
    QCOMPARE(upperStatus(), QString("Пароль ВТ датчика успешно удалён"));
    QVERIFY(!page->isPasswordProtected());
    QVERIFY(!page->getAcceptedPassword());

    // A refused password leaves nothing pending for the next acceptance.
    input->setText("5");
    feed(data());
    page->inputPassBLE();
    feed(data(10));
    QCOMPARE(upperStatus(), QString("Введён не верный пароль датчика"));
    page->awaitCommandOutcome();
    feed(data(3));
    QVERIFY(upperStatus() != QString("Пароль принят"));
    page->setSecurityDialog(nullptr);
    QVERIFY(!page->inputPassBLE());
}

void TestBleDevice::passwordsThatAreNoNumberAreRefusedAndNothingIsSent_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("too large") << QString("2147483648");
    QTest::newRow("not digits") << QString("12a4");
}

void TestBleDevice::passwordsThatAreNoNumberAreRefusedAndNothingIsSent()
{
    QFETCH(QString, text);
    SecurityBLE dialog(page, ui->BLE_QF410, page->sensorProtection());
    page->setSecurityDialog(&dialog);
    for (QLineEdit *field : dialog.findChildren<QLineEdit *>()) {
        field->setValidator(nullptr);
        field->setText(text);
    }
    ModalCloser closer;
    QVERIFY(!page->inputPassBLE());
    QVERIFY(!page->setPassBLE());
    QVERIFY(!page->delPassBLE());
    QCOMPARE(closer.seen.size(), 3);
    QCOMPARE(sent->count(), 0);
    page->setSecurityDialog(nullptr);
}

void TestBleDevice::autoCalibrationWithoutDataIsRefused()
{
    ModalCloser closer;
    {
        BaseDevice::Procedure run(page);
        page->autoCalibrateFullEmptyBLE(run);
    }
    QCOMPARE(closer.seen.size(), 1);
    QCOMPARE(sent->count(), 0);
    QCOMPARE(page->getNeedUpdateFullValAutocalib(), 0);
}

void TestBleDevice::discardAndFactorySettingsOnlySayTheyAreToCome()
{
    feed(data());
    ModalCloser closer;
    // The notice stands in the message's upper text, the lower one empty.
    QList<QStringList> upperThenLower;
    closer.whileOpen = [&upperThenLower] {
        QList<QLabel *> texts = QApplication::activeModalWidget()->findChildren<QLabel *>("textDialog");
        std::sort(texts.begin(), texts.end(), [](QLabel *a, QLabel *b) { return a->y() < b->y(); });
        QStringList shown;
        for (QLabel *label : texts)
            shown << label->text();
        upperThenLower << shown;
    };
    page->escapeCurSetting();
    page->setFactorySetting();
    QCOMPARE(closer.seen.size(), 2);
    for (const QStringList &shown : upperThenLower)
        QCOMPARE(shown, QStringList({"Функция в разработке", ""}));
    // Nothing of the page changed, nothing went to the sensor.
    QCOMPARE(ui->comboBox_FiltrBLE->currentIndex(), 0);
    QCOMPARE(sentWith(0xF2).size(), 0);
}

void TestBleDevice::connectingTwiceStillPollsOncePerTick()
{
    page->connectDevice();
    QSignalSpy polls(page, &BLEDevice::signalRequestForGetAllDataFromDevice);
    QSignalSpy checks(page, &BLEDevice::signalCheckIncommingData);
    // Both connections of one tick would arrive in the same event.
    QVERIFY(polls.wait(3000));
    QCOMPARE(polls.count(), 1);
    checks.clear();
    QVERIFY(checks.wait(1000));
    QCOMPARE(checks.count(), 1);
    // And the watchdog still resets a silent page: the one of the second
    // connection runs its full period, then the one of a connection anew.
    {
        silencewatch::Watch watch(page);
        QVERIFY(watch.noticedWithin(page->intervals().watchdog + 2000));
    }
    BaseDevice::Intervals shortWatchdog = page->intervals();
    shortWatchdog.watchdog = 300;
    page->setIntervals(shortWatchdog);
    page->disconnectDevice();
    page->connectDevice();
    logs->clear();
    QTRY_COMPARE_WITH_TIMEOUT(logCount(*logs, "Device is not responding"), 1, 8000);
    QCOMPARE(lowerStatus(), QString("Подключите датчик"));
}

void TestBleDevice::noTimerRunsWhileThePageIsNotConnected()
{
    const auto runningTimers = [](const QObject *object) {
        int running = 0;
        for (const QTimer *timer : object->findChildren<QTimer *>())
            running += timer->isActive() ? 1 : 0;
        return running;
    };
    PageFixture<BLEDevice> unused;
    QCOMPARE(runningTimers(unused.page.get()), 0);

    page->connectDeviceAdvert();
    QVERIFY(runningTimers(page) > 0);
    page->disconnectDevice();
    QCOMPARE(runningTimers(page), 0);
    // An advertising answer still in the buffer switches the mode, but
    // starts no look at the line.
    page->setAdvertMode(true);
    feed(framed("3e03f5"));
    QCOMPARE(runningTimers(page), 0);
}

// ---- Advertising list ------------------------------------------------------------------------

void TestBleDevice::advertisingListFillsTheModels()
{
    SimulatedBase::AdvertRecord r1;
    r1.name = "QF_000123";
    r1.netNumber = 5;
    r1.rssi = -50;
    r1.listNumber = 0;
    r1.slotMask = 0x48; // extra parameters of slots 1 and 4
    r1.mode = 0xFA;     // not 31: slot 1 is the linked one all the same
    SimulatedBase::AdvertRecord r2 = r1;
    r2.name = "ZM_000456";
    r2.netNumber = 9;
    r2.slotMask = 0;
    SimulatedBase::AdvertRecord free;
    free.rssi = -70;
    free.listNumber = 2;
    QByteArray body = QByteArray::fromHex("3e00a6");
    for (const SimulatedBase::AdvertRecord &r : {r1, r2, free, free})
        body += SimulatedBase::recordBytes(r);

    QSignalSpy queue(page, &BLEDevice::signalCopyQueueSurveyDevice);
    QSignalSpy first(page, &BLEDevice::signalFirstConnectingDeviceAdwert);
    page->setAdvertMode(true);
    feed(frame::withCrc(body));
    QCOMPARE(first.count(), 1);
    QCOMPARE(page->getLastReplyCommand(), 0xA6);
    QCOMPARE(queue.count(), 1);
    QCOMPARE(page->getAdwModel1()->getNameChar(), QString("QF_000123"));
    QVERIFY(page->getAdwModel1()->getFlLinked());
    QVERIFY(!page->getAdwModel2()->getFlLinked());
    QCOMPARE(page->getAdwModel2()->getNetNumber(), 9);
    QVERIFY(page->getAdwModel1()->getFlDopParam());
    QVERIFY(!page->getAdwModel2()->getFlDopParam());
    QVERIFY(!page->getAdwModel3()->getFlDopParam());
    QVERIFY(page->getAdwModel4()->getFlDopParam());
    QVERIFY(!page->getAdwModel3()->getFlConnectedDevice());
    QCOMPARE(page->getModelByNetNum(9), page->getAdwModel2());
    QCOMPARE(page->getModelByNetNum(0), page->getAdwModel4());
    QVERIFY(!page->getModelByNetNum(42));
    // A listed sensor can be calibrated from the advertising page.
    QVERIFY(ui->ButtonTarirovka->isEnabled());
    // Further answers of the advertising mode are no first one.
    feed(frame::withCrc(body));
    QCOMPARE(first.count(), 1);
    // The base's identity in this mode shows its firmware.
    feed(identity(1, 321));
    QCOMPARE(ui->label_FirmwareVal->text(), QString("3.2.1"));
    QVERIFY(page->isAdvertMode());
}

void TestBleDevice::advertisingListOfAWrongLengthOrCrcIsIgnored()
{
    page->setAdvertMode(true);
    QByteArray body = QByteArray::fromHex("3e00a6");
    SimulatedBase::AdvertRecord r;
    r.name = "QF_000777";
    r.rssi = -40;
    r.listNumber = 0;
    r.netNumber = 11;
    for (int i = 0; i < 4; ++i)
        body += SimulatedBase::recordBytes(r);
    QByteArray badCrc = frame::withCrc(body);
    badCrc[badCrc.size() - 1] = char(badCrc.at(badCrc.size() - 1) ^ 1);
    feed(badCrc);
    feed(frame::withCrc(body.left(body.size() - 1)));
    QCOMPARE(page->getAdwModel1()->getNetNumber(), 0);
    QCOMPARE(page->getLastReplyCommand(), 0);
    // Acknowledgements are told by their command byte alone, once three bytes came.
    feed(QByteArray::fromHex("3eec"));
    QCOMPARE(page->getLastReplyCommand(), 0);
    feed(QByteArray::fromHex("3e00ec"));
    QCOMPARE(page->getLastReplyCommand(), 0xEC);
    feed(framed("3e008a"));
    QCOMPARE(page->getLastReplyCommand(), 0x8A);
    feed(frame::withCrc(body));
    QCOMPARE(page->getAdwModel4()->getNetNumber(), 11);
}

void TestBleDevice::olderSingleRecordLayoutPlacesRecordsBySlotMask()
{
    SimulatedBase::AdvertRecord r;
    r.name = "QF_000321";
    r.rssi = -40;
    r.listNumber = 0;
    r.netNumber = 21;
    r.mode = 31;
    r.slotMask = 0x08;
    page->getAdwModel1()->setNameForConnect("QF_000999");
    QVERIFY(page->mappingDataToAdwertDevicesOld(SimulatedBase::recordBytes(r).constData()));
    QCOMPARE(page->getAdwModel1()->getNetNumber(), 21);
    QVERIFY(page->getAdwModel1()->getFlDopParam());
    QCOMPARE(QByteArray(page->getAdwModel1()->getNameCharForConnect(), 9), QByteArray("QF_000999"));

    r.mode = 0;
    r.slotMask = 0x06;
    r.netNumber = 22;
    page->mappingDataToAdwertDevicesOld(SimulatedBase::recordBytes(r).constData());
    QCOMPARE(page->getAdwModel2()->getNetNumber(), 0);
    QCOMPARE(page->getAdwModel3()->getNetNumber(), 22);
    QCOMPARE(page->getAdwModel4()->getNetNumber(), 22);
    QCOMPARE(page->getAdwModel1()->getNetNumber(), 21);

    QVERIFY(page->compareTwoMass("ab", "ab", 2));
    QVERIFY(!page->compareTwoMass("ab", "ac", 2));
    QVERIFY(page->compareTwoMass(nullptr, nullptr, 0));
}

// ---- Hostile input ------------------------------------------------------------------------------

void TestBleDevice::truncatedOversizedAndRandomFramesAreSurvived()
{
    ModalCloser closer;
    QRandomGenerator rng(0xB1EB1Eu);
    const QList<QByteArray> answers = {
        SimulatedBase::dataFrame(SimulatedBase::LinkedSensor(), 0),
        [] {
            SimulatedBase::LinkedSensor s;
            s.form = 84;
            return SimulatedBase::dataFrame(s, 15);
        }(),
        identity(1, 105),
        identity(1, 300),
        framed("3e03f28005"),
        framed("3e03f7"),
        framed("3e03f8"),
        framed("3e03fd"),
        framed("3e00ec"),
        framed("3e008a"),
        [] {
            QByteArray list = QByteArray::fromHex("3e00a6");
            list += QByteArray(152, '\x11');
            return frame::withCrc(list);
        }(),
    };
    const auto sweep = [&] {
        for (const QByteArray &answer : answers) {
            // Every prefix, each with a CRC that fits it.
            for (int n = 0; n <= answer.size(); ++n) {
                feed(answer.left(n));
                if (n >= 2)
                    feed(frame::withCrc(answer.left(n - 1)));
            }
            // Longer than its form, glued to noise or to itself.
            feed(answer + QByteArray(7, '\x3E'));
            feed(frame::withCrc(answer + QByteArray(5, '\0')));
            feed(answer + answer);
            feed(answer + answer.left(answer.size() / 2));
        }
        // Any command byte in any length up to the longest list, with a fitting CRC.
        for (int command = 0; command < 256; command += 3) {
            for (int length = 4; length <= 160; length += 7) {
                QByteArray body(length - 1, '\0');
                for (char &c : body)
                    c = char(rng.bounded(256));
                body[0] = char(0x3E);
                body[1] = char(rng.bounded(2) ? 0x03 : 0x00);
                body[2] = char(command);
                feed(frame::withCrc(body));
            }
        }
        for (int round = 0; round < 300; ++round) {
            QByteArray noise(rng.bounded(0, 400), Qt::Uninitialized);
            for (char &c : noise)
                c = char(rng.bounded(256));
            feed(noise);
        }
    };
    sweep();
    page->startSearchDevices();
    sweep();
    page->setAdvertMode(true);
    sweep();
    // Whatever came, at most one message was ever open at a time.
    QVERIFY(ui->BLE_QF410->findChildren<DynamicQDialog *>().size() <= 1);
}

QTEST_MAIN(TestBleDevice)
#include "tst_bledevice.moc"
