#include "devices/firmware/firmwareimage.h"

#include "link/frame.h"

namespace fwimage {

namespace {

struct ModelWord
{
    const char *word;
    Model model;
};

// Tested in this order; the first word found decides, so a name naming two
// models is taken as the earlier one.
constexpr ModelWord kModelWords[] = {
    {"QF210", Model::QF210},   {"QF260", Model::QF260},   {"QF410", Model::QF410},           {"QF470", Model::QF470},
    {"ONLINE", Model::Online}, {"PLM300", Model::PLM300}, {"ANGLEMETER", Model::AngleMeter},
};

constexpr quint8 kEraseCommand = 0x43;
constexpr quint8 kWriteCommand = 0x31;
constexpr quint8 kGoCommand = 0x21;
constexpr quint8 kGlobalErase[2] = {0xFF, 0x00};
constexpr quint8 kBlockHeader = 0xA5;
constexpr quint8 kEndHeader = 0xD2;
constexpr quint8 kBlockDialectByte = 0x70;

// A ROM command travels with its complement, so that a bootloader can tell a
// command from line noise.
QByteArray command(quint8 code)
{
    QByteArray out;
    out.append(char(code));
    out.append(char(quint8(~code)));
    return out;
}

QByteArray blockFrame(quint8 header, const QByteArray &block)
{
    if (block.size() != kBlockSize)
        return QByteArray();
    QByteArray out;
    out.append(char(header));
    out.append(char(kBlockDialectByte));
    out.append(block);
    return frame::withCrc(out);
}

} // namespace

Model modelOfPath(const QString &path)
{
    const auto firstWordIn = [](const QString &text) {
        for (const ModelWord &entry : kModelWords) {
            if (text.contains(QLatin1String(entry.word), Qt::CaseInsensitive))
                return entry.model;
        }
        return Model::None;
    };
    // The file's own name outweighs the folder it was put in: another
    // model's file kept in a folder named after this one is still the other
    // model's firmware.
    const int nameStart = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))) + 1;
    const Model named = firstWordIn(path.mid(nameStart));
    return named != Model::None ? named : firstWordIn(path);
}

bool isBlockModel(Model model)
{
    return model == Model::QF260 || model == Model::QF470 || model == Model::Online;
}

bool isWiredSensorModel(Model model)
{
    return model == Model::QF210 || model == Model::QF260 || model == Model::QF410 || model == Model::QF470;
}

std::optional<RomLayout> romLayoutOf(Model model)
{
    switch (model) {
    case Model::QF210:
        return RomLayout{0x8A00, 0x4A40, 1, 1};
    case Model::QF410:
        return RomLayout{0x9000, 0x5040, 8, 8};
    case Model::PLM300:
    case Model::AngleMeter:
        return RomLayout{0x9000, 0, 0, 0};
    default:
        return std::nullopt;
    }
}

bool isAcknowledge(quint8 answer)
{
    return answer == kAcknowledge || answer == kAcknowledgeAlt;
}

SyncAnswer syncAnswer(const QByteArray &read)
{
    if (read.isEmpty())
        return SyncAnswer::None;
    const quint8 first = quint8(read.front());
    if (first == kRefusal)
        return SyncAnswer::Refusal;
    if (first == frame::kAnswerStart || first == frame::kRequestStart)
        return SyncAnswer::None;
    return isAcknowledge(quint8(read.back())) ? SyncAnswer::Acknowledge : SyncAnswer::None;
}

SyncAnswer SyncWatch::take(const QByteArray &read)
{
    if (read.isEmpty())
        return SyncAnswer::None;
    quiet = false;
    const SyncAnswer answer = syncAnswer(read);
    acknowledged = answer == SyncAnswer::Acknowledge;
    if (answer == SyncAnswer::None)
        confirmationSent = false;
    return answer;
}

SyncWatch::Step SyncWatch::tick()
{
    const bool wasQuiet = quiet;
    quiet = true;
    if (!acknowledged) {
        confirmationSent = false;
        return Step::SendSync;
    }
    if (!wasQuiet)
        return Step::Wait;
    if (confirm && !confirmationSent) {
        confirmationSent = true;
        return Step::SendSync;
    }
    return Step::Synchronised;
}

QByteArray eraseCommand()
{
    return command(kEraseCommand);
}

QByteArray globalErase()
{
    return QByteArray(reinterpret_cast<const char *>(kGlobalErase), sizeof kGlobalErase);
}

QByteArray writeCommand()
{
    return command(kWriteCommand);
}

QByteArray goCommand()
{
    return command(kGoCommand);
}

QByteArray addressFrame(quint32 address)
{
    QByteArray out;
    frame::appendBe32(out, address);
    out.append(char(xorChecksum(out, out.size())));
    return out;
}

QByteArray oneByteWrite(quint8 value)
{
    QByteArray out;
    out.append('\0');
    out.append(char(value));
    out.append(char(xorChecksum(out, out.size())));
    return out;
}

QByteArray romBlockWrite(const QByteArray &block)
{
    if (block.size() != kRomBlockSize)
        return QByteArray();
    QByteArray out;
    out.append(char(kRomBlockSize - 1));
    out.append(block);
    out.append(char(xorChecksum(out, out.size())));
    return out;
}

quint8 xorChecksum(const QByteArray &bytes, int len)
{
    if (len < 0)
        return 0;
    quint8 sum = 0;
    // Only the positions the array has contribute; the ones past it count as 0.
    const int last = qMin(len, bytes.size() - 1);
    for (int i = 0; i <= last; ++i)
        sum ^= quint8(bytes.at(i));
    return sum;
}

quint8 optionByte(const QByteArray &file, int index)
{
    if (index < 0 || index >= int(kOptionAddresses.size()))
        return 0;
    return frame::readU8(file, kFirstOptionByte + index).value_or(0);
}

int romDataStart(const RomLayout &layout)
{
    const int skipped = kHeaderSize + qMax(0, layout.skipBlocks) * kRomBlockSize;
    const int rest = layout.dataOffset - kHeaderSize - layout.extraBlocks * kRomBlockSize;
    return skipped + qMax(0, rest);
}

QByteArray romData(const QByteArray &file, const RomLayout &layout)
{
    const int start = romDataStart(layout);
    return start < file.size() ? file.mid(start) : QByteArray();
}

QByteArray dataBlockFrame(const QByteArray &block)
{
    return blockFrame(kBlockHeader, block);
}

QByteArray endFrame()
{
    return blockFrame(kEndHeader, QByteArray(kBlockSize, '\0'));
}

Block takeBlock(QByteArray &stream, int blockSize)
{
    Block block;
    if (blockSize <= 0)
        return block;
    block.bytes = stream.left(blockSize);
    stream.remove(0, block.bytes.size());
    if (block.bytes.size() < blockSize) {
        block.bytes.append(QByteArray(blockSize - block.bytes.size(), '\0'));
        block.last = true;
    }
    return block;
}

int blockCount(int dataSize, int blockSize)
{
    if (blockSize <= 0)
        return 0;
    return qMax(0, dataSize) / blockSize + 1;
}

int progressSteps(const QByteArray &file, bool blockDialect, const RomLayout &layout)
{
    if (blockDialect)
        return blockCount(file.size(), kBlockSize);
    return kRomStepsBeforeData + blockCount(romData(file, layout).size(), kRomBlockSize);
}

bool isUsableFile(const QByteArray &file, bool blockDialect, const RomLayout &layout)
{
    if (blockDialect)
        return file.size() >= kBlockSize;
    return file.size() > romDataStart(layout);
}

} // namespace fwimage
