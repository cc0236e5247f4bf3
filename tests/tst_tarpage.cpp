#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "calibration/targraph.h"
#include "calibration/tarrun.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "fulldisk.h"
#include "link/portconnection.h"
#include "modalscript.h"
#include "shortintervals.h"
#include "simulatedfls.h"
#include "ui/switch.h"
#include "ui/widgettar.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QSplineSeries>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QtTest>

#include <memory>

// A tank calibration end to end: the real main window, the real port on a
// pseudo-terminal and simulated sensors whose levels the test moves, the
// files on disk, the questions answered as a user would.
class TestTarPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void oneSensorRunSurvivesARestartAndEndsInACsv();
    void twoSensorRunIsFoundUnderEitherNameAndGraphed();
    void removingSensorTwoMidRunKeepsEveryPortion();
    void pairRunIsNamedAfterBothSerialsAndNotOfferedToAnotherPair();
    void vanishedSensorIsNotRecordedAndIsFoundAgain_data();
    void vanishedSensorIsNotRecordedAndIsFoundAgain();
    void anotherSensorsRunIsNeitherOfferedNorTouched();
    void declinedRunIsKeptWhereTheRestoreDialogOpensIt();
    void endingNeverLosesTheRun();
    void runRestoredFromTheUsersCsvLeavesItAlone();
    void malformedRunFilesAreNotTakenAsARun_data();
    void malformedRunFilesAreNotTakenAsARun();
    void graphSpansEveryRowAndGoesAway();
    void withNoTableHeldTheButtonsDoNothing();

private:
    void openWindow(bool waitForSensors = true);
    void setLevel(int sensor, quint16 level);
    // A second sensor on the bus, at number 2.
    SimulatedFls::Sensor &addSecondSensor(quint32 serial, quint16 level);
    QStringList rows() const;
    QString configFile(const QString &name) const { return folder + '/' + name; }
    void clickRow(int row);

    std::unique_ptr<SimulatedFls> device;
    std::unique_ptr<Reriruvozive> window;
    std::unique_ptr<ModalScript> script;
    std::unique_ptr<QTemporaryDir> userDir;
    Ui_Deruvivuriri *ui = nullptr;
    QString folder;
};

namespace {

constexpr int kConnectMs = 10000;
constexpr int kLevelMs = 5000;

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

void TestTarPage::initTestCase()
{
    QCoreApplication::setOrganizationName("Mirvel");
    QCoreApplication::setApplicationName("Reriruvozive-Mirvel");
    folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QVERIFY(QDir().mkpath(folder));
}

void TestTarPage::init()
{
    QDir dir(folder);
    // Runs left by an earlier test, kept aside ones too.
    for (const QString &name : dir.entryList({"*.etr", "*.csv"}, QDir::Files))
        dir.remove(name);
    userDir = std::make_unique<QTemporaryDir>();
    device = std::make_unique<SimulatedFls>();
    QVERIFY(device->isValid());
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit());
    script = std::make_unique<ModalScript>();
}

void TestTarPage::cleanup()
{
    QVERIFY2(script->unexpected.isEmpty(), qPrintable(script->unexpected.join('\n')));
    script.reset();
    window.reset();
    device.reset();
    userDir.reset();
    ui = nullptr;
}

void TestTarPage::openWindow(bool waitForSensors)
{
    window = std::make_unique<Reriruvozive>();
    ui = window->form();
    // One sensor: the page runs on short periods. With two it looks at the
    // line every 600 ms whatever its periods, and a shorter poll would ask
    // one sensor twice before its answer is taken; those keep a user's.
    if (device->sensors.size() == 1)
        shortintervals::apply(window->fls());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    ui->pushButtonDeviceFLS->click();
    QVERIFY(window->port()->getSerialPort()->isOpen());
    if (!waitForSensors)
        return;
    FLSDevice *page = window->fls();
    // The page asks a sensor for its serial once it is picked, as a user
    // picks each sensor once.
    QTRY_COMPARE_WITH_TIMEOUT(ui->comboBox_NetNumDUT->count(), device->sensors.size(), kConnectMs);
    for (int i = device->sensors.size() - 1; i >= 0; --i) {
        ui->comboBox_NetNumDUT->setCurrentIndex(i);
        emit ui->comboBox_NetNumDUT->activated(i);
        WidgetTar *card = i == 0 ? page->getWidgetTarSensor1() : page->getWidgetTarSensor2();
        QTRY_COMPARE_WITH_TIMEOUT(card->getSerNum(), int(device->sensor(i).serial), kConnectMs);
    }
    for (int i = 0; i < device->sensors.size(); ++i) {
        WidgetTar *card = i == 0 ? page->getWidgetTarSensor1() : page->getWidgetTarSensor2();
        QTRY_COMPARE_WITH_TIMEOUT(card->getSerNum(), int(device->sensor(i).serial), kConnectMs);
        QTRY_COMPARE_WITH_TIMEOUT(window->getLevel(i), int(device->sensor(i).level), kConnectMs);
    }
    QTRY_VERIFY_WITH_TIMEOUT(page->isDeviceConnected(), kConnectMs);
}

void TestTarPage::setLevel(int sensor, quint16 level)
{
    device->sensor(sensor).level = level;
    QTRY_COMPARE_WITH_TIMEOUT(window->getLevel(sensor), int(level), kLevelMs);
}

SimulatedFls::Sensor &TestTarPage::addSecondSensor(quint32 serial, quint16 level)
{
    SimulatedFls::Sensor second;
    second.netNum = 2;
    second.serial = serial;
    second.level = level;
    device->sensors.append(second);
    return device->sensors.last();
}

