// Writes the fuzz targets' seed corpora: what the simulated devices send to
// the requests the program makes, as whole answers, as the faults of the
// line spoil them and glued together.
//
//   make_fuzz_seeds <corpus folder>     (tests/fuzz/corpus)
//
// Every seed goes to <corpus folder>/<target>/<name>; seeds of other names
// (the inputs of earlier findings) are left alone.
#include "devices/angle/kv380protocol.h"
#include "devices/angle/kvbleprotocol.h"
#include "devices/ble/bleprotocol.h"
#include "devices/fls/flsprotocol.h"
#include "devices/other/wiredtagprotocol.h"
#include "link/frame.h"
#include "simulatedadvertbase.h"
#include "simulatedanglebase.h"
#include "simulatedfls.h"
#include "simulatedkv380.h"
#include "simulatedwiredtag.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {

// The simulators' answers without a pseudo-terminal in between.
struct FlsBus : SimulatedFls
{
    using SimulatedFls::answerFor;
};
struct Kv380Bus : SimulatedKv380
{
    using SimulatedKv380::answerFor;
};
struct WiredTagBus : SimulatedWiredTag
{
    using SimulatedWiredTag::answerFor;
};
struct AdvertBus : SimulatedAdvertBase
{
    using SimulatedAdvertBase::answerFor;
};
struct AngleBaseBus : SimulatedAngleBase
{
    using SimulatedAngleBase::answerFor;
};

class Corpus
{
public:
    explicit Corpus(const QString &root) : root(root) {}

    void add(const char *target, const QString &name, const QByteArray &bytes)
    {
        if (bytes.isEmpty()) {
            std::fprintf(stderr, "no answer for %s/%s\n", target, qPrintable(name));
            failed = true;
            return;
        }
        const QString folder = root + QLatin1Char('/') + QLatin1String(target);
        QDir().mkpath(folder);
        QSaveFile file(folder + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
            std::fprintf(stderr, "cannot write %s/%s\n", target, qPrintable(name));
            failed = true;
            return;
        }
        ++written;
    }

    QString root;
    int written = 0;
    bool failed = false;
};

// A frame cut short, as a converter that lost the rest delivers it.
QByteArray firstHalf(const QByteArray &frame)
{
    return frame.left(frame.size() / 2);
}

QByteArray hexText(const QByteArray &bytes, char separator, bool upper)
{
    const QByteArray hex = separator ? bytes.toHex(separator) : bytes.toHex();
    return upper ? hex.toUpper() : hex;
}

// What a tracker reports of a fuel sensor's answer, in the forms engineers
// paste it: plain, spaced, upper case, without the CRC-8.
void addRemoteForms(Corpus &corpus, const QString &name, const QByteArray &answer)
{
    corpus.add("remote", name, hexText(answer, 0, false));
    corpus.add("remote", name + QStringLiteral("-spaced"), hexText(answer, ' ', true));
    corpus.add("remote", name + QStringLiteral("-without-crc"), hexText(answer.left(answer.size() - 1), 0, true));
}

