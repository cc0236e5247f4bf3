#include "devices/fls/flsdevice.h"

#include "deruvivuriri_form.h"

#include "devices/fls/flsprotocol.h"
#include "link/frame.h"
#include "link/ringbuffer.h"
#include "ui/switch.h"

#include <QDebug>
#include <QLabel>
#include <QTimer>

namespace {

// A lost sensor is asked once in this many polls.
constexpr int kPollsPerLostProbe = 5;
// A sensor whose serial answer was lost is asked again once in this many polls.
constexpr int kPollsPerSerialAsk = 2;
// The picked sensor answers its serial request within this time.
constexpr int kPickAnswerMs = 100;

} // namespace

FLSDevice::FLSDevice(Ui_Deruvivuriri *form, QSerialPort *port) : BaseDevice(form, port)
{
    // The count histories and the status lines exist from the start, so that
    // the lifecycle and the answers work on a page whose widgets were never
    // built; initUI only places the lines on the form.
    for (RingBuffer *&history : cntHistory) {
        history = new RingBuffer(0, this);
        history->initInts(kCountHistory);
    }
    createStatusLines(this, QString());
}

FLSDevice::~FLSDevice() = default;

void FLSDevice::setCurrentDeviceIndex(int index)
{
    currentDeviceIndex = index;
    if (!isFoundPlace(index))
        return;
    currentNetNum = quint8(foundNetNums.at(index));
    chosenNetNums = QByteArray(1, char(currentNetNum));
}

void FLSDevice::selectListed()
{
    int place = -1;
    for (int i = 0; i < chosenNetNums.size() && place < 0; ++i)
        place = foundNetNums.left(kMaxSensors).indexOf(chosenNetNums.at(i));
    if (place >= 0) {
        setCurrentDeviceIndex(place);
        return;
    }
    // A choice no longer listed is forgotten: the page goes on with the
    // first sensor, as its field says, and does not jump back to the chosen
    // one when it is listed again.
    chosenNetNums.clear();
    currentDeviceIndex = 0;
    currentNetNum = foundNetNums.isEmpty() ? 0 : quint8(foundNetNums.at(0));
}

void FLSDevice::showSelection()
{
    if (!ui || !isFoundPlace(currentDeviceIndex))
        return;
    ui->comboBox_NetNumDUT->setCurrentIndex(currentDeviceIndex);
    ui->lineEditNetNumDUT->setText(QString::number(currentNetNum));
}

void FLSDevice::pickSensor(int index)
{
    // A pick during a procedure would send its remaining frames to another
    // sensor than its first ones; a sensor past the polled ones has no
    // readings to show. It only reads: a sensor may be picked while the one
    // the page works with has not answered.
    Procedure run(this, Procedure::Kind::Reads);
    if (!run || !isFoundPlace(index)) {
        if (ui && isFoundPlace(currentDeviceIndex))
            ui->comboBox_NetNumDUT->setCurrentIndex(currentDeviceIndex);
        return;
    }
    setCurrentDeviceIndex(index);
    showSelection();
    // What is known of the picked sensor shows at once: its answers below
    // may be lost on the line, and the serial must never stay another's.
    showSelectedSerial();
    showPickedLevel();
    for (int i = 0; i < 2; ++i) {
        // The picked sensor itself is asked: the polling may be at another
        // sensor now.
        emit writeData(frame::request(currentNetNum, bus::kSerialAndFirmwareCommand));
        updateParamWidgets = true;
        if (!run.waitAndTake(kPickAnswerMs))
            return;
    }
    emit signalWriteLog("Change current net num");
}

bool FLSDevice::claimNetNum(Procedure &run, quint8 newNet)
{
    if (!netNumFree(run, newNet, dialogParent()))
        return false;
    chosenNetNums = QByteArray(1, char(newNet)) + char(selectedNetNum());
    return true;
}

void FLSDevice::connectDevice()
{
    if (ui) {
        ui->label_NeedCalibDUT->hide();
        ui->label_AlarmDUT->hide();
        ui->label_NaprNameQF260DUT->hide();
        ui->label_NaprValQF260DUT->hide();
    }
    sensorFound = false;
    sensorFound2 = false;
    forgetSensorValues();
    BaseDevice::connectDevice();
    updateParamWidgets = true;
}

