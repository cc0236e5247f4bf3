#include "deruvivuriri_form.h"
#include "devices/angle/kv380device.h"
#include "link/frame.h"
#include "pagefixture.h"
#include "resources/bundle.h"
#include "simulatedkv380.h"
#include "ui/switch.h"

#include <QApplication>
#include <QLabel>
#include <QRandomGenerator>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// The wired angle sensor page on a real form, fed answers straight through its
// intake: what it shows, what it asks and sends, and what it refuses to read.
class TestKv380Answers : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    // Search.
    void searchAnswerListsTheSensorsAndPollsTheFirst();
    void searchWithoutAnswerKeepsSearching_data();
    void searchWithoutAnswerKeepsSearching();
    void answerFrameDuringTheSearchNamesItsSender();

    // Data and serial answers.
    void sensorIsShownWithItsSerialAndSettings();
    void delaysAndThresholdCaptionFollowTheMode_data();
    void delaysAndThresholdCaptionFollowTheMode();
    void refreshEndsAfterThreeAnswersAndEditsSurvive();
    void pictureFollowsModeThemeAndAngle_data();
    void pictureFollowsModeThemeAndAngle();
    void frequencyModeShowsDegreesAndHertz();
    void masterShowsItsAnimationInsteadOfAPicture();
    void bucketAnimatesWhileItMoves();
    void framesNotForThePageChangeNothing_data();
    void framesNotForThePageChangeNothing();
    void gluedAnswersAreBothTaken();

    // Mended faults.
    void serialIsAskedAgainForEachSensorFound();
    void connectionLogIsOneLineEvenWithFirmwareZero();
    void sensorBackAfterTheWatchdogIsShownAgain();
    void switchesFollowTheSensorAfterASelection();
    void masterSwitchKeepsTheReportedMode_data();
    void masterSwitchKeepsTheReportedMode();
    void connectingAgainConnectsEachTimerOnce();

    // Commands.
    void modeSwitchesSendTheirModeAndFollow();
    void setZeroSendsItsFrame();

    void truncatedOversizedAndRandomFramesChangeNothingShown();

private:
    using Sensor = SimulatedKv380::Sensor;
    void feed(const QByteArray &chunk) { fixture->feed(chunk); }
    void search(const QByteArray &numbers);
    // Search, serial answer and one data answer of the sensor.
    void connectSensor(const Sensor &s);
    QStringList shownValues() const;
    bool visible(QWidget *w) const { return w->isVisibleTo(fixture->window.get()); }

    std::unique_ptr<PageFixture<KV380Device>> fixture;
    KV380Device *page = nullptr;
    Ui_Deruvivuriri *ui = nullptr;
};

namespace {

SimulatedKv380::Sensor sensorAt(quint8 net)
{
    SimulatedKv380::Sensor s;
    s.netNum = net;
    return s;
}

QByteArray frameOf(const char *hex)
{
    return frame::withCrc(QByteArray::fromHex(hex));
}

void setTheme(const QString &theme)
{
    QSettings settings("Mirvel", "Reriruvozive-Mirvel");
    if (theme.isEmpty())
        settings.remove("theme");
    else
        settings.setValue("theme", theme);
}

// Answers a modal dialog should one open, so that a fault cannot hang the test.
class ModalCloser : public QObject
{
public:
    ModalCloser()
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            if (QWidget *w = QApplication::activeModalWidget()) {
                ++closed;
                w->close();
            }
        });
        timer.start(20);
    }
    int closed = 0;

private:
    QTimer timer;
};

} // namespace

void TestKv380Answers::initTestCase()
{
    initResourceBundle();
}

void TestKv380Answers::init()
{
    setTheme(QString());
    fixture = std::make_unique<PageFixture<KV380Device>>();
    page = fixture->page.get();
    ui = fixture->ui.get();
    // As the main window does after building the page and selecting it.
    ui->stackedWidget->setCurrentWidget(ui->KV380);
    page->addSwitchToUI();
    page->setSwitchesSyncEnabled(true);
}

void TestKv380Answers::cleanup()
{
    fixture.reset();
    page = nullptr;
    ui = nullptr;
    setTheme(QString());
}