QStringList TestTarPage::rows() const
{
    QStringList out;
    for (const QStringList &row : window->tar()->rows())
        out << row.join('/');
    return out;
}

void TestTarPage::clickRow(int row)
{
    QTableView *view = window->fls()->getTableViewTar();
    view->scrollTo(view->model()->index(row, 1));
    const QRect cell = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

void TestTarPage::oneSensorRunSurvivesARestartAndEndsInACsv()
{
    openWindow();
    TarRun *tar = window->tar();
    setLevel(0, 100);
    ui->ButtonTarirovka->click();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->Tarirovka);
    // Refused while another procedure of the page runs: told here, not on
    // the device page's line.
    {
        const BaseDevice::Procedure other(window->fls());
        script->thenShowing("Дождитесь окончания текущей операции", ModalScript::accept());
        ui->pushButtonAdSensorTar->click();
        QTRY_VERIFY(script->finished());
    }
    // Refused while no sensor is heard: one box tells it, nothing follows.
    device->sensor().silent = true;
    QTRY_VERIFY_WITH_TIMEOUT(window->fls()->isSearchActive(), kConnectMs);
    script->thenShowing("Подключите датчик", ModalScript::accept());
    ui->pushButtonAdSensorTar->click();
    QTRY_VERIFY(script->finished());
    QCOMPARE(rows(), QStringList());
    device->sensor().silent = false;
    QTRY_VERIFY_WITH_TIMEOUT(window->fls()->hasOwnSensorAnswered() && window->fls()->hasCurrentReading(0), kConnectMs);
    ui->pushButtonAdSensorTar->click();
    QCOMPARE(rows(), QStringList{"0/100"});
    // Only one sensor on the bus: there is no second one to add.
    QVERIFY(ui->pushButtonAdSensorTar->isHidden());
    // Away and back before the first portion: the table begun is still shown.
    ui->pushButtonBackTarir->click();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->DUT);
    ui->ButtonTarirovka->click();
    QVERIFY(!window->fls()->getTableViewTar()->isHidden());
    QCOMPARE(rows(), QStringList{"0/100"});
    QVERIFY(!ui->pushButtonAdPortionTar->isHidden());

    setLevel(0, 200);
    ui->pushButtonAdPortionTar->click();
    const QString mirror = configFile("~12345.etr");
    QCOMPARE(readFile(mirror), QByteArray("100, 0\r\n200, 5\r\n"));
    QVERIFY(!tar->unitSwitch()->isEnabled());

    ui->lineEditStepTar->setText("10");
    setLevel(0, 300);
    ui->pushButtonAdPortionTar->click();

    // Draining: what is left is recorded, however little; an empty tank
    // asks first.
    emit ui->comboBoxZalivSliv->activated(1);
    QCOMPARE(ui->lineEditStepTar->text(), QString("500"));
    ui->lineEditStepTar->setText("12");
    setLevel(0, 250);
    ui->pushButtonAdPortionTar->click();
    setLevel(0, 240);
    script->thenShowing("Возможно тарировка закончена", ModalScript::accept());
    ui->pushButtonAdPortionTar->click();
    QVERIFY(script->finished());
    QCOMPARE(rows(), (QStringList{"0/100", "5/200", "15/300", "3/250", "0/240"}));

    // The portion of 5 was wrong: its row goes with the row delete button.
    clickRow(1);
    QVERIFY(!tar->rowDeleteButton()->isHidden());
    tar->rowDeleteButton()->click();
    QVERIFY(tar->rowDeleteButton()->isHidden());
    QCOMPARE(rows(), (QStringList{"0/100", "15/300", "3/250", "0/240"}));
    QCOMPARE(readFile(mirror), QByteArray("100, 0\r\n300, 15\r\n250, 3\r\n240, 0\r\n"));

    // The last volume was 2.5, not 0: edited in its cell, mirrored at once,
    // and the next portion counts on from it.
    QTableView *view = window->fls()->getTableViewTar();
    view->edit(view->model()->index(3, 0));
    auto *editor = view->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "2.5");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(readFile(mirror), QByteArray("100, 0\r\n300, 15\r\n250, 3\r\n240, 2.5\r\n"));
    emit ui->comboBoxZalivSliv->activated(0);
    QCOMPARE(ui->lineEditStepTar->text(), QString("5"));
    setLevel(0, 260);
    ui->pushButtonAdPortionTar->click();
    const QStringList beforeCrash{"0/100", "15/300", "3/250", "2.5/240", "7.5/260"};
    QCOMPARE(rows(), beforeCrash);
    const QByteArray mirrored = readFile(mirror);
    QCOMPARE(mirrored, QByteArray("100, 0\r\n300, 15\r\n250, 3\r\n240, 2.5\r\n260, 7.5\r\n"));

    // The program goes away mid-run, as in a crash; the next start offers
    // the run again, whole.
    window.reset();
    QCOMPARE(readFile(mirror), mirrored);
    openWindow();
    tar = window->tar();
    script->thenShowing("Найдена незаконченная тарировка", ModalScript::accept());
    window->slotShortcutF4();
    QVERIFY(script->finished());
    QCOMPARE(rows(), beforeCrash);
    QVERIFY(tar->isStarted());
    QVERIFY(!ui->pushButtonAdPortionTar->isHidden());
    QVERIFY(ui->pushButtonAdSensorTar->isHidden());

    // Another program rewrites the restored run's file: kept aside and told.
    writeFile(mirror, "999, 0\r\n");
    script->thenShowing("Незаконченная тарировка сохранена", ModalScript::accept());
    setLevel(0, 270);
    ui->pushButtonAdPortionTar->click();
    QVERIFY(script->finished());
    // The file the box names holds the other program's rewrite.
    const QString told = QStringLiteral("Незаконченная тарировка сохранена в файле\n");
    const QString box = script->seen.last();
    QVERIFY2(box.contains(told), qPrintable(box));
    const QString aside = box.mid(box.indexOf(told) + told.size()).section('|', 0, 0);
    QCOMPARE(readFile(aside), QByteArray("999, 0\r\n"));
    const QByteArray whole = "100, 0\r\n300, 15\r\n250, 3\r\n240, 2.5\r\n260, 7.5\r\n270, 12.5\r\n";
    QCOMPARE(readFile(mirror), whole);

    // Ending: the user's CSV holds the run, the mirror goes, the finished
    // copy stays beside it, and the page is ready for the next tank.
    script->thenShowing("Вы хотите завершить тарировку?", ModalScript::click("Да"))
        .then("save dialog", ModalScript::fileDialog(), ModalScript::chooseFile(userDir->filePath("tank")));
    ui->pushButtonEndTar->click();
    QVERIFY(script->finished());
    QCOMPARE(readFile(userDir->filePath("tank.csv")), whole);
    QVERIFY(!QFile::exists(mirror));
    QCOMPARE(readFile(configFile("12345.etr")), whole);
    QCOMPARE(tar->rowCount(), 0);
    QCOMPARE(tar->sensorCount(), 0);
    QVERIFY(!tar->isStarted());
    QVERIFY(tar->unitSwitch()->isEnabled());
    QCOMPARE(ui->pushButtonAdSensorTar->text(), QString("Начать"));
    QVERIFY(!ui->pushButtonRestoreTar->isHidden());

    // The next launch finds nothing unfinished.
    window->slotShortcutF4();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->Tarirovka);
    QVERIFY(script->seen.filter("незаконченная").size() == 1);
}

