// Tank calibration in the main window: the calibration button and F4, the
// buttons of the calibration pages and the graph. The run itself is TarRun;
// these slots read the form, ask the user, and hand the run what the
// selected device page lends it and the levels the pages report. The run's
// files are in reriruvozive_tarfiles.cpp, the sensor's own table in
// reriruvozive_sensortable.cpp.
#include "app/reriruvozive.h"

#include "calibration/calibrationdialogs.h"
#include "calibration/cellnumber.h"
#include "calibration/myitemdelegateforcell.h"
#include "calibration/targraph.h"
#include "calibration/tarrun.h"
#include "deruvivuriri_form.h"
#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bledevice.h"
#include "devices/ble/bleprotocol.h"
#include "devices/fls/flsdevice.h"
#include "devices/online/qfonline.h"
#include "ui/switch.h"
#include "ui/widgettar.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>

using calibrationdialogs::ask;
using calibrationdialogs::tell;

namespace {

const QString kStepFilling = QStringLiteral("5");
const QString kStepDraining = QStringLiteral("500");
enum FillOrDrain { Filling = 0, Draining = 1 }; // positions in comboBoxZalivSliv

// Advertising sensors carry their smoothing setting in their records.
bool advertisingSensorSmooths(const BLEDevice *ble)
{
    for (int slot = 0; slot < ble::kSlots; ++slot) {
        const BLEAdwModel *model = ble->modelOf(slot);
        if (model && model->getFlConnectedDevice() && model->isSmoothingOn())
            return true;
    }
    return false;
}

} // namespace

void Reriruvozive::setupTarRun()
{
    tarRun = new TarRun(ui->Tarirovka, this);
    connect(tarRun->rowDeleteButton(), &QPushButton::clicked, this, &Reriruvozive::deletePortionTar);
    connect(tarRun->unitSwitch(), &Switch::toggled, this, &Reriruvozive::setLitrGallon);
}

QString Reriruvozive::getNameTempTarFile() const
{
    return tarRun->mirrorName();
}

QString Reriruvozive::getNameTempTarFileWithoutTilda() const
{
    return tarRun->finishedCopyName();
}

bool Reriruvozive::getCalibrationStarted() const
{
    return tarRun->isStarted();
}

QString Reriruvozive::tarFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

int Reriruvozive::tarSerial(int sensor) const
{
    // The wired page's cards name the files whatever page is calibrated.
    const WidgetTar *card = sensor == 0 ? flsDevice->getWidgetTarSensor1() : flsDevice->getWidgetTarSensor2();
    return card ? card->getSerNum() : 0;
}

TarBinding Reriruvozive::tarBindingOfSelectedPage() const
{
    TarBinding binding;
    if (deviceFLS) {
        binding.view = flsDevice->getTableViewTar();
        binding.model = flsDevice->getModelTar();
        binding.volumeCard = flsDevice->getWidgetTarLitres();
        binding.sensor1Card = flsDevice->getWidgetTarSensor1();
        binding.sensor2Card = flsDevice->getWidgetTarSensor2();
        binding.delegate = flsDevice->getItemDelegateTar();
    } else if (deviceBLE && bleDevice->isAdvertMode()) {
        binding = advertTarBinding();
    } else if (deviceBLE) {
        binding.view = bleDevice->getTarTableView();
        binding.model = bleDevice->getTarModel();
        binding.volumeCard = bleDevice->getWidgetTar4();
        binding.sensor1Card = bleDevice->getWidgetTar1();
        binding.sensor2Card = bleDevice->getWidgetTar2();
        binding.delegate = bleDevice->getItemDelegate();
    } else if (deviceQFOnline) {
        // The run makes the cell editor for the online page's view.
        binding.view = qfOnline->getTarTableView();
        binding.model = qfOnline->getTarModel();
        binding.volumeCard = qfOnline->getWidgetTar2();
        binding.sensor1Card = qfOnline->getWidgetTar1();
    }
    return binding;
}

// ---- Starting -------------------------------------------------------------

