#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/angle/kv380device.h"
#include "devices/angle/kvbledevice.h"
#include "devices/base/basedevice.h"
#include "devices/ble/adwertdialog.h"
#include "devices/ble/bleadwview.h"
#include "devices/ble/bledevice.h"
#include "devices/fls/flsdevice.h"
#include "devices/online/qfonline.h"
#include "devices/other/n7device.h"
#include "devices/other/plm300device.h"
#include "dialogsteps.h"
#include "link/portconnection.h"
#include "modalcloser.h"
#include "sharedline.h"
#include "shortintervals.h"
#include "simulatedadvertbase.h"
#include "simulatedanglebase.h"
#include "simulatedfls.h"
#include "simulatedkv380.h"
#include "simulatedn7.h"
#include "simulatedonline.h"
#include "simulatedplm300.h"
#include "testshard.h"
#include "ui/dynamicqdialog.h"
#include "ui/securityble.h"
#include "ui/switch.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

// A page the user leaves while one of its procedures waits goes quiet: the
// procedure's wait ends at once, nothing of the page reaches the line the
// user gave to another device, none of its timers runs, it logs and shows
// nothing, and the page the user turned to finds its device. Leaving by the
// page's own button (switched off) counts the same; a page switched off and
// on again at once takes the same start at the first press; and a start
// pressed again during the wait is refused and told, the first run going on
// as after one press.
//
// The left page's device and the next one hang on one line. The next one is
// the indicator, whose requests start with 0x3E, so any frame starting with
// 0x31 after the leave is the left page's; leaving the indicator, the next
// one is the PLM300 and it is the other way round.
namespace {

constexpr quint8 kSensorRequestStart = 0x31;
constexpr quint8 kIndicatorRequestStart = 0x3E;
// A connect takes a search, its answer and the first data answers.
constexpr int kConnectMs = 8000;
// Long enough for every procedure here to have sent its next frame and
// restarted its timers, had it gone on.
constexpr int kQuietMs = 3000;

const QString kPlm300Connected = QStringLiteral("Подключен ПЛМ-300");
const QString kN7Connected = QStringLiteral("Подключен Н7");

// One procedure with a wait, as a row of the table.
struct Procedure
{
    // The device the page talks to.
    std::function<std::unique_ptr<SimulatedDevice>()> device;
    // The page and its device button (pressed again, it switches off).
    std::function<BaseDevice *(Reriruvozive &)> page;
    QPushButton *Ui_Deruvivuriri::*button = nullptr;
    // Opens the page on the line, picked as the port, and waits until it
    // found its device; true when it did.
    std::function<bool(Reriruvozive &)> connect;
    // Starts the procedure on the connected page and returns when it ended.
    std::function<void(Reriruvozive &)> run;
    // The user leaves this long after the start, inside the procedure's wait.
    int leaveAfterMs = 300;
    // When not -1: leaveAfterMs counts from the page's first request with
    // this command byte on the line, for a procedure whose frames follow
    // dialogs of their own.
    int leaveAfterCommand = -1;
    // First byte of the page's requests.
    quint8 requestStart = kSensorRequestStart;
    // When set, tells the page's requests from the next page's, for a page
    // whose requests do not all start with requestStart.
    std::function<bool(const QByteArray &)> isOwnFrame;
    // Pressed again during the wait, or at once after the return; when not
    // set, run.
    std::function<void(Reriruvozive &)> again;
    // When not empty: the user leaves once a box of the procedure saying this
    // is up, instead of inside a wait.
    QString leaveAtBox;
    // A command byte one run sends once, after the moment of the leave.
    int onceCommand = -1;
    // When set, how the page shows that a start pressed again was refused,
    // when not by the base's words on its lower status line.
    std::function<bool(Reriruvozive &)> toldRunning;
};

// Off the device's own page (on its engineer menu, say) a second start is
// refused in a box that does not wait; closed here, it counts as told.
bool closedRefusalBox()
{
    QWidget *box = QApplication::activeModalWidget();
    for (const QLabel *label : box ? box->findChildren<QLabel *>() : QList<QLabel *>()) {
        if (label->text() == QStringLiteral("Дождитесь окончания текущей операции"))
            return box->close();
    }
    return false;
}

bool isPageFrame(const Procedure &p, const QByteArray &request)
{
    if (p.isOwnFrame)
        return p.isOwnFrame(request);
    return !request.isEmpty() && quint8(request.at(0)) == p.requestStart;
}

int commandFrames(const Procedure &p, const QList<SimulatedDevice::Request> &requests, int from)
{
    int count = 0;
    for (int i = from; i < requests.size(); ++i) {
        const QByteArray &request = requests.at(i).bytes;
        count += isPageFrame(p, request) && request.size() > 2 && quint8(request.at(2)) == p.onceCommand;
    }
    return count;
}

// The usual way in: the device button, then the status line names the device.
std::function<bool(Reriruvozive &)> pressUntil(QPushButton *Ui_Deruvivuriri::*button,
                                               std::function<BaseDevice *(Reriruvozive &)> page,
                                               const QString &connected)
{
    return [button, page, connected](Reriruvozive &w) {
        (w.form()->*button)->click();
        const QLabel *status = page(w)->getLabelStatusMessage();
        return QTest::qWaitFor([&] { return status->text() == connected; }, kConnectMs);
    };
}

// A page opened by its own device button, found once its status line names
// the device.
template <class Device>
Procedure byButton(std::function<BaseDevice *(Reriruvozive &)> page, QPushButton *Ui_Deruvivuriri::*button,
                   const QString &connected, std::function<void(Reriruvozive &)> run, int leaveAfterMs)
{
    Procedure p;
    p.device = [] { return std::make_unique<Device>(); };
    p.page = std::move(page);
    p.button = button;
    p.connect = pressUntil(button, p.page, connected);
    p.run = std::move(run);
    p.leaveAfterMs = leaveAfterMs;
    return p;
}

void type(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// ---- the wired fuel sensor ----

Procedure wiredSensor(std::function<void(Reriruvozive &)> run, int leaveAfterMs, int leaveAfterCommand = -1)
{
    Procedure p = byButton<SimulatedFls>([](Reriruvozive &w) -> BaseDevice * { return w.fls(); },
                                         &Ui_Deruvivuriri::pushButtonDeviceFLS, QStringLiteral("Подключен QF470"),
                                         std::move(run), leaveAfterMs);
    p.leaveAfterCommand = leaveAfterCommand;
    // The page's lower line names the sensor; a refusal goes above it.
    p.toldRunning = [](Reriruvozive &w) {
        return w.fls()->getLabelStatusMessageUp()->text() == QStringLiteral("Дождитесь окончания текущей операции");
    };
    return p;
}

// Two sensors, the second never tells its serial: a pair's calibration asks
// for it before it names its run.
Procedure wiredPairCalibration(int leaveAfterMs)
{
    Procedure p = wiredSensor([](Reriruvozive &w) { w.form()->ButtonTarirovka->click(); }, leaveAfterMs, 0xFC);
    p.device = [] {
        auto fls = std::make_unique<SimulatedFls>();
        SimulatedFls::Sensor second;
        second.netNum = 2;
        second.serial = 54321;
        second.serialSilent = true;
        fls->sensors.append(second);
        return fls;
    };
    return p;
}

void pickServiceEntry(Reriruvozive &w, const QString &name)
{
    for (QAction *action : w.form()->pushButtonService->menu()->actions()) {
        if (action->objectName() == name)
            action->trigger();
    }
}

void writeFlsSettings(Reriruvozive &w)
{
    type(w.form()->lineEditNetNumDUT, "1");
    w.form()->ButtonWriteParamDUT->click();
}

void writeFlsSettingsAfterPassword(Reriruvozive &w)
{
    // As the password dialog leaves the page once the password was taken.
    w.fls()->setPasswordEntered(true);
    writeFlsSettings(w);
}

void checkFlsPassword(Reriruvozive &w)
{
    pickServiceEntry(w, "security");
}

void writeFlsLevelsByHand(Reriruvozive &w)
{
    pickServiceEntry(w, "engineer");
    DialogSteps levels({DialogSteps::fillAndClick({"4000", "1000"}, "OK")});
    w.form()->pushBtnManualInput->click();
}

// As the password dialog leaves the page once the password was taken: the
// dialog opens without the probe.
void removeFlsPassword(Reriruvozive &w)
{
    w.fls()->setPasswordEntered(true);
    DialogSteps remove({DialogSteps::fillAndClick({"1234"}, "Удалить пароль")});
    pickServiceEntry(w, "security");
}

void setFlsFullAfterPassword(Reriruvozive &w)
{
    w.fls()->setPasswordEntered(true);
    DialogSteps sure({DialogSteps::accept(), DialogSteps::accept()});
    QMetaObject::invokeMethod(&w, "slotShortcutF2");
}

void setFlsHorizon(Reriruvozive &w)
{
    pickServiceEntry(w, "engineer");
    w.form()->pushBtnCalibHorizState->click();
}

void pickFlsSensor(Reriruvozive &w)
{
    emit w.form()->comboBox_NetNumDUT->activated(0);
}

void switchFlsToAngleMode(Reriruvozive &w)
{
    pickServiceEntry(w, "engineer");
    Switch *angle = w.fls()->getSwitchAngle();
    QTest::mouseClick(angle, Qt::LeftButton, Qt::NoModifier, angle->rect().center());
}

// ---- the BLE base, its advertising mode and the wireless angle sensor ----

// The base on the line of the row that runs, for a procedure that silences it.
SimulatedBase *baseOnLine = nullptr;

// Once a modal window of type T is on top, `act` runs in it, once; other
// windows are left alone. `start` opens the window and returns when it closed.
template <class T> void actInModal(const std::function<void(T *)> &act, const std::function<void()> &start)
{
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, &user, [&] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        user.stop();
        act(dialog);
    });
    user.start(20);
    start();
}