void addFls(Corpus &corpus, QList<QByteArray> &glueable)
{
    FlsBus bus;
    bus.sensors.clear();
    struct Form
    {
        const char *name;
        quint8 model;
        int form;
    };
    const Form forms[] = {
        {"qf410", SimulatedFls::kModelQF410, 24},     {"qf210", SimulatedFls::kModelQF210, 24},
        {"qf260", SimulatedFls::kModelQF260, 25},     {"qf470", SimulatedFls::kModelQF470, 29},
        {"generic", SimulatedFls::kModelGeneric, 29}, {"qf470-long", SimulatedFls::kModelQF470, 45},
    };
    SimulatedFls::Sensor second;
    second.netNum = 2;
    second.model = SimulatedFls::kModelQF210;
    second.form = 24;
    second.configA = fls::kAnalog | fls::kWideRangeBit;
    second.configB = 0x43;
    SimulatedFls::Sensor third;
    third.netNum = 3;
    third.model = SimulatedFls::kModelQF260;
    third.form = 25;
    third.configA = fls::kFrequency;
    third.sendSerNum = fls::kSendSerNumBit;
    bus.sensors << SimulatedFls::Sensor() << second << third;

    corpus.add("fls", "search-three", bus.answerFor(frame::searchRequest()));
    const QByteArray allData = frame::request(1, fls::kAllDataCommand);
    const QByteArray serial = frame::request(1, fls::kSerialAndFirmwareCommand);
    for (const Form &f : forms) {
        SimulatedFls::Sensor &s = bus.sensor(0);
        s.model = f.model;
        s.form = f.form;
        s.configA = fls::kPassiveRs485;
        s.configC = 0x01;
        s.firmware = f.model == SimulatedFls::kModelQF470 ? 209 : 195;
        corpus.add("fls", QStringLiteral("all-data-%1").arg(QLatin1String(f.name)), bus.answerFor(allData));
    }
    bus.sensor(0) = SimulatedFls::Sensor();
    const QByteArray data1 = bus.answerFor(allData);
    const QByteArray serial1 = bus.answerFor(serial);
    const QByteArray data2 = bus.answerFor(frame::request(2, fls::kAllDataCommand));
    const QByteArray data3 = bus.answerFor(frame::request(3, fls::kAllDataCommand));
    corpus.add("fls", "serial", serial1);
    corpus.add("fls", "all-data-second-sensor", data2);
    corpus.add("fls", "all-data-third-sensor", data3);
    addRemoteForms(corpus, "all-data", data1);
    addRemoteForms(corpus, "all-data-qf210", data2);
    addRemoteForms(corpus, "serial", serial1);
    glueable << data1 << serial1 << data2;

    bus.sensor(0).levelFault = SimulatedFls::LevelFault::BrokenTube;
    corpus.add("fls", "all-data-broken-tube", bus.answerFor(allData));
    bus.sensor(0).levelFault = SimulatedFls::LevelFault::ShortCircuit;
    corpus.add("fls", "all-data-short-circuit", bus.answerFor(allData));
    bus.sensor(0).levelFault = SimulatedFls::LevelFault::None;
    bus.sensor(0).count = 0;
    bus.sensor(0).empty = 0;
    bus.sensor(0).full = 0;
    corpus.add("fls", "all-data-not-calibrated", bus.answerFor(allData));
    bus.sensor(0) = SimulatedFls::Sensor();

    // Acknowledgements of the writes and the password answers.
    const QByteArray config = bus.answerFor(fls::configWrite(1, fls::kAnalog, 0x05, quint8(0)));
    corpus.add("fls", "config-written", config);
    addRemoteForms(corpus, "config-written", config);
    corpus.add("fls", "full-from-level", bus.answerFor(frame::request(1, fls::kSetFullCommand)));
    corpus.add("fls", "empty-from-level", bus.answerFor(frame::request(1, fls::kSetEmptyCommand)));
    corpus.add("fls", "horizon", bus.answerFor(frame::request(1, fls::kHorizonCommand)));
    QByteArray value;
    frame::appendBe32(value, 30000);
    corpus.add("fls", "full-written", bus.answerFor(frame::writeRequest(1, fls::kWriteFullCommand, value)));
    corpus.add("fls", "empty-written", bus.answerFor(frame::writeRequest(1, fls::kWriteEmptyCommand, value)));
    corpus.add("fls", "serial-output-written", bus.answerFor(fls::sendSerNumWrite(3, fls::kSendSerNumBit)));
    corpus.add("fls", "password-set", bus.answerFor(fls::passwordFrame(1, fls::kSetPasswordCommand, 1234)));
    corpus.add("fls", "password-entered", bus.answerFor(fls::passwordFrame(1, fls::kEnterPasswordCommand, 1234)));
    corpus.add("fls", "password-refused", bus.answerFor(fls::passwordFrame(1, fls::kEnterPasswordCommand, 99)));
    bus.sensor(0) = SimulatedFls::Sensor();
    glueable << config;

    // The line's faults.
    bus.refuseWrites = true;
    corpus.add("fls", "config-refused", bus.answerFor(fls::configWrite(1, 0, 0, std::nullopt)));
    bus.refuseWrites = false;
    bus.shortFrames = true;
    corpus.add("fls", "all-data-short", bus.answerFor(allData));
    corpus.add("fls", "serial-short", bus.answerFor(serial));
    bus.shortFrames = false;
    bus.badCrc = true;
    corpus.add("fls", "all-data-bad-crc", bus.answerFor(allData));
    bus.badCrc = false;
    bus.foreignNetNum = 9;
    corpus.add("fls", "all-data-foreign-sensor", bus.answerFor(allData));
    bus.foreignNetNum.reset();
    corpus.add("fls", "all-data-cut", firstHalf(data1));
    corpus.add("fls", "glued-serial-all-data", serial1 + data1);
    corpus.add("fls", "glued-all-data-three-sensors", data1 + data2 + data3);
    corpus.add("fls", "glued-ack-all-data", config + data1);
    corpus.add("fls", "glued-all-data-cut", data1 + firstHalf(data2));
    bus.searchAnswerAsFrame = true;
    bus.sensors = {SimulatedFls::Sensor()};
    bus.sensor(0).netNum = 0;
    corpus.add("fls", "search-lone-frame-start", bus.answerFor(frame::searchRequest()));
}

