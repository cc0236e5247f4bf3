#include "devices/angle/kv380protocol.h"
#include "link/frame.h"
#include "resources/bundle.h"

#include <QtTest>

Q_DECLARE_METATYPE(kv380::Picture)

// The wired angle sensor's bytes: answers decoded field by field, requests
// compared with frames written out by hand, and the rules for the settings
// fields and the pictures.
class TestKv380Protocol : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { initResourceBundle(); }
    void dataAnswerFieldsAreReadAtTheirPlaces_data();
    void dataAnswerFieldsAreReadAtTheirPlaces();
    void serialAnswerIsRead_data();
    void serialAnswerIsRead();
    void answersShorterThanTheirFieldsAreRefused();
    void firmwareShowsItsLastThreeDigits_data();
    void firmwareShowsItsLastThreeDigits();
    void searchAnswerNamesTheSensors_data();
    void searchAnswerNamesTheSensors();
    void gluedAnswersAreCutApart_data();
    void gluedAnswersAreCutApart();
    void requestsAreTheSensorsFrames_data();
    void requestsAreTheSensorsFrames();
    void delaysGoOutInTheFormOfTheMode_data();
    void delaysGoOutInTheFormOfTheMode();
    void fieldsOutsideTheirRangeAreNotSent_data();
    void fieldsOutsideTheirRangeAreNotSent();
    void pictureFollowsModeAngleAndThresholds_data();
    void pictureFollowsModeAngleAndThresholds();
    void picturesOfTheTheme_data();
    void picturesOfTheTheme();
    void parameterLogLine();
};

namespace {

QByteArray hexFrame(const char *hex)
{
    return frame::withCrc(QByteArray::fromHex(hex));
}

// A data answer written out field by field.
QByteArray dataAnswer(int length, quint8 net, quint16 angle, quint32 down, quint32 up, quint8 mode, quint8 onKov,
                      quint8 offKov, quint16 on, quint16 off)
{
    QByteArray b(length - 1, '\x55');
    b[0] = char(0x3E);
    b[1] = char(net);
    b[2] = char(0xF0);
    b[4] = char(angle & 0xFF);
    b[5] = char(angle >> 8);
    for (int i = 0; i < 4; ++i) {
        b[10 + i] = char((down >> (8 * i)) & 0xFF);
        b[14 + i] = char((up >> (8 * i)) & 0xFF);
    }
    b[20] = char(mode);
    b[21] = char(onKov);
    b[22] = char(offKov);
    b[23] = char(on & 0xFF);
    b[24] = char(on >> 8);
    b[25] = char(off & 0xFF);
    b[26] = char(off >> 8);
    return frame::withCrc(b);
}

} // namespace

void TestKv380Protocol::dataAnswerFieldsAreReadAtTheirPlaces_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("down");
    QTest::addColumn<int>("up");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("delayOnKov");
    QTest::addColumn<int>("delayOffKov");
    QTest::addColumn<int>("delayOn");
    QTest::addColumn<int>("delayOff");

    QTest::newRow("blade") << dataAnswer(28, 5, 95, 20, 160, 8, 2, 3, 0x0105, 0x0207) << 95 << 20 << 160 << 8 << 2 << 3
                           << 0x0105 << 0x0207;
    QTest::newRow("bucket with master") << dataAnswer(28, 5, 0x1234, 0, 45, 17, 9, 11, 0, 0) << 0x1234 << 0 << 45 << 17
                                        << 9 << 11 << 0 << 0;
    // Thresholds are signed: the top bit makes them negative.
    QTest::newRow("negative thresholds") << dataAnswer(28, 5, 0, 0xFFFFFFF6u, 0x80000000u, 0, 0, 0, 0, 0) << 0 << -10
                                         << int(0x80000000u) << 0 << 0 << 0 << 0 << 0;
    // A longer answer carries the same fields in front.
    QTest::newRow("oversized") << dataAnswer(40, 5, 180, 30, 150, 2, 1, 1, 65535, 1) << 180 << 30 << 150 << 2 << 1 << 1
                               << 65535 << 1;
}

void TestKv380Protocol::dataAnswerFieldsAreReadAtTheirPlaces()
{
    QFETCH(QByteArray, frame);
    const std::optional<kv380::Data> d = kv380::decodeData(frame);
    QVERIFY(d);
    QTEST(int(d->angle), "angle");
    QTEST(int(d->down), "down");
    QTEST(int(d->up), "up");
    QTEST(int(d->mode), "mode");
    QTEST(int(d->delayOnKov), "delayOnKov");
    QTEST(int(d->delayOffKov), "delayOffKov");
    QTEST(int(d->delayOn), "delayOn");
    QTEST(int(d->delayOff), "delayOff");
}

