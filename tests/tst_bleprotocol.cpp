#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bleprotocol.h"
#include "link/frame.h"
#include "simulatedbase.h"

#include <QSignalSpy>
#include <QtTest>

#include <limits>

// The BLE base's bytes without any widget: answer decoders, the advertising
// record and its model, status texts, display rules and request frames.
class TestBleProtocol : public QObject
{
    Q_OBJECT
private slots:
    void dataAnswerIsTakenOnlyInItsKnownLengths_data();
    void dataAnswerIsTakenOnlyInItsKnownLengths();
    void dataAnswerFieldsSitWhereTheBasePutsThem();
    void kindByteIsReadOnlyWhereTheFrameHasOne_data();
    void kindByteIsReadOnlyWhereTheFrameHasOne();
    void answerCheckNeedsStartLengthAndCrc_data();
    void answerCheckNeedsStartLengthAndCrc();
    void shortAnswersNeedTheirWholeLength_data();
    void shortAnswersNeedTheirWholeLength();
    void gluedAnswersAreCutAtTheirBoundary_data();
    void gluedAnswersAreCutAtTheirBoundary();
    void displayRules_data();
    void displayRules();
    void calibrationPlausibility_data();
    void calibrationPlausibility();
    void requestFrames_data();
    void requestFrames();
    void autoCalibrationValues_data();
    void autoCalibrationValues();
    void advertRecordFieldsAndShortRecords();
    void modelDecidesPresenceRangeAndLink_data();
    void modelDecidesPresenceRangeAndLink();
    void modelLatchesSmoothingAndLinkUntilEmptied();
    void modelAnnouncesASensorOnceAndKeepsNamesApart();
};

namespace {

// A data answer of the given length with every field distinct.
SimulatedBase::LinkedSensor sampleSensor(int form)
{
    SimulatedBase::LinkedSensor s;
    s.form = form;
    s.temperature = -5;
    s.level = 0x1964;
    s.current = -1;
    s.empty = 0x01020304;
    s.full = 0xA0B0C0D0;
    s.mode = 0x84;
    s.filter = 0x2F;
    s.firmware = 234;
    s.rssi = -1;
    s.battery = 36;
    return s;
}

QByteArray framed(const QByteArray &body)
{
    return frame::withCrc(body);
}

SimulatedBase::AdvertRecord recordNamed(const char *name, qint8 rssi = -40)
{
    SimulatedBase::AdvertRecord r;
    r.name = name;
    r.rssi = rssi;
    r.listNumber = 1;
    r.netNumber = 7;
    r.level = 300;
    r.battery = 35;
    return r;
}

} // namespace

void TestBleProtocol::dataAnswerIsTakenOnlyInItsKnownLengths_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<bool>("withAddress");
    QTest::newRow("28") << 28 << false << false;
    QTest::newRow("37") << 37 << false << false;
    QTest::newRow("38") << 38 << true << false;
    QTest::newRow("42") << 42 << true << false;
    QTest::newRow("44") << 44 << false << false;
    QTest::newRow("45") << 45 << true << true;
    QTest::newRow("49") << 49 << true << true;
    QTest::newRow("50") << 50 << false << false;
    QTest::newRow("84") << 84 << true << true;
    QTest::newRow("85") << 85 << false << false;
}

void TestBleProtocol::dataAnswerIsTakenOnlyInItsKnownLengths()
{
    QFETCH(int, length);
    QFETCH(bool, taken);
    QFETCH(bool, withAddress);
    const QByteArray answer = SimulatedBase::dataFrame(sampleSensor(length), 7);
    QCOMPARE(answer.size(), length);
    const std::optional<ble::Data> data = ble::decodeData(answer);
    QCOMPARE(data.has_value(), taken);
    if (taken) {
        QCOMPARE(data->status, quint8(7));
        QCOMPARE(data->address.has_value(), withAddress);
        if (withAddress)
            QCOMPARE(*data->address, QByteArray::fromHex("0a1b2c3d4e5f"));
    }
}

void TestBleProtocol::dataAnswerFieldsSitWhereTheBasePutsThem()
{
    const QByteArray answer = SimulatedBase::dataFrame(sampleSensor(38), 16);
    // The level word arrives low byte first.
    QCOMPARE(quint8(answer.at(4)), quint8(0x64));
    QCOMPARE(quint8(answer.at(5)), quint8(0x19));
    const ble::Data d = *ble::decodeData(answer);
    QCOMPARE(d.temperature, qint8(-5));
    QCOMPARE(d.level, quint16(6500));
    QCOMPARE(qint32(d.current), -1);
    QCOMPARE(d.empty, quint32(0x01020304));
    QCOMPARE(d.full, quint32(0xA0B0C0D0));
    QCOMPARE(d.mode, quint8(0x84));
    QCOMPARE(d.filter, quint8(0x2F));
    QCOMPARE(d.firmware, quint8(234));
    QCOMPARE(d.rssi, qint8(-1));
    QCOMPARE(d.battery, qint8(36));
    QCOMPARE(d.status, quint8(16));
    QVERIFY(!d.address);
}

