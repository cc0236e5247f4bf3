#include "link/ringbuffer.h"

#include <limits>

RingBuffer::RingBuffer(int capacity, QObject *parent) : QObject(parent), capacity(capacity < 0 ? 0 : capacity)
{
    mask = this->capacity > 0 ? this->capacity - 1 : 0;
}

RingBuffer::~RingBuffer()
{
    delete[] bytes;
    delete[] ints;
}

void RingBuffer::reset(int n)
{
    capacity = n > 0 ? n : 0;
    mask = capacity > 0 ? capacity - 1 : 0;
    readIndex = writeIndex = elements = 0;
}

void RingBuffer::initInts(int n)
{
    reset(n);
    delete[] ints;
    ints = capacity > 0 ? new int[capacity]() : nullptr;
}

void RingBuffer::initBytes(int n)
{
    reset(n);
    delete[] bytes;
    bytes = capacity > 0 ? new char[capacity]() : nullptr;
}

void RingBuffer::clear()
{
    readIndex = writeIndex = elements = 0;
}

// The storage pointer checks keep an uninitialised buffer (capacity from the
// constructor but no storage yet) from ever touching memory it does not own.
bool RingBuffer::writeInts(const int *data, int n)
{
    if (n <= 0)
        return true;
    if (!ints || n > capacity - elements)
        return false;
    elements += n;
    for (int i = 0; i < n; ++i) {
        ints[writeIndex] = data[i];
        writeIndex = (writeIndex + 1) & mask;
    }
    return true;
}

bool RingBuffer::writeBytes(const char *data, int n)
{
    if (n <= 0)
        return true;
    if (!bytes || n > capacity - elements)
        return false;
    elements += n;
    for (int i = 0; i < n; ++i) {
        bytes[writeIndex] = data[i];
        writeIndex = (writeIndex + 1) & mask;
    }
    return true;
}

bool RingBuffer::readInts(int *data, int n)
{
    if (n <= 0)
        return true;
    if (!ints || elements < n)
        return false;
    elements -= n;
    for (int i = 0; i < n; ++i) {
        data[i] = ints[readIndex];
        readIndex = (readIndex + 1) & mask;
    }
    return true;
}

bool RingBuffer::readBytes(char *data, int n)
{
    if (n <= 0)
        return true;
    if (!bytes || elements < n)
        return false;
    elements -= n;
    for (int i = 0; i < n; ++i) {
        data[i] = bytes[readIndex];
        readIndex = (readIndex + 1) & mask;
    }
    return true;
}

double RingBuffer::average() const
{
    if (elements == 0 || !ints)
        return std::numeric_limits<double>::quiet_NaN();
    // The smoothing rings ask only when full, where slots 0..count-1 are
    // exactly the stored values.
    double sum = 0;
    for (int i = 0; i < elements; ++i)
        sum += ints[i];
    return sum / elements;
}

void RingBuffer::putByte(char byte)
{
    if (!bytes)
        return;
    bytes[writeIndex] = byte;
    writeIndex = (writeIndex + 1) & mask;
    ++elements;
}

char RingBuffer::getByte()
{
    if (!bytes)
        return 0;
    const char byte = bytes[readIndex];
    readIndex = (readIndex + 1) & mask;
    --elements;
    return byte;
}
