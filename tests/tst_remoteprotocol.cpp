#include "remote/remoteanswer.h"
#include "remote/remotecommand.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

// Tracker lines and pasted answers, without a window: the lines are compared
// with lines worked out by hand (their CRC-8 computed apart from the program),
// the answers with what the page must show for them.

Q_DECLARE_METATYPE(remote::Command)
Q_DECLARE_METATYPE(remote::AnswerVerdict)

namespace {

// CRC-8, reflected polynomial 0x8C, bit by bit: kept apart from the
// program's own table-free version on purpose.
quint8 referenceCrc(const QByteArray &bytes)
{
    quint8 crc = 0;
    for (char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint8((crc >> 1) ^ 0x8C) : quint8(crc >> 1);
    }
    return crc;
}

remote::Inputs inputs(quint8 net, quint32 value = 0, quint8 mode = 0, quint8 filter = 0)
{
    remote::Inputs in;
    in.netNum = net;
    in.value = value;
    in.modeCode = mode;
    in.filterCode = filter;
    return in;
}

const QString kDegrees = QStringLiteral("\u00B0\u0421");

} // namespace

class TestRemoteProtocol : public QObject
{
    Q_OBJECT
private slots:
    void everyCommandMakesItsLine_data();
    void everyCommandMakesItsLine();
    void everyLineCarriesAWholeFrameWithItsCrc();
    void listPositionsGiveTheirCodes_data();
    void listPositionsGiveTheirCodes();

    void answersShowTheirFields_data();
    void answersShowTheirFields();
    void textsThatAreNoAnswerAreJudged_data();
    void textsThatAreNoAnswerAreJudged();
    void answerShorterThanItsFieldsIsRefused_data();
    void answerShorterThanItsFieldsIsRefused();
    void modeAndFilterCodesReadAsTexts_data();
    void modeAndFilterCodesReadAsTexts();
    void stateAnswerShowsEveryField();
    void reportTitleIsTranslatedForLevelAndEmptyOnly();
    void anyTextDecodesWithoutReadingPastIt();
};

void TestRemoteProtocol::everyCommandMakesItsLine_data()
{
    using remote::Command;
    QTest::addColumn<Command>("command");
    QTest::addColumn<int>("net");
    QTest::addColumn<quint32>("value");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("line");

    QTest::newRow("state request, net 5")
        << Command::StateRequest << 5 << 0u << 0 << 0 << "S485=4:23:1500:19200:3105f0fe";
    QTest::newRow("firmware and serial, net 1")
        << Command::FirmwareAndSerial << 1 << 0u << 0 << 0 << "S485=4:10:1500:19200:3101fc66";
    QTest::newRow("net 255 is ff") << Command::StateRequest << 255 << 0u << 0 << 0 << "S485=4:23:1500:19200:31fff080";
    QTest::newRow("net 0 is 00") << Command::StateRequest << 0 << 0u << 0 << 0 << "S485=4:23:1500:19200:3100f001";
    QTest::newRow("enter password 12345")
        << Command::EnterPassword << 5 << 12345u << 0 << 0 << "S485=11:4:1500:19200:3105f85AC3960000303944";
    QTest::newRow("empty password is four zero bytes")
        << Command::EnterPassword << 0 << 0u << 0 << 0 << "S485=11:4:1500:19200:3100f85AC396000000004d";
    QTest::newRow("shift empty by 300") << Command::ShiftEmpty << 1 << 300u << 0 << 0
                                        << "S485=6:10:1500:19200:3101f95AC396012c42";
    QTest::newRow("shift full by 7") << Command::ShiftFull << 1 << 7u << 0 << 0
                                     << "S485=6:10:1500:19200:3101f45AC3960007cf";
    QTest::newRow("empty level 5000") << Command::SetEmpty << 3 << 5000u << 0 << 0
                                      << "S485=8:4:1500:19200:3103ed5AC396000013884d";
    QTest::newRow("full level 5000") << Command::SetFull << 3 << 5000u << 0 << 0
                                     << "S485=8:4:1500:19200:3103ec5AC396000013880e";
    QTest::newRow("mode 0x80, filter 0x45")
        << Command::SetMode << 2 << 0u << 0x80 << 0x45 << "S485=8:4:1500:19200:3102f25AC3968045ef";
    QTest::newRow("new password of nine digits")
        << Command::SetPassword << 9 << 999999999u << 0 << 0 << "S485=8:4:1500:19200:3109f75AC3963b9ac9ffe3";
}

