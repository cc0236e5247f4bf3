#include "devices/other/wiredtagprotocol.h"
#include "exactframe.h"
#include "link/frame.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cstring>
#include <memory>

// The wired tag reader's frames and texts, without a page: request frames
// compared with frames worked out by hand, answers decoded from frames of
// every length.

Q_DECLARE_METATYPE(wiredtag::Mode)

namespace {

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

// An answer frame of `length` bytes: start byte, network number, command, the
// given bytes at their positions, zeros, and a right CRC-8.
QByteArray answer(quint8 command, int length, std::initializer_list<std::pair<int, int>> fields = {})
{
    QByteArray out(qMax(3, length - 1), '\0');
    out[0] = char(0x3E);
    out[1] = char(5);
    out[2] = char(command);
    for (const auto &f : fields) {
        if (f.first < out.size())
            out[f.first] = char(f.second);
    }
    return frame::withCrc(out);
}

} // namespace

class TestWiredTagProtocol : public QObject
{
    Q_OBJECT
private slots:
    void requestsAreTheReadersFrames_data();
    void requestsAreTheReadersFrames();
    void modeByteReadsAsAMode_data();
    void modeByteReadsAsAMode();
    void tagIdIsReadFromItsAnswer_data();
    void tagIdIsReadFromItsAnswer();
    void searchAnswerLeavesLateFramesOut_data();
    void searchAnswerLeavesLateFramesOut();
    void tagIdTextInEitherBase_data();
    void tagIdTextInEitherBase();
    void framesOfAnyLengthDecodeWithinThemselves();
};

void TestWiredTagProtocol::requestsAreTheReadersFrames_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("read") << wiredtag::readRequest(5) << hex("3105f0fe");
    QTest::newRow("reader mode") << wiredtag::modeWrite(5, true) << hex("3105f201a4");
    QTest::newRow("tag mode") << wiredtag::modeWrite(5, false) << hex("3105f200fa");
    QTest::newRow("serial 16909060") << wiredtag::serialWrite(5, 16909060) << hex("3105f6010203040c");
    QTest::newRow("network number 254") << wiredtag::netNumWrite(5, 254) << hex("3105fbfe23");
    QTest::newRow("read tag ID") << wiredtag::readTagIdRequest(5) << hex("31050657");
    QTest::newRow("tag ID 1A2B3C4D") << wiredtag::tagIdWrite(5, 0x1A2B3C4D) << hex("3105e11a2b3c4d78");
}

void TestWiredTagProtocol::requestsAreTheReadersFrames()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, expected);
    QCOMPARE(request.toHex(' '), expected.toHex(' '));
}

void TestWiredTagProtocol::modeByteReadsAsAMode_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<wiredtag::Mode>("mode");
    QTest::newRow("0 tag") << 0 << wiredtag::Mode::Tag;
    QTest::newRow("1 reader") << 1 << wiredtag::Mode::Reader;
    QTest::newRow("3 reader") << 3 << wiredtag::Mode::Reader;
    QTest::newRow("255 reader") << 255 << wiredtag::Mode::Reader;
    QTest::newRow("2 unknown") << 2 << wiredtag::Mode::Unknown;
    QTest::newRow("254 unknown") << 254 << wiredtag::Mode::Unknown;
}

void TestWiredTagProtocol::modeByteReadsAsAMode()
{
    QFETCH(int, byte);
    QFETCH(wiredtag::Mode, mode);
    QCOMPARE(wiredtag::modeFromByte(quint8(byte)), mode);
    const QByteArray read = answer(wiredtag::kReadCommand, 24, {{20, byte}});
    QCOMPARE(wiredtag::decodeMode(read), std::optional<quint8>(quint8(byte)));
}

void TestWiredTagProtocol::tagIdIsReadFromItsAnswer_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<quint32>("id");

    // The ID 0x12345678, lowest byte first, from a byte position on.
    const auto withId = [](quint8 command, int length, int at) {
        return answer(command, length, {{at, 0x78}, {at + 1, 0x56}, {at + 2, 0x34}, {at + 3, 0x12}});
    };
    QTest::newRow("read, bytes 4-7") << withId(0x06, 9, 4) << true << 0x12345678u;
    QTest::newRow("read, one byte short") << withId(0x06, 8, 4) << false << 0u;
    QTest::newRow("write, bytes 3-6") << withId(0xE1, 8, 3) << true << 0x12345678u;
    QTest::newRow("write, one byte short") << withId(0xE1, 7, 3) << false << 0u;
    QTest::newRow("read, longer") << withId(0x06, 12, 4) << true << 0x12345678u;
    QTest::newRow("another command") << withId(0xF0, 24, 4) << false << 0u;
}

