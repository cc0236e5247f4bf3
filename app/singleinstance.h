#ifndef SINGLEINSTANCE_H
#define SINGLEINSTANCE_H

#include <QSharedMemory>
#include <QString>
#include <QSystemSemaphore>

// Keeps a second copy of the program from starting: the first instance holds
// a one-byte shared memory segment for as long as it runs.
class SingleInstance
{
public:
    SingleInstance(const QString &semaphoreKey = "<DeruvivuririMirvel>",
                   const QString &memoryKey = "<DeruvivuririMirvel2>");

    // True when no other instance runs; this one then holds the segment.
    bool acquire();

private:
    QString memoryKey;
    QSystemSemaphore semaphore;
    QSharedMemory memory;
};

#endif // SINGLEINSTANCE_H
