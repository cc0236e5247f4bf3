#include "deruvivuriri_form.h"
#include "devices/online/qfonline.h"
#include "link/frame.h"
#include "pagefixture.h"
#include "pagetimers.h"
#include "resources/bundle.h"
#include "shortintervals.h"
#include "ui/dynamicqdialog.h"
#include "ui/switch.h"
#include "ui/widgettar.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>

// The online unit's page fed answers straight through its intake, with the
// real form: what the page shows, what it keeps, and the frames it sends.
namespace {

void putLe(QByteArray &out, int at, quint32 value, int width)
{
    for (int i = 0; i < width; ++i)
        out[at + i] = char((value >> (8 * i)) & 0xFF);
}

struct Level
{
    quint8 address = 1;
    qint8 temperature = 21;
    quint16 level = 512;
    qint32 count = 3012;
    qint32 empty = 2000;
    qint32 full = 4000;
    quint8 mode = 0;
};

QByteArray levelAnswer(const Level &l)
{
    QByteArray out(21, '\0');
    out[0] = 0x3E;
    out[1] = char(l.address);
    out[2] = char(0xF0);
    out[3] = char(l.temperature);
    putLe(out, 4, l.level, 2);
    putLe(out, 6, quint32(l.count), 4);
    putLe(out, 10, quint32(l.empty), 4);
    putLe(out, 14, quint32(l.full), 4);
    out[20] = char(l.mode);
    return frame::withCrc(out);
}

QByteArray statusAnswer(quint16 voltage, quint8 modem, quint8 gps, quint8 traffic, quint8 quality,
                        quint16 firstChannel = 700)
{
    QByteArray out(36, '\0');
    out[0] = 0x3E;
    out[1] = 1;
    out[2] = char(0xA0);
    putLe(out, 9, voltage, 2);
    for (int i = 0; i < 8; ++i) {
        const quint16 word = i == 0 ? firstChannel : quint16(100 + i);
        out[16 + 2 * i] = char(word >> 8);
        out[17 + 2 * i] = char(word & 0xFF);
    }
    out[32] = char(modem);
    out[33] = char(gps);
    out[34] = char(traffic);
    out[35] = char(quality);
    return frame::withCrc(out);
}

QByteArray imeiAnswer(const QByteArray &text)
{
    QByteArray out("\x3e\xca\xa7", 3);
    out.append(text.leftJustified(36, '\0', true));
    return frame::withCrc(out);
}

QByteArray shortAnswer(quint8 address, quint8 command)
{
    QByteArray out;
    out.append(char(0x3E));
    out.append(char(address));
    out.append(char(command));
    return frame::withCrc(out);
}

void putText(QByteArray &record, int offset, int width, const QByteArray &text)
{
    for (int i = 0; i < width; ++i)
        record[offset + i] = i < text.size() ? text.at(i) : '\0';
}

QByteArray sampleRecord()
{
    QByteArray r(162, '\0');
    r[0] = 0x16;
    putText(r, 1, 30, "internet.tele2");
    putText(r, 31, 20, "user1");
    putText(r, 51, 20, "pw1");
    putText(r, 71, 5, "0000");
    putText(r, 76, 25, "10.0.0.7");
    putText(r, 101, 6, "5001");
    putText(r, 117, 25, "srvpw");
    r[142] = 60;
    r[146] = char(0xC1); // channel 1 on, EGTS, UDP
    r[147] = 0;
    r[148] = 1;
    r[149] = 0;
    r[154] = 21;
    r[156] = 23;
    return r;
}

QByteArray configAnswer(const QByteArray &record, quint16 firmware = 210, qint32 serial = 5555)
{
    QByteArray out("\x3e\xca\xa2", 3);
    out.append(record);
    out.append(char(firmware >> 8));
    out.append(char(firmware & 0xFF));
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((quint32(serial) >> shift) & 0xFF));
    return out;
}

QString stabilityText(const Ui_Deruvivuriri *ui)
{
    return ui->label_StableOnline->text();
}

// Closes every modal window as it comes up and keeps what each said.
class ModalWatcher : public QObject
{
public:
    ModalWatcher()
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            QStringList texts;
            for (QLabel *l : modal->findChildren<QLabel *>()) {
                if (!l->text().isEmpty())
                    texts << l->text();
            }
            seen << texts.join('|');
            modal->close();
        });
        timer.start(20);
    }
    QStringList seen;

private:
    QTimer timer;
};

} // namespace

