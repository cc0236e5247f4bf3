#include "devices/angle/kv380device.h"
#include "devices/angle/kvbledevice.h"
#include "devices/base/basedevice.h"
#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bledevice.h"
#include "devices/fls/flsdevice.h"
#include "devices/online/qfonline.h"
#include "devices/other/mirvelnet.h"
#include "devices/other/n7device.h"
#include "devices/other/plm300device.h"
#include "devices/other/wiredtagdevice.h"
#include "link/frame.h"
#include "pagetimers.h"
#include "silencewatch.h"
#include "waitsrunout.h"

#include <QLabel>
#include <QMetaMethod>
#include <QRandomGenerator>
#include <QSerialPort>
#include <QTimer>
#include <QtTest>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

// The signals a device page may declare, in the column order of the
// declarations table in declaresExactlyItsSignals_data().
const char *const kSignalSet[] = {
    "signalCheckIncommingData()",
    "signalRequestForSearchDevices()",
    "signalRequestForGetAllDataFromDevice()",
    "signalRequestForGetSerNumAndFirmWareVersion()",
    "callParceDataFromComPort()",
    "copyNetNumToParent(QByteArray)",
    "copyQueueSurveyDevice(int)",
    "writeData(QByteArray)",
    "copyLevelValueToMain(int,int)",
    "signalWriteLog(QString)",
};
constexpr int kSignalSetSize = int(sizeof(kSignalSet) / sizeof(kSignalSet[0]));
constexpr int kLevelColumn = 8;

// Pages as the main window builds them, but without a form: nothing here may
// need one before initUI.
std::unique_ptr<QWidget> makePage(const QString &name, QSerialPort *port)
{
    if (name == "FLSDevice")
        return std::make_unique<FLSDevice>(nullptr, port);
    if (name == "BLEDevice")
        return std::make_unique<BLEDevice>(nullptr, port);
    if (name == "KV380Device")
        return std::make_unique<KV380Device>(nullptr, port);
    if (name == "KVBLEDevice")
        return std::make_unique<KVBLEDevice>(nullptr, port);
    if (name == "QFOnline")
        return std::make_unique<QFOnline>(nullptr, port);
    if (name == "PLM300Device")
        return std::make_unique<PLM300Device>(nullptr, port);
    if (name == "N7Device")
        return std::make_unique<N7Device>(nullptr, port);
    if (name == "WiredTagDevice")
        return std::make_unique<WiredTagDevice>(nullptr);
    if (name == "MirvelNet")
        return std::make_unique<MirvelNet>(nullptr, port);
    if (name == "BLEAdwModel")
        return std::make_unique<BLEAdwModel>();
    return nullptr;
}

// The answer parser of a page, called the way the main window's routing calls it.
using Parser = std::function<void(int, char *)>;

Parser parserOf(QWidget *page)
{
    if (auto *p = qobject_cast<FLSDevice *>(page))
        return [p](int len, char *buf) { p->run(len, buf); };
    if (auto *p = qobject_cast<BLEDevice *>(page))
        return [p](int len, char *buf) { p->run(len, buf); };
    if (auto *p = qobject_cast<KV380Device *>(page))
        return [p](int len, char *buf) { p->run(len, buf); };
    if (auto *p = qobject_cast<KVBLEDevice *>(page))
        return [p](int len, char *buf) { p->run(len, buf); };
    if (auto *p = qobject_cast<QFOnline *>(page))
        return [p](int len, char *buf) { p->run(len, buf); };
    if (auto *p = qobject_cast<PLM300Device *>(page))
        return [p](int len, char *buf) { p->run(len, buf); };
    if (auto *p = qobject_cast<N7Device *>(page))
        return [p](int len, char *buf) { p->run(len, buf); };
    if (auto *p = qobject_cast<WiredTagDevice *>(page)) {
        // The routing feeds each result back in as the next last command.
        auto command = std::make_shared<quint8>(0xFF);
        return [p, command](int len, char *buf) { *command = p->parseResponse(len, buf, *command); };
    }
    return {};
}

