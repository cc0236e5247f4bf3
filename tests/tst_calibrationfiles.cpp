#include "anotheruser.h"
#include "calibration/cellnumber.h"
#include "calibration/myitemdelegateforcell.h"
#include "calibration/sensortable.h"
#include "calibration/tarfile.h"
#include "calibration/tarrun.h"
#include "files/textfile.h"
#include "fulldisk.h"
#include "ui/widgettar.h"

#include <QLineEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

// The calibration tables' files and cells, free of widgets, and the cell
// editor that puts numbers into them.
class TestCalibrationFiles : public QObject
{
    Q_OBJECT
private slots:
    void cellNumbers_data();
    void cellNumbers();
    void numbersArePrintedWithoutExponent_data();
    void numbersArePrintedWithoutExponent();
    void wholeWordsForTheSensorTable_data();
    void wholeWordsForTheSensorTable();

    void runLinesPutReadingsFirstAndEndWithCrLf();
    void runFileReadsEachLineByItsFields_data();
    void runFileReadsEachLineByItsFields();
    void runFileSurvivesAnything();
    void fileNames_data();
    void fileNames();
    void onlyOurTemporaryFilesCountAsOurs();
    void wholeFileIsReplacedOrLeftAlone_data();
    void wholeFileIsReplacedOrLeftAlone();

    void sensorTableCsvRoundTripKeepsColumns();
    void sensorTableCsvReadsFilesWrittenSo();
    void malformedSensorTableCsvIsRefused_data();
    void malformedSensorTableCsvIsRefused();

    void cellEditorAdmits_data();
    void cellEditorAdmits();
    void cellEditorCommitsNumbersAsTyped_data();
    void cellEditorCommitsNumbersAsTyped();

    void nextVolumeCountsOnFromTheLastRow_data();
    void nextVolumeCountsOnFromTheLastRow();
};

void TestCalibrationFiles::cellNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "150" << true << 150.0;
    QTest::newRow("blank before, as a restored cell") << " 200" << true << 200.0;
    QTest::newRow("one decimal") << "2.5" << true << 2.5;
    QTest::newRow("nine digits") << "999999999" << true << 999999999.0;
    QTest::newRow("old exponent form") << "1e+06" << true << 1000000.0;
    QTest::newRow("ten digits") << "1000000000" << false << 0.0;
    QTest::newRow("huge") << "99999999999999999999" << false << 0.0;
    QTest::newRow("negative") << "-5" << false << 0.0;
    QTest::newRow("plus") << "+5" << false << 0.0;
    QTest::newRow("comma decimal") << "2,5" << false << 0.0;
    QTest::newRow("text") << "abc" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("infinity") << "inf" << false << 0.0;
    QTest::newRow("exponent overflow") << "1e999" << false << 0.0;
}

void TestCalibrationFiles::cellNumbers()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> n = cells::number(text);
    QCOMPARE(n.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*n, value);
}

void TestCalibrationFiles::numbersArePrintedWithoutExponent_data()
{
    QTest::addColumn<QVariant>("cell");
    QTest::addColumn<QString>("text");
    QTest::newRow("million as float") << QVariant(1000000.0f) << "1000000";
    QTest::newRow("million as double") << QVariant(1000000.0) << "1000000";
    QTest::newRow("half") << QVariant(2.5f) << "2.5";
    QTest::newRow("float tenth") << QVariant(2.3f) << "2.3";
    QTest::newRow("nine digits") << QVariant(999999999.0) << "999999999";
    QTest::newRow("zero") << QVariant(0.0f) << "0";
    QTest::newRow("text kept, trimmed") << QVariant(QString(" 30")) << "30";
}

void TestCalibrationFiles::numbersArePrintedWithoutExponent()
{
    QFETCH(QVariant, cell);
    QFETCH(QString, text);
    QCOMPARE(cells::text(cell), text);
}

void TestCalibrationFiles::wholeWordsForTheSensorTable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("word"); // -1: refused
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("largest") << "65535" << 65535;
    QTest::newRow("blank around") << " 300 " << 300;
    QTest::newRow("whole with point") << "45.0" << 45;
    QTest::newRow("one past") << "65536" << -1;
    QTest::newRow("fraction") << "2.5" << -1;
    QTest::newRow("text") << "x" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestCalibrationFiles::wholeWordsForTheSensorTable()
{
    QFETCH(QString, text);
    QFETCH(int, word);
    const std::optional<quint16> w = cells::wholeWord(text);
    QCOMPARE(w ? int(*w) : -1, word);
}

