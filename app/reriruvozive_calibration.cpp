// Tank calibration in the main window: the calibration button and F4, the
// buttons of the calibration pages, the run's files, the graph, and the
// wired sensor's own litres/percent table. The run itself is TarRun; these
// slots read the form, ask the user, and hand the run what the selected
// device page lends it and the levels the pages report.
#include "app/reriruvozive.h"

#include "calibration/calibrationdialogs.h"
#include "calibration/cellnumber.h"
#include "calibration/litertopercent.h"
#include "calibration/myitemdelegateforcell.h"
#include "calibration/targraph.h"
#include "calibration/tarrun.h"
#include "deruvivuriri_form.h"
#include "devices/ble/bleadwmodel.h"
#include "devices/ble/bledevice.h"
#include "devices/fls/flsdevice.h"
#include "devices/fls/flsprotocol.h"
#include "devices/fls/flstable.h"
#include "devices/online/qfonline.h"
#include "link/portconnection.h"
#include "ui/switch.h"
#include "ui/widgettar.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>

using calibrationdialogs::ask;
using calibrationdialogs::tell;

namespace {

// The sensor's answer to a table read or write comes well within these.
constexpr int kTableReadWaitMs = 300;
constexpr int kTableWriteWaitMs = 600;
constexpr QSize kLiterToPercentSize(500, 550);
const QString kMissingCell = QStringLiteral("error");
const QString kStepFilling = QStringLiteral("5");
const QString kStepDraining = QStringLiteral("500");
enum FillOrDrain { Filling = 0, Draining = 1 }; // positions in comboBoxZalivSliv

bool smoothingOn(const BLEAdwModel *slot)
{
    return slot && slot->isSmoothingOn();
}

bool smoothingOff(const BLEAdwModel *slot)
{
    return slot && !slot->isSmoothingOn();
}

// Advertising sensors carry their smoothing setting in their records; the
// run starts at once unless only the first slots' sensors smooth.
bool advertisingAllowsCalibration(const BLEDevice *ble)
{
    const BLEAdwModel *s1 = ble->getAdwModel1();
    const BLEAdwModel *s2 = ble->getAdwModel2();
    const bool firstSlotsSmooth = smoothingOn(s1) || (!s1 && (!s2 || smoothingOn(s2)));
    return smoothingOff(ble->getAdwModel3()) || smoothingOff(ble->getAdwModel4()) || !firstSlotsSmooth;
}

// A file of ours the run mirrors into: never a file the user chose.
bool isTempFile(const QString &path, const QString &folder)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.absolutePath() == QDir(folder).absolutePath() &&
           info.fileName().startsWith(QLatin1Char('~')) && info.fileName().endsWith(QLatin1String(".etr"));
}

