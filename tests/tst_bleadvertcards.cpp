#include "deruvivuriri_form.h"
#include "devices/ble/adwertdialog.h"
#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bleadwview.h"
#include "devices/ble/bledevice.h"
#include "link/frame.h"
#include "pagefixture.h"
#include "resources/bundle.h"
#include "silencewatch.h"
#include "simulatedadvertbase.h"
#include "ui/switch.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

// The advertising cards on a real form, fed list answers and acknowledgements
// directly: what a card shows of its model, how the list answers refresh the
// cards, which acknowledgements count, and the connect dialog on its own.
class TestBleAdvertCards : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void cardShowsItsSensorsFamily_data();
    void cardShowsItsSensorsFamily();
    void switchFollowsTheListOnlyWhileTheCardWaitsForIt();
    void cardsAreNumberedPerPage();
    void listAnswerRefreshesTheCards();
    void acknowledgementsAreToldByTheirCommandByte_data();
    void acknowledgementsAreToldByTheirCommandByte();
    void listAndAcknowledgementGluedAreBothTaken();
    void malformedListsLeaveTheCardsAsTheyWere_data();
    void malformedListsLeaveTheCardsAsTheyWere();
    void connectDialogClosesOnlyOnTheSensorAskedFor();
    void aStaleAcknowledgementDoesNotPassForTheNextOne();
    void cardsComeBackWhenASilentBaseAnswersAgain();

    void dialogCompletesATypedPrefix();
    void dialogAcceptsOnlyNamesOfTheFamilies_data();
    void dialogAcceptsOnlyNamesOfTheFamilies();
    void dialogSendsTheNameAsTypedAndRefusesNoPassword_data();
    void dialogSendsTheNameAsTypedAndRefusesNoPassword();
    void dialogSaysWhenNothingCameInTime();

private:
    void feed(const QByteArray &chunk) { fixture->feed(chunk); }
    // A list answer of four records, slot 1 first.
    static QByteArray list(const QList<SimulatedBase::AdvertRecord> &records);

    std::unique_ptr<PageFixture<BLEDevice>> fixture;
    BLEDevice *page = nullptr;
};

namespace {

QByteArray framed(const char *hex)
{
    return frame::withCrc(QByteArray::fromHex(hex));
}

// The colour the user sees the card's sensor name in.
QColor nameColour(BLEAdwView *card)
{
    for (QLabel *label : card->findChildren<QLabel *>())
        if (label->text() == card->nameText()) {
            label->ensurePolished();
            return label->palette().color(QPalette::WindowText);
        }
    return {};
}

SimulatedBase::AdvertRecord sensor(const QByteArray &name, quint8 netNumber)
{
    return SimulatedAdvertBase::sensorRecord(name, netNumber);
}

} // namespace

QByteArray TestBleAdvertCards::list(const QList<SimulatedBase::AdvertRecord> &records)
{
    QByteArray body = QByteArray::fromHex("3e00a6");
    for (int slot = 0; slot < 4; ++slot)
        body +=
            SimulatedBase::recordBytes(slot < records.size() ? records.at(slot) : SimulatedAdvertBase::freeSlot(slot));
    return frame::withCrc(body);
}

void TestBleAdvertCards::initTestCase()
{
    initResourceBundle();
}

void TestBleAdvertCards::init()
{
    fixture = std::make_unique<PageFixture<BLEDevice>>();
    page = fixture->page.get();
    page->setAdvertMode(true);
}

void TestBleAdvertCards::cleanup()
{
    fixture.reset();
    page = nullptr;
}

