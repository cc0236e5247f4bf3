#ifndef TEXTFILE_H
#define TEXTFILE_H

#include <QByteArray>

// What the readers of the table files users keep share.
namespace textfile {

// The bytes of a text file without the UTF-8 byte order marks in front:
// spreadsheet programs put one before a CSV they save, and files joined
// together carry several. A mark left in place would spoil the first field.
QByteArray withoutByteOrderMarks(const QByteArray &data);

} // namespace textfile

#endif // TEXTFILE_H
