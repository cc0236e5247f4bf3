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

#include <algorithm>
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
    return deviceFLS ? flsDevice->getSelectedNetNum() : currentNetNum;
}

bool Reriruvozive::anyWriteRunning() const
{
    // A page left during its write still has the write on the stack until
    // its next wait returns.
    return std::any_of(pages.cbegin(), pages.cend(), [](const BaseDevice *page) { return page->isWriteInProgress(); });
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
    // The BLE page refuses a second start itself, and says so.
    if (deviceBLE) {
        writeParamToBLE();
        return;
    }
    if (anyWriteRunning())
        return;
    if (deviceFLS) {
        BaseDevice::WriteGuard guard(flsDevice);
        writeParamToFLS();
    }
}

void Reriruvozive::writeParamToFLS()
{
    // A number the sensor cannot take is never sent as 0 or as its low byte.
    const std::optional<quint32> newNet = fls::decimalInRange(ui->lineEditNetNumDUT->text(), 0, fls::kNetNumMax);
    if (!newNet) {
        refuseNumber(0, fls::kNetNumMax);
        return;
    }
    if (!flsDevice->claimNetNum(quint8(*newNet)))
        return;
    const quint8 net = sensorNetNum();

    // The write belongs to the session it began in. Once the user has left
    // the page, at any of the waits below, it sends, marks, restarts and
    // shows nothing more: the line is the next device's.
    const quint64 session = flsDevice->currentSession();
    const auto left = [this, session] { return !flsDevice->isSessionStill(session); };
    const auto wait = [this, session](int ms) { return flsDevice->waitInSession(session, ms); };

    flsDevice->resetAndStopTimerDeviceConnected();
    flsDevice->pausePolling();
    passwordEnteredCopy = flsDevice->isPasswordEntered();
    if (passwordEnteredCopy && !flsDevice->passwordStep())
        return;

    quint8 a = getMode();
    const quint8 b = getFiltr() | getTypeFiltr();
    // A pending change to the narrow range wins over one to the wide range.
    if (flsDevice->isRangeChangedTo1023()) {
        flsDevice->setRangeChangedTo1023(false);
        ui->progressBarLevelDUT->setMaximum(kNarrowRangeTop);
    } else if (flsDevice->isRangeChangedTo4095() || flsDevice->isRange4095()) {
        flsDevice->setRangeChangedTo4095(false);
        a |= fls::kWideRangeBit;
        ui->progressBarLevelDUT->setMaximum(kWideRangeTop);
    }

    // Each write is judged by its own answer before anything else is asked.
    const bool configRefused = flsDevice->writeRefused(fls::configWrite(net, a, b, std::nullopt), kWriteAnswerMs);
    if (left())
        return;
    flsDevice->setUpdateParamWidgets(true);
    requestForGetAllDataFromDevice();
    if (!wait(kWriteAnswerMs))
        return;
    parceDataFromCOMPort();
    if (configRefused)
        flsDevice->showWrongPassword(ui->DUT);

    if (left() || (passwordEnteredCopy && !flsDevice->passwordStep()))
        return;
    // The number goes out even when unchanged; the search that follows finds
    // the sensor under whatever number it now has.
    const bool netRefused = flsDevice->writeRefused(fls::netNumWrite(net, quint8(*newNet)), kWriteAnswerMs);
    if (left())
        return;
    if (netRefused && !configRefused)
        flsDevice->showWrongPassword(ui->DUT);
    if (left())
        return;
    flsDevice->setSearchActive(true);
    requestForSearchDevices();
    if (!wait(kWriteAnswerMs))
        return;
    parceDataFromCOMPort();

    flsDevice->setUpdateParamWidgets(true);
    if (!wait(kWriteAnswerMs))
        return;
    requestForGetAllDataFromDevice();
    if (!wait(kWriteAnswerMs))
        return;
    parceDataFromCOMPort();
    if (left())
        return;

    // Only what the sensor took is marked as written; refused changes keep
    // their pending marks.
    if (!configRefused && !netRefused) {
        for (QLabel *mark : {ui->label_Alarm_2DUT, ui->label_Alarm_3DUT, ui->label_Alarm_4DUT, ui->label_Alarm_6DUT})
            mark->setPixmap(pixmapBirdGreen);
        birdsTimer->start(kWrittenMarkMs);
    }

    flsDevice->restoreTimerDeviceConnected();
    flsDevice->resumePolling();
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
    if (anyWriteRunning())
        return;
    if (firmwareUpdateRefuses())
        return;
    const std::optional<quint32> percent =
        fls::decimalInRange(ui->lineEdit_Lamp->text(), fls::kAlarmLevelMin, fls::kAlarmLevelMax);
    if (!percent) {
        refuseNumber(fls::kAlarmLevelMin, fls::kAlarmLevelMax);
        return;
    }
    if (askService(tr("Сейчас будет установлен новый уровень\nаварийного остатка топлива.\n\nВы уверены?"), true) !=
        QDialog::Accepted)
        return;
    // Another write may have started while the question was up.
    if (anyWriteRunning())
        return;
    BaseDevice::WriteGuard guard(flsDevice);
    if (!flsDevice->passwordStep())
        return;
    portConnection->writeData(fls::alarmLevelWrite(sensorNetNum(), quint8(*percent)));
    if (!flsDevice->waitInSession(kWriteAnswerMs))
        return;
    parceDataFromCOMPort();
    appendLog("Set new alarm level fuel");
}

