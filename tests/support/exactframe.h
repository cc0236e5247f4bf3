#ifndef EXACTFRAME_H
#define EXACTFRAME_H

#include <QByteArray>

#include <cstring>
#include <memory>

// Holds a copy of a frame in a heap block of exactly its size, so a read one
// byte past its end lands in the sanitizer's red zone instead of in spare
// capacity of a QByteArray.
class ExactFrame
{
public:
    explicit ExactFrame(const QByteArray &source)
        : storage(new char[size_t(qMax(1, source.size()))]), size(source.size())
    {
        if (size > 0)
            std::memcpy(storage.get(), source.constData(), size_t(size));
    }
    QByteArray view() const { return QByteArray::fromRawData(storage.get(), size); }

private:
    std::unique_ptr<char[]> storage;
    int size;
};

#endif // EXACTFRAME_H