void addKv380(Corpus &corpus, QList<QByteArray> &glueable)
{
    Kv380Bus bus;
    SimulatedKv380::Sensor second;
    second.netNum = 2;
    second.mode = SimulatedKv380::kModeBucket;
    bus.sensors << second;

    corpus.add("kv380", "search-two", bus.answerFor(frame::searchRequest()));
    const QByteArray request = kv380::dataRequest(1);
    struct Mode
    {
        const char *name;
        quint8 mode;
    };
    const Mode modes[] = {
        {"mode1", SimulatedKv380::kMode1},       {"mode2", SimulatedKv380::kMode2},
        {"mode3", SimulatedKv380::kMode3},       {"blade", SimulatedKv380::kModeBlade},
        {"bucket", SimulatedKv380::kModeBucket}, {"master", SimulatedKv380::kMode1 | SimulatedKv380::kMasterBit},
    };
    for (const Mode &m : modes) {
        bus.sensor(0).mode = m.mode;
        corpus.add("kv380", QStringLiteral("data-%1").arg(QLatin1String(m.name)), bus.answerFor(request));
    }
    bus.sensor(0).mode = SimulatedKv380::kMode2;
    bus.sensor(0).angle = 175;
    corpus.add("kv380", "data-tipper-raised", bus.answerFor(request));
    bus.sensor(0) = SimulatedKv380::Sensor();
    const QByteArray data = bus.answerFor(request);
    const QByteArray serial = bus.answerFor(frame::request(1, kv380::kSerialCommand));
    corpus.add("kv380", "serial", serial);
    corpus.add("kv380", "data-second-sensor", bus.answerFor(kv380::dataRequest(2)));

    // Acknowledgements of the writes.
    const QByteArray zero = bus.answerFor(kv380::setZeroWrite(1));
    corpus.add("kv380", "zero-set", zero);
    corpus.add("kv380", "mode-written", bus.answerFor(kv380::modeWrite(1, SimulatedKv380::kModeBlade)));
    corpus.add("kv380", "up-written", bus.answerFor(kv380::upWrite(1, 120)));
    corpus.add("kv380", "down-written", bus.answerFor(kv380::downWrite(1, 20)));
    corpus.add("kv380", "blade-delay-written", bus.answerFor(*kv380::delayOnWrite(1, kv380::kModeBlade, 300)));
    bus.sensor(0).mode = SimulatedKv380::kModeBucket;
    corpus.add("kv380", "bucket-delay-written", bus.answerFor(*kv380::delayOffWrite(1, kv380::kModeBucket, 9)));
    corpus.add("kv380", "up-refused", bus.answerFor(kv380::upWrite(1, 250)));
    corpus.add("kv380", "net-number-written", bus.answerFor(kv380::netNumWrite(2, 7)));
    bus.sensor(0) = SimulatedKv380::Sensor();
    glueable << data << serial << zero;

    // The line's faults.
    bus.refuseWrites = true;
    corpus.add("kv380", "zero-refused", bus.answerFor(kv380::setZeroWrite(1)));
    bus.refuseWrites = false;
    bus.shortFrames = true;
    corpus.add("kv380", "data-short", bus.answerFor(request));
    corpus.add("kv380", "serial-short", bus.answerFor(frame::request(1, kv380::kSerialCommand)));
    bus.shortFrames = false;
    bus.badCrc = true;
    corpus.add("kv380", "data-bad-crc", bus.answerFor(request));
    bus.badCrc = false;
    corpus.add("kv380", "data-cut", firstHalf(data));
    corpus.add("kv380", "glued-serial-data", serial + data);
    corpus.add("kv380", "glued-ack-data", zero + data);
    corpus.add("kv380", "search-crossed-by-data", data);
}

