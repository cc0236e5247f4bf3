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
// The unit acknowledges a command well within this; after it, it counts as
// not having answered.
constexpr int kCommandAnswerMs = 2000;
// How often a waiting command looks whether its answer came.
constexpr int kAnswerLookMs = 50;

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
    periodUnusable = !configBlock.setPeriodText(period);
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

bool QFOnline::refuseUnusableInput()
{
    return refuseUnusablePeriod() || refuseUnusableAddress();
}

bool QFOnline::refuseUnusablePeriod()
{
    if (!periodUnusable)
        return false;
    // Sent as 0 or as its low bits, the unit would report at some other pace.
    createDialogInfoUserForButtonClicked(tr("Недопустимое значение: %1\nВведите число от %2 до %3")
                                             .arg(periodFieldName())
                                             .arg(OnlineConfigBlock::kPeriodBottom)
                                             .arg(OnlineConfigBlock::kPeriodTop));
    emit signalWriteLog(QStringLiteral("QFOnline settings not written: the sending period is no number from %1 to %2")
                            .arg(OnlineConfigBlock::kPeriodBottom)
                            .arg(OnlineConfigBlock::kPeriodTop));
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

QFOnline::CommandOutcome QFOnline::writeBlock(bool awaitAnswer)
{
    Procedure run(this);
    if (!run || refuseUnreadConfig() || refuseUnusableInput())
        return CommandOutcome::NotSent;
    return sendConfig(run, awaitAnswer);
}

bool QFOnline::writeParam()
{
    // Without the answer awaited, only a refusal gives NotSent.
    return writeBlock(false) != CommandOutcome::NotSent;
}

QFOnline::CommandOutcome QFOnline::writeSettings()
{
    return writeBlock(true);
}

QFOnline::CommandOutcome QFOnline::sendConfig(Procedure &run, bool awaitAnswer)
{
    // The poll tick after the write is the write's own; no other goes out
    // until the procedure ends.
    run.holdLine();
    configBlock.setFormat();
    commandAnswer = 0;
    emit writeData(online::configWriteRequest(configBlock));
    if (!run.wait(kAfterWriteMs))
        return CommandOutcome::Left;
    pollTick();
    if (!run.wait(kAfterPollMs))
        return CommandOutcome::Left;
    needUpdateCfgFields = true;
    needUpdateWindow = true;
    emit signalCheckIncommingData();
    if (!awaitAnswer)
        return CommandOutcome::Acknowledged;
    return awaitCommandAnswer(run, online::kConfigWriteCommand, kCommandAnswerMs - kAfterWriteMs - kAfterPollMs);
}

QFOnline::CommandOutcome QFOnline::sendCommand(const QByteArray &request, quint8 command)
{
    Procedure run(this);
    if (!run)
        return CommandOutcome::NotSent;
    run.holdLine();
    // What already arrived answers something else.
    emit signalCheckIncommingData();
    commandAnswer = 0;
    emit writeData(request);
    return awaitCommandAnswer(run, command, kCommandAnswerMs);
}

QFOnline::CommandOutcome QFOnline::awaitCommandAnswer(Procedure &run, quint8 command, int ms)
{
    for (int waited = 0;; waited += kAnswerLookMs) {
        if (commandAnswer == command)
            return CommandOutcome::Acknowledged;
        if (commandAnswer == online::kPasswordRefusedCommand)
            return CommandOutcome::Refused;
        if (waited >= ms)
            return CommandOutcome::Silent;
        if (!run.waitAndTake(kAnswerLookMs))
            return CommandOutcome::Left;
    }
}

QString QFOnline::outcomeText(CommandOutcome outcome, const QString &doneText)
{
    switch (outcome) {
    case CommandOutcome::Acknowledged:
        return doneText;
    case CommandOutcome::Refused:
        return tr("Устройство отклонило команду");
    case CommandOutcome::Silent:
        return tr("Устройство не ответило");
    default:
        return QString();
    }
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
    // Flipped while another procedure of the page runs, the switch goes back.
    Procedure run(this);
    if (!run) {
        sw->setState(!sw->getState());
        return;
    }

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
    // The switch goes back; the typed value stays to be put right.
    if (refuseUnusableInput()) {
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
    sendConfig(run, false);
    // Left during the write, the read-back would go to whoever took the line.
    if (run.alive())
        emit signalRequestForGetCfgQFOnline();
}