void TestTarPage::twoSensorRunIsFoundUnderEitherNameAndGraphed()
{
    device->sensor(0).serial = 1001;
    device->sensor(0).level = 300;
    SimulatedFls::Sensor &second = addSecondSensor(1002, 700);
    second.model = SimulatedFls::kModelQF210;
    second.form = 24;
    openWindow();
    TarRun *tar = window->tar();

    ui->ButtonTarirovka->click();
    ui->pushButtonAdSensorTar->click();
    QVERIFY(!ui->pushButtonAdSensorTar->isHidden());
    ui->pushButtonAdSensorTar->click();
    QCOMPARE(rows(), QStringList{"0/300/700"});
    QVERIFY(!window->fls()->getWidgetTarSensor2()->isHidden());
    setLevel(0, 310);
    setLevel(1, 710);
    ui->pushButtonAdPortionTar->click();
    QCOMPARE(readFile(configFile("~1001_1002.etr")), QByteArray("300, 700, 0\r\n310, 710, 5\r\n"));

    // A run begun with the sensors found the other way round names 1002
    // first and holds its readings first; it is found, and each column
    // holds one sensor's readings.
    window.reset();
    QVERIFY(QFile::remove(configFile("~1001_1002.etr")));
    writeFile(configFile("~1002_1001.etr"), "700, 300, 0\r\n710, 310, 5\r\n");
    openWindow();
    tar = window->tar();
    script->thenShowing("Найдена незаконченная тарировка", ModalScript::accept());
    ui->ButtonTarirovka->click();
    QVERIFY(script->finished());
    QCOMPARE(rows(), (QStringList{"0/300/700", "5/310/710"}));
    QCOMPARE(tar->sensorCount(), 2);
    setLevel(0, 320);
    setLevel(1, 760);
    ui->pushButtonAdPortionTar->click();
    const QByteArray whole = "300, 700, 0\r\n310, 710, 5\r\n320, 760, 10\r\n";
    QCOMPARE(readFile(configFile("~1001_1002.etr")), whole);
    // Left behind, the old name would offer the run again after its end.
    QVERIFY(!QFile::exists(configFile("~1002_1001.etr")));

    // Two curves; the reading axis reaches the highest reading of either.
    ui->pushButtonGraphShow->click();
    auto *graph = qobject_cast<TarGraph *>(window->centralWidget());
    QVERIFY(graph && graph->chart());
    QCOMPARE(graph->chart()->series().size(), 2);
    auto *second2 = qobject_cast<QtCharts::QSplineSeries *>(graph->chart()->series().at(1));
    QCOMPARE(second2->count(), 3);
    QCOMPARE(second2->at(2), QPointF(10, 760));
    auto *readings = qobject_cast<QtCharts::QValueAxis *>(graph->chart()->axes(Qt::Vertical).first());
    QCOMPARE(readings->max(), 760.0);
    graph->backButton()->click();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->Tarirovka);
    QTRY_VERIFY(!window->centralWidget());

    script->thenShowing("Вы хотите завершить тарировку?", ModalScript::accept())
        .then("save dialog", ModalScript::fileDialog(), ModalScript::chooseFile(userDir->filePath("pair.csv")));
    ui->pushButtonEndTar->click();
    QVERIFY(script->finished());
    QCOMPARE(readFile(userDir->filePath("pair.csv")), whole);
    QCOMPARE(readFile(configFile("1001.etr")), whole);
    QVERIFY(!QFile::exists(configFile("~1001_1002.etr")));
    QCOMPARE(tar->sensorCount(), 0);
    QVERIFY(window->fls()->getWidgetTarSensor2()->isHidden());
}

