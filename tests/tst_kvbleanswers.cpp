#include "deruvivuriri_form.h"
#include "devices/angle/kvbledevice.h"
#include "link/frame.h"
#include "modalcloser.h"
#include "pagefixture.h"
#include "pagetimers.h"
#include "resources/bundle.h"
#include "simulatedanglebase.h"
#include "ui/securityble.h"
#include "ui/switch.h"
#include "waitsrunout.h"

#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

// The wireless angle sensor page on a real form, without the main window:
// the base's answers reach it through run() the way the main window hands
// them over, and its frames leave through its writeData signal.
class TestKvBleAnswers : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { initResourceBundle(); }
    void init();
    void cleanup();

    void firstLinkIsAnnouncedOnceAndItsIdentityShown();
    void lostSensorClearsItsIdentityUntilANewLink();
    void statusCodeShowsItsMessageAndRefreshesTheSettings_data();
    void statusCodeShowsItsMessageAndRefreshesTheSettings();
    void repeatedRestartReportKeepsOneCountdown();
    void anotherSensorKindStopsPollingAndShowsOneMessage_data();
    void anotherSensorKindStopsPollingAndShowsOneMessage();
    void gluedAnswersAreEachTaken();
    void framesThatFailAnyCheckChangeNothing_data();
    void framesThatFailAnyCheckChangeNothing();
    void anyChunkIsSurvived();
    void passwordOutcomeIsTakenOnlyFromLaterAnswers();
    void passwordThatCannotBeSentIsRefused();
    void writeRefusesAnEmptiedOrOutOfRangeField();
    void writeWaitsForItsOwnStatusAndRunsOneAtATime();

private:
    using Sensor = SimulatedAngleBase::AngleSensor;
    static QByteArray data(const Sensor &s, quint8 status = 0, bool present = true)
    {
        return SimulatedAngleBase::angleFrame(s, present, status, 49);
    }
    static QByteArray serialAnswer(quint32 serial)
    {
        QByteArray d;
        for (int i = 0; i < 4; ++i)
            d.append(char((serial >> (8 * i)) & 0xFF));
        d.append("\x01\x02", 2);
        return SimulatedDevice::answerFrame(0x03, 0xFC, d);
    }
    QString upper() const { return f->page->getLabelStatusMessageUp()->text(); }
    QString lower() const { return f->page->getLabelStatusMessage()->text(); }
    QList<bool> switchStates() const;
    // Frames the page sent with this command byte.
    QList<QByteArray> sent(quint8 command) const;
    // Feeds a data answer late enough after the last command to tell its outcome.
    void feedLater(const QByteArray &chunk);

    std::unique_ptr<PageFixture<KVBLEDevice>> f;
    std::unique_ptr<QSignalSpy> writes;
    std::unique_ptr<QSignalSpy> logs;
    Ui_Deruvivuriri *ui = nullptr;
    KVBLEDevice *page = nullptr;
};

namespace {

constexpr int kLater = KVBLEDevice::kFreshAnswerMs + 50;

} // namespace

void TestKvBleAnswers::init()
{
    f = std::make_unique<PageFixture<KVBLEDevice>>();
    ui = f->ui.get();
    page = f->page.get();
    writes = std::make_unique<QSignalSpy>(page, &KVBLEDevice::writeData);
    logs = std::make_unique<QSignalSpy>(page, &KVBLEDevice::signalWriteLog);
}

void TestKvBleAnswers::cleanup()
{
    writes.reset();
    logs.reset();
    f.reset();
}

QList<bool> TestKvBleAnswers::switchStates() const
{
    QList<bool> states;
    for (Switch *sw : page->modeSwitches())
        states << sw->getState();
    return states;
}

QList<QByteArray> TestKvBleAnswers::sent(quint8 command) const
{
    QList<QByteArray> out;
    for (const QList<QVariant> &args : *writes) {
        const QByteArray frame = args.at(0).toByteArray();
        if (frame.size() > 2 && quint8(frame.at(2)) == command)
            out << frame;
    }
    return out;
}

void TestKvBleAnswers::feedLater(const QByteArray &chunk)
{
    QTest::qWait(kLater);
    f->feed(chunk);
}

