#ifndef KVBLEDEVICE_H
#define KVBLEDEVICE_H

#include "devices/angle/kvbleprotocol.h"
#include "devices/base/basedevice.h"
#include "devices/base/passwordquestion.h"
#include "link/openedsensors.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPointer>
#include <QSet>
#include <QString>

#include <array>
#include <optional>

class QDialog;
class QLabel;
class QLineEdit;
class QMovie;
class QTimer;
class SecurityBLE;
class Switch;

// Page of the wireless angle/position sensor, reached through the USB BLE
// base. It drives the main window's form and shares its serial port (not
// owned). Every request goes to the base at its fixed address, which relays
// it to the sensor linked to it; the outcome of each command comes back as a
// status code in the base's following data answers, which the page polls once
// a second, shows and waits for. Choosing the page starts polling the base,
// without a bus search.
class KVBLEDevice : public BaseDevice
{
    Q_OBJECT
public:
    // What the main window asks of the active page.
    bool settingsEdited() const override { return hasEditedSettings(); }
    void discardEdits() override { escapeCurSetting(); }
    void loadFactorySettings() override { setFactorySetting(); }
    // The first number of those the base passed on for the sensor.
    quint8 writeNetNum() const override { return netNumList.isEmpty() ? 0 : quint8(netNumList.at(0)); }

    // A status message stays this long before the link report may replace it.
    static constexpr int kStatusMessageMs = 5000;
    // Seconds the phone's updater has once the sensor restarted for it.
    static constexpr int kCountdownSeconds = 30;
    // The new-device dialog says the link failed after this long without it.
    static constexpr int kNewDeviceTimeoutMs = 60000;
    // A parameter write looks for its status this often, this many times.
    static constexpr int kStatusPollMs = 300;
    static constexpr int kStatusPolls = 20;
    // Two commands confirmed by the same code are this far apart, so that
    // the first one's code has gone before the second is sent.
    static constexpr int kSameCodePauseMs = 5000;
    // A data answer taken sooner than this after a command was sent may
    // answer a poll sent before it: its status tells nothing of the command.
    static constexpr int kFreshAnswerMs = 300;

    KVBLEDevice(Ui_Deruvivuriri *form, QSerialPort *port);
    ~KVBLEDevice() override;

    // Gets everything the receive buffer held: any number of answers or part
    // of one. Returns 0 after an answer of another sensor kind, else 1.
    int run(int cnt, char *buf) override;

    void setCurrentCommand(unsigned char command) { currentCommand = command; }
    quint8 getCurrentCommand() const { return currentCommand; }
    void setNeedUpdateWindow(bool value) { needUpdateWindow = value; }
    bool isNeedUpdateWindow() const { return needUpdateWindow; }
    QDialog *getConnectDialog() const { return connectDialog; }
    void setConnectDialog(QDialog *dialog) { connectDialog = dialog; }
    bool isPasswordProtected() const { return protection.is(SensorProtection::State::Protected); }
    void setSecurityDialog(SecurityBLE *dialog) { securityDialog = dialog; }
    SecurityBLE *getSecurityDialog() const { return securityDialog; }

    // The settings fields the user edited since their last write.
    void setUpEdited(bool value) { upEdited = value; }
    void setDownEdited(bool value) { downEdited = value; }
    void setDelayOnEdited(bool value) { delayOnEdited = value; }
    void setDelayOffEdited(bool value) { delayOffEdited = value; }
    bool hasEditedSettings() const { return upEdited || downEdited || delayOnEdited || delayOffEdited; }
    // Between choosing the page and leaving it (or an answer of another
    // sensor kind ending the connection).

    // What the page knows, for the main window and tests.
    int getStatusCode() const { return statusCode; }
    qint32 getSerialNumber() const { return serialNumber; }
    KvBleParam getOldParam() const { return oldKvBleParam; }
    KvBleParam getNewParam() const { return newKvBleParam; }
    std::array<Switch *, 6> modeSwitches() const { return switches; }
    int getCountdown() const { return countdown; }

