#ifndef STRAYANSWER_H
#define STRAYANSWER_H

#include "simulateddevice.h"

#include <QByteArray>

#include <memory>

// The line answers a page's first search request with `stray` alone (a
// bootloader's refusal or acknowledge, noise), the device on it keeping
// quiet for that request; from the next request on the device answers as
// itself.
template <class Device> void answerFirstSearchWith(Device &device, const QByteArray &stray)
{
    device.silent = true;
    // Once the device answers as itself again the watch is gone, so that a
    // later call silences it anew.
    const auto watch = std::make_shared<QMetaObject::Connection>();
    const auto sent = std::make_shared<bool>(false);
    *watch = QObject::connect(&device, &SimulatedDevice::requestReceived, &device,
                              [&device, stray, sent, watch](const QByteArray &request) {
                                  if (*sent) {
                                      device.silent = false;
                                      QObject::disconnect(*watch);
                                  } else if (request.size() == 3 && quint8(request.at(1)) == 0xFF) {
                                      *sent = true;
                                      device.sendRaw(stray);
                                  }
                              });
}

#endif // STRAYANSWER_H