void TestKvBleAnswers::firstLinkIsAnnouncedOnceAndItsIdentityShown()
{
    QSignalSpy announced(page, &KVBLEDevice::signalNewDeviceIsConnected);
    QSignalSpy identity(page, &KVBLEDevice::signalRequestForGetSerNumAndFirmWareVersion);
    QSignalSpy address(page, &KVBLEDevice::copyNetNumToParent);
    page->connectDevice();
    QCOMPARE(address.count(), 1);
    QCOMPARE(address.at(0).at(0).toByteArray(), QByteArray(1, '\x03'));
    QVERIFY(ui->widgetKVBLE->isHidden());

    Sensor s;
    s.angle = 12;
    s.mode = 5;
    s.event = 1;
    f->feed(data(s));
    QCOMPARE(upper(), QString("Связь с беспроводным датчиком установлена"));
    QCOMPARE(lower(), QString("Подключен KV-BLE"));
    QVERIFY(!ui->widgetKVBLE->isHidden());
    QVERIFY(page->isDeviceConnected());
    QCOMPARE(ui->label_81->text(), QString("12"));
    QCOMPARE(ui->label_85->text(), QString("вращение\nпротив часовой"));
    QCOMPARE(ui->lineEditKVBLEUp->text(), QString("70"));
    QCOMPARE(ui->lineEditKVBLEDown->text(), QString("20"));
    QCOMPARE(ui->lineEditKVBLEOn->text(), QString("10"));
    QCOMPARE(ui->lineEditKVBLEOff->text(), QString("20"));
    QCOMPARE(switchStates(), (QList<bool>{false, false, true, false, false, false}));
    QCOMPARE(announced.count(), 1);
    QCOMPARE(identity.count(), 1);
    QCOMPARE(ui->label_MAC_KVBLE->text(), QString("C1:D2:E3:F4:05:16"));
    QCOMPARE(ui->label_FirmwareValKVBLE->text(), QString("1.2.3"));
    QCOMPARE(ui->label_SerNumValKVBLE->text(), QString("--"));
    // The probe asks whether the sensor has a password.
    QCOMPARE(sent(0xE9).size(), 1);
    QCOMPARE(sent(0xE9).at(0), kvble::passwordWrite(0xE9, 0));

    f->feed(serialAnswer(654321));
    f->feed(data(s));
    QCOMPARE(ui->label_SerNumValKVBLE->text(), QString("654321"));
    QCOMPARE(announced.count(), 1);
    QCOMPARE(identity.count(), 1);

    // The same mode and settings again: the user's typing stays.
    ui->lineEditKVBLEUp->setText("99");
    f->feed(data(s));
    QCOMPARE(ui->lineEditKVBLEUp->text(), QString("99"));
    // Changed settings on the sensor are taken over.
    s.up = 101;
    f->feed(data(s));
    QCOMPARE(ui->lineEditKVBLEUp->text(), QString("101"));
}

void TestKvBleAnswers::lostSensorClearsItsIdentityUntilANewLink()
{
    QSignalSpy announced(page, &KVBLEDevice::signalNewDeviceIsConnected);
    page->connectDevice();
    Sensor s;
    f->feed(data(s));
    f->feed(serialAnswer(777));
    f->feed(data(s));
    QCOMPARE(ui->label_SerNumValKVBLE->text(), QString("777"));

    f->feed(data(s, 0, false));
    f->feed(data(s, 0, false));
    QCOMPARE(upper(), QString("Связь с беспроводным датчиком не установлена"));
    QCOMPARE(lower(), QString("Подключите датчик"));
    QVERIFY(!page->isDeviceConnected());
    QCOMPARE(ui->label_SerNumValKVBLE->text(), QString("--"));
    QCOMPARE(ui->label_FirmwareValKVBLE->text(), QString("--"));
    QCOMPARE(ui->label_MAC_KVBLE->text(), QString("--:--:--:--:--:--"));
    QVERIFY(ui->label_LockKVBLE->isHidden());
    int absentLines = 0;
    for (const QList<QVariant> &args : *logs)
        absentLines += args.at(0).toString() == "KVBLE device not connected";
    QCOMPARE(absentLines, 1);

    // Back: linked again, its identity waits for a link asked by number.
    f->feed(data(s));
    QCOMPARE(lower(), QString("Подключен KV-BLE"));
    QCOMPARE(ui->label_SerNumValKVBLE->text(), QString("--"));
    QCOMPARE(announced.count(), 1);

    // Chosen anew, the page learns the sensor afresh.
    page->disconnectDevice();
    page->connectDevice();
    f->feed(data(s));
    QCOMPARE(announced.count(), 2);
    QCOMPARE(ui->label_MAC_KVBLE->text(), QString("C1:D2:E3:F4:05:16"));
}

