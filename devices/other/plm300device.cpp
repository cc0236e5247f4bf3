// Lifecycle and widgets of the PLM300 page.
#include "devices/other/plm300device.h"

#include "deruvivuriri_form.h"

#include "devices/other/pagewidgets.h"
#include "devices/other/plm300protocol.h"
#include "ui/boundedintvalidator.h"

#include <QLabel>

namespace {

// Steps of the search after a new network number.
constexpr int kNewNumberStepMs = 250;

void setRange(QLineEdit *edit, plm300::Limits limits)
{
    BoundedIntValidator::install(edit, limits.bottom, limits.top);
}

} // namespace

PLM300Device::PLM300Device(Ui_Deruvivuriri *form, QSerialPort *port) : BaseDevice(form, port) {}

PLM300Device::~PLM300Device() = default;

bool PLM300Device::searchUnderNewNumber(BaseDevice::Procedure &run)
{
    if (!run.wait(kNewNumberStepMs))
        return false;
    setSearchActive(true);
    if (!run.wait(kNewNumberStepMs))
        return false;
    startSearchDevices();
    return run.wait(kNewNumberStepMs);
}

int PLM300Device::initUI()
{
    if (!ui)
        return 1;
    labelCaption = pagewidgets::createCaption(ui->pushButtonPLM300, tr("PLM300"), ui->label_NameButtKV380);
    ui->pushButtonPLM300->setCheckable(true);

    ui->progressBarLevelPLM300->setMaximum(plm300::kDistanceScale);
    ui->progressBarLevelPLM300->setMinimum(0);
    ui->progressBarLevelPLM300->setValue(0);
    ui->progressBarLevelPLM300->setTextVisible(false);
    ui->lineEdit_max_PLM300->setFocus();

    setRange(ui->lineEdit_max_PLM300, plm300::kMaximumLimits);
    setRange(ui->lineEdit_min_PLM300, plm300::kMinimumLimits);
    setRange(ui->lineEdit_smoothing_PLM300, plm300::kSmoothingLimits);
    setRange(ui->lineEdit_netNumPLM300, plm300::kNetNumLimits);
    setRange(ui->lineEdit_porog_PLM300, plm300::kThresholdLimits);

    ui->comboBox_modePLM300->addItem(tr("Пассивный RS-485"));
    ui->comboBox_modePLM300->addItem(tr("Частотный режим"));

    // On the sensor's own page, where the user looks for them.
    createStatusLines(ui->PLM300, tr("Подключите датчик"));
    showUI(false);
    viewIconChangedParam(false);
    return 1;
}

void PLM300Device::connectDevice()
{
    // A write left in an earlier session leaves nothing to send in this one.
    edited.fill(false);
    viewIconChangedParam(false);
    forgetSensor();
    pagewidgets::showNothingHeard(this);
    BaseDevice::connectDevice();
    setFirstDataRequest(true);
}

void PLM300Device::disconnectDevice()
{
    BaseDevice::disconnectDevice();
    showUI(false);
}

void PLM300Device::forgetSensor()
{
    // The header names the sensor that answers; until the next one does it
    // names none, not the one before.
    firmware = 0;
    if (ui) {
        ui->label_SerNumVal->clear();
        ui->label_FirmwareVal->clear();
    }
}

void PLM300Device::setFirstDataRequest(bool value)
{
    firstData = value;
    countdown = 1;
}

void PLM300Device::watchdogRanOut()
{
    // Only the notice changes: unlike the base, the page counts the sensor as
    // connected until it is left, as it always has.
    resetDeviceIsConnected();
}

int PLM300Device::resetDeviceIsConnected()
{
    showUI(false);
    // The notice is what the user has left to look at.
    setVisibleStatusLabels(true);
    showStatusMessageUp(" ");
    showNoSensorHeard();
    emit signalWriteLog("Device is not responding");
    return 1;
}

int PLM300Device::showUI(bool visible)
{
    shown = visible;
    if (!ui)
        return 1;
    for (QWidget *w : std::initializer_list<QWidget *>{
             ui->label_FirmwareName,     ui->label_FirmwareVal,         ui->label_SerNumName,
             ui->label_SerNumVal,        ui->label_TempNamePLM300,      ui->label_TempValPLM300,
             ui->line_2PLM300,           ui->label_ListDev_PLM300,      ui->label_DEVinNetPLM300,
             ui->label_ReqNetNumPLM300,  ui->label_ModePLM300,          ui->comboBox_modePLM300,
             ui->comboBox_netNumPLM300,  ui->label_SettingsPLM300,      ui->label_max_PLM300,
             ui->lineEdit_max_PLM300,    ui->lineEdit_min_PLM300,       ui->label_min_PLM300,
             ui->label_smoothing_PLM300, ui->lineEdit_smoothing_PLM300, ui->label_porog_PLM300,
             ui->lineEdit_porog_PLM300,  ui->label_NetNumPLM300,        ui->lineEdit_netNumPLM300,
             ui->progressBarLevelPLM300, ui->ButtonWriteParamPLM300})
        w->setVisible(visible);
    if (ui->label_UrovenPLM300->isEnabled()) {
        ui->label_UrovenPLM300->setVisible(visible);
        ui->label_NameUrovenPLM300->setVisible(visible);
    }
    setVisibleStatusLabels(visible);
    if (visible)
        keepBusListBelowSettings();
    return 1;
}

void PLM300Device::keepBusListBelowSettings()
{
    // On a low screen the main window moves the form's blocks up without
    // making them shorter, which lays the list of numbers found over the last
    // setting; it goes back just below the settings.
    QWidget *settings = ui->lineEdit_netNumPLM300->parentWidget();
    QWidget *busList = ui->label_DEVinNetPLM300->parentWidget();
    if (!settings || !busList || settings == busList)
        return;
    const int top = settings->geometry().bottom() + 1;
    if (busList->y() < top)
        busList->move(busList->x(), top);
}

int PLM300Device::viewIconChangedParam(bool visible)
{
    if (!ui)
        return 1;
    for (QLabel *mark : {ui->label_Alarm_1PLM300, ui->label_Alarm_2PLM300, ui->label_Alarm_3PLM300,
                         ui->label_Alarm_4PLM300, ui->label_Alarm_5PLM300})
        mark->setVisible(visible);
    return 1;
}

int PLM300Device::hideBirds()
{
    return viewIconChangedParam(false);
}

void PLM300Device::changeIconBtnConnectDevice(QString state, bool darkTheme)
{
    if (ui)
        pagewidgets::colourCaption(labelCaption, ui->line_UnderBtnPLM, state, darkTheme);
}

// The sensor keeps no copy of earlier settings to go back to.
void PLM300Device::escapeCurSetting()
{
    showMessage(tr("Функция в разработке"), QString());
}

void PLM300Device::setFactorySetting()
{
    showMessage(tr("Функция в разработке"), QString());
}