void TestBleAdvertCards::cardShowsItsSensorsFamily_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("rangeByte");
    QTest::addColumn<int>("paramSet");
    QTest::addColumn<int>("battery");
    QTest::addColumn<int>("levelMax");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("choice"); // -1: no choice shown
    QTest::addColumn<QString>("batteryText");
    QTest::newRow("fuel, wide range") << QByteArray("QF_000001") << 0x80 << 0 << 35 << 4095 << "Уровень" << -1
                                      << "3.5В";
    QTest::newRow("fuel, narrow range") << QByteArray("QF_000001") << 0x7F << 0 << 0 << 1023 << "Уровень" << -1
                                        << "0.0В";
    // An angle sensor's scale is half a turn, whatever the range bit.
    QTest::newRow("angle") << QByteArray("KV_000001") << 0x80 << 0 << 36 << 180 << "Уровень" << -1 << "3.6В";
    // The volts' tens digit is not shown.
    QTest::newRow("climate, set 5") << QByteArray("ZM_000001") << 0 << 5 << 123 << 1023 << "Влажность" << 5 << "2.3В";
    QTest::newRow("climate, set 0") << QByteArray("ZM_000001") << 0 << 0 << 30 << 1023 << "Влажность" << 0 << "3.0В";
    QTest::newRow("climate, set 6") << QByteArray("ZM_000001") << 0 << 6 << 30 << 1023 << "Влажность" << 0 << "3.0В";
}

void TestBleAdvertCards::cardShowsItsSensorsFamily()
{
    QFETCH(QByteArray, name);
    QFETCH(int, rangeByte);
    QFETCH(int, paramSet);
    QFETCH(int, battery);
    QFETCH(int, levelMax);
    QFETCH(QString, caption);
    QFETCH(int, choice);
    QFETCH(QString, batteryText);
    SimulatedBase::AdvertRecord r = sensor(name, 12);
    r.rangeByte = quint8(rangeByte);
    r.paramSet = quint8(paramSet);
    r.battery = quint8(battery);
    r.temperature = 44;
    r.level = 170;
    BLEAdwModel model;
    model.setParamRecord(SimulatedBase::recordBytes(r));
    BLEAdwView *card = page->getAdwView2();
    card->setModel(&model);
    QCOMPARE(card->getLevelBar()->maximum(), levelMax);
    QCOMPARE(card->getLevelBar()->value(), 170);
    QCOMPARE(card->nameText(), QString::fromLatin1(name));
    QCOMPARE(card->valueCaption(), caption);
    QCOMPARE(card->batteryText(), batteryText);
    QCOMPARE(card->paramSetChoice()->isHidden(), choice < 0);
    if (choice >= 0) {
        QCOMPARE(card->paramSetChoice()->currentIndex(), choice);
        QCOMPARE(card->levelText(), QString("44"));
        QCOMPARE(card->getLabelTemper()->text(), QString("17°C"));
    } else {
        QCOMPARE(card->levelText(), QString("170"));
        QCOMPARE(card->getLabelTemper()->text(), QString("44°C"));
    }

    // An emptied model shows no name and the level layout.
    model.resetFlConnectedDevice();
    card->setModel(&model);
    QCOMPARE(card->valueCaption(), QString("Уровень"));
    QVERIFY(card->paramSetChoice()->isHidden());
    QVERIFY(card->nameText().trimmed().remove(QChar(0)).isEmpty());
}

void TestBleAdvertCards::switchFollowsTheListOnlyWhileTheCardWaitsForIt()
{
    BLEAdwView *card = page->getAdwView3();
    card->setFlRefresh(false);
    card->setEnableViewDopParam(true);
    QVERIFY(!card->getSwitch()->getState());
    card->setFlRefresh(true);
    QSignalSpy requests(card, &BLEAdwView::signalEnableDopParam);
    card->setEnableViewDopParam(true);
    QVERIFY(card->getSwitch()->getState());
    // Following the list is no request of the user's.
    QCOMPARE(requests.count(), 0);
    QVERIFY(!card->getFlUserCmd());
}

void TestBleAdvertCards::cardsAreNumberedPerPage()
{
    for (int slot = 0; slot < 4; ++slot)
        QCOMPARE(page->cardOf(slot)->getCurDeviceWidget(), slot);
    // A fifth card on the same page shares the last number; another page starts again.
    BLEAdwView fifth(fixture->ui.get(), page->getAdwView1()->parentWidget());
    QCOMPARE(fifth.getCurDeviceWidget(), 3);
    PageFixture<BLEDevice> other;
    QCOMPARE(other.page->getAdwView1()->getCurDeviceWidget(), 0);
    QCOMPARE(other.page->getAdwView4()->getCurDeviceWidget(), 3);
}

