#ifndef PROGRAMSETTINGS_H
#define PROGRAMSETTINGS_H

#include <QSettings>

// The program's own settings (theme, language, the folder of the last
// firmware file): the file the native format keeps under the program's
// name, read by Qt's own INI reader.
//
// Only store() writes it, staged: Qt's own INI writer writes the new
// settings to a file beside it, Qt's reader reads that back, and only when
// it gives what was meant and is on the disk does it take the file's place.
// A write cut short (a full disk, a size limit, an I/O error), a folder
// that takes no new file or a file the user made read-only leaves the file
// as it was, byte for byte. What a killed write left beside it goes at the
// next write.
class ProgramSettings : public QSettings
{
public:
    explicit ProgramSettings(QObject *parent = nullptr);

    // The value for this run: a choice the file did not take holds until
    // the file takes one. Of a file Qt's reader cannot read whole for want
    // of memory (a damaged value may claim any size), what it read before
    // it gave up, and the default.
    QVariant value(const QString &key, const QVariant &defaultValue = QVariant()) const;
    // Nothing but store() writes the file.
    void setValue(const QString &key, const QVariant &value) = delete;
    void remove(const QString &key) = delete;
    void clear() = delete;

    // Sets one value and writes the file at once. False when the file kept
    // its old content (a file that cannot be read whole, or is read-only, is
    // kept); the value
    // still holds for this run of the program.
    static bool store(const QString &key, const QVariant &value);
    // The file, written the way the user's system writes paths.
    static QString shownFileName();
    // A date-time of a zone this system does not know, or a list or map
    // holding one, as a damaged file may give: Qt's writer cannot put it
    // into its stream.
    static bool hasUnknownZone(const QVariant &value);
    // Whether Qt's writer puts the value into the file in no more than
    // kLargestValueBytes. A damaged value of a few bytes may read as a list
    // of millions of points: the file is kept rather than grown by that.
    static bool fitsTheFile(const QVariant &value);
    static constexpr qint64 kLargestValueBytes = 64 * 1024;
};

#endif // PROGRAMSETTINGS_H
