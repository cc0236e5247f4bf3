#include "devices/angle/kv380device.h"
#include "devices/online/qfonline.h"
#include "devices/other/n7device.h"
#include "devices/other/plm300device.h"
#include "fwupdatefixture.h"
#include "link/frame.h"
#include "modalscript.h"
#include "sharedline.h"
#include "simulatedkv380.h"
#include "simulatedonline.h"
#include "simulatedplm300.h"
#include "strayanswer.h"

#include <QProgressBar>
#include <QSettings>
#include <QSignalSpy>

using Dialect = SimulatedBootloader::Dialect;

// Completed downloads in both bootloader dialects, started from each page
// that can ask for one.
class TestFwUpdate : public QObject, public FwUpdateFixture
{
    Q_OBJECT
private slots:
    void cleanup() { tearDown(); }

    void romDownloadWritesOptionBytesAndBlocksThenTheSensorIsBack_data();
    void romDownloadWritesOptionBytesAndBlocksThenTheSensorIsBack();
    void blockDownloadSendsTheWholeFileThenTheSensorIsBack_data();
    void blockDownloadSendsTheWholeFileThenTheSensorIsBack();
    void theDownloadEndsOnThePageThatAskedForIt_data();
    void theDownloadEndsOnThePageThatAskedForIt();
    void theAnglePageFollowsItsSensorAfterItsDownload();
    void aLateBootloaderIsWaitedForAndTakesTheWholeImage_data();
    void aLateBootloaderIsWaitedForAndTakesTheWholeImage();
    void nothingButReadsGoesToANumberThatNeverAnswered_data();
    void nothingButReadsGoesToANumberThatNeverAnswered();

private:
    void leaveADownload(int atBlock, const QString &name, const QByteArray &file);
    void leaveADownloadThenPowerCycle(int atBlock, const QString &name, const QByteArray &file, const QString &shown);
};

namespace {

// What a ROM download writes to flash: the data, a short tail padded with
// zeros, or an all-zero block after data that fills whole blocks.
QByteArray romImage(const QByteArray &file, int dataStart)
{
    QByteArray data = file.mid(dataStart);
    data.append(QByteArray(128 - data.size() % 128, '\0'));
    return data;
}

// Bytes a bootloader was sent hold no request but searches and reads.
bool onlySearchesAndReads(const QByteArray &sent)
{
    for (int i = sent.indexOf('\x31'); i >= 0 && i + 2 < sent.size(); i = sent.indexOf('\x31', i + 1)) {
        const quint8 command = quint8(sent.at(i + 2));
        if (quint8(sent.at(i + 1)) != 0xFF && command != 0xF0 && command != 0xFC)
            return false;
    }
    return true;
}

} // namespace

// A download left after its `atBlock`th block, the page switched on again
// over the bootloader it left: the page asks for the power cycle.
void TestFwUpdate::leaveADownload(int atBlock, const QString &name, const QByteArray &file)
{
    device->lateBlock = atBlock;
    device->lateMs = 1500;
    FirmwareDialogs left(writeFile(name, file));
    QVERIFY(pressUpdate());
    QTRY_COMPARE_WITH_TIMEOUT(device->dataBlocks, atBlock, kDownloadMs);
    const int acknowledged = device->rawSent.size();
    ui->pushButtonDeviceFLS->click();
    QTRY_COMPARE_WITH_TIMEOUT(left.messages,
                              QStringList("Обновление прошивки прервано\nДатчик остаётся в режиме загрузчика до "
                                          "выключения и включения его питания"),
                              kConnectMs);
    // The block's acknowledge comes while the port is closed.
    QTRY_VERIFY_WITH_TIMEOUT(device->rawSent.size() > acknowledged, kConnectMs);
    ui->pushButtonDeviceFLS->click();
    const int from = device->rawReceived.size();
    QCOMPARE(status(), QString("Выключите и включите питание датчика"));
    QTRY_VERIFY_WITH_TIMEOUT(device->rawReceived.mid(from).count(QByteArray::fromHex("31ffdc")) >= 3, kConnectMs);
    // The byte that waited is no sensor's number, and what the bootloader
    // answers a search with is asked nothing but reads.
    const QByteArray sent = device->rawReceived.mid(from);
    QVERIFY(!sent.contains(QByteArray::fromHex("31a5")));
    QVERIFY2(onlySearchesAndReads(sent), qPrintable(sent.toHex(' ')));
}

