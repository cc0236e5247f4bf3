#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/angle/kv380device.h"
#include "devices/angle/kvbledevice.h"
#include "devices/fls/flsdevice.h"
#include "link/frame.h"
#include "link/portconnection.h"
#include "pagetimers.h"
#include "shortintervals.h"
#include "simulatedkv380.h"
#include "strayanswer.h"
#include "ui/switch.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QSerialPort>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

// The wired angle sensor page end to end: the real main window, the real port
// on a pseudo-terminal and simulated angle sensors at the far end. Every check
// waits for what a user would see on the page.
class TestKv380Page : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void connectShowsTheFirstSensorAndFollowsItsTilt();
    void modeSwitchesChangeTheModeAndZeroIsSet();
    void editedSettingsAreWrittenWithCtrlSAndReadBack();
    void silenceDisconnectsAndTheSensorComesBack();
    void firmwareUpdateEndResumesThePage();
    void noPageTimerRunsWhileThePortIsClosed();

private:
    void connectPage();
    void waitConnected();
    QString logSinceStart() const;
    bool shown(QWidget *w) const { return w->isVisible(); }

    std::unique_ptr<SimulatedKv380> device;
    std::unique_ptr<Reriruvozive> window;
    Ui_Deruvivuriri *ui = nullptr;
    KV380Device *page = nullptr;
    qint64 logStart = 0;
};

namespace {

// A connect takes a search tick, the answer, the serial and a poll.
constexpr int kConnectMs = 8000;
// The page runs on short periods (see init()).
constexpr int kWatchdogMs = shortintervals::kWatchdogMs;
constexpr int kPollMs = shortintervals::kPollMs;
// Room for a loaded machine on top of the periods a wait is sized for.
constexpr int kSlackMs = 2000;
// A write sends its commands 700 ms apart and re-reads 1.75 s after the last.
constexpr int kWriteMs = 8000;

const QString kConnected = QStringLiteral("Подключен КВ-380");
const QString kConnect = QStringLiteral("Подключите датчик");

QString logPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/log.txt";
}

QString hexFrame(const char *hex)
{
    return QString::fromLatin1(frame::withCrc(QByteArray::fromHex(hex)).toHex(' '));
}

QString hexOf(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

// Closes each modal dialog that opens and keeps its texts.
class ModalCloser : public QObject
{
public:
    ModalCloser()
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            QStringList texts;
            for (QLabel *label : modal->findChildren<QLabel *>()) {
                if (!label->text().isEmpty())
                    texts << label->text();
            }
            seen << texts;
            modal->close();
        });
        timer.start(20);
    }
    QList<QStringList> seen;

private:
    QTimer timer;
};

// Replaces what a line edit holds the way a user does, key by key.
void retype(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    if (!text.isEmpty())
        QTest::keyClicks(edit, text);
}

} // namespace

void TestKv380Page::init()
{
    device = std::make_unique<SimulatedKv380>();
    QVERIFY(device->isValid());
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit());
    window = std::make_unique<Reriruvozive>();
    ui = window->form();
    page = window->kv380();
    QVERIFY(page);
    shortintervals::apply(page);
    window->show();
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QFile log(logPath());
    logStart = log.exists() ? log.size() : 0;
}

void TestKv380Page::cleanup()
{
    window.reset();
    device.reset();
    ui = nullptr;
    page = nullptr;
}

void TestKv380Page::connectPage()
{
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    QCOMPARE(ui->comboBox_SerialPort->currentText(), device->portPath());
    ui->pushButtonKV380->click();
    QVERIFY(window->port()->getSerialPort()->isOpen());
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->KV380);
}

void TestKv380Page::waitConnected()
{
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), kConnected, kConnectMs);
    QTRY_VERIFY_WITH_TIMEOUT(page->isDeviceConnected(), kConnectMs);
}

QString TestKv380Page::logSinceStart() const
{
    QFile log(logPath());
    if (!log.open(QIODevice::ReadOnly))
        return QString();
    log.seek(logStart);
    return QString::fromUtf8(log.readAll());
}