void TestBleProtocol::kindByteIsReadOnlyWhereTheFrameHasOne_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("hasKind");
    QTest::newRow("4") << 4 << false;
    QTest::newRow("27") << 27 << false;
    QTest::newRow("28") << 28 << true;
    QTest::newRow("38") << 38 << true;
    QTest::newRow("50") << 50 << true;
}

void TestBleProtocol::kindByteIsReadOnlyWhereTheFrameHasOne()
{
    QFETCH(int, length);
    QFETCH(bool, hasKind);
    QByteArray body(length - 1, char(0x1E));
    body[0] = char(0x3E);
    const std::optional<quint8> kind = ble::sensorKind(framed(body));
    QCOMPARE(kind.has_value(), hasKind);
    if (hasKind && length > 28)
        QCOMPARE(*kind, quint8(30));
}

void TestBleProtocol::answerCheckNeedsStartLengthAndCrc_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accepted");
    const QByteArray good = framed(QByteArray::fromHex("3e03f7"));
    QByteArray badCrc = good;
    badCrc[3] = char(badCrc.at(3) ^ 1);
    QByteArray badStart = framed(QByteArray::fromHex("3103f7"));
    QTest::newRow("whole") << good << true;
    QTest::newRow("bad CRC") << badCrc << false;
    QTest::newRow("request start") << badStart << false;
    QTest::newRow("three bytes") << framed(QByteArray::fromHex("3e03")) << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestBleProtocol::answerCheckNeedsStartLengthAndCrc()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    const std::optional<ble::AnswerHead> head = ble::acceptAnswer(bytes);
    QCOMPARE(head.has_value(), accepted);
    if (accepted) {
        QCOMPARE(head->net, quint8(3));
        QCOMPARE(head->command, quint8(0xF7));
    }
}

void TestBleProtocol::shortAnswersNeedTheirWholeLength_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("paramAck");
    QTest::addColumn<bool>("list");
    QTest::newRow("0xF2 of 5") << framed(QByteArray::fromHex("3e03f280")) << false << false;
    QTest::newRow("0xF2 of 6") << framed(QByteArray::fromHex("3e03f28005")) << true << false;
    QByteArray list(155, '\0');
    list[0] = char(0x3E);
    list[2] = char(0xA6);
    QTest::newRow("list of 155") << framed(list.left(154)) << false << false;
    QTest::newRow("list of 156") << framed(list) << false << true;
}

void TestBleProtocol::shortAnswersNeedTheirWholeLength()
{
    QFETCH(QByteArray, frame);
    QFETCH(bool, paramAck);
    QFETCH(bool, list);
    // Each decoder is handed only frames of its own command, as the intake does.
    const bool isAck = quint8(frame.at(2)) == ble::kParamWriteCommand;
    const std::optional<ble::ParamAck> ack = isAck ? ble::decodeParamAck(frame) : std::nullopt;
    QCOMPARE(ack.has_value(), paramAck);
    if (paramAck) {
        QCOMPARE(ack->mode, quint8(0x80));
        QCOMPARE(ack->filter, quint8(0x05));
    }
    const std::optional<QByteArray> records = isAck ? std::nullopt : ble::advertRecords(frame);
    QCOMPARE(records.has_value(), list);
    if (list)
        QCOMPARE(records->size(), ble::kAdvertRecords * ble::kAdvertRecordLength);
}

