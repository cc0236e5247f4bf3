#include "link/frame.h"
#include "link/portconnection.h"
#include "simulatedfls.h"

#include <QtTest>

// The simulated wired sensor is the other side of every end-to-end test of the
// sensor page, so its answers are checked here byte by byte against layouts
// written out by hand, through a real port on a pseudo-terminal.
class TestSimulatedFls : public QObject
{
    Q_OBJECT
private slots:
    void searchIsAnsweredWithTheRawNetworkNumbers();
    void aLoneSensorAtZeroMayAnswerTheSearchAsAFrame();
    void allDataAnswerHasTheLayoutOfItsForm_data();
    void allDataAnswerHasTheLayoutOfItsForm();
    void serialAnswerIsLittleEndian();
    void eachSensorAnswersOnlyItsOwnNumber();
    void signedConfigWriteIsAppliedAndAcknowledged_data();
    void signedConfigWriteIsAppliedAndAcknowledged();
    void configWriteWithoutSignatureOrWithBadCrcIsIgnored();
    void refusedWritesLeaveTheBytesAlone();
    void sendSerialByteWriteReachesTheQF260Byte();
    void levelFaultsAreCarriedInTheLevelWord();
    void silentBusAnswersNothing();
    void badCrcSpoilsOnlyTheLastByte();
    void foreignNetworkNumberKeepsTheCrcValid();
    void shortFramesAreCutWithAValidCrc();
    void passwordLocksWritesUntilItIsEntered();
};

namespace {

struct Line
{
    SimulatedFls device;
    // Before the port, so that the port (the context of the collecting
    // connection) goes first.
    QList<QByteArray> chunks;
    PortConnection port;
    Line()
    {
        QObject::connect(&port, &PortConnection::dataOut, &port, [this](QByteArray &data) { chunks.append(data); });
        port.openSerialPort(device.portPath());
    }
    // Sends one request and waits for the answer chunk it brings.
    QByteArray ask(const QByteArray &request)
    {
        const int before = chunks.size();
        port.writeData(request);
        if (!QTest::qWaitFor([&] { return chunks.size() > before; }, 2000))
            return QByteArray();
        return chunks.last();
    }
    // Sends one request and reports whether anything came back in a while.
    bool staysQuiet(const QByteArray &request)
    {
        const int before = chunks.size();
        const int requestsBefore = device.requests().size();
        port.writeData(request);
        if (!device.waitForRequests(requestsBefore + 1))
            return false;
        QTest::qWait(12 * PortConnection::kReadTickMs);
        return chunks.size() == before;
    }
};

QByteArray withCrc(const char *hex)
{
    return frame::withCrc(QByteArray::fromHex(hex));
}

SimulatedFls::Sensor sampleSensor()
{
    SimulatedFls::Sensor s;
    s.netNum = 0x07;
    s.temperature = -5;
    s.level = 0x0304;
    s.count = 0x0A0B0C0D;
    s.empty = 10000;
    s.full = 20000;
    s.configA = 0x92;
    s.lampThreshold = 0x21;
    s.configB = 0x47;
    s.configC = 0x10;
    s.sendSerNum = 0x13;
    return s;
}

} // namespace

void TestSimulatedFls::searchIsAnsweredWithTheRawNetworkNumbers()
{
    Line line;
    line.device.sensors.clear();
    for (quint8 net : {5, 7, 9}) {
        SimulatedFls::Sensor s;
        s.netNum = net;
        line.device.sensors.append(s);
    }
    const QByteArray answer = line.ask(QByteArray::fromHex("31ffdc"));
    QCOMPARE(answer, QByteArray::fromHex("050709"));
    QCOMPARE(line.device.searchCount(), 1);

    line.device.sensor(1).silent = true;
    QCOMPARE(line.ask(QByteArray::fromHex("31ffdc")), QByteArray::fromHex("0509"));
}

