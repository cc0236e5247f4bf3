// Full and Empty levels by the main window: the calibration dialog with its
// calibration without fuel, the levels typed by hand, and the horizon.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/ble/bledevice.h"
#include "devices/fls/flsdevice.h"
#include "devices/fls/flsprocedures.h"
#include "devices/online/qfonline.h"
#include "link/portconnection.h"
#include "ui/customdialoginput.h"
#include "ui/dynamicqdialog.h"
#include "ui/switch.h"

#include <QDebug>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <optional>

namespace {

constexpr int kWideControl = 150;
constexpr int kBoxButtonWidth = 100;
constexpr int kRowSpacing = 20;
constexpr int kHorizonAnswerMs = 100;

const Qt::WindowFlags kFramelessDialog =
    Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint;

} // namespace

void Reriruvozive::on_pushButtonAutoCalibrate_clicked()
{
    autoCalibrateForAllDevices();
}

void Reriruvozive::on_pushButtonAutoCalibrateBLE_clicked()
{
    autoCalibrateForAllDevices();
}

void Reriruvozive::on_pushButtonAutoCalibrateQFOnline_clicked()
{
    autoCalibrateForAllDevices();
}

void Reriruvozive::autoCalibrateForAllDevices()
{
    if (firmwareUpdateRefuses())
        return;
    QDialog dialog(this, kFramelessDialog);
    dialog.setModal(true);
    auto *emptyButton = new QPushButton(tr("Пустой"), &dialog);
    auto *fullButton = new QPushButton(tr("Полный"), &dialog);
    auto *calibrateButton = new QPushButton(tr("Откалибровать"), &dialog);
    emptyButton->setObjectName("pushButtonAutoCalibEmpty");
    fullButton->setObjectName("pushButtonAutoCalibFull");
    calibrateButton->setObjectName("pushButtonAutoCalibStart");
    for (QPushButton *b : {emptyButton, fullButton}) {
        b->setMinimumWidth(kWideControl);
        b->setEnabled(false);
    }
    auto *fullValue = new QLabel(&dialog);
    auto *emptyValue = new QLabel(&dialog);
    fullValue->setObjectName("labelFullAutoCalib");
    emptyValue->setObjectName("labelEmptyAutoCalib");
    for (QLabel *l : {fullValue, emptyValue}) {
        l->setMinimumWidth(kWideControl);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    }
    auto *count = new QLabel(&dialog);
    count->setObjectName("labelCntAutoCalib");
    auto *withoutFuel = new Switch(&dialog);
    withoutFuel->setObjectName("switchAutoCalibWithoutFuel");
    withoutFuel->setFixedSize(50, 25);
    withoutFuel->setState(true);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    for (QAbstractButton *b : box->buttons())
        b->setMinimumWidth(kBoxButtonWidth);

    const auto countText = [](qint64 value) { return QStringLiteral("CNT=%1").arg(value); };
    if (deviceBLE) {
        bleDevice->setAutoCalibrateAllMode(true);
        emptyValue->setText(QString::number(bleDevice->getEmptyValue()));
        fullValue->setText(QString::number(bleDevice->getFullValue()));
        count->setText(countText(bleDevice->getCurrentValue()));
        connect(bleDevice, &BLEDevice::signalUpdateCNTForAutoCalib, &dialog,
                [this, count] { count->setText(QString::number(bleDevice->getCurrentValue())); });
        connect(bleDevice, &BLEDevice::signalUpdateEmptyValForAutocalib, &dialog, [this, emptyValue] {
            emptyValue->setText(QString::number(bleDevice->getEmptyValue()));
            qDebug() << "label Empty was updated";
        });
        connect(bleDevice, &BLEDevice::signalUpdateFullValForAutocalib, &dialog, [this, fullValue] {
            fullValue->setText(QString::number(bleDevice->getFullValue()));
            qDebug() << "label Full was updated";
        });
    } else if (deviceFLS) {
        flsDevice->setAutoCalibrationActive(true);
        emptyValue->setNum(flsDevice->getEmptyValue());
        fullValue->setNum(flsDevice->getFullValue());
        count->setText(countText(flsDevice->getCurrentValue()));
        connect(flsDevice, &FLSDevice::signalUpdateCNTForAutoCalib, &dialog,
                [this, count] { count->setNum(flsDevice->getCurrentValue()); });
        connect(flsDevice, &FLSDevice::signalWasSetEmptyLevel, &dialog,
                [this, emptyValue] { emptyValue->setNum(flsDevice->getEmptyValue()); });
        connect(flsDevice, &FLSDevice::signalWasSetFullLevel, &dialog,
                [this, fullValue] { fullValue->setNum(flsDevice->getFullValue()); });
    } else if (deviceQFOnline) {
        emptyValue->setNum(qfOnline->getEmptyValue());
        fullValue->setNum(qfOnline->getFullValue());
        count->setText(countText(qfOnline->getCntAutoCalib()));
    }

    // Whichever page it was opened for, no page stays in calibration mode.
    connect(&dialog, &QDialog::finished, this, [this] {
        bleDevice->setAutoCalibrateAllMode(false);
        flsDevice->setAutoCalibrationActive(false);
    });
    // Switched on: calibration without fuel; off: Full and Empty from the
    // present level.
    connect(withoutFuel, &Switch::clicked, &dialog, [withoutFuel, emptyButton, fullButton, calibrateButton] {
        const bool on = withoutFuel->getState();
        emptyButton->setEnabled(!on);
        fullButton->setEnabled(!on);
        calibrateButton->setEnabled(on);
    });
    // Each asks for its confirmation first.
    connect(fullButton, &QPushButton::clicked, this, &Reriruvozive::setFull);
    connect(emptyButton, &QPushButton::clicked, this, &Reriruvozive::setEmpty);
    connect(calibrateButton, &QPushButton::clicked, this, &Reriruvozive::autoCalibrateFLSOrBLE);
    connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);

    auto *form = new QFormLayout;
    form->setVerticalSpacing(kRowSpacing);
    form->addRow(new QLabel(tr("Калибровка без топлива"), &dialog), withoutFuel);
    form->addRow(fullValue, emptyValue);
    form->addRow(fullButton, emptyButton);
    form->addRow(calibrateButton);
    form->addRow(count, box);
    dialog.setLayout(form);
    // It shows the page's values of now: the page's session's end closes it.
    BaseDevice::execBox(activePage(), dialog);
}

