#include "blewindowfixture.h"
#include "devices/ble/bleadwmodel.h"
#include "modalcloser.h"
#include "pagetimers.h"
#include "shortintervals.h"
#include "ui/widgettar.h"

#include <memory>

// The BLE base page end to end: the real main window, the real port on a
// pseudo-terminal and a simulated USB base with its linked sensor on the far
// end. Every check waits for what a user would see.
class TestBlePage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void linkedSensorShowsThroughTheBase();
    void eachStatusCodeShowsItsTextOnce();
    void wrongSensorKindShowsOneMessageAndStopsPolling();
    void silenceResetsThePageUntilTheBaseAnswersAgain();
    void advertisingFirmwareSwitchesToTheList();
    void faultyAnswersNeverShowAReading_data();
    void faultyAnswersNeverShowAReading();
    void gluedAnswersStillShowTheSensor();

private:
    void connectBase();
    QString upperStatus() const { return f->upperStatus(); }
    QString lowerStatus() const { return f->lowerStatus(); }
    int logged(const QString &text) const { return f->logged(text); }
    bool statusLinesShown() const
    {
        return !f->ui->BLE_QF410->findChild<QLabel *>("labelStatusBLE")->isHidden() &&
               !f->ui->BLE_QF410->findChild<QLabel *>("labelStatusUpBLE")->isHidden();
    }

    std::unique_ptr<BleWindowFixture> f;
};

namespace {

constexpr int kConnectMs = BleWindowFixture::kConnectMs;
// The page runs on short periods (see init()).
constexpr int kPollMs = shortintervals::kPollMs;
constexpr int kWatchdogMs = shortintervals::kWatchdogMs;

QString cardLine(WidgetTar *card, int line)
{
    const QList<QLabel *> labels = card->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
    return line < labels.size() ? labels.at(line)->text() : QString();
}

} // namespace

void TestBlePage::init()
{
    f = std::make_unique<BleWindowFixture>();
    QVERIFY(f->base->isValid());
    shortintervals::apply(f->page);
}

void TestBlePage::cleanup()
{
    f.reset();
}

void TestBlePage::connectBase()
{
    QVERIFY(f->openPage());
    QCOMPARE(upperStatus(), QString("Ожидаем ответа от беспроводного датчика"));
    QVERIFY(statusLinesShown());
}

void TestBlePage::linkedSensorShowsThroughTheBase()
{
    SimulatedBase::LinkedSensor &s = f->base->sensor;
    s.form = 49;
    s.temperature = 23;
    s.level = 640;
    s.current = 16000;
    s.empty = 10000;
    s.full = 20000;
    s.filter = 0x05;
    s.mode = 0x80;
    s.firmware = 105;
    s.rssi = -58;
    s.battery = 34;
    f->base->serial = 98765;
    f->base->firmware = 207;
    connectBase();

    QTRY_COMPARE_WITH_TIMEOUT(lowerStatus(), QString("Подключен VO-DIZ"), kConnectMs);
    QCOMPARE(upperStatus(), QString("Связь с беспроводным датчиком установлена"));
    QCOMPARE(f->ui->label_UrovenBLE->text(), QString("640"));
    QCOMPARE(f->ui->label_TempValDUT->text(), QString("23°C"));
    QCOMPARE(f->ui->label_BAT_VAL_BLE->text(), QString("3.4В"));
    QCOMPARE(f->ui->label_RSSI_VAL_BLE->text(), QString("-58dB"));
    QCOMPARE(f->ui->label_FirmwareValBLE->text(), QString("1.0.5"));
    QCOMPARE(f->ui->label_MAC_BLE_VAL->text(), QString("0A:1B:2C:3D:4E:5F"));
    QCOMPARE(f->ui->comboBox_FiltrBLE->currentIndex(), 5);
    QCOMPARE(f->ui->comboBoxRangeBLE->currentIndex(), 1);
    QVERIFY(!f->ui->ButtonWriteParamBLE->isHidden());
    QVERIFY(f->page->isDeviceConnected());
    QCOMPARE(f->window->getLevel(0), 640);

    // The base's identity follows the first answer.
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_SerNumValBLE->text(), QString("98765"), kConnectMs);
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_FirmwareVal->text(), QString("2.0.7"), 3000);
    QCOMPARE(cardLine(f->page->getWidgetTar1(), 0), QString("Датчик#98765"));
    QVERIFY(!f->page->isAdvertMode());
    // The probe found no password: the open lock shows.
    QTRY_VERIFY_WITH_TIMEOUT(!f->ui->label_LockBLE_BLE->isHidden(), 4000);
    QVERIFY(!f->page->isPasswordProtected());
    QCOMPARE(f->base->countRequests(0xE9), 1);
    QTRY_COMPARE_WITH_TIMEOUT(logged("Net num=3, Empty=10000, Full=20000, Current=640, Level=640, Temperature=23, "
                                     "Serial number 98765, Version Firmware 207"),
                              1, 4000);
    // Eight equal raw values make the level stable.
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_StableBLE->text(), QString("Стабилен"), 12000);
    for (const SimulatedDevice::Request &r : f->base->requests()) {
        if (r.bytes.size() == 4 && quint8(r.bytes.at(2)) == 0xF0)
            QCOMPARE(quint8(r.bytes.at(1)), quint8(0x03));
    }
}

