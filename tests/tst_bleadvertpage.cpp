#include "blewindowfixture.h"
#include "devices/angle/kv380device.h"
#include "devices/ble/adwertdialog.h"
#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bleadwview.h"
#include "dialogsteps.h"
#include "link/frame.h"
#include "modalcloser.h"
#include "shortintervals.h"
#include "simulatedadvertbase.h"
#include "ui/switch.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <memory>

// The advertising mode of the BLE base page end to end: the real main window
// and port, and a simulated base listing up to four wireless sensors. A user
// sees the sensors as cards, connects one into a slot by name and password,
// changes its settings and frees the slot again.
class TestBleAdvertPage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void fourSensorsShowAsCards();
    void connectingASensorFillsItsSlot();
    void slotSettingsChangeThroughTheBase();
    void freeingASlotGreysItsCard();
    void acknowledgementsThatAreNoneFailTheConnection_data();
    void acknowledgementsThatAreNoneFailTheConnection();
    void acknowledgementsAsTheBaseFramesThemConnectAndFree_data();
    void acknowledgementsAsTheBaseFramesThemConnectAndFree();
    void listsAfterASilenceBringTheCardsBackWithoutStatusLines();
    void cardsStayLiveAfterAnotherPage();

private:
    SimulatedAdvertBase *base() const { return static_cast<SimulatedAdvertBase *>(f->base.get()); }
    void openAdvertPage();
    // The watchdog runs, unmuted: a base gone silent is noticed.
    void expectSilenceNoticed();
    BLEAdwView *card(int slot) const { return f->page->cardOf(slot); }
    // Requests with this command, in the order they came.
    QList<QByteArray> sent(quint8 command) const { return f->base->requestsWith(command); }

    std::unique_ptr<BleWindowFixture> f;
};

namespace {

constexpr int kListMs = 6000;
// The page takes what the line brought only every kCheckIntervalAdvertMs in
// this mode, however short the poll, and a list glued to two more takes a
// loaded machine a while to show: the watchdog gives it five such looks (a
// user's gives eight), so that no late look counts the base as gone.
constexpr int kWatchdogMs = 5 * BLEDevice::kCheckIntervalAdvertMs;
// Room for a loaded machine on top of the periods a wait is sized for.
constexpr int kSlackMs = 2000;

QByteArray framed(const char *hex)
{
    return frame::withCrc(QByteArray::fromHex(hex));
}

// The write request a slot command makes: start, address, command, signature, payload, CRC.
QByteArray slotRequest(quint8 address, quint8 command, const QByteArray &payload)
{
    QByteArray body = QByteArray::fromHex("31");
    body.append(char(address));
    body.append(char(command));
    body.append(QByteArray::fromHex("5ac396"));
    body.append(payload);
    return frame::withCrc(body);
}

// A step that leaves the window open until it closes by itself or time runs out.
DialogSteps::Step waitForClose(int ms)
{
    return [ms](QWidget *w) {
        QPointer<QWidget> window(w);
        QVERIFY(QTest::qWaitFor([&window] { return !window || !window->isVisible(); }, ms));
    };
}

} // namespace

void TestBleAdvertPage::init()
{
    f = std::make_unique<BleWindowFixture>(std::make_unique<SimulatedAdvertBase>());
    QVERIFY(f->base->isValid());
    // The list is asked for every poll, and a silence runs out sooner.
    shortintervals::apply(f->page);
    BaseDevice::Intervals periods = f->page->intervals();
    periods.watchdog = kWatchdogMs;
    f->page->setIntervals(periods);
    // The angle sensor page one test passes through on the way back.
    shortintervals::apply(f->window->kv380());
}

void TestBleAdvertPage::cleanup()
{
    f.reset();
}

void TestBleAdvertPage::expectSilenceNoticed()
{
    const int before = f->logged("Device is not responding");
    base()->silent = true;
    QTRY_VERIFY_WITH_TIMEOUT(f->logged("Device is not responding") > before, 2 * kWatchdogMs + kSlackMs);
}

