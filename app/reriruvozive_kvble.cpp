// The wireless angle sensor page's part of the main window: its settings
// fields' edits, the parameter write, set-zero and linking a new sensor.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/angle/kvbledevice.h"
#include "ui/dynamicqdialog.h"

#include <QDebug>

bool Reriruvozive::confirmKVBLE(const QString &action)
{
    DynamicQDialog dialog(this, action, tr("Вы уверены?"), false);
    return dialog.exec() == QDialog::Accepted;
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
    // A write runs its waits in the event loop; the next one only after it,
    // and after that of a page just left.
    if (anyWriteRunning())
        return;
    if (confirmKVBLE(tr("Сейчас будут записаны новые настройки")))
        kvbleDevice->writeParamToDevice();
}

void Reriruvozive::on_pushButtonSetNullKVBLE_clicked()
{
    if (confirmKVBLE(tr("Сейчас будет установлен \"НОЛЬ\"")))
        kvbleDevice->cmdSetNull();
}

void Reriruvozive::on_pushButtonConnectNewKVBLE_clicked()
{
    kvbleDevice->connectNewDevice();
}
