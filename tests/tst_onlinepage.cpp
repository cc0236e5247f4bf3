#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "devices/online/qfonline.h"
#include "link/frame.h"
#include "link/portconnection.h"
#include "modalscript.h"
#include "shortintervals.h"
#include "simulatedonline.h"
#include "ui/custompopup.h"
#include "ui/dynamicqdialog.h"
#include "ui/switch.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

// The online unit's page end to end: the real main window, the real port on
// a pseudo-terminal and a simulated unit on the far end. Every check waits
// for what a user would see.
class TestOnlinePage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void connectShowsImeiStatusAndLevel();
    void settingsAreReadEditedWrittenAndReadBack();
    void operatorPresetAndTooLongTextsReachTheUnitCut();
    void switchesChangeTheUnitAndFollowIt();
    void calibrationButtonsTellOnlyWhatWentOut();
    void commandsAreToldDoneOnlyOnTheUnitsAnswer_data();
    void commandsAreToldDoneOnlyOnTheUnitsAnswer();
    void firmwareUpdateEndResumesPolling();
    void silentUnitLosesItsReadingsButIsStillPolled();
    void gluedAnswersAreAllTaken();
    void questionMarksAndTheImeiCopyAnswerTheMouse();

private:
    void connectPage();
    void waitForReadings();
    void openSettingsTab();
    QString logSinceStart() const;
    QStringList noticesShown() const;
    static void typeInto(QLineEdit *edit, const QString &text);

    std::unique_ptr<SimulatedOnline> device;
    std::unique_ptr<Reriruvozive> window;
    Ui_Deruvivuriri *ui = nullptr;
    QFOnline *page = nullptr;
    qint64 logStart = 0;
};

namespace {

// The IMEI goes out with the button, then level and status in turn, one a
// poll (a second for a user; the page runs on short periods, see init()).
constexpr int kReadingsMs = 6000;
constexpr int kAnswerMs = 3000;

QString logPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/log.txt";
}

} // namespace

void TestOnlinePage::init()
{
    device = std::make_unique<SimulatedOnline>();
    QVERIFY(device->isValid());
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit());
    window = std::make_unique<Reriruvozive>();
    ui = window->form();
    page = window->online();
    QVERIFY(page);
    shortintervals::apply(page);
    QFile log(logPath());
    logStart = log.exists() ? log.size() : 0;
}

void TestOnlinePage::cleanup()
{
    window.reset();
    device.reset();
    ui = nullptr;
    page = nullptr;
}

void TestOnlinePage::connectPage()
{
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    QCOMPARE(ui->comboBox_SerialPort->currentText(), device->portPath());
    ui->pushButtonQFOnline->click();
    QVERIFY(window->port()->getSerialPort()->isOpen());
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->QFOnline);
}

void TestOnlinePage::waitForReadings()
{
    // Level and status have both come.
    QTRY_VERIFY_WITH_TIMEOUT(!ui->tabWidgetQFOnline->isHidden() && page->isDeviceConnected(), kReadingsMs);
}

void TestOnlinePage::openSettingsTab()
{
    ui->tabWidgetQFOnline->setCurrentIndex(1);
    QTRY_COMPARE_WITH_TIMEOUT(ui->lineEditOnlineAccessDot->text(), QString("internet"), kAnswerMs);
    QVERIFY(page->isConfigRead());
}

QString TestOnlinePage::logSinceStart() const
{
    QFile log(logPath());
    if (!log.open(QIODevice::ReadOnly))
        return QString();
    log.seek(logStart);
    return QString::fromUtf8(log.readAll());
}

QStringList TestOnlinePage::noticesShown() const
{
    QStringList texts;
    for (QObject *owner : {static_cast<QObject *>(window.get()), static_cast<QObject *>(page)}) {
        for (DynamicQDialog *d : owner->findChildren<DynamicQDialog *>()) {
            if (!d->isVisible())
                continue;
            for (QLabel *l : d->findChildren<QLabel *>()) {
                if (!l->text().isEmpty())
                    texts << l->text();
            }
        }
    }
    return texts;
}

