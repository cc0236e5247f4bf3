#include "link/deviceeventfilter.h"
#include "link/devicewatchsource.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

class InjectedSource : public DeviceWatchSource
{
public:
    void arrive() { emit deviceChanged(); }
};

} // namespace

class TestDeviceEventFilter : public QObject
{
    Q_OBJECT
private slots:
    void eachNoticeRaisesOneSignal();
    void everyNativeEventIsPassedOn();
    void thePlatformWatcherStartsWithoutNotices();
};

void TestDeviceEventFilter::eachNoticeRaisesOneSignal()
{
    auto *source = new InjectedSource;
    DeviceEventFilter filter(source);
    QSignalSpy changed(&filter, &DeviceEventFilter::serialDeviceChanged);
    source->arrive();
    QCOMPARE(changed.count(), 1);
    source->arrive();
    source->arrive();
    QCOMPARE(changed.count(), 3);
    QCOMPARE(source->parent(), &filter); // the filter owns its source
}

void TestDeviceEventFilter::everyNativeEventIsPassedOn()
{
    DeviceEventFilter filter(nullptr);
    QSignalSpy changed(&filter, &DeviceEventFilter::serialDeviceChanged);
    long result = 12345;
    int message = 0;
    QVERIFY(!filter.nativeEventFilter("xcb_generic_event_t", &message, &result));
    QVERIFY(!filter.nativeEventFilter("windows_generic_MSG", &message, &result));
    QCOMPARE(result, 12345L);
    QCOMPARE(changed.count(), 0);
}

void TestDeviceEventFilter::thePlatformWatcherStartsWithoutNotices()
{
    // On a machine without udev events this must simply stay quiet.
    DeviceEventFilter filter;
    QSignalSpy changed(&filter, &DeviceEventFilter::serialDeviceChanged);
    qApp->installNativeEventFilter(&filter);
    QTest::qWait(50);
    qApp->removeNativeEventFilter(&filter);
    QCOMPARE(changed.count(), 0);
}

QTEST_MAIN(TestDeviceEventFilter)
#include "tst_deviceeventfilter.moc"