class TestOnlineAnswers : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void statusAnswerFillsTheGpsTab();
    void levelAnswerShowsTheReadingAndLogsIt();
    void stabilityNeedsEightCounts_data();
    void stabilityNeedsEightCounts();
    void levelFaultsReplaceTheStabilityText();
    void calibrationState_data();
    void calibrationState();
    void configAnswerFillsFieldsAndSwitches();
    void configAnswerWaitsForItsFlagAndTheTab();
    void imeiAnswerShowsTheImei();
    void answersTooShortForTheirFieldsAreDropped_data();
    void answersTooShortForTheirFieldsAreDropped();
    void answersOfOtherAddressesAreIgnored();
    void gluedAnswersAreAllHandled_data();
    void gluedAnswersAreAllHandled();
    void truncatedOversizedAndRandomChunksAreSurvived();
    void searchEndsOnTheUnitsAnswer();
    void watchdogHidesReadingsButPollingGoesOn();
    void connectingTwiceStillPollsOnceATick();
    void disconnectRightAfterConnectSendsNothing();
    void noTimerRunsWhileThePortIsClosed();

    void writeBeforeReadIsRefused();
    void switchesFlipTheirBitsAndWriteTheBlock();
    void modeSwitchSendsOnlyTheNewMode();
    void switchClickedDuringAWriteGoesBackAndIsTold();
    void servicePlaceholdersShowOneNotice_data();
    void servicePlaceholdersShowOneNotice();
    void passwordOutcomeComesOnlyFromItsOwnAnswer();

private:
    void feed(const QByteArray &chunk);
    void readConfig(const QByteArray &record);
    QList<QByteArray> framesWith(quint8 command) const;
    // The poll goes on: a request leaves within a few of its periods.
    bool pollGoesOn();
    // The watchdog runs: readings on show are hidden once it runs out.
    bool watchdogWatches();

    std::unique_ptr<PageFixture<QFOnline>> fixture;
    Ui_Deruvivuriri *ui = nullptr;
    QFOnline *page = nullptr;
    std::unique_ptr<QSignalSpy> written;
    std::unique_ptr<QSignalSpy> logged;
};

void TestOnlineAnswers::initTestCase()
{
    initResourceBundle();
}

void TestOnlineAnswers::init()
{
    fixture = std::make_unique<PageFixture<QFOnline>>();
    ui = fixture->ui.get();
    page = fixture->page.get();
    shortintervals::apply(page);
    written = std::make_unique<QSignalSpy>(page, &QFOnline::writeData);
    logged = std::make_unique<QSignalSpy>(page, &QFOnline::signalWriteLog);
}

void TestOnlineAnswers::cleanup()
{
    written.reset();
    logged.reset();
    fixture.reset();
    page = nullptr;
    ui = nullptr;
}

void TestOnlineAnswers::feed(const QByteArray &chunk)
{
    PageFixture<QFOnline>::feedExactly(chunk, [this](int length, char *bytes) { page->run(length, bytes); });
}

void TestOnlineAnswers::readConfig(const QByteArray &record)
{
    page->setNeedUpdateCfgFields(true);
    feed(configAnswer(record));
    QVERIFY(page->isConfigRead());
}

bool TestOnlineAnswers::pollGoesOn()
{
    QSignalSpy levels(page, &QFOnline::signalRequestForGetAllDataFromDevice);
    QSignalSpy statuses(page, &QFOnline::signalRequestForGetAllDataFromQFOnlineDevice);
    return QTest::qWaitFor([&] { return levels.size() + statuses.size() > 0; }, 5 * page->intervals().poll);
}

bool TestOnlineAnswers::watchdogWatches()
{
    page->setWidgetsVisible(true);
    return QTest::qWaitFor([this] { return ui->tabWidgetQFOnline->isHidden(); }, 3 * page->intervals().watchdog);
}

QList<QByteArray> TestOnlineAnswers::framesWith(quint8 command) const
{
    QList<QByteArray> out;
    for (const QList<QVariant> &call : *written) {
        const QByteArray frame = call.at(0).toByteArray();
        if (frame.size() >= 3 && quint8(frame.at(2)) == command)
            out << frame;
    }
    return out;
}

void TestOnlineAnswers::statusAnswerFillsTheGpsTab()
{
    page->connectDevice();
    feed(statusAnswer(1234, 17, 9, 3, 24, 1500));
    QVERIFY(page->isDeviceConnected());
    QCOMPARE(ui->label_34->text(), QString("12.34"));
    QCOMPARE(ui->label_26->text(), QString("9"));
    QCOMPARE(ui->label_32->text(), QString("3"));
    QCOMPARE(ui->label_28->text(), QString("24"));
    QCOMPARE(ui->label_StatusQFOnline->text(), QString("подключен\nк серверу"));
    QCOMPARE(ui->progressBarLevelOnline->value(), 1500);

    // A state without a text of its own leaves the last one.
    feed(statusAnswer(1200, 16, 1, 1, 1));
    QCOMPARE(ui->label_StatusQFOnline->text(), QString("подключен\nк серверу"));
    QCOMPARE(ui->label_34->text(), QString("12"));
    feed(statusAnswer(1200, 3, 1, 1, 1));
    QCOMPARE(ui->label_StatusQFOnline->text(), QString("инициализация\nмодема"));

    // "connected" is logged once per connection.
    QStringList lines;
    for (const QList<QVariant> &call : *logged)
        lines << call.at(0).toString();
    QCOMPARE(lines.count("QFOnline connected"), 1);
}

