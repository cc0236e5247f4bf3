// Configuration bytes of the wired sensor: the engineer-menu switches and their
// write frames, discard changes and factory settings.
#include "devices/fls/flsdevice.h"

#include "deruvivuriri_form.h"

#include "calibration/litertopercent.h"
#include "devices/fls/flsprotocol.h"
#include "ui/switch.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>

#include <optional>

namespace {

constexpr int kWriteWaitMs = 50;
constexpr int kAngleSettleMs = 500;

// Gives the combo exactly these items (refilled only when it holds others)
// and selects the one at index.
void showListItem(QComboBox *combo, const QStringList &texts, int index)
{
    QStringList held;
    for (int i = 0; i < combo->count(); ++i)
        held << combo->itemText(i);
    if (held != texts) {
        combo->clear();
        combo->addItems(texts);
    }
    combo->setCurrentIndex(index);
}

// One row of the engineer menu: its label, a gap, then the switch.
Switch *addRowSwitch(QObject *receiver, const char *slot, QWidget *parent, QPoint position, QHBoxLayout *row,
                     QLabel *label, int spacing, QGroupBox *group)
{
    auto *sw = new Switch(parent);
    sw->setMinimumSize(50, 25);
    sw->setGeometry(position.x(), position.y(), 50, 25);
    sw->setCheckable(true);
    sw->setVisible(true);
    sw->setFlag(true);
    row->addWidget(label);
    row->addSpacing(spacing);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(sw);
    row->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    // A row already laid out inside the group box's own row widget stays
    // there; only a free row becomes the group box's layout.
    if (!row->parentWidget())
        group->setLayout(row);
    QObject::connect(sw, SIGNAL(toggled(bool)), receiver, slot);
    return sw;
}

} // namespace

void FLSDevice::addSwitchToEngineerMenuWidget()
{
    if (!ui)
        return;
    swSendSerNum = addRowSwitch(this, SLOT(enableSendSerNumForQF260()), ui->EngineerMenuDUT, {450, 370},
                                ui->horizontalLayoutSetOutSer, ui->labelSetOutSer, 182, ui->groupBoxSetOutSer);
    swInvers = addRowSwitch(this, SLOT(functionSwInvers()), ui->groupBoxInv, {390, 113}, ui->horizontalLayout_5,
                            ui->label_InvIndicator, 182, ui->groupBoxInv);
    swAngle = addRowSwitch(this, SLOT(functionSwAngle()), ui->EngineerMenuDUT, {390, 165}, ui->horizontalLayout_4,
                           ui->label_ModeAngle, 100, ui->groupBoxAngle);
    swMaster = addRowSwitch(this, SLOT(functionSWMaster()), ui->EngineerMenuDUT, {390, 217}, ui->horizontalLayout_2,
                            ui->label_ModeMaster, 265, ui->groupBox_Master);
    swTermo = addRowSwitch(this, SLOT(disableTermo()), ui->EngineerMenuDUT, {500, 230}, ui->horizontalLayout_3,
                           ui->label_DelTermoComp, 95, ui->groupBox_DelTermo);
    swEcoDrive = addRowSwitch(this, SLOT(setEcoDrive()), ui->EngineerMenuDUT, {500, 280}, ui->horizontalLayout_6,
                              ui->label_EcoDriv, 270, ui->groupBox_EkoDrive);
}

bool FLSDevice::setVisibleSwitch(bool visible)
{
    for (Switch *sw : {swInvers, swAngle, swMaster}) {
        if (sw)
            sw->setVisible(visible);
    }
    return true;
}

// With several sensors on the bus the write goes to the one whose bytes it
// carries, not to the first one found, which would take another sensor's
// configuration.
quint8 FLSDevice::selectedNetNum() const
{
    if (currentDeviceIndex > 0 && currentDeviceIndex < qMin(int(foundNetNums.size()), int(kMaxSensors)))
        return quint8(foundNetNums.at(currentDeviceIndex));
    return currentNetNum;
}

bool FLSDevice::toggleBegan(const Procedure &run, Switch *clicked)
{
    if (run)
        return true;
    // Nothing was sent: the switch shows the sensor's state again.
    if (clicked)
        clicked->setState(!clicked->getState());
    return false;
}

