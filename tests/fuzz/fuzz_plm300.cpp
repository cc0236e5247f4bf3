// PLM300 distance sensor: its answer decoders, the rules the page applies to
// what they return, and the page's intake after a search found two sensors
// and while it still searches.
#include "fuzztargets.h"

#include "devices/other/plm300device.h"
#include "devices/other/plm300protocol.h"
#include "link/bus.h"
#include "link/frame.h"
#include "pagefixture.h"

namespace {

// The bus after a search: two sensors, numbers 1 and 2; the first is polled.
const QByteArray kFoundNetNums = QByteArray::fromHex("0102");

void decode(const QByteArray &f)
{
    if (const auto found = plm300::decodeSearchAnswer(f))
        fuzz::require(!found->isEmpty(), "plm300: a search answer that names no sensor was taken");
    const auto head = bus::acceptAnswer(f);
    fuzz::require(!head || frame::isValidAnswer(f), "plm300: a frame with a wrong CRC-8 was accepted");
    if (const auto data = plm300::decodeData(f)) {
        fuzz::require(f.size() >= plm300::kDataAnswerLength, "plm300: a data answer shorter than its form was decoded");
        plm300::indexOfMode(data->mode);
    }
    if (plm300::decodeSerialAndFirmware(f))
        fuzz::require(f.size() >= plm300::kSerialAnswerLength,
                      "plm300: a serial answer shorter than its form was decoded");
}

struct Plm300Page
{
    PageFixture<PLM300Device> fixture;
    PLM300Device *page = fixture.page.get();
    quint8 netNum = 0;

    Plm300Page()
    {
        page->connectDevice();
        page->setSearchRunning(true);
        fixture.feed(kFoundNetNums);
        fuzz::require(!page->isSearchActive(), "plm300: the search answer was not taken");
        netNum = page->getNetNum();
    }

    void take(const QByteArray &chunk)
    {
        fuzz::stopTimers(page);
        // As right after the connection: the next data answer fills the settings.
        page->setFirstDataRequest(true);
        fixture.feed(chunk);
        fuzz::settle();

        fuzz::require(!page->isSearchActive(), "plm300: an answer sent the page back to searching");
        fuzz::require(page->getNetNum() == netNum, "plm300: an answer changed the sensor the page talks to");
    }
};

// A page of its own that is still searching: every chunk is judged as the
// bus's answer to the search.
struct Plm300SearchingPage
{
    PageFixture<PLM300Device> fixture;
    PLM300Device *page = fixture.page.get();

    Plm300SearchingPage() { page->connectDevice(); }

    void take(const QByteArray &chunk)
    {
        page->setSearchRunning(true);
        fuzz::stopTimers(page);
        fixture.feed(chunk);
        fuzz::settle();
        if (!page->isSearchActive()) {
            const auto found = plm300::decodeSearchAnswer(chunk);
            fuzz::require(found && page->getNetNum() == quint8(found->at(0)),
                          "plm300: a search answer taken without polling the first sensor it names");
        }
    }
};

} // namespace

void fuzz::fuzzPlm300(const QByteArray &input)
{
    decodeEvery(input, plm300::answerLengths, decode);
    takeBoth<Plm300Page>(input);
    kept<Plm300SearchingPage>().take(input);
}
