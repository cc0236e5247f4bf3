#ifndef SENSORTABLE_H
#define SENSORTABLE_H

#include <QByteArray>
#include <QList>
#include <QStringList>

// The CSV files of the sensor's own litres/percent table, free of widgets.
// A line holds a row's cells from the last column to the first, joined by
// ", " and ended by CR LF: the litres or percent value first, then the
// level. Files written so exist, so the reader takes that order back.
namespace sensortable {

constexpr int kRows = 20;
constexpr int kColumns = 2;

// The file for rows given in column order (level, value).
QByteArray csvText(const QList<QStringList> &rows);

struct ParsedCsv
{
    QList<QStringList> rows; // in column order (level, value), blanks trimmed
    int badLine = 0;         // number (from 1) of the first line not read; 0: all read
    bool tooManyRows = false;
    bool ok() const { return badLine == 0 && !tooManyRows && !rows.isEmpty(); }
};

// Reads a table file: every line that is not empty must hold two numbers a
// cell may hold, and there may be no more lines than the table has rows.
ParsedCsv parseCsv(const QByteArray &data);

} // namespace sensortable

#endif // SENSORTABLE_H
