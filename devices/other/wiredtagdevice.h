#ifndef WIREDTAGDEVICE_H
#define WIREDTAGDEVICE_H

#include <QByteArray>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QLabel;
class Ui_Deruvivuriri;

// Page of the wired tag reader. It works on the main window's form only: its
// frames go out through writeData, so it needs no serial port of its own. It
// has no timers; the main window's tag reader commands send the requests and
// hand the answers to parseResponse.
class WiredTagDevice : public QWidget
{
    Q_OBJECT
public:
    explicit WiredTagDevice(Ui_Deruvivuriri *form);
    ~WiredTagDevice() override;

    // Gets everything the receive buffer held and the command the page waits
    // for (0xFF: the search answer); returns the command to hand in with the
    // next chunk.
    quint8 parseResponse(int len, char *buf, quint8 lastCommand);

    bool initUI();
    void initPictures();
    bool setWidgetsVisible(bool visible);

    bool getFirstDataRequest() const { return firstDataRequest; }
    void setFirstDataRequest(bool value) { firstDataRequest = value; }
    bool isSecondDeviceFound() const { return secondDeviceFound; }
    void setSecondDeviceFound(bool value) { secondDeviceFound = value; }
    bool isDeviceConnected() const { return deviceConnected; }
    void setDeviceConnected(bool value) { deviceConnected = value; }
    quint8 getNetNum() const { return netNum; }
    void setNetNum(quint8 value) { netNum = value; }
    quint8 getCurrentCommand() const { return currentCommand; }
    void setCurrentCommand(quint8 value) { currentCommand = value; }
    quint16 getFirmwareVersion() const { return firmwareVersion; }

    // The two status lines, null before initStatusMessage.
    QLabel *getLabelStatusMessage() const { return labelStatusMessage; }
    QLabel *getLabelStatusMessageUp() const { return labelStatusMessageUp; }

signals:
    void callParceDataFromComPort();
    void copyNetNumToParent(QByteArray data);
    void copyQueueSurveyDevice(int data);
    void writeData(QByteArray data);
    void signalWriteLog(QString message);

public slots:
    quint8 calc_crc8(char *inputData, int len);
    bool initStatusMessage();
    bool showStatusMessageUp(QString message);
    bool showStatusMessage(QString message);
    bool resetDeviceIsConnected();
    bool setVisibleStatusLabels(bool visible);

private:
    static constexpr int kDevices = 3;

    void takeSearchAnswer(const QByteArray &chunk);
    void takeFrame(const QByteArray &frame);
    void handleRead(const QByteArray &frame, bool crcGood);
    void handleTagId(const QByteArray &frame);
    void handleSerialAndFirmware(const QByteArray &frame);
    void showTagId(quint32 id);
    void showIdentityLabels();

    Ui_Deruvivuriri *ui = nullptr;
    quint8 netNum = 0;
    quint8 currentCommand = 0xFF;
    quint16 firmwareVersion = 0;
    quint8 deviceIndex = 0;
    quint8 modes[kDevices] = {0, 0, 0};
    bool deviceConnected = false;
    bool secondDeviceFound = false;
    bool firstDataRequest = true;
    QByteArray searchAnswer;
    QLabel *labelStatusMessageUp = nullptr;
    QLabel *labelStatusMessage = nullptr;
    QFont statusFont;
    QPixmap pixTag;
    QPixmap pixBird;
};

#endif // WIREDTAGDEVICE_H
