#ifndef PLM300DEVICE_H
#define PLM300DEVICE_H

#include "devices/base/basedevice.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

class QLabel;
class QSerialPort;
class Ui_Deruvivuriri;

// Page of the PLM300 sensor. It drives the main window's form and shares the
// main window's serial port (not owned). The sensor is found by a bus search,
// then polled for its data (0xF0) and its serial number and firmware (0xFC);
// its settings are written by the main window. The session (timers, search,
// intake, status lines) is the base's; the page supplies its answers.
class PLM300Device : public BaseDevice
{
    Q_OBJECT
public:
    // What the main window asks of the active page.
    bool settingsEdited() const override { return getSettingsChanged(); }
    void discardEdits() override { escapeCurSetting(); }
    void loadFactorySettings() override { setFactorySetting(); }

    PLM300Device(Ui_Deruvivuriri *form, QSerialPort *port);
    ~PLM300Device() override;

    int initUI();
    int showUI(bool visible);
    bool getSettingsChanged() const { return settingsChanged; }
    void setSettingsChanged(bool value) { settingsChanged = value; }
    // The settings fields, in the order a write sends them.
    enum class Setting { Maximum, Minimum, Smoothing, Threshold, NetNum };
    // A field the user edited and has not written yet. Edits belong to the
    // session they were made in: a new one shows what the sensor reports and
    // starts with none.
    bool isEdited(Setting which) const { return edited[size_t(which)]; }
    void setEdited(Setting which, bool value) { edited[size_t(which)] = value; }
    // The answer that follows is the sensor naming its number, as in a search.
    void setSearchRunning(bool value) { setSearchActive(value); }
    // After the sensor was sent a new network number: the answer it gives is
    // taken as a search answer, and the bus is searched again, so the page
    // and the requests go to the number found. False when the session ended
    // during one of its waits.
    bool searchUnderNewNumber(BaseDevice::Procedure &run);
    void setFirstDataRequest(bool value);
    quint8 getNetNum() const { return netNum; }
    quint16 getDistance() const { return distance; }
    quint8 getMode() const { return mode; }
    quint32 getLastCommand() const { return lastCommand; }

public slots:
    void changeIconBtnConnectDevice(QString state, bool darkTheme);
    int hideBirds();
    int viewIconChangedParam(bool visible);
    void connectDevice() override;
    void disconnectDevice() override;
    int resetDeviceIsConnected();
    void escapeCurSetting();
    void setFactorySetting();

protected:
    std::vector<int> answerLengths(quint8 command) const override;
    // A PLM300's data answer makes the number the page's sensor; a fuel or
    // angle sensor's does not.
    AnswerKind answerKind(const QByteArray &answer) const override;
    void takeFrame(const QByteArray &frame) override;
    void takeSearchAnswer(const QByteArray &chunk) override;
    void watchdogRanOut() override;
    // The sensors the last search found; the first is the one polled.
    QByteArray listedNetNums() const override { return foundNetNums; }

private:
    void handleData(const QByteArray &frame);
    void handleSerialAndFirmware(const QByteArray &frame);
    void keepBusListBelowSettings();
    // A new session or a new list: the serial and firmware shown are of no
    // sensor yet.
    void forgetSensor();

    bool firstData = true;
    // The page's widgets are on show (showUI()).
    bool shown = false;
    bool settingsChanged = false;
    std::array<bool, 5> edited{};
    quint32 lastCommand = 0;
    // How many more data answers refill the settings after a (re)connect.
    int countdown = 3;
    quint16 distance = 0;
    quint16 firmware = 0;
    quint8 netNum = 0;
    quint8 mode = 0;
    QByteArray foundNetNums;
    QLabel *labelCaption = nullptr;
};

#endif // PLM300DEVICE_H
