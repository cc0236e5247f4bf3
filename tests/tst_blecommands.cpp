#include "blewindowfixture.h"
#include "link/frame.h"
#include "shortintervals.h"

#include <memory>

// Commands relayed through the USB base to the linked sensor, end to end:
// the Empty/Full calibration, the restart into the update mode and the
// password row of the service menu.
class TestBleCommands : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void autoCalibrationWritesEmptyThenFull();
    void updateEntryRestartsTheSensorWithACountdown();
    void securityRowRefusesWrongAndEmptyPasswords();

private:
    void openSensor();

    std::unique_ptr<BleWindowFixture> f;
};

namespace {

// A command's outcome comes with one of the next 1 s polls, after the base's
// own reports; room for a loaded machine on top.
constexpr int kOutcomeMs = 8000;

quint32 payload(const QByteArray &frame)
{
    quint32 value = 0;
    for (int i = 6; i < 10; ++i)
        value = (value << 8) | quint8(frame.at(i));
    return value;
}

} // namespace

void TestBleCommands::init()
{
    f = std::make_unique<BleWindowFixture>();
    QVERIFY(f->base->isValid());
    BleWindowFixture::quickStatusAnswers(f->page);
}

void TestBleCommands::cleanup()
{
    f.reset();
}

void TestBleCommands::openSensor()
{
    QVERIFY(f->openPage());
    QVERIFY(f->waitForSensor());
}

void TestBleCommands::autoCalibrationWritesEmptyThenFull()
{
    f->base->sensor.current = 15000;
    f->base->sensor.temperature = 21;
    openSensor();
    QSignalSpy fullShown(f->page, &BLEDevice::signalUpdateFullValForAutocalib);
    {
        BaseDevice::Procedure run(f->page);
        f->page->autoCalibrateFullEmptyBLE(run);
    }

    const QList<QByteArray> empties = f->base->requestsWith(0xED);
    const QList<QByteArray> fulls = f->base->requestsWith(0xEC);
    QCOMPARE(empties.size(), 1);
    QCOMPARE(fulls.size(), 1);
    // 15000 - 6 * 21 + 100, and 2 * 15000 - 9770 - 21 * (6 - 15000 / 2400).
    QCOMPARE(payload(empties.at(0)), 14974u);
    QCOMPARE(payload(fulls.at(0)), 20230u);
    qint64 emptyAt = 0, fullAt = 0;
    for (const SimulatedDevice::Request &r : f->base->requests()) {
        if (r.bytes == empties.at(0))
            emptyAt = r.msecs;
        if (r.bytes == fulls.at(0))
            fullAt = r.msecs;
    }
    QVERIFY2(fullAt - emptyAt >= 4500, qPrintable(QString::number(fullAt - emptyAt)));
    QCOMPARE(f->base->sensor.empty, 14974u);
    QCOMPARE(f->base->sensor.full, 20230u);
    // The next answer brings the new Full value; the dialog is told.
    QVERIFY(fullShown.count() >= 1);
    QCOMPARE(f->page->getFullValue(), 20230u);
    QTRY_COMPARE_WITH_TIMEOUT(f->page->getEmptyValue(), 14974u, 3000);
    QCOMPARE(f->logged("Calibrate BLE successull"), 1);
}

void TestBleCommands::updateEntryRestartsTheSensorWithACountdown()
{
    openSensor();
    QAction *update = f->serviceEntry("update");
    QVERIFY(update);
    update->trigger();
    QCOMPARE(f->ui->stackedWidget->currentWidget(), f->ui->UpdateFWBLE);
    QVERIFY(!f->ui->pushBtnInUpdBLE->isHidden());
    f->ui->pushBtnInUpdBLE->click();
    QCOMPARE(f->base->countRequests(0xE6), 1);
    QCOMPARE(f->base->requestsWith(0xE6).at(0).toHex(), frame::withCrc(QByteArray::fromHex("3103e65ac396")).toHex());
    QVERIFY(f->ui->labelMsgUpdBLE->text().startsWith("Сейчас датчик будет перезагружен"));
    QVERIFY(!f->ui->labelMsgUpdBLE->isHidden());
    QCOMPARE(f->logged("Start update firmware BLE"), 1);
    // The base reports the restart: a 30 s countdown for the phone's updater.
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Успешная перезагрузка ВТ датчика"), kOutcomeMs);
    QVERIFY(!f->ui->labelTimerUpdFwBLE->isHidden());
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->labelTimerUpdFwBLE->text(), QString("29"), kOutcomeMs);
    QVERIFY(f->ui->labelMsgUpdBLE->text().startsWith("Если по истечении таймера"));
    QCOMPARE(f->logged("Reboot BLE successfull"), 1);
    f->ui->pushBtnUpdateFWBackBLE->click();
    QCOMPARE(f->ui->stackedWidget->currentWidget(), f->ui->BLE_QF410);
}