void TestKv380Answers::search(const QByteArray &numbers)
{
    // A search runs only inside a session.
    if (!page->isSessionRunning())
        page->connectDevice();
    page->startSearchDevices();
    feed(numbers);
}

void TestKv380Answers::connectSensor(const Sensor &s)
{
    search(QByteArray(1, char(s.netNum)));
    feed(SimulatedKv380::serialAnswer(s));
    feed(SimulatedKv380::dataAnswer(s));
}

QStringList TestKv380Answers::shownValues() const
{
    QStringList values{
        ui->label_UrovenKV380->text(),         ui->label_SerNumVal->text(),      ui->label_FirmwareVal->text(),
        ui->lineEditKV380Up->text(),           ui->lineEditKV380Down->text(),    ui->lineEditKV380DelayOn->text(),
        ui->lineEditKV380DelayOff->text(),     ui->lineEdit_NetNumKV380->text(), page->shownPicture(),
        page->getLabelStatusMessage()->text(), page->getLabelDegrees()->text()};
    for (Switch *sw : page->modeSwitches())
        values << QString::number(sw->getState());
    return values;
}

// ---- search ----

void TestKv380Answers::searchAnswerListsTheSensorsAndPollsTheFirst()
{
    QSignalSpy written(page, &KV380Device::writeData);
    QSignalSpy netNums(page, &KV380Device::copyNetNumToParent);
    QSignalSpy queue(page, &KV380Device::copyQueueSurveyDevice);
    QSignalSpy serialRequests(page, &KV380Device::signalRequestForGetSerNumAndFirmWareVersion);
    search(QByteArray::fromHex("050709"));

    QVERIFY(!page->isSearchActive());
    QCOMPARE(page->getNetNum(), quint8(5));
    QCOMPARE(written.size(), 1);
    QCOMPARE(written.at(0).at(0).toByteArray().toHex(' '), frameOf("3105f0").toHex(' '));
    QCOMPARE(netNums.size(), 1);
    QCOMPARE(netNums.at(0).at(0).toByteArray(), QByteArray::fromHex("050709"));
    // The main window's requests go to the first number of the list.
    QVERIFY(!queue.isEmpty());
    QCOMPARE(queue.last().at(0).toInt(), 0);
    QCOMPARE(serialRequests.size(), 1);
    QCOMPARE(ui->lineEdit_NetNumKV380->text(), QString("5"));
    QCOMPARE(ui->comboBox_NetNumKV380->count(), 3);
    QCOMPARE(ui->comboBox_NetNumKV380->itemText(2), QString("9"));
    QCOMPARE(ui->label_ListDevKV380->text(), QString("5,7,9"));
}

void TestKv380Answers::searchWithoutAnswerKeepsSearching_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<bool>("cameBefore"); // in the session, before a search whose first request is a period away
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("lone frame start") << QByteArray::fromHex("3e") << false;
    QTest::newRow("a late acknowledge from before the search") << QByteArray::fromHex("79") << true;
}

void TestKv380Answers::searchWithoutAnswerKeepsSearching()
{
    QFETCH(QByteArray, chunk);
    QFETCH(bool, cameBefore);
    QSignalSpy log(page, &KV380Device::signalWriteLog);
    QSignalSpy written(page, &KV380Device::writeData);
    if (cameBefore) {
        // It waits in the receive buffer, as the main window keeps it, until the next check hands it on.
        QByteArray buffer;
        page->setInputDropper([&buffer] { buffer.clear(); });
        page->connectDevice();
        buffer = chunk;
        page->startSearchDevices(false);
        feed(buffer);
    } else {
        search(chunk);
    }
    QVERIFY(page->isSearchActive());
    QVERIFY(written.isEmpty());
    if (cameBefore)
        return; // no answer at all: nothing asked yet
    QCOMPARE(page->getLabelStatusMessage()->text(), QString("Подключите датчик"));
    QVERIFY(visible(page->getLabelStatusMessage()));
    QCOMPARE(log.size(), 1);
    QCOMPARE(log.at(0).at(0).toString(), QString("Device is not responding"));
}

