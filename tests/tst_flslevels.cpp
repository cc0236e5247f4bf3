#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "devices/online/qfonline.h"
#include "dialogsteps.h"
#include "link/frame.h"
#include "ui/switch.h"
#include "wiredsession.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

// Full and Empty levels, the horizon, the slave sensors and the engineer
// switches of a wired sensor, end to end through the main window against a
// simulated sensor that takes, refuses or ignores the frames.
class TestFlsLevels : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();

    void hotKeysSetTheLevelsFromThePresentReading();
    void levelFramesFollowThePasswordAndMeetRefusalAndSilence();
    void calibrationWithoutFuelWritesBothLevelsAndShowsThem();
    void calibrationWithoutReadingsIsRefused();
    void calibrationDialogSetsALevelFromThePresentReading();
    void manualLevelsAreCheckedThenWrittenEmptyFirst();
    void horizonIsConfirmedOnScreen();
    void slaveDialogShowsTheMaskAndTheRefreshedAddresses();
    void engineerSwitchesWriteTheirBit();
    void onlineUnitGetsTheShortLevelFrames();

private:
    bool startSession(quint8 model = SimulatedFls::kModelQF470, int form = 29,
                      const QString &status = "Подключен QF470");
    void pressKey(Qt::Key key);
    void enterPassword(quint32 password);

    std::unique_ptr<WiredSession> s;
};

namespace {

const QString kFullAdvice = "Установку \"Полный\" рекомендуется делать\nпри отключенном сглаживании";
const QString kEmptyAdvice = "Установку \"Пустой\" рекомендуется делать\nпри отключенном сглаживании";
const QString kFullConfirmation = "Сейчас будет установлен новый уровень \"Полный\"\nВы уверены?";
const QString kEmptyConfirmation = "Сейчас будет установлен новый уровень \"Пустой\"\nВы уверены?";

QString labelText(QWidget *dialog, const char *name)
{
    auto *label = dialog->findChild<QLabel *>(name);
    return label ? label->text() : QString("(no %1)").arg(name);
}

} // namespace

bool TestFlsLevels::startSession(quint8 model, int form, const QString &status)
{
    s = std::make_unique<WiredSession>();
    return s->isValid() && s->connectAs(model, form, status);
}

void TestFlsLevels::cleanup()
{
    s.reset();
}

void TestFlsLevels::pressKey(Qt::Key key)
{
    QVERIFY(s->activate());
    QTest::keyClick(s->window.get(), key);
}

void TestFlsLevels::enterPassword(quint32 password)
{
    DialogSteps script({DialogSteps::fillAndClick({QString::number(password)}, "Ввести пароль")});
    s->serviceEntry("security")->trigger();
    QVERIFY(s->page->isPasswordEntered());
}

void TestFlsLevels::hotKeysSetTheLevelsFromThePresentReading()
{
    QVERIFY(startSession());
    SimulatedFls::Sensor &sensor = s->device->sensor();
    sensor.count = 17000;
    QSignalSpy fullSet(s->page, &FLSDevice::signalWasSetFullLevel);
    QSignalSpy emptySet(s->page, &FLSDevice::signalWasSetEmptyLevel);

    // F2: advice, confirmation, then the frame.
    int from = s->device->requests().size();
    {
        DialogSteps script({DialogSteps::accept(), DialogSteps::accept()});
        pressKey(Qt::Key_F2);
        QCOMPARE(script.allTexts(), QStringList({kFullAdvice, kFullConfirmation}));
    }
    QTRY_COMPARE_WITH_TIMEOUT(s->writesSince(from), QList<quint8>({0xF5}), 2000);
    QCOMPARE(s->sent(0xF5).last(), signedRequest(1, 0xF5));
    QCOMPARE(sensor.full, 17000);
    // The sensor's acknowledgement and its next answer report the new Full.
    QTRY_COMPARE_WITH_TIMEOUT(fullSet.count(), 1, 4000);
    QCOMPARE(fullSet.at(0).at(0).toInt(), 17000);
    QCOMPARE(s->page->getFullValue(), 17000);
    QTRY_VERIFY_WITH_TIMEOUT(s->logSinceStart().contains(" -- Set full FLS\r\n"), 2000);

    // F3 cancelled on the confirmation: nothing; confirmed: Empty.
    sensor.count = 11000;
    from = s->device->requests().size();
    {
        DialogSteps script({DialogSteps::accept(), DialogSteps::reject()});
        pressKey(Qt::Key_F3);
        QCOMPARE(script.allTexts(), QStringList({kEmptyAdvice, kEmptyConfirmation}));
    }
    {
        DialogSteps script({DialogSteps::accept(), DialogSteps::accept()});
        pressKey(Qt::Key_F3);
    }
    QTRY_COMPARE_WITH_TIMEOUT(s->writesSince(from), QList<quint8>({0xFA}), 2000);
    QCOMPARE(sensor.empty, 11000);
    QTRY_COMPARE_WITH_TIMEOUT(emptySet.count(), 1, 4000);
    QCOMPARE(emptySet.at(0).at(0).toInt(), 11000);
}

