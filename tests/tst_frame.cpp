#include "link/frame.h"

#include <QRandomGenerator>
#include <QtTest>

class TestFrame : public QObject
{
    Q_OBJECT
private slots:
    void crcMatchesPublishedCheckValue();
    void crcOfEmptyRangeIsZero();
    void crcOverFrameWithItsOwnCrcIsZero_data();
    void crcOverFrameWithItsOwnCrcIsZero();
    void searchRequestIsThreeBytes();
    void readRequestCarriesAddressAndCommand();
    void writeRequestCarriesSignatureThenBigEndianPayload();
    void answerCheckAcceptsOnlyWholeFramesWithTheirStartByte();
    void answerCheckSurvivesTruncatedOversizedAndRandomFrames();
    void fieldReadersStopAtTheEndOfTheData();
    void gluedAnswersAreCutAtFrameBoundaries_data();
    void gluedAnswersAreCutAtFrameBoundaries();
    void cuttingNeverLosesOrAddsBytes();
};

void TestFrame::crcMatchesPublishedCheckValue()
{
    QCOMPARE(frame::calc_crc8(QByteArray("123456789")), quint8(0xA1));
}

void TestFrame::crcOfEmptyRangeIsZero()
{
    QCOMPARE(frame::calc_crc8(nullptr, 0), quint8(0));
    QCOMPARE(frame::calc_crc8(QByteArray()), quint8(0));
}

void TestFrame::crcOverFrameWithItsOwnCrcIsZero_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("search") << QByteArray::fromHex("31ff");
    QTest::newRow("read all") << QByteArray::fromHex("3107f0");
    QTest::newRow("answer") << QByteArray::fromHex("3e01f0190102030405060708090a0b0c");
    QTest::newRow("one byte") << QByteArray::fromHex("00");
}

void TestFrame::crcOverFrameWithItsOwnCrcIsZero()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(frame::calc_crc8(frame::withCrc(bytes)), quint8(0));
}

void TestFrame::searchRequestIsThreeBytes()
{
    QCOMPARE(frame::searchRequest(), QByteArray::fromHex("31ffdc"));
}

void TestFrame::readRequestCarriesAddressAndCommand()
{
    const QByteArray r = frame::request(0x07, 0xF0);
    QCOMPARE(r.size(), 4);
    QCOMPARE(r.left(3), QByteArray::fromHex("3107f0"));
    QCOMPARE(quint8(r.at(3)), frame::calc_crc8(QByteArray::fromHex("3107f0")));

    // The indicator's requests begin with the answer start byte.
    const QByteArray n7 = frame::request(0xDE, 0xEE, QByteArray(1, '\x02'), frame::kAnswerStart);
    QCOMPARE(n7.left(4), QByteArray::fromHex("3edeee02"));
    QCOMPARE(frame::calc_crc8(n7), quint8(0));
}

void TestFrame::writeRequestCarriesSignatureThenBigEndianPayload()
{
    QByteArray payload;
    frame::appendBe32(payload, 0x01020304);
    frame::appendBe16(payload, 0xA0B0);
    const QByteArray w = frame::writeRequest(0x05, 0xF8, payload);
    QCOMPARE(w.size(), 3 + 3 + 6 + 1);
    QCOMPARE(w.left(3), QByteArray::fromHex("3105f8"));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(quint8(w.at(3 + i)), frame::kWriteSignature[i]);
    QCOMPARE(w.mid(6, 6), QByteArray::fromHex("01020304a0b0"));
    QCOMPARE(frame::calc_crc8(w), quint8(0));
}

void TestFrame::answerCheckAcceptsOnlyWholeFramesWithTheirStartByte()
{
    const QByteArray answer = frame::withCrc(QByteArray::fromHex("3e01fc0a0b"));
    QVERIFY(frame::isValidAnswer(answer));
    QVERIFY(!frame::isValidAnswer(answer, frame::kRequestStart));
    QVERIFY(!frame::isValidAnswer(answer.left(answer.size() - 1)));
    QByteArray flipped = answer;
    flipped[3] = char(flipped.at(3) ^ 1);
    QVERIFY(!frame::isValidAnswer(flipped));
    // Start, address and CRC alone are not an answer.
    QVERIFY(!frame::isValidAnswer(frame::withCrc(QByteArray::fromHex("3e01"))));
    QVERIFY(frame::isValidAnswer(frame::withCrc(QByteArray::fromHex("3e01fc"))));
}

void TestFrame::answerCheckSurvivesTruncatedOversizedAndRandomFrames()
{
    const QByteArray answer = frame::withCrc(QByteArray::fromHex("3e01f0190102030405"));
    for (int n = 0; n <= answer.size(); ++n)
        frame::isValidAnswer(answer.left(n));
    // Whole frames repeated still end on a CRC that checks; one stray byte more
    // does not.
    QByteArray big = answer.repeated(600);
    QVERIFY(frame::isValidAnswer(big));
    big.append('\x01');
    QVERIFY(!frame::isValidAnswer(big));
    auto *rng = QRandomGenerator::global();
    for (int i = 0; i < 2000; ++i) {
        QByteArray noise(int(rng->bounded(64)), Qt::Uninitialized);
        for (char &c : noise)
            c = char(rng->bounded(256));
        frame::isValidAnswer(noise);
        frame::readBe32(noise, int(rng->bounded(70)) - 3);
    }
}

