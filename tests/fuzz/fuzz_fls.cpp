// Wired fuel level sensor: its answer decoders, the rules the page applies to
// what they return, and the page's intake after a search found three sensors.
#include "fuzztargets.h"

#include "devices/fls/flsdevice.h"
#include "devices/fls/flsprotocol.h"
#include "link/bus.h"
#include "link/frame.h"
#include "pagefixture.h"

namespace {

// The bus after a search: three sensors, numbers 1, 2 and 3.
const QByteArray kFoundNetNums = QByteArray::fromHex("010203");

void decode(const QByteArray &f)
{
    if (const auto found = bus::decodeSearchAnswer(f))
        fuzz::require(!found->isEmpty(), "fls: a search answer that names no sensor was taken");

    const auto head = bus::acceptAnswer(f);
    fuzz::require(!head || frame::isValidAnswer(f), "fls: a frame with a wrong CRC-8 was accepted");
    fls::isLongEnough(f);

    if (const auto data = fls::decodeAllData(f)) {
        fuzz::require(f.size() >= fls::minimumAnswerLength(bus::kAllDataCommand),
                      "fls: an all-data answer shorter than its form was decoded");
        const fls::ModeByte mode = fls::modeByte(data->model, 0, data->byte23, 0, data->configA);
        const fls::ModeByte newMode = fls::modeByte(data->model, 0xFFFF, data->byte23, data->configB, data->configA);
        fls::isShown(data->model, mode.usesConfigC || newMode.usesConfigC);
        fls::modeDisplay(fls::clearedMode(data->model, mode.mode), mode.configC.value_or(0));
        fls::stabilityGrade(data->empty, data->count, 0);
        fls::stabilityGrade(data->full, data->count, 3);
        fls::isNotCalibrated(data->count, data->empty, data->full);
        fls::levelAlarmText(data->level);
        fls::qf260Voltage(data->level, data->configA & fls::kWideRangeBit);
        fls::analogVoltage(data->model, data->level, data->configA & fls::kWideRangeBit);
        fls::frequencyValue(data->level);
        fls::tankClassIndex(fls::filterLevel(data->configB));
        fls::interfaceText(fls::interfaceCode(data->configA));
        fls::logPrefix(data->model);
        fls::statusText(data->model);
    }
    if (const auto answer = bus::decodeSerialAndFirmware(f)) {
        bus::firmwareText(answer->firmware);
        bus::serialText(answer->serial);
        fls::filterTypes(fls::modelFromByte(quint8(answer->firmware)), answer->firmware);
        fls::isNewFirmware(fls::Model::QF470, answer->firmware);
    }
}

// The page on a real form, as after a search that found three sensors.
struct FlsPage
{
    PageFixture<FLSDevice> fixture;
    FLSDevice *page = fixture.page.get();
    quint8 netNum = 0;

    FlsPage()
    {
        page->connectDevice();
        fixture.feed(kFoundNetNums);
        fuzz::require(!page->isSearchActive(), "fls: the search answer was not taken");
        page->timerIntervalGetDataStop();
        netNum = page->getCurrentNetNum();
    }

    void take(const QByteArray &chunk)
    {
        fuzz::stopTimers(page);
        // As right after a selection: the next answer refreshes the settings.
        page->setUpdateParamWidgets(true);
        fixture.feed(chunk);
        fuzz::settle();

        fuzz::require(!page->isSearchActive(), "fls: an answer sent the page back to searching");
        fuzz::require(page->getCurrentNetNum() == netNum, "fls: an answer changed the sensor the page talks to");
        for (int i = 0; i < kFoundNetNums.size(); ++i)
            fuzz::require(page->indexOfNetNum(quint8(kFoundNetNums.at(i))) == i,
                          "fls: an answer changed the list of sensors found");
        for (int i = 0; i < FLSDevice::kMaxSensors; ++i)
            fuzz::require(page->getStabilityGrade(i) >= 0 && page->getStabilityGrade(i) <= 3,
                          "fls: a stability grade outside its scale");
    }
};

} // namespace

void fuzz::fuzzFls(const QByteArray &input)
{
    decodeEvery(input, fls::answerLengths, decode);
    takeBoth<FlsPage>(input);
}