void Reriruvozive::autoCalibrateFLSOrBLE()
{
    // The page in use begins its procedure before the question, or refuses
    // and says so while another one of it runs. The wired page asks nothing
    // outside its session; the others ask, and send nothing.
    BaseDevice *page = activePage();
    std::optional<BaseDevice::Procedure> run;
    if (page) {
        run.emplace(page);
        if (!*run && (deviceFLS || page->isProcedureRunning()))
            return;
    }
    // A calibration bound to be refused says so before the question: without
    // readings of now, or on the online unit, which has none without fuel.
    if ((page == flsDevice && !flsDevice->requireSensorReadings()) ||
        (page == bleDevice && !bleDevice->requireSensorReadings()))
        return;
    if (page == qfOnline) {
        qfOnline->autoCalibrateFullEmptyQFOnline();
        return;
    }
    QPointer<DynamicQDialog> confirmation = new DynamicQDialog(
        this, tr("Сейчас будет произведена автоматическая калибровка Пустой/Полный"), tr("Вы уверены?"), false);
    // Left while the question was up, it closes, and the page calibrates
    // nothing.
    const int result = run ? run->exec(*confirmation) : confirmation->exec();
    if (confirmation)
        confirmation->deleteLater();
    if (result != QDialog::Accepted || !run || (*run && !run->alive()))
        return;
    if (page == flsDevice)
        flsDevice->autoCalibrateFullEmptyFLS(*run);
    else if (page == bleDevice)
        bleDevice->autoCalibrateFullEmptyBLE(*run);
}

void Reriruvozive::on_pushBtnCalibHorizState_clicked()
{
    // Left during a wait, the page sends and logs nothing more.
    BaseDevice::Procedure run(flsDevice);
    if (!run || !flsDevice->passwordStep(run))
        return;
    portConnection->writeData(fls::horizonRequest(sensorNetNum()));
    // The page confirms the horizon on screen when its answer is taken.
    if (run.waitAndTake(kHorizonAnswerMs))
        appendLog("Horizont calibrate");
}

void Reriruvozive::on_pushBtnManualInput_clicked()
{
    // A procedure of the page in use from the dialog on: the levels typed go
    // to the device the dialog was opened for, or nowhere.
    BaseDevice *page = activePage();
    if (!page)
        return;
    BaseDevice::Procedure run(page);
    if (!run)
        return;
    auto *dialog = new CustomDialogInput(this);
    manualInputDialog = dialog;
    QPointer<CustomDialogInput> guard(dialog);
    dialog->setTimerUpdateVal(this);
    dialog->resize(300, 170);
    const int result = run.exec(*dialog);
    // A failed BLE connection may close and release the dialog meanwhile.
    if (guard) {
        if (result == QDialog::Accepted)
            setFullAndEmptyLevel(run);
        dialog->deleteLater();
    }
    manualInputDialog = nullptr;
}

void Reriruvozive::on_pushBtnManualInputBLE_clicked()
{
    on_pushBtnManualInput_clicked();
}

void Reriruvozive::setFullAndEmptyLevel(BaseDevice::Procedure &run)
{
    if (!manualInputDialog)
        return;
    std::vector<fls::LevelProblem> problems =
        fls::manualLevelProblems(manualInputDialog->getEmptyValue(), manualInputDialog->getFullValue());
    for (fls::LevelProblem problem : problems) {
        switch (problem) {
        case fls::LevelProblem::EmptyAboveFull:
            askService(tr("Значение \"Пустой\" не может быть больше \"Полный\""), false);
            break;
        case fls::LevelProblem::EmptyMissing:
            askService(tr("Установите корректное значение \"Пустой\""), false);
            break;
        case fls::LevelProblem::FullMissing:
            askService(tr("Установите корректное значение \"Полный\""), false);
            break;
        }
    }
    // Left during a wait, the page sends nothing more (no Full level after
    // the Empty one) and shows nothing.
    if (!problems.empty() || !manualInputDialog || !run.alive())
        return;
    appendLog("Manual input full and empty");
    const qint32 full = manualInputDialog->getFullValue();
    const qint32 empty = manualInputDialog->getEmptyValue();
    // The wired sensor gets its two levels with no poll between them; the
    // BLE base reports each outcome in its polled answers.
    if (deviceFLS)
        flsDevice->writeLevels(run, empty, full);
    else if (deviceBLE)
        bleDevice->writeLevels(run, empty, full);
}