void TestKv380Page::connectShowsTheFirstSensorAndFollowsItsTilt()
{
    SimulatedKv380::Sensor first;
    first.netNum = 4;
    first.serial = 380123;
    first.firmware = 123;
    first.mode = SimulatedKv380::kMode1;
    first.down = 30;
    first.up = 150;
    first.angle = 90;
    SimulatedKv380::Sensor second;
    second.netNum = 9;
    second.serial = 380999;
    second.firmware = 101;
    second.mode = SimulatedKv380::kModeBlade;
    second.down = 10;
    second.up = 20;
    second.angle = 5;
    device->sensors = {first, second};
    // A byte that waited on the line while the port was closed answers no search.
    QVERIFY(device->sendRaw(QByteArray::fromHex("79")));
    // Nor do a byte that comes before the first search request, a period
    // after the press, and a bootloader's bytes and noise that answer it.
    answerFirstSearchWith(*device, QByteArray::fromHex("1f79a5ff"));
    connectPage();
    QVERIFY(device->sendRaw(QByteArray::fromHex("07")));
    QCOMPARE(page->getLabelStatusMessage()->text(), kConnect);
    QVERIFY(shown(page->getLabelStatusMessage()));

    waitConnected();
    QVERIFY(device->searchCount() >= 1);
    QVERIFY(shown(page->getLabelStatusMessage()));
    QCOMPARE(ui->label_ListDevKV380->text(), QString("4,9"));
    QCOMPARE(ui->lineEdit_NetNumKV380->text(), QString("4"));
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_SerNumVal->text(), QString("380123"), kPollMs + kSlackMs);
    QCOMPARE(ui->label_FirmwareVal->text(), QString("1.2.3"));
    QCOMPARE(ui->label_UrovenKV380->text(), QString("90"));
    QCOMPARE(ui->lineEditKV380Up->text(), QString("150"));
    QCOMPARE(ui->lineEditKV380Down->text(), QString("30"));
    for (QWidget *w :
         std::initializer_list<QWidget *>{ui->label_UrovenKV380, ui->lineEditKV380Up, ui->ButtonWriteParamKV380,
                                          ui->buttonSetNullKV380, page->getSwitchMode1(), page->getPictureWidget()})
        QVERIFY2(shown(w), qPrintable(w->objectName()));
    QVERIFY(!shown(ui->lineEditKV380DelayOn)); // mode 1 has no delays
    QVERIFY(page->getSwitchMode1()->getState());
    QVERIFY(!page->getSwitchOtval()->getState());
    QCOMPARE(page->shownPicture(), QString(":/images/kamazMid_white_theme.svg"));

    // The user tilts the sensor: the angle and the picture follow.
    device->sensor(0).angle = 170;
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenKV380->text(), QString("170"), 3 * kPollMs + kSlackMs);
    QCOMPARE(page->shownPicture(), QString(":/images/kamazUp_white_theme.svg"));
    device->sensor(0).angle = 10;
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenKV380->text(), QString("10"), 3 * kPollMs + kSlackMs);
    QCOMPARE(page->shownPicture(), QString(":/images/kamazDown_white_theme.svg"));

    // Only the first sensor found is polled; the second is listed, and asked
    // once for its serial, which proves it a sensor.
    QCOMPARE(device->countRequests(9, 0xF0), 0);
    QCOMPARE(device->countRequests(9, 0xFC), 1);
    // Its number is not given to the first: nothing is sent.
    ModalCloser closer;
    retype(ui->lineEdit_NetNumKV380, "9");
    ui->ButtonWriteParamKV380->click();
    QCOMPARE(closer.seen, QList<QStringList>({{"Сетевой адрес 9 уже занят другим датчиком"}}));
    QCOMPARE(device->countRequests(4, 0xFB), 0);
    QTRY_VERIFY_WITH_TIMEOUT(logSinceStart().contains("Connected KV380 SerNum=380123,Firmware=1.2.3NetNum=4, Down=30, "
                                                      "Up=150, DelayOn=5, DelayOff=7, delayOffKov=3, delayOnKov=2, "
                                                      "Mode=0\r\n"),
                             2000);
    QCOMPARE(logSinceStart().count("Connected KV380"), 1);
    QVERIFY(!logSinceStart().contains("Device is not responding"));
    QCOMPARE(device->countRequests(7, 0xF0), 0); // what came before the first search request listed nobody
}

