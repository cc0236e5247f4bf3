#ifndef FUZZTARGETS_H
#define FUZZTARGETS_H

#include "link/frame.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// Fuzz targets: each takes one chunk of bytes as the line might bring it and
// hands it to a device family's decoders and to its page's intake on a real
// form. A target stops the program (abort) when a rule every answer must keep
// is broken; the sanitizers stop it on any bad memory access or undefined
// behaviour. The libFuzzer programs (fuzzmain.cpp) and the seed replay test
// run the same functions from the one table in fuzztargets.cpp.
namespace fuzz {

using TargetFunction = void (*)(const QByteArray &input);

struct Target
{
    const char *name; // program fuzz_<name>, seeds in corpus/<name>/
    TargetFunction run;
};

const std::vector<Target> &targets();
// The target of that name; null when there is none.
const Target *findTarget(const QString &name);

// ---- Target functions, one per device family (fuzz_<family>.cpp) ---------

void fuzzFls(const QByteArray &input);
void fuzzKv380(const QByteArray &input);
void fuzzWiredTag(const QByteArray &input);
void fuzzRemote(const QByteArray &input);
void fuzzSplitter(const QByteArray &input);
void fuzzTable(const QByteArray &input);
void fuzzBle(const QByteArray &input);
void fuzzOnline(const QByteArray &input);
void fuzzPlm300(const QByteArray &input);
void fuzzN7(const QByteArray &input);
void fuzzRunFile(const QByteArray &input);
void fuzzCsv(const QByteArray &input);
void fuzzFirmware(const QByteArray &input);
void fuzzBleAdw(const QByteArray &input);
void fuzzKvble(const QByteArray &input);
void fuzzSettings(const QByteArray &input);

// ---- Shared by the target functions ---------------------------------------

// Creates the offscreen application the pages need, once per process, for a
// program that has none (the libFuzzer programs); registers the resource
// bundle and the closing of modal dialogs.
void prepareApplication(int *argc, char ***argv);

// Stops the program with `what` when `holds` is false: a finding.
void require(bool holds, const char *what);

// The input followed by its CRC-8, as a device that builds a right frame around
// the same bytes would send it.
QByteArray withCrcAppended(const QByteArray &input);

// Calls parse(length, bytes) on a copy of the chunk in a block of exactly its
// size, the way the main window hands over its receive buffer, so that a read
// past the chunk's end is caught.
void feedExactly(const QByteArray &chunk, const std::function<void(int, char *)> &parse);

// Hands decode() the input, the input with its CRC-8 appended and each piece
// the shared splitter cuts the input into with the family's answer lengths,
// each in a block of exactly its size.
void decodeEvery(const QByteArray &input, const frame::AnswerLengths &lengths, void (*decode)(const QByteArray &bytes));

// Timers never run between two chunks here: a page's watchdog that ran out
// during a dialog's loop would start a new search in the middle of the inputs.
void stopTimers(QObject *page);

// True for about one input in `oneIn`, chosen by the input's own bytes so that
// a run repeats: an intake that answers most inputs with a modal message box
// (built, shown and dismissed for each) would hold the whole run to the speed
// of the box; the decoders behind it still see every input.
// The seed replay feeds every input: feedEveryInput() turns the sampling off.
bool sampled(const QByteArray &input, uint oneIn);
void feedEveryInput();

// What control going back to the event loop does between two chunks: posted
// events are delivered, and objects a handler let go with deleteLater() are
// deleted.
void settle();

// A page built once, on the first input, and kept for the next ones (building
// the form for every input would leave no time for fuzzing). releasePages()
// drops every kept page; it runs before the application goes.
template <class Session> Session &kept();
void releasePages();

// The kept page takes the input as it is, then with its CRC-8 appended.
template <class Session> void takeBoth(const QByteArray &input);

namespace detail {
void keep(std::function<void()> release);
}

template <class Session> Session &kept()
{
    static Session *session = nullptr;
    if (!session) {
        session = new Session;
        detail::keep([] {
            delete session;
            session = nullptr;
        });
    }
    return *session;
}

template <class Session> void takeBoth(const QByteArray &input)
{
    Session &session = kept<Session>();
    session.take(input);
    session.take(withCrcAppended(input));
}

} // namespace fuzz

#endif // FUZZTARGETS_H
