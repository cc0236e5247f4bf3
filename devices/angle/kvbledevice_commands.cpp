// Commands of the wireless angle sensor page: the four settings and their
// write, one command at a time, each waiting for the base's status code; the
// mode switches and the zero point.
#include "devices/angle/kvbledevice.h"

#include "deruvivuriri_form.h"

#include "ui/dynamicqdialog.h"
#include "ui/switch.h"

#include <QDebug>
#include <QLabel>
#include <QTime>
#include <QTimer>

#include <memory>

namespace {

constexpr QSize kSwitchMinimum{50, 25};
// The mode switches stand in these rows of the page's grid, in this column.
constexpr int kFirstSwitchRow = 2;
constexpr int kSwitchColumn = 1;

} // namespace

bool KVBLEDevice::compareParam()
{
    return oldKvBleParam == newKvBleParam;
}

void KVBLEDevice::setNewParam()
{
    oldKvBleParam = newKvBleParam;
}

void KVBLEDevice::sendCommand(const QByteArray &frame)
{
    // The codes reported before this frame went out belong to other commands.
    codesSinceCommand.clear();
    commandSentAt.start();
    emit writeData(frame);
}

void KVBLEDevice::showWaiting()
{
    mainStatus = false;
    // A command's waiting text stays as long as its status is awaited.
    timerCommandReply->start(intervals().statusAnswer);
    showStatusMessageUp(tr("Ожидаем ответ от беспроводного датчика"));
}

// ---- Settings ----------------------------------------------------------------

void KVBLEDevice::sendSetting(const QByteArray &frame, const char *name, quint32 value)
{
    sendCommand(frame);
    needUpdateWindow = true;
    qDebug().noquote() << QStringLiteral("%1 = %2").arg(QLatin1String(name)).arg(value);
}

void KVBLEDevice::changeUpKVBLE()
{
    sendSetting(kvble::upWrite(writeKvBleParam.up), "changeUpKVBLE", writeKvBleParam.up);
}

void KVBLEDevice::changeDownKVBLE()
{
    sendSetting(kvble::downWrite(writeKvBleParam.down), "changeDownKVBLE", writeKvBleParam.down);
}

void KVBLEDevice::changeDelayOnKVBLE()
{
    sendSetting(kvble::delayOnWrite(writeKvBleParam.delayOn), "changeDelayOnKVBLE", writeKvBleParam.delayOn);
}

void KVBLEDevice::changeDelayOffKVBLE()
{
    sendSetting(kvble::delayOffWrite(writeKvBleParam.delayOff), "changeDelayOffKVBLE", writeKvBleParam.delayOff);
}

int KVBLEDevice::waitStatusCurrentCMD(int cmd)
{
    Procedure run(this);
    if (!run)
        return 2;
    const int outcome = waitForOutcome(run, cmd, std::nullopt);
    return outcome == kOutcomeLeft ? 2 : outcome;
}

int KVBLEDevice::waitForOutcome(Procedure &run, int confirm, std::optional<int> failure)
{
    int result = 2;
    for (int poll = 0;; ++poll) {
        if (codesSinceCommand.contains(confirm)) {
            result = 1;
            break;
        }
        if ((failure && codesSinceCommand.contains(*failure)) || poll == kStatusPolls)
            break;
        // A page left meanwhile ends the wait at once, the page's own session
        // over, even when the user came back to the page since.
        if (!run.wait(kStatusPollMs, true))
            return kOutcomeLeft;
    }
    qDebug() << "returnStatus = " << result;
    if (!run.wait(kStatusPollMs, true))
        return kOutcomeLeft;
    return result;
}

bool KVBLEDevice::readField(QLineEdit *field, kv380::FieldRange range, bool edited, const QLabel *caption,
                            quint32 &value, QStringList &refused)
{
    const std::optional<int> typed = kv380::fieldValue(field->text(), range);
    if (typed) {
        value = quint32(*typed);
        return true;
    }
    // An edited field left empty or out of range is never sent as some other value.
    if (edited)
        refused.append(caption->text());
    return false;
}

void KVBLEDevice::writeParamToDevice()
{
    // Its waits run the event loop: a second write meanwhile would send its
    // frames among this one's and take its status codes.
    Procedure run(this);
    if (run)
        writeParamToDevice(run);
}

