#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "link/frame.h"
#include "pagefixture.h"
#include "resources/bundle.h"
#include "ui/switch.h"
#include "ui/widgettar.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

// The wired sensor page fed answers straight through its intake, with the
// real form: what the page shows and what it keeps for each sensor.
namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// One all-data answer. The model byte goes where the frame's length puts it.
struct Reading
{
    quint8 net = 1;
    int length = 24;
    int modelByte = 2; // QF210
    qint8 temperature = 25;
    quint16 level = 512;
    qint32 count = 15000;
    qint32 empty = 10000;
    qint32 full = 20000;
    quint8 a = 0;
    quint8 byte21 = 0;
    quint8 b = 0;
    quint8 byte23 = 0;
};

void putLe(QByteArray &out, int at, quint32 value, int width)
{
    for (int i = 0; i < width; ++i)
        out[at + i] = char((value >> (8 * i)) & 0xFF);
}

QByteArray allData(const Reading &r)
{
    QByteArray out(r.length - 1, '\0');
    out[0] = 0x3E;
    out[1] = char(r.net);
    out[2] = char(0xF0);
    out[3] = char(r.temperature);
    putLe(out, 4, r.level, 2);
    putLe(out, 6, quint32(r.count), 4);
    putLe(out, 10, quint32(r.empty), 4);
    putLe(out, 14, quint32(r.full), 4);
    out[20] = char(r.a);
    out[21] = char(r.byte21);
    out[22] = char(r.b);
    if (r.length > 24)
        out[23] = char(r.byte23);
    if (r.length == 24)
        out[21] = char(r.modelByte);
    else if (r.length == 25)
        out[23] = char(r.modelByte);
    else if (r.length > 28)
        out[27] = char(r.modelByte);
    return frame::withCrc(out);
}

QByteArray serialAnswer(quint8 net, quint32 serial, quint16 firmware)
{
    QByteArray out = bytes({0x3E, net, 0xFC, 0, 0, 0, 0, 0, 0});
    putLe(out, 3, serial, 4);
    putLe(out, 7, firmware, 2);
    return frame::withCrc(out);
}

// The parameter log lines among everything the page logs (the periodic
// entry comes with every answer).
QStringList paramLogLines(const QSignalSpy &log)
{
    QStringList out;
    for (const QList<QVariant> &args : log) {
        if (args.at(0).toString().startsWith("Device "))
            out.append(args.at(0).toString());
    }
    return out;
}

QByteArray shortAnswer(quint8 net, quint8 command)
{
    return frame::withCrc(bytes({0x3E, net, command}));
}

QString cardLine(WidgetTar *card, int line)
{
    if (!card)
        return QString("(no card)");
    const QList<QLabel *> labels = card->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
    return line < labels.size() ? labels.at(line)->text() : QString("(no line %1)").arg(line);
}

QImage imageOf(const QLabel *label)
{
    return label->pixmap(Qt::ReturnByValue).toImage();
}

// The page with its session's watchdog in reach.
class WatchedFls : public FLSDevice
{
public:
    using BaseDevice::watchdogTimer;
    using FLSDevice::FLSDevice;
};

} // namespace

class TestFlsAnswers : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    // Search answers.
    void searchAnswerListsTheSensors();
    void searchAnswerOfFrameStartIsOneSensorZero_data();
    void searchAnswerOfFrameStartIsOneSensorZero();
    void singleByteSearchAnswerIsOneSensor();
    void newSearchClearsFoundFlags();
    void noSearchAnswerResetsAndSearchGoesOn_data();
    void noSearchAnswerResetsAndSearchGoesOn();

    // Frame acceptance.
    void badCrcIsNoSignOfLife();
    void otherNetworkNumberIsOnlyASignOfLife();
    void unlistedCommandOnlyRestartsTheWatchdog();
    void answerShorterThanItsFormIsIgnoredButAlive();

    // Serial number and firmware.
    void serialAndFirmwareAreShown();
    void negativeSerialIsShownSigned();
    void serialOfAnotherFoundSensorIsStoredUnderItsIndex();

    // All-data answer.
    void allDataIsShown();
    void stabilityAppearsAfterEightAnswers();
    void levelFaultsShowAlarmTexts_data();
    void levelFaultsShowAlarmTexts();
    void notCalibratedMarks();
    void pollingOrder_data();
    void pollingOrder();
    void allDataFromUnpolledSensorIsNotShownButKeepsTheLinkAlive();
    void twoSensorsLandOnTheirOwnCards();
    void gradeAndCalibrationComeFromTheAnsweringSensorAlone();
    void analogAndFrequencyOutputsSurviveOtherBitsOfA();
    void droppedAndUnknownFormsAreNotShown();
    void qf260ShowsItsVoltageAndSendSerNumSwitch();
    void paramWidgetsFollowTheSensorOnce();
    void paramWidgetsComeOnlyFromTheSelectedSensor();
    void answersGluedInOneChunkAreEachTaken();
    void qf470WithoutByteCShowsOnlyItsCount();
    void levelAcksAreReportedWithTheNextAnswer();

    // Other answers.
    void passwordAnswersSetStateAndLock();
    void passwordAnswerOfAnotherFoundSensorIsTaken();
    void calibrationTableAnswerIsRecorded();
    void horizonAnswerShowsItsMessage();

    // Hostile input.
    void truncatedOversizedAndRandomFramesChangeNothingShown();

private:
    void feed(const QByteArray &chunk);
    void search(const QByteArray &answer);
    QTimer *watchdog() const;
    QStringList shownValues() const;

    std::unique_ptr<PageFixture<WatchedFls>> fixture;
    QWidget *window = nullptr;
    Ui_Deruvivuriri *ui = nullptr;
    FLSDevice *page = nullptr;
};

void TestFlsAnswers::initTestCase()
{
    initResourceBundle();
}

