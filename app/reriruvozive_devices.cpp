// Device buttons, page switching and the small slots that serve the pages.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/angle/kv380device.h"
#include "devices/angle/kvbledevice.h"
#include "devices/angle/kvbleprotocol.h"
#include "devices/ble/bledevice.h"
#include "devices/ble/bleprotocol.h"
#include "devices/fls/flsdevice.h"
#include "devices/online/qfonline.h"
#include "devices/other/n7device.h"
#include "devices/other/plm300device.h"
#include "devices/other/wiredtagdevice.h"
#include "link/portconnection.h"
#include "link/ringbuffer.h"
#include "ui/customdialoginput.h"
#include "ui/dynamicqdialog.h"

#include <QCloseEvent>
#include <QDebug>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

// Port guard: with no port to open, a device press starts nothing; its button
// is lifted, so that the next press, once a converter is listed, starts the
// device. Switching a device off needs no port: when the only converter is
// unplugged, the device must still go off. A port gone unnoticed until the
// list refreshes during the press (on the way to the device's page) is met
// when the press opens it: the session it started ends, and the user is told.

QString Reriruvozive::chosenPort() const
{
    // The hint the box shows without a converter names no port.
    const QString shown = ui->comboBox_SerialPort->currentText();
    return portlist::contains(serialPortList, shown) ? shown : QString();
}

bool Reriruvozive::refusedWithoutConverter(QPushButton *pressed)
{
    if (!noPorts())
        return false;
    if (pressed)
        switchDeviceButtonIcon(pressed, false);
    showBox(tr("Подключите\nпреобразователь"));
    return true;
}

void Reriruvozive::openChosenPort()
{
    ui->comboBox_SerialPort->setDisabled(true);
    currentPortIndex = ui->comboBox_SerialPort->currentIndex();
    // The list refreshed during the press may have lost the only port: the
    // hint is never opened as one.
    const QString port = chosenPort();
    if (!port.isEmpty())
        portConnection->openSerialPort(port);
    if (portConnection->getSerialPort()->isOpen())
        return;
    // The press goes on as it began and starts its session; once it is over,
    // that session ends as a failed line ends one, unless another press or
    // end came first.
    const QString why =
        port.isEmpty() ? tr("Подключите\nпреобразователь") : openFailureText(port, portConnection->lastOpenFailure());
    QTimer::singleShot(0, this, [this, why, ends = sessionEnds] {
        if (ends == sessionEnds && activeDevice() && !portConnection->getSerialPort()->isOpen())
            lineEndedSession(why);
    });
}

void Reriruvozive::switchActiveDeviceOff()
{
    if (const DeviceEntry *d = activeDevice()) {
        d->button->setChecked(false);
        (this->*d->buttonClicked)(false);
    }
}

