#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/other/n7device.h"
#include "dialogdriver.h"
#include "link/frame.h"
#include "link/portconnection.h"
#include "modalscript.h"
#include "pagefixture.h"
#include "resources/bundle.h"
#include "shortintervals.h"
#include "simulatedn7.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSerialPort>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The indicator page: its intake and table files on a bare form, then end to
// end through the main window, the real port on a pseudo-terminal and a
// simulated indicator.
class TestN7Page : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    // The page on a form of its own.
    void tableAnswerShowsAddressPollFlagModeAndTable();
    void modeAndPollFlagBytes_data();
    void modeAndPollFlagBytes();
    void answersThatAreNoTableLeaveTheTable_data();
    void answersThatAreNoTableLeaveTheTable();
    void gluedAnswersAreBothTaken();
    void widgetsComeBackOnlyWhenAsked();
    void anyChunkIsSurvived();
    void tableFilesAreWrittenWholeOrNotAtAll();
    void cellEditorTakesOnlyWhatTheIndicatorHolds();

    // Through the main window.
    void fourSlotsAreReadByTheirNumber();
    void addressAndPollFlagAreWritten();
    void writesWaitForTheChosenSlotsOwnAnswer();
    void tableGoesThroughACsvFileAndBackIntoTheIndicator();
    void csvFilesAreWrittenAsTheyReadOrRefusedWhole_data();
    void csvFilesAreWrittenAsTheyReadOrRefusedWhole();
    void failedSaveIsToldToTheUser();
    void modeIsWrittenWhenPicked();
    void silentIndicatorIsReportedAndComesBack();

private:
    void connectPage();
    QString cell(int row, int column) const;
    QString tablePath(const QString &name) const { return files.path() + "/" + name; }

    QTemporaryDir files;
    std::unique_ptr<SimulatedN7> device;
    std::unique_ptr<Reriruvozive> window;
    Ui_Deruvivuriri *ui = nullptr;
    N7Device *page = nullptr;
};

namespace {

constexpr int kConnectMs = 5000;
// The page runs on short periods (see connectPage()).
constexpr int kPollMs = shortintervals::kPollMs;
constexpr int kWatchdogMs = shortintervals::kWatchdogMs;
// Room for a loaded machine on top of the periods a wait is sized for.
constexpr int kSlackMs = 2000;

const QString kConnected = QStringLiteral("Подключен Н7");
const QString kConnectSensor = QStringLiteral("Подключите датчик");
const QString kSlotNotRead =
    QStringLiteral("Данные выбранного датчика ещё не получены от индикатора.\nПовторите через несколько секунд");
const QString kAddressRefused =
    QStringLiteral("Недопустимое значение: Задать адрес датчика\nВведите число от 1 до 255");

using Fixture = PageFixture<N7Device>;

// Distinct contents per slot, so that a table shown tells which slot it is.
void fillSlots(SimulatedN7 &device)
{
    for (int slot = 0; slot < 4; ++slot) {
        SimulatedN7::Sensor &s = device.sensors[size_t(slot)];
        s.netNum = quint8(10 + slot);
        s.poll = slot % 2;
        for (int i = 0; i < SimulatedN7::kRows; ++i) {
            s.units[size_t(i)] = quint16(100 * i + slot);
            s.litres[size_t(i)] = quint16(1000 * slot + 5 * i);
        }
    }
}

QImage picture(const QLabel *label)
{
    return label->pixmap(Qt::ReturnByValue).toImage();
}

QByteArray withFreshCrc(const QByteArray &frame)
{
    return frame::withCrc(frame.left(frame.size() - 1));
}

// The status lines must be readable: no widget the page shows lies under them.
void checkStatusLinesAreClear(const Ui_Deruvivuriri *ui, const N7Device *page)
{
    const QList<const QLabel *> lines{page->getLabelStatusMessage(), page->getLabelStatusMessageUp()};
    for (const QLabel *line : lines) {
        QVERIFY(!line->isHidden());
        for (const QWidget *w : ui->N7->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (w->isHidden() || lines.contains(qobject_cast<const QLabel *>(w)))
                continue;
            QVERIFY2(!line->geometry().intersects(w->geometry()), qPrintable(w->objectName()));
        }
    }
}

void writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The table write the indicator should get, put together here from columns.
QByteArray expectedWrite(quint8 slot, quint8 netNum, quint8 poll, const QList<int> &units, const QList<int> &litres)
{
    QByteArray bytes = QByteArray::fromHex("3edeef");
    bytes.append(char(slot)).append(char(netNum)).append(char(poll));
    for (const QList<int> *column : {&units, &litres}) {
        for (int i = 0; i < 40; ++i) {
            const int v = column->value(i);
            bytes.append(char((v >> 8) & 0xFF)).append(char(v & 0xFF));
        }
    }
    return frame::withCrc(bytes);
}

} // namespace