    // Steps of a procedure the main window began (before its question to
    // the user): the write and the zero command.
    void writeParamToDevice(Procedure &run);
    void cmdSetNull(Procedure &run);

public slots:
    // Lifecycle (kvbledevice.cpp).
    bool initUI();
    int showUI(bool visible);
    void connectDevice() override;
    void disconnectDevice() override;
    void resetDeviceIsConnected();
    bool resetSettingToDefault();
    bool checkDarkTheme();
    void escapeCurSetting();
    void setFactorySetting();
    void setStatusCurCmdBLE();
    void setEnableShowMainStatusMsgBLE();
    void updateTimerFwBLE();

    // Settings, their write and the modes (kvbledevice_commands.cpp).
    bool compareParam();
    void setNewParam();
    void changeUpKVBLE();
    void changeDownKVBLE();
    void changeDelayOnKVBLE();
    void changeDelayOffKVBLE();
    int waitStatusCurrentCMD(int cmd);
    void writeParamToDevice();
    int addSwitchToUI();
    void sendCmdSetNewMode(uchar newMode);
    void slotSwitch_0();
    void slotSwitch_1();
    void slotSwitch_2();
    void slotSwitch_3();
    void slotSwitch_4();
    void slotSwitch_5();

    // Link ID, new device and password (kvbledevice_link.cpp).
    void connectNewDevice();
    bool changeUiid(QString serialNum);
    bool checkPassOnlyBLE();
    // Called by name by the wireless password dialog's buttons.
    bool inputPassBLE();
    bool setPassBLE();
    bool delPassBLE();

signals:
    void signalNewDeviceIsConnected();

protected:
    // Answer intake (kvbledevice_answers.cpp).
    std::vector<int> answerLengths(quint8 command) const override;
    void takeFrame(const QByteArray &frame) override;
    void takeSearchAnswer(const QByteArray &chunk) override;
    // Lifecycle (kvbledevice.cpp).
    void watchdogRanOut() override;
    // What was asked in it is answered to none after it, and its message goes.
    void sessionEnded() override;
    // Every request goes to the base at its fixed address: no search.
    bool searchesTheBus() const override { return false; }
    // The base relays the sensor: each command asks what it needs.
    bool gatesOnItsDevice() const override { return false; }
    // A write's own box shows that it runs.
    void tellProcedureRunning() override;

private:
    // The password frames, named for their answers.
    enum PasswordStep {
        Probe = PasswordQuestion::Probe,               // "no password": taken means none, refused means one is set
        Input = PasswordQuestion::Enter,               // the typed password presented
        Set = PasswordQuestion::Set,                   // a new password
        DeletePresent = PasswordQuestion::RemoveEnter, // first half of a deletion: the present password
        Delete = PasswordQuestion::Remove,             // second half: "no password"
    };

    // Lifecycle (kvbledevice.cpp).
    void placeStatusLines();

    // Answer intake and display (kvbledevice_answers.cpp).
    // False when the answer ended the connection.
    bool handleData(const QByteArray &frame);
    void refuseOtherKind(const QByteArray &frame);
    void handleSerial(const QByteArray &frame);
    void showTriggerEvent(quint8 mode, quint8 event);
    void refreshSettings();
    void showRotation(quint8 mode);
    void showDeviceInfo();
    void handleStatus(int code);
    void handleLinkReport(bool present);
    // What the linked sensor answered a password frame, or that it did not.
    void passwordAnswered(int step, int code, bool late);
    void passwordUnanswered(int step, bool unsettled);
    void handleRebooted();
    void showStatusAction(const kvble::StatusAction &action);
    void showCommandMessage(const QString &text);
    void showLock(bool locked);
    QLabel *lockLabel() const override;
    void clearDeviceInfo();
    // The probe, unless the linked sensor was opened here (it then counts
    // as protected) or its serial is to come first.
    void probeUnlessOpened();
    // The linked sensor's serial as the sensors opened here are kept by;
    // empty while it has not come.
    QString sensorIdentity() const;
    // The linked sensor, by its serial; the page reaches one place.
    OpenedSensors::Sensor openedSensor() const { return {sensorIdentity(), 0}; }

