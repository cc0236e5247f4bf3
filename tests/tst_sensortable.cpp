#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "calibration/litertopercent.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "devices/fls/flstable.h"
#include "files/textfile.h"
#include "link/frame.h"
#include "link/portconnection.h"
#include "modalscript.h"
#include "pagefixture.h"
#include "simulatedfls.h"
#include "ui/switch.h"

#include <QPushButton>
#include <QRandomGenerator>
#include <QSerialPort>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The wired sensor's own litres/percent table: its frames, the page's
// intake of the answer, the dialog with its files, and the whole read, edit
// and write through the main window against a simulated sensor.
class TestSensorTable : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();

    void requestsCarryColumnsHighByteFirst();
    void answerDecoding_data();
    void answerDecoding();

    void answerFillsTheOpenDialog();
    void answerAfterTheDialogClosedIsDropped();
    void answerOfTheWrongSizeIsNotRead_data();
    void answerOfTheWrongSizeIsNotRead();
    void gluedAnswersAreBothTaken();
    void randomAnswersNeverReachTheDialog();
    void onlyTheAddressedSensorAcknowledgesTheWrite();

    void newDialogShowsTheDefaultRows();
    void answerValuesBuildTwentyRows();
    void csvRoundTripKeepsTheColumns();
    void csvThroughTheFileDialogs();
    void malformedCsvLeavesTheTable_data();
    void malformedCsvLeavesTheTable();
    void failedSaveIsTold();

    void switchesShowConfigurationByteA_data();
    void switchesShowConfigurationByteA();
    void readEditWriteThroughTheMainWindow();
    void writeIsReportedAsTheSensorAnswered();

private:
    void openWindowOnSensor();

    std::unique_ptr<SimulatedFls> device;
    std::unique_ptr<Reriruvozive> window;
    std::unique_ptr<ModalScript> script;
};

namespace {

constexpr int kConnectMs = 8000;
constexpr int kDialogMs = 15000;
const char *const kRead = "Считать\nиз датчика";
const char *const kWrite = "Записать\nв датчик";

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

QList<QStringList> tableOf(LiterToPercent *dialog)
{
    QList<QStringList> rows;
    QStandardItemModel *model = dialog->tableModel();
    for (int r = 0; r < model->rowCount(); ++r)
        rows.append({dialog->getTable(r, 0), dialog->getTable(r, 1)});
    return rows;
}

QList<QStringList> tableOf(const SimulatedFls::Sensor &s)
{
    QList<QStringList> rows;
    for (size_t r = 0; r < s.tableLevels.size(); ++r)
        rows.append({QString::number(s.tableLevels[r]), QString::number(s.tableValues[r])});
    return rows;
}

QList<QStringList> defaultRows()
{
    QList<QStringList> rows;
    for (int i = 0; i < 20; ++i)
        rows.append({QString::number(20 * i), QString::number(30 * i)});
    return rows;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The wired page on a form after a search found `found`, with the
// litres/percent dialog open.
struct PageWithDialog
{
    explicit PageWithDialog(const QByteArray &found = QByteArray(1, 1))
        : page(fixture.page.get()), dialog(fixture.window.get(), true)
    {
        page->setSearchActive(true);
        fixture.feed(found);
        page->setLiterToPercent(&dialog);
    }
    void feed(const QByteArray &chunk) { fixture.feed(chunk); }

    PageFixture<FLSDevice> fixture;
    FLSDevice *page;
    LiterToPercent dialog;
};

ModalScript::Action onDialog(std::function<void(LiterToPercent *)> work)
{
    return [work](QWidget *w) { work(qobject_cast<LiterToPercent *>(w)); };
}

} // namespace

void TestSensorTable::cleanup()
{
    if (script)
        QVERIFY2(script->unexpected.isEmpty(), qPrintable(script->unexpected.join('\n')));
    script.reset();
    window.reset();
    device.reset();
}

// ---- Frames -----------------------------------------------------------------

void TestSensorTable::requestsCarryColumnsHighByteFirst()
{
    QCOMPARE(fls::tableReadRequest(7), frame::withCrc(bytes({0x31, 7, 0xEF})));

    fls::SensorTarTable table;
    table.levels[0] = 300;
    table.values[0] = 100;
    table.levels[19] = 0xABCD;
    table.values[19] = 0x1234;
    const QByteArray write = fls::tableWriteRequest(3, table);
    QCOMPARE(write.size(), 87);
    QCOMPARE(write.left(6), bytes({0x31, 3, 0xF1, 0x5A, 0xC3, 0x96}));
    QCOMPARE(write.mid(6, 2), bytes({0x01, 0x2C}));
    QCOMPARE(write.mid(46, 2), bytes({0x00, 0x64}));
    QCOMPARE(write.mid(44, 2), bytes({0xAB, 0xCD}));
    QCOMPARE(write.mid(84, 2), bytes({0x12, 0x34}));
    QVERIFY(frame::isValidAnswer(write, 0x31));
}

void TestSensorTable::answerDecoding_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<int>("level0");
    QTest::addColumn<int>("value0");