void addWiredTag(Corpus &corpus, QList<QByteArray> &glueable)
{
    WiredTagBus bus;
    SimulatedWiredTag::Reader second;
    second.netNum = 2;
    second.mode = 0;
    bus.readers << second;

    corpus.add("wiredtag", "search-two", bus.answerFor(frame::searchRequest()));
    const QByteArray read = bus.answerFor(wiredtag::readRequest(1));
    const QByteArray serial = bus.answerFor(frame::request(1, wiredtag::kSerialAndFirmwareCommand));
    corpus.add("wiredtag", "read-reader-mode", read);
    corpus.add("wiredtag", "read-tag-mode", bus.answerFor(wiredtag::readRequest(2)));
    corpus.add("wiredtag", "serial", serial);
    corpus.add("wiredtag", "tag-id", bus.answerFor(wiredtag::readTagIdRequest(1)));
    corpus.add("wiredtag", "tag-id-written", bus.answerFor(wiredtag::tagIdWrite(1, 0xCAFE0001)));
    const QByteArray mode = bus.answerFor(wiredtag::modeWrite(1, false));
    corpus.add("wiredtag", "mode-written", mode);
    corpus.add("wiredtag", "serial-written", bus.answerFor(wiredtag::serialWrite(1, 777)));
    corpus.add("wiredtag", "net-number-written", bus.answerFor(wiredtag::netNumWrite(2, 5)));
    glueable << read << serial << mode;

    bus.badCrc = true;
    corpus.add("wiredtag", "read-bad-crc", bus.answerFor(wiredtag::readRequest(1)));
    bus.badCrc = false;
    bus.shortFrames = true;
    corpus.add("wiredtag", "read-short", bus.answerFor(wiredtag::readRequest(1)));
    bus.shortFrames = false;
    corpus.add("wiredtag", "read-cut", firstHalf(read));
    corpus.add("wiredtag", "glued-ack-read", mode + read);
    corpus.add("wiredtag", "glued-read-serial", read + serial);
    corpus.add("wiredtag", "late-ack-before-search-answer", mode + QByteArray::fromHex("0102"));
}