void TestKv380Protocol::serialAnswerIsRead_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("serial");
    QTest::addColumn<int>("firmware");
    QTest::newRow("plain") << hexFrame("3e05fc39cc05007b00") << 379961 << 123;
    QTest::newRow("negative serial") << hexFrame("3e05fcfeffffffd204") << -2 << 1234;
    QTest::newRow("oversized") << hexFrame("3e05fc0100000065000000") << 1 << 101;
}

void TestKv380Protocol::serialAnswerIsRead()
{
    QFETCH(QByteArray, frame);
    const std::optional<kv380::SerialAndFirmware> s = kv380::decodeSerialAndFirmware(frame);
    QVERIFY(s);
    QTEST(int(s->serial), "serial");
    QTEST(int(s->firmware), "firmware");
}

void TestKv380Protocol::answersShorterThanTheirFieldsAreRefused()
{
    // Every prefix, closed with a right CRC-8: none is read past its end.
    const QByteArray data = dataAnswer(28, 5, 95, 20, 160, 8, 2, 3, 5, 7);
    for (int n = 0; n < data.size(); ++n) {
        QVERIFY2(!kv380::decodeData(data.left(n)), qPrintable(QString::number(n)));
        if (n > 0)
            QVERIFY2(!kv380::decodeData(frame::withCrc(data.left(n - 1))), qPrintable(QString::number(n)));
    }
    const QByteArray serial = hexFrame("3e05fc39cc05007b00");
    for (int n = 0; n < serial.size(); ++n) {
        QVERIFY2(!kv380::decodeSerialAndFirmware(serial.left(n)), qPrintable(QString::number(n)));
        if (n > 0)
            QVERIFY2(!kv380::decodeSerialAndFirmware(frame::withCrc(serial.left(n - 1))),
                     qPrintable(QString::number(n)));
    }
    QVERIFY(kv380::decodeData(data));
    QVERIFY(kv380::decodeSerialAndFirmware(serial));
}

void TestKv380Protocol::firmwareShowsItsLastThreeDigits_data()
{
    QTest::addColumn<int>("firmware");
    QTest::addColumn<QString>("text");
    QTest::newRow("123") << 123 << "1.2.3";
    QTest::newRow("1234") << 1234 << "2.3.4";
    QTest::newRow("7") << 7 << "0.0.7";
    QTest::newRow("0") << 0 << "0.0.0";
    QTest::newRow("65535") << 65535 << "5.3.5";
}

void TestKv380Protocol::firmwareShowsItsLastThreeDigits()
{
    QFETCH(int, firmware);
    QTEST(kv380::firmwareText(quint16(firmware)), "text");
}

void TestKv380Protocol::searchAnswerNamesTheSensors_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("numbers");
    QTest::newRow("three sensors") << QByteArray::fromHex("050709") << true << QByteArray::fromHex("050709");
    QTest::newRow("one sensor") << QByteArray::fromHex("05") << true << QByteArray::fromHex("05");
    QTest::newRow("nothing") << QByteArray() << false << QByteArray();
    QTest::newRow("lone frame start") << QByteArray::fromHex("3e") << false << QByteArray();
    QTest::newRow("sensor 0 answering with a frame head")
        << QByteArray::fromHex("3e00") << true << QByteArray::fromHex("00");
    QTest::newRow("frame start and noise") << QByteArray::fromHex("3e0712") << true << QByteArray::fromHex("00");
    // A data request that crossed the search brings its sender's whole answer.
    QTest::newRow("whole answer of sensor 6")
        << dataAnswer(28, 6, 1, 2, 3, 0, 0, 0, 0, 0) << true << QByteArray::fromHex("06");
    // Glued to the numbers, such an answer names no sensor of its own.
    QTest::newRow("an answer glued before the number")
        << dataAnswer(28, 1, 95, 2, 3, 0, 0, 0, 0, 0) + QByteArray::fromHex("01") << true << QByteArray::fromHex("01");
    QTest::newRow("numbers glued before an answer")
        << QByteArray::fromHex("0107") + dataAnswer(28, 1, 95, 2, 3, 0, 0, 0, 0, 0) << true
        << QByteArray::fromHex("0107");
}

void TestKv380Protocol::searchAnswerNamesTheSensors()
{
    QFETCH(QByteArray, chunk);
    QFETCH(bool, found);
    const std::optional<QByteArray> numbers = kv380::decodeSearchAnswer(chunk);
    QCOMPARE(bool(numbers), found);
    if (found)
        QTEST(*numbers, "numbers");
}

