#include "devices/fls/flsprotocol.h"
#include "exactframe.h"
#include "link/bus.h"
#include "link/frame.h"

#include <QRandomGenerator>
#include <QtTest>

#include <memory>
#include <vector>

Q_DECLARE_METATYPE(fls::Model)

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// An answer frame of `length` bytes with the given bytes put at their
// positions, start byte, network number, command and a right CRC-8.
QByteArray answer(quint8 command, int length, std::initializer_list<std::pair<int, int>> fields = {}, quint8 net = 1)
{
    QByteArray out(length - 1, '\0');
    out[0] = char(frame::kAnswerStart);
    out[1] = char(net);
    out[2] = char(command);
    for (const auto &f : fields)
        out[f.first] = char(f.second);
    return frame::withCrc(out);
}

QByteArray randomBytes(QRandomGenerator &rng, int length)
{
    QByteArray out(length, '\0');
    for (int i = 0; i < length; ++i)
        out[i] = char(rng.bounded(256));
    return out;
}

// Runs every decoder on one frame; the results must be consistent with the
// frame's length whatever its content.
void decodeEverything(const QByteArray &source)
{
    const ExactFrame exact(source);
    const QByteArray f = exact.view();
    const auto search = bus::decodeSearchAnswer(f);
    if (f.isEmpty())
        QVERIFY(!search);
    const auto head = bus::acceptAnswer(f);
    if (f.size() < 4)
        QVERIFY(!head);
    const bool longEnough = fls::isLongEnough(f);
    const auto all = fls::decodeAllData(f);
    QCOMPARE(bool(all), f.size() >= 24);
    if (all && f.size() <= 24)
        QVERIFY(!all->byte23);
    const auto serial = bus::decodeSerialAndFirmware(f);
    QCOMPARE(bool(serial), f.size() >= 10);
    if (f.size() < 3)
        QVERIFY(!longEnough);
}

} // namespace

class TestFlsProtocol : public QObject
{
    Q_OBJECT
private slots:
    // ---- builders ----
    void configWriteCarriesSignatureBytesAndCrc()
    {
        const QByteArray f = fls::configWrite(7, 0x08, 0x40, std::nullopt);
        QCOMPARE(f.size(), 9);
        QCOMPARE(f.left(3), bytes({0x31, 7, 0xF2}));
        QCOMPARE(f.mid(3, 3), bytes({frame::kWriteSignature[0], frame::kWriteSignature[1], frame::kWriteSignature[2]}));
        QCOMPARE(f.mid(6, 2), bytes({0x08, 0x40}));
        QCOMPARE(quint8(f.at(8)), frame::calc_crc8(f.left(8)));
    }
    void configWriteWithByteCIsTenBytes()
    {
        const QByteArray f = fls::configWrite(3, 0x01, 0x02, quint8(0x10));
        QCOMPARE(f.size(), 10);
        QCOMPARE(f.mid(6, 3), bytes({0x01, 0x02, 0x10}));
        QCOMPARE(quint8(f.at(9)), frame::calc_crc8(f.left(9)));
    }
    void sendSerNumWriteIsEightBytes()
    {
        const QByteArray f = fls::sendSerNumWrite(2, 0x10);
        QCOMPARE(f.size(), 8);
        QCOMPARE(f.left(3), bytes({0x31, 2, 0xD0}));
        QCOMPARE(quint8(f.at(6)), quint8(0x10));
        QCOMPARE(quint8(f.at(7)), frame::calc_crc8(f.left(7)));
    }
    void resetRequestIsSevenBytes()
    {
        const QByteArray f = fls::resetRequest(9);
        QCOMPARE(f.size(), 7);
        QCOMPARE(f.left(3), bytes({0x31, 9, 0x88}));
        QCOMPARE(f.mid(3, 3), bytes({frame::kWriteSignature[0], frame::kWriteSignature[1], frame::kWriteSignature[2]}));
        QCOMPARE(quint8(f.at(6)), frame::calc_crc8(f.left(6)));
    }