void TestBleAdvertCards::listAnswerRefreshesTheCards()
{
    SimulatedBase::AdvertRecord linked = sensor("QF_000123", 5);
    linked.mode = 31;
    linked.slotMask = 0x48; // extra parameters of slots 1 and 4
    SimulatedBase::AdvertRecord encrypted = sensor("YQ_000002", 40);
    encrypted.mode = 0xFA;
    SimulatedBase::AdvertRecord notEncrypted = sensor("KV_000003", 30);
    notEncrypted.mode = 0xF9;
    feed(list({linked, SimulatedAdvertBase::freeSlot(1), notEncrypted, encrypted}));

    QVERIFY(!page->getAdwView1()->isHidden());
    QCOMPARE(page->getAdwView1()->connectButton()->text(), QString("Подключить другой"));
    QCOMPARE(page->getAdwView1()->getLineEditNetNum()->text(), QString("5,6"));
    QVERIFY(page->getAdwView4()->isEncryptionShown());
    QVERIFY(!page->getAdwView3()->isEncryptionShown());
    QCOMPARE(page->getAdwView4()->getLineEditNetNum()->text(), QString("40,41"));
    QCOMPARE(page->getAdwView3()->getLineEditNetNum()->text(), QString("30"));
    QVERIFY(page->getAdwView4()->getSwitch()->getState());
    QVERIFY(!page->getAdwView3()->getSwitch()->getState());
    // The free slot is shown greyed, ready for a sensor.
    QVERIFY(!page->getAdwView2()->isHidden());
    QCOMPARE(page->getAdwView2()->connectButton()->text(), QString("Подключить датчик"));
    QVERIFY(page->getAdwView2()->changeButton()->isHidden());
    QVERIFY(!page->getAdwView2()->getLineEditNetNum()->isEnabled());
    QCOMPARE(page->getAdwView2()->getLineEditNetNum()->text(), QString("20"));

    // The user edits a shown card's number: later lists leave the field alone.
    page->getAdwView3()->getLineEditNetNum()->setText("33");
    feed(list({linked, SimulatedAdvertBase::freeSlot(1), notEncrypted, encrypted}));
    QCOMPARE(page->getAdwView3()->getLineEditNetNum()->text(), QString("33"));

    // A sensor that leaves its slot greys its card again; slot 1's number goes on.
    feed(list({linked, SimulatedAdvertBase::freeSlot(1), SimulatedAdvertBase::freeSlot(2), encrypted}));
    QCOMPARE(page->getAdwView3()->connectButton()->text(), QString("Подключить датчик"));
    QVERIFY(page->getAdwView3()->disableButton()->isHidden());
    QVERIFY(page->getAdwView3()->changeButton()->isHidden());
    QCOMPARE(page->getAdwView3()->getLineEditNetNum()->text(), QString("30"));
    QCOMPARE(page->getAdwView4()->getLineEditNetNum()->text(), QString("40,41"));
    QCOMPARE(nameColour(page->getAdwView3()), nameColour(page->getAdwView2()));
    QVERIFY(nameColour(page->getAdwView3()) != nameColour(page->getAdwView4()));

    // Back in its slot, the sensor's card takes the shown colour again.
    feed(list({linked, SimulatedAdvertBase::freeSlot(1), notEncrypted, encrypted}));
    QCOMPARE(page->getAdwView3()->connectButton()->text(), QString("Подключить другой"));
    QCOMPARE(nameColour(page->getAdwView3()), nameColour(page->getAdwView4()));
}

