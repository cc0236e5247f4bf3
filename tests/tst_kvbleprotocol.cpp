#include "devices/angle/kvbleprotocol.h"
#include "link/frame.h"
#include "resources/bundle.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

// The wireless angle sensor's bytes through the base: answers decoded field
// by field, requests compared with frames written out by hand, and the rules
// for the settings fields, the serial number of a new link, the write's
// order, the mode texts and the status codes.
class TestKvBleProtocol : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { initResourceBundle(); }
    void dataAnswerFieldsAreReadAtTheirPlaces_data();
    void dataAnswerFieldsAreReadAtTheirPlaces();
    void answersThatCannotHoldTheFieldsAreRefused_data();
    void answersThatCannotHoldTheFieldsAreRefused();
    void otherKindTellsWhetherItsLinkIsUp();
    void serialAnswerIsRead_data();
    void serialAnswerIsRead();
    void gluedAnswersAreCutApart_data();
    void gluedAnswersAreCutApart();
    void requestsAreTheBasesFrames_data();
    void requestsAreTheBasesFrames();
    void serialNumberOfANewLink_data();
    void serialNumberOfANewLink();
    void settingsFieldsOutsideTheirRangeAreNotSent_data();
    void settingsFieldsOutsideTheirRangeAreNotSent();
    void writeGoesOutInOrderPausingBetweenCommandsOfOneCode_data();
    void writeGoesOutInOrderPausingBetweenCommandsOfOneCode();
    void eventTextFollowsTheMode_data();
    void eventTextFollowsTheMode();
    void statusCodesAndWhatTheyDo_data();
    void statusCodesAndWhatTheyDo();
    void displayTexts();
    void rotationAnimationsOfBothThemesExist();
    void decodersSurviveAnyFrame();
};

namespace {

QByteArray hexFrame(const char *hex)
{
    return frame::withCrc(QByteArray::fromHex(hex));
}

struct Fields
{
    quint8 event = 1;
    quint16 angle = 0x0123;
    quint32 raw = 0xA1B2C3D4;
    quint32 down = 15;
    quint32 up = 160;
    quint8 mode = 4;
    quint8 firmware = 207;
    quint8 signedByte = 0xF6;
    quint8 present = 1;
    quint8 status = 0;
    QByteArray mac = QByteArray::fromHex("0102a0b0c0ff");
    quint16 delayOn = 0x1234;
    quint16 delayOff = 65535;
};

// A data answer of `length` bytes written out field by field; the bytes
// between the fields are filled so that no field is read from a gap.
QByteArray dataAnswer(const Fields &f, int length = 49)
{
    QByteArray b(length - 1, '\x77');
    const auto le = [&b](int at, quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    b[0] = char(0x3E);
    b[1] = char(0x03);
    b[2] = char(0xF0);
    b[3] = char(f.event);
    le(4, f.angle, 2);
    le(6, f.raw, 4);
    le(10, f.down, 4);
    le(14, f.up, 4);
    b[22] = char(f.mode);
    b[23] = char(f.firmware);
    b[28] = char(f.signedByte);
    b[29] = char(f.present);
    b[36] = char(f.status);
    for (int i = 0; i < 6; ++i)
        b[38 + i] = f.mac.at(i);
    le(44, f.delayOn, 2);
    le(46, f.delayOff, 2);
    return frame::withCrc(b);
}

QByteArray serialAnswer(quint32 serial, quint16 word, int length = 10)
{
    QByteArray b(qMax(length - 1, 9), '\0');
    b[0] = char(0x3E);
    b[1] = char(0x03);
    b[2] = char(0xFC);
    for (int i = 0; i < 4; ++i)
        b[3 + i] = char((serial >> (8 * i)) & 0xFF);
    b[7] = char(word & 0xFF);
    b[8] = char(word >> 8);
    return frame::withCrc(b.left(length - 1));
}

QByteArray otherKind(int length, quint8 kind)
{
    QByteArray b(length - 1, '\0');
    b[0] = char(0x3E);
    b[1] = char(0x03);
    b[2] = char(0xF0);
    b[27] = char(kind);
    return frame::withCrc(b);
}

} // namespace

void TestKvBleProtocol::dataAnswerFieldsAreReadAtTheirPlaces_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("angle");
    QTest::addColumn<quint32>("down");
    QTest::addColumn<quint32>("up");
    QTest::addColumn<int>("delayOn");
    QTest::addColumn<int>("delayOff");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("event");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("present");

