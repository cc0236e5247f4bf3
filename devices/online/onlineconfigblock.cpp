#include "devices/online/onlineconfigblock.h"

namespace {

bool isContinuationByte(char c)
{
    return (static_cast<quint8>(c) & 0xC0) == 0x80;
}

// Bytes a UTF-8 sequence takes, told by its lead byte; 1 for anything that
// leads no sequence (it decodes to a replacement character on its own).
int sequenceLength(char lead)
{
    const auto b = static_cast<quint8>(lead);
    if ((b & 0xE0) == 0xC0)
        return 2;
    if ((b & 0xF0) == 0xE0)
        return 3;
    if ((b & 0xF8) == 0xF0)
        return 4;
    return 1;
}

} // namespace

OnlineConfigBlock::Span OnlineConfigBlock::spanOf(Text field)
{
    switch (field) {
    case Text::Apn:
        return {1, 30};
    case Text::ApnUser:
        return {31, 20};
    case Text::ApnPassword:
        return {51, 20};
    case Text::Pin:
        return {71, 5};
    case Text::ServerAddress:
        return {76, 25};
    case Text::ServerPort:
        return {101, 6};
    case Text::DeviceId:
        return {107, 10};
    case Text::ServerPassword:
        return {117, 25};
    }
    return {0, 0};
}

OnlineConfigBlock::OnlineConfigBlock() : data(kSize, '\0') {}

bool OnlineConfigBlock::assign(const QByteArray &block)
{
    if (block.size() != kSize)
        return false;
    data = block;
    return true;
}

QString OnlineConfigBlock::textOfField(const QByteArray &field)
{
    int end = field.indexOf('\0');
    if (end < 0)
        end = field.size();
    // A character whose bytes run past the end of the text is left out
    // rather than shown as a broken one.
    for (int lead = end - 1; lead >= 0 && lead >= end - 4; --lead) {
        if (isContinuationByte(field.at(lead)))
            continue;
        if (lead + sequenceLength(field.at(lead)) > end)
            end = lead;
        break;
    }
    return QString::fromUtf8(field.constData(), end);
}

QString OnlineConfigBlock::text(Text field) const
{
    const Span span = spanOf(field);
    return textOfField(data.mid(span.offset, span.width));
}

QByteArray OnlineConfigBlock::cutToWidth(const QString &value, int width)
{
    QByteArray bytes = value.toUtf8();
    if (bytes.size() <= width)
        return bytes;
    int cut = qMax(width, 0);
    while (cut > 0 && isContinuationByte(bytes.at(cut)))
        --cut;
    bytes.truncate(cut);
    return bytes;
}

bool OnlineConfigBlock::fits(Text field, const QString &value)
{
    return value.toUtf8().size() <= spanOf(field).width;
}

void OnlineConfigBlock::setText(Text field, const QString &value)
{
    const Span span = spanOf(field);
    const QByteArray bytes = cutToWidth(value, span.width);
    for (int i = 0; i < span.width; ++i)
        setByte(span.offset + i, i < bytes.size() ? static_cast<quint8>(bytes.at(i)) : 0);
}

qint16 OnlineConfigBlock::period() const
{
    return static_cast<qint16>(byteAt(kPeriodOffset) | (byteAt(kPeriodOffset + 1) << 8));
}

std::optional<qint16> OnlineConfigBlock::periodOfText(const QString &value)
{
    bool ok = false;
    const int number = value.toInt(&ok, 10);
    if (!ok || number < kPeriodBottom || number > kPeriodTop)
        return std::nullopt;
    return static_cast<qint16>(number);
}

bool OnlineConfigBlock::setPeriodText(const QString &value)
{
    const std::optional<qint16> number = periodOfText(value);
    if (!number)
        return false;
    const auto word = static_cast<quint16>(*number);
    setByte(kPeriodOffset, word & 0xFF);
    setByte(kPeriodOffset + 1, word >> 8);
    return true;
}

quint8 OnlineConfigBlock::mode(int device) const
{
    return device >= 0 && device < kExtraDevices ? byteAt(kModesOffset + device) : 0;
}

void OnlineConfigBlock::setMode(int device, quint8 value)
{
    if (device >= 0 && device < kExtraDevices)
        setByte(kModesOffset + device, value);
}

void OnlineConfigBlock::flipMode(int device, quint8 bits)
{
    setMode(device, mode(device) ^ bits);
}

quint8 OnlineConfigBlock::address(int device) const
{
    return device >= 0 && device < kExtraDevices ? byteAt(kAddressesOffset + device) : 0;
}

std::optional<quint8> OnlineConfigBlock::addressOfText(const QString &value)
{
    bool ok = false;
    const int number = value.toInt(&ok, 10);
    if (!ok || number < 0 || number > kAddressTop)
        return std::nullopt;
    return static_cast<quint8>(number);
}

bool OnlineConfigBlock::setAddressText(int device, const QString &value)
{
    const std::optional<quint8> number = addressOfText(value);
    if (device < 0 || device >= kExtraDevices || !number)
        return false;
    setByte(kAddressesOffset + device, *number);
    return true;
}
