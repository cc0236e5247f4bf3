// The wired angle sensor page's part of the main window: the settings fields'
// edits, their setting commands, the parameter write and set-zero.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/angle/kv380device.h"
#include "devices/angle/kv380protocol.h"
#include "link/portconnection.h"

#include <QDebug>
#include <QLabel>
#include <QTimer>

namespace {

// Pauses of the write: between two setting commands, and around the re-read.
constexpr int kBetweenCommandsMs = 700;
constexpr int kStepMs = 250;
constexpr int kBeforeResumeMs = 1000;
constexpr int kMarksShownMs = 1000;

using Setting = KV380Device::Setting;

void markEdited(QLabel *mark, const QPixmap &picture, KV380Device *page, Setting setting)
{
    mark->setPixmap(picture);
    mark->setVisible(true);
    page->setSettingsChanged(true);
    page->setEdited(setting, true);
}

} // namespace

void Reriruvozive::on_lineEditKV380Up_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    markEdited(ui->label_Alarm_1KV380, pixmapBird, kv380Device, Setting::Up);
}

void Reriruvozive::on_lineEditKV380Down_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    markEdited(ui->label_Alarm_2KV380, pixmapBird, kv380Device, Setting::Down);
}

void Reriruvozive::on_lineEditKV380DelayOn_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    markEdited(ui->label_Alarm_3KV380, pixmapBird, kv380Device, Setting::DelayOn);
}

void Reriruvozive::on_lineEditKV380DelayOff_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    markEdited(ui->label_Alarm_4KV380, pixmapBird, kv380Device, Setting::DelayOff);
}

void Reriruvozive::on_lineEdit_NetNumKV380_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    markEdited(ui->label_Alarm_5KV380, pixmapBird, kv380Device, Setting::NetNum);
}

void Reriruvozive::on_lineEditKV380Up_editingFinished()
{
    if (ui->lineEditKV380Up->text().isEmpty())
        ui->lineEditKV380Up->setText(QString::number(kv380::kDefaultUpThreshold));
}

// Each setting command sends its field only when it holds a number of the
// field's range; otherwise it stays pending with its changed mark, and false
// tells the write to say so. Nothing waits for the sensor: the re-read after
// the write shows what it took.

bool Reriruvozive::ChangeUpKV380()
{
    const std::optional<int> value = kv380::fieldValue(ui->lineEditKV380Up->text(), kv380::kThresholdRange);
    if (!value)
        return false;
    portConnection->writeData(kv380::upWrite(kv380Device->writeNetNum(), quint16(*value)));
    kv380Device->setEdited(Setting::Up, false);
    ui->label_Alarm_1KV380->setPixmap(pixmapBirdGreen);
    return true;
}

bool Reriruvozive::ChangeDownKV380()
{
    const std::optional<int> value = kv380::fieldValue(ui->lineEditKV380Down->text(), kv380::kThresholdRange);
    if (!value)
        return false;
    portConnection->writeData(kv380::downWrite(kv380Device->writeNetNum(), quint16(*value)));
    kv380Device->setEdited(Setting::Down, false);
    ui->label_Alarm_2KV380->setPixmap(pixmapBirdGreen);
    return true;
}

bool Reriruvozive::changeDelayKV380(bool on)
{
    QLineEdit *field = on ? ui->lineEditKV380DelayOn : ui->lineEditKV380DelayOff;
    const Setting setting = on ? Setting::DelayOn : Setting::DelayOff;
    const quint8 mode = kv380Device->getMode();
    if (mode != kv380::kModeBlade && mode != kv380::kModeBucket) {
        // The sensor has no delays in this mode (their fields are hidden):
        // the edit is dropped, the fields are read again in a mode with them.
        kv380Device->setEdited(setting, false);
        return true;
    }
    const std::optional<int> value = kv380::fieldValue(field->text(), kv380::kDelayRange);
    const std::optional<QByteArray> request =
        value ? (on ? kv380::delayOnWrite(kv380Device->writeNetNum(), mode, *value)
                    : kv380::delayOffWrite(kv380Device->writeNetNum(), mode, *value))
              : std::nullopt;
    if (!request)
        return false;
    portConnection->writeData(*request);
    kv380Device->setEdited(setting, false);
    (on ? ui->label_Alarm_3KV380 : ui->label_Alarm_4KV380)->setPixmap(pixmapBirdGreen);
    return true;
}

