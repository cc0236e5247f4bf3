#include "app/answerroute.h"
#include "app/reriruvozive.h"
#include "app/startup.h"
#include "deruvivuriri_form.h"
#include "devices/angle/kvbledevice.h"
#include "link/bridgegpio.h"
#include "link/deviceeventfilter.h"
#include "link/devicewatchsource.h"
#include "link/frame.h"
#include "link/portconnection.h"
#include "modalcloser.h"
#include "simulateddevice.h"
#include "ui/boundedintvalidator.h"
#include "waitsrunout.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSerialPort>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct LatchCall
{
    QString port;
    quint16 mask = 0;
    quint16 value = 0;
};

// Stands in for the bridge of a USB BLE base.
class FakeBridgeGpio : public BridgeGpio
{
public:
    explicit FakeBridgeGpio(QList<LatchCall> *calls, bool present = true) : calls(calls), present(present) {}
    bool open(const QString &portName) override
    {
        opened = portName;
        return present;
    }
    int writeLatch(quint16 mask, quint16 value) override
    {
        calls->append({opened, mask, value});
        return 0;
    }
    void close() override { opened.clear(); }

private:
    QList<LatchCall> *calls;
    bool present;
    QString opened;
};

bool sawRequest(const SimulatedDevice &device, const QByteArray &frame)
{
    for (const SimulatedDevice::Request &r : device.requests()) {
        if (r.bytes == frame)
            return true;
    }
    return false;
}

} // namespace

// One way a session ends, as a row of the table.
struct SessionEnd
{
    // The device's button.
    const char *button = nullptr;
    // How its session ends other than by a hang-up: a button pressed next,
    // "close", or why its port will not open.
    QString end;
    // What a box tells of a failed open.
    QString told;
    // 0.4 s into a wireless angle sensor's write.
    bool wirelessAngleWrite = false;
};

Q_DECLARE_METATYPE(answerroute::DeviceFlags)
Q_DECLARE_METATYPE(SessionEnd)

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startsOnTheSensorPageAndLogsTheStart();
    void titleIsReimposed();
    void portListOffersTheNamedExtraPorts();
    void wiredSensorButtonOpensThePortAndSearchesTheBus();
    void busRequestsCarryTheSurveyAddress();
    void indicatorRequestCarriesTheSensorSlot();
    void routingPicksTheFirstSetFlag_data();
    void routingPicksTheFirstSetFlag();
    void receiveBufferDropsAChunkThatDoesNotFit();
    void pressingTheActiveButtonAgainSwitchesOff();
    void hangingUpSwitchesTheDeviceOffAndRefreshes_data();
    void hangingUpSwitchesTheDeviceOffAndRefreshes();
    void aPortListRefreshKeepsTheActivePortOpen();
    void aPortThatVanishedFromTheListSwitchesTheDeviceOff();
    void aPressWithoutAConverterIsLiftedAndTold();
    void levelsIgnoreDeviceNumbersOutOfRange();
    void compareNetNumLooksOnlyAtEntriesThatExist();
    void indicatorLeftForAnotherDeviceStopsPolling();
    void bleBaseIsAttachedAndDetachedThroughTheLatch();
    void aMissingBridgeBreaksNothing();
    void logLinesWaitWhileTheFileCannotBeOpened();
    void listedPortsAreRefreshedByNoticesNotByTheSecondTick();
    void theUsersOpenGlChoiceIsKept();
    void integerFieldsTakeDigitsOnly_data();
    void integerFieldsTakeDigitsOnly();

private:
    std::unique_ptr<SimulatedDevice> device;
    std::unique_ptr<Reriruvozive> window;
    QList<LatchCall> latchCalls;
};

void TestMainWindow::init()
{
    device = std::make_unique<SimulatedDevice>();
    QVERIFY(device->isValid());
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit() + ":/dev/no-such-port-here");
    latchCalls.clear();
    window = std::make_unique<Reriruvozive>();
    window->setBridgeGpio(std::make_unique<FakeBridgeGpio>(&latchCalls));
}

void TestMainWindow::cleanup()
{
    window.reset();
    device.reset();
}