void TestRemoteProtocol::everyCommandMakesItsLine()
{
    QFETCH(remote::Command, command);
    QFETCH(int, net);
    QFETCH(quint32, value);
    QFETCH(int, mode);
    QFETCH(int, filter);
    QFETCH(QString, line);
    QCOMPARE(remote::commandLine(command, inputs(quint8(net), value, quint8(mode), quint8(filter))), line);
}

void TestRemoteProtocol::everyLineCarriesAWholeFrameWithItsCrc()
{
    const QRegularExpression lowerHex("^[0-9a-f]*$");
    for (int i = 0; i < remote::kCommandCount; ++i) {
        const remote::Command command = *remote::commandAt(i);
        for (quint32 value : {0u, 1u, 65535u, 999999999u, 0xFFFFFFFFu}) {
            const QString line = remote::commandLine(command, inputs(0xA7, value, 0x90, 0x4F));
            const QString tag = QString("command %1, value %2: %3").arg(i).arg(value).arg(line);
            QVERIFY2(line.startsWith("S485="), qPrintable(tag));
            const QString frameDigits = line.mid(line.lastIndexOf(':') + 1);
            QVERIFY2(frameDigits.size() % 2 == 0, qPrintable(tag));
            QVERIFY2(frameDigits.startsWith("31a7"), qPrintable(tag));
            const QByteArray frame = QByteArray::fromHex(frameDigits.toLatin1());
            QCOMPARE(quint8(frame.back()), referenceCrc(frame.left(frame.size() - 1)));
            // Upper case only in the write signature, right after the command byte.
            const QString afterPrefix = frameDigits.mid(2);
            const bool write = afterPrefix.mid(4, 6) == "5AC396";
            QVERIFY2(write !=
                         (command == remote::Command::StateRequest || command == remote::Command::FirmwareAndSerial),
                     qPrintable(tag));
            QVERIFY2(lowerHex.match(write ? afterPrefix.left(4) + afterPrefix.mid(10) : afterPrefix).hasMatch(),
                     qPrintable(tag));
        }
    }
    QVERIFY(!remote::commandAt(-1));
    QVERIFY(!remote::commandAt(remote::kCommandCount));
}

void TestRemoteProtocol::listPositionsGiveTheirCodes_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("code");

    QTest::newRow("mode RS-485 + 1023") << "mode" << 0 << 0 << 0x00;
    QTest::newRow("mode active + 1023") << "mode" << 0 << 1 << 0x10;
    QTest::newRow("mode RS-485 + 4095") << "mode" << 0 << 2 << 0x80;
    QTest::newRow("mode active + 4095") << "mode" << 0 << 3 << 0x90;
    QTest::newRow("mode none chosen") << "mode" << 0 << -1 << 0x00;
    QTest::newRow("mode past the list") << "mode" << 0 << 4 << 0x00;
    QTest::newRow("median 0") << "filter" << 0 << 0 << 0x00;
    QTest::newRow("median 1") << "filter" << 0 << 1 << 0x41;
    QTest::newRow("median 15") << "filter" << 0 << 15 << 0x4F;
    QTest::newRow("median past the list") << "filter" << 0 << 16 << 0x00;
    QTest::newRow("intelligent none") << "filter" << 1 << 0 << 0x00;
    QTest::newRow("intelligent up to 200") << "filter" << 1 << 1 << 0x03;
    QTest::newRow("intelligent 200 to 1000") << "filter" << 1 << 2 << 0x06;
    QTest::newRow("intelligent over 1000") << "filter" << 1 << 3 << 0x09;
    QTest::newRow("intelligent harsh") << "filter" << 1 << 4 << 0x0C;
    QTest::newRow("intelligent past the list") << "filter" << 1 << 5 << 0x00;
    QTest::newRow("no filter type") << "filter" << -1 << 3 << 0x00;
    QTest::newRow("unknown filter type") << "filter" << 2 << 3 << 0x00;
    QTest::newRow("no level chosen") << "filter" << 0 << -1 << 0x00;
}

