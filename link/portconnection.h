#ifndef PORTCONNECTION_H
#define PORTCONNECTION_H

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

class QTimer;

// The one owner of the serial line. The protocol has no length field, so an
// answer is whatever arrives until a 10 ms tick brings no new byte.
class PortConnection : public QObject
{
    Q_OBJECT
public:
    explicit PortConnection(QObject *parent = nullptr);
    ~PortConnection() override;

    QSerialPort *getSerialPort() const;

    // Interval of the silence that ends a chunk.
    static constexpr int kReadTickMs = 10;

signals:
    void signalOpenPort(bool stateSerialPort);
    void signalHandleError();
    void signalHandleNoError();
    void dataOut(QByteArray &data);
    void signalWriteLog(QString message);

public slots:
    QByteArray readData();
    void writeData(QByteArray data);
    void handleError(QSerialPort::SerialPortError error);
    void openSerialPort(QString portname);
    void closeSerialPort();
    void readDataByTimer();
    void startReadAbsolutlyAllData();

private:
    void dropLineAfterFailure();
    // Ends the gathering of a chunk: what it held is dropped, and the next
    // byte starts a new one. A chunk of a line that closed belongs to the
    // device the user left, not to the next one.
    void dropChunk();

    QSerialPort *serial = nullptr;
    QTimer *readTimer = nullptr;
    QByteArray receiveBuffer;
    // The port is being closed: whatever it reports meanwhile belongs to the
    // close (on a dead line a write, tcsetattr or ioctl fails), not to a new failure.
    bool closing = false;
};

#endif // PORTCONNECTION_H
