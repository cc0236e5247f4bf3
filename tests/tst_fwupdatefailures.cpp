#include "devices/angle/kv380device.h"
#include "devices/online/qfonline.h"
#include "devices/other/plm300device.h"
#include "fwupdatefixture.h"
#include "modalcloser.h"

#include <QElapsedTimer>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QSettings>
#include <QSignalSpy>

using Dialect = SimulatedBootloader::Dialect;

// Downloads that fail, and files refused before anything is sent.
class TestFwUpdateFailures : public QObject, public FwUpdateFixture
{
    Q_OBJECT
private slots:
    void cleanup() { tearDown(); }

    void silenceAfterBlock3FailsOnceThenTheNextDownloadIsWhole();
    void aRefusedBlockFailsTheDownload();
    void filesAreRefusedBeforeAnythingIsSent();
    void aFileForAnotherModelThanTheSensorsIsRefusedBeforeTheReset_data();
    void aFileForAnotherModelThanTheSensorsIsRefusedBeforeTheReset();
    void aCancelledChoiceLeavesThePageWatchingItsSensor();
    void aHungUpLineClosesTheFileDialog();
    void aBootloaderThatNeverAnswersTheSyncIsGivenUpWhateverTheLineBrings();

private:
    void waitForFailure(int timeoutMs = kFailureMs);
    int countInLog(const QString &text) const { return logSinceStart().count(text); }
};

// Both error stages, in order, and the page given back.
void TestFwUpdateFailures::waitForFailure(int timeoutMs)
{
    QTRY_VERIFY_WITH_TIMEOUT(errorLineShown(), timeoutMs);
    QVERIFY(ui->progressBarFirmwareDUT->isHidden());
    QVERIFY(status() != QString("Прошивка не обновлена"));
    QTRY_VERIFY_WITH_TIMEOUT(logSinceStart().contains("Error update firmware"), kFailureMs);
    QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Прошивка не обновлена"), kFailureMs);
    QVERIFY(!errorLineShown());
    QVERIFY(!updater->isUpdatingFirmware());
}

void TestFwUpdateFailures::silenceAfterBlock3FailsOnceThenTheNextDownloadIsWhole()
{
    setUp(Dialect::Rom, SimulatedFls::kModelQF210);
    device->silentAfterBlock = 3;
    device->startDelayMs = 1000;
    updater->setPatienceMs(kShortPatienceMs);
    connectWiredSensor("Подключен QF210");

    const QByteArray file = firmware(0x4A40 + 5 * 128 + 10);
    FirmwareDialogs dialogs(writeFile("QF210.bin", file));
    // Asked from the calibration page, the failure is seen all the same.
    ui->ButtonTarirovka->click();
    QVERIFY(pressUpdate());
    // A late answer is waited for; the device stays silent.
    waitForFailure(kGivenUpMs);
    // Each of the three blocks went once, at its own address; the write
    // command after the silence was left unanswered and no address followed.
    QCOMPARE(device->blockAddresses, QList<quint32>({0x8A00, 0x8A80, 0x8B00}));
    QCOMPARE(device->rawReceived.count(QByteArray::fromHex("00008b00")), 1);
    QVERIFY(!device->rawReceived.contains(QByteArray::fromHex("00008b80")));

    // The page searches again; while the device keeps quiet the error stays
    // reported once, with the seconds since the start.
    const auto searches = [this] { return device->rawReceived.count(QByteArray::fromHex("31ffdc")); };
    const int before = searches();
    QTRY_VERIFY_WITH_TIMEOUT(searches() > before, kConnectMs);
    const QString log = logSinceStart();
    QCOMPARE(log.count("Error update firmware"), 1);
    const QRegularExpressionMatch seconds = QRegularExpression("Error update firmware (\\d+) sec").match(log);
    QVERIFY(seconds.hasMatch());
    // Seconds since the start, not a time of day.
    QVERIFY2(seconds.captured(1).toInt() < 300, qPrintable(seconds.captured(0)));
    QVERIFY(!log.contains("End update firmware"));

    // Power back on: the old firmware answers, the page is an ordinary page.
    device->powerCycle();
    QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Подключен QF210"), kConnectMs);

    // A second download starts afresh and writes the whole file.
    device->silentAfterBlock = -1;
    FirmwareDialogs again(writeFile("QF210.bin", file));
    QVERIFY(pressUpdate());
    QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Прошивка успешно обновлена"), kDownloadMs);
    QByteArray image = file.mid(0x4A40);
    image.append(QByteArray(128 - image.size() % 128, '\0'));
    QCOMPARE(device->blockAddresses.size(), image.size() / 128);
    QCOMPARE(device->blockAddresses.first(), 0x8A00u);
    QCOMPARE(device->flash(0x8A00, image.size()), image);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(device->memory.value(quint32(0x4803 + 2 * i)), quint8(file.at(19 + i)));
    QCOMPARE(ui->progressBarFirmwareDUT->value(), ui->progressBarFirmwareDUT->maximum());
    QCOMPARE(countInLog("Error update firmware"), 1);
    QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Подключен QF210"), kConnectMs);
}

