// The main window's part of the wireless sensors reached through the base:
// the base's link ID and its update-mode restart, and the advertising
// sensors' levels and tables lent to the tank calibration run.
#include "app/reriruvozive.h"

#include "calibration/myitemdelegateforcell.h"
#include "calibration/tarrun.h"
#include "deruvivuriri_form.h"
#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bleadwview.h"
#include "devices/ble/bledevice.h"
#include "devices/ble/bleprotocol.h"
#include "ui/widgettar.h"

#include <QStandardItemModel>
#include <QTableView>

#include <QTabWidget>

void Reriruvozive::on_pushBtnChangeBaseLinkIDBLE_clicked()
{
    bleDevice->connectNewDevice();
}

void Reriruvozive::on_pushBtnInUpdBase_clicked()
{
    bleDevice->changeUiidBleForBaseReboot();
}

// ---- Calibration of an advertising sensor -----------------------------------------

void Reriruvozive::connectAdvertLevels()
{
    for (int slot = 0; slot < ble::kSlots; ++slot) {
        BLEAdwModel *model = bleDevice->modelOf(slot);
        if (!model)
            continue;
        // Each slot reports its own sensor; the run takes the one it calibrates.
        connect(model, &BLEAdwModel::copyLevelValueToMain, this,
                [this, slot](int level, int) { takeAdvertLevel(slot, level); });
    }
}

int Reriruvozive::advertTarSlot() const
{
    // A run records the slot it began on, whichever tab is shown meanwhile.
    if (tarRun->sensorCount() > 0 && advertRunSlot >= 0)
        return advertRunSlot;
    return ui->tabWidgetAdw->currentIndex();
}

void Reriruvozive::takeAdvertLevel(int slot, int level)
{
    if (deviceBLE && bleDevice->isAdvertMode() && slot == advertTarSlot())
        levels[0] = level;
}

TarBinding Reriruvozive::advertTarBinding() const
{
    TarBinding binding;
    if (const BLEAdwView *card = bleDevice->cardOf(advertTarSlot())) {
        binding.view = card->getTarTableView();
        binding.model = card->getTarModel();
        binding.volumeCard = card->getTarLitresCard();
        binding.sensor1Card = card->getTarSensorCard();
        binding.delegate = card->getTarDelegate();
    }
    return binding;
}

bool Reriruvozive::startAdvertTar()
{
    const int slot = ui->tabWidgetAdw->currentIndex();
    const BLEAdwModel *model = bleDevice->modelOf(slot);
    // The start row takes the slot's level of now: a sensor the base has
    // not listed since it last fell silent has none.
    if (!model || !model->getFlConnectedDevice() || !bleDevice->hasCurrentReading(slot)) {
        bleDevice->showMessage(QString(), tr("Подключите датчик"), this);
        return false;
    }
    // A table begun on another slot's tab gives way to this one.
    if (tarRun->sensorCount() > 0)
        tarRun->reset();
    advertRunSlot = slot;
    tarRun->bind(advertTarBinding());
    tarRun->setTwoSensors(false);
    levels[0] = model->getLevel();
    return true;
}
