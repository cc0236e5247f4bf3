#ifndef BLEDEVICE_H
#define BLEDEVICE_H

#include "devices/base/basedevice.h"
#include "devices/base/passwordquestion.h"
#include "link/openedsensors.h"

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QString>

#include <array>
#include <optional>

class BLEAdwModel;
class BLEAdwView;
class MyItemDelegateForCell;
class QDialog;
class QLabel;
class QScrollArea;
class QStandardItemModel;
class QTableView;
class QTimer;
class RingBuffer;
class SecurityBLE;
class WidgetTar;

namespace ble {
struct Data;
}

// The linked wireless sensor's settings as the page last read them: the
// parameter write starts from a copy.
struct BleSensorParams
{
    std::array<quint8, 5> settings{}; // 0: mode byte, 2 and 4: filter byte
    QString text;
    quint8 extra = 0;
    int value1 = 0;
    int value2 = 0;
};

// Page of the USB BLE base and the wireless sensors it relays: either the one
// fuel sensor linked to the base, polled at the base's address, or up to four
// sensors from the base's advertising list. It drives the main window's form
// and shares its serial port (not owned). The base reports the outcome of
// every command relayed to the sensor as a status code in its next data
// answers; the page shows, logs and records each outcome.
//
// The USB base answers at a fixed address, so a connection polls it at once
// and the bus is searched only for a command of the page; the session and its
// timers are BaseDevice's, those of the command messages and the update
// countdown the page's. Its reading places (hasCurrentReading()): place 0 is
// the linked sensor; in the advertising mode a place is a slot of the list
// (0..3).
class BLEDevice : public BaseDevice
{
    Q_OBJECT
public:
    // What the main window asks of the active page.
    bool settingsEdited() const override { return getSettingsChanged(); }
    void discardEdits() override { escapeCurSetting(); }
    void loadFactorySettings() override { setFactorySetting(); }
    // The base's address, or the advertising list's, as the session talks to.
    quint8 writeNetNum() const override { return quint8(currentNetNum); }
    // The advertising list polls on a session of its own. Left, the page
    // no longer speaks for the base: opening the port for another device
    // must not report it as lost.
    void switchOff() override
    {
        disconnectDevice();
        disconnectDeviceAdvert();
        setConnected(false);
    }

    // Per-sensor stores: the base relays at most three sensors in turn.
    static constexpr int kSensors = 3;
    static constexpr int kAdvertSlots = 4;
    // The advertising list is long and the base sends it slowly.
    static constexpr int kCheckIntervalAdvertMs = 600;
    static constexpr int kStatusMessageMs = 5000;
    // Raw values averaged for the stability judgement.
    static constexpr int kStabilityWindow = 8;
    // Seconds the phone's updater has once the sensor restarted into its update mode.
    static constexpr int kUpdateCountdownSeconds = 30;

    BLEDevice(Ui_Deruvivuriri *form, QSerialPort *port);
    ~BLEDevice() override;

    // Gets everything the receive buffer held: any number of frames or part
    // of one. Returns the page's current command.
    int run(int len, char *buf) override;

    quint8 calc_crc8(const char *data, int length) const;

