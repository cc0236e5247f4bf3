#include "devices/online/hidbridges.h"
#include "devices/online/onlineconfigblock.h"
#include "devices/online/onlineprotocol.h"
#include "devices/online/qfonline.h"
#include "link/frame.h"

#include <QtTest>

#include <map>

// The online unit's frames, answers and settings record, checked byte by byte
// without a page or a port.
class TestOnlineProtocol : public QObject
{
    Q_OBJECT
private slots:
    void requestsAreBuiltByteForByte_data();
    void requestsAreBuiltByteForByte();
    void configWriteCarriesTheBlockAsItIs();

    void frameCheck_data();
    void frameCheck();
    void searchEndsOnAnythingButALongerFrame_data();
    void searchEndsOnAnythingButALongerFrame();
    void answersTooShortForTheirHandlerAreNotDecoded_data();
    void answersTooShortForTheirHandlerAreNotDecoded();
    void statusFieldsKeepTheirByteOrders();
    void levelFieldsAreLittleEndianAndSigned();
    void configAnswerSplitsIntoBlockFirmwareAndSerial();
    void imeiIsTheFirstPartUpperCased_data();
    void imeiIsTheFirstPartUpperCased();
    void voltageShowsInItsShortestForm_data();
    void voltageShowsInItsShortestForm();
    void modemStateTexts_data();
    void modemStateTexts();
    void gluedAnswersAreCutApart_data();
    void gluedAnswersAreCutApart();

    void blockRoundTripsByteForByte();
    void textFieldsAreBoundedByTheirWidths_data();
    void textFieldsAreBoundedByTheirWidths();
    void unterminatedTextStopsAtTheFieldEnd();
    void periodAndAddressTexts_data();
    void periodAndAddressTexts();
    void modeBitsFlipWithoutCarry();

    void operatorPresetsAndReadBack_data();
    void operatorPresetsAndReadBack();

    void hidListingSkipsUnreadableDevices();
    void platformHidListingNamesOnlyDeviceNodes();
};

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

QByteArray withCrc(const char *text)
{
    return frame::withCrc(hex(text));
}

// An answer of `length` bytes: start, address, command, zeros, CRC.
QByteArray answer(quint8 address, quint8 command, int length, const std::map<int, quint8> &bytes = {})
{
    QByteArray a(length - 1, '\0');
    a[0] = char(0x3E);
    a[1] = char(address);
    a[2] = char(command);
    for (const auto &b : bytes)
        a[b.first] = char(b.second);
    return frame::withCrc(a);
}

QByteArray configAnswer(const QByteArray &block, quint16 firmware, quint32 serial)
{
    QByteArray a = hex("3eca a2");
    a.append(block);
    frame::appendBe16(a, firmware);
    frame::appendBe32(a, serial);
    return a;
}

class FakeBridges : public HidBridges
{
public:
    QList<std::optional<QString>> devices;
    int count(quint16 vendor, quint16 product) override
    {
        lastVendor = vendor;
        lastProduct = product;
        return devices.size();
    }
    std::optional<QString> deviceString(int index, quint16, quint16) override { return devices.value(index); }
    quint16 lastVendor = 0, lastProduct = 0;
};

} // namespace

void TestOnlineProtocol::requestsAreBuiltByteForByte_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("status") << online::statusRequest(1) << withCrc("3101a0");
    QTest::newRow("configuration read") << online::configReadRequest() << withCrc("3ecaa20000000000");
    QTest::newRow("IMEI and SIM") << online::imeiRequest() << withCrc("3ecaa7");
    QTest::newRow("working mode") << online::workingModeRequest(1, 0x09) << withCrc("3e01f209");
    QTest::newRow("horizon ignores the network number") << online::horizonRequest() << withCrc("3ecaaa");
    QTest::newRow("engine on") << online::engineOnRequest(1) << withCrc("3101e3");
    QTest::newRow("engine off") << online::engineOffRequest(1) << withCrc("3101e5");
    QTest::newRow("password probe") << online::passwordRequest(1, 0xF7, 0) << withCrc("3101f700000000");
    QTest::newRow("password most significant byte first")
        << online::passwordRequest(1, 0xF8, 0x01020304) << withCrc("3101f801020304");
    QTest::newRow("largest password") << online::passwordRequest(1, 0xF7, 0xFFFFFFFFu) << withCrc("3101f7ffffffff");
}