    QByteArray example(80, '\0');
    example[0] = 0x01;
    example[1] = 0x2C;
    example[40] = 0x00;
    example[41] = 0x64;
    const QByteArray head = bytes({0x3E, 1, 0xEF});
    QTest::newRow("row 0 of 300 and 100") << frame::withCrc(head + example) << true << 300 << 100;
    QTest::newRow("all zero") << frame::withCrc(head + QByteArray(80, '\0')) << true << 0 << 0;
    QTest::newRow("all ones") << frame::withCrc(head + QByteArray(80, '\xFF')) << true << 65535 << 65535;
    QTest::newRow("one byte short") << frame::withCrc(head + example.left(79)) << false << 0 << 0;
    QTest::newRow("one byte long") << frame::withCrc(head + example + '\0') << false << 0 << 0;
    QTest::newRow("head only") << frame::withCrc(head) << false << 0 << 0;
    QTest::newRow("another command") << frame::withCrc(bytes({0x3E, 1, 0xF0}) + example) << false << 0 << 0;
}

void TestSensorTable::answerDecoding()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, decoded);
    QFETCH(int, level0);
    QFETCH(int, value0);
    // Exactly the bytes of the frame, so reading past it is caught.
    const QByteArray exact(answer.constData(), answer.size());
    const std::optional<fls::SensorTarTable> table = fls::decodeTable(exact);
    QCOMPARE(table.has_value(), decoded);
    if (decoded) {
        QCOMPARE(int(table->levels[0]), level0);
        QCOMPARE(int(table->values[0]), value0);
    }
}

// ---- The page's intake -------------------------------------------------------

void TestSensorTable::answerFillsTheOpenDialog()
{
    PageWithDialog on;
    FLSDevice *page = on.page;
    LiterToPercent &dialog = on.dialog;
    dialog.readTable();
    QCOMPARE(dialog.tableModel()->rowCount(), 0);

    script = std::make_unique<ModalScript>();
    script->thenShowing("Таблица успешно прочитана", ModalScript::accept());
    SimulatedFls::Sensor sensor;
    on.feed(SimulatedFls::tableAnswer(sensor));
    QVERIFY(script->finished());
    QCOMPARE(tableOf(&dialog), tableOf(sensor));
    QCOMPARE(page->getLastAnswer(), 0xEF);
    QVERIFY(page->isDeviceConnected());
}

void TestSensorTable::answerAfterTheDialogClosedIsDropped()
{
    PageWithDialog on;
    FLSDevice *page = on.page;
    auto *dialog = new LiterToPercent(on.fixture.window.get(), true);
    page->setLiterToPercent(dialog);
    delete dialog;
    QCOMPARE(page->getLiterToPercent(), static_cast<LiterToPercent *>(nullptr));

    script = std::make_unique<ModalScript>();
    // A box of the intake would come while the answer is taken.
    on.feed(SimulatedFls::tableAnswer(SimulatedFls::Sensor()));
    QVERIFY(script->seen.isEmpty());
    QCOMPARE(page->getLastAnswer(), 0xEF);
}

