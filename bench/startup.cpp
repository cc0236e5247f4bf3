// Measures the program's start and its idle costs against a minimal Qt Widgets
// window measured in the same run, so that the ratios hold on a busy machine:
//  - start to window drawn (from launching the process to the first paint of
//    its main window), median of several starts;
//  - resident memory right after start, and after minutes of polling a
//    simulated wired sensor;
//  - CPU used while idle with no device on, while polling one sensor, and
//    with a silent port open.
// Needs an X server (run it under xvfb-run, see docs/benchmarks.md). Every run uses a
// throw-away home, so the user's settings and log are not touched.
#include "app/startup.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "simulatedfls.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

double processCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

double rssMiB()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

void say(const char *key, double value)
{
    std::printf("%s=%.3f\n", key, value);
    std::fflush(stdout);
}

void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Reports the wall time of the first paint of anything in `window`, then
// runs `after`.
class FirstPaint : public QObject
{
public:
    FirstPaint(QWidget *window, std::function<void()> after) : window(window), after(std::move(after))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!done && event->type() == QEvent::Paint) {
            auto *widget = qobject_cast<QWidget *>(watched);
            if (widget && widget->window() == window) {
                done = true;
                say("drawn_at", double(QDateTime::currentMSecsSinceEpoch()));
                QTimer::singleShot(0, this, [this] { after(); });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *window;
    bool done = false;
    std::function<void()> after;
};

// What a child does once its window is drawn.
struct ChildPlan
{
    QString port;        // press the wired sensor button on this port first
    int settleMs = 2000; // before measuring
    int idleSeconds = 0; // CPU measured over this long
    int pollMinutes = 0; // memory after this long
};

void measureAndQuit(const ChildPlan &plan)
{
    say("rss_drawn_mib", rssMiB());
    waitMs(plan.settleMs);
    say("rss_settled_mib", rssMiB());
    if (plan.idleSeconds > 0) {
        const double before = processCpuMs();
        waitMs(plan.idleSeconds * 1000);
        say("cpu_percent", (processCpuMs() - before) / (plan.idleSeconds * 10.0));
    }
    for (int minute = 1; minute <= plan.pollMinutes; ++minute) {
        waitMs(60 * 1000);
        std::printf("rss_minute_%d_mib=%.3f\n", minute, rssMiB());
        std::fflush(stdout);
    }
    // The first paint may come while the splash screen waits for the window,
    // before the application's event loop runs; a quit then would be lost,
    // so it is asked again until the loop takes it.
    auto *again = new QTimer(qApp);
    QObject::connect(again, &QTimer::timeout, qApp, &QCoreApplication::quit);
    again->start(50);
}

int runChild(int argc, char **argv, const QString &kind, const ChildPlan &plan)
{
    if (kind == "minimal") {
        QApplication app(argc, argv);
        QWidget window;
        window.resize(800, 600);
        FirstPaint probe(&window, [plan] { measureAndQuit(plan); });
        window.show();
        return app.exec();
    }
    std::unique_ptr<FirstPaint> probe;
    startup::Hooks hooks;
    hooks.windowBuilt = [&probe, plan](Reriruvozive &window) {
        probe = std::make_unique<FirstPaint>(&window, [&window, plan] {
            if (!plan.port.isEmpty()) {
                window.form()->comboBox_SerialPort->setCurrentText(plan.port);
                window.form()->pushButtonDeviceFLS->click();
            }
            measureAndQuit(plan);
        });
    };
    return startup::run(argc, argv, hooks);
}

struct Outcome
{
    QMap<QString, double> values;
    double startMs = 0;
};

// Starts this program as a child and collects its key=value lines, while
// serving a simulated sensor in this process if one is given.
Outcome runOnce(const QStringList &args, const QString &home, const QString &extraPorts)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/config");
    env.insert("XDG_DATA_HOME", home + "/data");
    env.insert("XDG_CACHE_HOME", home + "/cache");
    env.insert("RERIRUVOZIVE_UPDATE_HOST", "127.0.0.1:1");
    env.insert("RERIRUVOZIVE_EXTRA_PORTS", extraPorts);
    env.remove("QT_QPA_PLATFORM");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);

    Outcome outcome;
    QByteArray pending;
    QObject::connect(&child, &QProcess::readyReadStandardOutput, [&] {
        pending += child.readAllStandardOutput();
        int end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 1);
            const int eq = line.indexOf('=');
            if (eq > 0)
                outcome.values.insert(QString::fromLatin1(line.left(eq)), line.mid(eq + 1).toDouble());
        }
    });
    QEventLoop loop;
    QObject::connect(&child, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &loop, &QEventLoop::quit);
    outcome.startMs = double(QDateTime::currentMSecsSinceEpoch());
    child.start(QCoreApplication::applicationFilePath(), args);
    loop.exec();
    return outcome;
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

