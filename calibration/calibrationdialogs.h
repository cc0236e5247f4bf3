#ifndef CALIBRATIONDIALOGS_H
#define CALIBRATIONDIALOGS_H

#include <QString>

class QWidget;

// The questions and messages of the calibration tables, all in the common
// message dialog, and the save dialog of their CSV files.
namespace calibrationdialogs {

// Shows a message with an OK button only.
void tell(QWidget *parent, const QString &text);
// Asks with OK and cancel; the button captions are replaced when given.
// True when the user accepted.
bool ask(QWidget *parent, const QString &upper, const QString &text, const QString &okText = QString(),
         const QString &cancelText = QString());

// Asks for the name of a CSV file to save (caption "Сохранить файл",
// starting in "/"), as askSaveFileName() does: ".csv" is appended to a name
// that does not end in it, and a file of the name so made is replaced only
// when the user says so. Empty when the user cancelled or declined.
QString askCsvSaveName(QWidget *parent);

} // namespace calibrationdialogs

#endif // CALIBRATIONDIALOGS_H
