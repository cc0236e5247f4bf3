#include "devices/fls/flsprocedures.h"
#include "link/frame.h"

#include <QtTest>

#include <functional>

// Frames, checks and arithmetic of the wired sensor's procedures, without a
// page or a port.
class TestFlsProcedures : public QObject
{
    Q_OBJECT
private slots:
    void framesCarryTheSignatureAndBigEndianValues_data();
    void framesCarryTheSignatureAndBigEndianValues();
    void typedNumbersOutsideTheirRangeAreRefused_data();
    void typedNumbersOutsideTheirRangeAreRefused();
    void manualLevelsAreCheckedInTheOrderTheUserIsTold_data();
    void manualLevelsAreCheckedInTheOrderTheUserIsTold();
    void calibrationWithoutFuelMatchesTheWorkedValues_data();
    void calibrationWithoutFuelMatchesTheWorkedValues();
    void slaveSwitchesFoldIntoTheMask_data();
    void slaveSwitchesFoldIntoTheMask();
};

namespace {

// start, address, command, then the write signature as the sensor expects it.
QByteArray signedFrame(const char *head, const char *payload)
{
    return frame::withCrc(QByteArray::fromHex(head) + QByteArray::fromHex("5ac396") + QByteArray::fromHex(payload));
}

using Builder = std::function<QByteArray()>;

} // namespace

Q_DECLARE_METATYPE(Builder)
Q_DECLARE_METATYPE(std::vector<fls::LevelProblem>)

void TestFlsProcedures::framesCarryTheSignatureAndBigEndianValues_data()
{
    QTest::addColumn<Builder>("build");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("Full from the level") << Builder([] { return fls::fullFromLevelRequest(1); })
                                         << signedFrame("3101f5", "");
    QTest::newRow("Empty from the level")
        << Builder([] { return fls::emptyFromLevelRequest(7); }) << signedFrame("3107fa", "");
    QTest::newRow("Empty 1000 at 3") << Builder([] { return fls::emptyWrite(3, 1000); })
                                     << signedFrame("3103ed", "000003e8");
    QTest::newRow("Full 4000 at 3") << Builder([] { return fls::fullWrite(3, 4000); })
                                    << signedFrame("3103ec", "00000fa0");
    QTest::newRow("negative Full keeps its bits")
        << Builder([] { return fls::fullWrite(3, -1); }) << signedFrame("3103ec", "ffffffff");
    QTest::newRow("horizon") << Builder([] { return fls::horizonRequest(2); }) << signedFrame("3102aa", "");
    QTest::newRow("network number") << Builder([] { return fls::netNumWrite(1, 200); }) << signedFrame("3101fb", "c8");
    QTest::newRow("alarm level") << Builder([] { return fls::alarmLevelWrite(4, 99); }) << signedFrame("3104ee", "63");
    QTest::newRow("serial number") << Builder([] { return fls::serialNumberWrite(1, 305419896); })
                                   << signedFrame("3101f6", "12345678");
    QTest::newRow("largest serial number")
        << Builder([] { return fls::serialNumberWrite(0, 0xFFFFFFFFu); }) << signedFrame("3100f6", "ffffffff");
    QTest::newRow("largest password") << Builder([] { return fls::passwordFrame(1, 0xF8, 0xFFFFFFFFu); })
                                      << signedFrame("3101f8", "ffffffff");
    QTest::newRow("password probe") << Builder([] { return fls::passwordFrame(9, 0xF7, 0); })
                                    << signedFrame("3109f7", "00000000");
}

void TestFlsProcedures::framesCarryTheSignatureAndBigEndianValues()
{
    QFETCH(Builder, build);
    QFETCH(QByteArray, expected);
    QCOMPARE(build().toHex(' '), expected.toHex(' '));
}

