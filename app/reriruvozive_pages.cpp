// Which page the window shows: the device pages with the device column, the
// pages opened from them, and every way back.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"

#include <QStackedWidget>

bool Reriruvozive::isDevicePage(const QWidget *page) const
{
    if (page == ui->ChoiceBLE || page == ui->WiredTag)
        return true;
    for (const DeviceEntry &d : devices) {
        if (d.formPage == page)
            return true;
    }
    return false;
}

// The column's widgets move together; the device buttons stand for all.
QWidget *Reriruvozive::columnPage() const
{
    return ui->scrollAreaBtnsDevices->parentWidget();
}

void Reriruvozive::placeDeviceColumn(QWidget *page)
{
    // A re-parented widget stays hidden until shown: the temperature labels
    // show with a sensor's reading, the rest of the column at once (the
    // scroll buttons belong to the device buttons and go with them).
    const QWidgetList shown{ui->line_4DUT,
                            ui->line_2DUT,
                            ui->scrollAreaBtnsDevices,
                            ui->groupBoxSerialPort,
                            ui->pushButtonDropDownList,
                            ui->pushButtonPushUpList};
    for (QWidget *w : shown + QWidgetList{ui->label_SerNumName, ui->label_SerNumVal, ui->label_FirmwareName,
                                          ui->label_FirmwareVal, ui->label_TempNameDUT, ui->label_TempValDUT})
        w->setParent(page);
    for (QWidget *w : shown + QWidgetList{ui->ButtonTarirovka, ui->pushButtonService})
        w->show();
    ui->label_NaprNameQF260DUT->hide();
    ui->label_NaprValQF260DUT->hide();

    if (page == ui->BLE_QF410 || page == ui->ChoiceBLE) {
        ui->label_FirmwareName->setGeometry(210, 90, 28, 20);
        ui->label_FirmwareVal->setGeometry(300, 90, 81, 20);
        ui->label_SerNumName->hide();
        ui->label_SerNumVal->hide();
    } else {
        ui->label_FirmwareName->setGeometry(280, 36, 28, 20);
        ui->label_FirmwareVal->setGeometry(310, 36, 81, 20);
        ui->label_SerNumName->setGeometry(280, 11, 21, 20);
        ui->label_SerNumVal->setGeometry(310, 11, 81, 20);
        ui->label_SerNumName->show();
        ui->label_SerNumVal->show();
    }
    ui->label_FirmwareName->show();
    ui->label_FirmwareVal->show();
}

void Reriruvozive::setParentForComponentsUI(QWidget *parentWidget)
{
    placeDeviceColumn(parentWidget);
    showPage(parentWidget);
    updateSerialPorts();
}

void Reriruvozive::showPage(QWidget *page)
{
    // A device page the column is on already keeps it as its session left it.
    if (isDevicePage(page) && columnPage() != page)
        placeDeviceColumn(page);
    ui->stackedWidget->setCurrentWidget(page);
}

void Reriruvozive::showPageBack(QWidget *named)
{
    QWidget *page = named;
    if (const DeviceEntry *d = activeDevice())
        page = d->formPage;
    else if (!isDevicePage(page))
        page = columnPage();
    // The BLE choice left unmade chooses no device: its button goes up, so
    // that its next press shows the choice again.
    if (!activeDevice() && page != ui->ChoiceBLE)
        switchDeviceButtonIcon(ui->pushButtonBLE, false);
    showPage(page);
}

void Reriruvozive::on_pushBtnBackRemoteControl_clicked()
{
    // Nothing typed on the remote page is reset: the user may come back to it.
    showPageBack(ui->DUT);
}

void Reriruvozive::on_pushBtnUpdateFWBackBLE_clicked()
{
    showPageBack(ui->BLE_QF410);
}

void Reriruvozive::on_pushBtnEngineerBackBLE_clicked()
{
    showPageBack(ui->BLE_QF410);
}

void Reriruvozive::on_pushBtnEngineerBack_clicked()
{
    showPageBack(ui->DUT);
    flsDevice->setVisibleSwitch(true);
}

void Reriruvozive::on_pushButtonProgSettingBack_clicked()
{
    showPageBack(pageBeforeProgSetting ? pageBeforeProgSetting : ui->DUT);
}

// The calibration page belongs to the device it was opened for: the way back
// is that device's page, or, once it went off, the page the user came from.
void Reriruvozive::on_pushButtonBackTarir_clicked()
{
    showPageBack();
}

void Reriruvozive::on_pushButtonBackTarirAdw_clicked()
{
    showPageBack(ui->BLE_QF410);
}
