#ifndef KV380DEVICE_H
#define KV380DEVICE_H

#include "devices/angle/kv380protocol.h"

#include <QByteArray>
#include <QFont>
#include <QHash>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>

class QLabel;
class QMovie;
class QSerialPort;
class QTimer;
class Switch;
class Ui_Deruvivuriri;

// Page of the wired angle/position sensor on the RS-485/RS-232 bus. It never
// shows itself: it drives the widgets of the main window's form, which it is
// given, and reaches the bus through the main window (request signals) or its
// own frames (writeData); the serial port is shared, not owned. The first
// sensor a search finds is polled; its data answers refresh the settings
// fields, the mode switches and the pictures for a few answers after the page
// is selected, a mode is switched or parameters are written, so that the
// user's edits are not overwritten by polling.
class KV380Device : public QWidget
{
    Q_OBJECT
public:
    // Without an accepted answer for this long the sensor counts as gone.
    static constexpr int kConnectionWatchdogMs = 5000;
    static constexpr int kPollIntervalMs = 1000;
    static constexpr int kCheckIntervalMs = 100;
    // Several sensors answer a search in turn, so answers need longer.
    static constexpr int kCheckSeveralSensorsMs = 600;
    static constexpr int kSearchIntervalMs = 1000;
    // Data answers that refresh the settings after a selection, a mode
    // command or a write.
    static constexpr int kRefreshAnswers = 3;

    KV380Device(Ui_Deruvivuriri *form, QSerialPort *port);
    ~KV380Device() override;

    // Gets everything the receive buffer held: a search answer, answer frames
    // (several may come glued in one chunk), or anything else the line
    // brought. Always returns 1.
    int run(int len, char *buf);

    int initUI();
    int showUI(bool visible);
    int addSwitchToUI();
    bool setSwitchesSyncEnabled(bool on);
    int cmdSetNull();
    static void delay(int ms);

    void setSearchInProgress(bool value) { searchInProgress = value; }
    bool isSearchInProgress() const { return searchInProgress; }
    // Re-arms the refreshing answers; with true the switches follow the
    // sensor's mode again as well.
    void setSyncSwitchesWithDevice(bool value);
    bool isDeviceConnected() const { return deviceConnected; }
    bool getSettingsChanged() const { return settingsChanged; }
    void setSettingsChanged(bool value) { settingsChanged = value; }
    // A parameter write is running; a second one must not start inside it.
    bool isWriteInProgress() const { return writeInProgress; }
    void setWriteInProgress(bool value) { writeInProgress = value; }
    // Working mode (mode byte without the master bit) as of the last refresh.
    quint8 getMode() const { return mode; }
    quint8 getNetNum() const { return netNum; }
    quint16 getAngle() const { return angle; }
    qint32 getSerialNumber() const { return serialNumber; }
    quint16 getFirmware() const { return firmware; }
    QByteArray getFoundNetNums() const { return foundNetNums; }
    KV380Param getOldKV380param() const { return oldKV380param; }
    void setOldKV380param(const KV380Param &value) { oldKV380param = value; }
    KV380Param getNewKV380param() const { return newKV380param; }
    void setNewKV380param(const KV380Param &value) { newKV380param = value; }

    // The six mode switches in the order mode 1, mode 2, mode 3, blade, bucket, master.
    std::array<Switch *, 6> modeSwitches() const;
    Switch *getSwitchMode1() const { return switchMode1KV380; }
    Switch *getSwitchMode2() const { return switchMode2KV380; }
    Switch *getSwitchMode3() const { return switchMode3KV380; }
    Switch *getSwitchOtval() const { return switchModeOtvalKV380; }
    Switch *getSwitchKovsh() const { return switchModeKovshKV380; }
    Switch *getSwitchMaster() const { return switchModeMasterKV380; }
    // What the page shows, for tests and the help view.
    QLabel *getLabelStatus() const { return labelStatus; }
    QLabel *getLabelStatusUp() const { return labelStatusUp; }
    QLabel *getLabelDegrees() const { return labelDegrees; }
    QLabel *getLabelFrequency() const { return labelFrequency; }
    QWidget *getPictureWidget() const { return pictureWidget; }
    // Resource path of the picture on the picture widget; empty while it shows none.
    QString shownPicture() const { return shownPictureFile; }
    bool isMasterSlaveAnimationOn() const { return masterSlaveOn; }

public slots:
    // Lifecycle (kv380device.cpp).
    void connectDevice();
    void disconnectDevice();
    void startSearchDevices();
    void stopSearchDevices();
    void setCntUpdateUI();
    void checkIncommingData();
    void timerIntervalGetDataStart(uint interval, uint interval2);
    void timerIntervalGetDataStop();
    void resetTimerDeviceConnected();
    void resetAndStopTimerDeviceConnected();
    void restoreTimerDeviceConnected();
    void resetDeviceIsConnected();