void TestFwUpdateFailures::aRefusedBlockFailsTheDownload()
{
    setUp(Dialect::Block, SimulatedFls::kModelQF470);
    device->refuseBlock = 2;
    connectWiredSensor("Подключен QF470");

    FirmwareDialogs dialogs(writeFile("QF470.bin", firmware(5 * 64)));
    QVERIFY(pressUpdate());
    waitForFailure();
    QCOMPARE(device->refusals, 1);
    QCOMPARE(device->blockData.size(), 64);
    QCOMPARE(device->downloadsCompleted, 0);
    QVERIFY(!logSinceStart().contains("End update firmware"));
}

// Each file is refused on the same page, one after the other: the page goes
// on with its sensor after every refusal. The sensor reports the model the
// file is named for, so that each file is judged for its own fault.
void TestFwUpdateFailures::filesAreRefusedBeforeAnythingIsSent()
{
    struct Case
    {
        const char *what;
        QString name; // empty: the dialog is cancelled
        int size;
        bool vanishes;
        quint8 model = SimulatedFls::kModelQF210;
        QString shown = "Подключен QF210";
        // Picked in the dialog's list, then its own path pasted onto the
        // end of its name in the name field: the field names no file.
        bool pastedOnItsName = false;
    };
    const QList<Case> cases = {
        {"empty", "QF210.bin", 0, false},
        {"ends where its data starts", "QF210.bin", 0x4A40, false},
        {"less than a block", "QF470.bin", 63, false, SimulatedFls::kModelQF470, "Подключен QF470"},
        {"no model in the name", "sensor.bin", 0x5000, false},
        {"unreadable", "QF410.bin", 0x6000, true, SimulatedFls::kModelQF410, "Подключен QF410"},
        {"cancelled", QString(), 0, false},
        {"a name that is no file", "QF210_old.bin", 0x4A40 + 300, false, SimulatedFls::kModelQF210, "Подключен QF210",
         true},
    };

    setUp(Dialect::Rom, SimulatedFls::kModelQF210);
    for (const Case &c : cases) {
        // Switched on again, the page reads the model anew.
        if (ui->pushButtonDeviceFLS->isChecked())
            ui->pushButtonDeviceFLS->click();
        device->sensor().model = c.model;
        connectWiredSensor(c.shown);
        const QString path = c.name.isEmpty() ? QString() : writeFile(c.name, firmware(c.size));
        const QString named = c.pastedOnItsName ? c.name + path : path;
        FirmwareDialogs dialogs(named, c.vanishes);
        if (c.pastedOnItsName) {
            dialogs.pickedFirst = path;
            dialogs.pasted = true;
        }
        QVERIFY2(pressUpdate(), c.what);
        QVERIFY2(dialogs.fileDialogs == 1, c.what);
        const QString told = c.pastedOnItsName ? "Файл не найден:\n" + named
                                               : "Файл прошивки должен соответствовать модели датчика\nВозможно, "
                                                 "файл повреждён\nВыберите другой файл";
        QVERIFY2(dialogs.messages == QStringList(told) || c.name.isEmpty(), c.what);
        QVERIFY2(device->countRequests(5, 0x88) == 0, c.what);
        QVERIFY2(device->rawReceived.isEmpty(), c.what);
        QVERIFY2(!updater->isUpdatingFirmware(), c.what);
        QVERIFY2(ui->progressBarFirmwareDUT->isHidden(), c.what);
        // The page goes on polling its sensor, with the model it reported.
        const int polls = device->countRequests(5, 0xF0);
        QTRY_VERIFY2_WITH_TIMEOUT(device->countRequests(5, 0xF0) > polls, c.what, kConnectMs);
        // Its answer is on its way: a loaded machine may have let the
        // watchdog run out meanwhile, and the answer brings the sensor back.
        QTRY_VERIFY2_WITH_TIMEOUT(status() == c.shown, c.what, kConnectMs);
    }
}