void TestKv380Answers::answerFrameDuringTheSearchNamesItsSender()
{
    // A data request crossed the search (as after a firmware update, when
    // polling resumes at the number polled before): its sender is the sensor.
    search(SimulatedKv380::dataAnswer(sensorAt(6)));
    QCOMPARE(page->getNetNum(), quint8(6));
    QCOMPARE(ui->label_ListDevKV380->text(), QString("6"));

    // A lone sensor 0 answers the search with a frame head.
    search(QByteArray::fromHex("3e00"));
    QCOMPARE(page->getNetNum(), quint8(0));
}

// ---- data and serial answers ----

void TestKv380Answers::sensorIsShownWithItsSerialAndSettings()
{
    Sensor s = sensorAt(5);
    s.serial = -380123;
    s.firmware = 1234;
    s.angle = 95;
    s.down = 20;
    s.up = 160;
    s.mode = SimulatedKv380::kModeBlade;
    s.delayOn = 300;
    s.delayOff = 7;
    QVERIFY(!visible(ui->lineEditKV380Up));
    connectSensor(s);

    QVERIFY(page->isDeviceConnected());
    QCOMPARE(ui->label_SerNumVal->text(), QString("-380123"));
    QCOMPARE(ui->label_FirmwareVal->text(), QString("2.3.4"));
    QCOMPARE(ui->label_UrovenKV380->text(), QString("95"));
    QCOMPARE(page->getLabelDegrees()->text(), QString("95°"));
    QCOMPARE(page->getLabelFrequency()->text(), QString("395Гц"));
    QCOMPARE(ui->lineEditKV380Down->text(), QString("20"));
    QCOMPARE(ui->lineEditKV380Up->text(), QString("160"));
    QCOMPARE(ui->lineEditKV380DelayOn->text(), QString("300"));
    QCOMPARE(ui->lineEditKV380DelayOff->text(), QString("7"));
    QCOMPARE(page->getLabelStatusMessage()->text(), QString("Подключен КВ-380"));
    for (QWidget *w : std::initializer_list<QWidget *>{
             ui->lineEditKV380Up, ui->lineEditKV380Down, ui->lineEditKV380DelayOn, ui->ButtonWriteParamKV380,
             ui->buttonSetNullKV380, ui->label_UrovenKV380, page->getSwitchOtval(), page->getPictureWidget()})
        QVERIFY2(visible(w), qPrintable(w->objectName()));
    QVERIFY(page->getSwitchOtval()->getState());
    QVERIFY(!page->getSwitchMode1()->getState());
    QVERIFY(!page->getSwitchMaster()->getState());
    const KV380Param read = page->getOldKV380param();
    QCOMPARE(read.up, 160);
    QCOMPARE(read.down, 20);
    QCOMPARE(read.delayOn, 300);
    QCOMPARE(read.netNum, 5);
    QCOMPARE(read.mode, 8);
    QCOMPARE(page->getMode(), quint8(8));
}

void TestKv380Answers::delaysAndThresholdCaptionFollowTheMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("delaysShown");
    QTest::addColumn<QString>("delayOn");
    QTest::addColumn<bool>("downShown");
    QTest::addColumn<QString>("upCaption");
    // The fields start empty; modes without delays leave them so.
    QTest::newRow("garbage truck") << 0 << false << "" << true << "Верх";
    QTest::newRow("tipper") << 2 << false << "" << true << "Верх";
    QTest::newRow("frequency") << 4 << false << "" << true << "Верх";
    QTest::newRow("blade: two-byte delays") << 8 << true << "300" << true << "Верх";
    QTest::newRow("bucket: one-byte delays, one threshold") << 16 << true << "9" << false << "Дельта";
    // A master shows its animation; the delay fields stay as they were.
    QTest::newRow("bucket master: two thresholds") << 17 << false << "9" << true << "Верх";
}

void TestKv380Answers::delaysAndThresholdCaptionFollowTheMode()
{
    QFETCH(int, mode);
    Sensor s = sensorAt(5);
    s.mode = quint8(mode);
    s.delayOn = 300;
    s.delayOnKov = 9;
    ui->lineEditKV380DelayOn->clear();
    connectSensor(s);
    QTEST(visible(ui->lineEditKV380DelayOn), "delaysShown");
    QTEST(visible(ui->label_26KV380_2), "delaysShown");
    QTEST(ui->lineEditKV380DelayOn->text(), "delayOn");
    QTEST(visible(ui->lineEditKV380Down), "downShown");
    QTEST(ui->label_27KV380->text(), "upCaption");
    // Showing the page again keeps a bucket's lower threshold away.
    page->showUI(true);
    QTEST(visible(ui->lineEditKV380Down), "downShown");
}

