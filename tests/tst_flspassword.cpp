#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "dialogsteps.h"
#include "link/frame.h"
#include "pagefixture.h"
#include "shortintervals.h"
#include "wiredsession.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

// The wired sensor's access password as a user meets it: the "security"
// entry of the service menu probes the sensor and opens the password dialog;
// entering, setting and removing the password go to a simulated sensor that
// keeps its own password and refuses writes while it is locked.
class TestFlsPassword : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();

    void unprotectedSensorGetsTheTypedPassword_data();
    void unprotectedSensorGetsTheTypedPassword();
    void enteredPasswordOpensTheSensorForWrites_data();
    void enteredPasswordOpensTheSensorForWrites();
    void removalNeedsTheRightPassword_data();
    void removalNeedsTheRightPassword();
    void passwordsTheSensorCannotTakeAreRefused_data();
    void passwordsTheSensorCannotTakeAreRefused();
    void securityAfterEntryKeepsThePassword();

    // The page alone, fed answers directly.
    void onlyAnAnswerAfterTheSendIsJudged();
    void refusalGluedToAPollAnswerStillCounts();
    void dialogSlotsWithoutADialogSendNothing();

private:
    bool startSession();
    QAction *securityEntry() const;
    void protect(quint32 password);

    std::unique_ptr<WiredSession> s;
};

namespace {

const QString kProtectedText = "Изменение настроек устройства защищено паролем.\nВведите пароль";
const QString kUnprotectedText =
    "Изменение настроек датчика не защищено паролем\nВы можете установить пароль или пропустить этот шаг";
const QString kNotKnownText = "Неизвестно, защищён ли датчик паролем\nВведите пароль или установите новый";
const QString kWrongPassword = "Ошибка\nВведён неверный пароль\nПопробуйте другой пароль";
const QString kSilent = "Датчик не ответил";

QByteArray shortAnswer(quint8 net, quint8 command)
{
    return frame::withCrc(QByteArray::fromHex("3e") + QByteArray(1, char(net)) + QByteArray(1, char(command)));
}

} // namespace

bool TestFlsPassword::startSession()
{
    s = std::make_unique<WiredSession>();
    if (!s->isValid())
        return false;
    shortintervals::apply(s->page);
    return s->connect("Подключен QF470");
}

void TestFlsPassword::cleanup()
{
    s.reset();
}

QAction *TestFlsPassword::securityEntry() const
{
    return s->serviceEntry("security");
}

void TestFlsPassword::protect(quint32 password)
{
    s->device->sensor().password = password;
    s->device->sensor().unlocked = false;
}

void TestFlsPassword::unprotectedSensorGetsTheTypedPassword_data()
{
    QTest::addColumn<bool>("answerLost");
    QTest::newRow("answered") << false;
    QTest::newRow("its answer lost") << true;
}