    // ---- filter mapping ----
    void tankClassIndexFollowsFilterLevel_data()
    {
        QTest::addColumn<int>("f");
        QTest::addColumn<int>("index");
        const int expected[16] = {0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 4, 4, 4, 4, 4};
        for (int f = 0; f < 16; ++f)
            QTest::addRow("f=%d", f) << f << expected[f];
        // Only the level nibble counts.
        QTest::newRow("median bit ignored") << 0x47 << 2;
    }
    void tankClassIndexFollowsFilterLevel()
    {
        QFETCH(int, f);
        QFETCH(int, index);
        QCOMPARE(fls::tankClassIndex(f), index);
    }
    void tankClassAndLevelLists()
    {
        const auto tanks = fls::tankClassList();
        QCOMPARE(int(tanks.size()), 5);
        QCOMPARE(QString::fromUtf8(tanks[0]), QString::fromUtf8("Нет"));
        QCOMPARE(QString::fromUtf8(tanks[4]), QString::fromUtf8("тяжёлые условия"));
        const QStringList levels = fls::levelList("none");
        QCOMPARE(levels.size(), 16);
        QCOMPARE(levels.first(), QString("none"));
        QCOMPARE(levels.at(7), QString("7"));
        QCOMPARE(levels.last(), QString("15"));
    }
    void filterTypesByModelAndFirmware_data()
    {
        QTest::addColumn<fls::Model>("model");
        QTest::addColumn<int>("firmware");
        QTest::addColumn<int>("types");
        using T = fls::FilterTypes;
        QTest::newRow("QF410 195") << fls::Model::QF410 << 195 << int(T::SmartAndMedian);
        QTest::newRow("QF410 194") << fls::Model::QF410 << 194 << int(T::SmartOnly);
        QTest::newRow("QF260 204") << fls::Model::QF260 << 204 << int(T::SmartAndMedian);
        QTest::newRow("QF260 203") << fls::Model::QF260 << 203 << int(T::SmartOnly);
        QTest::newRow("QF470 204") << fls::Model::QF470 << 204 << int(T::SmartAndMedian);
        QTest::newRow("QF210 198") << fls::Model::QF210 << 198 << int(T::MedianOnly);
        QTest::newRow("QF210 197") << fls::Model::QF210 << 197 << int(T::Unchanged);
        QTest::newRow("generic") << fls::Model::Generic << 0 << int(T::MedianOnly);
    }
    void filterTypesByModelAndFirmware()
    {
        QFETCH(fls::Model, model);
        QFETCH(int, firmware);
        QFETCH(int, types);
        QCOMPARE(int(fls::filterTypes(model, quint16(firmware))), types);
    }

    // ---- search answers ----
    void searchAnswerListsEveryByte()
    {
        const auto found = bus::decodeSearchAnswer(bytes({5, 7, 9}));
        QVERIFY(found);
        QCOMPARE(*found, bytes({5, 7, 9}));
        QCOMPARE(*bus::decodeSearchAnswer(bytes({0x12})), bytes({0x12}));
    }
    void searchAnswerOfFrameStartIsSensorZero()
    {
        QCOMPARE(*bus::decodeSearchAnswer(bytes({0x3E, 0x00})), bytes({0}));
        QCOMPARE(*bus::decodeSearchAnswer(bytes({0x3E, 0x42})), bytes({0}));
    }
    void noSearchAnswer_data()
    {
        QTest::addColumn<QByteArray>("chunk");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("frame start alone") << bytes({0x3E});
        QTest::newRow("frame start and two bytes") << bytes({0x3E, 1, 2});
        QTest::newRow("whole frame") << answer(0xFC, 10);
    }
    void noSearchAnswer()
    {
        QFETCH(QByteArray, chunk);
        QVERIFY(!bus::decodeSearchAnswer(chunk));
    }