void TestSimulatedFls::aLoneSensorAtZeroMayAnswerTheSearchAsAFrame()
{
    Line line;
    line.device.sensor().netNum = 0;
    QCOMPARE(line.ask(QByteArray::fromHex("31ffdc")), QByteArray::fromHex("00"));
    line.device.searchAnswerAsFrame = true;
    QCOMPARE(line.ask(QByteArray::fromHex("31ffdc")), QByteArray::fromHex("3e00"));
    // Only a lone sensor at number 0 answers that way.
    line.device.sensor().netNum = 4;
    QCOMPARE(line.ask(QByteArray::fromHex("31ffdc")), QByteArray::fromHex("04"));
}

void TestSimulatedFls::allDataAnswerHasTheLayoutOfItsForm_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("model");
    QTest::addColumn<QByteArray>("expected");
    // start net cmd | temp | level | count | empty | full | 18-19 | A | 21 | B | 23 | 24-26 | 27 | ...
    const char *common = "3e07f0fb04030d0c0b0a10270000204e00000000";
    QTest::newRow("24 bytes, QF210") << 24 << int(SimulatedFls::kModelQF210)
                                     << withCrc(QByteArray(common).append("920247").constData());
    QTest::newRow("25 bytes, QF260") << 25 << int(SimulatedFls::kModelQF260)
                                     << withCrc(QByteArray(common).append("92214703").constData());
    QTest::newRow("29 bytes, QF470") << 29 << int(SimulatedFls::kModelQF470)
                                     << withCrc(QByteArray(common).append("9221471000000062").constData());
    QTest::newRow("29 bytes, QF260") << 29 << int(SimulatedFls::kModelQF260)
                                     << withCrc(QByteArray(common).append("9221471300000003").constData());
    QTest::newRow("29 bytes, generic") << 29 << int(SimulatedFls::kModelGeneric)
                                       << withCrc(QByteArray(common).append("9221471000000061").constData());
    QTest::newRow("45 bytes, QF410")
        << 45 << int(SimulatedFls::kModelQF410)
        << withCrc(QByteArray(common).append("9221471000000001").append(QByteArray(32, '0')).constData());
    QTest::newRow("26 bytes, no model byte")
        << 26 << int(SimulatedFls::kModelQF470) << withCrc(QByteArray(common).append("9221471000").constData());
}

void TestSimulatedFls::allDataAnswerHasTheLayoutOfItsForm()
{
    QFETCH(int, form);
    QFETCH(int, model);
    QFETCH(QByteArray, expected);
    QCOMPARE(expected.size(), form);

    Line line;
    line.device.sensors = {sampleSensor()};
    line.device.sensor().form = form;
    line.device.sensor().model = static_cast<quint8>(model);
    QCOMPARE(SimulatedFls::allDataAnswer(line.device.sensor()).toHex(), expected.toHex());
    // And the same bytes leave through the line, in one write.
    QCOMPARE(line.ask(withCrc("3107f0")).toHex(), expected.toHex());
    QCOMPARE(line.device.countRequests(0x07, 0xF0), 1);
}

void TestSimulatedFls::serialAnswerIsLittleEndian()
{
    Line line;
    line.device.sensor().netNum = 0x01;
    line.device.sensor().serial = 12345;
    line.device.sensor().firmware = 209;
    QCOMPARE(line.ask(withCrc("3101fc")).toHex(), withCrc("3e01fc39300000d100").toHex());

    line.device.sensor().serial = 0x80010203;
    line.device.sensor().firmware = 1234;
    QCOMPARE(line.ask(withCrc("3101fc")).toHex(), withCrc("3e01fc03020180d204").toHex());
}

void TestSimulatedFls::eachSensorAnswersOnlyItsOwnNumber()
{
    Line line;
    SimulatedFls::Sensor second;
    second.netNum = 0x09;
    second.level = 777;
    line.device.sensor().netNum = 0x05;
    line.device.sensors.append(second);

    const QByteArray fromSecond = line.ask(withCrc("3109f0"));
    QCOMPARE(fromSecond.at(1), '\x09');
    QCOMPARE(quint8(fromSecond.at(4)) | quint8(fromSecond.at(5)) << 8, 777);
    QVERIFY(line.staysQuiet(withCrc("3106f0")));
    // A request with a wrong CRC is not for anybody.
    QByteArray bad = withCrc("3105f0");
    bad[3] = char(bad.at(3) ^ 0x01);
    QVERIFY(line.staysQuiet(bad));
    QCOMPARE(line.device.countRequests(0x09, 0xF0), 1);
}

