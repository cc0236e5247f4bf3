#ifndef PORTCONNECTION_H
#define PORTCONNECTION_H

#include "link/openfailure.h"

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

    // A place in what was handed to the port: everything handed up to it is
    // on the line once the port has written it. What is dropped unwritten (a
    // hang-up, a close, dropUnwritten()) never counts as written.
    struct Mark
    {
        quint64 stream = 0; // a close or a drop begins a new stream
        qint64 handed = 0;
    };
    Mark handedMark() const { return {stream, handed}; }
    bool isWritten(const Mark &mark) const;
    // What waits to be written goes no more; the line stays open.
    void dropUnwritten();
    // What the line brought and nobody took yet goes: the system's and the
    // port's unread input and the chunk being gathered. It came before
    // whatever is asked next, so it answers none of it.
    void dropUnread();

    // Why the last open failed; reason None after one that succeeded.
    const OpenFailure &lastOpenFailure() const { return openFailure; }

signals:
    void signalOpenPort(bool stateSerialPort);
    void signalHandleError();
    void signalHandleNoError();
    void dataOut(QByteArray &data);
    void signalWriteLog(QString message);
    // The port wrote some of what it was handed onto the line.
    void signalWritten();

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
    // The one way the port closes: a live line writes what waits first, a
    // failed one drops it (the write would fail and report the failure again).
    void shut(bool lineFailed);
    // Ends the gathering of a chunk: what it held is dropped, and the next
    // byte starts a new one. A chunk of a line that closed belongs to the
    // device the user left, not to the next one.
    void dropChunk();
    // What waits now is dropped or written before the next byte is handed.
    void endStream();

    QSerialPort *serial = nullptr;
    QTimer *readTimer = nullptr;
    QByteArray receiveBuffer;
    // The port is being closed: whatever it reports meanwhile belongs to the
    // close (on a dead line a write, tcsetattr or ioctl fails), not to a new failure.
    bool closing = false;
    // The port is being opened and set up: a failure of the line meanwhile is
    // the open's own, told as its reason, never as a session's line failing.
    bool opening = false;
    bool lineFailedWhileOpening = false;
    OpenFailure openFailure;
    quint64 stream = 0;
    qint64 handed = 0;            // bytes handed in this stream
    qint64 lastStreamWritten = 0; // of the stream before it, what went out
};

#endif // PORTCONNECTION_H