void TestFlsAnswers::init()
{
    fixture = std::make_unique<PageFixture<WatchedFls>>();
    window = fixture->window.get();
    ui = fixture->ui.get();
    page = fixture->page.get();
}

void TestFlsAnswers::cleanup()
{
    fixture.reset();
    page = nullptr;
    window = nullptr;
    ui = nullptr;
}

void TestFlsAnswers::feed(const QByteArray &chunk)
{
    fixture->feed(chunk);
}

void TestFlsAnswers::search(const QByteArray &answer)
{
    page->setSearchActive(true);
    feed(answer);
    QVERIFY(!page->isSearchActive());
}

QTimer *TestFlsAnswers::watchdog() const
{
    return fixture->page->watchdogTimer();
}

QStringList TestFlsAnswers::shownValues() const
{
    return {ui->label_UrovenDUT->text(),
            ui->label_TempValDUT->text(),
            ui->label_86->text(),
            ui->label_ValCurrent->text(),
            ui->label_SerNumVal->text(),
            ui->label_FirmwareVal->text(),
            ui->label_StableDUT->text(),
            QString::number(page->getLevel()),
            QString::number(page->getCurrentValue()),
            QString::number(page->getCurrentFirmware()),
            cardLine(page->getWidgetTarSensor1(), 1),
            QString::number(page->isPasswordEntered())};
}

// ---- search answers ----

void TestFlsAnswers::searchAnswerListsTheSensors()
{
    QSignalSpy netNums(page, &FLSDevice::copyNetNumToParent);
    QSignalSpy queue(page, &FLSDevice::copyQueueSurveyDevice);
    QSignalSpy serialRequests(page, &FLSDevice::signalRequestForGetSerNumAndFirmWareVersion);
    page->connectDevice(); // the found sensors are asked inside a session
    search(bytes({5, 7, 9}));

    QCOMPARE(ui->comboBox_NetNumDUT->count(), 3);
    QCOMPARE(ui->comboBox_NetNumDUT->itemText(0), QString("5"));
    QCOMPARE(ui->comboBox_NetNumDUT->itemText(2), QString("9"));
    QCOMPARE(ui->label_ListDevDUT->text(), QString("5,7,9"));
    QCOMPARE(ui->lineEditNetNumDUT->text(), QString("5"));
    QCOMPARE(page->getCurrentNetNum(), quint8(5));
    QCOMPARE(page->getParamsRead().netNum, quint8(5));
    QVERIFY(page->isSensorFound());
    QCOMPARE(netNums.count(), 1);
    QCOMPARE(netNums.at(0).at(0).toByteArray(), bytes({5, 7, 9}));
    QCOMPARE(queue.count(), 1);
    QCOMPARE(queue.at(0).at(0).toInt(), 0);
    QCOMPARE(serialRequests.count(), 2);
}

void TestFlsAnswers::searchAnswerOfFrameStartIsOneSensorZero_data()
{
    QTest::addColumn<int>("second");
    QTest::newRow("3E 00") << 0x00;
    QTest::newRow("3E 42") << 0x42;
}

void TestFlsAnswers::searchAnswerOfFrameStartIsOneSensorZero()
{
    QFETCH(int, second);
    QSignalSpy netNums(page, &FLSDevice::copyNetNumToParent);
    search(bytes({0x3E, second}));
    QCOMPARE(netNums.count(), 1);
    QCOMPARE(netNums.at(0).at(0).toByteArray(), bytes({0}));
    QCOMPARE(ui->comboBox_NetNumDUT->count(), 1);
    QCOMPARE(ui->comboBox_NetNumDUT->itemText(0), QString("0"));
    QCOMPARE(ui->label_ListDevDUT->text(), QString("0"));
    QVERIFY(!page->isSensorFound());
}

void TestFlsAnswers::singleByteSearchAnswerIsOneSensor()
{
    search(bytes({0x12}));
    QCOMPARE(page->getCurrentNetNum(), quint8(18));
    QCOMPARE(ui->lineEditNetNumDUT->text(), QString("18"));
    QCOMPARE(ui->comboBox_NetNumDUT->count(), 1);
    QVERIFY(!page->isSensorFound());
}

void TestFlsAnswers::newSearchClearsFoundFlags()
{
    search(bytes({5, 7, 9}));
    QVERIFY(page->isSensorFound());
    // The polling must not go on past the one sensor now on the bus.
    feed(allData({5}));
    search(bytes({0x12}));
    QVERIFY(!page->isSensorFound());
    QSignalSpy queue(page, &FLSDevice::copyQueueSurveyDevice);
    Reading r;
    r.net = 0x12;
    feed(allData(r));
    feed(allData(r));
    QCOMPARE(queue.count(), 2);
    QCOMPARE(queue.at(0).at(0).toInt(), 0);
    QCOMPARE(queue.at(1).at(0).toInt(), 0);

    // A shorter list taken while the serials of a longer one are asked: what
    // it no longer lists is not asked.
    page->connectDevice();
    QSignalSpy asked(page, &FLSDevice::writeData);
    connect(page, &FLSDevice::writeData, page, [this] {
        if (page->isSensorFound())
            QTimer::singleShot(0, page, [this] { search(bytes({5})); });
    });
    search(bytes({5, 7, 9}));
    QCOMPARE(asked.count(), 2);
    for (const QList<QVariant> &request : qAsConst(asked))
        QCOMPARE(int(request.at(0).toByteArray().at(1)), 5);
}

void TestFlsAnswers::noSearchAnswerResetsAndSearchGoesOn_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("3E and two bytes") << bytes({0x3E, 1, 2});
    QTest::newRow("frame start alone") << bytes({0x3E});
}