// Once the sensor's power went off and on after a download left, the page
// shows the sensor with no press.
void TestFwUpdate::leaveADownloadThenPowerCycle(int atBlock, const QString &name, const QByteArray &file,
                                                const QString &shown)
{
    leaveADownload(atBlock, name, file);
    // The indicator on that line is no device to switch off and on.
    ui->pushButtonN7->click();
    QCOMPARE(window->n7()->getLabelStatusMessage()->text(), QString("Подключите датчик"));
    ui->pushButtonDeviceFLS->click();
    device->powerCycle();
    QTRY_COMPARE_WITH_TIMEOUT(status(), shown, kConnectMs);
    device->clearRecord();
    device->clearRequests();
}

void TestFwUpdate::romDownloadWritesOptionBytesAndBlocksThenTheSensorIsBack_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("dataStart");
    QTest::addColumn<uint>("firstBlock");
    QTest::addColumn<int>("dataSize");
    QTest::addColumn<int>("acknowledge");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("leftAtBlock"); // a download before it was left after this block
    // The file is dropped onto the dialog's name field from another window,
    // the last file written (which the settings name) in another folder.
    QTest::addColumn<QString>("lastFile");
    // The QF210 file ends with a padded block. The QF410's data fills whole
    // blocks and is followed by a zero block, its bootloader acknowledging
    // with the other byte.
    QTest::newRow("QF210, a padded last block") << "QF210_2.1.bin" << int(SimulatedFls::kModelQF210) << 0x4A40
                                                << 0x8A00u << 300 << 0x79 << "Подключен QF210" << 0 << QString();
    QTest::newRow("QF410, whole blocks") << "fw_qf410.cri" << int(SimulatedFls::kModelQF410) << 0x5040 << 0x9000u << 256
                                         << 0xA5 << "Подключен QF410" << 0 << QString();
    // The bootloader left answers the search with its refusal, 0x1F.
    QTest::newRow("QF210, after a download left at its 2nd block")
        << "QF210.bin" << int(SimulatedFls::kModelQF210) << 0x4A40 << 0x8A00u << 300 << 0x79 << "Подключен QF210" << 2
        << QString();
    QTest::newRow("QF210, dropped onto the name field")
        << "new/QF210_new.bin" << int(SimulatedFls::kModelQF210) << 0x4A40 << 0x8A00u << 300 << 0x79
        << "Подключен QF210" << 0 << "QF210_old.bin";
}

