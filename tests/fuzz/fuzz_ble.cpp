// BLE base in its ordinary mode (one linked sensor relayed): the answer
// decoders, the rules the page applies to what they return, and the page's
// intake after the base named itself with a firmware of that mode.
#include "fuzztargets.h"

#include "devices/ble/bledevice.h"
#include "devices/ble/bleprotocol.h"
#include "link/frame.h"
#include "pagefixture.h"

namespace {

// The base's identity answer: serial 4321, firmware 105 (ordinary mode).
const QByteArray kIdentity = frame::withCrc(QByteArray::fromHex("3e03fce110000069"
                                                                "00"));

void decode(const QByteArray &f)
{
    const auto head = ble::acceptAnswer(f);
    fuzz::require(!head || (f.size() >= ble::kShortAnswerLength && frame::isValidAnswer(f)),
                  "ble: a frame with a wrong length or CRC-8 was accepted");
    ble::sensorKind(f);
    if (const auto data = ble::decodeData(f)) {
        fuzz::require(ble::isDataLength(f.size()), "ble: a data answer of a length the base never sends was decoded");
        fuzz::require(!data->address || (data->address->size() == 6 && ble::hasAddress(f.size())),
                      "ble: a sensor address where the answer has none");
        if (data->address)
            ble::addressText(*data->address);
        ble::batteryText(data->battery);
        ble::isCalibrated(data->empty, data->full);
        ble::connectionSummary(ble::kBaseAddress, data->empty, data->full, quint16(data->current), data->level,
                               data->temperature);
        ble::statusText(data->status);
        ble::autoCalibration(qint32(data->current), data->temperature);
    }
    ble::decodeParamAck(f);
}

struct BlePage
{
    PageFixture<BLEDevice> fixture;
    BLEDevice *page = fixture.page.get();

    BlePage() { connectBase(); }

    void connectBase()
    {
        page->setAdvertMode(false);
        page->connectDevice();
        fixture.feed(kIdentity);
        fuzz::require(page->isDeviceConnected() && !page->isAdvertMode(),
                      "ble: the base's identity did not connect the page");
    }

    void take(const QByteArray &chunk)
    {
        // An identity of the other mode in an input turns the page to the
        // advertising list, another target's ground; and an answer that
        // ended the connection leaves nothing for the next input to reach.
        if (page->isAdvertMode() || !page->isDeviceConnected())
            connectBase();
        fuzz::stopTimers(page);
        fixture.feed(chunk);
        fuzz::settle();

        for (int i = 0; i < BLEDevice::kSensors; ++i)
            fuzz::require(page->getStability(i) >= 0 && page->getStability(i) <= 3,
                          "ble: a stability grade outside its scale");
    }
};

} // namespace

void fuzz::fuzzBle(const QByteArray &input)
{
    decodeEvery(input, ble::answerLengths, decode);
    takeBoth<BlePage>(input);
}