void addBleAdw(Corpus &corpus)
{
    AdvertBus base;
    const quint8 linked = SimulatedAdvertBase::kFreeSlotNumbers[0];
    const quint8 second = SimulatedAdvertBase::kFreeSlotNumbers[1];
    const QByteArray list = ble::advertListRequest(0);
    corpus.add("bleadw", "list-free-slots", base.answerFor(list));
    corpus.add("bleadw", "identity", base.answerFor(frame::request(0, ble::kSerialAndFirmwareCommand)));
    corpus.add("bleadw", "search", base.answerFor(frame::searchRequest()));

    // One sensor of each family, slot 1 linked and sending extra parameters.
    base.place(0, SimulatedAdvertBase::sensorRecord("QF_000123", linked));
    SimulatedBase::AdvertRecord light = SimulatedAdvertBase::sensorRecord("YQ_000777", second);
    light.mode = 0xFB; // encrypted
    base.place(1, light);
    base.place(2, SimulatedAdvertBase::sensorRecord("KV_004567", SimulatedAdvertBase::kFreeSlotNumbers[2]));
    SimulatedBase::AdvertRecord climate =
        SimulatedAdvertBase::sensorRecord("ZM_000042", SimulatedAdvertBase::kFreeSlotNumbers[3]);
    climate.level = 215;
    climate.temperature = 48;
    climate.illuminance = 900;
    climate.pressure = 101325;
    climate.paramSet = 3;
    base.place(3, climate);
    const QByteArray config = base.answerFor(ble::configWrite(linked, ble::extraParamBit(1) | ble::slotOnBit(1)));
    corpus.add("bleadw", "config-accepted", config);
    const QByteArray four = base.answerFor(list);
    corpus.add("bleadw", "list-four-families", four);

    // A sensor connected by name and password, then freed again.
    SimulatedAdvertBase::Nearby nearby;
    nearby.record = SimulatedAdvertBase::sensorRecord("QF_000555", second);
    nearby.password = 1234;
    base.nearby << nearby;
    base.answerFor(ble::nameWrite(second, "QF_000555"));
    const QByteArray taken = base.answerFor(ble::valueWrite(second, ble::kSensorPasswordCommand, 1234));
    corpus.add("bleadw", "name-accepted", taken);
    corpus.add("bleadw", "list-connected", base.answerFor(list));
    base.answerFor(ble::netNumberWrite(second, 60));
    base.answerFor(ble::paramSetWrite(SimulatedAdvertBase::kFreeSlotNumbers[3], 5));
    corpus.add("bleadw", "list-renumbered", base.answerFor(list));
    corpus.add("bleadw", "slot-freed", base.answerFor(ble::nameWrite(60, ble::kFreeSlotName)));
    corpus.add("bleadw", "list-freed", base.answerFor(list));

    // Acknowledgements spoilt on the line, and lists that are not whole.
    const struct
    {
        const char *name;
        SimulatedAdvertBase::AckFault fault;
    } faults[] = {
        {"bad-crc", SimulatedAdvertBase::AckFault::BadCrc},
        {"truncated", SimulatedAdvertBase::AckFault::Truncated},
        {"wrong-start", SimulatedAdvertBase::AckFault::WrongStart},
        {"other-command", SimulatedAdvertBase::AckFault::OtherCommand},
    };
    for (const auto &f : faults) {
        base.ackFault = f.fault;
        corpus.add("bleadw", QStringLiteral("config-%1").arg(QLatin1String(f.name)),
                   base.answerFor(ble::configWrite(linked, 0)));
    }
    base.ackFault = SimulatedAdvertBase::AckFault::None;
    base.shortFrames = true;
    corpus.add("bleadw", "list-short", base.answerFor(list));
    base.shortFrames = false;
    base.badCrc = true;
    corpus.add("bleadw", "list-bad-crc", base.answerFor(list));
    base.badCrc = false;
    corpus.add("bleadw", "list-cut", firstHalf(four));
    corpus.add("bleadw", "glued-list-config", four + config);
    corpus.add("bleadw", "glued-config-list", config + four);
    corpus.add("bleadw", "glued-name-list-cut", taken + firstHalf(four));
    corpus.add("bleadw", "glued-two-lists", four + base.answerFor(list));
}

