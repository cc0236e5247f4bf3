#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/ble/bledevice.h"
#include "devices/fls/flsdevice.h"
#include "link/portconnection.h"
#include "modalcloser.h"
#include "simulateddevice.h"
#include "testshard.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSerialPort>
#include <QShortcut>
#include <QStackedWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using Entries = QList<QPair<QString, QString>>; // text, object name

const QPair<QString, QString> kProgSetting{"Настройки программы", "prog_setting"};
const QPair<QString, QString> kRemote{"Дистанционное управление", "remote"};
const QPair<QString, QString> kDiscard{"Отменить несохранённые настройки", "discard"};
const QPair<QString, QString> kSetFactory{"Загрузить заводские настройки", "setfactory"};
const QPair<QString, QString> kEngineer{"Инженерное меню", "engineer"};
const QPair<QString, QString> kSecurity{"Безопасность", "security"};
const QPair<QString, QString> kUpdate{"Обновить прошивку", "update"};

void putInt(QByteArray &data, int at, qint32 value)
{
    for (int i = 0; i < 4; ++i)
        data[at + i] = char((value >> (8 * i)) & 0xFF);
}

// The data of a wired fuel level sensor's all-data answer that makes a
// 25-byte frame, which carries the sensor's model.
QByteArray allData(quint8 model)
{
    QByteArray data(21, '\0');
    data[0] = 20;         // temperature
    data[1] = char(0xE8); // level 1000, low byte first
    data[2] = 0x03;
    putInt(data, 3, 30000);  // current count
    putInt(data, 7, 20000);  // Empty
    putInt(data, 11, 40000); // Full
    data[17] = 1;            // configuration byte A
    data[20] = char(model);
    return data;
}

} // namespace

class TestService : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void aClosedPortOffersSettingsAndRemote();
    void anOpenPortOffersTheEntriesOfTheDevice_data();
    void anOpenPortOffersTheEntriesOfTheDevice();
    void closingThePortWithTheOnlineDeviceLeavesProgramSettings();
    void closingThePortWithTheBleBaseKeepsTheFirmwareUpdate();
    void theBlePageRebuildsTheMenuForThePortState();
    void replacedMenusDoNotPileUp();
    void aMenuStaysWhileItsEntryRuns();
    void programSettingsOpenAndBackReturnsToThePageBefore();
    void remoteOpensRemoteControlWhileThePortIsClosed();
    void remoteDoesNothingWhileThePortIsOpen();
    void firmwareUpdateOfTheBleBaseOpensItsPage();
    void entriesThatNeedASensorAskToConnectOne_data();
    void entriesThatNeedASensorAskToConnectOne();
    void engineerSetsUpThePageForTheSensorModel_data();
    void engineerSetsUpThePageForTheSensorModel();
    void discardAndFactoryAskFirst_data();
    void discardAndFactoryAskFirst();
    void shortcutsExistWithTheirKeys();
    void everyPageTheMenuOpensCanBeLeft_data();
    void everyPageTheMenuOpensCanBeLeft();
    void theWirelessEngineerPageCanBeLeft();
    void everyBackLeadsToAPageWithTheDeviceColumn_data();
    void everyBackLeadsToAPageWithTheDeviceColumn();

private:
    Entries menuEntries() const;
    QAction *entry(const QString &name) const;
    void choose(const QString &device);
    bool connectWiredSensor(quint8 model);

    std::unique_ptr<SimulatedDevice> device;
    std::unique_ptr<Reriruvozive> window;
    Ui_Deruvivuriri *ui = nullptr;
};

void TestService::init()
{
    if (QTest::currentTestFunction() != QLatin1String("everyBackLeadsToAPageWithTheDeviceColumn") &&
        !TestShard().takesOtherFunctions())
        QSKIP("run by the first shard");
    device = std::make_unique<SimulatedDevice>();
    QVERIFY(device->isValid());
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit());
    window = std::make_unique<Reriruvozive>();
    ui = window->form();
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
}

void TestService::cleanup()
{
    window.reset();
    device.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ui = nullptr;
}

Entries TestService::menuEntries() const
{
    Entries entries;
    QMenu *menu = ui->pushButtonService->menu();
    if (!menu)
        return entries;
    for (QAction *action : menu->actions())
        entries << qMakePair(action->text(), action->objectName());
    return entries;
}

