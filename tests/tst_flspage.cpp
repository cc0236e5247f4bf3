#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "link/frame.h"
#include "link/portconnection.h"
#include "shortintervals.h"
#include "simulatedfls.h"
#include "strayanswer.h"
#include "ui/switch.h"
#include "ui/widgettar.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSerialPort>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

// The wired sensor page end to end: the real main window, the real port on a
// pseudo-terminal and simulated sensors on the far end. Every check waits for
// what a user would see on the page.
class TestFlsPage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void connectShowsTheSensorThenItsStability();
    void silenceDisconnectsAndSearchesAgain_data();
    void silenceDisconnectsAndSearchesAgain();
    void framesNotForThePageAreNotShownButKeepItAlive_data();
    void framesNotForThePageAreNotShownButKeepItAlive();
    void twoSensorsArePolledInTurnOntoTheirOwnCards();
    void levelFaultsAndCalibrationStateAreShown();
    void masterSwitchSendsItsWriteAndFollowsTheSensor();

private:
    void connectPage();
    QString logSinceStart() const;
    static QString cardLine(WidgetTar *card, int line);

    std::unique_ptr<SimulatedFls> device;
    std::unique_ptr<Reriruvozive> window;
    Ui_Deruvivuriri *ui = nullptr;
    FLSDevice *page = nullptr;
    qint64 logStart = 0;
};

namespace {

// A connect takes a search tick, the serial answer and a poll.
constexpr int kConnectMs = 6000;
// The page runs on short periods (see init()): the watchdog runs out a
// second after the last valid frame, the poll runs five times a second.
constexpr int kWatchdogMs = shortintervals::kWatchdogMs;
constexpr int kPollMs = shortintervals::kPollMs;
// Room for a loaded machine on top of the periods a wait is sized for.
constexpr int kSlackMs = 2000;

QString logPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/log.txt";
}

QByteArray hexFrame(const char *hex)
{
    return frame::withCrc(QByteArray::fromHex(hex));
}

QList<quint8> pollAddresses(const SimulatedFls &device)
{
    QList<quint8> out;
    for (const SimulatedDevice::Request &r : device.requests()) {
        if (r.bytes.size() == 4 && quint8(r.bytes.at(2)) == 0xF0)
            out.append(quint8(r.bytes.at(1)));
    }
    return out;
}

// Counts how often a widget is shown, also while its window is not on screen.
class ShowCounter : public QObject
{
public:
    explicit ShowCounter(QWidget *watched) : QObject(watched) { watched->installEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ShowToParent)
            ++shown;
        return QObject::eventFilter(watched, event);
    }
};

QString describe(const QList<quint8> &polls)
{
    QStringList out;
    for (quint8 p : polls)
        out.append(QString::number(p));
    return "polled in this order: " + out.join(' ');
}

} // namespace

void TestFlsPage::init()
{
    device = std::make_unique<SimulatedFls>();
    QVERIFY(device->isValid());
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit());
    window = std::make_unique<Reriruvozive>();
    ui = window->form();
    page = window->fls();
    QVERIFY(page);
    shortintervals::apply(page);
    QFile log(logPath());
    logStart = log.exists() ? log.size() : 0;
}

void TestFlsPage::cleanup()
{
    window.reset();
    device.reset();
    ui = nullptr;
    page = nullptr;
}

void TestFlsPage::connectPage()
{
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    QCOMPARE(ui->comboBox_SerialPort->currentText(), device->portPath());
    ui->pushButtonDeviceFLS->click();
    QVERIFY(window->port()->getSerialPort()->isOpen());
}

QString TestFlsPage::logSinceStart() const
{
    QFile log(logPath());
    if (!log.open(QIODevice::ReadOnly))
        return QString();
    log.seek(logStart);
    return QString::fromUtf8(log.readAll());
}

QString TestFlsPage::cardLine(WidgetTar *card, int line)
{
    if (!card)
        return QString("(no card)");
    const QList<QLabel *> labels = card->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
    return line < labels.size() ? labels.at(line)->text() : QString("(no line %1)").arg(line);
}

