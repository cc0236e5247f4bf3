#ifndef CELLNUMBER_H
#define CELLNUMBER_H

#include <QString>
#include <QVariant>

#include <optional>

class QStandardItem;

// The numbers the calibration tables' cells hold. A cell is text; what the
// program and the cell editor put there is a plain decimal number, which
// every reader takes back as that number.
namespace cells {

// The largest number a cell may hold; the cell editor admits nine digits.
constexpr double kLargest = 999999999.0;

// The number a cell's text stands for: a non-negative decimal number no
// larger than kLargest, blanks around it allowed (an exponent is read too,
// as earlier versions wrote large numbers so). Nothing for anything else.
std::optional<double> number(const QString &text);
// A number as a cell shows it: decimal digits, with a point and the
// fraction's digits only when there is a fraction, never an exponent.
QString numberText(double value);
// The text of a model cell whatever it holds: text trimmed, a number
// through numberText.
QString text(const QVariant &value);
// A whole number from 0 to 65535, as the sensor's own table takes it.
std::optional<quint16> wholeWord(const QString &text);
// A new cell with this text, centred as the calibration tables show them.
QStandardItem *centredItem(const QString &text);

} // namespace cells

#endif // CELLNUMBER_H