// The signals a page declares, with those of the page base when it derives
// from it: the base's set is the page's own.
QStringList ownSignals(const QMetaObject *mo)
{
    QStringList found;
    const int first =
        mo->inherits(&BaseDevice::staticMetaObject) ? BaseDevice::staticMetaObject.methodOffset() : mo->methodOffset();
    for (int i = first; i < mo->methodCount(); ++i) {
        const QMetaMethod method = mo->method(i);
        if (method.methodType() == QMetaMethod::Signal)
            found << QString::fromLatin1(method.methodSignature());
    }
    found.sort();
    return found;
}

// The wired angle page with the base's watchdog within reach.
class WatchedKv380 : public KV380Device
{
public:
    using BaseDevice::watchdogTimer;
    using KV380Device::KV380Device;
};

} // namespace

class TestPageSignals : public QObject
{
    Q_OBJECT
private slots:
    void declaresExactlyItsSignals_data();
    void declaresExactlyItsSignals();
    void parserSurvivesAnyChunk_data();
    void parserSurvivesAnyChunk();
    void wiredTagParserKeepsTheCommandOfAnEmptyChunk();
    void objectsTheMainWindowReachesIntoExistFromConstruction();
    void sessionStepsCalledThroughTheBaseReachThePage();
    void waitOfALeftSessionRestartsNothing();
};

void TestPageSignals::declaresExactlyItsSignals_data()
{
    QTest::addColumn<QString>("page");
    // One character per entry of kSignalSet: Y declared, - not declared.
    QTest::addColumn<QString>("declared");
    QTest::addColumn<QStringList>("ownExtras");
    QTest::addColumn<QString>("levelParameter");

    QTest::newRow("FLSDevice") << "FLSDevice"
                               << "YYYYYYYYYY"
                               << QStringList{"signalWasSetEmptyLevel(int)", "signalWasSetFullLevel(int)",
                                              "signalUpdateCNTForAutoCalib()", "signalUpdateSlaveState()"}
                               << "level";
    QTest::newRow("BLEDevice") << "BLEDevice"
                               << "YYYYYYYYYY"
                               << QStringList{"deviceIsConnectedToBase()",
                                              "signalRequestForGetAllDataFromDeviceAdvert()",
                                              "signalCopyQueueSurveyDevice(int)",
                                              "signalFirstConnectingDeviceAdwert(bool)",
                                              "errorConnectedToDeviceAdwert()",
                                              "signalShowStatusMessageUp(QString)",
                                              "signalClearRxBuf()",
                                              "signalUpdateCNTForAutoCalib()",
                                              "signalNewDeviceIsConnected()",
                                              "signalUpdateFullValForAutocalib()",
                                              "signalUpdateEmptyValForAutocalib()"}
                               << "level";
    QTest::newRow("KV380Device") << "KV380Device"
                                 << "YYYYYYYYYY" << QStringList{"signalChangeCntUpdateUI()"} << "level";
    QTest::newRow("KVBLEDevice") << "KVBLEDevice"
                                 << "YYYYYYYYYY" << QStringList{"signalNewDeviceIsConnected()"} << "level";
    QTest::newRow("QFOnline") << "QFOnline"
                              << "YYYYYYYYYY"
                              << QStringList{"signalRequestForGetAllDataFromQFOnlineDevice()",
                                             "signalRequestForGetCfgQFOnline()"}
                              << "level";
    QTest::newRow("PLM300Device") << "PLM300Device"
                                  << "YYYYYYYYYY" << QStringList() << "level";
    QTest::newRow("N7Device") << "N7Device"
                              << "YYYYYYYYYY" << QStringList() << "level";
    QTest::newRow("WiredTagDevice") << "WiredTagDevice"
                                    << "YYYYYYYYYY" << QStringList() << "level";
    QTest::newRow("MirvelNet") << "MirvelNet"
                               << "----------" << QStringList() << QString();
    QTest::newRow("BLEAdwModel") << "BLEAdwModel"
                                 << "--------Y-" << QStringList{"deviceAdwertIsConnected()"} << "level";
}

