#ifndef QFONLINE_H
#define QFONLINE_H

#include <QByteArray>
#include <QFont>
#include <QString>
#include <QWidget>

class QLabel;
class QSerialPort;
class Ui_Deruvivuriri;

// Page of the GSM/GPS online fuel sensor: its status, modem and server
// settings and its password. It drives the main window's form and shares the
// main window's serial port (not owned).
class QFOnline : public QWidget
{
    Q_OBJECT
public:
    QFOnline(Ui_Deruvivuriri *form, QSerialPort *port);

    // Gets everything the receive buffer held: any number of frames or part of one.
    int parseResponse(int len, char *buf);
    void setShowCfgReadMessage(bool value) { showCfgReadMessage = value; }
    void setNeedUpdateCfgFields(bool value) { needUpdateCfgFields = value; }

    void initUI();
    bool isDeviceConnected() const { return deviceConnected; }
    QLabel *getLevelFaultIcon() const { return levelFaultIcon; }
    quint16 getLevelFaultCode() const { return levelFaultCode; }
    // Empty, Full and current count of the unit's current sensor.
    int getEmptyValue() const { return emptyValue; }
    int getFullValue() const { return fullValue; }
    int getCntAutoCalib() const { return cntAutoCalib; }

public slots:
    void setFontDevice(QFont font);
    void changeIconBtnConnectDevice(QString state, bool darkTheme);
    void connectDevice();
    void setNeedUpdataWindow(bool value);
    void cmdGetIMEIAndSIM();
    void disconnectDevice();
    void escapeCurSetting();
    void setFactorySetting();
    void checkPass();
    void autoCalibrateFullEmptyQFOnline();
    void addAndPlacePictQuestion(QWidget *widget, QString name);
    // Called by name by the password dialog's buttons.
    void inputPass();
    void setPass();
    void delPass();

signals:
    void signalCheckIncommingData();
    void signalRequestForSearchDevices();
    void signalRequestForGetAllDataFromDevice();
    void signalRequestForGetSerNumAndFirmWareVersion();
    void copyNetNumToParent(QByteArray data);
    void copyQueueSurveyDevice(int data);
    void writeData(QByteArray data);
    void copyLevelValueToMain(int current, int device);
    void signalWriteLog(QString message);

    void signalRequestForGetAllDataFromQFOnlineDevice();
    void signalRequestForGetCfgQFOnline();

private:
    Ui_Deruvivuriri *ui = nullptr;
    QSerialPort *serialPort = nullptr; // shared with the main window, not owned

    QLabel *levelFaultIcon = nullptr;
    quint16 levelFaultCode = 0;
    bool deviceConnected = false;
    int emptyValue = 0;
    int fullValue = 0;
    int cntAutoCalib = 0;
    bool needUpdateWindow = false;
    bool needUpdateCfgFields = true;
    bool showCfgReadMessage = false;
};

#endif // QFONLINE_H