void TestTarPage::removingSensorTwoMidRunKeepsEveryPortion()
{
    device->sensor(0).serial = 1001;
    device->sensor(0).level = 1000;
    addSecondSensor(1002, 512);
    openWindow();
    ui->ButtonTarirovka->click();
    ui->pushButtonAdSensorTar->click();
    ui->pushButtonAdSensorTar->click();
    ui->pushButtonAdPortionTar->click();
    // Sensor 2 comes off the tank halfway: its column goes, the portions stay.
    ui->pushButtonDelSensorTar->click();
    QVERIFY(!QFile::exists(configFile("~1001_1002.etr")));
    setLevel(0, 1250);
    ui->pushButtonAdPortionTar->click();
    const QStringList all{"0/1000", "5/1000", "10/1250"};
    QCOMPARE(rows(), all);

    // Restarted with sensor 2 unplugged, the run is offered whole.
    window.reset();
    device->sensors.removeLast();
    openWindow();
    script->thenShowing("Найдена незаконченная тарировка", ModalScript::accept());
    window->slotShortcutF4();
    QVERIFY(script->finished());
    QCOMPARE(rows(), all);
    ui->pushButtonAdPortionTar->click();
    QCOMPARE(readFile(configFile("~1001.etr")), QByteArray("1000, 0\r\n1000, 5\r\n1250, 10\r\n1250, 15\r\n"));
}

void TestTarPage::pairRunIsNamedAfterBothSerialsAndNotOfferedToAnotherPair()
{
    device->sensor(0).level = 1000;
    addSecondSensor(54321, 2000);
    // Nobody picks sensor 2 on the page: its serial is asked all the same.
    const auto openWithSecondSerial = [&](int serial) {
        openWindow(false);
        QTRY_COMPARE_WITH_TIMEOUT(window->fls()->getWidgetTarSensor2()->getSerNum(), serial, kConnectMs);
        QTRY_COMPARE_WITH_TIMEOUT(window->getLevel(1), 2000, kConnectMs);
    };
    openWithSecondSerial(54321);
    ui->ButtonTarirovka->click();
    ui->pushButtonAdSensorTar->click();
    ui->pushButtonAdSensorTar->click();
    ui->pushButtonAdPortionTar->click();
    QCOMPARE(readFile(configFile("~12345_54321.etr")), QByteArray("1000, 2000, 0\r\n1000, 2000, 5\r\n"));

    // Sensor 2 swapped for another: the first pair's run is not offered.
    window.reset();
    device->sensor(1).serial = 99999;
    openWithSecondSerial(99999);
    ui->ButtonTarirovka->click();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->Tarirovka);
    QVERIFY(!window->tar()->isUnfinishedFound());
}

void TestTarPage::vanishedSensorIsNotRecordedAndIsFoundAgain_data()
{
    QTest::addColumn<int>("sensors");
    QTest::addColumn<int>("vanishing");
    QTest::addColumn<int>("inRun");    // the run's sensors, the first ones on the bus
    QTest::addColumn<bool>("removed"); // the vanished one leaves the run after a refusal
    QTest::newRow("sensor 2 of a pair") << 2 << 1 << 2 << false;
    QTest::newRow("sensor 1 of a pair") << 2 << 0 << 2 << false;
    QTest::newRow("the only sensor") << 1 << 0 << 1 << false;
    QTest::newRow("sensor 2 beside a run of sensor 1") << 2 << 1 << 1 << false;
    QTest::newRow("sensor 2 taken out of a pair's run") << 2 << 1 << 2 << true;
}

