#include "blewindowfixture.h"
#include "dialogsteps.h"
#include "link/frame.h"
#include "silencewatch.h"
#include "simulatedadvertbase.h"

#include <QLineEdit>
#include <QPushButton>

#include <memory>

// The base's own commands end to end, with the linked sensor polled through
// it: linking the base to another sensor by serial number, restarting the
// base into its update mode, and setting the linked sensor's password.
class TestBleBaseLink : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void linkChangeTakesOnlyASerialAndEndsOnTheNewSensor();
    void updateModeRestartRunsOneCountdown();
    void newPasswordIsSaidSetOnlyOnceTheSensorConfirmedIt();

private:
    SimulatedAdvertBase *base() const { return static_cast<SimulatedAdvertBase *>(f->base.get()); }
    void openSensor();
    // Opens the password dialog, types into its field and presses the button.
    void setPassword(const QString &password);

    std::unique_ptr<BleWindowFixture> f;
};

namespace {

// An answer relayed by the base comes with one of the next 1 s polls, after
// the base's own reports; room for a loaded machine on top.
constexpr int kAnswerMs = 8000;

DialogSteps::Step waitForClose(int ms)
{
    return [ms](QWidget *w) {
        QPointer<QWidget> window(w);
        QVERIFY(QTest::qWaitFor([&window] { return !window || !window->isVisible(); }, ms));
    };
}

} // namespace

void TestBleBaseLink::init()
{
    auto device = std::make_unique<SimulatedAdvertBase>();
    device->firmware = 105; // a base that relays its linked sensor
    f = std::make_unique<BleWindowFixture>(std::move(device));
    QVERIFY(f->base->isValid());
}

void TestBleBaseLink::cleanup()
{
    f.reset();
}

void TestBleBaseLink::openSensor()
{
    QVERIFY(f->openPage());
    QVERIFY(f->waitForSensor());
    QVERIFY(!f->page->isAdvertMode());
}

void TestBleBaseLink::setPassword(const QString &password)
{
    QAction *security = f->serviceEntry("security");
    QVERIFY(security);
    DialogSteps steps({[password](QWidget *w) {
        for (QLineEdit *edit : w->findChildren<QLineEdit *>()) {
            if (edit->isVisibleTo(w))
                edit->setText(password);
        }
        for (QPushButton *b : w->findChildren<QPushButton *>()) {
            if (b->text() == "Установить пароль датчика")
                b->click();
        }
        w->close();
    }});
    security->trigger();
    QCOMPARE(steps.stepsLeft(), 0);
}

void TestBleBaseLink::linkChangeTakesOnlyASerialAndEndsOnTheNewSensor()
{
    SimulatedBase::LinkedSensor next;
    next.level = 777;
    next.battery = 31;
    base()->linkable.insert(1193046, next);
    // Longer than a poll period, shorter than the user's.
    silencewatch::shortenWatchdog(f->page, 2500);
    openSensor();
    const int probes = f->base->countRequests(0xE9);

    {
        DialogSteps steps({
            DialogSteps::fillAndClick({""}, "Подключить"),
            DialogSteps::accept(), // "Введите номер датчика"
            // Past the 24 bits of the link ID: it would link to another sensor.
            DialogSteps::fillAndClick({"16777216"}, "Подключить"),
            DialogSteps::accept(),
            DialogSteps::fillAndClick({"1193046"}, "Подключить"),
            waitForClose(15000),
        });
        f->ui->pushBtnChangeBaseLinkIDBLE->click();
        QCOMPARE(steps.stepsLeft(), 0);
        QCOMPARE(steps.seen.size(), 6);
        QVERIFY(steps.seen.at(1).texts.contains("Введите номер датчика"));
        QVERIFY(steps.seen.at(3).texts.contains("Введите номер датчика"));
        QVERIFY(steps.seen.at(5).texts.contains("Выполняется подключение..."));
    }

    // One link ID, built from the serial's low bytes, to the base's address.
    const QList<QByteArray> links = f->base->requestsWith(0xE4);
    QCOMPARE(links.size(), 1);
    QCOMPARE(links.at(0).toHex(' '), frame::withCrc(QByteArray::fromHex("3103e45ac3965634d2ddeeff")).toHex(' '));
    QCOMPARE(f->logged("Change base UUID"), 1);
    QCOMPARE(f->logged("UUID successfully changed"), 1);
    // The dialog closed on the new sensor's report; its password is asked afresh.
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_UrovenBLE->text(), QString("777"), kAnswerMs);
    QTRY_VERIFY_WITH_TIMEOUT(f->base->countRequests(0xE9) > probes, kAnswerMs);

    // Another sensor, the dialog closed at once: the readings of the one
    // before go, and nothing is worked out from them until the new one reports.
    SimulatedBase::LinkedSensor third;
    third.level = 888;
    base()->linkable.insert(4242, third);
    {
        DialogSteps relink({DialogSteps::fillAndClick({"4242"}, "Подключить"), DialogSteps::reject()});
        f->ui->pushBtnChangeBaseLinkIDBLE->click();
    }
    QCOMPARE(f->ui->label_UrovenBLE->text(), QString("--"));
    {
        ModalCloser closer({true, true}); // Full is refused before its advice and question
        f->window->slotShortcutF2();
        {
            BaseDevice::Procedure run(f->page);
            f->page->autoCalibrateFullEmptyBLE(run);
        }
        QCOMPARE(closer.seen.size(), 2);
        QVERIFY(closer.seen.at(0).texts.contains("Нет показаний датчика\nДождитесь их и повторите калибровку"));
        QVERIFY(closer.seen.at(1).texts.contains("Нет показаний датчика\nДождитесь их и повторите калибровку"));
    }
    QCOMPARE(f->base->countRequests(0xF5) + f->base->countRequests(0xED), 0);
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_UrovenBLE->text(), QString("888"), 15000);
    // The watchdog runs again once the dialog closed: a base gone silent is noticed.
    silencewatch::Watch watch(f->page);
    base()->silent = true;
    QVERIFY(watch.noticedWithin(2500 + 2000));
}