void TestCalibrationFiles::runLinesPutReadingsFirstAndEndWithCrLf()
{
    QCOMPARE(tarfile::runText({{"200", "1500", "1480"}}), QByteArray("1500, 1480, 200\r\n"));
    QCOMPARE(tarfile::runText({{"0", "100"}, {"5", "200"}}), QByteArray("100, 0\r\n200, 5\r\n"));
    QCOMPARE(tarfile::runText({}), QByteArray());
}

void TestCalibrationFiles::runFileReadsEachLineByItsFields_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("sensors");
    QTest::addColumn<QStringList>("rows"); // rows joined by "/", volume first
    QTest::addColumn<int>("skipped");
    QTest::newRow("one sensor") << QByteArray("1500, 200\r\n1600, 205\r\n") << 1 << QStringList{"200/1500", "205/1600"}
                                << 0;
    QTest::newRow("two sensors") << QByteArray("1500, 1480, 200\r\n") << 2 << QStringList{"200/1500/1480"} << 0;
    QTest::newRow("plain line ends, no last one")
        << QByteArray("1500, 200\n1600, 205") << 1 << QStringList{"200/1500", "205/1600"} << 0;
    QTest::newRow("edited cells") << QByteArray("1500, 2.5\r\n") << 1 << QStringList{"2.5/1500"} << 0;
    QTest::newRow("short line") << QByteArray("1500, 200\r\n1600\r\n1700, 210\r\n") << 1
                                << QStringList{"200/1500", "210/1700"} << 1;
    QTest::newRow("too many fields") << QByteArray("1, 2, 3, 4\r\n1500, 200\r\n") << 1 << QStringList{"200/1500"} << 1;
    QTest::newRow("sensor 2 removed on the way") << QByteArray("1000, 2000, 0\r\n1100, 2000, 5\r\n1250, 10\r\n1400, 15")
                                                 << 1 << QStringList{"0/1000", "5/1100", "10/1250", "15/1400"} << 0;
    QTest::newRow("fewer readings than the run's sensors")
        << QByteArray("1600, 205\r\n1500, 1480, 200\r\n") << 2 << QStringList{"200/1500/1480"} << 1;
    QTest::newRow("last line cut short") << QByteArray("300, 700, 0\r\n310, 710, 5\r\n320, 7") << 2
                                         << QStringList{"0/300/700", "5/310/710"} << 1;
    QTest::newRow("byte order marks of a spreadsheet") << QByteArray::fromHex("efbbbfefbbbf") + "1500, 200\n1600, 205"
                                                       << 1 << QStringList{"200/1500", "205/1600"} << 0;
    QTest::newRow("bare commas, one sensor: a decimal comma")
        << QByteArray("1000,0\r\n1100,7,5\r\n") << 1 << QStringList{"0/1000", "7.5/1100"} << 0;
    QTest::newRow("bare commas, two sensors")
        << QByteArray("1000,2100,7\r\n1100,2200,7,5\r\n") << 2 << QStringList{"7/1000/2100", "7.5/1100/2200"} << 0;
    QTest::newRow("text") << QByteArray("abc, def\r\n") << 0 << QStringList{} << 1;
    QTest::newRow("huge number") << QByteArray("99999999999999999999, 5\r\n") << 0 << QStringList{} << 1;
    QTest::newRow("empty field") << QByteArray("1500, \r\n") << 0 << QStringList{} << 1;
    QTest::newRow("empty file") << QByteArray() << 0 << QStringList{} << 0;
    QTest::newRow("blank lines only") << QByteArray("\r\n\r\n  \r\n") << 0 << QStringList{} << 0;
}