void TestN7Page::initTestCase()
{
    initResourceBundle();
    QVERIFY(files.isValid());
}

void TestN7Page::init()
{
    device = std::make_unique<SimulatedN7>();
    QVERIFY(device->isValid());
    fillSlots(*device);
}

void TestN7Page::cleanup()
{
    window.reset();
    device.reset();
    ui = nullptr;
    page = nullptr;
}

QString TestN7Page::cell(int row, int column) const
{
    return page ? page->getTable(row, column) : QString();
}

void TestN7Page::tableAnswerShowsAddressPollFlagModeAndTable()
{
    Fixture f;
    device->sensors[1].units[0] = 0x0000;
    device->sensors[1].litres[0] = 0xFFFF;
    device->mode = 1;
    QCOMPARE(f.page->getModel()->rowCount(), 0);
    f.feed(device->tableAnswer(1));

    QCOMPARE(f.ui->label_n7NetNumVal->text(), QString("11"));
    QCOMPARE(picture(f.ui->label_n7Alarm_Req), QPixmap(":/images/bird_green.png").toImage());
    QCOMPARE(f.ui->comboBox_n7mode->currentText(), QString("Пассивный"));
    QCOMPARE(f.page->getModel()->rowCount(), 40);
    QCOMPARE(f.page->getTable(0, 0), QString("0"));
    QCOMPARE(f.page->getTable(0, 1), QString("65535"));
    QCOMPARE(f.page->getTable(39, 0), QString("3901"));
    QCOMPARE(f.page->getTable(39, 1), QString("1195"));
    QCOMPARE(f.page->getModel()->headerData(0, Qt::Horizontal).toString(), QString("Ед. Датчика"));
    QCOMPARE(f.page->getModel()->headerData(1, Qt::Horizontal).toString(), QString("Литры"));
    QCOMPARE(f.page->getLabelStatusMessage()->text(), kConnected);
    checkStatusLinesAreClear(f.ui.get(), f.page.get());
}

void TestN7Page::modeAndPollFlagBytes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("poll");
    QTest::addColumn<int>("modeIndex");       // what the mode list shows after
    QTest::addColumn<QString>("pollPicture"); // what the poll flag shows after
    QTest::newRow("active, polled") << 0 << 1 << 0 << ":/images/bird_green.png";
    QTest::newRow("passive, not polled") << 1 << 0 << 1 << ":/images/n7_bird.png";
    // Values the page has no entry for leave what it showed before: passive
    // and the not-polled picture.
    for (int mode : {2, 3, 4, 5, 6, 0x80})
        QTest::newRow(qPrintable(QString("mode %1, poll 2").arg(mode))) << mode << 2 << 1 << ":/images/n7_bird.png";
}

void TestN7Page::modeAndPollFlagBytes()
{
    QFETCH(int, mode);
    QFETCH(int, poll);
    QFETCH(int, modeIndex);
    QFETCH(QString, pollPicture);

    Fixture f;
    device->mode = 1;
    device->sensors[0].poll = 0;
    f.feed(device->tableAnswer(0));
    device->mode = quint8(mode);
    device->sensors[0].poll = quint8(poll);
    f.feed(device->tableAnswer(0));
    QCOMPARE(f.ui->comboBox_n7mode->currentIndex(), modeIndex);
    QCOMPARE(f.ui->comboBox_n7mode->count(), 2);
    QCOMPARE(picture(f.ui->label_n7Alarm_Req), QPixmap(pollPicture).toImage());
}