// ---- boxes the wired sensor's procedures wait in ----

// Smoothing on: the calibration first advises to switch it off.
void calibrateSmoothedFls(Reriruvozive &w)
{
    w.form()->comboBox_FiltrDUT->setCurrentIndex(1);
    w.form()->ButtonTarirovka->click();
}

// Past the advice, at the question.
void setFlsEmpty(Reriruvozive &w)
{
    actInModal<DynamicQDialog>([](DynamicQDialog *advice) { advice->accept(); },
                               [&w] { QMetaObject::invokeMethod(&w, "slotShortcutF3"); });
}

void calibrateFlsWithoutFuel(Reriruvozive &w)
{
    actInModal<QDialog>([](QDialog *dialog) { dialog->findChild<QPushButton *>("pushButtonAutoCalibStart")->click(); },
                        [&w] { w.form()->pushButtonAutoCalibrate->click(); });
}

// The BLE button, then a choice of the BLE page, until `found` holds.
std::function<bool(Reriruvozive &)> chooseBle(QPushButton *Ui_Deruvivuriri::*choice,
                                              std::function<bool(Reriruvozive &)> found)
{
    return [choice, found](Reriruvozive &w) {
        w.form()->pushButtonBLE->click();
        (w.form()->*choice)->click();
        return QTest::qWaitFor([&] { return found(w); }, kConnectMs);
    };
}