void TestTarPage::vanishedSensorIsNotRecordedAndIsFoundAgain()
{
    QFETCH(int, sensors);
    QFETCH(int, vanishing);
    QFETCH(int, inRun);
    QFETCH(bool, removed);
    // Lost, a sensor is dropped after the watchdog's period and found again
    // a few polls after it answers: longer than a connection takes.
    constexpr int kLostMs = 30000;
    device->sensor(0).level = 1000;
    if (sensors == 2)
        addSecondSensor(54321, 2100);
    openWindow();
    ui->ButtonTarirovka->click();
    for (int i = 0; i < inRun; ++i)
        ui->pushButtonAdSensorTar->click();
    ui->pushButtonAdPortionTar->click();
    QStringList before = rows();
    QCOMPARE(before.size(), 2);
    QSignalSpy log(window->fls(), &FLSDevice::signalWriteLog);
    if (sensors == 1) {
        // A machine busy elsewhere holds the program back for two watchdog
        // periods while the level moves: nothing was asked meanwhile, so the
        // sensor is not lost, and a portion pressed as the program runs
        // again takes its next answer, not the level from before.
        const int asked = device->countRequests(device->sensor(0).netNum, 0xF0);
        device->sensor(0).level = 1050;
        QTest::qSleep(2 * window->fls()->intervals().watchdog);
        ui->pushButtonAdPortionTar->click();
        QCOMPARE(rows(), before << "10/1050");
        QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(device->sensor(0).netNum, 0xF0) >= asked + 4, kLostMs);
        QVERIFY(window->fls()->isDeviceConnected());
        QVERIFY(!log.contains(QVariantList{QString("Device is not responding")}));
    }

    // It stops answering: no portion takes its last level, as soon as its
    // polls go unanswered, nor after the watchdog and a new search; beside a
    // sensor that answers, the page stays and asks it again at its turn.
    const quint8 lostNet = device->sensor(vanishing).netNum;
    device->sensor(vanishing).silent = true;
    if (sensors == 1) {
        // Held back as it falls silent: the press queued meanwhile is refused.
        QTest::qSleep(2 * window->fls()->intervals().watchdog);
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!window->fls()->hasCurrentReading(vanishing), kLostMs);
        // Its card says so, in place of its last level.
        const auto level =
            (vanishing == 0 ? window->fls()->getWidgetTarSensor1() : window->fls()->getWidgetTarSensor2())
                ->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly)
                .value(1);
        QTRY_COMPARE_WITH_TIMEOUT(level->text(), QString("Не отвечает"), kLostMs);
    }
    for (int press = 0; vanishing < inRun && press < 2; ++press) {
        script->thenShowing(QString("Датчик %1 не отвечает").arg(vanishing + 1), ModalScript::accept());
        ui->pushButtonAdPortionTar->click();
        QVERIFY(script->finished());
        QCOMPARE(rows(), before);
        const int asked = device->countRequests(lostNet, 0xF0);
        QTRY_VERIFY_WITH_TIMEOUT(sensors == 1 ? log.contains(QVariantList{QString("Device is not responding")})
                                              : device->countRequests(lostNet, 0xF0) > asked,
                                 kLostMs);
    }
    QCOMPARE(log.contains(QVariantList{QString("Device is not responding")}), sensors == 1);
    if (removed) {
        ui->pushButtonDelSensorTar->click();
        inRun = 1;
        before = QStringList{"0/1000", "5/1000"};
    }
    if (vanishing < inRun) {
        // Back on the line, it is read again and its new level recorded.
        device->sensor(vanishing).level += 200;
        device->sensor(vanishing).silent = false;
        for (int i = 0; i < inRun; ++i) {
            QTRY_COMPARE_WITH_TIMEOUT(window->getLevel(i), int(device->sensor(i).level), kLostMs);
            QTRY_VERIFY_WITH_TIMEOUT(window->fls()->hasCurrentReading(i) && window->fls()->isSerialKnown(i), kLostMs);
        }
    } else {
        // Silent out of the run: sensor 1 is read between two of its turns.
        device->sensor(0).level = 1100;
        const int asked = device->countRequests(lostNet, 0xF0);
        QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(lostNet, 0xF0) >= asked + 2, kLostMs);
    }
    QStringList readings;
    for (int i = 0; i < inRun; ++i)
        readings << QString::number(device->sensor(i).level);
    ui->pushButtonAdPortionTar->click();
    const QString volume = QString::number(5 * before.size());
    QCOMPARE(rows(), before + QStringList{volume + "/" + readings.join('/')});
    QVERIFY(readFile(configFile(inRun == 2 ? "~12345_54321.etr" : "~12345.etr"))
                .endsWith((readings.join(", ") + ", " + volume + "\r\n").toLatin1()));
}

void TestTarPage::anotherSensorsRunIsNeitherOfferedNorTouched()
{
    openWindow();
    ui->ButtonTarirovka->click();
    ui->pushButtonAdSensorTar->click();
    ui->pushButtonAdPortionTar->click();
    const QByteArray firstRun = "512, 0\r\n512, 5\r\n";
    // Offered on the way back and declined, then put aside: its only sensor removed.
    ui->pushButtonBackTarir->click();
    script->thenShowing("Найдена незаконченная тарировка", ModalScript::reject());
    ui->ButtonTarirovka->click();
    QVERIFY(script->finished());
    ui->pushButtonDelSensorTar->click();

    // Another sensor on the line: the first one's run is neither offered
    // nor touched by the new one.
    device->sensor().serial = 54321;
    emit ui->comboBox_NetNumDUT->activated(0);
    QTRY_COMPARE_WITH_TIMEOUT(window->fls()->getWidgetTarSensor1()->getSerNum(), 54321, kConnectMs);
    ui->pushButtonBackTarir->click();
    ui->ButtonTarirovka->click();
    ui->pushButtonAdSensorTar->click();
    ui->pushButtonAdPortionTar->click();
    QCOMPARE(readFile(configFile("~54321.etr")), firstRun);
    QCOMPARE(readFile(configFile("~12345.etr")), firstRun);
}