void TestMainWindow::startsOnTheSensorPageAndLogsTheStart()
{
    Ui_Deruvivuriri *ui = window->form();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->DUT);
    QVERIFY(ui->pushButtonWiredTag->isHidden());
    QVERIFY(ui->label_NameButtWM->isHidden());
    QCOMPARE(ui->comboBoxChooseLanguage->count(), 3);
    QCOMPARE(ui->comboBoxChooseTheme->count(), 2);
    QVERIFY(!window->port()->getSerialPort()->isOpen());

    QFile log(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/log.txt");
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    const QRegularExpression line(R"(\d{4}:\d\d:\d\d-\d\d:\d\d:\d\d -- Start Application\r\n$)");
    QVERIFY2(line.match(text).hasMatch(), qPrintable(text.right(80)));
}

void TestMainWindow::titleIsReimposed()
{
    const QString title = QString("Мирвел Конфигуратор %1").arg(RERIRUVOZIVE_VERSION);
    QCOMPARE(window->windowTitle(), title);
    window->setWindowTitle("something else");
    QCOMPARE(window->windowTitle(), title);
}

void TestMainWindow::portListOffersTheNamedExtraPorts()
{
    QComboBox *ports = window->form()->comboBox_SerialPort;
    QVERIFY(ports->findText(device->portPath()) >= 0);
    QCOMPARE(ports->findText("/dev/no-such-port-here"), -1);
}

void TestMainWindow::wiredSensorButtonOpensThePortAndSearchesTheBus()
{
    Ui_Deruvivuriri *ui = window->form();
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    ui->pushButtonDeviceFLS->click();

    QVERIFY(window->port()->getSerialPort()->isOpen());
    QVERIFY(window->deviceFlags().fls);
    QVERIFY(!ui->comboBox_SerialPort->isEnabled());
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->DUT);
    QCOMPARE(ui->groupBoxSerialPort->parentWidget(), ui->DUT);

    // The page starts searching before the port opens, so the search that
    // reaches the bus is the one of the search timer's first tick.
    QTRY_VERIFY_WITH_TIMEOUT(sawRequest(*device, QByteArray::fromHex("31ffdc")), 3000);
    // With nobody found yet only the search asks: a poll's answer would be
    // glued to its numbers.
    QTRY_VERIFY_WITH_TIMEOUT(device->requests().size() >= 3, 5000);
    QVERIFY(!sawRequest(*device, frame::request(0x00, 0xF0)));
}

void TestMainWindow::busRequestsCarryTheSurveyAddress()
{
    window->form()->comboBox_SerialPort->setCurrentText(device->portPath());
    window->port()->openSerialPort(device->portPath());
    QVERIFY(window->port()->getSerialPort()->isOpen());

    window->recieveNetNumFromChild(QByteArray::fromHex("050709"));
    // A list passed on is what the requests survey; writes go to the number
    // the page in use keeps, and no page is in use.
    QCOMPARE(window->getCurrentNetNum(), 0);
    window->recieveQueueSurveyDevice(1);
    window->requestForGetAllDataFromDevice();
    window->recieveQueueSurveyDevice(3); // past the end
    window->requestForGetSerNumAndFirmWareVersion();
    window->recieveQueueSurveyDevice(-1);
    window->requestForGetAllDataFromQFOnlineDevice();
    window->recieveNetNumFromChild(QByteArray());
    QCOMPARE(window->getCurrentNetNum(), 0);
    window->recieveQueueSurveyDevice(0);
    window->requestForGetAllDataFromDeviceAdvert();
    window->requestForGetCfgQFOnline();

    QVERIFY(device->waitForRequests(5));
    QCOMPARE(device->requests().at(0).bytes, frame::withCrc(QByteArray::fromHex("3107f0")));
    QCOMPARE(device->requests().at(1).bytes, frame::withCrc(QByteArray::fromHex("3100fc")));
    QCOMPARE(device->requests().at(2).bytes, frame::withCrc(QByteArray::fromHex("3100a0")));
    QCOMPARE(device->requests().at(3).bytes, frame::withCrc(QByteArray::fromHex("3100a6")));
    QCOMPARE(device->requests().at(4).bytes, frame::withCrc(QByteArray::fromHex("3ecaa20000000000")));

    // The search empties the survey queue and the receive buffer first.
    window->recieveNetNumFromChild(QByteArray::fromHex("05"));
    QByteArray stale("\x3e\x05", 2);
    window->getDataFromPort(stale);
    QCOMPARE(window->rxCount(), 2);
    window->requestForSearchDevices();
    QCOMPARE(window->rxCount(), 0);
    QVERIFY(window->getSurveyQueue().isEmpty());
    QVERIFY(device->waitForRequests(6));
    QCOMPARE(device->requests().at(5).bytes, QByteArray::fromHex("31ffdc"));
}

