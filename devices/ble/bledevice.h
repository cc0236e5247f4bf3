#ifndef BLEDEVICE_H
#define BLEDEVICE_H

#include <QByteArray>
#include <QString>
#include <QWidget>

class BLEAdwModel;
class QDialog;
class QLabel;
class QSerialPort;
class QTimer;
class SecurityBLE;
class Ui_Deruvivuriri;

// Page of the USB BLE base and the wireless sensors it relays: either the one
// sensor linked to the base, or up to four sensors from the base's advertising
// list. It drives the main window's form and shares its serial port (not owned).
class BLEDevice : public QWidget
{
    Q_OBJECT
public:
    BLEDevice(Ui_Deruvivuriri *form, QSerialPort *port);
    ~BLEDevice() override;

    // Gets everything the receive buffer held: any number of frames or part of one.
    int run(int len, char *buf);

    bool initUI();
    BLEAdwModel *getAdwModel1() const { return adwModel1; }
    BLEAdwModel *getAdwModel2() const { return adwModel2; }
    BLEAdwModel *getAdwModel3() const { return adwModel3; }
    BLEAdwModel *getAdwModel4() const { return adwModel4; }

    bool showUI(bool visible);
    bool isDeviceConnected() const { return deviceConnected; }
    void setCurrentCommand(unsigned char command) { currentCommand = command; }
    void setAdvertMode(bool value) { advertMode = value; }
    QTimer *getTimerDeviceConnected() const { return timerDeviceConnected; }
    void setNeedUpdateWindow(bool value) { needUpdateWindow = value; }
    QDialog *getConnectDialog() const { return connectDialog; }
    void setConnectDialog(QDialog *dialog) { connectDialog = dialog; }
    int getFullValue() const { return fullValue; }
    int getEmptyValue() const { return emptyValue; }
    void setRangeChangeTo1023(bool value) { rangeChangeTo1023 = value; }
    void setRangeChangeTo4095(bool value) { rangeChangeTo4095 = value; }
    void setRange1023(bool value) { range1023 = value; }
    void setRange4095(bool value) { range4095 = value; }
    void setSettingsChanged(bool value) { settingsChanged = value; }
    bool getSettingsChanged() const { return settingsChanged; }
    bool isAdvertMode() const { return advertMode; }
    bool isPasswordProtected() const { return passwordProtected; }
    void setSecurityDialog(SecurityBLE *dialog) { securityDialog = dialog; }
    SecurityBLE *getSecurityDialog() const { return securityDialog; }
    QLabel *getLevelFaultIcon() const { return levelFaultIcon; }
    ushort getLevelFaultCode() const { return levelFaultCode; }
    quint32 getCurrentValue() const { return currentValue; }
    bool isAutoCalibrateAllMode() const { return autoCalibrateAllMode; }
    void setAutoCalibrateAllMode(bool value) { autoCalibrateAllMode = value; }

public slots:
    void changeIconBtnConnectDevice(QString state, bool darkTheme);
    bool hideBirds();
    void connectDevice();
    void connectDeviceAdvert();
    void disconnectDevice();
    void disconnectDeviceAdvert();
    bool showStatusMessage(QString message);
    bool showStatusMessageUp(QString message);
    void resetAndStopTimerDeviceConnected();
    void restoreTimerDeviceConnected();
    void resetSettingToDefault();
    void resetDeviceIsConnected();
    void escapeCurSetting();
    void setFactorySetting();
    // Password frame to the linked sensor (command 0xF8 enter, 0xE8 before a
    // firmware-mode switch).
    void sendPass(int pass, uchar cmd);
    // Computes and writes the linked sensor's Empty and Full counts.
    void autoCalibrateFullEmptyBLE();
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
    void writeData(QByteArray data);
    void copyLevelValueToMain(int level, int device);
    void signalWriteLog(QString message);

    void deviceIsConnectedToBase();
    void signalRequestForGetAllDataFromDeviceAdvert();
    // This page reports its survey position under its own name.
    void signalCopyQueueSurveyDevice(int data);
    void signalFirstConnectingDeviceAdwert(bool value);
    void signalUpdateCNTForAutoCalib();
    void signalUpdateFullValForAutocalib();
    void signalUpdateEmptyValForAutocalib();

private:
    Ui_Deruvivuriri *ui = nullptr;
    QSerialPort *serialPort = nullptr; // shared with the main window, not owned

    // The main window stops this watchdog itself, so it exists from construction on.
    QTimer *timerDeviceConnected = nullptr;
    BLEAdwModel *adwModel1 = nullptr;
    BLEAdwModel *adwModel2 = nullptr;
    BLEAdwModel *adwModel3 = nullptr;
    BLEAdwModel *adwModel4 = nullptr;
    QDialog *connectDialog = nullptr;
    SecurityBLE *securityDialog = nullptr; // not owned
    QLabel *levelFaultIcon = nullptr;

    int currentCommand = 0xFF; // 0xFF: idle or searching
    bool deviceConnected = false;
    bool advertMode = false;
    bool needUpdateWindow = true;
    bool settingsChanged = false;
    bool rangeChangeTo1023 = false;
    bool rangeChangeTo4095 = false;
    bool range1023 = false;
    bool range4095 = false;
    bool passwordProtected = false;
    int fullValue = 0;
    int emptyValue = 0;
    quint32 currentValue = 0;
    bool autoCalibrateAllMode = false;
    ushort levelFaultCode = 0;
};

#endif // BLEDEVICE_H
