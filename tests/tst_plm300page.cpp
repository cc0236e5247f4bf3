#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "devices/other/n7device.h"
#include "devices/other/plm300device.h"
#include "dialogdriver.h"
#include "link/bus.h"
#include "link/frame.h"
#include "link/portconnection.h"
#include "pagefixture.h"
#include "pagetimers.h"
#include "shortintervals.h"
#include "simulatedplm300.h"
#include "strayanswer.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRandomGenerator>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

// The PLM300 page: its intake on a bare form, then end to end through the
// main window, the real port on a pseudo-terminal and a simulated sensor.
class TestPlm300Page : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // The page on a form of its own.
    void searchAnswerAddressesThePage_data();
    void searchAnswerAddressesThePage();
    void loneFrameStartLeavesTheSearchRunning();
    void firstDataAnswerFillsTheSettingsLaterOnesOnlyTheDistance();
    void serialAnswerShowsSerialAndFirmware();
    void answersNotForThePageChangeNothing_data();
    void answersNotForThePageChangeNothing();
    void gluedDataAndSerialAnswersAreBothTaken();
    void anyChunkIsSurvived();
    void discardAndFactorySettingsOnlySayTheyAreToCome();

    // Through the main window.
    void connectShowsDistanceSettingsAndSerial();
    void editedSettingsAreWrittenInOrderAndReadBack();
    void unacceptableFieldsAreRefusedWithAMessage_data();
    void unacceptableFieldsAreRefusedWithAMessage();
    void modeIsWrittenWhenPicked();
    void newNetworkNumberIsFoundAgain();
    void silentSensorIsReportedLostAndComesBack();
    void requestsStayAtTwoAPollHoweverLongThePageIsOpen();
    void leavingThePageReportsNoLostSensor();
    void endOfAFirmwareUpdateResumesThePage();
    void noPageTimerRunsWhileThePortIsClosed();
    void serviceEntriesReachTheActivePageOnly_data();
    void serviceEntriesReachTheActivePageOnly();

private:
    void connectPage();
    static void type(QLineEdit *edit, const QString &text);
    QStringList appliedHex() const;

    std::unique_ptr<SimulatedPlm300> device;
    std::unique_ptr<Reriruvozive> window;
    Ui_Deruvivuriri *ui = nullptr;
    PLM300Device *page = nullptr;
};

namespace {

// A connect takes a search, its answer and a data and a serial answer.
constexpr int kConnectMs = 6000;
// The page runs on short periods (see connectPage()).
constexpr int kPollMs = shortintervals::kPollMs;
// Room for the re-read after a write, before polling resumes.
constexpr int kPollAfterWriteMs = 1000;
// Only serial answers keep the page connected.
constexpr int kWatchdogMs = shortintervals::kWatchdogMs;
// Room for a loaded machine on top of the periods a wait is sized for.
constexpr int kSlackMs = 2000;
// Four settings, each followed by its pause, and the re-read after them.
constexpr int kWriteMs = 6000;

const QString kConnected = QStringLiteral("Подключен ПЛМ-300");
const QString kConnectSensor = QStringLiteral("Подключите датчик");

using Fixture = PageFixture<PLM300Device>;

// Starts a search on the page the way connecting does and answers it.
void answerSearch(Fixture &f, const QByteArray &answer)
{
    f.page->setSearchRunning(true);
    f.feed(answer);
}

QByteArray withCrcFixed(QByteArray frame)
{
    return frame::withCrc(frame.left(frame.size() - 1));
}

// A frame written out in hexadecimal, without its CRC.
QString hexFrame(const char *hex)
{
    return QString::fromLatin1(frame::withCrc(QByteArray::fromHex(hex)).toHex());
}

} // namespace

void TestPlm300Page::init()
{
    device = std::make_unique<SimulatedPlm300>();
    QVERIFY(device->isValid());
}

void TestPlm300Page::cleanup()
{
    window.reset();
    device.reset();
    ui = nullptr;
    page = nullptr;
}

