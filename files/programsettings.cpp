// The program's settings file: Qt's own INI reader and writer, the new file
// checked and made sure of on the disk before it replaces the old one.
#include "files/programsettings.h"

#include "files/filereplace.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimeZone>

#include <algorithm>
#include <new>

namespace {

// Choices of this run that the file did not take.
QVariantMap &unstoredChoices()
{
    static QVariantMap choices;
    return choices;
}

QString settingsFile()
{
    // Where the native format keeps it: the program keeps the file it had.
    static const QString path = QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Mirvel"),
                                          QStringLiteral("Reriruvozive-Mirvel"))
                                    .fileName();
    return path;
}

// What the program and people put in the file (texts, lists of texts,
// bytes, rectangles, sizes, points) reads back as it was written. Values of
// other kinds, as a damaged file or another program may leave, Qt's writer
// writes as well as it can (an empty list as no value, a NaN unequal to
// itself), and Qt's reader may give back another kind: of those, only the
// key is looked for.
bool readsBackAs(const QVariant &meant, const QVariant &read)
{
    switch (meant.userType()) {
    case QMetaType::UnknownType:
    case QMetaType::QString:
    case QMetaType::QStringList:
    case QMetaType::QByteArray:
    case QMetaType::QRect:
    case QMetaType::QSize:
    case QMetaType::QPoint:
        return meant == read;
    default:
        return true;
    }
}

bool sameEntries(const QVariantMap &meant, const QVariantMap &read)
{
    return meant.keys() == read.keys() && std::all_of(meant.keyBegin(), meant.keyEnd(), [&](const QString &key) {
               return readsBackAs(meant.value(key), read.value(key));
           });
}

QVariantMap entriesOf(const QSettings &settings)
{
    QVariantMap map;
    for (const QString &key : settings.allKeys())
        map.insert(key, settings.value(key));
    return map;
}

// A name beside `target` that no settings object of this run has seen: Qt
// keeps what it read or wrote of a file in memory, and would give that
// instead of what the disk holds. Named after the file, the writing process
// and a count, so that the staging files are known as the program's own.
QString freshNameBeside(const QString &target)
{
    static quint64 count = 0;
    const QString name =
        QStringLiteral("%1.%2-%3.new").arg(target).arg(QCoreApplication::applicationPid()).arg(++count);
    // One a killed run left would be read into the new file.
    QFile::remove(name);
    return name;
}

// Removes the staging files a write that was killed left beside `target`,
// and what Qt's writer had begun of them (a lock, a file of six random
// letters more). Only one copy of the program runs: none of them is still
// being written.
void removeLeftStaging(const QString &target)
{
    const QFileInfo info(target);
    const QRegularExpression staging(QStringLiteral("^%1\\.\\d+-\\d+\\.new(\\.lock|\\.[A-Za-z0-9]{6})?$")
                                         .arg(QRegularExpression::escape(info.fileName())));
    const QDir folder = info.absoluteDir();
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (staging.match(name).hasMatch())
            QFile::remove(folder.filePath(name));
    }
}

