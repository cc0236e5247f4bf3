#ifndef RERIRUVOZIVE_H
#define RERIRUVOZIVE_H

#include "app/answerroute.h"
#include "app/portlist.h"
#include "devices/base/basedevice.h"
#include "devices/firmware/firmwareupdater.h"
#include <QByteArray>
#include <QDialog>
#include <QFont>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tarfile {
struct ParsedRun;
}

class BLEDevice;
class CustomDialogInput;
class CustomPopUp;
class BridgeGpio;
class DeviceEventFilter;
class FLSDevice;
class InfoPopup;
class KV380Device;
class KVBLEDevice;
class LiterToPercent;
class MirvelNet;
struct OpenFailure;
class N7Device;
class PLM300Device;
class PortConnection;
class QFile;
class QFrame;
class Loader;
class QLabel;
class QLineEdit;
class QPushButton;
class ProgramSettings;
class QShortcut;
class QTimer;
class QTranslator;
class QFOnline;
class RingBuffer;
class Switch;
class TarRun;
struct TarBinding;
class Ui_Deruvivuriri;
class WiredTagDevice;

// The program's one main window and the hub of the system: it builds the form
// and every device page, owns the port, turns the pages' requests into frames,
// routes each answer to the active page, switches devices with the device
// buttons and keeps the log file.
class Reriruvozive : public QMainWindow
{
    Q_OBJECT
public:
    explicit Reriruvozive(QWidget *parent = nullptr);
    ~Reriruvozive() override;

    void setDeviceEventFilterObject(DeviceEventFilter *filter);
    void setTranslator(QTranslator *value);
    // The translator of Qt's own texts, which a language change reloads.
    void setQtTranslator(QTranslator *value) { qtTranslator = value; }

    // The tank calibration run and the open litres/percent dialog, for tests.
    TarRun *tar() const { return tarRun; }
    LiterToPercent *literToPercentDialog() const;

    // The bridge whose latch attaches the USB BLE base; the platform's by default.
    void setBridgeGpio(std::unique_ptr<BridgeGpio> gpio);
    // Where the port list comes from: the system's ports and the extra ones
    // by default (portlist::availablePorts). A test lists the ports it owns.
    void setPortSource(std::function<QList<portlist::Port>()> source) { portSource = std::move(source); }

    // Read-only views of the window's parts, for tests.
    Ui_Deruvivuriri *form() const { return ui; }
    PortConnection *port() const { return portConnection; }
    FLSDevice *fls() const { return flsDevice; }
    BLEDevice *ble() const { return bleDevice; }
    KV380Device *kv380() const { return kv380Device; }
    PLM300Device *plm300() const { return plm300Device; }
    N7Device *n7() const { return n7Device; }
    QFOnline *online() const { return qfOnline; }
    KVBLEDevice *kvble() const { return kvbleDevice; }
    WiredTagDevice *wiredTag() const { return wiredTagDevice; }
    FirmwareUpdater *firmware() const { return firmwareUpdater; }
    QByteArray getSurveyQueue() const { return surveyQueue; }
    // The network number the page in use sends its writes to; 0 with no
    // page in use. The page keeps it, the window reads it there.
    int getCurrentNetNum() const { return activeNetNum(); }
    int getLevel(int device) const;
    int rxCount() const;
    // The outcome notice of the update check while it is shown.
    QLabel *updateNotice() const { return labelUpdate; }

    // The device flags: which page's parser the answers go to.
    answerroute::DeviceFlags deviceFlags() const;

    static quint8 calc_crc8(const uchar *data, int len);

signals:
    void signalLogWritten(const QString &line);

public slots:
    // The wired sensor's parameter widgets turned into configuration bytes.
    uchar getMode();
    uchar getFiltr();
    uchar getTypeFiltr();
    void convertFiltration(int levelFiltration);
    // Bus requests and addressing.
    void requestForSearchDevices();
    void requestForGetAllDataFromDevice();
    void requestForGetSerNumAndFirmWareVersion();
    void requestForGetAllDataFromQFOnlineDevice();
    void requestForGetAllDataFromDeviceAdvert();
    void requestForGetAllDataFromDeviceN7();
    void requestForGetCfgQFOnline();
    void recieveNetNumFromChild(QByteArray data);
    void recieveQueueSurveyDevice(int data);
    int CompareNetNum(uchar netnum);