void TestRemoteProtocol::listPositionsGiveTheirCodes()
{
    QFETCH(QString, list);
    QFETCH(int, type);
    QFETCH(int, index);
    QFETCH(int, code);
    const quint8 got = list == "mode" ? remote::modeCode(index) : remote::filterCode(type, index);
    QCOMPARE(int(got), code);
}

// ---- answers ----

void TestRemoteProtocol::answersShowTheirFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("report");

    const QString head = "В ответе содержится:\n\n";
    QTest::newRow("network number") << "3e07fb000000" << head + "Сетевой адрес = 7";
    QTest::newRow("upper-case digits") << "3E07FB000000" << head + "Сетевой адрес = 7";
    QTest::newRow("network number, shortest") << "3e07fb00aa" << head + "Сетевой адрес = 7";
    QTest::newRow("serial and firmware") << "3e01fc393000000a0000"
                                         << head + "Серийный номер - 12345\nВерсия микропрограммы - 10";
    QTest::newRow("serial is unsigned") << "3e01fcffffffff7b0000"
                                        << head + "Серийный номер - 4294967295\nВерсия микропрограммы - 123";
    QTest::newRow("full value") << "3e01f51027000000" << head + "Значение полного = 10000";
    QTest::newRow("full value, negative") << "3e01f5feffffff00" << head + "Значение полного = -2";
    QTest::newRow("full shifted") << "3e01f4e8030000aa" << head + "Значение полного = 1000";
    QTest::newRow("empty value") << "3e01fa64000000aa" << head + "Значение пустого = 100";
    QTest::newRow("empty shifted") << "3e01f9ffffff7fcc" << head + "Значение пустого = 2147483647";
    QTest::newRow("level and temperature")
        << "3e0106e79001000000" << head + "Температура = -25" + kDegrees + "\nУровень = 400";
    QTest::newRow("mode answer") << "3e01f290aa" << head + "Режим - Активный RS-485\nДиапазон - 4095";
    QTest::newRow("separators are skipped") << "3e 07 fb 00 00 00" << head + "Сетевой адрес = 7";
    // Lengths count the characters of the text, not the bytes decoded.
    QTest::newRow("ten characters, spaces after") << "3e07fb    " << head + "Сетевой адрес = 7";
}

void TestRemoteProtocol::answersShowTheirFields()
{
    QFETCH(QString, text);
    QFETCH(QString, report);
    const remote::DecodedAnswer decoded = remote::decodeAnswer(text);
    QCOMPARE(decoded.verdict, remote::AnswerVerdict::Decoded);
    QCOMPARE(remote::answerReport(decoded.answer), report);
}

void TestRemoteProtocol::textsThatAreNoAnswerAreJudged_data()
{
    using V = remote::AnswerVerdict;
    QTest::addColumn<QString>("text");
    QTest::addColumn<V>("verdict");

    QTest::newRow("empty") << "" << V::TooShortText;
    QTest::newRow("nine characters") << "3e07fb   " << V::TooShortText;
    QTest::newRow("a generated line") << "S485=4:23:1500:19200:3105f0fe" << V::NoAnswerStart;
    QTest::newRow("no answer start") << "3105f0fe0102030405" << V::NoAnswerStart;
    QTest::newRow("decoded from the first digit") << "00003e07fb00" << V::Incorrect;
    QTest::newRow("unknown command") << "3e01aa0000000000" << V::Incorrect;
    QTest::newRow("a digit missing") << "3e01fc393000000a000" << V::Incorrect;
    QTest::newRow("eighteen characters of a twenty-character answer") << "3e01fc393000000a00" << V::Incorrect;
    QTest::newRow("full value without its CRC") << "3e01f510270000" << V::Incorrect;
    QTest::newRow("answer start only in letters") << "3e zz zz zz zz" << V::Incorrect;
    QTest::newRow("cyrillic letters") << "3e01fcфффффффф" << V::Incorrect;
}