void TestOnlineAnswers::levelAnswerShowsTheReadingAndLogsIt()
{
    page->connectDevice();
    QVERIFY(ui->tabWidgetQFOnline->isHidden());
    Level l;
    l.mode = 0x08;
    feed(levelAnswer(l));
    QCOMPARE(ui->label_UrovenDUTOnline->text(), QString("512"));
    QCOMPARE(ui->label_ValCurrent_3->text(), QString("3012"));
    QCOMPARE(ui->label_17DUTOnline->text(), QString("2000"));
    QCOMPARE(ui->label_18DUTOnline->text(), QString("4000"));
    QCOMPARE(ui->label_TempValDUT->text(), QString("21°C"));
    QVERIFY(!ui->tabWidgetQFOnline->isHidden());
    QVERIFY(!ui->label_TempValDUT->isHidden());
    QVERIFY(page->getSwitch(QFOnline::WorkingMode)->getState());
    QCOMPARE(page->getCntAutoCalib(), 3012);
    QCOMPARE(page->getEmptyValue(), 2000);
    QCOMPARE(page->getFullValue(), 4000);
    QCOMPARE(page->getWidgetTar1()->findChildren<QLabel *>().size() >= 2, true);
    QCOMPARE(logged->last().at(0).toString(),
             QString("NetNum=1, Empty=2000, Full=4000, Current=3012, Level=512, Temperature=21"));
}

void TestOnlineAnswers::stabilityNeedsEightCounts_data()
{
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("text");
    QTest::newRow("seven counts: no grade")
        << QList<int>{1000, 1000, 1000, 1000, 1000, 1000, 1000} << 0 << "Не стабилен";
    QTest::newRow("eight equal counts") << QList<int>{1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000} << 3
                                        << "Стабилен";
    // Mean 1012 (truncated) against 1100: 8 % off.
    QTest::newRow("far off") << QList<int>{1000, 1000, 1000, 1000, 1000, 1000, 1000, 1100} << 1 << "Не стабилен";
    // Mean 1003 against 1025: about 2 % off.
    QTest::newRow("a little off") << QList<int>{1000, 1000, 1000, 1000, 1000, 1000, 1000, 1025} << 2 << "Не стабилен";
    QTest::newRow("zero count") << QList<int>{1000, 1000, 1000, 1000, 1000, 1000, 1000, 0} << 1 << "Не стабилен";
    // A negative count gives a negative ratio: the grade stays.
    QTest::newRow("negative count keeps the grade")
        << QList<int>{1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, -50} << 3 << "Стабилен";
    QTest::newRow("the window moves on") << QList<int>{5000, 1000, 1000, 1000, 1000, 1000, 1000, 1000, 1000} << 3
                                         << "Стабилен";
}

void TestOnlineAnswers::stabilityNeedsEightCounts()
{
    QFETCH(QList<int>, counts);
    QFETCH(int, state);
    QFETCH(QString, text);
    page->connectDevice();
    Level l;
    l.empty = -100000;
    l.full = 100000;
    for (int c : counts) {
        l.count = c;
        feed(levelAnswer(l));
    }
    QCOMPARE(page->getStabilityState(0), state);
    QCOMPARE(stabilityText(ui), text);
}

void TestOnlineAnswers::levelFaultsReplaceTheStabilityText()
{
    page->connectDevice();
    Level l;
    for (int i = 0; i < 8; ++i)
        feed(levelAnswer(l));
    QCOMPARE(stabilityText(ui), QString("Стабилен"));

    l.level = 6500;
    feed(levelAnswer(l));
    QCOMPARE(stabilityText(ui), QString("Обрыв трубок"));
    QCOMPARE(page->getLevelFaultCode(), quint16(6500));
    QVERIFY(!page->getLevelFaultIcon()->isHidden());
    QVERIFY(ui->label_StableOnline->styleSheet().contains("#E32323"));

    l.level = 7000;
    feed(levelAnswer(l));
    QCOMPARE(stabilityText(ui), QString("Короткое замыкание"));
    QVERIFY(!page->getLevelFaultIcon()->isHidden());

    // The history kept filling during the fault: the grade comes back at once.
    l.level = 300;
    feed(levelAnswer(l));
    QVERIFY(page->getLevelFaultIcon()->isHidden());
    QCOMPARE(page->getLevelFaultCode(), quint16(300));
    QCOMPARE(stabilityText(ui), QString("Стабилен"));
}