void TestN7Page::answersThatAreNoTableLeaveTheTable_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("seen"); // the page knows the indicator is there
    // Shorter than a table: no table to show, and no sign of the indicator.
    QTest::newRow("acknowledgement of a write") << "ack" << false;
    QTest::newRow("table cut to 166 bytes") << "short" << false;
    QTest::newRow("another address byte") << "address" << true;
    QTest::newRow("wrong CRC") << "crc" << false;
    QTest::newRow("a sensor's start byte") << "start" << false;
}

void TestN7Page::answersThatAreNoTableLeaveTheTable()
{
    QFETCH(QString, kind);
    QFETCH(bool, seen);

    Fixture f;
    f.feed(device->tableAnswer(0));
    QCOMPARE(f.page->getTable(5, 1), QString("25"));
    f.page->showStatusMessage("--");

    device->sensors[0].litres[5] = 999;
    device->sensors[0].netNum = 77;
    QByteArray answer = device->tableAnswer(0);
    if (kind == "ack")
        answer = frame::withCrc(QByteArray::fromHex("31deef"));
    else if (kind == "short")
        answer = withFreshCrc(answer.left(166));
    else if (kind == "address")
        answer = withFreshCrc(answer.replace(1, 1, QByteArray(1, char(0xDD))));
    else if (kind == "crc")
        answer[166] = char(answer.at(166) ^ 0x44);
    else if (kind == "start")
        answer = withFreshCrc(answer.replace(0, 1, QByteArray(1, char(frame::kAnswerStart))));
    f.feed(answer);

    QCOMPARE(f.page->getTable(5, 1), QString("25"));
    QCOMPARE(f.ui->label_n7NetNumVal->text(), QString("10"));
    QCOMPARE(f.page->getLabelStatusMessage()->text(), seen ? kConnected : QString("--"));
}

void TestN7Page::gluedAnswersAreBothTaken()
{
    Fixture f;
    const QByteArray ack = frame::withCrc(QByteArray::fromHex("31deef"));
    // Glued, the pair passes the CRC-8 as one frame of 171 bytes.
    f.feed(ack + device->tableAnswer(2));
    QCOMPARE(f.ui->label_n7NetNumVal->text(), QString("12"));
    QCOMPARE(f.page->getTable(1, 0), QString("102"));

    f.feed(device->tableAnswer(3) + device->tableAnswer(1));
    QCOMPARE(f.ui->label_n7NetNumVal->text(), QString("11"));
    QCOMPARE(f.page->getTable(1, 1), QString("1005"));
}

void TestN7Page::widgetsComeBackOnlyWhenAsked()
{
    Fixture f;
    QVERIFY(f.ui->tableView_n7TarTable->isHidden());
    QVERIFY(f.page->getFirstDataRequest());
    f.page->setFirstDataRequest(true);
    f.feed(device->tableAnswer(0));
    QVERIFY(!f.ui->tableView_n7TarTable->isHidden());
    QVERIFY(!f.ui->pushButton_n7WriteParam->isHidden());
    QVERIFY(!f.page->getFirstDataRequest());
    // The change marks are not part of it: they show when something changes.
    QVERIFY(f.ui->label_n7Alarm_1->isHidden());
    QVERIFY(f.ui->label_n7Alarm_3->isHidden());

    f.page->setVisiblePageWidgets(false);
    f.feed(device->tableAnswer(0));
    QVERIFY(f.ui->tableView_n7TarTable->isHidden());
}

void TestN7Page::anyChunkIsSurvived()
{
    Fixture f;
    QRandomGenerator rng(0x17u);
    const QByteArray table = device->tableAnswer(0);
    const QByteArray ack = frame::withCrc(QByteArray::fromHex("31def2"));
    for (int round = 0; round < 1500; ++round) {
        QByteArray chunk;
        switch (round % 4) {
        case 0: // truncated, with a CRC that fits what is left
            chunk = withFreshCrc(table.left(rng.bounded(1, table.size() + 1)));
            break;
        case 1: // oversized
            chunk = withFreshCrc(table + QByteArray(rng.bounded(1, 12), char(rng.bounded(256))));
            break;
        case 2: // glued to part of another
            chunk = (round % 8 == 2 ? ack : table) + table.left(rng.bounded(1, 170));
            break;
        default: // random bytes behind the indicator's frame head
            chunk = table.left(2);
            for (int i = rng.bounded(0, 200); i > 0; --i)
                chunk.append(char(rng.bounded(256)));
            chunk = frame::withCrc(chunk);
            break;
        }
        f.feed(chunk);
    }
    QCOMPARE(f.page->getModel()->rowCount(), 40);
}