void TestKv380Answers::refreshEndsAfterThreeAnswersAndEditsSurvive()
{
    Sensor s = sensorAt(5);
    s.up = 150;
    search(QByteArray(1, 5)); // the selection re-arms three refreshing answers
    page->setSyncSwitchesWithDevice(true);
    feed(SimulatedKv380::serialAnswer(s));
    for (int i = 0; i < 3; ++i)
        feed(SimulatedKv380::dataAnswer(s));
    QCOMPARE(ui->lineEditKV380Up->text(), QString("150"));

    // The user edits; polling goes on with other values but leaves the field.
    ui->lineEditKV380Up->setText("99");
    s.up = 120;
    s.angle = 33;
    s.mode = SimulatedKv380::kModeBlade;
    feed(SimulatedKv380::dataAnswer(s));
    QCOMPARE(ui->lineEditKV380Up->text(), QString("99"));
    QCOMPARE(ui->label_UrovenKV380->text(), QString("33"));
    QVERIFY(page->getSwitchMode1()->getState());
    QVERIFY(!page->getSwitchOtval()->getState());

    // A write re-arms the refresh: the sensor's values come back.
    page->setSyncSwitchesWithDevice(true);
    feed(SimulatedKv380::dataAnswer(s));
    QCOMPARE(ui->lineEditKV380Up->text(), QString("120"));
    QVERIFY(page->getSwitchOtval()->getState());
}

void TestKv380Answers::pictureFollowsModeThemeAndAngle_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("angle");
    QTest::addColumn<QString>("picture");
    // Thresholds 30 and 150 throughout.
    QTest::newRow("truck low, light") << "white" << 0 << 10 << ":/images/kamazDown_white_theme.svg";
    QTest::newRow("truck mid, dark") << "dark" << 0 << 90 << ":/images/kamazMid.png";
    QTest::newRow("truck high, no theme") << "" << 0 << 170 << ":/images/kamazUp_white_theme.svg";
    QTest::newRow("tipper 35, dark") << "dark" << 2 << 35 << ":/images/samos40.png";
    QTest::newRow("tipper 0, light") << "white" << 2 << 0 << ":/images/samos0_white_theme.svg";
    QTest::newRow("frequency, dark") << "dark" << 4 << 90 << ":/images/proff.png";
    QTest::newRow("blade high, dark") << "dark" << 8 << 151 << ":/images/otvalUp.png";
    QTest::newRow("bucket, light") << "white" << 16 << 90 << ":/images/exDown_white_theme.svg";
}

void TestKv380Answers::pictureFollowsModeThemeAndAngle()
{
    QFETCH(QString, theme);
    QFETCH(int, mode);
    QFETCH(int, angle);
    setTheme(theme);
    Sensor s = sensorAt(5);
    s.mode = quint8(mode);
    s.angle = angle;
    connectSensor(s);
    QTEST(page->shownPicture(), "picture");
}

void TestKv380Answers::frequencyModeShowsDegreesAndHertz()
{
    Sensor s = sensorAt(5);
    s.mode = SimulatedKv380::kMode3;
    s.angle = 90;
    connectSensor(s);
    QCOMPARE(page->getLabelDegrees()->text(), QString("90°"));
    QCOMPARE(page->getLabelFrequency()->text(), QString("390Гц"));
    QVERIFY(visible(page->getLabelDegrees()));
    QVERIFY(visible(page->getLabelFrequency()));
    QVERIFY(!visible(ui->label_UrovenKV380));
    page->showUI(true);
    QVERIFY(!visible(ui->label_UrovenKV380));

    // Back in mode 1 the angle is shown in its field again.
    s.mode = SimulatedKv380::kMode1;
    s.angle = 0;
    page->setSyncSwitchesWithDevice(true);
    feed(SimulatedKv380::dataAnswer(s));
    QVERIFY(visible(ui->label_UrovenKV380));
    QVERIFY(!visible(page->getLabelFrequency()));
    QCOMPARE(page->getLabelFrequency()->text(), QString("300Гц"));
}

