#ifndef TESTSHARD_H
#define TESTSHARD_H

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <algorithm>

// A long test runs under ctest in shards side by side ("TEST_SHARD=i/n"):
// shard i takes every n-th row of the long table, and shard 0 alone the
// test's other functions. Without a shard the test runs whole.
class TestShard
{
public:
    TestShard()
    {
        const QList<QByteArray> shard = qgetenv("TEST_SHARD").split('/');
        if (shard.size() != 2)
            return;
        shards = std::max(1, shard.at(1).toInt());
        own = shard.at(0).toInt();
    }

    // Asked once for each row of the table, in order.
    bool takesNextRow() { return index++ % shards == own; }
    bool takesOtherFunctions() const { return own == 0; }

private:
    int shards = 1;
    int own = 0;
    int index = 0;
};

#endif // TESTSHARD_H