    const Fields typical;
    QTest::newRow("every field little-endian")
        << dataAnswer(typical) << 0x0123 << 15u << 160u << 0x1234 << 65535 << 4 << 1 << 0 << true;
    Fields extreme;
    extreme.angle = 0xFFFF;
    extreme.down = 0x01020304;
    extreme.up = 0xFFFFFFFF;
    extreme.delayOn = 0;
    extreme.delayOff = 0x8001;
    extreme.status = 0xFF;
    extreme.present = 0;
    QTest::newRow("status byte is signed, no sensor linked")
        << dataAnswer(extreme) << 0xFFFF << 0x01020304u << 0xFFFFFFFFu << 0 << 0x8001 << 4 << 1 << -1 << false;
    Fields high;
    high.status = 19;
    high.mode = 10;
    high.event = 2;
    high.present = 0x80;
    QTest::newRow("longer answer, fields at the same places")
        << dataAnswer(high, 60) << 0x0123 << 15u << 160u << 0x1234 << 65535 << 10 << 2 << 19 << true;
}

void TestKvBleProtocol::dataAnswerFieldsAreReadAtTheirPlaces()
{
    QFETCH(QByteArray, frame);
    const std::optional<kvble::Data> d = kvble::decodeData(frame);
    QVERIFY(d);
    QTEST(int(d->angle), "angle");
    QTEST(d->param.down, "down");
    QTEST(d->param.up, "up");
    QTEST(int(d->param.delayOn), "delayOn");
    QTEST(int(d->param.delayOff), "delayOff");
    QTEST(int(d->mode), "mode");
    QTEST(int(d->event), "event");
    QTEST(d->status, "status");
    QTEST(d->sensorPresent, "present");
    QCOMPARE(d->raw, 0xA1B2C3D4u);
    QCOMPARE(int(d->firmware), 207);
    QCOMPARE(int(d->signedValue), -10);
    QCOMPARE(d->mac, QByteArray::fromHex("0102a0b0c0ff"));
}

void TestKvBleProtocol::answersThatCannotHoldTheFieldsAreRefused_data()
{
    QTest::addColumn<QByteArray>("frame");
    const QByteArray whole = dataAnswer(Fields());
    // Cut short, each with a CRC of its own, so that only the length refuses it.
    for (int length : {4, 30, 37, 39, 44, 46, 47, 48})
        QTest::newRow(qPrintable(QStringLiteral("%1 bytes").arg(length))) << frame::withCrc(whole.left(length - 1));
    for (int length : {38, 42, 45, 84})
        QTest::newRow(qPrintable(QStringLiteral("another kind, %1 bytes").arg(length))) << otherKind(length, 31);
    QTest::newRow("empty") << QByteArray();
}

void TestKvBleProtocol::answersThatCannotHoldTheFieldsAreRefused()
{
    QFETCH(QByteArray, frame);
    QVERIFY(!kvble::decodeData(frame));
}

void TestKvBleProtocol::otherKindTellsWhetherItsLinkIsUp()
{
    QVERIFY(kvble::otherKindLinked(otherKind(42, 30)));
    QVERIFY(kvble::otherKindLinked(otherKind(38, 33)));
    QVERIFY(!kvble::otherKindLinked(otherKind(45, 29)));
    QVERIFY(!kvble::otherKindLinked(otherKind(84, 34)));
    QVERIFY(!kvble::otherKindLinked(QByteArray(27, '\x1F')));
    for (int length : {38, 42, 45, 84})
        QVERIFY(kvble::isOtherKindLength(length));
    for (int length : {0, 37, 48, 49, 50, 83})
        QVERIFY(!kvble::isOtherKindLength(length));
}

