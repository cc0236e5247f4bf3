// BLE base in its advertising mode: the list answer's decoders, the
// acknowledgements of the base configuration and of a sensor's name, and the
// page's intake on a real form with its four cards showing a first list.
#include "fuzztargets.h"

#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bledevice.h"
#include "devices/ble/bleprotocol.h"
#include "link/frame.h"
#include "pagefixture.h"

#include <array>

namespace {

constexpr quint8 kAnswerStart = 0x3E;

void decode(const QByteArray &f)
{
    const auto head = ble::acceptAnswer(f);
    fuzz::require(!head || (frame::isValidAnswer(f) && quint8(f.at(0)) == kAnswerStart),
                  "bleadw: a frame with a wrong start byte or CRC-8 was accepted");

    if (const auto records = ble::advertRecords(f)) {
        fuzz::require(f.size() >= ble::kAdvertListLength, "bleadw: a list shorter than four records was read");
        fuzz::require(records->size() == ble::kAdvertRecords * ble::kAdvertRecordLength,
                      "bleadw: a list read as other than four whole records");
        for (int slot = 0; slot < ble::kAdvertRecords; ++slot) {
            const ble::AdvertRecord r = ble::decodeAdvertRecord(*records, slot * ble::kAdvertRecordLength);
            ble::familyOf(r.name);
            ble::showsClimateValues(r.name);
            ble::hasSensorDigits(r.name);
            ble::isFreeSlotName(r.name);
            ble::netNumberFieldText(r.netNumber, r.slotMask & ble::extraParamBit(slot + 1));
            ble::batteryText(r.battery);
            BLEAdwModel model;
            model.setParamRecord(records->mid(slot * ble::kAdvertRecordLength, ble::kAdvertRecordLength));
            model.getNameChar();
        }
    }
    // A record cut anywhere, or asked for past the bytes, reads as zeros there.
    for (const int offset : {0, 3, qMax(0, f.size() - 1), f.size(), f.size() + ble::kAdvertRecordLength})
        ble::decodeAdvertRecord(f, offset);
    BLEAdwModel model;
    model.setParamRecord(f);
    model.getNameChar();
}

// True when one of the chunk's pieces is an acknowledgement with this
// command: the base's acknowledgements are told by their command byte alone.
bool holdsAcknowledgement(const QByteArray &chunk, quint8 command)
{
    for (const QByteArray &piece : ble::splitAdvertChunk(chunk)) {
        if (piece.size() >= 3 && quint8(piece.at(2)) == command)
            return true;
    }
    return false;
}

// The network numbers of the slots of the last whole list in the chunk;
// nothing when it holds none.
std::optional<std::array<int, ble::kAdvertRecords>> lastListNumbers(const QByteArray &chunk)
{
    std::optional<std::array<int, ble::kAdvertRecords>> numbers;
    for (const QByteArray &piece : ble::splitAdvertChunk(chunk)) {
        const auto head = ble::acceptAnswer(piece);
        if (!head || head->command != ble::kAdvertListCommand)
            continue;
        if (const auto records = ble::advertRecords(piece)) {
            std::array<int, ble::kAdvertRecords> n{};
            for (int slot = 0; slot < ble::kAdvertRecords; ++slot)
                n[size_t(slot)] = ble::decodeAdvertRecord(*records, slot * ble::kAdvertRecordLength).netNumber;
            numbers = n;
        }
    }
    return numbers;
}

// A first list: a fuel sensor linked in slot 1, an angle sensor in slot 3,
// the other two slots free, slot 1 sending extra parameters.
QByteArray firstList()
{
    QByteArray body = QByteArray::fromHex("3e00a6");
    const char *const names[] = {"QF_000123", "QF_000000", "KV_004567", "QF_000000"};
    const quint8 numbers[] = {5, 20, 30, 40};
    for (int slot = 0; slot < ble::kAdvertRecords; ++slot) {
        QByteArray record(ble::kAdvertRecordLength, '\0');
        record[10] = char(numbers[slot]);
        record[11] = char(slot % 2 ? 0 : -60);
        record[12] = char(33);
        record.replace(13, ble::kNameLength, names[slot]);
        record[22] = char(slot % 2 ? 30 : 1);
        record[23] = char(slot == 0 ? ble::extraParamBit(1) : 0);
        record[24] = char(slot == 0 ? ble::kLinkedMode : 0);
        body += record;
    }
    return frame::withCrc(body);
}

// The page on a real form in the advertising mode, its cards up from a
// first list.
struct AdvertPage
{
    PageFixture<BLEDevice> fixture;
    BLEDevice *page = fixture.page.get();

    AdvertPage() { arm(); }

    // Back to the state after the first list, the acknowledgement flags clear.
    void arm()
    {
        page->resetSettingToDefault();
        page->setAdvertMode(true);
        fuzz::stopTimers(page);
        fixture.feed(firstList());
        fuzz::settle();
        fuzz::require(!page->isConfigAccepted() && !page->isNameAccepted(),
                      "bleadw: a list passed for an acknowledgement");
    }

    std::array<int, ble::kAdvertRecords> slotNumbers() const
    {
        std::array<int, ble::kAdvertRecords> n{};
        for (int slot = 0; slot < ble::kAdvertRecords; ++slot)
            n[size_t(slot)] = page->modelOf(slot)->getNetNumber();
        return n;
    }

    void take(const QByteArray &chunk)
    {
        if (!page->isAdvertMode())
            arm();
        page->forgetAcknowledgements();
        const auto before = slotNumbers();
        fuzz::stopTimers(page);
        fixture.feed(chunk);
        fuzz::settle();

        fuzz::require(page->isAdvertMode(), "bleadw: an answer took the page out of the advertising mode");
        fuzz::require(!page->isConfigAccepted() || holdsAcknowledgement(chunk, ble::kConfigAcceptedCommand),
                      "bleadw: the configuration counted as accepted without its acknowledgement");
        fuzz::require(!page->isNameAccepted() || holdsAcknowledgement(chunk, ble::kNameAcceptedCommand),
                      "bleadw: the name counted as accepted without its acknowledgement");
        const auto listed = lastListNumbers(chunk);
        fuzz::require(slotNumbers() == (listed ? *listed : before),
                      "bleadw: the slots do not hold what the last whole list said");
    }
};

} // namespace

void fuzz::fuzzBleAdw(const QByteArray &input)
{
    decodeEvery(input, ble::answerLengths, decode);
    takeBoth<AdvertPage>(input);
}
