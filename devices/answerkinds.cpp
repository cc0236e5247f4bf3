#include "devices/answerkinds.h"

#include "devices/angle/kv380protocol.h"
#include "devices/fls/flsprotocol.h"
#include "devices/other/plm300protocol.h"
#include "link/bus.h"
#include "link/frame.h"

namespace answerkinds {

using Kind = BaseDevice::AnswerKind;

Kind ofData(const QByteArray &frame)
{
    if (fls::namesFuelSensor(frame))
        return Kind::FuelSensor;
    // A fuel sensor's data answer glued to its next answer passes the CRC-8
    // as one longer frame: it is still the fuel sensor's.
    for (int length : {24, 25, 29, 45}) {
        const QByteArray head = frame.left(length);
        if (frame.size() > length && frame::readU8(frame, length) == frame::kAnswerStart &&
            frame::isValidAnswer(head) && fls::namesFuelSensor(head))
            return Kind::FuelSensor;
    }
    if (kv380::isAngleSensorData(frame))
        return Kind::AngleSensor;
    if (plm300::isPlm300Data(frame))
        return Kind::Plm300;
    return Kind::Unknown;
}

Kind forPage(const QByteArray &frame, Kind own)
{
    if (frame::readU8(frame, 2) != bus::kAllDataCommand)
        return Kind::Unknown;
    // A form no family names (a frame cut short, noise) proves nothing.
    const Kind kind = ofData(frame);
    return kind == own ? Kind::Own : kind;
}

} // namespace answerkinds