void TestFlsPassword::unprotectedSensorGetsTheTypedPassword()
{
    QVERIFY(startSession());
    QVERIFY(securityEntry());
    QFETCH(bool, answerLost);
    DialogSteps script({[this, answerLost](QWidget *dialog) {
                            s->device->unansweredCommands = answerLost ? QList<quint8>{0xF7} : QList<quint8>();
                            DialogSteps::fillAndClick({"1234"}, "Установить пароль")(dialog);
                        },
                        DialogSteps::accept()});
    const int from = s->device->requests().size();
    securityEntry()->trigger();

    // Unconfirmed, the password is told so and shows no lock.
    QCOMPARE(script.allTexts().contains(kSilent + "\nУстановка пароля не подтверждена"), answerLost);
    QVERIFY(showsPicture(s->ui->label_LockDUT, answerLost ? ":/images/unlock.png" : ":/images/lock.png"));
    QCOMPARE(script.seen.at(0).className, QString("Security"));
    QVERIFY(script.seen.at(0).texts.contains(kUnprotectedText));
    // The probe carries no password; then the one typed, high byte first.
    QCOMPARE(s->writesSince(from), QList<quint8>({0xF7, 0xF7}));
    QCOMPARE(s->sent(0xF7), QStringList({signedRequest(1, 0xF7, be32(0)), signedRequest(1, 0xF7, be32(1234))}));
    QCOMPARE(s->device->sensor().password, std::optional<quint32>(1234));
    QVERIFY(!s->page->isPasswordEntered());
    QCOMPARE(s->page->getStoredPassword(), 1234u);
    QTRY_VERIFY_WITH_TIMEOUT(s->logSinceStart().contains(" -- Set password FLS\r\n"), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(s->logSinceStart().contains(" -- Check password FLS\r\n"), 2000);
    // The page polls again.
    const int polls = s->device->countRequests(1, 0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(s->device->countRequests(1, 0xF0) > polls + 1, 4000);
}

void TestFlsPassword::enteredPasswordOpensTheSensorForWrites_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::newRow("right password") << "4321" << true;
    QTest::newRow("wrong password") << "1111" << false;
    QTest::newRow("right password, leading zeros") << "00000000004321" << true;
}

void TestFlsPassword::enteredPasswordOpensTheSensorForWrites()
{
    QVERIFY(startSession());
    QFETCH(QString, typed);
    QFETCH(bool, right);
    protect(4321);

    {
        DialogSteps script({DialogSteps::fillAndClick({typed}, "Ввести пароль"), DialogSteps::accept()});
        securityEntry()->trigger();
        QVERIFY(!script.seen.isEmpty());
        QVERIFY(script.seen.at(0).texts.contains(kProtectedText));
        QCOMPARE(script.allTexts().contains(kWrongPassword), !right);
        QCOMPARE(s->page->getLabelStatusMessageUp()->text() == "Пароль принят", right);
    }
    QCOMPARE(s->sent(0xF8).last(), signedRequest(1, 0xF8, be32(typed.toUInt())));
    QCOMPARE(s->page->isPasswordEntered(), right);
    QCOMPARE(s->device->sensor().unlocked, right);
    QVERIFY(showsPicture(s->ui->label_LockDUT, right ? ":/images/unlock.png" : ":/images/lock.png"));

    // The user changes the filtration and writes with Ctrl+S.
    const quint8 before = s->device->sensor().configB;
    s->ui->comboBox_FiltrDUT->setCurrentIndex(2);
    emit s->ui->comboBox_FiltrDUT->activated(2);
    const int from = s->device->requests().size();
    QVERIFY(s->activate());
    bool writeOver = false;
    DialogSteps script({[&](QWidget *box) {
        writeOver = !s->page->isProcedureRunning();
        DialogSteps::accept()(box);
    }});
    QTest::keyClick(s->window.get(), Qt::Key_S, Qt::ControlModifier);
    if (right) {
        // The entered password goes again before each write.
        QCOMPARE(s->writesSince(from), QList<quint8>({0xF8, 0xF2, 0xF8, 0xFB}));
        // No poll between the write's frames: only its own re-read.
        QList<quint8> between;
        for (const SimulatedDevice::Request &r : s->device->requests().mid(from)) {
            if (!between.isEmpty() || quint8(r.bytes.at(2)) == 0xF8)
                between << quint8(r.bytes.at(2));
            if (between.endsWith(0xFB))
                break;
        }
        QCOMPARE(between, QList<quint8>({0xF8, 0xF2, 0xF0, 0xF8, 0xFB}));
        QVERIFY(script.seen.isEmpty());
        QVERIFY(s->device->sensor().configB != before);
        QVERIFY(showsPicture(s->ui->label_Alarm_3DUT, ":/images/bird_green.png"));
    } else {
        // The locked sensor refuses; the user is told, once the write is
        // over, and nothing is marked written.
        QCOMPARE(s->writesSince(from), QList<quint8>({0xF2, 0xFB}));
        QCOMPARE(script.allTexts(), QStringList({kWrongPassword}));
        QVERIFY(writeOver);
        QCOMPARE(s->device->sensor().configB, before);
        QVERIFY(showsPicture(s->ui->label_Alarm_3DUT, ":/images/bird.png"));
    }
}

void TestFlsPassword::removalNeedsTheRightPassword_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::addColumn<bool>("offWhileTold");
    QTest::addColumn<bool>("serialLate");
    QTest::addColumn<bool>("answerLost");
    QTest::addColumn<bool>("otherLine");
    QTest::addColumn<bool>("pluggedAgain");
    QTest::newRow("right password") << "4321" << true << false << false << false << false << false;
    QTest::newRow("wrong password") << "1111" << false << false << false << false << false << false;
    QTest::newRow("wrong password, switched off while told")
        << "1111" << false << true << false << false << false << false;
    QTest::newRow("right password, then one entered before the serial came")
        << "4321" << true << false << true << false << false << false;
    QTest::newRow("right password, its answer lost") << "4321" << true << false << false << true << false << false;
    QTest::newRow("right password, then one entered before the serial came, another converter's sensor seen")
        << "4321" << true << false << true << false << true << false;
    QTest::newRow("right password, then one entered before the serial came, its converter plugged again, open")
        << "4321" << true << false << true << false << false << true;
}