void TestFwUpdateFailures::aFileForAnotherModelThanTheSensorsIsRefusedBeforeTheReset_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("model"); // -1: no sensor answers, and nothing is asked
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    const QString wired = "pushButtonDeviceFLS";
    // A file of the other bootloader dialect, and one of the same dialect.
    QTest::newRow("QF210 file, a QF470 on the bus") << wired << int(SimulatedFls::kModelQF470) << "Подключен QF470"
                                                    << "QF210_2.1.bin" << 0x4A40 + 300;
    QTest::newRow("QF410 file, a QF210 on the bus") << wired << int(SimulatedFls::kModelQF210) << "Подключен QF210"
                                                    << "fw_qf410.cri" << 0x5040 + 300;
    QTest::newRow("angle sensor file in a QF210 folder, a QF210 on the bus")
        << wired << int(SimulatedFls::kModelQF210) << "Подключен QF210"
        << "qf210dir/ANGLEMETER_fw.bin" << 0x4A40 + 300;
    // Each page takes its own family's device alone: a fuel sensor answering
    // the angle or PLM300 page is no device of it, and is told; nothing is
    // offered, whatever the file.
    const int any = SimulatedFls::kModelGeneric;
    const QString fuel = BaseDevice::otherKindText(BaseDevice::AnswerKind::FuelSensor);
    QTest::newRow("QF210, angle page") << "pushButtonKV380" << any << fuel << "QF210_fuel.bin" << 0x4A40 + 300;
    QTest::newRow("QF260, angle page") << "pushButtonKV380" << any << fuel << "QF260_fuel.bin" << 640;
    QTest::newRow("angle sensor, angle page, a fuel sensor answers")
        << "pushButtonKV380" << any << fuel << "AngleMeter.bin" << 64 + 300;
    QTest::newRow("angle sensor, wired page, no sensor") << wired << -1 << QString() << "AngleMeter.bin" << 64 + 300;
    QTest::newRow("QF210, online page") << "pushButtonQFOnline" << -1 << QString() << "QF210.bin" << 0x4A40 + 100;
    QTest::newRow("angle sensor, PLM300 page") << "pushButtonPLM300" << any << fuel << "AngleMeter.bin" << 300;
    QTest::newRow("PLM300, PLM300 page, a fuel sensor answers")
        << "pushButtonPLM300" << any << fuel << "PLM300.bin" << 300;
    // A fuel sensor page whose sensor reported no fuel sensor's model (a
    // device of another kind answers) takes no file at all.
    QTest::newRow("QF210, wired page, no model reported") << wired << any << "Датчик подключен"
                                                          << "QF210.bin" << 0x4A40 + 300;
}