void TestOnlineProtocol::requestsAreBuiltByteForByte()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built.toHex(' '), expected.toHex(' '));
}

void TestOnlineProtocol::configWriteCarriesTheBlockAsItIs()
{
    OnlineConfigBlock block;
    block.setText(OnlineConfigBlock::Text::Apn, "internet");
    block.setFormat();
    const QByteArray request = online::configWriteRequest(block);
    QCOMPARE(request.size(), 169);
    QCOMPARE(request.left(3), hex("3eca a3"));
    QCOMPARE(request.mid(3, 162), block.bytes());
    QCOMPARE(quint8(request.at(3)), quint8(0x16));
    // The trailer is no write signature of the sensors.
    QVERIFY(request.mid(165, 3) != hex("5ac396"));
    QVERIFY(frame::isValidAnswer(request));
}

void TestOnlineProtocol::frameCheck_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("answer with its CRC") << answer(1, 0xF7, 4) << true;
    QByteArray bad = answer(1, 0xF7, 4);
    bad[3] = char(bad.at(3) ^ 1);
    QTest::newRow("wrong CRC") << bad << false;
    QByteArray other = answer(1, 0xF7, 4);
    other[0] = 0x31;
    other[3] = char(frame::calc_crc8(other.left(3)));
    QTest::newRow("request start byte") << other << false;
    QTest::newRow("any 171 bytes") << QByteArray(171, char(0x55)) << true;
    QTest::newRow("170 bytes") << QByteArray(170, char(0x55)) << false;
    QTest::newRow("last byte zero, no CRC") << hex("7701f712340000") << true;
    QTest::newRow("two bytes") << hex("3e00") << false;
    QTest::newRow("nothing") << QByteArray() << false;
}

void TestOnlineProtocol::frameCheck()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    QCOMPARE(online::isAccepted(bytes), accepted);
}

void TestOnlineProtocol::searchEndsOnAnythingButALongerFrame_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<bool>("ends");
    QTest::newRow("nothing") << QByteArray() << false;
    QTest::newRow("3E xx") << hex("3e05") << true;
    QTest::newRow("three bytes from 3E") << hex("3e0102") << false;
    QTest::newRow("bare network number") << hex("01") << true;
    QTest::newRow("other start byte, long") << hex("31010203040506") << true;
}

void TestOnlineProtocol::searchEndsOnAnythingButALongerFrame()
{
    QFETCH(QByteArray, chunk);
    QFETCH(bool, ends);
    QCOMPARE(online::endsSearch(chunk), ends);
}

void TestOnlineProtocol::answersTooShortForTheirHandlerAreNotDecoded_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("readable");
    QTest::newRow("status") << 0xA0 << 36;
    QTest::newRow("level") << 0xF0 << 21;
    QTest::newRow("IMEI") << 0xA7 << 39;
    QTest::newRow("configuration") << 0xA2 << 171;
}

void TestOnlineProtocol::answersTooShortForTheirHandlerAreNotDecoded()
{
    QFETCH(int, command);
    QFETCH(int, readable);
    QCOMPARE(online::minimumAnswerLength(quint8(command)), readable);
    const auto decodes = [command](const QByteArray &bytes) {
        switch (command) {
        case 0xA0:
            return online::decodeStatus(bytes).has_value();
        case 0xF0:
            return online::decodeLevel(bytes).has_value();
        case 0xA7:
            return online::decodeImei(bytes).has_value();
        default:
            return online::decodeConfig(bytes).has_value();
        }
    };
    for (int n = 0; n < readable; ++n)
        QVERIFY2(!decodes(QByteArray(n, char(0x3E))), qPrintable(QString::number(n)));
    QVERIFY(decodes(QByteArray(readable, char(0x3E))));
    QVERIFY(decodes(QByteArray(readable + 40, char(0x3E))));
}