void TestFlsPassword::removalNeedsTheRightPassword()
{
    QVERIFY(startSession());
    QFETCH(QString, typed);
    QFETCH(bool, right);
    QFETCH(bool, offWhileTold);
    QFETCH(bool, serialLate);
    QFETCH(bool, answerLost);
    QFETCH(bool, otherLine);
    QFETCH(bool, pluggedAgain);
    protect(4321);
    s->device->unansweredCommands = answerLost ? QList<quint8>{0xF8} : QList<quint8>();

    const int from = s->device->requests().size();
    QSignalSpy pageLog(s->page, &BaseDevice::signalWriteLog);
    QStringList texts;
    {
        const DialogSteps::Step told = [this, offWhileTold](QWidget *box) {
            if (offWhileTold)
                s->ui->pushButtonDeviceFLS->click();
            DialogSteps::accept()(box);
        };
        DialogSteps script({DialogSteps::fillAndClick({typed}, "Удалить пароль"), told});
        securityEntry()->trigger();
        texts = script.allTexts();
    }
    if (offWhileTold) {
        // Nothing of the procedure is logged once the page was left.
        for (const QList<QVariant> &line : qAsConst(pageLog))
            QVERIFY2(!line.value(0).toString().contains("password"), qPrintable(line.value(0).toString()));
        return;
    }

    // The probe, the password, and only when the sensor said it took it, password 0.
    const bool removed = right && !answerLost;
    QCOMPARE(s->writesSince(from), removed ? QList<quint8>({0xF7, 0xF8, 0xF7}) : QList<quint8>({0xF7, 0xF8}));
    QCOMPARE(s->sent(0xF8).last(), signedRequest(1, 0xF8, be32(typed.toUInt())));
    QCOMPARE(s->sent(0xF7).last(), signedRequest(1, 0xF7, be32(0)));
    QCOMPARE(texts.contains(kWrongPassword), !right);
    QCOMPARE(texts.contains(kSilent + "\nПароль не удалён"), answerLost);
    QCOMPARE(s->page->getLabelStatusMessageUp()->text() == "Пароль успешно удалён", removed);
    QCOMPARE(s->device->sensor().password.has_value(), !removed);
    QCOMPARE(s->page->getStoredPassword(), 0u);
    QTRY_VERIFY_WITH_TIMEOUT(s->logSinceStart().contains(" -- Delete password FLS\r\n"), 2000);

    // Once removed, the probe finds an open sensor.
    if (removed) {
        DialogSteps again({DialogSteps::click("Закрыть")});
        securityEntry()->trigger();
        QCOMPARE(again.seen.size(), 1);
        QVERIFY(again.seen.at(0).texts.contains(kUnprotectedText));
    }

    // Entered with its answer lost, or before the sensor's serial came, a password was taken all the same: no probe.
    protect(4242);
    s->device->unansweredCommands = {0xF8};
    if (serialLate) {
        s->device->unansweredCommands << 0xFC;
        s->ui->pushButtonDeviceFLS->click();
        // Without its firmware this session a QF470's answers are not shown; it answers all the same.
        QVERIFY(s->connect("Подключите датчик"));
        QTRY_VERIFY_WITH_TIMEOUT(s->page->hasOwnSensorAnswered(), 4000);
    }
    // Not known to be protected, the sensor at the number may be given a new password.
    DialogSteps lost(
        {DialogSteps::fillAndClick({"4242"}, "Ввести пароль"), DialogSteps::accept(),
         pluggedAgain ? DialogSteps::fillAndClick({"", "1234"}, "Установить пароль") : DialogSteps::click("Закрыть")});
    const int lostFrom = s->device->requests().size();
    securityEntry()->trigger();
    s->device->unansweredCommands.clear();
    if (otherLine) {
        // Off; another converter whose sensor at the same number is on and off; then this one again.
        auto other = std::make_unique<SimulatedFls>();
        other->sensor().serial = 55555;
        qputenv(portlist::kExtraPortsVariable, (s->device->portPath() + ":" + other->portPath()).toLocal8Bit());
        s->window->updateSerialPorts();
        s->ui->pushButtonDeviceFLS->click();
        std::swap(s->device, other);
        QVERIFY(s->connect("Подключен QF470"));
        QTRY_COMPARE_WITH_TIMEOUT(s->ui->label_SerNumVal->text(), QString("55555"), 4000);
        s->ui->pushButtonDeviceFLS->click();
        std::swap(s->device, other);
        QVERIFY(s->connect("Подключен QF470"));
    }
    if (pluggedAgain) {
        // The converter comes back as another line, the sensor at the number without a password: it is not probed.
        auto again = std::make_unique<SimulatedFls>();
        s->device->hangUp();
        QTRY_VERIFY_WITH_TIMEOUT(!s->ui->pushButtonDeviceFLS->isChecked(), 4000);
        qputenv(portlist::kExtraPortsVariable, again->portPath().toLocal8Bit());
        s->window->updateSerialPorts();
        std::swap(s->device, again);
        QVERIFY(s->connect("Подключен QF470"));
        securityEntry()->trigger();
        QCOMPARE(s->sent(0xF7), QStringList({signedRequest(1, 0xF7, be32(1234))}));
        QCOMPARE(s->device->sensor().password, std::optional<quint32>(1234));
        QVERIFY(showsPicture(s->ui->label_LockDUT, ":/images/lock.png"));
        QCOMPARE(lost.seen.at(2).texts, QStringList({kNotKnownText}));
        return;
    }
    securityEntry()->trigger();
    // A sensor whose removal stopped short is still taken for opened: no probe.
    QCOMPARE(s->writesSince(lostFrom), answerLost ? QList<quint8>({0xF8}) : QList<quint8>({0xF7, 0xF8}));
    QCOMPARE(lost.seen.at(1).texts, QStringList({kSilent}));
    QVERIFY(lost.seen.at(2).texts.contains(kProtectedText));
}

