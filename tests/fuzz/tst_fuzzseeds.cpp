#include "exactframe.h"
#include "fuzztargets.h"
#include "resources/bundle.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QtTest>

// The fuzz targets on their seed corpora, in the ordinary test run: every seed
// of every target goes through every target, so a fault a fuzz run once found
// (its input is kept among the seeds) stays mended, and the plain and
// sanitizer builds check what the libFuzzer programs check.
class TestFuzzSeeds : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void everyTargetHasSeedsAndEverySeedFolderATarget();
    void everySeedPassesEveryTarget_data();
    void everySeedPassesEveryTarget();

private:
    QList<QByteArray> seeds;
};

void TestFuzzSeeds::initTestCase()
{
    initResourceBundle();
    fuzz::feedEveryInput();
    // The pages' debug lines for hundreds of answers would hide the result.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    const QDir root(QStringLiteral(SEED_ROOT));
    for (const QString &folder : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QDir dir(root.filePath(folder));
        for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
            QFile file(dir.filePath(name));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            seeds.append(file.readAll());
        }
    }
    QVERIFY(!seeds.isEmpty());
}

void TestFuzzSeeds::cleanupTestCase()
{
    fuzz::releasePages();
}

void TestFuzzSeeds::everyTargetHasSeedsAndEverySeedFolderATarget()
{
    const QDir root(QStringLiteral(SEED_ROOT));
    for (const fuzz::Target &target : fuzz::targets())
        QVERIFY2(!QDir(root.filePath(QLatin1String(target.name))).isEmpty(QDir::Files), target.name);
    for (const QString &folder : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        QVERIFY2(fuzz::findTarget(folder), qPrintable(folder));
}

void TestFuzzSeeds::everySeedPassesEveryTarget_data()
{
    QTest::addColumn<QString>("name");
    for (const fuzz::Target &target : fuzz::targets())
        QTest::newRow(target.name) << QString::fromLatin1(target.name);
}

void TestFuzzSeeds::everySeedPassesEveryTarget()
{
    QFETCH(QString, name);
    const fuzz::Target *target = fuzz::findTarget(name);
    QVERIFY(target);
    // A broken rule or a bad memory access stops the test right there.
    for (const QByteArray &seed : qAsConst(seeds)) {
        const ExactFrame exact(seed);
        target->run(exact.view());
        fuzz::settle();
    }
}

QTEST_MAIN(TestFuzzSeeds)
#include "tst_fuzzseeds.moc"
