#ifndef FLSDEVICE_H
#define FLSDEVICE_H

#include "devices/base/basedevice.h"
#include "link/openedsensors.h"

#include <QByteArray>
#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class LiterToPercent;
class MyItemDelegateForCell;
class QLabel;
class QStandardItemModel;
class QTableView;
class RingBuffer;
class Security;
class Switch;
namespace fls {
struct AllData;
}
namespace fwimage {
enum class Model;
}
class WidgetTar;

// The settings as last read from the selected sensor, handed to the main
// window's parameter write.
struct FLSParams
{
    quint8 mode = 0; // configuration byte A
    quint8 configC = 0;
    quint8 configB = 0;
    quint8 sendSerNum = 0; // QF260 only, 0 for the other models
    quint8 filtration = 0; // configuration byte B again
    QString text;
    quint8 netNum = 0;
    int value1 = 0;
    int value2 = 0;
};

// Page of the wired fuel level sensors on the RS-485/RS-232 bus. It drives the
// main window's form, which it is given, and shares the main window's serial
// port without owning it. Up to three sensors found on the bus are polled in
// turn, one a tick, a sensor that left its poll unanswered passed at the next
// tick; the per-sensor arrays are indexed by the sensor's place in the search
// answer. The session (timers, search, watchdog, intake) is the base's.
class FLSDevice : public BaseDevice
{
    Q_OBJECT
public:
    // What the main window asks of the active page.
    bool settingsEdited() const override { return isParamChanged(); }
    void discardEdits() override { discardParamChanges(); }
    void loadFactorySettings() override { loadFactoryParams(); }

    static constexpr int kMaxSensors = 3;
    // Counts averaged for the stability grade.
    static constexpr int kCountHistory = 8;

    FLSDevice(Ui_Deruvivuriri *form, QSerialPort *port);
    ~FLSDevice() override;

    // The main window's writes and the tests set these from outside.
    using BaseDevice::setConnected;
    using BaseDevice::setSearchActive;
    // Tests hold polling still to count a procedure's own frames.
    using BaseDevice::pausePolling;

    // Index 0..2 of a network number among the found sensors; 1 when it is none of them.
    quint8 indexOfNetNum(quint8 netNum) const;
    quint8 calc_crc8(const uchar *data, int len) const;