void TestFwUpdate::romDownloadWritesOptionBytesAndBlocksThenTheSensorIsBack()
{
    QFETCH(QString, name);
    QFETCH(int, model);
    QFETCH(int, dataStart);
    QFETCH(uint, firstBlock);
    QFETCH(int, dataSize);
    QFETCH(int, acknowledge);
    QFETCH(QString, shown);
    QFETCH(int, leftAtBlock);
    QFETCH(QString, lastFile);

    setUp(Dialect::Rom, quint8(model));
    // The bootloader starts a little after the reset, the restart putting
    // other bytes on the line first (one in the same read as the answer):
    // the sync byte has to be repeated until it answers.
    device->bootDelayMs = 900;
    device->bootNoise = QByteArray::fromHex("00ff");
    device->beforeSyncAnswer = QByteArray::fromHex("ff");
    device->startDelayMs = 1000;
    device->acknowledge = quint8(acknowledge);
    connectWiredSensor(shown);

    const QByteArray file = firmware(dataStart + dataSize);
    if (leftAtBlock > 0)
        leaveADownloadThenPowerCycle(leftAtBlock, name, file, shown);
    if (QTest::currentTestFailed())
        return;
    const QString path = writeFile(name, file);
    FirmwareDialogs dialogs(path);
    if (!lastFile.isEmpty()) {
        QSettings().setValue("firmware_file", writeFile(lastFile, QByteArray(file.size(), 'x')));
        // Picked in the list first, its name stays in the field under the drop.
        dialogs.pickedFirst = QFileInfo(lastFile).fileName();
        dialogs.dropped = true;
    }
    const QVariant calibrationFolder = QSettings().value("default_dir");
    QVERIFY(pressUpdate());
    QCOMPARE(dialogs.fileDialogs, 1);
    // The sensor answered since any download was left: no power cycle is asked.
    QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.join(" | ")));
    QCOMPARE(device->countRequests(5, 0x88), 1);

    QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Прошивка успешно обновлена"), kDownloadMs);
    QProgressBar *bar = ui->progressBarFirmwareDUT;
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(bar->isHidden());
    QVERIFY(!updater->isUpdatingFirmware());
    QVERIFY(!errorLineShown());

    QCOMPARE(device->downloadsCompleted, 1);
    QVERIFY(device->erased);
    QCOMPARE(device->refusals, 0);
    QVERIFY2(leadingSyncs() >= 3, qPrintable(device->rawReceived.left(8).toHex(' ')));
    for (int i = 0; i < 4; ++i)
        QCOMPARE(device->memory.value(quint32(0x4803 + 2 * i)), quint8(file.at(19 + i)));
    const QByteArray image = romImage(file, dataStart);
    QList<quint32> addresses;
    for (int at = 0; at < image.size(); at += 128)
        addresses << firstBlock + quint32(at);
    QCOMPARE(device->blockAddresses, addresses);
    QCOMPARE(device->flash(firstBlock, image.size()), image);
    QCOMPARE(device->flash(firstBlock + quint32(image.size()), 1), QByteArray(1, char(0xFF)));
    QVERIFY(device->rawReceived.endsWith(QByteArray::fromHex("21de")));

    const QString log = logSinceStart();
    QVERIFY(log.contains("Starting update firmware"));
    QVERIFY(log.contains(QRegularExpression("End update firmware \\d+ sec")));
    QVERIFY(!log.contains("Error update firmware"));
    QCOMPARE(QSettings().value("firmware_file").toString(), path);
    // The calibration files' dialogs keep their own folder.
    QCOMPARE(QSettings().value("default_dir"), calibrationFolder);

    // The new firmware runs: the page finds the sensor and polls it again.
    QTRY_COMPARE_WITH_TIMEOUT(status(), shown, kConnectMs);
    const int polls = device->countRequests(5, 0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(5, 0xF0) > polls, kConnectMs);
}

void TestFwUpdate::blockDownloadSendsTheWholeFileThenTheSensorIsBack_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("acknowledge");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("lateAnswer");
    QTest::addColumn<bool>("fromCalibration");
    QTest::addColumn<int>("leftAtBlock"); // a download before it was left after this block
    // The bootloader answers the sync byte of the start at once; a sensor
    // answer sent just before the restart must not hide that acknowledge.
    QTest::newRow("QF260, a padded last block")
        << "QF260.bin" << int(SimulatedFls::kModelQF260) << 130 << 0xA5 << "Подключен QF260" << true << false << 0;
    QTest::newRow("QF470, whole blocks and a zero block") << "QF470_release.bin" << int(SimulatedFls::kModelQF470)
                                                          << 640 << 0x79 << "Подключен QF470" << false << false << 0;
    // Asked from the calibration page, the download is watched and told all the same.
    QTest::newRow("QF470, from the calibration page")
        << "QF470.bin" << int(SimulatedFls::kModelQF470) << 200 << 0x79 << "Подключен QF470" << false << true << 0;
    // A download switched off after its 10th block, whose acknowledge comes while the port is closed.
    QTest::newRow("QF470, after a download left at its 10th block")
        << "QF470.bin" << int(SimulatedFls::kModelQF470) << 43 * 64 << 0xA5 << "Подключен QF470" << false << false
        << 10;
}

