// The wired sensor's parameter write, its alarm level, and its Full and Empty
// levels taken from the present reading.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/ble/bledevice.h"
#include "devices/fls/flsdevice.h"
#include "devices/fls/flsprocedures.h"
#include "devices/online/onlineprotocol.h"
#include "link/frame.h"
#include "link/portconnection.h"

#include <QDebug>
#include <QDialog>
#include <QLabel>
#include <QTimer>

#include <optional>

namespace {

// The sensor answers a write within this time.
constexpr int kWriteAnswerMs = 100;
// How long the written marks stay before the tick timer hides them.
constexpr int kWrittenMarkMs = 1000;
// Levels of the wired sensor's range.
constexpr int kNarrowRangeTop = 1023;
constexpr int kWideRangeTop = 4095;

} // namespace

quint8 Reriruvozive::sensorNetNum() const
{
    // On the wired page the frames go to the sensor whose settings the page
    // shows, which need not be the first one found.
    return deviceFLS ? flsDevice->getSelectedNetNum() : activeNetNum();
}

void Reriruvozive::refuseNumber(quint32 minimum, quint32 maximum)
{
    askService(tr("Введите число от %1 до %2").arg(minimum).arg(maximum), false);
}

void Reriruvozive::writeParamToDevice()
{
    if (!deviceFLS && !deviceBLE)
        return;
    if (firmwareUpdateRefuses())
        return;
    // Each page refuses a second start itself, and says so.
    if (deviceBLE)
        writeParamToBLE();
    else
        writeParamToFLS();
}

void Reriruvozive::writeParamToFLS()
{
    // The write belongs to the session it began in. Once the user has left
    // the page, at any of the waits below, it sends, marks and shows nothing
    // more: the line is the next device's. Polling and the watchdog stay
    // still from its first frame to its last, the password steps included.
    BaseDevice::Procedure run(flsDevice);
    if (!run)
        return;
    // A number the sensor cannot take is never sent as 0 or as its low byte.
    const std::optional<quint32> newNet = fls::decimalInRange(ui->lineEditNetNumDUT->text(), 0, fls::kNetNumMax);
    if (!newNet) {
        refuseNumber(0, fls::kNetNumMax);
        return;
    }
    if (!flsDevice->claimNetNum(run, quint8(*newNet)))
        return;
    const quint8 net = sensorNetNum();

    run.holdLine();
    passwordEnteredCopy = flsDevice->isPasswordEntered();
    if (passwordEnteredCopy && !flsDevice->passwordStep(run))
        return;

    const quint8 a = flsModeWithRange();
    const quint8 b = getFiltr() | getTypeFiltr();

    // Each write is judged by its own answer before anything else is asked.
    const bool configRefused = flsDevice->writeRefused(run, fls::configWrite(net, a, b, std::nullopt), kWriteAnswerMs);
    if (!run.alive())
        return;
    flsDevice->setUpdateParamWidgets(true);
    requestForGetAllDataFromDevice();
    if (!run.waitAndTake(kWriteAnswerMs))
        return;
    // Refusals are told once the write is over: a box now would leave it
    // running under the user's next press.
    if (configRefused)
        run.tellAfter([this] { flsDevice->showWrongPassword(ui->DUT); });

    if (passwordEnteredCopy && !flsDevice->passwordStep(run))
        return;
    // The number goes out even when unchanged; the search that follows finds
    // the sensor under whatever number it now has.
    const bool netRefused = flsDevice->writeRefused(run, fls::netNumWrite(net, quint8(*newNet)), kWriteAnswerMs);
    if (!run.alive())
        return;
    if (netRefused && !configRefused)
        run.tellAfter([this] { flsDevice->showWrongPassword(ui->DUT); });
    flsDevice->setSearchActive(true);
    flsDevice->requestSearch();
    if (!run.waitAndTake(kWriteAnswerMs))
        return;

    flsDevice->setUpdateParamWidgets(true);
    if (!run.wait(kWriteAnswerMs))
        return;
    // The sensor written is found again under its number (the search made
    // it the selected one), and answers the re-read.
    const bool answered = flsDevice->reRead(run, kWriteAnswerMs) && flsDevice->getSelectedNetNum() == *newNet;
    if (!run.alive())
        return;

    // Only what the sensor took is marked as written; refused changes keep
    // their pending marks, and so does a write the sensor left unanswered.
    if (configRefused || netRefused)
        return;
    if (!answered) {
        // The watchdog goes on meanwhile: a silent sensor is let go as ever.
        if (run.end())
            flsDevice->showMessage(QString(), tr("Датчик не ответил\nЗапись параметров не подтверждена"), ui->DUT);
        return;
    }
    markFlsParamsWritten();
}

quint8 Reriruvozive::flsModeWithRange()
{
    quint8 a = getMode();
    // A pending change to the narrow range wins over one to the wide range.
    if (flsDevice->isRangeChangedTo1023()) {
        flsDevice->setRangeChangedTo1023(false);
        ui->progressBarLevelDUT->setMaximum(kNarrowRangeTop);
    } else if (flsDevice->isRangeChangedTo4095() || flsDevice->isRange4095()) {
        flsDevice->setRangeChangedTo4095(false);
        a |= fls::kWideRangeBit;
        ui->progressBarLevelDUT->setMaximum(kWideRangeTop);
    }
    return a;
}

