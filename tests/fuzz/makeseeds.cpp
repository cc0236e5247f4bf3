// Writes the fuzz targets' seed corpora: what the simulated devices send to
// the requests the program makes, as whole answers, as the faults of the
// line spoil them and glued together.
//
//   make_fuzz_seeds <corpus folder>     (tests/fuzz/corpus)
//
// Every seed goes to <corpus folder>/<target>/<name>; seeds of other names
// (the inputs of earlier findings) are left alone.
#include "calibration/sensortable.h"
#include "calibration/tarfile.h"
#include "devices/angle/kv380protocol.h"
#include "devices/angle/kvbleprotocol.h"
#include "devices/ble/bleprotocol.h"
#include "devices/firmware/firmwareimage.h"
#include "devices/fls/flsprotocol.h"
#include "devices/fls/flstable.h"
#include "devices/online/onlineconfigblock.h"
#include "devices/online/onlineprotocol.h"
#include "devices/other/n7protocol.h"
#include "devices/other/plm300protocol.h"
#include "devices/other/wiredtagprotocol.h"
#include "link/bus.h"
#include "link/frame.h"
#include "simulatedadvertbase.h"
#include "simulatedanglebase.h"
#include "simulatedbase.h"
#include "simulatedfls.h"
#include "simulatedkv380.h"
#include "simulatedn7.h"
#include "simulatedonline.h"
#include "simulatedplm300.h"
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
struct BaseBus : SimulatedBase
{
    using SimulatedBase::answerFor;
};
struct OnlineBus : SimulatedOnline
{
    using SimulatedOnline::answerFor;
};
struct Plm300Bus : SimulatedPlm300
{
    using SimulatedPlm300::answerFor;
};
struct N7Bus : SimulatedN7
{
    using SimulatedN7::answerFor;
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
    const QByteArray allData = frame::request(1, bus::kAllDataCommand);
    const QByteArray serial = frame::request(1, bus::kSerialAndFirmwareCommand);
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
    const QByteArray data2 = bus.answerFor(frame::request(2, bus::kAllDataCommand));
    const QByteArray data3 = bus.answerFor(frame::request(3, bus::kAllDataCommand));
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
    corpus.add("fls", "full-from-level", bus.answerFor(frame::writeRequest(1, fls::kSetFullCommand, QByteArray())));
    corpus.add("fls", "empty-from-level", bus.answerFor(frame::writeRequest(1, fls::kSetEmptyCommand, QByteArray())));
    corpus.add("fls", "horizon", bus.answerFor(frame::writeRequest(1, fls::kHorizonCommand, QByteArray())));
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

void addTable(Corpus &corpus, QList<QByteArray> &glueable)
{
    FlsBus bus;
    bus.sensors.clear();
    SimulatedFls::Sensor first;
    SimulatedFls::Sensor second;
    second.netNum = 2;
    for (int r = 0; r < fls::kTableRows; ++r) {
        second.tableLevels[size_t(r)] = quint16(4095 - 200 * r);
        second.tableValues[size_t(r)] = quint16(60000 + r);
    }
    bus.sensors << first << second;

    const QByteArray table = bus.answerFor(fls::tableReadRequest(1));
    corpus.add("table", "table", table);
    corpus.add("table", "table-second-sensor", bus.answerFor(fls::tableReadRequest(2)));
    fls::SensorTarTable written;
    for (int r = 0; r < fls::kTableRows; ++r) {
        written.levels[size_t(r)] = quint16(50 * r);
        written.values[size_t(r)] = quint16(7 * r);
    }
    const QByteArray ack = bus.answerFor(fls::tableWriteRequest(1, written));
    corpus.add("table", "table-written", ack);
    corpus.add("table", "table-written-second-sensor", bus.answerFor(fls::tableWriteRequest(2, written)));
    corpus.add("table", "table-after-write", bus.answerFor(fls::tableReadRequest(1)));
    const QByteArray data = bus.answerFor(frame::request(1, bus::kAllDataCommand));
    glueable << table << ack;

    bus.refuseWrites = true;
    corpus.add("table", "table-write-refused", bus.answerFor(fls::tableWriteRequest(1, written)));
    bus.refuseWrites = false;
    bus.shortFrames = true;
    corpus.add("table", "table-short", bus.answerFor(fls::tableReadRequest(1)));
    bus.shortFrames = false;
    bus.badCrc = true;
    corpus.add("table", "table-bad-crc", bus.answerFor(fls::tableReadRequest(1)));
    bus.badCrc = false;
    bus.foreignNetNum = 9;
    corpus.add("table", "table-foreign-sensor", bus.answerFor(fls::tableReadRequest(1)));
    bus.foreignNetNum.reset();
    corpus.add("table", "table-cut", firstHalf(table));
    corpus.add("table", "glued-ack-table", ack + table);
    corpus.add("table", "glued-table-all-data", table + data);
    corpus.add("table", "glued-all-data-table-cut", data + firstHalf(table));
}

void addBle(Corpus &corpus, QList<QByteArray> &glueable)
{
    BaseBus bus;
    const QByteArray dataRequest = frame::request(ble::kBaseAddress, ble::kDataCommand);
    const QByteArray identity = bus.answerFor(frame::request(ble::kBaseAddress, ble::kSerialAndFirmwareCommand));
    corpus.add("ble", "identity", identity);
    for (int form : {38, 42, 45, 49, 84}) {
        bus.sensor.form = form;
        corpus.add("ble", QStringLiteral("data-%1").arg(form), bus.answerFor(dataRequest));
    }
    bus.sensor = SimulatedBase::LinkedSensor();
    const QByteArray data = bus.answerFor(dataRequest);

    struct Sensor
    {
        const char *name;
        void (*change)(SimulatedBase::LinkedSensor &);
    };
    const Sensor sensors[] = {
        {"data-broken-tube", [](SimulatedBase::LinkedSensor &s) { s.level = ble::kLevelBrokenTube; }},
        {"data-short-circuit", [](SimulatedBase::LinkedSensor &s) { s.level = ble::kLevelShortCircuit; }},
        {"data-wide-range", [](SimulatedBase::LinkedSensor &s) { s.mode = ble::kWideRangeBit; }},
        {"data-not-calibrated", [](SimulatedBase::LinkedSensor &s) { s.full = s.empty; }},
        {"data-angle-sensor", [](SimulatedBase::LinkedSensor &s) { s.kind = SimulatedBase::kKindAngle; }},
        {"data-no-sensor", [](SimulatedBase::LinkedSensor &s) { s.battery = 0; }},
        {"data-cold", [](SimulatedBase::LinkedSensor &s) { s.temperature = -40; }},
    };
    for (const Sensor &changed : sensors) {
        bus.sensor = SimulatedBase::LinkedSensor();
        changed.change(bus.sensor);
        corpus.add("ble", changed.name, bus.answerFor(dataRequest));
    }
    bus.sensor = SimulatedBase::LinkedSensor();

    // Outcomes of relayed commands, told in the next data answers.
    const quint8 statuses[] = {SimulatedBase::Accepted,
                               SimulatedBase::DirectiveCalibration,
                               SimulatedBase::Rebooted,
                               SimulatedBase::FullSet,
                               SimulatedBase::EmptySet,
                               SimulatedBase::Refused,
                               SimulatedBase::ModeSet,
                               SimulatedBase::ModeNotSet,
                               SimulatedBase::PasswordChangeFailed};
    for (quint8 status : statuses) {
        bus.reportStatus(status);
        corpus.add("ble", QStringLiteral("data-status-%1").arg(status), bus.answerFor(dataRequest));
    }
    bus.sensor = SimulatedBase::LinkedSensor();
    const QByteArray param = bus.answerFor(ble::paramWrite(ble::kWideRangeBit, 3));
    corpus.add("ble", "param-written", param);
    bus.sensor.password = 1234;
    corpus.add("ble", "password-refused",
               bus.answerFor(ble::valueWrite(ble::kBaseAddress, ble::kPasswordEnterCommand, 99)));
    const QByteArray entered = bus.answerFor(ble::valueWrite(ble::kBaseAddress, ble::kPasswordEnterCommand, 1234));
    corpus.add("ble", "password-entered", entered);
    bus.sensor = SimulatedBase::LinkedSensor();
    glueable << data << identity << param;

    // The line's faults.
    bus.shortFrames = true;
    corpus.add("ble", "data-short", bus.answerFor(dataRequest));
    corpus.add("ble", "identity-short",
               bus.answerFor(frame::request(ble::kBaseAddress, ble::kSerialAndFirmwareCommand)));
    bus.shortFrames = false;
    bus.badCrc = true;
    corpus.add("ble", "data-bad-crc", bus.answerFor(dataRequest));
    bus.badCrc = false;
    bus.foreignNetNum = 7;
    corpus.add("ble", "data-foreign-address", bus.answerFor(dataRequest));
    bus.foreignNetNum.reset();
    corpus.add("ble", "data-cut", firstHalf(data));
    corpus.add("ble", "glued-data-twice", data + data);
    corpus.add("ble", "glued-param-data", param + data);
    corpus.add("ble", "glued-identity-data-cut", identity + firstHalf(data));
    corpus.add("ble", "glued-entered-data", entered + data);
}

void addOnline(Corpus &corpus, QList<QByteArray> &glueable)
{
    OnlineBus bus;
    bus.unit.record = SimulatedOnline::sampleRecord();
    const QByteArray levelRequest = frame::request(online::kNetNum, online::kLevelCommand);
    const QByteArray level = bus.answerFor(levelRequest);
    const QByteArray status = bus.answerFor(online::statusRequest(online::kNetNum));
    const QByteArray imei = bus.answerFor(online::imeiRequest());
    const QByteArray config = bus.answerFor(online::configReadRequest());
    corpus.add("online", "level", level);
    corpus.add("online", "status", status);
    corpus.add("online", "imei", imei);
    corpus.add("online", "config", config);
    bus.unit.level = 6500;
    corpus.add("online", "level-broken-tube", bus.answerFor(levelRequest));
    bus.unit.level = 7000;
    corpus.add("online", "level-short-circuit", bus.answerFor(levelRequest));
    bus.unit.level = 512;
    bus.unit.full = bus.unit.empty;
    corpus.add("online", "level-not-calibrated", bus.answerFor(levelRequest));
    bus.unit = OnlineBus().unit;
    bus.unit.record = SimulatedOnline::sampleRecord();
    for (quint8 modem : {0, 1, 5, 17, 200}) {
        bus.unit.modemState = modem;
        corpus.add("online", QStringLiteral("status-modem-%1").arg(modem),
                   bus.answerFor(online::statusRequest(online::kNetNum)));
    }
    bus.unit.modemState = 17;

    OnlineConfigBlock block;
    block.assign(bus.unit.record);
    const QByteArray written = bus.answerFor(online::configWriteRequest(block));
    corpus.add("online", "config-written", written);
    corpus.add("online", "working-mode-set", bus.answerFor(online::workingModeRequest(online::kNetNum, 1)));
    corpus.add("online", "horizon", bus.answerFor(online::horizonRequest()));
    corpus.add("online", "engine-on", bus.answerFor(online::engineOnRequest(online::kNetNum)));
    corpus.add("online", "engine-off", bus.answerFor(online::engineOffRequest(online::kNetNum)));
    corpus.add("online", "password-set",
               bus.answerFor(online::passwordRequest(online::kNetNum, online::kSetPasswordCommand, 1234)));
    corpus.add("online", "password-refused",
               bus.answerFor(online::passwordRequest(online::kNetNum, online::kEnterPasswordCommand, 99)));
    corpus.add("online", "password-entered",
               bus.answerFor(online::passwordRequest(online::kNetNum, online::kEnterPasswordCommand, 1234)));
    corpus.add("online", "search-answer", bus.answerFor(frame::searchRequest()));
    glueable << level << status << imei;

    bus.shortFrames = true;
    corpus.add("online", "level-short", bus.answerFor(levelRequest));
    corpus.add("online", "status-short", bus.answerFor(online::statusRequest(online::kNetNum)));
    corpus.add("online", "config-short", bus.answerFor(online::configReadRequest()));
    bus.shortFrames = false;
    bus.badCrc = true;
    corpus.add("online", "level-bad-crc", bus.answerFor(levelRequest));
    bus.badCrc = false;
    corpus.add("online", "glued-level-status", level + status);
    corpus.add("online", "glued-config-level", config + level);
    corpus.add("online", "glued-written-config", written + config);
    corpus.add("online", "glued-imei-config-cut", imei + firstHalf(config));
    corpus.add("online", "level-cut", firstHalf(level));
}

void addPlm300(Corpus &corpus, QList<QByteArray> &glueable)
{
    Plm300Bus bus;
    bus.otherNetNums = QByteArray(1, 2);
    corpus.add("plm300", "search-two", bus.answerFor(frame::searchRequest()));
    const QByteArray dataRequest = frame::request(1, plm300::kDataCommand);
    const QByteArray data = bus.answerFor(dataRequest);
    const QByteArray serial = bus.answerFor(frame::request(1, plm300::kSerialCommand));
    corpus.add("plm300", "data", data);
    corpus.add("plm300", "serial", serial);
    bus.mode = plm300::kModeFrequency;
    bus.distance = 399;
    corpus.add("plm300", "data-frequency", bus.answerFor(dataRequest));
    bus.mode = plm300::kModePassiveRs485;
    // Writes are not acknowledged: the next data answer shows what was taken.
    bus.maximum = 300;
    bus.smoothing = 5;
    bus.threshold = 40;
    bus.mode = plm300::kModeFrequency;
    corpus.add("plm300", "data-after-writes", bus.answerFor(dataRequest));
    bus.mode = plm300::kModePassiveRs485;
    glueable << data << serial;

    bus.shortFrames = true;
    corpus.add("plm300", "data-short", bus.answerFor(dataRequest));
    bus.shortFrames = false;
    bus.badCrc = true;
    corpus.add("plm300", "data-bad-crc", bus.answerFor(dataRequest));
    bus.badCrc = false;
    bus.foreignNetNum = 9;
    corpus.add("plm300", "data-foreign-sensor", bus.answerFor(dataRequest));
    bus.foreignNetNum.reset();
    corpus.add("plm300", "data-cut", firstHalf(data));
    corpus.add("plm300", "glued-data-serial", data + serial);
    corpus.add("plm300", "glued-serial-data", serial + data);
    corpus.add("plm300", "search-lone-frame-start", QByteArray(1, char(frame::kAnswerStart)));
}

void addN7(Corpus &corpus, QList<QByteArray> &glueable)
{
    N7Bus bus;
    for (int slot = 0; slot < 4; ++slot) {
        SimulatedN7::Sensor &s = bus.sensors[size_t(slot)];
        s.netNum = quint8(10 + slot);
        s.poll = slot % 2;
        for (int i = 0; i < SimulatedN7::kRows; ++i) {
            s.units[size_t(i)] = quint16(100 * i + slot);
            s.litres[size_t(i)] = quint16(1000 * slot + 5 * i);
        }
    }
    const QByteArray table = bus.answerFor(n7::readRequest(0));
    corpus.add("n7", "table", table);
    corpus.add("n7", "table-slot-3", bus.answerFor(n7::readRequest(3)));
    const QByteArray mode = bus.answerFor(n7::modeRequest(n7::kModePassive));
    corpus.add("n7", "mode-set", mode);
    corpus.add("n7", "table-passive", bus.answerFor(n7::readRequest(1)));
    const QByteArray written = bus.answerFor(n7::tableWrite(2, 44, true, bus.sensors[0].units, bus.sensors[0].litres));
    corpus.add("n7", "table-written", written);
    glueable << table << mode;

    bus.shortTables = true;
    corpus.add("n7", "table-short", bus.answerFor(n7::readRequest(0)));
    bus.shortTables = false;
    bus.badCrc = true;
    corpus.add("n7", "table-bad-crc", bus.answerFor(n7::readRequest(0)));
    bus.badCrc = false;
    bus.foreignAddress = 0x12;
    corpus.add("n7", "table-foreign-address", bus.answerFor(n7::readRequest(0)));
    bus.foreignAddress.reset();
    corpus.add("n7", "table-cut", firstHalf(table));
    corpus.add("n7", "glued-ack-table", mode + table);
    corpus.add("n7", "glued-table-table-cut", table + firstHalf(table));
}

// The run's files as the run writes them, and as hands and other programs
// leave them.
void addRunFiles(Corpus &corpus)
{
    const QList<tarfile::Row> one = {{"0", "102"}, {"10", "205"}, {"20.5", "311"}, {"30", "418"}};
    const QList<tarfile::Row> two = {{"0", "102", "98"}, {"10", "205", "199"}, {"20", "311", "305"}};
    corpus.add("runfile", "one-sensor", tarfile::runText(one));
    corpus.add("runfile", "two-sensors", tarfile::runText(two));
    corpus.add("runfile", "lf-only", tarfile::runText(two).replace("\r\n", "\n"));
    corpus.add("runfile", "mixed-widths", tarfile::runText(one) + tarfile::runText(two));
    corpus.add("runfile", "text-lines", "level, volume\r\n" + tarfile::runText(one) + "abc, 1\r\n");
    corpus.add("runfile", "cut-last-line", tarfile::runText(one) + "40, 5");
    corpus.add("runfile", "exponents", "1e3, 2.5E2\r\n3e9, 1\r\n");
    corpus.add("runfile", "blank-lines", "\r\n\r\n" + tarfile::runText(one) + "   \r\n");
}

// The table files as the program writes them, and as spreadsheets leave them.
void addCsvFiles(Corpus &corpus)
{
    QList<QStringList> rows;
    n7::Table n7Rows;
    for (int r = 0; r < sensortable::kRows; ++r)
        rows << QStringList{QString::number(200 * r), QString::number(5 * r)};
    for (int r = 0; r < n7::kTableRows; ++r)
        n7Rows << QStringList{QString::number(100 * r), QString::number(1000 + 7 * r)};
    const QByteArray sensor = sensortable::csvText(rows);
    corpus.add("csv", "sensor-table", sensor);
    corpus.add("csv", "sensor-table-short", sensortable::csvText(rows.mid(0, 5)));
    corpus.add("csv", "sensor-table-too-long", sensor + "1, 2\r\n");
    corpus.add("csv", "sensor-table-bad-line", "1, 2\r\nx, 3\r\n");
    corpus.add("csv", "indicator-table", n7::csvText(n7Rows));
    corpus.add("csv", "indicator-table-bom", "\xEF\xBB\xBF" + n7::csvText(n7Rows.mid(0, 3)));
    corpus.add("csv", "indicator-extra-cells", "1;2;3\n4\n;5\n");
    corpus.add("csv", "lf-only", QByteArray(sensor).replace("\r\n", "\n"));
}

// The settings file as the program writes it, and as hands and other
// programs leave it: comments, every kind of value, a UTF-8 mark, CRLF.
void addSettingsFiles(Corpus &corpus)
{
    corpus.add("settings", "program",
               "[General]\ndefault_dir=/home/\\x43f\\x43e\\x43b\\x44c\\x437\\x43e\\x432\\x430\\x442\\x435\\x43b\\x44c/"
               "QF210.bin\nlanguage=esp\ntheme=dark\n");
    corpus.add("settings", "kinds",
               "; comment\n[General]\nlist=a, @@b, \" c\", \"d,e\"\nnote=\"a, \\\"b\\\"; c=d\\\\e\\tf\\n\"\n"
               "bytes=@ByteArray(\\0\\x1\\xff)\nrect=@Rect(1 2 3 4)\n"
               "when=@DateTime(\\0\\0\\0\\x10\\0\\0\\0\\0\\0\\0%\\x84\\xe3\\0\\xa8\\x88\\x88\\0)\n\n"
               "[%General]\nx=1\n\n[g]\nsub\\k=v\n%U043F%20a=multi\\\n  line\n");
    corpus.add("settings", "marked",
               "\xEF\xBB\xBF[g]\r\nk = \xD0\xBF\xD1\x80\xD0\xB8 , \"x\r\ny\"\r\nbroken\r\n[unclosed\r\nk2=\\x\r\n");
}

// Firmware files of every model: a header, the data past the model's data
// start, a tail that fills no whole block.
void addFirmwareFiles(Corpus &corpus)
{
    struct File
    {
        const char *name;
        fwimage::Model model;
    };
    const File files[] = {{"qf210", fwimage::Model::QF210},
                          {"qf410", fwimage::Model::QF410},
                          {"plm300", fwimage::Model::PLM300},
                          {"block", fwimage::Model::QF260}};
    for (const File &f : files) {
        const auto layout = fwimage::romLayoutOf(f.model);
        const int start = layout ? fwimage::romDataStart(*layout) : 0;
        QByteArray file(start + 3 * fwimage::kRomBlockSize + 17, '\0');
        for (int i = 0; i < file.size(); ++i)
            file[i] = char((i * 31 + 7) & 0xFF);
        corpus.add("firmware", f.name, file);
    }
    corpus.add("firmware", "one-block", QByteArray(fwimage::kBlockSize, '\x5A'));
    corpus.add("firmware", "header-only", QByteArray(fwimage::kHeaderSize, '\x01'));
    corpus.add("firmware", "path", "/home/user/firmware/QF470_v2.bin");
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
    addTable(corpus, glueable);
    addBle(corpus, glueable);
    addOnline(corpus, glueable);
    addPlm300(corpus, glueable);
    addN7(corpus, glueable);
    addRunFiles(corpus);
    addCsvFiles(corpus);
    addFirmwareFiles(corpus);
    addSettingsFiles(corpus);
    addBleAdw(corpus);
    addKvble(corpus, glueable);
    addGlued(corpus, glueable);
    std::printf("%d seeds written under %s\n", corpus.written, argv[1]);
    return corpus.failed ? 1 : 0;
}