void FLSDevice::forgetSensorValues()
{
    temperatures.fill(0);
    levelWords.fill(0);
    cntValues.fill(0);
    emptyValues.fill(0);
    fullValues.fill(0);
    configA.fill(0);
    configB.fill(0);
    configC.fill(0);
    stabilityGrades.fill(0);
    serialNumbers.fill(0);
    firmwareVersions.fill(0);
    cardLevelShown.fill(false);
    pickedLevelAwaited = false;
    for (RingBuffer *history : cntHistory)
        history->clear();
    level = 0;
    currentValue = 0;
    currentFirmware = 0;
    outputVoltage = 0.0f;
    setDefaultValuesToGuiField();
    if (!ui)
        return;
    for (QLabel *label : {ui->label_ListDevDUT, ui->label_TempValDUT, ui->label_86})
        label->clear();
    ui->comboBox_NetNumDUT->clear();
    ui->lineEditNetNumDUT->clear();
    ui->progressBarLevelDUT->setValue(0);
    ui->label_LockDUT->hide();
}

void FLSDevice::searchStarting()
{
    sensorFound = false;
    sensorFound2 = false;
}

void FLSDevice::pollTick()
{
    passUnansweredPoll();
    showSilentCards();
    // A sensor lost since an earlier search is asked now and then in place
    // of a poll: one that answers again is searched for and polled anew.
    if (!lostNetNums.isEmpty() && ++pollsSinceProbe % kPollsPerLostProbe == 0) {
        const int which = (pollsSinceProbe / kPollsPerLostProbe) % lostNetNums.size();
        emit writeData(frame::request(quint8(lostNetNums.at(which)), bus::kSerialAndFirmwareCommand));
        return;
    }
    if (askUnheardListed() || askLostSerial())
        return;
    BaseDevice::pollTick();
    pollAwaited = true;
    pollSent();
}

bool FLSDevice::askLostSerial()
{
    // A serial answer lost on the line (cut by a read, say) is asked again
    // in place of every other poll, in turn among the sensors still without
    // one: the page shows it and a calibration names its runs after it.
    QList<int> unknown;
    for (int i = 0; isFoundPlace(i); ++i) {
        if (!serialKnown[size_t(i)])
            unknown.append(i);
    }
    // A procedure asks what it needs itself, one question at a time.
    if (unknown.isEmpty() || isProcedureRunning() || ++pollsSinceSerialAsk % kPollsPerSerialAsk != 0)
        return false;
    const int place = unknown.at((pollsSinceSerialAsk / kPollsPerSerialAsk) % unknown.size());
    emit writeData(frame::request(quint8(foundNetNums.at(place)), bus::kSerialAndFirmwareCommand));
    return true;
}

void FLSDevice::passUnansweredPoll()
{
    // While a search runs the line carries its answer, and its list sets
    // polling anew.
    if (!pollAwaited || isSearchActive())
        return;
    // An answer already received is taken first: only a poll that brought
    // nothing is passed.
    emit signalCheckIncommingData();
    if (!pollAwaited || isSearchActive())
        return;
    pollNextSensor();
}

void FLSDevice::pollNextSensor()
{
    if (answerIndex <= 0)
        answerIndex = sensorFound || sensorFound2 ? 1 : 0;
    else if (answerIndex == 1)
        answerIndex = sensorFound2 ? 2 : 0;
    else
        answerIndex = 0;
    pollAwaited = false;
    emit copyQueueSurveyDevice(answerIndex);
}

int FLSDevice::readingRoundMs(int place) const
{
    Q_UNUSED(place)
    const int polled = sensorFound2 ? 3 : sensorFound ? 2 : 1;
    const int probes = lostNetNums.isEmpty() ? 0 : 1;
    return (polled + probes) * pollTimer()->interval();
}

void FLSDevice::watchdogRanOut()
{
    resetDeviceIsConnected();
}

int FLSDevice::setDefaultValuesToGuiField()
{
    if (!ui)
        return 1;
    const QString none = QStringLiteral("--");
    ui->label_ValCurrent->setText(none);
    ui->label_NaprValDUT->setText(none);
    ui->label_UrovenDUT->setText(none);
    ui->label_FreqValDUT->setText(none);
    ui->label_FirmwareVal->setText(none);
    ui->label_SerNumVal->setText(none);
    ui->label_FirmwareVal->adjustSize();
    ui->label_SerNumVal->adjustSize();
    return 1;
}