void TestFlsAnswers::noSearchAnswerResetsAndSearchGoesOn()
{
    QFETCH(QByteArray, chunk);
    page->setConnected(true);
    page->setSearchActive(true);
    QSignalSpy netNums(page, &FLSDevice::copyNetNumToParent);
    feed(chunk);
    QVERIFY(page->isSearchActive());
    QVERIFY(!page->isDeviceConnected());
    QCOMPARE(netNums.count(), 0);
}

// ---- frame acceptance ----

void TestFlsAnswers::badCrcIsNoSignOfLife()
{
    page->connectDevice(); // the watchdog runs only inside a session
    search(bytes({1}));
    QTimer *dog = watchdog();
    QVERIFY(dog);
    dog->stop();
    page->setConnected(false);
    QByteArray bad = shortAnswer(1, 0xF8);
    bad[3] = char(quint8(bad.at(3)) ^ 0x40);
    feed(bad);
    QVERIFY(!page->isDeviceConnected());
    QVERIFY(!dog->isActive());
    QVERIFY(!page->isPasswordEntered());
    QCOMPARE(page->getLastAnswer(), 0);

    QByteArray badStart = shortAnswer(1, 0xF8);
    badStart[0] = 0x31;
    feed(frame::withCrc(badStart.left(3)));
    QVERIFY(!page->isDeviceConnected());
    QVERIFY(!dog->isActive());

    feed(shortAnswer(1, 0xF8));
    QVERIFY(page->isDeviceConnected());
    QVERIFY(dog->isActive());
    QVERIFY(page->isPasswordEntered());
}

void TestFlsAnswers::otherNetworkNumberIsOnlyASignOfLife()
{
    page->connectDevice(); // the watchdog runs only inside a session
    search(bytes({1}));
    feed(allData({1}));
    const QStringList before = shownValues();
    QTimer *dog = watchdog();
    dog->stop();
    page->setConnected(false);
    const int last = page->getLastAnswer();

    Reading other;
    other.net = 6;
    other.level = 900;
    feed(allData(other));
    feed(shortAnswer(6, 0xF8));
    feed(serialAnswer(6, 4444, 333));
    QCOMPARE(shownValues(), before);
    QCOMPARE(page->getLastAnswer(), last);
    QVERIFY(!page->isPasswordEntered());
    QVERIFY(page->isDeviceConnected());
    QVERIFY(dog->isActive());
}

void TestFlsAnswers::unlistedCommandOnlyRestartsTheWatchdog()
{
    page->connectDevice(); // the watchdog runs only inside a session
    search(bytes({1}));
    const QStringList before = shownValues();
    QTimer *dog = watchdog();
    dog->stop();
    page->setConnected(false);
    feed(shortAnswer(1, 0xF1));
    feed(frame::withCrc(bytes({0x3E, 1, 0x42, 1, 2, 3})));
    QCOMPARE(page->getLastAnswer(), 0);
    QCOMPARE(shownValues(), before);
    QVERIFY(page->isDeviceConnected());
    QVERIFY(dog->isActive());
}

void TestFlsAnswers::answerShorterThanItsFormIsIgnoredButAlive()
{
    page->connectDevice(); // the watchdog runs only inside a session
    search(bytes({1}));
    feed(serialAnswer(1, 12345, 209));
    Reading r;
    feed(allData(r));
    const QStringList before = shownValues();
    const int last = page->getLastAnswer();
    QSignalSpy queue(page, &FLSDevice::copyQueueSurveyDevice);
    QTimer *dog = watchdog();
    dog->stop();
    page->setConnected(false);

    r.level = 1000;
    r.count = 30000;
    const QByteArray all = allData(r);
    feed(frame::withCrc(all.left(22))); // 23 bytes: byte 23 missing
    feed(frame::withCrc(serialAnswer(1, 999, 111).left(8)));
    QCOMPARE(shownValues(), before);
    QCOMPARE(page->getLastAnswer(), last);
    QCOMPARE(queue.count(), 0);
    QVERIFY(page->isDeviceConnected());
    QVERIFY(dog->isActive());
}

// ---- serial number and firmware ----

void TestFlsAnswers::serialAndFirmwareAreShown()
{
    search(bytes({1}));
    QSignalSpy allRequests(page, &FLSDevice::signalRequestForGetAllDataFromDevice);
    feed(frame::withCrc(bytes({0x3E, 0x01, 0xFC, 0x39, 0x30, 0x00, 0x00, 0xD1, 0x00})));
    QCOMPARE(ui->label_SerNumVal->text(), QString("12345"));
    QCOMPARE(ui->label_FirmwareVal->text(), QString("2.0.9"));
    QCOMPARE(page->getCurrentFirmware(), quint16(209));
    QCOMPARE(page->getLastAnswer(), 0xFC);
    QCOMPARE(allRequests.count(), 1);
    QVERIFY(page->isDeviceConnected());

    feed(serialAnswer(1, 1, 1234));
    QCOMPARE(ui->label_FirmwareVal->text(), QString("2.3.4"));
    feed(serialAnswer(1, 1, 5));
    QCOMPARE(ui->label_FirmwareVal->text(), QString("0.0.5"));
}

void TestFlsAnswers::negativeSerialIsShownSigned()
{
    search(bytes({1}));
    feed(serialAnswer(1, 0x80000010u, 100));
    QCOMPARE(ui->label_SerNumVal->text(), QString("-2147483632"));
}