    // Accessors.
    bool isNotCalibrated() const { return notCalibrated; }
    quint16 getLevel() const { return level; }
    QLabel *getLabelAlarm() const { return labelAlarm; }
    bool isAutoCalibrationActive() const { return autoCalibrationActive; }
    void setAutoCalibrationActive(bool value) { autoCalibrationActive = value; }
    Switch *getSwitchInvers() const { return swInvers; }
    Switch *getSwitchAngle() const { return swAngle; }
    Switch *getSwitchMaster() const { return swMaster; }
    Switch *getSwitchTermo() const { return swTermo; }
    Switch *getSwitchEcoDrive() const { return swEcoDrive; }
    Switch *getSwitchSendSerNum() const { return swSendSerNum; }
    void setSwitchInvers(Switch *value) { swInvers = value; }
    void setSwitchAngle(Switch *value) { swAngle = value; }
    void setSwitchMaster(Switch *value) { swMaster = value; }
    void setSwitchTermo(Switch *value) { swTermo = value; }
    void setSwitchEcoDrive(Switch *value) { swEcoDrive = value; }
    void setSwitchSendSerNum(Switch *value) { swSendSerNum = value; }
    bool isPasswordEntered() const { return passwordEntered; }
    quint32 getStoredPassword() const { return storedPassword; }
    quint8 getCurStep() const { return curStep; }
    void setPasswordEntered(bool value) { passwordEntered = value; }
    // The open litres/percent dialog, which the table answer fills; null
    // once it is gone.
    LiterToPercent *getLiterToPercent() const;
    void setLiterToPercent(LiterToPercent *value);
    // The sensor's own table write: names the sensor whose acknowledgement
    // counts, and tells whether it came.
    void expectTableWriteAnswer(quint8 net);
    bool isTableWriteAcknowledged() const { return tableWriteAcknowledged; }
    int getCurrentDeviceIndex() const { return currentDeviceIndex; }
    // The sensor at this place of the list becomes the one the page names,
    // shows and addresses; a new list keeps it while it lists it.
    void setCurrentDeviceIndex(int index);
    // The user picks the sensor at this place of the network-number combo:
    // the page takes it and asks it for its serial and firmware. Refused
    // while a procedure of the page runs, and for a place the page does not
    // poll: the combo then shows the sensor the page still works with.
    void pickSensor(int index);
    // The network number a parameter write is to give the selected sensor.
    // Refused with a message when another listed sensor has it: two sensors
    // would answer at one number. Taken, the search after the write finds
    // the selected sensor under it, or under its old number when it kept it.
    // False with nothing told when the session ended meanwhile.
    bool claimNetNum(Procedure &run, quint8 newNet);
    bool isSensorFound() const { return sensorFound; }
    // The serial of the found sensor at this place has come since the last
    // search: its card holds that sensor's and no earlier one's.
    bool isSerialKnown(int sensor) const;
    // Asks each found sensor whose serial has not come yet, one after
    // another, as far as the list (which a search answer may replace during a
    // wait) still goes; false when the page was left meanwhile.
    bool askMissingSerials(Procedure &run);
    void setSensorFound(bool value) { sensorFound = value; }
    int getEmptyValue() const { return emptyValue; }
    void setEmptyValue(int value) { emptyValue = value; }
    int getFullValue() const { return fullValue; }
    void setFullValue(int value) { fullValue = value; }
    int getLastAnswer() const { return lastAnswer; }
    void setLastAnswer(int &value) { lastAnswer = value; }
    bool isNewFirmware() const { return newFirmware; }
    void setNewFirmware(bool value) { newFirmware = value; }
    bool isParamChanged() const { return paramChanged; }
    void setParamChanged(bool value) { paramChanged = value; }
    bool isRangeChangedTo1023() const { return rangeChangedTo1023; }
    void setRangeChangedTo1023(bool value) { rangeChangedTo1023 = value; }
    bool isRangeChangedTo4095() const { return rangeChangedTo4095; }
    void setRangeChangedTo4095(bool value) { rangeChangedTo4095 = value; }
    bool isRange1023() const { return range1023; }
    void setRange1023(bool value) { range1023 = value; }
    bool isRange4095() const { return range4095; }
    void setRange4095(bool value) { range4095 = value; }
    void setQF260(bool value) { modelQF260 = value; }
    bool isGenericFLS() const { return modelGeneric; }
    bool isQF470() const { return modelQF470; }
    bool isQF260() const { return modelQF260; }
    bool isQF210() const { return modelQF210; }
    bool isQF410() const { return modelQF410; }
    quint8 getLastCommand() const { return lastCommand; }
    void setLastCommand(quint8 value) { lastCommand = value; }
    FLSParams getParamsRead() const { return paramsRead; }
    void setParamsRead(const FLSParams &value) { paramsRead = value; }
    quint8 getCurrentNetNum() const { return currentNetNum; }
    // The model that the sensor a firmware download restarts (the one at the
    // current network number) reported of itself; None while it reported no
    // model of a firmware file or does not answer (flsdevice_update.cpp).
    fwimage::Model firmwareModel() const;
    // Network number of the sensor picked in the network-number combo: the
    // one the page shows and every write goes to.
    quint8 getSelectedNetNum() const { return selectedNetNum(); }
    // True once the picked sensor's all-data answer gave its readings.
    bool hasReadingsOfSelected() const;
    // The picked sensor's readings are of now (hasCurrentReading()): values
    // worked out from them belong to the sensor as it is. Without them the
    // user is told, and false returned.
    bool requireSensorReadings();
    void setCurrentNetNum(quint8 value) { currentNetNum = value; }
    void pollSent() { refreshWaitsForPoll = false; }
    bool isUpdateParamWidgets() const { return updateParamWidgets; }
    void setUpdateParamWidgets(bool value) { updateParamWidgets = value; }
    quint16 getCurrentFirmware() const { return currentFirmware; }
    MyItemDelegateForCell *getItemDelegateTar() const { return itemDelegateTar; }
    QStandardItemModel *getModelTar() const { return modelTar; }
    QTableView *getTableViewTar() const { return tableViewTar; }
    WidgetTar *getWidgetTarLitres() const { return widgetTarLitres; }
    WidgetTar *getWidgetTarSensor1() const { return widgetTarSensor1; }
    WidgetTar *getWidgetTarSensor2() const { return widgetTarSensor2; }
    WidgetTar *getWidgetTarSensor3() const { return widgetTarSensor3; }
    int getCurrentValue() const { return currentValue; }
    quint8 getConfigByteA() const { return configByteA; }
    void setConfigByteA(quint8 value) { configByteA = value; }
    quint8 getConfigByteB() const { return configByteB; }
    void setConfigByteB(quint8 value) { configByteB = value; }
    quint8 getSlavePeriod() const { return slavePeriod; }
    void setSlavePeriod(quint8 value) { slavePeriod = value; }
    bool isNeedUpdateSlaveState() const { return needUpdateSlaveState; }
    void setNeedUpdateSlaveState(bool value) { needUpdateSlaveState = value; }
    float getOutputVoltage() const { return outputVoltage; }
    int getStabilityGrade(int sensor) const;

public slots:
    // Lifecycle. A session starts blank: what an earlier one's sensors said
    // is not shown as this one's.
    void connectDevice() override;
    void disconnectDevice() override;
    int resetDeviceIsConnected();
    int resetSettingToDefault();
    int setDefaultValuesToGuiField();
    void writeLogFile();

