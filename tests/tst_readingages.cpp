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
        QTest::addColumn<int>("roundMs");
        QTest::addColumn<bool>("polling");
        QTest::addColumn<int>("turnsSince");
        QTest::addColumn<bool>("current");
        QTest::newRow("young") << 0 << 60000 << true << 5 << true;
        QTest::newRow("young, polling stopped") << 0 << 60000 << false << 0 << true;
        QTest::newRow("never taken") << 2 << 60000 << true << 0 << false;
        QTest::newRow("no place") << -1 << 60000 << true << 0 << false;
        QTest::newRow("forgotten") << 1 << 60000 << true << 0 << false;
        QTest::newRow("old, its turn not come yet") << 0 << 1 << true << 1 << true;
        QTest::newRow("old, a round of turns went by") << 0 << 1 << true << 2 << false;
        QTest::newRow("old, polling stopped") << 0 << 1 << false << 0 << false;
    }
    void readingIsOfNowOnlyUntilItsRoundIsOver()
    {
        QFETCH(int, place);
        QFETCH(int, roundMs);
        QFETCH(bool, polling);
        QFETCH(int, turnsSince);
        QFETCH(bool, current);
        ReadingAges ages;
        ages.stamp(0, 10);
        ages.stamp(1, 10);
        ages.forget(1);
        // Past a round of 1 ms and no way: old in time, whatever the machine.
        QThread::msleep(2);
        QCOMPARE(ages.isCurrent(place, roundMs, 0, 1000, polling, quint64(10 + turnsSince)), current);
        ages.forgetAll();
        QVERIFY(!ages.isCurrent(place, roundMs, 0, 1000, polling, 10));
    }
};

QTEST_GUILESS_MAIN(TestReadingAges)
#include "tst_readingages.moc"