void TestMainWindow::indicatorRequestCarriesTheSensorSlot()
{
    window->port()->openSerialPort(device->portPath());
    QComboBox *slot = window->form()->comboBox_n7numberFLS;
    slot->clear();
    slot->addItems({"1", "2", "3", "4", "5", "6"});
    for (int index : {0, 2, 3, 5}) {
        slot->setCurrentIndex(index);
        window->requestForGetAllDataFromDeviceN7();
    }
    QVERIFY(device->waitForRequests(4));
    const QList<char> expected = {0, 2, 3, 0};
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(device->requests().at(i).bytes, frame::withCrc(QByteArray::fromHex("3edeee") + expected.at(i)));
}

void TestMainWindow::routingPicksTheFirstSetFlag_data()
{
    using answerroute::Parser;
    QTest::addColumn<answerroute::DeviceFlags>("flags");
    QTest::addColumn<int>("parser");
    answerroute::DeviceFlags none;
    answerroute::DeviceFlags flsAndBle;
    flsAndBle.fls = flsAndBle.ble = true;
    answerroute::DeviceFlags tagAndFls;
    tagAndFls.wiredTag = tagAndFls.fls = true;
    answerroute::DeviceFlags n7;
    n7.n7 = true;
    answerroute::DeviceFlags onlineAndKvble;
    onlineAndKvble.qfOnline = onlineAndKvble.kvble = true;
    QTest::newRow("none") << none << int(Parser::None);
    QTest::newRow("fls before ble") << flsAndBle << int(Parser::FLS);
    QTest::newRow("tag reader first") << tagAndFls << int(Parser::WiredTag);
    QTest::newRow("indicator last") << n7 << int(Parser::N7);
    QTest::newRow("online before kvble") << onlineAndKvble << int(Parser::QFOnline);
}

void TestMainWindow::routingPicksTheFirstSetFlag()
{
    QFETCH(answerroute::DeviceFlags, flags);
    QFETCH(int, parser);
    QCOMPARE(int(answerroute::parserFor(flags)), parser);
}

void TestMainWindow::receiveBufferDropsAChunkThatDoesNotFit()
{
    QByteArray tooBig(2049, '\x3e');
    window->getDataFromPort(tooBig);
    QCOMPARE(window->rxCount(), 0);
    QByteArray full(2048, '\x3e');
    window->getDataFromPort(full);
    QCOMPARE(window->rxCount(), 2048);
    // No page is active: a poll takes the bytes out and drops them.
    window->parceDataFromCOMPort();
    QCOMPARE(window->rxCount(), 0);

    // A chunk from the line lands in the buffer untouched.
    window->port()->openSerialPort(device->portPath());
    const QByteArray answer = SimulatedDevice::answerFrame(0x05, 0xF0, QByteArray(20, '\x01'));
    device->sendRaw(answer);
    QTRY_COMPARE_WITH_TIMEOUT(window->rxCount(), answer.size(), 2000);
}

void TestMainWindow::pressingTheActiveButtonAgainSwitchesOff()
{
    Ui_Deruvivuriri *ui = window->form();
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    QSignalSpy logged(window.get(), &Reriruvozive::signalLogWritten);
    ui->pushButtonDeviceFLS->click();
    QVERIFY(window->port()->getSerialPort()->isOpen());
    ui->pushButtonDeviceFLS->click();
    QVERIFY(!window->port()->getSerialPort()->isOpen());
    QVERIFY(!window->deviceFlags().fls);
    QVERIFY(ui->comboBox_SerialPort->isEnabled());
    QVERIFY(!ui->pushButtonDeviceFLS->isChecked());
    bool sawLine = false;
    for (const QList<QVariant> &args : logged)
        sawLine = sawLine || args.at(0).toString().endsWith(" -- FLS is disconnected");
    QVERIFY(sawLine);
}