void TestKvBleAnswers::statusCodeShowsItsMessageAndRefreshesTheSettings_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message"); // empty: the link text stays
    QTest::addColumn<QString>("log");
    QTest::addColumn<bool>("refreshes");
    QTest::newRow("1") << 1 << "UUID ВТ датчика успешно изменен"
                       << "UUID successfully changed" << false;
    QTest::newRow("2") << 2 << "S/N ВТ датчика успешно изменен"
                       << "S/N bluetooth device successfully changed" << false;
    QTest::newRow("4") << 4 << "Директивная калибровка ВТ датчика произведена успешно"
                       << "Calibrate BLE successull" << true;
    QTest::newRow("6") << 6 << "Калибровка уровня полного ВТ датчика произведена"
                       << "Calibrate BLE full successfull" << true;
    QTest::newRow("7") << 7 << "Калибровка уровня пустого ВТ датчика произведена"
                       << "Calibrate BLE empty successfull" << true;
    QTest::newRow("8") << 8 << "Установлены заводские настройки ВТ датчика"
                       << "Factory setting for BLE successfully set" << true;
    QTest::newRow("12") << 12 << "Ошибка изменения S/N ВТ датчика"
                        << "Error set S/N" << true;
    QTest::newRow("16") << 16 << "Ошибка установки режима"
                        << "Error set new mode BLE" << true;
    QTest::newRow("17") << 17 << "Устанорвлен горизонт"
                        << "Horizont was set" << true;
    QTest::newRow("19") << 19 << "Ошибка установки задержки"
                        << "Error while delay set" << true;
    QTest::newRow("-1") << 0xFF << ""
                        << "" << false;
    QTest::newRow("20") << 20 << ""
                        << "" << false;
}

void TestKvBleAnswers::statusCodeShowsItsMessageAndRefreshesTheSettings()
{
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(QString, log);
    QFETCH(bool, refreshes);
    page->connectDevice();
    Sensor s;
    f->feed(data(s));
    ui->lineEditKVBLEUp->setText("99");
    logs->clear();

    f->feed(data(s, quint8(code)));
    QCOMPARE(upper(), message.isEmpty() ? QString("Связь с беспроводным датчиком установлена") : message);
    QCOMPARE(logs->count(), log.isEmpty() ? 0 : 1);
    if (!log.isEmpty())
        QCOMPARE(logs->at(0).at(0).toString(), log);
    // The rest of the answer is shown whatever its status.
    QCOMPARE(ui->label_81->text(), QString("45"));

    // The next answer refreshes the fields when the status asked for it;
    // meanwhile the message stays over the link text.
    f->feed(data(s));
    QCOMPARE(ui->lineEditKVBLEUp->text(), refreshes ? QString("70") : QString("99"));
    if (!message.isEmpty())
        QCOMPARE(upper(), message);
}

