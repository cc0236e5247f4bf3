#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "devices/other/n7device.h"
#include "devices/other/plm300device.h"
#include "dialogsteps.h"
#include "link/basedevice.h"
#include "link/portconnection.h"
#include "modalcloser.h"
#include "sharedline.h"
#include "shortintervals.h"
#include "simulatedfls.h"
#include "simulatedn7.h"
#include "simulatedplm300.h"
#include "ui/switch.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

// A page the user leaves while one of its procedures waits goes quiet: the
// procedure stops at its next wait, nothing of the page reaches the line the
// user gave to another device, none of its timers runs, it logs and shows
// nothing, and the page the user turned to finds its device. Leaving by the
// page's own button (switched off) counts the same.
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
    // A file dialog the procedure opened before the leave is its own to
    // answer, after the leave as well.
    bool ownsFileDialogs = false;
};

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

void type(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// ---- the wired fuel sensor ----

Procedure wiredSensor(std::function<void(Reriruvozive &)> run, int leaveAfterMs, int leaveAfterCommand = -1)
{
    Procedure p;
    p.device = [] { return std::make_unique<SimulatedFls>(); };
    p.page = [](Reriruvozive &w) -> BaseDevice * { return w.fls(); };
    p.button = &Ui_Deruvivuriri::pushButtonDeviceFLS;
    p.connect = pressUntil(p.button, p.page, QStringLiteral("Подключен QF470"));
    p.run = std::move(run);
    p.leaveAfterMs = leaveAfterMs;
    p.leaveAfterCommand = leaveAfterCommand;
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

// ---- the PLM300 ----

Procedure plm300(std::function<void(Reriruvozive &)> run, int leaveAfterMs)
{
    Procedure p;
    p.device = [] { return std::make_unique<SimulatedPlm300>(); };
    p.page = [](Reriruvozive &w) -> BaseDevice * { return w.plm300(); };
    p.button = &Ui_Deruvivuriri::pushButtonPLM300;
    p.connect = pressUntil(p.button, p.page, kPlm300Connected);
    p.run = std::move(run);
    p.leaveAfterMs = leaveAfterMs;
    return p;
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
    QObject::connect(&user, &QTimer::timeout, [&] {
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
    Procedure p;
    p.device = [] { return std::make_unique<SimulatedN7>(); };
    p.page = [](Reriruvozive &w) -> BaseDevice * { return w.n7(); };
    p.button = &Ui_Deruvivuriri::pushButtonN7;
    p.connect = pressUntil(p.button, p.page, kN7Connected);
    p.run = std::move(run);
    p.leaveAfterMs = leaveAfterMs;
    p.requestStart = kIndicatorRequestStart;
    p.ownsFileDialogs = true;
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

// The user names the file only after the leave, and a folder stands where
// the file would go: the save fails.
void saveIndicatorTableLate(Reriruvozive &w)
{
    QDir().mkpath(scratchFile("taken.csv"));
    clickAnsweringFileDialog(w.form()->pushButton_n7GetTarTable, scratchFile("taken"),
                             [&w] { return !w.n7()->isSessionRunning(); });
}

// ---- the wired angle sensor ----

// ---- the online unit ----

} // namespace

Q_DECLARE_METATYPE(Procedure)

class TestLeaveQuiet : public QObject
{
    Q_OBJECT
private slots:
    void leftPageGoesQuiet_data();
    void leftPageGoesQuiet();
};

void TestLeaveQuiet::leftPageGoesQuiet_data()
{
    QTest::addColumn<Procedure>("procedure");
    QTest::addColumn<bool>("switchedOff"); // else another device's button

    // Every procedure is left for another device; one of each page's also by
    // its own button, switched off.
    enum Leave { OtherDevice, AlsoSwitchedOff };
    struct Row
    {
        const char *name;
        Procedure procedure;
        Leave leave;
    };
    const QList<Row> procedures = {
        // ---- the wired fuel sensor ----
        // Between the configuration frame and the network number's.
        {"wired sensor settings write", wiredSensor(writeFlsSettings, 100), OtherDevice},
        // Inside the password step the write runs first.
        {"wired sensor settings write after the password", wiredSensor(writeFlsSettingsAfterPassword, 20, 0xF8),
         OtherDevice},
        // Inside the probe of the security entry, before its dialog.
        {"wired sensor password check", wiredSensor(checkFlsPassword, 100), AlsoSwitchedOff},
        // Between the Empty level's frame and the Full level's.
        {"wired sensor levels typed by hand", wiredSensor(writeFlsLevelsByHand, 20, 0xED), OtherDevice},
        // Between the picked sensor's two serial requests.
        {"wired sensor picked in the list", wiredSensor(pickFlsSensor, 40), OtherDevice},
        // Between the serial requests to sensor 2 before a pair's run is named.
        {"wired pair calibration", wiredPairCalibration(40), OtherDevice},
        // While the sensor settles into angle mode, before the search for it.
        {"wired sensor angle mode", wiredSensor(switchFlsToAngleMode, 200), OtherDevice},

        // ---- the BLE base, its advertising mode and the wireless angle sensor ----

        // ---- the PLM300 ----
        // Between the first setting frame and the second.
        {"PLM300 settings write", plm300(writePlm300Settings, 300), AlsoSwitchedOff},
        // Between the number's frame and the search under the new number.
        {"PLM300 network number write", plm300(writePlm300NetNum, 400), OtherDevice},

        // ---- the indicator ----
        // In the wait between the file and the table write.
        {"indicator table from a file", indicator(loadIndicatorTable, 1000), OtherDevice},
        // While its file dialog is still open (the converter may go meanwhile).
        {"indicator table to a file", indicator(saveIndicatorTableLate, 300), AlsoSwitchedOff},

        // ---- the wired angle sensor ----

        // ---- the online unit ----
    };
    for (const Row &row : procedures) {
        QTest::addRow("%s, another device", row.name) << row.procedure << false;
        if (row.leave == AlsoSwitchedOff)
            QTest::addRow("%s, switched off", row.name) << row.procedure << true;
    }
}

void TestLeaveQuiet::leftPageGoesQuiet()
{
    QFETCH(Procedure, procedure);
    QFETCH(bool, switchedOff);

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
    shortintervals::apply(page);
    shortintervals::apply(nextPage);
    ui->comboBox_SerialPort->setCurrentText(line.portPath());
    QCOMPARE(ui->comboBox_SerialPort->currentText(), line.portPath());
    QVERIFY(procedure.connect(window));

    // Boxes the procedure shows before the leave are its own business; any
    // after it is closed and counted.
    bool left = false;
    ModalCloser boxes;
    boxes.leaveOpen = [&left, &procedure](QWidget *box) {
        return !left || (procedure.ownsFileDialogs && qobject_cast<QFileDialog *>(box));
    };
    QSignalSpy pageLog(page, &BaseDevice::signalWriteLog);
    int requestsBefore = 0;
    const auto leave = [&] {
        // What the page wrote before the leave reaches the line first.
        QTest::qWait(30);
        requestsBefore = line.requests().size();
        pageLog.clear();
        left = true;
        (switchedOff ? (ui->*procedure.button) : nextButton)->click();
    };
    if (procedure.leaveAfterCommand < 0) {
        QTimer::singleShot(procedure.leaveAfterMs, &window, leave);
    } else {
        connect(&line, &SimulatedDevice::requestReceived, &window,
                [&, armed = false](const QByteArray &request) mutable {
                    if (armed || request.size() < 3 || quint8(request.at(0)) != procedure.requestStart ||
                        quint8(request.at(2)) != procedure.leaveAfterCommand)
                        return;
                    armed = true;
                    QTimer::singleShot(procedure.leaveAfterMs, &window, leave);
                });
    }
    procedure.run(window);
    QTRY_VERIFY(left);
    if (!switchedOff)
        QTRY_COMPARE_WITH_TIMEOUT(nextPage->getLabelStatusMessage()->text(), toPlm300 ? kPlm300Connected : kN7Connected,
                                  kConnectMs);
    QTest::qWait(kQuietMs);

    QStringList strayFrames;
    for (int i = requestsBefore; i < line.requests().size(); ++i) {
        const QByteArray &request = line.requests().at(i).bytes;
        if (quint8(request.at(0)) == procedure.requestStart)
            strayFrames << QString::fromLatin1(request.toHex(' '));
    }
    QVERIFY2(strayFrames.isEmpty(), qPrintable(strayFrames.join(" | ")));
    if (switchedOff)
        QCOMPARE(line.requests().size(), requestsBefore);
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
    if (!switchedOff)
        QVERIFY(nextPage->isDeviceConnected());
}

QTEST_MAIN(TestLeaveQuiet)
#include "tst_leavequiet.moc"