    // QF470 slave sensors: nothing is sent, the sensor has no frame for them.
    quint8 getStateSlaveQF470() const { return 34; }
    void setConfigSlaveQF470(int config);
    void setPeriodSendingSlaveASCiiQF470(int newPeriod);
    quint8 *getSlaveAddress() { return slaveAddresses.data(); }

    // Configuration bytes and mode switches.
    void addSwitchToEngineerMenuWidget();
    bool setVisibleSwitch(bool visible);
    bool getStateSwAngle() const { return stateSwAngle; }
    void setStateSwAngle(bool state) { stateSwAngle = state; }
    bool getStateSwInvers() const { return stateSwInvers; }
    void setStateSwInvers(bool state) { stateSwInvers = state; }
    bool getStateSwLiterPercent() const { return stateSwLiterPercent; }
    void setStateSwLiterPercent(bool state) { stateSwLiterPercent = state; }
    bool getStateSwMaster() const { return stateSwMaster; }
    void setStateSwMaster(bool state) { stateSwMaster = state; }
    void functionSWMaster();
    void functionSwInvers();
    void functionSwAngle();
    void functionSwLiterPercent();
    void enableSendSerNumForQF260();
    void setEcoDrive();
    void disableTermo();
    void functionSwitchLitres();
    void functionSwitchPercents();
    bool discardParamChanges();
    bool loadFactoryParams();

    // Widgets and status display.
    bool initUI();
    void initIcons();
    void initStatusMessage();
    bool setVisiblePageWidgets(bool visible);
    void changeIconBtnConnectDevice(QString state, bool darkTheme);
    void setColorLabelLevel(QString color);
    void addAndPlacePictQuestion(QWidget *widget, QString name);
    QWidget *findWidgetByName(QString name);
    bool viewIconChangedParam(bool isNeed);
    bool hideBirds();
    bool clearTarWidget();

    // Password procedure (flsdevice_password.cpp): the "security" entry's
    // probe and its dialog, one procedure of the page.
    void checkPass();
    // Called by name by the password dialog's buttons, inside checkPass()'s
    // procedure; they read its fields and refuse a password the sensor
    // cannot take. setPass and delPass give false (nothing sent) without an
    // open dialog.
    void inputPass();
    bool setPass();
    bool delPass();

public:
    // Sends one password frame (0xF7 set, 0xF8 enter) inside `run`, which
    // holds the line from then on; a new password shows the lock. What the
    // sensor said of it, for the caller to judge; nothing once the session
    // ended.
    std::optional<Outcome> sendPass(Procedure &run, int pass, uchar step, uchar cmd);
    // The step every write to the sensor runs first: the last look at the
    // sensor (Procedure::sensorStillHeard()), then, while a password has
    // been entered, the password again with 0xF8. It leaves polling to the
    // write that runs it; a refusal is told when the write is over. False
    // when the sensor is no longer heard or the session ended during its
    // wait: the write goes no further.
    bool passwordStep(Procedure &run);
    // Sends a write inside `run` and tells whether the sensor refused it
    // (0xFD) in the time given. Only answers that arrive after the send
    // count, however they are glued to others.
    bool writeRefused(Procedure &run, const QByteArray &frame, int waitMs);
    // The all-data request to the selected sensor, inside `run`, and its
    // answer taken as that sensor's, its settings widgets refreshed from it;
    // true when it answered. Polling goes on from it.
    bool reRead(Procedure &run, int waitMs);

