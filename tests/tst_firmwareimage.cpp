#include "devices/firmware/firmwareimage.h"
#include "link/frame.h"

#include <QRandomGenerator>
#include <QtTest>

using fwimage::Model;

Q_DECLARE_METATYPE(fwimage::Model)

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// A file whose every byte tells its own offset apart from its neighbours.
QByteArray countingFile(int size)
{
    QByteArray out(size, '\0');
    for (int i = 0; i < size; ++i)
        out[i] = char((i * 7 + i / 256) & 0xFF);
    return out;
}

// What the blocks of a download carry: the data, a short tail padded with
// zeros, or one all-zero block after data that fills whole blocks.
QByteArray padded(const QByteArray &data, int blockSize)
{
    QByteArray out = data;
    out.append(QByteArray(blockSize - data.size() % blockSize, '\0'));
    return out;
}

} // namespace

class TestFirmwareImage : public QObject
{
    Q_OBJECT
private slots:
    void theFileNameDecidesBeforeItsFolders_data();
    void theFileNameDecidesBeforeItsFolders();
    void romDataStartsWhereTheModelKeepsIt_data();
    void romDataStartsWhereTheModelKeepsIt();
    void romFramesCarryTheirChecksums_data();
    void romFramesCarryTheirChecksums();
    void xorChecksumCountsPastTheEightBitRange_data();
    void xorChecksumCountsPastTheEightBitRange();
    void optionBytesPastTheEndOfAShortFileAreZero();
    void blocksPadTheTailOrAddAZeroBlock_data();
    void blocksPadTheTailOrAddAZeroBlock();
    void blockDialectFramesAreHeaderDataAndCrc();
    void filesWithoutDataAreNotUsable_data();
    void filesWithoutDataAreNotUsable();
    void anyFileIsCutIntoBlocksWithinItsBounds();
    void onlyTheBootloadersOwnByteAnswersTheSync_data();
    void onlyTheBootloadersOwnByteAnswersTheSync();
};

void TestFirmwareImage::theFileNameDecidesBeforeItsFolders_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Model>("model");
    QTest::newRow("file name") << "/fw/QF210_v3.bin" << Model::QF210;
    QTest::newRow("folder in lower case") << "/home/user/qf210/release.cri" << Model::QF210;
    QTest::newRow("two words: the earlier in the list") << "/fw/QF470/QF210.bin" << Model::QF210;
    QTest::newRow("the file's word over its folder's") << "/fw/qf210dir/ANGLEMETER_fw.bin" << Model::AngleMeter;
    QTest::newRow("QF260") << "C:/fw/Qf260.bin" << Model::QF260;
    QTest::newRow("QF410") << "/fw/qf410-2.1.bin" << Model::QF410;
    QTest::newRow("QF470") << "/fw/QF470.cri" << Model::QF470;
    QTest::newRow("online device") << "/fw/Online_1.2.bin" << Model::Online;
    QTest::newRow("PLM300") << "/fw/plm300.bin" << Model::PLM300;
    QTest::newRow("angle sensor") << "/fw/AngleMeter.bin" << Model::AngleMeter;
    QTest::newRow("no word") << "/fw/sensor.bin" << Model::None;
    QTest::newRow("a word cut in two") << "/fw/QF2_10.bin" << Model::None;
    QTest::newRow("cancelled dialog") << QString() << Model::None;
}

void TestFirmwareImage::theFileNameDecidesBeforeItsFolders()
{
    QFETCH(QString, path);
    QFETCH(Model, model);
    QCOMPARE(fwimage::modelOfPath(path), model);
}

void TestFirmwareImage::romDataStartsWhereTheModelKeepsIt_data()
{
    QTest::addColumn<Model>("model");
    QTest::addColumn<int>("start"); // file offset of the first byte written, -1: no ROM layout
    QTest::newRow("QF210") << Model::QF210 << 0x4A40;
    QTest::newRow("QF410") << Model::QF410 << 0x5040;
    QTest::newRow("PLM300: right after the header") << Model::PLM300 << 64;
    QTest::newRow("angle sensor: right after the header") << Model::AngleMeter << 64;
    QTest::newRow("QF260 speaks the block dialect") << Model::QF260 << -1;
    QTest::newRow("QF470 speaks the block dialect") << Model::QF470 << -1;
    QTest::newRow("online device speaks the block dialect") << Model::Online << -1;
}