void TestFwUpdate::blockDownloadSendsTheWholeFileThenTheSensorIsBack()
{
    QFETCH(QString, name);
    QFETCH(int, model);
    QFETCH(int, size);
    QFETCH(int, acknowledge);
    QFETCH(QString, shown);
    QFETCH(bool, lateAnswer);
    QFETCH(bool, fromCalibration);
    QFETCH(int, leftAtBlock);

    setUp(Dialect::Block, quint8(model));
    device->startDelayMs = 1000;
    device->lateAnswer = lateAnswer;
    device->acknowledge = quint8(acknowledge);
    connectWiredSensor(shown);

    const QByteArray file = firmware(size);
    if (leftAtBlock > 0)
        leaveADownloadThenPowerCycle(leftAtBlock, name, file, shown);
    if (QTest::currentTestFailed())
        return;
    FirmwareDialogs dialogs(writeFile(name, file));
    if (fromCalibration)
        ui->ButtonTarirovka->click();
    QVERIFY(ui->stackedWidget->currentWidget() == (fromCalibration ? ui->Tarirovka : ui->DUT));
    QVERIFY(pressUpdate());
    // The sensor answered since the download was left: no power cycle is asked.
    QCOMPARE(dialogs.messages, QStringList());
    QCOMPARE(device->countRequests(5, 0x88), 1);
    QCOMPARE(status(), QString("Переподключите питание датчика"));
    QVERIFY(seen(ui->progressBarFirmwareDUT));

    QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Прошивка успешно обновлена"), kDownloadMs);
    QCOMPARE(ui->progressBarFirmwareDUT->value(), ui->progressBarFirmwareDUT->maximum());
    QVERIFY(ui->progressBarFirmwareDUT->isHidden());
    QCOMPARE(device->downloadsCompleted, 1);
    QCOMPARE(device->refusals, 0);
    QCOMPARE(device->blockData, file + QByteArray(64 - size % 64, '\0'));
    const QByteArray end = QByteArray::fromHex("d270") + QByteArray(64, '\0');
    QVERIFY(device->rawReceived.endsWith(frame::withCrc(end)));

    QTRY_COMPARE_WITH_TIMEOUT(status(), shown, kConnectMs);
}

void TestFwUpdate::theDownloadEndsOnThePageThatAskedForIt_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("blockDialect");
    QTest::addColumn<FirmwareUpdater::Page>("asker");
    QTest::newRow("wired angle sensor") << "kv380"
                                        << "AngleMeter_1.0.bin" << 64 + 200 << false
                                        << FirmwareUpdater::Page::AngleSensor;
    QTest::newRow("PLM300") << "plm300"
                            << "PLM300.cri" << 64 + 128 << false << FirmwareUpdater::Page::PLM300;
    QTest::newRow("online device") << "online"
                                   << "online_fw.bin" << 200 << true << FirmwareUpdater::Page::Online;
}

void TestFwUpdate::theDownloadEndsOnThePageThatAskedForIt()
{
    QFETCH(QString, button);
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(bool, blockDialect);
    QFETCH(FirmwareUpdater::Page, asker);

    // The wired sensor page is not in use, so the reset goes to number 0.
    setUp(blockDialect ? Dialect::Block : Dialect::Rom, SimulatedFls::kModelGeneric, 0);
    SimulatedOnline unit; // the online page's device, until the reset
    // Each page's own device, at number 0, until the reset.
    SimulatedKv380 angleSensor;
    angleSensor.sensor().netNum = 0;
    SimulatedPlm300 plmSensor;
    plmSensor.netNum = 0;
    QSignalSpy finished(updater, &FirmwareUpdater::finished);
    QWidget *askingPage = nullptr;
    BaseDevice *asking = nullptr;
    if (button == "kv380") {
        device->application = &angleSensor;
        ui->pushButtonKV380->click();
        askingPage = ui->KV380;
        asking = window->kv380();
    } else if (button == "plm300") {
        device->application = &plmSensor;
        ui->pushButtonPLM300->click();
        askingPage = ui->PLM300;
        asking = window->plm300();
    } else {
        device->application = &unit;
        ui->pushButtonQFOnline->click();
        askingPage = ui->QFOnline;
        asking = window->online();
    }
    QVERIFY(window->port()->getSerialPort()->isOpen());
    // The download starts once the page's own device answered.
    QTRY_VERIFY_WITH_TIMEOUT(asking->hasOwnSensorAnswered(), kConnectMs);

    const QByteArray file = firmware(size);
    const int searches = device->searchCount();
    FirmwareDialogs dialogs(writeFile(name, file));
    QVERIFY(pressUpdate());
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(ui->progressBarFirmwareDUT->parentWidget(), askingPage);
    QVERIFY(!ui->progressBarFirmwareDUT->isHidden());
    // The texts of the download show on the page the user is on.
    const QString restart = QStringLiteral("Переподключите питание датчика");
    QVERIFY2(shownOn(askingPage).contains(restart), qPrintable(shownOn(askingPage).join(" | ")));
    QVERIFY(page->getLabelStatusMessage()->text() != restart);

    QTRY_COMPARE_WITH_TIMEOUT(device->downloadsCompleted, 1, kDownloadMs);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kDownloadMs);
    QCOMPARE(finished.at(0).at(0).value<FirmwareUpdater::Page>(), asker);
    QCOMPARE(finished.at(0).at(1).toBool(), true);
    QVERIFY(shownOn(askingPage).contains(QStringLiteral("Прошивка успешно обновлена")));
    QVERIFY(page->getLabelStatusMessage()->text() != QStringLiteral("Прошивка успешно обновлена"));
    if (blockDialect)
        QCOMPARE(device->blockData, file + QByteArray(64 - size % 64, '\0'));
    else
        QCOMPARE(device->flash(0x9000, size - 64), file.mid(64));
    QCOMPARE(device->refusals, 0);

    // The wired sensor page stays out of it: it does not start searching,
    // and none goes on the line but the PLM300 page's own.
    QVERIFY(!page->isSearchActive());
    QVERIFY(button == "plm300" || device->searchCount() == searches);
    QVERIFY(!updater->isUpdatingFirmware());
    QVERIFY(ui->progressBarFirmwareDUT->isHidden());
}