void TestFlsAnswers::serialOfAnotherFoundSensorIsStoredUnderItsIndex()
{
    search(bytes({1, 2}));
    // Sensor 1 is polled and selected; sensor 2 answers a directed request.
    feed(serialAnswer(2, 777, 300));
    QCOMPARE(page->getLastAnswer(), 0xFC);
    // The selected sensor's serial has not come: none is shown, not a zero.
    QCOMPARE(ui->label_SerNumVal->text(), QString("--"));
    QCOMPARE(ui->label_FirmwareVal->text(), QString("--"));
    QCOMPARE(page->getCurrentFirmware(), quint16(0));

    page->setCurrentDeviceIndex(1);
    feed(serialAnswer(1, 555, 209));
    QCOMPARE(ui->label_SerNumVal->text(), QString("777"));
    QCOMPARE(ui->label_FirmwareVal->text(), QString("3.0.0"));
    QCOMPARE(page->getCurrentFirmware(), quint16(300));

    page->setCurrentDeviceIndex(0);
    feed(serialAnswer(2, 777, 300));
    QCOMPARE(ui->label_SerNumVal->text(), QString("555"));
    QCOMPARE(page->getCurrentFirmware(), quint16(209));
}

// ---- all-data answer ----

void TestFlsAnswers::allDataIsShown()
{
    search(bytes({1}));
    feed(serialAnswer(1, 4321, 199));
    QSignalSpy levels(page, &FLSDevice::copyLevelValueToMain);
    QSignalSpy log(page, &FLSDevice::signalWriteLog);
    Reading r;
    r.level = 512;
    r.temperature = 25;
    r.count = 15000;
    feed(allData(r));

    QCOMPARE(page->getLastAnswer(), 0xF0);
    QVERIFY(page->isQF210());
    QVERIFY(!page->isQF410() && !page->isQF260() && !page->isQF470() && !page->isGenericFLS());
    QCOMPARE(ui->label_UrovenDUT->text(), QString("512"));
    QCOMPARE(ui->progressBarLevelDUT->value(), 512);
    QCOMPARE(page->getLevel(), quint16(512));
    QCOMPARE(ui->label_TempValDUT->text(), QString::fromUtf8("25°C"));
    QCOMPARE(ui->label_TempVal_2->text(), QString::fromUtf8("25°C"));
    QCOMPARE(ui->label_86->text(), QString("15000"));
    QCOMPARE(ui->label_ValCurrent->text(), QString("15000"));
    QCOMPARE(page->getEmptyValue(), 10000);
    QCOMPARE(page->getFullValue(), 20000);
    QCOMPARE(levels.count(), 1);
    QCOMPARE(levels.at(0).at(0).toInt(), 512);
    QCOMPARE(levels.at(0).at(1).toInt(), 0);
    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 0), QString::fromUtf8("Датчик#4321"));
    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 1), QString::fromUtf8("Уровень 512"));
    QCOMPARE(page->getWidgetTarSensor1()->getSerNum(), 4321);
    // The first shown answer also fills the parameter widgets and logs them.
    QCOMPARE(ui->comboBox_ModeDUT->count(), 3);
    QCOMPARE(ui->comboBox_ModeDUT->currentText(), QString::fromUtf8("Пассивный RS-485"));
    QCOMPARE(page->getLabelStatusMessage()->text(), QString::fromUtf8("Подключен QF210"));
    QVERIFY(page->isNewFirmware());
    QCOMPARE(paramLogLines(log).size(), 1);
    const QString line = paramLogLines(log).at(0);
    QVERIFY2(line.startsWith("Device QF210 is connected  mode=0; filtration=0;max level=1023;min level 1\r\n"
                             "NetNum=1, Empty=10000, Full=20000, Current=15000, Level=512, Temperature=25"),
             qPrintable(line));
}

void TestFlsAnswers::stabilityAppearsAfterEightAnswers()
{
    search(bytes({1}));
    Reading r;
    for (int i = 0; i < 7; ++i) {
        feed(allData(r));
        QCOMPARE(page->getStabilityGrade(0), 0);
    }
    feed(allData(r));
    QCOMPARE(page->getStabilityGrade(0), 3);
    QCOMPARE(ui->label_StableDUT->text(), QString::fromUtf8("Стабилен"));
    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 3), QString::fromUtf8("Стабилен"));
    QCOMPARE(page->getWidgetTarSensor1()->palette().color(QPalette::Window), QColor("#00A778"));

    // A jump of 10 % against the mean of the window.
    r.count = 16600;
    feed(allData(r));
    QCOMPARE(page->getStabilityGrade(0), 1);
    QCOMPARE(ui->label_StableDUT->text(), QString::fromUtf8("Не стабилен"));
    QCOMPARE(page->getWidgetTarSensor1()->palette().color(QPalette::Window), QColor("#E32323"));
}

void TestFlsAnswers::levelFaultsShowAlarmTexts_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("text");
    QTest::newRow("broken tube") << 6500 << QString::fromUtf8("Обрыв трубок");
    QTest::newRow("short circuit") << 7000 << QString::fromUtf8("Короткое замыкание");
}

void TestFlsAnswers::levelFaultsShowAlarmTexts()
{
    QFETCH(int, level);
    QFETCH(QString, text);
    search(bytes({1}));
    QSignalSpy levels(page, &FLSDevice::copyLevelValueToMain);
    Reading r;
    for (int i = 0; i < 8; ++i)
        feed(allData(r));
    QCOMPARE(ui->label_StableDUT->text(), QString::fromUtf8("Стабилен"));
    r.level = quint16(level);
    feed(allData(r));
    QCOMPARE(ui->label_StableDUT->text(), text);
    QCOMPARE(page->getLevel(), quint16(level));
    QVERIFY(page->getLabelAlarm());
    QVERIFY(!page->getLabelAlarm()->isHidden());
    QCOMPARE(page->getLabelAlarm()->size(), QSize(18, 18));
    QCOMPARE(levels.last().at(0).toInt(), level);

    r.level = 100;
    feed(allData(r));
    QVERIFY(page->getLabelAlarm()->isHidden());
    QCOMPARE(ui->label_StableDUT->text(), QString::fromUtf8("Стабилен"));
}

