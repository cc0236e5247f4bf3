#include "devices/other/n7protocol.h"

#include "files/textfile.h"
#include "link/frame.h"

#include <QIODevice>
#include <QTextCodec>

namespace n7 {

namespace {

// Offsets of the table answer.
constexpr int kNetNumAt = 3;
constexpr int kPollFlagAt = 4;
constexpr int kAnswerUnitsAt = 5;
constexpr int kAnswerLitresAt = kAnswerUnitsAt + 2 * kTableRows;
constexpr int kModeAt = kAnswerLitresAt + 2 * kTableRows;

// A table file is a few hundred bytes; anything past this is not read.
constexpr qint64 kMaxFileBytes = 1 << 20;

// The character set number of UTF-8.
constexpr int kUtf8Mib = 106;

const QString kFiller = QStringLiteral("0");
const QString kFileSeparator = QStringLiteral("; ");

} // namespace

quint8 sensorOfComboIndex(int index)
{
    return index >= 1 && index <= 3 ? quint8(index) : 0;
}

QByteArray readRequest(quint8 sensor)
{
    return frame::request(kUnitAddress, kReadCommand, QByteArray(1, char(sensor)), frame::kAnswerStart);
}

QByteArray modeRequest(quint8 mode)
{
    return frame::request(kUnitAddress, kModeCommand, QByteArray(1, char(mode)), frame::kAnswerStart);
}

std::optional<quint8> modeOfIndex(int index)
{
    switch (index) {
    case 0:
        return kModeActive;
    case 1:
        return kModePassive;
    default:
        return std::nullopt;
    }
}

std::optional<int> indexOfMode(quint8 mode)
{
    switch (mode) {
    case kModeActive:
        return 0;
    case kModePassive:
        return 1;
    default:
        return std::nullopt;
    }
}

QByteArray tableWrite(quint8 sensor, quint8 netNum, bool poll, const Column &units, const Column &litres)
{
    QByteArray payload;
    payload.append(char(sensor));
    payload.append(char(netNum));
    payload.append(char(poll ? 1 : 0));
    for (quint16 value : units)
        frame::appendBe16(payload, value);
    for (quint16 value : litres)
        frame::appendBe16(payload, value);
    return frame::request(kUnitAddress, kWriteCommand, payload, frame::kAnswerStart);
}

std::optional<quint16> cellValue(const QString &text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return quint16(0);
    // Digits alone: toUInt() would also take a sign.
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, 10);
    if (!ok || value > kCellTop)
        return std::nullopt;
    return quint16(value);
}

std::optional<quint8> chosenNetNum(bool typedEdited, const QString &typed, const QString &reported)
{
    auto readNumber = [](const QString &text) -> std::optional<qlonglong> {
        bool ok = false;
        const qlonglong value = text.trimmed().toLongLong(&ok, 10);
        return ok ? std::optional<qlonglong>(value) : std::nullopt;
    };
    auto address = [](qlonglong value) -> std::optional<quint8> {
        return value >= 0 && value <= kNetNumTop ? std::optional<quint8>(quint8(value)) : std::nullopt;
    };
    if (typedEdited) {
        if (const std::optional<qlonglong> value = readNumber(typed); value && *value != 0)
            return address(*value);
    }
    return address(readNumber(reported).value_or(0));
}

std::vector<int> answerLengths(quint8 command)
{
    switch (command) {
    case kReadCommand:
        return {kTableFrameLength};
    case kWriteCommand:
    case kModeCommand:
        return {kAckLength};
    default:
        return {kAckLength, kTableFrameLength};
    }
}

bool isAccepted(const QByteArray &frame)
{
    return frame::isValidAnswer(frame, frame::kRequestStart);
}

std::optional<TableAnswer> decodeTable(const QByteArray &frame)
{
    if (frame.size() != kTableFrameLength)
        return std::nullopt;
    TableAnswer t;
    t.address = *frame::readU8(frame, 1);
    t.netNum = *frame::readU8(frame, kNetNumAt);
    t.pollFlag = *frame::readU8(frame, kPollFlagAt);
    t.mode = *frame::readU8(frame, kModeAt);
    for (int i = 0; i < kTableRows; ++i) {
        t.units[size_t(i)] = *frame::readBe16(frame, kAnswerUnitsAt + 2 * i);
        t.litres[size_t(i)] = *frame::readBe16(frame, kAnswerLitresAt + 2 * i);
    }
    return t;
}

std::optional<Table> readCsv(QIODevice &in)
{
    // A file tells its size: reading asks for no more, since a read reserves
    // all it asks for before it knows how much comes.
    const qint64 room = in.isSequential() ? kMaxFileBytes : qBound<qint64>(0, in.size() - in.pos(), kMaxFileBytes);
    // Every byte order mark in front goes: one left in the first cell would
    // make it no number here, while the file saved from the table would lose
    // it again and read back as a number.
    const QByteArray bytes = textfile::withoutByteOrderMarks(in.read(room));
    if (bytes.contains('\0'))
        return std::nullopt;
    QTextCodec::ConverterState state;
    QString text = QTextCodec::codecForMib(kUtf8Mib)->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return std::nullopt;
    QStringList lines = text.split(QLatin1Char('\n'));
    // A final line end closes the last line; it does not open another.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();

    Table table;
    bool anyRow = false;
    for (QString line : qAsConst(lines)) {
        if (table.size() == kTableRows)
            break;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        anyRow = anyRow || !line.trimmed().isEmpty();
        QStringList cells = line.split(QLatin1Char(';'));
        // The indicator's table has two columns; whatever follows is not part of it.
        cells = cells.mid(0, kTableColumns);
        while (cells.size() < kTableColumns)
            cells.append(kFiller);
        table.append(cells);
    }
    // Filled up with zeros, a file without a single row would be a table
    // nobody wrote.
    if (!anyRow)
        return Table();
    while (table.size() < kTableRows)
        table.append(QStringList{kFiller, kFiller});
    return table;
}

std::optional<CellPlace> firstUnfitCell(const Table &table)
{
    for (int r = 0; r < table.size(); ++r) {
        for (int c = 0; c < table.at(r).size(); ++c) {
            if (!cellValue(table.at(r).at(c)))
                return CellPlace{r, c};
        }
    }
    return std::nullopt;
}

QByteArray csvText(const Table &table)
{
    QByteArray out;
    for (const QStringList &row : table) {
        out.append(row.join(kFileSeparator).toUtf8());
        out.append("\r\n");
    }
    return out;
}

} // namespace n7