void TestWiredTagProtocol::tagIdIsReadFromItsAnswer()
{
    QFETCH(QByteArray, frame);
    QFETCH(bool, decoded);
    QFETCH(quint32, id);
    const ExactFrame exact(frame);
    const std::optional<quint32> got = wiredtag::decodeTagId(exact.view());
    QCOMPARE(bool(got), decoded);
    if (got)
        QCOMPARE(*got, id);
}

void TestWiredTagProtocol::searchAnswerLeavesLateFramesOut_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("numbers");

    const QByteArray ack = answer(0xF2, 4);
    const QByteArray tagId = answer(0x06, 9);
    QTest::newRow("one reader") << hex("05") << true << hex("05");
    QTest::newRow("two readers") << hex("0507") << true << hex("0507");
    QTest::newRow("a reader at 0x3E") << hex("3e") << true << hex("3e");
    QTest::newRow("late acknowledgement, then the number") << ack + hex("fe") << true << hex("fe");
    QTest::newRow("two late frames, then numbers") << ack + tagId + hex("0102") << true << hex("0102");
    QTest::newRow("only a late frame") << ack << false << QByteArray();
    QTest::newRow("spoilt frame is not left out") << hex("3e05f200") + hex("fe") << true << hex("3e05f200fe");
    QTest::newRow("nothing") << QByteArray() << false << QByteArray();
}

void TestWiredTagProtocol::searchAnswerLeavesLateFramesOut()
{
    QFETCH(QByteArray, chunk);
    QFETCH(bool, found);
    QFETCH(QByteArray, numbers);
    const ExactFrame exact(chunk);
    const std::optional<QByteArray> got = wiredtag::searchAnswerIn(exact.view());
    QCOMPARE(bool(got), found);
    if (got)
        QCOMPARE(got->toHex(), numbers.toHex());
}

void TestWiredTagProtocol::tagIdTextInEitherBase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("toDecimal");
    QTest::addColumn<QString>("converted");
    QTest::addColumn<bool>("readable"); // in the base it was typed in

    QTest::newRow("ff to decimal") << "ff" << true << "255" << true;
    QTest::newRow("255 to hexadecimal") << "255" << false << "ff" << true;
    QTest::newRow("empty to decimal") << "" << true << "0" << false;
    QTest::newRow("empty to hexadecimal") << "" << false << "0" << false;
    QTest::newRow("upper-case hexadecimal") << "1A2B3C4D" << true << "439041101" << true;
    QTest::newRow("decimal back") << "439041101" << false << "1a2b3c4d" << true;
    QTest::newRow("above the decimal input's top") << "ffffffff" << true << "4294967295" << true;
    QTest::newRow("nine hexadecimal digits") << "100000000" << true << "0" << false;
}

void TestWiredTagProtocol::tagIdTextInEitherBase()
{
    QFETCH(QString, text);
    QFETCH(bool, toDecimal);
    QFETCH(QString, converted);
    QFETCH(bool, readable);
    QCOMPARE(wiredtag::convertTagIdText(text, toDecimal), converted);
    const bool typedDecimal = !toDecimal;
    QCOMPARE(bool(wiredtag::parseTagId(text, typedDecimal)), readable);
    if (readable)
        QCOMPARE(wiredtag::tagIdText(*wiredtag::parseTagId(text, typedDecimal), typedDecimal), text.toLower());
}

void TestWiredTagProtocol::framesOfAnyLengthDecodeWithinThemselves()
{
    QRandomGenerator rng(0x7a9u);
    const quint8 commands[] = {0xF0, 0x06, 0xE1, 0xFC, 0xF8, 0xF2, 0x00};
    for (quint8 command : commands) {
        for (int length = 0; length < 40; ++length) {
            QByteArray bytes(length, '\0');
            for (char &b : bytes)
                b = char(rng.bounded(256));
            if (length > 2)
                bytes[2] = char(command);
            const ExactFrame exact(bytes);
            const QByteArray f = exact.view();
            const bool fits =
                length >= wiredtag::minimumAnswerLength(command) && wiredtag::minimumAnswerLength(command);
            QCOMPARE(bool(wiredtag::decodeMode(f)), length >= 22);
            if (command == 0x06 || command == 0xE1)
                QCOMPARE(bool(wiredtag::decodeTagId(f)), fits);
            else
                QVERIFY(!wiredtag::decodeTagId(f));
        }
    }
}

QTEST_GUILESS_MAIN(TestWiredTagProtocol)
#include "tst_wiredtagprotocol.moc"