void TestFlsAnswers::notCalibratedMarks()
{
    search(bytes({1}));
    Reading r;
    r.count = 8999;
    feed(allData(r));
    QVERIFY(page->isNotCalibrated());
    QVERIFY(!ui->label_NeedCalibDUT->isHidden());
    QVERIFY(!ui->label_AlarmDUT->isHidden());
    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 2), QString::fromUtf8("Не калиброван"));

    r.count = 9000;
    feed(allData(r));
    QVERIFY(!page->isNotCalibrated());
    QVERIFY(ui->label_NeedCalibDUT->isHidden());
    QVERIFY(ui->label_AlarmDUT->isHidden());
    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 2), QString::fromUtf8("Калиброван"));

    r.full = 25000;
    feed(allData(r));
    QVERIFY(page->isNotCalibrated());
}

void TestFlsAnswers::pollingOrder_data()
{
    QTest::addColumn<QByteArray>("found");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("one") << bytes({4}) << QList<int>{0, 0, 0, 0};
    QTest::newRow("two") << bytes({4, 6}) << QList<int>{1, 0, 1, 0};
    QTest::newRow("three") << bytes({4, 6, 8}) << QList<int>{1, 2, 0, 1};
    QTest::newRow("four listed, three polled") << bytes({4, 6, 8, 10}) << QList<int>{1, 2, 0, 1};
}

void TestFlsAnswers::pollingOrder()
{
    QFETCH(QByteArray, found);
    QFETCH(QList<int>, order);
    search(found);
    QSignalSpy queue(page, &FLSDevice::copyQueueSurveyDevice);
    int expected = 0;
    for (int i = 0; i < order.size(); ++i) {
        Reading r;
        r.net = quint8(found.at(expected));
        feed(allData(r));
        QCOMPARE(queue.count(), i + 1);
        expected = queue.last().at(0).toInt();
        QCOMPARE(expected, order.at(i));
    }
}

void TestFlsAnswers::allDataFromUnpolledSensorIsNotShownButKeepsTheLinkAlive()
{
    search(bytes({4, 6}));
    QSignalSpy queue(page, &FLSDevice::copyQueueSurveyDevice);
    Reading r;
    r.net = 6; // sensor 4 is the one asked
    r.level = 333;
    feed(allData(r));
    QCOMPARE(queue.count(), 0);
    QVERIFY(ui->label_UrovenDUT->text() != QString("333"));
    QVERIFY(page->isDeviceConnected());
}

void TestFlsAnswers::twoSensorsLandOnTheirOwnCards()
{
    search(bytes({4, 6}));
    feed(serialAnswer(4, 111, 209));
    feed(serialAnswer(6, 222, 209));
    QSignalSpy levels(page, &FLSDevice::copyLevelValueToMain);
    Reading first;
    first.net = 4;
    first.level = 100;
    Reading second;
    second.net = 6;
    second.level = 200;
    second.temperature = -5;
    feed(allData(first));
    feed(allData(second));

    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 0), QString::fromUtf8("Датчик#111"));
    QCOMPARE(cardLine(page->getWidgetTarSensor2(), 0), QString::fromUtf8("Датчик#222"));
    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 1), QString::fromUtf8("Уровень 100"));
    QCOMPARE(cardLine(page->getWidgetTarSensor2(), 1), QString::fromUtf8("Уровень 200"));
    // The page shows the selected sensor, the first.
    QCOMPARE(ui->label_UrovenDUT->text(), QString("100"));
    QCOMPARE(ui->label_TempValDUT->text(), QString::fromUtf8("25°C"));
    QCOMPARE(levels.count(), 2);
    QCOMPARE(levels.at(1).at(0).toInt(), 200);
    QCOMPARE(levels.at(1).at(1).toInt(), 1);

    page->setCurrentDeviceIndex(1);
    feed(allData(first));
    QCOMPARE(ui->label_UrovenDUT->text(), QString("200"));
    QCOMPARE(ui->label_TempValDUT->text(), QString::fromUtf8("-5°C"));
}

void TestFlsAnswers::gradeAndCalibrationComeFromTheAnsweringSensorAlone()
{
    search(bytes({4, 6}));
    Reading steady;
    steady.net = 4;
    steady.count = 15000;
    Reading shaky;
    shaky.net = 6;
    shaky.empty = 2000;
    shaky.full = 3000;
    for (int i = 0; i < 8; ++i) {
        feed(allData(steady));
        // Jumps of 40 % each time around a mean far from the last count.
        shaky.count = i % 2 ? 2000 : 4000;
        feed(allData(shaky));
    }
    QCOMPARE(page->getStabilityGrade(0), 3);
    QCOMPARE(page->getStabilityGrade(1), 1);
    // The page tells the selected (steady, calibrated) sensor...
    QCOMPARE(ui->label_StableDUT->text(), QString::fromUtf8("Стабилен"));
    QVERIFY(!page->isNotCalibrated());
    QVERIFY(ui->label_NeedCalibDUT->isHidden());
    // ...each card its own sensor.
    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 3), QString::fromUtf8("Стабилен"));
    QCOMPARE(cardLine(page->getWidgetTarSensor2(), 3), QString::fromUtf8("Не стабилен"));
    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 2), QString::fromUtf8("Калиброван"));
    QCOMPARE(cardLine(page->getWidgetTarSensor2(), 2), QString::fromUtf8("Калиброван"));

    // A badly set up second sensor marks only its own card.
    shaky.count = 9000;
    feed(allData(steady));
    feed(allData(shaky));
    QCOMPARE(cardLine(page->getWidgetTarSensor2(), 2), QString::fromUtf8("Не калиброван"));
    QCOMPARE(cardLine(page->getWidgetTarSensor1(), 2), QString::fromUtf8("Калиброван"));
    QVERIFY(!page->isNotCalibrated());
    QVERIFY(ui->label_NeedCalibDUT->isHidden());
    QCOMPARE(ui->label_StableDUT->text(), QString::fromUtf8("Стабилен"));

    // Selecting it brings its state to the page with its next answer.
    page->setCurrentDeviceIndex(1);
    feed(allData(steady));
    QVERIFY(!page->isNotCalibrated());
    feed(allData(shaky));
    QVERIFY(page->isNotCalibrated());
    QVERIFY(!ui->label_NeedCalibDUT->isHidden());
    QCOMPARE(ui->label_StableDUT->text(), QString::fromUtf8("Не стабилен"));
}