void TestBleAdvertPage::openAdvertPage()
{
    f->ui->comboBox_SerialPort->setCurrentText(f->base->portPath());
    f->ui->pushButtonBLE->click();
    QCOMPARE(f->ui->stackedWidget->currentWidget(), f->ui->ChoiceBLE);
    f->ui->pushButtonChoiceAdvert->click();
    QCOMPARE(f->ui->stackedWidget->currentWidget(), f->ui->BLE_QF410);
    QTRY_VERIFY_WITH_TIMEOUT(!card(0)->isHidden() && card(0)->nameText() == "QF_000123", kListMs);
}

void TestBleAdvertPage::fourSensorsShowAsCards()
{
    SimulatedAdvertBase::AdvertRecord fuel = SimulatedAdvertBase::sensorRecord("QF_000123", 5);
    fuel.rssi = -50;
    fuel.battery = 35;
    fuel.level = 3000;
    fuel.temperature = -7;
    fuel.rangeByte = 0x80;
    base()->place(0, fuel);
    base()->advert[0].slotMask = 0x48; // extra parameters of slots 1 and 4
    SimulatedAdvertBase::AdvertRecord climate = SimulatedAdvertBase::sensorRecord("ZM_000456", 12);
    climate.temperature = 45; // humidity
    climate.level = 215;      // 21.5 degrees
    climate.illuminance = 800;
    climate.pressure = 65538;
    climate.paramSet = 3;
    climate.battery = 123;
    base()->place(1, climate);
    SimulatedAdvertBase::AdvertRecord angle = SimulatedAdvertBase::sensorRecord("KV_000789", 30);
    angle.level = 90;
    angle.rangeByte = 0x80;
    angle.temperature = -12;
    base()->place(2, angle);
    SimulatedAdvertBase::AdvertRecord light = SimulatedAdvertBase::sensorRecord("YQ_000321", 40);
    light.mode = 0xFB; // encrypted
    light.rssi = -82;
    light.battery = 200; // an unsigned byte: the tens of volts are not shown
    base()->place(3, light);
    openAdvertPage();

    // Every second the list is asked for at address 0, nothing else.
    QTRY_VERIFY_WITH_TIMEOUT(f->base->countRequests(0xA6) >= 2, kListMs);
    for (const QByteArray &r : sent(0xA6))
        QCOMPARE(r, framed("3100a6"));
    QCOMPARE(f->base->countRequests(0xF0), 0);

    BLEAdwView *fuelCard = card(0);
    QCOMPARE(fuelCard->rssiText(), QString("-50dB"));
    QCOMPARE(fuelCard->batteryText(), QString("3.5В"));
    QCOMPARE(fuelCard->levelText(), QString("3000"));
    QCOMPARE(fuelCard->getLabelTemper()->text(), QString("-7°C"));
    QCOMPARE(fuelCard->valueCaption(), QString("Уровень"));
    QCOMPARE(fuelCard->getLevelBar()->maximum(), 4095);
    QVERIFY(!fuelCard->getPicDeviceFLS()->isHidden());
    QCOMPARE(fuelCard->getLineEditNetNum()->text(), QString("5,6"));
    QVERIFY(fuelCard->getSwitch()->getState());
    QCOMPARE(fuelCard->connectButton()->text(), QString("Подключить другой"));
    // The linked sensor is changed by linking the base, not freed from its card.
    QVERIFY(fuelCard->disableButton()->isHidden());

    BLEAdwView *climateCard = card(1);
    QCOMPARE(climateCard->nameText(), QString("ZM_000456"));
    QCOMPARE(climateCard->valueCaption(), QString("Влажность"));
    QCOMPARE(climateCard->levelText(), QString("45"));
    QCOMPARE(climateCard->getLabelTemper()->text(), QString("21°C"));
    QCOMPARE(climateCard->illuminanceText(), QString("800"));
    QCOMPARE(climateCard->pressureText(), QString("2"));
    QCOMPARE(climateCard->batteryText(), QString("2.3В"));
    QVERIFY(!climateCard->paramSetChoice()->isHidden());
    QCOMPARE(climateCard->paramSetChoice()->currentIndex(), 3);
    QVERIFY(!climateCard->getPicDeviceTH()->isHidden());
    QVERIFY(climateCard->getPicDeviceFLS()->isHidden());
    QCOMPARE(climateCard->getLineEditNetNum()->text(), QString("12"));
    QVERIFY(!climateCard->getSwitch()->getState());
    QVERIFY(!climateCard->disableButton()->isHidden());

    BLEAdwView *angleCard = card(2);
    QCOMPARE(angleCard->getLevelBar()->maximum(), 180);
    QVERIFY(!angleCard->getPicDeviceKVBLE()->isHidden());
    QVERIFY(angleCard->getPicTemper()->isHidden());
    QVERIFY(!angleCard->getLabelTemper()->isHidden());
    QCOMPARE(angleCard->getLabelTemper()->text(), QString("-12°C"));
    QVERIFY(angleCard->paramSetChoice()->isHidden());

    BLEAdwView *lightCard = card(3);
    QCOMPARE(lightCard->rssiText(), QString("-82dB"));
    QCOMPARE(lightCard->batteryText(), QString("0.0В"));
    QVERIFY(lightCard->isEncryptionShown());
    QVERIFY(!fuelCard->isEncryptionShown());
    QCOMPARE(lightCard->getLineEditNetNum()->text(), QString("40,41"));
    QVERIFY(lightCard->getSwitch()->getState());
    for (int slot = 0; slot < 4; ++slot) {
        QVERIFY(f->page->modelOf(slot)->getFlConnectedDevice());
        QVERIFY(!card(slot)->changeButton()->isHidden());
    }
    // A listed sensor can be calibrated.
    QVERIFY(f->ui->ButtonTarirovka->isEnabled());
}

