#include "dialogsteps.h"
#include "kvblewindowfixture.h"
#include "modalcloser.h"
#include "shortintervals.h"
#include "ui/securityble.h"
#include "ui/switch.h"

#include <QLineEdit>
#include <QPointer>

#include <functional>
#include <memory>

// Linking the base to another wireless angle sensor by its serial number and
// the sensor's password, end to end: the real main window, its service menu
// and dialogs, the real port on a pseudo-terminal and a simulated base with
// two angle sensors on the far end.
class TestKvBleLink : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void newSensorIsLinkedByItsSerialNumber();
    void passwordIsPresentedDeletedAndSetAsTheSensorAnswers();
    void slowBaseStillConfirmsTheRightPassword();
    void restartForTheUpdaterCountsDownOnce();

private:
    // Runs the service menu's password row; `act` works in the dialog as a
    // user would. The dialog is closed afterwards if the page left it open.
    // Returns what every other window showed meanwhile.
    QList<ModalCloser::Seen> runSecurity(const std::function<void(SecurityBLE *)> &act);
    bool lockIs(const char *picture) const;

    std::unique_ptr<KvBleWindowFixture> f;
};

namespace {

// A link change or a countdown takes several of the page's 1 s polls; room
// for a loaded machine on top.
constexpr int kOutcomeMs = 10000;

QByteArray payloadOf(const QByteArray &request)
{
    return request.mid(6, request.size() - 7);
}

// Types into the dialog's shown field and presses the button of that caption.
void press(SecurityBLE *dialog, const QString &password, const QString &button)
{
    for (QLineEdit *field : dialog->findChildren<QLineEdit *>()) {
        if (field->isVisibleTo(dialog))
            field->setText(password);
    }
    for (QPushButton *b : dialog->findChildren<QPushButton *>()) {
        if (b->text() == button)
            b->click();
    }
}

} // namespace

void TestKvBleLink::init()
{
    f = std::make_unique<KvBleWindowFixture>();
    QVERIFY(f->sim->isValid());
    BleWindowFixture::quickStatusAnswers(f->kvPage);
}

void TestKvBleLink::cleanup()
{
    f.reset();
}

bool TestKvBleLink::lockIs(const char *picture) const
{
    const QLabel *lock = f->ui->label_LockKVBLE;
    return !lock->isHidden() && lock->pixmap(Qt::ReturnByValue).toImage() == QPixmap(picture).toImage();
}

QList<ModalCloser::Seen> TestKvBleLink::runSecurity(const std::function<void(SecurityBLE *)> &act)
{
    QAction *security = f->serviceEntry(QStringLiteral("security"));
    if (!security)
        return {};
    ModalCloser closer;
    bool started = false;
    closer.leaveOpen = [&started, act](QWidget *modal) {
        auto *dialog = qobject_cast<SecurityBLE *>(modal);
        if (!dialog)
            return false;
        if (!started) {
            started = true;
            // From the dialog's own loop, not from the closer's look.
            QTimer::singleShot(0, dialog, [dialog, act] {
                QPointer<SecurityBLE> alive(dialog);
                act(dialog);
                if (alive && alive->isVisible())
                    alive->reject();
            });
        }
        return true;
    };
    security->trigger();
    return closer.seen;
}

