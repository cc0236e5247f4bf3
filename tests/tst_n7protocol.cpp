#include "devices/other/n7protocol.h"
#include "link/frame.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QtTest>

#include <memory>

// The indicator's frames and table files, checked against bytes written out by hand.
class TestN7Protocol : public QObject
{
    Q_OBJECT
private slots:
    void requestsStartWithTheAnswerStartByte_data();
    void requestsStartWithTheAnswerStartByte();
    void modesTheListShows_data();
    void modesTheListShows();
    void tableWriteCarriesBothColumnsHighByteFirst();
    void cellsAreReadAsTheIndicatorStoresThem_data();
    void cellsAreReadAsTheIndicatorStoresThem();
    void addressWrittenIsTheTypedOneOrTheReportedOne_data();
    void addressWrittenIsTheTypedOneOrTheReportedOne();
    void tableAnswerIsDecodedBigEndian();
    void onlyAWholeTableIsATable_data();
    void onlyAWholeTableIsATable();
    void gluedAnswersAreCutApart();
    void tableFilesAreRead_data();
    void tableFilesAreRead();
    void savedTableReadsBackWithTheSameValues();
    void decodersSurviveAnyFrame();
};

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// A table answer laid out by hand: point i holds units 100 * i and litres
// 1000 + i, except that point 0 holds 0 and 0xFFFF.
QByteArray tableAnswer(quint8 address, quint8 netNum, quint8 poll, quint8 mode, int length = 167)
{
    QByteArray bytes;
    bytes.append(char(0x31));
    bytes.append(char(address));
    bytes.append(char(0xEE));
    bytes.append(char(netNum));
    bytes.append(char(poll));
    for (int i = 0; i < 40; ++i) {
        const int units = 100 * i;
        bytes.append(char(units >> 8)).append(char(units & 0xFF));
    }
    for (int i = 0; i < 40; ++i) {
        const int litres = i == 0 ? 0xFFFF : 1000 + i;
        bytes.append(char(litres >> 8)).append(char(litres & 0xFF));
    }
    bytes.append(char(mode));
    bytes.append(QByteArray(qMax(0, length - 1 - bytes.size()), '\x07'));
    bytes.truncate(length - 1);
    return frame::withCrc(bytes);
}

QByteArray ack(quint8 command)
{
    return frame::withCrc(QByteArray::fromHex("31de") + QByteArray(1, char(command)));
}

std::optional<n7::Table> tableOf(const QByteArray &text)
{
    QByteArray copy = text;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return n7::readCsv(buffer);
}

} // namespace

void TestN7Protocol::requestsStartWithTheAnswerStartByte_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("read sensor 1") << n7::readRequest(n7::sensorOfComboIndex(0)) << frame::withCrc(hex("3edeee00"));
    QTest::newRow("read sensor 3") << n7::readRequest(n7::sensorOfComboIndex(2)) << frame::withCrc(hex("3edeee02"));
    QTest::newRow("read sensor 4") << n7::readRequest(n7::sensorOfComboIndex(3)) << frame::withCrc(hex("3edeee03"));
    QTest::newRow("no sensor picked reads 1")
        << n7::readRequest(n7::sensorOfComboIndex(-1)) << frame::withCrc(hex("3edeee00"));
    QTest::newRow("active mode") << n7::modeRequest(n7::kModeActive) << frame::withCrc(hex("3edef200"));
    QTest::newRow("passive mode") << n7::modeRequest(n7::kModePassive) << frame::withCrc(hex("3edef201"));
}

void TestN7Protocol::requestsStartWithTheAnswerStartByte()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built.toHex(' '), expected.toHex(' '));
}

void TestN7Protocol::modesTheListShows_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("index"); // -1: the list keeps what it shows
    QTest::newRow("active") << 0 << 0;
    QTest::newRow("passive") << 1 << 1;
    for (int mode : {2, 3, 4, 5, 6, 0x80})
        QTest::newRow(qPrintable(QString("mode %1").arg(mode))) << mode << -1;
}