// The old file's bytes under a name of the program's own: a copy Qt makes
// is begun under a name of Qt's, which a killed write would leave behind.
bool copyAs(const QString &source, const QString &copy)
{
    QFile from(source);
    QFile to(copy);
    if (!from.open(QIODevice::ReadOnly) || !to.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = from.readAll();
    // Open to no one the file itself is not open to.
    return from.error() == QFileDevice::NoError && to.setPermissions(from.permissions()) &&
           to.write(bytes) == bytes.size() && to.flush();
}

// Writes the settings `target` holds, with `choices` set, to a file beside
// it as Qt's own writer writes them, reads that back, puts it on the disk
// and only then in `target`'s place.
bool writeStaged(const QString &target, const QVariantMap &choices)
{
    removeLeftStaging(target);
    // A file the user made read-only is theirs to keep so, whoever runs the
    // program (the system lets its administrator write any file).
    const QFileInfo old(target);
    if (old.exists() && (!old.isWritable() || !(old.permissions() & QFileDevice::WriteOwner)))
        return false;
    const QString copy = freshNameBeside(target);
    const QString written = freshNameBeside(target);
    const QString readBack = freshNameBeside(target);
    const auto fail = [&] {
        for (const QString &name : {copy, written, readBack})
            QFile::remove(name);
        return false;
    };
    // The old file is read whole under a name of its own: what Qt read of a
    // file before it gave up on one of its values stays in its memory as if
    // it were all. One that cannot be read is not replaced by one without
    // its keys.
    QVariantMap meant;
    if (QFileInfo::exists(target)) {
        if (!copyAs(target, copy))
            return fail();
        try {
            meant = entriesOf(QSettings(copy, QSettings::IniFormat));
        } catch (const std::bad_alloc &) {
            // Qt's reader asks for as much room as a damaged value says it
            // needs: a file that asks for more than there is is kept.
            return fail();
        }
        QFile::remove(copy);
    }
    for (auto it = meant.begin(); it != meant.end(); ++it) {
        // Written as no value: Qt's writer would crash on the date-time.
        if (ProgramSettings::hasUnknownZone(*it))
            *it = QVariant();
    }
    for (auto it = choices.cbegin(); it != choices.cend(); ++it)
        meant.insert(it.key(), it.value());
    if (!std::all_of(meant.cbegin(), meant.cend(), ProgramSettings::fitsTheFile))
        return fail();
    // Qt's writer puts a damaged date-time or variant into its stream as
    // the reader gave it, and may ask for as much room as that claims; its
    // reader may ask again: a file it cannot write so is kept.
    try {
        // What Qt's writer took: a key it cannot write (an empty one, as a
        // damaged file may give) it leaves out, as its own writes of the
        // file do. A new settings object writes as Qt writes a file of its
        // own: one that read a file with a UTF-8 mark would write its texts
        // unescaped, in UTF-8 without the mark, which Qt reads back otherwise.
        QVariantMap taken;
        bool took = true;
        {
            QSettings staged(written, QSettings::IniFormat);
            for (auto it = meant.cbegin(); it != meant.cend(); ++it)
                staged.setValue(it.key(), it.value());
            // The choices last: a key a damaged file holds as Qt would not
            // write it ("theme/") is the choice's own key to Qt's writer, and
            // would write its old value over the choice.
            for (auto it = choices.cbegin(); it != choices.cend(); ++it)
                staged.setValue(it.key(), it.value());
            taken = entriesOf(staged);
            for (auto it = choices.cbegin(); it != choices.cend(); ++it)
                took = took && readsBackAs(it.value(), staged.value(it.key()));
            staged.sync();
            took = took && staged.status() == QSettings::NoError;
        }
        // Only once the settings object is gone: it writes what it has not
        // yet written as it goes, which the clean-up would miss.
        if (!took)
            return fail();
        // Read under a name of its own: what Qt wrote of the file is not
        // taken for what it reads.
        if (!replaceFile(written, readBack))
            return fail();
        const QSettings check(readBack, QSettings::IniFormat);
        if (check.status() != QSettings::NoError || !sameEntries(taken, entriesOf(check)))
            return fail();
    } catch (const std::bad_alloc &) {
        return fail();
    }
    QFile file(readBack);
    if (!file.open(QIODevice::ReadOnly) || !syncToDisk(file))
        return fail();
    // Qt takes a file for unchanged while its size and time are: one of the
    // same size written within the same tick of the clock would not be read
    // again by the settings objects of this run.
    if (old.exists() && old.size() == file.size() &&
        old.lastModified() == file.fileTime(QFileDevice::FileModificationTime))
        file.setFileTime(old.lastModified().addMSecs(1), QFileDevice::FileModificationTime);
    // The file keeps who may read it.
    if (old.exists() && !file.setPermissions(old.permissions()))
        return fail();
    file.close();
    if (!replaceFile(readBack, target))
        return fail();
    syncFolder(QFileInfo(target).absolutePath());
    return true;
}

// Takes what is written up to the largest value and refuses the rest,
// keeping none of it.
class CountingDevice : public QIODevice
{
protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override
    {
        if (size > ProgramSettings::kLargestValueBytes - written)
            return -1;
        written += size;
        return size;
    }

private:
    qint64 written = 0;
};

} // namespace

ProgramSettings::ProgramSettings(QObject *parent) : QSettings(settingsFile(), IniFormat, parent) {}

QVariant ProgramSettings::value(const QString &key, const QVariant &defaultValue) const
{
    const QVariantMap &unstored = unstoredChoices();
    const auto choice = unstored.constFind(key);
    if (choice != unstored.cend())
        return *choice;
    try {
        return QSettings::value(key, defaultValue);
    } catch (const std::bad_alloc &) {
        // Qt's reader asks for as much room as a damaged value says it
        // needs: a file that asks for more than there is gives no more.
        return defaultValue;
    }
}

bool ProgramSettings::store(const QString &key, const QVariant &value)
{
    QVariantMap &unstored = unstoredChoices();
    unstored.insert(key, value);
    // A link is followed: the file it leads to is written.
    const QString canonical = QFileInfo(settingsFile()).canonicalFilePath();
    if (!writeStaged(canonical.isEmpty() ? settingsFile() : canonical, unstored))
        return false;
    unstored.clear();
    // The settings objects of this file share what Qt last read of it: one
    // read brings them all the new file.
    ProgramSettings().sync();
    return true;
}

bool ProgramSettings::hasUnknownZone(const QVariant &value)
{
    const auto anyIn = [](const auto &values) { return std::any_of(values.cbegin(), values.cend(), hasUnknownZone); };
    switch (value.userType()) {
    case QMetaType::QDateTime: {
        const QDateTime dateTime = value.toDateTime();
        return dateTime.timeSpec() == Qt::TimeZone && !dateTime.timeZone().isValid();
    }
    case QMetaType::QVariantList:
        return anyIn(value.toList());
    case QMetaType::QVariantMap:
        return anyIn(value.toMap());
    case QMetaType::QVariantHash:
        return anyIn(value.toHash());
    default:
        return false;
    }
}

bool ProgramSettings::fitsTheFile(const QVariant &value)
{
    // Texts, lists of texts and bytes come from the file or the program, no
    // longer than the file was; the kinds Qt streams are measured as written.
    switch (value.userType()) {
    case QMetaType::UnknownType:
    case QMetaType::QString:
    case QMetaType::QStringList:
    case QMetaType::QByteArray:
        return true;
    default:
        break;
    }
    CountingDevice device;
    device.open(QIODevice::WriteOnly);
    QDataStream stream(&device);
    stream << value;
    return stream.status() == QDataStream::Ok;
}

QString ProgramSettings::shownFileName()
{
    return QDir::toNativeSeparators(settingsFile());
}