void Reriruvozive::setupDevices()
{
    const auto add = [this](bool Reriruvozive::*flag, BaseDevice *page, QWidget *formPage, QPushButton *button,
                            QList<QWidget *> marks, void (Reriruvozive::*write)(), void (Reriruvozive::*off)(bool)) {
        devices.push_back({flag, page, formPage, button, marks, write, off});
    };
    add(&Reriruvozive::deviceBLE, bleDevice, ui->BLE_QF410, ui->pushButtonBLE,
        {ui->label_Alarm_12BLE, ui->label_Alarm_10BLE}, &Reriruvozive::writeParamToDevice,
        &Reriruvozive::on_pushButtonBLE_clicked);
    add(&Reriruvozive::deviceFLS, flsDevice, ui->DUT, ui->pushButtonDeviceFLS,
        {ui->label_Alarm_6DUT, ui->label_Alarm_4DUT, ui->label_Alarm_3DUT, ui->label_Alarm_2DUT,
         ui->labelAlarmTypeFiltr},
        &Reriruvozive::writeParamToDevice, &Reriruvozive::on_pushButtonDeviceFLS_clicked);
    add(&Reriruvozive::devicePLM300, plm300Device, ui->PLM300, ui->pushButtonPLM300,
        {ui->label_Alarm_1PLM300, ui->label_Alarm_2PLM300, ui->label_Alarm_3PLM300, ui->label_Alarm_4PLM300,
         ui->label_Alarm_5PLM300},
        &Reriruvozive::writeParamToPLM300, &Reriruvozive::on_pushButtonPLM300_clicked);
    add(&Reriruvozive::deviceKV380, kv380Device, ui->KV380, ui->pushButtonKV380,
        {ui->label_Alarm_1KV380, ui->label_Alarm_2KV380, ui->label_Alarm_3KV380, ui->label_Alarm_4KV380},
        &Reriruvozive::writeParamToKV380, &Reriruvozive::on_pushButtonKV380_clicked);
    // The online page writes its settings itself, field by field.
    add(&Reriruvozive::deviceQFOnline, qfOnline, ui->QFOnline, ui->pushButtonQFOnline, {}, nullptr,
        &Reriruvozive::on_pushButtonQFOnline_clicked);
    // The wireless angle sensor shares the BLE button.
    add(&Reriruvozive::deviceKVBLE, kvbleDevice, ui->KV_BLE, ui->pushButtonBLE, {},
        &Reriruvozive::on_ButtonWriteParamKVBLE_clicked, &Reriruvozive::on_pushButtonBLE_clicked);
    // Ctrl+S writes nothing on the indicator's page: its table goes out by
    // its own button.
    add(&Reriruvozive::deviceN7, n7Device, ui->N7, ui->pushButtonN7, {ui->label_n7Alarm_1, ui->label_n7Alarm_3},
        nullptr, &Reriruvozive::on_pushButtonN7_clicked);

    // A device button shows its own state only: pressed, it is the only one
    // pressed, so that every button does what it shows at its first press,
    // whichever page was on before. The switch-off of a press finds only a
    // device that holds its flag, and the BLE choice page sets none: the
    // press itself puts the others out, before its own slot runs. The tag
    // buttons stand for no device here, so they change no other button.
    QList<QPushButton *> deviceButtons;
    for (const DeviceEntry &d : devices) {
        if (!deviceButtons.contains(d.button))
            deviceButtons << d.button;
    }
    const QList<QPushButton *> column =
        deviceButtons + QList<QPushButton *>{ui->pushButtonMirvelNet, ui->pushButtonWiredTag};
    for (QPushButton *pressed : qAsConst(deviceButtons)) {
        connect(pressed, &QAbstractButton::toggled, this, [this, pressed, column](bool on) {
            if (!on)
                return;
            for (QPushButton *other : column) {
                if (other != pressed && other->isChecked()) {
                    other->setChecked(false);
                    switchDeviceButtonIcon(other, false);
                }
            }
        });
    }
}

const Reriruvozive::DeviceEntry *Reriruvozive::activeDevice() const
{
    for (const DeviceEntry &d : devices) {
        if (this->*d.flag)
            return &d;
    }
    return nullptr;
}

void Reriruvozive::setDeviceFlag(bool Reriruvozive::*flag)
{
    for (const DeviceEntry &d : devices)
        this->*d.flag = d.flag == flag;
}

void Reriruvozive::disconnectCurrentConnectedDevice()
{
    rxBuffer->clear();
    surveyQueue.clear();
    deattach_USBBLE_BASE();

    for (const DeviceEntry &d : devices) {
        if (!(this->*d.flag))
            continue;
        switchDeviceButtonIcon(d.button, false);
        d.page->switchOff();
    }
    setDeviceFlag(nullptr);

    // A download made for the page just left ends here: none of its frames
    // may reach the device the user turns to.
    interruptFirmwareUpdate();
    portConnection->closeSerialPort();
    ui->comboBox_SerialPort->setEnabled(true);
    twoSensorCalibration = false;
    ++sessionEnds;
    // A port closed by its own failure, or never opened, said nothing of it:
    // the window of a closed port is set here, with no device on.
    setupBtnService(false);
    disableComboboxChooseThemeAndChooseLanguage(false);
    deleteLabelUpdate();
}

void Reriruvozive::switchDeviceButtonIcon(QPushButton *button, bool on)
{
    const QString state = on ? "on" : "off";
    const bool dark = checkDarkTheme();
    if (button == ui->pushButtonDeviceFLS)
        flsDevice->changeIconBtnConnectDevice(state, dark);
    else if (button == ui->pushButtonBLE)
        bleDevice->changeIconBtnConnectDevice(state, dark);
    else if (button == ui->pushButtonKV380)
        kv380Device->changeIconBtnConnectDevice(state, dark);
    else if (button == ui->pushButtonQFOnline)
        qfOnline->changeIconBtnConnectDevice(state, dark);
    else if (button == ui->pushButtonPLM300)
        plm300Device->changeIconBtnConnectDevice(state, dark);
    else if (button == ui->pushButtonN7)
        n7Device->changeIconBtnConnectDevice(state, dark);
    else if (button != ui->pushButtonWiredTag)
        return;
    if (!on)
        button->setChecked(false);
}

void Reriruvozive::setEnabledControlsForDevice(bool visible)
{
    if (const DeviceEntry *d = activeDevice()) {
        for (QWidget *mark : d->editMarks)
            mark->setVisible(visible);
    }
}