void TestFlsPage::connectShowsTheSensorThenItsStability()
{
    SimulatedFls::Sensor &s = device->sensor();
    s.netNum = 3;
    s.serial = 12345;
    s.firmware = 209;
    s.model = SimulatedFls::kModelQF470;
    s.form = 29;
    s.temperature = 25;
    s.level = 512;
    s.count = 15000;
    // A byte that waited on the line while the port was closed answers no search.
    QVERIFY(device->sendRaw(QByteArray::fromHex("a5")));
    // Nor do a bootloader's bytes and noise that answer a search request:
    // the real sensor is found by the next search.
    answerFirstSearchWith(*device, QByteArray::fromHex("1f79a5ff"));
    connectPage();

    QTRY_VERIFY_WITH_TIMEOUT(device->searchCount() >= 1, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), QString("Подключен QF470"), kConnectMs);
    QVERIFY(!page->getLabelStatusMessage()->isHidden());
    QCOMPARE(ui->label_SerNumVal->text(), QString("12345"));
    QCOMPARE(ui->label_FirmwareVal->text(), QString("2.0.9"));
    QCOMPARE(ui->label_UrovenDUT->text(), QString("512"));
    QCOMPARE(ui->label_TempValDUT->text(), QString("25°C"));
    QCOMPARE(ui->label_ValCurrent->text(), QString("15000"));
    QCOMPARE(ui->lineEditNetNumDUT->text(), QString("3"));
    QVERIFY(!ui->label_UrovenDUT->isHidden());
    // The requests went to the sensor found, after the search.
    QVERIFY(device->countRequests(3, 0xFC) >= 1);
    QVERIFY(device->countRequests(3, 0xF0) >= 1);
    // A grade needs eight counts; the first answers cannot have one.
    QVERIFY2(device->countRequests(3, 0xF0) < 8, "the sensor was polled for too long before it was shown");
    QVERIFY(ui->label_StableDUT->text() != QString("Стабилен"));
    QVERIFY(ui->label_NeedCalibDUT->isHidden());
    QVERIFY(!page->isNotCalibrated());

    QTRY_VERIFY_WITH_TIMEOUT(logSinceStart().contains("Current=15000 ,Level=512 ,Temperature=25\r\n"), 3000);

    // The sensor keeps reading the same count: after eight answers it is stable.
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_StableDUT->text(), QString("Стабилен"), 12 * kPollMs + kSlackMs);
    QVERIFY2(device->countRequests(3, 0xF0) >= 8, qPrintable(QString::number(device->countRequests(3, 0xF0))));
    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 3), QString("Стабилен"));
    QCOMPARE(page->getStabilityGrade(0), 3);
    // Nothing was ever addressed to a sensor that is not there, once it was found.
    const QList<quint8> polls = pollAddresses(*device);
    const int firstToSensor = polls.indexOf(3);
    for (int i = firstToSensor; i < polls.size(); ++i)
        QCOMPARE(polls.at(i), quint8(3));

    // Switched on again with another sensor: nothing of the last one shows.
    // The machine holds the program back as the sensor is first asked,
    // longer than the watchdog: the page asked nothing meanwhile, so the
    // list is not taken for unanswered.
    ui->pushButtonDeviceFLS->click();
    s.netNum = 1;
    s.level = 700;
    QSignalSpy log(page, &FLSDevice::signalWriteLog);
    QObject hold;
    connect(device.get(), &SimulatedDevice::requestReceived, &hold, [&hold](const QByteArray &r) {
        if (hold.objectName().isEmpty() && r.size() > 3 && quint8(r.at(2)) == 0xFC) {
            hold.setObjectName("held");
            QTest::qSleep(2 * kWatchdogMs);
        }
    });
    connectPage();
    for (QLabel *value : {ui->label_UrovenDUT, ui->label_SerNumVal, ui->label_FirmwareVal})
        QCOMPARE(value->text(), QString("--"));
    QCOMPARE(ui->label_ListDevDUT->text() + ui->lineEditNetNumDUT->text(), QString());
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenDUT->text(), QString("700"), kConnectMs);
    QCOMPARE(ui->label_ListDevDUT->text(), QString("1"));
    const int asked = device->countRequests(1, 0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(1, 0xF0) >= asked + 4, 8 * kPollMs + kSlackMs);
    QCOMPARE(hold.objectName(), QString("held"));
    QVERIFY(
        !log.contains(QVariantList{QString("A listed network number the page asks never answered, searching again")}));
}

void TestFlsPage::silenceDisconnectsAndSearchesAgain_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("form");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("byBadCrc");
    QTest::newRow("silent generic sensor") << int(SimulatedFls::kModelGeneric) << 29 << "Датчик подключен" << false;
    QTest::newRow("QF260 answering with bad CRC") << int(SimulatedFls::kModelQF260) << 25 << "Подключен QF260" << true;
}