void TestOnlinePage::typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : text) {
        // Letters beyond ASCII come as key events that carry only their text.
        if (c.unicode() < 0x80)
            QTest::keyClick(edit, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void TestOnlinePage::connectShowsImeiStatusAndLevel()
{
    connectPage();
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_24->text(), QString("86123456789012A"), kAnswerMs);
    waitForReadings();
    QCOMPARE(ui->label_UrovenDUTOnline->text(), QString("512"));
    QCOMPARE(ui->label_TempValDUT->text(), QString("21°C"));
    QCOMPARE(ui->label_17DUTOnline->text(), QString("2000"));
    QCOMPARE(ui->label_18DUTOnline->text(), QString("4000"));
    QCOMPARE(ui->label_ValCurrent_3->text(), QString("3012"));
    QVERIFY(ui->label_NeedCalibOnline->isHidden());

    QTRY_COMPARE_WITH_TIMEOUT(ui->label_34->text(), QString("12.34"), kAnswerMs);
    QCOMPARE(ui->label_26->text(), QString("9"));
    QCOMPARE(ui->label_28->text(), QString("24"));
    QCOMPARE(ui->label_32->text(), QString("3"));
    QCOMPARE(ui->label_StatusQFOnline->text(), QString("подключен\nк серверу"));
    QVERIFY(page->isDeviceConnected());
    QCOMPARE(window->getSurveyQueue(), QByteArray(1, '\x01'));

    // Both polls go to network number 1; nothing else was asked.
    for (quint8 command : {quint8(0xF0), quint8(0xA0)}) {
        QVERIFY(device->countRequests(command) >= 1);
        for (const QByteArray &r : device->requestsWith(command))
            QCOMPARE(quint8(r.at(1)), quint8(1));
    }
    QCOMPARE(device->countRequests(0xA2), 0);
    QTRY_VERIFY_WITH_TIMEOUT(logSinceStart().contains(" -- QFOnline connected\r\n"), kAnswerMs);
    QVERIFY(logSinceStart().contains("NetNum=1, Empty=2000, Full=4000, Current=3012, Level=512, Temperature=21\r\n"));
}

void TestOnlinePage::settingsAreReadEditedWrittenAndReadBack()
{
    connectPage();
    waitForReadings();
    openSettingsTab();
    QCOMPARE(ui->lineEditOnlineUser->text(), QString("wemto"));
    QCOMPARE(ui->lineEditOnlinePassword->text(), QString("wemto"));
    QCOMPARE(ui->lineEditOnlinePIN->text(), QString("1234"));
    QCOMPARE(ui->lineEditOnlineServerAddress->text(), QString("gps.example.net"));
    QCOMPARE(ui->lineEditOnlineServerPort->text(), QString("20332"));
    QCOMPARE(ui->lineEditOnlinePassAccessDevice->text(), QString("s3cret"));
    QCOMPARE(ui->lineEditOnlinePeriodSend->text(), QString("30"));
    QCOMPARE(ui->comboBoxChooseOperator->currentText(), QString("megafon"));
    QCOMPARE(ui->label_FirmwareVal->text(), QString("105"));
    QCOMPARE(ui->label_SerNumVal->text(), QString("40123"));
    QTRY_VERIFY_WITH_TIMEOUT(noticesShown().contains("Настройки прочитаны"), kAnswerMs);

    typeInto(ui->lineEditOnlineAccessDot, "m2m.example");
    typeInto(ui->lineEditOnlineServerAddress, "srv.example.org");
    typeInto(ui->lineEditOnlinePeriodSend, "120");

    // A channel address is one byte: 300 cannot be typed; put there anyway,
    // or emptied, it holds the whole write back instead of going out as 44 or 0.
    typeInto(ui->lineEditOnlineChanel1, "300");
    QCOMPARE(ui->lineEditOnlineChanel1->text(), QString("30"));
    for (const QString &text : {QString("300"), QString()}) {
        ui->lineEditOnlineChanel1->setText(text);
        emit ui->lineEditOnlineChanel1->textEdited(text);
        ui->pushButtonOnlineWriteSetting->click();
        QVERIFY(noticesShown().contains("Недопустимое значение: Адрес (1 канал)\nВведите число от 0 до 255"));
        QVERIFY(!noticesShown().contains("Настройки записаны"));
    }
    // A sending period the field cannot hold is refused the same way.
    const QString periodRefused = "Недопустимое значение: Период отправки\nВведите число от -32768 до 32767";
    for (const QString &text : {QString("70000"), QString("abc"), QString(), QString("32768")}) {
        ui->lineEditOnlinePeriodSend->setText(text);
        emit ui->lineEditOnlinePeriodSend->textEdited(text);
        ui->pushButtonOnlineWriteSetting->click();
        QVERIFY2(noticesShown().contains(periodRefused), qPrintable(text));
        QVERIFY(!noticesShown().contains("Настройки записаны"));
    }
    QCOMPARE(device->countRequests(0xA3), 0);
    typeInto(ui->lineEditOnlinePeriodSend, "120");

    typeInto(ui->lineEditOnlineChanel1, "255");
    ui->pushButtonOnlineWriteSetting->click();
    QVERIFY(noticesShown().contains("Настройки записаны"));
    QTRY_COMPARE_WITH_TIMEOUT(device->appliedRecords.size(), 1, kAnswerMs);

    // Everything the user did not touch goes back as the unit sent it.
    QByteArray expected = SimulatedOnline::sampleRecord();
    SimulatedOnline::putText(expected, SimulatedOnline::kApn, "m2m.example");
    SimulatedOnline::putText(expected, SimulatedOnline::kServer, "srv.example.org");
    expected[SimulatedOnline::kPeriod] = 120;
    expected[SimulatedOnline::kAddresses] = char(255);
    QCOMPARE(device->appliedRecords.first().toHex(' '), expected.toHex(' '));

    // Read back: the same settings come from the unit.
    ui->lineEditOnlineAccessDot->clear();
    ui->lineEditOnlineServerAddress->clear();
    ui->pushButtonOnlineReadSetting->click();
    QTRY_COMPARE_WITH_TIMEOUT(ui->lineEditOnlineAccessDot->text(), QString("m2m.example"), kAnswerMs);
    QCOMPARE(ui->lineEditOnlineServerAddress->text(), QString("srv.example.org"));
    QCOMPARE(ui->lineEditOnlinePeriodSend->text(), QString("120"));
    QCOMPARE(page->getConfigBlock().bytes(), expected);
}

void TestOnlinePage::operatorPresetAndTooLongTextsReachTheUnitCut()
{
    connectPage();
    waitForReadings();
    openSettingsTab();

    // Picking an operator fills in its access settings.
    const int xqj = ui->comboBoxChooseOperator->findText("xqj");
    QVERIFY(xqj >= 0);
    ui->comboBoxChooseOperator->setCurrentIndex(xqj);
    emit ui->comboBoxChooseOperator->activated(xqj);
    QCOMPARE(ui->lineEditOnlineUser->text(), QString("xqj"));
    QCOMPARE(ui->lineEditOnlinePassword->text(), QString("xqj"));
    QVERIFY(ui->lineEditOnlineAccessDot->text().contains("xqj"));

    // The APN field takes 30 bytes, the server field 25: the rest is not taken.
    typeInto(ui->lineEditOnlineAccessDot, QString(40, 'a'));
    QCOMPARE(ui->lineEditOnlineAccessDot->text(), QString(30, 'a'));
    typeInto(ui->lineEditOnlineServerAddress, QString(14, QChar(0x44F)));
    QCOMPARE(ui->lineEditOnlineServerAddress->text(), QString(12, QChar(0x44F)));

    ui->pushButtonOnlineWriteSetting->click();
    QTRY_COMPARE_WITH_TIMEOUT(device->appliedRecords.size(), 1, kAnswerMs);
    const QByteArray record = device->appliedRecords.first();
    // A text that fills its field carries no zero; the next field follows at once.
    QCOMPARE(record.mid(SimulatedOnline::kApn.offset, 30), QByteArray(30, 'a'));
    QCOMPARE(record.mid(SimulatedOnline::kApnUser.offset, 20), QByteArray("xqj").leftJustified(20, '\0'));
    QCOMPARE(record.mid(SimulatedOnline::kApnPassword.offset, 20), QByteArray("xqj").leftJustified(20, '\0'));
    QCOMPARE(record.mid(SimulatedOnline::kServer.offset, 25),
             QString(12, QChar(0x44F)).toUtf8().leftJustified(25, '\0'));
    QCOMPARE(record.mid(SimulatedOnline::kPort.offset, 6), QByteArray("20332").leftJustified(6, '\0'));

    // "другой" clears the three access fields, in the form and in the record.
    const int other = ui->comboBoxChooseOperator->count() - 1;
    ui->comboBoxChooseOperator->setCurrentIndex(other);
    emit ui->comboBoxChooseOperator->activated(other);
    QCOMPARE(ui->lineEditOnlineAccessDot->text(), QString());
    QCOMPARE(page->getConfigBlock().bytes().mid(1, 70), QByteArray(70, '\0'));
}

void TestOnlinePage::switchesChangeTheUnitAndFollowIt()
{
    connectPage();
    waitForReadings();
    ui->tabWidgetQFOnline->setCurrentIndex(2);
    QTRY_COMPARE_WITH_TIMEOUT(ui->lineEditOnlineChanel1->text(), QString("12"), kAnswerMs);
    // No notice on the RS485 tab.
    QVERIFY(!noticesShown().contains("Настройки прочитаны"));
    QCOMPARE(ui->label_50->text(), QString("700"));
    QCOMPARE(ui->label_51->text(), QString("--"));
    Switch *second = page->getSwitch(QFOnline::Channel2);
    QVERIFY(!second->getState());

    QTest::mouseClick(second, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(device->appliedRecords.size(), 1, kAnswerMs);
    QCOMPARE(quint8(device->unit.record.at(SimulatedOnline::kModes + 1)), quint8(1));
    // The read-back that follows shows the unit's address of the channel.
    QTRY_COMPARE_WITH_TIMEOUT(ui->lineEditOnlineChanel2->text(), QString("13"), kAnswerMs);
    QVERIFY(second->getState());

    // An emptied channel address holds a switch's write back too; the switch goes back.
    ui->lineEditOnlineChanel1->clear();
    emit ui->lineEditOnlineChanel1->textEdited(QString());
    const int polls = device->countRequests(0xF0);
    QTest::mouseClick(second, Qt::LeftButton);
    QVERIFY(second->getState());
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(0xF0) > polls, kAnswerMs);
    QCOMPARE(device->appliedRecords.size(), 1);

    // The mode switch sends the mode alone.
    const int writes = device->appliedRecords.size();
    QTest::mouseClick(page->getSwitch(QFOnline::WorkingMode), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(device->appliedModes, (QList<quint8>{0x09}), kAnswerMs);
    QCOMPARE(device->appliedRecords.size(), writes);
}

void TestOnlinePage::calibrationButtonsTellOnlyWhatWentOut()
{
    // A unit that never answered in the session is sent no level: the
    // press is refused and told, whatever boxes come.
    device->silent = true;
    connectPage();
    ModalScript script;
    for (const char *box : {"the refusal", "the question, if asked"})
        script.then(
            box, [](QWidget *) { return true; }, ModalScript::accept());
    ui->Button_SetFullDUTOnline->click();
    QVERIFY2(script.seen.value(0).contains("Подключите датчик"), qPrintable(script.seen.join('/')));
    const int polls = device->countRequests(0xA0);
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(0xA0) >= polls + 2, kAnswerMs);
    QCOMPARE(device->countRequests(0xF5), 0);
    device->silent = false;

    waitForReadings();
    ui->tabWidgetQFOnline->setCurrentIndex(2);

    ui->pushButtonOnlineEngineOn->click();
    QVERIFY(noticesShown().contains("Калибровка произведена"));
    QTRY_COMPARE_WITH_TIMEOUT(device->engineOnCount, 1, kAnswerMs);
    ui->pushButtonOnlineEngineOff->click();
    QTRY_COMPARE_WITH_TIMEOUT(device->engineOffCount, 1, kAnswerMs);
    ui->pushButtonOnlineHorizont->click();
    QTRY_COMPARE_WITH_TIMEOUT(device->horizonCount, 1, kAnswerMs);
    QCOMPARE(device->requestsWith(0xE3).first(), frame::withCrc(QByteArray::fromHex("3101e3")));
    QCOMPARE(quint8(device->requestsWith(0xAA).first().at(1)), quint8(0xCA));
    // One notice on screen at a time.
    QCOMPARE(noticesShown().count("Калибровка произведена"), 1);

    // Without an open port nothing reached the unit, and nothing says so.
    window->port()->closeSerialPort();
    for (DynamicQDialog *d : window->findChildren<DynamicQDialog *>())
        d->close();
    ui->pushButtonOnlineEngineOn->click();
    ui->pushButtonOnlineWriteSetting->click();
    QVERIFY2(!noticesShown().contains("Калибровка произведена"), qPrintable(noticesShown().join('|')));
    QVERIFY(!noticesShown().contains("Настройки записаны"));
}

void TestOnlinePage::commandsAreToldDoneOnlyOnTheUnitsAnswer_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("locked"); // else it carries the command out without a word
    QTest::addColumn<QString>("told");
    QTest::addColumn<QString>("notTold");
    QTest::addColumn<int>("pressedAgain"); // the command the button sends once, or 0: pressed once

    const QString calibrated = "Калибровка произведена";
    const QString silent = "Устройство не ответило";
    const QString refused = "Устройство отклонило команду";
    const QString written = "Настройки записаны";
    QTest::newRow("engine on, unanswered") << "pushButtonOnlineEngineOn" << false << silent << calibrated << 0;
    QTest::newRow("engine off, unanswered") << "pushButtonOnlineEngineOff" << false << silent << calibrated << 0;
    QTest::newRow("horizon, unanswered") << "pushButtonOnlineHorizont" << false << silent << calibrated << 0;
    QTest::newRow("settings write, unanswered") << "pushButtonOnlineWriteSetting" << false << silent << written << 0;
    QTest::newRow("horizon, refused") << "pushButtonOnlineHorizont" << true << refused << calibrated << 0;
    QTest::newRow("settings write, refused") << "pushButtonOnlineWriteSetting" << true << refused << written << 0;
    // A second press while the first waits is told to wait and sends nothing.
    QTest::newRow("engine off, pressed again") << "pushButtonOnlineEngineOff" << false << silent << calibrated << 0xE5;
    QTest::newRow("settings write, pressed again")
        << "pushButtonOnlineWriteSetting" << false << silent << written << 0xA3;
}

