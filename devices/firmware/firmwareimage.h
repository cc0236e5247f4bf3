#ifndef FIRMWAREIMAGE_H
#define FIRMWAREIMAGE_H

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

// Firmware files of the wired devices and the frames their serial bootloaders
// take, free of widgets and timers. Two bootloader dialects exist: the ROM
// dialect (sync, erase, option bytes, 128-byte writes with address and XOR
// checksum, go) and the block dialect (the whole file in 64-byte blocks framed
// with a header and CRC-8, then an end frame). The updater of the wired sensor
// page drives them step by step; tests call these functions directly.
namespace fwimage {

// The device a file is for, as its path names it.
enum class Model { None, QF210, QF260, QF410, QF470, Online, PLM300, AngleMeter };

// The model word found first, case insensitive, the words tested in a fixed
// order: "QF210", "QF260", "QF410", "QF470", "ONLINE", "PLM300",
// "ANGLEMETER". The file's own name decides when it names a model; the
// folders count only when it names none. None when the path names none (an
// empty path included).
Model modelOfPath(const QString &path);

// Models whose bootloader speaks the block dialect.
bool isBlockModel(Model model);
// The wired fuel sensors' models.
bool isWiredSensorModel(Model model);

// Where the ROM dialect puts a model's file: the flash address of the first
// data block and the file window the data is cut from.
struct RomLayout
{
    quint32 writeAddress = 0;
    int dataOffset = 0;  // file offset of the first byte written to flash
    int skipBlocks = 0;  // 128-byte blocks dropped right after the header
    int extraBlocks = 0; // enters the last drop of the trim
};
// Nothing for the models of the block dialect (and for None).
std::optional<RomLayout> romLayoutOf(Model model);

// ---- Answers, both dialects -------------------------------------------------

constexpr quint8 kSync = 0x7F;
constexpr quint8 kAcknowledge = 0x79;
constexpr quint8 kAcknowledgeAlt = 0xA5; // the block dialect's acknowledge, taken in both
constexpr quint8 kRefusal = 0x1F;
// Every byte but the two acknowledges counts as no answer.
bool isAcknowledge(quint8 answer);

// ---- Synchronisation ----------------------------------------------------------

// What one read of the line says while the sync byte is offered. The
// bootloader answers the sync byte with one byte and then keeps quiet; a
// restarting device may put its own bytes on the line first, in the same
// read. So the acknowledge counts as the read's last byte, unless the read
// starts like a frame of the sensors' protocol (a sensor's answer, which may
// hold either byte anywhere); and the refusal counts as the read's first
// byte alone. Anything else is no answer.
enum class SyncAnswer { None, Acknowledge, Refusal };
SyncAnswer syncAnswer(const QByteArray &read);

// Tells, tick by tick of the step machine, when the bootloader has answered
// the sync byte. An acknowledge counts once a whole tick went by with
// nothing more from the line: line noise brings more bytes after it, the
// bootloader none. In the block dialect one more sync byte is offered and
// must meet that quiet too: a bootloader already listening but not yet
// synchronised would otherwise take the first block's sync-valued bytes for
// its sync byte, acknowledge them, and shift the image by one block. A
// synchronised bootloader lets a further sync byte go, as it does the
// repeated ones of a slow answer.
class SyncWatch
{
public:
    enum class Step { SendSync, Wait, Synchronised };
    explicit SyncWatch(bool confirmWithSecondSync = false) : confirm(confirmWithSecondSync) {}
    // A read of the line (an empty one brings nothing); what it says.
    SyncAnswer take(const QByteArray &read);
    // The step machine's tick: what to do now.
    Step tick();

private:
    bool confirm = false;
    bool acknowledged = false; // the last read that said anything acknowledged
    bool quiet = true;         // nothing read since the last tick
    bool confirmationSent = false;
};

// ---- ROM dialect --------------------------------------------------------------

constexpr int kHeaderSize = 64;
constexpr int kRomBlockSize = 128;
// The four option bytes sit at file offsets 19..22 and go to these addresses.
constexpr int kFirstOptionByte = 19;
constexpr std::array<quint32, 4> kOptionAddresses = {0x4803, 0x4805, 0x4807, 0x4809};

QByteArray eraseCommand(); // 43 BC
QByteArray globalErase();  // FF 00
QByteArray writeCommand(); // 31 CE
QByteArray goCommand();    // 21 DE
// The address most significant byte first, then the XOR of its four bytes.
QByteArray addressFrame(quint32 address);
// Count byte 0 (one byte follows), the byte, the XOR of both.
QByteArray oneByteWrite(quint8 value);
// Count byte 0x7F (128 bytes follow), the block, the XOR of all 129 bytes.
// The block must be 128 bytes long; anything else gives an empty frame.
QByteArray romBlockWrite(const QByteArray &block);

// XOR of the bytes at positions 0 to len, len included; a position at or past
// the end counts as 0 (len = size gives the XOR of the whole array), a
// negative len gives 0.
quint8 xorChecksum(const QByteArray &bytes, int len);

// Option byte `index` (0..3) of the file; 0 past the end of a short file.
quint8 optionByte(const QByteArray &file, int index);

// File offset of the first data byte: the header, the skipped blocks, then
// whatever of the data offset lies beyond them.
int romDataStart(const RomLayout &layout);
// The bytes written to flash: the file from romDataStart on (empty when the
// file ends before it).
QByteArray romData(const QByteArray &file, const RomLayout &layout);

// ---- Block dialect ----------------------------------------------------------

constexpr int kBlockSize = 64;
// Header byte, dialect byte, 64 bytes, CRC-8 of the 66 before it.
QByteArray dataBlockFrame(const QByteArray &block);
QByteArray endFrame();

// ---- Both dialects ------------------------------------------------------------

// Takes the next block of blockSize bytes off the front of `stream`. A short
// tail is padded with zeros and an empty stream gives an all-zero block; both
// are the last block, so data that fills whole blocks is followed by one
// all-zero block.
struct Block
{
    QByteArray bytes;
    bool last = false;
};
Block takeBlock(QByteArray &stream, int blockSize);

// Blocks a download of `dataSize` bytes sends, the closing padded or all-zero
// block included.
int blockCount(int dataSize, int blockSize);

// Progress steps of a whole download, so that the progress bar ends full: the
// erase and the option bytes take 13 steps before the data in the ROM
// dialect, then one per block; one per block in the block dialect.
constexpr int kRomStepsBeforeData = 13;
int progressSteps(const QByteArray &file, bool blockDialect, const RomLayout &layout);

// A file the download can use: the ROM dialect needs data past the data
// start, the block dialect at least one whole block. An empty or shorter file
// is no firmware of the model.
bool isUsableFile(const QByteArray &file, bool blockDialect, const RomLayout &layout);

} // namespace fwimage

#endif // FIRMWAREIMAGE_H
