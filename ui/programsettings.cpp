// The program's settings file: INI text as Qt's own INI format reads and
// writes it, made sure of on the disk before it replaces the file.
#include "ui/programsettings.h"

#include "calibration/filereplace.h"

#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFileDevice>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTextCodec>
#include <QTimeZone>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The letter a backslash puts before a character in a value; 0 for none.
// The last two are only ever read: the writer leaves '?' and '\'' as they are.
constexpr char kEscapes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'},  {'n', '\n'}, {'r', '\r'}, {'t', '\t'},
                                {'v', '\v'}, {'"', '"'},  {'\\', '\\'}, {'?', '?'},  {'\'', '\''}};
constexpr int kWrittenEscapes = 9;

char escapeLetter(ushort ch)
{
    for (int i = 0; i < kWrittenEscapes; ++i) {
        if (ch == uchar(kEscapes[i][1]))
            return kEscapes[i][0];
    }
    return 0;
}

char escapedChar(char letter)
{
    for (const auto &escape : kEscapes) {
        if (letter == escape[0])
            return escape[1];
    }
    return 0;
}

int digitValue(char c, int base)
{
    int value = 16;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

// ---- Section and key names ------------------------------------------------

// Letters, digits, '_', '-' and '.' stay, a '/' within a key becomes '\',
// anything else %XX, or %UXXXX beyond Latin-1.
void appendKey(const QString &key, QByteArray &out)
{
    for (const QChar c : key) {
        const ushort ch = c.unicode();
        if (ch == '/') {
            out += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_' ||
                   ch == '-' || ch == '.') {
            out += char(ch);
        } else {
            out += ch <= 0xFF ? "%" : "%U";
            for (int shift = ch <= 0xFF ? 4 : 12; shift >= 0; shift -= 4)
                out += kHexDigits[(ch >> shift) & 0xF];
        }
    }
}

// Other bytes are Latin-1 characters; a '%' that starts no escape is itself.
QString keyOf(const QByteArray &data, int from, int to)
{
    QString key;
    int i = from;
    while (i < to) {
        const char ch = data.at(i);
        if (ch == '\\') {
            key += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != '%' || i == to - 1) {
            key += QLatin1Char(ch);
            ++i;
            continue;
        }
        const int first = data.at(i + 1) == 'U' ? i + 2 : i + 1;
        const int digits = first == i + 2 ? 4 : 2;
        bool ok = first + digits <= to;
        const ushort code = ok ? data.mid(first, digits).toUShort(&ok, 16) : 0;
        if (!ok) {
            key += QLatin1Char('%');
            ++i;
            continue;
        }
        key += QChar(code);
        i = first + digits;
    }
    return key;
}

// A header's name with the '/' that starts its keys; empty for the top level.
QString sectionOf(const QByteArray &data, int lineStart, int lineLen)
{
    const int close = data.indexOf(']', lineStart);
    const int end = close < 0 || close >= lineStart + lineLen ? lineStart + lineLen : close;
    const QByteArray name = data.mid(lineStart + 1, end - lineStart - 1).trimmed();
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return QString();
    // "[General]" stands for the top level; a group of that name is written "[%General]".
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(name.mid(1)) + QLatin1Char('/');
    return keyOf(name, 0, name.size()) + QLatin1Char('/');
}

// ---- Values ---------------------------------------------------------------

// What is not plain text is marked by a leading '@'; a text of its own that
// starts with '@' gets a second one.
QString textOf(const QVariant &value)
{
    switch (value.userType()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return QLatin1String("@ByteArray(") + QLatin1String(bytes.constData(), bytes.size()) + QLatin1Char(')');
    }
    case QMetaType::QString:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::Double:
    case QMetaType::QKeySequence: {
        const QString text = value.toString();
        if (text.contains(QChar::Null))
            return QLatin1String("@String(") + text + QLatin1Char(')');
        return text.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + text : text;
    }
    case QMetaType::QRect: {
        const QRect r = value.toRect();
        return QString::asprintf("@Rect(%d %d %d %d)", r.x(), r.y(), r.width(), r.height());
    }
    case QMetaType::QSize: {
        const QSize s = value.toSize();
        return QString::asprintf("@Size(%d %d)", s.width(), s.height());
    }
    case QMetaType::QPoint: {
        const QPoint p = value.toPoint();
        return QString::asprintf("@Point(%d %d)", p.x(), p.y());
    }
    default:
        break;
    }
    // Qt's stream would read through the null zone of such a date-time: a
    // file holding one, read back, is written with no value there.
    if (ProgramSettings::hasUnknownZone(value))
        return QStringLiteral("@Invalid()");
    const bool dateTime = value.userType() == QMetaType::QDateTime;
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(dateTime ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
    stream << value;
    return QLatin1String(dateTime ? "@DateTime(" : "@Variant(") + QLatin1String(bytes.constData(), bytes.size()) +
           QLatin1Char(')');
}

// The numbers of "@Rect(1 2 3 4)" and the like, after the '(' at `open`: each
// blank and each ')' ends one.
QStringList argumentsOf(const QString &text, int open)
{
    QStringList arguments;
    QString argument;
    for (int i = open + 1; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char(')') || text.at(i) == QLatin1Char(' '))
            arguments << argument;
        if (text.at(i) == QLatin1Char(' '))
            argument.clear();
        else if (text.at(i) != QLatin1Char(')'))
            argument += text.at(i);
    }
    return arguments;
}