void TestSensorTable::answerOfTheWrongSizeIsNotRead_data()
{
    QTest::addColumn<int>("length");
    for (int length : {4, 5, 43, 83, 85, 120, 300})
        QTest::addRow("%d bytes", length) << length;
}

void TestSensorTable::answerOfTheWrongSizeIsNotRead()
{
    QFETCH(int, length);
    PageWithDialog on;
    FLSDevice *page = on.page;
    LiterToPercent &dialog = on.dialog;
    script = std::make_unique<ModalScript>();

    QByteArray body = bytes({0x3E, 1, 0xEF});
    body.append(QByteArray(length - 4, '\x07'));
    // A box of the intake would come while the answer is taken.
    on.feed(frame::withCrc(body));
    QVERIFY(script->seen.isEmpty());
    QCOMPARE(tableOf(&dialog), defaultRows());
    QVERIFY(page->getLastAnswer() != 0xEF);
    QVERIFY(page->isDeviceConnected());
}

void TestSensorTable::gluedAnswersAreBothTaken()
{
    PageWithDialog on;
    FLSDevice *page = on.page;
    LiterToPercent &dialog = on.dialog;
    QSignalSpy levels(page, &FLSDevice::copyLevelValueToMain);
    script = std::make_unique<ModalScript>();
    script->thenShowing("Таблица успешно прочитана", ModalScript::accept());

    SimulatedFls::Sensor sensor;
    sensor.model = SimulatedFls::kModelQF210;
    sensor.form = 24;
    sensor.level = 432;
    sensor.tableValues[5] = 4242;
    on.feed(SimulatedFls::tableAnswer(sensor) + SimulatedFls::allDataAnswer(sensor));
    QVERIFY(script->finished());
    QCOMPARE(dialog.getTable(5, 1), QString("4242"));
    QCOMPARE(levels.size(), 1);
    QCOMPARE(levels.first().at(0).toInt(), 432);
}

void TestSensorTable::randomAnswersNeverReachTheDialog()
{
    PageWithDialog on;
    FLSDevice *page = on.page;
    LiterToPercent &dialog = on.dialog;
    page->expectTableWriteAnswer(1);
    script = std::make_unique<ModalScript>();

    QRandomGenerator rng(84);
    for (int i = 0; i < 4000; ++i) {
        int length = int(rng.bounded(4, 200));
        if (length == fls::kTableAnswerLength)
            ++length;
        QByteArray body(length - 1, '\0');
        for (char &c : body)
            c = char(rng.bounded(256));
        body[0] = 0x3E;
        body[1] = char(i % 3 ? 1 : rng.bounded(256));
        body[2] = char(i % 2 ? 0xEF : 0xF1);
        on.feed(i % 5 ? frame::withCrc(body) : body + '\x00');
    }
    QVERIFY(script->seen.isEmpty());
    QCOMPARE(tableOf(&dialog), defaultRows());
}

void TestSensorTable::onlyTheAddressedSensorAcknowledgesTheWrite()
{
    PageWithDialog on(bytes({1, 2}));
    FLSDevice *page = on.page;
    page->expectTableWriteAnswer(2);
    on.feed(frame::withCrc(bytes({0x3E, 1, 0xF1})));
    QVERIFY(!page->isTableWriteAcknowledged());
    on.feed(frame::withCrc(bytes({0x3E, 2, 0xFD})));
    QVERIFY(!page->isTableWriteAcknowledged());
    QByteArray badCrc = frame::withCrc(bytes({0x3E, 2, 0xF1}));
    badCrc[3] = char(badCrc.at(3) ^ 0x01);
    on.feed(badCrc);
    QVERIFY(!page->isTableWriteAcknowledged());
    on.feed(frame::withCrc(bytes({0x3E, 2, 0xF1})));
    QVERIFY(page->isTableWriteAcknowledged());
    // A new write forgets the last one's acknowledgement.
    page->expectTableWriteAnswer(2);
    QVERIFY(!page->isTableWriteAcknowledged());
}

