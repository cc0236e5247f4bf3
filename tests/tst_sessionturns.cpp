#include "devices/base/sessionturns.h"

#include <QtTest>

class TestSessionTurns : public QObject
{
    Q_OBJECT
private slots:
    void watchdogBlamesTheDeviceOnlyOnceItWasAsked_data()
    {
        QTest::addColumn<bool>("polling");
        QTest::addColumn<int>("watchdogMs");
        QTest::addColumn<int>("turnsBefore"); // turns between the last answer and the watchdog's end
        QTest::addColumn<int>("turnsAfter");  // turns more until the silence is the device's
        QTest::newRow("polling stopped: time alone") << false << 5000 << 0 << 0;
        QTest::newRow("asked three turns") << true << 5000 << 3 << 0;
        QTest::newRow("asked two turns") << true << 5000 << 2 << 1;
        QTest::newRow("program held back, no turn") << true << 5000 << 0 << 3;
        QTest::newRow("period of two polls keeps its length") << true << 2000 << 2 << 0;
    }
    void watchdogBlamesTheDeviceOnlyOnceItWasAsked()
    {
        QFETCH(bool, polling);
        QFETCH(int, watchdogMs);
        QFETCH(int, turnsBefore);
        QFETCH(int, turnsAfter);
        const SessionTurns::Pace pace{polling, 1000, watchdogMs};
        SessionTurns turns;
        turns.countTurn();
        turns.heard();
        for (int i = 0; i < turnsBefore; ++i)
            turns.countTurn();
        QCOMPARE(turns.watchdogRanOut(pace), turnsAfter == 0);
        for (int i = 1; i <= turnsAfter; ++i) {
            turns.countTurn();
            QCOMPARE(turns.dueRanOut(pace), i == turnsAfter);
        }
        // Judged once.
        turns.countTurn();
        QVERIFY(!turns.dueRanOut(pace));
    }
};

QTEST_GUILESS_MAIN(TestSessionTurns)
#include "tst_sessionturns.moc"