QAction *TestService::entry(const QString &name) const
{
    QMenu *menu = ui->pushButtonService->menu();
    if (!menu)
        return nullptr;
    for (QAction *action : menu->actions()) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

// Picks a device the way a user does, with its device button (and for the
// wireless ones the choice page behind the BLE button).
void TestService::choose(const QString &device)
{
    if (device == "fls") {
        ui->pushButtonDeviceFLS->click();
    } else if (device == "kv380") {
        ui->pushButtonKV380->click();
    } else if (device == "plm300") {
        ui->pushButtonPLM300->click();
    } else if (device == "n7") {
        ui->pushButtonN7->click();
    } else if (device == "online") {
        ui->pushButtonQFOnline->click();
    } else if (device == "ble") {
        ui->pushButtonBLE->click();
        ui->pushButtonChoiceUSB->click();
    } else if (device == "advert") {
        ui->pushButtonBLE->click();
        ui->pushButtonChoiceAdvert->click();
    } else if (device == "kvble") {
        ui->pushButtonBLE->click();
        ui->pushButtonChoiceKVBLE->click();
    } else {
        QFAIL(qPrintable("no such device: " + device));
    }
}

// Connects the wired sensor page to a simulated sensor of the model; false
// when the page does not take the sensor's answers.
bool TestService::connectWiredSensor(quint8 model)
{
    // Once the page has not taken a sensor's answers, it will not in this run.
    static bool pageAnswers = true;
    if (!pageAnswers)
        return false;
    // The search answer lists the numbers of the sensors present.
    device->setAnswer(0xFF, QByteArray(1, '\x05'));
    device->setAnswer(0xF0, SimulatedDevice::answerFrame(0x05, 0xF0, allData(model)));
    ui->pushButtonDeviceFLS->click();
    pageAnswers = QTest::qWaitFor([this] { return window->fls()->isDeviceConnected(); }, 8000);
    return pageAnswers;
}

void TestService::aClosedPortOffersSettingsAndRemote()
{
    QVERIFY(!window->port()->getSerialPort()->isOpen());
    QCOMPARE(menuEntries(), Entries({kProgSetting, kRemote}));
    QVERIFY(!ui->pushButtonService->isHidden());
}

void TestService::anOpenPortOffersTheEntriesOfTheDevice_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<bool>("firmwareModeButton");

    const Entries wired{kDiscard, kSetFactory, kEngineer, kSecurity};
    // The wired devices whose bootloader the program can load are offered
    // the firmware update too.
    QTest::newRow("wired fuel sensor") << "fls" << (wired + Entries{kUpdate}) << true;
    QTest::newRow("wired angle sensor") << "kv380" << (wired + Entries{kUpdate}) << true;
    QTest::newRow("PLM300") << "plm300" << (wired + Entries{kUpdate}) << true;
    QTest::newRow("indicator") << "n7" << wired << true;
    QTest::newRow("online device") << "online" << Entries{kUpdate} << true;
    QTest::newRow("BLE base") << "ble" << (wired + Entries{kUpdate}) << true;
    QTest::newRow("wireless angle sensor") << "kvble" << (wired + Entries{kUpdate}) << true;
    QTest::newRow("advertising sensors") << "advert" << Entries{kUpdate} << false;
}

void TestService::anOpenPortOffersTheEntriesOfTheDevice()
{
    QFETCH(QString, device);
    QFETCH(Entries, entries);
    QFETCH(bool, firmwareModeButton);

    // Start from the state the other row leaves, so that the button's
    // visibility is really set by the menu.
    ui->pushBtnInUpdBLE->setVisible(!firmwareModeButton);
    choose(device);
    QVERIFY(window->port()->getSerialPort()->isOpen());
    QCOMPARE(menuEntries(), entries);
    QCOMPARE(!ui->pushBtnInUpdBLE->isHidden(), firmwareModeButton);
    QVERIFY(!ui->pushButtonService->isHidden());
}

void TestService::closingThePortWithTheOnlineDeviceLeavesProgramSettings()
{
    choose("online");
    QCOMPARE(menuEntries(), Entries({kUpdate}));
    window->port()->closeSerialPort();
    QCOMPARE(menuEntries(), Entries({kProgSetting}));
}