void TestBleBaseLink::updateModeRestartRunsOneCountdown()
{
    openSensor();
    const QList<QTimer *> before = f->page->findChildren<QTimer *>();
    f->ui->pushBtnInUpdBase->click();
    // The base is found first; its restart request carries the stored link ID, all zero.
    bool searched = false;
    for (const SimulatedDevice::Request &r : f->base->requests())
        searched = searched || r.bytes == frame::searchRequest();
    QVERIFY(searched);
    const QList<QByteArray> restarts = f->base->requestsWith(0xE4);
    QCOMPARE(restarts.size(), 1);
    QCOMPARE(restarts.at(0).toHex(' '), frame::withCrc(QByteArray::fromHex("3103e45ac396000000000000")).toHex(' '));
    QVERIFY(base()->inUpdateMode());
    QVERIFY(f->ui->labelMsgUpdBLE->text().startsWith("Сейчас в мобильном приложении NRFConnect"));
    QVERIFY(!f->ui->labelMsgUpdBLE->isHidden());
    QVERIFY(!f->ui->labelTimerUpdFwBLE->isHidden());
    QCOMPARE(f->logged("Update firmware base BLE"), 1);
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->labelTimerUpdFwBLE->text(), QString("30"), 2500);
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->labelTimerUpdFwBLE->text(), QString("29"), 2500);
    // A second press while it counts sends nothing and starts no second
    // countdown: one timer counts, and each of its ticks shows a second less.
    const int pressedAt = f->ui->labelTimerUpdFwBLE->text().toInt();
    f->ui->pushBtnInUpdBase->click();
    QCOMPARE(f->base->countRequests(0xE4), 1);
    QList<QTimer *> countdowns;
    for (QTimer *timer : f->page->findChildren<QTimer *>()) {
        if (!before.contains(timer) && timer->isActive())
            countdowns << timer;
    }
    QCOMPARE(countdowns.size(), 1);
    QList<int> shown;
    QObject counting;
    connect(countdowns.first(), &QTimer::timeout, &counting,
            [&] { shown << f->ui->labelTimerUpdFwBLE->text().toInt(); });
    QTRY_VERIFY_WITH_TIMEOUT(shown.size() >= 2, 5000);
    QCOMPARE(shown.mid(0, 2), QList<int>({pressedAt - 1, pressedAt - 2}));
    // Polling goes back to the base's own address.
    QTRY_VERIFY_WITH_TIMEOUT(f->base->requestsWith(0xF0).last().at(1) == char(0x03), 2500);
}

void TestBleBaseLink::newPasswordIsSaidSetOnlyOnceTheSensorConfirmedIt()
{
    openSensor();
    QVERIFY(!f->page->isPasswordProtected());
    // The sensor takes the password but the base reports nothing: no success is said.
    f->base->statusRepeats = 0;
    setPassword("1234");
    QCOMPARE(f->base->countRequests(0xE9), 2); // the probe, then the new password
    QCOMPARE(f->upperStatus(), QString("Ожидаем ответ от беспроводного датчика"));
    // The page waits until the answer time goes by, then tells that.
    QTRY_VERIFY_WITH_TIMEOUT(f->upperStatus() != QString("Ожидаем ответ от беспроводного датчика"), kAnswerMs);
    QCOMPARE(f->upperStatus(), QString("Беспроводной датчик не ответил"));
    QVERIFY(!f->page->getAcceptedPassword());
    QCOMPARE(f->logged("New password BLE device successfully set"), 0);

    f->base->statusRepeats = 2;
    setPassword("4321");
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Новый пароль ВТ датчика успешно установлен"), kAnswerMs);
    QVERIFY(f->base->sensor.password == 4321u);
    QVERIFY(f->page->getAcceptedPassword() == 4321u);
    QVERIFY(f->page->isPasswordProtected());
    QCOMPARE(f->logged("New password BLE device successfully set"), 1);

    // Off and on, the sensor still open: the probe's "no password" would be its new one.
    const int probes = f->base->countRequests(0xE9);
    f->ui->pushButtonBLE->click();
    openSensor();
    QTRY_VERIFY_WITH_TIMEOUT(f->page->isPasswordProtected(), kAnswerMs);
    QCOMPARE(f->base->countRequests(0xE9), probes);
    QVERIFY(f->base->sensor.password == 4321u);
}

QTEST_MAIN(TestBleBaseLink)
#include "tst_blebaselink.moc"
