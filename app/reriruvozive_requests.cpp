// Bus requests, addressing, the receive buffer and routing of answers.
#include "app/reriruvozive.h"

#include "app/answerroute.h"
#include "deruvivuriri_form.h"
#include "devices/angle/kv380device.h"
#include "devices/angle/kvbledevice.h"
#include "devices/ble/bledevice.h"
#include "devices/ble/bleprotocol.h"
#include "devices/fls/flsdevice.h"
#include "devices/online/onlineprotocol.h"
#include "devices/online/qfonline.h"
#include "devices/other/n7device.h"
#include "devices/other/n7protocol.h"
#include "devices/other/plm300device.h"
#include "devices/other/wiredtagdevice.h"
#include "link/bus.h"
#include "link/frame.h"
#include "link/portconnection.h"
#include "link/ringbuffer.h"

#include <QDebug>
#include <QTimer>

quint8 Reriruvozive::calc_crc8(const uchar *data, int len)
{
    return frame::calc_crc8(data, len);
}

quint8 Reriruvozive::surveyAddress() const
{
    // A negative or stale index addresses 0, like an empty queue.
    if (surveyQueueIndex < 0 || surveyQueueIndex >= surveyQueue.size())
        return 0;
    return static_cast<quint8>(surveyQueue.at(surveyQueueIndex));
}

// The pages ask for the bus requests on their timers and after their
// answers, whether the port is open or not (it failed to open, or dropped
// while the page still took its last answer). A closed port writes nothing
// itself; the requests that also empty or mark something for their answer
// leave it as it is.
bool Reriruvozive::lineOpen() const
{
    return portConnection->getSerialPort()->isOpen();
}

void Reriruvozive::requestForSearchDevices()
{
    if (!lineOpen())
        return;
    cleanRingBuffer();
    surveyQueue.clear();
    portConnection->writeData(frame::searchRequest());
}

void Reriruvozive::requestForGetAllDataFromDevice()
{
    portConnection->writeData(frame::request(surveyAddress(), bus::kAllDataCommand));
}

void Reriruvozive::requestForGetSerNumAndFirmWareVersion()
{
    portConnection->writeData(frame::request(surveyAddress(), bus::kSerialAndFirmwareCommand));
}

void Reriruvozive::requestForGetAllDataFromQFOnlineDevice()
{
    portConnection->writeData(online::statusRequest(surveyAddress()));
}

void Reriruvozive::requestForGetAllDataFromDeviceAdvert()
{
    qDebug() << "survey queue" << surveyQueue.toHex(' ');
    portConnection->writeData(ble::advertListRequest(surveyAddress()));
}

void Reriruvozive::requestForGetAllDataFromDeviceN7()
{
    portConnection->writeData(n7::readRequest(n7::sensorOfComboIndex(ui->comboBox_n7numberFLS->currentIndex())));
}

void Reriruvozive::requestForGetCfgQFOnline()
{
    if (!lineOpen())
        return;
    portConnection->writeData(online::configReadRequest());
    qfOnline->setShowCfgReadMessage(true);
    qfOnline->setNeedUpdateCfgFields(true);
}

void Reriruvozive::recieveNetNumFromChild(QByteArray data)
{
    surveyQueue = data;
}

void Reriruvozive::recieveQueueSurveyDevice(int data)
{
    surveyQueueIndex = data;
}

quint8 Reriruvozive::activeNetNum() const
{
    // A copy kept here would hold whichever page passed on a list last, or
    // a list the page has since changed.
    const BaseDevice *page = activePage();
    return page ? page->writeNetNum() : 0;
}

int Reriruvozive::CompareNetNum(uchar netnum)
{
    // Only entries that exist take part; a short queue never matches beyond its end.
    auto entry = [this](int i) { return i < surveyQueue.size() ? static_cast<uchar>(surveyQueue.at(i)) : -1; };
    if (entry(2) == netnum)
        return 2;
    if (entry(1) == netnum)
        return 1;
    return 0;
}

void Reriruvozive::on_comboBox_NetNumDUT_activated(int index)
{
    flsDevice->pickSensor(index);
}

void Reriruvozive::setTimerSignalSlot()
{
    connect(portConnection, &PortConnection::dataOut, this, &Reriruvozive::getDataFromPort);
    logTimer = new QTimer(this);
    connect(logTimer, &QTimer::timeout, this, &Reriruvozive::writeLogFileNoParams);
    logTimer->start(1000);
}

void Reriruvozive::getDataFromPort(QByteArray &data)
{
    // A chunk that does not fit is dropped whole.
    rxBuffer->writeBytes(data.constData(), data.size());
}

int Reriruvozive::parceDataFromCOMPort()
{
    const int n = rxBuffer->count();
    if (n <= 0)
        return 0;
    QByteArray bytes(n, Qt::Uninitialized);
    if (!rxBuffer->readBytes(bytes.data(), n))
        return 0;
    char *buf = bytes.data();

    // The tag reader's answers are judged by the command it waits for.
    BaseDevice *page = activePage();
    if (page == wiredTagDevice)
        lastCommandWT = wiredTagDevice->parseResponse(n, buf, lastCommandWT);
    else if (page)
        page->run(n, buf);
    // With no page chosen nobody listens: the bytes are dropped.
    return 0;
}

BaseDevice *Reriruvozive::activePage() const
{
    using answerroute::Parser;
    switch (answerroute::parserFor(deviceFlags())) {
    case Parser::WiredTag:
        return wiredTagDevice;
    case Parser::FLS:
        return flsDevice;
    case Parser::BLE:
        return bleDevice;
    case Parser::KV380:
        return kv380Device;
    case Parser::PLM300:
        return plm300Device;
    case Parser::QFOnline:
        return qfOnline;
    case Parser::KVBLE:
        return kvbleDevice;
    case Parser::N7:
        return n7Device;
    case Parser::None:
        break;
    }
    return nullptr;
}

void Reriruvozive::cleanRingBuffer()
{
    rxBuffer->clear();
}

void Reriruvozive::dropUnreadInput()
{
    portConnection->dropUnread();
    cleanRingBuffer();
}

answerroute::DeviceFlags Reriruvozive::deviceFlags() const
{
    answerroute::DeviceFlags f;
    f.wiredTag = deviceWT;
    f.fls = deviceFLS;
    f.ble = deviceBLE;
    f.kv380 = deviceKV380;
    f.plm300 = devicePLM300;
    f.qfOnline = deviceQFOnline;
    f.kvble = deviceKVBLE;
    f.n7 = deviceN7;
    return f;
}

int Reriruvozive::rxCount() const
{
    return rxBuffer->count();
}