void TestService::closingThePortWithTheBleBaseKeepsTheFirmwareUpdate()
{
    choose("ble");
    window->port()->closeSerialPort();
    QCOMPARE(menuEntries(), Entries({kProgSetting, kRemote, kUpdate}));
}

void TestService::theBlePageRebuildsTheMenuForThePortState()
{
    // The BLE page reports with the port state as its argument.
    emit window->ble()->signalFirstConnectingDeviceAdwert(true);
    QCOMPARE(menuEntries(), Entries({kDiscard, kSetFactory, kEngineer, kSecurity}));
    window->ble()->setAdvertMode(true);
    emit window->ble()->signalFirstConnectingDeviceAdwert(true);
    QVERIFY(menuEntries().isEmpty());
    QVERIFY(ui->pushBtnInUpdBLE->isHidden());
    emit window->ble()->signalFirstConnectingDeviceAdwert(false);
    QCOMPARE(menuEntries(), Entries({kProgSetting, kRemote}));
}

void TestService::replacedMenusDoNotPileUp()
{
    const auto menus = [this] { return window->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly).size(); };
    const int before = menus();
    QPointer<QMenu> first = ui->pushButtonService->menu();
    for (int i = 0; i < 10; ++i) {
        window->port()->openSerialPort(device->portPath());
        window->port()->closeSerialPort();
    }
    QTest::qWait(0); // lets the replaced menus go
    QVERIFY(first.isNull());
    QCOMPARE(menus(), before);
    QCOMPARE(menuEntries(), Entries({kProgSetting, kRemote}));
}

void TestService::aMenuStaysWhileItsEntryRuns()
{
    choose("fls");
    QPointer<QMenu> menu = ui->pushButtonService->menu();
    QPointer<QAction> engineer = entry("engineer");
    QVERIFY(engineer);

    // The line breaks down while the entry's message is open.
    ModalCloser closer;
    closer.whileOpen = [this] { window->port()->closeSerialPort(); };
    engineer->trigger();
    QCOMPARE(closer.seen.size(), 1);
    QCOMPARE(menuEntries(), Entries({kProgSetting, kRemote}));
    QTest::qWait(0);
    QVERIFY(menu);
    QVERIFY(engineer);
}

void TestService::programSettingsOpenAndBackReturnsToThePageBefore()
{
    // The BLE button shows its choice page and leaves the port closed.
    ui->pushButtonBLE->click();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->ChoiceBLE);
    QVERIFY(!window->port()->getSerialPort()->isOpen());

    ModalCloser closer;
    QAction *settings = entry("prog_setting");
    QVERIFY(settings);
    settings->trigger();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->ProgrammSetting);
    // A language chosen here speaks in the menu at once, and back again.
    for (const int language : {1, 0}) {
        ui->comboBoxChooseLanguage->setCurrentIndex(language);
        emit ui->comboBoxChooseLanguage->activated(language);
        QTRY_COMPARE(entry("prog_setting")->text(), QString(language ? "Program settings" : "Настройки программы"));
    }
    ui->pushButtonProgSettingBack->click();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->ChoiceBLE);
    QVERIFY(closer.seen.isEmpty()); // no sensor needed
}

void TestService::remoteOpensRemoteControlWhileThePortIsClosed()
{
    ModalCloser closer;
    QAction *remote = entry("remote");
    QVERIFY(remote);
    remote->trigger();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->RemoteControl);
    QVERIFY(closer.seen.isEmpty());
}

void TestService::remoteDoesNothingWhileThePortIsOpen()
{
    choose("fls");
    QVERIFY(window->port()->getSerialPort()->isOpen());
    QWidget *page = ui->stackedWidget->currentWidget();
    QVERIFY(!entry("remote"));

    // An entry of that name still reaches the dispatcher from elsewhere.
    QAction remote;
    remote.setObjectName("remote");
    connect(&remote, &QAction::triggered, window.get(), &Reriruvozive::slotServiceBtn);
    ModalCloser closer;
    remote.trigger();
    QCOMPARE(ui->stackedWidget->currentWidget(), page);
    QVERIFY(closer.seen.isEmpty());
    QVERIFY(window->port()->getSerialPort()->isOpen());
}