void TestKvBleAnswers::repeatedRestartReportKeepsOneCountdown()
{
    page->connectDevice();
    Sensor s;
    f->feed(data(s));
    const QList<QTimer *> pageTimers = page->findChildren<QTimer *>();
    const int timers = pageTimers.size();
    f->feed(data(s, 5));
    QCOMPARE(upper(), QString("Успешная перезагрузка ВТ датчика"));
    QVERIFY(!ui->labelTimerUpdFwBLE->isHidden());
    QVERIFY(ui->labelMsgUpdBLE->text().contains("NRFConnect"));
    QCOMPARE(page->getCountdown(), 30);
    const int withCountdown = page->findChildren<QTimer *>().size();
    QCOMPARE(withCountdown, timers + 1);

    // The base repeats the report: still one restart, one countdown.
    QTRY_COMPARE_WITH_TIMEOUT(page->getCountdown(), 28, 3000);
    f->feed(data(s, 5));
    f->feed(data(s, 5));
    QCOMPARE(page->getCountdown(), 28);
    QCOMPARE(page->findChildren<QTimer *>().size(), withCountdown);
    // A new restart after another report starts it again from the top.
    f->feed(data(s));
    f->feed(data(s, 5));
    QCOMPARE(page->getCountdown(), 30);
    QCOMPARE(page->findChildren<QTimer *>().size(), withCountdown);
    // One step a tick of its one timer, not two.
    QList<QTimer *> countdowns;
    for (QTimer *timer : page->findChildren<QTimer *>()) {
        if (timer->isActive() && !pageTimers.contains(timer))
            countdowns << timer;
    }
    QCOMPARE(countdowns.size(), 1);
    QTimer *countdown = countdowns.first();
    QSignalSpy ticks(countdown, &QTimer::timeout);
    QTRY_VERIFY_WITH_TIMEOUT(ticks.count() >= 2, 5000);
    QCOMPARE(page->getCountdown(), 30 - ticks.count());
}

void TestKvBleAnswers::anotherSensorKindStopsPollingAndShowsOneMessage_data()
{
    QTest::addColumn<int>("length");
    for (int length : {38, 42, 45, 84})
        QTest::newRow(qPrintable(QString::number(length))) << length;
}

void TestKvBleAnswers::anotherSensorKindStopsPollingAndShowsOneMessage()
{
    QFETCH(int, length);
    QSignalSpy polls(page, &KVBLEDevice::signalRequestForGetAllDataFromDevice);
    page->connectDevice();
    QByteArray other(length - 1, '\0');
    other[0] = char(0x3E);
    other[1] = char(0x03);
    other[2] = char(0xF0);
    other[27] = char(30);
    other = frame::withCrc(other);

    ModalCloser closer;
    // Glued after a good answer, then once more while the message is up.
    const QByteArray chunk = data(Sensor()) + other;
    int result = -1;
    PageFixture<KVBLEDevice>::feedExactly(chunk, [&](int n, char *b) { result = page->run(n, b); });
    QCOMPARE(result, 0);
    f->feed(other);
    QTRY_COMPARE_WITH_TIMEOUT(closer.seen.size(), 1, 2000);
    QVERIFY(closer.seen.at(0).texts.contains("Подключенное устройство не соответствует выбранному"));
    QVERIFY(closer.seen.at(0).texts.contains("Подключите другое"));
    QVERIFY(ui->widgetKVBLE->isHidden());
    // No timer of the page is left to poll, or to open the message again.
    QCOMPARE(pagetimers::running(page), QStringList());
    QCOMPARE(closer.seen.size(), 1);
}

void TestKvBleAnswers::gluedAnswersAreEachTaken()
{
    page->connectDevice();
    Sensor first;
    first.angle = 11;
    Sensor second;
    second.angle = 22;
    f->feed(data(Sensor()));
    // Two whole answers pass the CRC check as one; both are taken.
    f->feed(data(first, 1) + data(second));
    QCOMPARE(ui->label_81->text(), QString("22"));
    QCOMPARE(logs->count(), 1);
    QCOMPARE(logs->at(0).at(0).toString(), QString("UUID successfully changed"));
    f->feed(serialAnswer(4242) + data(second));
    QCOMPARE(ui->label_SerNumValKVBLE->text(), QString("4242"));
}

void TestKvBleAnswers::framesThatFailAnyCheckChangeNothing_data()
{
    QTest::addColumn<QByteArray>("chunk");
    Sensor s;
    s.angle = 77;
    const QByteArray good = data(s);
    QByteArray badCrc = good;
    badCrc[badCrc.size() - 1] = char(badCrc.at(badCrc.size() - 1) ^ 0x21);
    QByteArray otherAddress = good.left(good.size() - 1);
    otherAddress[1] = char(0x04);
    QTest::newRow("bad CRC") << badCrc;
    QTest::newRow("another address") << frame::withCrc(otherAddress);
    QTest::newRow("no start byte") << frame::withCrc(QByteArray(1, '\x3C') + good.mid(1, 47));
    QTest::newRow("one byte short") << frame::withCrc(good.left(47));
    QTest::newRow("another command") << frame::withCrc(QByteArray::fromHex("3e03ec") + good.mid(3, 45));
    QTest::newRow("serial answer one byte short") << frame::withCrc(serialAnswer(5).left(8));
    QTest::newRow("lone start byte") << QByteArray(1, '\x3E');
    QTest::newRow("empty") << QByteArray();
}