void TestFlsPassword::passwordsTheSensorCannotTakeAreRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::newRow("empty entry") << ""
                                 << "Ввести пароль";
    QTest::newRow("entry beyond 32 bits") << "4294967296"
                                          << "Ввести пароль";
    QTest::newRow("pasted text on removal") << "12ab"
                                            << "Удалить пароль";
    QTest::newRow("negative on removal") << "-5"
                                         << "Удалить пароль";
}

void TestFlsPassword::passwordsTheSensorCannotTakeAreRefused()
{
    QVERIFY(startSession());
    QFETCH(QString, typed);
    QFETCH(QString, button);
    protect(4321);

    // Told why; the dialog stays for another try, which the user drops.
    DialogSteps script(
        {DialogSteps::fillAndClick({typed}, button), DialogSteps::accept(), DialogSteps::click("Закрыть")});
    const int from = s->device->requests().size();
    securityEntry()->trigger();

    QCOMPARE(s->writesSince(from), QList<quint8>({0xF7})); // the probe alone
    QCOMPARE(script.seen.size(), 3);
    QCOMPARE(script.seen.at(1).texts, QStringList({"Введите пароль: число от 0 до 4294967295"}));
    QCOMPARE(script.seen.at(2).className, QString("Security"));
    QVERIFY(s->device->sensor().password.has_value());
    QVERIFY(!s->page->isPasswordEntered());
}

void TestFlsPassword::securityAfterEntryKeepsThePassword()
{
    QVERIFY(startSession());
    protect(4321);
    // Entered while the sensor's serial goes unanswered, then written to another number before the serial comes.
    s->device->unansweredCommands = {0xFC};
    s->ui->pushButtonDeviceFLS->click();
    QVERIFY(s->connect("Подключите датчик"));
    QTRY_VERIFY_WITH_TIMEOUT(s->page->hasOwnSensorAnswered(), 4000);
    {
        DialogSteps script({DialogSteps::fillAndClick({"4321"}, "Ввести пароль")});
        securityEntry()->trigger();
    }
    QVERIFY(s->page->isPasswordEntered());
    s->ui->lineEditNetNumDUT->setText("7");
    emit s->ui->lineEditNetNumDUT->textEdited("7");
    s->ui->ButtonWriteParamDUT->click();
    QTRY_COMPARE_WITH_TIMEOUT(s->ui->comboBox_NetNumDUT->itemText(0), QString("7"), 4000);
    s->device->unansweredCommands.clear();

    // A probe now would set password 0 on the open sensor and so remove its
    // password: the dialog opens for the protected sensor without one.
    {
        DialogSteps script({DialogSteps::click("Закрыть")});
        const int from = s->device->requests().size();
        securityEntry()->trigger();
        QCOMPARE(script.seen.size(), 1);
        QVERIFY(script.seen.at(0).texts.contains(kProtectedText));
        QCOMPARE(s->writesSince(from), QList<quint8>());
        QCOMPARE(s->device->sensor().password, std::optional<quint32>(4321));
        QCOMPARE(s->page->getStoredPassword(), 4321u);
    }

    // Off and on: a new session, and the sensor is still open. Only the
    // user's removal takes its password, after which it is probed again.
    s->ui->pushButtonDeviceFLS->click();
    QVERIFY(s->connect("Подключен QF470"));
    QVERIFY(!s->page->isPasswordEntered());
    {
        DialogSteps removal({DialogSteps::fillAndClick({"4321"}, "Удалить пароль")});
        const int before = s->device->requests().size();
        securityEntry()->trigger();
        QCOMPARE(s->writesSince(before), QList<quint8>({0xF8, 0xF7}));
    }
    QVERIFY(!s->device->sensor().password);
    DialogSteps probed({DialogSteps::click("Закрыть")});
    const int removed = s->device->requests().size();
    securityEntry()->trigger();
    QCOMPARE(s->writesSince(removed), QList<quint8>({0xF7}));
}

