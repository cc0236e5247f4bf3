#ifndef TARFILE_H
#define TARFILE_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The calibration run's files, free of widgets: one text format for the
// temporary mirror, the finished copy and the CSV the user keeps, and their
// names.
//
// A file holds one line per table row, no header. A line gives the sensor
// readings in column order, then the volume, joined by ", " and ended by
// CR LF; one sensor makes two fields, two sensors three.
namespace tarfile {

// A table row as the run keeps it: the volume first, then one reading per
// sensor.
using Row = QStringList;

// The whole file for these rows (an empty file for none).
QByteArray runText(const QList<Row> &rows);

struct ParsedRun
{
    QList<Row> rows;      // in file order, volume first
    int sensorCount = 0;  // taken from the first readable line; 0 when none is
    int skippedLines = 0; // lines that were not read
};

// Reads a run file. Each line is read by its own field count (2: sensor 1
// and volume, 3: sensor 1, sensor 2 and volume); a line whose count differs
// from the first readable line's, or whose fields are not all numbers, is
// skipped. Empty lines are not counted.
ParsedRun parseRun(const QByteArray &data);

// Names in the folder `dir`: the temporary mirror of one or two sensors, the
// same pair the other way round, and the finished copy.
QString tempName(const QString &dir, int serial1, std::optional<int> serial2 = std::nullopt);
QString finishedName(const QString &dir, int serial1);
// A temporary file's name with every "~" removed: its finished copy after a
// restore.
QString withoutTilde(const QString &path);
// True for a temporary run file in `dir`, as the program names them: never
// a file the user chose.
bool isTempName(const QString &path, const QString &dir);
// The name of the CSV the save dialog gave: ".csv" appended unless it ends so.
QString withCsvSuffix(const QString &name);

// Writes the whole file or leaves the old one untouched, and waits until it
// is on the disk: for the files the user keeps.
bool writeWhole(const QString &path, const QByteArray &bytes);
// Writes the whole file or leaves the old one untouched, without waiting for
// the disk: for the run's mirror, rewritten at every portion, which must
// survive the program going away at any moment and must not hold up the
// screen.
bool writeMirror(const QString &path, const QByteArray &bytes);
// Adds lines at the end of a mirror that holds the rows before them, so that
// a long run does not rewrite its whole table for each portion. Cut short,
// it leaves a last line that reading skips.
bool appendToMirror(const QString &path, const QByteArray &bytes);

} // namespace tarfile

#endif // TARFILE_H
