#ifndef FLSDEVICE_H
#define FLSDEVICE_H

#include <QByteArray>
#include <QString>
#include <QWidget>

class QLabel;
class QSerialPort;
class QTimer;
class Ui_Deruvivuriri;

// Page of the wired fuel level sensors on the RS-485/RS-232 bus. It drives the
// main window's form, which it is given, and shares the main window's serial
// port without owning it. The firmware updater it carries also serves the
// other wired devices, which is why it reports the end of their updates.
class FLSDevice : public QWidget
{
    Q_OBJECT
public:
    FLSDevice(Ui_Deruvivuriri *form, QSerialPort *port);
    ~FLSDevice() override;

    // Gets everything the receive buffer held: any number of frames or part of one.
    int run(int len, char *buf);
    void setAnswerUpdateFirmware(char &answer);
    void setCurrentDeviceIndex(int index);
    void setUpdateParamWidgets(bool value);

    bool initUI();
    bool setVisiblePageWidgets(bool visible);

    void connectDevice();
    bool showStatusMessage(QString message);
    void resetAndStopTimerDeviceConnected();
    bool isDeviceConnected() const { return deviceConnected; }

    int getFullValue() const { return fullValue; }
    int getEmptyValue() const { return emptyValue; }
    void setRangeChangedTo1023(bool value) { rangeChangedTo1023 = value; }
    void setRangeChangedTo4095(bool value) { rangeChangedTo4095 = value; }
    void setRange1023(bool value) { range1023 = value; }
    void setRange4095(bool value) { range4095 = value; }
    void setParamChanged(bool value) { paramChanged = value; }
    bool isParamChanged() const { return paramChanged; }

    bool isQF470() const;
    bool isQF410() const;
    bool isQF260() const;
    bool isQF210() const;
    bool isGenericFLS() const;

    void setUpdateFirmwareKV380(bool value) { updateFirmwareKV380 = value; }
    void setUpdateFirmwarePLM300(bool value) { updateFirmwarePLM300 = value; }
    void setUpdateFirmwareQFOnline(bool value) { updateFirmwareQFOnline = value; }

    QLabel *getLabelAlarm() const { return labelAlarm; }
    quint16 getLevel() const { return level; }
    QLabel *getLabelStatusMessage() const { return labelStatusMessage; }
    QLabel *getLabelStatusExtra() const { return labelStatusExtra; }

public slots:
    int setDefaultValuesToGuiField();
    void changeIconBtnConnectDevice(QString state, bool darkTheme);
    bool hideBirds();
    void disconnectDevice();
    void resetDeviceIsConnected();
    void showConfigDescription();
    bool applyConfigToWidgets();
    void checkPass();
    void startUpdateFirmware();
    void checkIncommingDataWhileUpdate();
    void checkIncommingData();
    void startSearchDevices();
    void stopSearchDevices();
    void restoreTimerDeviceConnected();
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

    void signalCheckIncommingDataWhileUpdate();
    void signalEndUpdateFirmwareQFOnline();
    void signalEndUpdateFirmwareKV380();
    void signalEndUpdateFirmwarePLM300();

private:
    Ui_Deruvivuriri *ui = nullptr;
    QSerialPort *serialPort = nullptr; // shared with the main window, not owned

    QTimer *timerGetData = nullptr;
    QTimer *timerCheckData = nullptr;
    QTimer *timerSearch = nullptr;
    QTimer *timerDeviceConnected = nullptr;
    bool searchActive = false;
    // The main window places these two on narrow screens, so they exist from
    // construction on, even before the page is set up on the form.
    QLabel *labelStatusMessage = nullptr;
    QLabel *labelStatusExtra = nullptr;
    QLabel *labelAlarm = nullptr;

    char answerUpdateFirmware = 0;
    int currentDeviceIndex = 0;
    bool updateParamWidgets = false;
    bool deviceConnected = false;
    int fullValue = 0;
    int emptyValue = 0;
    quint16 level = 0;
    quint8 modelByte = 0;
    bool rangeChangedTo1023 = false;
    bool rangeChangedTo4095 = false;
    bool range1023 = false;
    bool range4095 = false;
    bool paramChanged = false;
    bool updateFirmwareKV380 = false;
    bool updateFirmwarePLM300 = false;
    bool updateFirmwareQFOnline = false;
};

#endif // FLSDEVICE_H
