// The online unit's configuration block on the page: the field setters, the
// write and the switches that change single bits of it.
#include "devices/online/qfonline.h"

#include "devices/online/onlineprotocol.h"
#include "ui/switch.h"

#include <QTimer>

namespace {

// The write goes out, the poll tick follows it, and the unit's answers to
// both have arrived before the page goes on.
constexpr int kAfterWriteMs = 50;
constexpr int kAfterPollMs = 200;

} // namespace

void QFOnline::setAddressAPI(QString address)
{
    configBlock.setText(OnlineConfigBlock::Text::Apn, address);
    qCDebug(lcOnline) << "APN" << configBlock.text(OnlineConfigBlock::Text::Apn);
}

void QFOnline::setUserApi(QString userApi)
{
    configBlock.setText(OnlineConfigBlock::Text::ApnUser, userApi);
}

void QFOnline::setPwdApi(QString pwdApi)
{
    configBlock.setText(OnlineConfigBlock::Text::ApnPassword, pwdApi);
}

void QFOnline::setPIN(QString pin)
{
    configBlock.setText(OnlineConfigBlock::Text::Pin, pin);
}

void QFOnline::setServerAddress(QString ipAddress)
{
    configBlock.setText(OnlineConfigBlock::Text::ServerAddress, ipAddress);
}

void QFOnline::setServerPort(QString port)
{
    configBlock.setText(OnlineConfigBlock::Text::ServerPort, port);
}

void QFOnline::setDeviceID(QString deviceNewID)
{
    configBlock.setText(OnlineConfigBlock::Text::DeviceId, deviceNewID);
}

void QFOnline::setPwdServer(QString password)
{
    configBlock.setText(OnlineConfigBlock::Text::ServerPassword, password);
}

void QFOnline::setDopPeriod(QString period)
{
    configBlock.setPeriodText(period);
}

void QFOnline::setModeDopDevice(uchar deviceID, uchar deviceMode)
{
    configBlock.setMode(deviceID, deviceMode);
}

void QFOnline::setAdrdressDopDevice(uchar deviceID, QString deviceAddress)
{
    const bool stored = configBlock.setAddressText(deviceID, deviceAddress);
    if (deviceID < addressUnusable.size())
        addressUnusable[deviceID] = !stored;
}

bool QFOnline::refuseUnreadConfig()
{
    if (configRead)
        return false;
    // The block goes out whole: written before the unit's own was read, it
    // would replace its APN, server and everything else with blanks.
    createDialogInfoUserForButtonClicked(tr("Сначала прочитайте настройки устройства"));
    emit signalWriteLog("QFOnline settings not written: not read from the device yet");
    return true;
}

bool QFOnline::refuseUnusableAddress()
{
    for (int channel = 0; channel < int(addressUnusable.size()); ++channel) {
        if (!addressUnusable[size_t(channel)])
            continue;
        createDialogInfoUserForButtonClicked(tr("Недопустимое значение: %1\nВведите число от %2 до %3")
                                                 .arg(addressFieldName(channel))
                                                 .arg(0)
                                                 .arg(OnlineConfigBlock::kAddressTop));
        emit signalWriteLog(
            QStringLiteral("QFOnline settings not written: the address of channel %1 is no number from 0 to %2")
                .arg(channel + 1)
                .arg(OnlineConfigBlock::kAddressTop));
        return true;
    }
    return false;
}

bool QFOnline::writeParam()
{
    if (refuseUnreadConfig() || refuseUnusableAddress())
        return false;
    // A write asked for during the waits of another (a second switch
    // click) is sent right after it, with everything changed meanwhile.
    if (isWriteInProgress()) {
        writeAgain = true;
        return true;
    }
    const WriteGuard guard(this);
    do {
        writeAgain = false;
        sendConfigOnce();
    } while (writeAgain);
    return true;
}

void QFOnline::sendConfigOnce()
{
    pausePolling();
    configBlock.setFormat();
    emit writeData(online::configWriteRequest(configBlock));
    delay(kAfterWriteMs);
    // The page may have been left during the wait: then nothing more goes
    // out, and the poll stays with whoever took the line.
    if (isSessionRunning())
        pollTick();
    delay(kAfterPollMs);
    needUpdateCfgFields = true;
    needUpdateWindow = true;
    emit signalCheckIncommingData();
    resumePolling();
}

void QFOnline::setNewCFGForSetting()
{
    auto *sw = qobject_cast<Switch *>(sender());
    int index = -1;
    for (int i = 0; i < kSwitches; ++i) {
        if (sw && switches[size_t(i)] == sw)
            index = i;
    }
    if (index < 0)
        return;

    if (index == WorkingMode) {
        if (!workingModeKnown) {
            // The other bits of the mode byte are known only from a level
            // answer; sending them as zeros would change the unit's mode.
            sw->setState(!sw->getState());
            createDialogInfoUserForButtonClicked(tr("Устройство ещё не ответило"));
            return;
        }
        workingMode ^= online::kWorkingModeSwitchBit;
        setNewMode(workingMode);
        emit signalRequestForGetCfgQFOnline();
        return;
    }

    if (refuseUnreadConfig()) {
        sw->setState(!sw->getState());
        emit signalRequestForGetCfgQFOnline();
        return;
    }
    // The switch goes back; the typed address stays to be put right.
    if (refuseUnusableAddress()) {
        sw->setState(!sw->getState());
        return;
    }
    // Each switch turns its bit of the block as it stands, whatever the
    // switch shows.
    switch (index) {
    case Channel1:
    case Channel2:
    case Channel3:
    case Channel4:
        configBlock.flipMode(index - Channel1, OnlineConfigBlock::kDeviceOnBit);
        break;
    case Egts:
        configBlock.flipMode(0, OnlineConfigBlock::kEgtsBit);
        break;
    case Udp:
        configBlock.flipMode(0, OnlineConfigBlock::kUdpBit);
        break;
    default:
        break;
    }
    if (isWriteInProgress()) {
        // The running write sends this change too and reads the block back.
        writeAgain = true;
        return;
    }
    writeParam();
    emit signalRequestForGetCfgQFOnline();
}