void TestKvBleLink::newSensorIsLinkedByItsSerialNumber()
{
    SimulatedAngleBase::AngleSensor second;
    second.serial = 654321;
    second.angle = 88;
    second.mode = 9;
    second.event = 1;
    second.up = 33;
    second.mac = QByteArray::fromHex("112233445566");
    f->sim->sensors << second;
    QVERIFY(f->openAnglePage());
    QVERIFY(f->waitForAngleSensor());
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_SerNumValKVBLE->text(), QString("123456"), 4000);
    QSignalSpy announced(f->kvPage, &KVBLEDevice::signalNewDeviceIsConnected);

    bool closedByItself = false;
    DialogSteps steps({
        // Nothing typed, then a number no link ID carries: both refused.
        DialogSteps::fillAndClick({""}, "Подключить"),
        DialogSteps::accept(),
        DialogSteps::fillAndClick({"16777216"}, "Подключить"),
        DialogSteps::accept(),
        // The dialog stays open until the base reports the new link.
        [&closedByItself](QWidget *dialog) {
            DialogSteps::fillAndClick({"654321"}, "Подключить")(dialog);
            QPointer<QWidget> alive(dialog);
            closedByItself = QTest::qWaitFor([alive] { return !alive || !alive->isVisible(); }, 20000);
        },
    });
    f->ui->pushButtonConnectNewKVBLE->click();

    QVERIFY(closedByItself);
    QCOMPARE(announced.count(), 1);
    const QStringList texts = steps.allTexts();
    QVERIFY(texts.contains("Введите номер"));
    QVERIFY(texts.contains("Введите номер датчика"));
    QVERIFY(texts.contains("Номер датчика: число от 0 до 16777215"));
    const QList<QByteArray> links = f->sim->requestsWith(0xE4);
    QCOMPARE(links.size(), 1);
    QCOMPARE(payloadOf(links.at(0)).toHex(), QByteArray("f1fbc9ddeef3"));
    QCOMPARE(f->logged("Change base UUID"), 1);
    QVERIFY(f->logged("UUID successfully changed") >= 1);

    // The page now shows the other sensor, its identity asked anew.
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_81->text(), QString("88"), kOutcomeMs);
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->label_SerNumValKVBLE->text(), QString("654321"), kOutcomeMs);
    QCOMPARE(f->ui->label_MAC_KVBLE->text(), QString("11:22:33:44:55:66"));
    QCOMPARE(f->ui->label_85->text(), QString("работает"));
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->lineEditKVBLEUp->text(), QString("33"), kOutcomeMs);
    QCOMPARE(f->angleLower(), QString("Подключен KV-BLE"));
    QVERIFY(f->kvPage->modeSwitches()[4]->getState());
    // Whether it has a password is asked of the new sensor too.
    QTRY_VERIFY_WITH_TIMEOUT(lockIs(":/images/unlock.png"), kOutcomeMs);
}

