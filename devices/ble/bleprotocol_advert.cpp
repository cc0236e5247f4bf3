// The advertising slots' side of the base protocol: sensor families, the base
// configuration byte, typed numbers and the requests relayed to a slot.
#include "devices/ble/bleprotocol.h"

#include "link/frame.h"

#include <QStringList>

namespace ble {

namespace {

constexpr quint8 kSlotExtraBitFirst = 3; // bit 3: slot 1 sends extra parameters
constexpr quint8 kLinkIdHighMark = 0xC0;
constexpr quint8 kLinkIdFixed1 = 0xDD;
constexpr quint8 kLinkIdFixed2 = 0xEE;

// Decimal digits only, at most `maximum`; the length bound keeps the
// conversion from overflowing.
std::optional<quint32> typedNumber(const QString &text, quint32 maximum)
{
    if (text.isEmpty() || text.size() > 10)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const qulonglong value = text.toULongLong();
    if (value > maximum)
        return std::nullopt;
    return quint32(value);
}

} // namespace

Family familyOf(const QByteArray &name)
{
    if (name.size() < 2)
        return Family::Unknown;
    const QByteArray prefix = name.left(2);
    if (prefix == "QF")
        return Family::Fuel;
    if (prefix == "YQ")
        return Family::Light;
    if (prefix == "KV")
        return Family::Angle;
    if (prefix == "ZM")
        return Family::Climate;
    return Family::Unknown;
}

bool showsClimateValues(const QByteArray &name)
{
    return name.size() >= 2 && name.at(1) == 'M';
}

quint8 paramSetNumber(int index)
{
    return index >= 1 && index <= kLastParamSet ? quint8(index) : quint8(0);
}

quint8 changedConfig(quint8 config, int slot, bool enableDev, bool enableDop)
{
    if (slot < 0 || slot >= kSlots)
        return config;
    quint8 out = config;
    if (const quint8 on = slotOnBit(slot))
        out = enableDev ? quint8(out | on) : quint8(out & ~on);
    const quint8 extra = quint8(1u << (kSlotExtraBitFirst + slot));
    return enableDop ? quint8(out | extra) : quint8(out & ~extra);
}

std::optional<quint8> typedNetNumber(const QString &text)
{
    const std::optional<quint32> n = typedNumber(text, kLargestNetNumber);
    if (!n)
        return std::nullopt;
    return quint8(*n);
}

int netNumberClashes(int number, const QList<int> &inUse)
{
    int clashes = 0;
    for (int used : inUse) {
        if (qAbs(used - number) <= 1)
            ++clashes;
    }
    return clashes;
}

QString netNumberFieldText(int number, bool extraParams)
{
    if (!extraParams)
        return QString::number(number);
    return QStringLiteral("%1,%2").arg(number).arg(number + 1);
}

std::optional<quint32> typedSerial(const QString &text)
{
    return typedNumber(text, kLargestSerial);
}

QByteArray linkId(quint32 serial, quint8 tail)
{
    QByteArray id;
    id.append(char(serial & 0xFF));
    id.append(char((serial >> 8) & 0xFF));
    id.append(char(((serial >> 16) & 0xFF) | kLinkIdHighMark));
    id.append(char(kLinkIdFixed1));
    id.append(char(kLinkIdFixed2));
    id.append(char(tail));
    return id;
}

QByteArray paramSetWrite(quint8 address, quint8 set)
{
    return frame::writeRequest(address, kParamSetCommand, QByteArray(1, char(set)));
}

QByteArray netNumberWrite(quint8 address, quint8 number)
{
    return frame::writeRequest(address, kNetNumberCommand, QByteArray(1, char(number)));
}

QByteArray configWrite(quint8 address, quint8 config)
{
    return frame::writeRequest(address, kBaseConfigCommand, QByteArray(1, char(config)));
}

QByteArray nameWrite(quint8 address, const QByteArray &name)
{
    return frame::writeRequest(address, kSensorNameCommand, name);
}

QByteArray linkIdWrite(quint8 address, const QByteArray &id)
{
    return frame::writeRequest(address, kLinkIdCommand, id);
}

} // namespace ble