void TestTarPage::declinedRunIsKeptWhereTheRestoreDialogOpensIt()
{
    openWindow();
    ui->ButtonTarirovka->click();
    ui->pushButtonAdSensorTar->click();
    ui->pushButtonAdPortionTar->click();
    const QString mirror = configFile("~12345.etr");
    const QByteArray unfinished = "512, 0\r\n512, 5\r\n";
    const auto keptAside = [this] { return QDir(folder).entryList({"12345 *.csv"}, QDir::Files); };

    // After a restart the user declines to continue: the run moves aside,
    // and the user is told where.
    window.reset();
    openWindow();
    script->thenShowing("Найдена незаконченная тарировка", ModalScript::reject())
        .thenShowing("Незаконченная тарировка сохранена", ModalScript::accept());
    window->slotShortcutF4();
    QVERIFY(script->finished());
    QCOMPARE(keptAside().size(), 1);
    const QString aside = configFile(keptAside().first());
    QCOMPARE(readFile(aside), unfinished);

    // A new run put aside and begun anew at once: the new one's first
    // portion moves the put-aside one out of its way.
    ui->pushButtonAdSensorTar->click();
    ui->pushButtonAdPortionTar->click();
    ui->pushButtonDelSensorTar->click();
    QVERIFY(!ui->pushButtonAdSensorTar->isHidden());
    ui->pushButtonAdSensorTar->click();
    script->thenShowing("Незаконченная тарировка сохранена", ModalScript::accept());
    setLevel(0, 530);
    ui->pushButtonAdPortionTar->click();
    QVERIFY(script->finished());
    QCOMPARE(keptAside().size(), 2);

    // That run ended, the first one opens with the restore-from-file dialog.
    script->thenShowing("Вы хотите завершить тарировку?", ModalScript::accept())
        .then("save dialog", ModalScript::fileDialog(), ModalScript::chooseFile(userDir->filePath("new.csv")))
        .thenShowing("Временный файл не был найден", ModalScript::accept())
        .then("open dialog", ModalScript::fileDialog(), ModalScript::chooseFile(aside));
    ui->pushButtonEndTar->click();
    ui->pushButtonRestoreTar->click();
    QVERIFY(script->finished());
    QCOMPARE(rows(), (QStringList{"0/512", "5/512"}));
    QCOMPARE(readFile(mirror), unfinished);

    // Another program rewrites the run's file at its size: the next portion,
    // pressed once the level is read again after the dialogs, adds nothing to
    // it, keeps it aside and tells so. (Answered at once by the script, the
    // dialogs hold the program back between its polls; a portion pressed in
    // the same instant may find the sensor's last answers not yet taken in,
    // and is refused as a sensor that did not answer.)
    QTRY_VERIFY_WITH_TIMEOUT(window->fls()->hasCurrentReading(0) && window->fls()->isSerialKnown(0), kConnectMs);
    writeFile(mirror, "999, 0\r\n999, 5\r\n");
    script->thenShowing("Незаконченная тарировка сохранена", ModalScript::accept());
    ui->pushButtonAdPortionTar->click();
    QVERIFY(script->finished());
    QCOMPARE(readFile(mirror), unfinished + "530, 10\r\n");
    QCOMPARE(keptAside().size(), 3);
    // Rewritten again, then the run ends: kept aside and told as well.
    writeFile(mirror, "999, 0\r\n");
    script->thenShowing("Вы хотите завершить тарировку?", ModalScript::accept())
        .then("save dialog", ModalScript::fileDialog(), ModalScript::chooseFile(userDir->filePath("last.csv")))
        .thenShowing("Незаконченная тарировка сохранена", ModalScript::accept());
    ui->pushButtonEndTar->click();
    QVERIFY(script->finished());
    QCOMPARE(keptAside().size(), 4);
    QVERIFY(!QFile::exists(mirror));
}

void TestTarPage::endingNeverLosesTheRun()
{
    openWindow();
    TarRun *tar = window->tar();
    ui->ButtonTarirovka->click();
    ui->pushButtonAdSensorTar->click();
    const QString mirror = configFile("~12345.etr");
    // Its folder cannot be made (a plain file stands in its place): told
    // with the run's file from the first portion on, as the file's failure.
    QVERIFY(QDir().rename(folder, folder + ".away"));
    writeFile(folder, "");
    script->thenShowing("Не удалось записать файл тарировки\n" + mirror, ModalScript::accept());
    ui->pushButtonAdPortionTar->click();
    const bool folderBack = QFile::remove(folder) && QDir().rename(folder + ".away", folder);
    QVERIFY(script->finished());
    QVERIFY(folderBack);
    // The run's file cannot be written (a folder holds the name it is
    // written under first): the user is told; the next portion writes it.
    QVERIFY(QDir().mkpath(mirror + ".new"));
    script->thenShowing("Не удалось записать файл тарировки", ModalScript::accept());
    ui->pushButtonAdPortionTar->click();
    QVERIFY(script->finished());
    QVERIFY(QDir().rmdir(mirror + ".new"));
    ui->pushButtonAdPortionTar->click();
    const QByteArray mirrored = "512, 0\r\n512, 5\r\n512, 10\r\n512, 15\r\n";
    QCOMPARE(readFile(mirror), mirrored);
    // An edited cell the file cannot take is told as a portion is.
    QVERIFY(QDir().mkpath(mirror + ".new"));
    script->thenShowing("Не удалось записать файл тарировки", ModalScript::accept());
    QStandardItemModel *model = window->fls()->getModelTar();
    model->setData(model->index(2, 0), "12");
    QTRY_VERIFY(script->finished());
    QCOMPARE(readFile(mirror), mirrored);
    QVERIFY(QDir().rmdir(mirror + ".new"));
    model->setData(model->index(2, 0), "10");
    const auto runIsIntact = [&] {
        QCOMPARE(rows(), (QStringList{"0/512", "5/512", "10/512", "15/512"}));
        QVERIFY(tar->isStarted());
        QCOMPARE(readFile(mirror), mirrored);
    };

    script->thenShowing("Вы хотите завершить тарировку?", ModalScript::click("Нет"));
    ui->pushButtonEndTar->click();
    QVERIFY(script->finished());
    runIsIntact();

    script->thenShowing("Вы хотите завершить тарировку?", ModalScript::accept())
        .then("save dialog", ModalScript::fileDialog(), ModalScript::reject());
    ui->pushButtonEndTar->click();
    QVERIFY(script->finished());
    runIsIntact();

    // The name chosen cannot be written (a folder holds it): the user is
    // told, the run goes on.
    QVERIFY(QDir(userDir->path()).mkdir("taken.csv"));
    script->thenShowing("Вы хотите завершить тарировку?", ModalScript::accept())
        .then("save dialog", ModalScript::fileDialog(), ModalScript::chooseFile(userDir->filePath("taken")))
        .thenShowing("Заменить его?", ModalScript::accept())
        .thenShowing("Не удалось сохранить файл тарировки", ModalScript::accept());
    ui->pushButtonEndTar->click();
    QVERIFY2(script->finished(), qPrintable(script->nextStep()));
    runIsIntact();

    // An existing file chosen, the disk fills up as it is replaced: the old
    // file stays byte for byte.
    writeFile(userDir->filePath("old.csv"), "old\r\n");
    const auto endInto = [&](const QString &name) -> ModalScript & {
        return script->thenShowing("Вы хотите завершить тарировку?", ModalScript::accept())
            .then("save dialog", ModalScript::fileDialog(), ModalScript::chooseFile(name))
            .then("replace?", ModalScript::className("QMessageBox"), ModalScript::click("&Yes"));
    };
    endInto(userDir->filePath("old.csv")).thenShowing("Не удалось сохранить файл тарировки", ModalScript::accept());
    {
        const FullDisk full(10);
        ui->pushButtonEndTar->click();
    }
    QVERIFY2(script->finished(), qPrintable(script->nextStep()));
    QCOMPARE(readFile(userDir->filePath("old.csv")), QByteArray("old\r\n"));
    runIsIntact();

    // An existing file is replaced once the save dialog has asked. The
    // finished copy cannot be made (its name leads into a folder that is
    // gone): the run ends all the same, and the user is told.
    QVERIFY(QFile::link(userDir->filePath("gone/12345.etr"), configFile("12345.etr")));
    endInto(userDir->filePath("old.csv")).thenShowing("Не удалось записать копию тарировки", ModalScript::accept());
    ui->pushButtonEndTar->click();
    QVERIFY2(script->finished(), qPrintable(script->nextStep()));
    QVERIFY(QFile::remove(configFile("12345.etr")));
    QCOMPARE(readFile(userDir->filePath("old.csv")), mirrored);
    QVERIFY(!tar->isStarted());
    QVERIFY(!QFile::exists(mirror));
}

