// Measures, through a real pseudo-terminal and the real PortConnection:
//  - the time from a device's last answer byte to the chunk reaching dataOut;
//  - the CPU time the process uses per second while the port is open and idle.
#include "link/portconnection.h"
#include "simulateddevice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

double processCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? QByteArray(argv[1]).toInt() : 50;

    SimulatedDevice device;
    if (!device.isValid()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    PortConnection port;
    QElapsedTimer clock;
    qint64 sentAt = 0;
    QList<double> latencies;
    QObject::connect(&port, &PortConnection::dataOut,
                     [&](QByteArray &) { latencies.append((clock.nsecsElapsed() - sentAt) / 1e6); });
    port.openSerialPort(device.portPath());
    if (!port.getSerialPort()->isOpen())
        return 1;

    clock.start();
    const QByteArray answer = SimulatedDevice::answerFrame(0x01, 0xF0, QByteArray(24, '\x11'));
    for (int i = 0; i < rounds; ++i) {
        const int before = latencies.size();
        sentAt = clock.nsecsElapsed();
        device.sendRaw(answer);
        if (!QTest::qWaitFor([&] { return latencies.size() > before; }, 1000))
            std::fprintf(stderr, "answer %d did not arrive\n", i);
        QTest::qWait(5);
    }

    std::sort(latencies.begin(), latencies.end());
    if (latencies.isEmpty()) {
        std::fprintf(stderr, "no chunk arrived\n");
        return 1;
    }
    double sum = 0;
    for (double v : latencies)
        sum += v;
    std::printf("last byte to dataOut over %d answers: min %.1f ms, median %.1f ms, mean %.1f ms, max %.1f ms\n",
                int(latencies.size()), latencies.first(), latencies.at(latencies.size() / 2), sum / latencies.size(),
                latencies.last());

    const double cpuBefore = processCpuMs();
    QElapsedTimer idle;
    idle.start();
    // A plain event loop, so that only the program's own work is measured.
    QEventLoop loop;
    QTimer::singleShot(3000, &loop, &QEventLoop::quit);
    loop.exec();
    const double cpu = processCpuMs() - cpuBefore;
    std::printf("idle with the port open: %.2f ms CPU per second\n", cpu * 1000.0 / idle.elapsed());
    return 0;
}