void TestFirmwareImage::romDataStartsWhereTheModelKeepsIt()
{
    QFETCH(Model, model);
    QFETCH(int, start);
    const std::optional<fwimage::RomLayout> layout = fwimage::romLayoutOf(model);
    QCOMPARE(fwimage::isBlockModel(model), start < 0);
    if (start < 0) {
        QVERIFY(!layout);
        return;
    }
    QVERIFY(layout);
    QCOMPARE(fwimage::romDataStart(*layout), start);
    const QByteArray file = countingFile(start + 300);
    QCOMPARE(fwimage::romData(file, *layout), file.mid(start));
    // A file that ends before its data has none.
    QVERIFY(fwimage::romData(file.left(start), *layout).isEmpty());
    QVERIFY(fwimage::romData(QByteArray(), *layout).isEmpty());
}

void TestFirmwareImage::romFramesCarryTheirChecksums_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("erase") << fwimage::eraseCommand() << hex("43bc");
    QTest::newRow("global erase") << fwimage::globalErase() << hex("ff00");
    QTest::newRow("write") << fwimage::writeCommand() << hex("31ce");
    QTest::newRow("go") << fwimage::goCommand() << hex("21de");
    QTest::newRow("first option byte address") << fwimage::addressFrame(0x4803) << hex("000048034b");
    QTest::newRow("last option byte address") << fwimage::addressFrame(0x4809) << hex("0000480941");
    QTest::newRow("first block address") << fwimage::addressFrame(0x8A00) << hex("00008a008a");
    QTest::newRow("second block address") << fwimage::addressFrame(0x8A80) << hex("00008a800a");
    QTest::newRow("one byte") << fwimage::oneByteWrite(0xC5) << hex("00c5c5");
    QTest::newRow("one zero byte") << fwimage::oneByteWrite(0) << hex("000000");
    QTest::newRow("zero block") << fwimage::romBlockWrite(QByteArray(128, '\0'))
                                << (hex("7f") + QByteArray(128, '\0') + hex("7f"));
    QByteArray block(128, '\0');
    block[0] = char(0x11);
    block[127] = char(0x22);
    QTest::newRow("data block") << fwimage::romBlockWrite(block) << (hex("7f") + block + hex("4c"));
    QTest::newRow("short block is no frame") << fwimage::romBlockWrite(QByteArray(127, '\1')) << QByteArray();
    QTest::newRow("long block is no frame") << fwimage::romBlockWrite(QByteArray(129, '\1')) << QByteArray();
}

void TestFirmwareImage::romFramesCarryTheirChecksums()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(frame.toHex(' '), expected.toHex(' '));
}

void TestFirmwareImage::xorChecksumCountsPastTheEightBitRange_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("len");
    QTest::addColumn<int>("sum");
    QTest::newRow("empty") << QByteArray() << 0 << 0;
    QTest::newRow("negative length") << hex("1234") << -1 << 0;
    QTest::newRow("two bytes, length = size") << hex("1234") << 2 << 0x26;
    QTest::newRow("one byte") << hex("5a") << 1 << 0x5a;
    QTest::newRow("length past the end") << hex("1234") << 50 << 0x26;
    QTest::newRow("only the first") << hex("123456") << 0 << 0x12;
    // 256 bytes of 0x01 and then 0x80: the positions 0 to 255 take the 256
    // ones (an even count, 0); a counter of eight bits never got past 255.
    QTest::newRow("position 255 included") << (QByteArray(256, '\1') + hex("80")) << 255 << 0x00;
    QTest::newRow("position 256 included") << (QByteArray(256, '\1') + hex("80")) << 256 << 0x80;
    QTest::newRow("a whole block frame") << (hex("7f") + QByteArray(128, '\3')) << 129 << 0x7f;
}

void TestFirmwareImage::xorChecksumCountsPastTheEightBitRange()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, len);
    QFETCH(int, sum);
    QCOMPARE(int(fwimage::xorChecksum(bytes, len)), sum);
}