void TestFlsPage::silenceDisconnectsAndSearchesAgain()
{
    QFETCH(int, model);
    QFETCH(int, form);
    QFETCH(QString, status);
    QFETCH(bool, byBadCrc);

    device->sensor().model = quint8(model);
    device->sensor().form = form;
    connectPage();
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), status, kConnectMs);
    QVERIFY(!ui->label_UrovenDUT->isHidden());

    if (byBadCrc)
        device->badCrc = true;
    else
        device->silent = true;
    QElapsedTimer quiet;
    quiet.start();
    const int searchesBefore = device->searchCount();
    const int pollsBefore = device->countRequests(1, 0xF0);

    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), QString("Подключите датчик"),
                              kWatchdogMs + 2 * kPollMs + kSlackMs);
    // The last valid answer came at most one poll before the line went quiet.
    QVERIFY2(quiet.elapsed() >= kWatchdogMs - kPollMs - 200, qPrintable(QString::number(quiet.elapsed())));
    if (byBadCrc)
        QVERIFY(device->countRequests(1, 0xF0) > pollsBefore + 2); // the frames kept coming, spoiled
    QVERIFY(ui->label_UrovenDUT->isHidden());
    QVERIFY(!page->isDeviceConnected());
    QTRY_VERIFY_WITH_TIMEOUT(logSinceStart().contains(" -- Device is not responding\r\n"), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(device->searchCount() > searchesBefore, 2 * kPollMs + 500 + kSlackMs);
    if (!byBadCrc) {
        // The search has the line to itself: nothing is glued to its numbers.
        const int requests = device->requests().size();
        const int searches = device->searchCount();
        QTRY_VERIFY_WITH_TIMEOUT(device->searchCount() >= searches + 3, 3 * kWatchdogMs + kSlackMs);
        QCOMPARE(device->requests().size() - requests, device->searchCount() - searches);
    }

    // The sensor comes back: the page finds it again.
    device->silent = false;
    device->badCrc = false;
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), status, kConnectMs);

    // Gone again, and the search that finds it lists a bootloader's refusal beside it: the number that never
    // answers is searched away while the sensor goes on answering.
    answerFirstSearchWith(*device, QByteArray::fromHex("011f"));
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_ListDevDUT->text(), QString("1,31"), 2 * kWatchdogMs + kSlackMs);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_ListDevDUT->text(), QString("1"), 2 * kWatchdogMs + kSlackMs);
    // Nor is it looked for later as a sensor gone: only the sensor is asked.
    const int strayAsked = device->countRequests(31, 0xFC);
    const int polls = device->countRequests(1, 0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(1, 0xF0) >= polls + 6, 10 * kPollMs + kSlackMs);
    QCOMPARE(device->countRequests(31, 0xFC), strayAsked);
}

void TestFlsPage::framesNotForThePageAreNotShownButKeepItAlive_data()
{
    QTest::addColumn<bool>("shortFrames");
    // Frames too short for their fields, yet with a valid CRC: they must not
    // be read past their end.
    QTest::newRow("short frames") << true;
    // Frames naming a network number the page did not ask.
    QTest::newRow("another network number") << false;
}

void TestFlsPage::framesNotForThePageAreNotShownButKeepItAlive()
{
    QFETCH(bool, shortFrames);
    device->sensor().model = SimulatedFls::kModelQF410;
    device->sensor().form = 45;
    device->sensor().level = 600;
    // Two short answers read as one chunk would make a frame of a whole
    // answer's length, its CRC valid.
    device->keepAnswersApart(window->port());
    connectPage();
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), QString("Подключен QF410"), kConnectMs);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenDUT->text(), QString("600"), 2 * kPollMs + kSlackMs);

    // Either way the sensor is talking, so the page stays connected.
    if (shortFrames)
        device->shortFrames = true;
    else
        device->foreignNetNum = 0x42;
    device->sensor().level = 900;
    const int pollsBefore = device->countRequests(1, 0xF0);
    QElapsedTimer since;
    since.start();
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(1, 0xF0) >= pollsBefore + 6 && since.elapsed() > kWatchdogMs + 500,
                             kWatchdogMs + 4 * kPollMs + kSlackMs);
    QCOMPARE(page->getLabelStatusMessage()->text(), QString("Подключен QF410"));
    QVERIFY(page->isDeviceConnected());
    QCOMPARE(ui->label_UrovenDUT->text(), QString("600"));
    QVERIFY(!logSinceStart().contains("Device is not responding"));

    // Whole frames of the polled sensor again: the new level shows.
    device->shortFrames = false;
    device->foreignNetNum.reset();
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenDUT->text(), QString("900"), 3 * kPollMs + kSlackMs);
}

