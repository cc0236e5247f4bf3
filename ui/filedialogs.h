#ifndef FILEDIALOGS_H
#define FILEDIALOGS_H

#include <QString>

#include <functional>

class QDialog;
class QWidget;

// The program's file dialogs. A dialog asked for in a device's session runs
// through `run` (the procedure's or the page's way of showing a box of that
// session), so that it closes with the session as the session's other boxes
// do: it then names no file, whatever the user chose in it. Without `run`
// the dialog is simply run.
using DialogRun = std::function<int(QDialog &)>;

// Asks for an existing file to open, among those `filter` shows. `start` is
// a folder, or the file chosen last: the dialog then opens in its folder
// with nothing selected. The file named is the one the dialog's name field
// names, a file dropped onto it from another window included; a name that
// is no file, or several names, is told (through `tell` when given, else in
// the program's message box over `parent`, run as the dialog was) and names nothing. Empty when
// the user cancelled or the dialog's session ended.
QString askOpenFileName(QWidget *parent, const QString &caption, const QString &start, const QString &filter,
                        const DialogRun &run = {}, const std::function<void(const QString &)> &tell = {});

// Asks for the name of a file to save in the file dialog, whose filter is
// `suffix`, and appends `suffix` to a name that does not end in it. The
// dialog asks itself before it gives the name of a file that exists; a file
// of the name the suffix made it did not see, so the user is asked here
// whether to replace that one: in the program's message box, or through
// `askReplace` when given (true: replace). Empty when the user cancelled or
// declined, or the dialog's session ended.
QString askSaveFileName(QWidget *parent, const QString &caption, const QString &folder, const QString &suffix,
                        const std::function<bool(const QString &question)> &askReplace = {}, const DialogRun &run = {});

#endif // FILEDIALOGS_H