void TestBleAdvertCards::acknowledgementsAreToldByTheirCommandByte_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("configAccepted");
    QTest::addColumn<bool>("nameAccepted");
    QTest::newRow("configuration") << framed("3e05ec") << true << false;
    QTest::newRow("name") << framed("3e148a") << false << true;
    // The base does not frame these two: start byte and CRC-8 are not looked at.
    QTest::newRow("configuration, bad CRC") << QByteArray::fromHex("3e05ec00") << true << false;
    QTest::newRow("configuration, no CRC") << QByteArray::fromHex("3e05ec") << true << false;
    QTest::newRow("configuration, request start") << framed("3105ec") << true << false;
    QTest::newRow("name, bad CRC") << QByteArray::fromHex("3e148a00") << false << true;
    QTest::newRow("name, two bytes") << QByteArray::fromHex("3e8a") << false << false;
    QTest::newRow("other command") << framed("3e05ee") << false << false;
}

void TestBleAdvertCards::acknowledgementsAreToldByTheirCommandByte()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, configAccepted);
    QFETCH(bool, nameAccepted);
    // The session's first list sets the cards up; what follows is looked at alone.
    feed(list({sensor("QF_000123", 5), sensor("QF_000222", 20)}));
    BLEAdwView *card = page->getAdwView2();
    card->setFlRefresh(false);
    card->setFlUserCmd(true);
    feed(answer);
    QCOMPARE(page->isConfigAccepted(), configAccepted);
    QCOMPARE(page->isNameAccepted(), nameAccepted);
    // An acknowledgement ends the card's wait and has it follow the next list.
    QCOMPARE(card->getFlUserCmd(), !(configAccepted || nameAccepted));
    QCOMPARE(card->getFlRefresh(), configAccepted || nameAccepted);
}

void TestBleAdvertCards::listAndAcknowledgementGluedAreBothTaken()
{
    feed(list({sensor("QF_000123", 5), sensor("QF_000222", 20)}) + framed("3e05ec"));
    QVERIFY(page->isConfigAccepted());
    QCOMPARE(page->getAdwView2()->nameText(), QString("QF_000222"));
    feed(framed("3e148a") + list({sensor("QF_000123", 5), sensor("QF_000333", 20)}));
    QVERIFY(page->isNameAccepted());
    QCOMPARE(page->getAdwView2()->nameText(), QString("QF_000333"));
}

void TestBleAdvertCards::malformedListsLeaveTheCardsAsTheyWere_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("bad CRC") << "crc";
    QTest::newRow("cut short") << "short";
    QTest::newRow("one record") << "record";
    QTest::newRow("request start") << "start";
}

void TestBleAdvertCards::malformedListsLeaveTheCardsAsTheyWere()
{
    QFETCH(QString, fault);
    feed(list({sensor("QF_000123", 5), sensor("QF_000222", 20)}));
    QCOMPARE(page->getAdwView2()->nameText(), QString("QF_000222"));
    QByteArray bad = list({sensor("QF_000123", 5), sensor("QF_000999", 21)});
    if (fault == "crc")
        bad[bad.size() - 1] = char(bad.at(bad.size() - 1) ^ 0x01);
    else if (fault == "short")
        bad = frame::withCrc(bad.left(100));
    else if (fault == "record")
        bad = frame::withCrc(QByteArray::fromHex("3e00a6") + SimulatedBase::recordBytes(sensor("QF_000999", 21)));
    else
        bad = frame::withCrc(QByteArray::fromHex("31") + bad.mid(1, bad.size() - 2));
    feed(bad);
    QCOMPARE(page->getAdwView2()->nameText(), QString("QF_000222"));
    QCOMPARE(page->getAdwModel2()->getNetNumber(), 20);
    QCOMPARE(page->getAdwView2()->connectButton()->text(), QString("Подключить другой"));
}