Procedure bleBase(std::function<std::unique_ptr<SimulatedBase>()> device, std::function<void(Reriruvozive &)> run,
                  int leaveAfterMs, int leaveAfterCommand = -1)
{
    Procedure p;
    p.device = [device] {
        std::unique_ptr<SimulatedBase> base = device();
        baseOnLine = base.get();
        return std::unique_ptr<SimulatedDevice>(std::move(base));
    };
    p.page = [](Reriruvozive &w) -> BaseDevice * { return w.ble(); };
    p.button = &Ui_Deruvivuriri::pushButtonBLE;
    p.run = std::move(run);
    p.leaveAfterMs = leaveAfterMs;
    p.leaveAfterCommand = leaveAfterCommand;
    return p;
}

// The linked sensor, shown with its password state known.
Procedure bleSensor(std::function<void(Reriruvozive &)> run, int leaveAfterMs, int leaveAfterCommand = -1,
                    std::optional<quint32> password = std::nullopt)
{
    Procedure p = bleBase(
        [password] {
            auto base = std::make_unique<SimulatedBase>();
            base->sensor.password = password;
            return base;
        },
        std::move(run), leaveAfterMs, leaveAfterCommand);
    p.connect = chooseBle(&Ui_Deruvivuriri::pushButtonChoiceUSB, [password](Reriruvozive &w) {
        return w.ble()->getLabelStatusMessage()->text() == QStringLiteral("Подключен VO-DIZ") &&
               w.ble()->isPasswordProtected() == bool(password) && !w.form()->label_LockBLE_BLE->isHidden();
    });
    return p;
}

// The advertising list, slot 3 holding a sensor.
Procedure bleAdvert(std::function<void(Reriruvozive &)> run, int leaveAfterMs, int leaveAfterCommand)
{
    Procedure p = bleBase(
        [] {
            auto base = std::make_unique<SimulatedAdvertBase>();
            base->place(2, SimulatedAdvertBase::sensorRecord("QF_000555", 30));
            base->advert[0].slotMask = 0x22;
            return base;
        },
        std::move(run), leaveAfterMs, leaveAfterCommand);
    p.connect = chooseBle(&Ui_Deruvivuriri::pushButtonChoiceAdvert, [](Reriruvozive &w) {
        const BLEAdwView *card = w.ble()->cardOf(2);
        return card && !card->isHidden() && card->nameText() == QStringLiteral("QF_000555");
    });
    return p;
}

void writeBleSettings(Reriruvozive &w)
{
    QComboBox *filter = w.form()->comboBox_FiltrBLE;
    filter->setCurrentIndex(3);
    emit filter->activated(3);
    w.form()->ButtonWriteParamBLE->click();
}

void writeBleSettingsToASilentBase(Reriruvozive &w)
{
    baseOnLine->silent = true;
    writeBleSettings(w);
}

void calibrateBleWithoutFuel(Reriruvozive &w)
{
    // Past the main window's question: the calibration itself.
    BaseDevice::Procedure run(w.ble());
    w.ble()->autoCalibrateFullEmptyBLE(run);
}

void removeBlePassword(Reriruvozive &w)
{
    actInModal<SecurityBLE>(
        [](SecurityBLE *dialog) {
            dialog->findChildren<QLineEdit *>().at(0)->setText("1234");
            for (QPushButton *b : dialog->findChildren<QPushButton *>()) {
                if (b->text() == QStringLiteral("Удалить пароль датчика"))
                    b->click();
            }
        },
        [&w] { pickServiceEntry(w, "security"); });
}

void freeBleSlot(Reriruvozive &w)
{
    w.ble()->cardOf(2)->disableButton()->click();
}

void connectBleSlotByName(Reriruvozive &w)
{
    actInModal<AdwertDialog>(
        [](AdwertDialog *dialog) {
            dialog->numberField()->setText("QF_000777");
            dialog->passwordField()->setText("0");
            dialog->connectButton()->click();
        },
        [&w] { w.ble()->cardOf(1)->connectButton()->click(); });
}