void TestFlsProcedures::typedNumbersOutsideTheirRangeAreRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("minimum");
    QTest::addColumn<quint32>("maximum");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<quint32>("value");

    const quint32 u32 = fls::kUnsigned32Max;
    QTest::newRow("network number 0") << "0" << 0u << 255u << true << 0u;
    QTest::newRow("network number 255") << "255" << 0u << 255u << true << 255u;
    QTest::newRow("network number 300 is not its low byte") << "300" << 0u << 255u << false << 0u;
    QTest::newRow("empty network number is not 0") << "" << 0u << 255u << false << 0u;
    QTest::newRow("blanks only") << "   " << 0u << 255u << false << 0u;
    QTest::newRow("pasted with blanks") << " 42\n" << 0u << 255u << true << 42u;
    QTest::newRow("pasted text") << "12abc" << 0u << 255u << false << 0u;
    QTest::newRow("sign") << "+5" << 0u << 255u << false << 0u;
    QTest::newRow("negative") << "-1" << 0u << 255u << false << 0u;
    QTest::newRow("other digits") << QString::fromUtf8("٣") << 0u << 255u << false << 0u;
    QTest::newRow("leading zeros") << "0042" << 0u << 255u << true << 42u;
    QTest::newRow("alarm level 0") << "0" << 1u << 99u << false << 0u;
    QTest::newRow("alarm level 1") << "1" << 1u << 99u << true << 1u;
    QTest::newRow("alarm level 99") << "99" << 1u << 99u << true << 99u;
    QTest::newRow("alarm level 100") << "100" << 1u << 99u << false << 0u;
    QTest::newRow("largest serial") << "4294967295" << 0u << u32 << true << u32;
    QTest::newRow("one above the largest serial") << "4294967296" << 0u << u32 << false << 0u;
    QTest::newRow("eleven digits") << "00000000001" << 0u << u32 << false << 0u;
    QTest::newRow("far too long") << QString(400, QLatin1Char('9')) << 0u << u32 << false << 0u;
}

void TestFlsProcedures::typedNumbersOutsideTheirRangeAreRefused()
{
    QFETCH(QString, text);
    QFETCH(quint32, minimum);
    QFETCH(quint32, maximum);
    QFETCH(bool, taken);
    QFETCH(quint32, value);
    const std::optional<quint32> got = fls::decimalInRange(text, minimum, maximum);
    QCOMPARE(got.has_value(), taken);
    if (taken)
        QCOMPARE(*got, value);
}

void TestFlsProcedures::manualLevelsAreCheckedInTheOrderTheUserIsTold_data()
{
    using P = fls::LevelProblem;
    QTest::addColumn<int>("empty");
    QTest::addColumn<int>("full");
    QTest::addColumn<std::vector<P>>("problems");
    QTest::newRow("Empty below Full") << 1000 << 4000 << std::vector<P>{};
    QTest::newRow("Empty equal to Full") << 3000 << 3000 << std::vector<P>{};
    QTest::newRow("both missing") << 0 << 0 << std::vector<P>{P::EmptyMissing, P::FullMissing};
    QTest::newRow("Empty missing") << 0 << 4000 << std::vector<P>{P::EmptyMissing};
    QTest::newRow("Full missing") << 1000 << 0 << std::vector<P>{P::EmptyAboveFull, P::FullMissing};
    QTest::newRow("Empty above Full") << 5000 << 4000 << std::vector<P>{P::EmptyAboveFull};
    QTest::newRow("Empty missing, Full negative") << 0 << -5 << std::vector<P>{P::EmptyAboveFull, P::EmptyMissing};
}

void TestFlsProcedures::manualLevelsAreCheckedInTheOrderTheUserIsTold()
{
    QFETCH(int, empty);
    QFETCH(int, full);
    QFETCH(std::vector<fls::LevelProblem>, problems);
    QVERIFY(fls::manualLevelProblems(empty, full) == problems);
}