void TestCalibrationFiles::runFileReadsEachLineByItsFields()
{
    QFETCH(QByteArray, file);
    QFETCH(int, sensors);
    QFETCH(QStringList, rows);
    QFETCH(int, skipped);
    const tarfile::ParsedRun parsed = tarfile::parseRun(file, qMax(1, sensors));
    QCOMPARE(parsed.sensorCount, sensors);
    QStringList got;
    for (const tarfile::Row &row : parsed.rows)
        got << row.join('/');
    QCOMPARE(got, rows);
    QCOMPARE(parsed.skippedLines(), skipped);
    // What is read is written back as it was (blanks after commas included).
    if (skipped == 0 && !rows.isEmpty() && file.endsWith("\r\n") && file.count(',') == file.count(", ")) {
        QCOMPARE(tarfile::runText(parsed.rows), file);
        // Read for a run of the other number of sensors, such a file gives none.
        QCOMPARE(tarfile::parseRun(file, 3 - sensors).rows, QList<tarfile::Row>());
    }
}

void TestCalibrationFiles::runFileSurvivesAnything()
{
    QRandomGenerator rng(12);
    for (int i = 0; i < 3000; ++i) {
        QByteArray data(int(rng.bounded(200)), '\0');
        for (char &c : data)
            c = char(rng.bounded(i % 2 ? 256 : 64) + (i % 2 ? 0 : 32)); // binary, then printable
        const tarfile::ParsedRun parsed =
            tarfile::parseRun(data, i % 4 < 2 ? 1 : 2, i % 8 < 4 ? tarfile::Writer::User : tarfile::Writer::Program);
        for (const tarfile::Row &row : parsed.rows)
            QCOMPARE(row.size(), parsed.sensorCount + 1);
        sensortable::parseCsv(data);
    }
}

void TestCalibrationFiles::fileNames_data()
{
    QTest::addColumn<QString>("made");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one sensor") << tarfile::tempName("/cfg", 123456) << "/cfg/~123456.etr";
    QTest::newRow("two sensors") << tarfile::tempName("/cfg", 1001, 1002) << "/cfg/~1001_1002.etr";
    QTest::newRow("negative serial") << tarfile::tempName("/cfg", -5) << "/cfg/~-5.etr";
    QTest::newRow("finished copy") << tarfile::finishedName("/cfg", 1001) << "/cfg/1001.etr";
    QTest::newRow("finished after a restore") << tarfile::withoutTilde("/cfg/~1001_1002.etr") << "/cfg/1001_1002.etr";
    QTest::newRow("a folder's own tilde stays") << tarfile::withoutTilde("/home/~me/~7.etr") << "/home/~me/7.etr";
    QTest::newRow("csv appended") << textfile::withSuffix("table", ".csv") << "table.csv";
    QTest::newRow("csv kept") << textfile::withSuffix("table.csv", ".csv") << "table.csv";
    QTest::newRow("csv kept in capitals") << textfile::withSuffix("table.CSV", ".csv") << "table.CSV";
}

void TestCalibrationFiles::fileNames()
{
    QFETCH(QString, made);
    QFETCH(QString, expected);
    QCOMPARE(made, expected);
}

void TestCalibrationFiles::onlyOurTemporaryFilesCountAsOurs()
{
    QVERIFY(tarfile::isTempName("/cfg/~12.etr", "/cfg"));
    QVERIFY(tarfile::isTempName("/cfg/~1_2.etr", "/cfg/"));
    QVERIFY(!tarfile::isTempName("/home/me/~12.etr", "/cfg"));
    QVERIFY(!tarfile::isTempName("/cfg/12.etr", "/cfg"));
    QVERIFY(!tarfile::isTempName("/cfg/~run.csv", "/cfg"));
    QVERIFY(!tarfile::isTempName("", "/cfg"));
}

void TestCalibrationFiles::wholeFileIsReplacedOrLeftAlone_data()
{
    QTest::addColumn<bool>("mirror");
    QTest::newRow("a file the user keeps") << false;
    QTest::newRow("the run's mirror") << true;
}

void TestCalibrationFiles::wholeFileIsReplacedOrLeftAlone()
{
    QFETCH(bool, mirror);
    const auto write = mirror ? tarfile::writeMirror : textfile::writeWhole;
    QTemporaryDir dir;
    const QString path = dir.filePath("run");
    QVERIFY(write(path, "old\r\n"));
    QVERIFY(write(path, "new\r\n"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("new\r\n"));
    // The disk fills up part-way through a write, or through a portion's
    // line: the file stays byte for byte.
    {
        const FullDisk full(7);
        QVERIFY(!write(path, "newer content\r\n"));
        QVERIFY(!tarfile::appendToMirror(path, "1400, 2700\r\n"));
    }
    QVERIFY(tarfile::holds(path, "new\r\n"));
    // A folder of that name cannot be written: false, and nothing else is
    // left there, the new content beside the old included.
    QVERIFY(QDir(dir.path()).mkdir("taken"));
    QVERIFY(!write(dir.filePath("taken"), "x"));
    QVERIFY(!write(dir.filePath("missing/run"), "x"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"run"});
    // A user who may write into the folder but not list it (mode 0333, which
    // only the administrator may list): its sync is refused, and the new file
    // in its place is saved.
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x3333));
    QByteArray said;
    const bool saved = anotheruser::run({mirror ? "mirror" : "whole", dir.filePath("dropped")}, &said);
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7700));
    QVERIFY2(saved && tarfile::holds(dir.filePath("dropped"), "d\r\n"), said.constData());
}