void TestSimulatedFls::signedConfigWriteIsAppliedAndAcknowledged_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("configA");
    QTest::addColumn<int>("configB");
    QTest::addColumn<int>("configC");
    QTest::newRow("A and B") << withCrc("3107f25ac3960810") << 0x08 << 0x10 << 0x10;
    QTest::newRow("A, B and C") << withCrc("3107f25ac396880f00") << 0x88 << 0x0F << 0x00;
}

void TestSimulatedFls::signedConfigWriteIsAppliedAndAcknowledged()
{
    QFETCH(QByteArray, request);
    QFETCH(int, configA);
    QFETCH(int, configB);
    QFETCH(int, configC);

    Line line;
    line.device.sensors = {sampleSensor()};
    QCOMPARE(line.ask(request).toHex(), withCrc("3e07f2").toHex());
    QCOMPARE(line.device.sensor().configA, quint8(configA));
    QCOMPARE(line.device.sensor().configB, quint8(configB));
    QCOMPARE(line.device.sensor().configC, quint8(configC));
    QCOMPARE(line.device.appliedWrites, QList<QByteArray>{request});
    QCOMPARE(line.device.requestsTo(0x07, 0xF2), QList<QByteArray>{request});

    // The next all-data answer carries the new bytes.
    const QByteArray answer = line.ask(withCrc("3107f0"));
    QCOMPARE(quint8(answer.at(20)), quint8(configA));
    QCOMPARE(quint8(answer.at(22)), quint8(configB));
    QCOMPARE(quint8(answer.at(23)), quint8(configC));
}

void TestSimulatedFls::configWriteWithoutSignatureOrWithBadCrcIsIgnored()
{
    Line line;
    line.device.sensors = {sampleSensor()};
    QVERIFY(line.staysQuiet(withCrc("3107f20810")));
    QVERIFY(line.staysQuiet(withCrc("3107f2c35a960810")));
    QByteArray bad = withCrc("3107f25ac3960810");
    bad[bad.size() - 1] = char(bad.at(bad.size() - 1) ^ 0x33);
    line.port.writeData(bad);
    QTest::qWait(12 * PortConnection::kReadTickMs);
    QVERIFY(line.chunks.isEmpty());
    QCOMPARE(line.device.sensor().configA, quint8(0x92));
    QCOMPARE(line.device.sensor().configB, quint8(0x47));
    QVERIFY(line.device.appliedWrites.isEmpty());
}

void TestSimulatedFls::refusedWritesLeaveTheBytesAlone()
{
    Line line;
    line.device.sensors = {sampleSensor()};
    line.device.refuseWrites = true;
    QCOMPARE(line.ask(withCrc("3107f25ac3960810")).toHex(), withCrc("3e07fd").toHex());
    QCOMPARE(line.ask(withCrc("3107d05ac39610")).toHex(), withCrc("3e07fd").toHex());
    QCOMPARE(line.device.sensor().configA, quint8(0x92));
    QCOMPARE(line.device.sensor().configB, quint8(0x47));
    QCOMPARE(line.device.sensor().sendSerNum, quint8(0x13));
    QVERIFY(line.device.appliedWrites.isEmpty());
}

void TestSimulatedFls::sendSerialByteWriteReachesTheQF260Byte()
{
    Line line;
    line.device.sensors = {sampleSensor()};
    line.device.sensor().model = SimulatedFls::kModelQF260;
    QCOMPARE(line.ask(withCrc("3107d05ac39603")).toHex(), withCrc("3e07d0").toHex());
    QCOMPARE(line.device.sensor().sendSerNum, quint8(0x03));
    QCOMPARE(quint8(line.ask(withCrc("3107f0")).at(23)), quint8(0x03));
}

