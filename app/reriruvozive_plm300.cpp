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
// Steps of the network number change and of the re-read after a write.
constexpr int kStepMs = 250;
// Check and poll intervals the page resumes with after a write.
constexpr uint kCheckAfterWriteMs = 500;
constexpr uint kPollAfterWriteMs = 1000;
constexpr int kMarksShownMs = 500;

void showMark(QLabel *mark, const QPixmap &picture)
{
    mark->setPixmap(picture);
    mark->setVisible(true);
}

} // namespace

void Reriruvozive::on_lineEdit_max_PLM300_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    showMark(ui->label_Alarm_1PLM300, pixmapBird);
    plm300Device->setSettingsChanged(true);
    plm300MaxEdited = true;
}

void Reriruvozive::on_lineEdit_min_PLM300_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    showMark(ui->label_Alarm_2PLM300, pixmapBird);
    plm300Device->setSettingsChanged(true);
    plm300MinEdited = true;
}

void Reriruvozive::on_lineEdit_smoothing_PLM300_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    showMark(ui->label_Alarm_3PLM300, pixmapBird);
    plm300Device->setSettingsChanged(true);
    plm300SmoothingEdited = true;
}

void Reriruvozive::on_lineEdit_porog_PLM300_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    showMark(ui->label_Alarm_4PLM300, pixmapBird);
    plm300Device->setSettingsChanged(true);
    plm300PorogEdited = true;
}

void Reriruvozive::on_lineEdit_netNumPLM300_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    showMark(ui->label_Alarm_5PLM300, pixmapBird);
    plm300Device->setSettingsChanged(true);
    plm300NetNumEdited = true;
}

void Reriruvozive::on_comboBox_modePLM300_activated(int index)
{
    // Sent at once, even when the entry picked is the one shown.
    if (const std::optional<quint8> mode = plm300::modeOfIndex(index))
        portConnection->writeData(plm300::modeWrite(currentNetNum, *mode));
}

void Reriruvozive::on_ButtonWriteParamPLM300_clicked()
{
    writeParamToPLM300();
}

// The writers run only from writeParamToPLM300, which has checked the fields;
// still, a field without an acceptable number is never sent.
void Reriruvozive::ChangeMaxPLM300()
{
    const auto value = plm300::settingValue(ui->lineEdit_max_PLM300->text(), plm300::kMaximumLimits);
    if (!value)
        return;
    portConnection->writeData(plm300::settingWrite(currentNetNum, plm300::kMaximumCommand, *value));
    plm300MaxEdited = false;
    ui->label_Alarm_1PLM300->setPixmap(pixmapBirdGreen);
}

void Reriruvozive::ChangeMinPLM300()
{
    const auto value = plm300::settingValue(ui->lineEdit_min_PLM300->text(), plm300::kMinimumLimits);
    if (!value)
        return;
    portConnection->writeData(plm300::settingWrite(currentNetNum, plm300::kMinimumCommand, *value));
    plm300MinEdited = false;
    ui->label_Alarm_2PLM300->setPixmap(pixmapBirdGreen);
}

void Reriruvozive::ChangeSmoothingPLM300()
{
    const auto value = plm300::settingValue(ui->lineEdit_smoothing_PLM300->text(), plm300::kSmoothingLimits);
    if (!value)
        return;
    portConnection->writeData(plm300::settingWrite(currentNetNum, plm300::kSmoothingCommand, *value));
    plm300SmoothingEdited = false;
    ui->label_Alarm_3PLM300->setPixmap(pixmapBirdGreen);
}

void Reriruvozive::ChangePorogPLM300()
{
    const auto value = plm300::settingValue(ui->lineEdit_porog_PLM300->text(), plm300::kThresholdLimits);
    if (!value)
        return;
    portConnection->writeData(plm300::settingWrite(currentNetNum, plm300::kThresholdCommand, *value));
    plm300PorogEdited = false;
    ui->label_Alarm_4PLM300->setPixmap(pixmapBirdGreen);
}

void Reriruvozive::ChangeNetNumPLM300()
{
    const auto value = plm300::settingValue(ui->lineEdit_netNumPLM300->text(), plm300::kNetNumLimits);
    if (!value)
        return;
    // Sent to the old number; the search that follows finds the sensor under
    // its new one and readdresses the page and the requests.
    portConnection->writeData(plm300::netNumWrite(currentNetNum, quint8(*value)));
    delay(kStepMs);
    plm300Device->setSearchRunning(true);
    delay(kStepMs);
    plm300Device->startSearchDevices();
    delay(kStepMs);
    plm300NetNumEdited = false;
    ui->label_Alarm_5PLM300->setPixmap(pixmapBirdGreen);
}

void Reriruvozive::writeParamToPLM300()
{
    struct Field
    {
        bool edited;
        QLineEdit *edit;
        QLabel *caption;
        plm300::Limits limits;
        void (Reriruvozive::*writer)();
    };
    const Field fields[] = {
        {plm300MaxEdited, ui->lineEdit_max_PLM300, ui->label_max_PLM300, plm300::kMaximumLimits,
         &Reriruvozive::ChangeMaxPLM300},
        {plm300MinEdited, ui->lineEdit_min_PLM300, ui->label_min_PLM300, plm300::kMinimumLimits,
         &Reriruvozive::ChangeMinPLM300},
        {plm300SmoothingEdited, ui->lineEdit_smoothing_PLM300, ui->label_smoothing_PLM300, plm300::kSmoothingLimits,
         &Reriruvozive::ChangeSmoothingPLM300},
        {plm300PorogEdited, ui->lineEdit_porog_PLM300, ui->label_porog_PLM300, plm300::kThresholdLimits,
         &Reriruvozive::ChangePorogPLM300},
        {plm300NetNumEdited, ui->lineEdit_netNumPLM300, ui->label_NetNumPLM300, plm300::kNetNumLimits,
         &Reriruvozive::ChangeNetNumPLM300},
    };

    // An empty or out-of-range field is not sent as some other number: the
    // whole write waits until the user has put it right.
    for (const Field &f : fields) {
        if (f.edited && !plm300::settingValue(f.edit->text(), f.limits)) {
            askService(tr("Недопустимое значение: %1\nВведите число от %2 до %3")
                           .arg(f.caption->text())
                           .arg(f.limits.bottom)
                           .arg(f.limits.top),
                       false);
            f.edit->setFocus();
            return;
        }
    }

    plm300Device->resetAndStopTimerDeviceConnected();
    plm300Device->timerIntervalGetDataStop();

    for (const Field &f : fields) {
        if (!f.edited)
            continue;
        (this->*f.writer)();
        delay(kAfterSettingMs);
    }
    plm300Device->setSettingsChanged(false);

    // Read back what the sensor now holds; with the check timer stopped, the
    // answers gathered meanwhile are handed over here. Answers to polls from
    // before the write are still waiting: they would fill the settings with
    // the old values, so they go, unless a search answer may be among them.
    delay(kStepMs);
    plm300Device->setFirstDataRequest(true);
    delay(kStepMs);
    if (!plm300Device->isSearchActive())
        cleanRingBuffer();
    requestForGetAllDataFromDevice();
    delay(kStepMs);
    parceDataFromCOMPort();
    delay(kStepMs);

    plm300Device->restoreTimerDeviceConnected();
    plm300Device->timerIntervalGetDataStart(kCheckAfterWriteMs, kPollAfterWriteMs);
    birdsTimer->start(kMarksShownMs);
}
