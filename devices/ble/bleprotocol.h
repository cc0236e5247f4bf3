#ifndef BLEPROTOCOL_H
#define BLEPROTOCOL_H

#include <QByteArray>
#include <QtGlobal>

// Byte-level work of the USB BLE base and the wireless sensors it relays,
// free of widgets: request builders, answer decoders, named commands.
namespace ble {

// Read of the advertising list: up to four wireless sensors near the base.
constexpr quint8 kAdvertListCommand = 0xA6;
// The linked sensor takes its present count as Full / Empty (write
// requests, with the write signature).
constexpr quint8 kSetFullCommand = 0xF5;
constexpr quint8 kSetEmptyCommand = 0xFA;
// The page's last-command field while no command waits for its answer.
constexpr quint8 kNoCommand = 0xFF;

// 0x31, address, 0xA6, CRC.
QByteArray advertListRequest(quint8 address);

} // namespace ble

#endif // BLEPROTOCOL_H