void TestOnlineProtocol::statusFieldsKeepTheirByteOrders()
{
    std::map<int, quint8> bytes{{9, 0xD2},  {10, 0x04}, {16, 0x0F}, {17, 0xFF}, {30, 0x12},
                                {31, 0x34}, {32, 17},   {33, 7},    {34, 250},  {35, 31}};
    const auto s = online::decodeStatus(answer(1, 0xA0, 37, bytes));
    QVERIFY(s);
    QCOMPARE(s->voltage, quint16(1234));
    QCOMPARE(s->channels[0], quint16(0x0FFF));
    QCOMPARE(s->channels[7], quint16(0x1234));
    QCOMPARE(s->modemState, quint8(17));
    QCOMPARE(s->gps, quint8(7));
    QCOMPARE(s->traffic, quint8(250));
    QCOMPARE(s->quality, quint8(31));
}

void TestOnlineProtocol::levelFieldsAreLittleEndianAndSigned()
{
    std::map<int, quint8> bytes{{3, 0xEC},  {4, 0x00},  {5, 0x02},  {6, 0xC4},  {7, 0x0B},  {10, 0xD0},
                                {11, 0x07}, {14, 0xFF}, {15, 0xFF}, {16, 0xFF}, {17, 0xFF}, {20, 0x09}};
    const auto l = online::decodeLevel(answer(1, 0xF0, 22, bytes));
    QVERIFY(l);
    QCOMPARE(l->temperature, qint8(-20));
    QCOMPARE(l->level, quint16(512));
    QCOMPARE(l->count, qint32(3012));
    QCOMPARE(l->empty, qint32(2000));
    QCOMPARE(l->full, qint32(-1));
    QCOMPARE(l->workingMode, quint8(9));
}

void TestOnlineProtocol::configAnswerSplitsIntoBlockFirmwareAndSerial()
{
    QByteArray block(162, '\0');
    for (int i = 0; i < block.size(); ++i)
        block[i] = char(i);
    const auto a = online::decodeConfig(configAnswer(block, 0x0102, 0xFFFFFFFEu));
    QVERIFY(a);
    QCOMPARE(a->block, block);
    QCOMPARE(a->firmware, quint16(0x0102));
    QCOMPARE(a->serial, qint32(-2));
}

void TestOnlineProtocol::imeiIsTheFirstPartUpperCased_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("imei");
    QTest::newRow("fifteen digits") << QByteArray("861234567890123;8970101;") << "861234567890123";
    QTest::newRow("lower case") << QByteArray("86abc;x") << "86ABC";
    QTest::newRow("no separator, padded") << QByteArray("12345") << "12345";
    QTest::newRow("empty first part") << QByteArray(";897") << "";
    QTest::newRow("whole field without a zero") << QByteArray(36, '7') << QString(36, '7');
}

void TestOnlineProtocol::imeiIsTheFirstPartUpperCased()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, imei);
    QByteArray a = hex("3ecaa7");
    a.append(text.leftJustified(36, '\0'));
    const auto decoded = online::decodeImei(frame::withCrc(a));
    QVERIFY(decoded);
    QCOMPARE(*decoded, imei);
}

void TestOnlineProtocol::voltageShowsInItsShortestForm_data()
{
    QTest::addColumn<int>("hundredths");
    QTest::addColumn<QString>("text");
    QTest::newRow("12.34") << 1234 << "12.34";
    QTest::newRow("12") << 1200 << "12";
    QTest::newRow("12.3") << 1230 << "12.3";
    QTest::newRow("0") << 0 << "0";
    QTest::newRow("largest") << 65535 << "655.35";
}

void TestOnlineProtocol::voltageShowsInItsShortestForm()
{
    QFETCH(int, hundredths);
    QFETCH(QString, text);
    QCOMPARE(online::voltageText(quint16(hundredths)), text);
}

