#ifndef FILEREPLACE_H
#define FILEREPLACE_H

#include <QString>

// Moves `source` onto `target` in one step, replacing a file of that name:
// at every moment `target` names either its old content or the new one,
// whole. Both lie in the same folder. False when the move failed (`source`
// is left in place then).
bool replaceFile(const QString &source, const QString &target);

#endif // FILEREPLACE_H
