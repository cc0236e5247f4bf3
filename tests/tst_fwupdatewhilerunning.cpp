#include "devices/angle/kv380device.h"
#include "devices/firmware/firmwareimage.h"
#include "devices/other/plm300device.h"
#include "fwupdatefixture.h"
#include "simulatedkv380.h"
#include "simulatedplm300.h"

#include <QSignalSpy>

#include <list>

using Dialect = SimulatedBootloader::Dialect;

// What the user may do while a download runs: switch to another device,
// press the update entry again, or press a write key. The download has the
// line alone, and a device switch gives the line to the new device alone.
class TestFwUpdateWhileRunning : public QObject, public FwUpdateFixture
{
    Q_OBJECT
private slots:
    void cleanup() { tearDown(); }

    void aDeviceSwitchEndsTheDownloadAndTheNewDeviceHasItsLine();
    void aSecondStartIsRefusedAndTheFirstDownloadCompletes();
    void writesSendNothingIntoTheBootloader_data();
    void writesSendNothingIntoTheBootloader();
};

namespace {

const QString kWaitForTheDownload = QStringLiteral("Дождитесь окончания обновления прошивки");
const QString kInterrupted =
    QStringLiteral("Обновление прошивки прервано\nДатчик остаётся в режиме загрузчика до выключения и включения его "
                   "питания");

} // namespace

void TestFwUpdateWhileRunning::aDeviceSwitchEndsTheDownloadAndTheNewDeviceHasItsLine()
{
    SimulatedKv380 angle;
    QVERIFY(angle.isValid());
    angle.sensor().netNum = 4;
    morePorts << angle.portPath();
    // Unplugged while the download's last frame still waits to be written (the erase, an option byte, a block's
    // command, address or data, the closing go or end frame), the download is told interrupted, the page goes off
    // and the next port is taken at the first press. Switched off once its closing frame is written, it is told done.
    struct Moment
    {
        Dialect dialect;
        int frame; // counted from the reset, sync bytes aside
        bool offOnceWritten;
    };
    const QList<Moment> moments = {{Dialect::Rom, 2, false},  {Dialect::Rom, 4, false},   {Dialect::Rom, 11, false},
                                   {Dialect::Rom, 15, false}, {Dialect::Rom, 17, false},  {Dialect::Rom, 23, false},
                                   {Dialect::Rom, 24, false}, {Dialect::Block, 4, false}, {Dialect::Block, 4, true}};
    std::list<SimulatedBootloader> pulled;
    for (const Moment &m : moments)
        morePorts << pulled.emplace_back(m.dialect).portPath();
    setUp(Dialect::Block, SimulatedFls::kModelQF470);
    auto line = pulled.begin();
    for (const Moment &m : moments) {
        const bool rom = m.dialect == Dialect::Rom;
        line->sensor().model = rom ? SimulatedFls::kModelQF210 : SimulatedFls::kModelQF260;
        ui->comboBox_SerialPort->setCurrentText(line->portPath());
        connectWiredSensor(rom ? "Подключен QF210" : "Подключен QF260");
        FirmwareDialogs dialogs(writeFile(rom ? "QF210.bin" : "QF260.bin", firmware(rom ? 0x4A40 + 300 : 130)));
        int sent = -1;
        QObject watching; // the watches go with this turn of the loop
        const auto pull = connect(updater, &FirmwareUpdater::writeData, &watching, [&](const QByteArray &frame) {
            sent += frame != QByteArray(1, char(fwimage::kSync));
            if (sent == m.frame && !m.offOnceWritten)
                line->hangUp();
        });
        const auto off = connect(window->port(), &PortConnection::signalWritten, &watching, [&] {
            if (m.offOnceWritten && sent == m.frame) {
                sent = -2; // pressed once
                QTimer::singleShot(0, ui->pushButtonDeviceFLS, &QPushButton::click);
            }
        });
        QVERIFY(pressUpdate());
        const QString told = m.offOnceWritten ? "Прошивка успешно обновлена" : kInterrupted;
        QTRY_VERIFY_WITH_TIMEOUT(dialogs.messages.contains(told), kDownloadMs);
        QVERIFY(!ui->pushButtonDeviceFLS->isChecked());
        disconnect(pull);
        disconnect(off);
        ++line;
    }
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    // The bootloader takes two blocks, then the download waits for it.
    device->silentAfterBlock = 2;
    connectWiredSensor("Подключен QF470");

    FirmwareDialogs dialogs(writeFile("QF470.bin", firmware(8 * 64)));
    QVERIFY(pressUpdate());
    QTRY_COMPARE_WITH_TIMEOUT(device->dataBlocks, 2, kDownloadMs);
    QVERIFY(updater->isUpdatingFirmware());

    // The user picks the angle sensor's port and presses its button.
    QSignalSpy finished(updater, &FirmwareUpdater::finished);
    QSignalSpy downloadFrames(updater, &FirmwareUpdater::writeData);
    QSignalSpy wiredPolls(page, &FLSDevice::signalRequestForGetAllDataFromDevice);
    QSignalSpy wiredSearches(page, &FLSDevice::signalRequestForSearchDevices);
    ui->comboBox_SerialPort->setCurrentText(angle.portPath());
    QCOMPARE(ui->comboBox_SerialPort->currentText(), angle.portPath());
    ui->pushButtonKV380->click();
    QVERIFY(!updater->isUpdatingFirmware());
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(1).toBool(), false);
    QTRY_VERIFY_WITH_TIMEOUT(dialogs.messages.contains(kInterrupted), kConnectMs);
    QVERIFY(logSinceStart().contains("Interrupted update firmware"));
    QVERIFY(ui->progressBarFirmwareDUT->isHidden());
    QVERIFY(!page->isProcedureRunning());

    // The angle sensor's page connects, and keeps its line long after a
    // forsaken download would have given up and handed the line back.
    KV380Device *anglePage = window->kv380();
    QTRY_COMPARE_WITH_TIMEOUT(anglePage->getLabelStatusMessage()->text(), QString("Подключен КВ-380"), kConnectMs);
    const int from = angle.requests().size();
    const int polls = angle.countRequests(4, 0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(angle.countRequests(4, 0xF0) >= polls + 6, 3 * kConnectMs);
    for (const SimulatedDevice::Request &r : angle.requests().mid(from)) {
        const quint8 net = quint8(r.bytes.at(1));
        QVERIFY2(net == 4 || net == 0xFF, qPrintable(r.bytes.toHex(' ')));
    }
    QVERIFY(anglePage->isDeviceConnected());
    QCOMPARE(anglePage->getLabelStatusMessage()->text(), QString("Подключен КВ-380"));

    // Nothing of the download or of the wired page went out since the switch.
    QCOMPARE(downloadFrames.count(), 0);
    QCOMPARE(wiredPolls.count(), 0);
    QCOMPARE(wiredSearches.count(), 0);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(dialogs.messages.count(kInterrupted), 1);
}