void Reriruvozive::on_ButtonTarirovka_clicked()
{
    int smoothing = 0;
    if (deviceFLS) {
        tarNotCalibrated = flsDevice->isNotCalibrated();
        deviceConnected = flsDevice->isDeviceConnected();
        smoothing = ui->comboBox_FiltrDUT->currentIndex();
    } else if (deviceBLE && !bleDevice->isAdvertMode()) {
        deviceConnected = bleDevice->isDeviceConnected();
        smoothing = ui->comboBox_FiltrBLE->currentIndex();
    } else if (deviceBLE) {
        deviceConnected = true;
        // Warned as on the other pages, the user then chooses the sensor's tab.
        if (advertisingSensorSmooths(bleDevice))
            tell(this, tr("Тарировку рекомендуется делать\nпри отключенном сглаживании"));
        launchTarirovka();
        return;
    } else if (deviceQFOnline) {
        // The online page tells no calibration state of its own.
        tarNotCalibrated = false;
        deviceConnected = qfOnline->isDeviceConnected();
        if (deviceConnected)
            launchTarirovka();
        return;
    } else {
        return;
    }
    if (!deviceConnected)
        return;
    if (smoothing != 0)
        tell(this, tr("Тарировку рекомендуется делать\nпри отключенном сглаживании"));
    launchTarirovka();
}

void Reriruvozive::launchTarirovka()
{
    if (tarNotCalibrated) {
        if (!ask(this, tr("Вы уверены?"), tr("Внимание!Датчик неоткалиброван на пустой-полный\nперейти к тарировке?"),
                 calibrationdialogs::kQuestionSize))
            return;
        appendLog("Going to Tar");
    }
    tarRun->bind(tarBindingOfSelectedPage());

    tarRun->setTwoSensors(flsDevice->isSensorFound());
    const QString dir = tarFolder();
    const int s1 = tarSerial(0);
    const int s2 = tarSerial(1);
    if (tarRun->hasTwoSensors()) {
        if (QFile::exists(tarfile::tempName(dir, s1, s2)) || QFile::exists(tarfile::tempName(dir, s2, s1))) {
            tarRun->setUnfinishedFound(true);
            qDebug() << "find notEnding Tar for 2 device with ser num =" << s1 << s2;
        }
    } else if (QFile::exists(tarfile::tempName(dir, s1))) {
        tarRun->setUnfinishedFound(true);
        qDebug() << "find notEnding Tar for 1 device with ser num =" << s1;
    }

    ui->stackedWidget->setCurrentWidget(deviceBLE && bleDevice->isAdvertMode() ? ui->bleAdwertTar : ui->Tarirovka);
    if (tarRun->isUnfinishedFound() &&
        ask(this, QString(), tr("Внимание! Найдена незаконченная тарировка. \nХотите её продолжить?"),
            calibrationdialogs::kQuestionSize))
        restoreTar();
}

void Reriruvozive::addSensorTar()
{
    if (tarRun->isStarted())
        return;
    if (deviceFLS) {
        tarRun->setCards(flsDevice->getWidgetTarLitres(), flsDevice->getWidgetTarSensor1(),
                         flsDevice->getWidgetTarSensor2());
        tarRun->setTwoSensors(flsDevice->isSensorFound());
    } else if (deviceBLE && bleDevice->isAdvertMode()) {
        // The sensor in the tab shown starts a table of its own.
        if (!startAdvertTar())
            return;
        ui->pushButtonDelPortionAdw->show();
        ui->pushButtonAdPortionAdw->show();
        ui->pushButtonEndTarAdw->show();
        ui->pushButtonStartTarAdw->hide();
        ui->pushButtonRestoreTarAdw->hide();
    } else if (deviceBLE || deviceQFOnline) {
        // These pages read one sensor.
        tarRun->setTwoSensors(false);
    }

    switch (tarRun->sensorCount()) {
    case 0:
        if (!tarRun->addFirstSensor(levels[0]))
            return;
        ui->pushButtonAdSensorTar->setText(tr("Добавить датчик"));
        ui->pushButtonDelSensorTar->show();
        ui->pushButtonAdPortionTar->show();
        break;
    case 1:
        if (tarRun->hasTwoSensors())
            tarRun->addSecondSensor(levels[1]);
        else
            tell(this, tr("Подключен только один датчик"));
        break;
    default:
        break;
    }
}

// ---- Portions and sensors --------------------------------------------------

void Reriruvozive::addPortionTar()
{
    if (!tarRun->hasTable() || tarRun->sensorCount() == 0 || tarRun->rowCount() == 0)
        return;
    QDir().mkpath(tarFolder());
    const double step = cells::number(ui->lineEditStepTar->text()).value_or(0.0);
    std::optional<double> volume = tarRun->nextVolume(step);
    if (!volume) {
        QMessageBox box;
        box.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
        box.setText(tr("Возможно тарировка закончена. Или проверьте параметры тарировки\nШаг тарировки должен "
                       "быть меньше остатка топлива"));
        box.exec();
        volume = 0.0;
    }
    // The readings are taken after any question, as they are then.
    const int readings[TarRun::kMaxSensors] = {levels[0], levels[1]};
    if (tarRun->addPortion(*volume, readings))
        writeTarTableInFile();
}