void TestKvBleProtocol::serialAnswerIsRead_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("read");
    QTest::addColumn<qint32>("serial");
    QTest::addColumn<int>("word");
    QTest::newRow("ten bytes") << serialAnswer(654321, 0x0A0B) << true << 654321 << 0x0A0B;
    QTest::newRow("serial read as signed") << serialAnswer(0xFFFFFFFE, 7) << true << -2 << 7;
    QTest::newRow("longer") << serialAnswer(12, 13, 14) << true << 12 << 13;
    QTest::newRow("nine bytes") << serialAnswer(12, 13, 9) << false << 0 << 0;
    QTest::newRow("four bytes") << hexFrame("3e03fc") << false << 0 << 0;
}

void TestKvBleProtocol::serialAnswerIsRead()
{
    QFETCH(QByteArray, frame);
    QFETCH(bool, read);
    const std::optional<kvble::Serial> s = kvble::decodeSerial(frame);
    QCOMPARE(bool(s), read);
    if (!s)
        return;
    QTEST(s->serial, "serial");
    QTEST(int(s->word), "word");
}

void TestKvBleProtocol::gluedAnswersAreCutApart_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<QList<int>>("lengths");
    const QByteArray data = dataAnswer(Fields());
    Fields other;
    other.status = 4;
    other.angle = 99;
    QTest::newRow("two data answers") << data + dataAnswer(other) << QList<int>{49, 49};
    QTest::newRow("data and serial") << data + serialAnswer(5, 6) << QList<int>{49, 10};
    QTest::newRow("serial and data") << serialAnswer(5, 6) + data << QList<int>{10, 49};
    QTest::newRow("another kind and data") << otherKind(42, 30) + data << QList<int>{42, 49};
    QTest::newRow("an acknowledgement and data") << hexFrame("3e03ec") + data << QList<int>{4, 49};
}

void TestKvBleProtocol::gluedAnswersAreCutApart()
{
    QFETCH(QByteArray, chunk);
    QFETCH(QList<int>, lengths);
    // Glued, they pass the CRC check as one; cut apart, each is whole.
    QVERIFY(frame::isValidAnswer(chunk));
    const QList<QByteArray> answers = frame::splitAnswers(chunk, kvble::answerLengths);
    QList<int> found;
    for (const QByteArray &a : answers) {
        found << a.size();
        QVERIFY(frame::isValidAnswer(a));
    }
    QCOMPARE(found, lengths);
}

void TestKvBleProtocol::requestsAreTheBasesFrames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("upper threshold 180") << kvble::upWrite(180) << hexFrame("3103ec5ac396000000b4");
    QTest::newRow("lower threshold 1") << kvble::downWrite(1) << hexFrame("3103ed5ac39600000001");
    QTest::newRow("switch-on delay 65535") << kvble::delayOnWrite(65535) << hexFrame("3103e05ac396ffff");
    QTest::newRow("switch-off delay 300") << kvble::delayOffWrite(300) << hexFrame("3103e15ac396012c");
    QTest::newRow("bucket mode") << kvble::modeWrite(9) << hexFrame("3103f25ac3960009");
    QTest::newRow("transport mode") << kvble::modeWrite(0) << hexFrame("3103f25ac3960000");
    QTest::newRow("zero, no payload") << kvble::zeroWrite() << hexFrame("3103e25ac396");
    QTest::newRow("present a password") << kvble::passwordWrite(0xE8, 123456789) << hexFrame("3103e85ac396075bcd15");
    QTest::newRow("the probe: no password") << kvble::passwordWrite(0xE9, 0) << hexFrame("3103e95ac39600000000");
    QTest::newRow("link to 1193046") << kvble::linkIdWrite(1193046) << hexFrame("3103e45ac3965634d2ddeef3");
    QTest::newRow("link to 0") << kvble::linkIdWrite(0) << hexFrame("3103e45ac3960000c0ddeef3");
    QTest::newRow("link to 16777215") << kvble::linkIdWrite(16777215) << hexFrame("3103e45ac396ffffffddeef3");
    KvBleParam values;
    values.up = 100;
    values.down = 5;
    values.delayOn = 7;
    values.delayOff = 8;
    QTest::newRow("write step: upper") << kvble::stepFrame(0xEC, values) << hexFrame("3103ec5ac39600000064");
    QTest::newRow("write step: switch-off") << kvble::stepFrame(0xE1, values) << hexFrame("3103e15ac3960008");
    QTest::newRow("write step: no such") << kvble::stepFrame(0xF2, values) << QByteArray();
}