void TestFwUpdateWhileRunning::aSecondStartIsRefusedAndTheFirstDownloadCompletes()
{
    setUp(Dialect::Block, SimulatedFls::kModelQF470);
    // One block keeps the bootloader busy, so that the download is still
    // running when the entry is pressed again.
    device->lateBlock = 2;
    device->lateMs = 3000;
    connectWiredSensor("Подключен QF470");
    const QByteArray file = firmware(6 * 64);
    {
        // Pressed while a settings write waits, the update is refused and
        // told as a second start is; the write goes on to its last frame.
        FirmwareDialogs duringWrite(writeFile("QF470.bin", file));
        QObject pressing;
        const auto press =
            connect(device.get(), &SimulatedDevice::requestReceived, &pressing, [this](const QByteArray &r) {
                if (quint8(r.at(2)) == 0xF2)
                    pressUpdate();
            });
        ui->comboBox_FiltrDUT->setCurrentIndex(2);
        emit ui->comboBox_FiltrDUT->activated(2);
        ui->ButtonWriteParamDUT->click();
        disconnect(press);
        QCOMPARE(duringWrite.fileDialogs, 0);
        QCOMPARE(page->getLabelStatusMessageUp()->text(), QString("Дождитесь окончания текущей операции"));
        QCOMPARE(device->countRequests(5, 0xFB), 1);
        QVERIFY(!updater->isUpdatingFirmware());
    }
    {
        FirmwareDialogs dialogs(writeFile("QF470.bin", file));
        QVERIFY(pressUpdate());
    }
    QTRY_COMPARE_WITH_TIMEOUT(device->dataBlocks, 2, kDownloadMs);
    QVERIFY(updater->isUpdatingFirmware());
    QVERIFY(!serviceEntry("update")->isEnabled());

    // Reached all the same (a menu opened before the start), it refuses
    // before any dialog.
    FirmwareDialogs again(writeFile("QF470_other.bin", firmware(3 * 64)));
    QVERIFY(pressUpdate());
    QCOMPARE(again.fileDialogs, 0);
    QCOMPARE(again.messages, QStringList({kWaitForTheDownload}));
    // The page's own procedures are refused and told likewise, "Тарировка" and the password among them.
    emit ui->comboBox_NetNumDUT->activated(0);
    ui->ButtonTarirovka->click();
    serviceEntry("security")->trigger();
    QCOMPARE(again.messages,
             QStringList({kWaitForTheDownload, kWaitForTheDownload, kWaitForTheDownload, kWaitForTheDownload}));
    QVERIFY(updater->isUpdatingFirmware());

    QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Прошивка успешно обновлена"), kDownloadMs);
    QCOMPARE(device->countRequests(5, 0x88), 1);
    QCOMPARE(device->downloadsCompleted, 1);
    QCOMPARE(device->refusals, 0);
    QCOMPARE(device->blockData, file + QByteArray(64, '\0'));
    QVERIFY(serviceEntry("update")->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Подключен QF470"), kConnectMs);
}

void TestFwUpdateWhileRunning::writesSendNothingIntoTheBootloader_data()
{
    QTest::addColumn<bool>("plm300");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("wired sensor page, F2") << false << int(Qt::Key_F2) << int(Qt::NoModifier);
    QTest::newRow("wired sensor page, F3") << false << int(Qt::Key_F3) << int(Qt::NoModifier);
    // A setting edited before the update and not yet written.
    QTest::newRow("PLM300 page, Ctrl+S") << true << int(Qt::Key_S) << int(Qt::ControlModifier);
}

void TestFwUpdateWhileRunning::writesSendNothingIntoTheBootloader()
{
    QFETCH(bool, plm300);
    QFETCH(int, key);
    QFETCH(int, modifiers);

    // The PLM300 page restarts the device at number 0.
    setUp(Dialect::Rom, plm300 ? SimulatedFls::kModelGeneric : SimulatedFls::kModelQF210, plm300 ? 0 : 5);
    // The bootloader listens late: the keys are pressed while the sync byte
    // is offered, and whatever they sent would lie before the first command.
    device->bootDelayMs = 3000;
    window->show();
    QByteArray file;
    QString name;
    quint32 flashStart = 0;
    int dataStart = 0;
    SimulatedPlm300 plmSensor; // the PLM300 page's own device, until the reset
    plmSensor.netNum = 0;
    if (plm300) {
        device->application = &plmSensor;
        ui->pushButtonPLM300->click();
        QVERIFY(window->port()->getSerialPort()->isOpen());
        QTRY_VERIFY_WITH_TIMEOUT(window->plm300()->hasOwnSensorAnswered(), kConnectMs);
        ui->lineEdit_max_PLM300->clear();
        QTest::keyClicks(ui->lineEdit_max_PLM300, "300");
        file = firmware(64 + 200);
        name = "PLM300.cri";
        flashStart = 0x9000;
        dataStart = 64;
    } else {
        connectWiredSensor("Подключен QF210");
        file = firmware(0x4A40 + 200);
        name = "QF210.bin";
        flashStart = 0x8A00;
        dataStart = 0x4A40;
    }

    FirmwareDialogs dialogs(writeFile(name, file));
    QVERIFY(pressUpdate());
    QVERIFY(updater->isUpdatingFirmware());
    // The file dialog has gone; the keys go to the window.
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(dialogs.messages, QStringList({kWaitForTheDownload}));
    QCOMPARE(int(updater->getCurStep()), 1);

    QTRY_COMPARE_WITH_TIMEOUT(device->downloadsCompleted, 1, kDownloadMs);
    QCOMPARE(device->refusals, 0);
    // Before the erase command only sync bytes went out.
    QVERIFY2(device->rawReceived.mid(leadingSyncs()).startsWith(QByteArray::fromHex("43bc")),
             qPrintable(device->rawReceived.left(leadingSyncs() + 16).toHex(' ')));
    QByteArray image = file.mid(dataStart);
    image.append(QByteArray(128 - image.size() % 128, '\0'));
    QCOMPARE(device->flash(flashStart, image.size()), image);
    QCOMPARE(dialogs.messages.size(), 1);
}

QTEST_MAIN(TestFwUpdateWhileRunning)
#include "tst_fwupdatewhilerunning.moc"
