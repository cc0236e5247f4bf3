// Online unit: its answer splitter and decoders, the rules the page applies to
// what they return, and the page's intake after a connection.
#include "fuzztargets.h"

#include "devices/online/onlineconfigblock.h"
#include "devices/online/onlineprotocol.h"
#include "devices/online/qfonline.h"
#include "link/frame.h"
#include "pagefixture.h"

namespace {

void decode(const QByteArray &f)
{
    if (online::isAccepted(f))
        fuzz::require(f.size() >= online::kMinimumAnswerLength, "online: a frame shorter than any answer was accepted");
    online::endsSearch(f);
    if (const auto status = online::decodeStatus(f)) {
        online::voltageText(status->voltage);
        online::modemStateText(status->modemState);
    }
    online::decodeLevel(f);
    if (const auto imei = online::decodeImei(f))
        fuzz::require(!imei->contains(QLatin1Char(';')), "online: the identity ran into the SIM number");
    if (const auto config = online::decodeConfig(f)) {
        OnlineConfigBlock block;
        fuzz::require(block.assign(config->block), "online: a configuration answer's block has a wrong size");
        for (int device = 0; device < OnlineConfigBlock::kExtraDevices; ++device) {
            block.mode(device);
            block.address(device);
        }
        block.period();
        // A block read is written back as it came.
        const QByteArray write = online::configWriteRequest(block);
        fuzz::require(write.size() == online::kConfigWriteLength &&
                          write.mid(online::kBlockOffset, OnlineConfigBlock::kSize) == config->block,
                      "online: a configuration read and written back changed");
    }
}

// The page as a connection leaves it: the unit is number 1 and polled.
struct OnlinePage
{
    PageFixture<QFOnline> fixture;
    QFOnline *page = fixture.page.get();

    OnlinePage() { page->connectDevice(); }

    void take(const QByteArray &chunk)
    {
        fuzz::stopTimers(page);
        // As right after a connection: the next configuration answer fills the fields.
        page->setNeedUpdateCfgFields(true);
        fuzz::feedExactly(chunk, [this](int length, char *bytes) { page->run(length, bytes); });
        fuzz::settle();

        fuzz::require(page->getConfigBlock().bytes().size() == OnlineConfigBlock::kSize,
                      "online: the kept configuration block changed its size");
        for (int slot = 0; slot < QFOnline::kSlots; ++slot)
            fuzz::require(page->getStabilityState(slot) >= 0 && page->getStabilityState(slot) <= 3,
                          "online: a stability grade outside its scale");
    }
};

} // namespace

void fuzz::fuzzOnline(const QByteArray &input)
{
    QByteArray joined;
    for (const QByteArray &piece : online::splitAnswers(input))
        joined += piece;
    require(joined == input, "online: the splitter's pieces do not add up to the chunk");
    decodeEvery(input, online::answerLengths, decode);
    for (const QByteArray &piece : online::splitAnswers(input))
        decodeEvery(piece, online::answerLengths, decode);
    takeBoth<OnlinePage>(input);
}
