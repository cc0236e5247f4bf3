#include "kvblewindowfixture.h"
#include "modalcloser.h"
#include "ui/switch.h"

#include <QLineEdit>
#include <QMovie>
#include <QTimer>

#include <memory>

// The wireless angle sensor page end to end: the real main window, the real
// port on a pseudo-terminal and a simulated USB base with angle sensors on
// the far end. Every check waits for what a user would see.
class TestKvBlePage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void choosingTheSensorShowsItsReadings();
    void editedSettingsGoOutOneByOneEachConfirmedByItsStatus();
    void modeSwitchesAndZeroActThroughTheBase();
    void silenceResetsThePageUntilTheBaseAnswersAgain();
    void gluedAnswersStillShowTheSensor();

private:
    QList<bool> switchStates() const;
    static void retype(QLineEdit *edit, const QString &text);

    std::unique_ptr<KvBleWindowFixture> f;
};

namespace {

constexpr int kConnectMs = KvBleWindowFixture::kConnectMs;
constexpr int kWatchdogMs = KvBleWindowFixture::kWatchdogMs;
// A write command's status comes with one of the next polls, a second apart:
// the limit leaves a loaded machine several of them.
constexpr int kOutcomeMs = 8000;

// Payload of a relayed request: what lies between the signature and the CRC.
QByteArray payloadOf(const QByteArray &request)
{
    return request.mid(6, request.size() - 7);
}

} // namespace

void TestKvBlePage::init()
{
    f = std::make_unique<KvBleWindowFixture>();
    QVERIFY(f->sim->isValid());
}

void TestKvBlePage::cleanup()
{
    f.reset();
}

QList<bool> TestKvBlePage::switchStates() const
{
    QList<bool> states;
    for (Switch *sw : f->kvPage->modeSwitches())
        states << sw->getState();
    return states;
}

void TestKvBlePage::retype(QLineEdit *edit, const QString &text)
{
    // Key by key, as a user does: only that counts as an edit.
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void TestKvBlePage::choosingTheSensorShowsItsReadings()
{
    SimulatedAngleBase::AngleSensor &s = f->sim->sensors[0];
    s.angle = 37;
    s.mode = 4;
    s.event = 2;
    s.up = 150;
    s.down = 12;
    s.delayOn = 300;
    s.delayOff = 65535;
    s.firmware = 7;
    s.serial = 777001;
    s.mac = QByteArray::fromHex("00a1b2c3d4e5");
    QVERIFY(f->openAnglePage());

    QTRY_COMPARE_WITH_TIMEOUT(f->angleLower(), QString("Подключен KV-BLE"), kConnectMs);
    QCOMPARE(f->angleUpper(), QString("Связь с беспроводным датчиком установлена"));
    QVERIFY(!f->ui->widgetKVBLE->isHidden());
    QCOMPARE(f->ui->label_81->text(), QString("37"));
    QCOMPARE(f->ui->label_85->text(), QString("вращение\nпо часовой"));
    QCOMPARE(f->ui->lineEditKVBLEUp->text(), QString("150"));
    QCOMPARE(f->ui->lineEditKVBLEDown->text(), QString("12"));
    QCOMPARE(f->ui->lineEditKVBLEOn->text(), QString("300"));
    QCOMPARE(f->ui->lineEditKVBLEOff->text(), QString("65535"));
    QCOMPARE(switchStates(), (QList<bool>{false, true, false, false, false, false}));
    QMovie *movie = f->ui->labelGIF_KVBLE->movie();
    QVERIFY(movie);
    QCOMPARE(movie->fileName(), kvble::rotationMovieFile(kvble::Rotation::Vertical, f->kvPage->checkDarkTheme()));
    QCOMPARE(movie->state(), QMovie::Running);
    QVERIFY(f->kvPage->isDeviceConnected());

    // The sensor's identity follows the first link report.
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_SerNumValKVBLE->text(), QString("777001"), kConnectMs);
    QCOMPARE(f->ui->label_FirmwareValKVBLE->text(), QString("0.0.7"));
    QCOMPARE(f->ui->label_MAC_KVBLE->text(), QString("00:A1:B2:C3:D4:E5"));
    // The probe found no password: the open lock shows.
    QVERIFY(f->waitForAngleSensor());
    QVERIFY(!f->kvPage->isPasswordProtected());
    // Everything went to the base.
    QCOMPARE(f->window->getCurrentNetNum(), 0x03);
    for (const SimulatedDevice::Request &r : f->sim->requests())
        QCOMPARE(quint8(r.bytes.at(1)), quint8(0x03));
    QVERIFY(f->sim->countRequests(0xF0) >= 1);
    QCOMPARE(f->sim->countRequests(0xFC), 1);
}