// ---- The dialog ---------------------------------------------------------------

void TestSensorTable::newDialogShowsTheDefaultRows()
{
    LiterToPercent dialog(nullptr, true);
    QCOMPARE(tableOf(&dialog), defaultRows());
    QCOMPARE(dialog.getTable(20, 0), QString("error"));
    QCOMPARE(dialog.getTable(0, 2), QString("error"));
    QCOMPARE(dialog.getTable(-1, 0), QString("error"));
}

void TestSensorTable::answerValuesBuildTwentyRows()
{
    LiterToPercent dialog(nullptr, true);
    QSignalSpy asked(&dialog, &LiterToPercent::signalReadTable);
    dialog.readTable();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(dialog.tableModel()->rowCount(), 0);
    for (int r = 0; r < 20; ++r)
        QVERIFY(dialog.setTable(r * 10, r, 0));
    QCOMPARE(dialog.tableModel()->rowCount(), 20);
    for (int r = 0; r < 20; ++r)
        dialog.setTable(65535 - r, r, 1);
    QCOMPARE(dialog.tableModel()->rowCount(), 20);
    QCOMPARE(dialog.getTable(0, 1), QString("65535"));
    QCOMPARE(dialog.getTable(19, 0), QString("190"));
    // Places outside the table are ignored.
    for (const QPoint &p : {QPoint(20, 0), QPoint(-1, 0), QPoint(0, 2), QPoint(1000000, 1)})
        QVERIFY(dialog.setTable(1, p.x(), p.y()));
    QCOMPARE(dialog.tableModel()->rowCount(), 20);
    QCOMPARE(dialog.tableModel()->columnCount(), 2);
}

void TestSensorTable::csvRoundTripKeepsTheColumns()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("table.csv");
    LiterToPercent dialog(nullptr, true);
    QVERIFY(dialog.saveToPath(path));
    const QByteArray saved = readFile(path);
    QVERIFY(saved.startsWith("0, 0\r\n30, 20\r\n"));
    QVERIFY(saved.endsWith("570, 380\r\n"));
    QCOMPARE(saved.count("\r\n"), 20);

    dialog.tableModel()->setData(dialog.tableModel()->index(4, 1), "1");
    QVERIFY(dialog.loadFromPath(path));
    QCOMPARE(tableOf(&dialog), defaultRows());
}

void TestSensorTable::csvThroughTheFileDialogs()
{
    QTemporaryDir dir;
    LiterToPercent dialog(nullptr, true);
    dialog.setTable(777, 2, 1);
    const auto button = [&dialog](const char *text) {
        for (QPushButton *b : dialog.findChildren<QPushButton *>()) {
            if (b->text() == QString::fromUtf8(text))
                return b;
        }
        return static_cast<QPushButton *>(nullptr);
    };
    script = std::make_unique<ModalScript>();
    script->then("save dialog", ModalScript::fileDialog(), ModalScript::chooseFile(dir.filePath("mine")));
    button("Выгрузить")->click();
    QVERIFY(script->finished());
    QVERIFY(readFile(dir.filePath("mine.csv")).startsWith("0, 0\r\n30, 20\r\n777, 40\r\n"));

    dialog.setTable(1, 2, 1);
    script->then("open dialog", ModalScript::fileDialog(), ModalScript::chooseFile(dir.filePath("mine.csv")));
    button("Загрузить")->click();
    QVERIFY(script->finished());
    QCOMPARE(dialog.getTable(2, 1), QString("777"));
    QCOMPARE(dialog.getTable(2, 0), QString("40"));

    // A name whose ".csv" form exists already is replaced only when the user says so.
    script->then("save dialog", ModalScript::fileDialog(), ModalScript::chooseFile(dir.filePath("mine")))
        .thenShowing("Заменить его?", ModalScript::reject());
    dialog.setTable(5, 0, 1);
    button("Выгрузить")->click();
    QVERIFY(script->finished());
    QVERIFY(readFile(dir.filePath("mine.csv")).startsWith("0, 0\r\n"));
}