    // Accessors.
    int getCurrentCommand() const { return currentCommand; }
    void setCurrentCommand(unsigned char command) { currentCommand = command; }
    int getLastReplyCommand() const { return lastReplyCommand; }
    void setLastReplyCommand(const int &value) { lastReplyCommand = value; }
    bool isNeedCalibration() const { return needCalibration; }
    void setNeedCalibration(bool value) { needCalibration = value; }
    bool isAdvertMode() const { return advertMode; }
    void setAdvertMode(bool value) { advertMode = value; }
    bool isFirstConnectingDeviceAdwert() const { return firstConnectingDeviceAdwert; }
    void setFirstConnectingDeviceAdwert(bool value);
    bool isNeedUpdateWindow() const { return needUpdateWindow; }
    void setNeedUpdateWindow(bool value) { needUpdateWindow = value; }
    bool isFirstDataRequest() const { return deviceIsConnectedJustNow; }
    void setFirstDataRequest(bool value) { deviceIsConnectedJustNow = value; }
    bool isWaitingReply() const { return waitingReply; }
    void setWaitingReply(bool value) { waitingReply = value; }
    bool isParamsAcknowledged() const { return paramsAcknowledged; }
    void setParamsAcknowledged(bool value) { paramsAcknowledged = value; }
    bool isModeSet() const { return modeSet; }
    void setModeSet(bool value) { modeSet = value; }
    bool getSettingsChanged() const { return settingsChanged; }
    void setSettingsChanged(bool value) { settingsChanged = value; }
    uchar getFoundNetNum() const { return foundNetNum; }
    void setFoundNetNum(const uchar &value) { foundNetNum = value; }
    bool isRange1023() const { return range1023; }
    void setRange1023(bool value) { range1023 = value; }
    bool isRange4095() const { return range4095; }
    void setRange4095(bool value) { range4095 = value; }
    bool isRangeChangeTo1023() const { return rangeChangeTo1023; }
    void setRangeChangeTo1023(bool value) { rangeChangeTo1023 = value; }
    bool isRangeChangeTo4095() const { return rangeChangeTo4095; }
    void setRangeChangeTo4095(bool value) { rangeChangeTo4095 = value; }
    quint32 getCurrentValue() const { return currentValue; }
    quint32 getEmptyValue() const { return emptyVal; }
    void setEmptyValue(quint32 value) { emptyVal = value; }
    quint32 getFullValue() const { return fullValue; }
    void setFullValue(quint32 value) { fullValue = value; }
    ushort getLevelFaultCode() const { return levelFaultCode; }
    QLabel *getLevelFaultIcon() const { return levelFaultIcon; }
    BleSensorParams getParamsBLE() const { return paramsBLE; }
    void setParamsBLE(const BleSensorParams &value) { paramsBLE = value; }
    bool isPasswordProtected() const { return protection.is(SensorProtection::State::Protected); }
    SecurityBLE *getSecurityDialog() const { return securityDialog; }
    void setSecurityDialog(SecurityBLE *dialog) { securityDialog = dialog; }
    bool isAutoCalibrateAllMode() const { return autoCalibrateAllMode; }
    void setAutoCalibrateAllMode(bool value) { autoCalibrateAllMode = value; }
    int getNeedUpdateFullValAutocalib() const { return needUpdateFullValAutocalib; }
    void setNeedUpdateFullValAutocalib(int value) { needUpdateFullValAutocalib = value; }
    int getNeedUpdateEmptyValAutocalib() const { return needUpdateEmptyValAutocalib; }
    void setNeedUpdateEmptyValAutocalib(int value) { needUpdateEmptyValAutocalib = value; }
    int getTarSessionValue() const { return tarSessionValue; }
    // Serial number of the sensor the page shows; 0 until it was read.
    qint32 getSensorSerial() const { return sensors[size_t(shownSensor)].serial; }
    // The shown sensor's serial has come since the page connected: another
    // sensor relayed before has not left its serial behind.
    bool isSensorSerialKnown() const { return sensors[size_t(shownSensor)].serialKnown; }
    // Asks the shown sensor's serial until it comes, for up to `ms`, in
    // `run`; false when the page was left meanwhile.
    bool waitForSensorSerial(BaseDevice::Procedure &run, int ms);
    // A reading of the sensor linked now came: values worked out from the
    // page's readings belong to it. Without one the user is told to wait for
    // it, and false returned.
    bool requireSensorReadings();
    // Full or Empty taken by the sensor from its present level, inside
    // `run`; false when the page was left or the sensor has not reported
    // yet (the user is told).
    bool sendLevelFromCurrent(BaseDevice::Procedure &run, bool full);
    // Empty and Full typed by the user, to the linked sensor inside `run`:
    // each awaited as the base's next report. False when the page was left
    // meanwhile: nothing more is sent.
    bool writeLevels(BaseDevice::Procedure &run, qint32 empty, qint32 full);
    WidgetTar *getWidgetTar1() const { return widgetTar1; }
    WidgetTar *getWidgetTar2() const { return widgetTar2; }
    WidgetTar *getWidgetTar3() const { return widgetTar3; }
    WidgetTar *getWidgetTar4() const { return widgetTar4; }
    QTableView *getTarTableView() const { return tarTableView; }
    QStandardItemModel *getTarModel() const { return tarModel; }
    MyItemDelegateForCell *getItemDelegate() const { return itemDelegate; }
    BLEAdwModel *getAdwModel1() const { return adwModel1; }
    BLEAdwModel *getAdwModel2() const { return adwModel2; }
    BLEAdwModel *getAdwModel3() const { return adwModel3; }
    BLEAdwModel *getAdwModel4() const { return adwModel4; }
    BLEAdwView *getAdwView1() const { return adwView1; }
    BLEAdwView *getAdwView2() const { return adwView2; }
    BLEAdwView *getAdwView3() const { return adwView3; }
    BLEAdwView *getAdwView4() const { return adwView4; }
    // The advertising slot of index 0..3: its card and its model; null outside.
    BLEAdwView *cardOf(int slot) const;
    BLEAdwModel *modelOf(int slot) const;
    // The base took the last configuration / the last name and password.
    bool isConfigAccepted() const { return changeSlaveStateSuccessfully; }
    bool isNameAccepted() const { return changeNameSlaveSuccessfully; }
    // Only acknowledgements that arrive after this count for the next command.
    void forgetAcknowledgements()
    {
        changeSlaveStateSuccessfully = false;
        changeNameSlaveSuccessfully = false;
    }
    QDialog *getLinkDialog() const;
    QDialog *getConnectDialog() const { return connectDialog; }
    void setConnectDialog(QDialog *dialog) { connectDialog = dialog; }