int runParent(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto option = [&args](const QString &name, int fallback) {
        const int at = args.indexOf(name);
        return at >= 0 && at + 1 < args.size() ? args.at(at + 1).toInt() : fallback;
    };
    const int starts = option("--starts", 15);
    const int idleSeconds = option("--idle-seconds", 30);
    const int pollMinutes = option("--poll-minutes", 2);

    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "no X server: run under xvfb-run (see docs/benchmarks.md)\n");
        return 1;
    }
    QTemporaryDir home;
    if (!home.isValid())
        return 1;

    // Start to window drawn, and memory right after start.
    for (const QString kind : {"minimal", "app"}) {
        QList<double> startMs, rss;
        for (int i = 0; i < starts; ++i) {
            const Outcome o = runOnce({"--child", kind, "--settle-ms", "1000"}, home.path(), QString());
            if (!o.values.contains("drawn_at"))
                continue;
            startMs << o.values.value("drawn_at") - o.startMs;
            rss << o.values.value("rss_settled_mib");
        }
        std::printf("%-8s start to window drawn: median %.0f ms (min %.0f, max %.0f, %d starts); RSS after start "
                    "%.1f MiB\n",
                    qPrintable(kind), median(startMs),
                    startMs.isEmpty() ? -1 : *std::min_element(startMs.begin(), startMs.end()),
                    startMs.isEmpty() ? -1 : *std::max_element(startMs.begin(), startMs.end()), int(startMs.size()),
                    median(rss));
        std::fflush(stdout);
    }

    // Idle CPU: no device on (both), one sensor polled, a silent port open.
    const auto idle = [&](const QString &kind, const QString &port, const QString &extra) {
        QStringList childArgs{"--child", kind, "--idle-seconds", QString::number(idleSeconds), "--settle-ms", "5000"};
        if (!port.isEmpty())
            childArgs << "--port" << port;
        return runOnce(childArgs, home.path(), extra).values.value("cpu_percent", -1);
    };
    const double minimalIdle = idle("minimal", QString(), QString());
    const double noConverterIdle = idle("app", QString(), QString());
    double appIdle = -1, polledIdle = -1, silentIdle = -1;
    {
        // A converter is plugged in (its port is listed), no device is on.
        SimulatedFls listed;
        listed.silent = true;
        appIdle = idle("app", QString(), listed.portPath());
    }
    {
        SimulatedFls sensor;
        polledIdle = idle("app", sensor.portPath(), sensor.portPath());
    }
    {
        SimulatedFls silent;
        silent.silent = true;
        silentIdle = idle("app", silent.portPath(), silent.portPath());
    }
    std::printf("idle CPU over %d s: minimal window %.3f %%; program with a converter plugged in and no device on "
                "%.3f %%, polling one sensor %.3f %%, silent port open %.3f %%, no converter at all (the port list "
                "is checked each second) %.3f %%\n",
                idleSeconds, minimalIdle, appIdle, polledIdle, silentIdle, noConverterIdle);
    std::fflush(stdout);

    // Memory while polling a sensor for minutes.
    if (pollMinutes > 0) {
        SimulatedFls sensor;
        const Outcome o = runOnce({"--child", "app", "--port", sensor.portPath(), "--settle-ms", "10000",
                                   "--poll-minutes", QString::number(pollMinutes)},
                                  home.path(), sensor.portPath());
        std::printf("RSS while polling one sensor: %.1f MiB after 10 s", o.values.value("rss_settled_mib", -1));
        for (int m = 1; m <= pollMinutes; ++m)
            std::printf(", %.1f MiB after %d min", o.values.value(QStringLiteral("rss_minute_%1_mib").arg(m), -1), m);
        std::printf("\n");
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const int child = args.indexOf("--child");
    if (child < 0 || child + 1 >= args.size())
        return runParent(argc, argv);

    const auto option = [&args](const QString &name, const QString &fallback) {
        const int at = args.indexOf(name);
        return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : fallback;
    };
    ChildPlan plan;
    plan.port = option("--port", QString());
    plan.settleMs = option("--settle-ms", "2000").toInt();
    plan.idleSeconds = option("--idle-seconds", "0").toInt();
    plan.pollMinutes = option("--poll-minutes", "0").toInt();
    return runChild(argc, argv, args.at(child + 1), plan);
}
