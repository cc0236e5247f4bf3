#ifndef ONLINEPROTOCOL_H
#define ONLINEPROTOCOL_H

#include <QByteArray>
#include <QtGlobal>

// Byte-level work of the GSM/GPS online fuel sensor, free of widgets: request
// builders, answer decoders, named commands.
namespace online {

// Status read (level, temperature, modem and GPS state).
constexpr quint8 kStatusCommand = 0xA0;
// The unit takes its present count as Full / Empty; these requests carry no
// write signature.
constexpr quint8 kSetFullCommand = 0xF5;
constexpr quint8 kSetEmptyCommand = 0xFA;
// The unit's fixed address for its configuration requests, which start with
// the answer start byte.
constexpr quint8 kUnitAddress = 0xCA;
constexpr quint8 kConfigReadCommand = 0xA2;
constexpr int kConfigReadPayloadLength = 5;

// 0x31, address, 0xA0, CRC.
QByteArray statusRequest(quint8 address);
// 0x3E, 0xCA, 0xA2, five zero bytes, CRC.
QByteArray configReadRequest();

} // namespace online

#endif // ONLINEPROTOCOL_H