void TestBleProtocol::gluedAnswersAreCutAtTheirBoundary_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<QList<int>>("lengths");
    const QByteArray data38 = SimulatedBase::dataFrame(sampleSensor(38), 0);
    const QByteArray data84 = SimulatedBase::dataFrame(sampleSensor(84), 0);
    const QByteArray identity = framed(QByteArray::fromHex("3e03fce11000006900"));
    const QByteArray ack = framed(QByteArray::fromHex("3e03f8"));
    QTest::newRow("data + identity") << data38 + identity << QList<int>{38, 10};
    QTest::newRow("two data answers") << data38 + data38 << QList<int>{38, 38};
    QTest::newRow("long data + ack") << data84 + ack << QList<int>{84, 4};
    // A data answer of a length the base does not send stays one piece.
    QByteArray odd(49, '\x1E');
    odd[0] = char(0x3E);
    odd[2] = char(0xF0);
    QTest::newRow("unknown length") << framed(odd) << QList<int>{50};
    // The advertising mode's acknowledgements, loosely framed, glued behind a
    // list answer; the same cut leaves linked-mode chunks as they were.
    QByteArray listBody(ble::kAdvertListLength - 1, '\0');
    listBody[0] = char(0x3E);
    listBody[2] = char(ble::kAdvertListCommand);
    const QByteArray list = framed(listBody);
    QTest::newRow("list + ack under the request start byte")
        << list + framed(QByteArray::fromHex("3100ec")) << QList<int>{156, 4};
    QTest::newRow("list + name ack without CRC") << list + QByteArray::fromHex("3e008a") << QList<int>{156, 3};
}

void TestBleProtocol::gluedAnswersAreCutAtTheirBoundary()
{
    QFETCH(QByteArray, chunk);
    QFETCH(QList<int>, lengths);
    QList<int> got;
    for (const QByteArray &answer : ble::splitAdvertChunk(chunk))
        got.append(answer.size());
    QCOMPARE(got, lengths);
    // The advertising cut differs from the shared one only before an
    // acknowledgement.
    if (!QByteArray(QTest::currentDataTag()).startsWith("list")) {
        got.clear();
        for (const QByteArray &answer : frame::splitAnswers(chunk, ble::answerLengths))
            got.append(answer.size());
        QCOMPARE(got, lengths);
    }
}

void TestBleProtocol::displayRules_data()
{
    QTest::addColumn<QString>("got");
    QTest::addColumn<QString>("expected");
    QTest::newRow("battery 36") << ble::batteryText(36) << "3.6";
    QTest::newRow("battery 105") << ble::batteryText(105) << "0.5";
    QTest::newRow("battery 0") << ble::batteryText(0) << "0.0";
    QTest::newRow("address") << ble::addressText(QByteArray::fromHex("0a1b2c3d4e5f")) << "0A:1B:2C:3D:4E:5F";
    QTest::newRow("address zero") << ble::addressText(QByteArray(6, '\0')) << "00:00:00:00:00:00";
    QTest::newRow("summary") << ble::connectionSummary(3, 100, 200, 512, 512, 21)
                             << "Net num=3, Empty=100, Full=200, Current=512, Level=512, Temperature=21";
    QTest::newRow("summary below zero") << ble::connectionSummary(3, 0, 0, 0, 0, -5)
                                        << "Net num=3, Empty=0, Full=0, Current=0, Level=0, Temperature=-5";
}

void TestBleProtocol::displayRules()
{
    QFETCH(QString, got);
    QFETCH(QString, expected);
    QCOMPARE(got, expected);
}

void TestBleProtocol::calibrationPlausibility_data()
{
    QTest::addColumn<quint32>("empty");
    QTest::addColumn<quint32>("full");
    QTest::addColumn<bool>("calibrated");
    QTest::newRow("131") << 100u << 131u << true;
    QTest::newRow("219") << 100u << 219u << true;
    QTest::newRow("129") << 100u << 129u << false;
    QTest::newRow("221") << 100u << 221u << false;
    QTest::newRow("both zero") << 0u << 0u << true;
    QTest::newRow("largest") << 0xFFFFFFFFu << 0xFFFFFFFFu << false;
}

void TestBleProtocol::calibrationPlausibility()
{
    QFETCH(quint32, empty);
    QFETCH(quint32, full);
    QFETCH(bool, calibrated);
    QCOMPARE(ble::isCalibrated(empty, full), calibrated);
}

void TestBleProtocol::requestFrames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    const auto withCrc = [](const char *hex) { return framed(QByteArray::fromHex(hex)); };
    QTest::newRow("probe") << ble::passwordProbe() << withCrc("3103e95ac39600000000");
    QTest::newRow("present 1234") << ble::valueWrite(3, ble::kSensorEnterPassword, 1234)
                                  << withCrc("3103e85ac396000004d2");
    QTest::newRow("Empty -190") << ble::valueWrite(3, ble::kWriteEmptyCommand, quint32(-190))
                                << withCrc("3103ed5ac396ffffff42");
    QTest::newRow("mode and filter") << ble::paramWrite(0x80, 5) << withCrc("3103f25ac3968005");
    QTest::newRow("update mode") << ble::updateModeRequest(3) << withCrc("3103e65ac396");
    QTest::newRow("list") << ble::advertListRequest(0) << withCrc("3100a6");
}

