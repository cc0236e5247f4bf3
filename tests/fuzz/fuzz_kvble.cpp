// Wireless angle sensor behind the USB base: its answer decoders, the display
// rules applied to what they return, and the page's intake while the base
// reports the sensor linked.
#include "fuzztargets.h"

#include "deruvivuriri_form.h"
#include "devices/angle/kv380protocol.h"
#include "devices/angle/kvbledevice.h"
#include "devices/angle/kvbleprotocol.h"
#include "devices/ble/bleprotocol.h"
#include "link/frame.h"
#include "pagefixture.h"

#include <QDialog>
#include <QLabel>

namespace {

// Places in the data answer the page's first link report needs.
constexpr int kPresentAt = 29;

void decode(const QByteArray &f)
{
    const auto head = ble::acceptAnswer(f);
    fuzz::require(!head || frame::isValidAnswer(f), "kvble: a frame with a wrong CRC-8 was accepted");

    kvble::otherKindLinked(f);
    if (const auto data = kvble::decodeData(f)) {
        fuzz::require(f.size() >= kvble::kDataAnswerLength, "kvble: a data answer shorter than its form was decoded");
        fuzz::require(!kvble::isOtherKindLength(f.size()), "kvble: another sensor kind's answer was decoded");
        fuzz::require(data->mac.size() == 6, "kvble: a MAC address of other than six bytes");
        kvble::eventText(data->mode, data->event);
        kvble::rotationMovieFile(kvble::rotationOf(data->mode), false);
        kvble::firmwareText(data->firmware);
        kvble::macText(data->mac);
        kvble::statusAction(data->status);
    }
    if (kvble::decodeSerial(f))
        fuzz::require(f.size() >= kvble::kSerialAnswerLength,
                      "kvble: a serial answer shorter than its form was decoded");
}

// What the page has shown of the sensor and its link.
struct Shown
{
    QString angle, event, statusUp, statusDown;
    bool connected = false;

    bool operator==(const Shown &o) const
    {
        return angle == o.angle && event == o.event && statusUp == o.statusUp && statusDown == o.statusDown &&
               connected == o.connected;
    }
};

// Whether any answer the intake may cut from the chunk passes the checks
// every answer of the base must pass.
bool holdsAnAnswer(const QByteArray &chunk)
{
    for (const QByteArray &piece : frame::splitAnswers(chunk, kvble::answerLengths)) {
        if (ble::acceptAnswer(piece))
            return true;
    }
    return false;
}

// Frames the page writes go to the base, whole.
void requireBaseRequest(const QByteArray &request)
{
    fuzz::require(request.size() >= 4 && quint8(request.at(1)) == kvble::kBaseAddress,
                  "kvble: a request went to another address than the base's");
    fuzz::require(frame::isValidAnswer(request, frame::kRequestStart), "kvble: a request with a wrong CRC-8");
}

// The page on a real form, as after choosing the sensor: polling the base,
// which reported the sensor linked.
struct KvblePage
{
    PageFixture<KVBLEDevice> fixture;
    KVBLEDevice *page = fixture.page.get();
    int netNumsHanded = 0;

    KvblePage()
    {
        QObject::connect(page, &KVBLEDevice::copyNetNumToParent, page, [this](const QByteArray &) { ++netNumsHanded; });
        QObject::connect(page, &KVBLEDevice::writeData, page, requireBaseRequest);
        connect();
        QByteArray linked(kvble::kDataAnswerLength - 1, '\0');
        linked[0] = char(frame::kAnswerStart);
        linked[1] = char(kvble::kBaseAddress);
        linked[2] = char(kvble::kDataCommand);
        linked[kPresentAt] = 1;
        fixture.feed(frame::withCrc(linked));
        fuzz::require(page->isDeviceConnected(), "kvble: the base's first link report was not taken");
    }

    void connect()
    {
        page->connectDevice();
        netNumsHanded = 0;
    }

    Shown shown() const
    {
        const Ui_Deruvivuriri &ui = *fixture.ui;
        return {ui.label_81->text(), ui.label_85->text(), page->getLabelStatusMessageUp()->text(),
                page->getLabelStatusMessage()->text(), page->isDeviceConnected()};
    }

    void take(const QByteArray &chunk)
    {
        fuzz::stopTimers(page);
        // Seconds pass between two chunks on the line: the last command's
        // message has had its time and the link report may show again.
        page->setEnableShowMainStatusMsgBLE();
        const Shown before = shown();
        fixture.feed(chunk);
        fuzz::settle();

        fuzz::require(holdsAnAnswer(chunk) || shown() == before, "kvble: a chunk without an answer changed the page");
        fuzz::require(!page->isSearchActive(), "kvble: an answer sent the page back to searching");
        fuzz::require(netNumsHanded == 0, "kvble: an answer changed the address the page talks to");
        fuzz::require(page->getLabelStatusMessageUp() && page->getLabelStatusMessage(),
                      "kvble: an answer took a status line");

        // Another sensor kind behind the base stopped the polling behind its
        // message: the user closes it and chooses the sensor again.
        if (!page->isSessionRunning()) {
            for (QDialog *dialog : fixture.window->findChildren<QDialog *>())
                dialog->close();
            fuzz::settle();
            connect();
        }
    }
};

// A second page on a form of its own in search mode: every chunk is judged
// as the answer to a bus search.
struct KvbleSearchingPage
{
    PageFixture<KVBLEDevice> fixture;
    KVBLEDevice *page = fixture.page.get();
    QByteArray handed;

    KvbleSearchingPage()
    {
        QObject::connect(page, &KVBLEDevice::copyNetNumToParent, page,
                         [this](const QByteArray &list) { handed = list; });
        QObject::connect(page, &KVBLEDevice::writeData, page, requireBaseRequest);
        page->connectDevice();
    }

    void take(const QByteArray &chunk)
    {
        if (!page->isSearchActive())
            page->startSearchDevices();
        fuzz::stopTimers(page);
        handed.clear();
        fixture.feed(chunk);
        fuzz::settle();
        if (!page->isSearchActive())
            fuzz::require(!handed.isEmpty(), "kvble: a search answer was taken without naming a sensor");
    }
};

} // namespace

void fuzz::fuzzKvble(const QByteArray &input)
{
    decodeEvery(input, kvble::answerLengths, decode);
    kv380::decodeSearchAnswer(input);
    takeBoth<KvblePage>(input);
    kept<KvbleSearchingPage>().take(input);
}
