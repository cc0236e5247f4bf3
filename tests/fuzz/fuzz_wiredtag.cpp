// Wired tag reader: its answer decoders, the tag ID texts the page shows and
// the page's intake after a search found two readers.
#include "fuzztargets.h"

#include "devices/other/wiredtagdevice.h"
#include "devices/other/wiredtagprotocol.h"
#include "link/frame.h"
#include "pagefixture.h"

namespace {

// The bus after a search: two readers, numbers 1 and 2.
const QByteArray kFoundNetNums = QByteArray::fromHex("0102");

void decode(const QByteArray &f)
{
    if (const auto numbers = wiredtag::searchAnswerIn(f))
        fuzz::require(!numbers->isEmpty() && numbers->size() <= f.size(),
                      "wiredtag: a search answer names readers the chunk does not hold");
    if (const auto mode = wiredtag::decodeMode(f)) {
        fuzz::require(f.size() >= wiredtag::minimumAnswerLength(wiredtag::kReadCommand),
                      "wiredtag: a read answer shorter than its form was decoded");
        wiredtag::modeFromByte(*mode);
    }
    if (const auto id = wiredtag::decodeTagId(f)) {
        // What the page shows must read back as the same ID when written.
        for (bool decimal : {false, true}) {
            const QString text = wiredtag::tagIdText(*id, decimal);
            fuzz::require(wiredtag::parseTagId(text, decimal) == *id, "wiredtag: a tag ID shown does not read back");
            fuzz::require(wiredtag::convertTagIdText(wiredtag::convertTagIdText(text, !decimal), decimal) == text,
                          "wiredtag: a tag ID changed on a format round trip");
        }
    }
}

// The page on a real form, as after a search that found two readers.
struct WiredTagPage
{
    PageFixture<WiredTagDevice> fixture;
    WiredTagDevice *page = fixture.page.get();
    quint8 netNum = 0;
    quint8 command = wiredtag::kSearchCommand; // what the main window hands in with a chunk

    WiredTagPage()
    {
        parse(kFoundNetNums);
        fuzz::require(command == wiredtag::kReadCommand, "wiredtag: the search answer was not taken");
        netNum = page->getNetNum();
    }

    void parse(const QByteArray &chunk)
    {
        fuzz::feedExactly(chunk,
                          [this](int length, char *bytes) { command = page->parseResponse(length, bytes, command); });
    }

    void take(const QByteArray &chunk)
    {
        // The main window asks again for data after anything but a read or
        // a serial number; the first read answer shows the page again.
        if (command != wiredtag::kReadCommand && command != wiredtag::kSerialAndFirmwareCommand)
            command = wiredtag::kReadCommand;
        page->setFirstDataRequest(true);
        parse(chunk);
        fuzz::settle();

        fuzz::require(command != wiredtag::kSearchCommand, "wiredtag: an answer sent the page back to searching");
        fuzz::require(page->getNetNum() == netNum, "wiredtag: an answer changed the reader the page talks to");
    }
};

// A second page on a form of its own that waits for the search answer: every
// chunk is judged as the bus's answer to the search.
struct WiredTagSearchingPage
{
    PageFixture<WiredTagDevice> fixture;
    WiredTagDevice *page = fixture.page.get();

    void take(const QByteArray &chunk)
    {
        fuzz::feedExactly(chunk, [this](int length, char *bytes) {
            const quint8 next = page->parseResponse(length, bytes, wiredtag::kSearchCommand);
            fuzz::require(next == wiredtag::kSearchCommand || next == wiredtag::kReadCommand,
                          "wiredtag: a search answer led to neither reading nor searching on");
        });
        fuzz::settle();
    }
};

} // namespace

void fuzz::fuzzWiredTag(const QByteArray &input)
{
    decodeEvery(input, wiredtag::answerLengths, decode);
    takeBoth<WiredTagPage>(input);
    kept<WiredTagSearchingPage>().take(input);
}
