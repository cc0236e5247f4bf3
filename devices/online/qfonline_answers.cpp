// Answer intake of the online device page: the search, the frame check and
// the handlers of the unit's answers.
#include "devices/online/qfonline.h"

#include "deruvivuriri_form.h"

#include "devices/answerkinds.h"
#include "devices/fls/flsprotocol.h"
#include "devices/online/onlineprotocol.h"
#include "link/frame.h"
#include "link/ringbuffer.h"
#include "ui/switch.h"
#include "ui/widgettar.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QProgressBar>

namespace {

constexpr int kFaultIconSize = 18;
constexpr int kFaultIconGap = 4;
constexpr int kFaultIconDrop = 3;
constexpr int kRs485Tab = 2;

QString fromFls(const char *text)
{
    return QCoreApplication::translate("FLSDevice", text);
}

} // namespace

int QFOnline::run(int len, char *buf)
{
    qCDebug(lcOnline) << "answer" << (buf && len > 0 ? QByteArray(buf, len) : QByteArray()).toHex(' ');
    return BaseDevice::run(len, buf);
}

QList<QByteArray> QFOnline::splitChunk(const QByteArray &chunk) const
{
    // Answers of requests sent close together (a write, the poll tick after
    // it, the read-back) may arrive in one chunk; each is handled on its own.
    return online::splitAnswers(chunk);
}

void QFOnline::takeSearchAnswer(const QByteArray &chunk)
{
    if (!online::endsSearch(chunk))
        return;
    // Whatever answered, the unit is number 1.
    netNumQueue = QByteArray(1, static_cast<char>(online::kNetNum));
    stopSearchDevices();
    cmdGetIMEIAndSIM();
    netNum = online::kNetNum;
    queueIndex = 0;
    emit copyQueueSurveyDevice(0);
    emit copyNetNumToParent(netNumQueue);
}

int QFOnline::answeringSlot() const
{
    return qBound(0, queueIndex, kSlots - 1);
}

BaseDevice::AnswerKind QFOnline::answerKind(const QByteArray &answer) const
{
    if (online::isUnitAnswer(answer))
        return AnswerKind::Own;
    return answerkinds::ofData(answer);
}

void QFOnline::takeFrame(const QByteArray &frame)
{
    if (!online::isAccepted(frame))
        return;
    const quint8 address = *frame::readU8(frame, 1);
    const quint8 command = *frame::readU8(frame, 2);
    const quint8 polled =
        queueIndex >= 0 && queueIndex < netNumQueue.size() ? static_cast<quint8>(netNumQueue.at(queueIndex)) : 0;
    if (address != polled && address != online::kUnitAddress)
        return;
    // An answer cut short would have its handler read beyond it.
    if (frame.size() < online::minimumAnswerLength(command))
        return;

    cmdToReturn = command;
    switch (command) {
    case online::kStatusCommand:
        handleStatus(frame);
        break;
    case online::kConfigReadCommand:
        handleConfig(frame);
        break;
    case online::kImeiCommand:
        handleImei(frame);
        break;
    case online::kLevelCommand:
        // A wired sensor at the unit's number answers the level request in
        // its own family's form: its level is none of the unit's.
        if (online::isUnitLevel(frame))
            handleLevel(frame);
        break;
    case online::kPasswordRefusedCommand:
        // A command of the unit's refused for want of the password, or a
        // password refused.
        commandAnswer = command;
        handlePassword(command);
        break;
    case online::kSetPasswordCommand:
    case online::kEnterPasswordCommand:
        handlePassword(command);
        break;
    case online::kConfigWriteCommand:
    case online::kHorizonCommand:
    case online::kWorkingModeCommand:
    case online::kEngineOnCommand:
    case online::kEngineOffCommand:
        // The command waiting for it tells the user.
        commandAnswer = command;
        break;
    default:
        break;
    }
}

void QFOnline::handleStatus(const QByteArray &frame)
{
    const std::optional<online::Status> s = online::decodeStatus(frame);
    if (!s)
        return;
    if (firstStatusPending) {
        firstStatusPending = false;
        emit signalWriteLog("QFOnline connected");
    }
    setConnected(true);
    channelWords = s->channels;
    if (!ui)
        return;
    ui->progressBarLevelOnline->setValue(s->channels[0]);
    ui->label_34->setText(online::voltageText(s->voltage));
    ui->label_26->setText(QString::number(s->gps));
    ui->label_32->setText(QString::number(s->traffic));
    ui->label_28->setText(QString::number(s->quality));
    for (QLabel *label : {ui->label_34, ui->label_26, ui->label_32, ui->label_28})
        label->adjustSize();
    if (const char *text = online::modemStateText(s->modemState))
        ui->label_StatusQFOnline->setText(tr(text));
    // The state texts take two lines.
    ui->label_StatusQFOnline->setWordWrap(true);
    ui->label_StatusQFOnline->adjustSize();
}