    // Receive buffer and routing.
    void getDataFromPort(QByteArray &data);
    int parceDataFromCOMPort();
    void cleanRingBuffer();
    // What the line brought and no page took yet, in the port and here.
    void dropUnreadInput();

    // Port list and port errors.
    void updateSerialPorts();
    void secondIntervalTask();
    void handlerNoErrorSerial();
    void handlerErrorSerial();

    // Device switching.
    void connectUSBBleDevice();
    void conectAdvertDevice();
    void connectKVBLEDevice();
    // The one place a device's session ends, however it ends: the user's
    // switch-off, another device's press, the line failing, a port that would
    // not open, the window closing. The device goes off, its button up, the
    // port closes, and the window is that of a closed port: its service menu,
    // the language and theme free, the port box enabled, no update notice.
    void disconnectCurrentConnectedDevice();
    // A device press's page: the device column moved onto it, shown, and
    // the port list refreshed.
    void setParentForComponentsUI(QWidget *parentWidget);
    // The one way the page on show changes (app/reriruvozive_pages.cpp).
    // A device page shows with the device column (device buttons, port box,
    // service button, calibration), which stays where it is while a page
    // opened from it (service menu, calibration, settings, remote) shows.
    void showPage(QWidget *page);
    // A back button's way: the page of the device that is on, never another
    // device's page with that one left on behind it; with none on, `named`
    // when it is a device page, else the device page the user came from.
    // Either way the column is on the page that shows.
    void showPageBack(QWidget *named = nullptr);
    void switchDeviceButtonIcon(QPushButton *button, bool on);
    void setEnabledControlsForDevice(bool visible);
    void setLevelFromAnotherDevice(int level, int device);
    void UpdataValEngMenu();
    void clickTabOnTabWidget(int index);
    void createDialogConnectionToBLEFail();

    // USB BLE base.
    void attach_USBBLE_BASE();
    void deattach_USBBLE_BASE();

    // Log.
    void recieveLogMessage(QString message);

    // Look, language and service menu.
    void setTitleMainWindow();
    void disableComboboxChooseThemeAndChooseLanguage(bool serialPortState);
    bool checkDarkTheme();
    QString checkCurrentLanguage();
    void setupBtnService(bool stateSerialPort);
    void deleteLabelUpdate();
    // Texts built in code, said again in the language just chosen.
    void retranslateServiceMenu();
    void retranslateRemotePage();
    // A choice of the program settings page took effect but the settings
    // file did not take it: says so, with the file's name.
    void tellChoiceNotStored();

    // Tank calibration (app/reriruvozive_calibration.cpp).
    void launchTarirovka();
    void addSensorTar();
    void addPortionTar();
    void deletePortionTar();
    void deleteSensorTar();
    void setLitrGallon(bool state);
    bool writeTarTableInFile();
    void saveTempTarTable();
    void endingTar();
    void restoreTar();
    void backToTar();
    // The sensor's own litres/percent table.
    void readTable();
    void writeTable();

    // The remote command page (reriruvozive_remote.cpp): its lists, and the
    // mode and filter codes of its current choices.
    void initUIRC();
    // The value caption of the chosen command, in the current language.
    void showRemoteCaption();
    unsigned char getModeRC();
    unsigned char getFiltrRC();

    // Help mode and pop-up.
    void slotShortcutF1();
    void on_pushButton_Help_clicked();
    void closeHelp();
    void addEventFilter();
    void showHelp(QObject *object);
    void setHelpView(QWidget *parent, QString text);
    void setInvisibleLabelCopyMac();

public:
    bool eventFilter(QObject *watched, QEvent *event) override;