void TestKvBleProtocol::requestsAreTheBasesFrames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(frame.toHex(' '), expected.toHex(' '));
}

void TestKvBleProtocol::serialNumberOfANewLink_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("serial"); // -1: refused
    QTest::newRow("six digits") << "654321" << qint64(654321);
    QTest::newRow("leading zeros") << "000123" << qint64(123);
    QTest::newRow("zero") << "0" << qint64(0);
    QTest::newRow("largest a link carries") << "16777215" << qint64(16777215);
    QTest::newRow("beyond the link's 24 bits") << "16777216" << qint64(-1);
    QTest::newRow("beyond 32 bits") << "4294967296" << qint64(-1);
    QTest::newRow("empty") << "" << qint64(-1);
    QTest::newRow("sign") << "-5" << qint64(-1);
    QTest::newRow("blank") << " 12" << qint64(-1);
    QTest::newRow("letters") << "12a" << qint64(-1);
}

void TestKvBleProtocol::serialNumberOfANewLink()
{
    QFETCH(QString, text);
    QFETCH(qint64, serial);
    const std::optional<quint32> value = kvble::serialNumberValue(text);
    QCOMPARE(value ? qint64(*value) : qint64(-1), serial);
}

void TestKvBleProtocol::settingsFieldsOutsideTheirRangeAreNotSent_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("threshold"); // else a delay
    QTest::addColumn<int>("value");      // -1: not sent
    QTest::newRow("threshold 180") << "180" << true << 180;
    QTest::newRow("threshold 1") << "1" << true << 1;
    QTest::newRow("threshold 0") << "0" << true << -1;
    QTest::newRow("threshold 181") << "181" << true << -1;
    QTest::newRow("threshold emptied") << "" << true << -1;
    QTest::newRow("delay 65535") << "65535" << false << 65535;
    QTest::newRow("delay 65536") << "65536" << false << -1;
    QTest::newRow("delay 0") << "0" << false << -1;
    QTest::newRow("delay emptied") << "" << false << -1;
}

void TestKvBleProtocol::settingsFieldsOutsideTheirRangeAreNotSent()
{
    QFETCH(QString, text);
    QFETCH(bool, threshold);
    const std::optional<int> value = kv380::fieldValue(text, threshold ? kvble::kThresholdRange : kvble::kDelayRange);
    QTEST(value.value_or(-1), "value");
}

void TestKvBleProtocol::writeGoesOutInOrderPausingBetweenCommandsOfOneCode_data()
{
    QTest::addColumn<QList<bool>>("edited"); // up, down, delay on, delay off
    QTest::addColumn<QByteArray>("commands");
    QTest::addColumn<QList<bool>>("pauses");
    QTest::addColumn<QList<int>>("confirms");
    QTest::newRow("nothing edited") << QList<bool>{false, false, false, false} << QByteArray() << QList<bool>{}
                                    << QList<int>{};
    QTest::newRow("upper alone") << QList<bool>{true, false, false, false} << QByteArray::fromHex("ec")
                                 << QList<bool>{false} << QList<int>{4};
    QTest::newRow("both thresholds") << QList<bool>{true, true, false, false} << QByteArray::fromHex("eced")
                                     << QList<bool>{false, true} << QList<int>{4, 4};
    QTest::newRow("upper and switch-on delay") << QList<bool>{true, false, true, false} << QByteArray::fromHex("ece0")
                                               << QList<bool>{false, false} << QList<int>{4, 18};
    QTest::newRow("everything") << QList<bool>{true, true, true, true} << QByteArray::fromHex("ecede0e1")
                                << QList<bool>{false, true, false, true} << QList<int>{4, 4, 18, 18};
    QTest::newRow("lower and switch-off delay") << QList<bool>{false, true, false, true} << QByteArray::fromHex("ede1")
                                                << QList<bool>{false, false} << QList<int>{4, 18};
}