// The sensor's new firmware comes up with its old network number, which
// the page still polled before the download: the page finds it again and
// follows its angle.
void TestFwUpdate::theAnglePageFollowsItsSensorAfterItsDownload()
{
    setUp(Dialect::Rom, SimulatedFls::kModelGeneric, 0);
    SimulatedKv380 angleSensor;
    angleSensor.sensor().netNum = 3;
    device->application = &angleSensor;
    ui->pushButtonKV380->click();
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenKV380->text(), QString("90"), kConnectMs);

    FirmwareDialogs dialogs(writeFile("AngleMeter_2.0.bin", firmware(64 + 300)));
    QVERIFY(pressUpdate());
    QTRY_COMPARE_WITH_TIMEOUT(device->downloadsCompleted, 1, kDownloadMs);
    QTRY_VERIFY_WITH_TIMEOUT(!updater->isUpdatingFirmware(), kDownloadMs);

    angleSensor.sensor().angle = 120;
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenKV380->text(), QString("120"), kConnectMs);
    QCOMPARE(device->countRequests(0, 0xF0), 0);
    QCOMPARE(window->kv380()->getNetNum(), quint8(3));
}

void TestFwUpdate::aLateBootloaderIsWaitedForAndTakesTheWholeImage_data()
{
    QTest::addColumn<int>("bootDelayMs");
    QTest::addColumn<int>("lateBlock");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("waiting");
    // Put on the line as the bootloader begins to listen, after 80 sync bytes.
    QTest::addColumn<QByteArray>("restartChunk");
    QTest::addColumn<bool>("syncValuedChecksum"); // the first block's checksum is the sync byte
    // The user takes a while to switch the sensor's power off and on: the
    // sync byte is offered all that time, the time left counting down.
    const QString restart = "Переподключите питание датчика", left = "Осталось (\\d+) с";
    QTest::newRow("bootloader listening 10 s after the reset")
        << 10000 << -1 << restart << left << QByteArray() << false;
    // The bootloader takes longer than usual over one block.
    QTest::newRow("one block acknowledged 4.5 s late")
        << 0 << 3 << "Идёт обновление прошивки датчика"
        << "Ожидаем ответа от датчика, осталось (\\d+) с" << QByteArray() << false;
    // The restart's last bytes are a sensor's answer holding an acknowledge.
    QTest::newRow("3e 01 a5 00 as it listens")
        << 0 << -1 << restart << left << QByteArray::fromHex("3e01a500") << false;
    QTest::newRow("3e 01 79 00 as it listens, a sync-valued first checksum")
        << 0 << -1 << restart << left << QByteArray::fromHex("3e017900") << true;
    // Noise no byte rule tells from the answer: the first block still goes only to a synchronised bootloader.
    QTest::newRow("a5 as it listens, a sync-valued first checksum")
        << 0 << -1 << restart << left << QByteArray::fromHex("a5") << true;
}