void TestMainWindow::hangingUpSwitchesTheDeviceOffAndRefreshes_data()
{
    QTest::addColumn<SessionEnd>("row");
    QTest::newRow("wired sensor") << SessionEnd{"pushButtonDeviceFLS"};
    // 0.4 s into a write that waits for an outcome nobody reports.
    QTest::newRow("wireless angle sensor writing") << SessionEnd{"pushButtonBLE", {}, {}, true};
    // Every other end of a session leaves the same window.
    QTest::newRow("switched off") << SessionEnd{"pushButtonQFOnline", "pushButtonQFOnline"};
    QTest::newRow("another device") << SessionEnd{"pushButtonQFOnline", "pushButtonBLE"};
    QTest::newRow("window closed") << SessionEnd{"pushButtonKV380", "close"};
    QTest::newRow("port gone") << SessionEnd{"pushButtonDeviceFLS", "gone", "не найден"};
    QTest::newRow("not a serial device") << SessionEnd{"pushButtonN7", "/dev/null", "не последовательный"};
    QTest::newRow("busy") << SessionEnd{"pushButtonKV380", "busy", "занят"};
    QTest::newRow("not permitted") << SessionEnd{"pushButtonPLM300", "denied", "usermod -aG"};
}

void TestMainWindow::hangingUpSwitchesTheDeviceOffAndRefreshes()
{
    QFETCH(SessionEnd, row);
    const QString end = row.end, told = row.told;
    const bool wirelessAngleWrite = row.wirelessAngleWrite;
    Ui_Deruvivuriri *ui = window->form();
    QPushButton *button = window->findChild<QPushButton *>(row.button);
    // A gone port is a name of this test's own: a pseudo-terminal number
    // freed here may be given to a test beside this one at once.
    QTemporaryDir own;
    const QString port = end.startsWith('/') ? end : end == "gone" ? own.filePath("ttyGone") : device->portPath();
    QVERIFY(end != "gone" || QFile::link(device->portPath(), port));
    qputenv(portlist::kExtraPortsVariable, port.toLocal8Bit());
    window->updateSerialPorts();
    ui->comboBox_SerialPort->setCurrentText(port);
    QCOMPARE(ui->comboBox_SerialPort->currentText(), port);
    QSerialPort holder(port);
    if (end == "gone") // unplugged before the list was refreshed
        QVERIFY(QFile::remove(port));
    QVERIFY(end != "busy" || holder.open(QIODevice::ReadWrite));
    // Root may open any node: it is asked by a user outside the group the node lets in.
    if (end == "denied" && ::geteuid() != 0)
        QSKIP("only root can take the part of another user");
    if (end == "denied")
        QVERIFY(::chown(qPrintable(port), -1, 65534) == 0 && ::chmod(qPrintable(port), 060) == 0 &&
                ::setresuid(65534, 65534, 0) == 0);
    ModalCloser closer({wirelessAngleWrite});
    button->click();
    QVERIFY(end != "denied" || ::setresuid(0, 0, 0) == 0);
    if (wirelessAngleWrite)
        ui->pushButtonChoiceKVBLE->click();
    if (told.isEmpty()) {
        QVERIFY(window->port()->getSerialPort()->isOpen());
        QVERIFY(device->waitForRequests(1));
        QVERIFY(QFile::exists(device->portPath()));
    }

    if (!told.isEmpty()) {
        QTRY_VERIFY(!closer.seen.isEmpty());
        const QString box = closer.seen.last().texts.join(' ');
        QVERIFY2(box.contains(port) && box.contains(told), qPrintable(box));
    } else if (end == "close") {
        window->close();
    } else if (!end.isEmpty()) {
        window->findChild<QPushButton *>(end)->click();
    } else if (wirelessAngleWrite) {
        ui->lineEditKVBLEUp->setText("50");
        window->kvble()->setUpEdited(true);
        QTimer::singleShot(400, device.get(), &SimulatedDevice::hangUp);
        const WaitsRunOut statusPolls(KVBLEDevice::kStatusPollMs);
        ui->ButtonWriteParamKVBLE->click();
        // The hang-up ends the wait for the write's status; it does not run its course.
        QVERIFY2(statusPolls.count() < KVBLEDevice::kStatusPolls, qPrintable(QString::number(statusPolls.count())));
        QCOMPARE(window->kvble()->getLabelStatusMessage()->text(), QString("Подключите датчик"));
    } else {
        device->hangUp();
    }
    QTRY_VERIFY_WITH_TIMEOUT(!window->port()->getSerialPort()->isOpen(), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(answerroute::parserFor(window->deviceFlags()) == answerroute::Parser::None, 3000);
    QVERIFY(!button->isChecked());
    QVERIFY(ui->comboBox_SerialPort->isEnabled());
    // The window of a closed port: its service menu, the language and theme free, no update notice.
    QStringList entries;
    for (const QAction *entry : ui->pushButtonService->menu()->actions())
        entries << entry->objectName();
    QCOMPARE(entries, QStringList({"prog_setting", "remote"}));
    QVERIFY(ui->comboBoxChooseLanguage->isEnabled() && ui->comboBoxChooseTheme->isEnabled() && !window->updateNotice());
    if (!end.isEmpty())
        return;
    // A hung-up line's name is gone (the test's pseudo-terminal takes it
    // away before it closes); the refresh that follows (the device
    // watcher's, for a real converter) no longer offers it.
    QVERIFY(!QFile::exists(device->portPath()));
    window->updateSerialPorts();
    QCOMPARE(ui->comboBox_SerialPort->findText(device->portPath()), -1);
}

void TestMainWindow::aPortListRefreshKeepsTheActivePortOpen()
{
    Ui_Deruvivuriri *ui = window->form();
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    ui->pushButtonDeviceFLS->click();
    QVERIFY(window->port()->getSerialPort()->isOpen());

    window->updateSerialPorts(); // as on any USB device arriving or leaving

    QVERIFY(window->port()->getSerialPort()->isOpen());
    QVERIFY(window->deviceFlags().fls);
    QCOMPARE(ui->comboBox_SerialPort->currentText(), device->portPath());
    device->clearRequests();
    QVERIFY(device->waitForRequests(1, 3000)); // still talking to the device
}

void TestMainWindow::aPortThatVanishedFromTheListSwitchesTheDeviceOff()
{
    Ui_Deruvivuriri *ui = window->form();
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    ui->pushButtonDeviceFLS->click();
    QVERIFY(window->port()->getSerialPort()->isOpen());

    // The system no longer lists the port, though the line has not failed yet.
    qputenv(portlist::kExtraPortsVariable, QByteArray());
    window->updateSerialPorts();

    QVERIFY(!window->port()->getSerialPort()->isOpen());
    QVERIFY(!window->deviceFlags().fls);
    QVERIFY(!ui->pushButtonDeviceFLS->isChecked());
    QVERIFY(ui->comboBox_SerialPort->isEnabled());
    QCOMPARE(ui->comboBox_SerialPort->findText(device->portPath()), -1);
}

// The hint is no port: the press starts nothing, and the next one, a converter listed, starts the device. The only
// port gone unnoticed is not opened as its hint.
void TestMainWindow::aPressWithoutAConverterIsLiftedAndTold()
{
    Ui_Deruvivuriri *ui = window->form();
    // The ports this test owns, none of the machine's.
    window->setPortSource([] { return portlist::withExtraPorts({}); });
    QTemporaryDir folder;
    const QString gone = folder.filePath("converter");
    // The only converter listed, then unplugged before the list refreshes.
    const auto listGone = [&] {
        QFile node(gone);
        QVERIFY(node.open(QIODevice::WriteOnly));
        qputenv(portlist::kExtraPortsVariable, gone.toLocal8Bit());
        window->updateSerialPorts();
        QVERIFY(node.remove());
    };
    listGone();
    ModalCloser closer;
    for (QPushButton *button : {ui->pushButtonPLM300, ui->pushButtonKV380}) {
        button->click();
        QTRY_COMPARE(closer.seen.size(), button == ui->pushButtonKV380 ? 2 : 1);
        QCOMPARE(closer.seen.last().texts, QStringList("Подключите\nпреобразователь"));
        QVERIFY(!button->isChecked());
    }
    // So is a BLE choice pressed in that moment.
    for (QPushButton *choice : {ui->pushButtonChoiceUSB, ui->pushButtonChoiceAdvert, ui->pushButtonChoiceKVBLE}) {
        listGone();
        ui->pushButtonBLE->click();
        listGone();
        const int told = closer.seen.size();
        choice->click();
        QTRY_COMPARE(closer.seen.size(), told + 1);
        QCOMPARE(closer.seen.last().texts, QStringList("Подключите\nпреобразователь"));
        QVERIFY(!ui->pushButtonBLE->isChecked() && !window->deviceFlags().ble && !window->deviceFlags().kvble);
    }
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit());
    window->updateSerialPorts(); // as when the converter is plugged
    ui->pushButtonKV380->click();
    QVERIFY(ui->pushButtonKV380->isChecked() && window->deviceFlags().kv380);
    QVERIFY(window->port()->getSerialPort()->isOpen());
}

