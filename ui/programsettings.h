#ifndef PROGRAMSETTINGS_H
#define PROGRAMSETTINGS_H

#include <QSettings>

// The program's own settings (theme, language, the folder of the last
// firmware file), in the user's configuration folder under the program's
// name.
//
// The file is INI text, as Qt's native format writes it on this system, so a
// file of an earlier version reads the same and Qt's INI reader reads ours.
// What differs is the write: the whole text goes to a temporary file, which
// is flushed and put on the disk before it takes the file's place. A write
// cut short (a full disk, a size limit, an I/O error) or a folder that takes
// no temporary file leaves the file as it was, byte for byte, and the
// settings report AccessError.
class ProgramSettings : public QSettings
{
public:
    explicit ProgramSettings(QObject *parent = nullptr);

    // That format, for a file anywhere.
    static Format format();
    // Sets one value and writes the file at once. False when the file kept
    // its old content; the value still holds for this run of the program.
    static bool store(const QString &key, const QVariant &value);
    // The file, written the way the user's system writes paths.
    static QString shownFileName();
    // A date-time of a zone this system does not know, as a damaged file may
    // give: Qt cannot put it into a stream, so it is written as no value.
    static bool hasUnknownZone(const QVariant &value);
};

#endif // PROGRAMSETTINGS_H
