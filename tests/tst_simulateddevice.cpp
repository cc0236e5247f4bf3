#include "link/frame.h"
#include "link/portconnection.h"
#include "simulateddevice.h"

#include <QtTest>

// The simulated device is what every end-to-end test talks to, so its framing
// and its faulty behaviours are checked here through the real port.
class TestSimulatedDevice : public QObject
{
    Q_OBJECT
private slots:
    void requestsWrittenTogetherAreCutApart();
    void garbageBeforeARequestIsSkipped();
    void eachBehaviourShapesTheAnswer_data();
    void eachBehaviourShapesTheAnswer();
};

namespace {

struct Line
{
    SimulatedDevice device;
    // Before the port, so that the port (the context of the collecting
    // connection) goes first.
    QList<QByteArray> chunks;
    PortConnection port;
    Line()
    {
        QObject::connect(&port, &PortConnection::dataOut, &port, [this](QByteArray &data) { chunks.append(data); });
        port.openSerialPort(device.portPath());
    }
};

} // namespace

void TestSimulatedDevice::requestsWrittenTogetherAreCutApart()
{
    Line line;
    const QByteArray search = frame::searchRequest();
    const QByteArray read = frame::request(0x07, 0xF0);
    const QByteArray write = frame::writeRequest(0x07, 0xF8, QByteArray::fromHex("00001234"));
    line.port.writeData(search + read + write);
    QVERIFY(line.device.waitForRequests(3));
    QCOMPARE(line.device.requests().at(0).bytes, search);
    QCOMPARE(line.device.requests().at(1).bytes, read);
    QCOMPARE(line.device.requests().at(2).bytes, write);
    QVERIFY(line.device.requests().at(0).msecs <= line.device.requests().at(2).msecs);
}

void TestSimulatedDevice::garbageBeforeARequestIsSkipped()
{
    Line line;
    const QByteArray read = frame::request(0x01, 0xFC);
    line.port.writeData(QByteArray::fromHex("00aa55") + read);
    QVERIFY(line.device.waitForRequests(1));
    QCOMPARE(line.device.requests().at(0).bytes, read);
}

void TestSimulatedDevice::eachBehaviourShapesTheAnswer_data()
{
    QTest::addColumn<int>("behaviour");
    QTest::addColumn<int>("chunkCount");
    QTest::addColumn<bool>("firstChunkValid");
    QTest::newRow("answer") << int(SimulatedDevice::Behaviour::Answer) << 1 << true;
    QTest::newRow("silent") << int(SimulatedDevice::Behaviour::Silent) << 0 << false;
    QTest::newRow("bad crc") << int(SimulatedDevice::Behaviour::BadCrc) << 1 << false;
    QTest::newRow("short") << int(SimulatedDevice::Behaviour::Short) << 1 << false;
    QTest::newRow("split") << int(SimulatedDevice::Behaviour::Split) << 2 << false;
}

void TestSimulatedDevice::eachBehaviourShapesTheAnswer()
{
    QFETCH(int, behaviour);
    QFETCH(int, chunkCount);
    QFETCH(bool, firstChunkValid);

    Line line;
    const QByteArray answer = SimulatedDevice::answerFrame(0x07, 0xF0, QByteArray::fromHex("0102030405060708"));
    line.device.setAnswer(0xF0, answer);
    line.device.setBehaviour(SimulatedDevice::Behaviour(behaviour));
    // A pause long enough for the port to see on a busy machine too.
    line.device.splitPauseMs = 500;
    line.port.writeData(frame::request(0x07, 0xF0));
    QVERIFY(line.device.waitForRequests(1));

    // The device answers as it reads the request (a split answer's rest
    // after its pause): every byte of it comes, in whole chunks.
    const auto received = [&line] {
        int bytes = 0;
        for (const QByteArray &chunk : qAsConst(line.chunks))
            bytes += chunk.size();
        return bytes;
    };
    const SimulatedDevice::Behaviour shape = SimulatedDevice::Behaviour(behaviour);
    const int sent = shape == SimulatedDevice::Behaviour::Silent  ? 0
                     : shape == SimulatedDevice::Behaviour::Short ? answer.size() / 2
                                                                  : answer.size();
    QTRY_COMPARE_WITH_TIMEOUT(received(), sent, 5000);
    QCOMPARE(line.chunks.size(), chunkCount);
    if (chunkCount == 0)
        return;
    QCOMPARE(frame::isValidAnswer(line.chunks.at(0)), firstChunkValid);
    if (chunkCount == 2)
        QCOMPARE(line.chunks.at(0) + line.chunks.at(1), answer);
}

QTEST_MAIN(TestSimulatedDevice)
#include "tst_simulateddevice.moc"