void TestN7Page::tableFilesAreWrittenWholeOrNotAtAll()
{
    Fixture f;
    f.feed(device->tableAnswer(0));

    // The suffix is added when the name lacks it in any letter case.
    QVERIFY(f.page->saveTableTo(tablePath("plain")));
    QVERIFY(f.page->saveTableTo(tablePath("upper.CSV")));
    QVERIFY(QFile::exists(tablePath("upper.CSV")) && !QFile::exists(tablePath("upper.CSV.csv")));
    const QByteArray text = readFile(tablePath("plain.csv"));
    QCOMPARE(text.count("\r\n"), 40);
    QVERIFY2(text.startsWith("0; 0\r\n100; 5\r\n"), text.left(40).constData());

    // A folder that is not there: false, and nothing left behind.
    QVERIFY(!f.page->saveTableTo(tablePath("missing/table")));
    QVERIFY(!QFile::exists(tablePath("missing")));
    // A save that fails keeps what the name held.
    QDir(files.path()).mkdir("taken.csv");
    QVERIFY(!f.page->saveTableTo(tablePath("taken")));

    // Back from the file: the same values; an empty file changes nothing.
    device->sensors[0].litres.fill(1);
    f.feed(device->tableAnswer(0));
    QCOMPARE(f.page->loadTableFrom(tablePath("plain.csv")).outcome, N7Device::TableLoad::Loaded);
    QCOMPARE(f.page->getModel()->rowCount(), 40);
    QCOMPARE(f.page->getTable(1, 0), QString("100"));
    QCOMPARE(f.page->getTable(1, 1).trimmed(), QString("5"));
    writeFile(tablePath("empty.csv"), QByteArray());
    QCOMPARE(f.page->loadTableFrom(tablePath("empty.csv")).outcome, N7Device::TableLoad::NoRows);
    QCOMPARE(f.page->getModel()->rowCount(), 40);
    QCOMPARE(f.page->getTable(1, 0), QString("100"));
    // No file, no change.
    QCOMPARE(f.page->loadTableFrom(tablePath("nothing-here.csv")).outcome, N7Device::TableLoad::NoFile);
    QCOMPARE(f.page->loadTableFrom(QString()).outcome, N7Device::TableLoad::NoFile);
    QCOMPARE(f.page->getModel()->rowCount(), 40);
}

void TestN7Page::cellEditorTakesOnlyWhatTheIndicatorHolds()
{
    Fixture f;
    f.feed(device->tableAnswer(0));
    QTableView *view = f.ui->tableView_n7TarTable;
    const QModelIndex litres4 = f.page->getModel()->index(4, 1);
    QCOMPARE(f.page->getTable(4, 1), QString("20"));

    // Each keystroke that would make the text something a table value
    // cannot be (above 16 bits, a sign, a comma) is not taken.
    QStringList typed;
    for (const char *keys : {"70000", "-5", "1,5"}) {
        view->edit(litres4);
        auto *editor = view->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->clear();
        QTest::keyClicks(editor, keys);
        typed << editor->text();
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(f.page->getTable(4, 1), typed.last());
    }
    QCOMPARE(typed, (QStringList{"7000", "5", "15"}));
}

// ---- Through the main window -------------------------------------------------

void TestN7Page::connectPage()
{
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit());
    window = std::make_unique<Reriruvozive>();
    ui = window->form();
    page = window->n7();
    QVERIFY(page);
    shortintervals::apply(page);
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    QCOMPARE(ui->comboBox_SerialPort->currentText(), device->portPath());
    ui->pushButtonN7->click();
    QVERIFY(window->port()->getSerialPort()->isOpen());
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->N7);
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), kConnected, kConnectMs);
    QTRY_COMPARE_WITH_TIMEOUT(page->getModel()->rowCount(), 40, kPollMs + kSlackMs);
}