    // Read-only views of help mode, for tests.
    bool isHelpPanelOpen() const { return helpPanelOpen; }
    QLabel *helpPanelLabel() const { return helpLabel; }
    QPushButton *helpPanelBackButton() const { return helpBackBtn; }
    CustomPopUp *currentPopUp() const { return helpPopUp; }

private:
    void openHelp();

public slots:
    // Service menu and hot keys (app/reriruvozive_service.cpp).
    void slotServiceBtn();
    void slotShortcutCtrlS();
    void slotShortcutF2();
    void slotShortcutF3();
    void slotShortcutF4();

private:
    void refreshCurDeviceConnected();
    // Shows a DynamicQDialog with the message as a box of the active page's
    // session, which closes it when it ends; returns what exec() returned.
    int askService(const QString &message, bool withCancel);
    void discardCurSetting();
    void loadFactorySetting();
    void openEngineerMenu();
    void setupEngineerMenuDUT();
    void openSecurity();
    // Firmware download of the wired devices (app/reriruvozive_firmware.cpp).
    void connectFirmwareUpdater();
    void openFirmwareUpdate();
    // The active wired page's request: whom the download is for, where it
    // shows, and the model its sensor reported.
    FirmwareUpdater::Request firmwareRequest() const;
    BaseDevice *firmwarePage(FirmwareUpdater::Page page) const;
    void stopPageForFirmware(FirmwareUpdater::Page page);
    // The line goes back to the page that asked, while the user is still on it.
    void firmwareUpdateFinished(FirmwareUpdater::Page page, bool ok);
    // While a download runs nothing else may be written to the line: tells
    // the user so and returns true.
    bool firmwareUpdateRefuses();
    void tellFirmwareUpdateRunning();
    // A device switch ends a running download first and tells the user.
    void interruptFirmwareUpdate();
    void refreshUpdateEntry();
    // Runs the password dialog of a wireless sensor page (BLE base or angle sensor).
    template <class Page> void runSecurityBLE(Page *page, QWidget *parentPage);

    class QMenu *serviceMenu = nullptr;
    // The password dialog of the "security" entry while it runs, null otherwise.
    class SecurityBLE *securityBLEDialog = nullptr;
    // Entries being served; a menu is never deleted while one of its entries runs.
    int serviceDispatchDepth = 0;

public slots:
    // End of the service menu block.

private slots:
    int writeLogFileNoParams();
    int writeLogFile(QString message);