void TestService::firmwareUpdateOfTheBleBaseOpensItsPage()
{
    choose("ble");
    ModalCloser closer;
    QAction *update = entry("update");
    QVERIFY(update);
    update->trigger();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->UpdateFWBLE);
    QVERIFY(closer.seen.isEmpty());
}

void TestService::entriesThatNeedASensorAskToConnectOne_data()
{
    QTest::addColumn<QString>("device");
    QTest::newRow("wired fuel sensor") << "fls";
    QTest::newRow("wired angle sensor") << "kv380";
    QTest::newRow("PLM300") << "plm300";
    QTest::newRow("BLE base") << "ble";
    QTest::newRow("wireless angle sensor") << "kvble";
}

void TestService::entriesThatNeedASensorAskToConnectOne()
{
    QFETCH(QString, device);

    // The simulated line is silent: no sensor answers.
    choose(device);
    QWidget *page = ui->stackedWidget->currentWidget();
    for (const QString &name : {"discard", "setfactory", "engineer", "security"}) {
        QAction *action = entry(name);
        QVERIFY2(action, qPrintable(name));
        ModalCloser closer({true});
        action->trigger();

        QCOMPARE(closer.seen.size(), 1);
        QCOMPARE(closer.seen.at(0).className, QString("DynamicQDialog"));
        QCOMPARE(closer.seen.at(0).texts, QStringList({"Подключите датчик"}));
        QCOMPARE(closer.seen.at(0).buttons, 1);
        QCOMPARE(ui->stackedWidget->currentWidget(), page);
    }
}

void TestService::engineerSetsUpThePageForTheSensorModel_data()
{
    QTest::addColumn<int>("model");
    // Enabled after the entry: output/serial, litres/%, horizon, angle,
    // master, eco drive, inversion, lamp, set percent, manual Full/Empty.
    QTest::addColumn<QList<bool>>("enabled");
    QTest::newRow("QF470") << 0x62 << QList<bool>{false, true, true, true, true, true, false, false, true, false};
    QTest::newRow("QF410") << 0x01 << QList<bool>{false, true, false, false, false, false, true, true, true, false};
    QTest::newRow("QF260") << 0x03 << QList<bool>{true, false, false, false, false, false, false, false, false, false};
    QTest::newRow("QF210") << 0x02 << QList<bool>{false, false, false, false, false, false, false, false, false, false};
    QTest::newRow("other model") << 0x07
                                 << QList<bool>{false, false, false, false, false, false, false, false, false, true};
}

void TestService::engineerSetsUpThePageForTheSensorModel()
{
    QFETCH(int, model);
    QFETCH(QList<bool>, enabled);

    if (!connectWiredSensor(quint8(model)))
        QSKIP("the wired sensor page does not take a sensor's answers yet");
    const FLSDevice *page = window->fls();
    const auto recognised = [page, model] {
        switch (model) {
        case 0x62:
            return page->isQF470();
        case 0x01:
            return page->isQF410();
        case 0x03:
            return page->isQF260();
        case 0x02:
            return page->isQF210();
        default:
            return page->isGenericFLS();
        }
    };
    QTRY_VERIFY_WITH_TIMEOUT(recognised(), 3000);

    const QList<QWidget *> controls{ui->groupBoxSetOutSer, ui->pushBtnCalcLtrPrc, ui->pushBtnCalibHorizState,
                                    ui->groupBoxAngle,     ui->groupBox_Master,   ui->groupBox_EkoDrive,
                                    ui->groupBoxInv,       ui->groupBoxLamp,      ui->pushButtonSetPercent,
                                    ui->pushBtnManualInput};
    // Controls the entry keeps show what they had before: set percent on,
    // manual Full/Empty off and hidden.
    for (QWidget *control : controls)
        control->setEnabled(true);
    ui->pushBtnManualInput->setEnabled(false);
    ui->pushBtnManualInput->hide();

    ModalCloser closer;
    QAction *engineer = entry("engineer");
    QVERIFY(engineer);
    engineer->trigger();
    QVERIFY(closer.seen.isEmpty());
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->EngineerMenuDUT);
    // Each control's own state: set percent sits inside the lamp group and
    // greys out with it without being switched off itself.
    for (int i = 0; i < controls.size(); ++i) {
        QWidget *control = controls.at(i);
        QVERIFY2(control->isEnabledTo(control->parentWidget()) == enabled.at(i), qPrintable(control->objectName()));
    }
    QVERIFY(!ui->pushBtnManualInput->isHidden());
}