void TestPlm300Page::searchAnswerAddressesThePage_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("netNum");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("one sensor") << QByteArray::fromHex("05") << 5 << QStringList{"5"};
    QTest::newRow("three sensors") << QByteArray::fromHex("05070a") << 5 << QStringList{"5", "7", "10"};
    QTest::newRow("number 200") << QByteArray::fromHex("c8") << 200 << QStringList{"200"};
    // A number said twice is one sensor; the search's own address is none.
    QTest::newRow("a number twice") << QByteArray::fromHex("05ff0705") << 5 << QStringList{"5", "7"};
    QTest::newRow("a frame for an answer") << QByteArray::fromHex("3e0107") << 0 << QStringList{"0"};
}

void TestPlm300Page::searchAnswerAddressesThePage()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, netNum);
    QFETCH(QStringList, listed);

    Fixture f;
    QSignalSpy sent(f.page.get(), &PLM300Device::writeData);
    QSignalSpy found(f.page.get(), &PLM300Device::copyNetNumToParent);
    QSignalSpy serialAsked(f.page.get(), &PLM300Device::signalRequestForGetSerNumAndFirmWareVersion);
    answerSearch(f, answer);

    QVERIFY(!f.page->isSearchActive());
    QCOMPARE(int(f.page->getNetNum()), netNum);
    // The first read goes straight to the sensor found.
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.at(0).at(0).toByteArray().toHex(),
             frame::withCrc(QByteArray::fromHex("31") + char(netNum) + char(0xF0)).toHex());
    QCOMPARE(f.ui->lineEdit_netNumPLM300->text(), QString::number(netNum));
    QStringList items;
    for (int i = 0; i < f.ui->comboBox_netNumPLM300->count(); ++i)
        items << f.ui->comboBox_netNumPLM300->itemText(i);
    QCOMPARE(items, listed);
    QCOMPARE(f.ui->label_ListDev_PLM300->text(), listed.join(','));
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.at(0).at(0).toByteArray().size(), listed.size());
    QCOMPARE(serialAsked.size(), 1);
}

void TestPlm300Page::loneFrameStartLeavesTheSearchRunning()
{
    Fixture f;
    QSignalSpy sent(f.page.get(), &PLM300Device::writeData);
    QSignalSpy log(f.page.get(), &PLM300Device::signalWriteLog);
    f.page->showStatusMessage("...");
    answerSearch(f, QByteArray::fromHex("3e"));
    QVERIFY(f.page->isSearchActive());
    QCOMPARE(sent.size(), 0);
    QCOMPARE(f.page->getLabelStatusMessage()->text(), kConnectSensor);
    QCOMPARE(log.size(), 1);
}

void TestPlm300Page::firstDataAnswerFillsTheSettingsLaterOnesOnlyTheDistance()
{
    Fixture f;
    answerSearch(f, QByteArray(1, char(device->netNum)));
    f.page->setFirstDataRequest(true);
    device->distance = 120;
    device->minimum = 25;
    device->maximum = 380;
    device->smoothing = 12;
    device->threshold = 40;
    device->mode = 0x04;
    QSignalSpy serialAsked(f.page.get(), &PLM300Device::signalRequestForGetSerNumAndFirmWareVersion);
    f.feed(device->dataAnswer());

    QCOMPARE(f.page->getLabelStatusMessage()->text(), kConnected);
    QVERIFY(!f.ui->lineEdit_max_PLM300->isHidden());
    QCOMPARE(f.ui->label_UrovenPLM300->text(), QString("120"));
    QCOMPARE(f.ui->progressBarLevelPLM300->value(), 120);
    QCOMPARE(f.ui->lineEdit_min_PLM300->text(), QString("25"));
    QCOMPARE(f.ui->lineEdit_max_PLM300->text(), QString("380"));
    QCOMPARE(f.ui->lineEdit_smoothing_PLM300->text(), QString("12"));
    QCOMPARE(f.ui->lineEdit_porog_PLM300->text(), QString("40"));
    QCOMPARE(f.ui->comboBox_modePLM300->currentIndex(), 1);
    QCOMPARE(serialAsked.size(), 1);

    // The user is typing; the next answers bring a new distance only.
    f.ui->lineEdit_max_PLM300->setText("300");
    device->distance = 450; // beyond the bar's scale
    device->maximum = 390;
    device->mode = 0x00;
    f.feed(device->dataAnswer());
    QCOMPARE(f.ui->label_UrovenPLM300->text(), QString("450"));
    QCOMPARE(f.ui->progressBarLevelPLM300->value(), 120);
    QCOMPARE(f.ui->lineEdit_max_PLM300->text(), QString("300"));
    QCOMPARE(f.ui->comboBox_modePLM300->currentIndex(), 1);
    QCOMPARE(serialAsked.size(), 2);

    // After a write the settings are read back once more.
    f.page->setFirstDataRequest(true);
    f.feed(device->dataAnswer());
    QCOMPARE(f.ui->lineEdit_max_PLM300->text(), QString("390"));
    QCOMPARE(f.ui->comboBox_modePLM300->currentIndex(), 0);
}