void Reriruvozive::deletePortionTar()
{
    if (tarRun->deletePortion())
        writeTarTableInFile();
    if (tarRun->rowCount() == 1)
        ui->pushButtonDelPortionTar->hide();
}

void Reriruvozive::deleteSensorTar()
{
    tarRun->deleteSensor();
    if (tarRun->sensorCount() > 0)
        return;
    ui->pushButtonDelSensorTar->hide();
    ui->pushButtonAdPortionTar->hide();
    ui->pushButtonDelPortionTar->hide();
    ui->pushButtonAdSensorTar->setText(tr("Начать"));
    ui->pushButtonRestoreTar->show();
}

void Reriruvozive::setLitrGallon(bool state)
{
    qDebug() << "switch change type tar";
    tarRun->setGallons(state);
    ui->label_8->setText(state ? tr("г") : tr("л"));
    appendLog(state ? "Switch to Gallon" : "Switch to Liter");
}

void Reriruvozive::on_comboBoxZalivSliv_activated(int index)
{
    if (index == Filling) {
        ui->lineEditStepTar->setText(kStepFilling);
        tarRun->setDrainMode(false);
        appendLog("Tar zaliv");
    } else if (index == Draining) {
        ui->lineEditStepTar->setText(kStepDraining);
        tarRun->setDrainMode(true);
        appendLog("Tar sliv");
    }
}

// ---- Buttons of the calibration pages --------------------------------------

void Reriruvozive::on_pushButtonAdSensorTar_clicked()
{
    ui->pushButtonRestoreTar->hide();
    addSensorTar();
    if (!flsDevice->isSensorFound())
        ui->pushButtonAdSensorTar->hide();
}

void Reriruvozive::on_pushButtonStartTarAdw_clicked()
{
    addSensorTar();
}

void Reriruvozive::on_pushButtonAdPortionTar_clicked()
{
    addPortionTar();
}

void Reriruvozive::on_pushButtonAdPortionAdw_clicked()
{
    addPortionTar();
}

void Reriruvozive::on_pushButtonDelPortionTar_clicked()
{
    deletePortionTar();
}

void Reriruvozive::on_pushButtonDelPortionAdw_clicked()
{
    deletePortionTar();
}

void Reriruvozive::on_pushButtonDelSensorTar_clicked()
{
    deleteSensorTar();
}

void Reriruvozive::on_pushButtonEndTar_clicked()
{
    if (tarRun->isStarted())
        endingTar();
}

void Reriruvozive::on_pushButtonEndTarAdw_clicked()
{
    endingTar();
}

void Reriruvozive::on_pushButtonRestoreTar_clicked()
{
    restoreTar();
}

void Reriruvozive::on_pushButtonRestoreTarAdw_clicked()
{
    restoreTar();
}

void Reriruvozive::on_pushButtonBackTarir_clicked()
{
    if (deviceFLS)
        ui->stackedWidget->setCurrentWidget(ui->DUT);
    else if (deviceBLE)
        ui->stackedWidget->setCurrentWidget(ui->BLE_QF410);
    else if (deviceQFOnline)
        ui->stackedWidget->setCurrentWidget(ui->QFOnline);
}

void Reriruvozive::on_pushButtonBackTarirAdw_clicked()
{
    ui->stackedWidget->setCurrentWidget(ui->BLE_QF410);
}

// ---- Graph -----------------------------------------------------------------

void Reriruvozive::on_pushButtonGraphShow_clicked()
{
    showTarGraph();
}

void Reriruvozive::on_pushButtonGraphShowAdw_clicked()
{
    showTarGraph();
}

void Reriruvozive::showTarGraph()
{
    appendLog("Show graph");
    pageBeforeGraph = ui->stackedWidget->currentWidget();
    ui->stackedWidget->setCurrentWidget(ui->GraphTar);
    auto *graph =
        new TarGraph(ui->GraphTar, tarRun->rows(), tarRun->sensorCount(), checkDarkTheme(), titleFont, pixmapArrow);
    connect(graph->backButton(), &QPushButton::clicked, this, &Reriruvozive::backToTar);
    connect(graph->backButton(), &QPushButton::clicked, graph, &QObject::deleteLater);
    // The form keeps no central widget: the graph covers the whole window.
    setCentralWidget(graph);
}

void Reriruvozive::backToTar()
{
    ui->stackedWidget->setCurrentWidget(pageBeforeGraph == ui->bleAdwertTar ? ui->bleAdwertTar : ui->Tarirovka);
}
