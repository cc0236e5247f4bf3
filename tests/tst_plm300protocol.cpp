#include "devices/other/plm300protocol.h"
#include "link/bus.h"
#include "link/frame.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cstring>
#include <memory>

// The PLM300's frames and settings, checked against bytes written out by hand.
class TestPlm300Protocol : public QObject
{
    Q_OBJECT
private slots:
    void writeFramesCarryTheValueHighByteFirst_data();
    void writeFramesCarryTheValueHighByteFirst();
    void modeListEntriesMapToModeBytes_data();
    void modeListEntriesMapToModeBytes();
    void settingFieldsAreAcceptedOnlyWithinTheirLimits_data();
    void settingFieldsAreAcceptedOnlyWithinTheirLimits();
    void searchAnswersNameTheSensorsFound_data();
    void searchAnswersNameTheSensorsFound();
    void dataAnswerFieldsAreLittleEndian();
    void serialAnswerFieldsAreLittleEndian_data();
    void serialAnswerFieldsAreLittleEndian();
    void answersShorterThanTheirFormAreRefused_data();
    void answersShorterThanTheirFormAreRefused();
    void gluedAnswersAreCutApart();
    void decodersSurviveAnyFrame();
};

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// A data answer laid out by hand: distance 0x0196, minimum 0x0014, maximum
// 0x0190, smoothing 0x000A, mode 4, threshold 0x32.
QByteArray dataAnswer(int length = 23)
{
    QByteArray bytes = hex("3e01f0"
                           "00"
                           "9601"
                           "00000000"
                           "1400"
                           "0000"
                           "9001"
                           "0000"
                           "0a00"
                           "04"
                           "32");
    bytes.append(QByteArray(qMax(0, length - 1 - bytes.size()), '\x55'));
    bytes.truncate(length - 1);
    return frame::withCrc(bytes);
}

QByteArray serialAnswer(const char *serialLe, const char *firmwareLe, int length = 10)
{
    QByteArray bytes = hex("3e01fc") + hex(serialLe) + hex(firmwareLe);
    bytes.append(QByteArray(qMax(0, length - 1 - bytes.size()), '\x55'));
    bytes.truncate(length - 1);
    return frame::withCrc(bytes);
}

} // namespace

void TestPlm300Protocol::writeFramesCarryTheValueHighByteFirst_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("maximum 400") << plm300::settingWrite(1, plm300::kMaximumCommand, 400) << hex("3101f50190ab");
    QTest::newRow("minimum 20") << plm300::settingWrite(1, plm300::kMinimumCommand, 20) << hex("3101fa0014dd");
    QTest::newRow("maximum 0") << plm300::settingWrite(1, plm300::kMaximumCommand, 0) << hex("3101f500007e");
    QTest::newRow("smoothing 255") << plm300::settingWrite(7, plm300::kSmoothingCommand, 255)
                                   << frame::withCrc(hex("3107e900ff"));
    QTest::newRow("threshold 10") << plm300::settingWrite(7, plm300::kThresholdCommand, 10)
                                  << frame::withCrc(hex("3107ea000a"));
    QTest::newRow("passive mode") << plm300::modeWrite(1, plm300::kModePassiveRs485) << hex("3101f20064");
    QTest::newRow("frequency mode") << plm300::modeWrite(1, plm300::kModeFrequency) << hex("3101f20405");
    QTest::newRow("network number 5") << plm300::netNumWrite(1, 5) << hex("3101fb05e9");
}

void TestPlm300Protocol::writeFramesCarryTheValueHighByteFirst()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built.toHex(' '), expected.toHex(' '));
}

void TestPlm300Protocol::modeListEntriesMapToModeBytes_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("mode"); // -1: nothing is sent
    QTest::newRow("passive RS-485") << 0 << 0x00;
    QTest::newRow("frequency") << 1 << 0x04;
    QTest::newRow("no entry") << -1 << -1;
    QTest::newRow("past the list") << 2 << -1;
}

