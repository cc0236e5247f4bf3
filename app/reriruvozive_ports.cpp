// The port list and the serial port's error reports.
#include "app/reriruvozive.h"

#include "app/portlist.h"
#include "deruvivuriri_form.h"
#include "devices/angle/kv380device.h"
#include "devices/ble/bledevice.h"
#include "devices/fls/flsdevice.h"
#include "devices/other/n7device.h"
#include "devices/other/plm300device.h"
#include "link/openfailure.h"
#include "link/portconnection.h"
#include "ui/dynamicqdialog.h"

#include <QApplication>
#include <QSerialPort>

void Reriruvozive::updateSerialPorts()
{
    serialPortList = portSource();

    // A refresh must not cut the line of a device that is working on a port
    // that is still there. A port that vanished while open goes the way of a
    // failed line: the active device is switched off (that refreshes again).
    QSerialPort *serial = portConnection->getSerialPort();
    if (serial->isOpen() && !portlist::contains(serialPortList, serial->portName())) {
        portConnection->handleError(QSerialPort::ResourceError);
        return;
    }
    const bool activePortStays = serial->isOpen();

    const QString remembered = ui->comboBox_SerialPort->currentText();

    auto showHint = [this] {
        titleFont.setPixelSize(20);
        ui->comboBox_SerialPort->setFont(titleFont);
        ui->comboBox_SerialPort->clear();
        ui->comboBox_SerialPort->insertItem(0, tr("Подключите\nпреобразователь"));
    };

    if (serialPortList.isEmpty()) {
        showHint();
        return;
    }

    if (!activePortStays)
        portConnection->closeSerialPort();
    titleFont.setPixelSize(52);
    ui->comboBox_SerialPort->setFont(titleFont);

    if (serialPortList.size() == 1 && serialPortList.first().isBusy() && !activePortStays) {
        showHint();
        return;
    }

    ui->comboBox_SerialPort->clear();
    for (const portlist::Port &info : serialPortList) {
        const bool ours = activePortStays && portlist::sameDevice(info, serial->portName());
        if (!info.isNull() && (ours || !info.isBusy()))
            ui->comboBox_SerialPort->addItem(info.name);
    }
    ui->comboBox_SerialPort->setCurrentText(remembered);
}

void Reriruvozive::secondIntervalTask()
{
    // While ports are listed, the device watcher's notices of ports coming
    // and going refresh the list; scanning the system every second would only
    // cost time. With none listed the hint is kept up until one appears.
    if (!serialPortList.isEmpty())
        return;
    if (portSource().isEmpty())
        updateSerialPorts();
}

void Reriruvozive::on_comboBox_SerialPort_activated(int index)
{
    if (index != currentPortIndex)
        currentPortIndex = ui->comboBox_SerialPort->currentIndex();
}

void Reriruvozive::handlerNoErrorSerial()
{
    if (flsDevice->isDeviceConnected())
        flsDevice->resetDeviceIsConnected();
    if (bleDevice->isDeviceConnected())
        bleDevice->resetDeviceIsConnected();
    if (kv380Device->isDeviceConnected())
        kv380Device->resetDeviceIsConnected();
    if (plm300Device->isDeviceConnected())
        plm300Device->resetDeviceIsConnected();
    if (n7Device->isDeviceConnected())
        n7Device->resetDeviceIsConnected();
}

void Reriruvozive::handlerErrorSerial()
{
    // A line that fails in a session is told by what the user sees at once:
    // the device off, the beep, and the converter gone from the port list.
    // The line that fails while its port opens is told with the open.
    lineEndedSession(QString());
}

void Reriruvozive::lineEndedSession(const QString &why)
{
    switchActiveDeviceOff();
    QApplication::beep();
    updateSerialPorts();
    // Without waiting, so that the port list goes on following the converters.
    if (!why.isEmpty())
        showBox(why);
}

QDialog *Reriruvozive::showBox(const QString &message)
{
    auto *box = new DynamicQDialog(this, QString(), message, false);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (BaseDevice *page = activePage())
        page->keepBox(box);
    box->open();
    return box;
}

QString Reriruvozive::openFailureText(const QString &port, const OpenFailure &failure) const
{
    QString why;
    switch (failure.reason) {
    case OpenFailure::Reason::Gone:
        why = tr("Порт не найден: преобразователь отключён.");
        break;
    case OpenFailure::Reason::NotPermitted:
        if (failure.group.isEmpty()) {
            why = tr("Нет прав на доступ к порту. Доступ к нему даёт администратор системы.");
            break;
        }
        why = tr("Нет прав на доступ к порту. Его открывают участники группы %1: добавьте в неё пользователя "
                 "(sudo usermod -aG %1 $USER) и войдите в систему заново.")
                  .arg(failure.group);
        break;
    case OpenFailure::Reason::Busy:
        why = tr("Порт занят другой программой.");
        break;
    case OpenFailure::Reason::NotSerial:
        why = tr("Это не последовательный порт.");
        break;
    case OpenFailure::Reason::LineFailed:
        why = tr("Проверьте подключение преобразователя!");
        break;
    case OpenFailure::Reason::None:
    case OpenFailure::Reason::Other:
        why = failure.systemText;
        break;
    }
    return tr("Не удалось открыть порт %1.").arg(port) + '\n' + why;
}