    // ---- acceptance ----
    void answerAcceptedByStartAndCrc()
    {
        const QByteArray good = answer(0xF7, 4, {}, 5);
        const auto head = bus::acceptAnswer(good);
        QVERIFY(head);
        QCOMPARE(head->net, quint8(5));
        QCOMPARE(head->command, quint8(0xF7));

        QByteArray badCrc = good;
        badCrc[3] = char(quint8(badCrc.at(3)) ^ 0x01);
        QVERIFY(!bus::acceptAnswer(badCrc));

        QByteArray badStart = good;
        badStart[0] = 0x31;
        QVERIFY(!bus::acceptAnswer(frame::withCrc(badStart.left(3))));
        QVERIFY(!bus::acceptAnswer(frame::withCrc(bytes({0x3E, 1}))));
    }
    void minimumLengthPerCommand_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("length");
        QTest::newRow("all data") << 0xF0 << 24;
        QTest::newRow("serial") << 0xFC << 10;
        QTest::newRow("sensor table") << 0xEF << 84;
        for (int c : {0xF5, 0xFA, 0xED, 0xEC, 0xAA, 0xF7, 0xF8, 0xFD, 0xF1})
            QTest::addRow("0x%02X", c) << c << 4;
    }
    void minimumLengthPerCommand()
    {
        QFETCH(int, command);
        QFETCH(int, length);
        QCOMPARE(fls::minimumAnswerLength(quint8(command)), length);
        QVERIFY(fls::isLongEnough(answer(quint8(command), length)));
        if (length > 4)
            QVERIFY(!fls::isLongEnough(answer(quint8(command), length - 1)));
    }

    // ---- all-data answer ----
    void allDataFields()
    {
        const QByteArray f = answer(0xF0, 29,
                                    {{3, 0xE7}, // -25 degrees
                                     {4, 0x34},
                                     {5, 0x12},
                                     {6, 0x78},
                                     {7, 0x56},
                                     {8, 0x34},
                                     {9, 0x82},
                                     {10, 0x10},
                                     {11, 0x27},
                                     {14, 0x20},
                                     {15, 0x4E},
                                     {20, 0x82},
                                     {21, 0x33},
                                     {22, 0x47},
                                     {23, 0x10},
                                     {27, 0x62}});
        const auto d = fls::decodeAllData(f);
        QVERIFY(d);
        QCOMPARE(int(d->temperature), -25);
        QCOMPARE(d->level, quint16(0x1234));
        QCOMPARE(d->count, qint32(0x82345678u));
        QVERIFY(d->count < 0);
        QCOMPARE(d->empty, 10000);
        QCOMPARE(d->full, 20000);
        QCOMPARE(d->configA, quint8(0x82));
        QCOMPARE(d->byte21, quint8(0x33));
        QCOMPARE(d->configB, quint8(0x47));
        QVERIFY(d->byte23);
        QCOMPARE(*d->byte23, quint8(0x10));
        QCOMPARE(d->model, fls::Model::QF470);
        QVERIFY(!d->dropped);
    }
    void modelByLength_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<fls::Model>("model");
        QTest::addColumn<bool>("dropped");
        QTest::newRow("24, byte 21 = 2") << answer(0xF0, 24, {{21, 2}}) << fls::Model::QF210 << false;
        QTest::newRow("24, byte 21 = 1") << answer(0xF0, 24, {{21, 1}}) << fls::Model::QF410 << false;
        QTest::newRow("24, byte 21 = 9") << answer(0xF0, 24, {{21, 9}}) << fls::Model::Generic << false;
        QTest::newRow("25, byte 23 = 3") << answer(0xF0, 25, {{23, 3}, {21, 2}}) << fls::Model::QF260 << false;
        QTest::newRow("29, byte 27 = 0x62") << answer(0xF0, 29, {{27, 0x62}}) << fls::Model::QF470 << false;
        QTest::newRow("29, byte 27 = 0x60") << answer(0xF0, 29, {{27, 0x60}}) << fls::Model::QF470 << false;
        QTest::newRow("29, byte 27 = 0x63") << answer(0xF0, 29, {{27, 0x63}}) << fls::Model::QF470 << false;
        QTest::newRow("29, byte 27 = 0x61") << answer(0xF0, 29, {{27, 0x61}}) << fls::Model::Generic << false;
        QTest::newRow("45, byte 27 = 1") << answer(0xF0, 45, {{27, 1}}) << fls::Model::QF410 << false;
        QTest::newRow("45, byte 27 = 0x1F") << answer(0xF0, 45, {{27, 0x1F}}) << fls::Model::Unknown << true;
        QTest::newRow("45, byte 27 = 0x22") << answer(0xF0, 45, {{27, 0x22}}) << fls::Model::Generic << false;
        QTest::newRow("38, byte 27 = 0x1E") << answer(0xF0, 38, {{27, 0x1E}}) << fls::Model::Unknown << true;
        QTest::newRow("42, byte 27 = 0x21") << answer(0xF0, 42, {{27, 0x21}}) << fls::Model::Unknown << true;
        QTest::newRow("84, byte 27 = 0x20") << answer(0xF0, 84, {{27, 0x20}}) << fls::Model::Unknown << true;
        QTest::newRow("38, byte 27 = 0x1D") << answer(0xF0, 38, {{27, 0x1D}}) << fls::Model::Unknown << false;
        QTest::newRow("29, byte 27 = 0x1F") << answer(0xF0, 29, {{27, 0x1F}}) << fls::Model::Generic << false;
        QTest::newRow("26") << answer(0xF0, 26, {{21, 2}, {23, 3}}) << fls::Model::Unknown << false;
    }
    void modelByLength()
    {
        QFETCH(QByteArray, frame);
        QFETCH(fls::Model, model);
        QFETCH(bool, dropped);
        const auto d = fls::decodeAllData(frame);
        QVERIFY(d);
        QCOMPARE(d->model, model);
        QCOMPARE(d->dropped, dropped);
    }
    void byte23OfShortestFormIsTheCrc()
    {
        const auto d = fls::decodeAllData(answer(0xF0, 24, {{21, 0x60}}));
        QVERIFY(d);
        QVERIFY(!d->byte23);
        QVERIFY(fls::decodeAllData(answer(0xF0, 25, {{23, 0x10}}))->byte23);
    }
    void modelBytes()
    {
        QCOMPARE(fls::modelFromByte(1), fls::Model::QF410);
        QCOMPARE(fls::modelFromByte(2), fls::Model::QF210);
        QCOMPARE(fls::modelFromByte(3), fls::Model::QF260);
        QCOMPARE(fls::modelFromByte(0x61), fls::Model::Generic);
        QCOMPARE(fls::modelFromByte(0), fls::Model::Generic);
    }

    // ---- serial number and firmware ----
    void serialAndFirmwareAnswer()
    {
        const QByteArray f = frame::withCrc(bytes({0x3E, 0x01, 0xFC, 0x39, 0x30, 0x00, 0x00, 0xD1, 0x00}));
        const auto d = bus::decodeSerialAndFirmware(f);
        QVERIFY(d);
        QCOMPARE(d->serial, quint32(12345));
        QCOMPARE(d->firmware, quint16(209));
        QCOMPARE(bus::serialText(d->serial), QString("12345"));
        QCOMPARE(bus::firmwareText(d->firmware), QString("2.0.9"));
        QVERIFY(!bus::decodeSerialAndFirmware(f.left(9)));
    }
    void firmwareTexts_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("text");
        QTest::newRow("209") << 209 << "2.0.9";
        QTest::newRow("1234") << 1234 << "2.3.4";
        QTest::newRow("5") << 5 << "0.0.5";
        QTest::newRow("0") << 0 << "0.0.0";
        QTest::newRow("65535") << 65535 << "5.3.5";
    }
    void firmwareTexts()
    {
        QFETCH(int, version);
        QFETCH(QString, text);
        QCOMPARE(bus::firmwareText(quint16(version)), text);
    }
    void serialWithHighByteIsNegative()
    {
        const QByteArray f = answer(0xFC, 10, {{3, 0x01}, {4, 0x00}, {5, 0x00}, {6, 0x80}});
        const auto d = bus::decodeSerialAndFirmware(f);
        QVERIFY(d);
        QCOMPARE(bus::serialText(d->serial), QString("-2147483647"));
        QCOMPARE(bus::serialText(0xFFFFFFFFu), QString("-1"));
    }

    // ---- rules ----
    void stabilityGrades_data()
    {
        QTest::addColumn<int>("mean");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("grade");
        QTest::newRow("equal") << 10000 << 10000 << 0 << 3;
        QTest::newRow("0.5 %") << 10050 << 10000 << 0 << 3;
        QTest::newRow("3 %") << 10300 << 10000 << 0 << 2;
        QTest::newRow("3 % below") << 9700 << 10000 << 0 << 2;
        QTest::newRow("10 %") << 11000 << 10000 << 0 << 1;
        QTest::newRow("exactly 1 % keeps") << 10100 << 10000 << 2 << 2;
        QTest::newRow("exactly 5 % keeps") << 10500 << 10000 << 3 << 3;
        QTest::newRow("count 0, mean 0") << 0 << 0 << 1 << 3;
        QTest::newRow("count 0, mean not 0") << 5 << 0 << 3 << 1;
    }
    void stabilityGrades()
    {
        QFETCH(int, mean);
        QFETCH(int, count);
        QFETCH(int, previous);
        QFETCH(int, grade);
        QCOMPARE(fls::stabilityGrade(mean, count, previous), grade);
    }
    void stabilityTexts()
    {
        QCOMPARE(QString::fromUtf8(fls::stabilityText(3)), QString::fromUtf8("Стабилен"));
        QCOMPARE(QString::fromUtf8(fls::stabilityText(2)), QString::fromUtf8("Не стабилен"));
        QCOMPARE(QString(fls::stabilityColour(1)), QString("#E32323"));
        QCOMPARE(QString(fls::stabilityColour(2)), QString("#DDB306"));
        QCOMPARE(QString(fls::stabilityColour(3)), QString("#00A778"));
        QVERIFY(!fls::stabilityText(0));
        QVERIFY(!fls::stabilityColour(0));
    }
    void levelAlarms()
    {
        QCOMPARE(QString::fromUtf8(fls::levelAlarmText(6500)), QString::fromUtf8("Обрыв трубок"));
        QCOMPARE(QString::fromUtf8(fls::levelAlarmText(7000)), QString::fromUtf8("Короткое замыкание"));
        QVERIFY(!fls::levelAlarmText(6501));
        // Level bytes as they come: low byte first.
        QCOMPARE(fls::decodeAllData(answer(0xF0, 24, {{4, 0x64}, {5, 0x19}}))->level, quint16(6500));
        QCOMPARE(fls::decodeAllData(answer(0xF0, 24, {{4, 0x58}, {5, 0x1B}}))->level, quint16(7000));
    }
    void calibrationBounds_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("empty");
        QTest::addColumn<int>("full");
        QTest::addColumn<bool>("notCalibrated");
        QTest::newRow("8999 below") << 8999 << 10000 << 20000 << true;
        QTest::newRow("9000") << 9000 << 10000 << 20000 << false;
        QTest::newRow("21000") << 21000 << 10000 << 20000 << false;
        QTest::newRow("21001") << 21001 << 10000 << 20000 << true;
        QTest::newRow("ratio 2.5") << 15000 << 10000 << 25000 << true;
        QTest::newRow("ratio 1.1") << 10500 << 10000 << 11000 << true;
        QTest::newRow("ratio 1.2") << 11000 << 10000 << 12000 << false;
        QTest::newRow("ratio 2.2") << 11000 << 10000 << 22000 << false;
        QTest::newRow("extremes") << int(INT_MIN) << int(INT_MAX) << int(INT_MIN) << true;
        QTest::newRow("extremes 2") << int(INT_MAX) << int(INT_MIN) << int(INT_MAX) << true;
    }
    void calibrationBounds()
    {
        QFETCH(int, count);
        QFETCH(int, empty);
        QFETCH(int, full);
        QFETCH(bool, notCalibrated);
        QCOMPARE(fls::isNotCalibrated(count, empty, full), notCalibrated);
    }
    void voltages()
    {
        QCOMPARE(QString::number(double(fls::qf260Voltage(2048, true)), 'f', 2), QString("4.56"));
        QCOMPARE(QString::number(double(fls::qf260Voltage(512, false)), 'f', 2), QString("4.56"));
        QCOMPARE(QString::number(double(*fls::analogVoltage(fls::Model::QF410, 512, false)), 'f', 2), QString("2.50"));
        QCOMPARE(QString::number(double(*fls::analogVoltage(fls::Model::QF470, 2048, true)), 'f', 2), QString("4.50"));
        QVERIFY(!fls::analogVoltage(fls::Model::QF210, 512, false));
        QVERIFY(!fls::analogVoltage(fls::Model::Generic, 512, false));
        QCOMPARE(fls::frequencyValue(1000), 1300);
        QCOMPARE(fls::frequencyValue(65535), 65835);
    }
    void outputsFromInterfaceBitsOnly_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<bool>("analog");
        QTest::addColumn<bool>("frequency");
        QTest::newRow("analog") << 0x02 << true << false;
        QTest::newRow("analog, range, litres, invers") << 0xC3 << true << false;
        QTest::newRow("analog, percent, master") << 0x2A << true << false;
        QTest::newRow("frequency") << 0x04 << false << true;
        QTest::newRow("frequency, range") << 0x84 << false << true;
        QTest::newRow("pulse") << 0x06 << false << false;
        QTest::newRow("passive RS-232") << 0x12 << false << false;
        QTest::newRow("active RS-485 with frequency bit") << 0x14 << false << false;
    }
    void outputsFromInterfaceBitsOnly()
    {
        QFETCH(int, a);
        QFETCH(bool, analog);
        QFETCH(bool, frequency);
        QCOMPARE(fls::isAnalogOutput(quint8(a)), analog);
        QCOMPARE(fls::isFrequencyOutput(quint8(a)), frequency);
    }
    void modeDisplayTexts_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("configC");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pair");
        const int level = int(fls::ValuePair::Level);
        QTest::newRow("0x00") << 0x00 << 0 << QString::fromUtf8("Пассивный RS-485") << level;
        QTest::newRow("0x10") << 0x10 << 0 << QString::fromUtf8("Активный RS-485") << level;
        QTest::newRow("0x04") << 0x04 << 0 << QString::fromUtf8("Частотный") << int(fls::ValuePair::Frequency);
        QTest::newRow("0x02") << 0x02 << 0 << QString::fromUtf8("Аналоговый") << int(fls::ValuePair::Voltage);
        QTest::newRow("0x12") << 0x12 << 0 << QString::fromUtf8("Пассивный RS-232") << level;
        QTest::newRow("0x06") << 0x06 << 0 << QString::fromUtf8("Импупльсный") << level;
        QTest::newRow("litres analog") << 0x42 << 0 << QString::fromUtf8("Аналоговый") << int(fls::ValuePair::Voltage);
        QTest::newRow("C with 0x10") << 0xFF << 0x10 << QString::fromUtf8("Активный RS-232") << level;
        QTest::newRow("C without 0x10") << 0xFF << 0x01 << QString() << level;
        QTest::newRow("0x14") << 0x14 << 0 << QString() << level;
    }
    void modeDisplayTexts()
    {
        QFETCH(int, mode);
        QFETCH(int, configC);
        QFETCH(QString, text);
        QFETCH(int, pair);
        const fls::ModeDisplay d = fls::modeDisplay(quint8(mode), quint8(configC));
        QCOMPARE(QString::fromUtf8(d.text), text);
        QCOMPARE(int(d.pair), pair);
    }
    void interfaceTextsAndLists()
    {
        QCOMPARE(QString::fromUtf8(fls::interfaceText(0x06)), QString::fromUtf8("Импупльсный"));
        QVERIFY(!fls::interfaceText(0x16));
        QCOMPARE(int(fls::outputTypeList(fls::Model::QF210).size()), 3);
        QCOMPARE(QString::fromUtf8(fls::outputTypeList(fls::Model::QF260)[1]), QString::fromUtf8("Частотный"));
        QCOMPARE(int(fls::outputTypeList(fls::Model::QF410).size()), 5);
        QCOMPARE(int(fls::outputTypeList(fls::Model::QF470).size()), 6);
        QCOMPARE(QString::fromUtf8(fls::outputTypeList(fls::Model::Generic)[5]), QString::fromUtf8("Пассивный RS-232"));
    }
    void modeByteOfQF470()
    {
        // Firmware 208 and no C stored: the answer is not shown.
        fls::ModeByte m = fls::modeByte(fls::Model::QF470, 208, quint8(5), 0, 0x84);
        QVERIFY(!m.configC);
        QVERIFY(!m.usesConfigC);
        QCOMPARE(m.mode, quint8(0x04));
        QVERIFY(!fls::isShown(fls::Model::QF470, m.usesConfigC));
        // Firmware 209 with byte 23 = 0: mode from A, shown.
        m = fls::modeByte(fls::Model::QF470, 209, quint8(0), 0, 0x84);
        QVERIFY(m.configC);
        QCOMPARE(*m.configC, quint8(0));
        QVERIFY(m.usesConfigC);
        QCOMPARE(m.mode, quint8(0x04));
        QVERIFY(fls::isShown(fls::Model::QF470, m.usesConfigC));
        // C set: the output is named by C.
        m = fls::modeByte(fls::Model::QF470, 209, quint8(0x10), 0, 0x04);
        QCOMPARE(m.mode, quint8(0xFF));
        // Older firmware keeps a C stored earlier.
        m = fls::modeByte(fls::Model::QF470, 100, std::nullopt, 0x10, 0x04);
        QCOMPARE(m.mode, quint8(0xFF));
        QVERIFY(m.usesConfigC);
        // Other models: A without its range bit.
        m = fls::modeByte(fls::Model::QF410, 300, quint8(0x10), 0x10, 0x93);
        QCOMPARE(m.mode, quint8(0x13));
        QVERIFY(!m.configC);
        QCOMPARE(fls::clearedMode(fls::Model::QF470, 0x1B), quint8(0x12));
        QCOMPARE(fls::clearedMode(fls::Model::QF410, 0x1B), quint8(0x1A));
        QVERIFY(!fls::isShown(fls::Model::Unknown, true));
        QVERIFY(fls::isShown(fls::Model::Generic, false));
    }
    void modelTexts()
    {
        QCOMPARE(QString(fls::logPrefix(fls::Model::QF260)), QString("Device QF260 is connected "));
        QCOMPARE(QString(fls::logPrefix(fls::Model::Generic)), QString("Device FLS is connected "));
        QCOMPARE(QString(fls::logPrefix(fls::Model::Unknown)), QString());
        QCOMPARE(QString::fromUtf8(fls::statusText(fls::Model::QF470)), QString::fromUtf8("Подключен QF470"));
        QCOMPARE(QString::fromUtf8(fls::statusText(fls::Model::Generic)), QString::fromUtf8("Датчик подключен"));
        QCOMPARE(*fls::isNewFirmware(fls::Model::QF210, 195), true);
        QCOMPARE(*fls::isNewFirmware(fls::Model::QF410, 194), false);
        QCOMPARE(*fls::isNewFirmware(fls::Model::QF260, 204), true);
        QCOMPARE(*fls::isNewFirmware(fls::Model::QF470, 203), false);
        QVERIFY(!fls::isNewFirmware(fls::Model::Generic, 999));
    }

    // ---- hostile input ----
    void truncatedFramesYieldNothing()
    {
        const QByteArray full = answer(0xF0, 45, {{27, 1}});
        for (int n = 0; n < full.size(); ++n) {
            const ExactFrame exact(full.left(n));
            const QByteArray f = exact.view();
            QCOMPARE(bool(fls::decodeAllData(f)), n >= 24);
            QCOMPARE(fls::isLongEnough(f), n >= 24);
            decodeEverything(f);
        }
        const QByteArray serial = answer(0xFC, 10);
        for (int n = 0; n < serial.size(); ++n) {
            const ExactFrame exact(serial.left(n));
            QVERIFY(!bus::decodeSerialAndFirmware(exact.view()));
            QVERIFY(!fls::isLongEnough(exact.view()));
        }
        for (int n = 0; n < 4; ++n) {
            const ExactFrame exact(answer(0xF8, 4).left(n));
            QVERIFY(!bus::acceptAnswer(exact.view()));
            QVERIFY(!fls::isLongEnough(exact.view()));
        }
    }
    void oversizedFramesReadOnlyTheirFields()
    {
        const QByteArray big = answer(0xF0, 300, {{4, 0x10}, {5, 0x01}, {27, 2}});
        const auto d = fls::decodeAllData(big);
        QVERIFY(d);
        QCOMPARE(d->level, quint16(0x0110));
        QCOMPARE(d->model, fls::Model::Unknown);
        const auto s = bus::decodeSerialAndFirmware(answer(0xFC, 300, {{3, 7}}));
        QVERIFY(s);
        QCOMPARE(s->serial, quint32(7));
        QVERIFY(bus::acceptAnswer(big));
        QCOMPARE(*bus::decodeSearchAnswer(QByteArray(300, 0x05)), QByteArray(1, 0x05)); // one sensor said it 300 times
        decodeEverything(big);
    }
    void randomFramesNeverReadPastTheirEnd()
    {
        QRandomGenerator rng(20240607);
        for (int i = 0; i < 20000; ++i) {
            QByteArray f = randomBytes(rng, int(rng.bounded(100)));
            // Half of them look like answers, so the deeper paths run too.
            if (i % 2 && f.size() >= 4) {
                f[0] = char(frame::kAnswerStart);
                f[2] = char(QList<int>{0xF0, 0xFC, 0xF5, 0xAA, 0xF8, 0xEF}.at(i % 6));
                f = frame::withCrc(f.left(f.size() - 1));
            }
            decodeEverything(f);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable("frame " + f.toHex(' ')));
        }
    }
};

QTEST_APPLESS_MAIN(TestFlsProtocol)
#include "tst_flsprotocol.moc"
