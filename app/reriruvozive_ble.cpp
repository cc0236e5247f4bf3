// The BLE base page's part of the main window: its settings write, its
// settings widgets and the wireless sensor's restart into its update mode.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/ble/bledevice.h"
#include "devices/ble/bleprotocol.h"
#include "link/portconnection.h"

#include <QLabel>
#include <QTimer>

namespace {

// The base reports the sensor's new working mode within this many seconds.
constexpr int kWriteCycles = 15;
constexpr int kWriteCycleMs = 1000;
constexpr int kWrittenMarkMs = 2000;
constexpr int kUpdateFrameMs = 100;

} // namespace

void Reriruvozive::writeParamToBLE()
{
    // Its waits run the event loop; a second press or Ctrl+S meanwhile is
    // refused by the page, which says so.
    BaseDevice::Procedure run(bleDevice);
    if (!run)
        return;
    // Settings read from another sensor, or from none, are not the linked one's.
    if (!bleDevice->requireSensorReadings())
        return;
    const int filter = ui->comboBox_FiltrBLE->currentIndex();
    if (filter < 0)
        return; // no settings read from the sensor yet

    bleDevice->setWaitingReply(true);
    // A protected sensor takes the write only after the password it accepted.
    // Left during a wait, the write sends, marks and tells nothing more.
    if (bleDevice->isPasswordProtected() && bleDevice->getAcceptedPassword()) {
        if (!bleDevice->sendPass(run, int(*bleDevice->getAcceptedPassword()), ble::kPasswordEnterCommand))
            return;
        // The sensor's report comes with the polls.
        run.releaseLine();
    }

    quint8 mode = 0;
    if (bleDevice->isRangeChangeTo1023()) {
        bleDevice->setRangeChangeTo1023(false);
    } else if (bleDevice->isRangeChangeTo4095() || bleDevice->isRange4095()) {
        bleDevice->setRangeChangeTo4095(false);
        mode |= ble::kWideRangeBit;
    }

    // Only the report of this write counts, not one left from an earlier write.
    bleDevice->setModeSet(false);
    bleDevice->awaitCommandOutcome();
    portConnection->writeData(ble::paramWrite(mode, quint8(filter)));
    bleDevice->setCurrentCommand(ble::kDataCommand);
    bleDevice->showStatusMessageUp(tr("Ожидаем ответа от датчика"));

    for (int cycle = 1; cycle <= kWriteCycles; ++cycle) {
        bleDevice->setNeedUpdateWindow(true);
        bleDevice->setParamsAcknowledged(false);
        if (!run.wait(kWriteCycleMs))
            return;
        bleDevice->setFirstDataRequest(true);
        parceDataFromCOMPort();
        if (!run.alive())
            return;
        if (bleDevice->isModeSet()) {
            ui->label_Alarm_12BLE->setPixmap(pixmapBirdGreen);
            ui->label_Alarm_10BLE->setPixmap(pixmapBirdGreen);
            bleDevice->setSettingsChanged(false);
            birdsTimer->start(kWrittenMarkMs);
            appendLog("Write param to device succesfull");
            break;
        }
        if (cycle == kWriteCycles) {
            ui->label_Alarm_12BLE->hide();
            ui->label_Alarm_10BLE->hide();
            appendLog("Error write param to device");
            // Told once the write is over: the next press after the box
            // starts at once.
            if (run.end())
                bleDevice->showMessage(QString(), tr("Некоторые параметры не были записаны\nПовторите"), this);
        }
    }
}

void Reriruvozive::on_comboBox_FiltrBLE_activated(int index)
{
    Q_UNUSED(index)
    bleDevice->setSettingsChanged(true);
    ui->label_Alarm_12BLE->setPixmap(pixmapBird);
    ui->label_Alarm_12BLE->setVisible(true);
}

void Reriruvozive::on_pushBtnInUpdBLE_clicked()
{
    // The restart belongs to the page it was asked on, one procedure of it
    // at a time.
    BaseDevice *page = activePage();
    if (!page)
        return;
    BaseDevice::Procedure run(page);
    if (!run)
        return;
    // The sensor restarts only for a caller that knows its password. Left
    // during a wait, the page sends and shows nothing more.
    if (deviceBLE && bleDevice->isPasswordProtected() && bleDevice->getAcceptedPassword() &&
        !bleDevice->sendPass(run, int(*bleDevice->getAcceptedPassword()), ble::kSensorEnterPassword))
        return;
    // A second restart is reported like the first.
    bleDevice->awaitCommandOutcome();
    portConnection->writeData(ble::updateModeRequest(activeNetNum()));
    if (!run.wait(kUpdateFrameMs))
        return;
    ui->labelMsgUpdBLE->setWordWrap(true);
    ui->labelMsgUpdBLE->setText(tr("Сейчас датчик будет перезагружен\nПосле успешной перезагрузки у вас есть "
                                   "примерно\n30 секунд на запуск процесса обновления\nпрошивки в программе "
                                   "NRFConnect."));
    ui->labelMsgUpdBLE->show();
    appendLog("Start update firmware BLE");
}