    // Calibration without fuel of the picked sensor (flsdevice_levels.cpp):
    // Empty and Full from its count and temperature, written with the
    // password step before each frame. Refused with a message while the
    // sensor has given no readings.
    void autoCalibrateFullEmptyFLS(Procedure &run);
    // Empty, then Full, to the picked sensor inside `run`, which holds the
    // line for both: the password step before each, and each answer taken
    // when it came. False when the session ended meanwhile: nothing more
    // is sent.
    bool writeLevels(Procedure &run, qint32 empty, qint32 full);

signals:
    void signalWasSetEmptyLevel(int emptyVal);
    void signalWasSetFullLevel(int fullVal);
    void signalUpdateCNTForAutoCalib();
    void signalUpdateSlaveState();

protected:
    // The session's hooks: the intake, the poll and the watchdog.
    std::vector<int> answerLengths(quint8 command) const override;
    // A data answer that names a fuel sensor's model makes the number a
    // sensor of the page; an angle sensor's or a PLM300's does not.
    AnswerKind answerKind(const QByteArray &answer) const override;
    void takeSearchAnswer(const QByteArray &chunk) override;
    void takeFrame(const QByteArray &frame) override;
    void pollTick() override;
    // The sensors polled take their turns one poll each; a lost sensor's
    // probe takes one more now and then.
    int readingRoundMs(int place) const override;
    void watchdogRanOut() override;
    // A new search forgets the sensors the last one found; its answer lists
    // them again.
    void searchStarting() override;
    // The lines hide with the page's widgets; a message brings the lower one
    // back on its own.
    bool messageRevealsLowerLine() const override { return true; }
    // Only the answer to a password frame or a write is judged.
    void forgetLastAnswer() override;
    // Every sensor found, and the selected one's place among them.
    QByteArray listedNetNums() const override { return foundNetNums; }
    int ownListPlace() const override { return currentDeviceIndex; }
    QByteArray stillProbedNetNums() const override { return lostNetNums; }
    // The poll asks the first sensors of the list in turn.
    QByteArray polledNetNums() const override { return foundNetNums.left(kMaxSensors); }
    // The picked sensor's model, as its readings named it.
    QString heardStatusText() const override;
    // A second start is told on the upper line, which carries passing
    // remarks, or in the table dialog that covers the page.
    void tellProcedureRunning() override;

private:
    // Answer handlers.
    void handleAllData(const QByteArray &frame);
    void handleSerialAndFirmware(const QByteArray &frame, quint8 net);
    void showSelectedSerial();
    // The picked sensor's level of now, or none while it has not come.
    void showPickedLevel();
    // A card whose sensor fell silent says so in place of its last level.
    void showSilentCards();
    bool askLostSerial();
    void handleLevelAck(quint8 command);
    void handleHorizon();
    void handlePassword(quint8 command);
    // The sensor's own table (flsdevice_table.cpp): its 0xEF answer and the
    // acknowledgement of its 0xF1 write.
    void handleTableAnswer(quint8 command, quint8 net, const QByteArray &frame);
    void refreshParamWidgetsFirstHalf(const fls::AllData &data);
    void refreshParamWidgetsSecondHalf(quint8 mode, QString &logText);
    // 0xF2 with one bit of byte A or B flipped, relative to the sensor's own
    // byte, and a short wait for the answer; false when the toggle did not
    // begin (the switch clicked goes back) or the page was left during it.
    bool sendConfigWrite(Procedure &run, Switch *clicked, quint8 flipA, quint8 flipB);
    // A toggle that did not begin: the switch the user clicked goes back.
    bool toggleBegan(const Procedure &run, Switch *clicked);
    QList<QLabel *> changeMarks() const;
    // A place of the found sensors' list (and of the polled ones).
    bool isFoundPlace(int sensor) const;
    void clearModelFlags();
    // Password exchange helpers (flsdevice_password.cpp).
    // The base's password step with one password frame to the picked
    // sensor; gives what the sensor said of it, nothing when the page was
    // left during the wait. The sensors opened here follow it.
    std::optional<Outcome> exchangePassword(Procedure &run, quint8 cmd, quint32 password, int waitMs);
    // A password step's outcome where the user looks: `done` on the upper
    // status line for a while, a box for a refusal or a silence (with what
    // is left unconfirmed, if anything).
    void tellPasswordOutcome(Outcome said, const QString &done, const QString &unconfirmed);
    // A passing remark on the upper status line.
    void remark(const QString &text);
    // The page on the form the page's messages and dialogs go over.
    QWidget *dialogParent();
    // Runs the password dialog with the page as its receiver.
    void runSecurityDialog(Procedure &run, SensorProtection::State state);
    // The serial of the picked sensor as the sensors opened here are kept
    // by; empty while it has not come.
    QString pickedSensorIdentity() const;
    // Whether the probe may go to the picked sensor, its serial asked first
    // when that matters; nothing when the page was left meanwhile.
    std::optional<OpenedSensors::Probe> probeForPicked(Procedure &run);
    // The password typed in a field of the dialog; a message and nothing
    // when it cannot be sent.
    std::optional<quint32> typedPassword(const QString &text);