void TestKv380Protocol::gluedAnswersAreCutApart_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    const QByteArray data = dataAnswer(28, 5, 95, 20, 160, 8, 2, 3, 5, 7);
    const QByteArray serial = hexFrame("3e05fc39cc05007b00");
    QTest::newRow("serial then data") << serial << data;
    QTest::newRow("data then serial") << data << serial;
    QTest::newRow("mode acknowledgement then data") << hexFrame("3e05f2") << data;
    QTest::newRow("refusal then data") << hexFrame("3e05fd") << data;
    QTest::newRow("two data answers") << data << dataAnswer(28, 5, 96, 20, 160, 8, 2, 3, 5, 7);
}

void TestKv380Protocol::gluedAnswersAreCutApart()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    // Glued, the two still pass the CRC-8 as one frame.
    QVERIFY(frame::isValidAnswer(first + second));
    const QList<QByteArray> answers = frame::splitAnswers(first + second, kv380::answerLengths);
    QCOMPARE(answers, (QList<QByteArray>{first, second}));
}

void TestKv380Protocol::requestsAreTheSensorsFrames_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("data request") << kv380::dataRequest(5) << hexFrame("3105f0");
    QTest::newRow("mode blade") << kv380::modeWrite(5, 8) << hexFrame("3105f25ac39608");
    QTest::newRow("mode bucket master") << kv380::modeWrite(0x7F, 17) << hexFrame("317ff25ac39611");
    QTest::newRow("set zero") << kv380::setZeroWrite(5) << hexFrame("3105f15ac396");
    QTest::newRow("up 160") << kv380::upWrite(5, 160) << hexFrame("3105f55ac39600a0");
    QTest::newRow("down 300") << kv380::downWrite(5, 300) << hexFrame("3105fa5ac396012c");
    QTest::newRow("network number 9") << kv380::netNumWrite(5, 9) << hexFrame("3105fb5ac39609");
}

void TestKv380Protocol::requestsAreTheSensorsFrames()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built.toHex(' '), expected.toHex(' '));
}

void TestKv380Protocol::delaysGoOutInTheFormOfTheMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("expected"); // empty: nothing to send
    QTest::newRow("bucket on") << 16 << true << 9 << hexFrame("3105e05ac39609");
    QTest::newRow("bucket off") << 16 << false << 100 << hexFrame("3105e15ac39664");
    QTest::newRow("blade on") << 8 << true << 9 << hexFrame("3105e25ac3960009");
    QTest::newRow("blade off") << 8 << false << 300 << hexFrame("3105e35ac396012c");
    QTest::newRow("bucket cannot hold 256") << 16 << true << 256 << QByteArray();
    QTest::newRow("no negative delay") << 8 << false << -1 << QByteArray();
    QTest::newRow("mode 1 has no delays") << 0 << true << 5 << QByteArray();
    QTest::newRow("tipper has no delays") << 2 << false << 5 << QByteArray();
    QTest::newRow("master bit is no mode") << 17 << true << 5 << QByteArray();
}

void TestKv380Protocol::delaysGoOutInTheFormOfTheMode()
{
    QFETCH(int, mode);
    QFETCH(bool, on);
    QFETCH(int, value);
    QFETCH(QByteArray, expected);
    const std::optional<QByteArray> built =
        on ? kv380::delayOnWrite(5, quint8(mode), value) : kv380::delayOffWrite(5, quint8(mode), value);
    QCOMPARE(bool(built), !expected.isEmpty());
    if (built)
        QCOMPARE(built->toHex(' '), expected.toHex(' '));
}

void TestKv380Protocol::fieldsOutsideTheirRangeAreNotSent_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("value"); // -1: not sent
    QTest::newRow("threshold") << "70" << 180 << 70;
    QTest::newRow("lowest") << "0" << 180 << 0;
    QTest::newRow("highest") << "180" << 180 << 180;
    QTest::newRow("above the threshold range") << "181" << 180 << -1;
    QTest::newRow("empty") << "" << 180 << -1;
    QTest::newRow("network number 255") << "255" << 255 << 255;
    QTest::newRow("network number 256") << "256" << 255 << -1;
    QTest::newRow("network number 511") << "511" << 255 << -1;
    QTest::newRow("sign") << "-5" << 180 << -1;
    QTest::newRow("plus sign") << "+5" << 180 << -1;
    QTest::newRow("blank") << " 5" << 180 << -1;
    QTest::newRow("letters") << "1a" << 180 << -1;
    QTest::newRow("leading zeros") << "007" << 100 << 7;
    QTest::newRow("far too long") << "99999999999" << 255 << -1;
}