void TestKv380Answers::masterShowsItsAnimationInsteadOfAPicture()
{
    for (quint8 mode : {quint8(SimulatedKv380::kMode3 | 1), quint8(SimulatedKv380::kMode1 | 1)}) {
        Sensor s = sensorAt(5);
        s.mode = mode;
        page->setSyncSwitchesWithDevice(true);
        connectSensor(s);
        QVERIFY(page->isMasterSlaveAnimationOn());
        QVERIFY(visible(ui->label_3));
        QVERIFY(visible(ui->label_KV380_MS));
        QVERIFY(ui->label_3->movie());
        QVERIFY(page->shownPicture().isEmpty());
        QVERIFY(page->getSwitchMaster()->getState());
        // The standard layout even for the frequency output.
        QVERIFY(!visible(page->getLabelFrequency()));
    }
    // Without the bit the animation goes and the picture comes back.
    Sensor s = sensorAt(5);
    page->setSyncSwitchesWithDevice(true);
    feed(SimulatedKv380::dataAnswer(s));
    QVERIFY(!page->isMasterSlaveAnimationOn());
    QVERIFY(!visible(ui->label_3));
    QCOMPARE(page->shownPicture(), QString(":/images/kamazMid_white_theme.svg"));
}

void TestKv380Answers::bucketAnimatesWhileItMoves()
{
    const QString lowered = ":/images/exDown_white_theme.svg";
    Sensor s = sensorAt(5);
    s.mode = SimulatedKv380::kModeBucket;
    s.angle = 100;
    connectSensor(s);
    QCOMPARE(page->shownPicture(), lowered);

    // Lifted since the last check: the bucket is shown moving.
    page->modeKovshHandler();
    QTRY_COMPARE_WITH_TIMEOUT(page->shownPicture(), QString(":/images/exMid_white_theme.svg"), 2500);

    // Moved by no more than 10 since: it rests, lowered.
    s.angle = 110;
    feed(SimulatedKv380::dataAnswer(s));
    page->modeKovshHandler();
    QCOMPARE(page->shownPicture(), lowered);
    // Still so once the page looked at the line seven times, over more than
    // an animation step.
    const auto lookSevenTimes = [this] {
        QSignalSpy looks(page, &KV380Device::signalCheckIncommingData);
        return QTest::qWaitFor([&looks] { return looks.count() >= 7; }, 5000);
    };
    QVERIFY(lookSevenTimes());
    QCOMPARE(page->shownPicture(), lowered);

    // Moving again, then leaving bucket mode: the animation ends with it.
    s.angle = 130;
    feed(SimulatedKv380::dataAnswer(s));
    page->modeKovshHandler();
    s.mode = SimulatedKv380::kMode1;
    s.angle = 90;
    page->setSyncSwitchesWithDevice(true);
    feed(SimulatedKv380::dataAnswer(s));
    QCOMPARE(page->shownPicture(), QString(":/images/kamazMid_white_theme.svg"));
    QVERIFY(lookSevenTimes());
    QCOMPARE(page->shownPicture(), QString(":/images/kamazMid_white_theme.svg"));
}

void TestKv380Answers::framesNotForThePageChangeNothing_data()
{
    QTest::addColumn<QByteArray>("chunk");
    Sensor other = sensorAt(5);
    other.angle = 11;
    other.serial = 1;
    QByteArray bad = SimulatedKv380::dataAnswer(other);
    bad[bad.size() - 1] = char(bad.at(bad.size() - 1) ^ 0x40);
    QTest::newRow("another network number") << SimulatedKv380::dataAnswer(sensorAt(6));
    QTest::newRow("bad CRC") << bad;
    // Too short for their fields, yet with a right CRC-8.
    QTest::newRow("data answer of 27 bytes") << frame::withCrc(SimulatedKv380::dataAnswer(other).left(26));
    QTest::newRow("serial answer of 9 bytes") << frame::withCrc(SimulatedKv380::serialAnswer(other).left(8));
    QTest::newRow("acknowledgement") << frameOf("3e05f2");
    QTest::newRow("unknown command") << frame::withCrc(
        SimulatedKv380::dataAnswer(other).left(27).replace(2, 1, "\xA0"));
}

