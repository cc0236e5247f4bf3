#ifndef RINGBUFFER_H
#define RINGBUFFER_H

#include <QObject>

// Fixed-capacity FIFO of bytes or of ints (one storage per object). The
// capacity must be a power of two: indexes wrap with a mask, never a division.
// Bulk writes and reads are all-or-nothing.
class RingBuffer : public QObject
{
    Q_OBJECT
public:
    explicit RingBuffer(int capacity = 0, QObject *parent = nullptr);
    ~RingBuffer() override;

    void initInts(int n);
    void initBytes(int n);
    void clear();

    bool writeInts(const int *data, int n);
    bool writeBytes(const char *data, int n);
    bool readInts(int *data, int n);
    bool readBytes(char *data, int n);

    double average() const;

    // No check of the free space or the count: the caller must respect them.
    void putByte(char byte);
    char getByte();

    int count() const { return elements; }
    int freeSpace() const { return capacity - elements; }

private:
    void reset(int n);

    int capacity = 0;
    int mask = 0;
    int readIndex = 0;
    int writeIndex = 0;
    int elements = 0;
    char *bytes = nullptr;
    int *ints = nullptr;
};

#endif // RINGBUFFER_H