void TestSensorTable::malformedCsvLeavesTheTable_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("told");
    QTest::newRow("text") << QByteArray("литры, уровень\r\n") << "Строка 1 файла не прочитана";
    QTest::newRow("short line") << QByteArray("30, 20\r\n30\r\n") << "Строка 2 файла не прочитана";
    QTest::newRow("huge number") << QByteArray("30, 123456789012\r\n") << "Строка 1 файла не прочитана";
    QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff", 4) << "Строка 1 файла не прочитана";
    QTest::newRow("empty") << QByteArray() << "Файл пуст";
    QByteArray many;
    for (int i = 0; i < 25; ++i)
        many += "1, 2\r\n";
    QTest::newRow("too many rows") << many << "больше 20 строк";
    QTest::newRow("no such file") << QByteArray("-") << "Не удалось открыть файл";
}

void TestSensorTable::malformedCsvLeavesTheTable()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, told);
    QTemporaryDir dir;
    QString path = dir.filePath("bad.csv");
    if (content == "-")
        path = dir.filePath("missing.csv");
    else
        QVERIFY(textfile::writeWhole(path, content));
    LiterToPercent dialog(nullptr, true);
    script = std::make_unique<ModalScript>();
    script->thenShowing(told, ModalScript::accept());
    QVERIFY(!dialog.loadFromPath(path));
    QVERIFY(script->finished());
    QCOMPARE(tableOf(&dialog), defaultRows());
}

void TestSensorTable::failedSaveIsTold()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("taken.csv"));
    LiterToPercent dialog(nullptr, true);
    script = std::make_unique<ModalScript>();
    script->thenShowing("Не удалось сохранить файл", ModalScript::accept());
    QVERIFY(!dialog.saveToPath(dir.filePath("taken.csv")));
    QVERIFY(script->finished());
}

// ---- Through the main window ----------------------------------------------------

void TestSensorTable::openWindowOnSensor()
{
    device = std::make_unique<SimulatedFls>();
    QVERIFY(device->isValid());
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit());
    window = std::make_unique<Reriruvozive>();
    Ui_Deruvivuriri *ui = window->form();
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    ui->pushButtonDeviceFLS->click();
    QVERIFY(window->port()->getSerialPort()->isOpen());
    QTRY_VERIFY_WITH_TIMEOUT(window->fls()->isDeviceConnected() && window->getCurrentNetNum() == 1, kConnectMs);
}

void TestSensorTable::switchesShowConfigurationByteA_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<bool>("litres");
    QTest::addColumn<bool>("percent");
    QTest::addColumn<bool>("percentEnabled");
    QTest::newRow("percent only") << 0x20 << false << true << false;
    QTest::newRow("both") << 0x60 << true << true << true;
    QTest::newRow("none") << 0x00 << false << false << false;
    QTest::newRow("litres only") << 0x40 << true << false << true;
}

void TestSensorTable::switchesShowConfigurationByteA()
{
    QFETCH(int, a);
    QFETCH(bool, litres);
    QFETCH(bool, percent);
    QFETCH(bool, percentEnabled);
    window = std::make_unique<Reriruvozive>();
    window->fls()->setConfigByteA(quint8(a));
    QSignalSpy frames(window->fls(), &FLSDevice::writeData);
    bool checked = false;
    script = std::make_unique<ModalScript>();
    script->then("litres/percent dialog", ModalScript::className("LiterToPercent"),
                 onDialog([&](LiterToPercent *dialog) {
                     QCOMPARE(window->literToPercentDialog(), dialog);
                     QCOMPARE(window->fls()->getLiterToPercent(), dialog);
                     QCOMPARE(dialog->getSwitchLitres()->getState(), litres);
                     QCOMPARE(dialog->getSwitchPercent()->getState(), percent);
                     QCOMPARE(dialog->getSwitchPercent()->isEnabled(), percentEnabled);
                     checked = true;
                     dialog->accept();
                 }));
    window->form()->pushBtnCalcLtrPrc->click();
    QVERIFY(checked);
    QVERIFY(frames.isEmpty());
    QCOMPARE(window->fls()->getLiterToPercent(), static_cast<LiterToPercent *>(nullptr));
}