void TestFwUpdate::aLateBootloaderIsWaitedForAndTakesTheWholeImage()
{
    QFETCH(int, bootDelayMs);
    QFETCH(int, lateBlock);
    QFETCH(QString, status);
    QFETCH(QString, waiting);
    QFETCH(QByteArray, restartChunk);
    QFETCH(bool, syncValuedChecksum);

    setUp(Dialect::Block, SimulatedFls::kModelQF470);
    device->bootDelayMs = bootDelayMs;
    device->bootNoise = QByteArray::fromHex("00ff"); // while it boots
    device->restartChunk = restartChunk;
    device->listenAfterSyncs = restartChunk.isEmpty() ? 0 : 80;
    device->lateBlock = lateBlock;
    device->lateMs = 4500;
    connectWiredSensor("Подключен QF470");
    QByteArray file = firmware(5 * 64 + 10);
    for (int b = 0; syncValuedChecksum && quint8(fwimage::dataBlockFrame(file.left(64)).back()) != 0x7F; ++b)
        file[63] = char(b);
    FirmwareDialogs dialogs(writeFile("QF470.bin", file));
    QVERIFY(pressUpdate());

    // Waited for well past the first answer time-out, with the time left
    // shown and no error.
    const QRegularExpression left(QStringLiteral("^%1$").arg(waiting));
    QTRY_VERIFY_WITH_TIMEOUT(left.match(page->getLabelStatusMessageUp()->text()).hasMatch() &&
                                 left.match(page->getLabelStatusMessageUp()->text()).captured(1).toInt() <= 57,
                             kDownloadMs);
    QCOMPARE(this->status(), status);
    QVERIFY(!errorLineShown());
    QVERIFY(!ui->progressBarFirmwareDUT->isHidden());
    QVERIFY(updater->isUpdatingFirmware());

    QTRY_COMPARE_WITH_TIMEOUT(this->status(), QString("Прошивка успешно обновлена"), kDownloadMs);
    QCOMPARE(device->blockData, file + QByteArray(64 - file.size() % 64, '\0'));
    QCOMPARE(device->refusals, 0);
    QCOMPARE(page->getLabelStatusMessageUp()->text(), QString());
    QVERIFY(!logSinceStart().contains("Error update firmware"));
    if (bootDelayMs > 0)
        QVERIFY2(leadingSyncs() > 50, qPrintable(QString::number(leadingSyncs())));
    QTRY_COMPARE_WITH_TIMEOUT(this->status(), QString("Подключен QF470"), kConnectMs);
}

void TestFwUpdate::nothingButReadsGoesToANumberThatNeverAnswered_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("press");
    // The page works with a number no frame ever came from: a stray byte
    // listed first beside the sensor, an empty list (nothing answers), the
    // bootloader a download left. Each is refused before any box.
    for (const char *before : {"a stray number listed first", "an empty list", "a left bootloader"}) {
        for (const char *press : {"F2", "Ctrl+S", "security", "update"})
            QTest::addRow("%s, %s", press, before) << before << press;
    }
    // Another sensor on that line answers beside the bootloader: the power cycle is still asked for.
    QTest::newRow("update, a left bootloader beside another sensor") << "a left bootloader beside another sensor"
                                                                     << "update";
    // The download's request is taken once the file is chosen, and a level
    // goes once its question is answered: the sensor may answer at another
    // number by then, or not at all.
    QTest::newRow("update, the sensor at another number once the file is chosen") << "renumbered"
                                                                                  << "update";
    QTest::newRow("F2, the sensor silent once its question is answered") << "silenced"
                                                                         << "F2";
    QTest::newRow("F2, the sensor shown at another number once its question is answered") << "renumbered"
                                                                                          << "F2";
}

