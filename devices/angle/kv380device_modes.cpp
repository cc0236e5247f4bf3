// Mode switches and set-zero of the wired angle sensor page.
#include "devices/angle/kv380device.h"

#include "deruvivuriri_form.h"

#include "ui/switch.h"

#include <QLabel>
#include <QTimer>

namespace {

constexpr int kSwitchPause = 1500; // a second mode command only after this
constexpr int kAfterCommandMs = 100;

// Switch columns; each switch sits level with its caption (the main window
// may have squeezed the form on a low screen before the switches are made).
constexpr int kLeftColumn = 165;
constexpr int kRightColumn = 325;
constexpr QSize kSwitchSize{50, 25};

} // namespace

std::array<Switch *, 6> KV380Device::modeSwitches() const
{
    return {switchMode1KV380,     switchMode2KV380,     switchMode3KV380,
            switchModeOtvalKV380, switchModeKovshKV380, switchModeMasterKV380};
}

int KV380Device::addSwitchToUI()
{
    if (!ui)
        return 1;
    Switch **switches[] = {&switchMode1KV380,     &switchMode2KV380,     &switchMode3KV380,
                           &switchModeOtvalKV380, &switchModeKovshKV380, &switchModeMasterKV380};
    const char *const names[] = {"switchMode1KV380",     "switchMode2KV380",     "switchMode3KV380",
                                 "switchModeOtvalKV380", "switchModeKovshKV380", "switchModeMasterKV380"};
    QLabel *const captions[] = {ui->label_13, ui->label_15, ui->label_16, ui->label_18, ui->label_17, ui->label_19};
    const int columns[] = {kLeftColumn, kLeftColumn, kLeftColumn, kRightColumn, kRightColumn, kRightColumn};
    using Command = int (KV380Device::*)();
    const Command commands[] = {&KV380Device::setMode1KV380,     &KV380Device::setMode2KV380,
                                &KV380Device::setMode3KV380,     &KV380Device::setModeOtvalKV380,
                                &KV380Device::setModeKovshKV380, &KV380Device::setModeMasterKV380};
    for (size_t i = 0; i < std::size(switches); ++i) {
        auto *sw = new Switch(ui->KV380);
        sw->setObjectName(names[i]);
        const int y = captions[i]->y() + (captions[i]->height() - kSwitchSize.height()) / 2;
        sw->setGeometry(QRect(QPoint(columns[i], y), kSwitchSize));
        sw->setCheckable(true);
        sw->hide();
        sw->setFlag(true);
        *switches[i] = sw;
    }
    // A click sends its mode (through toggled), then rests all six a moment.
    for (size_t i = 0; i < std::size(switches); ++i) {
        const Command command = commands[i];
        connect(*switches[i], &Switch::toggled, this, [this, command] { (this->*command)(); });
    }
    for (Switch **sw : switches)
        connect(*sw, &Switch::clicked, this, &KV380Device::tempDisableAllSwicthes);
    return 1;
}

bool KV380Device::setSwitchesSyncEnabled(bool on)
{
    for (Switch *sw : modeSwitches()) {
        if (sw)
            sw->setFlag(on);
    }
    return true;
}

void KV380Device::tempDisableAllSwicthes()
{
    for (Switch *sw : modeSwitches()) {
        if (sw)
            sw->setEnabled(false);
    }
    QTimer::singleShot(kSwitchPause, this, &KV380Device::enableAllSwitches);
}

void KV380Device::enableAllSwitches()
{
    for (Switch *sw : modeSwitches()) {
        if (sw)
            sw->setEnabled(true);
    }
}

int KV380Device::sendMode(quint8 modeByte, const char *logText)
{
    // A mode command amid a write would land among its frames.
    Procedure run(this);
    if (!run) {
        // The click toggled the switch: it goes back to the sensor's mode.
        setSyncSwitchesWithDevice(true);
        return 1;
    }
    run.muteWatchdog();
    modeToWrite = modeByte;
    emit writeData(kv380::modeWrite(netNum, modeToWrite));
    // The switches show what the sensor took, not what was clicked.
    setSyncSwitchesWithDevice(true);
    // Left during the wait, the page logs nothing and starts no watchdog
    // for a sensor no longer polled.
    if (!run.wait(kAfterCommandMs))
        return 1;
    emit signalWriteLog(QString::fromLatin1(logText));
    return 1;
}

int KV380Device::setMode1KV380()
{
    return sendMode(kv380::kMode1, "Switch mode 1 KV380");
}

int KV380Device::setMode2KV380()
{
    return sendMode(kv380::kMode2, "Switch mode 2 KV380");
}

int KV380Device::setMode3KV380()
{
    return sendMode(kv380::kMode3, "Switch mode 3 KV380");
}

int KV380Device::setModeOtvalKV380()
{
    return sendMode(kv380::kModeBlade, "Switch mode Otval KV380");
}

int KV380Device::setModeKovshKV380()
{
    return sendMode(kv380::kModeBucket, "Switch mode Kovsh KV380");
}

int KV380Device::setModeMasterKV380()
{
    // Only the master bit changes: the working mode stays the one the sensor
    // reports (before its first answer, the one last written).
    const quint8 current = modeReported ? rawMode : modeToWrite;
    return sendMode(current ^ kv380::kMasterBit, "Switch mode Master KV380");
}

int KV380Device::cmdSetNull()
{
    Procedure run(this);
    if (!run)
        return 1;
    emit writeData(kv380::setZeroWrite(netNum));
    run.wait(kAfterCommandMs);
    return 1;
}