void TestOnlineAnswers::calibrationState_data()
{
    QTest::addColumn<int>("empty");
    QTest::addColumn<int>("full");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("calibrated");
    QTest::newRow("inside") << 1000 << 2000 << 1500 << true;
    QTest::newRow("full only 1.1 times empty") << 1000 << 1100 << 1050 << false;
    QTest::newRow("full 2.2 times empty") << 1000 << 2200 << 1500 << true;
    QTest::newRow("full above 2.2 times empty") << 1000 << 2201 << 1500 << false;
    QTest::newRow("count far below empty") << 1000 << 2000 << -1 << false;
    QTest::newRow("count far above full") << 1000 << 2000 << 3001 << false;
    QTest::newRow("extreme counts do not overflow") << 2147483647 << -2147483647 - 1 << -2147483647 - 1 << false;
}

void TestOnlineAnswers::calibrationState()
{
    QFETCH(int, empty);
    QFETCH(int, full);
    QFETCH(int, count);
    QFETCH(bool, calibrated);
    page->connectDevice();
    Level l;
    l.empty = empty;
    l.full = full;
    l.count = count;
    feed(levelAnswer(l));
    QCOMPARE(page->isNotCalibrated(), !calibrated);
    QCOMPARE(ui->label_NeedCalibOnline->isHidden(), calibrated);
    QCOMPARE(ui->label_AlarmDUTOnline->isHidden(), calibrated);
}

void TestOnlineAnswers::configAnswerFillsFieldsAndSwitches()
{
    page->connectDevice();
    feed(statusAnswer(1234, 17, 1, 1, 1));
    ui->tabWidgetQFOnline->setCurrentIndex(1);
    page->setShowCfgReadMessage(true);
    QByteArray record = sampleRecord();
    readConfig(record);

    QCOMPARE(page->getConfigBlock().bytes(), record);
    QCOMPARE(ui->lineEditOnlineAccessDot->text(), QString("internet.tele2"));
    QCOMPARE(ui->lineEditOnlineUser->text(), QString("user1"));
    QCOMPARE(ui->lineEditOnlinePassword->text(), QString("pw1"));
    QCOMPARE(ui->lineEditOnlinePIN->text(), QString("0000"));
    QCOMPARE(ui->lineEditOnlineServerAddress->text(), QString("10.0.0.7"));
    QCOMPARE(ui->lineEditOnlineServerPort->text(), QString("5001"));
    QCOMPARE(ui->lineEditOnlinePassAccessDevice->text(), QString("srvpw"));
    QCOMPARE(ui->lineEditOnlinePeriodSend->text(), QString("60"));
    QCOMPARE(ui->comboBoxChooseOperator->currentText(), QString("tele2"));
    QCOMPARE(ui->label_FirmwareVal->text(), QString("210"));
    QCOMPARE(ui->label_SerNumVal->text(), QString("5555"));

    QCOMPARE(ui->lineEditOnlineChanel1->text(), QString("21"));
    QCOMPARE(ui->label_50->text(), QString("700"));
    QCOMPARE(ui->lineEditOnlineChanel2->text(), QString());
    QCOMPARE(ui->label_51->text(), QString("--"));
    QCOMPARE(ui->lineEditOnlineChanel3->text(), QString("23"));
    QCOMPARE(ui->label_52->text(), QString("102"));
    QVERIFY(page->getSwitch(QFOnline::Channel1)->getState());
    QVERIFY(!page->getSwitch(QFOnline::Channel2)->getState());
    QVERIFY(page->getSwitch(QFOnline::Channel3)->getState());
    QVERIFY(page->getSwitch(QFOnline::Egts)->getState());
    QVERIFY(page->getSwitch(QFOnline::Udp)->getState());

    // The notice came once; a channel the unit turned off is shown off.
    QVERIFY(page->findChild<DynamicQDialog *>());
    record[146] = 0x00;
    readConfig(record);
    QVERIFY(!page->getSwitch(QFOnline::Channel1)->getState());
    QVERIFY(!page->getSwitch(QFOnline::Egts)->getState());
    QCOMPARE(ui->lineEditOnlineChanel1->text(), QString());

    // A user name of the one preset whose APN names no operator.
    putText(record, 1, 30, "internet");
    putText(record, 31, 20, "wemto");
    readConfig(record);
    QCOMPARE(ui->comboBoxChooseOperator->currentText(), QString("megafon"));
    putText(record, 31, 20, "nobody");
    readConfig(record);
    QCOMPARE(ui->comboBoxChooseOperator->currentIndex(), 4);
}

