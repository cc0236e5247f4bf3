#ifndef ONLINECONFIGBLOCK_H
#define ONLINECONFIGBLOCK_H

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// The online unit's communication settings: one fixed 162-byte record that
// travels whole in both directions (read back in the 0xA2 answer, written with
// the 0xA3 request). Text fields hold UTF-8 bytes, zero-filled behind the
// text; a text that fills its field has no terminating zero. A new block is
// all zeros.
class OnlineConfigBlock
{
public:
    static constexpr int kSize = 162;

    // The unit takes a block only with this format byte.
    static constexpr int kFormatOffset = 0;
    static constexpr quint8 kFormat = 0x16;
    // Sending period of the extra devices, 16 bits, low byte first.
    static constexpr int kPeriodOffset = 142;
    // Eight extra devices on the unit's RS-485 line: a mode byte and a bus
    // address each.
    static constexpr int kExtraDevices = 8;
    static constexpr int kModesOffset = 146;
    static constexpr int kAddressesOffset = 154;
    static constexpr quint8 kDeviceOnBit = 0x01;
    static constexpr int kAddressTop = 255;
    // Only in the first extra device's mode byte: the server protocol and transport.
    static constexpr quint8 kEgtsBit = 0x80;
    static constexpr quint8 kUdpBit = 0x40;

    enum class Text { Apn, ApnUser, ApnPassword, Pin, ServerAddress, ServerPort, DeviceId, ServerPassword };
    struct Span
    {
        int offset;
        int width;
    };
    static Span spanOf(Text field);

    OnlineConfigBlock();

    // Takes a whole block; anything but kSize bytes is refused.
    bool assign(const QByteArray &block);
    const QByteArray &bytes() const { return data; }

    // The text of a field: its bytes up to the first zero, never beyond the
    // field, without a character cut in half at the field's end.
    QString text(Text field) const;
    // Zero-fills the field, then stores as much of the text as fits, cut
    // before a character that would not fit whole.
    void setText(Text field, const QString &value);
    // True when the text fits its field whole.
    static bool fits(Text field, const QString &value);
    // The UTF-8 bytes of a text, cut to at most width bytes at a character boundary.
    static QByteArray cutToWidth(const QString &value, int width);
    // Text of UTF-8 bytes up to the first zero, a trailing incomplete character left out.
    static QString textOfField(const QByteArray &field);

    void setFormat() { setByte(kFormatOffset, kFormat); }

    qint16 period() const;
    static constexpr int kPeriodBottom = -32768;
    static constexpr int kPeriodTop = 32767;
    // A base-10 16-bit signed number; nothing for any other text (a larger
    // number would go out as its low bits, an empty one as 0).
    static std::optional<qint16> periodOfText(const QString &value);
    // Stores the period a text gives; false, leaving the field as it was,
    // when it gives none.
    bool setPeriodText(const QString &value);

    // Extra devices 0..7; other numbers are ignored (read as 0).
    quint8 mode(int device) const;
    void setMode(int device, quint8 value);
    void flipMode(int device, quint8 bits);
    quint8 address(int device) const;
    // A base-10 number from 0 to kAddressTop; nothing for any other text (a
    // larger number's low byte would address some other device).
    static std::optional<quint8> addressOfText(const QString &value);
    // Stores the address a text gives; false, leaving the byte as it was,
    // when it gives none.
    bool setAddressText(int device, const QString &value);

private:
    quint8 byteAt(int offset) const { return static_cast<quint8>(data.at(offset)); }
    void setByte(int offset, quint8 value) { data[offset] = static_cast<char>(value); }

    QByteArray data;
};

#endif // ONLINECONFIGBLOCK_H