    // Display (kv380device_widgets.cpp).
    int initStatusMessage();
    int showStatusMessageUp(QString message);
    int showStatusMessage(QString message);
    int setVisibleStatusLabels(bool visible);
    int viewIconChangedParam(bool visible);
    int hideBirds();
    int visibleLabalMasterSlave(bool visible);
    int modeKovshHandler();
    int animationModeKovshHandler();
    bool checkDarkTheme();
    void changeIconBtnConnectDevice(QString state, bool darkTheme);
    void writeLogFile();
    void escapeCurSetting();

    // Mode switches (kv380device_modes.cpp).
    void tempDisableAllSwicthes();
    void enableAllSwitches();
    int setMode1KV380();
    int setMode2KV380();
    int setMode3KV380();
    int setModeOtvalKV380();
    int setModeKovshKV380();
    int setModeMasterKV380();

    bool checkCorrectWriteParam();

signals:
    void signalCheckIncommingData();
    void signalRequestForSearchDevices();
    void signalRequestForGetAllDataFromDevice();
    void signalRequestForGetSerNumAndFirmWareVersion();
    void callParceDataFromComPort();
    void copyNetNumToParent(QByteArray data);
    void copyQueueSurveyDevice(int data);
    void writeData(QByteArray data);
    void signalWriteLog(QString message);
    void signalChangeCntUpdateUI();

private:
    // Answer intake (kv380device_answers.cpp).
    void parceSearchResponse(const QByteArray &chunk);
    void takeFrame(const QByteArray &frame);
    void handleData(const kv380::Data &data);
    void refreshSettings(const kv380::Data &data, bool lastRefresh);
    void followMode(quint8 rawMode);
    void handleSerialAndFirmware(const kv380::SerialAndFirmware &answer);
    // Forgets what belongs to the sensor polled so far: the next one found is
    // asked for its serial and firmware and logged again.
    void forgetSensor();

    // Display helpers (kv380device_widgets.cpp).
    void clearPictureStyles();
    void setVisibleDelayFields(bool visible);
    void applyPicture(const QString &file);
    void setPictureLayout(bool frequency);
    QRect pictureRect(bool frequency);
    void showMasterSlaveAnimation(bool on);
    void setupModePictures();
    void updateAnglePicture();

    // Mode commands (kv380device_modes.cpp).
    int sendMode(quint8 modeByte, const char *logText);

    Ui_Deruvivuriri *ui = nullptr;
    QSerialPort *serialPort = nullptr; // shared with the main window, never written through

    // Lifecycle and answers.
    bool searchInProgress = false;
    bool serialKnown = false;
    quint32 lastAnswerCommand = 0;
    quint8 netNum = 0;
    bool connectionLogPending = true;
    QString connectionLogText;
    quint16 firmware = 0;
    qint32 serialNumber = 0;
    quint16 angle = 0;
    bool updateUI = true;
    int cntUpdateUI = 1;
    bool deviceConnected = false;
    QByteArray foundNetNums;
    qint32 lastDown = 0;
    qint32 lastUp = 0;
    quint8 rawMode = 0;          // of the last data answer
    quint8 rawModeRefreshed = 0; // of the last refresh
    bool modeReported = false;   // a data answer has brought a mode byte
    quint8 mode = 0;             // working mode of the last refresh
    quint8 modeToWrite = 0;

    // Parameters and writing.
    KV380Param oldKV380param;
    KV380Param newKV380param;
    bool settingsChanged = false;
    bool writeInProgress = false;

    // Mode switches.
    Switch *switchMode1KV380 = nullptr;
    Switch *switchMode2KV380 = nullptr;
    Switch *switchMode3KV380 = nullptr;
    Switch *switchModeOtvalKV380 = nullptr;
    Switch *switchModeKovshKV380 = nullptr;
    Switch *switchModeMasterKV380 = nullptr;

    // Display.
    QWidget *pictureWidget = nullptr;
    QLabel *labelDegrees = nullptr;
    QLabel *labelFrequency = nullptr;
    QLabel *labelStatusUp = nullptr;
    QLabel *labelStatus = nullptr;
    QFont statusFont;
    QString shownPictureFile;
    QRect standardPictureRect; // where the form put the picture
    // The pictures of the working mode as of the last refresh, by picture;
    // none while the sensor is a master (its animation shows instead).
    QHash<int, QString> modePictures;
    QMovie *movieMasterSlave = nullptr;
    bool masterSlaveOn = false;
    QTimer *modeKovshTimer = nullptr;
    QTimer *animationKovshTimer = nullptr;
    int animationFrame = 0;
    quint16 previousAngle = 0;

    // Timers of the lifecycle, children of the page.
    QTimer *timerResetDeviceConnected = nullptr;
    QTimer *timerGetData = nullptr;
    QTimer *timerCheckData = nullptr;
    QTimer *timerSearch = nullptr;
};

#endif // KV380DEVICE_H