    // The password the linked sensor last accepted in this session (entered,
    // or newly set); the writes present it first. Nothing while none is known.
    std::optional<quint32> getAcceptedPassword() const { return acceptedPassword; }
    // Stability state of a sensor: 0 not judged yet, 1 unstable, 2 unsteady, 3 stable.
    int getStability(int sensor) const;
    // The next command status the base reports is taken as this command's
    // outcome, even when it equals the last one reported.
    void awaitCommandOutcome();

public slots:
    // Construction, wiring and the device button.
    bool initUI();
    void initIcons();
    void changeIconBtnConnectDevice(QString state, bool darkTheme);

    // Connection, in the ordinary or the advertising mode.
    void connectDevice() override;
    void disconnectDevice() override;
    void connectDeviceAdvert();
    void disconnectDeviceAdvert();
    bool resetDeviceIsConnected();
    int CompareNetNum(int netnum);
    void initConnectionNewDevice();
    bool resetSettingToDefault();

    // Status lines, widgets and look.
    bool initStatusMessage();
    void setEnableShowMainStatusMsgBLE();
    void setStatusCurCmdBLE();
    bool showUI(bool visible);
    void setColorLabelLevel(QString color);
    bool viewIconChangedParam(bool isNeed);
    bool hideBirds();
    bool checkDarkTheme();
    void updateTimerFwBLE();
    bool setUIID();
    void setMACAddressDevice();
    void setDefaultMACAddressDevice();
    bool setCurLevel(ushort current, int device);
    void writeLogFile();

    // Advertising list mapping.
    void mappingDataToAdwertDevices(const char *buf);
    bool mappingDataToAdwertDevicesOld(const char *buf);
    BLEAdwModel *getModelByNetNum(int netNum);
    bool compareTwoMass(const char *mass1, const char *mass2, int dimens);

    // Commands to the linked sensor.
    bool sendClearPasswordCmd();
    // Password frame to the linked sensor (0xE8 present, 0xE9 set, 0xF8
    // enter before a write), a step of `run`, which holds the line for its
    // answer until it lets it go or ends; 0xE8 and 0xE9 wait for the answer
    // of an earlier one first. False when the page was left (before or during
    // a wait): the caller goes no further.
    bool sendPass(BaseDevice::Procedure &run, int pass, uchar cmd);
    // The link ID for the sensor of this serial number, a step of the new
    // sensor dialog's `run`; false when the number was refused or the page
    // left.
    bool changeUiidBle(BaseDevice::Procedure &run, const QString &serialNum);
    // Called by name by the wireless password dialog's buttons.
    bool inputPassBLE();
    bool setPassBLE();
    bool delPassBLE();
    // Computes and writes the linked sensor's Empty and Full counts, inside
    // `run`.
    void autoCalibrateFullEmptyBLE(BaseDevice::Procedure &run);