void TestBleAdvertCards::connectDialogClosesOnlyOnTheSensorAskedFor()
{
    feed(list({sensor("QF_000123", 5), sensor("QF_000222", 20)}));
    BLEAdwView *card = page->getAdwView2();
    QSignalSpy asked(card, &BLEAdwView::signalToMainToConnectDevice);
    // The page's own command would wait for a base; only the card is tried here.
    disconnect(card, &BLEAdwView::signalToMainToConnectDevice, page, &BLEDevice::recieveStringFromDialog);
    bool stayedOpen = false;
    bool closed = false;
    QObject user;
    QTimer::singleShot(0, &user, [&] {
        QPointer<AdwertDialog> dialog = card->connectDialog();
        QVERIFY(dialog);
        // The slot's present sensor is heard while the user types.
        feed(list({sensor("QF_000123", 5), sensor("QF_000222", 20)}));
        dialog->numberField()->setText("qf_000777");
        dialog->passwordField()->setText("12");
        dialog->connectButton()->click();
        feed(list({sensor("QF_000123", 5), sensor("QF_000222", 20)}));
        stayedOpen = dialog && dialog->isVisible();
        // The sensor asked for arrives.
        feed(list({sensor("QF_000123", 5), sensor("QF_000777", 20)}));
        closed = dialog && !dialog->isVisible() && dialog->result() == QDialog::Accepted;
        if (dialog && dialog->isVisible())
            dialog->reject();
    });
    card->connectButton()->click();
    QVERIFY(stayedOpen);
    QVERIFY(closed);
    QCOMPARE(asked.count(), 1);
    QCOMPARE(asked.at(0).at(0).toString(), QString("qf_000777"));
    QCOMPARE(asked.at(0).at(1).toInt(), 12);
    QCOMPARE(asked.at(0).at(2).toInt(), 1);
}

void TestBleAdvertCards::aStaleAcknowledgementDoesNotPassForTheNextOne()
{
    silencewatch::shortenWatchdog(page, 300);
    page->connectDevice(); // the page listens only inside a session
    feed(list({sensor("QF_000123", 5), sensor("QF_000222", 20)}));
    QSignalSpy sent(page, &BLEDevice::writeData);
    QSignalSpy logs(page, &BLEDevice::signalWriteLog);
    // An acknowledgement nobody waited for, then a configuration the base never answers.
    feed(framed("3e05ec"));
    QVERIFY(page->isConfigAccepted());
    QVERIFY(!page->enableDopParamAdwert(1, true, true));
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toByteArray(), frame::withCrc(QByteArray::fromHex("3105ec5ac39611")));
    QCOMPARE(logs.count(), 1);
    QCOMPARE(logs.at(0).at(0).toString(), QString("Error change config master for adwertizing"));
    // The page goes on listening: the silence after it is noticed.
    silencewatch::Watch watch(page);
    QVERIFY(watch.noticedWithin(3000));
}

void TestBleAdvertCards::cardsComeBackWhenASilentBaseAnswersAgain()
{
    feed(list({sensor("QF_000123", 5), sensor("QF_000222", 20)}));
    QVERIFY(!page->getAdwView2()->isHidden());
    // The watchdog's turn: the base was silent too long.
    page->resetDeviceIsConnected();
    for (int slot = 0; slot < 4; ++slot)
        QVERIFY(page->cardOf(slot)->isHidden());
    feed(list({sensor("QF_000123", 5), sensor("QF_000222", 20)}));
    for (int slot = 0; slot < 4; ++slot)
        QVERIFY(!page->cardOf(slot)->isHidden());
    QCOMPARE(page->getAdwView2()->connectButton()->text(), QString("Подключить другой"));
    QVERIFY(page->getAdwView2()->getLineEditNetNum()->isEnabled());
    QCOMPARE(page->getAdwView3()->connectButton()->text(), QString("Подключить датчик"));
}

// ---- The connect dialog on its own ---------------------------------------------------

void TestBleAdvertCards::dialogCompletesATypedPrefix()
{
    AdwertDialog dialog;
    QLineEdit *number = dialog.numberField();
    QTest::keyClicks(number, "qf");
    QCOMPARE(number->text(), QString("QF_"));
    QTest::keyClicks(number, "000123");
    QCOMPARE(number->text(), QString("QF_000123"));
    // Back to a first letter: the next prefix completes again.
    number->selectAll();
    QTest::keyClicks(number, "K");
    QTest::keyClicks(number, "v");
    QCOMPARE(number->text(), QString("KV_"));
    // Emptied at once, the field keeps the flag: a prefix pasted in stays as it came.
    number->selectAll();
    QTest::keyClick(number, Qt::Key_Delete);
    number->insert("zm");
    QCOMPARE(number->text(), QString("zm"));
}

