#ifndef KV380DEVICE_H
#define KV380DEVICE_H

#include "devices/angle/kv380protocol.h"
#include "devices/base/basedevice.h"

#include <QByteArray>
#include <QHash>
#include <QRect>
#include <QString>

#include <array>

class QLabel;
class QMovie;
class QTimer;
class Switch;

// Page of the wired angle/position sensor on the RS-485/RS-232 bus. It never
// shows itself: it drives the widgets of the main window's form, which it is
// given, and reaches the bus through the main window (request signals) or its
// own frames (writeData); the serial port is shared, not owned. The first
// sensor a search finds is polled; its data answers refresh the settings
// fields, the mode switches and the pictures for a few answers after the page
// is selected, a mode is switched or parameters are written, so that the
// user's edits are not overwritten by polling. The watchdog runs from the
// sensor's first answer on, not from the selection.
class KV380Device : public BaseDevice
{
    Q_OBJECT
public:
    // What the main window asks of the active page.
    bool settingsEdited() const override { return getSettingsChanged(); }
    void discardEdits() override { escapeCurSetting(); }
    // The sensor has no factory settings of its own: the page shows what it read.
    void loadFactorySettings() override { escapeCurSetting(); }

    // Several sensors answer a search in turn, so answers need longer.
    static constexpr int kCheckSeveralSensorsMs = 600;
    // Data answers that refresh the settings after a selection, a mode
    // command or a write.
    static constexpr int kRefreshAnswers = 3;

    KV380Device(Ui_Deruvivuriri *form, QSerialPort *port);
    ~KV380Device() override;

    int initUI();
    int showUI(bool visible);
    int addSwitchToUI();
    bool setSwitchesSyncEnabled(bool on);
    int cmdSetNull();
    // After the sensor was given a new number: it answers under that number
    // from now on, so the bus is searched again (the first request a search
    // period later, as at a selection) and the page takes the number found.
    // False when the session ended during one of its waits.
    bool searchUnderNewNumber(BaseDevice::Procedure &run);

    // The settings fields, in the order a write sends them.
    enum class Setting { Up, Down, DelayOn, DelayOff, NetNum };
    // A field the user edited and has not written yet. Edits belong to the
    // session they were made in: a new one shows what the sensor reports and
    // starts with none.
    bool isEdited(Setting which) const { return edited[size_t(which)]; }
    void setEdited(Setting which, bool value) { edited[size_t(which)] = value; }

    // Re-arms the refreshing answers; with true the switches follow the
    // sensor's mode again as well.
    void setSyncSwitchesWithDevice(bool value);
    bool getSettingsChanged() const { return settingsChanged; }
    void setSettingsChanged(bool value) { settingsChanged = value; }
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
    QLabel *getLabelDegrees() const { return labelDegrees; }
    QLabel *getLabelFrequency() const { return labelFrequency; }
    QWidget *getPictureWidget() const { return pictureWidget; }
    // Resource path of the picture on the picture widget; empty while it shows none.
    QString shownPicture() const { return shownPictureFile; }
    bool isMasterSlaveAnimationOn() const { return masterSlaveOn; }

public slots:
    // Lifecycle (kv380device.cpp).
    void connectDevice() override;
    void disconnectDevice() override;
    void setCntUpdateUI();
    void resetDeviceIsConnected();

    // Display (kv380device_widgets.cpp).
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
    void signalChangeCntUpdateUI();

protected:
    // Answer intake (kv380device_answers.cpp).
    std::vector<int> answerLengths(quint8 command) const override;
    // An angle sensor's data answer makes the number the page's sensor; a
    // fuel sensor's or a PLM300's does not.
    AnswerKind answerKind(const QByteArray &answer) const override;
    void takeFrame(const QByteArray &frame) override;
    void takeSearchAnswer(const QByteArray &chunk) override;
    // Lifecycle (kv380device.cpp).
    void watchdogRanOut() override;
    // No poll while a search runs: its answer would come glued to the search
    // answer, and it would go to the number of the sensor polled before.
    void pollTick() override;
    // The sensors the last search found; the first is the one polled.
    QByteArray listedNetNums() const override { return foundNetNums; }
    // The first search request goes a search period after the selection, as
    // the search timer's first tick, not at once.
    bool searchesAtOnce() const override { return false; }
    // The watchdog starts with the sensor's first answer.
    bool watchdogFromFirstAnswer() const override { return true; }
    // The message must be seen even while the page's widgets are hidden.
    bool messageRevealsLowerLine() const override { return true; }

private:
    void handleData(const kv380::Data &data);
    void refreshSettings(const kv380::Data &data, bool lastRefresh);
    void followMode(quint8 rawMode);
    void handleSerialAndFirmware(const kv380::SerialAndFirmware &answer);
    // Forgets what belongs to the sensor polled so far: the next one found is
    // asked for its serial and firmware and logged again.
    void forgetSensor();

    // Display helpers (kv380device_widgets.cpp).
    void placeStatusLines();
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

    // Lifecycle and answers.
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
    std::array<bool, 5> edited{};

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
};

#endif // KV380DEVICE_H