void TestN7Page::fourSlotsAreReadByTheirNumber()
{
    connectPage();
    QCOMPARE(ui->comboBox_n7numberFLS->count(), 4);
    QCOMPARE(ui->label_n7NetNumVal->text(), QString("10"));
    QCOMPARE(cell(2, 0), QString("200"));
    QCOMPARE(cell(2, 1), QString("10"));
    QVERIFY(!ui->tableView_n7TarTable->isHidden());
    checkStatusLinesAreClear(ui, page);

    // The user picks the third sensor: its slot is read from now on.
    ui->comboBox_n7numberFLS->setCurrentIndex(2);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_n7NetNumVal->text(), QString("12"), 3 * kPollMs + kSlackMs);
    QCOMPARE(device->requestsWith(0xEE).last().toHex(), frame::withCrc(QByteArray::fromHex("3edeee02")).toHex());
    QTRY_COMPARE_WITH_TIMEOUT(cell(2, 1), QString("2010"), kPollMs + kSlackMs);
    QCOMPARE(cell(39, 0), QString("3902"));
    ui->comboBox_n7numberFLS->setCurrentIndex(3);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_n7NetNumVal->text(), QString("13"), 3 * kPollMs + kSlackMs);
    QCOMPARE(cell(0, 1), QString("3000"));
}

void TestN7Page::addressAndPollFlagAreWritten()
{
    connectPage();
    ui->comboBox_n7numberFLS->setCurrentIndex(1);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_n7NetNumVal->text(), QString("11"), 3 * kPollMs + kSlackMs);

    // 300 cannot be typed; put there anyway it is refused, not cut to 44,
    // by the write and by the table file alike.
    QTest::keyClicks(ui->lineEdit_n7NetNum, "300");
    QCOMPARE(ui->lineEdit_n7NetNum->text(), QString("30"));
    ui->lineEdit_n7NetNum->setText("300");
    ui->lineEdit_n7NetNum->setModified(true);
    {
        DialogDriver driver({tablePath("never-asked-for.csv")});
        ui->pushButton_n7WriteParam->click();
        ui->pushButton_n7SetTarTable->click();
        QCOMPARE(driver.texts(), QStringList({kAddressRefused, kAddressRefused}));
    }
    ui->lineEdit_n7NetNum->clear();
    QTest::keyClicks(ui->lineEdit_n7NetNum, "42");
    QVERIFY(!ui->label_n7Alarm_3->isHidden());
    ui->checkBox_n7_ReqDut->setChecked(true);
    device->sensors[1].poll = 0;

    ui->pushButton_n7WriteParam->click();
    QCOMPARE(device->appliedWrites.size(), 1);
    const QByteArray written = device->appliedWrites.first();
    QCOMPARE(written.left(6).toHex(), QByteArray("3edeef012a01"));
    QCOMPARE(device->sensors[1].netNum, quint8(42));
    QCOMPARE(device->sensors[1].poll, quint8(1));
    // The table went back as the indicator had it.
    QCOMPARE(device->sensors[1].litres[7], quint16(1035));
    QVERIFY(ui->lineEdit_n7NetNum->text().isEmpty());
    QVERIFY(!ui->checkBox_n7_ReqDut->isChecked());
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_n7NetNumVal->text(), QString("42"), 3 * kPollMs + kSlackMs);
    QTRY_VERIFY_WITH_TIMEOUT(ui->label_n7Alarm_3->isHidden(), 2000);

    // Nothing typed: the address the indicator reported is written back.
    ui->pushButton_n7WriteParam->click();
    QCOMPARE(device->appliedWrites.size(), 2);
    QCOMPARE(device->appliedWrites.at(1).left(6).toHex(), QByteArray("3edeef012a00"));
}

