#include "link/portconnection.h"
#include "simulateddevice.h"

#include <QSignalSpy>
#include <QtTest>

#include <ctime>

namespace {

qint64 processCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// Collects what dataOut hands on; its argument is a reference to the port's
// own buffer, so each chunk is copied at once.
struct ChunkRecorder
{
    explicit ChunkRecorder(PortConnection &port)
    {
        QObject::connect(&port, &PortConnection::dataOut, &context, [this](QByteArray &data) { chunks.append(data); });
    }
    QList<QByteArray> chunks;
    QObject context; // the collecting connection goes with the recorder
};

} // namespace

class TestPortConnection : public QObject
{
    Q_OBJECT
private slots:
    void openingAPseudoTerminalReportsOpenAndLogs();
    void openingAMissingPathLogsAnErrorAndStaysClosed();
    void closingAClosedPortEmitsNothing();
    void closingAnOpenPortReportsAndLogs();
    void aFrameIsWrittenInOnePiece();
    void writingToAClosedPortEmitsNothing();
    void burstsLessThanATickApartArriveAsOneChunk();
    void aPauseLongerThanATickSplitsTheAnswer();
    void theNextAnswerStartsANewChunk();
    void aScriptedAnswerComesBackToTheRequest();
    void hangUpClosesThePortOnceWithoutSpinning();
};

void TestPortConnection::openingAPseudoTerminalReportsOpenAndLogs()
{
    SimulatedDevice device;
    QVERIFY(device.isValid());
    PortConnection port;
    QSignalSpy opened(&port, &PortConnection::signalOpenPort);
    QSignalSpy noError(&port, &PortConnection::signalHandleNoError);
    QSignalSpy log(&port, &PortConnection::signalWriteLog);

    port.openSerialPort(device.portPath());

    QVERIFY(port.getSerialPort()->isOpen());
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.at(0).at(0).toBool(), true);
    QVERIFY(noError.count() >= 1); // every open attempt clears the error state
    QCOMPARE(log.count(), 1);
    QCOMPARE(log.at(0).at(0).toString(), "Open port " + device.portPath() + "\r\n");
    QCOMPARE(port.getSerialPort()->baudRate(), 19200);
    QCOMPARE(port.getSerialPort()->dataBits(), QSerialPort::Data8);
    QCOMPARE(port.getSerialPort()->parity(), QSerialPort::NoParity);
    QCOMPARE(port.getSerialPort()->stopBits(), QSerialPort::OneStop);
    QCOMPARE(port.getSerialPort()->flowControl(), QSerialPort::NoFlowControl);
}

void TestPortConnection::openingAMissingPathLogsAnErrorAndStaysClosed()
{
    PortConnection port;
    QSignalSpy opened(&port, &PortConnection::signalOpenPort);
    QSignalSpy log(&port, &PortConnection::signalWriteLog);
    const QString name = "/dev/no-such-serial-port-here";

    port.openSerialPort(name);

    QVERIFY(!port.getSerialPort()->isOpen());
    QCOMPARE(opened.count(), 0);
    QCOMPARE(log.count(), 1);
    QCOMPARE(log.at(0).at(0).toString(), "Error open port " + name + "\r\n");
}

void TestPortConnection::closingAClosedPortEmitsNothing()
{
    PortConnection port;
    QSignalSpy opened(&port, &PortConnection::signalOpenPort);
    QSignalSpy log(&port, &PortConnection::signalWriteLog);
    port.closeSerialPort();
    QCOMPARE(opened.count(), 0);
    QCOMPARE(log.count(), 0);
}

void TestPortConnection::closingAnOpenPortReportsAndLogs()
{
    SimulatedDevice device;
    PortConnection port;
    port.openSerialPort(device.portPath());
    QSignalSpy opened(&port, &PortConnection::signalOpenPort);
    QSignalSpy log(&port, &PortConnection::signalWriteLog);

    port.closeSerialPort();

    QVERIFY(!port.getSerialPort()->isOpen());
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.at(0).at(0).toBool(), false);
    QCOMPARE(log.count(), 1);
    QCOMPARE(log.at(0).at(0).toString(), QString("Close port\r\n"));
}

void TestPortConnection::aFrameIsWrittenInOnePiece()
{
    SimulatedDevice device;
    PortConnection port;
    port.openSerialPort(device.portPath());

    port.writeData(QByteArray::fromHex("31ffdc"));
    port.writeData(QByteArray::fromHex("3107f0") + char(0xA1));

    QVERIFY(device.waitForRequests(1));
    QCOMPARE(device.requests().at(0).bytes, QByteArray::fromHex("31ffdc"));
}

void TestPortConnection::writingToAClosedPortEmitsNothing()
{
    PortConnection port;
    QSignalSpy opened(&port, &PortConnection::signalOpenPort);
    QSignalSpy log(&port, &PortConnection::signalWriteLog);
    QSignalSpy error(&port, &PortConnection::signalHandleError);
    port.writeData(QByteArray::fromHex("31ffdc"));
    QCOMPARE(opened.count() + log.count() + error.count(), 0);
}

