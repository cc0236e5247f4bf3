#include "devices/other/n7protocol.h"

#include "link/frame.h"

namespace n7 {

quint8 sensorOfComboIndex(int index)
{
    return index >= 1 && index <= 3 ? quint8(index) : 0;
}

QByteArray readRequest(quint8 sensor)
{
    return frame::request(kUnitAddress, kReadCommand, QByteArray(1, char(sensor)), frame::kAnswerStart);
}

} // namespace n7