void TestN7Protocol::modesTheListShows()
{
    QFETCH(int, mode);
    QFETCH(int, index);
    const std::optional<int> shown = n7::indexOfMode(quint8(mode));
    QCOMPARE(shown ? *shown : -1, index);
    if (shown)
        QCOMPARE(int(*n7::modeOfIndex(*shown)), mode);
}

void TestN7Protocol::tableWriteCarriesBothColumnsHighByteFirst()
{
    n7::Column units{};
    n7::Column litres{};
    for (int i = 0; i < 40; ++i) {
        units[size_t(i)] = quint16(0x0100 + i);
        litres[size_t(i)] = quint16(0xA000 + i);
    }
    units[39] = 0xFFFF;
    const QByteArray built = n7::tableWrite(2, 17, true, units, litres);
    QCOMPARE(built.size(), n7::kTableFrameLength);
    QCOMPARE(built.left(6).toHex(' '), hex("3edeef021101").toHex(' '));
    QCOMPARE(built.mid(6, 4).toHex(' '), hex("01000101").toHex(' '));
    QCOMPARE(built.mid(6 + 78, 2).toHex(' '), hex("ffff").toHex(' '));
    QCOMPARE(built.mid(86, 2).toHex(' '), hex("a000").toHex(' '));
    QCOMPARE(built.mid(164, 2).toHex(' '), hex("a027").toHex(' '));
    QCOMPARE(frame::calc_crc8(built), quint8(0));
    QCOMPARE(quint8(n7::tableWrite(0, 0, false, units, litres).at(5)), quint8(0));
}

void TestN7Protocol::cellsAreReadAsTheIndicatorStoresThem_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // -1: no value the indicator can hold
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("largest") << "65535" << 65535;
    QTest::newRow("blank in front, as a saved file has it") << " 20" << 20;
    QTest::newRow("blanks around") << " 250 \t" << 250;
    QTest::newRow("empty, a point a file leaves out") << "" << 0;
    // Cut to 16 bits or read as 0, these would reach the indicator as
    // values nobody chose.
    QTest::newRow("beyond 16 bits") << "70000" << -1;
    QTest::newRow("one past the largest") << "65536" << -1;
    QTest::newRow("a header word") << "Литры" << -1;
    QTest::newRow("negative") << "-5" << -1;
    QTest::newRow("fraction") << "12.5" << -1;
    QTest::newRow("decimal comma") << "1,5" << -1;
}

void TestN7Protocol::cellsAreReadAsTheIndicatorStoresThem()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    const std::optional<quint16> read = n7::cellValue(text);
    QCOMPARE(read ? int(*read) : -1, value);
}

void TestN7Protocol::addressWrittenIsTheTypedOneOrTheReportedOne_data()
{
    QTest::addColumn<bool>("edited");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reported");
    QTest::addColumn<int>("netNum");
    QTest::newRow("typed") << true << "12"
                           << "7" << 12;
    QTest::newRow("typed but not edited") << false << "12"
                                          << "7" << 7;
    QTest::newRow("typed 0") << true << "0"
                             << "7" << 7;
    QTest::newRow("emptied") << true << ""
                             << "7" << 7;
    QTest::newRow("nothing reported yet") << false << ""
                                          << "" << 0;
    // -1: refused, not cut to its low byte 44.
    QTest::newRow("typed 300") << true << "300"
                               << "7" << -1;
    QTest::newRow("typed 255") << true << "255"
                               << "7" << 255;
}

void TestN7Protocol::addressWrittenIsTheTypedOneOrTheReportedOne()
{
    QFETCH(bool, edited);
    QFETCH(QString, typed);
    QFETCH(QString, reported);
    QFETCH(int, netNum);
    const std::optional<quint8> chosen = n7::chosenNetNum(edited, typed, reported);
    QCOMPARE(chosen ? int(*chosen) : -1, netNum);
}

