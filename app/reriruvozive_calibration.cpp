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
#include "calibration/tarfile.h"
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
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>

using calibrationdialogs::tell;

namespace {

// Rounds of serial requests before a pair's run is refused its name.
constexpr int kSerialAsks = 2;
// A BLE sensor's serial comes through its base: it may take a while.
constexpr int kBleSerialWaitMs = 3000;

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
    // Once the edit is over: the user is told, as for a portion, when the
    // file still cannot hold it.
    connect(tarRun, &TarRun::cellNotMirrored, this, &Reriruvozive::saveTempTarTable, Qt::QueuedConnection);
}

QString Reriruvozive::tarFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

int Reriruvozive::tarSerial(int sensor) const
{
    const WidgetTar *card = sensor == 0 ? flsDevice->getWidgetTarSensor1() : flsDevice->getWidgetTarSensor2();
    return card ? card->getSerNum() : 0;
}

QStringList Reriruvozive::tarSensorIds() const
{
    // Each page names its runs after the sensor it calibrates, so that one
    // device's run is never offered to, or written over by, another's.
    if (deviceBLE && bleDevice->isAdvertMode()) {
        // An advertising sensor is known by the name it advertises.
        const BLEAdwModel *model = bleDevice->modelOf(advertTarSlot());
        return {QStringLiteral("adv-") + tarfile::fileNamePart(model ? model->getNameChar() : QString())};
    }
    if (deviceBLE)
        return {QStringLiteral("ble-") + QString::number(bleDevice->getSensorSerial())};
    if (deviceQFOnline) {
        // The unit's serial comes only with a read of its settings; its IMEI
        // comes with every connection.
        const QString imei = tarfile::fileNamePart(qfOnline->getImei());
        return {QStringLiteral("online-") + (imei.isEmpty() ? QStringLiteral("0") : imei)};
    }
    return {QString::number(tarSerial(0)), QString::number(tarSerial(1))};
}

QStringList Reriruvozive::tarRunDevices(int sensorCount) const
{
    const QStringList ids = tarSensorIds();
    if (sensorCount < 1 || sensorCount > ids.size())
        return {};
    for (int sensor = 0; deviceFLS && sensor < sensorCount; ++sensor) {
        if (!flsDevice->isSerialKnown(sensor))
            return {};
    }
    return ids.mid(0, sensorCount);
}

BaseDevice *Reriruvozive::tarPage() const
{
    BaseDevice *page = activePage();
    return page ? page : flsDevice;
}

Reriruvozive::TarSerials Reriruvozive::askTarSerials(BaseDevice::Procedure &run)
{
    if (tarPageLeft(run))
        return TarSerials::PageLeft;
    if (deviceFLS) {
        const auto known = [this] {
            return flsDevice->isSerialKnown(0) && (!tarRun->hasTwoSensors() || flsDevice->isSerialKnown(1));
        };
        for (int round = 0; round < kSerialAsks && !known(); ++round) {
            if (!flsDevice->askMissingSerials(run))
                return TarSerials::PageLeft;
        }
        return known() ? TarSerials::Known : TarSerials::Unknown;
    }
    if (deviceBLE && !bleDevice->isAdvertMode()) {
        if (!bleDevice->waitForSensorSerial(run, kBleSerialWaitMs))
            return TarSerials::PageLeft;
        return bleDevice->isSensorSerialKnown() ? TarSerials::Known : TarSerials::Unknown;
    }
    return TarSerials::Known;
}

bool Reriruvozive::tarSerialsReady(BaseDevice::Procedure &run, const QString &refusal)
{
    switch (askTarSerials(run)) {
    case TarSerials::Known:
        return true;
    case TarSerials::Unknown:
        run.tell(this, QString(), refusal);
        return false;
    case TarSerials::PageLeft:
        break;
    }
    return false;
}