void TestRemoteProtocol::textsThatAreNoAnswerAreJudged()
{
    QFETCH(QString, text);
    QFETCH(remote::AnswerVerdict, verdict);
    QCOMPARE(remote::decodeAnswer(text).verdict, verdict);
}

void TestRemoteProtocol::answerShorterThanItsFieldsIsRefused_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("bytes"); // up to the last field shown
    QTest::newRow("level") << 0x06 << 6;
    QTest::newRow("state") << 0xF0 << 23;
    QTest::newRow("mode") << 0xF2 << 4;
    QTest::newRow("full shifted") << 0xF4 << 7;
    QTest::newRow("full") << 0xF5 << 7;
    QTest::newRow("empty shifted") << 0xF9 << 7;
    QTest::newRow("empty") << 0xFA << 7;
    QTest::newRow("network number") << 0xFB << 3;
    QTest::newRow("serial and firmware") << 0xFC << 9;
}

void TestRemoteProtocol::answerShorterThanItsFieldsIsRefused()
{
    QFETCH(int, command);
    QFETCH(int, bytes);
    // Long enough in characters, thanks to separators, yet short in bytes:
    // the fields must not be read past the decoded bytes.
    auto text = [command](int n) {
        QByteArray frame = QByteArray::fromHex("3e01") + char(command) + QByteArray(40, char(0x11));
        frame.truncate(n);
        return QString::fromLatin1(frame.toHex(' ')) + QString(40, ' ');
    };
    QCOMPARE(remote::decodeAnswer(text(bytes - 1)).verdict, remote::AnswerVerdict::Incorrect);
    QCOMPARE(remote::decodeAnswer(text(bytes)).verdict, remote::AnswerVerdict::Decoded);
}

void TestRemoteProtocol::modeAndFilterCodesReadAsTexts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("mode 0x00") << "mode" << 0x00 << "RS-485"
                               << "1023";
    QTest::newRow("mode 0x06") << "mode" << 0x06 << "Импульсный"
                               << "1023";
    QTest::newRow("mode 0x12") << "mode" << 0x12 << "Пассивный RS-232"
                               << "1023";
    QTest::newRow("mode 0x82") << "mode" << 0x82 << "Аналоговый"
                               << "4095";
    QTest::newRow("mode 0x84") << "mode" << 0x84 << "Частотный"
                               << "4095";
    QTest::newRow("mode 0x90") << "mode" << 0x90 << "Активный RS-485"
                               << "4095";
    for (int code : {0x01, 0x14, 0x81, 0xFF})
        QTest::newRow(qPrintable(QString("mode 0x%1").arg(code, 2, 16, QChar('0'))))
            << "mode" << code << "Некорректный режим"
            << "Некорректный диапазон";

    QTest::newRow("filter 0x00") << "filter" << 0x00 << "Медианный"
                                 << "0";
    QTest::newRow("filter 0x40") << "filter" << 0x40 << "Интеллектуальный"
                                 << "Нет";
    QTest::newRow("filter 0x09") << "filter" << 0x09 << "Интеллектуальный"
                                 << "больше 1000 литров";
    QTest::newRow("filter 0x0C") << "filter" << 0x0C << "Интеллектуальный"
                                 << "тяжёлые условия";
    QTest::newRow("filter 0x41") << "filter" << 0x41 << "Медианный"
                                 << "1";
    QTest::newRow("filter 0x4F") << "filter" << 0x4F << "Медианный"
                                 << "15";
    QTest::newRow("filter 0x05") << "filter" << 0x05 << "Медианный"
                                 << "5";
    for (int code : {0x01, 0x50, 0xFF})
        QTest::newRow(qPrintable(QString("filter 0x%1").arg(code, 2, 16, QChar('0'))))
            << "filter" << code << "Некорректный тип"
            << "Некорректный уровень";
}