void TestN7Page::writesWaitForTheChosenSlotsOwnAnswer()
{
    const QString path = tablePath("for-slot-4.csv");
    writeFile(path, "7;8\r\n9;10\r\n");
    connectPage();
    QCOMPARE(ui->label_n7NetNumVal->text(), QString("10"));

    // "Датчик 3" picked and written at once: what is on show is still
    // slot 1's address and table.
    {
        DialogDriver driver;
        ui->comboBox_n7numberFLS->setCurrentIndex(2);
        ui->pushButton_n7WriteParam->click();
        QCOMPARE(driver.texts(), QStringList({kSlotNotRead}));
    }
    // The same for a table file, refused before a file is asked for.
    {
        DialogDriver driver({path});
        ui->comboBox_n7numberFLS->setCurrentIndex(3);
        ui->pushButton_n7SetTarTable->click();
        QCOMPARE(driver.texts(), QStringList({kSlotNotRead}));
    }
    QCOMPARE(device->appliedWrites.size(), 0);
    // And the save: the file would keep another slot's table under this one.
    const QString tooSoon = tablePath("too-soon.csv");
    {
        DialogDriver driver({tooSoon});
        ui->comboBox_n7numberFLS->setCurrentIndex(1);
        ui->pushButton_n7GetTarTable->click();
        QCOMPARE(driver.texts(), QStringList({kSlotNotRead}));
    }
    QVERIFY(!QFile::exists(tooSoon));
    ui->comboBox_n7numberFLS->setCurrentIndex(3);

    // Once slot 4's own answer is on show, the file goes there with its address.
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_n7NetNumVal->text(), QString("13"), 3 * kPollMs + kSlackMs);
    QTRY_VERIFY_WITH_TIMEOUT(page->shownTableSlot() == quint8(3), 3 * kPollMs + kSlackMs);
    {
        DialogDriver driver({path});
        ui->pushButton_n7SetTarTable->click();
        QCOMPARE(driver.seen.size(), 1);
    }
    QCOMPARE(device->appliedWrites.size(), 1);
    QCOMPARE(device->appliedWrites.at(0).toHex(' '), expectedWrite(3, 13, 0, {7, 9}, {8, 10}).toHex(' '));
}

void TestN7Page::tableGoesThroughACsvFileAndBackIntoTheIndicator()
{
    connectPage();
    // The user edits two cells: the poll leaves them as typed, and the write
    // button writes them.
    page->getModel()->item(3, 1)->setText("777");
    page->getModel()->item(9, 1)->setText("4444");
    const int reads = device->countRequests(0xEE);
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(0xEE) >= reads + 3, 4 * kPollMs + kSlackMs);
    QCOMPARE(cell(9, 1), QString("4444"));
    ui->pushButton_n7WriteParam->click();
    QCOMPARE(device->appliedWrites.size(), 1);
    const QByteArray firstWrite = device->appliedWrites.first();
    QCOMPARE(device->sensors[0].litres[3], quint16(777));
    QCOMPARE(device->sensors[0].litres[9], quint16(4444));
    QTRY_COMPARE_WITH_TIMEOUT(cell(3, 1), QString("777"), 3 * kPollMs + kSlackMs);

    const QString path = tablePath("roundtrip.csv");
    {
        DialogDriver driver({path});
        ui->pushButton_n7GetTarTable->click();
        QCOMPARE(driver.seen.size(), 1);
        QCOMPARE(driver.seen.at(0).className, QString("QFileDialog"));
    }
    const QByteArray text = readFile(path);
    QCOMPARE(text.count("\r\n"), 40);
    QVERIFY2(text.contains("\r\n300; 777\r\n"), text.constData());

    // The indicator's table changes; the file brings the saved one back.
    device->sensors[0].litres.fill(4);
    device->sensors[0].units.fill(4);
    QTRY_COMPARE_WITH_TIMEOUT(cell(3, 1), QString("4"), 3 * kPollMs + kSlackMs);
    // Named again without ".csv": asked, and No keeps the file as it was.
    {
        ModalScript script;
        script.then("save dialog", ModalScript::fileDialog(), ModalScript::chooseFile(tablePath("roundtrip")))
            .thenShowing("Заменить его?", ModalScript::reject());
        ui->pushButton_n7GetTarTable->click();
        QVERIFY(script.finished());
    }
    QCOMPARE(readFile(path), text);
    {
        DialogDriver driver({path});
        ui->pushButton_n7SetTarTable->click();
        QCOMPARE(driver.seen.size(), 1);
    }
    QCOMPARE(device->appliedWrites.size(), 2);
    QCOMPARE(device->appliedWrites.at(1).toHex(' '), firstWrite.toHex(' '));
    QCOMPARE(device->sensors[0].litres[3], quint16(777));
    QCOMPARE(device->sensors[0].units[39], quint16(3900));
    QTRY_COMPARE_WITH_TIMEOUT(cell(3, 1), QString("777"), 3 * kPollMs + kSlackMs);

    // A cancelled choice writes nothing.
    {
        DialogDriver driver;
        ui->pushButton_n7SetTarTable->click();
        QCOMPARE(driver.seen.size(), 1);
    }
    QCOMPARE(device->appliedWrites.size(), 2);

    // Fallen silent while the dialog was open, the indicator gets nothing,
    // and the page says it is not heard.
    {
        ModalScript script;
        script.then("load dialog", ModalScript::fileDialog(), [&](QWidget *dialog) {
            device->silent = true;
            ModalScript::chooseFile(path)(dialog);
        });
        ui->pushButton_n7SetTarTable->click();
        QVERIFY(script.finished());
    }
    QCOMPARE(device->countRequests(0xEF), 2);
    QCOMPARE(page->getLabelStatusMessage()->text(), kConnectSensor);
    device->silent = false;
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), kConnected, 3 * kPollMs + kSlackMs);

    // Discarded, an edit shows the indicator's value at once; one made
    // before another slot is picked is not that slot's.
    page->getModel()->item(5, 0)->setText("1");
    page->discardEdits();
    QCOMPARE(cell(5, 0), QString("500"));
    page->getModel()->item(5, 0)->setText("1");
    ui->comboBox_n7numberFLS->setCurrentIndex(1);
    QTRY_COMPARE_WITH_TIMEOUT(cell(5, 0), QString("501"), 3 * kPollMs + kSlackMs);
}