QString Reriruvozive::findUnfinishedTar(QStringList *devices, bool *swapped) const
{
    const QString dir = tarFolder();
    QStringList own;
    if (!devices)
        devices = &own;
    *swapped = false;
    // Sensor 1's run, begun alone or left alone when sensor 2 was removed.
    const auto single = [&]() {
        *devices = tarRunDevices(1);
        const QString one = devices->isEmpty() ? QString() : tarfile::tempName(dir, *devices);
        return QFile::exists(one) ? one : QString();
    };
    if (!deviceFLS || !tarRun->hasTwoSensors())
        return single();
    *devices = tarRunDevices(2);
    if (devices->isEmpty())
        return single();
    const QString pair = tarfile::tempName(dir, *devices);
    if (QFile::exists(pair))
        return pair;
    // The pair's run named the other way round holds sensor 2's readings
    // first; one that holds a single sensor's is that sensor's alone.
    const QString otherWay = tarfile::tempName(dir, QStringList{devices->at(1), devices->at(0)});
    QFile file(otherWay);
    if (file.open(QIODevice::ReadOnly) &&
        tarfile::parseRun(file.readAll(), 2, tarfile::Writer::Program).sensorCount == 2) {
        *swapped = true;
        return otherWay;
    }
    return single();
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
    bool smoothing = false;
    if (deviceFLS) {
        tarNotCalibrated = flsDevice->isNotCalibrated();
        deviceConnected = flsDevice->isDeviceConnected();
        smoothing = ui->comboBox_FiltrDUT->currentIndex() != 0;
    } else if (deviceBLE && !bleDevice->isAdvertMode()) {
        deviceConnected = bleDevice->isDeviceConnected();
        smoothing = ui->comboBox_FiltrBLE->currentIndex() != 0;
    } else if (deviceBLE) {
        deviceConnected = true;
        // Warned as on the other pages, the user then chooses the sensor's tab.
        smoothing = advertisingSensorSmooths(bleDevice);
    } else if (deviceQFOnline) {
        tarNotCalibrated = qfOnline->isNotCalibrated();
        deviceConnected = qfOnline->isDeviceConnected();
    } else {
        return;
    }
    // The launch is a procedure of this page from its first question on:
    // left meanwhile, the question closes and nothing more happens, here or
    // on the page the user turned to. It is begun before the sensor is
    // looked at: a page lending its line to a firmware download has no
    // sensor now, and its refusal says why.
    BaseDevice::Procedure run(tarPage());
    if (tarStepRefused(run) || !deviceConnected)
        return;
    if (smoothing && (!run.tell(this, QString(), tr("Тарировку рекомендуется делать\nпри отключенном сглаживании")) ||
                      tarPageLeft(run)))
        return;
    launchTarirovka(run);
}

void Reriruvozive::launchTarirovka()
{
    BaseDevice::Procedure run(tarPage());
    if (tarStepRefused(run))
        return;
    launchTarirovka(run);
}

void Reriruvozive::launchTarirovka(BaseDevice::Procedure &run)
{
    if (tarNotCalibrated) {
        if (!run.ask(this, tr("Вы уверены?"),
                     tr("Внимание!Датчик неоткалиброван на пустой-полный\nперейти к тарировке?")) ||
            tarPageLeft(run))
            return;
        appendLog("Going to Tar");
    }
    tarRun->bind(tarBindingOfSelectedPage());

    tarRun->setTwoSensors(flsDevice->isSensorFound());
    const TarSerials serials = askTarSerials(run);
    if (serials == TarSerials::PageLeft)
        return;
    // Without sensor 2's serial the pair's run cannot be told from another
    // pair's: only sensor 1's own is looked for. A sensor without its
    // serial is offered no run: every such sensor's would answer.
    if (serials == TarSerials::Unknown && deviceFLS && tarRun->hasTwoSensors() && flsDevice->isSerialKnown(0)) {
        tarRun->setTwoSensors(false);
        if (!run.tell(this, QString(),
                      tr("Датчик 2 не сообщил серийный номер.\nТарировка двух датчиков пока недоступна")) ||
            tarPageLeft(run))
            return;
    }
    bool swapped = false;
    const QString found = serials == TarSerials::Known || deviceFLS ? findUnfinishedTar(nullptr, &swapped) : QString();
    // A run found at an earlier launch may have ended or gone aside since.
    tarRun->setUnfinishedFound(!found.isEmpty());
    if (!found.isEmpty()) {
        if (deviceFLS && tarRun->hasTwoSensors())
            qDebug() << "find notEnding Tar for 2 device with ser num =" << tarSerial(0) << tarSerial(1);
        else
            qDebug() << "find notEnding Tar for 1 device with ser num =" << tarSensorIds().first();
    }

    showPage(deviceBLE && bleDevice->isAdvertMode() ? ui->bleAdwertTar : ui->Tarirovka);
    if (!tarRun->isUnfinishedFound())
        return;
    const bool resume =
        run.ask(this, QString(), tr("Внимание! Найдена незаконченная тарировка. \nХотите её продолжить?"));
    if (tarPageLeft(run))
        return;
    if (resume) {
        restoreTar(run);
        return;
    }
    // Declined: a new run will take the name, so the unfinished one moves
    // aside where the restore-from-file dialog opens it. The run still on
    // the page keeps its own file.
    if (tarRun->ownsMirror() && tarRun->mirrorName() == found)
        return;
    if (keepTarAside(found))
        tarRun->setUnfinishedFound(false);
}

