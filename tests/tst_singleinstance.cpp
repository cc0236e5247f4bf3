#include "app/singleinstance.h"

#include <QProcess>
#include <QtTest>

#include <csignal>

namespace {

// Keys of our own, so a program running on this machine does not interfere.
QString semaphoreKey()
{
    return "tst-single-instance-sem-" + QString::number(QCoreApplication::applicationPid());
}

QString memoryKey()
{
    return "tst-single-instance-mem-" + QString::number(QCoreApplication::applicationPid());
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void aSecondInstanceIsRefusedWhileTheFirstRuns();
    void anotherProcessHoldingItRefusesUs();
    void aKilledInstanceDoesNotBlockTheNextStart();

private:
    QProcess *startHolder();
};

void TestSingleInstance::aSecondInstanceIsRefusedWhileTheFirstRuns()
{
    {
        SingleInstance first(semaphoreKey(), memoryKey());
        QVERIFY(first.acquire());
        SingleInstance second(semaphoreKey(), memoryKey());
        QVERIFY(!second.acquire());
        // The refused one must not take the segment away from the first.
        SingleInstance third(semaphoreKey(), memoryKey());
        QVERIFY(!third.acquire());
    }
    SingleInstance afterwards(semaphoreKey(), memoryKey());
    QVERIFY(afterwards.acquire());
}

QProcess *TestSingleInstance::startHolder()
{
    auto *holder = new QProcess(this);
    holder->setProgram(QCoreApplication::applicationFilePath());
    holder->setArguments({"--hold", semaphoreKey(), memoryKey()});
    holder->start();
    if (!holder->waitForStarted(5000))
        return holder;
    holder->waitForReadyRead(10000);
    return holder;
}

void TestSingleInstance::anotherProcessHoldingItRefusesUs()
{
    QProcess *holder = startHolder();
    QCOMPARE(holder->readAll().trimmed(), QByteArray("held"));
    {
        SingleInstance mine(semaphoreKey(), memoryKey());
        QVERIFY(!mine.acquire());
    }
    holder->terminate();
    holder->waitForFinished(5000);
    delete holder;
}

void TestSingleInstance::aKilledInstanceDoesNotBlockTheNextStart()
{
    QProcess *holder = startHolder();
    QCOMPARE(holder->readAll().trimmed(), QByteArray("held"));
    ::kill(static_cast<pid_t>(holder->processId()), SIGKILL);
    QVERIFY(holder->waitForFinished(5000));
    delete holder;

    SingleInstance next(semaphoreKey(), memoryKey());
    QVERIFY(next.acquire());
}

int main(int argc, char *argv[])
{
    if (argc == 4 && QByteArray(argv[1]) == "--hold") {
        // Stands in for a running program: holds the guard until killed.
        QCoreApplication app(argc, argv);
        SingleInstance instance(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
        if (!instance.acquire())
            return 2;
        std::printf("held\n");
        std::fflush(stdout);
        return app.exec();
    }
    QCoreApplication app(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
