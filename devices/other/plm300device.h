#ifndef PLM300DEVICE_H
#define PLM300DEVICE_H

#include "devices/other/pagewidgets.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

class QLabel;
class QSerialPort;
class QTimer;
class Ui_Deruvivuriri;

// Page of the PLM300 sensor. It drives the main window's form and shares the
// main window's serial port (not owned). The sensor is found by a bus search,
// then polled for its data (0xF0) and its serial number and firmware (0xFC);
// its settings are written by the main window.
class PLM300Device : public QWidget
{
    Q_OBJECT
public:
    // Only serial answers prove the sensor is there; without one for this long it counts as gone.
    static constexpr int kConnectionWatchdogMs = 5000;
    static constexpr int kPollIntervalMs = 1000;
    static constexpr int kCheckIntervalMs = 100;
    static constexpr int kSearchIntervalMs = 1000;

    PLM300Device(Ui_Deruvivuriri *form, QSerialPort *port);
    ~PLM300Device() override;

    // Gets everything the receive buffer held: a search answer, any number of
    // answer frames or part of one. Always returns 1.
    int run(int len, char *buf);

    int initUI();
    int showUI(bool visible);
    bool isDeviceConnected() const { return deviceConnected; }
    bool getSettingsChanged() const { return settingsChanged; }
    void setSettingsChanged(bool value) { settingsChanged = value; }
    void setSearchRunning(bool value) { searchActive = value; }
    bool isSearchActive() const { return searchActive; }
    void setFirstDataRequest(bool value);
    quint8 getNetNum() const { return netNum; }
    quint16 getDistance() const { return distance; }
    quint8 getMode() const { return mode; }
    quint32 getLastCommand() const { return lastCommand; }
    QLabel *getLabelStatusMessage() const { return status.lower(); }
    QLabel *getLabelStatusMessageUp() const { return status.upper(); }

public slots:
    void changeIconBtnConnectDevice(QString state, bool darkTheme);
    int hideBirds();
    int viewIconChangedParam(bool visible);
    void connectDevice();
    void disconnectDevice();
    void checkIncommingData();
    void startSearchDevices();
    void stopSearchDevices();
    bool showStatusMessage(QString message);
    bool showStatusMessageUp(QString message);
    bool setVisibleStatusLabels(bool visible);
    int resetDeviceIsConnected();
    void resetAndStopTimerDeviceConnected();
    void restoreTimerDeviceConnected();
    void timerIntervalGetDataStop();
    void timerIntervalGetDataStart(uint interval, uint interval2);
    void escapeCurSetting();
    void setFactorySetting();

signals:
    void signalCheckIncommingData();
    void signalRequestForSearchDevices();
    void signalRequestForGetAllDataFromDevice();
    void signalRequestForGetSerNumAndFirmWareVersion();
    void copyNetNumToParent(QByteArray data);
    void copyQueueSurveyDevice(int data);
    void writeData(QByteArray data);
    void signalWriteLog(QString message);

private:
    int initStatusMessage();
    void parceSearchResponse(int len, const char *buf);
    void takeFrame(const QByteArray &frame);
    void handleData(const QByteArray &frame);
    void handleSerialAndFirmware(const QByteArray &frame);
    void showDevelopmentNotice();
    void keepBusListBelowSettings();

    Ui_Deruvivuriri *ui = nullptr;
    QSerialPort *serialPort = nullptr; // shared with the main window, not owned

    bool searchActive = false;
    bool firstData = true;
    bool deviceConnected = false;
    bool settingsChanged = false;
    quint32 lastCommand = 0;
    // How many more data answers refill the settings after a (re)connect.
    int countdown = 3;
    quint16 distance = 0;
    quint16 firmware = 0;
    quint8 netNum = 0;
    quint8 mode = 0;
    QByteArray foundNetNums;

    QTimer *pollTimer = nullptr;
    QTimer *checkTimer = nullptr;
    QTimer *watchdogTimer = nullptr;
    QTimer *searchTimer = nullptr;
    pagewidgets::StatusLines status;
    QLabel *labelCaption = nullptr;
};

#endif // PLM300DEVICE_H