void Reriruvozive::markFlsParamsWritten()
{
    for (QLabel *mark : {ui->label_Alarm_2DUT, ui->label_Alarm_3DUT, ui->label_Alarm_4DUT, ui->label_Alarm_6DUT})
        mark->setPixmap(pixmapBirdGreen);
    birdsTimer->start(kWrittenMarkMs);
}

void Reriruvozive::on_ButtonWriteParamDUT_clicked()
{
    if (!flsDevice->isParamChanged())
        return;
    writeParamToDevice();
    qDebug() << "Write param is done+";
}

void Reriruvozive::on_ButtonWriteParamBLE_clicked()
{
    if (bleDevice->getSettingsChanged())
        writeParamToDevice();
}

void Reriruvozive::on_pushButtonSetPercent_clicked()
{
    if (firmwareUpdateRefuses())
        return;
    const std::optional<quint32> percent =
        fls::decimalInRange(ui->lineEdit_Lamp->text(), fls::kAlarmLevelMin, fls::kAlarmLevelMax);
    if (!percent) {
        refuseNumber(fls::kAlarmLevelMin, fls::kAlarmLevelMax);
        return;
    }
    // Begun before the question, so that no other procedure starts while it
    // is up.
    BaseDevice::Procedure run(flsDevice);
    if (!run)
        return;
    if (!run.ask(this, QString(),
                 tr("Сейчас будет установлен новый уровень\nаварийного остатка топлива.\n\nВы уверены?")) ||
        !flsDevice->passwordStep(run))
        return;
    portConnection->writeData(fls::alarmLevelWrite(sensorNetNum(), quint8(*percent)));
    if (!run.waitAndTake(kWriteAnswerMs))
        return;
    appendLog("Set new alarm level fuel");
}

QString Reriruvozive::levelConfirmation(bool full)
{
    return full ? tr("Сейчас будет установлен новый уровень \"Полный\"\nВы уверены?")
                : tr("Сейчас будет установлен новый уровень \"Пустой\"\nВы уверены?");
}

void Reriruvozive::askLevelFromCurrent(bool full, bool adviseSmoothing)
{
    // Without a sensor page there is no level to set.
    if (!deviceFLS && !deviceBLE && !deviceQFOnline)
        return;
    // A download holds the page still: it is told first.
    if (firmwareUpdateRefuses())
        return;
    // The page in use begins its procedure before the questions, or refuses
    // and says so while another one of it runs. Outside its session the BLE
    // page asks them all the same, and sends nothing.
    BaseDevice::Procedure run(activePage());
    if (!run && (!deviceBLE || bleDevice->isProcedureRunning()))
        return;
    // The BLE sensor takes no level before its first reading: said before
    // anything is asked.
    if (run.page() == bleDevice && !bleDevice->requireSensorReadings())
        return;
    // Left while a question was up, it closes, and the level goes nowhere.
    if (adviseSmoothing && !deviceQFOnline &&
        !run.tell(this, QString(),
                  full ? tr("Установку \"Полный\" рекомендуется делать\nпри отключенном сглаживании")
                       : tr("Установку \"Пустой\" рекомендуется делать\nпри отключенном сглаживании")))
        return;
    if (!run.ask(this, QString(), levelConfirmation(full)) || !run.alive())
        return;
    if (run.page() != bleDevice) {
        setLevelFromCurrent(run, full);
        return;
    }
    // Refused, and told, when the reading went while a question was up.
    if (bleDevice->sendLevelFromCurrent(run, full))
        appendLog(full ? "Set full BLE" : "Set empty BLE");
}

void Reriruvozive::on_Button_SetFullDUTOnline_clicked()
{
    askLevelFromCurrent(true);
}

void Reriruvozive::on_Button_SetEmptyDUTOnline_clicked()
{
    askLevelFromCurrent(false);
}

void Reriruvozive::setFull()
{
    askLevelFromCurrent(true, false);
}

void Reriruvozive::setEmpty()
{
    askLevelFromCurrent(false, false);
}

// The answer is not awaited: the page's parser marks the level as set and
// the next all-data answer reports it.
void Reriruvozive::setLevelFromCurrent(BaseDevice::Procedure &run, bool full)
{
    // Left while a question was up, the level goes nowhere.
    if (!run.alive())
        return;
    if (deviceFLS) {
        if (!flsDevice->passwordStep(run))
            return;
        const quint8 net = sensorNetNum();
        portConnection->writeData(full ? fls::fullFromLevelRequest(net) : fls::emptyFromLevelRequest(net));
        appendLog(full ? "Set full FLS" : "Set empty FLS");
    } else if (deviceQFOnline) {
        // Only to the unit that answered as the online unit, looked at as
        // the command goes: it may have fallen silent while a question was up.
        if (!run.sensorStillHeard())
            return;
        // The online unit takes these commands without the write signature.
        portConnection->writeData(
            frame::request(sensorNetNum(), full ? online::kSetFullCommand : online::kSetEmptyCommand));
        appendLog(full ? "Set full QFOnline" : "Set empty QFOnline");
    }
}
