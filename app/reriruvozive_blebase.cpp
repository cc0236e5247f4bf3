// Attaching and detaching the USB BLE base through its bridge's output latch.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/ble/bleprotocol.h"
#include "link/bridgegpio.h"
#include "link/portconnection.h"

#include <QDebug>

namespace {

// The serial port must be closed first: the bridge is opened on its own.
void writeBaseLatch(BridgeGpio *gpio, const QString &portName, quint16 value)
{
    if (!gpio || !gpio->open(portName)) {
        qDebug() << "OFF ERROR";
        return;
    }
    const int status = gpio->writeLatch(ble::kBaseLatchMask, value);
    if (status == 0) {
        qDebug() << "OFF SUCCESS";
    } else {
        qDebug().noquote() << "status =" << status;
        qDebug() << "OFF ERROR";
    }
    gpio->close();
}

} // namespace

void Reriruvozive::attach_USBBLE_BASE()
{
    portConnection->closeSerialPort();
    writeBaseLatch(bridgeGpio.get(), ui->comboBox_SerialPort->currentText(), ble::kBaseAttached);
}

void Reriruvozive::deattach_USBBLE_BASE()
{
    portConnection->closeSerialPort();
    writeBaseLatch(bridgeGpio.get(), ui->comboBox_SerialPort->currentText(), ble::kBaseDetached);
}
