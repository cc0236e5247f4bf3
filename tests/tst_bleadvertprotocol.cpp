#include "devices/ble/bleprotocol.h"
#include "link/frame.h"

#include <QtTest>

// The advertising slots' bytes without any widget: the base configuration
// byte, typed numbers, the link ID, sensor families and the slot requests.
class TestBleAdvertProtocol : public QObject
{
    Q_OBJECT
private slots:
    void configurationChangesOnlyTheSlotsBits_data();
    void configurationChangesOnlyTheSlotsBits();
    void parameterSetOutsideItsRangeIsSetZero_data();
    void parameterSetOutsideItsRangeIsSetZero();
    void typedNetworkNumberIsOneByteOrNothing_data();
    void typedNetworkNumberIsOneByteOrNothing();
    void networkNumbersWithinOneClash_data();
    void networkNumbersWithinOneClash();
    void typedSerialFitsTheLinkIdOrIsRefused_data();
    void typedSerialFitsTheLinkIdOrIsRefused();
    void linkIdCarriesTheSerialsLowBytes_data();
    void linkIdCarriesTheSerialsLowBytes();
    void familyByPrefix_data();
    void familyByPrefix();
    void slotRequestFrames_data();
    void slotRequestFrames();
};

namespace {

QByteArray framed(const char *hex)
{
    return frame::withCrc(QByteArray::fromHex(hex));
}

} // namespace

void TestBleAdvertProtocol::configurationChangesOnlyTheSlotsBits_data()
{
    QTest::addColumn<int>("config");
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("enableDev");
    QTest::addColumn<bool>("enableDop");
    QTest::addColumn<int>("expected");
    // Slot 1 has no on/off bit: only its extra parameters (bit 3) change.
    QTest::newRow("slot 1 extra on") << 0x00 << 0 << true << true << 0x08;
    QTest::newRow("slot 1 freed") << 0xFF << 0 << false << false << 0xF7;
    QTest::newRow("slot 2 on with extra") << 0x00 << 1 << true << true << 0x11;
    QTest::newRow("slot 3 on, extra off") << 0x22 << 2 << true << false << 0x02;
    QTest::newRow("slot 3 freed") << 0x7F << 2 << false << false << 0x5D;
    QTest::newRow("slot 4 on") << 0x80 << 3 << true << false << 0x84;
    QTest::newRow("slot 4 extra") << 0x04 << 3 << true << true << 0x44;
    // Bit 7 passes as read.
    QTest::newRow("bit 7 kept") << 0x80 << 1 << false << false << 0x80;
    QTest::newRow("no such slot") << 0x5A << 4 << true << true << 0x5A;
    QTest::newRow("negative slot") << 0x5A << -1 << false << false << 0x5A;
}

void TestBleAdvertProtocol::configurationChangesOnlyTheSlotsBits()
{
    QFETCH(int, config);
    QFETCH(int, slot);
    QFETCH(bool, enableDev);
    QFETCH(bool, enableDop);
    QFETCH(int, expected);
    QCOMPARE(int(ble::changedConfig(quint8(config), slot, enableDev, enableDop)), expected);
}

void TestBleAdvertProtocol::parameterSetOutsideItsRangeIsSetZero_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("set");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("5") << 5 << 5;
    QTest::newRow("6") << 6 << 0;
    QTest::newRow("-1") << -1 << 0;
}

void TestBleAdvertProtocol::parameterSetOutsideItsRangeIsSetZero()
{
    QFETCH(int, index);
    QFETCH(int, set);
    QCOMPARE(int(ble::paramSetNumber(index)), set);
}

void TestBleAdvertProtocol::typedNetworkNumberIsOneByteOrNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number"); // -1: refused
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("255") << "255" << 255;
    QTest::newRow("leading zeros") << "007" << 7;
    // Never sent as its low byte (300 would go out as 44).
    QTest::newRow("256") << "256" << -1;
    QTest::newRow("300") << "300" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("with extra number") << "5,6" << -1;
    QTest::newRow("negative") << "-1" << -1;
    QTest::newRow("space") << " 5" << -1;
    QTest::newRow("huge") << "99999999999999999999" << -1;
}

void TestBleAdvertProtocol::typedNetworkNumberIsOneByteOrNothing()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    const std::optional<quint8> typed = ble::typedNetNumber(text);
    QCOMPARE(typed.has_value(), number >= 0);
    if (typed)
        QCOMPARE(int(*typed), number);
}

void TestBleAdvertProtocol::networkNumbersWithinOneClash_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QList<int>>("inUse");
    QTest::addColumn<int>("clashes");
    QTest::newRow("equal") << 10 << QList<int>{10, 20, 30, 40} << 1;
    QTest::newRow("one below") << 9 << QList<int>{10, 20, 30, 40} << 1;
    QTest::newRow("one above") << 41 << QList<int>{10, 20, 30, 40} << 1;
    QTest::newRow("two away from all") << 12 << QList<int>{10, 20, 30, 40} << 0;
    QTest::newRow("between two") << 21 << QList<int>{10, 20, 22, 40} << 2;
    QTest::newRow("free slots count too") << 0 << QList<int>{0, 0, 5, 0} << 3;
}