    // Commands (kvbledevice_commands.cpp, kvbledevice_link.cpp).
    void sendCommand(const QByteArray &frame);
    void sendSetting(const QByteArray &frame, const char *name, quint32 value);
    void showWaiting();
    // 1 when the confirming code came, 2 when the failing code came or the
    // wait ran out, kOutcomeLeft when the page was left during the wait.
    static constexpr int kOutcomeLeft = 3;
    int waitForOutcome(Procedure &run, int confirm, std::optional<int> failure);
    // Takes the settings field's value when it holds one the sensor takes;
    // an edited field that holds none has its caption added to `refused`.
    bool readField(QLineEdit *field, kv380::FieldRange range, bool edited, const QLabel *caption, quint32 &value,
                   QStringList &refused);
    void sendModeOfSwitch(int index);
    std::optional<quint32> typedPassword(bool newPasswordField);
    // A password frame with `pass` is about to go to the linked sensor.
    void passwordGoesOut(quint32 pass);
    // The password frame of a press of the password dialog, on its turn:
    // waiting for the answer of the one before (the waiting text shows), and
    // refused while the sensor does not answer. False when it did not go.
    bool sendPass(Procedure &run, PasswordStep step, quint32 pass);
    bool changeUiid(Procedure &run, const QString &serialNum);
    // Presents (Input) or sets (Set) the password typed in the dialog.
    bool presentOrSetPassword(PasswordStep step);
    void relearnSensor();
    QWidget *dialogParent();

    // Timers of the page's own, children of it.
    QTimer *timerStatusMsg = nullptr;
    QTimer *timerCommandReply = nullptr;
    QTimer *countdownTimer = nullptr; // only while the reboot countdown runs

    // Objects on the form.
    std::array<Switch *, 6> switches{};
    QPixmap pixLock, pixUnlock;
    QMovie *movieVertical = nullptr;
    QMovie *movieHorizontal = nullptr;
    QMovie *movieVerticalLight = nullptr;
    QMovie *movieHorizontalLight = nullptr;
    QMovie *currentVertical = nullptr;
    QMovie *currentHorizontal = nullptr;
    QPointer<QDialog> otherKindMessage;
    QPointer<QDialog> writeProgress; // while a settings write runs
    QDialog *connectDialog = nullptr;
    SecurityBLE *securityDialog = nullptr; // not owned

    // Link state.
    bool needUpdateWindow = true;
    bool mainStatus = true;
    bool newDevice = true;        // the next link is announced as a new sensor
    bool announceArmed = true;    // no link was announced since the last loss of one
    bool deviceInfoShown = false; // MAC address, firmware and serial number follow the answers
    bool absentLogged = false;
    QByteArray netNumList;
    quint8 currentCommand = kvble::kNoCommand;

    // Values of the linked sensor.
    qint32 serialNumber = 0;
    quint16 serialWord = 0;
    bool serialKnown = false;
    quint8 firmware = 0;
    quint16 angle = 0;
    quint32 rawValue = 0;
    qint8 signedValue = 0;
    quint8 triggerEvent = 0;
    quint8 mode = 0;
    bool sensorPresent = false;
    QByteArray mac = QByteArray(6, '\0');
    int statusCode = 0;
    int previousStatus = 0;
    int countdown = 0;

    // Settings shown, as last reported, and to be written.
    KvBleParam oldKvBleParam;
    KvBleParam newKvBleParam;
    KvBleParam writeKvBleParam;
    bool upEdited = false;
    bool downEdited = false;
    bool delayOnEdited = false;
    bool delayOffEdited = false;

    // Outcome of the last command: the codes the base reported in answers
    // taken late enough after it went out.
    QElapsedTimer commandSentAt;
    QSet<int> codesSinceCommand;

    // Password state, beside the base's protection.
    bool lockShown = false; // the closed lock is the picture
    quint32 passwordLastSent = 0;
    OpenedSensors::Sent passwordSent = 0; // what the sensors opened here keep it by
    // One at a time: the base's status codes answer whichever went last.
    PasswordQuestion *passwordQuestion = nullptr;
};

#endif // KVBLEDEVICE_H