void TestN7Page::csvFilesAreWrittenAsTheyReadOrRefusedWhole_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<int>>("units");
    QTest::addColumn<QList<int>>("litres");
    QTest::addColumn<QString>("refusal"); // empty: the file's table is written

    // A missing cell, a blank, then more lines than the table has.
    QByteArray text = "10\r\n20; 30\r\n";
    QList<int> units{10, 20};
    QList<int> litres{0, 30};
    for (int i = 2; i < 45; ++i) {
        text += QByteArray::number(i) + ";" + QByteArray::number(2 * i) + "\n";
        if (i < 40) {
            units << i;
            litres << 2 * i;
        }
    }
    QTest::newRow("gaps and extra lines") << text << units << litres << QString();

    // Read as far as they went, these reached the indicator as a cell or
    // two and zeros, or with values cut to 16 bits or zeroed.
    const QString notWritten = QStringLiteral("Таблица из файла не записана в индикатор\n");
    const QString range = QStringLiteral("\nДопустимы числа от 0 до 65535");
    const QString noRow = QStringLiteral("В файле нет ни одной строки таблицы");
    QTest::newRow("a NUL byte") << QByteArray("1\0002;3\r\n", 8) << QList<int>() << QList<int>()
                                << notWritten + "Файл не читается как текст таблицы";
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE"
                                          "1\0;\0"
                                          "2\0\r\0\n\0",
                                          12)
                            << QList<int>() << QList<int>() << notWritten + "Файл не читается как текст таблицы";
    QTest::newRow("empty file") << QByteArray() << QList<int>() << QList<int>() << notWritten + noRow;
    QTest::newRow("blank lines only") << QByteArray("\r\n \r\n\t\n") << QList<int>() << QList<int>()
                                      << notWritten + noRow;
    QTest::newRow("a value past 16 bits")
        << QByteArray("10;20\r\n30;40\r\n50;60\r\n70000;5\r\n") << QList<int>() << QList<int>()
        << notWritten + "Недопустимое значение: «70000» в столбце «Ед. Датчика», строке 4" + range;
}

void TestN7Page::csvFilesAreWrittenAsTheyReadOrRefusedWhole()
{
    QFETCH(QByteArray, text);
    QFETCH(QList<int>, units);
    QFETCH(QList<int>, litres);
    QFETCH(QString, refusal);

    const QString path = tablePath(QString("loaded-%1.csv").arg(QString(QTest::currentDataTag()).replace(' ', '-')));
    writeFile(path, text);
    connectPage();
    {
        DialogDriver driver({path});
        ui->pushButton_n7SetTarTable->click();
        QCOMPARE(driver.texts(), refusal.isEmpty() ? QStringList() : QStringList{refusal});
    }
    if (!refusal.isEmpty()) {
        QCOMPARE(device->countRequests(0xEF), 0);
        // The table on show stays the indicator's.
        QCOMPARE(cell(3, 0), QString("300"));
        return;
    }
    QCOMPARE(device->appliedWrites.size(), 1);
    // The slot's reported address and the unchecked poll flag go with it.
    QCOMPARE(device->appliedWrites.first().toHex(' '), expectedWrite(0, 10, 0, units, litres).toHex(' '));
}