    // Commands to an advertising slot (bledevice_advert.cpp).
    bool changeParamsSendTH(int index, int indexWidget);
    bool changeNetNumAdwertDevice(int curDeviceWidget);
    bool enableDopParamAdwert(int curDeviceWidget, bool enableDev, bool enableDop);
    bool recieveStringFromDialog(QString data, int password, int curDeviceWidget);

    // The base's link ID (bledevice_link.cpp): the sensor it links to, and
    // its restart into its own update mode.
    void connectNewDevice();
    bool changeUiidBleForBaseReboot();
    void escapeCurSetting();
    void setFactorySetting();

signals:
    void signalRequestForGetAllDataFromDeviceAdvert();
    // This page reports its survey position under its own name.
    void signalCopyQueueSurveyDevice(int data);
    void errorConnectedToDeviceAdwert();
    void signalShowStatusMessageUp(QString message);
    void signalClearRxBuf();
    void signalFirstConnectingDeviceAdwert(bool value);
    void deviceIsConnectedToBase();
    void signalUpdateCNTForAutoCalib();
    void signalNewDeviceIsConnected();
    void signalUpdateFullValForAutocalib();
    void signalUpdateEmptyValForAutocalib();

protected:
    // Answer intake (bledevice_answers.cpp).
    void takeSearchAnswer(const QByteArray &chunk) override;
    void takeFrame(const QByteArray &frame) override;
    std::vector<int> answerLengths(quint8 command) const override;
    // The data request of the mode the page polls in.
    void pollTick() override;
    void watchdogRanOut() override;
    // What was asked in it is answered to none after it, and its message goes.
    void sessionEnded() override;
    // The base answers at a fixed address: a connection polls it at once.
    bool searchesTheBus() const override { return false; }
    // The base relays the sensors: each command asks what it needs.
    bool gatesOnItsDevice() const override { return false; }
    // Said where the user looks: in the dialog a procedure of the page runs
    // in, else on the lower status line until the running procedure ended,
    // shown for that time over the advertising cards too.
    void tellProcedureRunning() override;

private:
    // What the poll timer asks the base for: nothing while the page is not
    // connected, the linked sensor's data, or the advertising list.
    enum class Polling { None, Data, Advert };
    // The slow look at the line the advertising list needs.
    void checkAtAdvertPace();
    void takeAdvertChunk(const QByteArray &chunk);
    void startAdvertMode();
    // What an advertising session set up, undone for the next connection.
    void forgetAdvertSession();
    void handleParamAck(const QByteArray &frame);
    void handleSerialAndFirmware(const QByteArray &frame);
    void handleSerialAndFirmwareAdvert(const QByteArray &frame);
    void handleAdvertList(const QByteArray &frame);
    void handleConfigAccepted();
    void handleNameAccepted();
    // Advertising cards (bledevice_advert.cpp).
    void initAdvertCards();
    void showCardsForAdvertMode();
    void hideCards();
    void refreshCards();
    void refreshCard(BLEAdwView *card, BLEAdwModel *model, bool dark);
    // Waits for the base's answer to a configuration; true when it took it,
    // nothing when the page was left during the wait.
    std::optional<bool> checkAndWait(BaseDevice::Procedure &run);
    // Empty, its answer looked for once a second five times, then Full, each
    // taken as the base's next report; with `presentPassword`, the password
    // the sensor accepted goes before each. False when the page was left.
    bool writeEmptyThenFull(BaseDevice::Procedure &run, qint32 empty, qint32 full, bool presentPassword);
    // The accepted password before a write, if the sensor is protected; the
    // polls that bring the outcome go on after it. False when the page was
    // left during its wait.
    bool presentAcceptedPassword(BaseDevice::Procedure &run);
    // Frees a slot: the empty name to its sensor, then a fresh list. False
    // when the page was left during a wait.
    bool sendFreeSlotName(BaseDevice::Procedure &run, quint8 address);
    // The base configuration for one slot, a step of `run` (the watchdog
    // is the caller's); true when the base took it.
    bool configureSlot(BaseDevice::Procedure &run, int curDeviceWidget, bool enableDev, bool enableDop);
    // A box over the page while the watchdog waits; false when the page was
    // left while it was up.
    bool tellWithWatchdogHeld(BaseDevice::Procedure &run, const QString &text);
    // Points the main window's requests at the page's own address again
    // after a search emptied its list.
    void restoreSurveyAddress();
    // Sends a request for a slot's sensor and looks for the base after it;
    // false when the page was left (before or during its wait).
    bool sendSlotCommand(BaseDevice::Procedure &run, const QByteArray &request);
    void enableCalibrationForListedSensors();
    void storeIdentity(const QByteArray &frame);
    // Any answer of the base proves it is there, in a session or not.
    void markAnswered();
    // Network number every ordinary answer must carry; nothing while the list is empty.
    std::optional<quint8> expectedNetNum() const;
    // The current slot when it indexes the per-sensor stores; nothing otherwise.
    std::optional<int> storeSlot() const;
    WidgetTar *widgetTarOf(int sensor) const;