Procedure wirelessAngleSensor(std::function<void(Reriruvozive &)> run, int leaveAfterMs)
{
    Procedure p;
    p.device = [] { return std::make_unique<SimulatedAngleBase>(); };
    p.page = [](Reriruvozive &w) -> BaseDevice * { return w.kvble(); };
    p.button = &Ui_Deruvivuriri::pushButtonBLE;
    p.connect = chooseBle(&Ui_Deruvivuriri::pushButtonChoiceKVBLE, [](Reriruvozive &w) {
        return w.kvble()->getLabelStatusMessage()->text() == QStringLiteral("Подключен KV-BLE");
    });
    p.run = std::move(run);
    p.leaveAfterMs = leaveAfterMs;
    return p;
}

void writeAngleThresholds(Reriruvozive &w)
{
    type(w.form()->lineEditKVBLEUp, "60");
    type(w.form()->lineEditKVBLEDown, "30");
    // Past the main window's question: the write itself.
    w.kvble()->writeParamToDevice();
}

// ---- the PLM300 ----

Procedure plm300(std::function<void(Reriruvozive &)> run, int leaveAfterMs)
{
    return byButton<SimulatedPlm300>([](Reriruvozive &w) -> BaseDevice * { return w.plm300(); },
                                     &Ui_Deruvivuriri::pushButtonPLM300, kPlm300Connected, std::move(run),
                                     leaveAfterMs);
}

void writePlm300Settings(Reriruvozive &w)
{
    type(w.form()->lineEdit_max_PLM300, "310");
    type(w.form()->lineEdit_min_PLM300, "30");
    w.form()->ButtonWriteParamPLM300->click();
}

void writePlm300NetNum(Reriruvozive &w)
{
    type(w.form()->lineEdit_netNumPLM300, "7");
    w.form()->ButtonWriteParamPLM300->click();
}

// ---- the indicator ----

// Presses `button` and, once `when` holds, names `path` in the file dialog it
// opened and accepts it the way the dialog's own button does. Other windows
// are left alone.
void clickAnsweringFileDialog(QPushButton *button, const QString &path, const std::function<bool()> &when)
{
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, &user, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || !when())
            return;
        user.stop();
        dialog->selectFile(path);
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        static_cast<QDialog *>(dialog)->accept();
    });
    user.start(20);
    button->click();
}

QString scratchFile(const QString &name)
{
    static QTemporaryDir dir;
    return dir.filePath(name);
}

Procedure indicator(std::function<void(Reriruvozive &)> run, int leaveAfterMs)
{
    Procedure p = byButton<SimulatedN7>([](Reriruvozive &w) -> BaseDevice * { return w.n7(); },
                                        &Ui_Deruvivuriri::pushButtonN7, kN7Connected, std::move(run), leaveAfterMs);
    p.requestStart = kIndicatorRequestStart;
    return p;
}

void loadIndicatorTable(Reriruvozive &w)
{
    const QString path = scratchFile("table.csv");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("1;2\r\n3;4\r\n") < 0)
        return;
    file.close();
    clickAnsweringFileDialog(w.form()->pushButton_n7SetTarTable, path, [] { return true; });
}

// The user is still at the file dialog when the page is left: it closes with
// the session, or it is a box left over the page turned to.
void saveIndicatorTableUnanswered(Reriruvozive &w)
{
    w.form()->pushButton_n7GetTarTable->click();
}

void loadIndicatorTableUnanswered(Reriruvozive &w)
{
    w.form()->pushButton_n7SetTarTable->click();
}

// ---- the wired angle sensor ----

Procedure angleSensor(std::function<void(Reriruvozive &)> run, int leaveAfterMs)
{
    return byButton<SimulatedKv380>([](Reriruvozive &w) -> BaseDevice * { return w.kv380(); },
                                    &Ui_Deruvivuriri::pushButtonKV380, QStringLiteral("Подключен КВ-380"),
                                    std::move(run), leaveAfterMs);
}

// The upper threshold lies beyond its range: the box that tells so at the
// end of the write has no business over another page.
void writeAngleSensorSettings(Reriruvozive &w)
{
    type(w.form()->lineEditKV380Up, "999");
    type(w.form()->lineEditKV380Down, "20");
    w.form()->ButtonWriteParamKV380->click();
}

void switchAngleSensorMode(Reriruvozive &w)
{
    Switch *mode = w.kv380()->getSwitchMode2();
    QTest::mouseClick(mode, Qt::LeftButton, Qt::NoModifier, mode->rect().center());
}

// ---- the online unit ----