void TestOnlinePage::commandsAreToldDoneOnlyOnTheUnitsAnswer()
{
    QFETCH(QString, button);
    QFETCH(bool, locked);
    QFETCH(QString, told);
    QFETCH(QString, notTold);
    QFETCH(int, pressedAgain);
    connectPage();
    waitForReadings();
    openSettingsTab();
    for (DynamicQDialog *d : window->findChildren<DynamicQDialog *>())
        d->close();
    if (locked)
        device->unit.password = 4321;
    else
        device->commandsUnanswered = true;

    QPushButton *start = window->findChild<QPushButton *>(button);
    QStringList toldMeanwhile;
    bool pressed = false;
    QObject pressing;
    // Pressed again once the unit has the command, before it would answer.
    if (pressedAgain)
        connect(device.get(), &SimulatedDevice::requestReceived, &pressing, [&](const QByteArray &request) {
            if (pressed || request.size() < 3 || quint8(request.at(2)) != quint8(pressedAgain))
                return;
            pressed = true;
            start->click();
            toldMeanwhile = noticesShown();
        });
    start->click();
    QTRY_VERIFY_WITH_TIMEOUT(noticesShown().contains(told), kAnswerMs);
    QVERIFY2(!noticesShown().contains(notTold), qPrintable(noticesShown().join('|')));
    if (pressedAgain) {
        QVERIFY2(toldMeanwhile.contains("Дождитесь окончания текущей операции"), qPrintable(toldMeanwhile.join('|')));
        QCOMPARE(device->countRequests(quint8(pressedAgain)), 1);
    }
}