QVariant variantOf(const QString &text)
{
    if (!text.startsWith(QLatin1Char('@')))
        return text;
    if (text.endsWith(QLatin1Char(')'))) {
        if (text.startsWith(QLatin1String("@ByteArray(")))
            return text.midRef(11, text.size() - 12).toLatin1();
        if (text.startsWith(QLatin1String("@String(")))
            return text.mid(8, text.size() - 9);
        const bool dateTime = text.startsWith(QLatin1String("@DateTime("));
        if (dateTime || text.startsWith(QLatin1String("@Variant("))) {
            QByteArray bytes = text.midRef(dateTime ? 10 : 9).toLatin1();
            QDataStream stream(&bytes, QIODevice::ReadOnly);
            stream.setVersion(dateTime ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
            QVariant value;
            stream >> value;
            return value;
        }
        if (text.startsWith(QLatin1String("@Rect("))) {
            const QStringList n = argumentsOf(text, 5);
            if (n.size() == 4)
                return QRect(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt());
        } else if (text.startsWith(QLatin1String("@Size("))) {
            const QStringList n = argumentsOf(text, 5);
            if (n.size() == 2)
                return QSize(n[0].toInt(), n[1].toInt());
        } else if (text.startsWith(QLatin1String("@Point("))) {
            const QStringList n = argumentsOf(text, 6);
            if (n.size() == 2)
                return QPoint(n[0].toInt(), n[1].toInt());
        } else if (text == QLatin1String("@Invalid()")) {
            return QVariant();
        }
    }
    return text.startsWith(QLatin1String("@@")) ? text.mid(1) : text;
}

// A list stays a list of texts unless one of them stands for another type.
QVariant listVariantOf(const QStringList &texts)
{
    QStringList plain = texts;
    for (QString &text : plain) {
        if (!text.startsWith(QLatin1Char('@')))
            continue;
        if (!text.startsWith(QLatin1String("@@"))) {
            QVariantList values;
            for (const QString &item : texts)
                values << variantOf(item);
            return values;
        }
        text.remove(0, 1);
    }
    return plain;
}

// Control characters and all beyond ASCII become escapes; a value with ';',
// ',' or '=', or a blank at either end, is quoted.
void appendText(const QString &text, QByteArray &out)
{
    const int start = out.size();
    bool needsQuotes = false;
    // After \0 or \xHH a hex digit would be read as part of the escape.
    bool escapeNextIfDigit = false;
    for (const QChar c : text) {
        const ushort ch = c.unicode();
        if (ch == ';' || ch == ',' || ch == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && ch < 0x80 && digitValue(char(ch), 16) >= 0) {
            out += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        if (ch == 0) {
            out += "\\0";
            escapeNextIfDigit = true;
        } else if (const char letter = escapeLetter(ch)) {
            out += '\\';
            out += letter;
        } else if (ch <= 0x1F || ch >= 0x7F) {
            out += "\\x" + QByteArray::number(ch, 16);
            escapeNextIfDigit = true;
        } else {
            out += char(ch);
        }
    }
    if (needsQuotes || (start < out.size() && (out.at(start) == ' ' || out.endsWith(' ')))) {
        out.insert(start, '"');
        out += '"';
    }
}

void appendValue(const QVariant &value, QByteArray &out)
{
    // A list of one is written as that one value: it reads back as it.
    const int type = value.userType();
    if (type != QMetaType::QStringList && (type != QMetaType::QVariantList || value.toList().size() == 1)) {
        appendText(textOf(value), out);
        return;
    }
    const QVariantList items = value.toList();
    if (items.isEmpty())
        out += "@Invalid()";
    for (int i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ", ";
        appendText(textOf(items.at(i)), out);
    }
}

// The value between from and to. Quotes keep blanks and commas, a backslash
// starts a C escape or \x with any number of hex digits, and commas outside
// quotes make a list. True for a list (then in `list`), else `text` holds it.
bool valueOf(const QByteArray &data, int from, int to, QTextCodec *codec, QString &text, QStringList &list)
{
    bool isList = false;
    bool inQuotes = false;
    bool quoted = false;
    bool escapeAtEnd = false;
    int i = from;
    int chopLimit = 0; // blanks before this are kept
    // As Qt's reader has it: an empty value is an empty text, and so is an
    // empty item of a list, but for the last one, which is a null text.
    text = QLatin1String("");
    const auto skipBlanks = [&] {
        while (i < to && (data.at(i) == ' ' || data.at(i) == '\t'))
            ++i;
        chopLimit = text.size();
    };
    const auto chopBlanks = [&] {
        while (text.size() > chopLimit && (text.endsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char('\t'))))
            text.chop(1);
    };
    skipBlanks();
    while (i < to && !escapeAtEnd) {
        const char ch = data.at(i);
        if (ch == '\\') {
            if (++i >= to) {
                escapeAtEnd = true;
                break;
            }
            const char letter = data.at(i++);
            const int base = letter == 'x' ? 16 : 8;
            if (const char c = escapedChar(letter)) {
                text += QLatin1Char(c);
            } else if ((letter == 'x' && i < to && digitValue(data.at(i), 16) >= 0) || digitValue(letter, 8) >= 0) {
                uint code = letter == 'x' ? 0 : uint(letter - '0');
                for (int d; i < to && (d = digitValue(data.at(i), base)) >= 0; ++i)
                    code = code * base + d;
                text += QChar(ushort(code));
                escapeAtEnd = i >= to;
            } else if (letter == 'x') {
                escapeAtEnd = i >= to;
            } else if ((letter == '\n' || letter == '\r') && i < to) {
                const char next = data.at(i);
                if ((next == '\n' || next == '\r') && next != letter)
                    ++i;
            }
            // Any other escaped character is dropped.
            chopLimit = text.size();
        } else if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
        } else if (ch == ',' && !inQuotes) {
            if (!quoted)
                chopBlanks();
            if (!isList)
                list.clear();
            isList = true;
            list << text;
            text.clear();
            quoted = false;
            ++i;
            skipBlanks();
        } else {
            int j = i + 1;
            while (j < to && data.at(j) != '\\' && data.at(j) != '"' && data.at(j) != ',')
                ++j;
            text += codec ? codec->toUnicode(data.constData() + i, j - i)
                          : QString::fromLatin1(data.constData() + i, j - i);
            i = j;
        }
    }
    if (!escapeAtEnd && !quoted)
        chopBlanks();
    if (isList)
        list << text;
    return isList;
}

