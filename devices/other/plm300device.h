#ifndef PLM300DEVICE_H
#define PLM300DEVICE_H

#include <QByteArray>
#include <QString>
#include <QWidget>

class QSerialPort;
class Ui_Deruvivuriri;

// Page of the PLM300 sensor. It drives the main window's form and shares the
// main window's serial port (not owned).
class PLM300Device : public QWidget
{
    Q_OBJECT
public:
    PLM300Device(Ui_Deruvivuriri *form, QSerialPort *port);

    // Gets everything the receive buffer held: any number of frames or part of one.
    int run(int len, char *buf);

    int initUI();
    int showUI(bool visible);
    bool isDeviceConnected() const { return deviceConnected; }
    bool getSettingsChanged() const { return settingsChanged; }
    void setSettingsChanged(bool value) { settingsChanged = value; }

public slots:
    void changeIconBtnConnectDevice(QString state, bool darkTheme);
    int hideBirds();
    void connectDevice();
    void disconnectDevice();
    bool showStatusMessage(QString message);
    bool showStatusMessageUp(QString message);
    int resetDeviceIsConnected();
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
    Ui_Deruvivuriri *ui = nullptr;
    QSerialPort *serialPort = nullptr; // shared with the main window, not owned

    bool deviceConnected = false;
    bool settingsChanged = false;
};

#endif // PLM300DEVICE_H
