#include "app/singleinstance.h"

SingleInstance::SingleInstance(const QString &semaphoreKey, const QString &memoryKey)
    : memoryKey(memoryKey), semaphore(semaphoreKey, 1, QSystemSemaphore::Open), memory(memoryKey)
{
}

bool SingleInstance::acquire()
{
    semaphore.acquire();
    {
        // A segment left by an instance that was killed outlives it on Unix and
        // would refuse every later start. Attaching and detaching a probe
        // removes such a segment (nobody else is attached); a running
        // instance stays attached and keeps it.
        QSharedMemory probe(memoryKey);
        if (probe.attach())
            probe.detach();
    }
    const bool otherRuns = memory.attach(QSharedMemory::ReadWrite);
    if (!otherRuns)
        memory.create(1, QSharedMemory::ReadWrite);
    semaphore.release();
    if (otherRuns)
        memory.detach();
    return !otherRuns;
}