void TestN7Protocol::tableAnswerIsDecodedBigEndian()
{
    const std::optional<n7::TableAnswer> t = n7::decodeTable(tableAnswer(0xDE, 21, 1, 1));
    QVERIFY(t);
    QCOMPARE(t->address, quint8(0xDE));
    QCOMPARE(t->netNum, quint8(21));
    QCOMPARE(t->pollFlag, quint8(1));
    QCOMPARE(t->mode, quint8(1));
    QCOMPARE(t->units[0], quint16(0));
    QCOMPARE(t->units[39], quint16(3900));
    QCOMPARE(t->litres[0], quint16(0xFFFF));
    QCOMPARE(t->litres[39], quint16(1039));
}

void TestN7Protocol::onlyAWholeTableIsATable_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("table");
    QByteArray badCrc = tableAnswer(0xDE, 1, 0, 0);
    badCrc[166] = char(badCrc.at(166) ^ 0x10);
    QTest::newRow("table") << tableAnswer(0xDE, 1, 0, 0) << true << true;
    QTest::newRow("acknowledgement of a write") << ack(n7::kWriteCommand) << true << false;
    QTest::newRow("acknowledgement of a mode") << ack(n7::kModeCommand) << true << false;
    QTest::newRow("one byte short") << tableAnswer(0xDE, 1, 0, 0, 166) << true << false;
    QTest::newRow("one byte long") << tableAnswer(0xDE, 1, 0, 0, 168) << true << false;
    QTest::newRow("wrong CRC") << badCrc << false << false;
    QTest::newRow("a sensor's start byte") << frame::withCrc(hex("3ede")) + QByteArray(1, '\0') << false << false;
}

void TestN7Protocol::onlyAWholeTableIsATable()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, accepted);
    QFETCH(bool, table);
    QCOMPARE(n7::isAccepted(answer), accepted);
    if (accepted)
        QCOMPARE(n7::decodeTable(answer).has_value(), table);
}

void TestN7Protocol::gluedAnswersAreCutApart()
{
    const QByteArray first = tableAnswer(0xDE, 1, 0, 0);
    const QByteArray second = tableAnswer(0xDE, 2, 1, 1);
    const QByteArray written = ack(n7::kWriteCommand);
    // Glued, they still pass the CRC-8 as one frame.
    QVERIFY(n7::isAccepted(written + first));
    const auto split = [](const QByteArray &chunk) {
        return frame::splitAnswers(chunk, n7::answerLengths, frame::kRequestStart);
    };
    QCOMPARE(split(written + first), (QList<QByteArray>{written, first}));
    QCOMPARE(split(first + second), (QList<QByteArray>{first, second}));
    QCOMPARE(split(first + written), (QList<QByteArray>{first, written}));
}