void TestOnlinePage::firmwareUpdateEndResumesPolling()
{
    connectPage();
    waitForReadings();
    // The update starts by leaving the page's polling.
    page->disconnectDevice();
    QVERIFY(ui->tabWidgetQFOnline->isHidden());
    QCOMPARE(window->getSurveyQueue(), QByteArray());
    device->unit.level = 1777;
    device->clearRequests();

    emit window->firmware()->finished(FirmwareUpdater::Page::Online, true);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenDUTOnline->text(), QString("1777"), kReadingsMs);
    QVERIFY(!ui->tabWidgetQFOnline->isHidden());
    QCOMPARE(window->getSurveyQueue(), QByteArray(1, '\x01'));
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(0xA0) >= 1, kAnswerMs);
    for (const QByteArray &r : device->requestsWith(0xF0))
        QCOMPARE(quint8(r.at(1)), quint8(1));
}

void TestOnlinePage::silentUnitLosesItsReadingsButIsStillPolled()
{
    // A shorter session: a level answer every second, and the watchdog runs
    // out after two and a half of them unanswered.
    BaseDevice::Intervals quick = page->intervals();
    quick.poll = 500;
    quick.watchdog = 2500;
    page->setIntervals(quick);
    connectPage();
    waitForReadings();
    device->silent = true;
    const int polls = device->countRequests(0xF0) + device->countRequests(0xA0);
    QTRY_VERIFY_WITH_TIMEOUT(ui->tabWidgetQFOnline->isHidden(), quick.watchdog + 2500);
    QVERIFY(ui->label_UrovenDUTOnline->isHidden());
    QVERIFY(page->isDeviceConnected());
    // The poll goes on.
    QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(0xF0) + device->countRequests(0xA0) >= polls + 6, 4000);
    QVERIFY(page->isDeviceConnected());

    // Back again: the page shows the unit whole, with its values.
    device->silent = false;
    device->unit.level = 640;
    ui->label_TempValDUT->setText(QString());
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_TempValDUT->text(), QString("21°C"), kAnswerMs);
    QVERIFY(!ui->label_TempValDUT->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(!ui->tabWidgetQFOnline->isHidden(), kAnswerMs);
    QVERIFY(!ui->label_UrovenDUTOnline->isHidden());
    QCOMPARE(ui->label_UrovenDUTOnline->text(), QString("640"));
}