void TestService::discardAndFactoryAskFirst_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("question");
    QTest::newRow("discard") << "discard"
                             << "Вы хотите отменить изменения настроек?";
    QTest::newRow("setfactory") << "setfactory"
                                << "Будут загружены заводские установки";
}

void TestService::discardAndFactoryAskFirst()
{
    QFETCH(QString, name);
    QFETCH(QString, question);

    if (!connectWiredSensor(0x03))
        QSKIP("the wired sensor page does not take a sensor's answers yet");
    QWidget *page = ui->stackedWidget->currentWidget();
    ModalCloser closer({false});
    QAction *action = entry(name);
    QVERIFY(action);
    action->trigger();
    QCOMPARE(closer.seen.size(), 1);
    QCOMPARE(closer.seen.at(0).texts, QStringList({question}));
    QCOMPARE(closer.seen.at(0).buttons, 2); // "Отмена" and OK
    QCOMPARE(ui->stackedWidget->currentWidget(), page);
}

void TestService::shortcutsExistWithTheirKeys()
{
    QList<QKeySequence> keys;
    for (QShortcut *shortcut : window->findChildren<QShortcut *>(QString(), Qt::FindDirectChildrenOnly)) {
        QCOMPARE(shortcut->context(), Qt::WindowShortcut);
        QVERIFY(shortcut->isEnabled());
        keys << shortcut->key();
    }
    QCOMPARE(keys.size(), 5);
    for (const QKeySequence &key : {QKeySequence(Qt::CTRL + Qt::Key_S), QKeySequence(Qt::Key_F1),
                                    QKeySequence(Qt::Key_F2), QKeySequence(Qt::Key_F3), QKeySequence(Qt::Key_F4)})
        QVERIFY2(keys.contains(key), qPrintable(key.toString()));

    // The keys reach the window: F1 opens help, the others need a device page.
    window->show();
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    ModalCloser closer;
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_F2);
    QTest::keyClick(window.get(), Qt::Key_F3);
    QTest::keyClick(window.get(), Qt::Key_F4);
    QVERIFY(closer.seen.isEmpty());
    QVERIFY(!window->isHelpPanelOpen());
    QTest::keyClick(window.get(), Qt::Key_F1);
    QVERIFY(window->isHelpPanelOpen());
}

void TestService::everyPageTheMenuOpensCanBeLeft_data()
{
    QTest::addColumn<QString>("device"); // empty: the port stays closed
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("back");
    QTest::addColumn<QString>("returned");
    QTest::newRow("program settings") << ""
                                      << "prog_setting"
                                      << "ProgrammSetting"
                                      << "pushButtonProgSettingBack"
                                      << "DUT";
    QTest::newRow("remote control") << ""
                                    << "remote"
                                    << "RemoteControl"
                                    << "pushBtnBackRemoteControl"
                                    << "DUT";
    QTest::newRow("BLE base update") << "ble"
                                     << "update"
                                     << "UpdateFWBLE"
                                     << "pushBtnUpdateFWBackBLE"
                                     << "BLE_QF410";
    QTest::newRow("wireless angle sensor update") << "kvble"
                                                  << "update"
                                                  << "UpdateFWBLE"
                                                  << "pushBtnUpdateFWBackBLE"
                                                  << "KV_BLE";
}

void TestService::everyPageTheMenuOpensCanBeLeft()
{
    QFETCH(QString, device);
    QFETCH(QString, name);
    QFETCH(QString, opened);
    QFETCH(QString, back);
    QFETCH(QString, returned);
    if (!device.isEmpty())
        choose(device);
    ModalCloser closer;
    QAction *action = entry(name);
    QVERIFY(action);
    action->trigger();
    QCOMPARE(ui->stackedWidget->currentWidget()->objectName(), opened);

    auto *button = window->findChild<QPushButton *>(back);
    QVERIFY(button);
    QVERIFY(button->isVisibleTo(ui->stackedWidget->currentWidget()));
    button->click();
    QCOMPARE(ui->stackedWidget->currentWidget()->objectName(), returned);
    QVERIFY(closer.seen.isEmpty());
}