void KVBLEDevice::writeParamToDevice(Procedure &run)
{
    // A page left while the user confirmed writes nothing: the port is
    // another device's.
    if (!run.alive())
        return;

    KvBleParam values = writeKvBleParam;
    if (ui) {
        QStringList refused;
        quint32 delayOn = values.delayOn;
        quint32 delayOff = values.delayOff;
        readField(ui->lineEditKVBLEUp, kvble::kThresholdRange, upEdited, ui->label_71, values.up, refused);
        readField(ui->lineEditKVBLEDown, kvble::kThresholdRange, downEdited, ui->label_72, values.down, refused);
        readField(ui->lineEditKVBLEOn, kvble::kDelayRange, delayOnEdited, ui->label_78, delayOn, refused);
        readField(ui->lineEditKVBLEOff, kvble::kDelayRange, delayOffEdited, ui->label_79, delayOff, refused);
        values.delayOn = quint16(delayOn);
        values.delayOff = quint16(delayOff);
        if (!refused.isEmpty()) {
            showMessage(tr("Значение вне допустимого диапазона"), refused.join(QStringLiteral(", ")), dialogParent());
            return;
        }
    }
    writeKvBleParam = values;
    const std::vector<kvble::WriteStep> steps = kvble::writeSteps(upEdited, downEdited, delayOnEdited, delayOffEdited);
    upEdited = downEdited = delayOnEdited = delayOffEdited = false;

    auto progress = std::make_unique<DynamicQDialog>(
        nullptr, tr("Идёт запись параметров"), tr("После завершения операции это окно автоматически закроется"), false);
    progress->setModal(true);
    // Leaving the page closes it at once, not at the write's next wait.
    writeProgress = progress.get();
    keepBox(progress.get());
    progress->show();
    needUpdateWindow = true;
    showWaiting();

    for (const kvble::WriteStep &step : steps) {
        // The page may have been left meanwhile: its port is then another
        // device's, and nothing more of this write goes out.
        if (step.pauseBefore && !run.wait(kSameCodePauseMs, true))
            break;
        switch (step.command) {
        case kvble::kUpCommand:
            changeUpKVBLE();
            break;
        case kvble::kDownCommand:
            changeDownKVBLE();
            break;
        case kvble::kDelayOnCommand:
            changeDelayOnKVBLE();
            break;
        case kvble::kDelayOffCommand:
            changeDelayOffKVBLE();
            break;
        default:
            break;
        }
        qDebug() << "send cmd in time = " << QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz"));
        const int outcome = waitForOutcome(run, step.confirm, step.failure);
        if (outcome == kOutcomeLeft)
            break;
        if (outcome == 1)
            qDebug() << "write successfully";
        else
            qDebug() << "Error with cmd " << Qt::hex << step.command;
    }
    progress->close();
    writeProgress = nullptr;
}

// ---- Mode switches and zero ----------------------------------------------------

int KVBLEDevice::addSwitchToUI()
{
    if (!ui)
        return 1;
    for (size_t i = 0; i < switches.size(); ++i) {
        auto *sw = new Switch(ui->KV_BLE);
        sw->setObjectName(QStringLiteral("switch%1KVBLE").arg(i));
        sw->setMinimumSize(kSwitchMinimum);
        ui->gridLayoutKVBLE->addWidget(sw, kFirstSwitchRow + int(i), kSwitchColumn);
        switches[i] = sw;
    }
    using Slot = void (KVBLEDevice::*)();
    const Slot handlers[] = {&KVBLEDevice::slotSwitch_0, &KVBLEDevice::slotSwitch_1, &KVBLEDevice::slotSwitch_2,
                             &KVBLEDevice::slotSwitch_3, &KVBLEDevice::slotSwitch_4, &KVBLEDevice::slotSwitch_5};
    for (size_t i = 0; i < switches.size(); ++i)
        connect(switches[i], &Switch::clicked, this, handlers[i]);
    return 1;
}

void KVBLEDevice::sendCmdSetNewMode(uchar newMode)
{
    // Amid a write it would clear the codes the write waits for.
    Procedure run(this);
    if (!run)
        return;
    const QByteArray frame = kvble::modeWrite(newMode);
    sendCommand(frame);
    qDebug().noquote() << frame.toHex(' ');
    needUpdateWindow = true;
    showWaiting();
}

void KVBLEDevice::sendModeOfSwitch(int index)
{
    // The click toggled the switch; the next refresh puts all six back to the
    // mode the sensor reports.
    sendCmdSetNewMode(kvble::kSwitchModes[size_t(index)]);
    needUpdateWindow = true;
    qDebug().noquote() << QStringLiteral("switch%1").arg(index);
}

void KVBLEDevice::slotSwitch_0()
{
    sendModeOfSwitch(0);
}

void KVBLEDevice::slotSwitch_1()
{
    sendModeOfSwitch(1);
}

void KVBLEDevice::slotSwitch_2()
{
    sendModeOfSwitch(2);
}

void KVBLEDevice::slotSwitch_3()
{
    sendModeOfSwitch(3);
}

void KVBLEDevice::slotSwitch_4()
{
    sendModeOfSwitch(4);
}

void KVBLEDevice::slotSwitch_5()
{
    sendModeOfSwitch(5);
}

void KVBLEDevice::cmdSetNull(Procedure &run)
{
    // A page left while the user confirmed sends nothing.
    if (!run.alive())
        return;
    sendCommand(kvble::zeroWrite());
    showWaiting();
    qDebug() << "Set NULL for KVBLE";
}