void TestFwUpdateFailures::aFileForAnotherModelThanTheSensorsIsRefusedBeforeTheReset()
{
    QFETCH(QString, button);
    QFETCH(int, model);
    QFETCH(QString, shown);
    QFETCH(QString, name);
    QFETCH(int, size);

    setUp(Dialect::Rom, quint8(qMax(model, 0)));
    device->silent = model < 0;
    window->findChild<QPushButton *>(button)->click();
    BaseDevice *asking = button == "pushButtonKV380"      ? static_cast<BaseDevice *>(window->kv380())
                         : button == "pushButtonPLM300"   ? static_cast<BaseDevice *>(window->plm300())
                         : button == "pushButtonQFOnline" ? static_cast<BaseDevice *>(window->online())
                                                          : page;
    // Another kind's device answering the page shows nothing of it, its
    // serial and firmware included.
    const bool foreign = model >= 0 && asking != page;
    if (foreign) {
        QTRY_COMPARE_WITH_TIMEOUT(asking->getLabelStatusMessage()->text(), shown, kConnectMs);
        QCOMPARE(ui->label_SerNumVal->text(), QString());
    } else if (model >= 0) {
        QTRY_COMPARE_WITH_TIMEOUT(status(), shown, kConnectMs);
        QTRY_VERIFY_WITH_TIMEOUT(asking->hasOwnSensorAnswered(), kConnectMs);
    }
    const bool noModel = asking == page && model == SimulatedFls::kModelGeneric;
    FirmwareDialogs dialogs(writeFile(name, firmware(size)));
    QVERIFY(pressUpdate());
    QCOMPARE(dialogs.fileDialogs, model < 0 || noModel || foreign ? 0 : 1);
    if (model < 0 || foreign) { // told on the page's line where it shows, else in a box
        const QString told = foreign ? shown : "Подключите датчик";
        QVERIFY(dialogs.messages == QStringList(told) ||
                (dialogs.messages.isEmpty() && asking->getLabelStatusMessage()->text() == told));
    } else
        QCOMPARE(dialogs.messages,
                 QStringList(noModel ? FirmwareUpdater::unknownModelText() : FirmwareUpdater::mismatchText()));
    for (const SimulatedDevice::Request &request : device->requests())
        QVERIFY(request.bytes.size() < 3 || quint8(request.bytes.at(2)) != 0x88);
    QVERIFY(device->rawReceived.isEmpty());
    QVERIFY(!updater->isUpdatingFirmware());
    QVERIFY(!logSinceStart().contains("Starting update firmware"));
    if (model < 0 || asking != page)
        return;
    const int polls = device->countRequests(5, 0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(5, 0xF0) > polls, kConnectMs);
    QCOMPARE(status(), shown);
}

void TestFwUpdateFailures::aCancelledChoiceLeavesThePageWatchingItsSensor()
{
    setUp(Dialect::Rom, SimulatedFls::kModelQF210);
    connectWiredSensor("Подключен QF210");
    // The dialog opens where the last chosen file is, also as an earlier
    // version kept it.
    const QString last = writeFile("QF210_old.bin", firmware(10));
    QSettings().remove("firmware_file");
    QSettings().setValue("default_dir", last);
    FirmwareDialogs dialogs{QString()};
    QVERIFY(pressUpdate());
    QCOMPARE(dialogs.directoryOffered, QFileInfo(last).absolutePath());
    QCOMPARE(dialogs.selectedOffered, QStringList()); // what is taken is what the user picks
    QCOMPARE(dialogs.messages, QStringList());        // a cancel is no wrong file
    QCOMPARE(QSettings().value("default_dir").toString(), last);

    // The watchdog still runs: a sensor falling silent is noticed.
    device->sensor().silent = true;
    QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Подключите датчик"), kConnectMs);
}

// The file dialog goes with its session, and nothing follows it. A box still
// up once the program has taken in the hang-up is closed here, and counted.
void TestFwUpdateFailures::aHungUpLineClosesTheFileDialog()
{
    setUp(Dialect::Rom, SimulatedFls::kModelQF210);
    connectWiredSensor("Подключен QF210");
    ModalCloser closer;
    bool hungUp = false;
    bool fileDialogUp = false;
    bool lineDropped = false;
    connect(window->port(), &PortConnection::signalHandleError, &closer, [&lineDropped] { lineDropped = true; });
    closer.leaveOpen = [&](QWidget *modal) {
        if (!hungUp) {
            hungUp = true;
            fileDialogUp = qobject_cast<QFileDialog *>(modal);
            device->hangUp();
        }
        return !lineDropped;
    };
    QVERIFY(pressUpdate());
    QVERIFY(fileDialogUp);
    QCOMPARE(closer.seen.size(), 0);
}