void TestBleAdvertProtocol::networkNumbersWithinOneClash()
{
    QFETCH(int, number);
    QFETCH(QList<int>, inUse);
    QFETCH(int, clashes);
    QCOMPARE(ble::netNumberClashes(number, inUse), clashes);
}

void TestBleAdvertProtocol::typedSerialFitsTheLinkIdOrIsRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("serial"); // -1: refused
    QTest::newRow("0") << "0" << qint64(0);
    QTest::newRow("six digits") << "123456" << qint64(123456);
    QTest::newRow("largest") << "16777215" << qint64(0xFFFFFF);
    // A number past 24 bits would link to some other sensor.
    QTest::newRow("past 24 bits") << "16777216" << qint64(-1);
    QTest::newRow("past 32 bits") << "4294967296" << qint64(-1);
    QTest::newRow("empty") << "" << qint64(-1);
    QTest::newRow("letters") << "12a" << qint64(-1);
}

void TestBleAdvertProtocol::typedSerialFitsTheLinkIdOrIsRefused()
{
    QFETCH(QString, text);
    QFETCH(qint64, serial);
    const std::optional<quint32> typed = ble::typedSerial(text);
    QCOMPARE(typed.has_value(), serial >= 0);
    if (typed)
        QCOMPARE(qint64(*typed), serial);
}

void TestBleAdvertProtocol::linkIdCarriesTheSerialsLowBytes_data()
{
    QTest::addColumn<quint32>("serial");
    QTest::addColumn<QByteArray>("id");
    QTest::newRow("1193046") << quint32(1193046) << QByteArray::fromHex("5634d2ddeeff");
    QTest::newRow("0") << quint32(0) << QByteArray::fromHex("0000c0ddeeff");
    QTest::newRow("largest") << quint32(0xFFFFFF) << QByteArray::fromHex("ffffffddeeff");
}

void TestBleAdvertProtocol::linkIdCarriesTheSerialsLowBytes()
{
    QFETCH(quint32, serial);
    QFETCH(QByteArray, id);
    QCOMPARE(ble::linkId(serial, ble::kBaseLinkIdTail).toHex(), id.toHex());
    QCOMPARE(ble::linkIdWrite(0x03, id), frame::withCrc(QByteArray::fromHex("3103e45ac396") + id));
}

void TestBleAdvertProtocol::familyByPrefix_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("family");
    QTest::addColumn<bool>("climateValues");
    QTest::newRow("fuel") << QByteArray("QF_000001") << int(ble::Family::Fuel) << false;
    QTest::newRow("light") << QByteArray("YQ_000001") << int(ble::Family::Light) << false;
    QTest::newRow("angle") << QByteArray("KV_000001") << int(ble::Family::Angle) << false;
    QTest::newRow("climate") << QByteArray("ZM_000001") << int(ble::Family::Climate) << true;
    // The card goes by the second letter alone.
    QTest::newRow("second letter M") << QByteArray("QM_000001") << int(ble::Family::Unknown) << true;
    QTest::newRow("lower case") << QByteArray("qf_000001") << int(ble::Family::Unknown) << false;
    QTest::newRow("cleared name") << QByteArray(9, '\0') << int(ble::Family::Unknown) << false;
    QTest::newRow("one letter") << QByteArray("Z") << int(ble::Family::Unknown) << false;
}

void TestBleAdvertProtocol::familyByPrefix()
{
    QFETCH(QByteArray, name);
    QFETCH(int, family);
    QFETCH(bool, climateValues);
    QCOMPARE(int(ble::familyOf(name)), family);
    QCOMPARE(ble::showsClimateValues(name), climateValues);
}

void TestBleAdvertProtocol::slotRequestFrames_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("parameter set") << ble::paramSetWrite(12, 4) << framed("310ca95ac39604");
    QTest::newRow("network number") << ble::netNumberWrite(12, 25) << framed("310cfb5ac39619");
    QTest::newRow("configuration") << ble::configWrite(5, 0x48) << framed("3105ec5ac39648");
    QTest::newRow("free slot") << ble::nameWrite(30, ble::kFreeSlotName)
                               << frame::withCrc(QByteArray::fromHex("311eea5ac396") + "QF_000000");
    // A name goes as typed, without terminator or length.
    QTest::newRow("partial name") << ble::nameWrite(20, "QF_")
                                  << frame::withCrc(QByteArray::fromHex("3114ea5ac396") + "QF_");
    QTest::newRow("slot password") << ble::valueWrite(20, ble::kSensorPasswordCommand, 4321)
                                   << framed("3114a75ac396000010e1");
    // A negative password travels as its two's complement.
    QTest::newRow("negative password") << ble::valueWrite(20, ble::kSensorPasswordCommand, quint32(-2))
                                       << framed("3114a75ac396fffffffe");
    QTest::newRow("list") << ble::advertListRequest(0) << framed("3100a6");
}

void TestBleAdvertProtocol::slotRequestFrames()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built.toHex(' '), expected.toHex(' '));
}

QTEST_MAIN(TestBleAdvertProtocol)
#include "tst_bleadvertprotocol.moc"