void TestFlsAnswers::analogAndFrequencyOutputsSurviveOtherBitsOfA()
{
    search(bytes({1}));
    Reading r;
    r.modelByte = 1; // QF410
    r.a = 0x82;      // analog output, range 1-4095
    r.level = 2048;
    feed(allData(r));
    feed(allData(r));
    QVERIFY(page->isQF410());
    QCOMPARE(ui->label_NaprValDUT->text(), QString("2.50"));
    QCOMPARE(double(page->getOutputVoltage()), 2.5);
    QCOMPARE(ui->comboBoxRangeDUT->currentIndex(), 1);
    QCOMPARE(ui->progressBarLevelDUT->maximum(), 4095);

    // Litres and inversion bits on top.
    page->setUpdateParamWidgets(true);
    r.a = 0xC3;
    r.level = 1024;
    feed(allData(r));
    QCOMPARE(ui->label_NaprValDUT->text(), QString("1.25"));
    QCOMPARE(ui->comboBox_ModeDUT->currentText(), QString::fromUtf8("Аналоговый"));
    QVERIFY(!ui->label_NaprValDUT->isHidden());
    QVERIFY(ui->label_UrovenDUT->isHidden());

    page->setUpdateParamWidgets(true);
    r.a = 0x84; // frequency output, range 1-4095
    r.level = 1000;
    feed(allData(r));
    QCOMPARE(ui->label_FreqValDUT->text(), QString("1300"));
    QCOMPARE(ui->comboBox_ModeDUT->currentText(), QString::fromUtf8("Частотный"));
    QVERIFY(!ui->label_FreqValDUT->isHidden());
    QVERIFY(ui->label_NaprValDUT->isHidden());
}

void TestFlsAnswers::droppedAndUnknownFormsAreNotShown()
{
    search(bytes({1}));
    feed(allData({1}));
    const QStringList before = shownValues();
    QSignalSpy queue(page, &FLSDevice::copyQueueSurveyDevice);

    Reading dropped;
    dropped.length = 45;
    dropped.modelByte = 0x1F;
    dropped.level = 800;
    feed(allData(dropped));
    QCOMPARE(shownValues(), before);
    QVERIFY(!page->isQF210() && !page->isQF410() && !page->isGenericFLS());
    QCOMPARE(queue.count(), 0); // polling does not move either

    Reading unknown = dropped;
    unknown.length = 26;
    feed(allData(unknown));
    QCOMPARE(shownValues(), before);
    QCOMPARE(queue.count(), 1); // not shown, yet polling moves on

    Reading qf410 = dropped;
    qf410.modelByte = 1;
    feed(allData(qf410));
    QVERIFY(page->isQF410());
    QCOMPARE(ui->label_UrovenDUT->text(), QString("800"));
}

void TestFlsAnswers::qf260ShowsItsVoltageAndSendSerNumSwitch()
{
    search(bytes({1}));
    Reading r;
    r.length = 29;
    r.modelByte = 3;
    r.byte23 = 0x10;
    r.level = 512;
    feed(allData(r));
    QVERIFY(page->isQF260());
    QCOMPARE(ui->label_NaprValQF260DUT->text(), QString("4.56"));
    QVERIFY(!ui->label_NaprValQF260DUT->isHidden());
    QCOMPARE(page->getParamsRead().sendSerNum, quint8(0x10));
    QVERIFY(page->getSwitchSendSerNum());
    QVERIFY(page->getSwitchSendSerNum()->getState());

    r.byte23 = 0x00;
    feed(allData(r));
    QVERIFY(!page->getSwitchSendSerNum()->getState());

    Reading qf210;
    feed(allData(qf210));
    QVERIFY(ui->label_NaprValQF260DUT->isHidden());
    QCOMPARE(page->getParamsRead().sendSerNum, quint8(0));
}

void TestFlsAnswers::paramWidgetsFollowTheSensorOnce()
{
    search(bytes({1}));
    feed(serialAnswer(1, 1, 204)); // sets deviceConnected
    QSignalSpy log(page, &FLSDevice::signalWriteLog);
    Reading r;
    r.length = 25;
    r.modelByte = 3; // QF260, new firmware
    r.b = 0x47;      // median filter, level 7
    feed(allData(r));
    QCOMPARE(ui->comboBoxTypeFiltration->count(), 2);
    QCOMPARE(ui->comboBoxTypeFiltration->currentText(), QString::fromUtf8("Медианная"));
    QCOMPARE(ui->comboBox_FiltrDUT->currentText(), QString("7"));
    QCOMPARE(page->getParamsRead().configB, quint8(0x47));
    QVERIFY(!page->isUpdateParamWidgets());
    QCOMPARE(paramLogLines(log).size(), 1);

    // Left to the user from now on.
    r.b = 0x07;
    feed(allData(r));
    QCOMPARE(ui->comboBoxTypeFiltration->currentText(), QString::fromUtf8("Медианная"));
    QCOMPARE(paramLogLines(log).size(), 1);

    page->setUpdateParamWidgets(true);
    feed(allData(r));
    QCOMPARE(ui->comboBoxTypeFiltration->currentText(), QString::fromUtf8("Умная"));
    QCOMPARE(ui->comboBox_FiltrDUT->currentText(), QString::fromUtf8("от 200 до 1000 литров"));
    QCOMPARE(paramLogLines(log).size(), 2);
}