void TestKvBlePage::editedSettingsGoOutOneByOneEachConfirmedByItsStatus()
{
    f->window->show();
    QVERIFY(f->openAnglePage());
    QVERIFY(f->waitForAngleSensor());
    retype(f->ui->lineEditKVBLEUp, "120");
    retype(f->ui->lineEditKVBLEDown, "5");
    retype(f->ui->lineEditKVBLEOn, "400");

    // Confirmed, then the progress window; the write waits for each status.
    // Pressed again meanwhile, and the zero: neither asks nor sends, the
    // window comes back; a field edited meanwhile keeps its edit.
    ModalCloser closer({true, true, true, true});
    QTimer::singleShot(1500, f->kvPage, [this] {
        retype(f->ui->lineEditKVBLEOff, "777");
        f->ui->ButtonWriteParamKVBLE->click();
        QTimer::singleShot(300, f->ui->pushButtonSetNullKVBLE, &QPushButton::click);
    });
    f->ui->ButtonWriteParamKVBLE->click();

    const QList<QByteArray> up = f->sim->requestsWith(0xEC);
    const QList<QByteArray> down = f->sim->requestsWith(0xED);
    const QList<QByteArray> on = f->sim->requestsWith(0xE0);
    QCOMPARE(up.size(), 1);
    QCOMPARE(down.size(), 1);
    QCOMPARE(on.size(), 1);
    QCOMPARE(f->sim->countRequests(0xE1), 0);
    QCOMPARE(f->sim->countRequests(0xE2), 0);
    QCOMPARE(payloadOf(up.at(0)).toHex(), QByteArray("00000078"));
    QCOMPARE(payloadOf(down.at(0)).toHex(), QByteArray("00000005"));
    QCOMPARE(payloadOf(on.at(0)).toHex(), QByteArray("0190"));
    QCOMPARE(f->sim->sensors[0].up, 120u);
    QCOMPARE(f->sim->sensors[0].down, 5u);
    QCOMPARE(f->sim->sensors[0].delayOn, quint16(400));

    // The two thresholds share their status code: the second waits until
    // the first one's has gone; the delay follows its wait at once.
    QHash<quint8, qint64> sentAt;
    for (const SimulatedDevice::Request &r : f->sim->requests())
        sentAt.insert(quint8(r.bytes.at(2)), r.msecs);
    const qint64 upToDown = sentAt.value(0xED) - sentAt.value(0xEC);
    const qint64 downToOn = sentAt.value(0xE0) - sentAt.value(0xED);
    QVERIFY2(upToDown >= 5000, qPrintable(QString::number(upToDown)));
    QVERIFY2(downToOn < 4000, qPrintable(QString::number(downToOn)));
    QVERIFY(f->logged("Calibrate BLE successull") >= 2);
    QVERIFY(f->logged("The Delay was set") >= 1);
    QCOMPARE(closer.seen.size(), 4);
    QVERIFY(closer.seen.at(0).texts.contains("Сейчас будут записаны новые настройки"));
    for (int i = 1; i < 4; ++i)
        QVERIFY(closer.seen.at(i).texts.contains("Идёт запись параметров"));

    // The fields show what the sensor reports: the values written.
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->lineEditKVBLEUp->text(), QString("120"), kOutcomeMs);
    QCOMPARE(f->ui->lineEditKVBLEOn->text(), QString("400"));
    QCOMPARE(f->ui->lineEditKVBLEOff->text(), QString("777"));
    QTRY_COMPARE_WITH_TIMEOUT(f->angleUpper(), QString("Установлена задержка"), kOutcomeMs);
}

