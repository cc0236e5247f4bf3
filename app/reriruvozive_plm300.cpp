// The PLM300 page's part of the main window: marking edited settings and
// writing them to the sensor.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/other/plm300device.h"
#include "devices/other/plm300protocol.h"
#include "link/portconnection.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

// Pause after each setting frame, so the sensor has stored it before the next.
constexpr int kAfterSettingMs = 500;
// Steps of the re-read after a write.
constexpr int kStepMs = 250;
// The check interval the page resumes with after a write. The poll goes on at
// the session's own period: the serial answer each poll brings is what keeps
// the watchdog from running out.
constexpr int kCheckAfterWriteMs = 500;
constexpr int kMarksShownMs = 500;

using Setting = PLM300Device::Setting;

void markEdited(QLabel *mark, const QPixmap &picture, PLM300Device *page, Setting setting)
{
    mark->setPixmap(picture);
    mark->setVisible(true);
    page->setSettingsChanged(true);
    page->setEdited(setting, true);
}

} // namespace

void Reriruvozive::on_lineEdit_max_PLM300_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    markEdited(ui->label_Alarm_1PLM300, pixmapBird, plm300Device, Setting::Maximum);
}

void Reriruvozive::on_lineEdit_min_PLM300_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    markEdited(ui->label_Alarm_2PLM300, pixmapBird, plm300Device, Setting::Minimum);
}

void Reriruvozive::on_lineEdit_smoothing_PLM300_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    markEdited(ui->label_Alarm_3PLM300, pixmapBird, plm300Device, Setting::Smoothing);
}

void Reriruvozive::on_lineEdit_porog_PLM300_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    markEdited(ui->label_Alarm_4PLM300, pixmapBird, plm300Device, Setting::Threshold);
}

void Reriruvozive::on_lineEdit_netNumPLM300_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    markEdited(ui->label_Alarm_5PLM300, pixmapBird, plm300Device, Setting::NetNum);
}

void Reriruvozive::on_comboBox_modePLM300_activated(int index)
{
    // Not between the frames of a write; the list shows the sensor's mode
    // again with the write's re-read.
    const BaseDevice::Procedure run(plm300Device);
    if (!run)
        return;
    // Sent at once, even when the entry picked is the one shown.
    if (const std::optional<quint8> mode = plm300::modeOfIndex(index))
        portConnection->writeData(plm300::modeWrite(plm300Device->writeNetNum(), *mode));
}

void Reriruvozive::on_ButtonWriteParamPLM300_clicked()
{
    writeParamToPLM300();
}

// What the write sequence needs to know of each setting field.
struct Reriruvozive::Plm300Field
{
    QLineEdit *edit;
    QLabel *caption;
    QLabel *mark;
    plm300::Limits limits;
    quint8 command; // of the setting frame; the network number has a frame of its own
    PLM300Device::Setting setting;
};

std::vector<Reriruvozive::Plm300Field> Reriruvozive::plm300Fields()
{
    return {
        {ui->lineEdit_max_PLM300, ui->label_max_PLM300, ui->label_Alarm_1PLM300, plm300::kMaximumLimits,
         plm300::kMaximumCommand, Setting::Maximum},
        {ui->lineEdit_min_PLM300, ui->label_min_PLM300, ui->label_Alarm_2PLM300, plm300::kMinimumLimits,
         plm300::kMinimumCommand, Setting::Minimum},
        {ui->lineEdit_smoothing_PLM300, ui->label_smoothing_PLM300, ui->label_Alarm_3PLM300, plm300::kSmoothingLimits,
         plm300::kSmoothingCommand, Setting::Smoothing},
        {ui->lineEdit_porog_PLM300, ui->label_porog_PLM300, ui->label_Alarm_4PLM300, plm300::kThresholdLimits,
         plm300::kThresholdCommand, Setting::Threshold},
        {ui->lineEdit_netNumPLM300, ui->label_NetNumPLM300, ui->label_Alarm_5PLM300, plm300::kNetNumLimits,
         plm300::kNetNumCommand, Setting::NetNum},
    };
}

