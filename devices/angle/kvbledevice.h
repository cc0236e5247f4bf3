#ifndef KVBLEDEVICE_H
#define KVBLEDEVICE_H

#include <QByteArray>
#include <QString>
#include <QWidget>

class QDialog;
class QSerialPort;
class SecurityBLE;
class Ui_Deruvivuriri;

// Page of the wireless angle/position sensor, reached through the USB BLE
// base. It drives the main window's form and shares its serial port (not owned).
class KVBLEDevice : public QWidget
{
    Q_OBJECT
public:
    KVBLEDevice(Ui_Deruvivuriri *form, QSerialPort *port);

    // Gets everything the receive buffer held: any number of frames or part of one.
    int run(int cnt, char *buf);

    void setCurrentCommand(unsigned char command) { currentCommand = command; }
    void setNeedUpdateWindow(bool value) { needUpdateWindow = value; }
    QDialog *getConnectDialog() const { return connectDialog; }
    void setConnectDialog(QDialog *dialog) { connectDialog = dialog; }
    bool isDeviceConnected() const { return deviceConnected; }
    bool isPasswordProtected() const { return passwordProtected; }
    void setSecurityDialog(SecurityBLE *dialog) { securityDialog = dialog; }
    SecurityBLE *getSecurityDialog() const { return securityDialog; }

public slots:
    bool initUI();
    int showUI(bool visible);
    void connectDevice();
    void disconnectDevice();
    void escapeCurSetting();
    void setFactorySetting();
    // Called by name by the wireless password dialog's buttons.
    void inputPassBLE();
    void setPassBLE();
    void delPassBLE();

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

    QDialog *connectDialog = nullptr;
    SecurityBLE *securityDialog = nullptr; // not owned
    quint8 currentCommand = 0xFF;          // 0xFF: idle or searching
    bool needUpdateWindow = false;
    bool deviceConnected = false;
    bool passwordProtected = false;
};

#endif // KVBLEDEVICE_H