QString Reriruvozive::levelConfirmation(bool full)
{
    return full ? tr("Сейчас будет установлен новый уровень \"Полный\"\nВы уверены?")
                : tr("Сейчас будет установлен новый уровень \"Пустой\"\nВы уверены?");
}

void Reriruvozive::askLevelFromCurrent(bool full)
{
    // Without a sensor page there is no level to set, and during another
    // write none is started.
    if (!deviceFLS && !deviceBLE && !deviceQFOnline)
        return;
    // The BLE page says why it refuses.
    if (deviceBLE ? !bleDevice->mayStartProcedure() : anyWriteRunning())
        return;
    if (firmwareUpdateRefuses())
        return;
    if (!deviceQFOnline)
        askService(full ? tr("Установку \"Полный\" рекомендуется делать\nпри отключенном сглаживании")
                        : tr("Установку \"Пустой\" рекомендуется делать\nпри отключенном сглаживании"),
                   false);
    if (askService(levelConfirmation(full), true) == QDialog::Accepted)
        setLevelFromCurrent(full);
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
    setLevelFromCurrent(true);
}

void Reriruvozive::setEmpty()
{
    setLevelFromCurrent(false);
}

// The answer is not awaited: the page's parser marks the level as set and
// the next all-data answer reports it.
void Reriruvozive::setLevelFromCurrent(bool full)
{
    // The BLE page refuses while a procedure of it runs, or before its
    // sensor's first reading, and says so.
    if (deviceBLE) {
        if (bleDevice->sendLevelFromCurrent(full))
            appendLog(full ? "Set full BLE" : "Set empty BLE");
        return;
    }
    if (anyWriteRunning())
        return;
    if (deviceFLS) {
        BaseDevice::WriteGuard guard(flsDevice);
        // Left during the password step, the level goes nowhere.
        if (!flsDevice->passwordStep())
            return;
        const quint8 net = sensorNetNum();
        portConnection->writeData(full ? fls::fullFromLevelRequest(net) : fls::emptyFromLevelRequest(net));
        appendLog(full ? "Set full FLS" : "Set empty FLS");
        return;
    }
    std::optional<BaseDevice::WriteGuard> guard;
    if (BaseDevice *page = activePage())
        guard.emplace(page);
    if (deviceQFOnline) {
        // The online unit takes these commands without the write signature.
        portConnection->writeData(
            frame::request(sensorNetNum(), full ? online::kSetFullCommand : online::kSetEmptyCommand));
        appendLog(full ? "Set full QFOnline" : "Set empty QFOnline");
    }
}