void TestMainWindow::levelsIgnoreDeviceNumbersOutOfRange()
{
    window->setLevelFromAnotherDevice(500, 1);
    QCOMPARE(window->getLevel(0), 0);
    QCOMPARE(window->getLevel(1), 500);
    QCOMPARE(window->getLevel(2), 0);
    window->setLevelFromAnotherDevice(700, 3);
    window->setLevelFromAnotherDevice(700, -1);
    QCOMPARE(window->getLevel(0), 0);
    QCOMPARE(window->getLevel(1), 500);
    QCOMPARE(window->getLevel(2), 0);
}

void TestMainWindow::compareNetNumLooksOnlyAtEntriesThatExist()
{
    window->recieveNetNumFromChild(QByteArray::fromHex("05c8"));
    QCOMPARE(window->CompareNetNum(0xC8), 1);
    QCOMPARE(window->CompareNetNum(0x05), 0);
    // Entry 2 does not exist, so address 0 must not match it.
    QCOMPARE(window->CompareNetNum(0x00), 0);
    window->recieveNetNumFromChild(QByteArray::fromHex("010203"));
    QCOMPARE(window->CompareNetNum(0x03), 2);
    window->recieveNetNumFromChild(QByteArray());
    QCOMPARE(window->CompareNetNum(0x00), 0);
}