void TestKv380Protocol::fieldsOutsideTheirRangeAreNotSent()
{
    QFETCH(QString, text);
    QFETCH(int, max);
    QFETCH(int, value);
    const std::optional<int> read = kv380::fieldValue(text, kv380::FieldRange{0, max});
    QCOMPARE(read.value_or(-1), value);
}

void TestKv380Protocol::pictureFollowsModeAngleAndThresholds_data()
{
    using kv380::Picture;
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("down");
    QTest::addColumn<int>("up");
    QTest::addColumn<Picture>("picture");
    // The tipper by bands.
    const QList<QPair<int, Picture>> tipper = {
        {0, Picture::Tipper0},   {1, Picture::Tipper20},  {20, Picture::Tipper20},
        {21, Picture::Tipper40}, {40, Picture::Tipper40}, {41, Picture::Tipper60},
        {60, Picture::Tipper60}, {61, Picture::Tipper80}, {180, Picture::Tipper80}};
    for (const auto &[angle, picture] : tipper)
        QTest::addRow("tipper at %d", angle) << 2 << angle << 30 << 150 << picture;
    // Garbage truck and blade by the thresholds; on a threshold the middle one.
    for (int mode : {0, 8}) {
        QTest::addRow("mode %d at 10", mode) << mode << 10 << 30 << 150 << Picture::Down;
        QTest::addRow("mode %d at 30", mode) << mode << 30 << 30 << 150 << Picture::Mid;
        QTest::addRow("mode %d at 90", mode) << mode << 90 << 30 << 150 << Picture::Mid;
        QTest::addRow("mode %d at 150", mode) << mode << 150 << 30 << 150 << Picture::Mid;
        QTest::addRow("mode %d at 170", mode) << mode << 170 << 30 << 150 << Picture::Up;
    }
    QTest::newRow("negative upper threshold") << 0 << 0 << -20 << -10 << Picture::Up;
    QTest::newRow("frequency") << 4 << 77 << 30 << 150 << Picture::Frequency;
    QTest::newRow("bucket shows it lowered") << 16 << 170 << 30 << 150 << Picture::Down;
    QTest::newRow("unknown mode") << 6 << 90 << 30 << 150 << Picture::Unchanged;
}

void TestKv380Protocol::pictureFollowsModeAngleAndThresholds()
{
    QFETCH(int, mode);
    QFETCH(int, angle);
    QFETCH(int, down);
    QFETCH(int, up);
    QTEST(kv380::anglePicture(quint8(mode), angle, down, up), "picture");
}

void TestKv380Protocol::picturesOfTheTheme_data()
{
    using kv380::Picture;
    QTest::addColumn<int>("mode");
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("file");
    QTest::newRow("truck up dark") << 0 << Picture::Up << true << ":/images/kamazUp.png";
    QTest::newRow("truck down light") << 0 << Picture::Down << false << ":/images/kamazDown_white_theme.svg";
    QTest::newRow("tipper 40 dark") << 2 << Picture::Tipper40 << true << ":/images/samos40.png";
    QTest::newRow("tipper 0 light") << 2 << Picture::Tipper0 << false << ":/images/samos0_white_theme.svg";
    QTest::newRow("frequency light") << 4 << Picture::Frequency << false << ":/images/proff_white_theme.svg";
    QTest::newRow("blade mid dark") << 8 << Picture::Mid << true << ":/images/otvalMid.png";
    QTest::newRow("bucket up light") << 16 << Picture::Up << false << ":/images/exUp_white_theme.svg";
    QTest::newRow("tipper has no blade picture") << 2 << Picture::Up << true << "";
    QTest::newRow("blade has no tipper picture") << 8 << Picture::Tipper20 << true << "";
    QTest::newRow("unknown mode") << 6 << Picture::Mid << true << "";
}

void TestKv380Protocol::picturesOfTheTheme()
{
    QFETCH(int, mode);
    QFETCH(kv380::Picture, picture);
    QFETCH(bool, dark);
    QFETCH(QString, file);
    QCOMPARE(kv380::pictureFile(quint8(mode), picture, dark), file);
    // Every picture named exists in the bundle.
    if (!file.isEmpty())
        QVERIFY2(QFile::exists(file), qPrintable(file));
}

void TestKv380Protocol::parameterLogLine()
{
    KV380Param p;
    p.down = 20;
    p.up = 160;
    p.delayOn = 5;
    p.delayOff = 7;
    p.delayOnKov = 2;
    p.delayOffKov = 3;
    p.mode = 9;
    QCOMPARE(kv380::paramLogLine(p), QString("Down=20,Up=160,DelayOn=5,DelayOff=7,delayOffKov=3,delayOnKov=2,Mode=9"));
}

QTEST_MAIN(TestKv380Protocol)
#include "tst_kv380protocol.moc"