void TestOnlineAnswers::configAnswerWaitsForItsFlagAndTheTab()
{
    page->connectDevice();
    QByteArray record = sampleRecord();
    readConfig(record);
    // Without the flag (cleared by the answer just taken) nothing changes.
    QByteArray other = record;
    putText(other, 1, 30, "other.apn");
    feed(configAnswer(other));
    QCOMPARE(ui->lineEditOnlineAccessDot->text(), QString("internet.tele2"));
    QCOMPARE(page->getConfigBlock().bytes(), record);

    // On the RS485 tab the notice waits for a read made elsewhere.
    ui->tabWidgetQFOnline->setCurrentIndex(2);
    page->setShowCfgReadMessage(true);
    readConfig(other);
    QVERIFY(!page->findChild<DynamicQDialog *>());
    QCOMPARE(ui->lineEditOnlineAccessDot->text(), QString("other.apn"));
    ui->tabWidgetQFOnline->setCurrentIndex(1);
    readConfig(other);
    QCOMPARE(page->findChildren<DynamicQDialog *>().size(), 1);
    // A second notice replaces the first instead of piling up.
    page->setShowCfgReadMessage(true);
    readConfig(other);
    QTRY_COMPARE(page->findChildren<DynamicQDialog *>().size(), 1);
}

void TestOnlineAnswers::imeiAnswerShowsTheImei()
{
    page->connectDevice();
    feed(imeiAnswer("356938035643809;8970199;"));
    QCOMPARE(ui->label_24->text(), QString("356938035643809"));
    feed(imeiAnswer("35693803564380f;x"));
    QCOMPARE(ui->label_24->text(), QString("35693803564380F"));
    // A text that fills the whole field without a zero or separator.
    feed(imeiAnswer(QByteArray(36, '9')));
    QCOMPARE(ui->label_24->text(), QString(36, '9'));
}

void TestOnlineAnswers::answersTooShortForTheirFieldsAreDropped_data()
{
    QTest::addColumn<QByteArray>("whole");
    QTest::addColumn<int>("readable");
    QTest::newRow("level") << levelAnswer(Level()) << 21;
    QTest::newRow("status") << statusAnswer(1234, 17, 9, 3, 24) << 36;
    QTest::newRow("IMEI") << imeiAnswer("356938035643809;") << 39;
}

void TestOnlineAnswers::answersTooShortForTheirFieldsAreDropped()
{
    QFETCH(QByteArray, whole);
    QFETCH(int, readable);
    page->connectDevice();
    const QStringList before{ui->label_UrovenDUTOnline->text(), ui->label_34->text(), ui->label_24->text()};
    // Every prefix too short for the fields, closed with a right CRC.
    for (int n = 3; n + 1 < readable; ++n) {
        feed(frame::withCrc(whole.left(n)));
        QVERIFY2(page->getCmdToReturn() == 0, qPrintable(QString::number(n)));
    }
    QCOMPARE((QStringList{ui->label_UrovenDUTOnline->text(), ui->label_34->text(), ui->label_24->text()}), before);
    QVERIFY(!page->isDeviceConnected());
    feed(whole);
    QCOMPARE(page->getCmdToReturn(), uint(quint8(whole.at(2))));
}

void TestOnlineAnswers::answersOfOtherAddressesAreIgnored()
{
    page->connectDevice();
    const QString before = ui->label_UrovenDUTOnline->text();
    Level l;
    l.address = 2;
    l.level = 4321;
    feed(levelAnswer(l));
    QCOMPARE(page->getCmdToReturn(), 0u);
    QCOMPARE(ui->label_UrovenDUTOnline->text(), before);
    l.level = 512;
    l.address = 1;
    feed(levelAnswer(l));
    QCOMPARE(ui->label_UrovenDUTOnline->text(), QString("512"));
}

void TestOnlineAnswers::gluedAnswersAreAllHandled_data()
{
    QTest::addColumn<QByteArray>("chunk");
    Level l;
    l.level = 777;
    QTest::newRow("level and status") << levelAnswer(l) + statusAnswer(2345, 17, 5, 5, 5);
    QTest::newRow("write acknowledge, level, status")
        << shortAnswer(0xCA, 0xA3) + levelAnswer(l) + statusAnswer(2345, 17, 5, 5, 5);
    QTest::newRow("status, configuration, level")
        << statusAnswer(2345, 17, 5, 5, 5) + configAnswer(sampleRecord()) + levelAnswer(l);
}

void TestOnlineAnswers::gluedAnswersAreAllHandled()
{
    QFETCH(QByteArray, chunk);
    page->connectDevice();
    page->setNeedUpdateCfgFields(true);
    feed(chunk);
    QCOMPARE(ui->label_UrovenDUTOnline->text(), QString("777"));
    QCOMPARE(ui->label_34->text(), QString("23.45"));
}

