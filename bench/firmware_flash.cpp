// Flashes a 32 KiB image in each bootloader dialect through the real main
// window, port and updater, into a simulated bootloader on a pseudo-terminal
// that paces both directions like a 19200-baud line. Prints the time per
// block against the pacing floor of the step machine (ROM dialect: three
// 50 ms steps and the 100 ms programming wait per 128-byte block; block
// dialect: one 50 ms step per 64-byte block), and the peak memory.
#include "fwupdatefixture.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <functional>

namespace {

constexpr int kImageSize = 32 * 1024;
int baud = 19200;

struct Run
{
    const char *name;
    SimulatedBootloader::Dialect dialect;
    quint8 model;
    const char *shown;
    const char *file;
    int fileSize;
    double floorPerBlockMs;
};

// Waits in a plain event loop, as the program runs in one: the test
// library's waits sleep between rounds of events and would slow every
// exchange on the line.
bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

long peakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool flash(const Run &run)
{
    FwUpdateFixture f;
    f.setUp(run.dialect, run.model);
    if (!f.device)
        return false;
    f.device->baud = baud;
    f.device->startDelayMs = 1000;
    f.ui->pushButtonDeviceFLS->click();
    if (!waitUntil([&] { return f.status() == QString::fromUtf8(run.shown); }, 10000)) {
        std::fprintf(stderr, "%s: the sensor was not found\n", run.name);
        return false;
    }

    const QString path = f.writeFile(run.file, FwUpdateFixture::firmware(run.fileSize));
    QElapsedTimer wall;
    wall.start();
    {
        FirmwareDialogs dialogs(path);
        if (!f.pressUpdate())
            return false;
    }
    const bool done = waitUntil([&] { return f.device->downloadsCompleted == 1; }, 600000);
    const double wallMs = wall.elapsed();
    if (!done || f.device->refusals != 0 || f.device->blockArrivalsMs.size() < 2) {
        std::fprintf(stderr, "%s: the download did not complete\n", run.name);
        return false;
    }

    // From the first data block to the closing frame: every block after the
    // first, and the step that closes the download.
    const QList<double> &blocks = f.device->blockArrivalsMs;
    const int paced = blocks.size();
    const double measured = f.device->endArrivalMs - blocks.first();
    const double perBlock = measured / paced;
    if (qEnvironmentVariableIsSet("BENCH_DELTAS")) {
        QMap<int, int> histogram;
        for (int i = 1; i < blocks.size(); ++i)
            ++histogram[int(blocks.at(i) - blocks.at(i - 1)) / 10 * 10];
        for (auto it = histogram.cbegin(); it != histogram.cend(); ++it)
            std::printf("  %d..%d ms: %d\n", it.key(), it.key() + 9, it.value());
    }
    std::printf("%s: %d blocks; first block to end frame %.2f s, %.1f ms per block; floor %.0f ms per block "
                "(%.2f s); ratio %.3f; whole download from the menu %.2f s\n",
                run.name, paced, measured / 1000.0, perBlock, run.floorPerBlockMs, run.floorPerBlockMs * paced / 1000.0,
                perBlock / run.floorPerBlockMs, wallMs / 1000.0);
    f.tearDown();
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // The program's settings and log go to a throw-away folder.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    qputenv("HOME", home.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("RERIRUVOZIVE_UPDATE_HOST", "127.0.0.1:1");
    QApplication app(argc, argv);
    if (argc > 1)
        baud = QByteArray(argv[1]).toInt();
    QLoggingCategory::setFilterRules("*.debug=false");

    const Run runs[] = {
        {"ROM dialect (QF210)", SimulatedBootloader::Dialect::Rom, SimulatedFls::kModelQF210, "Подключен QF210",
         "QF210_bench.bin", 0x4A40 + kImageSize, 3 * 50.0 + 100.0},
        {"block dialect (QF470)", SimulatedBootloader::Dialect::Block, SimulatedFls::kModelQF470, "Подключен QF470",
         "QF470_bench.bin", kImageSize, 50.0},
    };
    bool ok = true;
    for (const Run &run : runs)
        ok = flash(run) && ok;
    std::printf("peak memory: %ld KiB\n", peakRssKiB());
    return ok ? 0 : 1;
}