void addKvble(Corpus &corpus, QList<QByteArray> &glueable)
{
    AngleBaseBus bus;
    SimulatedAngleBase::AngleSensor other;
    other.serial = 654321;
    other.mode = kvble::kModeBucket;
    other.password = 1234;
    bus.sensors << other;
    const QByteArray request = frame::request(kvble::kBaseAddress, kvble::kDataCommand);
    const QByteArray serialRequest = frame::request(kvble::kBaseAddress, kvble::kSerialCommand);

    struct Mode
    {
        const char *name;
        quint8 mode;
        quint8 event;
    };
    const Mode modes[] = {
        {"transport", kvble::kModeTransport, 0},
        {"vertical-rotation", kvble::kModeVerticalRotation, 1},
        {"horizontal-rotation", kvble::kModeHorizontalRotation, 2},
        {"angle-control", kvble::kModeAngleControl, 1},
        {"bucket", kvble::kModeBucket, 1},
        {"blade", kvble::kModeBlade, 0},
    };
    for (const Mode &m : modes) {
        bus.sensors[0].mode = m.mode;
        bus.sensors[0].event = m.event;
        corpus.add("kvble", QStringLiteral("data-%1").arg(QLatin1String(m.name)), bus.answerFor(request));
    }
    bus.sensors[0] = SimulatedAngleBase::AngleSensor();
    const QByteArray data = bus.answerFor(request);
    const QByteArray serial = bus.answerFor(serialRequest);
    corpus.add("kvble", "serial", serial);

    // Each command's outcome, as the status of the next data answer.
    const auto outcome = [&](const char *name, const QByteArray &command) {
        bus.answerFor(command);
        corpus.add("kvble", QStringLiteral("data-%1").arg(QLatin1String(name)), bus.answerFor(request));
        bus.answerFor(request); // the status's repeat
    };
    outcome("up-written", kvble::upWrite(120));
    outcome("down-refused", kvble::downWrite(250));
    outcome("delay-on-written", kvble::delayOnWrite(300));
    outcome("delay-off-refused", kvble::delayOffWrite(0));
    outcome("mode-written", kvble::modeWrite(kvble::kModeBlade));
    outcome("mode-refused", kvble::modeWrite(3));
    outcome("zero-set", kvble::zeroWrite());
    outcome("no-password", kvble::passwordWrite(kvble::kSetPasswordCommand, 0));
    outcome("link-id-refused",
            frame::writeRequest(kvble::kBaseAddress, kvble::kLinkIdCommand, QByteArray::fromHex("010203040506")));
    outcome("link-id-changed", kvble::linkIdWrite(other.serial));
    corpus.add("kvble", "data-relinking", bus.answerFor(request));
    for (int i = 0; i < bus.relinkAnswers; ++i)
        bus.answerFor(request);
    corpus.add("kvble", "data-other-sensor", bus.answerFor(request));
    corpus.add("kvble", "serial-other-sensor", bus.answerFor(serialRequest));
    outcome("password-protected", kvble::passwordWrite(kvble::kSetPasswordCommand, 0));
    outcome("password-wrong", kvble::passwordWrite(kvble::kEnterPasswordCommand, 99));
    outcome("password-accepted", kvble::passwordWrite(kvble::kEnterPasswordCommand, 1234));
    bus.linked = -1;
    corpus.add("kvble", "data-no-sensor", bus.answerFor(request));
    bus.linked = 0;
    glueable << data << serial;

    // Other sensor kinds linked to the base.
    for (const int form : {38, 42, 45, 84}) {
        bus.otherKindForm = form;
        corpus.add("kvble", QStringLiteral("other-kind-%1").arg(form), bus.answerFor(request));
    }
    bus.otherKindForm.reset();

    // The line's faults.
    bus.shortFrames = true;
    corpus.add("kvble", "data-short", bus.answerFor(request));
    corpus.add("kvble", "serial-short", bus.answerFor(serialRequest));
    bus.shortFrames = false;
    bus.badCrc = true;
    corpus.add("kvble", "data-bad-crc", bus.answerFor(request));
    bus.badCrc = false;
    bus.foreignNetNum = 9;
    corpus.add("kvble", "data-foreign-address", bus.answerFor(request));
    bus.foreignNetNum.reset();
    bus.form = 48;
    corpus.add("kvble", "data-one-byte-short", bus.answerFor(request));
    bus.form = 60;
    corpus.add("kvble", "data-long", bus.answerFor(request));
    bus.form = 49;
    corpus.add("kvble", "data-cut", firstHalf(data));
    corpus.add("kvble", "glued-data-serial", data + serial);
    corpus.add("kvble", "glued-serial-data", serial + data);
    corpus.add("kvble", "glued-data-twice", data + data);
    corpus.add("kvble", "glued-data-cut", data + firstHalf(serial));
    corpus.add("kvble", "search-answer", QByteArray::fromHex("03"));
}

// Chunks of several answers, of one family and mixed, whole and cut.
void addGlued(Corpus &corpus, const QList<QByteArray> &answers)
{
    for (int i = 0; i < answers.size(); ++i) {
        const QByteArray &a = answers.at(i);
        const QByteArray &b = answers.at((i + 1) % answers.size());
        corpus.add("splitter", QStringLiteral("answer-%1").arg(i), a);
        corpus.add("splitter", QStringLiteral("glued-%1").arg(i), a + b);
        corpus.add("splitter", QStringLiteral("glued-cut-%1").arg(i), a + firstHalf(b));
        corpus.add("splitter", QStringLiteral("twice-%1").arg(i), a + a);
    }
    QByteArray all;
    for (const QByteArray &a : answers)
        all += a;
    corpus.add("splitter", "all-glued", all);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    Corpus corpus(QString::fromLocal8Bit(argv[1]));
    QList<QByteArray> glueable;
    addFls(corpus, glueable);
    addKv380(corpus, glueable);
    addWiredTag(corpus, glueable);
    addBleAdw(corpus);
    addKvble(corpus, glueable);
    addGlued(corpus, glueable);
    std::printf("%d seeds written under %s\n", corpus.written, argv[1]);
    return corpus.failed ? 1 : 0;
}