void TestFwUpdate::nothingButReadsGoesToANumberThatNeverAnswered()
{
    QFETCH(QString, before);
    QFETCH(QString, press);
    setUp(Dialect::Rom, SimulatedFls::kModelQF210);
    const QString path = writeFile("QF210.bin", firmware(0x4A40 + 300));
    window->show(); // the keys reach the window
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    const bool f2 = press == "F2";
    const auto pressIt = [&] {
        if (press == "update")
            pressUpdate();
        else if (press == "security")
            serviceEntry("security")->trigger();
        else
            QTest::keyClick(window.get(), f2 ? Qt::Key_F2 : Qt::Key_S, f2 ? Qt::NoModifier : Qt::ControlModifier);
    };
    QString told = "Подключите датчик";
    if (before == "a stray number listed first") {
        // The list stands until the press is judged: neither a second search
        // request, which drops a stray the page has not read yet, nor the
        // search that drops it once it never answered comes within the test.
        BaseDevice::Intervals periods = page->intervals();
        periods.search = 10 * kConnectMs;
        periods.watchdog = 10 * kConnectMs;
        page->setIntervals(periods);
        answerFirstSearchWith(*device, QByteArray::fromHex("1f05"));
        ui->pushButtonDeviceFLS->click();
        QTRY_COMPARE_WITH_TIMEOUT(ui->label_ListDevDUT->text(), QString("31,5"), kConnectMs);
    } else if (before == "an empty list") {
        device->silent = true;
        ui->pushButtonDeviceFLS->click();
        QTRY_VERIFY_WITH_TIMEOUT(device->searchCount() >= 2, kConnectMs);
    } else {
        connectWiredSensor("Подключен QF210");
        if (before.startsWith("a left bootloader")) {
            leaveADownload(2, "QF210.bin", firmware(0x4A40 + 300));
            told = BaseDevice::powerCycleText();
        }
        if (before == "a left bootloader beside another sensor") {
            // The line's searches list the bootloader's refusal first, then a
            // sensor at 7 that answers its polls.
            auto *refusal = new SimulatedDevice(device.get());
            refusal->setAnswer(0xFF, QByteArray(1, char(SimulatedBootloader::kRefusal)));
            auto *other = new SimulatedFls(device.get());
            other->sensor().netNum = 7;
            device->application = new SharedLine({refusal, other}, device.get());
            device->powerCycle();
            QTRY_VERIFY_WITH_TIMEOUT(page->hasCurrentReading(1), kConnectMs);
        }
    }

    const int fromRequest = device->requests().size();
    const int fromRaw = device->rawReceived.size();
    // The page's own requests, which follow on the line whatever a press sent.
    const auto pageRequests = [&] {
        return device->requests().size() + device->rawReceived.count(QByteArray::fromHex("31ffdc"));
    };
    if (before == "renumbered" || before == "silenced") {
        // While the last dialog is up the sensor answers at another number,
        // or falls silent.
        ModalScript script;
        if (f2)
            script.then("advice", ModalScript::showing("рекомендуется"), ModalScript::accept());
        script.then("last", f2 ? ModalScript::showing("Вы уверены?") : ModalScript::fileDialog(), [&](QWidget *box) {
            device->sensor().silent = before == "silenced";
            device->sensor().netNum = before == "renumbered" ? 3 : 5;
            QTRY_VERIFY_WITH_TIMEOUT(before == "silenced" ? page->isSearchActive()
                                                          : page->getCurrentNetNum() == 3 &&
                                                                page->firmwareModel() == fwimage::Model::QF210,
                                     kConnectMs);
            (f2 ? ModalScript::accept() : ModalScript::chooseFile(path))(box);
        });
        pressIt();
        QVERIFY(script.finished() && script.unexpected.isEmpty());
        if (f2 && before == "renumbered") {
            // Refused, told until the sensor the page shows answers.
            QCOMPARE(status(), told);
            QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Подключен QF210"), kConnectMs);
        }
    } else {
        page->setParamChanged(true); // an edit waits to be written
        FirmwareDialogs dialogs(path);
        pressIt();
        // Told where the user looks; the service menu of a page whose device
        // is not connected says it in a box.
        QCOMPARE(status(), told);
        QCOMPARE(dialogs.fileDialogs, 0);
        QVERIFY(dialogs.messages.isEmpty() || dialogs.messages == QStringList("Подключите датчик"));
    }
    // Judged on the line once the page's next requests are on it: the reset
    // and the level go to the number that answered when they go, or nowhere.
    const int pressed = pageRequests();
    QTRY_VERIFY_WITH_TIMEOUT(pageRequests() >= pressed + 3, kConnectMs);
    if (before == "renumbered" || before == "silenced") {
        QCOMPARE(device->countRequests(5, f2 ? 0xF5 : 0x88), 0);
        QCOMPARE(device->countRequests(3, 0x88), f2 ? 0 : 1);
        return;
    }
    for (int i = fromRequest; i < device->requests().size(); ++i)
        QVERIFY2(device->requests().at(i).bytes.size() <= 4, qPrintable(device->requests().at(i).bytes.toHex(' ')));
    QVERIFY2(onlySearchesAndReads(device->rawReceived.mid(fromRaw)), qPrintable(device->rawReceived.toHex(' ')));
}

QTEST_MAIN(TestFwUpdate)
#include "tst_fwupdate.moc"