void TestPlm300Page::serialAnswerShowsSerialAndFirmware()
{
    Fixture f;
    answerSearch(f, QByteArray(1, char(device->netNum)));
    // Every family answers the serial request alike: it is taken from a
    // number that answered as a PLM300.
    f.feed(device->dataAnswer());
    QVERIFY(!f.page->isDeviceConnected());
    QSignalSpy dataAsked(f.page.get(), &PLM300Device::signalRequestForGetAllDataFromDevice);
    QSignalSpy queue(f.page.get(), &PLM300Device::copyQueueSurveyDevice);
    device->serial = 0xFFFFFFFF;
    device->firmware = 1234;
    f.feed(device->serialAnswer());
    // The serial number is signed; the firmware shows its last three digits.
    QCOMPARE(f.ui->label_SerNumVal->text(), QString("-1"));
    QCOMPARE(f.ui->label_FirmwareVal->text(), QString("2.3.4"));
    QVERIFY(f.page->isDeviceConnected());
    // It ends the poll's chain: the next data request is the poll's own.
    QCOMPARE(dataAsked.size(), 0);
    QCOMPARE(queue.size(), 1);
    QCOMPARE(queue.at(0).at(0).toInt(), 0);
}

void TestPlm300Page::answersNotForThePageChangeNothing_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("data answer of 22 bytes") << "short data";
    QTest::newRow("serial answer of 9 bytes") << "short serial";
    QTest::newRow("wrong CRC") << "crc";
    QTest::newRow("another network number") << "net";
    QTest::newRow("another command") << "command";
    QTest::newRow("a request's start byte") << "start";
}

void TestPlm300Page::answersNotForThePageChangeNothing()
{
    QFETCH(QString, fault);

    Fixture f;
    answerSearch(f, QByteArray(1, char(device->netNum)));
    f.page->setFirstDataRequest(true);
    QByteArray answer = fault == "short serial" ? device->serialAnswer() : device->dataAnswer();
    if (fault == "short data" || fault == "short serial")
        answer = withCrcFixed(answer.left(answer.size() - 1));
    else if (fault == "crc")
        answer[answer.size() - 1] = char(answer.at(answer.size() - 1) ^ 0x21);
    else if (fault == "net")
        answer = withCrcFixed(answer.replace(1, 1, QByteArray(1, char(device->netNum + 1))));
    else if (fault == "command")
        answer = withCrcFixed(answer.replace(2, 1, QByteArray(1, char(0xF5))));
    else if (fault == "start")
        answer = withCrcFixed(answer.replace(0, 1, QByteArray(1, char(frame::kRequestStart))));

    QSignalSpy asked(f.page.get(), &PLM300Device::signalRequestForGetSerNumAndFirmWareVersion);
    QSignalSpy dataAsked(f.page.get(), &PLM300Device::signalRequestForGetAllDataFromDevice);
    f.ui->label_UrovenPLM300->setText("--");
    f.ui->label_SerNumVal->setText("--");
    f.feed(answer);
    QCOMPARE(f.ui->label_UrovenPLM300->text(), QString("--"));
    QCOMPARE(f.ui->label_SerNumVal->text(), QString("--"));
    QVERIFY(f.ui->lineEdit_max_PLM300->text().isEmpty());
    QVERIFY(!f.page->isDeviceConnected());
    QCOMPARE(asked.size(), 0);
    QCOMPARE(dataAsked.size(), 0);
}

