#ifndef N7PROTOCOL_H
#define N7PROTOCOL_H

#include <QByteArray>
#include <QtGlobal>

// Byte-level work of the fuel level indicator, free of widgets: request
// builders, answer decoders, the table and its CSV files.
namespace n7 {

// The indicator's fixed unit address; its requests start with the answer
// start byte and its answers with the request start byte.
constexpr quint8 kUnitAddress = 0xDE;
constexpr quint8 kReadCommand = 0xEE;

// Sensor number carried by the read request for the sensor-number combo's
// position: positions 1 to 3 as they are, anything else 0.
quint8 sensorOfComboIndex(int index);
// 0x3E, 0xDE, 0xEE, sensor, CRC.
QByteArray readRequest(quint8 sensor);

} // namespace n7

#endif // N7PROTOCOL_H