void TestPageSignals::declaresExactlyItsSignals()
{
    QFETCH(QString, page);
    QFETCH(QString, declared);
    QFETCH(QStringList, ownExtras);
    QFETCH(QString, levelParameter);
    QCOMPARE(declared.size(), kSignalSetSize);

    QSerialPort port;
    const std::unique_ptr<QWidget> object = makePage(page, &port);
    QVERIFY(object);
    QVERIFY(object->parent() == nullptr);
    const QMetaObject *mo = object->metaObject();
    QCOMPARE(QString::fromLatin1(mo->className()), page);

    QStringList expected = ownExtras;
    for (int i = 0; i < kSignalSetSize; ++i) {
        const QByteArray signature = QMetaObject::normalizedSignature(kSignalSet[i]);
        const bool wanted = declared.at(i) == QLatin1Char('Y');
        const bool present = mo->indexOfSignal(signature.constData()) >= 0;
        QVERIFY2(
            present == wanted,
            qPrintable(QStringLiteral("%1 %2 %3").arg(page, wanted ? "lacks" : "must not declare", kSignalSet[i])));
        if (wanted)
            expected << QString::fromLatin1(signature);
    }
    for (const QString &extra : qAsConst(ownExtras))
        QVERIFY2(mo->indexOfSignal(QMetaObject::normalizedSignature(qPrintable(extra)).constData()) >= 0,
                 qPrintable(page + " lacks " + extra));
    expected.sort();
    // Nothing more: a stray overload would leave the main window's connection unmade.
    QCOMPARE(ownSignals(mo), expected);

    if (declared.at(kLevelColumn) == QLatin1Char('Y')) {
        const QMetaMethod level = mo->method(mo->indexOfSignal("copyLevelValueToMain(int,int)"));
        QCOMPARE(level.parameterNames(), (QList<QByteArray>{levelParameter.toLatin1(), "device"}));
    }
}

void TestPageSignals::parserSurvivesAnyChunk_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<quint8>("startByte");
    QTest::newRow("FLSDevice::run") << "FLSDevice" << frame::kAnswerStart;
    QTest::newRow("BLEDevice::run") << "BLEDevice" << frame::kAnswerStart;
    QTest::newRow("KV380Device::run") << "KV380Device" << frame::kAnswerStart;
    QTest::newRow("KVBLEDevice::run") << "KVBLEDevice" << frame::kAnswerStart;
    QTest::newRow("QFOnline::run") << "QFOnline" << frame::kAnswerStart;
    QTest::newRow("PLM300Device::run") << "PLM300Device" << frame::kAnswerStart;
    QTest::newRow("N7Device::run") << "N7Device" << frame::kRequestStart;
    QTest::newRow("WiredTagDevice::parseResponse") << "WiredTagDevice" << frame::kAnswerStart;
}

void TestPageSignals::parserSurvivesAnyChunk()
{
    QFETCH(QString, page);
    QFETCH(quint8, startByte);

    QSerialPort port;
    const std::unique_ptr<QWidget> object = makePage(page, &port);
    QVERIFY(object);
    const Parser parse = parserOf(object.get());
    QVERIFY(parse);

    char one = 0x3E;
    parse(0, nullptr);
    parse(0, &one);
    parse(-1, nullptr);
    parse(64, nullptr);

    // A fixed seed keeps a failure reproducible.
    QRandomGenerator rng(0x5eed1234u);
    constexpr int kMaxLen = 4096;
    std::vector<quint32> noise(kMaxLen / 4 + 1);
    for (int round = 0; round < 10000; ++round) {
        // Every other chunk looks like a frame (its start byte and a correct
        // CRC-8 at the end) so that a parser gets past its first checks.
        const bool framed = round % 2 == 1;
        const int len = framed ? rng.bounded(4, 65) : rng.bounded(kMaxLen + 1);
        rng.generate(noise.begin(), noise.begin() + (len + 3) / 4);
        // Exactly len bytes on the heap, so that any read past them is caught
        // by AddressSanitizer.
        std::unique_ptr<char[]> chunk(new char[len]);
        std::memcpy(chunk.get(), noise.data(), size_t(len));
        if (framed) {
            chunk[0] = char(startByte);
            chunk[len - 1] = char(frame::calc_crc8(reinterpret_cast<const uchar *>(chunk.get()), len - 1));
        }
        parse(len, chunk.get());
    }
}

