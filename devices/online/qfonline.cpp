// The online device page: construction, polling, connect and disconnect, the
// answer watchdog, the notices and the service placeholders.
#include "devices/online/qfonline.h"

#include "deruvivuriri_form.h"

#include "devices/online/hidbridges.h"
#include "devices/online/onlineprotocol.h"
#include "link/frame.h"
#include "link/ringbuffer.h"
#include "ui/infopopup.h"

#include <QDebug>
#include <QLabel>
#include <QTimer>

Q_LOGGING_CATEGORY(lcOnline, "reriruvozive.online", QtInfoMsg)

namespace {

// The unit's cable carries this HID-to-UART bridge.
constexpr quint16 kBridgeVendor = 0x10C4;
constexpr quint16 kBridgeProduct = 0xEA80;

} // namespace

QFOnline::QFOnline(Ui_Deruvivuriri *form, QSerialPort *port) : BaseDevice(form, port)
{
    // The count histories exist from the start, so that the answers work on
    // a page whose widgets were never built.
    for (size_t i = 0; i < ringBuffers.size(); ++i) {
        ringBuffers[i] = new RingBuffer(0, this);
        // The unit reports one sensor; the third place keeps no history.
        if (i < 2)
            ringBuffers[i]->initInts(kCountHistory);
    }
    infoPopup = new InfoPopup(this);
}

QFOnline::~QFOnline() = default;

Switch *QFOnline::getSwitch(int index) const
{
    return index >= 0 && index < kSwitches ? switches[size_t(index)] : nullptr;
}

int QFOnline::getStabilityState(int slot) const
{
    return slot >= 0 && slot < kSlots ? slotValues[size_t(slot)].stability : 0;
}

quint8 QFOnline::calc_crc8(char *inputData, int len)
{
    if (!inputData || len < 1)
        return 0;
    return frame::calc_crc8(reinterpret_cast<const uchar *>(inputData), len);
}

void QFOnline::pollTick()
{
    // The search has the line to itself.
    if (isSearchActive())
        return;
    switch (pollStep) {
    case 0:
        emit signalRequestForGetAllDataFromDevice();
        pollStep = 1;
        break;
    case 1:
        emit signalRequestForGetAllDataFromQFOnlineDevice();
        pollStep = 0;
        break;
    case 2:
        pollStep = 0;
        break;
    default:
        break;
    }
}

int QFOnline::readingRoundMs(int place) const
{
    Q_UNUSED(place)
    return 2 * pollTimer()->interval();
}

void QFOnline::watchdogRanOut()
{
    resetDeviceIsConnected();
}

void QFOnline::resetDeviceIsConnected()
{
    // A silent unit only loses its readings; polling goes on, and once the
    // unit answers again its next level answer shows the page whole.
    setWidgetsVisible(false);
    needUpdateWindow = true;
    forgetReadings();
}

void QFOnline::connectDevice()
{
    // Also reached at the end of a firmware update, possibly while already
    // connected; the timers are wired once, so each tick still sends one
    // request. No search: the unit is always number 1, for the main window's
    // frames and for the page's own.
    BaseDevice::connectDevice();
    if (ui) {
        ui->label_NeedCalibDUT->hide();
        ui->label_AlarmDUT->hide();
        ui->label_NaprNameQF260DUT->hide();
        ui->label_NaprValQF260DUT->hide();
    }
    netNumQueue = QByteArray(1, static_cast<char>(online::kNetNum));
    netNum = online::kNetNum;
    queueIndex = 0;
    emit copyQueueSurveyDevice(0);
    emit copyNetNumToParent(netNumQueue);
    needUpdateWindow = true;
    firstStatusPending = true;
}

void QFOnline::disconnectDevice()
{
    BaseDevice::disconnectDevice();
    setWidgetsVisible(false);
    qCDebug(lcOnline) << "disconnect QFOnline device";
    resetSettingToDefault();
}

void QFOnline::resetSettingToDefault()
{
    stopSearchDevices();
    setConnected(false);
    forgetReadings();
    notCalibrated = false;
    imei.clear();
    fullValue = 0;
    emptyValue = 0;
    netNum = 0;
    queueIndex = 0;
    channelWords.fill(0);
    workingMode = 0;
    workingModeKnown = false;
    needUpdateWindow = true;
    needUpdateCfgFields = true;
    // The next unit on this line may be another one: its settings must be
    // read before anything is written to it.
    configBlock = OnlineConfigBlock();
    configRead = false;

    netNumQueue.clear();
    emit copyNetNumToParent(netNumQueue);
    emit copyQueueSurveyDevice(0);

    setWidgetsVisible(false);
    if (ui) {
        ui->label_NeedCalibOnline->hide();
        ui->label_AlarmDUTOnline->hide();
        ui->label_StableOnline->setStyleSheet("QLabel {color : #E32323;font-size:18px;}");
        ui->label_StableOnline->setText(tr("Не стабилен"));
        ui->label_StableOnline->adjustSize();
    }
}

void QFOnline::cmdGetIMEIAndSIM()
{
    emit writeData(online::imeiRequest());
}

void QFOnline::setNewMode(uchar newMode)
{
    emit writeData(online::workingModeRequest(netNum, newMode));
}

void QFOnline::createDialogInfoUserForButtonClicked(QString message)
{
    infoPopup->show(message);
    // A notice of the session: one left over the page the user turned to
    // would tell of a device that is gone.
    keepBox(infoPopup->current());
}

void QFOnline::tellProcedureRunning()
{
    createDialogInfoUserForButtonClicked(tr("Дождитесь окончания текущей операции"));
}

void QFOnline::escapeCurSetting()
{
    // The unit keeps no second copy of its settings to go back to.
    showMessage(tr("Функция в разработке"), QString());
}

void QFOnline::setFactorySetting()
{
    escapeCurSetting();
}

void QFOnline::autoCalibrateFullEmptyQFOnline()
{
    // The unit has no calibration without fuel; Full and Empty are set from
    // its current level instead.
    escapeCurSetting();
}

QStringList QFOnline::findHidDevice(HidBridges *bridges)
{
    std::unique_ptr<HidBridges> platform;
    if (!bridges) {
        platform = createPlatformHidBridges();
        bridges = platform.get();
    }
    QStringList lines;
    const int n = bridges ? bridges->count(kBridgeVendor, kBridgeProduct) : 0;
    for (int i = 0; i < n; ++i) {
        const std::optional<QString> text = bridges->deviceString(i, kBridgeVendor, kBridgeProduct);
        if (!text)
            continue;
        lines << QStringLiteral("find hid device=") + *text;
        qDebug().noquote() << lines.last();
    }
    return lines;
}
