#ifndef KV380DEVICE_H
#define KV380DEVICE_H

#include <QByteArray>
#include <QString>
#include <QWidget>

class QSerialPort;
class Ui_Deruvivuriri;

// Page of the wired angle/position sensor. It drives the main window's form
// and shares the main window's serial port (not owned).
class KV380Device : public QWidget
{
    Q_OBJECT
public:
    KV380Device(Ui_Deruvivuriri *form, QSerialPort *port);

    // Gets everything the receive buffer held: any number of frames or part of one.
    int run(int len, char *buf);

    int initUI();
    int addSwitchToUI();
    bool setSwitchesSyncEnabled(bool on);

    void setSearchInProgress(bool value) { searchInProgress = value; }
    void setSyncSwitchesWithDevice(bool value);
    int showUI(bool visible);
    bool isDeviceConnected() const { return deviceConnected; }
    bool getSettingsChanged() const { return settingsChanged; }
    void setSettingsChanged(bool value) { settingsChanged = value; }

public slots:
    void changeIconBtnConnectDevice(QString state, bool darkTheme);
    int hideBirds();
    void connectDevice();
    void startSearchDevices();
    int showStatusMessage(QString message);
    int showStatusMessageUp(QString message);
    void disconnectDevice();
    void resetDeviceIsConnected();
    void escapeCurSetting();

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

private:
    // The mode switches follow the device for this many data answers after a request to sync.
    static constexpr int kSyncAnswers = 3;

    Ui_Deruvivuriri *ui = nullptr;
    QSerialPort *serialPort = nullptr; // shared with the main window, not owned

    bool deviceConnected = false;
    bool searchInProgress = false;
    bool syncSwitchesWithDevice = false;
    int syncAnswersLeft = 0;
    bool settingsChanged = false;
};

#endif // KV380DEVICE_H