bool holds(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
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

LiterToPercent *Reriruvozive::literToPercentDialog() const
{
    return literToPercent;
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
    // The BLE base page outside advertising mode and the online page lend
    // their tables the same way once they keep one; until then, and in
    // advertising mode, the run keeps what it holds.
    if (deviceFLS) {
        binding.view = flsDevice->getTableViewTar();
        binding.model = flsDevice->getModelTar();
        binding.volumeCard = flsDevice->getWidgetTarLitres();
        binding.sensor1Card = flsDevice->getWidgetTarSensor1();
        binding.sensor2Card = flsDevice->getWidgetTarSensor2();
        binding.delegate = flsDevice->getItemDelegateTar();
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
        if (advertisingAllowsCalibration(bleDevice))
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

    ui->stackedWidget->setCurrentWidget(ui->Tarirovka);
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
        const BLEAdwModel *adverts[] = {bleDevice->getAdwModel1(), bleDevice->getAdwModel2(), bleDevice->getAdwModel3(),
                                        bleDevice->getAdwModel4()};
        const int tab = ui->tabWidgetAdw->currentIndex();
        if (tab >= 0 && tab < 4 && adverts[tab])
            tarRun->reset();
        ui->pushButtonDelPortionAdw->show();
        ui->pushButtonAdPortionAdw->show();
        ui->pushButtonEndTarAdw->show();
        ui->pushButtonStartTarAdw->hide();
        ui->pushButtonRestoreTarAdw->hide();
    } else if (deviceQFOnline) {
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

// ---- Files -----------------------------------------------------------------

bool Reriruvozive::writeTarTableInFile()
{
    const QString dir = tarFolder();
    if (!QDir().mkpath(dir)) {
        qDebug() << "error create dir";
        return false;
    }
    const int s1 = tarSerial(0);
    const QString name =
        tarRun->hasTwoSensors() ? tarfile::tempName(dir, s1, tarSerial(1)) : tarfile::tempName(dir, s1);
    const QString previous = tarRun->mirrorName();
    tarRun->setFileNames(name, tarfile::finishedName(dir, s1));
    if (!tarRun->writeMirror()) {
        qDebug() << "error write to file";
        return false;
    }
    // A run restored from its file under the serials' other order lives on
    // under this name; left behind, the old file would be offered again.
    if (previous != name && isTempFile(previous, dir))
        QFile::remove(previous);
    qDebug() << "success write to file";
    return true;
}

bool Reriruvozive::saveTempTarTable()
{
    return tarRun->writeMirror();
}

void Reriruvozive::endingTar()
{
    if (!tarRun->hasTable())
        return;
    const bool end = ask(this, QString(), tr("Вы хотите завершить тарировку?"), calibrationdialogs::kMessageSize,
                         tr("Да"), tr("Нет"));
    tarRun->setTwoSensors(flsDevice->isSensorFound());
    tarRun->rowDeleteButton()->hide();
    if (!end)
        return;
    tarRun->setUnfinishedFound(false);
    ui->pushButtonAdSensorTar->show();

    const QString csv = calibrationdialogs::askCsvSaveName(this);
    if (csv.isEmpty())
        return;
    // The run ends only once the user's file holds it; until then it stays,
    // with its mirror, whatever went wrong.
    const QByteArray text = tarfile::runText(tarRun->rows());
    if (!tarfile::writeWhole(csv, text) || !holds(csv, text)) {
        qDebug() << "error copy temp file";
        tell(this, tr("Не удалось сохранить файл тарировки.\nТарировка не завершена"));
        return;
    }
    // The finished copy is made once per sensor: an earlier one stays.
    const QString finished = tarRun->finishedCopyName();
    if (!finished.isEmpty() && !QFile::exists(finished) && !tarfile::writeWhole(finished, text))
        qDebug() << "Error open file for save tar table";
    if (isTempFile(tarRun->mirrorName(), tarFolder()))
        QFile::remove(tarRun->mirrorName());

    tarRun->reset();
    ui->pushButtonDelSensorTar->hide();
    ui->pushButtonAdPortionTar->hide();
    ui->pushButtonDelPortionTar->hide();
    ui->pushButtonAdSensorTar->setText(tr("Начать"));
    ui->pushButtonAdSensorTar->show();
    ui->pushButtonRestoreTar->show();
}

void Reriruvozive::restoreTar()
{
    tarRun->bind(tarBindingOfSelectedPage());
    if (!tarRun->hasTable())
        return;
    tarRun->setTwoSensors(flsDevice->isSensorFound());
    const QString dir = tarFolder();
    const int s1 = tarSerial(0);
    const int s2 = tarSerial(1);
    QString path;
    QString finished = tarRun->finishedCopyName();
    bool chosenByUser = false;
    if (!tarRun->hasTwoSensors()) {
        path = tarfile::tempName(dir, s1);
        if (QFile::exists(path)) {
            finished = tarfile::withoutTilde(path);
        } else {
            if (!ask(this, QString(), tr("Временный файл не был найден.\nВы хотите открыть *.csv файл?")))
                return;
            path = QFileDialog::getOpenFileName(nullptr, tr("Выберете файл с расширением *.csv"),
                                                settings->value("default_dir").toString(), QStringLiteral("*.csv"));
            if (path.isEmpty())
                return;
            qDebug() << "restoreTarFileName";
            chosenByUser = true;
        }
    } else {
        path = tarfile::tempName(dir, s1, s2);
        if (!QFile::exists(path))
            path = tarfile::tempName(dir, s2, s1);
        if (!QFile::exists(path))
            return;
        finished = tarfile::withoutTilde(path);
    }

    QWidget *const startButtons[] = {ui->pushButtonAdSensorTar, ui->pushButtonDelSensorTar, ui->pushButtonRestoreTar};
    for (QWidget *button : startButtons)
        button->hide();
    const auto giveUp = [&](const QString &why) {
        for (QWidget *button : startButtons)
            button->setVisible(button != ui->pushButtonDelSensorTar || tarRun->sensorCount() > 0);
        tell(this, why);
    };

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        giveUp(tr("Не удалось открыть файл тарировки"));
        return;
    }
    const tarfile::ParsedRun parsed = tarfile::parseRun(file.readAll());
    file.close();
    if (parsed.rows.isEmpty() || !tarRun->loadRows(parsed.rows, parsed.sensorCount)) {
        giveUp(tr("Файл тарировки не содержит данных"));
        return;
    }

    // The user's own file is only read: the run mirrors into the sensor's
    // temporary file from now on.
    if (chosenByUser) {
        if (finished.isEmpty())
            finished = tarfile::finishedName(dir, s1);
        QDir().mkpath(dir);
        tarRun->setFileNames(tarfile::tempName(dir, s1), finished);
        tarRun->writeMirror();
    } else {
        tarRun->setFileNames(path, finished);
    }
    ui->pushButtonAdPortionTar->show();
    if (parsed.skippedLines > 0)
        tell(this, tr("Строки файла, которые не удалось прочитать, пропущены: %1").arg(parsed.skippedLines));
}

bool Reriruvozive::createFile(QString path, QString fileName)
{
    QDir().mkpath(path);
    QFile file(path + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::ReadWrite)) {
        qDebug() << "error create file" << path << "/" << fileName;
        return false;
    }
    qDebug() << "success create file" << path << "/" << fileName;
    return true;
}

void Reriruvozive::setNameTempTarFileWithoutTilda(QString value)
{
    tarRun->setFileNames(tarRun->mirrorName(), value);
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

// ---- The sensor's own litres/percent table ---------------------------------

void Reriruvozive::on_pushBtnCalcLtrPrc_clicked()
{
    auto *dialog = new LiterToPercent(this, true);
    literToPercent = dialog;
    connect(dialog, &LiterToPercent::signalReadTable, this, &Reriruvozive::readTable);
    connect(dialog, &LiterToPercent::signalWriteTable, this, &Reriruvozive::writeTable);
    connect(dialog, &LiterToPercent::signalSwitchLitres, flsDevice, &FLSDevice::functionSwitchLitres);
    connect(dialog, &LiterToPercent::signalSwitchPercents, flsDevice, &FLSDevice::functionSwitchPercents);
    // Shown as the sensor has them; opening sends nothing.
    const quint8 a = flsDevice->getConfigByteA();
    dialog->getSwitchLitres()->setState(a & fls::kLitresBit);
    dialog->getSwitchPercent()->setState(a & fls::kPercentsBit);
    if (!dialog->getSwitchLitres()->getCurentState())
        dialog->getSwitchPercent()->setDisabled(true);
    dialog->resize(kLiterToPercentSize);
    flsDevice->setLiterToPercent(dialog);
    dialog->exec();
    // A table answer arriving from now on has no dialog to go to.
    flsDevice->setLiterToPercent(nullptr);
    if (literToPercent)
        literToPercent->deleteLater();
    literToPercent = nullptr;
}

void Reriruvozive::readTable()
{
    flsDevice->resetTimerDeviceConnected();
    portConnection->writeData(fls::tableReadRequest(currentNetNum));
    delay(kTableReadWaitMs);
    parceDataFromCOMPort();
    appendLog("Read tar table");
}

void Reriruvozive::writeTable()
{
    QPointer<LiterToPercent> dialog = flsDevice->getLiterToPercent();
    QString cellsText[fls::kTableRows][2];
    for (int c = 0; c < 2; ++c) {
        for (int r = 0; r < fls::kTableRows; ++r) {
            cellsText[r][c] = dialog ? dialog->getTable(r, c) : kMissingCell;
            if (cellsText[r][c] == kMissingCell) {
                tell(this, tr("В таблице не может быть менее 20 строк"));
                return;
            }
        }
    }
    // The sensor keeps whole numbers of 16 bits; anything else is refused
    // before a byte is sent.
    fls::SensorTarTable table;
    for (int r = 0; r < fls::kTableRows; ++r) {
        const std::optional<quint16> level = cells::wholeWord(cellsText[r][0]);
        const std::optional<quint16> value = cells::wholeWord(cellsText[r][1]);
        if (!level || !value) {
            tell(this, tr("В таблице могут быть только целые числа от 0 до 65535"));
            return;
        }
        table.levels[size_t(r)] = *level;
        table.values[size_t(r)] = *value;
    }

    flsDevice->passwordStep();
    const quint8 net = currentNetNum;
    flsDevice->expectTableWriteAnswer(net);
    portConnection->writeData(fls::tableWriteRequest(net, table));
    delay(kTableWriteWaitMs);
    parceDataFromCOMPort();
    const bool written = flsDevice->isTableWriteAcknowledged();
    appendLog(written ? "Write tar table" : "Write tar table: not acknowledged");
    if (dialog)
        dialog->statusMessage(written ? tr("Таблица успешно записана") : tr("Датчик не подтвердил запись таблицы"));
}