void TestOnlineProtocol::modemStateTexts_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("text");
    QTest::newRow("0 keeps") << 0 << QString();
    QTest::newRow("1") << 1 << "инициализация\nмодема";
    QTest::newRow("5") << 5 << "инициализация\nмодема";
    QTest::newRow("7") << 7 << "чтение SIM\nкарты";
    QTest::newRow("8") << 8 << "регистрация\nв сети";
    QTest::newRow("11") << 11 << "подключение\nк GPRS";
    QTest::newRow("12") << 12 << "подключение\nк серверу";
    QTest::newRow("15") << 15 << "регистрация\nна сервере";
    QTest::newRow("16 keeps") << 16 << QString();
    QTest::newRow("17") << 17 << "подключен\nк серверу";
    QTest::newRow("18 keeps") << 18 << QString();
    QTest::newRow("255 keeps") << 255 << QString();
}

void TestOnlineProtocol::modemStateTexts()
{
    QFETCH(int, state);
    QFETCH(QString, text);
    const char *source = online::modemStateText(quint8(state));
    QCOMPARE(source ? QString::fromUtf8(source) : QString(), text);
}

void TestOnlineProtocol::gluedAnswersAreCutApart_data()
{
    const QByteArray level = answer(1, 0xF0, 22);
    const QByteArray status = answer(1, 0xA0, 37);
    const QByteArray ack = answer(0xCA, 0xA3, 4);
    const QByteArray imei = answer(0xCA, 0xA7, 40);
    QByteArray block(162, 'x');
    const QByteArray config = configAnswer(block, 7, 8);

    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<QList<QByteArray>>("answers");
    QTest::newRow("one answer") << level << QList<QByteArray>{level};
    QTest::newRow("acknowledge and level") << ack + level << QList<QByteArray>{ack, level};
    QTest::newRow("level and status") << level + status << QList<QByteArray>{level, status};
    QTest::newRow("IMEI and status") << imei + status << QList<QByteArray>{imei, status};
    QTest::newRow("configuration alone") << config << QList<QByteArray>{config};
    QTest::newRow("configuration first") << config + level << QList<QByteArray>{config, level};
    QTest::newRow("configuration between") << ack + config + status << QList<QByteArray>{ack, config, status};
    QTest::newRow("configuration last") << status + config << QList<QByteArray>{status, config};
    QTest::newRow("two configurations") << config + config << QList<QByteArray>{config, config};
}

void TestOnlineProtocol::gluedAnswersAreCutApart()
{
    QFETCH(QByteArray, chunk);
    QFETCH(QList<QByteArray>, answers);
    QCOMPARE(online::splitAnswers(chunk), answers);
}

void TestOnlineProtocol::blockRoundTripsByteForByte()
{
    QByteArray unit(162, '\0');
    for (int i = 0; i < unit.size(); ++i)
        unit[i] = char((i * 37 + 11) & 0xFF);
    OnlineConfigBlock block;
    QVERIFY(block.assign(unit));
    QCOMPARE(block.bytes(), unit);
    QVERIFY(!block.assign(unit.left(161)));
    QVERIFY(!block.assign(unit + 'x'));
    QCOMPARE(block.bytes(), unit);

    // Editing one field leaves every other byte as the unit sent it.
    block.setText(OnlineConfigBlock::Text::ServerAddress, "srv.example.org");
    QByteArray expected = unit;
    const QByteArray server = QByteArray("srv.example.org").leftJustified(25, '\0');
    expected.replace(76, 25, server);
    QCOMPARE(block.bytes().toHex(' '), expected.toHex(' '));
    block.setFormat();
    expected[0] = char(0x16);
    QCOMPARE(block.bytes(), expected);
    QVERIFY(OnlineConfigBlock().bytes() == QByteArray(162, '\0'));
}

void TestOnlineProtocol::textFieldsAreBoundedByTheirWidths_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    using T = OnlineConfigBlock::Text;
    QTest::newRow("APN fills its field") << int(T::Apn) << QString(30, 'a') << QString(30, 'a');
    QTest::newRow("APN too long") << int(T::Apn) << QString(35, 'b') << QString(30, 'b');
    // 'я' takes two bytes: fifteen fit in thirty, the sixteenth does not.
    QTest::newRow("two-byte letters") << int(T::Apn) << QString(16, QChar(0x44F)) << QString(15, QChar(0x44F));
    QTest::newRow("cut before a split letter")
        << int(T::Pin) << QString("12") + QString(2, QChar(0x44F)) << QString("12") + QChar(0x44F);
    QTest::newRow("four-byte character") << int(T::Pin) << QString("ab") + QString::fromUtf8("\xF0\x9F\x98\x80")
                                         << QString("ab");
    QTest::newRow("shorter text clears the rest") << int(T::ServerPort) << QString("80") << QString("80");
    QTest::newRow("empty") << int(T::DeviceId) << QString() << QString();
}