void TestOnlineAnswers::truncatedOversizedAndRandomChunksAreSurvived()
{
    page->connectDevice();
    page->setNeedUpdateCfgFields(true);
    Level l;
    const QByteArray answers[] = {levelAnswer(l), statusAnswer(1234, 17, 9, 3, 24), imeiAnswer("356938035643809;1"),
                                  shortAnswer(1, 0xF8)};
    for (const QByteArray &whole : answers)
        feed(whole);
    const auto shown = [this] {
        return QStringList{ui->label_UrovenDUTOnline->text(),
                           ui->label_ValCurrent_3->text(),
                           ui->label_34->text(),
                           ui->label_26->text(),
                           ui->label_24->text(),
                           ui->lineEditOnlineAccessDot->text()};
    };
    const QStringList before = shown();
    ModalWatcher watcher;

    // An answer found whole at the front of a chunk is taken: the same
    // answers as before, so that only a misread one changes what is shown.
    for (const QByteArray &whole : answers) {
        // Truncated: every prefix as it is, or with its last byte spoilt.
        for (int n = 0; n < whole.size(); ++n) {
            QByteArray cut = whole.left(n);
            if (n > 0)
                cut[n - 1] = char(cut.at(n - 1) ^ 0x5A);
            feed(cut);
        }
        // Oversized: the answer with random bytes behind it.
        QByteArray longer = whole;
        for (int i = 0; i < 300; ++i)
            longer.append(char(QRandomGenerator::global()->bounded(1, 256)));
        feed(longer);
    }
    // The configuration answer cut short, and with a text field that runs
    // over its whole width.
    for (int n = 0; n < 171; n += 7)
        feed(configAnswer(sampleRecord()).left(n));
    QCOMPARE(shown(), before);

    // Random chunks, half of them dressed as answers of this unit.
    QRandomGenerator rng(0x0a11e5u);
    for (int round = 0; round < 3000; ++round) {
        const int len = rng.bounded(0, 400);
        QByteArray chunk(len, '\0');
        for (char &c : chunk)
            c = char(rng.bounded(256));
        if (round % 2 && len >= 4) {
            chunk[0] = 0x3E;
            chunk[1] = char(round % 4 ? 1 : 0xCA);
            const quint8 commands[] = {0xA0, 0xA2, 0xA7, 0xF0, 0xF7, 0xF8, 0xFD, 0xA3};
            chunk[2] = char(commands[round % 8]);
            chunk[len - 1] = char(frame::calc_crc8(chunk.left(len - 1)));
        }
        page->setNeedUpdateCfgFields(true);
        feed(chunk);
    }
    // Still reading what the unit sends.
    l.level = 999;
    feed(levelAnswer(l));
    QCOMPARE(ui->label_UrovenDUTOnline->text(), QString("999"));
}

void TestOnlineAnswers::searchEndsOnTheUnitsAnswer()
{
    // A search runs inside a session; the poll goes on after it.
    page->connectDevice();
    QSignalSpy searches(page, &QFOnline::signalRequestForSearchDevices);
    QSignalSpy queue(page, &QFOnline::copyNetNumToParent);
    page->startSearchDevices();
    QCOMPARE(searches.size(), 1);
    feed(QByteArray());
    feed(QByteArray("\x3e\x05\x07", 3));
    QVERIFY(framesWith(0xA7).isEmpty());
    feed(QByteArray("\x3e\x05", 2));
    // Whatever answered, the unit is number 1, and its IMEI is asked for.
    QCOMPARE(framesWith(0xA7).size(), 1);
    QCOMPARE(queue.last().at(0).toByteArray(), QByteArray(1, '\x01'));
    QVERIFY(pollGoesOn());
    // After the search answers are parsed as frames again.
    feed(levelAnswer(Level()));
    QCOMPARE(ui->label_UrovenDUTOnline->text(), QString("512"));
}

void TestOnlineAnswers::watchdogHidesReadingsButPollingGoesOn()
{
    page->connectDevice();
    feed(statusAnswer(1234, 17, 9, 3, 24));
    feed(levelAnswer(Level()));
    QVERIFY(!ui->tabWidgetQFOnline->isHidden());

    // No level answer for a watchdog period.
    QTRY_VERIFY_WITH_TIMEOUT(ui->tabWidgetQFOnline->isHidden(), 3 * page->intervals().watchdog);
    QVERIFY(ui->label_TempValDUT->isHidden());
    QVERIFY(page->isDeviceConnected());
    QVERIFY(pollGoesOn());

    // The unit answers again: its page is back whole, with its values.
    Level back;
    back.level = 777;
    feed(levelAnswer(back));
    QVERIFY(!ui->label_TempValDUT->isHidden());
    QVERIFY(!ui->tabWidgetQFOnline->isHidden());
    QVERIFY(!ui->label_UrovenDUTOnline->isHidden());
    QCOMPARE(ui->label_UrovenDUTOnline->text(), QString("777"));
}