void TestPlm300Protocol::modeListEntriesMapToModeBytes()
{
    QFETCH(int, index);
    QFETCH(int, mode);
    const std::optional<quint8> byte = plm300::modeOfIndex(index);
    QCOMPARE(byte ? int(*byte) : -1, mode);
    if (byte)
        QCOMPARE(plm300::indexOfMode(*byte), index);
}

void TestPlm300Protocol::settingFieldsAreAcceptedOnlyWithinTheirLimits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("value"); // -1: refused

    const plm300::Limits max = plm300::kMaximumLimits;
    const plm300::Limits min = plm300::kMinimumLimits;
    const plm300::Limits net = plm300::kNetNumLimits;
    QTest::newRow("maximum at its top") << "400" << max.bottom << max.top << 400;
    QTest::newRow("maximum at its bottom") << "21" << max.bottom << max.top << 21;
    QTest::newRow("maximum above") << "401" << max.bottom << max.top << -1;
    QTest::newRow("maximum half typed") << "5" << max.bottom << max.top << -1;
    QTest::newRow("minimum below") << "19" << min.bottom << min.top << -1;
    QTest::newRow("empty") << "" << min.bottom << min.top << -1;
    QTest::newRow("not a number") << "2O" << min.bottom << min.top << -1;
    QTest::newRow("negative") << "-30" << min.bottom << min.top << -1;
    QTest::newRow("beyond 16 bits") << "65556" << max.bottom << max.top << -1;
    QTest::newRow("network number 0") << "0" << net.bottom << net.top << 0;
    QTest::newRow("network number 256") << "256" << net.bottom << net.top << -1;
}

void TestPlm300Protocol::settingFieldsAreAcceptedOnlyWithinTheirLimits()
{
    QFETCH(QString, text);
    QFETCH(int, bottom);
    QFETCH(int, top);
    QFETCH(int, value);
    const std::optional<quint16> read = plm300::settingValue(text, plm300::Limits{bottom, top});
    QCOMPARE(read ? int(*read) : -1, value);
}

void TestPlm300Protocol::searchAnswersNameTheSensorsFound_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<bool>("isAnswer");
    QTest::addColumn<QByteArray>("netNums");
    QTest::newRow("one sensor") << hex("05") << true << hex("05");
    QTest::newRow("three sensors in answer order") << hex("05070a") << true << hex("05070a");
    QTest::newRow("number 200") << hex("c8") << true << hex("c8");
    QTest::newRow("a frame start stands for number 0") << hex("3e05") << true << hex("00");
    QTest::newRow("a longer frame too") << hex("3e0507f0") << true << hex("00");
    QTest::newRow("a lone frame start is none") << hex("3e") << false << QByteArray();
    QTest::newRow("nothing is none") << QByteArray() << false << QByteArray();
}

void TestPlm300Protocol::searchAnswersNameTheSensorsFound()
{
    QFETCH(QByteArray, chunk);
    QFETCH(bool, isAnswer);
    QFETCH(QByteArray, netNums);
    const std::optional<QByteArray> found = plm300::decodeSearchAnswer(chunk);
    QCOMPARE(found.has_value(), isAnswer);
    if (found)
        QCOMPARE(found->toHex(), netNums.toHex());
}

void TestPlm300Protocol::dataAnswerFieldsAreLittleEndian()
{
    for (int length : {23, 30}) {
        const std::optional<plm300::Data> d = plm300::decodeData(dataAnswer(length));
        QVERIFY(d);
        QCOMPARE(d->distance, quint16(0x0196));
        QCOMPARE(d->minimum, quint16(20));
        QCOMPARE(d->maximum, quint16(400));
        QCOMPARE(d->smoothing, quint16(10));
        QCOMPARE(d->mode, quint8(4));
        QCOMPARE(d->threshold, quint8(0x32));
    }
}