void TestPlm300Page::gluedDataAndSerialAnswersAreBothTaken()
{
    Fixture f;
    answerSearch(f, QByteArray(1, char(device->netNum)));
    f.page->setFirstDataRequest(true);
    device->distance = 222;
    // The pair passes the CRC-8 as one frame: only cutting it finds both.
    f.feed(device->dataAnswer() + device->serialAnswer());
    QCOMPARE(f.ui->label_UrovenPLM300->text(), QString("222"));
    QCOMPARE(f.ui->label_SerNumVal->text(), QString("300123"));
    QVERIFY(f.page->isDeviceConnected());
}

void TestPlm300Page::anyChunkIsSurvived()
{
    Fixture f;
    answerSearch(f, QByteArray(1, char(device->netNum)));
    QRandomGenerator rng(0x300u);
    const QByteArray whole[] = {device->dataAnswer(), device->serialAnswer()};
    for (int round = 0; round < 3000; ++round) {
        const QByteArray &model = whole[round % 2];
        QByteArray chunk;
        switch (round % 4) {
        case 0: // truncated, with a CRC that fits what is left
            chunk = withCrcFixed(model.left(rng.bounded(1, model.size() + 1)));
            break;
        case 1: // oversized
            chunk = withCrcFixed(model + QByteArray(rng.bounded(1, 40), char(rng.bounded(256))));
            break;
        case 2: // glued to the front of another
            chunk = model + whole[(round + 1) % 2].left(rng.bounded(1, 24));
            break;
        default: // random bytes behind the page's frame head
            chunk = model.left(3);
            for (int i = rng.bounded(0, 40); i > 0; --i)
                chunk.append(char(rng.bounded(256)));
            chunk = frame::withCrc(chunk);
            break;
        }
        f.feed(chunk);
    }
    QVERIFY(!f.page->isSearchActive());
}

void TestPlm300Page::discardAndFactorySettingsOnlySayTheyAreToCome()
{
    Fixture f;
    QSignalSpy sent(f.page.get(), &PLM300Device::writeData);
    DialogDriver driver;
    f.page->escapeCurSetting();
    f.page->setFactorySetting();
    QCOMPARE(driver.seen.size(), 2);
    for (const DialogDriver::Seen &seen : qAsConst(driver.seen))
        QCOMPARE(seen.texts, QStringList{"Функция в разработке"});
    QCOMPARE(sent.size(), 0);
}

// ---- Through the main window -------------------------------------------------

void TestPlm300Page::connectPage()
{
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit());
    window = std::make_unique<Reriruvozive>();
    ui = window->form();
    page = window->plm300();
    QVERIFY(page);
    shortintervals::apply(page);
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    QCOMPARE(ui->comboBox_SerialPort->currentText(), device->portPath());
    ui->pushButtonPLM300->click();
    QVERIFY(window->port()->getSerialPort()->isOpen());
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->PLM300);
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), kConnected, kConnectMs);
}