void TestOnlineAnswers::connectingTwiceStillPollsOnceATick()
{
    // Two emissions from one timer tick come without the event loop running
    // between them: a zero-time reset armed by the first cannot have run.
    struct TickCounter
    {
        int emitted = 0;
        int twiceInATick = 0;
        bool inTick = false;
        void count(QObject *context)
        {
            ++emitted;
            twiceInATick += inTick ? 1 : 0;
            inTick = true;
            QTimer::singleShot(0, context, [this] { inTick = false; });
        }
    };
    TickCounter requests;
    TickCounter checks;
    QSignalSpy levels(page, &QFOnline::signalRequestForGetAllDataFromDevice);
    QSignalSpy statuses(page, &QFOnline::signalRequestForGetAllDataFromQFOnlineDevice);
    connect(page, &QFOnline::signalRequestForGetAllDataFromDevice, this, [&] { requests.count(this); });
    connect(page, &QFOnline::signalRequestForGetAllDataFromQFOnlineDevice, this, [&] { requests.count(this); });
    connect(page, &QFOnline::signalCheckIncommingData, this, [&] { checks.count(this); });
    page->connectDevice();
    // The end of a firmware update connects again.
    page->connectDevice();
    QTRY_VERIFY_WITH_TIMEOUT(requests.emitted >= 4 && checks.emitted >= 4, 5000);
    // One request a tick, level and status in turn.
    QCOMPARE(requests.twiceInATick, 0);
    QVERIFY(levels.size() >= 1);
    QVERIFY(statuses.size() >= 1);
    QCOMPARE(checks.twiceInATick, 0);
    // The counters' resets still pending run before the counters go.
    page->disconnectDevice();
    QTest::qWait(20);
}

void TestOnlineAnswers::disconnectRightAfterConnectSendsNothing()
{
    QSignalSpy levels(page, &QFOnline::signalRequestForGetAllDataFromDevice);
    QSignalSpy statuses(page, &QFOnline::signalRequestForGetAllDataFromQFOnlineDevice);
    QSignalSpy queue(page, &QFOnline::copyNetNumToParent);
    page->connectDevice();
    page->disconnectDevice();
    QCOMPARE(queue.last().at(0).toByteArray(), QByteArray());
    // No timer of the page is left to ask later.
    QCOMPARE(pagetimers::running(page), QStringList());
    QCOMPARE(levels.size() + statuses.size(), 0);
    QVERIFY(!page->isDeviceConnected());
}

void TestOnlineAnswers::noTimerRunsWhileThePortIsClosed()
{
    const auto running = [this] {
        int count = 0;
        for (const QTimer *timer : page->findChildren<QTimer *>())
            count += timer->isActive() ? 1 : 0;
        return count;
    };
    QCOMPARE(running(), 0);
    page->connectDevice();
    QVERIFY(running() > 0);
    page->startSearchDevices();
    page->disconnectDevice();
    QCOMPARE(running(), 0);
    // A password step asked for meanwhile gives back no poll and no watchdog.
    page->checkPass();
    QCOMPARE(running(), 0);
}

void TestOnlineAnswers::writeBeforeReadIsRefused()
{
    page->connectDevice();
    feed(statusAnswer(1234, 17, 1, 1, 1)); // writes go only to a unit that answered
    QSignalSpy reads(page, &QFOnline::signalRequestForGetCfgQFOnline);
    page->setAddressAPI("typed.apn");
    QVERIFY(!page->writeParam());
    QVERIFY(framesWith(0xA3).isEmpty());
    const DynamicQDialog *notice = page->findChild<DynamicQDialog *>();
    QVERIFY(notice);
    QVERIFY(notice->findChildren<QLabel *>().first()->text().contains("Сначала прочитайте настройки"));

    // A switch clicked before the read goes back and asks for the settings.
    Switch *sw = page->getSwitch(QFOnline::Channel2);
    QTest::mouseClick(sw, Qt::LeftButton);
    QVERIFY(!sw->getState());
    QVERIFY(framesWith(0xA3).isEmpty());
    QCOMPARE(reads.size(), 1);

    // A mode switch before the unit reported its mode sends nothing either.
    Switch *mode = page->getSwitch(QFOnline::WorkingMode);
    QTest::mouseClick(mode, Qt::LeftButton);
    QVERIFY(!mode->getState());
    QVERIFY(framesWith(0xF2).isEmpty());

    readConfig(sampleRecord());
    QVERIFY(page->writeParam());
    QCOMPARE(framesWith(0xA3).size(), 1);
}

void TestOnlineAnswers::switchesFlipTheirBitsAndWriteTheBlock()
{
    page->connectDevice();
    feed(statusAnswer(1234, 17, 1, 1, 1)); // writes go only to a unit that answered
    QByteArray record = sampleRecord();
    record[0] = 0x01; // the write sets the format byte whatever was read
    readConfig(record);
    QSignalSpy reads(page, &QFOnline::signalRequestForGetCfgQFOnline);

    Switch *second = page->getSwitch(QFOnline::Channel2);
    QTest::mouseClick(second, Qt::LeftButton);
    QTest::mouseClick(second, Qt::LeftButton);
    Switch *egts = page->getSwitch(QFOnline::Egts);
    QTest::mouseClick(egts, Qt::LeftButton);

    const QList<QByteArray> writes = framesWith(0xA3);
    QCOMPARE(writes.size(), 3);
    QCOMPARE(reads.size(), 3);
    QByteArray expected = record;
    expected[0] = 0x16;
    expected[147] = 0x01;
    QCOMPARE(writes.at(0).mid(3, 162).toHex(' '), expected.toHex(' '));
    expected[147] = 0x00;
    QCOMPARE(writes.at(1).mid(3, 162).toHex(' '), expected.toHex(' '));
    // EGTS from C1 is 41: bit 7 only, no carry.
    expected[146] = 0x41;
    QCOMPARE(writes.at(2).mid(3, 162).toHex(' '), expected.toHex(' '));
    QVERIFY(frame::isValidAnswer(writes.at(2)));
}