// A bootloader that never answers the sync byte is given up once the time
// the user has to switch the power off and on is over, and the failure is
// shown, whatever else the line brings (short, long, glued or random chunks
// without an acknowledge or a refusal where the bootloader's answer stands). One that refuses it is not
// at its start: the download stops at once and tells what to do.
void TestFwUpdateFailures::aBootloaderThatNeverAnswersTheSyncIsGivenUpWhateverTheLineBrings()
{
    setUp(Dialect::Rom, SimulatedFls::kModelQF210);
    device->bootDelayMs = 3600 * 1000;
    updater->setPatienceMs(kShortPatienceMs);
    connectWiredSensor("Подключен QF210");
    FirmwareDialogs dialogs(writeFile("QF210.bin", firmware(0x4A40 + 128)));
    QElapsedTimer sinceStart;
    sinceStart.start();
    QSignalSpy chunks(window->port(), &PortConnection::dataOut);
    int from = 0;
    QRandomGenerator random(22);
    const QList<int> sizes = {1, 2, 3, 66, 67, 68, 129, 130, 131, 2047, 2048, 3000};
    QList<QByteArray> noises;
    for (int size : sizes) {
        QByteArray noise(size, Qt::Uninitialized);
        for (char &c : noise) {
            c = char(random.bounded(256));
            if (quint8(c) == 0x79 || quint8(c) == 0xA5 || quint8(c) == 0x1F)
                c = char(0x00);
        }
        noises << noise;
    }
    // Then a sensor's answer holding an answer byte, an acknowledge followed
    // by more, a refusal behind another byte.
    for (const char *chunk : {"3e01a500", "3e017900", "79a500", "001f", "3e011f00"})
        noises << QByteArray::fromHex(chunk);
    for (const QByteArray &noise : noises) {
        // One chunk at a time, each meeting a download that offers its sync byte.
        if (!updater->isUpdatingFirmware()) {
            from = device->rawReceived.size();
            QVERIFY(pressUpdate());
        }
        const int delivered = chunks.count();
        QVERIFY(device->sendRaw(noise));
        QTRY_VERIFY_WITH_TIMEOUT(chunks.count() > delivered || !updater->isUpdatingFirmware(), kConnectMs);
        QTRY_COMPARE_WITH_TIMEOUT(window->rxCount(), 0, kConnectMs);
        QVERIFY(updater->isUpdatingFirmware());
    }
    QCOMPARE(int(updater->getCurStep()), 1);
    QCOMPARE(status(), QString("Переподключите питание датчика"));
    waitForFailure(kGivenUpMs);
    QVERIFY2(sinceStart.elapsed() >= kShortPatienceMs, qPrintable(QString::number(sinceStart.elapsed())));

    // The sync byte was offered again and again and no command followed
    // (after the failure only the page's own search and polls go out).
    QVERIFY2(device->rawReceived.mid(from).contains(QByteArray(6, char(0x7F))),
             qPrintable(device->rawReceived.toHex()));
    QVERIFY(!device->rawReceived.contains(QByteArray::fromHex("43bc")));
    // Nothing goes to the bootloader left; once the sensor answers again a
    // download starts, and its bootloader refuses the sync.
    device->powerCycle();
    QTRY_COMPARE_WITH_TIMEOUT(status(), QString("Подключен QF210"), kConnectMs);
    QVERIFY(pressUpdate());
    QVERIFY(device->sendRaw(QByteArray(1, char(0x1F))));
    QTRY_COMPARE_WITH_TIMEOUT(dialogs.messages.count("Прошивка не обновлена\nЗагрузчик датчика не в начале загрузки "
                                                     "прошивки\nВыключите и включите питание датчика, затем начните "
                                                     "обновление снова"),
                              1, kConnectMs);
    QCOMPARE(countInLog("Error update firmware"), 2);
}

QTEST_MAIN(TestFwUpdateFailures)
#include "tst_fwupdatefailures.moc"