    // --- private helpers of the answer intake (flsdevice_answers.cpp) ---
    // Index of the sensor a directed answer comes from: its place among the
    // found sensors, else the sensor being polled.
    int answeringSensor(quint8 net) const;
    // Polling goes on with the next sensor of the list (answerIndex), and
    // the main window's requests follow it.
    void pollNextSensor();
    // A sensor that left its poll unanswered keeps the others from being
    // read no longer than one tick: the next tick asks the next sensor.
    void passUnansweredPoll();
    bool isFoundNetNum(quint8 net) const;
    WidgetTar *cardOf(int sensor) const;
    int modelOfFlags() const; // an fls::Model
    void takeReadings(const fls::AllData &data, QString &logText);
    void updateStability(int sensor);
    void showLevelState(int sensor, int selected);
    void showCalibrationState(int sensor, int selected);
    // byte23: the answer's byte 23, or -1 when the answer carries none.
    void showSendSerNumAndVoltage(int byte23, int selected);
    void showOutputValues(int selected);
    // --- end of answer intake helpers ---

    // --- private helpers of the core, configuration and widgets ---
    // The sensors' readings, serials and firmware, and what the page shows
    // of them, back to none.
    void forgetSensorValues();
    // Network number of the sensor chosen in the network-number combo: the
    // one whose bytes a configuration write carries.
    quint8 selectedNetNum() const;
    // The place of the new list the page works with: the one the user chose,
    // while listed, else the first.
    void selectListed();
    // The network-number field and combo name the selected sensor.
    void showSelection();
    // The steps of taking a search answer `found`: the sensors missing from
    // it are looked for later; the list replaces the last one; the page
    // shows it; the listed sensors are asked their serials.
    void keepLostNetNums(const QByteArray &found);
    void takeFoundList(const QByteArray &found);
    void showFoundList();
    void askSerialsOfFoundList();
    // --- end of core, configuration and widgets helpers ---

    // Bus and connection state.
    QByteArray foundNetNums;
    // Network number of the selected sensor.
    quint8 currentNetNum = 0;
    // The numbers the user chose the selected sensor by, the likeliest first
    // (the number a write gives it, then its old one until a search finds it
    // under the new one); empty: the first sensor listed. Kept while the
    // page is switched off.
    QByteArray chosenNetNums;
    int currentDeviceIndex = 0;
    int answerIndex = 0;
    // The last poll went to the sensor at answerIndex and its answer has not
    // been taken.
    bool pollAwaited = false;
    bool sensorFound = false;
    bool sensorFound2 = false;
    int lastAnswer = 0;
    bool refusedSinceSend = false; // a 0xFD answer came after the last judged frame
    quint8 lastCommand = 0xFF;
    bool passwordEntered = false;
    quint32 storedPassword = 0; // the password last taken from the dialog
    quint8 curStep = 0xFF;      // the step byte of the last password frame

