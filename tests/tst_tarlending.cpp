#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "blewindowfixture.h"
#include "calibration/tarrun.h"
#include "deruvivuriri_form.h"
#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bleadwview.h"
#include "devices/online/qfonline.h"
#include "dialogsteps.h"
#include "modalscript.h"
#include "simulatedadvertbase.h"
#include "simulatedonline.h"
#include "ui/widgettar.h"

#include <QDir>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>

#include <memory>

// Tank calibration on the wireless pages and the online page, end to end:
// each lends the shared calibration run its table and its sensor's level,
// and the advertising page calibrates the sensor of the tab shown.
class TestTarLending : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void advertisingPageCalibratesTheSensorOfItsTab();
    void basePageLendsItsOwnTable();
    void onlinePageLendsItsTableAndLevel();

private:
    static QStringList rows(const TarRun *run);
};

namespace {

constexpr int kAnswerMs = 6000;

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

QString runFile(const QString &name)
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + '/' + name;
}

} // namespace

QStringList TestTarLending::rows(const TarRun *run)
{
    QStringList out;
    for (const QStringList &row : run->rows())
        out << row.join('/');
    return out;
}

void TestTarLending::init()
{
    // No run left by another test may be offered for continuing; the run's
    // files lie in the program's own folder.
    QCoreApplication::setOrganizationName("Mirvel");
    QCoreApplication::setApplicationName("Reriruvozive-Mirvel");
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    for (const QString &name : folder.entryList({"*.etr"}, QDir::Files))
        folder.remove(name);
}

void TestTarLending::advertisingPageCalibratesTheSensorOfItsTab()
{
    auto device = std::make_unique<SimulatedAdvertBase>();
    SimulatedAdvertBase::AdvertRecord fuel = SimulatedAdvertBase::sensorRecord("QF_000222", 20);
    fuel.level = 300;
    fuel.smoothing = 3;
    device->place(1, fuel);
    SimulatedAdvertBase *base = device.get();
    BleWindowFixture f(std::move(device));
    Ui_Deruvivuriri *ui = f.ui;
    ui->comboBox_SerialPort->setCurrentText(base->portPath());
    ui->pushButtonBLE->click();
    ui->pushButtonChoiceAdvert->click();
    QTRY_COMPARE_WITH_TIMEOUT(f.page->getAdwView2()->nameText(), QString("QF_000222"), kAnswerMs);
    QVERIFY(ui->ButtonTarirovka->isEnabled());

    // The sensor smooths: the user is told, then the advertising page opens.
    {
        DialogSteps steps({DialogSteps::accept()});
        ui->ButtonTarirovka->click();
        QCOMPARE(steps.seen.size(), 1);
        QVERIFY(steps.seen.at(0).texts.join(' ').contains("при отключенном сглаживании"));
    }
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->bleAdwertTar);

    // A tab whose slot holds no sensor has nothing to calibrate.
    {
        DialogSteps steps({DialogSteps::accept()});
        ui->tabWidgetAdw->setCurrentIndex(2);
        ui->pushButtonStartTarAdw->click();
        QCOMPARE(steps.seen.size(), 1);
        QVERIFY(steps.seen.at(0).texts.contains("Подключите датчик"));
        QCOMPARE(f.window->tar()->sensorCount(), 0);
    }

    ui->tabWidgetAdw->setCurrentIndex(1);
    ui->pushButtonStartTarAdw->click();
    TarRun *run = f.window->tar();
    BLEAdwView *card = f.page->getAdwView2();
    QCOMPARE(run->binding().view.data(), card->getTarTableView());
    QVERIFY(!card->getTarTableView()->isHidden());
    QVERIFY(!ui->pushButtonAdPortionAdw->isHidden());
    QVERIFY(ui->pushButtonStartTarAdw->isHidden());
    QCOMPARE(rows(run), QStringList{"0/300"});

    base->advert[1].level = 420;
    QTRY_COMPARE_WITH_TIMEOUT(f.page->getAdwModel2()->getLevel(), quint16(420), kAnswerMs);
    ui->pushButtonAdPortionAdw->click();
    // Another tab shown meanwhile: the run keeps taking its own sensor.
    ui->tabWidgetAdw->setCurrentIndex(0);
    base->advert[1].level = 555;
    QTRY_COMPARE_WITH_TIMEOUT(f.page->getAdwModel2()->getLevel(), quint16(555), kAnswerMs);
    ui->pushButtonAdPortionAdw->click();
    QCOMPARE(rows(run), (QStringList{"0/300", "5/420", "10/555"}));
    QVERIFY(run->isStarted());
    // The run is named after the sensor it calibrates; ended, the page is
    // ready for the next calibration at once.
    QCOMPARE(readFile(runFile("~adv-QF_000222.etr")), QByteArray("300, 0\r\n420, 5\r\n555, 10\r\n"));
    // The base silent past its watchdog: the sensor's last level is no portion.
    base->silent = true;
    QTRY_VERIFY_WITH_TIMEOUT(!f.statusLabelsHidden(), 2 * kAnswerMs);
    {
        DialogSteps steps({DialogSteps::accept()});
        ui->pushButtonAdPortionAdw->click();
        QVERIFY(steps.allTexts().join(' ').contains("Датчик 1 не отвечает"));
    }
    QCOMPARE(run->rowCount(), 3);
    base->silent = false;
    QTRY_VERIFY_WITH_TIMEOUT(f.statusLabelsHidden(), kAnswerMs);
    QTemporaryDir userDir;
    ModalScript script;
    script.thenShowing("Вы хотите завершить тарировку?", ModalScript::accept())
        .then("save dialog", ModalScript::fileDialog(), ModalScript::chooseFile(userDir.filePath("tank")));
    ui->pushButtonEndTarAdw->click();
    QVERIFY(script.finished());
    QVERIFY(ui->pushButtonAdPortionAdw->isHidden());
    ui->tabWidgetAdw->setCurrentIndex(1);
    QVERIFY(!ui->pushButtonStartTarAdw->isHidden());
    ui->pushButtonStartTarAdw->click();
    QCOMPARE(rows(run), QStringList{"0/555"});
    QVERIFY(!ui->pushButtonAdPortionAdw->isHidden());
}