// The unit carries its commands out without a word, so the page waits the
// longest for their answers. It is always number 1, and its settings and
// calibration frames go to its unit address.
Procedure onlineUnit(std::function<void(Reriruvozive &)> run, int leaveAfterMs)
{
    Procedure p;
    p.device = [] {
        auto unit = std::make_unique<SimulatedOnline>();
        unit->commandsUnanswered = true;
        return unit;
    };
    p.page = [](Reriruvozive &w) -> BaseDevice * { return w.online(); };
    p.button = &Ui_Deruvivuriri::pushButtonQFOnline;
    // Connected once its readings show; its settings are read before any write.
    p.connect = [](Reriruvozive &w) {
        Ui_Deruvivuriri *ui = w.form();
        ui->pushButtonQFOnline->click();
        if (!QTest::qWaitFor([&] { return w.online()->isDeviceConnected() && !ui->tabWidgetQFOnline->isHidden(); },
                             kConnectMs))
            return false;
        ui->tabWidgetQFOnline->setCurrentIndex(1);
        const auto readNotice = [&w]() -> QWidget * {
            for (QObject *owner : {static_cast<QObject *>(&w), static_cast<QObject *>(w.online())}) {
                for (DynamicQDialog *notice : owner->findChildren<DynamicQDialog *>()) {
                    if (notice->isVisible())
                        return notice;
                }
            }
            return nullptr;
        };
        // The read's notice was the connect's, not the procedure's.
        if (!QTest::qWaitFor([&] { return w.online()->isConfigRead() && readNotice(); }, kConnectMs))
            return false;
        readNotice()->close();
        return true;
    };
    p.run = std::move(run);
    p.leaveAfterMs = leaveAfterMs;
    p.isOwnFrame = [](const QByteArray &request) {
        return request.size() >= 2 &&
               (quint8(request.at(0)) == kSensorRequestStart || quint8(request.at(1)) == SimulatedOnline::kUnitAddress);
    };
    return p;
}

void writeOnlineSettings(Reriruvozive &w)
{
    type(w.form()->lineEditOnlineServerPort, "20400");
    w.form()->pushButtonOnlineWriteSetting->click();
}

void setOnlineHorizon(Reriruvozive &w)
{
    w.form()->pushButtonOnlineHorizont->click();
}

void checkOnlinePassword(Reriruvozive &w)
{
    w.online()->checkPass();
}

// Qt warns of a write to a closed port: no test here may make it.
int closedPortWrites = 0;
QtMessageHandler testLog = nullptr;
void countClosedPortWrites(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    closedPortWrites += message.contains("device not open");
    testLog(type, context, message);
}

} // namespace

// How the user leaves a procedure in the middle of its wait, or does not.
enum Leave {
    // Another device's button.
    OtherDevice,
    // Its own button, then at once another device's: the line is open again
    // for any late frame of the left page.
    SwitchedOff,
    // Its own button off and at once on again, then the same start: it runs
    // at the first press, while the left run is still on its way out.
    BackAtOnce,
    // Not left: the same start pressed again.
    PressedAgain,
    // The main window closed.
    WindowClosed,
    // The line hung up (the converter unplugged).
    HungUp,
};

Q_DECLARE_METATYPE(Procedure)

class TestLeaveQuiet : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { testLog = qInstallMessageHandler(countClosedPortWrites); }
    void cleanup() { QCOMPARE(std::exchange(closedPortWrites, 0), 0); }
    void leftPageGoesQuiet_data();
    void leftPageGoesQuiet();
    void pressedButtonAloneShowsItsPage();
};