// The wireless engineer page opens only for a linked sensor; its way back
// works whatever led there.
void TestService::theWirelessEngineerPageCanBeLeft()
{
    choose("ble");
    ui->stackedWidget->setCurrentWidget(ui->EnineerMenuBLE);
    ui->pushBtnEngineerBackBLE->click();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->BLE_QF410);

    // The wired one returns to the page of the device that is on.
    ui->stackedWidget->setCurrentWidget(ui->EngineerMenuDUT);
    ui->pushBtnEngineerBack->click();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->BLE_QF410);
}

void TestService::everyBackLeadsToAPageWithTheDeviceColumn_data()
{
    QTest::addColumn<QString>("back");
    QTest::addColumn<QStringList>("presses"); // the device buttons pressed before
    QTest::addColumn<bool>("on");             // a device is on after them
    // The table is long: ctest runs it in shards side by side.
    TestShard shard;
    const auto add = [&shard](const QString &tag, const char *back, const QStringList &presses, bool on) {
        if (shard.takesNextRow())
            QTest::newRow(qPrintable(back + QStringLiteral(", ") + tag)) << QString(back) << presses << on;
    };
    for (const char *back :
         {"pushBtnBackRemoteControl", "pushBtnUpdateFWBackBLE", "pushBtnEngineerBackBLE", "pushBtnEngineerBack",
          "pushButtonProgSettingBack", "pushButtonBackTarir", "pushButtonBackTarirAdw"}) {
        add("nothing on", back, {}, false);
        add("BLE choice", back, {"pushButtonBLE"}, false);
        for (const QString &device : {"pushButtonDeviceFLS", "pushButtonBLE pushButtonChoiceUSB",
                                      "pushButtonBLE pushButtonChoiceAdvert", "pushButtonBLE pushButtonChoiceKVBLE",
                                      "pushButtonKV380", "pushButtonPLM300", "pushButtonN7", "pushButtonQFOnline"}) {
            const QStringList on = device.split(' ');
            add(on.last() + " on", back, on, true);
            add(on.last() + " off", back, on + on.mid(0, 1), false);
        }
    }
}

// Whatever came before, a back from its page (shown as its opener shows it) leads to a page
// holding the device column; a device on keeps its page and button; the next press shows its page.
void TestService::everyBackLeadsToAPageWithTheDeviceColumn()
{
    QFETCH(QString, back);
    QFETCH(QStringList, presses);
    QFETCH(bool, on);
    const auto button = [this](const QString &name) { return window->findChild<QPushButton *>(name); };
    const auto pressed = [this] {
        QStringList down;
        for (const QPushButton *b : ui->scrollAreaWidgetContents->findChildren<QPushButton *>()) {
            if (b->isChecked())
                down << b->objectName();
        }
        return down;
    };
    ModalCloser closer;
    for (const QString &name : presses)
        button(name)->click();
    QWidget *devicePage = ui->stackedWidget->currentWidget();
    QWidget *page = button(back);
    while (page->parentWidget() != ui->stackedWidget)
        page = page->parentWidget();
    window->showPage(page);
    button(back)->click();
    QWidget *shown = ui->stackedWidget->currentWidget();
    for (QWidget *control : QWidgetList{ui->pushButtonDeviceFLS, ui->comboBox_SerialPort, ui->pushButtonService})
        QVERIFY2(shown->isAncestorOf(control) && control->isVisibleTo(shown), qPrintable(control->objectName()));
    QVERIFY(!on || shown == devicePage);
    QCOMPARE(pressed(), on || shown == ui->ChoiceBLE ? presses.mid(0, 1) : QStringList());
    QPushButton *next = ui->pushButtonBLE->isChecked() ? ui->pushButtonDeviceFLS : ui->pushButtonBLE;
    next->click();
    QCOMPARE(ui->stackedWidget->currentWidget(), next == ui->pushButtonBLE ? ui->ChoiceBLE : ui->DUT);
    QVERIFY(closer.seen.isEmpty());
}

QTEST_MAIN(TestService)
#include "tst_service.moc"