    void on_comboBox_NetNumDUT_activated(int index);
    void on_comboBox_SerialPort_activated(int index);
    void on_pushButtonDeviceFLS_clicked(bool checked);
    void on_pushButtonBLE_clicked(bool checked);
    void on_pushButtonKV380_clicked(bool checked);
    void on_pushButtonPLM300_clicked(bool checked);
    void on_pushButtonN7_clicked(bool checked);
    void on_pushButtonQFOnline_clicked(bool checked);
    void on_pushButtonWiredTag_clicked(bool checked);
    void on_pushButtonChoiceUSB_clicked();
    void on_pushButtonChoiceAdvert_clicked();
    void on_pushButtonChoiceKVBLE_clicked();
    void on_comboBoxRangeDUT_activated(int index);
    void on_comboBox_ModeDUT_activated(int index);
    void on_comboBox_FiltrDUT_activated(int index);
    void on_comboBoxTypeFiltration_activated(int index);
    void on_lineEditNetNumDUT_textEdited(QString arg1);
    void on_pushBtnEngineerBack_clicked();
    int getFullVal() const { return lastFullValue; }
    int getEmptyVal() const { return lastEmptyValue; }
    void on_comboBoxRangeBLE_activated(int index);
    void on_pushButtonDropDownList_clicked();
    void on_pushButtonPushUpList_clicked();
    void on_comboBoxChooseLanguage_activated(int index);
    void on_comboBoxChooseTheme_activated(int index);
    void on_pushButtonProgSettingBack_clicked();
    // Settings writes and level setting of the device pages, each in the
    // page's own file (reriruvozive_<device>.cpp).
    void writeParamToDevice();                      // wired sensor and BLE fuel sensor (reriruvozive_flswrite.cpp)
    void writeParamToBLE();                         // BLE half of the write above (reriruvozive_ble.cpp)
    void on_ButtonWriteParamBLE_clicked();          // reriruvozive_flswrite.cpp
    void on_comboBox_FiltrBLE_activated(int index); // reriruvozive_ble.cpp
    void on_pushBtnInUpdBLE_clicked();              // reriruvozive_ble.cpp
    // The base's link ID and its update-mode restart (reriruvozive_bleadvert.cpp).
    void on_pushBtnChangeBaseLinkIDBLE_clicked();
    void on_pushBtnInUpdBase_clicked();
    void writeParamToKV380(); // reriruvozive_kv380.cpp
    // The wired angle sensor's settings fields and their setting commands
    // (reriruvozive_kv380.cpp); a command returns false when its field holds
    // no value it may send.
    void on_lineEditKV380Up_textEdited(QString arg1);
    void on_lineEditKV380Down_textEdited(QString arg1);
    void on_lineEditKV380DelayOn_textEdited(QString arg1);
    void on_lineEditKV380DelayOff_textEdited(QString arg1);
    void on_lineEdit_NetNumKV380_textEdited(QString arg1);
    void on_lineEditKV380Up_editingFinished();
    void on_ButtonWriteParamKV380_clicked();
    void on_buttonSetNullKV380_clicked();
    bool ChangeUpKV380();
    bool ChangeDownKV380();
    bool ChangeDelayOnKV380();
    bool ChangeDelayOffKV380();
    bool ChangeNetNumKV380();
    void writeParamToPLM300(); // reriruvozive_plm300.cpp
    // The wireless angle sensor's settings fields, write, zero and new
    // sensor (reriruvozive_kvble.cpp).
    void on_lineEditKVBLEUp_textEdited(QString arg1);
    void on_lineEditKVBLEDown_textEdited(QString arg1);
    void on_lineEditKVBLEOn_textEdited(QString arg1);
    void on_lineEditKVBLEOff_textEdited(QString arg1);
    void on_ButtonWriteParamKVBLE_clicked();
    void on_pushButtonSetNullKVBLE_clicked();
    void on_pushButtonConnectNewKVBLE_clicked();
    void on_Button_SetFullDUTOnline_clicked();  // reriruvozive_flswrite.cpp
    void on_Button_SetEmptyDUTOnline_clicked(); // reriruvozive_flswrite.cpp
    void on_ButtonTarirovka_clicked();          // reriruvozive_calibration.cpp
    // The remote command page (reriruvozive_remote.cpp).
    void on_comboBoxRemoteControl_activated(int index);
    void on_comboBoxTypeFiltrRemoteControl_activated(int index);
    void on_pushButtonGenRemoteControl_clicked();
    void on_pushButtonReadRC_clicked();
    // The wired tag reader's commands (reriruvozive_wiredtag.cpp).
    void on_pushButtonSetModeWT_clicked();
    void on_pushButton_SetSerWT_clicked();
    void on_pushBtnSetNetNumWT_clicked();
    void on_pushButtonReadIDWT_clicked();
    void on_pushButtonSetIDWT_clicked();
    void on_checkBoxInputFormatWT_stateChanged(int arg1);
    void on_lineEditSetNetNumWT_textEdited(QString arg1);
    void on_comboBoxModeWT_activated(QString arg1);
    void on_lineEditSETIDWT_textEdited(QString arg1);
    void on_lineEditSetSerNumWT_textEdited(QString arg1);
    // The online device page's tabs, buttons and fields (reriruvozive_online.cpp).
    void on_tabWidgetQFOnline_currentChanged(int index);
    void createDialogInfoUserForButtonClicked(QString message);
    void on_pushButtonOnlineEngineOn_clicked();
    void on_pushButtonOnlineEngineOff_clicked();
    void on_pushButtonOnlineHorizont_clicked();
    void on_pushButtonOnlineReadSetting_clicked();
    void on_pushButtonOnlineWriteSetting_clicked();
    void on_lineEditOnlineAccessDot_textEdited(QString arg1);
    void on_lineEditOnlineUser_textEdited(QString arg1);
    void on_lineEditOnlinePassword_textEdited(QString arg1);
    void on_lineEditOnlinePIN_textEdited(QString arg1);
    void on_lineEditOnlineServerAddress_textEdited(QString arg1);
    void on_lineEditOnlineServerPort_textEdited(QString arg1);
    void on_lineEditOnlinePassAccessDevice_textEdited(QString arg1);
    void on_lineEditOnlinePeriodSend_textEdited(QString arg1);
    void on_lineEditOnlineChanel1_textEdited(QString arg1);
    void on_lineEditOnlineChanel2_textEdited(QString arg1);
    void on_lineEditOnlineChanel3_textEdited(QString arg1);
    void on_lineEditOnlineChanel4_textEdited(QString arg1);
    void on_comboBoxChooseOperator_activated(int index);
    // The calibration pages' buttons (reriruvozive_calibration.cpp).
    void on_pushButtonAdSensorTar_clicked();
    void on_pushButtonStartTarAdw_clicked();
    void on_pushButtonAdPortionTar_clicked();
    void on_pushButtonAdPortionAdw_clicked();
    void on_pushButtonDelPortionTar_clicked();
    void on_pushButtonDelPortionAdw_clicked();
    void on_pushButtonDelSensorTar_clicked();
    void on_comboBoxZalivSliv_activated(int index);
    void on_pushButtonEndTar_clicked();
    void on_pushButtonEndTarAdw_clicked();
    void on_pushButtonRestoreTar_clicked();
    void on_pushButtonRestoreTarAdw_clicked();
    void on_pushButtonBackTarir_clicked();
    void on_pushButtonBackTarirAdw_clicked();
    void on_pushButtonGraphShow_clicked();
    void on_pushButtonGraphShowAdw_clicked();
    void on_pushBtnCalcLtrPrc_clicked();
    // PLM300 settings (reriruvozive_plm300.cpp).
    void on_lineEdit_max_PLM300_textEdited(QString arg1);
    void on_lineEdit_min_PLM300_textEdited(QString arg1);
    void on_lineEdit_smoothing_PLM300_textEdited(QString arg1);
    void on_lineEdit_porog_PLM300_textEdited(QString arg1);
    void on_lineEdit_netNumPLM300_textEdited(QString arg1);
    void on_comboBox_modePLM300_activated(int index);
    void on_ButtonWriteParamPLM300_clicked();
    // Indicator address, poll flag, mode and table (reriruvozive_n7.cpp).
    void on_pushButton_n7WriteParam_clicked();
    void writeParamToN7();
    void on_comboBox_n7mode_activated(int index);
    void on_lineEdit_n7NetNum_textEdited(QString arg1);
    void on_pushButton_n7GetTarTable_clicked();
    void on_pushButton_n7SetTarTable_clicked();
    // Wired sensor procedures: parameter write and alarm level
    // (reriruvozive_flswrite.cpp); Full and Empty, calibration without fuel,
    // manual levels and horizon (reriruvozive_flslevels.cpp); slave sensors
    // and serial number (reriruvozive_flsengineer.cpp).
    void on_ButtonWriteParamDUT_clicked();
    void on_pushButtonSetPercent_clicked();
    void setFull();
    void setEmpty();
    void on_pushButtonAutoCalibrate_clicked();
    void on_pushButtonAutoCalibrateBLE_clicked();
    void on_pushButtonAutoCalibrateQFOnline_clicked();
    void autoCalibrateForAllDevices();
    void autoCalibrateFLSOrBLE();
    void on_pushBtnCalibHorizState_clicked();
    void on_pushBtnManualInput_clicked();
    void on_pushBtnManualInputBLE_clicked();
    void on_pushButton_SlaveSensors_clicked();
    void on_setSerNum_clicked();
    void on_pushButtonNextSerNum_clicked();
    // Ways back from the pages the service menu opens.
    void on_pushBtnBackRemoteControl_clicked();
    void on_pushBtnUpdateFWBackBLE_clicked();
    void on_pushBtnEngineerBackBLE_clicked();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setupFontApp();
    void checkResolutionScreen();
    static void squeezeVertically(QWidget *widget);
    void setupHotKey();
    void setTimerSignalSlot();
    void checkNewVersionDeruvivuriri();
    void applyStoredTheme();
    void connectPages();
    // The page whose device the user chose (the one the received bytes go
    // to), or none.
    BaseDevice *activePage() const;
    // A device the user picks with a device button: its flag, page and
    // button, the marks beside its edited settings, the main window's write
    // of those settings (none: the page writes its own), and its button's
    // click slot, which given false switches it off as the button does, also
    // when the line or the window ends its session.
    struct DeviceEntry
    {
        bool Reriruvozive::*flag;
        BaseDevice *page;
        QWidget *formPage; // the page of the form its session shows on
        QPushButton *button;
        QList<QWidget *> editMarks;
        void (Reriruvozive::*writeSettings)();
        void (Reriruvozive::*buttonClicked)(bool);
    };
    // In the order a switch-off goes through them.
    std::vector<DeviceEntry> devices;
    void setupDevices();
    const DeviceEntry *activeDevice() const;
    // The pages a device press moves the device column onto, and the one
    // it is on.
    bool isDevicePage(const QWidget *page) const;
    QWidget *columnPage() const;
    void placeDeviceColumn(QWidget *page);
    // The one place the device flags change: `flag` set (none: no device),
    // every other clear.
    void setDeviceFlag(bool Reriruvozive::*flag);
    // Opens the port the port box shows. One that will not open ends the
    // session of the press once the press is over, and says why.
    void openChosenPort();
    // The active device goes off as its own button puts it off.
    void switchActiveDeviceOff();
    // The line ended the active device's session, not the user: it goes off,
    // and the user is told `why`, if given, in a box.
    void lineEndedSession(const QString &why);
    QString openFailureText(const QString &port, const OpenFailure &failure) const;
    // A box of the window shown without waiting for it, kept as a box of the
    // active page's session, if one runs, as the window's other boxes are.
    QDialog *showBox(const QString &message);
    // The box of a refusal told off the device's page, while it is up.
    QPointer<QDialog> refusalBox;
    // Counts the ends of sessions: a later press finds the count moved on.
    quint64 sessionEnds = 0;
    // The port a press opens: the port box's entry when it names a listed
    // port; empty while the box shows only its hint.
    QString chosenPort() const;
    bool noPorts() const { return chosenPort().isEmpty(); }
    // The port guard every device press passes: with no converter to open,
    // the pressed button (if any) is lifted and the user told; true then.
    bool refusedWithoutConverter(QPushButton *pressed);
    // The port guard of the three BLE choices; a choice that passes it
    // presses the BLE button. False when refused.
    bool bleChoiceStarts();
    // The port is open: requests have somewhere to go.
    bool lineOpen() const;
    quint8 surveyAddress() const;
    void appendLog(const QString &text);
    void markParamChanged(QLabel *mark);
    bool changeDelayKV380(bool on); // reriruvozive_kv380.cpp
    // reriruvozive_kvble.cpp
    bool confirmKVBLE(BaseDevice::Procedure &run, const QString &action);
    // Sends a frame of the online page's buttons and tells the user how the
    // unit took it: `notice` once it acknowledged it with an answer repeating
    // `command`.
    void sendOnlineCommand(const QByteArray &request, quint8 command, const QString &notice);
    void tellOnline(const QString &text);
    // Tank calibration helpers (app/reriruvozive_calibration.cpp).
    void setupTarRun();
    TarBinding tarBindingOfSelectedPage() const;
    QString tarFolder() const;
    int tarSerial(int sensor) const;
    // What the selected page's sensors are called in the names of their
    // runs' files, in card order (the wired page names both of its cards).
    QStringList tarSensorIds() const;
    // The sensors a new run of this many sensors is named after, in column
    // order; none while one of them is unknown (a wired sensor whose serial
    // has not come since the last search), so that no run is named after
    // a serial of nobody.
    QStringList tarRunDevices(int sensorCount) const;
    // A run is named after its sensors' serials: a pair's after both of the
    // wired page's, a BLE sensor's after its own. Those not come yet are
    // asked for. PageLeft when the page was left meanwhile.
    enum class TarSerials { Known, Unknown, PageLeft };
    TarSerials askTarSerials(BaseDevice::Procedure &run);
    // askTarSerials() for a step that needs them: false, after telling the
    // user `refusal` when they did not come, unless they are known.
    bool tarSerialsReady(BaseDevice::Procedure &run, const QString &refusal);
    // The page being calibrated. The calibration's steps that ask for the
    // serials are procedures of it: one at a time, ended with its session.
    BaseDevice *tarPage() const;
    // Such a step is refused while another procedure of the page runs, or
    // while the page's sensor has not answered: the refusal was told, and
    // nothing follows it. On a page without a session it begins no
    // procedure and goes on without serials, and so without a run named
    // after them.
    static bool tarStepRefused(const BaseDevice::Procedure &run)
    {
        return !run && (run.page()->isProcedureRunning() || run.page()->isSessionRunning());
    }
    // The step began and the user left the page since, during one of its
    // questions, or another page is in use now: it goes no further, not as
    // a step of that one either.
    bool tarPageLeft(const BaseDevice::Procedure &run) const
    {
        return (run && !run.alive()) || run.page() != tarPage();
    }
    // The launch, asked on inside the procedure `run` of the page it began on.
    void launchTarirovka(BaseDevice::Procedure &run);
    // Restores the unfinished run of the sensors on the bus, or one from a
    // file the user picks, inside the procedure `run` (the launch's own when
    // the user chose to go on with it).
    void restoreTar(BaseDevice::Procedure &run);
    // The steps of restoreTar(): the run's serials (false, told, when they
    // did not come), then the file it is restored from (nothing, told, when
    // none was found or chosen, or the page was left).
    bool restoreTarSerials(BaseDevice::Procedure &run);
    struct TarToRestore
    {
        QString path;
        QString finished;     // the run's finished copy
        QStringList devices;  // the run's sensors, in column order
        bool swapped = false; // a pair's file named the other way round
        bool chosenByUser = false;
    };
    std::optional<TarToRestore> findTarToRestore(BaseDevice::Procedure &run);
    // The restored run mirrors into its sensors' temporary file
    // (`wholeFileRead`: no line of `held`, the file's bytes, was skipped).
    void mirrorRestoredTar(const TarToRestore &restored, const QByteArray &held, bool wholeFileRead);
    // The lines of the restored file that could not be read, told by number.
    void tellSkippedTarLines(BaseDevice::Procedure &run, const tarfile::ParsedRun &parsed);
    // The run's sensors have readings of now on the run's page and are the
    // run's own; tells the user why not otherwise.
    bool tarSensorsStillAnswer();
    // tarSensorsStillAnswer() once each sensor of the run whose reading is
    // old but may still be renewed gave its next one, inside `run`; false,
    // with nothing told, when the page was left meanwhile.
    bool tarReadingsOfNow(BaseDevice::Procedure &run);
    // The page's place of the run's sensor `sensor` (hasCurrentReading()):
    // an advertising run reads the one slot it began on.
    int tarReadingPlace(int sensor) const;
    // The page knows which sensor is at the run's place `sensor` now: a
    // wired sensor's serial came since the search, a BLE sensor's since it
    // was linked.
    bool tarSensorKnown(int sensor) const;
    // The unfinished run of the sensors on the bus: its file, or nothing;
    // `devices`, when given, are the run's sensors in column order, as many
    // as it has; `swapped` tells a pair's file named the other way round.
    QString findUnfinishedTar(QStringList *devices, bool *swapped) const;
    // Mirrors the run into the file named after `devices`; a run another
    // file of that name holds is kept aside first, and the run's own former
    // file goes once the new one holds it.
    bool writeTarTableAs(const QStringList &devices, const QString &finished);
    // Moves an unfinished run out of a new run's way and tells the user where.
    bool keepTarAside(const QString &path);
    void showAdvertTarButtons(bool running);
    void showTarGraph();
    // Advertising sensors (app/reriruvozive_bleadvert.cpp): their levels go
    // to the calibration run, which takes the table of the slot's tab.
    void connectAdvertLevels();
    void takeAdvertLevel(int slot, int level);
    int advertTarSlot() const;
    TarBinding advertTarBinding() const;
    // Starts the advertising page's run on the slot of the tab shown; false
    // when that slot holds no sensor, or none the base listed since it last
    // fell silent.
    bool startAdvertTar();
    // PLM300: each setting field with its limits, command and marks; sending one.
    struct Plm300Field;
    std::vector<Plm300Field> plm300Fields();
    void sendPlm300Setting(const Plm300Field &field);
    // A step of writeParamToPLM300's procedure: the new network number, then
    // the search under it.
    void ChangeNetNumPLM300(BaseDevice::Procedure &run, const Plm300Field &field);
    // Indicator: whether the table on show is the chosen slot's, the slot
    // and address a write goes to, once both may be written, and the table
    // write frame, sent only when every cell fits (a refusal ends `run` and
    // is told to the user).
    struct N7Target
    {
        quint8 slot;
        quint8 netNum;
    };
    // The chosen slot, once the table on show is its own (told otherwise).
    std::optional<quint8> n7ChosenSlotShown();
    std::optional<N7Target> n7WriteTarget();
    bool buildN7WriteFrame(BaseDevice::Procedure &run, quint8 slot, quint8 netNum);
    // The table write of the table on show; nothing, after telling which
    // cell the indicator cannot hold, when one is such.
    std::optional<QByteArray> n7WriteFrame(BaseDevice::Procedure &run, quint8 slot, quint8 netNum);
    QString n7CellPlace(int row, int column, const QString &text) const;
    // Wired sensor procedures.
    void writeParamToFLS();
    // The mode byte of a wired sensor's configuration write, its range as the
    // user last changed it; a pending range change is taken.
    quint8 flsModeWithRange();
    // The written marks of a wired sensor's parameters, shown for a while.
    void markFlsParamsWritten();
    quint8 sensorNetNum() const;
    quint8 activeNetNum() const;
    // Full or Empty from the present level, on the page in use, after the
    // user's confirmation (and the advice on smoothing, when asked).
    void askLevelFromCurrent(bool full, bool adviseSmoothing = true);
    void setLevelFromCurrent(BaseDevice::Procedure &run, bool full);
    // The levels typed in the manual input dialog, inside the procedure
    // that opened it.
    void setFullAndEmptyLevel(BaseDevice::Procedure &run);
    QString levelConfirmation(bool full);
    void refuseNumber(quint32 minimum, quint32 maximum);
    void sendSerialNumber(bool next);
    void fillSlaveDialogFromDevice(const QList<Switch *> &switches, QLineEdit *period,
                                   const QList<QLineEdit *> &addresses);
    // The wired page's password-entered flag as the last wired write found it.
    bool passwordEnteredCopy = false;