void TestKvBleProtocol::writeGoesOutInOrderPausingBetweenCommandsOfOneCode()
{
    QFETCH(QList<bool>, edited);
    QFETCH(QByteArray, commands);
    QFETCH(QList<bool>, pauses);
    QFETCH(QList<int>, confirms);
    const std::vector<kvble::WriteStep> steps = kvble::writeSteps(edited[0], edited[1], edited[2], edited[3]);
    QByteArray gotCommands;
    QList<bool> gotPauses;
    QList<int> gotConfirms;
    for (const kvble::WriteStep &s : steps) {
        gotCommands.append(char(s.command));
        gotPauses << s.pauseBefore;
        gotConfirms << s.confirm;
        // A threshold is refused with 14, a delay with 19.
        QCOMPARE(s.failure, s.confirm == 4 ? 14 : 19);
    }
    QCOMPARE(gotCommands.toHex(), commands.toHex());
    QCOMPARE(gotPauses, pauses);
    QCOMPARE(gotConfirms, confirms);
}

void TestKvBleProtocol::eventTextFollowsTheMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("event");
    QTest::addColumn<QString>("text"); // empty: the shown text stays
    QTest::newRow("transport, any event") << 0 << 2 << "бездействие";
    QTest::newRow("vertical rotation, idle") << 4 << 0 << "бездействие";
    QTest::newRow("vertical rotation, anticlockwise") << 4 << 1 << "вращение\nпротив часовой";
    QTest::newRow("horizontal rotation, clockwise") << 5 << 2 << "вращение\nпо часовой";
    QTest::newRow("rotation, unknown event") << 5 << 3 << "";
    QTest::newRow("angle control, 0") << 6 << 0 << "0";
    QTest::newRow("angle control, exceeded") << 6 << 1 << "был превышен верхний\nи не ниже нижнего";
    QTest::newRow("angle control, unknown event") << 6 << 2 << "";
    QTest::newRow("bucket idle") << 9 << 0 << "не работает";
    QTest::newRow("bucket working") << 9 << 1 << "работает";
    QTest::newRow("blade") << 10 << 1 << "";
    QTest::newRow("unknown mode") << 1 << 0 << "";
}

void TestKvBleProtocol::eventTextFollowsTheMode()
{
    QFETCH(int, mode);
    QFETCH(int, event);
    const char *text = kvble::eventText(quint8(mode), quint8(event));
    QTEST(text ? QString::fromUtf8(text) : QString(), "text");
}

void TestKvBleProtocol::statusCodesAndWhatTheyDo_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message"); // empty: no message of the table
    QTest::addColumn<QString>("log");
    QTest::addColumn<bool>("refreshes");
    QTest::newRow("1 link ID changed") << 1 << "UUID ВТ датчика успешно изменен"
                                       << "UUID successfully changed" << false;
    QTest::newRow("2 serial changed") << 2 << "S/N ВТ датчика успешно изменен"
                                      << "S/N bluetooth device successfully changed" << false;
    QTest::newRow("4 threshold set") << 4 << "Директивная калибровка ВТ датчика произведена успешно"
                                     << "Calibrate BLE successull" << true;
    QTest::newRow("9 asleep") << 9 << "Датчик переведен в режим сна"
                              << "BLE sleep" << true;
    QTest::newRow("11 link ID failed") << 11 << "Ошибка изменения UUID ВТ датчика"
                                       << "Error set UUID BLE" << true;
    QTest::newRow("13 password change failed") << 13 << "Ошибка изменения пароля ВТ датчика"
                                               << "Error change password BLE" << true;
    QTest::newRow("14 threshold failed") << 14 << "Ошибка директивной калибровки ВТ датчика"
                                         << "Error calibrate BLE" << true;
    QTest::newRow("15 mode set") << 15 << "Режим работы ВТ датчика установлен"
                                 << "New mode BLE set" << true;
    QTest::newRow("16 mode failed") << 16 << "Ошибка установки режима"
                                    << "Error set new mode BLE" << true;
    QTest::newRow("17 horizon") << 17 << "Устанорвлен горизонт"
                                << "Horizont was set" << true;
    QTest::newRow("18 delay set") << 18 << "Установлена задержка"
                                  << "The Delay was set" << true;
    QTest::newRow("19 delay failed") << 19 << "Ошибка установки задержки"
                                     << "Error while delay set" << true;
    for (int code : {0, 3, 5, 10, 20, -1, -128, 127})
        QTest::newRow(qPrintable(QStringLiteral("%1 has no message").arg(code))) << code << ""
                                                                                 << "" << false;
}