void TestFirmwareImage::optionBytesPastTheEndOfAShortFileAreZero()
{
    QByteArray file = countingFile(23);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(fwimage::optionByte(file, i), quint8(file.at(19 + i)));
    file.truncate(21);
    QCOMPARE(fwimage::optionByte(file, 1), quint8(file.at(20)));
    QCOMPARE(fwimage::optionByte(file, 2), quint8(0));
    QCOMPARE(fwimage::optionByte(file, 3), quint8(0));
    QCOMPARE(fwimage::optionByte(countingFile(19), 0), quint8(0));
    QCOMPARE(fwimage::optionByte(file, 4), quint8(0));
    QCOMPARE(fwimage::optionByte(file, -1), quint8(0));
}

void TestFirmwareImage::blocksPadTheTailOrAddAZeroBlock_data()
{
    QTest::addColumn<int>("dataSize");
    QTest::addColumn<int>("blockSize");
    QTest::addColumn<int>("blocks");
    QTest::newRow("two whole ROM blocks, then a zero block") << 256 << 128 << 3;
    QTest::newRow("ROM block and a padded tail of 72") << 200 << 128 << 2;
    QTest::newRow("no ROM data: one zero block") << 0 << 128 << 1;
    QTest::newRow("130 bytes: 64, 64, then 2 padded") << 130 << 64 << 3;
    QTest::newRow("128 bytes: two blocks, then a zero block") << 128 << 64 << 3;
    QTest::newRow("one byte") << 1 << 64 << 1;
    QTest::newRow("32 KiB in 64-byte blocks") << 32768 << 64 << 513;
}

void TestFirmwareImage::blocksPadTheTailOrAddAZeroBlock()
{
    QFETCH(int, dataSize);
    QFETCH(int, blockSize);
    QFETCH(int, blocks);
    const QByteArray data = countingFile(dataSize);
    QCOMPARE(fwimage::blockCount(dataSize, blockSize), blocks);

    QByteArray stream = data;
    QByteArray sent;
    int taken = 0;
    for (;;) {
        const fwimage::Block block = fwimage::takeBlock(stream, blockSize);
        QCOMPARE(block.bytes.size(), blockSize);
        sent.append(block.bytes);
        ++taken;
        if (block.last)
            break;
        QVERIFY2(taken <= blocks, "no last block");
    }
    QCOMPARE(taken, blocks);
    QVERIFY(stream.isEmpty());
    QCOMPARE(sent, padded(data, blockSize));
}

void TestFirmwareImage::blockDialectFramesAreHeaderDataAndCrc()
{
    const QByteArray block = countingFile(64);
    const QByteArray f = fwimage::dataBlockFrame(block);
    QCOMPARE(f.size(), 67);
    QCOMPARE(f.left(2), hex("a570"));
    QCOMPARE(f.mid(2, 64), block);
    QCOMPARE(quint8(f.at(66)), frame::calc_crc8(f.left(66)));

    const QByteArray end = fwimage::endFrame();
    QCOMPARE(end.size(), 67);
    QCOMPARE(end.left(2), hex("d270"));
    QCOMPARE(end.mid(2, 64), QByteArray(64, '\0'));
    QCOMPARE(quint8(end.at(66)), frame::calc_crc8(end.left(66)));

    QVERIFY(fwimage::dataBlockFrame(block.left(63)).isEmpty());
    QVERIFY(fwimage::dataBlockFrame(block + "x").isEmpty());
}

void TestFirmwareImage::filesWithoutDataAreNotUsable_data()
{
    QTest::addColumn<Model>("model");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("usable");
    QTest::newRow("QF210, empty") << Model::QF210 << 0 << false;
    QTest::newRow("QF210, header only") << Model::QF210 << 64 << false;
    QTest::newRow("QF210, ends where its data starts") << Model::QF210 << 0x4A40 << false;
    QTest::newRow("QF210, one data byte") << Model::QF210 << 0x4A41 << true;
    QTest::newRow("QF410, ends where its data starts") << Model::QF410 << 0x5040 << false;
    QTest::newRow("PLM300, header only") << Model::PLM300 << 64 << false;
    QTest::newRow("PLM300, one data byte") << Model::PLM300 << 65 << true;
    QTest::newRow("QF470, empty") << Model::QF470 << 0 << false;
    QTest::newRow("QF470, less than a block") << Model::QF470 << 63 << false;
    QTest::newRow("QF470, one block") << Model::QF470 << 64 << true;
}