void Reriruvozive::addSensorTar()
{
    if (tarRun->isStarted())
        return;
    BaseDevice::Procedure run(tarPage());
    if (tarStepRefused(run))
        return;
    if (deviceFLS) {
        tarRun->setCards(flsDevice->getWidgetTarLitres(), flsDevice->getWidgetTarSensor1(),
                         flsDevice->getWidgetTarSensor2());
        tarRun->setTwoSensors(flsDevice->isSensorFound());
    } else if (deviceBLE && bleDevice->isAdvertMode()) {
        // The sensor in the tab shown starts a table of its own.
        if (!startAdvertTar())
            return;
        showAdvertTarButtons(true);
    } else if (deviceBLE || deviceQFOnline) {
        // These pages read one sensor.
        tarRun->setTwoSensors(false);
    }

    switch (tarRun->sensorCount()) {
    case 0:
        // The run is named after the sensor's serial, or not begun.
        if (deviceBLE && !bleDevice->isAdvertMode() &&
            !tarSerialsReady(run, tr("Датчик не сообщил серийный номер.\nТарировка не начата, попробуйте ещё раз")))
            return;
        // The start row takes a reading of now, as a portion does.
        if (tarRun->hasTable() && (!run.page()->awaitReadings(run, {tarReadingPlace(0)}) || tarPageLeft(run)))
            return;
        if (tarRun->hasTable() && !run.page()->hasCurrentReading(tarReadingPlace(0))) {
            run.tell(this, QString(), tr("Датчик ещё не сообщил уровень.\nТарировка не начата, попробуйте ещё раз"));
            return;
        }
        if (!tarRun->addFirstSensor(levels[0]))
            return;
        ui->pushButtonAdSensorTar->setText(tr("Добавить датчик"));
        ui->pushButtonDelSensorTar->show();
        ui->pushButtonAdPortionTar->show();
        break;
    case 1:
        if (!tarRun->hasTwoSensors()) {
            run.tell(this, QString(), tr("Подключен только один датчик"));
            break;
        }
        if (deviceFLS) {
            // The pair's run is named after both serials, or not begun.
            if (!tarSerialsReady(
                    run, tr("Датчик 2 не сообщил серийный номер.\nВторой датчик не добавлен, попробуйте ещё раз")))
                break;
            if (!flsDevice->awaitReadings(run, {1}) || tarPageLeft(run))
                break;
            if (!flsDevice->hasCurrentReading(1)) {
                run.tell(this, QString(),
                         tr("Датчик 2 ещё не сообщил уровень.\nВторой датчик не добавлен, попробуйте ещё раз"));
                break;
            }
        }
        tarRun->addSecondSensor(levels[1]);
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
    // The portion reads the sensors: a procedure of the run's page, which
    // may wait for their next answers and ends with the page's session.
    BaseDevice::Procedure run(tarPage(), BaseDevice::Procedure::Kind::Reads);
    if (tarStepRefused(run))
        return;
    // A portion without readings of now is refused before anything is asked.
    if (!tarReadingsOfNow(run))
        return;
    const double step = cells::number(ui->lineEditStepTar->text()).value_or(0.0);
    std::optional<double> volume = tarRun->nextVolume(step);
    if (!volume) {
        QMessageBox box;
        box.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
        box.setText(tr("Возможно тарировка закончена. Или проверьте параметры тарировки\nШаг тарировки должен "
                       "быть меньше остатка топлива"));
        run.exec(box);
        volume = 0.0;
        // The readings are taken after the box, as they are then.
        if (tarPageLeft(run) || !tarReadingsOfNow(run))
            return;
    }
    const int readings[tarfile::kMaxSensors] = {levels[0], levels[1]};
    if (tarRun->addPortion(*volume, readings))
        writeTarTableInFile();
}

int Reriruvozive::tarReadingPlace(int sensor) const
{
    if (deviceBLE && bleDevice->isAdvertMode())
        return sensor == 0 ? advertTarSlot() : -1;
    return sensor;
}

bool Reriruvozive::tarSensorKnown(int sensor) const
{
    if (deviceFLS)
        return flsDevice->isSerialKnown(sensor);
    if (deviceBLE && !bleDevice->isAdvertMode())
        return bleDevice->isSensorSerialKnown();
    return true;
}

bool Reriruvozive::tarReadingsOfNow(BaseDevice::Procedure &run)
{
    // A reading older than its round (the machine held the program back, or
    // the sensor fell silent) is the tank as it was: each sensor's next
    // answer is waited for while it may still come.
    std::vector<int> places;
    for (int sensor = 0; sensor < tarRun->sensorCount(); ++sensor)
        places.push_back(tarReadingPlace(sensor));
    if (!run.page()->awaitReadings(run, places) || tarPageLeft(run))
        return false;
    return tarSensorsStillAnswer();
}

bool Reriruvozive::tarSensorsStillAnswer()
{
    // A level kept from a sensor that stopped answering (or a base that
    // reports no sensor linked), or from before the page found it again, is
    // no reading of the tank now: each sensor of the run has to have a
    // reading of now on the run's page, which knows which sensor it is.
    const BaseDevice *page = tarPage();
    const int count = tarRun->sensorCount();
    const auto answers = [this, page](int place) {
        return page->hasCurrentReading(tarReadingPlace(place)) && tarSensorKnown(place);
    };
    // The run's sensors are those its file is named after, once it has one;
    // a new search, or a sensor linked anew, may have put another at a
    // sensor's place.
    const QStringList own =
        tarRun->ownsMirror() && tarRun->mirrorDevices().size() == count ? tarRun->mirrorDevices() : QStringList();
    const QStringList ids = tarSensorIds();
    const auto idAt = [&ids](int place) { return place < ids.size() ? ids.at(place) : QString(); };
    bool placesAnswer = true;
    bool placesHoldTheRun = true;
    for (int place = 0; place < count; ++place) {
        placesAnswer = placesAnswer && answers(place);
        placesHoldTheRun = placesHoldTheRun && (own.isEmpty() || idAt(place) == own.at(place));
    }
    if (placesAnswer && placesHoldTheRun)
        return true;
    // The one named is the run's sensor answering at no place of the cards.
    for (int sensor = 0; !placesAnswer && sensor < count; ++sensor) {
        bool found = own.isEmpty() && answers(sensor);
        for (int place = 0; !own.isEmpty() && place < tarfile::kMaxSensors; ++place)
            found = found || (answers(place) && idAt(place) == own.at(sensor));
        if (found)
            continue;
        tell(this,
             tr("Датчик %1 не отвечает.\nПорция не записана: дождитесь его уровня или удалите датчик из тарировки")
                 .arg(sensor + 1));
        return false;
    }
    tell(this, tr("Датчики на линии не те, с которыми начата тарировка.\nПорция не записана"));
    return false;
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
    const int before = tarRun->sensorCount();
    tarRun->deleteSensor();
    // The portions recorded so far are mirrored again at once without the
    // removed sensor's readings.
    if (tarRun->sensorCount() == 1 && before == 2 && tarRun->isStarted())
        writeTarTableInFile();
    if (tarRun->sensorCount() > 0)
        return;
    ui->pushButtonDelSensorTar->hide();
    ui->pushButtonAdPortionTar->hide();
    ui->pushButtonDelPortionTar->hide();
    ui->pushButtonAdSensorTar->setText(tr("Начать"));
    // Idle again: a new table can begin at once, with one sensor on the bus too.
    ui->pushButtonAdSensorTar->show();
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
    if (tarRun->sensorCount() == 0) {
        // Not begun (refused or no table): starting or restoring stays open.
        ui->pushButtonRestoreTar->show();
        return;
    }
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

void Reriruvozive::showAdvertTarButtons(bool running)
{
    ui->pushButtonDelPortionAdw->setVisible(running);
    ui->pushButtonAdPortionAdw->setVisible(running);
    ui->pushButtonEndTarAdw->setVisible(running);
    ui->pushButtonStartTarAdw->setVisible(!running);
    ui->pushButtonRestoreTarAdw->setVisible(!running);
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
    showPage(ui->GraphTar);
    auto *graph =
        new TarGraph(ui->GraphTar, tarRun->rows(), tarRun->sensorCount(), checkDarkTheme(), titleFont, pixmapArrow);
    connect(graph->backButton(), &QPushButton::clicked, this, &Reriruvozive::backToTar);
    connect(graph->backButton(), &QPushButton::clicked, graph, &QObject::deleteLater);
    // The form keeps no central widget: the graph covers the whole window.
    setCentralWidget(graph);
}

void Reriruvozive::backToTar()
{
    showPage(pageBeforeGraph == ui->bleAdwertTar ? ui->bleAdwertTar : ui->Tarirovka);
}