void TestTarPage::runRestoredFromTheUsersCsvLeavesItAlone()
{
    // An uncalibrated sensor with smoothing on: both are pointed out first.
    device->sensor().full = device->sensor().empty;
    device->sensor().configB = 0x03;
    openWindow();
    TarRun *tar = window->tar();
    const QString userCsv = userDir->filePath("old run.csv");
    // Saved again by a spreadsheet, with its byte order mark.
    const QByteArray userBytes = QByteArray::fromHex("efbbbf") + "100,0\n 150 , 10\n";
    writeFile(userCsv, userBytes);

    QTRY_VERIFY(ui->comboBox_FiltrDUT->currentIndex() != 0);
    script->thenShowing("при отключенном сглаживании", ModalScript::accept())
        .thenShowing("Датчик неоткалиброван", ModalScript::accept());
    ui->ButtonTarirovka->click();
    QVERIFY(script->finished());
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->Tarirovka);

    script->thenShowing("Временный файл не был найден", ModalScript::accept())
        .then("open dialog", ModalScript::fileDialog(), ModalScript::chooseFile(userCsv));
    ui->pushButtonRestoreTar->click();
    QVERIFY(script->finished());
    QCOMPARE(rows(), (QStringList{"0/100", "10/150"}));
    // The run is mirrored into the sensor's own file, never into the user's.
    const QString mirror = configFile("~12345.etr");
    QCOMPARE(readFile(mirror), QByteArray("100, 0\r\n150, 10\r\n"));
    window->fls()->getModelTar()->setData(window->fls()->getModelTar()->index(1, 1), "155");
    ui->pushButtonAdPortionTar->click();
    QCOMPARE(readFile(mirror), QByteArray("100, 0\r\n155, 10\r\n512, 15\r\n"));
    QCOMPARE(readFile(userCsv), userBytes);

    script->thenShowing("Вы хотите завершить тарировку?", ModalScript::accept())
        .then("save dialog", ModalScript::fileDialog(), ModalScript::chooseFile(userDir->filePath("new.csv")));
    ui->pushButtonEndTar->click();
    QVERIFY(script->finished());
    QCOMPARE(readFile(userCsv), userBytes);
    QCOMPARE(readFile(userDir->filePath("new.csv")), QByteArray("100, 0\r\n155, 10\r\n512, 15\r\n"));
    QVERIFY(!QFile::exists(mirror));
    QVERIFY(!tar->isStarted());

    // The line hangs up while the open dialog is up: it closes with the
    // session, and nothing is told.
    script->thenShowing("Временный файл не был найден", ModalScript::accept())
        .then("open dialog", ModalScript::fileDialog(), [this](QWidget *dialog) {
            device->hangUp();
            QVERIFY(QTest::qWaitFor([dialog] { return !dialog->isVisible(); }, kConnectMs));
        });
    ui->pushButtonRestoreTar->click();
    QVERIFY(script->finished());
}

void TestTarPage::malformedRunFilesAreNotTakenAsARun_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("restored");
    QTest::addColumn<QString>("told");
    const QString nothing = "не содержит данных";
    QTest::newRow("empty") << QByteArray() << QStringList{} << nothing;
    QTest::newRow("binary") << QByteArray("\x00\xff\x13\x37,\x00\r\n", 8) << QStringList{} << nothing;
    QTest::newRow("text") << QByteArray("volume, level\r\n") << QStringList{} << nothing;
    QTest::newRow("huge numbers") << QByteArray("99999999999999999999, 5\r\n") << QStringList{} << nothing;
    QTest::newRow("short and long lines among good ones")
        << QByteArray("100, 0\r\n7\r\n1, 2, 3, 4\r\n200, 5\r\n") << QStringList{"0/100", "5/200"} << "пропущены: 2";
    QTest::newRow("decimal commas of a spreadsheet")
        << QByteArray("1000, 0\r\n1100, 7,5\r\n1250, 12,5\r\n1400, 17\r\n")
        << QStringList{"0/1000", "7.5/1100", "12.5/1250", "17/1400"} << QString();
    // The run has one sensor: a volume of a decimal comma, not a second reading.
    QTest::newRow("decimal comma with no blank") << QByteArray("1000,0\r\n1100,7,5\r\n1250,12,5\r\n")
                                                 << QStringList{"0/1000", "7.5/1100", "12.5/1250"} << QString();
    QTest::newRow("a portion cut short as it was written")
        << QByteArray("100, 0\r\n200, 5\r\n1400, 2") << QStringList{"0/100", "5/200"} << "пропущены: 1";
    QTest::newRow("a note another program appended")
        << QByteArray("100, 0\r\n200, 5\r\nchecked\r\n") << QStringList{"0/100", "5/200"} << "пропущены: 1";
    QTest::newRow("two sensors' readings") << QByteArray("1000, 2100, 0\r\n") << QStringList{} << "показания двух";
}

