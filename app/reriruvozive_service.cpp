// The service menu and the window-wide hot keys.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/angle/kv380device.h"
#include "devices/angle/kvbledevice.h"
#include "devices/ble/bledevice.h"
#include "devices/fls/flsdevice.h"
#include "devices/online/qfonline.h"
#include "devices/other/n7device.h"
#include "devices/other/plm300device.h"
#include "link/portconnection.h"
#include "ui/dynamicqdialog.h"
#include "ui/securityble.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

namespace {

// Object names of the menu entries: the dispatcher tells the entries apart by them.
const QString kEntryUpdate = QStringLiteral("update");
const QString kEntryDiscard = QStringLiteral("discard");
const QString kEntrySetFactory = QStringLiteral("setfactory");
const QString kEntryEngineer = QStringLiteral("engineer");
const QString kEntrySecurity = QStringLiteral("security");
const QString kEntryProgSetting = QStringLiteral("prog_setting");
const QString kEntryRemote = QStringLiteral("remote");

// The entries' texts, by object name, so that a language switch can say
// them again in the new language.
struct EntryText
{
    const QString &name;
    const char *text;
};
const EntryText kEntryTexts[] = {
    {kEntryUpdate, QT_TRANSLATE_NOOP("Reriruvozive", "Обновить прошивку")},
    {kEntryDiscard, QT_TRANSLATE_NOOP("Reriruvozive", "Отменить несохранённые настройки")},
    {kEntrySetFactory, QT_TRANSLATE_NOOP("Reriruvozive", "Загрузить заводские настройки")},
    {kEntryEngineer, QT_TRANSLATE_NOOP("Reriruvozive", "Инженерное меню")},
    {kEntrySecurity, QT_TRANSLATE_NOOP("Reriruvozive", "Безопасность")},
    {kEntryProgSetting, QT_TRANSLATE_NOOP("Reriruvozive", "Настройки программы")},
    {kEntryRemote, QT_TRANSLATE_NOOP("Reriruvozive", "Дистанционное управление")},
};

QString entryText(const QString &name)
{
    for (const EntryText &e : kEntryTexts) {
        if (e.name == name)
            return Reriruvozive::tr(e.text);
    }
    return QString();
}

} // namespace

void Reriruvozive::setupHotKey()
{
    shortcutCtrlS = new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_S), this);
    shortcutF1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    shortcutF2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
    shortcutF3 = new QShortcut(QKeySequence(Qt::Key_F3), this);
    shortcutF4 = new QShortcut(QKeySequence(Qt::Key_F4), this);
    connect(shortcutCtrlS, &QShortcut::activated, this, &Reriruvozive::slotShortcutCtrlS);
    connect(shortcutF1, &QShortcut::activated, this, &Reriruvozive::slotShortcutF1);
    connect(shortcutF4, &QShortcut::activated, this, &Reriruvozive::slotShortcutF4);
    connect(shortcutF2, &QShortcut::activated, this, &Reriruvozive::slotShortcutF2);
    connect(shortcutF3, &QShortcut::activated, this, &Reriruvozive::slotShortcutF3);
}

// Ctrl+S writes the active page's edited settings, and only when something
// was edited: an unchanged page has nothing to send.
void Reriruvozive::slotShortcutCtrlS()
{
    const DeviceEntry *d = activeDevice();
    if (d && d->writeSettings && d->page->settingsEdited())
        (this->*d->writeSettings)();
}

void Reriruvozive::slotShortcutF2()
{
    on_Button_SetFullDUTOnline_clicked();
}

void Reriruvozive::slotShortcutF3()
{
    on_Button_SetEmptyDUTOnline_clicked();
}

void Reriruvozive::slotShortcutF4()
{
    on_ButtonTarirovka_clicked();
}

void Reriruvozive::setupBtnService(bool stateSerialPort)
{
    auto *menu = new QMenu(this);
    const auto addEntry = [this, menu](const QString &name) {
        QAction *action = menu->addAction(entryText(name));
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, &Reriruvozive::slotServiceBtn);
    };

    if (!stateSerialPort) {
        addEntry(kEntryProgSetting);
        // The online device has no service functions of its own.
        if (!deviceQFOnline)
            addEntry(kEntryRemote);
    } else {
        // The button that puts a BLE sensor into its firmware mode needs a
        // sensor linked to the base; the advertising list links none.
        const bool advertising = bleDevice->isAdvertMode();
        ui->pushBtnInUpdBLE->setVisible(!advertising);
        if (!advertising && !deviceQFOnline) {
            addEntry(kEntryDiscard);
            addEntry(kEntrySetFactory);
            addEntry(kEntryEngineer);
            addEntry(kEntrySecurity);
        }
    }
    // Wireless devices are sent into their update mode even without a line;
    // the wired ones take their firmware through the open port.
    const bool wiredUpdate = stateSerialPort && (deviceFLS || deviceKV380 || devicePLM300 || deviceQFOnline);
    if (deviceBLE || deviceKVBLE || wiredUpdate)
        addEntry(kEntryUpdate);

    // The menu of the previous port state goes, unless it is open or one of
    // its entries is being served right now (the port may close while an
    // entry's dialog runs): then it stays with the window until the end.
    if (serviceMenu && serviceDispatchDepth == 0 && !serviceMenu->isVisible())
        serviceMenu->deleteLater();
    serviceMenu = menu;
    // A second download cannot start while one runs.
    refreshUpdateEntry();
    ui->pushButtonService->setMenu(menu);
    ui->pushButtonService->show();
}