    // Data answer, status codes and display (bledevice_data.cpp).
    void handleData(const QByteArray &frame);
    void refuseWrongKind();
    void storeData(int slot, const ble::Data &data);
    void stepAutoCalibration();
    void handleStatus(quint8 code);
    void handleLinkReport();
    // The shown sensor's values give way to dashes: no sensor is linked.
    void showNoSensor();
    // Another sensor is linked: nothing of the one before stays, and its
    // first answer is awaited as after a connection.
    void forgetSensor();
    // The refusal of a second start gives way to what the lower line said
    // before, once nothing runs any more.
    void endRefusal();
    // What the linked sensor answered a password frame, or that it did not.
    void passwordAnswered(int what, int code, bool late);
    void passwordUnanswered(int what, bool unsettled);
    void handleRebooted();
    void showCommandMessage(const QString &text);
    void showData(int slot);
    void showStability(int slot);
    void showLevel(int slot);
    void showCalibration(int slot);
    void refreshWindow();
    void logConnection();
    // The probe while it is pending, unless the linked sensor was opened
    // here (it then counts as protected) or its serial is to come first.
    void probeUnlessOpened();
    // The lock beside the sensor's readings, shown closed or open.
    void showLock(bool locked);
    QLabel *lockLabel() const override;
    // The shown sensor's serial as the sensors opened here are kept by;
    // empty while it has not come.
    QString shownSensorIdentity() const;
    // The shown sensor, by its serial and its slot.
    OpenedSensors::Sensor shownOpenedSensor() const { return {shownSensorIdentity(), shownSensor}; }

    // Commands (bledevice_commands.cpp).
    // The typed password of the open dialog; nothing (and the user told
    // why) when the dialog is gone or the text is no password.
    std::optional<quint32> typedPassword(bool newPasswordField);
    // A password frame with `pass` is about to go to the linked sensor.
    void passwordGoesOut(quint32 pass);
    // The password frame of a press of the password dialog, on its turn:
    // waiting for the answer of the one before (the waiting text shows), and
    // refused while the sensor does not answer. False when it did not go.
    bool askPassword(BaseDevice::Procedure &run, int what, uchar cmd, quint32 pass);
    void startCountdown();

    QWidget *statusParent() const;

    Polling polling = Polling::None;

    // The page's own timers: how long a command's message stays.
    QTimer *timerStatusMsg = nullptr;
    QTimer *countdownTimer = nullptr; // only while the update countdown runs
    std::array<RingBuffer *, kSensors> smoothingBuffers{};

    // Objects on the form.
    QFont fontValue;
    QLabel *levelFaultIcon = nullptr;
    WidgetTar *widgetTar1 = nullptr;
    WidgetTar *widgetTar2 = nullptr;
    WidgetTar *widgetTar3 = nullptr;
    WidgetTar *widgetTar4 = nullptr;
    QTableView *tarTableView = nullptr;
    QStandardItemModel *tarModel = nullptr;
    MyItemDelegateForCell *itemDelegate = nullptr;
    QScrollArea *adwScrollArea = nullptr;
    QWidget *adwScrollContent = nullptr;
    QPixmap pixTemp, pixAlarm, pixLock, pixUnlock, pixQuest;
    QPointer<QDialog> wrongKindMessage;

    // Advertising slots; slot 1 is the sensor linked to the base.
    BLEAdwModel *adwModel1 = nullptr;
    BLEAdwModel *adwModel2 = nullptr;
    BLEAdwModel *adwModel3 = nullptr;
    BLEAdwModel *adwModel4 = nullptr;
    QList<BLEAdwModel *> listAdwModel;
    BLEAdwView *adwView1 = nullptr;
    BLEAdwView *adwView2 = nullptr;
    BLEAdwView *adwView3 = nullptr;
    BLEAdwView *adwView4 = nullptr;
    QList<BLEAdwView *> listAdwView;
    QPointer<QDialog> linkDialog; // the link ID dialog while it is open
    bool cardsDue = false;        // the cards went with a silent base; its next list shows them