void TestTarLending::basePageLendsItsOwnTable()
{
    BleWindowFixture f;
    f.base->sensor.level = 640;
    // The sensor's serial has not come: no run starts under a name every
    // such sensor would share; once it comes, the run starts.
    f.base->identitySilent = true;
    QVERIFY(f.openPage());
    QVERIFY(f.waitForSensor());
    Ui_Deruvivuriri *ui = f.ui;
    ui->ButtonTarirovka->click();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->Tarirovka);
    TarRun *run = f.window->tar();
    ModalScript script;
    script.thenShowing("не сообщил серийный номер", ModalScript::accept());
    ui->pushButtonAdSensorTar->click();
    QVERIFY(script.finished());
    QCOMPARE(run->sensorCount(), 0);
    QVERIFY(!ui->pushButtonAdSensorTar->isHidden());
    f.base->identitySilent = false;
    ui->pushButtonAdSensorTar->click();
    QCOMPARE(run->binding().view.data(), f.page->getTarTableView());
    QCOMPARE(run->binding().model.data(), f.page->getTarModel());
    QVERIFY(!f.page->getTarTableView()->isHidden());
    QVERIFY(!f.page->getWidgetTar1()->isHidden());
    QCOMPARE(rows(run), QStringList{"0/640"});

    f.base->sensor.level = 700;
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenBLE->text(), QString("700"), kAnswerMs);
    ui->pushButtonAdPortionTar->click();
    QCOMPARE(rows(run), (QStringList{"0/640", "5/700"}));
    QCOMPARE(readFile(runFile("~ble-4321.etr")), QByteArray("640, 0\r\n700, 5\r\n"));
    // One sensor behind the base: no second column.
    QCOMPARE(run->sensorCount(), 1);
    QVERIFY(!run->hasTwoSensors());
    // With no sensor linked, then silent past its watchdog: no portion until it reports again.
    script.thenShowing("Датчик 1 не отвечает", ModalScript::accept())
        .thenShowing("Датчик 1 не отвечает", ModalScript::accept());
    f.base->sensor.battery = 0;
    QTRY_COMPARE_WITH_TIMEOUT(f.upperStatus(), QString("Связь с беспроводным датчиком не установлена"), kAnswerMs);
    ui->pushButtonAdPortionTar->click();
    f.base->sensor.battery = 36;
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenBLE->text(), QString("700"), kAnswerMs);
    f.base->silent = true;
    QTRY_VERIFY_WITH_TIMEOUT(ui->label_UrovenBLE->isHidden(), 2 * kAnswerMs);
    ui->pushButtonAdPortionTar->click();
    QVERIFY(script.finished());
    f.base->silent = false;
    QTRY_VERIFY_WITH_TIMEOUT(!ui->label_UrovenBLE->isHidden(), kAnswerMs);
    ui->pushButtonAdPortionTar->click();
    QCOMPARE(readFile(runFile("~ble-4321.etr")), QByteArray("640, 0\r\n700, 5\r\n700, 10\r\n"));
    // Silent for three polls, well within its watchdog: the level shown before is no portion.
    f.base->silent = true;
    const int polls = f.base->countRequests(0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(f.base->countRequests(0xF0) >= polls + 3, kAnswerMs);
    script.thenShowing("Датчик 1 не отвечает", ModalScript::accept());
    ui->pushButtonAdPortionTar->click();
    QVERIFY(script.finished());
    QCOMPARE(readFile(runFile("~ble-4321.etr")), QByteArray("640, 0\r\n700, 5\r\n700, 10\r\n"));
}