void TestKvBleProtocol::statusCodesAndWhatTheyDo()
{
    QFETCH(int, code);
    const std::optional<kvble::StatusAction> action = kvble::statusAction(code);
    QTEST(action ? QString::fromUtf8(action->message) : QString(), "message");
    QTEST(action ? QString::fromLatin1(action->log) : QString(), "log");
    QTEST(action ? action->refreshesSettings : false, "refreshes");
}

void TestKvBleProtocol::displayTexts()
{
    QCOMPARE(kvble::firmwareText(123), QString("1.2.3"));
    QCOMPARE(kvble::firmwareText(7), QString("0.0.7"));
    QCOMPARE(kvble::firmwareText(255), QString("2.5.5"));
    QCOMPARE(kvble::macText(QByteArray::fromHex("0a1bc3d4e5ff")), QString("0A:1B:C3:D4:E5:FF"));
}

void TestKvBleProtocol::rotationAnimationsOfBothThemesExist()
{
    QCOMPARE(kvble::rotationOf(4), kvble::Rotation::Vertical);
    QCOMPARE(kvble::rotationOf(5), kvble::Rotation::Horizontal);
    for (quint8 mode : {0, 6, 9, 10, 1})
        QCOMPARE(kvble::rotationOf(mode), kvble::Rotation::None);
    QSet<QString> files;
    for (auto rotation : {kvble::Rotation::Vertical, kvble::Rotation::Horizontal}) {
        for (bool dark : {false, true}) {
            const QString file = kvble::rotationMovieFile(rotation, dark);
            QVERIFY2(QFile::exists(file), qPrintable(file));
            QCOMPARE(file.contains("white_theme"), !dark);
            files.insert(file);
        }
    }
    QCOMPARE(files.size(), 4);
    QVERIFY(kvble::rotationMovieFile(kvble::Rotation::None, true).isEmpty());
}

void TestKvBleProtocol::decodersSurviveAnyFrame()
{
    // Every length around the answers' own, cut from whole answers or made
    // of noise, half of the noise with a frame's start, command and CRC-8 so
    // that it gets past the first checks.
    const QByteArray whole = dataAnswer(Fields()) + serialAnswer(1, 2) + otherKind(84, 30);
    QRandomGenerator rng(0x4b56424cu);
    for (int round = 0; round < 4000; ++round) {
        const int length = round < int(whole.size()) ? round : rng.bounded(0, 200);
        QByteArray bytes = round < int(whole.size()) ? whole.left(length) : QByteArray(length, '\0');
        if (round >= int(whole.size())) {
            for (char &c : bytes)
                c = char(rng.bounded(256));
            if (length > 3 && round % 2) {
                bytes[0] = char(0x3E);
                bytes[2] = char(round % 4 ? 0xF0 : 0xFC);
                bytes = frame::withCrc(bytes.left(length - 1));
            }
        }
        const QByteArray exact(bytes.constData(), bytes.size());
        const std::optional<kvble::Data> d = kvble::decodeData(exact);
        QVERIFY(!d || (exact.size() >= 49 && !kvble::isOtherKindLength(exact.size())));
        const std::optional<kvble::Serial> s = kvble::decodeSerial(exact);
        QVERIFY(!s || exact.size() >= 10);
        kvble::otherKindLinked(exact);
        int total = 0;
        for (const QByteArray &piece : frame::splitAnswers(exact, kvble::answerLengths))
            total += piece.size();
        QCOMPARE(total, exact.size());
    }
}

QTEST_MAIN(TestKvBleProtocol)
#include "tst_kvbleprotocol.moc"