void TestN7Page::failedSaveIsToldToTheUser()
{
    connectPage();
    // The name the user gives lies where a folder of that name stands.
    QDir(files.path()).mkdir("folder.csv");
    DialogDriver driver({tablePath("folder")});
    ui->pushButton_n7GetTarTable->click();
    // The name the suffix made is asked about first, as any taken name.
    QCOMPARE(driver.seen.size(), 3);
    QCOMPARE(driver.seen.at(2).texts, QStringList({"Не удалось сохранить таблицу в файл\n" + tablePath("folder.csv")}));
    QVERIFY(QFileInfo(tablePath("folder.csv")).isDir());
    // The page goes on reading.
    const int reads = device->countRequests(0xEE);
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(0xEE) > reads, 3 * kPollMs + kSlackMs);
}

void TestN7Page::modeIsWrittenWhenPicked()
{
    connectPage();
    QCOMPARE(ui->comboBox_n7mode->currentIndex(), 0);
    ui->comboBox_n7mode->setCurrentIndex(1);
    emit ui->comboBox_n7mode->activated(1);
    QCOMPARE(device->appliedWrites.size(), 1);
    QCOMPARE(device->appliedWrites.first().toHex(), frame::withCrc(QByteArray::fromHex("3edef201")).toHex());
    QCOMPARE(device->mode, quint8(1));
    QTRY_VERIFY_WITH_TIMEOUT(ui->label_n7Alarm_1->isHidden(), 2000);
    // The list follows what the indicator reports.
    device->mode = 0;
    QTRY_COMPARE_WITH_TIMEOUT(ui->comboBox_n7mode->currentIndex(), 0, 3 * kPollMs + kSlackMs);
}

void TestN7Page::silentIndicatorIsReportedAndComesBack()
{
    connectPage();
    QVERIFY(page->isDeviceConnected());
    QSignalSpy log(window.get(), &Reriruvozive::signalLogWritten);
    device->silent = true;
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), kConnectSensor,
                              kWatchdogMs + 2 * kPollMs + kSlackMs);
    QVERIFY(!page->getLabelStatusMessage()->isHidden());
    QVERIFY(ui->tableView_n7TarTable->isHidden());
    QVERIFY(!page->isDeviceConnected());
    bool reported = false;
    for (const QList<QVariant> &line : qAsConst(log))
        reported = reported || line.at(0).toString().endsWith(" -- Device is not responding");
    QVERIFY(reported);

    // Tables cut short are no sign of the indicator: no empty table is offered.
    device->shortTables = true;
    device->silent = false;
    const int reads = device->countRequests(0xEE);
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(0xEE) >= reads + 3, 4 * kPollMs + kSlackMs);
    QCOMPARE(page->getLabelStatusMessage()->text(), kConnectSensor);
    QVERIFY(ui->tableView_n7TarTable->isHidden());

    device->shortTables = false;
    QTRY_COMPARE_WITH_TIMEOUT(page->getLabelStatusMessage()->text(), kConnected, 3 * kPollMs + kSlackMs);
    QVERIFY(!ui->tableView_n7TarTable->isHidden());

    // Leaving the page: opening the port for another device reports nothing lost.
    log.clear();
    ui->pushButtonDeviceFLS->click();
    QVERIFY(!page->isDeviceConnected());
    for (const QList<QVariant> &line : qAsConst(log))
        QVERIFY2(!line.at(0).toString().contains("Device is not responding"), qPrintable(line.at(0).toString()));

    // Off, and on again while the indicator is silent: its last answer, left on the line while the port was
    // closed, is no sign of it.
    ui->pushButtonDeviceFLS->click();
    device->silent = true;
    QVERIFY(device->sendRaw(device->tableAnswer(0)));
    const int polled = device->countRequests(0xEE);
    ui->pushButtonN7->click();
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(0xEE) >= polled + 2, 3 * kPollMs + kSlackMs);
    QVERIFY(!page->isDeviceConnected());
    QVERIFY(ui->tableView_n7TarTable->isHidden());
    QCOMPARE(page->getLabelStatusMessage()->text(), kConnectSensor);
}

QTEST_MAIN(TestN7Page)
#include "tst_n7page.moc"