void TestBleProtocol::requestFrames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(frame.toHex(), expected.toHex());
}

void TestBleProtocol::autoCalibrationValues_data()
{
    QTest::addColumn<qint32>("raw");
    QTest::addColumn<int>("temperature");
    QTest::addColumn<qint32>("empty");
    QTest::addColumn<qint32>("full");
    QTest::newRow("10000 at 0") << 10000 << 0 << 10100 << 10230;
    QTest::newRow("10000 at 20") << 10000 << 20 << 9980 << 10190;
    QTest::newRow("10000 at -10") << 10000 << -10 << 10210 << 10300;
    QTest::newRow("4800 at 5") << 4800 << 5 << 4870 << -190;
    QTest::newRow("-1 switches the slope") << 10000 << -1 << 10111 << 10237;
    QTest::newRow("2399 divides to 0") << 2399 << 10 << 2439 << -5032;
    QTest::newRow("2400 divides to 1") << 2400 << 10 << 2440 << -5020;
    // The sensor's 32-bit sums wrap; ours give the same bytes.
    QTest::newRow("largest raw") << std::numeric_limits<qint32>::max() << 0 << std::numeric_limits<qint32>::min() + 99
                                 << -9772;
}

void TestBleProtocol::autoCalibrationValues()
{
    QFETCH(qint32, raw);
    QFETCH(int, temperature);
    QFETCH(qint32, empty);
    QFETCH(qint32, full);
    const ble::EmptyFull v = ble::autoCalibration(raw, qint8(temperature));
    QCOMPARE(v.empty, empty);
    QCOMPARE(v.full, full);
}

void TestBleProtocol::advertRecordFieldsAndShortRecords()
{
    SimulatedBase::AdvertRecord r = recordNamed("ZM_004711");
    r.temperature = -3;
    r.rangeByte = 0x80;
    r.smoothing = 2;
    r.slotMask = 0x48;
    r.mode = 0xFA;
    r.illuminance = 0x1234;
    r.pressure = 0x00010002;
    r.paramSet = 4;
    const QByteArray bytes = SimulatedBase::recordBytes(r);
    const ble::AdvertRecord a = ble::decodeAdvertRecord(QByteArray(3, 'x') + bytes, 3);
    QCOMPARE(a.temperature, qint8(-3));
    QCOMPARE(a.level, quint16(300));
    QCOMPARE(a.rangeByte, quint8(0x80));
    QCOMPARE(a.smoothing, quint8(2));
    QCOMPARE(a.netNumber, quint8(7));
    QCOMPARE(a.rssi, qint8(-40));
    QCOMPARE(a.battery, quint8(35));
    QCOMPARE(a.name, QByteArray("ZM_004711"));
    QCOMPARE(a.listNumber, quint8(1));
    QCOMPARE(a.slotMask, quint8(0x48));
    QVERIFY(ble::isEncryptedMode(a.mode));
    QCOMPARE(a.illuminance, quint16(0x1234));
    QCOMPARE(a.pressure, quint32(65538));
    QCOMPARE(a.paramSet, quint8(4));

    // A record cut short reads zeros where it ends, never beyond.
    const ble::AdvertRecord cut = ble::decodeAdvertRecord(bytes.left(12));
    QCOMPARE(cut.netNumber, quint8(7));
    QCOMPARE(cut.battery, quint8(0));
    QCOMPARE(cut.name, QByteArray(9, '\0'));
    QCOMPARE(ble::decodeAdvertRecord(bytes, -5).netNumber, quint8(0));
    QCOMPARE(ble::decodeAdvertRecord(bytes, 100).netNumber, quint8(0));

    QVERIFY(ble::isFreeSlotName("QF_000000"));
    QVERIFY(!ble::isFreeSlotName("QF_000001"));
    QVERIFY(!ble::isFreeSlotName("QF_0000"));
    QVERIFY(!ble::isFreeSlotName(QByteArray(9, '\0')));
    QCOMPARE(ble::extraParamBit(1), quint8(0x08));
    QCOMPARE(ble::extraParamBit(4), quint8(0x40));
}