void TestBleCommands::securityRowRefusesWrongAndEmptyPasswords()
{
    f->base->sensor.password = 777;
    // Opened while the probe's refusal is on its way, the dialog waits for it, then asks for the password.
    f->base->refusalDelayMs = 2500;
    QVERIFY(f->openPage());
    QTRY_COMPARE_WITH_TIMEOUT(f->base->countRequests(0xE9), 1, BleWindowFixture::kConnectMs);
    QList<ModalCloser::Seen> seen = f->runSecurityRow("778", "Ввести пароль датчика");
    f->base->refusalDelayMs.reset();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(f->base->countRequests(0xE8), 1);
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Введён не верный пароль датчика"), kOutcomeMs);
    QVERIFY(f->page->isPasswordProtected());
    QVERIFY(!f->page->getAcceptedPassword());

    // An empty field: the dialog says why, and nothing goes to the sensor.
    seen = f->runSecurityRow(QString(), "Ввести пароль датчика");
    QCOMPARE(seen.size(), 2);
    QVERIFY(seen.at(0).texts.contains("Введите пароль: число от 0 до 2147483647"));
    QCOMPARE(seen.at(1).className, QString("SecurityBLE"));
    QCOMPARE(f->base->countRequests(0xE8), 1);

    // Entered with its report lost, a password was taken all the same: no probe follows off and on.
    f->base->statusRepeats = 0;
    f->runSecurityRow("777", "Ввести пароль датчика");
    f->base->statusRepeats = 2;
    const int probes = f->base->countRequests(0xE9);
    f->ui->pushButtonBLE->click();
    openSensor();
    QTRY_VERIFY_WITH_TIMEOUT(f->page->isPasswordProtected(), kOutcomeMs);
    QCOMPARE(f->base->countRequests(0xE9), probes);

    // Opened with it, the sensor keeps it when a removal names another.
    f->runSecurityRow("777", "Ввести пароль датчика");
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Пароль принят"), kOutcomeMs);
    const int sets = f->base->countRequests(0xE9);
    f->runSecurityRow("778", "Удалить пароль датчика");
    QCOMPARE(f->base->countRequests(0xE9), sets);
    QCOMPARE(f->upperStatus(), QString("Введён не верный пароль датчика"));
    QVERIFY(f->base->sensor.password == 777u);

    // Polled often, a refusal reported around the end of the removal's wait keeps "no password" back too.
    shortintervals::apply(f->page);
    f->ui->pushButtonBLE->click();
    openSensor();
    for (int late : {1900, 2000, 2100}) {
        QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Связь с беспроводным датчиком установлена"), kOutcomeMs);
        f->base->relayDelayMs = late;
        f->runSecurityRow("778", "Удалить пароль датчика");
        QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Введён не верный пароль датчика"), kOutcomeMs);
        QCOMPARE(f->base->countRequests(0xE9), sets);
        QVERIFY(f->base->sensor.password == 777u);
    }
    f->base->relayDelayMs = 0;

    // The right one removes the password.
    f->runSecurityRow("777", "Удалить пароль датчика");
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Пароль ВТ датчика успешно удалён"), kOutcomeMs);
    QVERIFY(!f->base->sensor.password);
    QVERIFY(!f->page->isPasswordProtected());
    QCOMPARE(f->logged("Password successfully delete"), 1);

    // Entered before the sensor's serial came, a password counts for it once the serial comes: no probe off and on.
    f->base->sensor.password = 555;
    f->base->sensor.unlocked = false;
    f->base->identitySilent = true;
    f->ui->pushButtonBLE->click();
    openSensor();
    f->runSecurityRow("555", "Ввести пароль датчика");
    f->base->identitySilent = false;
    const int sent = f->base->countRequests(0xE9);
    f->ui->pushButtonBLE->click();
    // Another converter's base, its sensor of another serial in the same place, on and off: it does not take it.
    auto other = std::make_unique<SimulatedBase>();
    other->serial = 55555;
    qputenv(portlist::kExtraPortsVariable, (f->base->portPath() + ":" + other->portPath()).toLocal8Bit());
    f->window->updateSerialPorts();
    std::swap(f->base, other);
    openSensor();
    QTRY_COMPARE_WITH_TIMEOUT(f->page->getSensorSerial(), 55555, kOutcomeMs);
    f->ui->pushButtonBLE->click();
    std::swap(f->base, other);
    openSensor();
    QTRY_VERIFY_WITH_TIMEOUT(f->page->isPasswordProtected(), kOutcomeMs);
    QCOMPARE(f->base->countRequests(0xE9), sent);

    // Entered, and removed with a wrong one while the entry's acceptance is late: the refusal, 2.2 s late, is its own.
    f->base->relayDelayMs = 400;
    f->base->refusalDelayMs = 2200;
    f->runSecurityRow("555", "Ввести пароль датчика", "9", "Удалить пароль датчика");
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Введён не верный пароль датчика"), kOutcomeMs);
    QCOMPARE(f->base->countRequests(0xE9), sent);
    QVERIFY(f->base->sensor.password == 555u);

    // Removed as soon as the entry is told taken, with a base that repeats each outcome in five answers.
    f->base->relayDelayMs = 0;
    f->base->statusRepeats = 5;
    f->runSecurityRow("555", "Ввести пароль датчика");
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Пароль принят"), kOutcomeMs);
    f->runSecurityRow("555", "Удалить пароль датчика");
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Пароль ВТ датчика успешно удалён"), kOutcomeMs);
    QVERIFY(!f->base->sensor.password);

    // An entry acknowledged only past its answer time, then a wrong-password removal: the late "taken" may be the
    // entry's, so no "no password" goes, and the removal says it is not confirmed.
    f->base->sensor.password = 555;
    f->base->sensor.unlocked = false;
    f->base->statusRepeats = 2;
    f->ui->pushButtonBLE->click();
    openSensor();
    f->base->relayDelayMs = f->page->intervals().statusAnswer + 2500;
    f->base->refusalDelayMs = 3 * f->page->intervals().statusAnswer;
    f->runSecurityRow("555", "Ввести пароль датчика");
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Беспроводной датчик не ответил"), kOutcomeMs);
    const int removals = f->base->countRequests(0xE9);
    f->runSecurityRow("9", "Удалить пароль датчика");
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Удаление пароля ВТ датчика не подтверждено"), kOutcomeMs);
    QCOMPARE(f->base->countRequests(0xE9), removals);
    QVERIFY(f->base->sensor.password == 555u);

    // Another run: entered before the serial came, then its converter unplugged and plugged again with an open
    // sensor. That one is not probed, nor shown protected or locked, and takes a new password, its status coming past
    // the answer time: told not answered, then set.
    f.reset();
    f = std::make_unique<BleWindowFixture>();
    BleWindowFixture::quickStatusAnswers(f->page);
    f->base->sensor.password = 555;
    f->base->identitySilent = true;
    openSensor();
    f->runSecurityRow("555", "Ввести пароль датчика");
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Пароль принят"), kOutcomeMs);
    auto again = std::make_unique<SimulatedBase>();
    f->base->hangUp();
    QTRY_VERIFY_WITH_TIMEOUT(!f->window->port()->getSerialPort()->isOpen(), kOutcomeMs);
    qputenv(portlist::kExtraPortsVariable, again->portPath().toLocal8Bit());
    f->window->updateSerialPorts();
    std::swap(f->base, again);
    QVERIFY(f->openPage());
    QTRY_VERIFY_WITH_TIMEOUT(f->page->sensorProtection()->is(SensorProtection::State::Uncertain), kOutcomeMs);
    QVERIFY(f->ui->label_LockBLE_BLE->isHidden());
    f->base->relayDelayMs = f->page->intervals().statusAnswer + 1500;
    f->runSecurityRow("1234", "Установить пароль датчика");
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Беспроводной датчик не ответил"), kOutcomeMs);
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Новый пароль ВТ датчика успешно установлен"), kOutcomeMs);
    QCOMPARE(f->base->requestsWith(0xE9).size(), 1);
    QVERIFY(f->base->sensor.password == 1234u);
    QVERIFY(!f->ui->label_LockBLE_BLE->isHidden());
}

QTEST_MAIN(TestBleCommands)
#include "tst_blecommands.moc"
