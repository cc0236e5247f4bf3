// The wireless angle sensor page's part of the main window: its settings
// fields' edits, the parameter write, set-zero and linking a new sensor.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/angle/kvbledevice.h"
#include "ui/dynamicqdialog.h"

#include <QDebug>

bool Reriruvozive::confirmKVBLE(BaseDevice::Procedure &run, const QString &action)
{
    DynamicQDialog dialog(this, action, tr("Вы уверены?"), false);
    return run.exec(dialog) == QDialog::Accepted;
}

void Reriruvozive::on_lineEditKVBLEUp_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    kvbleDevice->setUpEdited(true);
    qDebug() << "on_lineEditKVBLEUp_textEdited";
}

void Reriruvozive::on_lineEditKVBLEDown_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    kvbleDevice->setDownEdited(true);
    qDebug() << "on_lineEditKVBLEDown_textEdited";
}

void Reriruvozive::on_lineEditKVBLEOn_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    kvbleDevice->setDelayOnEdited(true);
    qDebug() << "on_lineEditKVBLEOn_textEdited";
}

void Reriruvozive::on_lineEditKVBLEOff_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    kvbleDevice->setDelayOffEdited(true);
    qDebug() << "on_lineEditKVBLEOff_textEdited";
}

void Reriruvozive::on_ButtonWriteParamKVBLE_clicked()
{
    // Begun before the question: while a write runs, a second press asks
    // nothing and shows the running one.
    BaseDevice::Procedure run(kvbleDevice);
    if (run && confirmKVBLE(run, tr("Сейчас будут записаны новые настройки")))
        kvbleDevice->writeParamToDevice(run);
}

void Reriruvozive::on_pushButtonSetNullKVBLE_clicked()
{
    // Refused like a second write while one runs: the zero command would
    // clear the status codes the write waits for.
    BaseDevice::Procedure run(kvbleDevice);
    if (run && confirmKVBLE(run, tr("Сейчас будет установлен \"НОЛЬ\"")))
        kvbleDevice->cmdSetNull(run);
}

void Reriruvozive::on_pushButtonConnectNewKVBLE_clicked()
{
    kvbleDevice->connectNewDevice();
}
