// Lifecycle of the wired angle sensor page: timers, search, polling and the
// connection watchdog.
#include "devices/angle/kv380device.h"

#include "deruvivuriri_form.h"

#include "ui/switch.h"

#include <QDebug>
#include <QLabel>
#include <QMovie>
#include <QTimer>

namespace {

// After a new number was sent: the sensor settles, then the search starts,
// and the write goes on a moment later.
constexpr int kNewNumberSettleMs = 500;
constexpr int kAfterSearchStartMs = 250;

} // namespace

KV380Device::KV380Device(Ui_Deruvivuriri *form, QSerialPort *port) : BaseDevice(form, port) {}

KV380Device::~KV380Device()
{
    // The form's widgets may go before the page: nothing may reach them from
    // a timer or a movie frame any more.
    if (movieMasterSlave)
        movieMasterSlave->stop();
}

void KV380Device::connectDevice()
{
    // Called by the device button and again at the end of a firmware update.
    // The sensor may come back from a firmware update with a new firmware,
    // or not at the number polled before: it is searched for and shown anew.
    setSyncSwitchesWithDevice(true);
    // A write left in an earlier session leaves nothing to send in this one.
    edited.fill(false);
    viewIconChangedParam(false);
    forgetSensor();
    BaseDevice::connectDevice();
}

void KV380Device::disconnectDevice()
{
    BaseDevice::disconnectDevice();
    if (modeKovshTimer)
        modeKovshTimer->stop();
    if (animationKovshTimer)
        animationKovshTimer->stop();
    showUI(false);
}

bool KV380Device::searchUnderNewNumber(BaseDevice::Procedure &run)
{
    if (!run.wait(kNewNumberSettleMs))
        return false;
    startSearchDevices(false);
    return run.wait(kAfterSearchStartMs);
}

void KV380Device::setSyncSwitchesWithDevice(bool value)
{
    cntUpdateUI = kRefreshAnswers;
    updateUI = value;
    // Without this a selection would refresh the fields but leave the
    // switches at whatever they showed before.
    if (value)
        setSwitchesSyncEnabled(true);
}

void KV380Device::setCntUpdateUI()
{
    cntUpdateUI = kRefreshAnswers;
    setSwitchesSyncEnabled(true);
}

void KV380Device::resetDeviceIsConnected()
{
    showUI(false);
    showStatusMessageUp(QStringLiteral(" "));
    showNoSensorHeard();
    emit signalWriteLog("Device is not responding");
    // Polling goes on; when the sensor answers again it is shown again, with
    // its serial and firmware read anew (it may be another sensor now).
    forgetSensor();
    setSyncSwitchesWithDevice(true);
}

void KV380Device::pollTick()
{
    if (isSearchActive())
        return;
    BaseDevice::pollTick();
}

void KV380Device::watchdogRanOut()
{
    resetDeviceIsConnected();
}

void KV380Device::forgetSensor()
{
    setConnected(false);
    serialKnown = false;
    // The header names the sensor that answers; until the next one does it
    // names none, not the one before.
    if (ui) {
        ui->label_SerNumVal->clear();
        ui->label_FirmwareVal->clear();
    }
    connectionLogPending = true;
    connectionLogText.clear();
}

bool KV380Device::checkCorrectWriteParam()
{
    const auto dump = [](const char *name, const KV380Param &p) {
        const QString prefix = QString::fromLatin1(name);
        qDebug().noquote() << prefix + ".delayOff" << p.delayOff;
        qDebug().noquote() << prefix + ".delayOn" << p.delayOn;
        qDebug().noquote() << prefix + ".delayOffKov" << p.delayOffKov;
        qDebug().noquote() << prefix + ".delayOnKov" << p.delayOnKov;
        qDebug().noquote() << prefix + ".down" << p.down;
        qDebug().noquote() << prefix + ".mode" << p.mode;
        qDebug().noquote() << prefix + ".netNum" << p.netNum;
        qDebug().noquote() << prefix + ".up" << p.up;
    };
    dump("newKV380param", newKV380param);
    dump("oldKV380param", oldKV380param);
    return newKV380param == oldKV380param;
}