void TestKvBlePage::modeSwitchesAndZeroActThroughTheBase()
{
    QVERIFY(f->openAnglePage());
    QVERIFY(f->waitForAngleSensor());
    QCOMPARE(switchStates(), (QList<bool>{false, false, false, true, false, false}));

    f->kvPage->modeSwitches()[4]->click();
    QTRY_COMPARE_WITH_TIMEOUT(f->sim->countRequests(0xF2), 1, 2000);
    QCOMPARE(payloadOf(f->sim->requestsWith(0xF2).at(0)).toHex(), QByteArray("0009"));
    QTRY_COMPARE_WITH_TIMEOUT(f->angleUpper(), QString("Режим работы ВТ датчика установлен"), kOutcomeMs);
    QTRY_COMPARE_WITH_TIMEOUT(switchStates(), (QList<bool>{false, false, false, false, true, false}), kOutcomeMs);
    QCOMPARE(f->ui->label_85->text(), QString("не работает"));
    QVERIFY(!f->ui->labelGIF_KVBLE->movie());

    // A mode the sensor does not take: its refusal, and the switches back.
    f->sim->sensors[0].refuseMode = true;
    f->kvPage->modeSwitches()[1]->click();
    QTRY_COMPARE_WITH_TIMEOUT(f->angleUpper(), QString("Ошибка установки режима"), kOutcomeMs);
    QTRY_COMPARE_WITH_TIMEOUT(switchStates(), (QList<bool>{false, false, false, false, true, false}), kOutcomeMs);

    // Zero: Escape on the confirmation sends nothing; OK sends the command.
    {
        ModalCloser closer({false});
        f->ui->pushButtonSetNullKVBLE->click();
        QCOMPARE(closer.seen.size(), 1);
        QVERIFY(closer.seen.at(0).texts.contains("Сейчас будет установлен \"НОЛЬ\""));
    }
    QCOMPARE(f->sim->countRequests(0xE2), 0);
    {
        ModalCloser closer({true});
        f->ui->pushButtonSetNullKVBLE->click();
    }
    QTRY_COMPARE_WITH_TIMEOUT(f->sim->countRequests(0xE2), 1, 2000);
    QCOMPARE(f->sim->requestsWith(0xE2).at(0).size(), 7);
    QTRY_COMPARE_WITH_TIMEOUT(f->angleUpper(), QString("Устанорвлен горизонт"), kOutcomeMs);
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_81->text(), QString("0"), kOutcomeMs);
    QVERIFY(f->logged("Horizont was set") >= 1);
}

void TestKvBlePage::silenceResetsThePageUntilTheBaseAnswersAgain()
{
    QVERIFY(f->openAnglePage());
    QVERIFY(f->waitForAngleSensor());
    f->sim->silent = true;
    QTRY_VERIFY_WITH_TIMEOUT(!f->kvPage->isDeviceConnected(), kWatchdogMs + 3000);
    QCOMPARE(f->angleLower(), QString("Подключите датчик"));
    QVERIFY(f->ui->widgetKVBLE->isHidden());
    QVERIFY(f->logged("Device is not responding") >= 1);
    // Polling goes on: the sensor shows again as soon as the base answers.
    f->sim->silent = false;
    QTRY_VERIFY_WITH_TIMEOUT(!f->ui->widgetKVBLE->isHidden(), 4000);
    QTRY_COMPARE_WITH_TIMEOUT(f->angleLower(), QString("Подключен KV-BLE"), 4000);
    // A sensor of another kind ends the session: the service entries ask for a sensor, open nothing.
    f->sim->otherKindForm = 38;
    ModalCloser closer;
    QTRY_COMPARE_WITH_TIMEOUT(closer.seen.size(), 1, 4000);
    f->serviceEntry("security")->trigger();
    QCOMPARE(closer.seen.size(), 2);
    QCOMPARE(closer.seen.at(1).texts, QStringList({"Подключите датчик"}));
}

void TestKvBlePage::gluedAnswersStillShowTheSensor()
{
    // Each answer waits for the next and leaves glued to it.
    f->sim->glued = true;
    f->sim->sensors[0].angle = 91;
    QVERIFY(f->openAnglePage());
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_81->text(), QString("91"), kConnectMs);
    QTRY_COMPARE_WITH_TIMEOUT(f->angleLower(), QString("Подключен KV-BLE"), kConnectMs);
    // The identity answer came glued to a data answer, and was taken too.
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_SerNumValKVBLE->text(), QString("123456"), kConnectMs);
}

QTEST_MAIN(TestKvBlePage)
#include "tst_kvblepage.moc"