void TestN7Protocol::tableFilesAreRead_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("row0");
    QTest::addColumn<QStringList>("row39");

    QByteArray fortyFive;
    for (int i = 0; i < 45; ++i)
        fortyFive += QByteArray::number(i) + ";" + QByteArray::number(10 * i) + "\r\n";
    const QStringList zeros{"0", "0"};
    QTest::newRow("45 lines keep the first 40") << fortyFive << QStringList{"0", "0"} << QStringList{"39", "390"};
    QTest::newRow("units then litres") << QByteArray("1024;250\n") << QStringList{"1024", "250"} << zeros;
    QTest::newRow("blank kept with the cell") << QByteArray("10; 20\r\n") << QStringList{"10", " 20"} << zeros;
    QTest::newRow("last line without its end") << QByteArray("10;20") << QStringList{"10", "20"} << zeros;
    QTest::newRow("missing cell reads 0") << QByteArray("10\n") << QStringList{"10", "0"} << zeros;
    QTest::newRow("empty line") << QByteArray("\n5;6\n") << QStringList{"", "0"} << zeros;
    QTest::newRow("empty cells kept") << QByteArray(";\n") << QStringList{"", ""} << zeros;
    QTest::newRow("cells past the second dropped") << QByteArray("1;2;3;4\n") << QStringList{"1", "2"} << zeros;
    QTest::newRow("header line is a row")
        << QByteArray("Ед. Датчика;Литры\n") << QStringList{"Ед. Датчика", "Литры"} << zeros;
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF"
                                                   "7;8\n")
                                     << QStringList{"7", "8"} << zeros;
    QTest::newRow("repeated byte order marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF"
                                                             "7;8\n")
                                               << QStringList{"7", "8"} << zeros;
    // No rows expected: nothing to fill up with zeros.
    QTest::newRow("empty file") << QByteArray() << QStringList() << QStringList();
    QTest::newRow("blank lines only") << QByteArray("\r\n \n\t\r\n") << QStringList() << QStringList();
    // Not read at all. Read as far as they go, these gave
    // a table of a cell or two and zeros.
    QTest::newRow("a NUL byte") << QByteArray("1\0002;3\n4;5\n", 10) << QStringList() << QStringList();
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE"
                                          "1\0;\0"
                                          "2\0\r\0\n\0",
                                          12)
                            << QStringList() << QStringList();
    QTest::newRow("not UTF-8") << QByteArray("1;2\n\xC0\xFF;3\n") << QStringList() << QStringList();
}

void TestN7Protocol::tableFilesAreRead()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, row0);
    QFETCH(QStringList, row39);
    const std::optional<n7::Table> read = tableOf(text);
    // No rows expected: no table at all, or none of a text without a row.
    QCOMPARE(read && !read->isEmpty(), !row0.isEmpty());
    if (row0.isEmpty())
        return;
    const n7::Table &table = *read;
    QCOMPARE(table.size(), n7::kTableRows);
    for (const QStringList &row : table)
        QCOMPARE(row.size(), n7::kTableColumns);
    QCOMPARE(table.first(), row0);
    QCOMPARE(table.last(), row39);
}

void TestN7Protocol::savedTableReadsBackWithTheSameValues()
{
    n7::Table table;
    for (int i = 0; i < 40; ++i)
        table << QStringList{QString::number(25 * i), QString::number(3 * i + 1)};
    const QByteArray text = n7::csvText(table);
    // Sensor units first, as a file is read; every line ends with CR LF.
    QVERIFY(text.startsWith("0; 1\r\n25; 4\r\n"));
    QVERIFY(text.endsWith("975; 118\r\n"));
    QCOMPARE(text.count("\r\n"), 40);

    const n7::Table back = tableOf(text).value_or(n7::Table());
    QCOMPARE(back.size(), 40);
    for (int i = 0; i < 40; ++i) {
        for (int c = 0; c < 2; ++c)
            QCOMPARE(n7::cellValue(back[i][c]), n7::cellValue(table[i][c]));
    }
}

void TestN7Protocol::decodersSurviveAnyFrame()
{
    QRandomGenerator rng(0x7a7u);
    for (int round = 0; round < 2000; ++round) {
        // Around the table's length as often as around the short ones.
        const int len = round % 2 ? rng.bounded(160, 176) : rng.bounded(0, 12);
        std::unique_ptr<char[]> block(new char[size_t(qMax(len, 1))]);
        for (int i = 0; i < len; ++i)
            block[size_t(i)] = char(rng.bounded(256));
        if (len > 1) {
            block[0] = char(frame::kRequestStart);
            block[size_t(len - 1)] = char(frame::calc_crc8(reinterpret_cast<const uchar *>(block.get()), len - 1));
        }
        const QByteArray bytes = QByteArray::fromRawData(block.get(), len);
        if (n7::isAccepted(bytes))
            QCOMPARE(n7::decodeTable(bytes).has_value(), len == n7::kTableFrameLength);
        for (const QByteArray &answer : frame::splitAnswers(bytes + bytes, n7::answerLengths, frame::kRequestStart))
            QVERIFY(!answer.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestN7Protocol)
#include "tst_n7protocol.moc"