void TestFlsPassword::onlyAnAnswerAfterTheSendIsJudged()
{
    PageFixture<FLSDevice> f;
    // A procedure's wait belongs to a session; this one has found its sensor.
    f.page->connectDevice();
    f.feed(QByteArray::fromHex("3e00"));
    f.feed(frame::withCrc(QByteArray::fromHex("3e00f0") + QByteArray(24, '\0') + char(0x61))); // a fuel sensor
    // A refusal that came before: the probe gets no answer of its own, so
    // no dialog opens.
    f.feed(shortAnswer(0, 0xFD));
    QCOMPARE(f.page->getLastAnswer(), 0xFD);
    {
        DialogSteps script;
        f.page->checkPass();
        QCOMPARE(script.allTexts(), QStringList({kSilent}));
        QCOMPARE(f.page->getLastAnswer(), 0);
    }

    // An answer that comes during the wait is judged.
    QTimer::singleShot(50, f.page.get(), [&f] { f.feed(shortAnswer(0, 0xF7)); });
    DialogSteps opened({DialogSteps::click("Закрыть")});
    f.page->checkPass();
    QCOMPARE(opened.seen.size(), 1);
    QVERIFY(opened.seen.at(0).texts.contains(kUnprotectedText));
}

void TestFlsPassword::refusalGluedToAPollAnswerStillCounts()
{
    PageFixture<FLSDevice> f;
    // A procedure's wait belongs to a session; this one has found its sensor.
    f.page->connectDevice();
    f.feed(QByteArray::fromHex("3e00"));
    SimulatedFls::Sensor sensor;
    sensor.netNum = 0;
    sensor.model = SimulatedFls::kModelQF210;
    sensor.form = 24;
    const QByteArray poll = SimulatedFls::allDataAnswer(sensor);
    const QByteArray write = QByteArray::fromHex(signedRequest(0, 0xF2, QByteArray(2, '\0')).toLatin1());
    f.feed(poll);
    BaseDevice::Procedure run(f.page.get());

    // A refusal that arrived before the write is not the write's.
    f.feed(shortAnswer(0, 0xFD));
    QVERIFY(!f.page->writeRefused(run, write, 50));

    // Refusal and poll answer in one chunk, either way round: both handled.
    for (const QByteArray &chunk : {shortAnswer(0, 0xFD) + poll, poll + shortAnswer(0, 0xFD)}) {
        f.page->setPasswordEntered(true);
        QTimer::singleShot(20, f.page.get(), [&f, chunk] { f.feed(chunk); });
        QVERIFY(f.page->writeRefused(run, write, 100));
        QVERIFY(!f.page->isPasswordEntered());
        QCOMPARE(f.ui->label_UrovenDUT->text(), QString::number(sensor.level));
    }
    // An acknowledgement glued to a poll answer is no refusal.
    QTimer::singleShot(20, f.page.get(), [&f, poll] { f.feed(shortAnswer(0, 0xF2) + poll); });
    QVERIFY(!f.page->writeRefused(run, write, 100));
}

void TestFlsPassword::dialogSlotsWithoutADialogSendNothing()
{
    PageFixture<FLSDevice> f;
    QSignalSpy writes(f.page.get(), &FLSDevice::writeData);
    QVERIFY(!f.page->setPass());
    QVERIFY(!f.page->delPass());
    f.page->inputPass();
    QCOMPARE(writes.count(), 0);
}

QTEST_MAIN(TestFlsPassword)
#include "tst_flspassword.moc"