void TestMainWindow::indicatorLeftForAnotherDeviceStopsPolling()
{
    Ui_Deruvivuriri *ui = window->form();
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    ui->pushButtonN7->click();
    QVERIFY(window->deviceFlags().n7);
    const QByteArray n7Request = frame::withCrc(QByteArray::fromHex("3edeee00"));
    QTRY_VERIFY_WITH_TIMEOUT(sawRequest(*device, n7Request), 3000);

    ui->pushButtonDeviceFLS->click(); // another device takes the line
    QVERIFY(!window->deviceFlags().n7);
    QVERIFY(window->deviceFlags().fls);
    device->clearRequests();
    // Three searches of the wired page span more than a poll period of the indicator.
    const auto searches = [this] {
        int count = 0;
        for (const SimulatedDevice::Request &r : device->requests())
            count += r.bytes == QByteArray::fromHex("31ffdc");
        return count;
    };
    QTRY_VERIFY_WITH_TIMEOUT(searches() >= 3, 10000);
    QVERIFY(!sawRequest(*device, n7Request));
}

void TestMainWindow::bleBaseIsAttachedAndDetachedThroughTheLatch()
{
    Ui_Deruvivuriri *ui = window->form();
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    ui->pushButtonBLE->click();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->ChoiceBLE);
    QVERIFY(!window->deviceFlags().ble); // only a choice sets it
    latchCalls.clear();

    ui->pushButtonChoiceUSB->click();
    QVERIFY(window->deviceFlags().ble);
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->BLE_QF410);
    QVERIFY(window->port()->getSerialPort()->isOpen());
    QCOMPARE(latchCalls.size(), 1);
    QCOMPARE(latchCalls.at(0).port, device->portPath());
    QCOMPARE(latchCalls.at(0).mask, quint16(0x30));
    QCOMPARE(latchCalls.at(0).value, quint16(0x30));

    latchCalls.clear();
    ui->pushButtonDeviceFLS->click(); // every switch-off detaches the base
    QVERIFY(!latchCalls.isEmpty());
    QCOMPARE(latchCalls.at(0).mask, quint16(0x30));
    QCOMPARE(latchCalls.at(0).value, quint16(0x00));
    QVERIFY(window->deviceFlags().fls);
    QVERIFY(!window->deviceFlags().ble);
}

void TestMainWindow::aMissingBridgeBreaksNothing()
{
    window->setBridgeGpio(std::make_unique<FakeBridgeGpio>(&latchCalls, false));
    Ui_Deruvivuriri *ui = window->form();
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    ui->pushButtonBLE->click();
    ui->pushButtonChoiceUSB->click();
    QVERIFY(latchCalls.isEmpty());
    QVERIFY(window->deviceFlags().ble);
    QVERIFY(window->port()->getSerialPort()->isOpen());

    // And the real bridge layer, on a port with no bridge behind it.
    window->setBridgeGpio(createPlatformBridgeGpio());
    ui->pushButtonDeviceFLS->click();
    QVERIFY(window->deviceFlags().fls);
    QVERIFY(window->port()->getSerialPort()->isOpen());
}