void TestKv380Answers::framesNotForThePageChangeNothing()
{
    QFETCH(QByteArray, chunk);
    connectSensor(sensorAt(5));
    const QStringList before = shownValues();
    QSignalSpy requests(page, &KV380Device::signalRequestForGetSerNumAndFirmWareVersion);
    feed(chunk);
    QCOMPARE(shownValues(), before);
    QVERIFY(requests.isEmpty());
}

void TestKv380Answers::gluedAnswersAreBothTaken()
{
    Sensor s = sensorAt(5);
    s.serial = 4242;
    s.angle = 77;
    search(QByteArray(1, 5));
    // Two whole answers pass the CRC-8 as one; both must be read.
    feed(SimulatedKv380::serialAnswer(s) + SimulatedKv380::dataAnswer(s));
    QCOMPARE(ui->label_SerNumVal->text(), QString("4242"));
    QCOMPARE(ui->label_UrovenKV380->text(), QString("77"));
    s.angle = 78;
    feed(frameOf("3e05f2") + SimulatedKv380::dataAnswer(s));
    QCOMPARE(ui->label_UrovenKV380->text(), QString("78"));
}

// ---- mended faults ----

void TestKv380Answers::serialIsAskedAgainForEachSensorFound()
{
    Sensor first = sensorAt(5);
    first.serial = 111;
    first.firmware = 101;
    connectSensor(first);
    QSignalSpy requests(page, &KV380Device::signalRequestForGetSerNumAndFirmWareVersion);
    feed(SimulatedKv380::dataAnswer(first));
    QVERIFY(requests.isEmpty()); // known: not asked again while polling

    // Another sensor on a new selection: its own serial and firmware.
    Sensor second = sensorAt(7);
    second.serial = 222;
    second.firmware = 202;
    search(QByteArray(1, 7));
    QCOMPARE(requests.size(), 1);
    QVERIFY(!page->isDeviceConnected());
    feed(SimulatedKv380::dataAnswer(second));
    QCOMPARE(requests.size(), 2); // still unknown, asked on the data answer
    feed(SimulatedKv380::serialAnswer(second));
    QCOMPARE(ui->label_SerNumVal->text(), QString("222"));
    QCOMPARE(ui->label_FirmwareVal->text(), QString("2.0.2"));
    QVERIFY(page->isDeviceConnected());
    feed(SimulatedKv380::dataAnswer(second));
    QCOMPARE(requests.size(), 2);
}

void TestKv380Answers::connectionLogIsOneLineEvenWithFirmwareZero()
{
    Sensor s = sensorAt(5);
    s.serial = 380777;
    s.firmware = 0;
    s.down = 20;
    s.up = 160;
    s.mode = 9;
    QSignalSpy log(page, &KV380Device::signalWriteLog);
    search(QByteArray(1, 5));
    feed(SimulatedKv380::serialAnswer(s));
    feed(SimulatedKv380::serialAnswer(s)); // asked twice after a search
    for (int i = 0; i < 5; ++i)
        feed(SimulatedKv380::dataAnswer(s));
    QCOMPARE(log.size(), 1);
    QCOMPARE(log.at(0).at(0).toString(),
             QString("Connected KV380 SerNum=380777,Firmware=0.0.0NetNum=5, Down=20, Up=160, DelayOn=5, DelayOff=7, "
                     "delayOffKov=3, delayOnKov=2, Mode=9"));
}