void TestPlm300Page::type(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

QStringList TestPlm300Page::appliedHex() const
{
    QStringList out;
    for (const QByteArray &w : device->appliedWrites)
        out << QString::fromLatin1(w.toHex());
    return out;
}

void TestPlm300Page::connectShowsDistanceSettingsAndSerial()
{
    device->netNum = 9;
    device->distance = 187;
    device->minimum = 30;
    device->maximum = 350;
    device->smoothing = 8;
    device->threshold = 60;
    device->mode = 0x04;
    device->firmware = 215;
    device->otherNetNums = QByteArray::fromHex("0c");
    // The data and serial answers also arrive in one chunk now and then.
    device->glued = true;
    // A byte that waited on the line while the port was closed answers no search.
    QVERIFY(device->sendRaw(QByteArray::fromHex("a5")));
    // Nor do a bootloader's bytes and noise that answer a search request:
    // the sensor is found by the next search, and nothing goes to them after.
    answerFirstSearchWith(*device, QByteArray::fromHex("1f79a5ff"));
    connectPage();
    device->clearRequests();

    QCOMPARE(ui->label_ListDev_PLM300->text(), QString("9,12"));
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_SerNumVal->text(), QString("300123"), 2 * kPollMs + kSlackMs);
    QCOMPARE(ui->label_FirmwareVal->text(), QString("2.1.5"));
    QCOMPARE(ui->label_UrovenPLM300->text(), QString("187"));
    QCOMPARE(ui->lineEdit_min_PLM300->text(), QString("30"));
    QCOMPARE(ui->lineEdit_max_PLM300->text(), QString("350"));
    QCOMPARE(ui->lineEdit_smoothing_PLM300->text(), QString("8"));
    QCOMPARE(ui->lineEdit_porog_PLM300->text(), QString("60"));
    QCOMPARE(ui->lineEdit_netNumPLM300->text(), QString("9"));
    QCOMPARE(ui->comboBox_modePLM300->currentText(), QString("Частотный режим"));
    QVERIFY(!ui->label_UrovenPLM300->isHidden());
    QVERIFY(!ui->ButtonWriteParamPLM300->isHidden());
    QVERIFY(page->isDeviceConnected());

    // The distance follows the sensor; the settings the user may be editing do not.
    device->distance = 240;
    device->maximum = 399;
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenPLM300->text(), QString("240"), 4 * kPollMs + kSlackMs);
    QCOMPARE(ui->progressBarLevelPLM300->value(), 240);
    QCOMPARE(ui->lineEdit_max_PLM300->text(), QString("350"));
    // Every request went to the sensor found, but the serial request that
    // proves the second number listed a sensor.
    for (quint8 command : {quint8(0xF0), quint8(0xFC)}) {
        for (const QByteArray &r : device->requestsWith(command))
            QVERIFY2(quint8(r.at(1)) == 9 || quint8(r.at(1)) == 0 || r == QByteArray::fromHex("310cfc") + r.right(1),
                     qPrintable(r.toHex()));
    }

    // Switched off and on, the search lists a stray byte after the two
    // numbers: asked once and never answering, it is searched away.
    ui->pushButtonPLM300->click();
    answerFirstSearchWith(*device, QByteArray::fromHex("090c1f"));
    ui->pushButtonPLM300->click();
    // Judged on the line, not by a list shown for one watchdog period.
    const auto askedStray = [this] {
        return device->requestsWith(0xFC).contains(frame::request(0x1F, bus::kSerialAndFirmwareCommand));
    };
    QTRY_VERIFY_WITH_TIMEOUT(askedStray(), kConnectMs + kWatchdogMs);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_ListDev_PLM300->text(), QString("9,12"), 2 * kWatchdogMs + kSlackMs);
}

void TestPlm300Page::editedSettingsAreWrittenInOrderAndReadBack()
{
    connectPage();
    type(ui->lineEdit_max_PLM300, "310");
    type(ui->lineEdit_min_PLM300, "30");
    type(ui->lineEdit_smoothing_PLM300, "20");
    type(ui->lineEdit_porog_PLM300, "100");
    for (QLabel *mark :
         {ui->label_Alarm_1PLM300, ui->label_Alarm_2PLM300, ui->label_Alarm_3PLM300, ui->label_Alarm_4PLM300})
        QVERIFY(!mark->isHidden());
    QVERIFY(ui->label_Alarm_5PLM300->isHidden());
    QVERIFY(page->getSettingsChanged());
    // Something the user did not touch changes on the sensor meanwhile; the
    // read-back after the write shows it.
    device->distance = 205;

    ui->ButtonWriteParamPLM300->click();
    QCOMPARE(appliedHex(), (QStringList{hexFrame("3101f50136"), hexFrame("3101fa001e"), hexFrame("3101e90014"),
                                        hexFrame("3101ea0064")}));
    QCOMPARE(device->maximum, quint16(310));
    QCOMPARE(device->threshold, quint8(100));
    QCOMPARE(ui->lineEdit_max_PLM300->text(), QString("310"));
    QCOMPARE(ui->lineEdit_porog_PLM300->text(), QString("100"));
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenPLM300->text(), QString("205"), 2 * kPollAfterWriteMs + kSlackMs);
    QTRY_VERIFY_WITH_TIMEOUT(ui->label_Alarm_1PLM300->isHidden(), 2000);
    QVERIFY(ui->label_Alarm_4PLM300->isHidden());
    QVERIFY(!page->getSettingsChanged());

    // Polling goes on, and Ctrl+S with nothing edited sends nothing.
    const int polls = device->countRequests(0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(0xF0) >= polls + 2, 4 * kPollAfterWriteMs + kSlackMs);
    window->slotShortcutCtrlS();
    QCOMPARE(device->appliedWrites.size(), 4);

    // Ctrl+S writes an edit as the button does.
    device->threshold = 11;
    type(ui->lineEdit_porog_PLM300, "12");
    window->slotShortcutCtrlS();
    QCOMPARE(appliedHex().mid(4), (QStringList{hexFrame("3101ea000c")}));
    QCOMPARE(device->threshold, quint8(12));
    // A write left between its frames sends nothing of it in the next session.
    type(ui->lineEdit_max_PLM300, "320");
    type(ui->lineEdit_min_PLM300, "40");
    connect(device.get(), &SimulatedDevice::requestReceived, page, [&, left = false](const QByteArray &r) mutable {
        if (!left && (left = quint8(r.at(2)) == 0xF5)) {
            ui->pushButtonPLM300->click(); // off, and on again
            ui->pushButtonPLM300->click();
        }
    });
    ui->ButtonWriteParamPLM300->click();
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), kConnected, kConnectMs);
    ui->ButtonWriteParamPLM300->click();
    QCOMPARE(appliedHex().mid(5), (QStringList{hexFrame("3101f50140")}));
}