void Reriruvozive::on_pushButtonDeviceFLS_clicked(bool checked)
{
    if (checked && refusedWithoutConverter(ui->pushButtonDeviceFLS))
        return;
    disconnectCurrentConnectedDevice();
    switchDeviceButtonIcon(ui->pushButtonDeviceFLS, checked);
    if (checked) {
        setDeviceFlag(&Reriruvozive::deviceFLS);
        surveyQueueIndex = 0;
        // Open before the session starts: its search asks at once.
        openChosenPort();
        flsDevice->connectDevice();
        // Once the port is open: beside a bootloader a download left on its
        // line, the power cycle is asked for at once.
        flsDevice->showNoSensorHeard();
        setParentForComponentsUI(ui->DUT);
    } else {
        flsDevice->showStatusMessage(tr("Подключите датчик"));
        appendLog("FLS is disconnected");
    }
}

void Reriruvozive::on_pushButtonBLE_clicked(bool checked)
{
    if (checked && refusedWithoutConverter(ui->pushButtonBLE))
        return;
    disconnectCurrentConnectedDevice();
    if (checked) {
        deleteLabelUpdate();
        setParentForComponentsUI(ui->ChoiceBLE);
    } else {
        deattach_USBBLE_BASE();
        ui->ButtonTarirovka->show();
        setParentForComponentsUI(ui->DUT);
        appendLog("BLE is disconnected");
        bleDevice->showStatusMessage(tr("Подключите датчик"));
        bleDevice->showStatusMessageUp(" ");
        bleDevice->resetSettingToDefault();
    }
}

void Reriruvozive::on_pushButtonKV380_clicked(bool checked)
{
    if (checked && refusedWithoutConverter(ui->pushButtonKV380))
        return;
    disconnectCurrentConnectedDevice();
    switchDeviceButtonIcon(ui->pushButtonKV380, checked);
    if (checked) {
        flsDevice->setVisiblePageWidgets(false);
        bleDevice->showUI(false);
        wiredTagDevice->setWidgetsVisible(false);
        flsDevice->resetAndStopTimerDeviceConnected();
        bleDevice->resetAndStopTimerDeviceConnected();
        setParentForComponentsUI(ui->KV380);
        ui->comboBox_SerialPort->installEventFilter(this);
        ui->label_NaprNameQF260DUT->hide();
        ui->label_NaprValQF260DUT->hide();
        setDeviceFlag(&Reriruvozive::deviceKV380);
        surveyQueue.clear();
        openChosenPort();
        kv380Device->connectDevice();
        kv380Device->setSyncSwitchesWithDevice(true);
        ui->ButtonTarirovka->hide();
        ui->pushButtonService->show();
        kv380Device->showNoSensorHeard();
        setEnabledControlsForDevice(false);
    } else {
        portConnection->closeSerialPort();
        kv380Device->showStatusMessage(tr("Подключите датчик"));
        kv380Device->showStatusMessageUp(" ");
        ui->comboBox_SerialPort->setEnabled(true);
        kv380Device->showUI(false);
        twoSensorCalibration = false;
        kv380Device->disconnectDevice();
    }
}

void Reriruvozive::on_pushButtonPLM300_clicked(bool checked)
{
    if (checked && refusedWithoutConverter(ui->pushButtonPLM300))
        return;
    disconnectCurrentConnectedDevice();
    switchDeviceButtonIcon(ui->pushButtonPLM300, checked);
    if (checked) {
        setParentForComponentsUI(ui->PLM300);
        setDeviceFlag(&Reriruvozive::devicePLM300);
        surveyQueueIndex = 0;
        // Open before the session starts: its search asks at once.
        openChosenPort();
        plm300Device->connectDevice();
    } else {
        portConnection->closeSerialPort();
        plm300Device->showStatusMessage(tr("Подключите датчик"));
        plm300Device->showStatusMessageUp(" ");
        ui->comboBox_SerialPort->setEnabled(true);
        plm300Device->showUI(false);
        twoSensorCalibration = false;
        plm300Device->disconnectDevice();
    }
}

void Reriruvozive::on_pushButtonN7_clicked(bool checked)
{
    if (checked && refusedWithoutConverter(ui->pushButtonN7))
        return;
    disconnectCurrentConnectedDevice();
    switchDeviceButtonIcon(ui->pushButtonN7, checked);
    if (checked) {
        setDeviceFlag(&Reriruvozive::deviceN7);
        setParentForComponentsUI(ui->N7);
        // Open before the session starts: it drops what the line brought before.
        openChosenPort();
        n7Device->connectDevice();
    } else {
        portConnection->closeSerialPort();
        n7Device->showStatusMessage(tr("Подключите датчик"));
        n7Device->showStatusMessageUp(" ");
        ui->comboBox_SerialPort->setEnabled(true);
        n7Device->switchOff();
        twoSensorCalibration = false;
    }
}