void TestKv380Answers::sensorBackAfterTheWatchdogIsShownAgain()
{
    Sensor s = sensorAt(5);
    s.mode = SimulatedKv380::kModeBlade;
    connectSensor(s);
    for (int i = 0; i < 3; ++i)
        feed(SimulatedKv380::dataAnswer(s)); // the refreshing answers run out
    QSignalSpy log(page, &KV380Device::signalWriteLog);
    QSignalSpy requests(page, &KV380Device::signalRequestForGetSerNumAndFirmWareVersion);

    page->resetDeviceIsConnected(); // what the watchdog runs after 5 s of silence
    QCOMPARE(log.size(), 1);
    QCOMPARE(log.at(0).at(0).toString(), QString("Device is not responding"));
    QVERIFY(!visible(ui->lineEditKV380Up));
    QVERIFY(!page->isDeviceConnected());
    QCOMPARE(page->getLabelStatusMessage()->text(), QString("Подключите датчик"));
    QVERIFY(visible(page->getLabelStatusMessage()));

    // It answers again, now in bucket mode: shown, followed, asked who it is.
    s.mode = SimulatedKv380::kModeBucket;
    s.serial = 999;
    feed(SimulatedKv380::dataAnswer(s));
    QVERIFY(visible(ui->lineEditKV380Up));
    QCOMPARE(page->getLabelStatusMessage()->text(), QString("Подключен КВ-380"));
    QVERIFY(page->getSwitchKovsh()->getState());
    QCOMPARE(requests.size(), 1);
    feed(SimulatedKv380::serialAnswer(s));
    QVERIFY(page->isDeviceConnected());
    QCOMPARE(ui->label_SerNumVal->text(), QString("999"));
    feed(SimulatedKv380::dataAnswer(s));
    QCOMPARE(log.size(), 2); // the connection line again
    QVERIFY(log.at(1).at(0).toString().startsWith("Connected KV380 SerNum=999"));
}

void TestKv380Answers::switchesFollowTheSensorAfterASelection()
{
    Sensor s = sensorAt(5);
    connectSensor(s);
    for (int i = 0; i < 3; ++i)
        feed(SimulatedKv380::dataAnswer(s));
    QVERIFY(page->getSwitchMode1()->getState());

    // Deselected; meanwhile the sensor was set to the tipper elsewhere.
    page->disconnectDevice();
    s.mode = SimulatedKv380::kMode2;
    s.angle = 35;
    // Selected again, as the device button does.
    page->connectDevice();
    page->setSyncSwitchesWithDevice(true);
    connectSensor(s);
    QVERIFY(page->getSwitchMode2()->getState());
    QVERIFY(!page->getSwitchMode1()->getState());
    QCOMPARE(page->shownPicture(), QString(":/images/samos40_white_theme.svg"));
    page->disconnectDevice();
}

void TestKv380Answers::masterSwitchKeepsTheReportedMode_data()
{
    QTest::addColumn<int>("reported");
    QTest::addColumn<int>("sent");
    QTest::newRow("blade becomes blade master") << 8 << 9;
    QTest::newRow("bucket master becomes bucket") << 17 << 16;
    QTest::newRow("tipper becomes tipper master") << 2 << 3;
    QTest::newRow("mode 1 master becomes mode 1") << 1 << 0;
}

void TestKv380Answers::masterSwitchKeepsTheReportedMode()
{
    QFETCH(int, reported);
    QFETCH(int, sent);
    Sensor s = sensorAt(5);
    s.mode = quint8(reported);
    connectSensor(s);
    QSignalSpy written(page, &KV380Device::writeData);
    page->setModeMasterKV380();
    QCOMPARE(written.size(), 1);
    QCOMPARE(written.at(0).at(0).toByteArray().toHex(' '), kv380::modeWrite(5, quint8(sent)).toHex(' '));
}

void TestKv380Answers::connectingAgainConnectsEachTimerOnce()
{
    // The device button and the end of a firmware update both connect.
    page->connectDevice();
    QTimer *check = nullptr;
    for (QTimer *timer : page->findChildren<QTimer *>()) {
        if (timer->isActive() && timer->interval() == page->intervals().check) {
            QVERIFY(!check);
            check = timer;
        }
    }
    QVERIFY(check);
    int ticks = 0;
    int looks = 0;
    QObject counting; // the counts go with this function
    connect(check, &QTimer::timeout, &counting, [&] { ++ticks; });
    connect(page, &KV380Device::signalCheckIncommingData, &counting, [&] { ++looks; });
    page->connectDevice();
    page->connectDevice();
    // Each tick brings one look at the line, however load spaces the ticks;
    // a timer wired again at each connection would bring three.
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 4, 5000);
    page->disconnectDevice();
    QCOMPARE(looks, ticks);
}

// ---- commands ----