// Runs only from writeParamToPLM300, which has checked the fields; still, a
// field without an acceptable number is never sent.
void Reriruvozive::sendPlm300Setting(const Plm300Field &field)
{
    const std::optional<quint16> value = plm300::settingValue(field.edit->text(), field.limits);
    if (!value)
        return;
    portConnection->writeData(plm300::settingWrite(plm300Device->writeNetNum(), field.command, *value));
    plm300Device->setEdited(field.setting, false);
    field.mark->setPixmap(pixmapBirdGreen);
}

void Reriruvozive::ChangeNetNumPLM300(BaseDevice::Procedure &run, const Plm300Field &field)
{
    const std::optional<quint16> value = plm300::settingValue(field.edit->text(), field.limits);
    if (!value)
        return;
    // Sent to the old number; the search that follows finds the sensor under
    // its new one and readdresses the page and the requests.
    portConnection->writeData(plm300::netNumWrite(plm300Device->writeNetNum(), quint8(*value)));
    if (!plm300Device->searchUnderNewNumber(run))
        return;
    plm300Device->setEdited(field.setting, false);
    field.mark->setPixmap(pixmapBirdGreen);
}

void Reriruvozive::writeParamToPLM300()
{
    if (firmwareUpdateRefuses())
        return;
    // A second press during the waits below would send the settings over
    // again. Left during one of them, the page sends and shows nothing more.
    BaseDevice::Procedure run(plm300Device);
    if (!run)
        return;
    const std::vector<Plm300Field> fields = plm300Fields();
    // An empty or out-of-range field is not sent as some other number: the
    // whole write waits until the user has put it right.
    for (const Plm300Field &f : fields) {
        if (plm300Device->isEdited(f.setting) && !plm300::settingValue(f.edit->text(), f.limits)) {
            askService(tr("Недопустимое значение: %1\nВведите число от %2 до %3")
                           .arg(f.caption->text())
                           .arg(f.limits.bottom)
                           .arg(f.limits.top),
                       false);
            f.edit->setFocus();
            return;
        }
    }
    // Nor is a number another sensor on the bus holds.
    if (plm300Device->isEdited(Setting::NetNum)) {
        const std::optional<quint16> net =
            plm300::settingValue(ui->lineEdit_netNumPLM300->text(), plm300::kNetNumLimits);
        if (net && !plm300Device->netNumFree(run, quint8(*net), this))
            return;
    }
    // A box above may have been up while the page lost its sensor.
    if (!run.sensorStillHeard())
        return;

    run.holdLine();
    plm300Device->timerIntervalGetDataStop();

    for (const Plm300Field &f : fields) {
        if (!plm300Device->isEdited(f.setting))
            continue;
        if (f.setting == Setting::NetNum)
            ChangeNetNumPLM300(run, f);
        else
            sendPlm300Setting(f);
        if (!run.wait(kAfterSettingMs))
            return;
    }
    plm300Device->setSettingsChanged(false);

    // Read back what the sensor now holds; with the check timer stopped, the
    // answers gathered meanwhile are handed over here. Answers to polls from
    // before the write are still waiting: they would fill the settings with
    // the old values, so they go, unless a search answer may be among them.
    if (!run.wait(kStepMs))
        return;
    plm300Device->setFirstDataRequest(true);
    if (!run.wait(kStepMs))
        return;
    if (!plm300Device->isSearchActive())
        cleanRingBuffer();
    requestForGetAllDataFromDevice();
    if (!run.wait(kStepMs))
        return;
    parceDataFromCOMPort();
    if (!run.wait(kStepMs))
        return;

    run.resumeAt(kCheckAfterWriteMs, plm300Device->intervals().poll);
    run.releaseLine();
    birdsTimer->start(kMarksShownMs);
}