void QFOnline::handleConfig(const QByteArray &frame)
{
    if (!needUpdateCfgFields)
        return;
    const std::optional<online::ConfigAnswer> answer = online::decodeConfig(frame);
    if (!answer || !configBlock.assign(answer->block))
        return;
    configRead = true;
    Slot &slot = slotValues[size_t(answeringSlot())];
    slot.firmware = answer->firmware;
    slot.serial = answer->serial;
    if (ui && answeringSlot() == shownSlot) {
        ui->label_FirmwareVal->setText(QString::number(slot.firmware));
        ui->label_SerNumVal->setText(QString::number(slot.serial));
        ui->label_FirmwareVal->adjustSize();
        ui->label_SerNumVal->adjustSize();
    }
    showConfigFields();
    needUpdateCfgFields = false;
    // The RS485 tab has no field the message could be about; it waits for a
    // read made on another tab.
    if (showCfgReadMessage && ui && ui->tabWidgetQFOnline->currentIndex() != kRs485Tab) {
        showCfgReadMessage = false;
        createDialogInfoUserForButtonClicked(tr("Настройки прочитаны"));
    }
}

void QFOnline::showConfigFields()
{
    if (!ui)
        return;
    using Text = OnlineConfigBlock::Text;
    const std::array<QLineEdit *, 4> addresses = addressFields();
    QLabel *const values[] = {ui->label_50, ui->label_51, ui->label_52, ui->label_53};
    // The fields show the block's addresses again.
    addressUnusable.fill(false);
    periodUnusable = false;
    for (int i = 0; i < 4; ++i) {
        const bool on = configBlock.mode(i) & OnlineConfigBlock::kDeviceOnBit;
        // The switch shows what the unit keeps, also when a change of it was
        // refused or lost.
        if (Switch *sw = switches[size_t(i)])
            sw->setState(on);
        if (on) {
            addresses[i]->setText(QString::number(configBlock.address(i)));
            values[i]->setText(QString::number(channelWords[size_t(i)]));
        } else {
            addresses[i]->clear();
            values[i]->setText(QStringLiteral("--"));
        }
    }
    const quint8 firstMode = configBlock.mode(0);
    if (Switch *sw = switches[Egts])
        sw->setState(firstMode & OnlineConfigBlock::kEgtsBit);
    if (Switch *sw = switches[Udp])
        sw->setState(firstMode & OnlineConfigBlock::kUdpBit);
    ui->lineEditOnlinePeriodSend->setText(QString::number(configBlock.period()));

    for (const TextField &field : textFields())
        field.edit->setText(configBlock.text(field.text));

    const int item = online::operatorOfConfig(configBlock.text(Text::Apn), configBlock.text(Text::ApnUser));
    if (item < ui->comboBoxChooseOperator->count())
        ui->comboBoxChooseOperator->setCurrentIndex(item);
}

void QFOnline::handleImei(const QByteArray &frame)
{
    const std::optional<QString> answer = online::decodeImei(frame);
    if (!answer)
        return;
    imei = *answer;
    openedSensors.identified(0, imei);
    if (!ui)
        return;
    ui->label_24->setText(imei);
    ui->label_24->adjustSize();
}