void TestLeaveQuiet::leftPageGoesQuiet_data()
{
    QTest::addColumn<Procedure>("procedure");
    QTest::addColumn<int>("leave");

    // Every procedure is left for another device; some also in the other ways.
    struct Row
    {
        const char *name;
        Procedure procedure;
        QList<Leave> also;
    };
    // A row that sends `command` once per run, for the rows that start it
    // again.
    const auto once = [](Procedure p, int command) {
        p.onceCommand = command;
        return p;
    };
    const auto atBox = [](Procedure p, const char *text) {
        p.leaveAtBox = QString::fromUtf8(text);
        return p;
    };
    const auto setFlsFull = [](Reriruvozive &w) { QMetaObject::invokeMethod(&w, "slotShortcutF2"); };
    const QList<Leave> ended = {HungUp, SwitchedOff, WindowClosed};
    Procedure plm300Write = once(plm300(writePlm300Settings, 300), 0xF5);
    plm300Write.again = [](Reriruvozive &w) { w.form()->ButtonWriteParamPLM300->click(); };
    const QList<Row> procedures = {
        // ---- the wired fuel sensor ----
        // Between the configuration frame and the network number's.
        {"wired sensor settings write",
         once(wiredSensor(writeFlsSettings, 100), 0xFB),
         {SwitchedOff, PressedAgain, BackAtOnce, WindowClosed}},
        // Inside the password step the write runs first.
        {"wired sensor settings write after the password", wiredSensor(writeFlsSettingsAfterPassword, 20, 0xF8), {}},
        // Inside the probe of the security entry, before its dialog.
        {"wired sensor password check", wiredSensor(checkFlsPassword, 100), {SwitchedOff, WindowClosed}},
        // Between the Empty level's frame and the Full level's.
        {"wired sensor levels typed by hand", once(wiredSensor(writeFlsLevelsByHand, 20, 0xED), 0xEC), {PressedAgain}},
        // Inside the password step Full from the level runs first.
        {"wired sensor Full after the password",
         once(wiredSensor(setFlsFullAfterPassword, 20, 0xF8), 0xF5),
         {PressedAgain}},
        // While the horizon's answer is awaited.
        {"wired sensor horizon", wiredSensor(setFlsHorizon, 20, 0xAA), {}},
        // Between the password and "no password".
        {"wired sensor password removal", wiredSensor(removeFlsPassword, 100, 0xF8), {SwitchedOff, WindowClosed}},
        // Between the picked sensor's two serial requests.
        {"wired sensor picked in the list", wiredSensor(pickFlsSensor, 40), {}},
        // Between the serial requests to sensor 2 before a pair's run is named.
        {"wired pair calibration", wiredPairCalibration(40), {}},
        // While the sensor settles into angle mode, before the search for it.
        {"wired sensor angle mode", once(wiredSensor(switchFlsToAngleMode, 200), 0xF2), {PressedAgain}},
        // While a box of it is up: the box closes, and no question, frame or
        // page follows, here or (the launch) on the page turned to.
        {"wired sensor password dialog", atBox(wiredSensor(checkFlsPassword, 0), "не защищено паролем"), ended},
        {"wired calibration advice", atBox(wiredSensor(calibrateSmoothedFls, 0), "Тарировку рекомендуется"), ended},
        {"wired Full advice", atBox(wiredSensor(setFlsFull, 0), "Установку \"Полный\""), ended},
        {"wired Empty question", atBox(wiredSensor(setFlsEmpty, 0), "уровень \"Пустой\""), ended},
        {"wired calibration without fuel", atBox(wiredSensor(calibrateFlsWithoutFuel, 0), "калибровка Пустой"), ended},

        // ---- the BLE base, its advertising mode and the wireless angle sensor ----
        // A base that answers nothing: the write waits for the sensor's report.
        {"BLE base settings write", bleSensor(writeBleSettingsToASilentBase, 1500), {WindowClosed}},
        // While the write waits for the sensor's report of its new mode.
        {"BLE base settings write answered", once(bleSensor(writeBleSettings, 300), 0xF2), {PressedAgain, BackAtOnce}},
        // Between the Empty value's frame and the Full value's.
        {"BLE base calibration without fuel",
         once(bleSensor(calibrateBleWithoutFuel, 1000, 0xED), 0xEC),
         {PressedAgain}},
        // Between the present password and "no password".
        {"BLE base password removal", bleSensor(removeBlePassword, 300, 0xE8, 1234), {SwitchedOff, WindowClosed}},
        // Between the slot's free name and the base's configuration.
        {"BLE base slot freed from its card", bleAdvert(freeBleSlot, 100, 0xEA), {}},
        // Between the sensor's name and its password.
        {"BLE base sensor connected by name", bleAdvert(connectBleSlotByName, 300, 0xEA), {SwitchedOff}},
        // Between the thresholds' frames, while the first one's outcome is awaited.
        {"wireless angle sensor settings write", wirelessAngleSensor(writeAngleThresholds, 1000), {SwitchedOff}},

        // ---- the PLM300 ----
        // Between the first setting frame and the second.
        {"PLM300 settings write", plm300Write, {SwitchedOff, PressedAgain, WindowClosed}},
        // Between the number's frame and the search under the new number.
        {"PLM300 network number write", plm300(writePlm300NetNum, 400), {}},

        // ---- the indicator ----
        // In the wait between the file and the table write.
        {"indicator table from a file", once(indicator(loadIndicatorTable, 150), 0xEF), {BackAtOnce, PressedAgain}},
        // While their file dialogs are up.
        {"indicator table to a file", indicator(saveIndicatorTableUnanswered, 300), ended},
        {"indicator table file chosen", indicator(loadIndicatorTableUnanswered, 300), ended},

        // ---- the wired angle sensor ----
        // Between the upper threshold, refused, and the lower one's frame.
        {"angle sensor settings write", angleSensor(writeAngleSensorSettings, 300), {SwitchedOff, WindowClosed}},
        // While the mode frame settles, before its log line.
        {"angle sensor mode", angleSensor(switchAngleSensorMode, 20), {}},

        // ---- the online unit ----
        // While the write waits for the unit to acknowledge it.
        {"online unit settings write", onlineUnit(writeOnlineSettings, 400), {SwitchedOff, WindowClosed}},
        {"online unit horizon", onlineUnit(setOnlineHorizon, 300), {}},
        {"online unit password dialog", atBox(onlineUnit(checkOnlinePassword, 0), "не защищено паролем"), ended},
    };
    const char *const how[] = {"another device", "switched off",  "back at once",
                               "pressed again",  "window closed", "line hung up"};
    // The table is long: ctest runs it in shards side by side.
    TestShard shard;
    const auto add = [&](const Row &row, Leave leave) {
        if (shard.takesNextRow())
            QTest::addRow("%s, %s", row.name, how[leave]) << row.procedure << int(leave);
    };
    for (const Row &row : procedures) {
        add(row, OtherDevice);
        for (Leave leave : row.also)
            add(row, leave);
    }
}

