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
    // Its waits run the event loop; a second press or Ctrl+S meanwhile
    // would send a second write into the first one's answer, and a write of
    // a page just left may still be on its way to its next wait.
    if (anyWriteRunning() || !bleDevice->isSessionRunning())
        return;
    const int filter = ui->comboBox_FiltrBLE->currentIndex();
    if (filter < 0)
        return; // no settings read from the sensor yet
    const BaseDevice::WriteGuard guard(bleDevice);

    bleDevice->setWaitingReply(true);
    // A protected sensor takes the write only after the password it accepted.
    // Left during a wait, the write sends, marks and tells nothing more.
    if (bleDevice->isPasswordProtected() && bleDevice->getAcceptedPassword() &&
        !bleDevice->sendPass(int(*bleDevice->getAcceptedPassword()), ble::kPasswordEnterCommand))
        return;

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
        if (!bleDevice->waitInSession(kWriteCycleMs))
            return;
        bleDevice->setFirstDataRequest(true);
        parceDataFromCOMPort();
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
    // The restart belongs to the page it was asked on.
    BaseDevice *page = activePage();
    if (!page || !page->isSessionRunning())
        return;
    // The sensor restarts only for a caller that knows its password. Left
    // during a wait, the page sends and shows nothing more.
    if (deviceBLE && bleDevice->isPasswordProtected() && bleDevice->getAcceptedPassword() &&
        !bleDevice->sendPass(int(*bleDevice->getAcceptedPassword()), ble::kSensorEnterPassword))
        return;
    // A second restart is reported like the first.
    bleDevice->awaitCommandOutcome();
    portConnection->writeData(ble::updateModeRequest(currentNetNum));
    if (!page->waitInSession(kUpdateFrameMs))
        return;
    ui->labelMsgUpdBLE->setWordWrap(true);
    ui->labelMsgUpdBLE->setText(tr("Сейчас датчик будет перезагружен\nПосле успешной перезагрузки у вас есть "
                                   "примерно\n30 секунд на запуск процесса обновления\nпрошивки в программе "
                                   "NRFConnect."));
    ui->labelMsgUpdBLE->show();
    appendLog("Start update firmware BLE");
}