void TestFirmwareImage::filesWithoutDataAreNotUsable()
{
    QFETCH(Model, model);
    QFETCH(int, size);
    QFETCH(bool, usable);
    const fwimage::RomLayout layout = fwimage::romLayoutOf(model).value_or(fwimage::RomLayout());
    QCOMPARE(fwimage::isUsableFile(countingFile(size), fwimage::isBlockModel(model), layout), usable);
}

// Files of any size and content, cut in either dialect and with any model's
// layout: every block is whole, the cutting ends, nothing is read outside the
// file (the sanitizers watch).
void TestFirmwareImage::anyFileIsCutIntoBlocksWithinItsBounds()
{
    QRandomGenerator random(14);
    const Model models[] = {Model::QF210, Model::QF410, Model::PLM300, Model::QF470};
    for (int round = 0; round < 300; ++round) {
        const int size = round < 40 ? round : int(random.bounded(0x6000));
        QByteArray file(size, Qt::Uninitialized);
        for (char &c : file)
            c = char(random.bounded(256));
        const Model model = models[round % 4];
        const fwimage::RomLayout layout = fwimage::romLayoutOf(model).value_or(fwimage::RomLayout());
        const bool blockDialect = fwimage::isBlockModel(model);
        QByteArray stream = blockDialect ? file : fwimage::romData(file, layout);
        const int blockSize = blockDialect ? fwimage::kBlockSize : fwimage::kRomBlockSize;
        const int expected = fwimage::blockCount(stream.size(), blockSize);
        int blocks = 0;
        bool last = false;
        while (!last && blocks <= expected) {
            const fwimage::Block block = fwimage::takeBlock(stream, blockSize);
            QCOMPARE(block.bytes.size(), blockSize);
            QVERIFY(
                !(blockDialect ? fwimage::dataBlockFrame(block.bytes) : fwimage::romBlockWrite(block.bytes)).isEmpty());
            last = block.last;
            ++blocks;
        }
        QCOMPARE(blocks, expected);
        for (int i = 0; i < 4; ++i)
            fwimage::optionByte(file, i);
        fwimage::xorChecksum(file, size + int(random.bounded(300)) - 150);
    }
}

void TestFirmwareImage::onlyTheBootloadersOwnByteAnswersTheSync_data()
{
    QTest::addColumn<bool>("blockDialect");
    // Reads in hex and step ticks ("."), then what was seen: per tick S (sync
    // byte sent), W (wait) or G (synchronised); R for a read taken as the refusal.
    QTest::addColumn<QString>("script");
    QTest::newRow("acknowledge, then a quiet tick") << false << ". 79 . . = SWG";
    QTest::newRow("after restart bytes in its read") << false << "00ff79 . . = WG";
    QTest::newRow("followed by more") << false << "7900 a5 00 . . = SS";
    QTest::newRow("inside a sensor's answer") << false << "3e01a500 3e017900 3e0179 . . = SS";
    QTest::newRow("a lone refusal, one behind other bytes") << false << "1f 001f 3e011f00 . = RS";
    QTest::newRow("block dialect: a quiet further sync byte") << true << "79 . . . = WSG";
    QTest::newRow("block dialect: the further one answered") << true << "a5 . . a5 . . = WSWG";
    QTest::newRow("block dialect: noise after it") << true << "79 . . 00 . 79 . . . = WSSWSG";
}

void TestFirmwareImage::onlyTheBootloadersOwnByteAnswersTheSync()
{
    QFETCH(bool, blockDialect);
    QFETCH(QString, script);
    fwimage::SyncWatch watch(blockDialect);
    QString seen;
    for (const QString &read : script.section(" = ", 0, 0).split(' ')) {
        if (read == ".")
            seen += QStringLiteral("SWG").at(int(watch.tick()));
        else if (watch.take(QByteArray::fromHex(read.toLatin1())) == fwimage::SyncAnswer::Refusal)
            seen += 'R';
    }
    QCOMPARE(seen, script.section(" = ", 1));
}

QTEST_APPLESS_MAIN(TestFirmwareImage)
#include "tst_firmwareimage.moc"