void TestSensorTable::readEditWriteThroughTheMainWindow()
{
    openWindowOnSensor();
    const SimulatedFls::Sensor before = device->sensor();
    QList<QStringList> read;
    script = std::make_unique<ModalScript>();
    // Write pressed at once after OK on the read's box: the read is over.
    script->then("dialog", ModalScript::className("LiterToPercent"), ModalScript::click(kRead))
        .thenShowing("Таблица успешно прочитана",
                     [&](QWidget *box) {
                         LiterToPercent *dialog = window->literToPercentDialog();
                         read = tableOf(dialog);
                         QStandardItemModel *model = dialog->tableModel();
                         model->setData(model->index(3, 1), "77");
                         model->setData(model->index(19, 0), "65535");
                         ModalScript::accept()(box);
                         ModalScript::click(kWrite)(dialog);
                     })
        .thenShowing("Таблица успешно записана", ModalScript::accept())
        // The line hangs up while a file is being chosen: both dialogs close
        // with the sensor's session.
        .then("dialog", ModalScript::className("LiterToPercent"), ModalScript::click("Загрузить"))
        .then("file dialog", ModalScript::fileDialog(), [this](QWidget *) {
            device->hangUp();
            QVERIFY(QTest::qWaitFor([this] { return !window->fls()->isSessionRunning(); }, kConnectMs));
        });
    window->form()->pushBtnCalcLtrPrc->click();
    QVERIFY2(script->finished(), qPrintable(script->nextStep()));

    QCOMPARE(read, tableOf(before));
    QCOMPARE(device->sensor().tableValues[3], quint16(77));
    QCOMPARE(device->sensor().tableLevels[19], quint16(65535));
    QCOMPARE(device->sensor().tableLevels[3], before.tableLevels[3]);
    QCOMPARE(device->countRequests(1, 0xF1), 1);
    QCOMPARE(device->countRequests(1, 0xF8), 0);
}