void TestRemoteProtocol::modeAndFilterCodesReadAsTexts()
{
    QFETCH(QString, kind);
    QFETCH(int, code);
    QFETCH(QString, first);
    QFETCH(QString, second);
    const remote::CodeTexts texts =
        kind == "mode" ? remote::modeCodeTexts(quint8(code)) : remote::filterCodeTexts(quint8(code));
    QCOMPARE(texts.first, first);
    QCOMPARE(texts.second, second);
}

void TestRemoteProtocol::stateAnswerShowsEveryField()
{
    QByteArray frame(24, '\0');
    frame[0] = char(0x3E);
    frame[1] = char(12);
    frame[2] = char(0xF0);
    frame[3] = char(-5);
    frame[4] = char(0x34); // level 0x0234 = 564
    frame[5] = char(0x02);
    const auto put32 = [&frame](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            frame[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    put32(6, 3000000000u); // the current count is unsigned
    put32(10, quint32(-1));
    put32(14, 40000);
    frame[20] = char(0x90);
    frame[22] = char(0x45);
    const remote::DecodedAnswer decoded = remote::decodeAnswer(QString::fromLatin1(frame.toHex()));
    QCOMPARE(decoded.verdict, remote::AnswerVerdict::Decoded);
    QCOMPARE(remote::answerReport(decoded.answer),
             QString("В ответе содержится:\n\nСетевой адрес - 12\nТемпература = -5" + kDegrees +
                     "\nУровень = 564\nТекущий = 3000000000\nЗначение пустого = -1\nЗначение полного = 40000\n"
                     "Режим - Активный RS-485\nДиапазон - 4095\nТип сглаживания - Медианный\n"
                     "Уровень сглаживания - 5"));
}

void TestRemoteProtocol::reportTitleIsTranslatedForLevelAndEmptyOnly()
{
    // A translator that marks every text it translates.
    class Marking : public QTranslator
    {
    public:
        bool isEmpty() const override { return false; }
        QString translate(const char *, const char *source, const char *, int) const override
        {
            return QString::fromUtf8(source) + "*";
        }
    } marking;
    QCoreApplication::installTranslator(&marking);
    const QString translated = remote::answerTitle(0x06);
    const QString empty = remote::answerTitle(0xFA);
    const QString others = remote::answerTitle(0xFC);
    const remote::CodeTexts mode = remote::modeCodeTexts(0x92);
    QCoreApplication::removeTranslator(&marking);

    QCOMPARE(translated, QString("Ответ*"));
    QCOMPARE(empty, QString("Ответ*"));
    QCOMPARE(others, QString("Ответ"));
    // Interface names and range numbers stay as they are in every language.
    QCOMPARE(mode.first, QString("Пассивный RS-232"));
    QCOMPARE(mode.second, QString("4095"));
}

void TestRemoteProtocol::anyTextDecodesWithoutReadingPastIt()
{
    QRandomGenerator rng(0x7e3au);
    const QString alphabet = "0123456789abcdefABCDEF 3e:xф";
    for (int round = 0; round < 20000; ++round) {
        const int length = rng.bounded(0, 80);
        QString text;
        // Half the texts begin like an answer so that they reach the fields.
        if (round % 2)
            text = QString("3e%1%2").arg(rng.bounded(256), 2, 16, QChar('0')).arg(rng.bounded(256), 2, 16, QChar('0'));
        for (int i = 0; i < length; ++i)
            text += alphabet.at(rng.bounded(alphabet.size()));
        const remote::DecodedAnswer decoded = remote::decodeAnswer(text);
        if (decoded.verdict == remote::AnswerVerdict::Decoded)
            QVERIFY(remote::answerReport(decoded.answer).startsWith("В ответе содержится:\n\n"));
    }
}

QTEST_GUILESS_MAIN(TestRemoteProtocol)
#include "tst_remoteprotocol.moc"