void TestOnlinePage::gluedAnswersAreAllTaken()
{
    // Each answer arrives together with the next one in one chunk.
    device->glued = true;
    connectPage();
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_24->text(), QString("86123456789012A"), kReadingsMs);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_UrovenDUTOnline->text(), QString("512"), kReadingsMs);
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_34->text(), QString("12.34"), kReadingsMs);
    // The settings answer, which has no CRC, glued to a poll answer.
    ui->tabWidgetQFOnline->setCurrentIndex(1);
    QTRY_COMPARE_WITH_TIMEOUT(ui->lineEditOnlineAccessDot->text(), QString("internet"), kReadingsMs);
}

void TestOnlinePage::questionMarksAndTheImeiCopyAnswerTheMouse()
{
    // The marks sit beside their fields inside the tabs.
    QLabel *mark = ui->GSM->findChild<QLabel *>("online_operator");
    QVERIFY(mark);
    QCOMPARE(ui->QFOnline->findChildren<QLabel *>(QRegularExpression("^online_")).size(), 17);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(mark->mapToGlobal(QPoint(2, 2))));
    QCoreApplication::sendEvent(mark, &enter);
    QVERIFY(window->currentPopUp());
    QVERIFY(window->currentPopUp()->popupText().startsWith("Выбор оператора"));

    connectPage();
    QTRY_COMPARE_WITH_TIMEOUT(ui->label_24->text(), QString("86123456789012A"), kAnswerMs);
    QTest::mouseClick(ui->labelCopyIMEI, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("86123456789012A"));
    QVERIFY(!ui->label_CopyIMEIResult->isHidden());
}

QTEST_MAIN(TestOnlinePage)
#include "tst_onlinepage.moc"