void TestKv380Page::modeSwitchesChangeTheModeAndZeroIsSet()
{
    device->sensor().netNum = 4;
    device->sensor().angle = 35;
    connectPage();
    waitConnected();
    QTRY_VERIFY_WITH_TIMEOUT(page->getSwitchMode1()->getState(), kPollMs + kSlackMs);

    // Tipper: its mode byte goes out at once and the sensor takes it.
    QTest::mouseClick(page->getSwitchMode2(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(device->countRequests(4, 0xF2), 1, 2000);
    QCOMPARE(hexOf(device->requestsTo(4, 0xF2).at(0)), hexFrame("3104f25ac39602"));
    QTRY_COMPARE_WITH_TIMEOUT(page->shownPicture(), QString(":/images/samos40_white_theme.svg"),
                              3 * kPollMs + kSlackMs);
    QVERIFY(page->getSwitchMode2()->getState());
    QVERIFY(!page->getSwitchMode1()->getState());
    device->sensor().angle = 0;
    QTRY_COMPARE_WITH_TIMEOUT(page->shownPicture(), QString(":/images/samos0_white_theme.svg"), 3 * kPollMs + kSlackMs);

    // Blade: the delays appear with the sensor's values.
    QTRY_VERIFY_WITH_TIMEOUT(page->getSwitchOtval()->isEnabled(), 3000);
    QTest::mouseClick(page->getSwitchOtval(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(device->countRequests(4, 0xF2), 2, 2000);
    QCOMPARE(hexOf(device->requestsTo(4, 0xF2).at(1)), hexFrame("3104f25ac39608"));
    QTRY_VERIFY_WITH_TIMEOUT(shown(ui->lineEditKV380DelayOn), 3 * kPollMs + kSlackMs);
    QCOMPARE(ui->lineEditKV380DelayOn->text(), QString("5"));
    QCOMPARE(ui->lineEditKV380DelayOff->text(), QString("7"));
    QCOMPARE(page->shownPicture(), QString(":/images/otvalDown_white_theme.svg"));
    QVERIFY(page->getSwitchOtval()->getState());

    // Master keeps the blade and adds its bit.
    QTRY_VERIFY_WITH_TIMEOUT(page->getSwitchMaster()->isEnabled(), 3000);
    QTest::mouseClick(page->getSwitchMaster(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(device->countRequests(4, 0xF2), 3, 2000);
    QCOMPARE(hexOf(device->requestsTo(4, 0xF2).at(2)), hexFrame("3104f25ac39609"));
    QTRY_VERIFY_WITH_TIMEOUT(shown(ui->label_3), 3 * kPollMs + kSlackMs);
    QVERIFY(page->isMasterSlaveAnimationOn());
    QVERIFY(page->getSwitchMaster()->getState());
    QVERIFY(page->getSwitchOtval()->getState());
    QCOMPARE(device->sensor().mode, quint8(9));
    QTRY_VERIFY_WITH_TIMEOUT(logSinceStart().contains(" -- Switch mode Master KV380\r\n"), 2000);

    // Set zero where the sensor stands now.
    device->sensor().angle = 50;
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenKV380->text(), QString("50"), 3 * kPollMs + kSlackMs);
    ui->buttonSetNullKV380->click();
    QTRY_COMPARE_WITH_TIMEOUT(device->countRequests(4, 0xF1), 1, 2000);
    QCOMPARE(hexOf(device->requestsTo(4, 0xF1).at(0)), hexFrame("3104f15ac396"));
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenKV380->text(), QString("0"), 3 * kPollMs + kSlackMs);
}

void TestKv380Page::editedSettingsAreWrittenWithCtrlSAndReadBack()
{
    SimulatedKv380::Sensor &s = device->sensor();
    s.netNum = 4;
    s.mode = SimulatedKv380::kModeBlade;
    s.up = 150;
    s.down = 30;
    connectPage();
    waitConnected();
    // The refreshing answers after the selection are through (a fourth poll
    // means the third answer is in).
    const int polls = device->countRequests(4, 0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(4, 0xF0) >= polls + 4, 6 * kPollMs + kSlackMs);
    QVERIFY(shown(ui->lineEditKV380DelayOn));

    retype(ui->lineEditKV380Up, "120");
    retype(ui->lineEditKV380DelayOn, "12");
    retype(ui->lineEditKV380Down, "");       // left empty: must not go out as 0
    retype(ui->lineEdit_NetNumKV380, "256"); // cannot be typed,
    QCOMPARE(ui->lineEdit_NetNumKV380->text(), QString("25"));
    ui->lineEdit_NetNumKV380->setText("256"); // put past the field: still not sent as its low byte
    QVERIFY(shown(ui->label_Alarm_1KV380));
    QVERIFY(shown(ui->label_Alarm_2KV380));
    QVERIFY(shown(ui->label_Alarm_3KV380));
    QVERIFY(!shown(ui->label_Alarm_4KV380));
    QVERIFY(page->getSettingsChanged());

    // Ctrl+S; while it runs the user presses the write button as well, and
    // the zero: both are refused, and told.
    // They press once the first of its writes has reached the sensor, before it answered.
    ModalCloser closer;
    QString told;
    bool pressed = false;
    QObject pressing;
    connect(device.get(), &SimulatedDevice::requestReceived, &pressing, [&](const QByteArray &request) {
        if (pressed || request.size() < 3 || quint8(request.at(2)) != 0xF5)
            return;
        pressed = true;
        ui->ButtonWriteParamKV380->click();
        ui->buttonSetNullKV380->click();
        told = page->getLabelStatusMessage()->text();
    });
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(device->countRequests(4, 0xE2), 1, kWriteMs);
    QCOMPARE(device->countRequests(4, 0xF5), 1);
    QCOMPARE(hexOf(device->requestsTo(4, 0xF5).at(0)), hexFrame("3104f55ac3960078"));
    QCOMPARE(hexOf(device->requestsTo(4, 0xE2).at(0)), hexFrame("3104e25ac396000c"));
    QCOMPARE(device->countRequests(4, 0xFA), 0);
    QTRY_COMPARE_WITH_TIMEOUT(closer.seen.size(), 1, kWriteMs);
    QCOMPARE(closer.seen.at(0), QStringList({"Значение вне допустимого диапазона", "Низ, Сетевой адрес"}));
    QCOMPARE(device->countRequests(4, 0xFB), 0);
    // Written fields are marked so, the refused ones keep their changed mark.
    const QImage written = QPixmap(":/images/bird_green.png").toImage();
    const QImage changed = QPixmap(":/images/bird.png").toImage();
    QCOMPARE(ui->label_Alarm_1KV380->pixmap(Qt::ReturnByValue).toImage(), written);
    QCOMPARE(ui->label_Alarm_3KV380->pixmap(Qt::ReturnByValue).toImage(), written);
    QCOMPARE(ui->label_Alarm_2KV380->pixmap(Qt::ReturnByValue).toImage(), changed);
    QCOMPARE(ui->label_Alarm_5KV380->pixmap(Qt::ReturnByValue).toImage(), changed);
    // Nothing went out twice although the write was asked for twice.
    QCOMPARE(device->countRequests(4, 0xF5), 1);
    QCOMPARE(device->countRequests(4, 0xE2), 1);
    QCOMPARE(device->countRequests(4, 0xF1), 0);
    QCOMPARE(told, QString("Дождитесь окончания текущей операции"));

    // The sensor took them; the page reads them back into its fields.
    QCOMPARE(s.up, 120);
    QCOMPARE(s.delayOn, quint16(12));
    QCOMPARE(s.down, 30);
    QTRY_COMPARE_WITH_TIMEOUT(page->getOldKV380param().up, 120, 3 * kPollMs + kSlackMs);
    QCOMPARE(page->getOldKV380param().delayOn, 12);
    QCOMPARE(ui->lineEditKV380Up->text(), QString("120"));
    QCOMPARE(ui->lineEditKV380Down->text(), QString("30"));
    // The marks go 1 s after the write.
    QTRY_VERIFY_WITH_TIMEOUT(!shown(ui->label_Alarm_1KV380), 3000);

    // A new network number: the sensor is found again under it.
    retype(ui->lineEditKV380Down, "40");
    retype(ui->lineEdit_NetNumKV380, "12");
    ui->ButtonWriteParamKV380->click();
    QTRY_COMPARE_WITH_TIMEOUT(device->countRequests(4, 0xFB), 1, kWriteMs);
    QCOMPARE(hexOf(device->requestsTo(4, 0xFB).at(0)), hexFrame("3104fb5ac3960c"));
    QCOMPARE(hexOf(device->requestsTo(4, 0xFA).at(0)), hexFrame("3104fa5ac3960028"));
    QCOMPARE(s.netNum, quint8(12));
    QCOMPARE(s.down, 40);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_ListDevKV380->text(), QString("12"), kConnectMs);
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(12, 0xF0) >= 2, kConnectMs);
    QTRY_COMPARE_WITH_TIMEOUT(page->getOldKV380param().netNum, 12, kConnectMs);
    QCOMPARE(ui->lineEdit_NetNumKV380->text(), QString("12"));
    QCOMPARE(page->getLabelStatusMessage()->text(), kConnected);
    QCOMPARE(closer.seen.size(), 1);
    // A write left between its frames sends nothing of it in the next session.
    retype(ui->lineEditKV380Up, "100");
    retype(ui->lineEditKV380Down, "50");
    connect(device.get(), &SimulatedDevice::requestReceived, page, [&, left = false](const QByteArray &r) mutable {
        if (!left && (left = quint8(r.at(2)) == 0xF5)) {
            ui->pushButtonKV380->click(); // off, and on again
            ui->pushButtonKV380->click();
        }
    });
    ui->ButtonWriteParamKV380->click();
    waitConnected();
    ui->ButtonWriteParamKV380->click();
    QCOMPARE(device->countRequests(12, 0xFA), 0);
}

void TestKv380Page::silenceDisconnectsAndTheSensorComesBack()
{
    device->sensor().netNum = 4;
    device->sensor().serial = 555;
    connectPage();
    waitConnected();
    QVERIFY(shown(ui->lineEditKV380Up));
    // The connection's log line waits for the data answer after the serial
    // one; on a loaded machine that may come after the connected status.
    QTRY_COMPARE_WITH_TIMEOUT(logSinceStart().count("Connected KV380 SerNum=555"), 1, kConnectMs);

    device->silent = true;
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), kConnect, kWatchdogMs + 3 * kPollMs + kSlackMs);
    QVERIFY(shown(page->getLabelStatusMessage()));
    QVERIFY(!shown(ui->lineEditKV380Up));
    QVERIFY(!page->isDeviceConnected());
    QTRY_VERIFY_WITH_TIMEOUT(logSinceStart().contains(" -- Device is not responding\r\n"), 2000);

    // Back, now in bucket mode and with its answers coming glued in pairs.
    device->sensor().mode = SimulatedKv380::kModeBucket;
    device->glued = true;
    device->silent = false;
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), kConnected, kConnectMs);
    QTRY_VERIFY_WITH_TIMEOUT(page->isDeviceConnected(), kConnectMs);
    QVERIFY(shown(ui->lineEditKV380Up));
    QCOMPARE(ui->label_27KV380->text(), QString("Дельта"));
    QVERIFY(page->getSwitchKovsh()->getState());
    QCOMPARE(ui->label_SerNumVal->text(), QString("555"));
    // Glued, an answer waits for the next one: the line may take a few polls.
    QTRY_COMPARE_WITH_TIMEOUT(logSinceStart().count("Connected KV380 SerNum=555"), 2, kConnectMs);
}

