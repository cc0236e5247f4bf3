#ifndef QFONLINE_H
#define QFONLINE_H

#include "devices/base/basedevice.h"
#include "devices/online/onlineconfigblock.h"
#include "link/openedsensors.h"

#include <QByteArray>
#include <QFont>
#include <QLoggingCategory>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// Debug output of the page (hex dumps of answers and the like), off unless
// enabled through the logging rules.
Q_DECLARE_LOGGING_CATEGORY(lcOnline)

class HidBridges;
class InfoPopup;
class QLabel;
class QLineEdit;
class QStandardItemModel;
class QStyledItemDelegate;
class QTableView;
class RingBuffer;
class Security;
class Switch;
class WidgetTar;

// Page of the GSM/GPS online fuel sensor: its level, modem, server and GPS
// state, its communication settings (one block read and written whole) and
// its password. It drives the main window's form and shares the main
// window's serial port (not owned). The unit is always network number 1; its
// configuration requests go to its fixed unit address. The session (timers,
// watchdog, intake) is the base's; the poll alternates level and status, one
// request a tick, and a silent unit only loses its readings.
class QFOnline : public BaseDevice
{
    Q_OBJECT
public:
    // What the main window asks of the active page.
    void discardEdits() override { escapeCurSetting(); }
    void loadFactorySettings() override { setFactorySetting(); }
    // The unit's number, once a search found it.
    quint8 writeNetNum() const override { return netNumQueue.isEmpty() ? 0 : quint8(netNumQueue.at(0)); }

    // Counts averaged for the stability grade.
    static constexpr int kCountHistory = 8;
    // Sensor places the answers are kept for; the unit fills only the first.
    static constexpr int kSlots = 3;
    static constexpr int kSwitches = 7;
    // The level display's colour while it shows a fault or no grade.
    static constexpr const char *kAlarmColour = "#E32323";
    // The switches in the order the configuration bit map lists them.
    enum SwitchIndex { Channel1, Channel2, Channel3, Channel4, WorkingMode, Egts, Udp };

    // What became of a command sent to the unit.
    enum class CommandOutcome {
        Acknowledged, // the unit answered it
        Refused,      // the unit refused it (its password was not entered)
        Silent,       // no answer in time
        Left,         // the page was left meanwhile: nothing more is told
        NotSent,      // refused before sending; the page told why
    };

    QFOnline(Ui_Deruvivuriri *form, QSerialPort *port);
    ~QFOnline() override;

    // Sends one command frame to the unit and waits for its answer, one that
    // repeats `command`, with polling held meanwhile. A procedure of its own:
    // NotSent while another one of the page runs.
    CommandOutcome sendCommand(const QByteArray &request, quint8 command);
    // The configuration write of the write button: writeParam(), and the
    // unit's acknowledgement awaited.
    CommandOutcome writeSettings();
    // What the user is told of an outcome; `doneText` for an acknowledged
    // command, nothing for one that was never sent or whose page was left.
    static QString outcomeText(CommandOutcome outcome, const QString &doneText);

    // Gets everything the receive buffer held: any number of answers or part
    // of one, each written to the debug output first. Always returns 1.
    int run(int len, char *buf) override;

    // Lists the attached HID-to-UART bridges of the unit's cable on the debug
    // output ("find hid device=" and the device's string) and returns the
    // lines; with no listing given, the platform's.
    static QStringList findHidDevice(HidBridges *bridges = nullptr);

    void initUI();
    void setWidgetsVisible(bool show);