void TestFlsLevels::levelFramesFollowThePasswordAndMeetRefusalAndSilence()
{
    QVERIFY(startSession());
    SimulatedFls::Sensor &sensor = s->device->sensor();
    sensor.password = 4321;
    sensor.count = 16000;

    // Locked: the sensor refuses, the page shows the lock; Full stays.
    int from = s->device->requests().size();
    {
        DialogSteps script({DialogSteps::accept(), DialogSteps::accept()});
        pressKey(Qt::Key_F2);
    }
    QTRY_COMPARE_WITH_TIMEOUT(s->writesSince(from), QList<quint8>({0xF5}), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(showsPicture(s->ui->label_LockDUT, ":/images/lock.png"), 3000);
    QCOMPARE(sensor.full, 20000);

    // With the password entered it goes first, then the level.
    enterPassword(4321);
    from = s->device->requests().size();
    {
        DialogSteps script({DialogSteps::accept(), DialogSteps::accept()});
        pressKey(Qt::Key_F2);
    }
    QTRY_COMPARE_WITH_TIMEOUT(s->writesSince(from), QList<quint8>({0xF8, 0xF5}), 2000);
    QCOMPARE(s->sent(0xF8).last(), signedRequest(1, 0xF8, be32(4321)));
    QCOMPARE(sensor.full, 16000);

    // A sensor that stays silent is not waited for and nothing breaks.
    s->device->silent = true;
    from = s->device->requests().size();
    {
        DialogSteps script({DialogSteps::accept(), DialogSteps::accept()});
        pressKey(Qt::Key_F3);
        QCOMPARE(script.seen.size(), 2);
    }
    QTRY_VERIFY_WITH_TIMEOUT(s->writesSince(from).contains(0xFA), 2000);
    s->device->silent = false;
    QTRY_VERIFY_WITH_TIMEOUT(s->page->isDeviceConnected(), 8000);
}

void TestFlsLevels::calibrationWithoutFuelWritesBothLevelsAndShowsThem()
{
    QVERIFY(startSession());
    // QF470 at 25 degrees with count 15000: Empty 14475, Full 22146.
    QCOMPARE(s->device->sensor().temperature, qint8(25));
    QCOMPARE(s->device->sensor().count, 15000);
    QStringList opened, counted, written;
    bool activeWhileOpen = false;
    // Quiet until the dialog was looked at, so that no answer changes its first count before; a request left
    // unanswered says the answers before it came.
    s->device->silent = true;
    const int asked = s->device->requests().size();
    QTRY_VERIFY_WITH_TIMEOUT(s->device->requests().size() > asked, 4000);
    const int from = s->device->requests().size();
    DialogSteps script({[&](QWidget *dialog) {
                            opened << labelText(dialog, "labelCntAutoCalib") << labelText(dialog, "labelEmptyAutoCalib")
                                   << labelText(dialog, "labelFullAutoCalib");
                            s->device->silent = false;
                            activeWhileOpen = s->page->isAutoCalibrationActive();
                            // The next answer shows the bare count.
                            (void)QTest::qWaitFor(
                                [dialog] { return labelText(dialog, "labelCntAutoCalib") == QString("15000"); }, 4000);
                            counted << labelText(dialog, "labelCntAutoCalib");
                            dialog->findChild<QPushButton *>("pushButtonAutoCalibStart")->click();
                            // The sensor's acknowledgements and next answer refresh the values.
                            (void)QTest::qWaitFor(
                                [dialog] { return labelText(dialog, "labelFullAutoCalib") == QString("22146"); }, 4000);
                            written << labelText(dialog, "labelEmptyAutoCalib")
                                    << labelText(dialog, "labelFullAutoCalib");
                            static_cast<QDialog *>(dialog)->reject();
                        },
                        DialogSteps::accept()});
    s->ui->pushButtonAutoCalibrate->click();

    QCOMPARE(opened, QStringList({"CNT=15000", "10000", "20000"}));
    QVERIFY(activeWhileOpen);
    QCOMPARE(counted, QStringList({"15000"}));
    QCOMPARE(script.seen.size(), 2);
    QCOMPARE(script.seen.at(1).texts,
             QStringList({"Сейчас будет произведена автоматическая калибровка Пустой/Полный", "Вы уверены?"}));
    QCOMPARE(s->writesSince(from), QList<quint8>({0xED, 0xEC}));
    QCOMPARE(s->sent(0xED).last(), signedRequest(1, 0xED, be32(14475)));
    QCOMPARE(s->sent(0xEC).last(), signedRequest(1, 0xEC, be32(22146)));
    QCOMPARE(s->device->sensor().empty, 14475);
    QCOMPARE(s->device->sensor().full, 22146);
    QCOMPARE(written, QStringList({"14475", "22146"}));
    // Closing the dialog (Esc here) ends the page's calibration mode.
    QVERIFY(!s->page->isAutoCalibrationActive());
}

void TestFlsLevels::calibrationWithoutReadingsIsRefused()
{
    s = std::make_unique<WiredSession>();
    QVERIFY(s->isValid());
    s->device->silent = true;
    QVERIFY(!s->connect("Подключен QF470", 1500));
    const int from = s->device->requests().size();
    DialogSteps script({[](QWidget *dialog) {
                            dialog->findChild<QPushButton *>("pushButtonAutoCalibStart")->click();
                            static_cast<QDialog *>(dialog)->accept();
                        },
                        DialogSteps::accept()});
    s->ui->pushButtonAutoCalibrate->click();
    // No sensor answered: refused before its question, and told on the page.
    QCOMPARE(script.seen.size(), 1);
    QCOMPARE(s->page->getLabelStatusMessage()->text(), QString("Подключите датчик"));
    // Once the sensor answers, nothing written meanwhile shows up.
    s->device->silent = false;
    QTRY_COMPARE_WITH_TIMEOUT(s->page->getLabelStatusMessage()->text(), QString("Подключен QF470"), 8000);
    QCOMPARE(s->writesSince(from), QList<quint8>());
}

void TestFlsLevels::calibrationDialogSetsALevelFromThePresentReading()
{
    QVERIFY(startSession());
    s->device->sensor().count = 18000;
    QList<bool> enabledAfterSwitch;
    const int from = s->device->requests().size();
    DialogSteps script({[&](QWidget *dialog) {
                            auto *full = dialog->findChild<QPushButton *>("pushButtonAutoCalibFull");
                            auto *empty = dialog->findChild<QPushButton *>("pushButtonAutoCalibEmpty");
                            auto *start = dialog->findChild<QPushButton *>("pushButtonAutoCalibStart");
                            enabledAfterSwitch << full->isEnabled() << empty->isEnabled() << start->isEnabled();
                            QTest::mouseClick(dialog->findChild<Switch *>("switchAutoCalibWithoutFuel"),
                                              Qt::LeftButton);
                            enabledAfterSwitch << full->isEnabled() << empty->isEnabled() << start->isEnabled();
                            full->click();
                            static_cast<QDialog *>(dialog)->accept();
                        },
                        DialogSteps::accept()});
    s->ui->pushButtonAutoCalibrate->click();
    QCOMPARE(enabledAfterSwitch, QList<bool>({false, false, true, true, true, false}));
    // Only the confirmation, no advice.
    QCOMPARE(script.seen.size(), 2);
    QCOMPARE(script.seen.at(1).texts, QStringList({kFullConfirmation}));
    QTRY_COMPARE_WITH_TIMEOUT(s->writesSince(from), QList<quint8>({0xF5}), 2000);
    QCOMPARE(s->device->sensor().full, 18000);
}

void TestFlsLevels::manualLevelsAreCheckedThenWrittenEmptyFirst()
{
    QVERIFY(startSession());
    s->serviceEntry("engineer")->trigger();
    QCOMPARE(s->ui->stackedWidget->currentWidget(), s->ui->EngineerMenuDUT);

    // The dialog shows the sensor's levels shortly after it opens; what is
    // typed then goes out, Empty before Full.
    QStringList shown;
    const auto typeAndOk = [&shown](const QString &full, const QString &empty) {
        return [&shown, full, empty](QWidget *dialog) {
            (void)QTest::qWaitFor([dialog] { return dialog->findChildren<QLineEdit *>().at(0)->text() == "20000"; },
                                  2000);
            for (QLineEdit *field : dialog->findChildren<QLineEdit *>())
                shown << field->text();
            DialogSteps::fillAndClick({full, empty}, "OK")(dialog);
        };
    };
    int from = s->device->requests().size();
    {
        DialogSteps script({typeAndOk("", ""), DialogSteps::accept(), DialogSteps::accept()});
        s->ui->pushBtnManualInput->click();
        QCOMPARE(
            script.allTexts().mid(script.allTexts().size() - 2),
            QStringList({"Установите корректное значение \"Пустой\"", "Установите корректное значение \"Полный\""}));
    }
    QCOMPARE(shown.mid(0, 2), QStringList({"20000", "10000"}));
    {
        DialogSteps script({typeAndOk("4000", "5000"), DialogSteps::accept()});
        s->ui->pushBtnManualInput->click();
        QCOMPARE(script.allTexts().last(), QString("Значение \"Пустой\" не может быть больше \"Полный\""));
    }
    {
        DialogSteps script({typeAndOk("4294967296", "1000"), DialogSteps::accept(), DialogSteps::accept()});
        s->ui->pushBtnManualInput->click();
        QCOMPARE(script.allTexts().last(), QString("Установите корректное значение \"Полный\""));
    }
    {
        DialogSteps script({DialogSteps::reject()});
        s->ui->pushBtnManualInput->click();
    }
    {
        DialogSteps script({typeAndOk("4000", "1000")});
        s->ui->pushBtnManualInput->click();
        QCOMPARE(script.seen.size(), 1);
    }
    // Only the last, checked and confirmed, levels went out.
    QCOMPARE(s->writesSince(from), QList<quint8>({0xED, 0xEC}));
    QCOMPARE(s->sent(0xED).last(), signedRequest(1, 0xED, be32(1000)));
    QCOMPARE(s->sent(0xEC).last(), signedRequest(1, 0xEC, be32(4000)));
    QCOMPARE(s->device->sensor().empty, 1000);
    QCOMPARE(s->device->sensor().full, 4000);
    QTRY_VERIFY_WITH_TIMEOUT(s->logSinceStart().contains(" -- Manual input full and empty\r\n"), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(s->page->getFullValue(), 4000, 4000);
}

void TestFlsLevels::horizonIsConfirmedOnScreen()
{
    QVERIFY(startSession());
    {
        // Shown once the horizon's procedure is over: the next press starts.
        bool over = false;
        DialogSteps script({[&](QWidget *box) {
            over = !s->page->isProcedureRunning();
            DialogSteps::accept()(box);
        }});
        s->ui->pushBtnCalibHorizState->click();
        QTRY_COMPARE_WITH_TIMEOUT(script.seen.size(), 1, 3000);
        QCOMPARE(script.seen.at(0).texts, QStringList({"Установлен Горизонт"}));
        QVERIFY(over);
    }
    QCOMPARE(s->sent(0xAA), QStringList({signedRequest(1, 0xAA)}));
    QCOMPARE(s->device->sensor().horizonCalibrations, 1);
    QTRY_VERIFY_WITH_TIMEOUT(s->logSinceStart().contains(" -- Horizont calibrate\r\n"), 2000);

    // A locked sensor refuses: no confirmation, the lock shows.
    s->device->sensor().password = 99;
    {
        DialogSteps script;
        s->ui->pushBtnCalibHorizState->click();
        QTRY_VERIFY_WITH_TIMEOUT(showsPicture(s->ui->label_LockDUT, ":/images/lock.png"), 3000);
        QVERIFY(script.seen.isEmpty());
    }
    QCOMPARE(s->device->sensor().horizonCalibrations, 1);
}

void TestFlsLevels::slaveDialogShowsTheMaskAndTheRefreshedAddresses()
{
    QVERIFY(startSession());
    QStringList before, after;
    QList<bool> enabled, onBefore, onAfter;
    QTest::ignoreMessage(QtDebugMsg, "config =  35");
    DialogSteps script({[&](QWidget *dialog) {
        const QList<Switch *> switches = dialog->findChildren<Switch *>();
        const QList<QLineEdit *> fields = dialog->findChildren<QLineEdit *>(); // period first
        for (QLineEdit *f : fields)
            before << f->text();
        for (int k = 0; k < switches.size(); ++k) {
            onBefore << switches.at(k)->getState();
            enabled << fields.at(k + 1)->isEnabled();
        }
        // Slave 1 on, then "Установить": the mask goes to the page.
        QTest::mouseClick(switches.at(0), Qt::LeftButton);
        enabled << fields.at(1)->isEnabled();
        for (QPushButton *b : dialog->findChildren<QPushButton *>()) {
            if (b->text() == "Установить")
                b->click();
        }
        // The sensor's next answer refreshes the open dialog.
        (void)QTest::qWaitFor([fields] { return fields.at(1)->text() == "5"; }, 4000);
        for (QLineEdit *f : fields)
            after << f->text();
        for (Switch *sw : switches)
            onAfter << sw->getState();
        static_cast<QDialog *>(dialog)->reject();
    }});
    s->ui->pushButton_SlaveSensors->click();

    QCOMPARE(before, QStringList({"0", "1", "2", "3", "4", "5", "6", "7"}));
    QCOMPARE(onBefore, QList<bool>({false, true, false, false, false, true, false}));
    QCOMPARE(enabled, QList<bool>({false, true, false, false, false, true, false, true}));
    QCOMPARE(after, QStringList({"0", "5", "8", "13", "34", "25", "16", "37"}));
    QCOMPARE(onAfter, onBefore);
    QVERIFY(!s->page->isNeedUpdateSlaveState());
}

void TestFlsLevels::engineerSwitchesWriteTheirBit()
{
    s = std::make_unique<WiredSession>();
    QVERIFY(s->isValid());
    s->device->sensor().configB = 0x13; // angle on, level 3
    QVERIFY(s->connect("Подключен QF470"));
    QTRY_VERIFY_WITH_TIMEOUT(s->page->getSwitchAngle()->getState(), 3000);
    s->serviceEntry("engineer")->trigger();

    QTest::mouseClick(s->page->getSwitchEcoDrive(), Qt::LeftButton);
    // EcoDrive on, angle as the sensor has it; the angle switch shows off at once.
    QCOMPARE(s->sent(0xF2).last(), signedRequest(1, 0xF2, QByteArray::fromHex("003300")));
    QVERIFY(!s->page->getSwitchAngle()->getState());
    QTRY_VERIFY_WITH_TIMEOUT(s->logSinceStart().contains(" -- Switch mode EcoDrive\r\n"), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(s->device->sensor().configB, quint8(0x33), 2000);

    // The next flip starts from what the sensor reports.
    QTRY_COMPARE_WITH_TIMEOUT(s->page->getConfigByteB(), quint8(0x33), 3000);
    QTest::mouseClick(s->page->getSwitchTermo(), Qt::LeftButton);
    QCOMPARE(s->sent(0xF2).last(), signedRequest(1, 0xF2, QByteArray::fromHex("00b300")));
    QTRY_COMPARE_WITH_TIMEOUT(s->device->sensor().configB, quint8(0xB3), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(s->logSinceStart().contains(" -- Switch mode Termocompensation\r\n"), 2000);
}

void TestFlsLevels::onlineUnitGetsTheShortLevelFrames()
{
    SimulatedDevice unit;
    QVERIFY(unit.isValid());
    // It answers the status request as the online unit does.
    unit.setAnswer(0xA0, frame::withCrc(QByteArray::fromHex("3e01a0") + QByteArray(33, '\0')));
    qputenv(portlist::kExtraPortsVariable, unit.portPath().toLocal8Bit());
    Reriruvozive window;
    window.form()->comboBox_SerialPort->setCurrentText(unit.portPath());
    window.form()->pushButtonQFOnline->click();
    QCOMPARE(window.form()->stackedWidget->currentWidget(), window.form()->QFOnline);
    // Sent only to a unit that answered as the online unit.
    QTRY_VERIFY_WITH_TIMEOUT(window.online()->isDeviceConnected(), 5000);

    const auto levelFrames = [&unit] {
        QList<QByteArray> out;
        for (const SimulatedDevice::Request &r : unit.requests()) {
            if (r.bytes.size() >= 3 && (quint8(r.bytes.at(2)) == 0xF5 || quint8(r.bytes.at(2)) == 0xFA))
                out << r.bytes;
        }
        return out;
    };
    // No advice for the online unit: the confirmation alone.
    for (QPushButton *button : {window.form()->Button_SetFullDUTOnline, window.form()->Button_SetEmptyDUTOnline}) {
        DialogSteps script({DialogSteps::accept()});
        button->click();
        QCOMPARE(script.seen.size(), 1);
    }
    QTRY_COMPARE_WITH_TIMEOUT(levelFrames().size(), 2, 2000);
    // Start, address, command and CRC-8: no write signature.
    const QByteArray address(1, char(window.getCurrentNetNum()));
    QCOMPARE(levelFrames().at(0).toHex(' '), frame::withCrc("\x31" + address + "\xf5").toHex(' '));
    QCOMPARE(levelFrames().at(1).toHex(' '), frame::withCrc("\x31" + address + "\xfa").toHex(' '));
}

QTEST_MAIN(TestFlsLevels)
#include "tst_flslevels.moc"