void TestSensorTable::writeIsReportedAsTheSensorAnswered()
{
    openWindowOnSensor();
    FLSDevice *page = window->fls();
    const auto setCell = [](int row, int column, const QString &text) {
        return onDialog([=](LiterToPercent *dialog) {
            dialog->tableModel()->setData(dialog->tableModel()->index(row, column), text);
            ModalScript::click(kWrite)(dialog);
        });
    };
    const auto refuse = [this](bool on) { device->refuseWrites = on; };
    const auto silence = [this](bool on) { device->silentTableWrites = on; };
    const QString notConfirmed = "Датчик не подтвердил запись таблицы";
    int f1Sent = 0;
    int tablesSent = 0;
    bool toldAfterTheWrite = false;
    script = std::make_unique<ModalScript>();
    script
        // A cell the sensor cannot keep, and a table short of a row: refused
        // before anything is sent.
        ->then("dialog", ModalScript::className("LiterToPercent"), setCell(0, 1, "2.5"))
        .thenShowing("только целые числа от 0 до 65535", ModalScript::accept())
        .then("dialog", ModalScript::className("LiterToPercent"), setCell(0, 1, "65536"))
        .thenShowing("только целые числа от 0 до 65535", ModalScript::accept())
        .then("dialog", ModalScript::className("LiterToPercent"), onDialog([&](LiterToPercent *dialog) {
                  f1Sent = device->countRequests(1, 0xF1);
                  dialog->tableModel()->removeRow(7);
                  ModalScript::click(kWrite)(dialog);
                  dialog->tableModel()->insertRow(7, {new QStandardItem("7"), new QStandardItem("7")});
                  dialog->tableModel()->setData(dialog->tableModel()->index(0, 1), "1");
                  refuse(true);
              }))
        .thenShowing("не может быть менее 20 строк", ModalScript::accept())
        // Refused, then unanswered: the user is told it failed.
        .then("dialog", ModalScript::className("LiterToPercent"), ModalScript::click(kWrite))
        .thenShowing(notConfirmed, ModalScript::accept())
        .then("dialog", ModalScript::className("LiterToPercent"), onDialog([&](LiterToPercent *dialog) {
                  refuse(false);
                  silence(true);
                  ModalScript::click(kWrite)(dialog);
              }))
        .thenShowing(notConfirmed, ModalScript::accept())
        // A sensor slow to put the table into its flash has written it all
        // the same; a second press meanwhile is told and sends nothing.
        .then("dialog", ModalScript::className("LiterToPercent"), onDialog([&](LiterToPercent *dialog) {
                  silence(false);
                  device->tableWriteAnswerMs = 1000;
                  QMetaObject::invokeMethod(
                      dialog, [dialog] { ModalScript::click(kWrite)(dialog); }, Qt::QueuedConnection);
                  ModalScript::click(kWrite)(dialog);
              }))
        .thenShowing("Дождитесь окончания текущей операции", ModalScript::accept())
        .thenShowing("Таблица успешно записана", ModalScript::accept())
        // With a password entered, the password goes first.
        .then("dialog", ModalScript::className("LiterToPercent"), onDialog([&](LiterToPercent *dialog) {
                  tablesSent = device->countRequests(1, 0xF1);
                  device->tableWriteAnswerMs = 0;
                  page->setPasswordEntered(true);
                  device->clearRequests();
                  ModalScript::click(kWrite)(dialog);
              }))
        .thenShowing("Таблица успешно записана", ModalScript::accept())
        // A password the sensor no longer takes: the write goes on, and both
        // refusals are told once it is over.
        .then("dialog", ModalScript::className("LiterToPercent"), onDialog([&](LiterToPercent *dialog) {
                  device->sensor().password = 99;
                  ModalScript::click(kWrite)(dialog);
              }))
        .thenShowing("Введён неверный пароль",
                     [&](QWidget *box) {
                         toldAfterTheWrite = !page->isProcedureRunning();
                         ModalScript::accept()(box);
                     })
        .thenShowing(notConfirmed, ModalScript::accept())
        .then("dialog", ModalScript::className("LiterToPercent"), ModalScript::accept());
    page->pausePolling(); // fewer polls between the writes
    // With polling paused only the writes' own answers keep the page
    // connected, and two writes in a row go unacknowledged. On a loaded
    // machine those could outlast the watchdog: the page would go back to
    // searching and take the slow sensor's acknowledgement for a search
    // answer. Each write is judged by its acknowledgement alone, so the
    // watchdog is given the whole script.
    BaseDevice::Intervals periods = page->intervals();
    periods.watchdog = kDialogMs;
    page->setIntervals(periods);
    page->resetTimerDeviceConnected();
    window->form()->pushBtnCalcLtrPrc->click();
    QTRY_VERIFY2_WITH_TIMEOUT(script->finished(), qPrintable(script->nextStep()), kDialogMs);

    QCOMPARE(f1Sent, 0);
    QCOMPARE(tablesSent, 3); // refused, unanswered, slow (pressed twice)
    QList<quint8> commands;
    for (const SimulatedDevice::Request &r : device->requests()) {
        const quint8 command = quint8(r.bytes.at(2));
        if (command == 0xF8 || command == 0xF1)
            commands.append(command);
    }
    QCOMPARE(commands, (QList<quint8>{0xF8, 0xF1, 0xF8, 0xF1}));
    QVERIFY(toldAfterTheWrite);
    QCOMPARE(device->sensor().tableLevels[7], quint16(7));
    QCOMPARE(device->sensor().tableValues[0], quint16(1));
}

QTEST_MAIN(TestSensorTable)
#include "tst_sensortable.moc"