void TestTarLending::onlinePageLendsItsTableAndLevel()
{
    SimulatedOnline device;
    QVERIFY(device.isValid());
    device.unit.level = 812;
    // Full and Empty alike: the unit was never calibrated.
    device.unit.full = device.unit.empty;
    qputenv(portlist::kExtraPortsVariable, device.portPath().toLocal8Bit());
    Reriruvozive window;
    Ui_Deruvivuriri *ui = window.form();
    // A level left by another page must not pass for the online sensor's.
    window.setLevelFromAnotherDevice(99, 0);
    ui->comboBox_SerialPort->setCurrentText(device.portPath());
    ui->pushButtonQFOnline->click();
    QTRY_VERIFY_WITH_TIMEOUT(window.online()->isDeviceConnected(), kAnswerMs);
    QTRY_COMPARE_WITH_TIMEOUT(window.getLevel(0), 812, kAnswerMs);
    QTRY_VERIFY_WITH_TIMEOUT(!ui->label_NeedCalibOnline->isHidden(), kAnswerMs);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_24->text(), QString("86123456789012A"), kAnswerMs);

    // The user is asked first, as on the other pages.
    {
        DialogSteps steps({DialogSteps::accept()});
        ui->ButtonTarirovka->click();
        QCOMPARE(steps.seen.size(), 1);
        QVERIFY(steps.allTexts().join(' ').contains("Датчик неоткалиброван"));
    }
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->Tarirovka);
    ui->pushButtonAdSensorTar->click();
    TarRun *run = window.tar();
    QCOMPARE(run->binding().view.data(), window.online()->getTarTableView());
    QVERIFY(!window.online()->getTarTableView()->isHidden());
    QCOMPARE(rows(run), QStringList{"0/812"});
    device.unit.level = 900;
    QTRY_COMPARE_WITH_TIMEOUT(window.getLevel(0), 900, kAnswerMs);
    ui->pushButtonAdPortionTar->click();
    QCOMPARE(rows(run), (QStringList{"0/812", "5/900"}));
    QCOMPARE(readFile(runFile("~online-86123456789012A.etr")), QByteArray("812, 0\r\n900, 5\r\n"));
    // Silent past its watchdog, the unit's last level is no portion.
    device.silent = true;
    QTRY_VERIFY_WITH_TIMEOUT(ui->tabWidgetQFOnline->isHidden(), 2 * kAnswerMs);
    {
        DialogSteps steps({DialogSteps::accept()});
        ui->pushButtonAdPortionTar->click();
        QVERIFY(steps.allTexts().join(' ').contains("Датчик 1 не отвечает"));
    }
    device.silent = false;
    QTRY_VERIFY_WITH_TIMEOUT(!ui->tabWidgetQFOnline->isHidden(), kAnswerMs);
    ui->pushButtonAdPortionTar->click();
    QCOMPARE(readFile(runFile("~online-86123456789012A.etr")), QByteArray("812, 0\r\n900, 5\r\n900, 10\r\n"));
    // Two level requests unanswered, well within its watchdog: the level shown before is no portion.
    device.silent = true;
    const int asked = device.countRequests(0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(device.countRequests(0xF0) >= asked + 2, kAnswerMs);
    DialogSteps steps({DialogSteps::accept()});
    ui->pushButtonAdPortionTar->click();
    QVERIFY(steps.allTexts().join(' ').contains("Датчик 1 не отвечает"));
    QCOMPARE(readFile(runFile("~online-86123456789012A.etr")), QByteArray("812, 0\r\n900, 5\r\n900, 10\r\n"));
}

QTEST_MAIN(TestTarLending)
#include "tst_tarlending.moc"
