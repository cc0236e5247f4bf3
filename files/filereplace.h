#ifndef FILEREPLACE_H
#define FILEREPLACE_H

#include <QString>

class QFileDevice;

// Moves `source` onto `target` in one step, replacing a file of that name:
// at every moment `target` names either its old content or the new one,
// whole. Both lie in the same folder. False when the move failed (`source`
// is left in place then).
bool replaceFile(const QString &source, const QString &target);

// Waits until what was written to an open file is on the disk, so that a
// power cut right after it loses nothing of it. False when it could not be
// made sure.
bool syncToDisk(QFileDevice &file);
// The same for a folder's list of names, after a file was moved or made in
// it: it stays so after a power cut. The file is the new one whether or not
// this succeeds, so nothing here fails a save: a folder the system does not
// let the user open (one to write into but not list, mode 0333) cannot be
// synced, and what could not be made sure goes to the file log.
void syncFolder(const QString &path);
// Hands what was written to an open file to the system, then has it put on
// the disk beside the program's own work: a disk busy with other writes
// may take longer than a frame of the screen for it. False when the file
// could not be handed over.
bool syncToDiskSoon(QFileDevice &file);

#endif // FILEREPLACE_H