void TestBleProtocol::modelDecidesPresenceRangeAndLink_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("rssi");
    QTest::addColumn<int>("listNumber");
    QTest::addColumn<int>("rangeByte");
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("levelMax");
    QTest::newRow("fuel sensor") << QByteArray("QF_000123") << -40 << 1 << 0 << true << 1023;
    QTest::newRow("range bit") << QByteArray("QF_000123") << -40 << 1 << 0x80 << true << 4095;
    QTest::newRow("other bits") << QByteArray("QF_000123") << -40 << 1 << 0x7F << true << 1023;
    QTest::newRow("angle sensor") << QByteArray("KV_000123") << -40 << 1 << 0x80 << true << 180;
    QTest::newRow("free slot") << QByteArray("QF_000000") << -40 << 1 << 0x80 << false << 4095;
    QTest::newRow("number 29") << QByteArray("QF_000123") << -40 << 29 << 0 << true << 1023;
    QTest::newRow("number 30") << QByteArray("QF_000123") << -40 << 30 << 0 << false << 1023;
    QTest::newRow("no signal") << QByteArray("QF_000123") << 0 << 1 << 0 << false << 1023;
}

void TestBleProtocol::modelDecidesPresenceRangeAndLink()
{
    QFETCH(QByteArray, name);
    QFETCH(int, rssi);
    QFETCH(int, listNumber);
    QFETCH(int, rangeByte);
    QFETCH(bool, present);
    QFETCH(int, levelMax);
    SimulatedBase::AdvertRecord r = recordNamed(name.constData(), qint8(rssi));
    r.listNumber = quint8(listNumber);
    r.rangeByte = quint8(rangeByte);
    BLEAdwModel model;
    model.setParamDevice(SimulatedBase::recordBytes(r).constData());
    QCOMPARE(model.getFlConnectedDevice(), present);
    QCOMPARE(model.getLevelMax(), levelMax);
    QCOMPARE(model.getNameChar().toLatin1(), present ? name : QByteArray(9, '\0'));
    QCOMPARE(model.getNetNumber(), 7);
    if (rssi == 0) {
        // An empty slot keeps nothing live.
        QCOMPARE(model.getListNumber(), quint8(0xFF));
        QCOMPARE(model.getLevel(), quint16(0));
        QCOMPARE(model.getBattery(), quint8(0));
    } else {
        QCOMPARE(model.getLevel(), quint16(300));
    }
}

void TestBleProtocol::modelLatchesSmoothingAndLinkUntilEmptied()
{
    BLEAdwModel model;
    SimulatedBase::AdvertRecord r = recordNamed("QF_000123");
    r.smoothing = 1;
    r.mode = 31;
    model.setParamRecord(SimulatedBase::recordBytes(r));
    QVERIFY(model.isSmoothingOn());
    QVERIFY(model.getFlLinked());

    r.smoothing = 0;
    r.mode = 0;
    model.setParamRecord(SimulatedBase::recordBytes(r));
    QVERIFY(model.isSmoothingOn());
    QVERIFY(model.getFlLinked());

    r.rssi = 0;
    model.setParamRecord(SimulatedBase::recordBytes(r));
    QVERIFY(!model.getFlLinked());
    QVERIFY(model.isSmoothingOn()); // only a reset clears it
    model.resetSettingToDefault();
    QVERIFY(!model.isSmoothingOn());

    // The card shows the pressure's low 16 bits of the whole value.
    r = recordNamed("ZM_000001");
    r.pressure = 0x00010002;
    model.setParamRecord(SimulatedBase::recordBytes(r));
    QCOMPARE(model.getPressure(), quint16(2));
}

void TestBleProtocol::modelAnnouncesASensorOnceAndKeepsNamesApart()
{
    BLEAdwModel model;
    QSignalSpy connected(&model, &BLEAdwModel::deviceAdwertIsConnected);
    const QByteArray sensor = SimulatedBase::recordBytes(recordNamed("QF_000123"));
    const QByteArray free = SimulatedBase::recordBytes(recordNamed("QF_000000"));
    model.setParamRecord(sensor);
    model.setParamRecord(sensor);
    QCOMPARE(connected.count(), 1);
    model.setParamRecord(free);
    model.setParamRecord(sensor);
    QCOMPARE(connected.count(), 2);

    model.setNameForConnect("QF_004242 and more");
    QCOMPARE(QByteArray(model.getNameCharForConnect(), 9), QByteArray("QF_004242"));
    QCOMPARE(model.getNameChar(), QString("QF_000123"));
    model.setFlConnectedDevice(true);
    QCOMPARE(model.getNameChar(), QString("QF_000123"));
    model.setFlConnectedDevice(false);
    QCOMPARE(QByteArray(model.getNameCharForConnect(), 9), QByteArray(9, '\0'));
    QCOMPARE(model.getNameChar(), QString(9, QChar(0)));

    // A record handed in too short never reads past its end.
    model.setParamRecord(sensor.left(5));
    QVERIFY(!model.getFlConnectedDevice());
}

QTEST_MAIN(TestBleProtocol)
#include "tst_bleprotocol.moc"