void TestFlsProcedures::calibrationWithoutFuelMatchesTheWorkedValues_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("temperature");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("empty");
    QTest::addColumn<int>("full");

    using M = fls::Model;
    QTest::newRow("QF410 at 0 degrees") << int(M::QF410) << 0 << 8900 << 9000 << 9002;
    QTest::newRow("QF410 warm") << int(M::QF410) << 25 << 12345 << 11620 << 15296;
    QTest::newRow("QF470 cold") << int(M::QF470) << -10 << 20013 << 20563 << 33168;
    // In double this one gives 33142: the product is rounded up to a whole number.
    QTest::newRow("QF470 cold, whole product") << int(M::QF470) << -10 << 20000 << 20550 << 33141;
    QTest::newRow("QF210 warm") << int(M::QF210) << 5 << 6000 << 5990 << 6723;
    QTest::newRow("QF260 cold") << int(M::QF260) << -3 << 9999 << 10210 << 12671;
    QTest::newRow("other model") << int(M::Generic) << 7 << 5000 << 5100 << 10163;
    // No answer yet: no model, no temperature, no count.
    QTest::newRow("nothing known") << int(M::Unknown) << 0 << 0 << 100 << 0;
    // 0 degrees takes the warm drift, -1 the cold one.
    QTest::newRow("QF410 at -1 degree") << int(M::QF410) << -1 << 8900 << 9052 << 9002 + 52 - 3;
    QTest::newRow("QF410 at 1 degree") << int(M::QF410) << 1 << 8900 << 8967 << 9002 - 33 + 3;
    // Below the span the product lies just above a whole number.
    QTest::newRow("QF410 below the span") << int(M::QF410) << 0 << 8700 << 8800 << 8597;
    QTest::newRow("QF410 below zero") << int(M::QF410) << 0 << -100 << 0 << -9266;
    // A broken count at either end of its range wraps like the sensor's
    // 32-bit counts, without undefined arithmetic (the sanitizer run checks).
    QTest::newRow("largest count, coldest")
        << int(M::QF410) << -128 << std::numeric_limits<qint32>::max() << -2147476893 << -50110253;
    QTest::newRow("smallest count, warmest")
        << int(M::QF410) << 127 << std::numeric_limits<qint32>::min() << 2147479557 << -178075332;
}

void TestFlsProcedures::calibrationWithoutFuelMatchesTheWorkedValues()
{
    QFETCH(int, model);
    QFETCH(int, temperature);
    QFETCH(int, count);
    QFETCH(int, empty);
    QFETCH(int, full);
    const fls::AutoCalibration got = fls::autoCalibration(fls::Model(model), qint8(temperature), count);
    QCOMPARE(got.empty, empty);
    QCOMPARE(got.full, full);
}

void TestFlsProcedures::slaveSwitchesFoldIntoTheMask_data()
{
    QTest::addColumn<QList<int>>("on");
    QTest::addColumn<int>("mask");
    QTest::newRow("none") << QList<int>{} << 0;
    QTest::newRow("slaves 2 and 6") << QList<int>{2, 6} << 0x22;
    QTest::newRow("slave 1 added") << QList<int>{1, 2, 6} << 0x23;
    QTest::newRow("all seven") << QList<int>{1, 2, 3, 4, 5, 6, 7} << 0x7F;
    QTest::newRow("slave 7 alone") << QList<int>{7} << 0x40;
}

void TestFlsProcedures::slaveSwitchesFoldIntoTheMask()
{
    QFETCH(QList<int>, on);
    QFETCH(int, mask);
    std::array<bool, fls::kSlaveCount> switches{};
    for (int k : on)
        switches[size_t(k - 1)] = true;
    QCOMPARE(fls::slaveMask(switches), mask);
    for (int k = 1; k <= fls::kSlaveCount; ++k)
        QCOMPARE(fls::isSlaveOn(mask, k), on.contains(k));
    QVERIFY(!fls::isSlaveOn(0xFF, 0));
    QVERIFY(!fls::isSlaveOn(0xFF, 8));
}

QTEST_MAIN(TestFlsProcedures)
#include "tst_flsprocedures.moc"