void Reriruvozive::retranslateServiceMenu()
{
    if (!serviceMenu)
        return;
    for (QAction *action : serviceMenu->actions())
        action->setText(entryText(action->objectName()));
}

void Reriruvozive::slotServiceBtn()
{
    deleteLabelUpdate();

    const auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    const QString entry = action->objectName();

    ++serviceDispatchDepth;
    refreshCurDeviceConnected();
    const bool portOpen = portConnection->getSerialPort()->isOpen();

    if (entry == kEntryUpdate) {
        openFirmwareUpdate();
    } else if (entry == kEntryProgSetting) {
        pageBeforeProgSetting = ui->stackedWidget->currentWidget();
        showPage(ui->ProgrammSetting);
    } else if (entry == kEntryRemote) {
        // Remote commands are typed for a tracker, not sent on the line, so
        // the pages must stop polling; with the port open the menu does not
        // offer the entry and it does nothing. A device still chosen with
        // no port open goes off as a press would put it, its button with
        // it: the way back finds no stopped session under a pressed button.
        if (!portOpen) {
            if (activeDevice())
                disconnectCurrentConnectedDevice();
            flsDevice->disconnectDevice();
            bleDevice->disconnectDevice();
            showPage(ui->RemoteControl);
        }
    } else if (firmwareUpdateRefuses()) {
        // The page's sensor is being updated, not missing: every entry below
        // waits for the download.
    } else if (!curDeviceConnected) {
        askService(tr("Подключите датчик"), false);
    } else if (entry == kEntryDiscard) {
        discardCurSetting();
    } else if (entry == kEntrySetFactory) {
        loadFactorySetting();
    } else if (entry == kEntryEngineer) {
        openEngineerMenu();
    } else if (entry == kEntrySecurity) {
        openSecurity();
    }
    --serviceDispatchDepth;
}

// Every page is asked, so that the answer is never the one of a device
// chosen before. Without an active page no sensor answers, nor on a page
// whose session ended.
void Reriruvozive::refreshCurDeviceConnected()
{
    const DeviceEntry *d = activeDevice();
    curDeviceConnected = d && d->page->isDeviceInSession();
}

int Reriruvozive::askService(const QString &message, bool withCancel)
{
    QPointer<DynamicQDialog> dialog = new DynamicQDialog(this, QString(), message, withCancel);
    dialog->setModal(true);
    const int result = BaseDevice::execBox(activePage(), *dialog);
    if (dialog)
        dialog->deleteLater();
    return result;
}

void Reriruvozive::discardCurSetting()
{
    if (askService(tr("Вы хотите отменить изменения настроек?"), true) != QDialog::Accepted)
        return;
    if (BaseDevice *page = activePage())
        page->discardEdits();
}

// The BLE base page answers factory settings like the other pages without
// them, so the entry it is offered with does not end in silence.
void Reriruvozive::loadFactorySetting()
{
    if (askService(tr("Будут загружены заводские установки"), true) != QDialog::Accepted)
        return;
    if (BaseDevice *page = activePage())
        page->loadFactorySettings();
}

void Reriruvozive::openEngineerMenu()
{
    if (deviceFLS) {
        setupEngineerMenuDUT();
        ui->pushBtnManualInput->show();
        showPage(ui->EngineerMenuDUT);
    } else if (deviceBLE && !bleDevice->isAdvertMode()) {
        showPage(ui->EnineerMenuBLE);
    }
}

// Each model has its own set of engineer functions; the others stay greyed out.
// A sensor of no known model gets only what every wired sensor has: the
// manual Full/Empty entry.
void Reriruvozive::setupEngineerMenuDUT()
{
    const bool qf470 = flsDevice->isQF470();
    const bool qf410 = flsDevice->isQF410();
    const bool qf260 = flsDevice->isQF260();

    ui->groupBoxSetOutSer->setDisabled(!qf260);
    ui->pushBtnCalcLtrPrc->setDisabled(!(qf470 || qf410));
    ui->pushBtnCalibHorizState->setDisabled(!qf470);
    ui->groupBoxAngle->setDisabled(!qf470);
    ui->groupBox_Master->setDisabled(!qf470);
    ui->groupBox_EkoDrive->setDisabled(!qf470);
    ui->groupBoxInv->setDisabled(!qf410);
    ui->groupBoxLamp->setDisabled(!qf410);
    if (!qf470 && !qf410)
        ui->pushButtonSetPercent->setDisabled(true);
    if (flsDevice->isGenericFLS())
        ui->pushBtnManualInput->setEnabled(true);
}

void Reriruvozive::openSecurity()
{
    if (deviceFLS) {
        flsDevice->checkPass();
    } else if (deviceBLE) {
        // The advertising list links no sensor whose password could be set.
        if (!bleDevice->isAdvertMode())
            runSecurityBLE(bleDevice, ui->BLE_QF410);
    } else if (deviceQFOnline) {
        qfOnline->checkPass();
    } else if (deviceKVBLE) {
        runSecurityBLE(kvbleDevice, ui->KV_BLE);
    }
}

template <class Page> void Reriruvozive::runSecurityBLE(Page *page, QWidget *parentPage)
{
    // It offers what the sensor reported of its password, and while the
    // sensor's answer is on its way it says so and waits for it.
    auto *dialog = new SecurityBLE(page, parentPage, page->sensorProtection());
    securityBLEDialog = dialog;
    // The page reads the typed password through the dialog while it runs.
    page->setSecurityDialog(dialog);
    // Its page's session's end closes it.
    page->execBox(*dialog);
    dialog->deleteLater();
    page->setSecurityDialog(nullptr);
    securityBLEDialog = nullptr;
}