void Reriruvozive::on_pushButtonQFOnline_clicked(bool checked)
{
    if (checked && refusedWithoutConverter(ui->pushButtonQFOnline))
        return;
    deleteLabelUpdate();
    disconnectCurrentConnectedDevice();
    switchDeviceButtonIcon(ui->pushButtonQFOnline, checked);
    if (checked) {
        setParentForComponentsUI(ui->QFOnline);
        setDeviceFlag(&Reriruvozive::deviceQFOnline);
        surveyQueueIndex = 0;
        // Open before the session starts: it drops what the line brought before.
        openChosenPort();
        qfOnline->connectDevice();
        qfOnline->setNeedUpdataWindow(true);
        qfOnline->cmdGetIMEIAndSIM();
    }
}

void Reriruvozive::on_pushButtonWiredTag_clicked(bool checked)
{
    if (checked ? refusedWithoutConverter(ui->pushButtonWiredTag) : noPorts())
        return;
    setParentForComponentsUI(ui->WiredTag);
    switchDeviceButtonIcon(ui->pushButtonWiredTag, checked);
}

bool Reriruvozive::bleChoiceStarts()
{
    if (refusedWithoutConverter(nullptr))
        return false;
    // The choice starts the BLE button's device: pressed, the button shows
    // it, whatever a refused press of another button left it.
    ui->pushButtonBLE->setChecked(true);
    return true;
}

void Reriruvozive::on_pushButtonChoiceUSB_clicked()
{
    if (!bleChoiceStarts())
        return;
    attach_USBBLE_BASE();
    setParentForComponentsUI(ui->BLE_QF410);
    connectUSBBleDevice();
    setDeviceFlag(&Reriruvozive::deviceBLE);
    switchDeviceButtonIcon(ui->pushButtonBLE, true);
}

void Reriruvozive::on_pushButtonChoiceAdvert_clicked()
{
    if (!bleChoiceStarts())
        return;
    setDeviceFlag(&Reriruvozive::deviceBLE);
    setParentForComponentsUI(ui->BLE_QF410);
    // It lights the button itself, before the page waits for the base's
    // identity: another press during that wait must find the button as it
    // left it.
    conectAdvertDevice();
}

void Reriruvozive::on_pushButtonChoiceKVBLE_clicked()
{
    if (!bleChoiceStarts())
        return;
    attach_USBBLE_BASE();
    setDeviceFlag(&Reriruvozive::deviceKVBLE);
    setParentForComponentsUI(ui->KV_BLE);
    ui->ButtonTarirovka->hide();
    connectKVBLEDevice();
}

void Reriruvozive::connectUSBBleDevice()
{
    bleDevice->setCurrentCommand(ble::kNoCommand);
    rxBuffer->clear();
    surveyQueue.clear();
    surveyQueueIndex = 0;
    switchDeviceButtonIcon(ui->pushButtonBLE, true);
    bleDevice->setAdvertMode(false);
    // Opening the port is no silence of the base.
    bleDevice->resetAndStopTimerDeviceConnected();
    setDeviceFlag(&Reriruvozive::deviceBLE);
    openChosenPort();
    bleDevice->setNeedUpdateWindow(true);
    ui->pushBtnChangeBaseLinkIDBLE->show();
    ui->ButtonTarirovka->show();
    ui->pushButtonService->show();
    bleDevice->showStatusMessageUp(tr("Ожидаем ответа от беспроводного датчика"));
    bleDevice->showStatusMessage(tr("Подключите датчик"));
    ui->label_NeedCalibDUT->hide();
    ui->label_AlarmDUT->hide();
    ui->label_NeedCalibBLE->hide();
    ui->label_Alarm_9BLE->hide();
    bleDevice->connectDevice();
}

void Reriruvozive::conectAdvertDevice()
{
    switchDeviceButtonIcon(ui->pushButtonBLE, true);
    bleDevice->setAdvertMode(true);
    // Opening the port is no silence of the base.
    bleDevice->resetAndStopTimerDeviceConnected();
    setDeviceFlag(&Reriruvozive::deviceBLE);
    openChosenPort();
    ui->ButtonTarirovka->show();
    ui->pushButtonService->show();
    ui->label_NeedCalibDUT->hide();
    ui->label_AlarmDUT->hide();
    ui->label_NeedCalibBLE->hide();
    ui->label_Alarm_9BLE->hide();
    bleDevice->connectDeviceAdvert();
}