void TestPlm300Page::unacceptableFieldsAreRefusedWithAMessage_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("caption");
    QTest::newRow("maximum emptied") << "max"
                                     << ""
                                     << "Максимум";
    QTest::newRow("maximum below its range") << "max"
                                             << "5"
                                             << "Максимум";
    QTest::newRow("threshold below its range") << "porog"
                                               << "3"
                                               << "Порог";
    QTest::newRow("number another sensor holds") << "netNum"
                                                 << "12"
                                                 << "Сетевой адрес 12 уже занят другим датчиком";
}

void TestPlm300Page::unacceptableFieldsAreRefusedWithAMessage()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, caption);

    device->otherNetNums = QByteArray::fromHex("0c");
    connectPage();
    // A good edit next to the bad one: nothing at all goes out.
    type(ui->lineEdit_min_PLM300, "30");
    type(window->findChild<QLineEdit *>(field == "netNum" ? "lineEdit_netNumPLM300" : "lineEdit_" + field + "_PLM300"),
         typed);
    const int requestsBefore = device->requests().size();

    DialogDriver driver;
    ui->ButtonWriteParamPLM300->click();
    QCOMPARE(driver.seen.size(), 1);
    QVERIFY2(driver.texts().join(' ').contains(caption), qPrintable(driver.texts().join('|')));
    QVERIFY(device->appliedWrites.isEmpty());
    for (int i = requestsBefore; i < device->requests().size(); ++i)
        QVERIFY2(device->requests().at(i).bytes.size() <= 4, qPrintable(device->requests().at(i).bytes.toHex()));
    // The edits stay marked for the user to put right, and the page goes on.
    QVERIFY(!ui->label_Alarm_2PLM300->isHidden());
    QVERIFY(page->getSettingsChanged());
    const int polls = device->countRequests(0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(0xF0) > polls, 3 * kPollMs + kSlackMs);
    QCOMPARE(page->getLabelStatusMessage()->text(), kConnected);
}

void TestPlm300Page::modeIsWrittenWhenPicked()
{
    connectPage();
    QCOMPARE(ui->comboBox_modePLM300->currentIndex(), 0);
    ui->comboBox_modePLM300->setCurrentIndex(1);
    emit ui->comboBox_modePLM300->activated(1);
    QTRY_COMPARE_WITH_TIMEOUT(appliedHex(), (QStringList{"3101f20405"}), 2000);
    QCOMPARE(device->mode, quint8(0x04));
    // Picking the entry already shown sends it again.
    emit ui->comboBox_modePLM300->activated(1);
    QTRY_COMPARE_WITH_TIMEOUT(device->appliedWrites.size(), 2, 2000);
    emit ui->comboBox_modePLM300->activated(0);
    QTRY_COMPARE_WITH_TIMEOUT(appliedHex().value(2), QString("3101f20064"), 2000);
}