    // Accessors.
    bool isNotCalibrated() const { return notCalibrated; }
    // The unit's IMEI, asked for at every connection; empty until it answered.
    QString getImei() const { return imei; }
    WidgetTar *getWidgetTar1() const { return widgetTar1; }
    WidgetTar *getWidgetTar2() const { return widgetTar2; }
    QStyledItemDelegate *getItemDelegate() const { return itemDelegate; }
    QStandardItemModel *getTarModel() const { return tarModel; }
    QTableView *getTarTableView() const { return tarTableView; }
    int getCntAutoCalib() const { return cntAutoCalib; }
    void setCntAutoCalib(int value) { cntAutoCalib = value; }
    int getEmptyValue() const { return emptyValue; }
    void setEmptyValue(int value) { emptyValue = value; }
    int getFullValue() const { return fullValue; }
    void setFullValue(int value) { fullValue = value; }
    void setNeedUpdateCfgFields(bool value) { needUpdateCfgFields = value; }
    void setShowCfgReadMessage(bool value) { showCfgReadMessage = value; }
    QLabel *getLevelFaultIcon() const { return levelFaultIcon; }
    quint16 getLevelFaultCode() const { return levelFaultCode; }
    uint getCmdToReturn() const { return cmdToReturn; }
    const OnlineConfigBlock &getConfigBlock() const { return configBlock; }
    // True once the unit's configuration was read since the page connected.
    bool isConfigRead() const { return configRead; }
    Switch *getSwitch(int index) const;
    int getStabilityState(int slot) const;

public slots:
    void initPictures();
    void changeIconBtnConnectDevice(QString state, bool darkTheme);
    quint8 calc_crc8(char *inputData, int len);
    void setCmdToReturn(uint value) { cmdToReturn = value; }
    void disconnectDevice() override;
    void connectDevice() override;
    // Sends the whole configuration block; false when it was refused: the
    // unit's own block was never read, a field holds what the block cannot,
    // or another procedure of the page runs.
    bool writeParam();
    void setAddressAPI(QString address);
    void setAdrdressDopDevice(uchar deviceID, QString deviceAddress);
    void setModeDopDevice(uchar deviceID, uchar deviceMode);
    void setDopPeriod(QString period);
    void setPwdServer(QString password);
    void setDeviceID(QString deviceNewID);
    void setServerPort(QString port);
    void setServerAddress(QString ipAddress);
    void setPIN(QString pin);
    void setPwdApi(QString pwdApi);
    void setUserApi(QString userApi);
    void sendPass(int pass, uchar cmd);
    // Called by name by the password dialog's buttons.
    void inputPass();
    void checkPass();
    void delPass();
    void setPass();
    void resetSettingToDefault();
    void cmdGetIMEIAndSIM();
    void setColorLabelLevel(QString color);
    void setNeedUpdataWindow(bool value) { needUpdateWindow = value; }
    void setFontDevice(QFont font);
    void escapeCurSetting();
    void setFactorySetting();
    void autoCalibrateFullEmptyQFOnline();
    void createDialogInfoUserForButtonClicked(QString message);
    void resetDeviceIsConnected();
    void setNewMode(uchar newMode);
    void setNewCFGForSetting();
    void addAndPlacePictQuestion(QWidget *widget, QString name);

signals:
    void signalRequestForGetAllDataFromQFOnlineDevice();
    void signalRequestForGetCfgQFOnline();

protected:
    // The unit's configuration answer carries no CRC, so the chunk is cut by
    // the unit's own rules rather than the base's.
    QList<QByteArray> splitChunk(const QByteArray &chunk) const override;
    // The unit's status answer, or an answer from its own address, makes it
    // the page's device; a wired sensor's data answer at its number names
    // that sensor's family.
    AnswerKind answerKind(const QByteArray &answer) const override;
    void takeFrame(const QByteArray &frame) override;
    void takeSearchAnswer(const QByteArray &chunk) override;
    // Level and status in turn, one request a tick.
    void pollTick() override;
    // The level the unit shows is the page's one reading place, 0, asked
    // every other tick.
    int readingRoundMs(int place) const override;
    void watchdogRanOut() override;
    // The unit is always number 1: no search.
    bool searchesTheBus() const override { return false; }
    // The page has no status lines: a notice tells that one runs.
    void tellProcedureRunning() override;

private:
    // One sensor place: what the last level answer said and the count history.
    struct Slot
    {
        qint8 temperature = 0;
        quint16 level = 0;
        qint32 count = 0;
        qint32 empty = 0;
        qint32 full = 0;
        quint16 firmware = 0;
        qint32 serial = 0;
        int stability = 0; // 0: fewer than eight counts seen yet
    };

    // Answers (qfonline_answers.cpp).
    void handleStatus(const QByteArray &frame);
    void handleConfig(const QByteArray &frame);
    void handleImei(const QByteArray &frame);
    void handleLevel(const QByteArray &frame);
    void handlePassword(quint8 command);
    void showConfigFields();
    void showStability(int answering, int shown);
    void showLevelFault(quint16 levelWord, const char *text);
    void showCalibration(int answering, int shown);
    int answeringSlot() const;

    // Configuration (qfonline_config.cpp).
    bool refuseUnreadConfig();
    // The block's write as a procedure of its own: NotSent when refused (see
    // writeParam()), else as sendConfig().
    CommandOutcome writeBlock(bool awaitAnswer);
    // The block's write as a step of `run`, which holds the line until it ends.
    CommandOutcome sendConfig(BaseDevice::Procedure &run, bool awaitAnswer);
    // Waits until the unit answered `command` (or refused), at most `ms`.
    CommandOutcome awaitCommandAnswer(BaseDevice::Procedure &run, quint8 command, int ms);
    bool refuseUnusableInput();
    bool refuseUnusablePeriod();
    bool refuseUnusableAddress();

