#ifndef TEXTFILE_H
#define TEXTFILE_H

#include <QByteArray>
#include <QString>

// What the readers and writers of the files users keep share.
namespace textfile {

// The bytes of a text file without the UTF-8 byte order marks in front:
// spreadsheet programs put one before a CSV they save, and files joined
// together carry several. A mark left in place would spoil the first field.
QByteArray withoutByteOrderMarks(const QByteArray &data);

// Writes the whole file or leaves the old one as it was, and waits until it
// is on the disk under its name: written beside it, checked, only then put
// in its place, and the folder synced where the system lets it be. True
// once the file in its place is the new one. A link is followed, and the
// file keeps the old one's permissions.
bool writeWhole(const QString &path, const QByteArray &bytes);

// The name with `suffix` appended unless it ends so, in any letter case:
// "C.CSV" is the file the user named, never "C.CSV.csv" beside it.
QString withSuffix(const QString &name, const QString &suffix);

} // namespace textfile

#endif // TEXTFILE_H
