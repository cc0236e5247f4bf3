#ifndef PSEUDOTERMINAL_H
#define PSEUDOTERMINAL_H

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair. The program opens the slave side by its path, as it
// would a real serial port; the test plays the device on the master side.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isValid() const { return masterFd >= 0; }
    QString slavePath() const { return path; }
    int masterHandle() const { return masterFd; }

    // Writes all bytes in one write() call; returns false if it fell short.
    bool write(const QByteArray &bytes);
    // Everything the program has written so far (non-blocking).
    QByteArray readAvailable();
    // Closes the master side: the program's end of the line sees a hang-up.
    void hangUp();

private:
    int masterFd = -1;
    int slaveFd = -1;
    QString path;
};

#endif // PSEUDOTERMINAL_H
