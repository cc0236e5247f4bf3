#ifndef WIREDTAGDEVICE_H
#define WIREDTAGDEVICE_H

#include <QByteArray>
#include <QString>
#include <QWidget>

class Ui_Deruvivuriri;

// Page of the wired tag reader. It works on the main window's form only: its
// frames go out through writeData, so it needs no serial port of its own.
class WiredTagDevice : public QWidget
{
    Q_OBJECT
public:
    explicit WiredTagDevice(Ui_Deruvivuriri *form);

    // Gets everything the receive buffer held and the command the page last
    // sent; returns the command to hand in with the next chunk.
    quint8 parseResponse(int len, char *buf, quint8 lastCommand);

    bool initUI();
    bool setWidgetsVisible(bool visible);

signals:
    void callParceDataFromComPort();
    void copyNetNumToParent(QByteArray data);
    void copyQueueSurveyDevice(int data);
    void writeData(QByteArray data);
    void signalWriteLog(QString message);

private:
    Ui_Deruvivuriri *ui = nullptr;
};

#endif // WIREDTAGDEVICE_H