void TestCalibrationFiles::sensorTableCsvRoundTripKeepsColumns()
{
    QList<QStringList> rows;
    for (int i = 0; i < sensortable::kRows; ++i)
        rows.append({QString::number(20 * i), QString::number(30 * i)});
    const QByteArray csv = sensortable::csvText(rows);
    // The value column first, then the level.
    QVERIFY(csv.startsWith("0, 0\r\n30, 20\r\n"));
    QVERIFY(csv.endsWith("570, 380\r\n"));
    const sensortable::ParsedCsv parsed = sensortable::parseCsv(csv);
    QVERIFY(parsed.ok());
    QCOMPARE(parsed.rows, rows);
}

void TestCalibrationFiles::sensorTableCsvReadsFilesWrittenSo()
{
    // As a spreadsheet may keep it: a byte order mark, no blank, plain line
    // ends, no last one.
    const sensortable::ParsedCsv parsed = sensortable::parseCsv(QByteArray::fromHex("efbbbf") + "100,300\n 5 , 0");
    QVERIFY(parsed.ok());
    QCOMPARE(parsed.rows, (QList<QStringList>{{"300", "100"}, {"0", "5"}}));
}

void TestCalibrationFiles::malformedSensorTableCsvIsRefused_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("badLine");
    QTest::addColumn<bool>("tooMany");
    QTest::newRow("one field") << QByteArray("100, 300\r\n100\r\n") << 2 << false;
    QTest::newRow("three fields") << QByteArray("1, 2, 3\r\n") << 1 << false;
    QTest::newRow("text") << QByteArray("litres, level\r\n") << 1 << false;
    QTest::newRow("huge number") << QByteArray("1, 99999999999\r\n") << 1 << false;
    QTest::newRow("binary") << QByteArray("\x01\xff\x00,\x80", 5) << 1 << false;
    QByteArray longFile;
    for (int i = 0; i < sensortable::kRows + 1; ++i)
        longFile += "1, 2\r\n";
    QTest::newRow("more rows than the table") << longFile << 0 << true;
    QTest::newRow("empty") << QByteArray() << 0 << false;
}

void TestCalibrationFiles::malformedSensorTableCsvIsRefused()
{
    QFETCH(QByteArray, file);
    QFETCH(int, badLine);
    QFETCH(bool, tooMany);
    const sensortable::ParsedCsv parsed = sensortable::parseCsv(file);
    QVERIFY(!parsed.ok());
    QVERIFY(parsed.rows.isEmpty());
    QCOMPARE(parsed.badLine, badLine);
    QCOMPARE(parsed.tooManyRows, tooMany);
}

void TestCalibrationFiles::cellEditorAdmits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("state");
    const int ok = QValidator::Acceptable, partial = QValidator::Intermediate, no = QValidator::Invalid;
    QTest::newRow("one digit") << "5" << ok;
    QTest::newRow("zero") << "0" << ok;
    QTest::newRow("two digits") << "15" << ok;
    QTest::newRow("one decimal") << "1.5" << ok;
    QTest::newRow("eight digits and a decimal") << "12345678.9" << ok;
    QTest::newRow("nine digits") << "123456789" << ok;
    QTest::newRow("digit and point") << "1." << partial;
    QTest::newRow("empty") << "" << partial;
    QTest::newRow("second decimal") << "1.55" << no;
    QTest::newRow("ten digits") << "1234567890" << no;
    QTest::newRow("point after nine digits") << "123456789." << no;
    QTest::newRow("minus") << "-1" << no;
    QTest::newRow("comma") << "1,5" << no;
    QTest::newRow("blank") << "1 5" << no;
    QTest::newRow("letter") << "1a" << no;
}