void TestOnlineAnswers::modeSwitchSendsOnlyTheNewMode()
{
    page->connectDevice();
    feed(statusAnswer(1234, 17, 1, 1, 1)); // writes go only to a unit that answered
    readConfig(sampleRecord());
    Level l;
    l.mode = 0x21;
    feed(levelAnswer(l));
    QSignalSpy reads(page, &QFOnline::signalRequestForGetCfgQFOnline);
    QTest::mouseClick(page->getSwitch(QFOnline::WorkingMode), Qt::LeftButton);
    QCOMPARE(framesWith(0xF2), (QList<QByteArray>{frame::withCrc(QByteArray("\x3e\x01\xf2\x29", 4))}));
    QVERIFY(framesWith(0xA3).isEmpty());
    QCOMPARE(reads.size(), 1);
}

void TestOnlineAnswers::switchClickedDuringAWriteGoesBackAndIsTold()
{
    page->connectDevice();
    feed(statusAnswer(1234, 17, 1, 1, 1)); // writes go only to a unit that answered
    readConfig(sampleRecord());
    Switch *fourth = page->getSwitch(QFOnline::Channel4);
    QStringList toldMeanwhile;
    QObject clicking;
    connect(page, &QFOnline::writeData, &clicking, [&](const QByteArray &frame) {
        // The second click lands while the first write waits for its answers.
        if (quint8(frame.at(2)) == 0xA3 && framesWith(0xA3).size() == 1)
            QTimer::singleShot(10, &clicking, [&] {
                QTest::mouseClick(fourth, Qt::LeftButton);
                toldMeanwhile << page->findChild<DynamicQDialog *>()->findChildren<QLabel *>().first()->text();
            });
    });
    QTest::mouseClick(page->getSwitch(QFOnline::Channel2), Qt::LeftButton);

    QCOMPARE(toldMeanwhile, QStringList{"Дождитесь окончания текущей операции"});
    QVERIFY(!fourth->getState());
    const QList<QByteArray> writes = framesWith(0xA3);
    QCOMPARE(writes.size(), 1);
    QCOMPARE(quint8(writes.at(0).at(3 + 147)), quint8(1));
    QCOMPARE(quint8(writes.at(0).at(3 + 149)), quint8(0));
    QCOMPARE(quint8(page->getConfigBlock().bytes().at(149)), quint8(0));
    QVERIFY(pollGoesOn());
}

void TestOnlineAnswers::servicePlaceholdersShowOneNotice_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("discard changes") << 0;
    QTest::newRow("factory settings") << 1;
    QTest::newRow("automatic calibration") << 2;
}

void TestOnlineAnswers::servicePlaceholdersShowOneNotice()
{
    QFETCH(int, which);
    page->connectDevice();
    feed(statusAnswer(1234, 17, 1, 1, 1)); // writes go only to a unit that answered
    const QByteArray before = page->getConfigBlock().bytes();
    ModalWatcher watcher;
    if (which == 0)
        page->escapeCurSetting();
    else if (which == 1)
        page->setFactorySetting();
    else
        page->autoCalibrateFullEmptyQFOnline();
    QCOMPARE(watcher.seen, QStringList{"Функция в разработке"});
    QCOMPARE(written->size(), 0);
    QCOMPARE(page->getConfigBlock().bytes(), before);
    QVERIFY(pollGoesOn());
}

void TestOnlineAnswers::passwordOutcomeComesOnlyFromItsOwnAnswer()
{
    page->connectDevice();
    feed(statusAnswer(1234, 17, 1, 1, 1)); // writes go only to a unit that answered
    // An old refusal is on record; the unit says nothing to the probe.
    feed(shortAnswer(1, 0xFD));
    QCOMPARE(page->getCmdToReturn(), 0xFDu);
    ModalWatcher watcher;
    page->checkPass();
    QVERIFY2(watcher.seen.isEmpty(), qPrintable(watcher.seen.join(';')));
    QCOMPARE(framesWith(0xF7), (QList<QByteArray>{frame::withCrc(QByteArray("\x31\x01\xf7\0\0\0\0", 7))}));
    QCOMPARE(logged->last().at(0).toString(), QString("Check password QFOnline"));
    QVERIFY(pollGoesOn());
    QVERIFY(watchdogWatches());
}

QTEST_MAIN(TestOnlineAnswers)
#include "tst_onlineanswers.moc"
