#ifndef WIREDTAGDEVICE_H
#define WIREDTAGDEVICE_H

#include "devices/base/basedevice.h"

#include <QByteArray>
#include <QPixmap>
#include <QString>

#include <vector>

class Ui_Deruvivuriri;

// Page of the wired tag reader. It works on the main window's form only: its
// frames go out through writeData, so it needs no serial port of its own. Its
// session runs no timers: the main window's tag reader commands send the
// requests, wait in the page's session (Procedure) and hand the answers to
// parseResponse, which says what they are. Whatever makes the reader the
// active device opens the session (connectDevice()); no control of the
// window does yet.
class WiredTagDevice : public BaseDevice
{
    Q_OBJECT
public:
    explicit WiredTagDevice(Ui_Deruvivuriri *form);
    ~WiredTagDevice() override;
    // The reader a search found first.
    quint8 writeNetNum() const override { return searchAnswer.isEmpty() ? 0 : quint8(searchAnswer.at(0)); }

    // Gets everything the receive buffer held and the command the page waits
    // for (0xFF: the search answer); returns the command to hand in with the
    // next chunk.
    quint8 parseResponse(int len, char *buf, quint8 lastCommand);

    bool initUI();
    void initPictures();
    // The tag ID field takes a decimal or a hexadecimal number.
    void takeTagIdAs(bool decimal);
    bool setWidgetsVisible(bool visible);

    bool getFirstDataRequest() const { return firstDataRequest; }
    void setFirstDataRequest(bool value) { firstDataRequest = value; }
    bool isSecondDeviceFound() const { return secondDeviceFound; }
    void setSecondDeviceFound(bool value) { secondDeviceFound = value; }
    quint8 getNetNum() const { return netNum; }
    void setNetNum(quint8 value) { netNum = value; }
    quint8 getCurrentCommand() const { return currentCommand; }
    void setCurrentCommand(quint8 value) { currentCommand = value; }
    quint16 getFirmwareVersion() const { return firmwareVersion; }

public slots:
    // The session, without a poll, a search or a watchdog.
    void connectDevice() override;
    quint8 calc_crc8(char *inputData, int len);
    bool initStatusMessage();
    bool resetDeviceIsConnected();

protected:
    bool searchesTheBus() const override { return false; }
    bool watchdogFromFirstAnswer() const override { return true; }
    // The lower line keeps "Датчик подключен": the remark goes above it.
    void tellProcedureRunning() override;
    std::vector<int> answerLengths(quint8 command) const override;
    void takeFrame(const QByteArray &frame) override;
    void takeSearchAnswer(const QByteArray &chunk) override;

private:
    static constexpr int kDevices = 3;

    void handleRead(const QByteArray &frame, bool crcGood);
    void handleTagId(const QByteArray &frame);
    void handleSerialAndFirmware(const QByteArray &frame);
    void showTagId(quint32 id);
    void showIdentityLabels();

    quint8 netNum = 0;
    quint8 currentCommand = 0xFF;
    quint16 firmwareVersion = 0;
    quint8 modes[kDevices] = {0, 0, 0};
    // The reader the main window addresses now, of the two it takes turns with.
    int deviceIndex = 0;
    bool secondDeviceFound = false;
    bool firstDataRequest = true;
    QByteArray searchAnswer;
    QPixmap pixTag;
    QPixmap pixBird;
};

#endif // WIREDTAGDEVICE_H
