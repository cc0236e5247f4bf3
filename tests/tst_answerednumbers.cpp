#include "devices/base/answerednumbers.h"

#include <QtTest>

class TestAnsweredNumbers : public QObject
{
    Q_OBJECT
private slots:
    void unheardNumbersAreAskedOnceInListOrder_data()
    {
        QTest::addColumn<QByteArray>("listed");
        QTest::addColumn<QByteArray>("polled");
        QTest::addColumn<QByteArray>("answered");
        QTest::addColumn<QByteArray>("asked");
        QTest::addColumn<bool>("settled"); // every number polled or asked answered
        const auto row = [](const char *name, const char *listed, const char *polled, const char *answered,
                            const char *asked, bool settled) {
            QTest::newRow(name) << QByteArray(listed) << QByteArray(polled) << QByteArray(answered) << QByteArray(asked)
                                << settled;
        };
        row("the polled one is not asked", "\1\2\3", "\1", "", "\2\3", false);
        row("answered ones are not asked", "\1\2\3", "\1", "\3\1", "\2", false);
        row("the polled one never answered", "\1\2", "\1", "\2", "", false);
        row("all answered", "\1\2", "\2", "\1\2", "", true);
        row("nothing listed", "", "", "", "", true);
    }
    void unheardNumbersAreAskedOnceInListOrder()
    {
        QFETCH(QByteArray, listed);
        QFETCH(QByteArray, polled);
        QFETCH(QByteArray, answered);
        QFETCH(QByteArray, asked);
        QFETCH(bool, settled);
        AnsweredNumbers numbers;
        for (int round = 0; round < 2; ++round) {
            for (char net : answered)
                numbers.answered(net);
            QByteArray got;
            while (const std::optional<quint8> net = numbers.nextUnheard(listed, polled))
                got.append(char(*net));
            QCOMPARE(got, asked);
            // What was polled or asked and never answered keeps the list in doubt.
            QCOMPARE(numbers.haveAskedAnswered(polled), settled);
            // A new list forgets what the last one heard and asked.
            numbers.listTaken(7, 60000);
            QCOMPARE(numbers.listTurn(), quint64(7));
            QVERIFY(!numbers.hasAnswered('\1'));
        }
    }
};

QTEST_GUILESS_MAIN(TestAnsweredNumbers)
#include "tst_answerednumbers.moc"
