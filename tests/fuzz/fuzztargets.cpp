#include "fuzztargets.h"

#include "exactframe.h"
#include "link/frame.h"
#include "resources/bundle.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QHash>
#include <QPointer>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fuzz {

// The one table. A row's name must be lower-case letters and digits: the
// build makes a program fuzz_<name> of each row it finds here.
const std::vector<Target> &targets()
{
    // One row a line, so that rows added on different branches meet cleanly.
    // clang-format off
    static const std::vector<Target> table = {
        {"fls", fuzzFls},
        {"kv380", fuzzKv380},
        {"wiredtag", fuzzWiredTag},
        {"remote", fuzzRemote},
        {"splitter", fuzzSplitter},
        {"table", fuzzTable},
        {"ble", fuzzBle},
        {"online", fuzzOnline},
        {"plm300", fuzzPlm300},
        {"n7", fuzzN7},
        {"runfile", fuzzRunFile},
        {"csv", fuzzCsv},
        {"firmware", fuzzFirmware},
        {"kvble", fuzzKvble},
        {"bleadw", fuzzBleAdw},
        {"settings", fuzzSettings},
    };
    // clang-format on
    return table;
}

const Target *findTarget(const QString &name)
{
    for (const Target &target : targets()) {
        if (name == QLatin1String(target.name))
            return &target;
    }
    return nullptr;
}

namespace {

// Dialogs a handler opens with exec() wait for a user who is not there: each
// is dismissed as soon as its own event loop runs, the way a user pressing
// Escape would.
class DialogDismisser : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *dialog = qobject_cast<QDialog *>(watched)) {
                QPointer<QDialog> guard(dialog);
                QMetaObject::invokeMethod(
                    dialog,
                    [guard] {
                        if (guard)
                            guard->done(QDialog::Rejected);
                    },
                    Qt::QueuedConnection);
            }
        }
        return false;
    }
};

void dismissDialogs()
{
    static QPointer<DialogDismisser> dismisser;
    if (dismisser || !qApp)
        return;
    dismisser = new DialogDismisser(qApp);
    qApp->installEventFilter(dismisser);
}

std::vector<std::function<void()>> &keptReleases()
{
    static std::vector<std::function<void()>> releases;
    return releases;
}

// Millions of inputs would bury a finding under the pages' debug lines; only
// warnings and worse are printed, and a fatal message is a finding.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg)
        std::abort();
}

} // namespace

void prepareApplication(int *argc, char ***argv)
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The main window asks its update server at start; here it asks a closed
    // local port and fails at once.
    if (qEnvironmentVariableIsEmpty("RERIRUVOZIVE_UPDATE_HOST"))
        qputenv("RERIRUVOZIVE_UPDATE_HOST", "127.0.0.1:1");
    qInstallMessageHandler(quietMessages);
    // libFuzzer's own options stay out of the application's way.
    static int appArgc = 1;
    static char *appArgv[] = {argc && *argc > 0 && argv ? (*argv)[0] : const_cast<char *>("fuzz"), nullptr};
    new QApplication(appArgc, appArgv); // lives as long as the process
    initResourceBundle();
}

void require(bool holds, const char *what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::abort();
}

QByteArray withCrcAppended(const QByteArray &input)
{
    return frame::withCrc(input);
}

void feedExactly(const QByteArray &chunk, const std::function<void(int, char *)> &parse)
{
    std::unique_ptr<char[]> block(chunk.isEmpty() ? nullptr : new char[size_t(chunk.size())]);
    if (block)
        std::memcpy(block.get(), chunk.constData(), size_t(chunk.size()));
    parse(chunk.size(), block.get());
}

void decodeEvery(const QByteArray &input, const frame::AnswerLengths &lengths, void (*decode)(const QByteArray &))
{
    // Each in a block of exactly its size, so a read past its end is caught.
    const auto decodeExactly = [decode](const QByteArray &bytes) {
        const ExactFrame exact(bytes);
        decode(exact.view());
    };
    decodeExactly(input);
    decodeExactly(withCrcAppended(input));
    for (const QByteArray &piece : frame::splitAnswers(input, lengths))
        decodeExactly(piece);
}

void stopTimers(QObject *page)
{
    for (QTimer *timer : page->findChildren<QTimer *>())
        timer->stop();
}

namespace {
bool everyInput = false;
}

bool sampled(const QByteArray &input, uint oneIn)
{
    return everyInput || oneIn <= 1 || qHash(input, 0) % oneIn == 0;
}

void feedEveryInput()
{
    everyInput = true;
}

void settle()
{
    // Left queued, the posted events (the pages' repaints, animations and
    // queued calls) would pile up over the run: every post and every delivery
    // below walks the whole queue, so the run would slow down input by input,
    // and each input would look like a leak to the fuzzer and cost it a leak
    // search.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void releasePages()
{
    auto &releases = keptReleases();
    // Later pages may lean on earlier ones: dropped in reverse order.
    while (!releases.empty()) {
        const std::function<void()> release = releases.back();
        releases.pop_back();
        release();
    }
    settle();
}

namespace detail {

void keep(std::function<void()> release)
{
    dismissDialogs();
    keptReleases().push_back(std::move(release));
}

} // namespace detail

} // namespace fuzz
