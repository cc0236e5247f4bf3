#ifndef PSEUDOTERMINAL_H
#define PSEUDOTERMINAL_H

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair. The program opens the slave side by its path, as it
// would a real serial port; the test plays the device on the master side.
//
// The path is a link of this test program's own, made for this pair alone and
// removed before the pair is closed. The kernel hands a freed /dev/pts number
// to whoever opens a pseudo-terminal next, perhaps a test running beside this
// one: a program that reopened its port by that number after the test closed
// it would meet another test's device. A name that is never given twice and
// is gone before its pair is cannot lead anyone there.
class PseudoTerminal
{
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isValid() const { return masterFd >= 0 && !path.isEmpty(); }
    QString slavePath() const { return path; }
    int masterHandle() const { return masterFd; }

    // Writes all bytes in one write() call; returns false if it fell short.
    bool write(const QByteArray &bytes);
    // Everything the program has written so far (non-blocking).
    QByteArray readAvailable();
    // Removes the path, then closes the master side: the program's end of the
    // line sees a hang-up and cannot open the port again.
    void hangUp();

private:
    int masterFd = -1;
    int slaveFd = -1;
    QString path;
    bool linked = false;
};

#endif // PSEUDOTERMINAL_H
