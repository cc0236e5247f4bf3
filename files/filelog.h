#ifndef FILELOG_H
#define FILELOG_H

#include <QString>

#include <functional>

// Where the file writers tell what they could not make sure of without it
// being a failure the user is asked about. The main window hands its log
// here while it lives; without one the text goes to the debug output.
void setFileLog(std::function<void(const QString &)> log);
void fileLog(const QString &text);

#endif // FILELOG_H