void TestFlsPage::twoSensorsArePolledInTurnOntoTheirOwnCards()
{
    device->sensors.clear();
    SimulatedFls::Sensor first;
    first.netNum = 5;
    first.serial = 1111;
    first.model = SimulatedFls::kModelQF410;
    first.form = 45;
    first.level = 300;
    first.temperature = 21;
    SimulatedFls::Sensor second;
    second.netNum = 9;
    second.serial = 2222;
    second.model = SimulatedFls::kModelQF410;
    second.form = 45;
    second.level = 700;
    second.temperature = 31;
    second.count = 5000; // below its Empty: not calibrated
    device->sensors = {first, second};
    auto *needCalibShown = new ShowCounter(ui->label_NeedCalibDUT);
    // With several sensors the page looks at the line only every 600 ms, and
    // each answer it takes moves the poll on to the next sensor: a poll
    // shorter than that asks one sensor again before its answer is taken.
    // The turns are seen at a user's poll period, and with the watchdog
    // that goes with it.
    const BaseDevice::Intervals user;
    const int kTurnPollMs = user.poll;
    BaseDevice::Intervals periods = page->intervals();
    periods.poll = user.poll;
    periods.watchdog = user.watchdog;
    page->setIntervals(periods);
    connectPage();

    QTRY_COMPARE_WITH_TIMEOUT(ui->comboBox_NetNumDUT->count(), 2, kConnectMs);
    QCOMPARE(ui->comboBox_NetNumDUT->itemText(0), QString("5"));
    QCOMPARE(ui->comboBox_NetNumDUT->itemText(1), QString("9"));
    QCOMPARE(ui->label_ListDevDUT->text(), QString("5,9"));
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), QString("Подключен QF410"), kConnectMs);

    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(9, 0xF0) >= 4 && device->countRequests(5, 0xF0) >= 4,
                             10 * kTurnPollMs + kSlackMs);
    // Right after the search each serial answer asks for all data at once, on
    // top of the poll ticks; once those are through, the two take turns.
    const QList<quint8> polls = pollAddresses(*device);
    const int from = polls.size() - 4;
    for (int i = from; i + 1 < polls.size(); ++i) {
        QVERIFY2(polls.at(i) == 5 || polls.at(i) == 9, qPrintable(QString::number(polls.at(i))));
        QVERIFY2(polls.at(i) != polls.at(i + 1), qPrintable(describe(polls)));
    }

    // Each card carries its own sensor; the page shows the selected one.
    QTRY_COMPARE_WITH_TIMEOUT(cardLine(page->getWidgetTarSensor1(), 1), QString("Уровень 300"),
                              2 * kTurnPollMs + kSlackMs);
    QTRY_COMPARE_WITH_TIMEOUT(cardLine(page->getWidgetTarSensor2(), 1), QString("Уровень 700"),
                              2 * kTurnPollMs + kSlackMs);
    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 0), QString("Датчик#1111"));
    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 2), QString("Калиброван"));
    QCOMPARE(cardLine(page->getWidgetTarSensor2(), 2), QString("Не калиброван"));
    QCOMPARE(ui->label_UrovenDUT->text(), QString("300"));
    QCOMPARE(ui->label_TempValDUT->text(), QString("21°C"));
    // The second sensor is not calibrated, but it is not the one shown: not
    // even for a moment does the page say so.
    QVERIFY(ui->label_NeedCalibDUT->isHidden());
    QCOMPARE(needCalibShown->shown, 0);
    QVERIFY(!page->isNotCalibrated());

    // The user picks the second sensor.
    ui->comboBox_NetNumDUT->setCurrentIndex(1);
    emit ui->comboBox_NetNumDUT->activated(1);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenDUT->text(), QString("700"), 3 * kTurnPollMs + kSlackMs);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_TempValDUT->text(), QString("31°C"), 2 * kTurnPollMs + kSlackMs);
    QTRY_VERIFY_WITH_TIMEOUT(!ui->label_NeedCalibDUT->isHidden(), 3 * kTurnPollMs + kSlackMs);
    QVERIFY(needCalibShown->shown > 0);
    QVERIFY(page->isNotCalibrated());

    // The first sensor's card still follows the first sensor.
    device->sensor(0).level = 333;
    QTRY_COMPARE_WITH_TIMEOUT(cardLine(page->getWidgetTarSensor1(), 1), QString("Уровень 333"),
                              3 * kTurnPollMs + kSlackMs);
    QCOMPARE(ui->label_UrovenDUT->text(), QString("700"));
    QCOMPARE(cardLine(page->getWidgetTarSensor2(), 1), QString("Уровень 700"));
}