void TestKvBleAnswers::framesThatFailAnyCheckChangeNothing()
{
    QFETCH(QByteArray, chunk);
    page->connectDevice();
    f->feed(chunk);
    QCOMPARE(ui->label_81->text(), QString("0"));
    QVERIFY(ui->widgetKVBLE->isHidden());
    QVERIFY(!page->isDeviceConnected());
    QCOMPARE(ui->label_SerNumValKVBLE->text(), QString("--"));
    QCOMPARE(logs->count(), 0);
    QCOMPARE(writes->count(), 0);
}

void TestKvBleAnswers::anyChunkIsSurvived()
{
    // Cut short anywhere, grown, glued and noise, each in a block of exactly
    // its size: nothing is read past its end (the sanitizers watch).
    page->connectDevice();
    Sensor s;
    const QByteArray whole = data(s, 4) + serialAnswer(9) + data(s, 3) + data(s, 0, false);
    for (int n = 0; n <= whole.size(); ++n)
        f->feed(whole.left(n));
    for (int n = 0; n < whole.size(); ++n)
        f->feed(whole.mid(n));
    for (int extra = 1; extra < 40; ++extra)
        f->feed(frame::withCrc(data(s).left(48) + QByteArray(extra, '\x3E')));
    QRandomGenerator rng(0x6b76626cu);
    for (int round = 0; round < 3000; ++round) {
        QByteArray noise(rng.bounded(0, 160), '\0');
        for (char &c : noise)
            c = char(rng.bounded(256));
        if (noise.size() > 3 && round % 2) {
            noise[0] = char(0x3E);
            noise[1] = char(0x03);
            noise[2] = char(round % 4 == 1 ? 0xF0 : 0xFC);
            noise = frame::withCrc(noise.left(noise.size() - 1));
        }
        f->feed(noise);
    }
    // And still reads a good answer.
    s.angle = 123;
    page->connectDevice();
    f->feed(data(s));
    QCOMPARE(ui->label_81->text(), QString("123"));
}

void TestKvBleAnswers::passwordOutcomeIsTakenOnlyFromLaterAnswers()
{
    page->connectDevice();
    Sensor s;
    f->feed(data(s));
    f->feed(data(s));
    QCOMPARE(sent(0xE9).size(), 1); // asked once while its answer is awaited
    QVERIFY(ui->label_LockKVBLE->isHidden());
    f->feed(data(s, 3));
    QVERIFY(!ui->label_LockKVBLE->isHidden());
    QVERIFY(!page->isPasswordProtected());
    QCOMPARE(sent(0xE9).size(), 1);

    // A new password the sensor does not take: it goes once the probe's code
    // is no longer reported, and tells its failure, not the code before it.
    SecurityBLE dialog(page, ui->KV_BLE, page->sensorProtection());
    page->setSecurityDialog(&dialog);
    dialog.findChildren<QLineEdit *>().at(1)->setText("555");
    QTimer::singleShot(kLater, page, [this, s] { f->feed(data(s, 3) + data(s)); });
    QVERIFY(page->setPassBLE());
    QCOMPARE(sent(0xE9).last(), kvble::passwordWrite(0xE9, 555));
    QCOMPARE(upper(), QString("Ожидаем ответ от беспроводного датчика"));
    feedLater(data(s, 13));
    QCOMPARE(upper(), QString("Ошибка изменения пароля ВТ датчика"));
    feedLater(data(s, 3));
    QCOMPARE(upper(), QString("Ошибка изменения пароля ВТ датчика"));
    QVERIFY(!page->isPasswordProtected());
    page->setSecurityDialog(nullptr);
}

