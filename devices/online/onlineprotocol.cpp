#include "devices/online/onlineprotocol.h"

#include "devices/online/onlineconfigblock.h"
#include "link/frame.h"

#include <QCoreApplication>

namespace online {

namespace {

constexpr int kImeiTextOffset = 3;
constexpr int kImeiTextLength = 36;
constexpr int kFirmwareOffset = kBlockOffset + OnlineConfigBlock::kSize;
constexpr int kSerialOffset = kFirmwareOffset + 2;

bool isConfigAnswerHead(const QByteArray &bytes)
{
    return frame::readU8(bytes, 0) == frame::kAnswerStart && frame::readU8(bytes, 2) == kConfigReadCommand;
}

} // namespace

QByteArray statusRequest(quint8 address)
{
    return frame::request(address, kStatusCommand);
}

QByteArray configReadRequest()
{
    return frame::request(kUnitAddress, kConfigReadCommand, QByteArray(kConfigReadPayloadLength, '\0'),
                          frame::kAnswerStart);
}

QByteArray configWriteRequest(const OnlineConfigBlock &block)
{
    QByteArray payload = block.bytes();
    for (quint8 b : kConfigWriteTrailer)
        payload.append(static_cast<char>(b));
    return frame::request(kUnitAddress, kConfigWriteCommand, payload, frame::kAnswerStart);
}

QByteArray imeiRequest()
{
    return frame::request(kUnitAddress, kImeiCommand, QByteArray(), frame::kAnswerStart);
}

QByteArray workingModeRequest(quint8 net, quint8 mode)
{
    return frame::request(net, kWorkingModeCommand, QByteArray(1, static_cast<char>(mode)), frame::kAnswerStart);
}

QByteArray horizonRequest()
{
    return frame::request(kUnitAddress, kHorizonCommand, QByteArray(), frame::kAnswerStart);
}

QByteArray engineOnRequest(quint8 net)
{
    return frame::request(net, kEngineOnCommand);
}

QByteArray engineOffRequest(quint8 net)
{
    return frame::request(net, kEngineOffCommand);
}

QByteArray passwordRequest(quint8 net, quint8 command, quint32 password)
{
    QByteArray payload;
    frame::appendBe32(payload, password);
    return frame::request(net, command, payload);
}

std::vector<int> answerLengths(quint8 command)
{
    switch (command) {
    case kStatusCommand:
        return {kStatusAnswerLength};
    case kLevelCommand:
        return {kLevelAnswerLength};
    case kImeiCommand:
        return {kImeiAnswerLength};
    case kConfigReadCommand:
        return {}; // no CRC: cut off by its length below
    default:
        return {kShortAnswerLength};
    }
}

QList<QByteArray> splitAnswers(const QByteArray &chunk)
{
    QList<QByteArray> answers;
    QByteArray rest = chunk;
    while (!rest.isEmpty()) {
        if (isConfigAnswerHead(rest) && rest.size() > kConfigAnswerLength) {
            answers.append(rest.left(kConfigAnswerLength));
            rest = rest.mid(kConfigAnswerLength);
            continue;
        }
        QList<QByteArray> pieces = frame::splitAnswers(rest, answerLengths);
        const QByteArray last = pieces.takeLast();
        answers.append(pieces);
        // Answers in front of a configuration answer were split off; what
        // follows it is looked at again.
        if (!pieces.isEmpty() && isConfigAnswerHead(last) && last.size() > kConfigAnswerLength) {
            rest = last;
            continue;
        }
        answers.append(last);
        break;
    }
    return answers;
}

bool endsSearch(const QByteArray &chunk)
{
    if (chunk.isEmpty())
        return false;
    return frame::readU8(chunk, 0) != frame::kAnswerStart || chunk.size() == 2;
}

bool isAccepted(const QByteArray &frame)
{
    if (frame.size() < kMinimumAnswerLength)
        return false;
    const auto last = static_cast<quint8>(frame.at(frame.size() - 1));
    const bool crcRight =
        frame::readU8(frame, 0) == frame::kAnswerStart &&
        frame::calc_crc8(reinterpret_cast<const uchar *>(frame.constData()), frame.size() - 1) == last;
    return crcRight || frame.size() == kConfigAnswerLength || last == 0;
}

bool isUnitAnswer(const QByteArray &frame)
{
    const std::optional<quint8> address = frame::readU8(frame, 1);
    const std::optional<quint8> command = frame::readU8(frame, 2);
    if (!address || !command || frame.size() < minimumAnswerLength(*command))
        return false;
    if (*command == kStatusCommand)
        return true;
    return *address == kUnitAddress && (*command == kConfigReadCommand || *command == kImeiCommand);
}

bool isUnitLevel(const QByteArray &frame)
{
    return frame::readU8(frame, 2) == kLevelCommand && frame.size() >= kLevelMinLength &&
           frame.size() <= kLevelAnswerLength;
}

int minimumAnswerLength(quint8 command)
{
    switch (command) {
    case kStatusCommand:
        return kStatusMinLength;
    case kLevelCommand:
        return kLevelMinLength;
    case kImeiCommand:
        return kImeiMinLength;
    case kConfigReadCommand:
        return kConfigAnswerLength;
    default:
        return kMinimumAnswerLength;
    }
}

std::optional<Status> decodeStatus(const QByteArray &frame)
{
    if (frame.size() < kStatusMinLength)
        return std::nullopt;
    Status s;
    s.voltage = *frame::readLe16(frame, 9);
    for (int i = 0; i < int(s.channels.size()); ++i)
        s.channels[size_t(i)] = *frame::readBe16(frame, 16 + 2 * i);
    s.modemState = *frame::readU8(frame, 32);
    s.gps = *frame::readU8(frame, 33);
    s.traffic = *frame::readU8(frame, 34);
    s.quality = *frame::readU8(frame, 35);
    return s;
}

QString voltageText(quint16 hundredths)
{
    return QString::number(hundredths / 100.0);
}

const char *modemStateText(quint8 state)
{
    if (state >= 1 && state <= 5)
        return QT_TRANSLATE_NOOP("QFOnline", "инициализация\nмодема");
    if (state == 6 || state == 7)
        return QT_TRANSLATE_NOOP("QFOnline", "чтение SIM\nкарты");
    if (state == 8 || state == 9)
        return QT_TRANSLATE_NOOP("QFOnline", "регистрация\nв сети");
    if (state == 10 || state == 11)
        return QT_TRANSLATE_NOOP("QFOnline", "подключение\nк GPRS");
    if (state == 12 || state == 13)
        return QT_TRANSLATE_NOOP("QFOnline", "подключение\nк серверу");
    if (state == 14 || state == 15)
        return QT_TRANSLATE_NOOP("QFOnline", "регистрация\nна сервере");
    if (state == 17)
        return QT_TRANSLATE_NOOP("QFOnline", "подключен\nк серверу");
    return nullptr;
}

std::optional<Level> decodeLevel(const QByteArray &frame)
{
    if (frame.size() < kLevelMinLength)
        return std::nullopt;
    Level l;
    l.temperature = static_cast<qint8>(*frame::readU8(frame, 3));
    l.level = *frame::readLe16(frame, 4);
    l.count = static_cast<qint32>(*frame::readLe32(frame, 6));
    l.empty = static_cast<qint32>(*frame::readLe32(frame, 10));
    l.full = static_cast<qint32>(*frame::readLe32(frame, 14));
    l.workingMode = *frame::readU8(frame, 20);
    return l;
}

std::optional<QString> decodeImei(const QByteArray &frame)
{
    if (frame.size() < kImeiMinLength)
        return std::nullopt;
    QByteArray text = frame.mid(kImeiTextOffset, kImeiTextLength);
    // The unit pads the text with zeros.
    const int end = text.indexOf('\0');
    if (end >= 0)
        text.truncate(end);
    return QString::fromLatin1(text).section(QLatin1Char(';'), 0, 0).toUpper();
}

std::optional<ConfigAnswer> decodeConfig(const QByteArray &frame)
{
    if (frame.size() < kConfigAnswerLength)
        return std::nullopt;
    ConfigAnswer a;
    a.block = frame.mid(kBlockOffset, OnlineConfigBlock::kSize);
    a.firmware = *frame::readBe16(frame, kFirmwareOffset);
    a.serial = static_cast<qint32>(*frame::readBe32(frame, kSerialOffset));
    return a;
}

const std::array<OperatorPreset, 4> &operatorPresets()
{
    static const std::array<OperatorPreset, 4> presets{{
        {"sorvint", "internet.sorvint", "sorvint", "sorvint"},
        {"megafon", "internet", "wemto", "wemto"},
        {"xqj", "internet.xqj", "xqj", "xqj"},
        {"tele2", "internet.tele2", "", ""},
    }};
    return presets;
}

std::optional<OperatorPreset> presetOf(const QString &itemText)
{
    for (const OperatorPreset &p : operatorPresets()) {
        if (itemText == QLatin1String(p.key))
            return p;
    }
    return std::nullopt;
}

int operatorOfConfig(const QString &apn, const QString &user)
{
    // The long key first: a short one may be part of another operator's host name.
    for (int item : {0, 3, 2}) {
        if (apn.contains(QLatin1String(operatorPresets()[size_t(item)].key)))
            return item;
    }
    if (user.contains(QLatin1String(operatorPresets()[1].user)))
        return 1;
    return kOtherOperator;
}

} // namespace online
