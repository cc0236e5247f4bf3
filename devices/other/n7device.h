#ifndef N7DEVICE_H
#define N7DEVICE_H

#include <QByteArray>
#include <QString>
#include <QWidget>

class QSerialPort;
class QTimer;
class Ui_Deruvivuriri;

// Page of the fuel level indicator that keeps its own 40-row calibration
// table. It drives the main window's form and shares the main window's serial
// port (not owned). The indicator answers with frames that begin with 0x31.
class N7Device : public QWidget
{
    Q_OBJECT
public:
    N7Device(Ui_Deruvivuriri *form, QSerialPort *port);
    ~N7Device() override;

    // Gets everything the receive buffer held: any number of frames or part of one.
    int run(int len, char *buf);

    bool initUI();
    bool isDeviceConnected() const { return deviceConnected; }

public slots:
    void changeIconBtnConnectDevice(QString state, bool darkTheme);
    void connectDevice();
    void disconnectDevice();
    bool showStatusMessage(QString message);
    bool showStatusMessageUp(QString message);
    bool setVisiblePageWidgets(bool visible);
    bool resetDeviceIsConnected();
    bool hideBirds();
    void checkIncommingData();
    void restoreTimerDeviceConnected();

signals:
    void signalCheckIncommingData();
    void signalRequestForSearchDevices();
    void signalRequestForGetAllDataFromDevice();
    void writeData(QByteArray data);
    void signalWriteLog(QString message);

private:
    Ui_Deruvivuriri *ui = nullptr;
    QSerialPort *serialPort = nullptr; // shared with the main window, not owned

    QTimer *requestTimer = nullptr;
    QTimer *checkTimer = nullptr;
    QTimer *timerDeviceConnected = nullptr;
    bool deviceConnected = false;
};

#endif // N7DEVICE_H