void TestKv380Answers::modeSwitchesSendTheirModeAndFollow()
{
    Sensor s = sensorAt(5);
    connectSensor(s);
    for (int i = 0; i < 3; ++i)
        feed(SimulatedKv380::dataAnswer(s));
    QSignalSpy written(page, &KV380Device::writeData);
    QSignalSpy log(page, &KV380Device::signalWriteLog);

    // The user clicks the bucket switch: its mode goes out at once.
    QTest::mouseClick(page->getSwitchKovsh(), Qt::LeftButton);
    QCOMPARE(written.size(), 1);
    QCOMPARE(written.at(0).at(0).toByteArray().toHex(' '), frameOf("3105f25ac39610").toHex(' '));
    QVERIFY(log.contains(QVariantList{QString("Switch mode Kovsh KV380")}));
    // All six rest a moment after a click.
    for (Switch *sw : page->modeSwitches())
        QVERIFY(!sw->isEnabled());

    // The sensor did not take it: the switches follow what it reports.
    feed(SimulatedKv380::dataAnswer(s));
    QVERIFY(!page->getSwitchKovsh()->getState());
    QVERIFY(page->getSwitchMode1()->getState());
    QTRY_VERIFY_WITH_TIMEOUT(page->getSwitchKovsh()->isEnabled(), 3000);

    // Turning off the mode that is on sends it again.
    QTest::mouseClick(page->getSwitchMode1(), Qt::LeftButton);
    QCOMPARE(written.size(), 2);
    QCOMPARE(written.at(1).at(0).toByteArray().toHex(' '), frameOf("3105f25ac39600").toHex(' '));
}

void TestKv380Answers::setZeroSendsItsFrame()
{
    connectSensor(sensorAt(5));
    QSignalSpy written(page, &KV380Device::writeData);
    page->cmdSetNull();
    QCOMPARE(written.size(), 1);
    QCOMPARE(written.at(0).at(0).toByteArray().toHex(' '), frameOf("3105f15ac396").toHex(' '));
}

void TestKv380Answers::truncatedOversizedAndRandomFramesChangeNothingShown()
{
    Sensor s = sensorAt(5);
    s.mode = SimulatedKv380::kModeBlade;
    s.serial = 4321;
    connectSensor(s);
    const QStringList before = shownValues();
    ModalCloser closer;

    Sensor other = s;
    other.angle = 1;
    other.up = 2;
    other.serial = 3;
    const QByteArray answers[] = {SimulatedKv380::dataAnswer(other), SimulatedKv380::serialAnswer(other)};
    // Every prefix, raw and closed with a right CRC-8.
    for (const QByteArray &full : answers) {
        for (int n = 0; n < full.size(); ++n) {
            feed(full.left(n));
            if (n >= 1)
                feed(frame::withCrc(full.left(n - 1)));
        }
    }
    QCOMPARE(shownValues(), before);

    // Oversized answers of other commands, whose tail is not read.
    for (int command : {0xF1, 0xF2, 0xF5, 0xFA, 0xFB, 0xFD, 0xE0, 0xE3, 0x00})
        feed(frame::withCrc(QByteArray::fromHex("3e05").append(char(command)).append(QByteArray(300, '\x7F'))));
    QCOMPARE(shownValues(), before);

    // Random chunks, raw and framed from a sensor that is not polled.
    QRandomGenerator rng(380);
    for (int i = 0; i < 5000; ++i) {
        QByteArray chunk(int(rng.bounded(90)), '\0');
        for (char &c : chunk)
            c = char(rng.bounded(256));
        feed(chunk);
        if (chunk.size() >= 3) {
            chunk[0] = 0x3E;
            chunk[1] = char(0x55);
            feed(frame::withCrc(chunk));
        }
    }
    QCOMPARE(shownValues(), before);
    QCOMPARE(closer.closed, 0);

    // Oversized data answers of the polled sensor are read by their fields.
    QByteArray longer = SimulatedKv380::dataAnswer(other).left(27);
    longer.append(QByteArray(20, '\x11'));
    feed(frame::withCrc(longer));
    QCOMPARE(ui->label_UrovenKV380->text(), QString("1"));
}

QTEST_MAIN(TestKv380Answers)
#include "tst_kv380answers.moc"