void TestKvBleLink::passwordIsPresentedDeletedAndSetAsTheSensorAnswers()
{
    f->sim->sensors[0].password = 4321;
    // Opened while the probe's refusal is on its way, the dialog waits for it, then asks for the password.
    f->sim->refusalDelayMs = 2500;
    QVERIFY(f->openAnglePage());
    QTRY_COMPARE_WITH_TIMEOUT(f->sim->countRequests(0xE9), 1, kOutcomeMs);
    runSecurity([this](SecurityBLE *dialog) {
        QPushButton *enter = nullptr;
        for (QPushButton *b : dialog->findChildren<QPushButton *>())
            enter = b->text() == "Ввести пароль датчика" ? b : enter;
        if (QTest::qWaitFor([enter] { return enter->isVisible(); }, kOutcomeMs))
            press(dialog, "1111", "Ввести пароль датчика");
        QTRY_COMPARE_WITH_TIMEOUT(f->angleUpper(), QString("Введён не верный пароль датчика"), kOutcomeMs);
    });
    f->sim->refusalDelayMs.reset();
    QCOMPARE(f->sim->countRequests(0xE8), 1);
    QVERIFY(f->waitForAngleSensor());
    QVERIFY(f->kvPage->isPasswordProtected());
    QVERIFY(lockIs(":/images/lock.png"));

    // Entered with its report lost, a password was taken all the same: no probe follows off and on.
    f->sim->statusRepeats = 0;
    runSecurity([](SecurityBLE *dialog) { press(dialog, "4321", "Ввести пароль датчика"); });
    f->sim->statusRepeats = 2;
    f->sim->clearRequests();
    f->ui->pushButtonBLE->click();
    QVERIFY(f->openAnglePage());
    QVERIFY(f->waitForAngleSensor());
    QCOMPARE(f->sim->countRequests(0xE9), 0);

    // A wrong password is refused and the dialog stays for another try; the
    // right one is taken and the dialog closes.
    bool refusedShown = false;
    bool closed = false;
    runSecurity([this, &refusedShown, &closed](SecurityBLE *dialog) {
        press(dialog, "1111", "Ввести пароль датчика");
        refusedShown = QTest::qWaitFor(
            [this] { return f->angleUpper() == QStringLiteral("Введён не верный пароль датчика"); }, kOutcomeMs);
        press(dialog, "4321", "Ввести пароль датчика");
        QPointer<SecurityBLE> alive(dialog);
        closed = QTest::qWaitFor([alive] { return !alive || !alive->isVisible(); }, kOutcomeMs);
    });
    QVERIFY(refusedShown);
    QVERIFY(closed);
    QCOMPARE(f->angleUpper(), QString("Пароль принят"));
    QVERIFY(lockIs(":/images/unlock.png"));
    QCOMPARE(f->logged("The password bluetooth device is correct"), 1);
    const QList<QByteArray> presented = f->sim->requestsWith(0xE8);
    QCOMPARE(presented.size(), 2);
    QCOMPARE(payloadOf(presented.at(0)).toHex(), QByteArray("00000457"));
    QCOMPARE(payloadOf(presented.at(1)).toHex(), QByteArray("000010e1"));

    // Polled often, the base reports a wrong password once and at once: the
    // removal stops there, and the sensor, open from the entry, keeps its own.
    const BaseDevice::Intervals usual = f->kvPage->intervals();
    shortintervals::apply(f->kvPage);
    f->ui->pushButtonBLE->click();
    QVERIFY(f->openAnglePage());
    QVERIFY(f->waitForAngleSensor());
    f->sim->statusRepeats = 1;
    f->sim->clearRequests();
    runSecurity([](SecurityBLE *dialog) { press(dialog, "9", "Удалить пароль датчика"); });
    QCOMPARE(f->sim->countRequests(0xE9), 0);
    QCOMPARE(f->angleUpper(), QString("Введён не верный пароль датчика"));
    QCOMPARE(f->sim->sensors[0].password.value_or(0), 4321u);
    // So it does when reported at or after the end of the removal's wait.
    for (int late : {2000, 2100, 2300}) {
        QTRY_COMPARE_WITH_TIMEOUT(f->angleUpper(), QString("Связь с беспроводным датчиком установлена"), kOutcomeMs);
        f->sim->relayDelayMs = late;
        runSecurity([](SecurityBLE *dialog) { press(dialog, "9", "Удалить пароль датчика"); });
        QTRY_COMPARE_WITH_TIMEOUT(f->angleUpper(), QString("Введён не верный пароль датчика"), kOutcomeMs);
        QCOMPARE(f->sim->countRequests(0xE9), 0);
        QCOMPARE(f->sim->sensors[0].password.value_or(0), 4321u);
    }
    // Entered, and removed with a wrong one while the entry's acceptance is late: the refusal, 2.2 s late, is its own.
    f->sim->statusRepeats = 2;
    f->sim->relayDelayMs = 400;
    f->sim->refusalDelayMs = 2200;
    runSecurity([](SecurityBLE *dialog) {
        press(dialog, "4321", "Ввести пароль датчика");
        QTest::qWait(200);
        press(dialog, "9", "Удалить пароль датчика");
    });
    QTRY_COMPARE_WITH_TIMEOUT(f->angleUpper(), QString("Введён не верный пароль датчика"), kOutcomeMs);
    QCOMPARE(f->sim->countRequests(0xE9), 0);
    QCOMPARE(f->sim->sensors[0].password.value_or(0), 4321u);
    f->sim->refusalDelayMs.reset();
    f->sim->relayDelayMs = 0;
    f->kvPage->setIntervals(usual);
    f->ui->pushButtonBLE->click();
    QVERIFY(f->openAnglePage());
    QVERIFY(f->waitForAngleSensor());

    // Deleting presents the password, then sets none, two seconds apart.
    f->sim->clearRequests();
    closed = false;
    runSecurity([&closed](SecurityBLE *dialog) {
        press(dialog, "4321", "Удалить пароль датчика");
        QPointer<SecurityBLE> alive(dialog);
        closed = QTest::qWaitFor([alive] { return !alive || !alive->isVisible(); }, kOutcomeMs);
    });
    QVERIFY(closed);
    QCOMPARE(f->angleUpper(), QString("Пароль ВТ датчика успешно удалён"));
    QVERIFY(!f->kvPage->isPasswordProtected());
    QVERIFY(!f->sim->sensors[0].password);
    QList<SimulatedDevice::Request> passwordFrames;
    for (const SimulatedDevice::Request &r : f->sim->requests()) {
        const quint8 command = quint8(r.bytes.at(2));
        if (command == 0xE8 || command == 0xE9)
            passwordFrames << r;
    }
    QCOMPARE(passwordFrames.size(), 2);
    QCOMPARE(payloadOf(passwordFrames.at(0).bytes).toHex(), QByteArray("000010e1"));
    QCOMPARE(quint8(passwordFrames.at(1).bytes.at(2)), quint8(0xE9));
    QCOMPARE(payloadOf(passwordFrames.at(1).bytes).toHex(), QByteArray("00000000"));
    // Read on a loaded machine, the first frame may reach the base late.
    const qint64 apart = passwordFrames.at(1).msecs - passwordFrames.at(0).msecs;
    QVERIFY2(apart >= 1700, qPrintable(QString::number(apart)));

    // Without a password the dialog offers a new one: an empty field is not
    // sent, a number is set; set before the serial came, no probe follows it.
    f->sim->identitySilent = true;
    f->ui->pushButtonBLE->click();
    QVERIFY(f->openAnglePage());
    QVERIFY(f->waitForAngleSensor());
    f->sim->clearRequests();
    closed = false;
    const QList<ModalCloser::Seen> seen = runSecurity([&closed](SecurityBLE *dialog) {
        press(dialog, "", "Установить пароль датчика");
        press(dialog, "98765", "Установить пароль датчика");
        QPointer<SecurityBLE> alive(dialog);
        closed = QTest::qWaitFor([alive] { return !alive || !alive->isVisible(); }, kOutcomeMs);
    });
    QVERIFY(closed);
    QCOMPARE(seen.size(), 1);
    QVERIFY(seen.at(0).texts.contains("Введите пароль: число от 0 до 2147483647"));
    const QList<QByteArray> set = f->sim->requestsWith(0xE9);
    QCOMPARE(set.size(), 1);
    QCOMPARE(payloadOf(set.at(0)).toHex(), QByteArray("000181cd"));
    QCOMPARE(f->angleUpper(), QString("Новый пароль ВТ датчика успешно установлен"));
    QVERIFY(f->kvPage->isPasswordProtected());
    QVERIFY(lockIs(":/images/lock.png"));
    QCOMPARE(f->sim->sensors[0].password.value_or(0), 98765u);
    f->sim->identitySilent = false;
    f->ui->pushButtonBLE->click();
    // Another converter's base, its sensor of another serial, on and off: it does not take it.
    auto other = std::make_unique<SimulatedAngleBase>();
    other->sensors[0].serial = 55555;
    qputenv(portlist::kExtraPortsVariable, (f->sim->portPath() + ":" + other->portPath()).toLocal8Bit());
    f->window->updateSerialPorts();
    std::unique_ptr<SimulatedBase> otherBase(other.release());
    std::swap(f->base, otherBase);
    f->sim = static_cast<SimulatedAngleBase *>(f->base.get());
    QVERIFY(f->openAnglePage());
    QVERIFY(f->waitForAngleSensor());
    f->ui->pushButtonBLE->click();
    std::swap(f->base, otherBase);
    f->sim = static_cast<SimulatedAngleBase *>(f->base.get());
    QVERIFY(f->openAnglePage());
    QVERIFY(f->waitForAngleSensor());
    QCOMPARE(f->sim->requestsWith(0xE9).size(), 1);

    // Removed right after an entry, with a base that repeats each outcome in four answers: each is told.
    f->sim->statusRepeats = 4;
    const int entered = f->logged("The password bluetooth device is correct");
    runSecurity([](SecurityBLE *dialog) {
        press(dialog, "98765", "Ввести пароль датчика");
        QTest::qWait(200);
        press(dialog, "98765", "Удалить пароль датчика");
    });
    QCOMPARE(f->logged("The password bluetooth device is correct"), entered + 1);
    QTRY_COMPARE_WITH_TIMEOUT(f->angleUpper(), QString("Пароль ВТ датчика успешно удалён"), kOutcomeMs);
    QVERIFY(!f->sim->sensors[0].password);

    // Open through a silence past the watchdog, the dialog sends nothing to the silent base, and says why.
    const int sets = f->sim->countRequests(0xE9);
    const QList<ModalCloser::Seen> silent = runSecurity([this](SecurityBLE *dialog) {
        f->sim->silent = true;
        QVERIFY(QTest::qWaitFor([this] { return !f->kvPage->isDeviceConnected(); }, kOutcomeMs));
        press(dialog, "77", "Установить пароль датчика");
        f->sim->silent = false;
    });
    QCOMPARE(silent.size(), 1);
    QCOMPARE(silent.at(0).texts, QStringList({"Подключите датчик"}));
    QCOMPARE(f->sim->countRequests(0xE9), sets);

    // Set while the base goes on reporting the probe's acceptance: the set's own cannot be told from that run. The
    // sensor took it; the page says it is not confirmed, and no longer shows the sensor open.
    f->sim->statusRepeats = 40;
    f->ui->pushButtonBLE->click();
    QVERIFY(f->openAnglePage());
    QVERIFY(f->waitForAngleSensor());
    runSecurity([](SecurityBLE *dialog) { press(dialog, "1234", "Установить пароль датчика"); });
    QTRY_COMPARE_WITH_TIMEOUT(f->angleUpper(), QString("Установка пароля ВТ датчика не подтверждена"), kOutcomeMs);
    QCOMPARE(f->sim->sensors[0].password.value_or(0), 1234u);
    QVERIFY(f->ui->label_LockKVBLE->isHidden());
}