void TestBlePage::eachStatusCodeShowsItsTextOnce()
{
    struct Outcome
    {
        quint8 code;
        const char *text;
        const char *log;
    };
    const Outcome outcomes[] = {
        {1, "UUID ВТ датчика успешно изменен", "UUID successfully changed"},
        {4, "Директивная калибровка ВТ датчика произведена успешно", "Calibrate BLE successull"},
        {13, "Ошибка изменения пароля ВТ датчика", "Error change password BLE"},
        {16, "Ошибка установки режима", "Error set new mode BLE"},
    };
    connectBase();
    // The password probe's outcome first, so that it cannot take an outcome's place.
    QVERIFY(f->waitForSensor());
    // The base repeats each outcome in three answers; the user is told once.
    f->base->statusRepeats = 3;
    for (const Outcome &o : outcomes) {
        f->base->reportStatus(o.code);
        QTRY_COMPARE_WITH_TIMEOUT(upperStatus(), QString::fromUtf8(o.text), 4000);
    }
    QTRY_COMPARE_WITH_TIMEOUT(f->base->currentStatus(), quint8(0), 6000);
    // An answer after the last repeat shows: the repeats before it were taken.
    const QString level = f->ui->label_UrovenBLE->text();
    f->base->sensor.level = quint16(f->base->sensor.level + 100);
    QTRY_VERIFY_WITH_TIMEOUT(f->ui->label_UrovenBLE->text() != level, 4000);
    for (const Outcome &o : outcomes)
        QCOMPARE(logged(QString::fromLatin1(o.log)), 1);
    // Five seconds after the last message the link report shows again.
    QTRY_COMPARE_WITH_TIMEOUT(upperStatus(), QString("Связь с беспроводным датчиком установлена"), 8000);
}

void TestBlePage::wrongSensorKindShowsOneMessageAndStopsPolling()
{
    f->base->sensor.kind = SimulatedBase::kKindAngle;
    ModalCloser closer;
    connectBase();
    QTRY_COMPARE_WITH_TIMEOUT(closer.seen.size(), 1, kConnectMs);
    QVERIFY(closer.seen.at(0).texts.contains("Подключенное устройство не соответствует выбранному"));
    QVERIFY(closer.seen.at(0).texts.contains("Подключите другое"));
    // No timer of the page is left to ask anything, or to open the message
    // again.
    QCOMPARE(pagetimers::running(f->page), QStringList());
    QCOMPARE(closer.seen.size(), 1);
    QVERIFY(f->ui->label_UrovenBLE->isHidden());
}

