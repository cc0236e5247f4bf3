#ifndef TARFILE_H
#define TARFILE_H

#include <QByteArray>
#include <QDateTime>
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

// A run has at most this many sensors.
constexpr int kMaxSensors = 2;

// A table row as the run keeps it: the volume first, then one reading per
// sensor.
using Row = QStringList;

// The whole file for these rows (an empty file for none).
QByteArray runText(const QList<Row> &rows);

struct ParsedRun
{
    QList<Row> rows;               // in file order, volume first, one reading per sensor of the run
    int sensorCount = 0;           // sensors whose readings the file holds; 0 when no line is readable
    QList<int> skippedLineNumbers; // lines that were not read, by their numbers in the file, from 1
    int skippedLines() const { return skippedLineNumbers.size(); }
};

// Who wrote a file a run is read from. The program ends every line it
// writes, its run files and the runs it kept aside; a last line without
// its line end there is a write cut short, never a portion. A file of the
// user's may lack the last line end, as editors save them.
enum class Writer { User, Program };

// Reads a run file for a run of `sensorCount` sensors (1 or 2): the file
// stores no number of sensors, and "1100,7,5" is one sensor at 1100 and 7.5
// units, or two sensors and 5 units. A line holds 2 (sensor 1 and volume)
// or 3 (sensor 1, sensor 2 and volume) numbers; any other line is skipped.
// In a line whose fields are separated by a comma and a blank, a comma
// between two digits is a decimal comma: "1100, 7,5" is sensor 1 at 1100
// and 7.5 units; in a line of bare commas only the volume's can be, and
// only by the run's sensors. The file's sensors are those of its last whole
// line, one that ends with a line end (a last line without one may have
// been cut short), that tells them; a file of another number of sensors
// than the run's gives no rows, and its sensorCount tells the mismatch. A
// run whose second sensor was removed on the way holds its earlier portions
// with two readings, and they are taken with sensor 1's reading alone, when
// they are written as the program writes them. A line with fewer readings
// than the run has, or with more and separated otherwise, is skipped. Empty
// lines are not counted.
ParsedRun parseRun(const QByteArray &data, int sensorCount, Writer writer = Writer::User);

// Names in the folder `dir`: the temporary mirror of one or two sensors, the
// same pair the other way round, and the finished copy.
QString tempName(const QString &dir, int serial1, std::optional<int> serial2 = std::nullopt);
QString finishedName(const QString &dir, int serial1);
// The same for devices known by other names than a wired sensor's serial:
// the mirror of a run whose columns belong to these devices, in column
// order, and the finished copy of the first.
QString tempName(const QString &dir, const QStringList &devices);
QString finishedName(const QString &dir, const QString &device);
// A device's name as a part of a file name: up to its first zero byte,
// letters, digits, "-" and "_" kept and anything else made "_", so that no
// name a device reports reaches outside the folder.
QString fileNamePart(const QString &name);
// Keeps an unfinished run that a new one would replace: moves its temporary
// file to a CSV beside it named after its sensors and `when` (what the
// restore-from-file dialog opens). The new name, or nothing when the file
// could not be moved.
QString keepAside(const QString &path, const QDateTime &when);
// A temporary file's name with every "~" removed: its finished copy after a
// restore.
QString withoutTilde(const QString &path);
// True for a temporary run file in `dir`, as the program names them: never
// a file the user chose.
bool isTempName(const QString &path, const QString &dir);

// True when the file holds exactly these bytes.
bool holds(const QString &path, const QByteArray &bytes);
// Writes the whole file or leaves the old one untouched, and waits until it
// is on the disk: for the run's mirror, which must survive the program, or
// the power, going away at any moment.
bool writeMirror(const QString &path, const QByteArray &bytes);
// Adds lines at the end of a mirror that holds the rows before them, so that
// a long run does not rewrite its whole table for each portion, and has them
// put on the disk at once, without the screen waiting for it. Lines that
// could not be written whole are cut off again: the mirror holds whole
// portions only.
bool appendToMirror(const QString &path, const QByteArray &bytes);

} // namespace tarfile

#endif // TARFILE_H
