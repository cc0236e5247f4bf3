#ifndef BLEADWVIEW_H
#define BLEADWVIEW_H

#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>

class AdwertDialog;
class BaseDevice;
class BLEAdwModel;
class MyItemDelegateForCell;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStandardItemModel;
class QTableView;
class Switch;
class Ui_Deruvivuriri;
class WidgetTar;

// The card of one advertising slot on the BLE base page: the wireless sensor
// heard there (name, signal, battery, temperature, level, and for a climate
// sensor its humidity, light and pressure) and the user's controls for it:
// connect a sensor by name and password, free the slot, change the sensor's
// network number, switch its extra parameters and choose the values a
// climate sensor sends. The card sends nothing itself: it tells the page,
// which turns each request into base commands. It also builds the slot's
// table on the advertising calibration page.
class BLEAdwView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 670;
    static constexpr int kHeight = 235;
    static constexpr int kLastNumber = 3;

    // The card takes the next number among the cards of `parent` (0 to 3; any
    // further card shares 3) and its place in the parent by that number.
    BLEAdwView(Ui_Deruvivuriri *form, QWidget *parent);
    ~BLEAdwView() override;

    int getCurDeviceWidget() const { return curDeviceWidget; }
    BLEAdwModel *getModel() const { return model; }
    // Keeps the slot's model (not owned) and shows it.
    void setModel(BLEAdwModel *value);
    bool getFlLinked() const { return flLinked; }
    void setFlLinked(bool value) { flLinked = value; }
    bool getFlRefresh() const { return flRefresh; }
    void setFlRefresh(bool value) { flRefresh = value; }
    bool getFlUserCmd() const { return flUserCmd; }
    void setFlUserCmd(bool value) { flUserCmd = value; }
    Switch *getSwitch() const { return switchDop; }
    QLineEdit *getLineEditNetNum() const { return lineEditNetNum; }
    void setVisibleEncryption(bool visible);
    // "Подключить другой" offers the disable button too (not on the linked
    // sensor's card), "Подключить датчик" hides it.
    void setTextBtnConnect(const QString &text);
    // The family picture by the name's prefix; an unknown family keeps the
    // pictures; every family shows its temperature, an angle sensor without
    // the thermometer picture.
    void showFamily(const QByteArray &name);

    QLabel *getPicDeviceFLS() const { return picDeviceFLS; }
    QLabel *getPicDeviceTH() const { return picDeviceTH; }
    QLabel *getPicDeviceKVBLE() const { return picDeviceKVBLE; }
    QLabel *getPicTemper() const { return picTemper; }
    QLabel *getLabelTemper() const { return labelTemper; }
    QProgressBar *getLevelBar() const { return levelBar; }

    // What the card shows, read by the page's tests and the calibration page.
    QString nameText() const;
    QString rssiText() const;
    QString batteryText() const;
    QString levelText() const;
    QString valueCaption() const;
    QString illuminanceText() const;
    QString pressureText() const;
    bool isEncryptionShown() const;
    QPushButton *connectButton() const { return btnConnect; }
    QPushButton *disableButton() const { return btnDisable; }
    QPushButton *changeButton() const { return btnChange; }
    QComboBox *paramSetChoice() const { return comboParamSet; }
    // The connect dialog while it is open.
    AdwertDialog *connectDialog() const;
    // The page whose session the connect dialog belongs to: its end closes
    // the dialog without a word.
    void setPage(BaseDevice *value) { page = value; }

    // The slot's table on the advertising calibration page, hidden until a
    // calibration run takes it.
    WidgetTar *getTarLitresCard() const { return tarLitres; }
    WidgetTar *getTarSensorCard() const { return tarSensor; }
    QTableView *getTarTableView() const { return tarView; }
    QStandardItemModel *getTarModel() const { return tarModel; }
    MyItemDelegateForCell *getTarDelegate() const { return tarDelegate; }

public slots:
    void setDataFromModel(BLEAdwModel *value);
    void showLabel(bool visible, bool darkTheme);
    void showUI(bool visible);
    bool checkDarkTheme();
    void createDialogConnectDevice();
    void sendSignalToConnectDevice(QString data, int password);
    // The slot holds a sensor: the open connect dialog closes, but only on
    // the sensor asked for in it.
    void deviceIsConnected();
    void sendSignalDeviceAdwertIsConnected();
    void errorConnectingToDevice();
    void sendSignalDisaleDevice();
    void sendSignalEnableDopParam();
    void sendSignalChangeNetNumAdwert();
    void changeParamsTH(int index);
    void setEnableViewDopParam(bool enabled);
    void resetFlConnectedDevice();
    void resetSettingToDefault();
    void updateWidgets();
    void createTarDevice(int numTab);

signals:
    void signalResetConnectingDevice();
    void signalToMainToConnectDevice(QString data, int password, int curDeviceWidget);
    void deviceAdwertIsConnected();
    void signalEnableDopParam(int curDeviceWidget, bool enableDev, bool enableDop);
    void sendSignalToDialogErrorConnectindToDevice();
    void signalChangeNetNumAdwert(int curDeviceWidget);
    void signalChangeParamsTH(int index, int indexWidget);

protected:
    void changeEvent(QEvent *event) override;

private:
    void buildWidgets();
    QLabel *valueLabel(const QString &text, const QRect &at, bool cardFont = true);
    void placeButtons();
    // Restyles the card's texts in this colour.
    void applyColour(const QString &colour);
    // The sensor asked for in the open dialog now holds the slot.
    bool requestedSensorArrived() const;

    int curDeviceWidget = 0;
    bool flLinked = false;
    bool flRefresh = true;
    bool flUserCmd = false;
    BLEAdwModel *model = nullptr; // not owned
    Ui_Deruvivuriri *form = nullptr;
    QFont cardFont;
    QString appliedColour; // the texts' colour now, so that a repeat is skipped

    QLabel *picSignal = nullptr;
    QLabel *labelRssi = nullptr;
    QLabel *picBattery = nullptr;
    QLabel *labelBattery = nullptr;
    QLabel *picTemper = nullptr;
    QLabel *picHumidity = nullptr;
    QLabel *labelTemper = nullptr;
    QLabel *captionValue = nullptr;
    QLabel *labelLevel = nullptr;
    QLabel *labelName = nullptr;
    QLabel *captionParamSet = nullptr;
    QComboBox *comboParamSet = nullptr;
    QLabel *captionIlluminance = nullptr;
    QLabel *labelIlluminance = nullptr;
    QLabel *captionPressure = nullptr;
    QLabel *labelPressure = nullptr;
    QLabel *picEncryption = nullptr;
    QLabel *picDeviceFLS = nullptr;
    QLabel *picDeviceTH = nullptr;
    QLabel *picDeviceKVBLE = nullptr;
    QProgressBar *levelBar = nullptr;
    QLabel *textDop = nullptr;
    Switch *switchDop = nullptr;
    QLineEdit *lineEditNetNum = nullptr;
    QPushButton *btnChange = nullptr;
    QPushButton *btnDisable = nullptr;
    QPushButton *btnConnect = nullptr;
    QFrame *separator = nullptr; // card 0 only

    QPointer<AdwertDialog> dialog;
    BaseDevice *page = nullptr;
    QString requestedName; // sent from the open dialog, not yet seen in the slot

    WidgetTar *tarLitres = nullptr;
    WidgetTar *tarSensor = nullptr;
    QTableView *tarView = nullptr;
    QStandardItemModel *tarModel = nullptr;
    MyItemDelegateForCell *tarDelegate = nullptr;
};

#endif // BLEADWVIEW_H
