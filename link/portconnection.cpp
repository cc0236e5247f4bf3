#include "link/portconnection.h"

#include "link/linehangup.h"

#include <QDateTime>
#include <QDebug>
#include <QScopedValueRollback>
#include <QTimer>

#include <utility>

PortConnection::PortConnection(QObject *parent) : QObject(parent)
{
    serial = new QSerialPort(this);
    // Without a parent on purpose: the timer only lives as long as this object.
    readTimer = new QTimer();
    readTimer->setInterval(kReadTickMs);
    connect(serial, &QSerialPort::readyRead, this, &PortConnection::startReadAbsolutlyAllData, Qt::DirectConnection);
    connect(serial, &QSerialPort::errorOccurred, this, &PortConnection::handleError, Qt::DirectConnection);
    connect(serial, &QSerialPort::bytesWritten, this, &PortConnection::signalWritten);
}

PortConnection::~PortConnection()
{
    delete readTimer;
}

QSerialPort *PortConnection::getSerialPort() const
{
    return serial;
}

QByteArray PortConnection::readData()
{
    QByteArray data = serial->readAll();
    qDebug() << "time =" << QDateTime::currentMSecsSinceEpoch();
    emit dataOut(data);
    return data;
}

void PortConnection::writeData(QByteArray data)
{
    if (!serial) {
        qDebug() << "port doesn't exist";
        return;
    }
    // A closed line takes nothing: a page still polling a port that failed
    // to open, or an answer handled as the line dropped, writes nowhere.
    if (!serial->isOpen())
        return;
    const qint64 accepted = serial->write(data);
    if (accepted > 0)
        handed += accepted;
    if (accepted != data.size())
        qDebug() << "send error";
}

bool PortConnection::isWritten(const Mark &mark) const
{
    if (mark.stream + 1 == stream)
        return lastStreamWritten >= mark.handed;
    if (mark.stream != stream)
        return false;
    // The port's queue holds what is not yet written; a port closed without
    // ending its stream has lost it.
    if (!serial->isOpen())
        return mark.handed == 0;
    return handed - serial->bytesToWrite() >= mark.handed;
}

void PortConnection::endStream()
{
    lastStreamWritten = serial->isOpen() ? handed - serial->bytesToWrite() : 0;
    ++stream;
    handed = 0;
}

void PortConnection::dropUnwritten()
{
    if (!serial->isOpen() || serial->bytesToWrite() == 0)
        return;
    endStream();
    const QScopedValueRollback<bool> closingNow(closing, true);
    serial->clear(QSerialPort::Output);
}

void PortConnection::dropUnread()
{
    // Qt empties its own buffer with the system's.
    if (serial->isOpen())
        serial->clear(QSerialPort::Input);
    dropChunk();
}

void PortConnection::handleError(QSerialPort::SerialPortError error)
{
    if (closing && error != QSerialPort::NoError)
        return;
    // On Linux a vanished line (hang-up, end of file) is reported as a read
    // or write error, over and over while the port stays open; it counts as
    // the device going away, or the event loop spins on it.
    const bool lineFailed =
        error == QSerialPort::ResourceError || ((error == QSerialPort::ReadError || error == QSerialPort::WriteError) &&
                                                serial->isOpen() && serialLineHungUp(serial->handle()));
    if (error == QSerialPort::NoError) {
        emit signalHandleNoError();
    } else if (lineFailed && opening) {
        lineFailedWhileOpening = true;
        if (serial->isOpen())
            shut(true);
    } else if (lineFailed) {
        dropLineAfterFailure();
    }
}

void PortConnection::dropLineAfterFailure()
{
    // The line is gone: the port closes once.
    if (serial->isOpen())
        shut(true);
    dropChunk();
    serial->clearError();
    emit signalHandleError();
}

void PortConnection::openSerialPort(QString portname)
{
    serial->setPortName(portname);
    openFailure = OpenFailure();
    lineFailedWhileOpening = false;
    {
        const QScopedValueRollback<bool> openingNow(opening, true);
        if (serial->open(QIODevice::ReadWrite)) {
            serial->flush();
            serial->setBaudRate(QSerialPort::Baud19200, QSerialPort::AllDirections);
            serial->setDataBits(QSerialPort::Data8);
            serial->setParity(QSerialPort::NoParity);
            serial->setStopBits(QSerialPort::OneStop);
            serial->setFlowControl(QSerialPort::NoFlowControl);
        }
    }
    // A line that failed while it was being set up has been closed already.
    if (serial->isOpen()) {
        // A port closed behind our back left its stream unended.
        if (handed != 0)
            endStream();
        emit signalOpenPort(true);
        qDebug() << "Open port" << portname;
        emit signalWriteLog("Open port " + portname + "\r\n");
    } else {
        openFailure = lineFailedWhileOpening
                          ? OpenFailure::of(portname, QSerialPort::ResourceError, serial->errorString())
                          : OpenFailure::of(portname, serial->error(), serial->errorString());
        qDebug() << "Error open port" << portname << serial->errorString();
        emit signalWriteLog("Error open port " + portname + "\r\n");
    }
}

void PortConnection::closeSerialPort()
{
    if (!serial->isOpen() || closing)
        return;
    shut(false);
    emit signalOpenPort(false);
    emit signalWriteLog("Close port\r\n");
}

void PortConnection::shut(bool lineFailed)
{
    {
        // Whatever the port reports meanwhile belongs to the close.
        const QScopedValueRollback<bool> closingNow(closing, true);
        const bool flushed = !lineFailed && serial->flush();
        endStream();
        if (!flushed)
            serial->clear(lineFailed ? QSerialPort::AllDirections : QSerialPort::Output);
        serial->close();
    }
    dropChunk();
}

void PortConnection::startReadAbsolutlyAllData()
{
    disconnect(serial, &QSerialPort::readyRead, this, &PortConnection::startReadAbsolutlyAllData);
    connect(readTimer, &QTimer::timeout, this, &PortConnection::readDataByTimer, Qt::UniqueConnection);
    readTimer->start(kReadTickMs);
}

void PortConnection::readDataByTimer()
{
    const int before = receiveBuffer.size();
    receiveBuffer.append(serial->readAll());
    if (receiveBuffer.size() != before)
        return;

    QByteArray chunk = std::exchange(receiveBuffer, QByteArray());
    dropChunk();
    emit dataOut(chunk);
}

void PortConnection::dropChunk()
{
    disconnect(readTimer, &QTimer::timeout, this, &PortConnection::readDataByTimer);
    readTimer->stop();
    connect(serial, &QSerialPort::readyRead, this, &PortConnection::startReadAbsolutlyAllData, Qt::UniqueConnection);
    receiveBuffer.clear();
}