void TestKvBleAnswers::passwordThatCannotBeSentIsRefused()
{
    page->connectDevice();
    f->feed(data(Sensor()));
    writes->clear();
    SecurityBLE dialog(page, ui->KV_BLE, page->sensorProtection());
    page->setSecurityDialog(&dialog);
    const QList<QLineEdit *> fields = dialog.findChildren<QLineEdit *>();
    fields.at(0)->setText("2147483648");
    fields.at(1)->setText("");
    ModalCloser closer;
    QVERIFY(!page->setPassBLE());
    QVERIFY(!page->inputPassBLE());
    QVERIFY(!page->delPassBLE());
    QCOMPARE(closer.seen.size(), 3);
    for (const ModalCloser::Seen &seen : closer.seen)
        QVERIFY(seen.texts.contains("Введите пароль: число от 0 до 2147483647"));
    QCOMPARE(writes->count(), 0);
    page->setSecurityDialog(nullptr);
    // Without its dialog nothing is typed, so nothing is sent.
    QVERIFY(!page->inputPassBLE());
    QCOMPARE(writes->count(), 0);
    // Nor a link to a serial number no link ID carries.
    QVERIFY(!page->changeUiid("16777216"));
    QVERIFY(!page->changeUiid(""));
    QCOMPARE(writes->count(), 0);
}

void TestKvBleAnswers::writeRefusesAnEmptiedOrOutOfRangeField()
{
    page->connectDevice();
    f->feed(data(Sensor()));
    writes->clear();
    ui->lineEditKVBLEUp->setText("");
    page->setUpEdited(true);
    ui->lineEditKVBLEOff->setText("0");
    page->setDelayOffEdited(true);
    // An unedited field out of range is not sent anyway.
    ui->lineEditKVBLEDown->setText("");
    ModalCloser closer;
    page->writeParamToDevice();
    QCOMPARE(closer.seen.size(), 1);
    QVERIFY(closer.seen.at(0).texts.contains("Значение вне допустимого диапазона"));
    QVERIFY(closer.seen.at(0).texts.contains("Верх, Зад.выкл"));
    QCOMPARE(writes->count(), 0);
    QVERIFY(page->hasEditedSettings());
}

void TestKvBleAnswers::writeWaitsForItsOwnStatusAndRunsOneAtATime()
{
    page->connectDevice();
    Sensor s;
    f->feed(data(s));
    feedLater(data(s, 3)); // the probe settled
    writes->clear();

    // A code already standing when the command goes out is not its outcome.
    page->changeUpKVBLE();
    f->feed(data(s, 4));
    bool reported = false;
    QObject reporting;
    QTimer::singleShot(kLater + 300, &reporting, [this, s, &reported] {
        reported = true;
        f->feed(data(s, 4));
    });
    QCOMPARE(page->waitStatusCurrentCMD(4), 1);
    QVERIFY(reported);

    // A refusal ends the write's wait at once; a second write meanwhile is
    // not started.
    writes->clear();
    ui->lineEditKVBLEUp->setText("100");
    page->setUpEdited(true);
    QTimer::singleShot(kLater, page, [this, s] {
        ui->lineEditKVBLEDown->setText("5");
        page->setDownEdited(true);
        page->writeParamToDevice();
        f->feed(data(s, 14));
    });
    ModalCloser closer; // the progress window
    const WaitsRunOut statusPolls(KVBLEDevice::kStatusPollMs);
    page->writeParamToDevice();
    // The wait ended on the refusal; it did not run its course.
    QVERIFY2(statusPolls.count() < KVBLEDevice::kStatusPolls, qPrintable(QString::number(statusPolls.count())));
    QCOMPARE(sent(0xEC).size(), 1);
    QCOMPARE(sent(0xEC).at(0), kvble::upWrite(100));
    QCOMPARE(sent(0xED).size(), 0);
    QVERIFY(page->hasEditedSettings()); // the lower threshold still waits for a write
    QVERIFY(!page->isProcedureRunning());
    QCOMPARE(upper(), QString("Ошибка директивной калибровки ВТ датчика"));
}

QTEST_MAIN(TestKvBleAnswers)
#include "tst_kvbleanswers.moc"