void TestPlm300Protocol::serialAnswerFieldsAreLittleEndian_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<quint32>("serial");
    QTest::addColumn<quint16>("firmware");
    QTest::newRow("serial 300123, firmware 123") << serialAnswer("5b940400", "7b00") << quint32(300123) << quint16(123);
    QTest::newRow("all ones") << serialAnswer("ffffffff", "ffff") << quint32(0xFFFFFFFF) << quint16(0xFFFF);
    QTest::newRow("longer form") << serialAnswer("01000000", "d204", 14) << quint32(1) << quint16(1234);
}

void TestPlm300Protocol::serialAnswerFieldsAreLittleEndian()
{
    QFETCH(QByteArray, answer);
    QFETCH(quint32, serial);
    QFETCH(quint16, firmware);
    const std::optional<plm300::SerialAndFirmware> s = plm300::decodeSerialAndFirmware(answer);
    QVERIFY(s);
    QCOMPARE(s->serial, serial);
    QCOMPARE(s->firmware, firmware);
}

void TestPlm300Protocol::answersShorterThanTheirFormAreRefused_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("data of 22 bytes") << dataAnswer(22);
    QTest::newRow("data of 4 bytes") << dataAnswer(4);
    QTest::newRow("serial of 9 bytes") << serialAnswer("01000000", "7b00", 9);
    QTest::newRow("serial of 4 bytes") << serialAnswer("01000000", "7b00", 4);
}

void TestPlm300Protocol::answersShorterThanTheirFormAreRefused()
{
    QFETCH(QByteArray, answer);
    // The CRC is right: only the length tells these apart.
    QVERIFY(bus::acceptAnswer(answer));
    if (quint8(answer.at(2)) == plm300::kDataCommand)
        QVERIFY(!plm300::decodeData(answer));
    else
        QVERIFY(!plm300::decodeSerialAndFirmware(answer));
}

void TestPlm300Protocol::gluedAnswersAreCutApart()
{
    const QByteArray data = dataAnswer();
    const QByteArray serial = serialAnswer("5b940400", "7b00");
    // Each pair passes the CRC-8 as a whole, which is why it must be cut.
    QVERIFY(bus::acceptAnswer(data + serial));
    QCOMPARE(frame::splitAnswers(data + serial, plm300::answerLengths), (QList<QByteArray>{data, serial}));
    QCOMPARE(frame::splitAnswers(serial + data, plm300::answerLengths), (QList<QByteArray>{serial, data}));
    QCOMPARE(frame::splitAnswers(data + data, plm300::answerLengths), (QList<QByteArray>{data, data}));
}

void TestPlm300Protocol::decodersSurviveAnyFrame()
{
    // Truncated, oversized and random frames, each in a block of exactly its
    // size so that a read past the end is caught by AddressSanitizer.
    QRandomGenerator rng(0x9130u);
    for (int round = 0; round < 4000; ++round) {
        const int len = rng.bounded(0, 48);
        std::unique_ptr<char[]> block(new char[size_t(qMax(len, 1))]);
        for (int i = 0; i < len; ++i)
            block[size_t(i)] = char(rng.bounded(256));
        if (len > 2) {
            block[0] = char(frame::kAnswerStart);
            block[2] = char(round % 2 ? plm300::kDataCommand : plm300::kSerialCommand);
            block[size_t(len - 1)] = char(frame::calc_crc8(reinterpret_cast<const uchar *>(block.get()), len - 1));
        }
        const QByteArray bytes = QByteArray::fromRawData(block.get(), len);
        plm300::decodeSearchAnswer(bytes);
        if (bus::acceptAnswer(bytes)) {
            QCOMPARE(plm300::decodeData(bytes).has_value(), len >= plm300::kDataAnswerLength);
            QCOMPARE(plm300::decodeSerialAndFirmware(bytes).has_value(), len >= plm300::kSerialAnswerLength);
        }
        for (const QByteArray &answer : frame::splitAnswers(bytes + bytes, plm300::answerLengths))
            QVERIFY(!answer.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestPlm300Protocol)
#include "tst_plm300protocol.moc"