void TestPlm300Page::newNetworkNumberIsFoundAgain()
{
    connectPage();
    QCOMPARE(ui->lineEdit_netNumPLM300->text(), QString("1"));
    type(ui->lineEdit_netNumPLM300, "7");
    QVERIFY(!ui->label_Alarm_5PLM300->isHidden());
    const int searches = device->countRequests(0xFF);

    ui->ButtonWriteParamPLM300->click();
    // Sent to the number the sensor had, then the bus is searched again.
    QCOMPARE(appliedHex(), (QStringList{hexFrame("3101fb07")}));
    QCOMPARE(device->netNum, quint8(7));
    QVERIFY(device->countRequests(0xFF) > searches);
    QTRY_COMPARE_WITH_TIMEOUT(int(page->getNetNum()), 7, 3 * kPollAfterWriteMs + kSlackMs);
    QCOMPARE(window->getCurrentNetNum(), 7);
    QCOMPARE(ui->lineEdit_netNumPLM300->text(), QString("7"));
    QCOMPARE(ui->label_ListDev_PLM300->text(), QString("7"));
    const int polls = device->countRequests(0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(0xF0) >= polls + 2, 4 * kPollAfterWriteMs + kSlackMs);
    QCOMPARE(quint8(device->requestsWith(0xF0).last().at(1)), quint8(7));
    QCOMPARE(page->getLabelStatusMessage()->text(), kConnected);
}

void TestPlm300Page::silentSensorIsReportedLostAndComesBack()
{
    connectPage();
    QSignalSpy log(window.get(), &Reriruvozive::signalLogWritten);
    // Data answers still come, serial answers no longer: only those count.
    device->serialSilent = true;
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), kConnectSensor,
                              kWatchdogMs + 3 * kPollMs + kSlackMs);
    QVERIFY(ui->label_UrovenPLM300->isHidden());
    QVERIFY(ui->lineEdit_max_PLM300->isHidden());
    QVERIFY(!page->getLabelStatusMessage()->isHidden());
    bool reported = false;
    for (const QList<QVariant> &line : qAsConst(log))
        reported = reported || line.at(0).toString().endsWith(" -- Device is not responding");
    QVERIFY(reported);

    // It answers again, with a setting changed meanwhile: the page shows it
    // connected, with what it now holds.
    device->maximum = 333;
    device->serialSilent = false;
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), kConnected, 3 * kPollMs + kSlackMs);
    QVERIFY(!ui->label_UrovenPLM300->isHidden());
    QVERIFY(!ui->ButtonWriteParamPLM300->isHidden());
    QCOMPARE(ui->lineEdit_max_PLM300->text(), QString("333"));
}

void TestPlm300Page::requestsStayAtTwoAPollHoweverLongThePageIsOpen()
{
    connectPage();
    // Once the search is over, the poll is the page's one timer at its period.
    QTimer *poll = nullptr;
    for (QTimer *t : page->findChildren<QTimer *>()) {
        if (t->isActive() && t->interval() == kPollMs)
            poll = t;
    }
    QVERIFY(poll);
    QSignalSpy polls(poll, &QTimer::timeout);
    const auto asked = [this] { return device->countRequests(0xF0) + device->countRequests(0xFC); };
    const int before = asked();
    // Each answer asking at once for the other started one more chain of
    // requests at every poll: twice the polls after a few, and growing.
    constexpr int kPolls = 30;
    QTRY_VERIFY_WITH_TIMEOUT(polls.size() >= kPolls, 2 * kPolls * kPollMs + kSlackMs);
    // Counted as the device took them: what was on its way when counting
    // began (the serial request the first data answer started, one poll's
    // pair) arrives within the count.
    const int perPoll = asked() - before;
    QVERIFY2(perPoll <= 2 * polls.size() + 3,
             qPrintable(QString("%1 requests in %2 polls").arg(perPoll).arg(polls.size())));
    // And the readings keep coming.
    device->distance = 271;
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenPLM300->text(), QString("271"), 3 * kPollMs + kSlackMs);
    QCOMPARE(page->getLabelStatusMessage()->text(), kConnected);
}