void TestTarPage::malformedRunFilesAreNotTakenAsARun()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, restored);
    QFETCH(QString, told);
    const QString file = configFile("~12345.etr");
    writeFile(file, content);
    openWindow();
    script->thenShowing("Найдена незаконченная тарировка", ModalScript::accept());
    if (!told.isEmpty())
        script->thenShowing(told, ModalScript::accept());
    ui->ButtonTarirovka->click();
    QVERIFY2(script->finished(), qPrintable(script->nextStep()));
    QCOMPARE(rows(), restored);
    QCOMPARE(window->tar()->isStarted(), !restored.isEmpty());
    QCOMPARE(ui->pushButtonRestoreTar->isHidden(), !restored.isEmpty());
    QCOMPARE(readFile(file), content);
    // A restored run takes its next portion, into its own sensor's file,
    // once the file as it was read is kept aside.
    if (told.startsWith("пропущены"))
        script->thenShowing("Незаконченная тарировка сохранена", ModalScript::accept());
    ui->pushButtonAdPortionTar->click();
    if (told.startsWith("пропущены"))
        QCOMPARE(readFile(configFile(QDir(folder).entryList({"*.csv"}).value(0))), content);
    if (!restored.isEmpty())
        QCOMPARE(readFile(file).count('\n'), restored.size() + 1);
}

void TestTarPage::graphSpansEveryRowAndGoesAway()
{
    device->sensor().level = 900;
    openWindow();
    window->launchTarirovka();

    // Nothing in the table yet: a note instead of a chart.
    ui->pushButtonGraphShow->click();
    auto *graph = qobject_cast<TarGraph *>(window->centralWidget());
    QVERIFY(graph);
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->GraphTar);
    QVERIFY(!graph->chart());
    QVERIFY(graph->messageLabel());
    QPointer<TarGraph> gone(graph);
    graph->backButton()->click();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->Tarirovka);
    QTRY_VERIFY(!gone);

    // A drain run starts full and ends empty: its axes still hold every row.
    emit ui->comboBoxZalivSliv->activated(1);
    ui->lineEditStepTar->setText("400");
    const quint16 readings[] = {900, 600, 300, 50};
    ui->pushButtonAdSensorTar->click();
    script->thenShowing("Возможно тарировка закончена", ModalScript::accept());
    for (int i = 1; i < 4; ++i) {
        setLevel(0, readings[i]);
        ui->pushButtonAdPortionTar->click();
    }
    QVERIFY(script->finished());
    QCOMPARE(rows(), (QStringList{"1000/900", "600/600", "200/300", "0/50"}));

    ui->pushButtonGraphShow->click();
    graph = qobject_cast<TarGraph *>(window->centralWidget());
    QVERIFY(graph && graph->chart());
    QCOMPARE(graph->chart()->series().size(), 1);
    auto *curve = qobject_cast<QtCharts::QSplineSeries *>(graph->chart()->series().first());
    QCOMPARE(curve->points(), (QList<QPointF>{{1000, 900}, {600, 600}, {200, 300}, {0, 50}}));
    auto *volumes = qobject_cast<QtCharts::QValueAxis *>(graph->chart()->axes(Qt::Horizontal).first());
    auto *levels = qobject_cast<QtCharts::QValueAxis *>(graph->chart()->axes(Qt::Vertical).first());
    QCOMPARE(volumes->min(), 0.0);
    QCOMPARE(volumes->max(), 1000.0);
    QCOMPARE(levels->max(), 900.0);
    gone = graph;
    graph->backButton()->click();
    QTRY_VERIFY(!gone);
    QVERIFY(!window->centralWidget());
}

void TestTarPage::withNoTableHeldTheButtonsDoNothing()
{
    // No device chosen: no page lends a table.
    window = std::make_unique<Reriruvozive>();
    ui = window->form();
    window->launchTarirovka();
    window->setLevelFromAnotherDevice(5, 7);
    window->setLevelFromAnotherDevice(5, -1);
    for (QPushButton *button : {ui->pushButtonAdSensorTar, ui->pushButtonAdPortionTar, ui->pushButtonDelPortionTar,
                                ui->pushButtonDelSensorTar, ui->pushButtonEndTar, ui->pushButtonRestoreTar,
                                ui->pushButtonStartTarAdw, ui->pushButtonAdPortionAdw, ui->pushButtonDelPortionAdw,
                                ui->pushButtonEndTarAdw, ui->pushButtonRestoreTarAdw})
        button->click();
    window->tar()->unitSwitch()->click();
    window->tar()->rowDeleteButton()->click();
    QVERIFY(script->seen.isEmpty());
    QCOMPARE(window->tar()->rowCount(), 0);
    QVERIFY(!window->tar()->isStarted());
    QVERIFY(QDir(folder).entryList({"*.etr"}, QDir::Files).isEmpty());
}

QTEST_MAIN(TestTarPage)
#include "tst_tarpage.moc"