void TestKv380Page::firmwareUpdateEndResumesThePage()
{
    device->sensor().netNum = 4;
    device->sensor().firmware = 123;
    connectPage();
    waitConnected();
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_FirmwareVal->text(), QString("1.2.3"), kPollMs + kSlackMs);

    // As the service menu's update does before the download.
    page->disconnectDevice();
    QVERIFY(!shown(ui->lineEditKV380Up));
    // The bootloader has the line: no timer of the page is left to ask it
    // anything.
    QCOMPARE(pagetimers::running(page), QStringList());
    const int polls = device->countRequests(4, 0xF0);

    // The new firmware starts in another mode.
    device->sensor().firmware = 124;
    device->sensor().mode = SimulatedKv380::kMode2;
    emit window->firmware()->finished(FirmwareUpdater::Page::AngleSensor, true);
    // The new session names no sensor until one answers.
    QCOMPARE(ui->label_FirmwareVal->text() + ui->label_SerNumVal->text(), QString());
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_FirmwareVal->text(), QString("1.2.4"), kConnectMs);
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), kConnected, kConnectMs);
    QVERIFY(shown(ui->lineEditKV380Up));
    QTRY_VERIFY_WITH_TIMEOUT(page->getSwitchMode2()->getState(), kPollMs + kSlackMs);
    QVERIFY(!page->getSwitchMode1()->getState());
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(4, 0xF0) >= polls + 3, 5 * kPollMs + kSlackMs);
    QVERIFY(page->isDeviceConnected());
}

void TestKv380Page::noPageTimerRunsWhileThePortIsClosed()
{
    // Nothing chosen yet: neither angle page wakes the program.
    QCOMPARE(pagetimers::running(page), QStringList());
    QCOMPARE(pagetimers::running(window->kvble()), QStringList());

    // A bucket keeps the page's own movement check running too.
    device->sensor().netNum = 4;
    device->sensor().mode = SimulatedKv380::kModeBucket;
    connectPage();
    waitConnected();
    QTRY_VERIFY_WITH_TIMEOUT(shown(ui->lineEditKV380DelayOn), 3 * kPollMs + kSlackMs);
    QVERIFY(!pagetimers::running(page).isEmpty());

    ui->pushButtonKV380->click(); // off: the port closes
    QVERIFY(!window->port()->getSerialPort()->isOpen());
    QCOMPARE(pagetimers::running(page), QStringList());
}

QTEST_MAIN(TestKv380Page)
#include "tst_kv380page.moc"