void TestPlm300Page::leavingThePageReportsNoLostSensor()
{
    connectPage();
    QVERIFY(page->isDeviceConnected());
    QSignalSpy log(window.get(), &Reriruvozive::signalLogWritten);
    // Another device opens the port; the PLM300 is no longer talked to.
    ui->pushButtonDeviceFLS->click();
    QVERIFY(window->port()->getSerialPort()->isOpen());
    for (const QList<QVariant> &line : qAsConst(log))
        QVERIFY2(!line.at(0).toString().contains("Device is not responding"), qPrintable(line.at(0).toString()));
    QVERIFY(!page->isDeviceConnected());
    QVERIFY(!window->deviceFlags().plm300);
    // Back while the sensor is silent: nothing heard yet is no "connected".
    ui->pushButtonDeviceFLS->click();
    device->silent = true;
    ui->pushButtonPLM300->click();
    QCOMPARE(page->getLabelStatusMessage()->text(), kConnectSensor);
}

void TestPlm300Page::endOfAFirmwareUpdateResumesThePage()
{
    connectPage();
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_FirmwareVal->text(), QString("1.2.3"), kConnectMs);
    // A firmware update stops the page first, as the service menu does.
    page->disconnectDevice();
    QVERIFY(ui->label_UrovenPLM300->isHidden());
    // The bootloader has the line: no timer of the page is left to ask it
    // anything.
    QCOMPARE(pagetimers::running(page), QStringList());
    const int searches = device->countRequests(0xFF);
    device->distance = 333;
    device->firmware = 124;

    emit window->firmware()->finished(FirmwareUpdater::Page::PLM300, true);
    // The new session names no sensor until one answers.
    QCOMPARE(ui->label_FirmwareVal->text() + ui->label_SerNumVal->text(), QString());
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(0xFF) > searches, 2000);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_FirmwareVal->text(), QString("1.2.4"), kConnectMs);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenPLM300->text(), QString("333"), 2 * kPollMs + kSlackMs);
    QVERIFY(!ui->label_UrovenPLM300->isHidden());
    QCOMPARE(page->getLabelStatusMessage()->text(), kConnected);
    QVERIFY(page->isDeviceConnected());
}

void TestPlm300Page::noPageTimerRunsWhileThePortIsClosed()
{
    const auto running = [](const QWidget *p) {
        int count = 0;
        for (const QTimer *t : p->findChildren<QTimer *>())
            count += t->isActive() ? 1 : 0;
        return count;
    };
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit());
    auto idle = std::make_unique<Reriruvozive>();
    QCOMPARE(running(idle->plm300()), 0);
    QCOMPARE(running(idle->n7()), 0);
    idle.reset();

    connectPage();
    QVERIFY(running(page) > 0);
    ui->pushButtonPLM300->click();
    QVERIFY(!window->port()->getSerialPort()->isOpen());
    QCOMPARE(running(page), 0);
}

void TestPlm300Page::serviceEntriesReachTheActivePageOnly_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("question");
    QTest::newRow("discard") << "discard"
                             << "Вы хотите отменить изменения настроек?";
    QTest::newRow("setfactory") << "setfactory"
                                << "Будут загружены заводские установки";
}

void TestPlm300Page::serviceEntriesReachTheActivePageOnly()
{
    QFETCH(QString, entry);
    QFETCH(QString, question);

    connectPage();
    // The wired page, not the one shown, holds an edit of its own.
    window->fls()->setParamChanged(true);
    ui->label_Alarm_4DUT->show();
    QAction *action = nullptr;
    for (QAction *a : ui->pushButtonService->menu()->actions()) {
        if (a->objectName() == entry)
            action = a;
    }
    QVERIFY(action);

    DialogDriver driver;
    action->trigger();
    // The PLM300 page answers both entries itself; the wired page is left alone.
    QCOMPARE(driver.texts(), (QStringList{question, "Функция в разработке"}));
    QVERIFY(!ui->label_Alarm_4DUT->isHidden());
    QCOMPARE(device->appliedWrites.size(), 0);
}

QTEST_MAIN(TestPlm300Page)
#include "tst_plm300page.moc"