void Reriruvozive::connectKVBLEDevice()
{
    kvbleDevice->showUI(true);
    kvbleDevice->setCurrentCommand(ble::kNoCommand);
    rxBuffer->clear();
    surveyQueue.clear();
    surveyQueueIndex = 0;
    switchDeviceButtonIcon(ui->pushButtonBLE, true);
    openChosenPort();
    kvbleDevice->setNeedUpdateWindow(true);
    kvbleDevice->connectDevice();
}

void Reriruvozive::on_comboBoxRangeDUT_activated(int index)
{
    if (index == 0 || index == 1) {
        const bool wide = index == 1;
        flsDevice->setRangeChangedTo4095(wide);
        flsDevice->setRangeChangedTo1023(!wide);
        flsDevice->setRange1023(!wide);
        flsDevice->setRange4095(wide);
    }
    ui->label_Alarm_4DUT->setPixmap(pixmapBird);
    ui->label_Alarm_4DUT->setVisible(true);
    flsDevice->setParamChanged(true);
}

void Reriruvozive::on_comboBoxRangeBLE_activated(int index)
{
    if (index == 0 || index == 1) {
        const bool wide = index == 1;
        bleDevice->setRangeChangeTo1023(!wide);
        bleDevice->setRangeChangeTo4095(wide);
        bleDevice->setRange1023(!wide);
        bleDevice->setRange4095(wide);
    }
    bleDevice->setSettingsChanged(true);
    ui->label_Alarm_10BLE->setVisible(true);
    ui->label_Alarm_10BLE->setPixmap(pixmapBird);
}

void Reriruvozive::on_pushButtonDropDownList_clicked()
{
    ui->scrollAreaBtnsDevices->verticalScrollBar()->setValue(180);
}

void Reriruvozive::on_pushButtonPushUpList_clicked()
{
    ui->scrollAreaBtnsDevices->verticalScrollBar()->setValue(-180);
}

void Reriruvozive::setLevelFromAnotherDevice(int level, int device)
{
    // The BLE page can report sensor number 3, which has no entry here.
    if (device < 0 || device >= 3)
        return;
    levels[device] = level;
}

void Reriruvozive::UpdataValEngMenu()
{
    if (deviceFLS) {
        lastFullValue = flsDevice->getFullValue();
        lastEmptyValue = flsDevice->getEmptyValue();
    } else if (deviceBLE) {
        lastFullValue = bleDevice->getFullValue();
        lastEmptyValue = bleDevice->getEmptyValue();
    }
    if (manualInputDialog)
        manualInputDialog->updateValueLevel(lastFullValue, lastEmptyValue);
}

void Reriruvozive::clickTabOnTabWidget(int index)
{
    qDebug() << "Clicked Tab№ " << index;
}

void Reriruvozive::createDialogConnectionToBLEFail()
{
    if (manualInputDialog) {
        qDebug() << "createDialogConnectionToBLEFail custom";
        manualInputDialog->close();
        manualInputDialog->deleteLater();
        manualInputDialog = nullptr;
    }
    if (QDialog *dialog = bleDevice->getConnectDialog()) {
        qDebug() << "createDialogConnectionToBLEFail BLE";
        bleDevice->restoreTimerDeviceConnected();
        dialog->close();
        dialog->deleteLater();
        bleDevice->setConnectDialog(nullptr);
    }
    if (QDialog *dialog = kvbleDevice->getConnectDialog()) {
        qDebug() << "createDialogConnectionToBLEFail KVBLE";
        dialog->close();
        dialog->deleteLater();
        kvbleDevice->setConnectDialog(nullptr);
    }
    if (bleFailTimer) {
        bleFailTimer->deleteLater();
        bleFailTimer = nullptr;
    }
    auto *message =
        new DynamicQDialog(this, QString(), tr("Не удалось подключиться к датчику\nПовторите попытку"), false);
    message->exec();
    message->deleteLater();
}

void Reriruvozive::closeEvent(QCloseEvent *event)
{
    // Closing ends the application's event loops, the nested ones a waiting
    // procedure sits in among them. Every session ends first, so that each
    // wait wakes to a page already left and its procedure sends, logs and
    // shows nothing more. A download is cut the same way, without reviving
    // its page.
    {
        const QSignalBlocker quiet(firmwareUpdater);
        firmwareUpdater->interrupt();
    }
    for (BaseDevice *page : qAsConst(pages)) {
        page->takeLineBack();
        page->endSession();
    }
    // Then the device goes off as a switch-off puts it, and the port closes.
    switchActiveDeviceOff();
    QMainWindow::closeEvent(event);
}