void TestPageSignals::wiredTagParserKeepsTheCommandOfAnEmptyChunk()
{
    WiredTagDevice page(nullptr);
    QCOMPARE(page.parseResponse(0, nullptr, 0xFF), quint8(0xFF));
    QCOMPARE(page.parseResponse(0, nullptr, 0x06), quint8(0x06));
    QCOMPARE(page.parseResponse(0, nullptr, 0x00), quint8(0x00));
}

void TestPageSignals::objectsTheMainWindowReachesIntoExistFromConstruction()
{
    QSerialPort port;

    // The main window stops the BLE watchdog through the page's own call
    // before it opens the port; the page notices a silence only while its
    // watchdog runs.
    BLEDevice ble(nullptr, &port);
    QCOMPARE(ble.intervals().watchdog, 5000);
    silencewatch::shortenWatchdog(&ble, 100);
    {
        // Outside a session there is no watchdog to restart: no timer of
        // the page runs to notice anything.
        ble.restoreTimerDeviceConnected();
        QCOMPARE(pagetimers::running(&ble), QStringList());
    }
    {
        silencewatch::Watch watch(&ble);
        ble.connectDevice();
        ble.restoreTimerDeviceConnected();
        QVERIFY(watch.noticedWithin(2000));
    }
    {
        silencewatch::Watch watch(&ble);
        ble.resetAndStopTimerDeviceConnected();
        // None while the page looks at the line four times, over two of
        // the watchdog's periods.
        QSignalSpy looks(&ble, &BLEDevice::signalCheckIncommingData);
        QTRY_VERIFY_WITH_TIMEOUT(looks.count() >= 4, 5000);
        QCOMPARE(watch.silencesNoticed(), 0);
    }
    ble.disconnectDevice();

    // The main window places these two labels on narrow screens.
    FLSDevice fls(nullptr, &port);
    QVERIFY(fls.getLabelStatusMessage() != nullptr);
    QVERIFY(fls.getLabelStatusMessageUp() != nullptr);
    QVERIFY(fls.getLabelStatusMessage() != fls.getLabelStatusMessageUp());
    QVERIFY(fls.showStatusMessage(QStringLiteral("Подключите датчик")));
    QCOMPARE(fls.getLabelStatusMessage()->text(), QStringLiteral("Подключите датчик"));
}

void TestPageSignals::sessionStepsCalledThroughTheBaseReachThePage()
{
    QSerialPort port;

    // A search started through the base forgets the sensors the last one found.
    FLSDevice fls(nullptr, &port);
    BaseDevice *base = &fls;
    base->connectDevice();
    fls.setSensorFound(true);
    base->startSearchDevices();
    QVERIFY(!fls.isSensorFound());
    base->disconnectDevice();
    // A message through the base brings the page's hidden lower line back.
    fls.setVisibleStatusLabels(false);
    base->showStatusMessage(QStringLiteral("Подключите датчик"));
    QVERIFY(!fls.getLabelStatusMessage()->isHidden());

    // The angle page's session asks nothing at once, and its watchdog waits
    // for the sensor's first answer; outside a session none is restarted.
    WatchedKv380 kv(nullptr, &port);
    base = &kv;
    QSignalSpy searches(&kv, &BaseDevice::signalRequestForSearchDevices);
    kv.resetTimerDeviceConnected();
    QVERIFY(!kv.watchdogTimer()->isActive());
    base->connectDevice();
    QCOMPARE(searches.count(), 0);
    QVERIFY(kv.isSearchActive());
    QVERIFY(!kv.watchdogTimer()->isActive());
    kv.resetTimerDeviceConnected();
    QVERIFY(kv.watchdogTimer()->isActive());
    base->disconnectDevice();
    kv.resetTimerDeviceConnected();
    QVERIFY(!kv.watchdogTimer()->isActive());

    // A search answer taken after the port closed sets no period going, nor
    // does the sensor's serial answer start a watchdog.
    PLM300Device plm(nullptr, &port);
    plm.connectDevice();
    plm.disconnectDevice();
    plm.setSearchRunning(true);
    QByteArray found("\x05\x09", 2);
    plm.run(found.size(), found.data());
    QVERIFY(!plm.isSearchActive());
    QByteArray serial = frame::withCrc(QByteArray::fromHex("3e05fc39300000d100"));
    plm.run(serial.size(), serial.data());
    QVERIFY(plm.isDeviceConnected());
    for (const QTimer *timer : plm.findChildren<QTimer *>())
        QVERIFY2(!timer->isActive(), qPrintable(QString::number(timer->interval())));
}