void TestCalibrationFiles::cellEditorAdmits()
{
    QFETCH(QString, text);
    QFETCH(int, state);
    QStandardItemModel model(1, 1);
    QTableView view;
    view.setModel(&model);
    MyItemDelegateForCell delegate(&view);
    std::unique_ptr<QWidget> editor(delegate.createEditor(view.viewport(), QStyleOptionViewItem(), model.index(0, 0)));
    auto *line = qobject_cast<QLineEdit *>(editor.get());
    QVERIFY(line && line->validator());
    int pos = 0;
    QCOMPARE(int(line->validator()->validate(text, pos)), state);
}

void TestCalibrationFiles::cellEditorCommitsNumbersAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("one digit") << "5"
                               << "5";
    QTest::newRow("zero") << "0"
                          << "0";
    QTest::newRow("decimal") << "2.5"
                             << "2.5";
    QTest::newRow("million") << "1000000"
                             << "1000000";
    QTest::newRow("nine digits, all kept") << "123456789"
                                           << "123456789";
}

void TestCalibrationFiles::cellEditorCommitsNumbersAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QStandardItemModel model(1, 1);
    model.setItem(0, 0, new QStandardItem("30"));
    QTableView view;
    view.setModel(&model);
    view.setItemDelegate(new MyItemDelegateForCell(&view));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    // As a user does: open the editor on the cell, type, press Enter.
    view.edit(model.index(0, 0));
    auto *line = view.viewport()->findChild<QLineEdit *>();
    QVERIFY(line);
    QCOMPARE(line->text(), QString("30"));
    line->selectAll();
    QTest::keyClicks(line, typed);
    QTest::keyClick(line, Qt::Key_Return);
    QTRY_COMPARE(model.index(0, 0).data().toString(), stored);
    QCOMPARE(cells::text(model.index(0, 0).data()), stored);
}

void TestCalibrationFiles::nextVolumeCountsOnFromTheLastRow_data()
{
    QTest::addColumn<bool>("drain");
    QTest::addColumn<QString>("last");
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("next"); // -1: the tank is empty
    QTest::newRow("filling") << false << "0" << 5.0 << 5.0;
    QTest::newRow("filling on from an edited volume") << false << "2.5" << 5.0 << 7.5;
    QTest::newRow("filling on from a million") << false << "1000000" << 5.0 << 1000005.0;
    QTest::newRow("filling on from a text cell") << false << "abc" << 5.0 << 5.0;
    QTest::newRow("draining a step") << true << "1000" << 500.0 << 500.0;
    QTest::newRow("draining the rest below a step") << true << "400" << 300.0 << 100.0;
    QTest::newRow("draining exactly the rest") << true << "500" << 500.0 << -1.0;
    QTest::newRow("draining more than the rest") << true << "3" << 12.0 << -1.0;
    QTest::newRow("draining with no step") << true << "0" << 0.0 << -1.0;
}

void TestCalibrationFiles::nextVolumeCountsOnFromTheLastRow()
{
    QFETCH(bool, drain);
    QFETCH(QString, last);
    QFETCH(double, step);
    QFETCH(double, next);
    QWidget page;
    TarRun run(&page);
    TarBinding binding;
    binding.view = new QTableView(&page);
    binding.model = new QStandardItemModel(&page);
    binding.volumeCard = new WidgetTar(&page, true);
    binding.sensor1Card = new WidgetTar(&page, false);
    run.bind(binding);
    run.setDrainMode(drain);
    QVERIFY(run.addFirstSensor(100));
    binding.model->setData(binding.model->index(0, 0), last);
    const std::optional<double> volume = run.nextVolume(step);
    QCOMPARE(volume.has_value(), next >= 0);
    if (volume)
        QCOMPARE(*volume, next);
}

int main(int argc, char *argv[])
{
    if (anotheruser::isThisRun(argc, argv)) {
        return anotheruser::serve(argc, argv, [](const QStringList &to) {
            const auto write = to.value(0) == "mirror" ? tarfile::writeMirror : textfile::writeWhole;
            return to.size() == 2 && write(to.at(1), "d\r\n");
        });
    }
    QTEST_MAIN_IMPL(TestCalibrationFiles)
}
#include "tst_calibrationfiles.moc"
