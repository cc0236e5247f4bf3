#ifndef STRAYANSWER_H
#define STRAYANSWER_H

#include "simulateddevice.h"

#include <QByteArray>
#include <QStringList>

#include <memory>

// The line answers a page's first search request with `stray` alone (a
// bootloader's refusal or acknowledge, noise), the device on it keeping
// quiet for that request; from the next request on the device answers as
// itself.
template <class Device> void answerFirstSearchWith(Device &device, const QByteArray &stray)
{
    device.silent = true;
    const auto sent = std::make_shared<bool>(false);
    QObject::connect(&device, &SimulatedDevice::requestReceived, &device,
                     [&device, stray, sent](const QByteArray &request) {
                         if (*sent) {
                             device.silent = false;
                         } else if (request.size() == 3 && quint8(request.at(1)) == 0xFF) {
                             *sent = true;
                             device.sendRaw(stray);
                         }
                     });
}

// The requests to one of `nets` that are not reads (data 0xF0, serial and
// firmware 0xFC), in hex.
inline QStringList nonReadsTo(const QList<SimulatedDevice::Request> &requests, const QByteArray &nets)
{
    QStringList out;
    for (const SimulatedDevice::Request &r : requests) {
        if (r.bytes.size() > 3 && nets.contains(r.bytes.at(1)) && quint8(r.bytes.at(2)) != 0xF0 &&
            quint8(r.bytes.at(2)) != 0xFC)
            out << QString::fromLatin1(r.bytes.toHex(' '));
    }
    return out;
}

#endif // STRAYANSWER_H