void TestFlsAnswers::paramWidgetsComeOnlyFromTheSelectedSensor()
{
    search(bytes({5, 9}));
    feed(serialAnswer(5, 1, 204));
    feed(serialAnswer(9, 2, 204));
    Reading selected;
    selected.net = 5;
    selected.length = 25;
    selected.modelByte = 3; // QF260
    selected.b = 0x47;      // median filter, level 7
    Reading other = selected;
    other.net = 9;
    other.a = 0x80; // wide range
    other.b = 0x02; // smart filter, small tank

    // The other sensor answers first while the page waits for a refresh: the
    // widgets do not take its settings, and the refresh stays due.
    page->setUpdateParamWidgets(true);
    page->setCurrentDeviceIndex(0);
    feed(allData(selected)); // polling order: the first sensor, then the second
    page->setUpdateParamWidgets(true);
    ui->comboBox_FiltrDUT->setCurrentIndex(0);
    feed(allData(other));
    QCOMPARE(ui->comboBox_FiltrDUT->currentIndex(), 0);
    QCOMPARE(ui->comboBoxRangeDUT->currentIndex(), 0);
    QVERIFY(page->isUpdateParamWidgets());
    QCOMPARE(page->getParamsRead().netNum, quint8(5));

    // The selected sensor's own answer refreshes them.
    feed(allData(selected));
    QCOMPARE(ui->comboBox_FiltrDUT->currentText(), QString("7"));
    QVERIFY(!page->isUpdateParamWidgets());

    // After a pick of the other sensor, its own answer shows its settings.
    page->setCurrentDeviceIndex(1);
    page->setUpdateParamWidgets(true);
    feed(allData(other));
    QCOMPARE(ui->comboBoxRangeDUT->currentIndex(), 1);
    QCOMPARE(ui->comboBoxTypeFiltration->currentText(), QString::fromUtf8("Умная"));
    QCOMPARE(ui->comboBox_FiltrDUT->currentText(), QString::fromUtf8("до 200 литров"));
    QCOMPARE(page->getParamsRead().netNum, quint8(9));
}

// Right after a search the serial and the first data answer often reach the
// page in one chunk; their CRC checks as one, yet each must be taken.
void TestFlsAnswers::answersGluedInOneChunkAreEachTaken()
{
    search(bytes({5}));
    Reading r;
    r.net = 5;
    r.length = 45;
    r.modelByte = 1; // QF410
    r.a = 0x84;
    r.b = 0x06;
    r.level = 432;
    feed(serialAnswer(5, 4242, 195) + allData(r) + shortAnswer(5, 0xF8));
    QCOMPARE(ui->label_SerNumVal->text(), QString("4242"));
    QCOMPARE(ui->label_FirmwareVal->text(), QString("1.9.5"));
    QCOMPARE(ui->label_UrovenDUT->text(), QString("432"));
    QCOMPARE(ui->comboBoxRangeDUT->currentIndex(), 1);
    QCOMPARE(ui->comboBox_ModeDUT->currentText(), QString::fromUtf8("Частотный"));
    QCOMPARE(ui->comboBox_FiltrDUT->currentText(), QString::fromUtf8("от 200 до 1000 литров"));
    QVERIFY(page->isQF410());
    QVERIFY(page->isPasswordEntered());
}

void TestFlsAnswers::qf470WithoutByteCShowsOnlyItsCount()
{
    search(bytes({1}));
    feed(serialAnswer(1, 1, 208));
    const QString levelBefore = ui->label_UrovenDUT->text();
    const QString temperatureBefore = ui->label_TempValDUT->text();
    Reading r;
    r.length = 29;
    r.modelByte = 0x62;
    r.level = 777;
    r.count = 16000;
    feed(allData(r));
    QVERIFY(page->isQF470());
    // The count is kept and shown at once; nothing else reaches the page.
    QCOMPARE(ui->label_86->text(), QString("16000"));
    QCOMPARE(ui->label_UrovenDUT->text(), levelBefore);
    QCOMPARE(ui->label_TempValDUT->text(), temperatureBefore);
    QCOMPARE(page->getLevel(), quint16(0));

    feed(serialAnswer(1, 1, 209));
    r.byte23 = 0x10; // active RS-232 output
    feed(allData(r));
    QCOMPARE(ui->label_UrovenDUT->text(), QString("777"));
    // An output named by byte C shows the level.
    QVERIFY(!ui->label_UrovenDUT->isHidden());
    QVERIFY(ui->label_FreqValDUT->isHidden());
    QVERIFY(ui->label_NaprValDUT->isHidden());
}

void TestFlsAnswers::levelAcksAreReportedWithTheNextAnswer()
{
    search(bytes({1}));
    QSignalSpy fullSet(page, &FLSDevice::signalWasSetFullLevel);
    QSignalSpy emptySet(page, &FLSDevice::signalWasSetEmptyLevel);
    feed(shortAnswer(1, 0xF5));
    feed(shortAnswer(1, 0xED));
    QCOMPARE(page->getLastAnswer(), 0);
    QCOMPARE(fullSet.count(), 0);
    Reading r;
    r.full = 23456;
    r.empty = 12345;
    feed(allData(r));
    QCOMPARE(fullSet.count(), 1);
    QCOMPARE(fullSet.at(0).at(0).toInt(), 23456);
    QCOMPARE(emptySet.count(), 1);
    QCOMPARE(emptySet.at(0).at(0).toInt(), 12345);
    feed(allData(r));
    QCOMPARE(fullSet.count(), 1);
    QCOMPARE(emptySet.count(), 1);
    feed(shortAnswer(1, 0xFA));
    feed(shortAnswer(1, 0xEC));
    feed(allData(r));
    QCOMPARE(fullSet.count(), 2);
    QCOMPARE(emptySet.count(), 2);
    QCOMPARE(page->getLastAnswer(), 0xF0);
}