    // Password (qfonline_password.cpp).
    // Sends one password frame and returns what the unit said of it;
    // nothing when the page was left during the wait. The units opened here
    // follow it.
    std::optional<Outcome> exchangePassword(BaseDevice::Procedure &run, quint8 command, quint32 value);
    // Enters the password typed in the dialog's input field and returns what
    // the unit said of it; nothing when the field was refused before
    // anything was sent, or the page was left meanwhile.
    std::optional<Outcome> enterTypedPassword(BaseDevice::Procedure &run);
    // A password step's outcome where the user looks: `done` in a notice, the
    // wrong-password box for a refusal, the page's no-answer notice (with
    // what is left unconfirmed, if anything) for a silence.
    void tellPasswordOutcome(Outcome said, const QString &done, const QString &unconfirmed);
    void showLock(bool locked);
    // The typed password as a number; nothing (after telling the user) for an
    // empty or oversized one.
    std::optional<quint32> typedPassword(const QString &text);

    // Widgets (qfonline_widgets.cpp).
    // The form's fields of the block's texts.
    struct TextField
    {
        QLineEdit *edit;
        OnlineConfigBlock::Text text;
    };
    std::vector<TextField> textFields() const;
    // The four extra-device address fields, and how a message names one.
    std::array<QLineEdit *, 4> addressFields() const;
    QString addressFieldName(int channel) const;
    QString periodFieldName() const;
    void buildSwitches();
    void buildTabIcons();
    void buildCalibrationView();
    void placeQuestionMarks();
    void arrangeLabels();

    QFont pageFont;

    std::array<RingBuffer *, kSlots> ringBuffers{};

    bool needUpdateWindow = true;
    bool notCalibrated = false;
    QString imei;
    qint32 fullValue = 0;
    qint32 emptyValue = 0;
    qint32 cntAutoCalib = 0;
    bool firstStatusPending = true;
    QByteArray netNumQueue;
    int queueIndex = 0;
    quint8 netNum = 0;
    uint cmdToReturn = 0;
    quint16 levelFaultCode = 0;
    bool needUpdateCfgFields = true;
    bool showCfgReadMessage = false;
    quint8 pollStep = 0;

    std::array<Slot, kSlots> slotValues{};
    int shownSlot = 0;
    std::array<quint16, 8> channelWords{};
    quint8 workingMode = 0;
    // The mode byte is known only from a level answer; until then the mode
    // switch has nothing to change a bit of.
    bool workingModeKnown = false;

    OnlineConfigBlock configBlock;
    bool configRead = false;
    // An address field edited to something that is no address: the block
    // keeps the unit's byte, and no write goes out until it is put right.
    std::array<bool, 4> addressUnusable{};
    // The same for the sending period.
    bool periodUnusable = false;
    // Code of the last answer to a command (a write, a calibration, the
    // mode) or of a refusal; cleared before each command is sent.
    quint8 commandAnswer = 0;

    quint32 password = 0;
    Security *securityDialog = nullptr;
    // The password check's procedure while its dialog is open: the dialog's
    // buttons are steps of it.
    BaseDevice::Procedure *passwordRun = nullptr;

    InfoPopup *infoPopup = nullptr;
    QLabel *captionLabel = nullptr;
    QLabel *levelFaultIcon = nullptr;
    WidgetTar *widgetTar1 = nullptr;
    WidgetTar *widgetTar2 = nullptr;
    QTableView *tarTableView = nullptr;
    QStandardItemModel *tarModel = nullptr;
    QStyledItemDelegate *itemDelegate = nullptr;
    std::array<Switch *, kSwitches> switches{};

    enum Picture {
        PicDownArrow,
        PicLogo,
        PicDevice,
        PicTemp,
        PicButton,
        PicButtonChecked,
        PicAlarm,
        PicBackSmall,
        PicBackSmallRed,
        PicBack,
        PicArrow,
        PicWriteParam,
        PicEmptyButton,
        PicFullButton,
        PicTarButton,
        PicBird,
        PicBirdGreen,
        PicLock,
        PicUnlock,
        PicQuestion,
        PicCopy,
        PictureCount
    };
    std::array<QPixmap, PictureCount> pictures;
};

#endif // QFONLINE_H
