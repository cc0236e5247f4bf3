// Wired angle sensor: its answer decoders, the rules the page applies to what
// they return, and the page's intake after a search found two sensors.
#include "fuzztargets.h"

#include "devices/angle/kv380device.h"
#include "devices/angle/kv380protocol.h"
#include "link/frame.h"
#include "pagefixture.h"

namespace {

// The bus after a search: two sensors, numbers 1 and 2; the first is polled.
const QByteArray kFoundNetNums = QByteArray::fromHex("0102");

void decode(const QByteArray &f)
{
    if (const auto found = kv380::decodeSearchAnswer(f))
        fuzz::require(!found->isEmpty(), "kv380: a search answer that names no sensor was taken");

    const auto head = kv380::acceptAnswer(f);
    fuzz::require(!head || frame::isValidAnswer(f), "kv380: a frame with a wrong CRC-8 was accepted");

    if (const auto data = kv380::decodeData(f)) {
        fuzz::require(f.size() >= kv380::kDataAnswerLength, "kv380: a data answer shorter than its form was decoded");
        const KV380Param param = kv380::paramOf(*data, head ? head->net : 0);
        kv380::paramLogLine(param);
        kv380::connectionLogSettings(param);
        const quint8 mode = kv380::modeOf(data->mode);
        const kv380::Picture picture = kv380::anglePicture(mode, data->angle, data->down, data->up);
        kv380::pictureFile(mode, picture, data->mode & kv380::kMasterBit);
        kv380::isBucketMoving(data->angle, quint16(data->delayOn));
    }
    if (const auto answer = kv380::decodeSerialAndFirmware(f)) {
        fuzz::require(f.size() >= kv380::kSerialAnswerLength,
                      "kv380: a serial answer shorter than its form was decoded");
        kv380::firmwareText(answer->firmware);
    }
}

// The page on a real form, as after a search that found two sensors.
struct Kv380Page
{
    PageFixture<KV380Device> fixture;
    KV380Device *page = fixture.page.get();
    quint8 netNum = 0;

    Kv380Page()
    {
        page->connectDevice();
        // Its first search request goes a period after the session opens.
        page->requestSearch();
        fixture.feed(kFoundNetNums);
        fuzz::require(!page->isSearchActive(), "kv380: the search answer was not taken");
        netNum = page->getNetNum();
    }

    void take(const QByteArray &chunk)
    {
        fuzz::stopTimers(page);
        // As right after a selection: the next answers refresh the settings
        // and the switches.
        page->setSyncSwitchesWithDevice(true);
        fixture.feed(chunk);
        fuzz::settle();

        fuzz::require(!page->isSearchActive(), "kv380: an answer sent the page back to searching");
        fuzz::require(page->getNetNum() == netNum, "kv380: an answer changed the sensor the page talks to");
        fuzz::require(page->getFoundNetNums() == kFoundNetNums, "kv380: an answer changed the list of sensors found");
    }
};

// A second page on a form of its own that is still searching: every chunk is
// judged as the bus's answer to the search.
struct Kv380SearchingPage
{
    PageFixture<KV380Device> fixture;
    KV380Device *page = fixture.page.get();

    Kv380SearchingPage()
    {
        page->connectDevice();
        page->requestSearch();
    }

    void take(const QByteArray &chunk)
    {
        if (!page->isSearchActive())
            page->startSearchDevices();
        fuzz::stopTimers(page);
        fixture.feed(chunk);
        fuzz::settle();
        if (!page->isSearchActive()) {
            const QByteArray found = page->getFoundNetNums();
            fuzz::require(!found.isEmpty() && page->getNetNum() == quint8(found.at(0)),
                          "kv380: a search answer taken without polling the first sensor it names");
        }
    }
};

} // namespace

void fuzz::fuzzKv380(const QByteArray &input)
{
    decodeEvery(input, kv380::answerLengths, decode);
    takeBoth<Kv380Page>(input);
    kept<Kv380SearchingPage>().take(input);
}