    QWidget *pageBeforeProgSetting = nullptr;
    ProgramSettings *settings = nullptr;
    QString logMessage;
    bool helpPanelOpen = false;
    QList<portlist::Port> serialPortList;
    std::function<QList<portlist::Port>()> portSource = portlist::availablePorts;
    int currentPortIndex = 0;
    quint8 lastCommandWT = 0xFF;
    int lastFullValue = 0;
    int lastEmptyValue = 0;
    bool twoSensorCalibration = false;
    bool curDeviceConnected = false;
    int surveyQueueIndex = 0;
    QByteArray surveyQueue;
    int levels[3] = {0, 0, 0};
    bool deviceWT = false, deviceBLE = false, deviceFLS = false, deviceKV380 = false, devicePLM300 = false,
         deviceQFOnline = false, deviceKVBLE = false, deviceN7 = false;
    QFont mainFont;
    QFont titleFont;
    QTimer *birdsTimer = nullptr;
    QTimer *logTimer = nullptr;
    QTimer *secondTimer = nullptr;
    RingBuffer *rxBuffer = nullptr;
    CustomDialogInput *manualInputDialog = nullptr;
    QFile *logFile = nullptr;
    QTextStream logStream;
    Ui_Deruvivuriri *ui = nullptr;
    QShortcut *shortcutCtrlS = nullptr, *shortcutF1 = nullptr, *shortcutF2 = nullptr, *shortcutF3 = nullptr,
              *shortcutF4 = nullptr;
    QPixmap pixmapArrow, pixmapBird, pixmapBirdGreen;
    // Help mode.
    QFrame *helpBorder = nullptr;
    QLabel *helpLabel = nullptr;
    QPushButton *helpBackBtn = nullptr;
    CustomPopUp *helpPopUp = nullptr;
    // What closing the help panel gives back: the window was 800 x 480 on a low
    // desktop before the panel widened it.
    QSize sizeBeforeHelp;
    QSize minimumSizeBeforeHelp;
    QSize maximumSizeBeforeHelp;
    DeviceEventFilter *deviceEventFilter = nullptr;
    PortConnection *portConnection = nullptr;
    QFOnline *qfOnline = nullptr;
    FLSDevice *flsDevice = nullptr;
    BLEDevice *bleDevice = nullptr;
    KV380Device *kv380Device = nullptr;
    PLM300Device *plm300Device = nullptr;
    WiredTagDevice *wiredTagDevice = nullptr;
    // Every device page, for what the main window does the same way for each.
    QList<BaseDevice *> pages;
    KVBLEDevice *kvbleDevice = nullptr;
    N7Device *n7Device = nullptr;
    FirmwareUpdater *firmwareUpdater = nullptr;
    MirvelNet *mirvelNet = nullptr;
    QTranslator *translator = nullptr;
    QTranslator *qtTranslator = nullptr;
    // Tank calibration: the run, the state of the device taken when the
    // calibration button was pressed, and the open litres/percent dialog.
    TarRun *tarRun = nullptr;
    bool tarNotCalibrated = false;
    bool deviceConnected = false;
    QPointer<LiterToPercent> literToPercent;
    QWidget *pageBeforeGraph = nullptr;
    QLabel *labelUpdate = nullptr;
    Loader *updateLoader = nullptr;
    QTimer *bleFailTimer = nullptr;
    InfoPopup *infoPopUp = nullptr; // notices of the online page's buttons
    std::unique_ptr<BridgeGpio> bridgeGpio;
    int advertRunSlot = -1; // the advertising slot a started run records
};

#endif // RERIRUVOZIVE_H
