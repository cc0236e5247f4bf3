// Firmware files: the checks a file must pass before a download starts, and
// the frames the download cuts from it, for every model and both bootloader
// dialects, as the updater takes them step by step.
#include "fuzztargets.h"

#include "devices/firmware/firmwareimage.h"

namespace {

using fwimage::Model;

// Takes the whole stream in blocks the way the updater does and checks each
// frame it would send; returns the number of blocks.
int sendAll(QByteArray stream, bool blockDialect)
{
    const QByteArray data = stream;
    const int blockSize = blockDialect ? fwimage::kBlockSize : fwimage::kRomBlockSize;
    QByteArray sent;
    int blocks = 0;
    for (;;) {
        const fwimage::Block block = fwimage::takeBlock(stream, blockSize);
        fuzz::require(block.bytes.size() == blockSize, "firmware: a block of another size than the dialect's");
        ++blocks;
        sent += block.bytes;
        if (blockDialect) {
            fuzz::require(fwimage::dataBlockFrame(block.bytes).size() == blockSize + 3,
                          "firmware: a block frame of a wrong length");
        } else {
            fuzz::require(fwimage::romBlockWrite(block.bytes).size() == blockSize + 2,
                          "firmware: a block write of a wrong length");
        }
        if (block.last)
            break;
        fuzz::require(blocks <= data.size() / blockSize + 1, "firmware: the download does not end");
    }
    fuzz::require(sent.left(data.size()) == data && sent.mid(data.size()).count('\0') == sent.size() - data.size(),
                  "firmware: the blocks sent are not the file's data");
    return blocks;
}

} // namespace

void fuzz::fuzzFirmware(const QByteArray &input)
{
    // The file's name decides the model; a name of these bytes is judged too.
    fwimage::modelOfPath(QString::fromUtf8(input));

    for (int i = -1; i <= int(fwimage::kOptionAddresses.size()); ++i)
        fwimage::optionByte(input, i);
    // The checksum's bounds, on the file's head (over the whole file it would
    // only repeat the same loop at the cost of every byte).
    const QByteArray head = input.left(fwimage::kRomBlockSize);
    for (int len : {-1, 0, head.size() - 1, head.size(), head.size() + 1})
        fwimage::xorChecksum(head, len);

    // The line's reads while the sync byte is offered, cut at the input's
    // zero bytes, a step tick after each even-sized one.
    for (bool blockDialect : {false, true}) {
        fwimage::SyncWatch watch(blockDialect);
        bool readSinceTick = false;
        for (const QByteArray &read : input.left(4096).split('\0')) {
            const fwimage::SyncAnswer answer = watch.take(read);
            require((answer == fwimage::SyncAnswer::Refusal) == read.startsWith(char(fwimage::kRefusal)) &&
                        (answer != fwimage::SyncAnswer::Acknowledge || fwimage::isAcknowledge(quint8(read.back()))),
                    "firmware: a byte taken as the sync byte's answer where it cannot be one");
            readSinceTick = readSinceTick || !read.isEmpty();
            if (read.size() % 2 != 0)
                continue;
            require(watch.tick() != fwimage::SyncWatch::Step::Synchronised || !readSinceTick,
                    "firmware: synchronised while the line brings bytes");
            readSinceTick = false;
        }
    }

    // Each model's file as the updater takes it; models of the same layout
    // and dialect cut the same stream, which is sent once.
    const Model models[] = {Model::QF210,  Model::QF260,  Model::QF410,     Model::QF470,
                            Model::Online, Model::PLM300, Model::AngleMeter};
    QList<QPair<int, bool>> sent;
    for (Model model : models) {
        const fwimage::RomLayout layout = fwimage::romLayoutOf(model).value_or(fwimage::RomLayout());
        // The online unit's page asks for the block dialect whatever the file's name says.
        for (bool blockDialect : {fwimage::isBlockModel(model), true}) {
            if (!fwimage::isUsableFile(input, blockDialect, layout))
                continue;
            const int start = blockDialect ? 0 : fwimage::romDataStart(layout);
            const int blockSize = blockDialect ? fwimage::kBlockSize : fwimage::kRomBlockSize;
            const QByteArray data = blockDialect ? input : fwimage::romData(input, layout);
            require(!data.isEmpty() && data == input.mid(start), "firmware: a usable file gives no data or other data");
            const int steps = fwimage::progressSteps(input, blockDialect, layout);
            require(steps ==
                        (blockDialect ? 0 : fwimage::kRomStepsBeforeData) + fwimage::blockCount(data.size(), blockSize),
                    "firmware: the progress bar does not end full");
            if (sent.contains({start, blockDialect}))
                continue;
            sent.append({start, blockDialect});
            require(sendAll(data, blockDialect) == fwimage::blockCount(data.size(), blockSize),
                    "firmware: the download sends another number of blocks than it counts");
        }
    }
}