void TestSimulatedFls::levelFaultsAreCarriedInTheLevelWord()
{
    Line line;
    line.device.sensor().level = 0x0102;
    line.device.sensor().levelFault = SimulatedFls::LevelFault::BrokenTube;
    QCOMPARE(line.ask(withCrc("3101f0")).mid(4, 2).toHex(), QByteArray("6419"));
    line.device.sensor().levelFault = SimulatedFls::LevelFault::ShortCircuit;
    QCOMPARE(line.ask(withCrc("3101f0")).mid(4, 2).toHex(), QByteArray("581b"));
    line.device.sensor().levelFault = SimulatedFls::LevelFault::None;
    QCOMPARE(line.ask(withCrc("3101f0")).mid(4, 2).toHex(), QByteArray("0201"));
}

void TestSimulatedFls::silentBusAnswersNothing()
{
    Line line;
    line.device.silent = true;
    QVERIFY(line.staysQuiet(QByteArray::fromHex("31ffdc")));
    QVERIFY(line.staysQuiet(withCrc("3101f0")));
    QVERIFY(line.staysQuiet(withCrc("3101fc")));
    QCOMPARE(line.device.requests().size(), 3);
}

void TestSimulatedFls::badCrcSpoilsOnlyTheLastByte()
{
    Line line;
    const QByteArray good = SimulatedFls::allDataAnswer(line.device.sensor());
    line.device.badCrc = true;
    const QByteArray answer = line.ask(withCrc("3101f0"));
    QCOMPARE(answer.size(), good.size());
    QCOMPARE(answer.left(answer.size() - 1), good.left(good.size() - 1));
    QVERIFY(!frame::isValidAnswer(answer));
    // The search answer has no CRC and stays as it is.
    QCOMPARE(line.ask(QByteArray::fromHex("31ffdc")), QByteArray::fromHex("01"));
}

void TestSimulatedFls::foreignNetworkNumberKeepsTheCrcValid()
{
    Line line;
    line.device.foreignNetNum = 0x42;
    const QByteArray answer = line.ask(withCrc("3101f0"));
    QVERIFY(frame::isValidAnswer(answer));
    QCOMPARE(quint8(answer.at(1)), quint8(0x42));
    QCOMPARE(answer.size(), 29);
}

void TestSimulatedFls::shortFramesAreCutWithAValidCrc()
{
    Line line;
    line.device.shortFrames = true;
    const QByteArray full = SimulatedFls::allDataAnswer(line.device.sensor());
    const QByteArray allData = line.ask(withCrc("3101f0"));
    QCOMPARE(allData.size(), 12);
    QVERIFY(frame::isValidAnswer(allData));
    QCOMPARE(allData.left(11), full.left(11));
    const QByteArray serial = line.ask(withCrc("3101fc"));
    QCOMPARE(serial.size(), 7);
    QVERIFY(frame::isValidAnswer(serial));
    QCOMPARE(serial.left(3).toHex(), QByteArray("3e01fc"));
}

void TestSimulatedFls::passwordLocksWritesUntilItIsEntered()
{
    Line line;
    line.device.sensor().password = 0x01020304;
    QCOMPARE(line.ask(withCrc("3101f25ac3960810")).toHex(), withCrc("3e01fd").toHex());
    QCOMPARE(line.ask(withCrc("3101f85ac39601020305")).toHex(), withCrc("3e01fd").toHex());
    QCOMPARE(line.ask(withCrc("3101f85ac39601020304")).toHex(), withCrc("3e01f8").toHex());
    QCOMPARE(line.ask(withCrc("3101f25ac3960810")).toHex(), withCrc("3e01f2").toHex());
    QCOMPARE(line.device.sensor().configA, quint8(0x08));
}

QTEST_MAIN(TestSimulatedFls)
#include "tst_simulatedfls.moc"