void TestLeaveQuiet::leftPageGoesQuiet()
{
    QFETCH(Procedure, procedure);
    QFETCH(int, leave);
    if (!procedure.again)
        procedure.again = procedure.run;

    const bool toPlm300 = procedure.requestStart == kIndicatorRequestStart;
    std::unique_ptr<SimulatedDevice> device = procedure.device();
    std::unique_ptr<SimulatedDevice> next;
    if (toPlm300)
        next = std::make_unique<SimulatedPlm300>();
    else
        next = std::make_unique<SimulatedN7>();
    SharedLine line({device.get(), next.get()});
    QVERIFY(line.isValid());

    qputenv(portlist::kExtraPortsVariable, line.portPath().toLocal8Bit());
    Reriruvozive window;
    Ui_Deruvivuriri *ui = window.form();
    BaseDevice *page = procedure.page(window);
    BaseDevice *nextPage = toPlm300 ? static_cast<BaseDevice *>(window.plm300()) : window.n7();
    QPushButton *nextButton = toPlm300 ? ui->pushButtonPLM300 : ui->pushButtonN7;
    QPushButton *ownButton = ui->*procedure.button;
    shortintervals::apply(page);
    shortintervals::apply(nextPage);
    ui->comboBox_SerialPort->setCurrentText(line.portPath());
    QCOMPARE(ui->comboBox_SerialPort->currentText(), line.portPath());
    QVERIFY(procedure.connect(window));

    // Boxes the procedure shows before the leave are its own business, and so
    // is a refusal's, and a file dialog of the page's session (one started
    // again after the leave); any other after it is closed and counted.
    bool left = false;
    ModalCloser boxes;
    boxes.leaveOpen = [&](QWidget *box) {
        return !left || (qobject_cast<QFileDialog *>(box) && page->isSessionRunning());
    };
    QSignalSpy pageLog(page, &BaseDevice::signalWriteLog);
    const int requestsAtStart = line.requests().size();
    int requestsBefore = 0;
    int boxesBefore = 0;
    QWidget *pageAtLeave = nullptr;
    bool runningAtLeave = false;
    bool told = false;
    bool back = false;
    const auto leaveNow = [&] {
        // What the page wrote before the leave reaches the line first: the
        // port wrote all it was handed since it opened (a frame still queued
        // goes out at a close), and the line read it.
        const bool drained = QTest::qWaitFor(
            [&] {
                const PortConnection::Mark handed = window.port()->handedMark();
                return window.port()->isWritten(handed) && line.bytesTaken() == handed.handed;
            },
            kConnectMs);
        QVERIFY(drained);
        requestsBefore = line.requests().size();
        pageLog.clear();
        runningAtLeave = page->isProcedureRunning();
        left = leave != HungUp;
        switch (Leave(leave)) {
        case OtherDevice:
            nextButton->click();
            break;
        case SwitchedOff:
            ownButton->click();
            nextButton->click();
            break;
        case BackAtOnce:
            // The left run is still below on the stack while the page comes
            // back and the same start runs again.
            ownButton->click();
            back = procedure.connect(window);
            if (back)
                procedure.again(window);
            break;
        case PressedAgain: {
            const QString before = page->getLabelStatusMessage()->text();
            procedure.again(window);
            told =
                procedure.toldRunning ? procedure.toldRunning(window) : page->getLabelStatusMessage()->text() != before;
            told = closedRefusalBox() || told;
            boxesBefore = boxes.seen.size();
            told = told || boxesBefore > 0;
            break;
        }
        case WindowClosed:
            // The test goes on after the close: the application stays.
            QGuiApplication::setQuitOnLastWindowClosed(false);
            window.close();
            break;
        case HungUp:
            // The page hears of it a moment later, and logs the device gone;
            // until then its boxes are its own.
            line.hangUp();
            back = QTest::qWaitFor([&] { return !page->isSessionRunning(); }, kConnectMs);
            pageLog.clear();
            left = true;
            break;
        }
        pageAtLeave = ui->stackedWidget->currentWidget();
    };
    QTimer boxWatch;
    connect(&boxWatch, &QTimer::timeout, &window, [&] {
        QWidget *box = QApplication::activeModalWidget();
        for (const QLabel *label : box ? box->findChildren<QLabel *>() : QList<QLabel *>()) {
            if (box->isVisible() && label->text().contains(procedure.leaveAtBox)) {
                boxWatch.stop();
                return leaveNow();
            }
        }
    });
    if (!procedure.leaveAtBox.isEmpty()) {
        boxWatch.start(20);
    } else if (procedure.leaveAfterCommand < 0) {
        QTimer::singleShot(procedure.leaveAfterMs, &window, leaveNow);
    } else {
        connect(&line, &SimulatedDevice::requestReceived, &window,
                [&, armed = false](const QByteArray &request) mutable {
                    if (armed || request.size() < 3 || !isPageFrame(procedure, request) ||
                        quint8(request.at(2)) != procedure.leaveAfterCommand)
                        return;
                    armed = true;
                    QTimer::singleShot(procedure.leaveAfterMs, &window, leaveNow);
                });
    }
    procedure.run(window);
    // The procedure ran until the leave: had it ended before, the row would
    // prove nothing.
    QVERIFY2(left, "the procedure ended before the leave");
    QVERIFY2(runningAtLeave, "no procedure of the page ran at the leave");

    if (leave == PressedAgain) {
        QVERIFY2(told, "the second start was refused without a word");
        QTest::qWait(kQuietMs);
        QCOMPARE(commandFrames(procedure, line.requests(), requestsAtStart), 1);
        QStringList shown;
        for (int i = boxesBefore; i < boxes.seen.size(); ++i)
            shown << boxes.seen.at(i).texts.join(" / ");
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join(" | ")));
        QVERIFY(!page->isProcedureRunning());
        QVERIFY(page->isDeviceConnected());
        return;
    }
    if (leave == BackAtOnce) {
        QVERIFY2(back, "the page did not find its device again");
        QTRY_VERIFY(commandFrames(procedure, line.requests(), requestsBefore) > 0);
        QVERIFY(!page->isProcedureRunning());
        return;
    }

    QVERIFY2(leave != HungUp || back, "the page did not hear the line hang up");
    if (leave != WindowClosed && leave != HungUp)
        QTRY_COMPARE_WITH_TIMEOUT(nextPage->getLabelStatusMessage()->text(), toPlm300 ? kPlm300Connected : kN7Connected,
                                  kConnectMs);
    QTest::qWait(kQuietMs);

    QStringList strayFrames;
    for (int i = requestsBefore; i < line.requests().size(); ++i) {
        const QByteArray &request = line.requests().at(i).bytes;
        if (isPageFrame(procedure, request))
            strayFrames << QString::fromLatin1(request.toHex(' '));
    }
    QVERIFY2(strayFrames.isEmpty(), qPrintable(strayFrames.join(" | ")));
    QStringList running;
    for (const QTimer *timer : page->findChildren<QTimer *>()) {
        if (timer->isActive())
            running << QString::number(timer->interval());
    }
    QVERIFY2(running.isEmpty(), qPrintable(running.join(", ")));
    QVERIFY2(pageLog.isEmpty(), qPrintable(pageLog.value(0).value(0).toString()));
    QStringList shown;
    for (const ModalCloser::Seen &box : qAsConst(boxes.seen))
        shown << box.texts.join(" / ");
    QVERIFY2(shown.isEmpty(), qPrintable(shown.join(" | ")));
    QCOMPARE(ui->stackedWidget->currentWidget(), pageAtLeave);
    QVERIFY(leave == WindowClosed || leave == HungUp || nextPage->isDeviceConnected());
}