// ---- Lines ----------------------------------------------------------------

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Finds the line from pos on: where it starts, its length and its first '='
// outside quotes (-1: none). Quoted text, and a backslash before a line break,
// run on over the break; blank lines and ';' comments are passed over. False
// at the end of the data.
bool nextLine(const QByteArray &data, int &pos, int &lineStart, int &lineLen, int &equalsPos)
{
    const int size = data.size();
    bool inQuotes = false;
    bool ended = false;
    equalsPos = -1;
    lineStart = pos;
    while (lineStart < size && isBlank(data.at(lineStart)))
        ++lineStart;
    int i = lineStart;
    while (i < size && !ended) {
        const char ch = data.at(i++);
        if (ch == '=') {
            if (!inQuotes && equalsPos == -1)
                equalsPos = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == lineStart + 1)
                ++lineStart;
            else
                ended = !inQuotes;
        } else if (ch == '\\') {
            if (i < size) {
                const char next = data.at(i++);
                if (i < size && ((next == '\n' && data.at(i) == '\r') || (next == '\r' && data.at(i) == '\n')))
                    ++i;
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (ch == ';') {
            if (i == lineStart + 1) {
                while (i < size && data.at(i) != '\n' && data.at(i) != '\r')
                    ++i;
                while (i < size && isBlank(data.at(i)))
                    ++i;
                lineStart = i;
            } else {
                ended = !inQuotes;
            }
        }
    }
    // The break or ';' that ended the line is the next one's to look at.
    if (ended)
        --i;
    pos = i;
    lineLen = i - lineStart;
    return lineLen > 0;
}

// ---- The format's two functions -------------------------------------------

// Like Qt's own reader, it takes what it can and passes over a line it
// cannot read: a file is never dropped for one bad line.
bool readIni(QIODevice &device, QSettings::SettingsMap &map)
{
    const QByteArray data = device.readAll();
    int pos = 0;
    // Text after a UTF-8 mark is UTF-8; else every byte is a Latin-1 character.
    QTextCodec *codec = nullptr;
    if (data.startsWith("\xEF\xBB\xBF")) {
        codec = QTextCodec::codecForName("UTF-8");
        pos = 3;
    }
    QString section;
    int lineStart = 0;
    int lineLen = 0;
    int equalsPos = -1;
    while (nextLine(data, pos, lineStart, lineLen, equalsPos)) {
        if (data.at(lineStart) == '[') {
            section = sectionOf(data, lineStart, lineLen);
            continue;
        }
        if (equalsPos < 0)
            continue;
        int keyEnd = equalsPos;
        while (keyEnd > lineStart && (data.at(keyEnd - 1) == ' ' || data.at(keyEnd - 1) == '\t'))
            --keyEnd;
        QString text;
        QStringList list;
        const bool isList = valueOf(data, equalsPos + 1, lineStart + lineLen, codec, text, list);
        map.insert(section + keyOf(data, lineStart, keyEnd), isList ? listVariantOf(list) : variantOf(text));
    }
    return true;
}

// The text goes whole to the file QSettings gave, a temporary one beside
// the settings file, and must be on the disk before QSettings may put it in
// the file's place: a false here makes it drop the temporary file and keep
// the old one. (QSettings' own INI writer lets a flush that failed pass.)
bool writeIni(QIODevice &device, const QSettings::SettingsMap &map)
{
    // The first part of a key names its section, the top level's is empty.
    QMap<QString, QByteArray> sections;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const int slash = it.key().indexOf(QLatin1Char('/'));
        QByteArray &lines = sections[slash < 0 ? QString() : it.key().left(slash)];
        appendKey(slash < 0 ? it.key() : it.key().mid(slash + 1), lines);
        lines += '=';
        appendValue(it.value(), lines);
        lines += '\n';
    }
    QByteArray text;
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        QByteArray name;
        appendKey(it.key(), name);
        if (!text.isEmpty())
            text += '\n';
        if (name.isEmpty())
            text += "[General]\n";
        else if (name.compare("general", Qt::CaseInsensitive) == 0)
            text += "[%General]\n";
        else
            text += '[' + name + "]\n";
        text += it.value();
    }
    auto *file = qobject_cast<QFileDevice *>(&device);
    return file && device.write(text) == text.size() && syncToDisk(*file);
}

} // namespace

ProgramSettings::ProgramSettings(QObject *parent)
    : QSettings(format(), UserScope, QStringLiteral("Mirvel"), QStringLiteral("Reriruvozive-Mirvel"), parent)
{
}

QSettings::Format ProgramSettings::format()
{
    // The native format's file name: the program keeps the file it had.
    static const Format registered = registerFormat(QStringLiteral("conf"), readIni, writeIni);
    return registered;
}

bool ProgramSettings::store(const QString &key, const QVariant &value)
{
    // Settings of their own: a status, once an error, stays so for good.
    ProgramSettings settings;
    settings.setValue(key, value);
    settings.sync();
    return settings.status() == NoError;
}

bool ProgramSettings::hasUnknownZone(const QVariant &value)
{
    if (value.userType() != QMetaType::QDateTime)
        return false;
    const QDateTime dateTime = value.toDateTime();
    return dateTime.timeSpec() == Qt::TimeZone && !dateTime.timeZone().isValid();
}

QString ProgramSettings::shownFileName()
{
    return QDir::toNativeSeparators(ProgramSettings().fileName());
}
