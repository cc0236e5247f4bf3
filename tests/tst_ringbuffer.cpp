#include "link/ringbuffer.h"

#include <QtTest>

#include <cmath>

class TestRingBuffer : public QObject
{
    Q_OBJECT
private slots:
    void writeOfExactlyTheFreeSpaceFillsItAndOneMoreIsRefused();
    void wrappingKeepsFirstInFirstOutOrder();
    void readOfMoreThanStoredFailsAndChangesNothing();
    void clearEmptiesButKeepsCapacity();
    void averageOfAFullIntRing();
    void averageOfAnEmptyRingIsNotANumber();
    void nonPositiveCountsAreNoOps();
    void uninitialisedBufferRefusesEverything();
};

void TestRingBuffer::writeOfExactlyTheFreeSpaceFillsItAndOneMoreIsRefused()
{
    RingBuffer ring;
    ring.initBytes(2048);
    QByteArray chunk(2048, 'x');
    QVERIFY(ring.writeBytes(chunk.constData(), chunk.size()));
    QCOMPARE(ring.freeSpace(), 0);
    QCOMPARE(ring.count(), 2048);

    RingBuffer small;
    small.initBytes(8);
    QVERIFY(small.writeBytes("abc", 3));
    QVERIFY(!small.writeBytes("123456", 6));
    QCOMPARE(small.count(), 3);
    char out[3];
    QVERIFY(small.readBytes(out, 3));
    QCOMPARE(QByteArray(out, 3), QByteArray("abc"));

    // A chunk one byte larger than the whole ring is dropped whole.
    RingBuffer rx;
    rx.initBytes(2048);
    QByteArray tooBig(2049, 'y');
    QVERIFY(!rx.writeBytes(tooBig.constData(), tooBig.size()));
    QCOMPARE(rx.count(), 0);
}

void TestRingBuffer::wrappingKeepsFirstInFirstOutOrder()
{
    RingBuffer ring;
    ring.initBytes(8);
    char out[8];
    QVERIFY(ring.writeBytes("012345", 6));
    QVERIFY(ring.readBytes(out, 5));
    QVERIFY(ring.writeBytes("abcdefg", 7)); // wraps past the end
    QCOMPARE(ring.count(), 8);
    QVERIFY(ring.readBytes(out, 8));
    QCOMPARE(QByteArray(out, 8), QByteArray("5abcdefg"));

    RingBuffer ints;
    ints.initInts(8);
    int values[8];
    for (int round = 0; round < 5; ++round) {
        const int in[5] = {round, round + 1, round + 2, round + 3, round + 4};
        QVERIFY(ints.writeInts(in, 5));
        QVERIFY(ints.readInts(values, 5));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(values[i], in[i]);
    }
}

void TestRingBuffer::readOfMoreThanStoredFailsAndChangesNothing()
{
    RingBuffer ring;
    ring.initBytes(16);
    QVERIFY(ring.writeBytes("hello", 5));
    char out[16];
    QVERIFY(!ring.readBytes(out, 6));
    QCOMPARE(ring.count(), 5);
    QVERIFY(ring.readBytes(out, 5));
    QCOMPARE(QByteArray(out, 5), QByteArray("hello"));
}

void TestRingBuffer::clearEmptiesButKeepsCapacity()
{
    RingBuffer ring;
    ring.initBytes(32);
    QVERIFY(ring.writeBytes("abcdef", 6));
    ring.clear();
    QCOMPARE(ring.count(), 0);
    QCOMPARE(ring.freeSpace(), 32);
    QVERIFY(ring.writeBytes("xy", 2));
    char out[2];
    QVERIFY(ring.readBytes(out, 2));
    QCOMPARE(QByteArray(out, 2), QByteArray("xy"));
}

void TestRingBuffer::averageOfAFullIntRing()
{
    RingBuffer ring;
    ring.initInts(8);
    const int values[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    QVERIFY(ring.writeInts(values, 8));
    QCOMPARE(ring.average(), 4.5);
}

void TestRingBuffer::averageOfAnEmptyRingIsNotANumber()
{
    RingBuffer ring;
    ring.initInts(8);
    QVERIFY(std::isnan(ring.average()));
}

void TestRingBuffer::nonPositiveCountsAreNoOps()
{
    RingBuffer ring;
    ring.initBytes(4);
    QVERIFY(ring.writeBytes("a", 0));
    QVERIFY(ring.writeBytes("a", -3));
    char out[1];
    QVERIFY(ring.readBytes(out, 0));
    QCOMPARE(ring.count(), 0);
}

void TestRingBuffer::uninitialisedBufferRefusesEverything()
{
    RingBuffer ring;
    QVERIFY(!ring.writeBytes("a", 1));
    int value = 1;
    QVERIFY(!ring.writeInts(&value, 1));
    char out[1];
    QVERIFY(!ring.readBytes(out, 1));
    QVERIFY(std::isnan(ring.average()));

    // A capacity given to the constructor is not storage.
    RingBuffer sized(16);
    QVERIFY(!sized.writeBytes("a", 1));
    QCOMPARE(sized.freeSpace(), 16);
}

QTEST_APPLESS_MAIN(TestRingBuffer)
#include "tst_ringbuffer.moc"