void TestKvBleLink::slowBaseStillConfirmsTheRightPassword()
{
    f->sim->sensors[0].password = 4321;
    // The base relays each password only after a while and meanwhile goes on
    // reporting the outcome of the one before.
    f->sim->relayDelayMs = 1500;
    f->sim->statusRepeats = 4;
    QVERIFY(f->openAnglePage());
    QVERIFY(f->waitForAngleSensor());
    QVERIFY(lockIs(":/images/lock.png"));

    bool refusedShown = false;
    bool closed = false;
    runSecurity([this, &refusedShown, &closed](SecurityBLE *dialog) {
        press(dialog, "1111", "Ввести пароль датчика");
        refusedShown = QTest::qWaitFor(
            [this] { return f->angleUpper() == QStringLiteral("Введён не верный пароль датчика"); }, kOutcomeMs);
        // Typed again at once: the first refusal is still being reported.
        press(dialog, "4321", "Ввести пароль датчика");
        QPointer<SecurityBLE> alive(dialog);
        closed = QTest::qWaitFor([alive] { return !alive || !alive->isVisible(); }, kOutcomeMs);
    });
    QVERIFY(refusedShown);
    QVERIFY(closed);
    QCOMPARE(f->angleUpper(), QString("Пароль принят"));
    QVERIFY(lockIs(":/images/unlock.png"));
    QVERIFY(f->sim->sensors[0].unlocked);

    // Off and on, the sensor still open: the probe's "no password" would be its new one.
    const int probes = f->sim->countRequests(0xE9);
    f->ui->pushButtonBLE->click();
    QVERIFY(f->openAnglePage());
    QVERIFY(f->waitForAngleSensor());
    QVERIFY(f->kvPage->isPasswordProtected());
    QCOMPARE(f->sim->countRequests(0xE9), probes);
    QCOMPARE(f->sim->sensors[0].password.value_or(0), 4321u);

    // An entry acknowledged only past its answer time, then a wrong-password removal: the late "taken" may be the
    // entry's, so no "no password" goes, and the removal says it is not confirmed.
    f->sim->statusRepeats = 2;
    f->sim->relayDelayMs = f->kvPage->intervals().statusAnswer + 2500;
    f->sim->refusalDelayMs = 3 * f->kvPage->intervals().statusAnswer;
    runSecurity([](SecurityBLE *dialog) { press(dialog, "4321", "Ввести пароль датчика"); });
    QTRY_COMPARE_WITH_TIMEOUT(f->angleUpper(), QString("Беспроводной датчик не ответил"), kOutcomeMs);
    runSecurity([](SecurityBLE *dialog) { press(dialog, "9", "Удалить пароль датчика"); });
    QTRY_COMPARE_WITH_TIMEOUT(f->angleUpper(), QString("Удаление пароля ВТ датчика не подтверждено"), kOutcomeMs);
    QCOMPARE(f->sim->countRequests(0xE9), probes);
    QCOMPARE(f->sim->sensors[0].password.value_or(0), 4321u);
}

void TestKvBleLink::restartForTheUpdaterCountsDownOnce()
{
    QVERIFY(f->openAnglePage());
    QVERIFY(f->waitForAngleSensor());
    QAction *update = f->serviceEntry(QStringLiteral("update"));
    QVERIFY(update);
    update->trigger();
    QCOMPARE(f->ui->stackedWidget->currentWidget(), f->ui->UpdateFWBLE);
    // The base reports the restart in two answers: one countdown, from 30.
    f->sim->statusRepeats = 2;
    f->ui->pushBtnInUpdBLE->click();
    QTRY_COMPARE_WITH_TIMEOUT(f->angleUpper(), QString("Успешная перезагрузка ВТ датчика"), kOutcomeMs);
    QVERIFY(!f->ui->labelTimerUpdFwBLE->isHidden());
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->labelTimerUpdFwBLE->text(), QString("28"), kOutcomeMs);
    QCOMPARE(f->logged("Reboot BLE successfull"), 1);
    QVERIFY(f->kvPage->getCountdown() >= 25);
}

QTEST_MAIN(TestKvBleLink)
#include "tst_kvblelink.moc"