// ---- other answers ----

void TestFlsAnswers::passwordAnswersSetStateAndLock()
{
    search(bytes({1}));
    const QImage lock = QPixmap(":/images/lock.png").toImage();
    const QImage unlock = QPixmap(":/images/unlock.png").toImage();
    QVERIFY(!lock.isNull() && !unlock.isNull() && lock != unlock);

    feed(shortAnswer(1, 0xF8));
    QVERIFY(page->isPasswordEntered());
    QCOMPARE(page->getLastAnswer(), 0xF8);
    QCOMPARE(imageOf(ui->label_LockDUT), unlock);
    QVERIFY(!ui->label_LockDUT->isHidden());

    feed(shortAnswer(1, 0xF7));
    QVERIFY(page->isPasswordEntered());
    QCOMPARE(page->getLastAnswer(), 0xF7);
    QCOMPARE(imageOf(ui->label_LockDUT), unlock);

    feed(shortAnswer(1, 0xFD));
    QVERIFY(!page->isPasswordEntered());
    QCOMPARE(page->getLastAnswer(), 0xFD);
    QCOMPARE(imageOf(ui->label_LockDUT), lock);
}

void TestFlsAnswers::passwordAnswerOfAnotherFoundSensorIsTaken()
{
    search(bytes({4, 6}));
    feed(shortAnswer(6, 0xF8));
    QVERIFY(page->isPasswordEntered());
    QCOMPARE(page->getLastAnswer(), 0xF8);
    // A fourth listed sensor is not polled, so not taken either.
    search(bytes({4, 6, 8, 10}));
    feed(shortAnswer(10, 0xFD));
    QVERIFY(page->isPasswordEntered());
}

void TestFlsAnswers::calibrationTableAnswerIsRecorded()
{
    search(bytes({1}));
    const QStringList before = shownValues();
    // A table answer too short for its 40 values is not read, yet keeps
    // the sensor alive.
    feed(frame::withCrc(bytes({0x3E, 1, 0xEF})));
    QVERIFY(page->getLastAnswer() != 0xEF);
    QVERIFY(page->isDeviceConnected());
    feed(frame::withCrc(bytes({0x3E, 1, 0xEF}).append(QByteArray(80, '\x01'))));
    QCOMPARE(page->getLastAnswer(), 0xEF);
    QCOMPARE(shownValues(), before);
}

void TestFlsAnswers::horizonAnswerShowsItsMessage()
{
    page->connectDevice(); // the watchdog runs only inside a session
    search(bytes({1}));
    QTimer *dog = watchdog();
    QString seen;
    bool watchdogPaused = false;
    // Closes the message as soon as it is up; a message that never comes
    // would otherwise leave the test waiting for ever.
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        closer.stop();
        for (QLabel *l : dialog->findChildren<QLabel *>())
            seen += l->text();
        watchdogPaused = !dog->isActive() && dog->signalsBlocked();
        dialog->accept();
    });
    closer.start(50);
    feed(shortAnswer(1, 0xAA));
    QVERIFY2(seen.contains(QString::fromUtf8("Установлен Горизонт")), qPrintable(seen));
    QVERIFY(watchdogPaused);
    QCOMPARE(page->getLastAnswer(), 0xAA);
    QVERIFY(dog->isActive());
    QVERIFY(!dog->signalsBlocked());
}

// ---- hostile input ----

void TestFlsAnswers::truncatedOversizedAndRandomFramesChangeNothingShown()
{
    search(bytes({1}));
    feed(serialAnswer(1, 4321, 209));
    Reading r;
    feed(allData(r));
    const QStringList before = shownValues();

    // Should anything open a modal message, close it again.
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [] {
        if (QWidget *w = QApplication::activeModalWidget())
            w->close();
    });
    closer.start(20);

    Reading other = r;
    other.level = 999;
    other.count = 1;
    const QByteArray fullAnswers[] = {allData(other), serialAnswer(1, 1, 1)};
    // Every prefix, closed with a right CRC-8 so that it reaches the handlers.
    for (const QByteArray &full : fullAnswers) {
        for (int n = 0; n < full.size(); ++n) {
            feed(full.left(n));
            if (n >= 1)
                feed(frame::withCrc(full.left(n - 1)));
        }
    }
    QCOMPARE(shownValues(), before);

    // Oversized forms: all-data of lengths without a model, and answers
    // whose tail is not read.
    for (int length : {26, 27, 30, 46, 100, 300}) {
        Reading big = other;
        big.length = length;
        feed(allData(big));
    }
    for (int command : {0xF5, 0xFA, 0xED, 0xEC, 0xEF, 0xF1})
        feed(frame::withCrc(bytes({0x3E, 1, command}).append(QByteArray(200, '\x7F'))));
    QCOMPARE(shownValues(), before);

    // Random chunks, raw and closed with a right CRC-8 from a sensor that is
    // not on the list.
    QRandomGenerator rng(7);
    for (int i = 0; i < 5000; ++i) {
        QByteArray chunk(int(rng.bounded(90)), '\0');
        for (int k = 0; k < chunk.size(); ++k)
            chunk[k] = char(rng.bounded(256));
        feed(chunk);
        if (chunk.size() >= 3) {
            chunk[0] = 0x3E;
            chunk[1] = char(0x55);
            feed(frame::withCrc(chunk));
        }
    }
    QCOMPARE(shownValues(), before);

    // The page still works afterwards.
    r.level = 432;
    feed(allData(r));
    QCOMPARE(ui->label_UrovenDUT->text(), QString("432"));
}

QTEST_MAIN(TestFlsAnswers)
#include "tst_flsanswers.moc"