    QDialog *connectDialog = nullptr;
    SecurityBLE *securityDialog = nullptr; // not owned

    // Link and command state.
    int currentCommand = 0xFF; // 0xFF: idle or searching
    int lastReplyCommand = 0;
    bool needCalibration = false;
    bool advertMode = false;
    bool firstConnectingDeviceAdwert = false;
    bool waitNewDeviceConnect = true;
    bool needUpdateWindow = true;
    bool deviceIsConnectedJustNow = true;
    bool waitingReply = false;
    bool paramsAcknowledged = false;
    bool modeSet = false;
    bool settingsChanged = false;
    uchar foundNetNum = 0;
    QByteArray netNumDevice;
    int currentNetNum = 0;
    int currentSlot = 0;
    const int shownSensor = 0; // the page shows the first sensor

    bool range1023 = false;
    bool range4095 = false;
    bool rangeChangeTo1023 = false;
    bool rangeChangeTo4095 = false;

    // Decoded values.
    quint32 currentValue = 0;
    quint32 emptyVal = 0;
    quint32 fullValue = 0;
    ushort levelFaultCode = 0;
    BleSensorParams paramsBLE;
    struct Sensor
    {
        qint8 temperature = 0;
        quint16 level = 0;
        quint32 current = 0;
        quint32 empty = 0;
        quint32 full = 0;
        quint8 mode = 0;
        quint8 filter = 0;
        quint16 firmwareByte = 0;
        qint16 rssi = 0;
        qint8 battery = 0;
        qint32 serial = 0;
        bool serialKnown = false;
        quint16 firmware = 0;
        int stability = 0;
        quint16 levelCopy = 0;
    };
    std::array<Sensor, kSensors> sensors{};
    quint16 pageFirmware = 0;
    QByteArray sensorAddress = QByteArray(6, '\0');
    QByteArray storedUuid = QByteArray(6, '\0');
    bool kindAccepted = false;
    bool linkValid = false;
    bool cardsShown = true;
    bool secondSensor = false;
    bool thirdSensor = false;
    bool changeSlaveStateSuccessfully = false;
    bool changeNameSlaveSuccessfully = false;
    // The 0xFC identity for the connection's log line, once it came.
    QString connectionIdentity;

    // Status lines and command outcomes.
    bool mainStatus = true;
    bool sensorLinked = false;
    bool sensorAbsent = true;
    bool noSensorLogged = false;
    // A second start was refused on the lower status line, shown for it
    // over the cards when `refusalRevealedLine`.
    bool refusalShown = false;
    bool refusalRevealedLine = false;
    QString lowerBeforeRefusal;
    // Last command status taken; a base repeating it is not reported again.
    std::optional<quint8> lastCommandStatus;
    int updateCountdown = 0;

    // Password state, beside the base's protection.
    std::optional<quint32> acceptedPassword;
    bool passwordSet = false;
    // The password frames, named for their answers: the probe, the dialog's
    // three presses (a removal presents the password, then sets none), and
    // the writes' own presentation.
    enum PasswordFrame {
        ProbeFrame = PasswordQuestion::Probe,
        EnterFrame = PasswordQuestion::Enter,
        SetFrame = PasswordQuestion::Set,
        RemoveEnterFrame = PasswordQuestion::RemoveEnter,
        RemoveFrame = PasswordQuestion::Remove,
        WriteFrame,
    };
    // One at a time: the base's status codes answer whichever went last.
    PasswordQuestion *passwordQuestion = nullptr;
    // The password of the frame in flight, and the name it was sent under.
    quint32 passwordAwaited = 0;
    OpenedSensors::Sent passwordAwaitedSent = 0;

    // Automatic Empty/Full calibration.
    bool autoCalibrateAllMode = false;
    int needUpdateFullValAutocalib = 0;
    int needUpdateEmptyValAutocalib = 0;
    int tarSessionValue = 0;
};

#endif // BLEDEVICE_H
