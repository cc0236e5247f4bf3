// Measures a long tank calibration through the real main window: the time
// one press of "add portion" takes (the new row, the view fitted, the mirror
// file brought up to date, the screen repainted) near the start and near the
// end of a run of many portions, and the time to open the graph of the whole
// table. Then the time the disk takes to hold one more line of the mirror for
// good, which the program has done beside its screen after each portion.
// The program's files go to a throw-away configuration folder; the port is a
// pseudo-terminal with one simulated sensor on its far end, since a portion
// takes only the level of a sensor that answers.
#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "calibration/tarrun.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "files/filereplace.h"
#include "simulatedfls.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace {

struct Figures
{
    double median = 0, p90 = 0, max = 0;
};

Figures figuresOf(QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    if (ms.isEmpty())
        return Figures();
    return Figures{ms.at(ms.size() / 2), ms.at(ms.size() * 9 / 10), ms.last()};
}

// One user action, and with it everything the event loop then does for it
// (the repaint above all); milliseconds.
struct Timing
{
    double action = 0, withRepaint = 0;
};

Timing timed(const std::function<void()> &action)
{
    QElapsedTimer clock;
    clock.start();
    action();
    Timing t;
    t.action = clock.nsecsElapsed() / 1e6;
    QCoreApplication::processEvents();
    t.withRepaint = clock.nsecsElapsed() / 1e6;
    return t;
}

} // namespace

int main(int argc, char *argv[])
{
    const int portions = argc > 1 ? QByteArray(argv[1]).toInt() : 2000;
    const int sample = std::min(100, std::max(1, portions / 4));
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("RERIRUVOZIVE_UPDATE_HOST", "127.0.0.1:1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    SimulatedFls device;
    if (!device.isValid()) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return 1;
    }
    qputenv(portlist::kExtraPortsVariable, device.portPath().toLocal8Bit());
    Reriruvozive window;
    Ui_Deruvivuriri *ui = window.form();
    window.show();
    ui->comboBox_SerialPort->setCurrentText(device.portPath());
    ui->pushButtonDeviceFLS->click();
    QElapsedTimer found;
    found.start();
    while (!window.fls()->isSerialKnown(0) || !window.fls()->hasCurrentReading(0)) {
        if (found.hasExpired(10000)) {
            std::fprintf(stderr, "the sensor was not found\n");
            return 1;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    window.launchTarirovka();
    ui->pushButtonAdSensorTar->click();
    QCoreApplication::processEvents();

    QList<double> first, last, firstAction, lastAction;
    double graphEarly = 0;
    for (int i = 1; i <= portions; ++i) {
        window.setLevelFromAnotherDevice(i % 4096, 0);
        const Timing t = timed([&] { ui->pushButtonAdPortionTar->click(); });
        if (i <= sample) {
            first.append(t.withRepaint);
            firstAction.append(t.action);
        } else if (i > portions - sample) {
            last.append(t.withRepaint);
            lastAction.append(t.action);
        }
        if (i == sample)
            graphEarly = timed([&] { ui->pushButtonGraphShow->click(); }).withRepaint;
        if (QWidget *graph = window.centralWidget()) {
            graph->findChild<QPushButton *>("btnGraphBack")->click();
            QCoreApplication::processEvents();
        }
    }
    if (window.tar()->rowCount() != portions + 1) {
        std::fprintf(stderr, "the table holds %d rows, not %d\n", window.tar()->rowCount(), portions + 1);
        return 1;
    }
    const double graphLate = timed([&] { ui->pushButtonGraphShow->click(); }).withRepaint;

    QList<double> disk;
    const QString probe = home.filePath(QStringLiteral("probe.etr"));
    QFile::copy(window.tar()->mirrorName(), probe);
    for (int i = 0; i < sample; ++i) {
        QFile file(probe);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            break;
        QElapsedTimer clock;
        clock.start();
        file.write("4095, 10000\r\n");
        syncToDisk(file);
        disk.append(clock.nsecsElapsed() / 1e6);
    }

    const auto report = [](const char *what, const QString &range, const QList<double> &ms) {
        const Figures f = figuresOf(ms);
        std::printf("%-26s portions %-10s median %5.2f ms, 90%% below %5.2f ms, max %6.2f ms\n", what,
                    qPrintable(range), f.median, f.p90, f.max);
    };
    const QString early = QStringLiteral("1-%1").arg(sample);
    const QString late = QStringLiteral("%1-%2").arg(portions - sample + 1).arg(portions);
    report("add a portion (slot)", early, firstAction);
    report("add a portion (slot)", late, lastAction);
    report("add a portion (+repaint)", early, first);
    report("add a portion (+repaint)", late, last);
    std::printf("open the graph at %d rows: %.1f ms; at %d rows: %.1f ms\n", sample + 1, graphEarly, portions + 1,
                graphLate);
    const Figures d = figuresOf(disk);
    std::printf("one more line of the mirror on the disk (%d lines): median %.2f ms, 90%% below %.2f ms, max %.2f ms\n",
                int(disk.size()), d.median, d.p90, d.max);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