bool FLSDevice::sendConfigWrite(Procedure &run, Switch *clicked, quint8 flipA, quint8 flipB)
{
    if (!toggleBegan(run, clicked))
        return false;
    // A selection beyond the three polled sensors has no bytes to start from.
    if (currentDeviceIndex < 0 || currentDeviceIndex >= kMaxSensors) {
        qDebug() << "no configuration bytes for sensor" << currentDeviceIndex;
        return true;
    }
    const auto c = size_t(currentDeviceIndex);
    // The flip starts from the sensor's own byte, never from what a switch
    // shows, so flipping twice before an answer sends the same frame twice.
    pendingConfigA = configA[c] ^ flipA;
    pendingConfigB = configB[c] ^ flipB;
    std::optional<quint8> byteC;
    if (modelQF470 && fls::hasConfigC(currentFirmware)) {
        byteC = configC[c];
        pendingConfigC = configC[c];
    }
    emit writeData(fls::configWrite(selectedNetNum(), pendingConfigA, pendingConfigB, byteC));
    return run.wait(kWriteWaitMs);
}

// The master, inversion, angle and serial-output toggles ask for a parameter
// refresh, so that a switch whose change the sensor refused goes back with the
// next all-data answer. EcoDrive, thermo-compensation and litres leave the
// switches as the click left them until the page next refreshes them (the
// angle switch EcoDrive turns off must not come back from an answer that
// predates the change); percents asks for the refresh, which redraws the
// level units. Each toggle is a procedure of the page: one clicked while
// another runs is refused and sends nothing, and one whose page was left
// during its wait asks, sends and logs nothing more.

void FLSDevice::refreshAfterNextPoll()
{
    updateParamWidgets = true;
    refreshWaitsForPoll = true;
}

void FLSDevice::functionSWMaster()
{
    Procedure run(this);
    if (!sendConfigWrite(run, swMaster, fls::kMasterBit, 0))
        return;
    refreshAfterNextPoll();
    emit signalCheckIncommingData();
    emit signalWriteLog("Switch mode Master");
}

void FLSDevice::functionSwInvers()
{
    Procedure run(this);
    if (!sendConfigWrite(run, swInvers, fls::kInversBit, 0))
        return;
    refreshAfterNextPoll();
    emit signalCheckIncommingData();
    emit signalWriteLog("Switch mode Inverse");
}

void FLSDevice::functionSwAngle()
{
    Procedure run(this);
    if (!sendConfigWrite(run, swAngle, 0, fls::kAngleBit))
        return;
    // The sensor turns EcoDrive off in angle mode.
    if (swEcoDrive) {
        swEcoDrive->setState(false);
        swEcoDrive->setFlag(true);
    }
    if (!run.wait(kAngleSettleMs))
        return;
    refreshAfterNextPoll();
    emit signalCheckIncommingData();
    // The sensor comes back from the mode change as if new: search the bus again.
    setSearchActive(true);
    sensorFound = false;
    sensorFound2 = false;
    requestSearch();
    emit signalWriteLog("Switch mode Angle");
}

void FLSDevice::functionSwLiterPercent()
{
    emit signalWriteLog("Switch mode Liter/Percent");
}

void FLSDevice::enableSendSerNumForQF260()
{
    Procedure run(this);
    if (!toggleBegan(run, swSendSerNum))
        return;
    sendSerNumByte ^= fls::kSendSerNumBit;
    emit writeData(fls::sendSerNumWrite(selectedNetNum(), sendSerNumByte));
    if (!run.wait(kWriteWaitMs))
        return;
    // The all-data answer sets the switch only when the sensor's byte differs
    // from the last one seen; taking the byte just sent as the last one makes
    // a refused change show at the next answer.
    lastSendSerNumByte = sendSerNumByte;
    refreshAfterNextPoll();
    emit signalCheckIncommingData();
    emit signalWriteLog("Switch enable send SerNum for QF260");
}