// Every device button shows its own state only, whichever page was on
// before: pressed, it alone is pressed and its page shows (the BLE button's:
// the choice of the wireless link). Every pair, in both orders.
void TestLeaveQuiet::pressedButtonAloneShowsItsPage()
{
    if (!TestShard().takesOtherFunctions())
        QSKIP("run by the first shard");
    using Ui = Ui_Deruvivuriri;
    const QList<QPair<QPushButton * Ui::*, QWidget *Ui::*>> buttons = {
        {&Ui::pushButtonDeviceFLS, &Ui::DUT},     {&Ui::pushButtonBLE, &Ui::ChoiceBLE},
        {&Ui::pushButtonKV380, &Ui::KV380},       {&Ui::pushButtonPLM300, &Ui::PLM300},
        {&Ui::pushButtonQFOnline, &Ui::QFOnline}, {&Ui::pushButtonN7, &Ui::N7}};
    SimulatedDevice device;
    qputenv(portlist::kExtraPortsVariable, device.portPath().toLocal8Bit());
    Reriruvozive window;
    Ui *ui = window.form();
    ui->comboBox_SerialPort->setCurrentText(device.portPath());
    ui->pushButtonMirvelNet->click(); // a button that stands for no device
    for (const auto &first : buttons) {
        for (const auto &then : buttons) {
            for (const auto &pressed : {first, then}) {
                if (first == then || (ui->*pressed.first)->isChecked())
                    continue;
                (ui->*pressed.first)->click();
                QCOMPARE(ui->stackedWidget->currentWidget()->objectName(), (ui->*pressed.second)->objectName());
                QStringList down;
                for (const QPushButton *button : ui->scrollAreaWidgetContents->findChildren<QPushButton *>()) {
                    if (button->isChecked())
                        down << button->objectName();
                }
                QCOMPARE(down, QStringList((ui->*pressed.first)->objectName()));
                // Its status line, where it has one, says at once that nothing is heard yet.
                QWidget *shown = ui->stackedWidget->currentWidget();
                const QList<BaseDevice *> pages{window.fls(), window.kv380(), window.plm300(), window.n7()};
                for (const BaseDevice *page : pages) {
                    const QLabel *line = page->getLabelStatusMessage();
                    if (shown->isAncestorOf(line))
                        QVERIFY2(line->isVisibleTo(shown) && line->text() == "Подключите датчик",
                                 qPrintable(line->text()));
                }
            }
        }
    }
}

QTEST_MAIN(TestLeaveQuiet)
#include "tst_leavequiet.moc"