void TestBleAdvertCards::dialogAcceptsOnlyNamesOfTheFamilies_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("state");
    QTest::newRow("whole name") << "QF_123456" << int(QValidator::Acceptable);
    // A record's name holds six digits: a longer one could never be seen connected.
    QTest::newRow("seven digits") << "YQ_1234567" << int(QValidator::Invalid);
    QTest::newRow("lower case") << "zm_1" << int(QValidator::Acceptable);
    // Each letter position is tested on its own.
    QTest::newRow("crossed letters") << "QV_1" << int(QValidator::Acceptable);
    QTest::newRow("prefix only") << "KV_" << int(QValidator::Intermediate);
    QTest::newRow("first letter") << "Z" << int(QValidator::Intermediate);
    QTest::newRow("unknown letter") << "AF_1" << int(QValidator::Invalid);
    QTest::newRow("letters for digits") << "QF_12a" << int(QValidator::Invalid);
    QTest::newRow("no underscore") << "QF1" << int(QValidator::Invalid);
}

void TestBleAdvertCards::dialogAcceptsOnlyNamesOfTheFamilies()
{
    QFETCH(QString, text);
    QFETCH(int, state);
    AdwertDialog dialog;
    int pos = 0;
    QCOMPARE(int(dialog.numberField()->validator()->validate(text, pos)), state);
}

void TestBleAdvertCards::dialogSendsTheNameAsTypedAndRefusesNoPassword_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("sent"); // -1: refused
    QTest::newRow("name and password") << "QF_000777"
                                       << "4321" << 4321;
    QTest::newRow("partial name") << "QF_"
                                  << "1" << 1;
    QTest::newRow("no password") << "KV_000001"
                                 << "" << 0;
    QTest::newRow("largest password") << "KV_000001"
                                      << "2147483647" << 2147483647;
    QTest::newRow("too large") << "KV_000001"
                               << "2147483648" << -1;
    QTest::newRow("not a number") << "KV_000001"
                                  << "12ab" << -1;
    QTest::newRow("negative") << "KV_000001"
                              << "-5" << -1;
}

void TestBleAdvertCards::dialogSendsTheNameAsTypedAndRefusesNoPassword()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(int, sent);
    AdwertDialog dialog;
    QSignalSpy values(&dialog, &AdwertDialog::sendValueSerNumToConnect);
    dialog.numberField()->setText(name);
    dialog.passwordField()->setText(password);
    dialog.connectButton()->click();
    if (sent < 0) {
        QCOMPARE(values.count(), 0);
        QCOMPARE(dialog.messageLabel()->text(), QString("Введите пароль: число от 0 до 2147483647"));
        QVERIFY(!dialog.answerTimer()->isActive());
        return;
    }
    QCOMPARE(values.count(), 1);
    QCOMPARE(values.at(0).at(0).toString(), name);
    QCOMPARE(values.at(0).at(1).toInt(), sent);
    QCOMPARE(dialog.messageLabel()->text(), QString("Ожидаем ответа от датчика"));
    QVERIFY(dialog.answerTimer()->isActive());
}

void TestBleAdvertCards::dialogSaysWhenNothingCameInTime()
{
    AdwertDialog dialog;
    QSignalSpy notConnected(&dialog, &AdwertDialog::signalNotConnectedDevice);
    QCOMPARE(dialog.answerTimer()->interval(), AdwertDialog::kAnswerMs);
    dialog.numberField()->setText("QF_000001");
    dialog.answerTimer()->setInterval(10);
    dialog.connectButton()->click();
    QTRY_COMPARE(dialog.messageLabel()->text(), QString("Ошибка подключения"));
    QCOMPARE(notConnected.count(), 1);
    QVERIFY(!dialog.answerTimer()->isActive());
    // A second press tries again.
    dialog.connectButton()->click();
    QCOMPARE(dialog.messageLabel()->text(), QString("Ожидаем ответа от датчика"));
}

QTEST_MAIN(TestBleAdvertCards)
#include "tst_bleadvertcards.moc"