void FLSDevice::setEcoDrive()
{
    Procedure run(this);
    if (!sendConfigWrite(run, swEcoDrive, 0, fls::kEcoDriveBit))
        return;
    // The sensor leaves angle mode for EcoDrive; the angle switch shows it
    // at once and the sensor is given time to switch.
    if (swAngle) {
        swAngle->setState(false);
        swAngle->setFlag(true);
    }
    if (!run.wait(kAngleSettleMs))
        return;
    emit signalCheckIncommingData();
    emit signalWriteLog("Switch mode EcoDrive");
}

void FLSDevice::disableTermo()
{
    Procedure run(this);
    if (!sendConfigWrite(run, swTermo, 0, fls::kTermoBit))
        return;
    emit signalCheckIncommingData();
    emit signalWriteLog("Switch mode Termocompensation");
}

void FLSDevice::functionSwitchLitres()
{
    Procedure run(this);
    if (!sendConfigWrite(run, literToPercent ? literToPercent->getSwitchLitres() : nullptr, fls::kLitresBit, 0))
        return;
    emit signalCheckIncommingData();
    emit signalWriteLog("Switch To Litres");
}

void FLSDevice::functionSwitchPercents()
{
    Procedure run(this);
    if (!sendConfigWrite(run, literToPercent ? literToPercent->getSwitchPercent() : nullptr, fls::kPercentsBit, 0))
        return;
    refreshAfterNextPoll();
    emit signalCheckIncommingData();
    emit signalWriteLog("Switch To Percents");
}

bool FLSDevice::discardParamChanges()
{
    if (!ui)
        return true;

    // The filter type first: the filter list depends on it.
    ui->comboBoxTypeFiltration->setCurrentText(shownFilterType);

    // The filter level goes back through the same lists the all-data answer
    // puts up: the level list for a median filter and for the models that
    // only have that one, the tank classes for the smart filter.
    const auto model = static_cast<fls::Model>(modelOfFlags());
    const int f = fls::filterLevel(shownConfigB);
    const QStringList levels = fls::levelList(tr("Нет"));
    QStringList tankClasses;
    for (const char *text : fls::tankClassList())
        tankClasses << tr(text);
    switch (fls::filterTypes(model, currentFirmware)) {
    case fls::FilterTypes::MedianOnly:
        showListItem(ui->comboBox_FiltrDUT, levels, f);
        break;
    case fls::FilterTypes::Unchanged:
        // An older QF210 has no filter widgets of its own to go back to.
        if (model != fls::Model::Unknown)
            break;
        Q_FALLTHROUGH();
    default:
        if (shownConfigB & fls::kMedianFilterBit)
            showListItem(ui->comboBox_FiltrDUT, levels, f);
        else
            showListItem(ui->comboBox_FiltrDUT, tankClasses, fls::tankClassIndex(f));
        break;
    }

    // Only an interface code with a name selects an item.
    if (const char *mode = fls::interfaceText(fls::interfaceCode(shownConfigA)))
        ui->comboBox_ModeDUT->setCurrentText(tr(mode));
    ui->comboBoxRangeDUT->setCurrentIndex((shownConfigA & fls::kWideRangeBit) ? 1 : 0);
    ui->lineEditNetNumDUT->setText(QString("%1").arg(shownNetNum));

    for (QLabel *mark : changeMarks()) {
        mark->setPixmap(pixBird);
        mark->hide();
    }
    return true;
}

bool FLSDevice::loadFactoryParams()
{
    shownConfigA = 0;
    shownConfigB = 0;
    if (ui)
        shownNetNum = quint8(ui->lineEditNetNumDUT->text().toInt());
    pendingConfigA = 0;
    pendingConfigB = 0;
    pendingFiltration &= 0xF0; // clears the filter level, keeps the other bits
    pendingNetNum = 1;

    range1023 = true;
    range4095 = false;
    rangeChangedTo4095 = false;
    rangeChangedTo1023 = true;
    if (ui) {
        ui->comboBoxRangeDUT->setCurrentIndex(0);
        ui->lineEditNetNumDUT->setText("1");
        ui->comboBox_FiltrDUT->setCurrentText(tr("Нет"));
        ui->comboBox_ModeDUT->setCurrentText(tr("Пассивный RS-485"));
    }

    // Every parameter is marked as changed until the user writes them.
    for (QLabel *mark : changeMarks()) {
        mark->setPixmap(pixBird);
        mark->show();
    }
    paramChanged = true;
    return true;
}