void TestPortConnection::burstsLessThanATickApartArriveAsOneChunk()
{
    SimulatedDevice device;
    PortConnection port;
    ChunkRecorder recorder(port);
    port.openSerialPort(device.portPath());

    // The first burst starts a chunk; the others reach the line as the port
    // hears of it, so that they come before a tick has passed however busy
    // the machine is: as a device's UART sends them, less than a tick apart.
    const QList<QByteArray> bursts = {"\x3e\x01", "\xf0\x10\x20", "\x30\x40", "\x50\x60\x70", "\x80"};
    bool heard = false;
    QObject::connect(port.getSerialPort(), &QSerialPort::readyRead, &port, [&] {
        if (std::exchange(heard, true))
            return;
        for (int i = 1; i < bursts.size(); ++i)
            device.sendRaw(bursts.at(i));
    });
    QVERIFY(device.sendRaw(bursts.first()));
    // Every byte comes, in one chunk.
    QTRY_COMPARE_WITH_TIMEOUT(recorder.chunks.join().size(), bursts.join().size(), 2000);
    QCOMPARE(recorder.chunks.size(), 1);
    QCOMPARE(recorder.chunks.at(0), bursts.join());
}

void TestPortConnection::aPauseLongerThanATickSplitsTheAnswer()
{
    SimulatedDevice device;
    PortConnection port;
    ChunkRecorder recorder(port);
    port.openSerialPort(device.portPath());

    device.sendRaw(QByteArray::fromHex("3e01f0"));
    QTRY_COMPARE_WITH_TIMEOUT(recorder.chunks.size(), 1, 2000);
    QTest::qWait(3 * PortConnection::kReadTickMs);
    device.sendRaw(QByteArray::fromHex("aabb"));
    QTRY_COMPARE_WITH_TIMEOUT(recorder.chunks.size(), 2, 2000);
    QCOMPARE(recorder.chunks.at(0), QByteArray::fromHex("3e01f0"));
    QCOMPARE(recorder.chunks.at(1), QByteArray::fromHex("aabb"));
}

void TestPortConnection::theNextAnswerStartsANewChunk()
{
    SimulatedDevice device;
    PortConnection port;
    ChunkRecorder recorder(port);
    port.openSerialPort(device.portPath());

    for (int i = 0; i < 3; ++i) {
        const QByteArray answer = SimulatedDevice::answerFrame(0x01, 0xF0, QByteArray(i + 1, char(i)));
        device.sendRaw(answer);
        QTRY_COMPARE_WITH_TIMEOUT(recorder.chunks.size(), i + 1, 2000);
        QCOMPARE(recorder.chunks.at(i), answer);
    }
}

void TestPortConnection::aScriptedAnswerComesBackToTheRequest()
{
    SimulatedDevice device;
    const QByteArray answer = SimulatedDevice::answerFrame(0x05, 0xFF, QByteArray());
    device.setAnswer(0xFF, answer);
    PortConnection port;
    ChunkRecorder recorder(port);
    port.openSerialPort(device.portPath());

    port.writeData(QByteArray::fromHex("31ffdc"));

    QTRY_COMPARE_WITH_TIMEOUT(recorder.chunks.size(), 1, 2000);
    QCOMPARE(recorder.chunks.at(0), answer);
    QCOMPARE(device.requests().size(), 1);
}

void TestPortConnection::hangUpClosesThePortOnceWithoutSpinning()
{
    SimulatedDevice device;
    PortConnection port;
    port.openSerialPort(device.portPath());
    QVERIFY(port.getSerialPort()->isOpen());
    QList<QString> order;
    connect(&port, &PortConnection::signalHandleNoError, this, [&order] { order.append("noerror"); });
    connect(&port, &PortConnection::signalHandleError, this, [&order] { order.append("error"); });
    QSignalSpy opened(&port, &PortConnection::signalOpenPort);

    device.hangUp();

    QTRY_VERIFY_WITH_TIMEOUT(!port.getSerialPort()->isOpen(), 2000);
    QCOMPARE(order.count("error"), 1);
    QVERIFY(order.indexOf("noerror") < order.indexOf("error"));
    QCOMPARE(opened.count(), 0); // the error path closes without the close report

    const qint64 cpuBefore = processCpuMs();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(500);
    const qint64 cpuUsed = processCpuMs() - cpuBefore;
    QVERIFY2(cpuUsed < wall.elapsed() / 4, qPrintable(QString("CPU %1 ms in %2 ms").arg(cpuUsed).arg(wall.elapsed())));
    QCOMPARE(order.count("error"), 1);
}

QTEST_MAIN(TestPortConnection)
#include "tst_portconnection.moc"