void FLSDevice::disconnectDevice()
{
    BaseDevice::disconnectDevice();
    setVisiblePageWidgets(false);
    qDebug() << "disconnect FLS device";
    resetSettingToDefault();
}

int FLSDevice::resetDeviceIsConnected()
{
    // Nothing answered for a whole watchdog period: back to searching. The
    // watchdog keeps running, so each silent period brings a fresh search.
    setVisiblePageWidgets(false);
    setConnected(false);
    showStatusMessageUp(tr(" "));
    showNoSensorHeard();
    sensorFound = false;
    sensorFound2 = false;
    answerIndex = 0;
    pollAwaited = false;
    // Whoever answers the search may be another sensor.
    forgetReadings();
    viewIconChangedParam(false);
    startSearchDevices();
    updateParamWidgets = true;
    if (ui) {
        if (ui->label_NeedCalibDUT->isEnabled())
            ui->label_NeedCalibDUT->hide();
        if (ui->label_AlarmDUT->isEnabled())
            ui->label_AlarmDUT->hide();
    }
    emit signalWriteLog("Device is not responding");
    return 1;
}

int FLSDevice::resetSettingToDefault()
{
    for (Switch *sw : {swAngle, swTermo, swEcoDrive, swSendSerNum, swInvers, swMaster}) {
        if (sw)
            sw->setState(false);
    }

    currentNetNum = 0;
    lastCommand = 0xFF;
    updateParamWidgets = true;
    paramChanged = false;
    stateSwAngle = false;
    stateSwInvers = false;
    stateSwLiterPercent = false;
    stateSwMaster = false;
    setSearchActive(false);
    notCalibrated = false;
    emptyValue = 0;
    fullValue = 0;
    range1023 = false;
    range4095 = false;
    rangeChangedTo4095 = false;
    rangeChangedTo1023 = false;
    setConnected(false);
    passwordEntered = false;
    storedPassword = 0;
    sensorFound = false;
    sensorFound2 = false;
    answerIndex = 0;
    pollAwaited = false;

    foundNetNums.clear();
    lostNetNums.clear();
    serialKnown.fill(false);
    forgetReadings();
    sensorModels.fill(static_cast<int>(fls::Model::Unknown));
    emit copyNetNumToParent(foundNetNums);
    emit copyQueueSurveyDevice(answerIndex);

    setVisiblePageWidgets(false);
    if (ui) {
        ui->label_NeedCalibDUT->hide();
        ui->label_AlarmDUT->hide();
        ui->label_StableDUT->setText(tr("Не стабилен"));
        ui->label_StableDUT->adjustSize();
        ui->label_StableDUT->setStyleSheet("QLabel {color : #E32323;font-size:18px;}");
    }
    return 1;
}

void FLSDevice::writeLogFile()
{
    // A selection beyond the three polled sensors has no readings: zeros.
    qint32 cnt = 0;
    quint16 levelWord = 0;
    qint8 temperature = 0;
    if (currentDeviceIndex >= 0 && currentDeviceIndex < kMaxSensors) {
        const auto i = size_t(currentDeviceIndex);
        cnt = cntValues[i];
        levelWord = levelWords[i];
        temperature = temperatures[i];
    }
    emit signalWriteLog(QString("Current=%1 ,Level=%2 ,Temperature=%3").arg(cnt).arg(levelWord).arg(int(temperature)));
}

void FLSDevice::setConfigSlaveQF470(int config)
{
    qDebug() << "config = " << config;
}

void FLSDevice::setPeriodSendingSlaveASCiiQF470(int newPeriod)
{
    qDebug() << "newPeriod = " << newPeriod;
}

quint8 FLSDevice::indexOfNetNum(quint8 netNum) const
{
    // A place past the end of the list counts as network number 0.
    auto found = [this](int i) { return i < foundNetNums.size() ? quint8(foundNetNums.at(i)) : quint8(0); };
    if (found(0) == netNum)
        return 0;
    if (found(1) == netNum)
        return 1;
    if (found(2) == netNum)
        return 2;
    return 1;
}

quint8 FLSDevice::calc_crc8(const uchar *data, int len) const
{
    if (!data || len <= 0)
        return 0;
    return frame::calc_crc8(data, len);
}