void TestPageSignals::waitOfALeftSessionRestartsNothing()
{
    QSerialPort port;
    PLM300Device plm(nullptr, &port);
    BaseDevice::Intervals periods;
    periods.poll = 300;
    periods.search = 200;
    periods.watchdog = 900;
    plm.setIntervals(periods);
    const auto running = [&plm] {
        QList<int> periods;
        for (const QTimer *timer : plm.findChildren<QTimer *>()) {
            if (timer->isActive())
                periods << timer->interval();
        }
        return periods;
    };
    // A procedure goes only to a sensor heard: one at 5 answers the search
    // and a frame.
    const auto connectHeard = [&plm] {
        plm.connectDevice();
        for (QByteArray answer :
             {QByteArray(1, 5), frame::withCrc(QByteArray::fromHex("3e05f0") + QByteArray(19, '\0'))})
            plm.run(answer.size(), answer.data());
    };

    // The user leaves while a procedure holds the line and waits: the wait
    // ends at once, long before its time, and says so; neither the hold's
    // end nor a restart after it sets anything going.
    connectHeard();
    {
        BaseDevice::Procedure run(&plm);
        QVERIFY(run);
        run.holdLine();
        QTimer::singleShot(10, &plm, [&plm] { plm.disconnectDevice(); });
        const WaitsRunOut ranOut(60000);
        QVERIFY(!run.wait(60000));
        QCOMPARE(ranOut.count(), 0);
        QVERIFY(!run.alive());
        QVERIFY(!run.wait(1));
    }
    plm.restoreTimerDeviceConnected();
    plm.resetTimerDeviceConnected();
    plm.timerIntervalGetDataStart(100, 1000);
    plm.startSearchDevices();
    QCOMPARE(running(), QList<int>());

    // Left and come back during the wait: the page is free for a new start at
    // once, while the left procedure is still on its way out; the new session
    // is not the left one's and keeps its own periods.
    connectHeard();
    {
        BaseDevice::Procedure run(&plm);
        run.holdLine();
        run.resumeAt(100, 7777);
        bool secondBegan = false;
        QTimer::singleShot(10, &plm, [&plm, &secondBegan, &connectHeard] {
            plm.disconnectDevice();
            connectHeard();
            BaseDevice::Procedure second(&plm);
            secondBegan = bool(second);
        });
        QVERIFY(!run.wait(60000));
        QVERIFY(secondBegan);
    }
    QVERIFY(!running().contains(7777));

    // One run at a time: a second start while one runs begins nothing; a step of the running one waits in its session;
    // the hold of a step inside a procedure that holds the line leaves that hold as it is.
    {
        BaseDevice::Procedure run(&plm);
        run.holdLine();
        BaseDevice::Procedure second(&plm);
        QVERIFY(!second);
        QVERIFY(!second.wait(1));
        QVERIFY(plm.isProcedureRunning());
        {
            BaseDevice::Procedure step(&plm, BaseDevice::Procedure::Kind::Step);
            QVERIFY(step.wait(1));
            step.holdLine();
        }
        QVERIFY(!running().contains(plm.intervals().poll));
        QVERIFY(run.wait(1));
    }
    QVERIFY(!plm.isProcedureRunning());
    QVERIFY(running().contains(plm.intervals().poll));
    QVERIFY(running().contains(plm.intervals().watchdog));
    plm.disconnectDevice();
}

QTEST_MAIN(TestPageSignals)
#include "tst_pagesignals.moc"