void TestOnlineProtocol::textFieldsAreBoundedByTheirWidths()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    const auto text = OnlineConfigBlock::Text(field);
    const OnlineConfigBlock::Span span = OnlineConfigBlock::spanOf(text);
    OnlineConfigBlock block;
    QByteArray ones(162, char(0xFF));
    QVERIFY(block.assign(ones));
    block.setText(text, typed);
    QCOMPARE(block.text(text), kept);
    QCOMPARE(OnlineConfigBlock::fits(text, typed), typed == kept);
    const QByteArray stored = block.bytes().mid(span.offset, span.width);
    QCOMPARE(stored, kept.toUtf8().leftJustified(span.width, '\0'));
    // Nothing outside the field changed.
    QCOMPARE(block.bytes().left(span.offset), ones.left(span.offset));
    QCOMPARE(block.bytes().mid(span.offset + span.width), ones.mid(span.offset + span.width));
}

void TestOnlineProtocol::unterminatedTextStopsAtTheFieldEnd()
{
    QByteArray unit(162, 'z');
    unit.replace(1, 30, QByteArray(30, 'a')); // APN without a zero, user follows at once
    OnlineConfigBlock block;
    QVERIFY(block.assign(unit));
    QCOMPARE(block.text(OnlineConfigBlock::Text::Apn), QString(30, 'a'));
    QCOMPARE(block.text(OnlineConfigBlock::Text::ApnUser), QString(20, 'z'));
    // A two-byte letter whose second byte lies beyond the field is left out.
    unit.replace(71, 5, QByteArray("12\xD1\x8F\xD1"));
    QVERIFY(block.assign(unit));
    QCOMPARE(block.text(OnlineConfigBlock::Text::Pin), QString("12") + QChar(0x44F));
    unit.replace(71, 5,
                 QByteArray("1\0"
                            "999",
                            5));
    QVERIFY(block.assign(unit));
    QCOMPARE(block.text(OnlineConfigBlock::Text::Pin), QString("1"));
}

void TestOnlineProtocol::periodAndAddressTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("period");
    QTest::addColumn<int>("address"); // -1: refused, the byte stays as it was
    QTest::newRow("30") << "30" << hex("1e00") << 30;
    QTest::newRow("0") << "0" << hex("0000") << 0;
    QTest::newRow("255") << "255" << hex("ff00") << 255;
    // Not its low byte 44: that would be some other device's address.
    QTest::newRow("300") << "300" << hex("2c01") << -1;
    QTest::newRow("256") << "256" << hex("0001") << -1;
    // A period the field cannot hold leaves the unit's as it was.
    QTest::newRow("70000") << "70000" << hex("7777") << -1;
    QTest::newRow("32768") << "32768" << hex("7777") << -1;
    QTest::newRow("-1") << "-1" << hex("ffff") << -1;
    QTest::newRow("abc") << "abc" << hex("7777") << -1;
    QTest::newRow("empty") << "" << hex("7777") << -1;
}

void TestOnlineProtocol::periodAndAddressTexts()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, period);
    QFETCH(int, address);
    OnlineConfigBlock block;
    QVERIFY(block.assign(QByteArray(162, char(0x77))));
    block.setPeriodText(text);
    QCOMPARE(block.bytes().mid(142, 2).toHex(), period.toHex());
    QCOMPARE(block.bytes().mid(144, 2), QByteArray(2, char(0x77)));
    for (int device = 0; device < 8; ++device) {
        QCOMPARE(block.setAddressText(device, text), address >= 0);
        QCOMPARE(int(block.address(device)), address >= 0 ? address : 0x77);
    }
    QVERIFY(!block.setAddressText(8, "5")); // beyond the eight devices: nothing
    QVERIFY(!block.setAddressText(-1, "5"));
    QCOMPARE(block.bytes().size(), 162);
    QCOMPARE(block.bytes().left(142), QByteArray(142, char(0x77)));
}