void QFOnline::handleLevel(const QByteArray &frame)
{
    const std::optional<online::Level> l = online::decodeLevel(frame);
    if (!l)
        return;
    resetTimerDeviceConnected();
    stampReading(0);

    const int answering = answeringSlot();
    Slot &slot = slotValues[size_t(answering)];
    slot.temperature = l->temperature;
    slot.level = l->level;
    slot.count = l->count;
    slot.empty = l->empty;
    slot.full = l->full;
    const Slot &shown = slotValues[size_t(shownSlot)];
    emptyValue = shown.empty;
    fullValue = shown.full;
    cntAutoCalib = shown.count;
    workingMode = l->workingMode;
    workingModeKnown = true;

    if (ui) {
        if (needUpdateWindow) {
            ui->label_39->adjustSize();
            ui->label_40->adjustSize();
            ui->line_2->resize(ui->label_39->width(), ui->line_2->height());
            ui->line_3->resize(ui->label_40->width(), ui->line_3->height());
            setWidgetsVisible(true);
            if (Switch *sw = switches[WorkingMode])
                sw->setState(workingMode & online::kWorkingModeSwitchBit);
            needUpdateWindow = false;
        }
        ui->label_18DUTOnline->setText(QString::number(shown.full));
        ui->label_17DUTOnline->setText(QString::number(shown.empty));
        ui->label_ValCurrent_3->setText(QString::number(shown.count));
        ui->label_UrovenDUTOnline->setText(QString::number(slot.level));
        ui->label_TempValDUT->setText(QString::number(shown.temperature) + QStringLiteral("°C"));
        ui->label_TempNameDUT->setVisible(true);
        ui->label_TempValDUT->setVisible(true);
    }
    if (widgetTar1)
        widgetTar1->setLabel2Text(QString::number(shown.level));
    // A tank calibration on this page records the level its card shows.
    emit copyLevelValueToMain(shown.level, 0);

    showStability(answering, shownSlot);
    showCalibration(answering, shownSlot);

    emit signalWriteLog(QString("NetNum=%1, Empty=%2, Full=%3, Current=%4, Level=%5, Temperature=%6")
                            .arg(netNum)
                            .arg(shown.empty)
                            .arg(shown.full)
                            .arg(shown.count)
                            .arg(shown.level)
                            .arg(int(shown.temperature)));
}

void QFOnline::showStability(int answering, int shown)
{
    Slot &slot = slotValues[size_t(answering)];
    RingBuffer *history = ringBuffers[size_t(answering)];
    const int count = slot.count;
    history->writeInts(&count, 1);
    RingBuffer *shownHistory = ringBuffers[size_t(shown)];
    if (shownHistory->count() == kCountHistory) {
        const int mean = int(shownHistory->average());
        slot.stability = fls::stabilityGrade(mean, slotValues[size_t(shown)].count, slot.stability);
        // The history keeps the last seven until the next count arrives.
        int oldest = 0;
        history->readInts(&oldest, 1);
    }

    const quint16 levelWord = slotValues[size_t(shown)].level;
    levelFaultCode = levelWord;
    if (const char *fault = fls::levelAlarmText(levelWord)) {
        showLevelFault(levelWord, fault);
        return;
    }
    if (levelFaultIcon)
        levelFaultIcon->hide();
    const char *colour = fls::stabilityColour(slot.stability);
    const char *text = fls::stabilityText(slot.stability);
    if (!colour || !text)
        return;
    if (answering == shown && ui) {
        setColorLabelLevel(colour);
        ui->label_StableOnline->setText(fromFls(text));
        ui->label_StableOnline->adjustSize();
    }
    if (answering == 0 && widgetTar1) {
        widgetTar1->setLabel4Text(fromFls(text));
        QPalette palette = widgetTar1->palette();
        palette.setColor(QPalette::All, QPalette::Window, QColor(colour));
        widgetTar1->setPalette(palette);
        widgetTar1->setAutoFillBackground(true);
    }
}

void QFOnline::showLevelFault(quint16 levelWord, const char *text)
{
    setColorLabelLevel(kAlarmColour);
    if (!ui)
        return;
    QLabel *stable = ui->label_StableOnline;
    stable->setText(fromFls(text));
    stable->adjustSize();
    if (!levelFaultIcon)
        return;
    const int drop = levelWord == fls::kLevelBrokenTube ? kFaultIconDrop : -kFaultIconDrop;
    levelFaultIcon->setGeometry(stable->geometry().right() + kFaultIconGap, stable->y() + drop, kFaultIconSize,
                                kFaultIconSize);
    levelFaultIcon->setMaximumSize(kFaultIconSize, kFaultIconSize);
    levelFaultIcon->show();
}

void QFOnline::showCalibration(int answering, int shown)
{
    const Slot &s = slotValues[size_t(shown)];
    notCalibrated = fls::isNotCalibrated(s.count, s.empty, s.full);
    if (ui) {
        ui->label_NeedCalibOnline->setVisible(notCalibrated);
        ui->label_AlarmDUTOnline->setVisible(notCalibrated);
    }
    if (answering == 0 && widgetTar1)
        widgetTar1->setLabel3Text(notCalibrated ? tr("Не калиброван") : tr("Калиброван"));
}

void QFOnline::handlePassword(quint8 command)
{
    outcomeSaid(command == online::kPasswordRefusedCommand ? Outcome::Refused : Outcome::Taken);
    showLock(command == online::kPasswordRefusedCommand);
}
