#ifndef SAVEFILENAME_H
#define SAVEFILENAME_H

#include <QString>

#include <functional>

class QWidget;

// Asks for the name of a file to save in the file dialog, whose filter is
// `suffix`, and appends `suffix` to a name that does not end in it. The
// dialog asks itself before it gives the name of a file that exists; a file
// of the name the suffix made it did not see, so the user is asked here
// whether to replace that one: in the program's message box, or through
// `askReplace` when given (true: replace). Empty when the user cancelled or
// declined.
QString askSaveFileName(QWidget *parent, const QString &caption, const QString &folder, const QString &suffix,
                        const std::function<bool(const QString &question)> &askReplace = {});

#endif // SAVEFILENAME_H