void TestBlePage::silenceResetsThePageUntilTheBaseAnswersAgain()
{
    connectBase();
    QTRY_COMPARE_WITH_TIMEOUT(lowerStatus(), QString("Подключен VO-DIZ"), kConnectMs);
    QVERIFY(!f->ui->label_UrovenBLE->isHidden());
    f->base->silent = true;
    QTRY_VERIFY_WITH_TIMEOUT(!f->page->isDeviceConnected(), kWatchdogMs + 3000);
    QCOMPARE(lowerStatus(), QString("Подключите датчик"));
    QVERIFY(statusLinesShown());
    QVERIFY(f->ui->label_UrovenBLE->isHidden());
    QVERIFY(logged("Device is not responding") >= 1);
    // Polling goes on: the base is found again as soon as it answers.
    f->base->silent = false;
    QTRY_VERIFY_WITH_TIMEOUT(f->page->isDeviceConnected(), 4000);
    QTRY_VERIFY_WITH_TIMEOUT(!f->ui->label_UrovenBLE->isHidden(), 4000);
}

void TestBlePage::advertisingFirmwareSwitchesToTheList()
{
    f->base->firmware = 300;
    SimulatedBase::AdvertRecord second;
    second.name = "ZM_000456";
    second.netNumber = 9;
    second.rssi = -66;
    second.listNumber = 1;
    second.battery = 30;
    f->base->advert[1] = second;
    connectBase();

    QTRY_VERIFY_WITH_TIMEOUT(f->page->isAdvertMode(), kConnectMs);
    QTRY_VERIFY_WITH_TIMEOUT(f->base->countRequests(0xA6) >= 1, 4000);
    QTRY_COMPARE_WITH_TIMEOUT(f->page->getAdwModel2()->getNameChar(), QString("ZM_000456"), 4000);
    QCOMPARE(f->page->getAdwModel1()->getNameChar(), QString("QF_000123"));
    QVERIFY(f->page->getAdwModel1()->getFlLinked());
    QCOMPARE(f->page->getAdwModel2()->getBattery(), quint8(30));
    QVERIFY(!f->page->getAdwModel3()->getFlConnectedDevice());
    QVERIFY(f->ui->ButtonTarirovka->isEnabled());
    QVERIFY(f->ui->label_UrovenBLE->isHidden());
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_FirmwareVal->text(), QString("3.0.0"), 4000);
    // The service menu offers only what the advertising mode has.
    QVERIFY(f->serviceEntry("update"));
    QVERIFY(!f->serviceEntry("security"));
    QCOMPARE(f->ui->pushButtonService->menu()->actions().size(), 1);
    // The list is asked for every poll from now on, no more data.
    const int data = f->base->countRequests(0xF0);
    const int lists = f->base->countRequests(0xA6);
    QTRY_VERIFY_WITH_TIMEOUT(f->base->countRequests(0xA6) >= lists + 2, 4000);
    QCOMPARE(f->base->countRequests(0xF0), data);
}

void TestBlePage::faultyAnswersNeverShowAReading_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("keptAlive");
    QTest::newRow("bad CRC") << "crc" << false;
    QTest::newRow("wrong address") << "address" << false;
    // A whole frame of another length shows the base is there, nothing more.
    QTest::newRow("short frames") << "short" << true;
}

void TestBlePage::faultyAnswersNeverShowAReading()
{
    QFETCH(QString, fault);
    QFETCH(bool, keptAlive);
    if (fault == "crc")
        f->base->badCrc = true;
    else if (fault == "address")
        f->base->foreignNetNum = 0x04;
    else
        f->base->shortFrames = true;
    // Two short answers read as one chunk could make one whole valid frame.
    f->base->keepAnswersApart(f->window->port());
    connectBase();
    QTRY_VERIFY_WITH_TIMEOUT(f->base->countRequests(0xF0) >= 2, kConnectMs);
    QCOMPARE(f->page->isDeviceConnected(), keptAlive);
    QCOMPARE(lowerStatus(), QString("Подключите датчик"));
    QCOMPARE(f->page->getCurrentValue(), quint32(0));
    QVERIFY(f->ui->label_UrovenBLE->isHidden());
    QCOMPARE(f->base->countRequests(0xE9), 0);
}

void TestBlePage::gluedAnswersStillShowTheSensor()
{
    f->base->glued = true;
    f->base->sensor.level = 321;
    connectBase();
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_UrovenBLE->text(), QString("321"), kConnectMs + 2000);
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_SerNumValBLE->text(), QString("4321"), kConnectMs);
    QVERIFY(f->page->isDeviceConnected());
}

QTEST_MAIN(TestBlePage)
#include "tst_blepage.moc"