void TestOnlineProtocol::modeBitsFlipWithoutCarry()
{
    OnlineConfigBlock block;
    block.setMode(0, 0xC1);
    block.flipMode(0, OnlineConfigBlock::kEgtsBit);
    QCOMPARE(block.mode(0), quint8(0x41));
    QCOMPARE(block.mode(1), quint8(0));
    block.flipMode(0, OnlineConfigBlock::kUdpBit);
    QCOMPARE(block.mode(0), quint8(0x01));
    const QByteArray before = block.bytes();
    block.flipMode(3, OnlineConfigBlock::kDeviceOnBit);
    QCOMPARE(block.mode(3), quint8(1));
    block.flipMode(3, OnlineConfigBlock::kDeviceOnBit);
    QCOMPARE(block.bytes(), before);
    block.flipMode(8, 0xFF);
    QCOMPARE(block.bytes(), before);
}

void TestOnlineProtocol::operatorPresetsAndReadBack_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("known");
    QTest::addColumn<int>("index");
    QTest::newRow("sorvint") << "sorvint" << true << 0;
    QTest::newRow("megafon") << "megafon" << true << 1;
    QTest::newRow("xqj") << "xqj" << true << 2;
    QTest::newRow("tele2") << "tele2" << true << 3;
    QTest::newRow("другой") << "другой" << false << 4;
    QTest::newRow("case matters") << "Tele2" << false << 4;
}

void TestOnlineProtocol::operatorPresetsAndReadBack()
{
    QFETCH(QString, item);
    QFETCH(bool, known);
    QFETCH(int, index);
    const auto preset = online::presetOf(item);
    QCOMPARE(preset.has_value(), known);
    if (!preset) {
        QCOMPARE(online::operatorOfConfig("", ""), online::kOtherOperator);
        return;
    }
    // What a preset writes is recognised again when it is read back.
    QCOMPARE(online::operatorOfConfig(preset->apn, preset->user), index);
    if (index == 0 || index == 2)
        QCOMPARE(QString(preset->user), item);
    QCOMPARE(online::operatorOfConfig("my.apn", "wemto2"), 1);
    QCOMPARE(online::operatorOfConfig("my.apn", "user"), online::kOtherOperator);
    // The long key is looked for before the short one.
    QCOMPARE(online::operatorOfConfig("xqj.sorvint", ""), 0);
}

void TestOnlineProtocol::hidListingSkipsUnreadableDevices()
{
    FakeBridges none;
    QVERIFY(QFOnline::findHidDevice(&none).isEmpty());
    QCOMPARE(none.lastVendor, quint16(0x10C4));
    QCOMPARE(none.lastProduct, quint16(0xEA80));

    FakeBridges three;
    three.devices = {QString("/dev/hidraw1"), std::nullopt, QString("/dev/hidraw4")};
    QCOMPARE(QFOnline::findHidDevice(&three),
             (QStringList{"find hid device=/dev/hidraw1", "find hid device=/dev/hidraw4"}));
}

void TestOnlineProtocol::platformHidListingNamesOnlyDeviceNodes()
{
    // This machine may or may not have the bridge attached; whatever is
    // listed is a hidraw node, and asking past the end gives nothing.
    const std::unique_ptr<HidBridges> bridges = createPlatformHidBridges();
    QVERIFY(bridges);
    const int n = bridges->count(0x10C4, 0xEA80);
    QVERIFY(n >= 0);
    for (int i = 0; i < n; ++i) {
        const auto text = bridges->deviceString(i, 0x10C4, 0xEA80);
        if (text)
            QVERIFY2(text->startsWith("/dev/hidraw"), qPrintable(*text));
    }
    QVERIFY(!bridges->deviceString(n, 0x10C4, 0xEA80));
    QVERIFY(!bridges->deviceString(-1, 0x10C4, 0xEA80));
    QCOMPARE(QFOnline::findHidDevice().size() <= n, true);
}

QTEST_GUILESS_MAIN(TestOnlineProtocol)
#include "tst_onlineprotocol.moc"