void TestFrame::fieldReadersStopAtTheEndOfTheData()
{
    const QByteArray data = QByteArray::fromHex("0102030405");
    QCOMPARE(frame::readBe16(data, 0).value(), quint16(0x0102));
    QCOMPARE(frame::readLe16(data, 0).value(), quint16(0x0201));
    QCOMPARE(frame::readBe32(data, 1).value(), quint32(0x02030405));
    QCOMPARE(frame::readLe32(data, 1).value(), quint32(0x05040302));
    QCOMPARE(frame::readU8(data, 4).value(), quint8(5));
    QVERIFY(!frame::readU8(data, 5));
    QVERIFY(!frame::readBe16(data, 4));
    QVERIFY(!frame::readBe32(data, 2));
    QVERIFY(!frame::readLe32(data, -1));
    QVERIFY(!frame::readBe16(QByteArray(), 0));
}

namespace {

// A device whose all-data answers come in 24 or 42 (and 84) bytes, whose
// serial answer is 10 bytes and whose other answers carry no data.
std::vector<int> lengthsOf(quint8 command)
{
    switch (command) {
    case 0xF0:
        return {24, 42, 84};
    case 0xFC:
        return {10};
    case 0x77:
        return {}; // no length of its own
    default:
        return {4};
    }
}

QByteArray answerOf(quint8 command, int length, char fill = 0x11)
{
    QByteArray bytes(length - 1, fill);
    bytes[0] = char(0x3E);
    bytes[1] = 0x05;
    bytes[2] = char(command);
    return frame::withCrc(bytes);
}

} // namespace

void TestFrame::gluedAnswersAreCutAtFrameBoundaries_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<QList<QByteArray>>("answers");

    const QByteArray data24 = answerOf(0xF0, 24);
    const QByteArray data42 = answerOf(0xF0, 42, 0x22);
    const QByteArray data42b = answerOf(0xF0, 42, 0x33);
    const QByteArray serial = answerOf(0xFC, 10);
    const QByteArray ack = answerOf(0xF5, 4);
    const QByteArray odd = answerOf(0xF0, 26); // valid, of no known length
    QByteArray bad = data24;
    bad[bad.size() - 1] = char(bad.at(bad.size() - 1) ^ 0x40);

    QTest::newRow("one answer") << data24 << QList<QByteArray>{data24};
    QTest::newRow("serial then data") << serial + data24 << QList<QByteArray>{serial, data24};
    QTest::newRow("data then serial") << data24 + serial << QList<QByteArray>{data24, serial};
    QTest::newRow("three answers") << ack + data24 + serial << QList<QByteArray>{ack, data24, serial};
    // Two 42-byte answers are as long as one 84-byte answer, and their CRC
    // checks as one: the boundary wins.
    QTest::newRow("two halves of a long form") << data42 + data42b << QList<QByteArray>{data42, data42b};
    QTest::newRow("an answer of no known length stays whole") << odd << QList<QByteArray>{odd};
    QTest::newRow("a spoiled answer stays whole") << bad << QList<QByteArray>{bad};
    QTest::newRow("answers in front of a spoiled one") << serial + ack + bad << QList<QByteArray>{serial, ack, bad};
    QTest::newRow("an answer and a stray tail")
        << data24 + QByteArray::fromHex("0102") << QList<QByteArray>{data24 + QByteArray::fromHex("0102")};
    QTest::newRow("a command without a length is not split off")
        << answerOf(0x77, 6) + ack << QList<QByteArray>{answerOf(0x77, 6) + ack};
    QTest::newRow("nothing") << QByteArray() << QList<QByteArray>{};
}

void TestFrame::gluedAnswersAreCutAtFrameBoundaries()
{
    QFETCH(QByteArray, chunk);
    QFETCH(QList<QByteArray>, answers);
    QCOMPARE(frame::splitAnswers(chunk, lengthsOf), answers);
}

void TestFrame::cuttingNeverLosesOrAddsBytes()
{
    auto *rng = QRandomGenerator::global();
    const QList<QByteArray> pieces{answerOf(0xF0, 24), answerOf(0xFC, 10), answerOf(0xF5, 4), QByteArray::fromHex("3e"),
                                   QByteArray::fromHex("3e05f0")};
    for (int i = 0; i < 5000; ++i) {
        QByteArray chunk;
        const int parts = int(rng->bounded(6));
        for (int p = 0; p < parts; ++p) {
            if (rng->bounded(3) == 0) {
                QByteArray noise(int(rng->bounded(30)), Qt::Uninitialized);
                for (char &c : noise)
                    c = char(rng->bounded(256));
                chunk += noise;
            } else {
                chunk += pieces.at(int(rng->bounded(pieces.size())));
            }
        }
        const QList<QByteArray> cut = frame::splitAnswers(chunk, lengthsOf);
        QByteArray joined;
        for (const QByteArray &piece : cut) {
            QVERIFY(!piece.isEmpty());
            joined += piece;
        }
        QCOMPARE(joined, chunk);
    }
}

QTEST_APPLESS_MAIN(TestFrame)
#include "tst_frame.moc"