void TestFlsPage::levelFaultsAndCalibrationStateAreShown()
{
    // A lone sensor at number 0 that answers the search with a frame head.
    device->searchAnswerAsFrame = true;
    device->sensor().netNum = 0;
    device->sensor().model = SimulatedFls::kModelQF210;
    device->sensor().form = 24;
    connectPage();
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), QString("Подключен QF210"), kConnectMs);
    QCOMPARE(ui->comboBox_NetNumDUT->count(), 1);
    QCOMPARE(ui->comboBox_NetNumDUT->itemText(0), QString("0"));
    QVERIFY(page->getLabelAlarm()->isHidden());

    device->sensor().levelFault = SimulatedFls::LevelFault::BrokenTube;
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_StableDUT->text(), QString("Обрыв трубок"), 3 * kPollMs + kSlackMs);
    QVERIFY(!page->getLabelAlarm()->isHidden());

    device->sensor().levelFault = SimulatedFls::LevelFault::ShortCircuit;
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_StableDUT->text(), QString("Короткое замыкание"), 3 * kPollMs + kSlackMs);
    QVERIFY(!page->getLabelAlarm()->isHidden());

    device->sensor().levelFault = SimulatedFls::LevelFault::None;
    QTRY_VERIFY_WITH_TIMEOUT(page->getLabelAlarm()->isHidden(), 3 * kPollMs + kSlackMs);
    QCOMPARE(ui->label_UrovenDUT->text(), QString("512"));
    QVERIFY(ui->label_NeedCalibDUT->isHidden());

    // A count far below Empty: the sensor needs calibrating.
    device->sensor().count = 5000;
    QTRY_VERIFY_WITH_TIMEOUT(!ui->label_NeedCalibDUT->isHidden(), 3 * kPollMs + kSlackMs);
    QVERIFY(page->isNotCalibrated());
    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 2), QString("Не калиброван"));

    device->sensor().count = 15000;
    QTRY_VERIFY_WITH_TIMEOUT(ui->label_NeedCalibDUT->isHidden(), 3 * kPollMs + kSlackMs);
    QVERIFY(!page->isNotCalibrated());
    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 2), QString("Калиброван"));

    // A QF210 keeps no byte C, so its configuration write carries none.
    page->functionSWMaster();
    QTRY_COMPARE_WITH_TIMEOUT(device->countRequests(0, 0xF2), 1, 2000);
    QCOMPARE(device->requestsTo(0, 0xF2).at(0).toHex(), hexFrame("3100f25ac3960800").toHex());
    QCOMPARE(device->sensor().configA, quint8(0x08));
}

void TestFlsPage::masterSwitchSendsItsWriteAndFollowsTheSensor()
{
    SimulatedFls::Sensor &s = device->sensor();
    s.model = SimulatedFls::kModelQF470;
    s.firmware = 209;
    s.configA = 0x00;
    s.configB = 0x03;
    s.configC = 0x00;
    connectPage();
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), QString("Подключен QF470"), kConnectMs);
    Switch *master = page->getSwitchMaster();
    QVERIFY(master);
    QVERIFY(!master->getState());

    // The user flips the switch: byte A with the master bit, B and C as the
    // sensor has them, behind the write signature.
    QTest::mouseClick(master, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(device->countRequests(1, 0xF2), 1, 2000);
    QCOMPARE(device->requestsTo(1, 0xF2).at(0).toHex(), hexFrame("3101f25ac396080300").toHex());
    QCOMPARE(device->sensor().configA, quint8(0x08));
    QTRY_VERIFY_WITH_TIMEOUT(master->getState(), 3 * kPollMs + kSlackMs);
    // It stays on: the sensor now reports the bit.
    const int polls = device->countRequests(1, 0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(1, 0xF0) >= polls + 2, 4 * kPollMs + kSlackMs);
    QVERIFY(master->getState());

    // A sensor that refuses the change keeps its byte; the switch goes back
    // (possibly already while the click's write waits for its answer).
    device->refuseWrites = true;
    QTest::mouseClick(master, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(device->countRequests(1, 0xF2), 2, 2000);
    QCOMPARE(device->requestsTo(1, 0xF2).at(1).toHex(), hexFrame("3101f25ac396000300").toHex());
    QCOMPARE(device->sensor().configA, quint8(0x08));
    QTRY_VERIFY_WITH_TIMEOUT(master->getState(), 3 * kPollMs + kSlackMs);
}

QTEST_MAIN(TestFlsPage)
#include "tst_flspage.moc"