void TestBleAdvertPage::connectingASensorFillsItsSlot()
{
    SimulatedAdvertBase::Nearby wanted;
    wanted.record = SimulatedAdvertBase::sensorRecord("QF_000777", 20);
    wanted.record.level = 640;
    wanted.password = 4321;
    base()->nearby << wanted;
    base()->refuseConfig = true;
    openAdvertPage();
    BLEAdwView *slot2 = card(1);
    QVERIFY(!slot2->isHidden());
    QCOMPARE(slot2->connectButton()->text(), QString("Подключить датчик"));
    QVERIFY(!slot2->getLineEditNetNum()->isEnabled());

    QString firstAnswer;
    QString secondPress;
    QObject pressing;
    int listsAfterRefusal = 0;
    DialogSteps steps({
        // The base does not take the configuration: the dialog says so and stays.
        DialogSteps::fillAndClick({"QF_000777", "4321"}, "Установить соединение"),
        [&](QWidget *w) {
            auto *dialog = qobject_cast<AdwertDialog *>(w);
            QVERIFY(dialog);
            // It goes with the main window at the latest.
            QVERIFY(f->window->findChildren<AdwertDialog *>().contains(dialog));
            firstAnswer = dialog->messageLabel()->text();
            // The list is polled again after the failure.
            const int lists = f->base->countRequests(0xA6);
            QVERIFY(QTest::qWaitFor([&] { return f->base->countRequests(0xA6) > lists; }, 3000));
            listsAfterRefusal = f->base->countRequests(0xA6) - lists;
            base()->refuseConfig = false;
            // Pressed twice: the second press, once the base has the configuration and before it
            // answered, is refused in the dialog.
            QObject::connect(f->base.get(), &SimulatedDevice::requestReceived, &pressing,
                             [&secondPress, dialog](const QByteArray &request) {
                                 if (!secondPress.isEmpty() || request.size() < 3 || quint8(request.at(2)) != 0xEC)
                                     return;
                                 dialog->connectButton()->click();
                                 secondPress = dialog->messageLabel()->text();
                             });
            DialogSteps::fillAndClick({"QF_000777", "4321"}, "Установить соединение")(w);
        },
        waitForClose(kListMs),
    });
    slot2->connectButton()->click();
    QCOMPARE(firstAnswer, QString("Ошибка подключения"));
    QCOMPARE(secondPress, QString("Дождитесь окончания текущей операции"));
    QVERIFY(listsAfterRefusal > 0);
    QCOMPARE(steps.stepsLeft(), 0);
    QVERIFY(!slot2->connectDialog());

    // Slot 2 switched on with extra parameters at slot 1's address, then the
    // name and password to the slot's own number.
    const QList<QByteArray> configs = sent(0xEC);
    QCOMPARE(configs.size(), 2);
    QCOMPARE(configs.last(), slotRequest(5, 0xEC, QByteArray::fromHex("11")));
    QCOMPARE(sent(0xEA), QList<QByteArray>{slotRequest(20, 0xEA, "QF_000777")});
    QCOMPARE(sent(0xA7), QList<QByteArray>{slotRequest(20, 0xA7, QByteArray::fromHex("000010e1"))});
    QCOMPARE(slot2->nameText(), QString("QF_000777"));
    QCOMPARE(slot2->levelText(), QString("640"));
    QCOMPARE(slot2->connectButton()->text(), QString("Подключить другой"));
    QVERIFY(!slot2->disableButton()->isHidden());
    QVERIFY(slot2->getLineEditNetNum()->isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(slot2->getLineEditNetNum()->text(), QString("20,21"), kListMs);
    QVERIFY(slot2->getSwitch()->getState());
    QCOMPARE(f->logged("Error change config master for adwertizing"), 1);
    QCOMPARE(f->logged("Change config master for adwertizing"), 1);
    // The page kept listening throughout: a base gone silent is noticed.
    expectSilenceNoticed();
}

void TestBleAdvertPage::slotSettingsChangeThroughTheBase()
{
    base()->place(1, SimulatedAdvertBase::sensorRecord("ZM_000456", 12));
    openAdvertPage();
    BLEAdwView *slot2 = card(1);
    QTRY_COMPARE_WITH_TIMEOUT(slot2->nameText(), QString("ZM_000456"), kListMs);

    // What no number is, or no one-byte one, is refused before anything goes out.
    DialogSteps refusals({DialogSteps::accept(), DialogSteps::accept(), DialogSteps::accept(), DialogSteps::accept()});
    for (const char *text : {"", "300", "5,6"}) {
        slot2->getLineEditNetNum()->setText(text);
        slot2->changeButton()->click();
    }
    // One below slot 1's number: that sensor's extra parameters would clash.
    slot2->getLineEditNetNum()->setText("6");
    slot2->changeButton()->click();
    QCOMPARE(refusals.seen.size(), 4);
    QVERIFY(refusals.seen.at(0).texts.contains("Введите число от 0 до 255"));
    QVERIFY(refusals.seen.at(1).texts.contains("Введите число от 0 до 255"));
    QVERIFY(refusals.seen.at(2).texts.contains("Введите число от 0 до 255"));
    QVERIFY(refusals.seen.at(3).texts.contains("Установите другой сетевой адрес"));
    QCOMPARE(f->base->countRequests(0xFB), 0);

    slot2->getLineEditNetNum()->setText("25");
    slot2->changeButton()->click();
    QCOMPARE(sent(0xFB), QList<QByteArray>{slotRequest(12, 0xFB, QByteArray::fromHex("19"))});
    QTRY_COMPARE_WITH_TIMEOUT(f->page->modelOf(1)->getNetNumber(), 25, kListMs);
    QTRY_COMPARE_WITH_TIMEOUT(slot2->getLineEditNetNum()->text(), QString("25"), kListMs);

    // The climate sensor's parameter set goes to its new number.
    QComboBox *sets = slot2->paramSetChoice();
    sets->setCurrentIndex(4);
    emit sets->activated(4);
    QCOMPARE(sent(0xA9), QList<QByteArray>{slotRequest(25, 0xA9, QByteArray::fromHex("04"))});
    QTRY_COMPARE_WITH_TIMEOUT(f->page->modelOf(1)->getParamSet(), quint8(4), kListMs);
    QCOMPARE(sets->currentIndex(), 4);

    // Extra parameters on: the base configuration gets slot 2's bit and keeps it.
    QTest::mouseClick(slot2->getSwitch(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(f->base->countRequests(0xEC), 1, 3000);
    QCOMPARE(sent(0xEC).at(0), slotRequest(5, 0xEC, QByteArray::fromHex("11")));
    QTRY_COMPARE_WITH_TIMEOUT(slot2->getLineEditNetNum()->text(), QString("25,26"), kListMs);
    QVERIFY(slot2->getSwitch()->getState());
    QVERIFY(f->page->modelOf(1)->getFlDopParam());
    QVERIFY(!slot2->getFlUserCmd());
    expectSilenceNoticed();
}

void TestBleAdvertPage::freeingASlotGreysItsCard()
{
    base()->place(2, SimulatedAdvertBase::sensorRecord("QF_000555", 30));
    base()->advert[0].slotMask = 0x22; // slot 3 on, with extra parameters
    openAdvertPage();
    BLEAdwView *slot3 = card(2);
    QTRY_COMPARE_WITH_TIMEOUT(slot3->nameText(), QString("QF_000555"), kListMs);
    QVERIFY(!slot3->disableButton()->isHidden());

    slot3->disableButton()->click();
    QCOMPARE(sent(0xEA), QList<QByteArray>{slotRequest(30, 0xEA, "QF_000000")});
    QCOMPARE(sent(0xEC), QList<QByteArray>{slotRequest(5, 0xEC, QByteArray(1, '\0'))});
    QCOMPARE(slot3->connectButton()->text(), QString("Подключить датчик"));
    QVERIFY(slot3->disableButton()->isHidden());
    QVERIFY(slot3->changeButton()->isHidden());
    QVERIFY(!f->page->modelOf(2)->getFlConnectedDevice());
    // The next lists keep it free and greyed, the other cards as they were.
    const int lists = f->base->countRequests(0xA6);
    QTRY_VERIFY_WITH_TIMEOUT(f->base->countRequests(0xA6) >= lists + 2, kListMs);
    QVERIFY(!f->page->modelOf(2)->getFlConnectedDevice());
    QVERIFY(slot3->changeButton()->isHidden());
    QCOMPARE(card(0)->nameText(), QString("QF_000123"));
    QCOMPARE(f->logged("Change config master for adwertizing"), 1);
}

void TestBleAdvertPage::acknowledgementsThatAreNoneFailTheConnection_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("refused") << -1;
    QTest::newRow("another command") << int(SimulatedAdvertBase::AckFault::OtherCommand);
}

void TestBleAdvertPage::acknowledgementsThatAreNoneFailTheConnection()
{
    QFETCH(int, fault);
    if (fault < 0)
        base()->refuseConfig = true;
    else
        base()->ackFault = SimulatedAdvertBase::AckFault(fault);
    SimulatedAdvertBase::Nearby wanted;
    wanted.record = SimulatedAdvertBase::sensorRecord("QF_000777", 20);
    base()->nearby << wanted;
    openAdvertPage();

    QString answer;
    DialogSteps steps({
        DialogSteps::fillAndClick({"QF_000777", "0"}, "Установить соединение"),
        [&answer](QWidget *w) {
            answer = qobject_cast<AdwertDialog *>(w)->messageLabel()->text();
            DialogSteps::reject()(w);
        },
    });
    card(1)->connectButton()->click();
    QCOMPARE(answer, QString("Ошибка подключения"));
    QCOMPARE(f->base->countRequests(0xEA), 0);
    QCOMPARE(f->base->countRequests(0xA7), 0);
    QVERIFY(!f->page->isConfigAccepted());
    // Polling and the watchdog go on.
    const int lists = f->base->countRequests(0xA6);
    QTRY_VERIFY_WITH_TIMEOUT(f->base->countRequests(0xA6) >= lists + 2, kListMs);
    QVERIFY(!card(0)->isHidden());
    expectSilenceNoticed();
}

void TestBleAdvertPage::acknowledgementsAsTheBaseFramesThemConnectAndFree_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("no CRC of their own") << int(SimulatedAdvertBase::AckFault::BadCrc);
    QTest::newRow("three bytes") << int(SimulatedAdvertBase::AckFault::Truncated);
    QTest::newRow("request start byte") << int(SimulatedAdvertBase::AckFault::WrongStart);
}

void TestBleAdvertPage::acknowledgementsAsTheBaseFramesThemConnectAndFree()
{
    QFETCH(int, fault);
    base()->ackFault = SimulatedAdvertBase::AckFault(fault);
    SimulatedAdvertBase::Nearby wanted;
    wanted.record = SimulatedAdvertBase::sensorRecord("QF_000777", 20);
    base()->nearby << wanted;
    // At a user's poll and watchdog: these rows are about how the base frames
    // its acknowledgements, not about the pace, and a short poll glues more
    // answers into one chunk on a loaded machine.
    const BaseDevice::Intervals user;
    BaseDevice::Intervals periods = f->page->intervals();
    periods.poll = user.poll;
    periods.watchdog = user.watchdog;
    f->page->setIntervals(periods);
    openAdvertPage();
    BLEAdwView *slot2 = card(1);

    DialogSteps steps({
        DialogSteps::fillAndClick({"QF_000777", "0"}, "Установить соединение"),
        waitForClose(kListMs),
    });
    slot2->connectButton()->click();
    QCOMPARE(steps.stepsLeft(), 0);
    QCOMPARE(f->base->countRequests(0xEA), 1);
    QCOMPARE(f->base->countRequests(0xA7), 1);
    QCOMPARE(slot2->nameText(), QString("QF_000777"));
    QCOMPARE(slot2->connectButton()->text(), QString("Подключить другой"));

    slot2->disableButton()->click();
    QCOMPARE(slot2->connectButton()->text(), QString("Подключить датчик"));
    QVERIFY(!f->page->modelOf(1)->getFlConnectedDevice());
    QCOMPARE(f->logged("Change config master for adwertizing"), 2);
    QCOMPARE(f->logged("Error change config master for adwertizing"), 0);
    // The base freed the slot: the next lists keep it so.
    const int lists = f->base->countRequests(0xA6);
    QTRY_VERIFY_WITH_TIMEOUT(f->base->countRequests(0xA6) >= lists + 2, kListMs);
    QCOMPARE(slot2->connectButton()->text(), QString("Подключить датчик"));
}

void TestBleAdvertPage::listsAfterASilenceBringTheCardsBackWithoutStatusLines()
{
    openAdvertPage();
    QVERIFY(f->statusLabelsHidden());
    // Silent for longer than the watchdog: the status lines say why the cards went.
    base()->silent = true;
    QTRY_VERIFY_WITH_TIMEOUT(card(0)->isHidden() && !f->statusLabelsHidden(), 2 * kWatchdogMs + kSlackMs);
    QCOMPARE(f->lowerStatus(), QString("Подключите датчик"));

    base()->silent = false;
    QTRY_VERIFY_WITH_TIMEOUT(!card(0)->isHidden(), kListMs);
    const int lists = f->base->countRequests(0xA6);
    QTRY_VERIFY_WITH_TIMEOUT(f->base->countRequests(0xA6) >= lists + 2, kListMs);
    QVERIFY(!card(0)->isHidden());
    // Nothing stands over the cards.
    QVERIFY(f->statusLabelsHidden());
}

void TestBleAdvertPage::cardsStayLiveAfterAnotherPage()
{
    // The base itself is chosen: its firmware tells the page to list sensors.
    QVERIFY(f->openPage());
    QTRY_VERIFY_WITH_TIMEOUT(!card(0)->isHidden() && card(0)->nameText() == "QF_000123", kListMs);
    {
        // The angle sensor page may find the base's answers not its own and say so.
        ModalCloser closer;
        f->ui->pushButtonKV380->click();
        QCOMPARE(f->ui->stackedWidget->currentWidget(), f->ui->KV380);
        QVERIFY(f->openPage());
    }

    // Back in the advertising mode: the list is polled, the sensor itself no more.
    QTRY_VERIFY_WITH_TIMEOUT(!card(0)->isHidden() && card(0)->nameText() == "QF_000123", kListMs);
    int lists = f->base->countRequests(0xA6);
    QTRY_VERIFY_WITH_TIMEOUT(f->base->countRequests(0xA6) >= lists + 1, kListMs);
    const int data = f->base->countRequests(0xF0);
    lists = f->base->countRequests(0xA6);
    QTRY_VERIFY_WITH_TIMEOUT(f->base->countRequests(0xA6) >= lists + 2, kListMs);
    QCOMPARE(f->base->countRequests(0xF0), data);
    // The cards follow the base and stand clean.
    base()->advert[0].level = 901;
    QTRY_COMPARE_WITH_TIMEOUT(card(0)->levelText(), QString("901"), kListMs);
    QCOMPARE(card(0)->connectButton()->text(), QString("Подключить другой"));
    QVERIFY(f->statusLabelsHidden());
}

QTEST_MAIN(TestBleAdvertPage)
#include "tst_bleadvertpage.moc"
