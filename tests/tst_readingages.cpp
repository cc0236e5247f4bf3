#include "devices/base/readingages.h"

#include <QThread>
#include <QtTest>

class TestReadingAges : public QObject
{
    Q_OBJECT
private slots:
    void readingIsOfNowOnlyUntilItsRoundIsOver_data()
    {
        QTest::addColumn<int>("place");
        QTest::addColumn<int>("ageMs");
        QTest::addColumn<bool>("polling");
        QTest::addColumn<int>("settledTurn");
        QTest::addColumn<int>("turnsSince");
        QTest::addColumn<bool>("current");
        QTest::addColumn<bool>("awaited");
        QTest::newRow("young") << 0 << 60000 << true << 0 << 1 << true << true;
        QTest::newRow("young, polling stopped") << 0 << 60000 << false << 0 << 0 << true << true;
        QTest::newRow("never taken") << 2 << 60000 << true << 0 << 0 << false << false;
        QTest::newRow("no place") << -1 << 60000 << true << 0 << 0 << false << false;
        QTest::newRow("forgotten") << 1 << 60000 << true << 0 << 0 << false << false;
        QTest::newRow("young, taken before a hold settled") << 0 << 60000 << true << 11 << 1 << false << true;
        QTest::newRow("young, before a hold, not polling") << 0 << 60000 << false << 11 << 0 << true << true;
        QTest::newRow("old, its turn not come yet") << 0 << 1 << true << 0 << 1 << false << true;
        QTest::newRow("old, a round of turns went by") << 0 << 1 << true << 0 << 3 << false << false;
        QTest::newRow("old, polling stopped") << 0 << 1 << false << 0 << 0 << false << true;
    }
    void readingIsOfNowOnlyUntilItsRoundIsOver()
    {
        QFETCH(int, place);
        QFETCH(int, ageMs);
        QFETCH(bool, polling);
        QFETCH(int, settledTurn);
        QFETCH(int, turnsSince);
        QFETCH(bool, current);
        QFETCH(bool, awaited);
        ReadingAges ages;
        ages.stamp(0, 10);
        ages.stamp(1, 10);
        ages.forget(1);
        // Past an age of 1 ms: old in time, whatever the machine; poll turns
        // never make it new.
        QThread::msleep(2);
        QCOMPARE(ages.isCurrent(place, ageMs, polling, quint64(settledTurn)), current);
        // A round of 1 ms at 1000 ms a turn: one turn, and one for the way.
        QCOMPARE(ages.awaits(place, 1, 1000, quint64(10 + turnsSince)), awaited);
        ages.forgetAll();
        QVERIFY(!ages.isCurrent(place, ageMs, polling, 0));
    }
};

QTEST_GUILESS_MAIN(TestReadingAges)
#include "tst_readingages.moc"
