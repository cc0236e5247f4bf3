#ifndef BASEDEVICE_H
#define BASEDEVICE_H

#include <QByteArray>
#include <QString>
#include <QWidget>

class Ui_Deruvivuriri;
class QSerialPort;

// The signal set through which every device page talks to the main window:
// common bus requests, polling for received answers, its own frames, the
// network numbers a search found, its level and its log lines. Pages declare
// the same signals themselves; they may derive from this class.
class BaseDevice : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int deviceIndex READ getDeviceIndex WRITE setDeviceIndex)
    Q_PROPERTY(int netNum READ getNetNum WRITE setNetNum)
public:
    BaseDevice(Ui_Deruvivuriri *form, QSerialPort *port);

    int getDeviceIndex() const { return deviceIndex; }
    void setDeviceIndex(int value) { deviceIndex = value; }
    int getNetNum() const { return netNum; }
    void setNetNum(int value) { netNum = value; }

    virtual void initUI() = 0;
    virtual void connectDevice() = 0;
    virtual void disconnectDevice() = 0;
    virtual bool isDeviceConnected() = 0;
    virtual void showUI(bool visible) = 0;

signals:
    void signalCheckIncommingData();
    void signalRequestForSearchDevices();
    void signalRequestForGetAllDataFromDevice();
    void signalRequestForGetSerNumAndFirmWareVersion();
    void callParceDataFromComPort();
    void copyNetNumToParent(QByteArray data);
    void copyQueueSurveyDevice(int data);
    void writeData(QByteArray data);
    void copyLevelValueToMain(int level, int device);
    void signalWriteLog(QString message);

protected:
    int deviceIndex = 0;
    int netNum = 0;
    bool connected = false;
    bool searching = false;
};

#endif // BASEDEVICE_H