void TestMainWindow::logLinesWaitWhileTheFileCannotBeOpened()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString path = folder + "/log.txt";
    QFile::remove(path);
    // A directory in the file's place: opening for appending fails.
    QVERIFY(QDir().mkpath(path));
    window->recieveLogMessage("first");
    window->recieveLogMessage("second\r\n");
    QVERIFY(QDir(path).removeRecursively());

    window->recieveLogMessage("third");
    QFile log(path);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    const QRegularExpression line(R"(^\d{4}:\d\d:\d\d-\d\d:\d\d:\d\d -- firstsecond\r\nthird\r\n$)");
    QVERIFY2(line.match(text).hasMatch(), qPrintable(text));

    // A tick with nothing pending leaves the file as it was.
    QMetaObject::invokeMethod(window.get(), "writeLogFileNoParams");
    log.seek(0);
    QCOMPARE(QString::fromUtf8(log.readAll()), text);
}

namespace {

class NoticeSource : public DeviceWatchSource
{
public:
    void notice() { emit deviceChanged(); }
};

} // namespace

// Scanning the system every second costs more than everything else the idle
// program does; while ports are listed, the watcher's notices refresh them.
void TestMainWindow::listedPortsAreRefreshedByNoticesNotByTheSecondTick()
{
    auto *source = new NoticeSource;
    DeviceEventFilter watcher(source);
    window->setDeviceEventFilterObject(&watcher);
    Ui_Deruvivuriri *ui = window->form();
    QVERIFY(ui->comboBox_SerialPort->findText(device->portPath()) >= 0);

    SimulatedDevice plugged;
    QVERIFY(plugged.isValid());
    qputenv(portlist::kExtraPortsVariable, (device->portPath() + ":" + plugged.portPath()).toLocal8Bit());
    window->secondIntervalTask();
    QCOMPARE(ui->comboBox_SerialPort->findText(plugged.portPath()), -1);

    source->notice(); // the converter arrived
    QVERIFY(ui->comboBox_SerialPort->findText(plugged.portPath()) >= 0);
}

void TestMainWindow::theUsersOpenGlChoiceIsKept()
{
    const QByteArray before = qgetenv("QT_XCB_GL_INTEGRATION");
    qunsetenv("QT_XCB_GL_INTEGRATION");
    startup::avoidOpenGlIntegration();
    QCOMPARE(qgetenv("QT_XCB_GL_INTEGRATION"), QByteArray("none"));
    qputenv("QT_XCB_GL_INTEGRATION", "xcb_glx");
    startup::avoidOpenGlIntegration();
    QCOMPARE(qgetenv("QT_XCB_GL_INTEGRATION"), QByteArray("xcb_glx"));
    qputenv("QT_XCB_GL_INTEGRATION", before);
}

void TestMainWindow::integerFieldsTakeDigitsOnly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("taken");
    for (const char *text : {"12,5", "1 000", "2.5", "1,2"})
        QTest::newRow(text) << text << false;
    QTest::newRow("7") << "7" << true;
}

// Every whole-number field keeps one rule in every locale: digits, as typed,
// still as typed once the field is left (Qt's own validator lets "12,5" in and
// makes it 125 then).
void TestMainWindow::integerFieldsTakeDigitsOnly()
{
    QFETCH(QString, text);
    QFETCH(bool, taken);
    int fields = 0;
    for (QLineEdit *edit : window->findChildren<QLineEdit *>()) {
        auto *rule = const_cast<QValidator *>(edit->validator());
        QVERIFY2(!qobject_cast<QIntValidator *>(rule), qPrintable(edit->objectName()));
        if (!qobject_cast<BoundedIntValidator *>(rule))
            continue;
        ++fields;
        for (const char *locale : {"C", "en_US", "ru_RU"}) {
            rule->setLocale(QLocale(QString::fromLatin1(locale)));
            edit->clear();
            edit->insert(text);
            QFocusEvent left(QEvent::FocusOut);
            QCoreApplication::sendEvent(edit, &left);
            QVERIFY2(edit->text() == (taken ? text : QString()),
                     qPrintable(edit->objectName() + QLatin1Char(' ') + locale + QLatin1Char(' ') + edit->text()));
        }
    }
    QVERIFY2(fields >= 30, qPrintable(QString::number(fields)));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