    // Per-sensor readings, indexed by the place in foundNetNums.
    std::array<qint8, kMaxSensors> temperatures{};
    std::array<quint16, kMaxSensors> levelWords{};
    std::array<qint32, kMaxSensors> cntValues{};
    std::array<qint32, kMaxSensors> emptyValues{};
    std::array<qint32, kMaxSensors> fullValues{};
    std::array<quint8, kMaxSensors> configA{};
    std::array<quint8, kMaxSensors> configB{};
    std::array<quint8, kMaxSensors> configC{};
    std::array<qint32, kMaxSensors> stabilityGrades{};
    std::array<quint32, kMaxSensors> serialNumbers{};
    std::array<bool, kMaxSensors> serialKnown{};
    // The picked sensor's own level has not come since the pick.
    bool pickedLevelAwaited = false;
    // The card shows its sensor's level (else that it is silent, or
    // nothing read yet).
    std::array<bool, kMaxSensors> cardLevelShown{};
    // Sensors an earlier search found and the last one did not: now and
    // then one is asked in place of a poll, and its answer brings a search.
    QByteArray lostNetNums;
    int pollsSinceProbe = 0;
    int pollsSinceSerialAsk = 0;
    std::array<quint16, kMaxSensors> firmwareVersions{};
    std::array<RingBuffer *, kMaxSensors> cntHistory{};
    // Model of each sensor's last readings (an fls::Model); Unknown until
    // its first all-data answer.
    std::array<int, kMaxSensors> sensorModels{};

    // Copies for the selected sensor.
    quint16 level = 0;
    qint32 currentValue = 0;
    qint32 emptyValue = 0;
    qint32 fullValue = 0;
    quint8 configByteA = 0;
    quint8 configByteB = 0;
    quint16 currentFirmware = 0;
    float outputVoltage = 0.0f;
    bool notCalibrated = false;
    bool newFirmware = false;
    bool modelQF410 = false;
    bool modelQF210 = false;
    bool modelQF260 = false;
    bool modelQF470 = false;
    bool modelGeneric = false;
    FLSParams paramsRead;

    // Parameter editing.
    bool paramChanged = false;
    bool updateParamWidgets = true;
    // A toggle's refresh waits for the next poll: an answer to a poll sent
    // before the write still carries the old bytes and would put the switch
    // back for good.
    bool refreshWaitsForPoll = false;
    void refreshAfterNextPoll();
    bool range1023 = false;
    bool range4095 = false;
    bool rangeChangedTo1023 = false;
    bool rangeChangedTo4095 = false;
    bool stateSwAngle = false;
    bool stateSwInvers = false;
    bool stateSwLiterPercent = false;
    bool stateSwMaster = false;
    quint8 pendingConfigA = 0;
    quint8 pendingConfigB = 0;
    quint8 pendingConfigC = 0;
    quint8 pendingFiltration = 0;
    quint8 pendingNetNum = 0;
    quint8 shownConfigA = 0;
    quint8 shownConfigB = 0;
    QString shownFilterType;
    quint8 shownNetNum = 0;
    quint8 sendSerNumByte = 0;
    quint8 lastSendSerNumByte = 0;

    // Level setting and calibration.
    bool upLevelAcked = false;
    bool downLevelAcked = false;
    bool autoCalibrationActive = false;

    // Slave sensors of a QF470.
    std::array<quint8, 7> slaveAddresses{{1, 2, 3, 4, 5, 6, 7}};
    quint8 slavePeriod = 0;
    bool needUpdateSlaveState = false;

    // Objects held.
    Switch *swInvers = nullptr;
    Switch *swAngle = nullptr;
    Switch *swMaster = nullptr;
    Switch *swTermo = nullptr;
    Switch *swEcoDrive = nullptr;
    Switch *swSendSerNum = nullptr;
    QLabel *labelAlarm = nullptr;
    WidgetTar *widgetTarLitres = nullptr;
    WidgetTar *widgetTarSensor1 = nullptr;
    WidgetTar *widgetTarSensor2 = nullptr;
    WidgetTar *widgetTarSensor3 = nullptr;
    QTableView *tableViewTar = nullptr;
    QStandardItemModel *modelTar = nullptr;
    MyItemDelegateForCell *itemDelegateTar = nullptr;
    QPointer<LiterToPercent> literToPercent;
    int tableWriteNet = -1; // none expected
    bool tableWriteAcknowledged = false;
    Security *securityDialog = nullptr;
    Procedure *securityRun = nullptr; // checkPass()'s, while its dialog is open
    QFont pageFont;

    QPixmap pixArrowDown, pixLogo, pixLogo2, pixTemp, pixBtnFls, pixBtnFls2, pixAlarm, pixDevFonSmall,
        pixDevFonRedSmall, pixDeviceFonDark, pixArrow, pixWriteParam, pixEmptyBtn, pixFullBtn, pixTarBtn, pixBird,
        pixBirdGreen, pixLock, pixUnlock, pixQuestion;
};

#endif // FLSDEVICE_H