bool Reriruvozive::ChangeDelayOnKV380()
{
    return changeDelayKV380(true);
}

bool Reriruvozive::ChangeDelayOffKV380()
{
    return changeDelayKV380(false);
}

bool Reriruvozive::ChangeNetNumKV380()
{
    const std::optional<int> value = kv380::fieldValue(ui->lineEdit_NetNumKV380->text(), kv380::kNetNumRange);
    if (!value)
        return false;
    portConnection->writeData(kv380::netNumWrite(kv380Device->writeNetNum(), quint8(*value)));
    qDebug() << "writedata Net Num";
    // The write looks for the sensor under its new number, then marks it.
    return true;
}

void Reriruvozive::writeParamToKV380()
{
    if (firmwareUpdateRefuses())
        return;
    // The waits below run the event loop: a second press or Ctrl+S must not
    // start another write inside this one.
    BaseDevice::Procedure run(kv380Device);
    if (!run)
        return;
    // A number another sensor on the bus holds is not given: nothing goes
    // out until the user has put it right.
    if (kv380Device->isEdited(Setting::NetNum)) {
        const std::optional<int> net = kv380::fieldValue(ui->lineEdit_NetNumKV380->text(), kv380::kNetNumRange);
        if (net && !kv380Device->netNumFree(run, quint8(*net), this))
            return;
    }
    // A box above may have been up while the page lost its sensor.
    if (!run.sensorStillHeard())
        return;
    // Polling and the watchdog wait for the write; what comes in is read at
    // the end of the write, not meanwhile. Each wait is false once the page
    // was left (or left and chosen again): the write then sends, reads and
    // tells nothing more.
    run.holdLine();
    kv380Device->timerIntervalGetDataStop();

    struct Command
    {
        Setting setting;
        bool (Reriruvozive::*send)();
        QLabel *caption;
        QLabel *mark = nullptr; // marked here, once the sensor took its new number
    };
    const Command commands[] = {
        {Setting::Up, &Reriruvozive::ChangeUpKV380, ui->label_27KV380},
        {Setting::Down, &Reriruvozive::ChangeDownKV380, ui->label_26KV380},
        {Setting::DelayOn, &Reriruvozive::ChangeDelayOnKV380, ui->label_26KV380_2},
        {Setting::DelayOff, &Reriruvozive::ChangeDelayOffKV380, ui->label_26KV380_3},
        {Setting::NetNum, &Reriruvozive::ChangeNetNumKV380, ui->label_lineEdit_NetNumKV380, ui->label_Alarm_5KV380},
    };
    QList<const Command *> queue;
    for (const Command &c : commands) {
        if (kv380Device->isEdited(c.setting))
            queue.append(&c);
    }
    QStringList refused;
    while (!queue.isEmpty()) {
        const Command *c = queue.takeFirst();
        if (!(this->*c->send)()) {
            refused.append(c->caption->text());
        } else if (c->mark) {
            if (!kv380Device->searchUnderNewNumber(run))
                return;
            kv380Device->setEdited(c->setting, false);
            c->mark->setPixmap(pixmapBirdGreen);
        }
        if (!run.wait(kBetweenCommandsMs))
            return;
    }

    if (!run.wait(kStepMs))
        return;
    kv380Device->setSyncSwitchesWithDevice(true);
    if (!run.wait(kStepMs))
        return;
    requestForGetAllDataFromDevice();
    if (!run.wait(kStepMs))
        return;
    parceDataFromCOMPort();
    if (!run.wait(kBeforeResumeMs))
        return;
    birdsTimer->start(kMarksShownMs);

    // Told once the write is over: the next press after the box starts at
    // once.
    if (run.end() && !refused.isEmpty())
        kv380Device->showMessage(tr("Значение вне допустимого диапазона"), refused.join(QStringLiteral(", ")), this);
}

void Reriruvozive::on_ButtonWriteParamKV380_clicked()
{
    writeParamToKV380();
}

void Reriruvozive::on_buttonSetNullKV380_clicked()
{
    if (firmwareUpdateRefuses())
        return;
    kv380Device->cmdSetNull();
}
