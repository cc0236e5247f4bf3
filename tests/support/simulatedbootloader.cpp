#include "simulatedbootloader.h"

#include "link/frame.h"

#include <QTimer>

#include <cmath>

namespace {

constexpr quint8 kRequestStart = 0x31;
constexpr quint8 kReset = 0x88;
const QByteArray &kSignature = SimulatedDevice::writeSignature();
constexpr int kResetLength = 7; // start, address, command, signature, CRC

constexpr quint8 kSync = 0x7F;
// ROM dialect: commands travel with their complement.
constexpr quint8 kErase = 0x43;
constexpr quint8 kWrite = 0x31;
constexpr quint8 kGo = 0x21;
// Option bytes and flash the ROM dialect may write.
constexpr quint32 kOptionStart = 0x4800;
constexpr quint32 kOptionEnd = 0x4880;
constexpr quint32 kFlashStart = 0x8000;
constexpr quint32 kFlashEnd = 0x28000;

// Block dialect: header byte, dialect byte, 64 bytes, CRC-8.
constexpr quint8 kDataHeader = 0xA5;
constexpr quint8 kEndHeader = 0xD2;
constexpr quint8 kDialectByte = 0x70;
constexpr int kBlockPayload = 64;
constexpr int kBlockFrame = kBlockPayload + 3;

quint8 byteAt(const QByteArray &bytes, int i)
{
    return static_cast<quint8>(bytes.at(i));
}

} // namespace

SimulatedBootloader::SimulatedBootloader(Dialect dialect, QObject *parent) : SimulatedFls(parent), dialect(dialect)
{
    clock.start();
}

void SimulatedBootloader::powerCycle()
{
    ++bootGeneration;
    state = Mode::Sensor;
    incoming.clear();
}

QByteArray SimulatedBootloader::flash(quint32 from, int length) const
{
    QByteArray out;
    for (int i = 0; i < length; ++i)
        out.append(static_cast<char>(memory.value(from + quint32(i), 0xFF)));
    return out;
}

void SimulatedBootloader::clearRecord()
{
    memory.clear();
    blockAddresses.clear();
    blockData.clear();
    blockArrivalsMs.clear();
    dataBlocks = 0;
    refusals = 0;
    erased = false;
    downloadsCompleted = 0;
    rawReceived.clear();
    rawSent.clear();
}

int SimulatedBootloader::requestLength(quint8 start, quint8 address, quint8 command) const
{
    if (start == kRequestStart && command == kReset && address != 0xFF)
        return kResetLength;
    if (application)
        return application->requestLength(start, address, command);
    return SimulatedFls::requestLength(start, address, command);
}

QByteArray SimulatedBootloader::answerFor(const QByteArray &request)
{
    if (state != Mode::Sensor)
        return QByteArray();
    const bool reset = request.size() == kResetLength && byteAt(request, 0) == kRequestStart &&
                       byteAt(request, 2) == kReset && request.mid(3, 3) == kSignature &&
                       frame::calc_crc8(reinterpret_cast<const uchar *>(request.constData()), kResetLength - 1) ==
                           byteAt(request, kResetLength - 1);
    if (!reset)
        return application ? application->answerFor(request) : SimulatedFls::answerFor(request);
    const Sensor *s = sensorAt(byteAt(request, 1));
    if (silent || !s || s->silent)
        return QByteArray();
    if (lateAnswer)
        sendRaw(allDataAnswer(*s));
    startBooting();
    return QByteArray(); // a sensor restarting sends nothing
}

void SimulatedBootloader::startBooting()
{
    const int generation = ++bootGeneration;
    state = Mode::Booting;
    rom = RomState::Sync;
    synced = false;
    incoming.clear();
    blockAddresses.clear();
    blockData.clear();
    blockArrivalsMs.clear();
    dataBlocks = 0;
    refusals = 0;
    bootSyncs = 0;
    const auto listen = [this, generation] {
        if (generation == bootGeneration && state == Mode::Booting) {
            sendRaw(restartChunk);
            state = Mode::Bootloader;
        }
    };
    for (int i = 0; i < bootNoise.size(); ++i) {
        QTimer::singleShot(bootNoiseMs + 60 * i, this, [this, generation, byte = bootNoise.mid(i, 1)] {
            if (generation == bootGeneration && state == Mode::Booting)
                sendRaw(byte);
        });
    }
    if (listenAfterSyncs > 0)
        return;
    if (bootDelayMs <= 0)
        listen();
    else
        QTimer::singleShot(bootDelayMs, this, listen);
}

void SimulatedBootloader::startApplication(double arrivalMs)
{
    ++downloadsCompleted;
    endArrivalMs = arrivalMs;
    const int generation = ++bootGeneration;
    state = Mode::Starting;
    incoming.clear();
    const auto run = [this, generation] {
        if (generation == bootGeneration)
            state = Mode::Sensor;
    };
    if (startDelayMs <= 0)
        run();
    else
        QTimer::singleShot(startDelayMs, this, run);
}

void SimulatedBootloader::takeBytes(const QByteArray &bytes)
{
    if (state == Mode::Sensor) {
        SimulatedFls::takeBytes(bytes);
        return;
    }
    rawReceived.append(bytes);
    if (state == Mode::Booting && listenAfterSyncs > 0 && (bootSyncs += bytes.count(char(kSync))) >= listenAfterSyncs) {
        sendRaw(restartChunk);
        state = Mode::Bootloader;
        return; // what came so far went by the restarting device
    }
    if (state != Mode::Bootloader)
        return; // nothing listens while the device restarts or keeps quiet
    const double now = double(clock.nsecsElapsed()) / 1e6;
    const double byteMs = baud > 0 ? 10000.0 / baud : 0.0;
    double arrival = qMax(now, lineFreeMs);
    for (char b : bytes) {
        arrival += byteMs;
        incoming.append({b, arrival});
    }
    lineFreeMs = arrival;
    if (dialect == Dialect::Rom)
        takeRom();
    else
        takeBlocks();
}

void SimulatedBootloader::answer(quint8 byte, double arrivalMs, const QByteArray &before)
{
    const double byteMs = baud > 0 ? 10000.0 / baud : 0.0;
    const double due = qMax(arrivalMs, answerFreeMs) + byteMs;
    answerFreeMs = due;
    const double wait = due - double(clock.nsecsElapsed()) / 1e6;
    const QByteArray out(1, static_cast<char>(byte));
    const auto send = [this, out, before] {
        sendRaw(before + out);
        rawSent.append(out);
    };
    if (wait < 0.5)
        send();
    else
        QTimer::singleShot(int(std::ceil(wait)), Qt::PreciseTimer, this, send);
}

bool SimulatedBootloader::acceptsAddress(quint32 at, int length) const
{
    const quint64 end = quint64(at) + quint64(qMax(length, 1));
    return (at >= kOptionStart && end <= kOptionEnd) || (at >= kFlashStart && end <= kFlashEnd);
}

void SimulatedBootloader::takeRom()
{
    for (;;) {
        if (state != Mode::Bootloader || incoming.isEmpty())
            return;
        const auto take = [this](int n) {
            QByteArray out;
            for (int i = 0; i < n; ++i)
                out.append(incoming.takeFirst().byte);
            return out;
        };
        const auto arrivalOf = [this](int n) { return incoming.at(n - 1).arrivalMs; };
        switch (rom) {
        case RomState::Sync: {
            const Incoming in = incoming.takeFirst();
            if (quint8(in.byte) == kSync) {
                synced = true;
                rom = RomState::Command;
                answer(acknowledge, in.arrivalMs, beforeSyncAnswer);
            }
            break;
        }
        case RomState::Command: {
            // A sync byte repeated after the bootloader answered is no command.
            if (quint8(incoming.first().byte) == kSync) {
                incoming.removeFirst();
                break;
            }
            if (incoming.size() < 2)
                return;
            const double at = arrivalOf(2);
            const QByteArray cmd = take(2);
            if (quint8(byteAt(cmd, 0) ^ byteAt(cmd, 1)) != 0xFF) {
                ++refusals;
                answer(kRefusal, at);
                break;
            }
            switch (byteAt(cmd, 0)) {
            case kErase:
                rom = RomState::EraseArguments;
                answer(acknowledge, at);
                break;
            case kWrite:
                rom = RomState::Address;
                answer(acknowledge, at);
                break;
            case kGo:
                answer(acknowledge, at);
                startApplication(at);
                return;
            default:
                ++refusals;
                answer(kRefusal, at);
                break;
            }
            break;
        }
        case RomState::EraseArguments: {
            if (incoming.size() < 2)
                return;
            const double at = arrivalOf(2);
            const QByteArray args = take(2);
            rom = RomState::Command;
            // Only the erase of the whole flash is known here.
            if (byteAt(args, 0) == 0xFF && byteAt(args, 1) == 0x00) {
                memory.clear();
                erased = true;
                answer(acknowledge, at);
            } else {
                ++refusals;
                answer(kRefusal, at);
            }
            break;
        }
        case RomState::Address: {
            if (incoming.size() < 5)
                return;
            const double at = arrivalOf(5);
            const QByteArray a = take(5);
            quint32 value = 0;
            quint8 x = 0;
            for (int i = 0; i < 4; ++i) {
                value = (value << 8) | byteAt(a, i);
                x ^= byteAt(a, i);
            }
            if (x != byteAt(a, 4) || !acceptsAddress(value, 1)) {
                rom = RomState::Command;
                ++refusals;
                answer(kRefusal, at);
            } else {
                address = value;
                rom = RomState::Data;
                answer(acknowledge, at);
            }
            break;
        }
        case RomState::Data: {
            const int count = quint8(incoming.first().byte) + 1;
            const int length = count + 2; // count byte, data, checksum
            if (incoming.size() < length)
                return;
            const double at = arrivalOf(length);
            rom = RomState::Command;
            if (!romDataWrite(take(length), at))
                return;
            break;
        }
        }
    }
}

bool SimulatedBootloader::romDataWrite(const QByteArray &bytes, double arrivalMs)
{
    quint8 x = 0;
    for (int i = 0; i < bytes.size() - 1; ++i)
        x ^= byteAt(bytes, i);
    const QByteArray data = bytes.mid(1, bytes.size() - 2);
    if (x != byteAt(bytes, bytes.size() - 1) || !acceptsAddress(address, data.size())) {
        ++refusals;
        answer(kRefusal, arrivalMs);
        return true;
    }
    const bool flashBlock = address >= kFlashStart;
    if (flashBlock && ++dataBlocks == refuseBlock) {
        ++refusals;
        answer(kRefusal, arrivalMs);
        return true;
    }
    for (int i = 0; i < data.size(); ++i)
        memory.insert(address + quint32(i), byteAt(data, i));
    if (flashBlock) {
        blockAddresses.append(address);
        blockArrivalsMs.append(arrivalMs);
    }
    answer(acknowledge, arrivalMs + (flashBlock && dataBlocks == lateBlock ? lateMs : 0));
    if (flashBlock && dataBlocks == silentAfterBlock) {
        state = Mode::Silent;
        return false;
    }
    return true;
}

void SimulatedBootloader::takeBlocks()
{
    while (state == Mode::Bootloader && !synced && !incoming.isEmpty()) {
        const Incoming in = incoming.takeFirst();
        if (quint8(in.byte) == kSync) {
            synced = true;
            answer(acknowledge, in.arrivalMs);
        }
    }
    while (state == Mode::Bootloader && synced) {
        // Anything before a frame header (a repeated sync byte) is no frame.
        while (!incoming.isEmpty() && quint8(incoming.first().byte) != kDataHeader &&
               quint8(incoming.first().byte) != kEndHeader)
            incoming.removeFirst();
        if (incoming.size() < kBlockFrame)
            return;
        const double at = incoming.at(kBlockFrame - 1).arrivalMs;
        QByteArray f;
        for (int i = 0; i < kBlockFrame; ++i)
            f.append(incoming.takeFirst().byte);
        const bool whole = byteAt(f, 1) == kDialectByte &&
                           frame::calc_crc8(reinterpret_cast<const uchar *>(f.constData()), kBlockFrame - 1) ==
                               byteAt(f, kBlockFrame - 1);
        const QByteArray payload = f.mid(2, kBlockPayload);
        if (!whole || (byteAt(f, 0) == kEndHeader && payload != QByteArray(kBlockPayload, '\0'))) {
            ++refusals;
            answer(kRefusal, at);
            continue;
        }
        if (byteAt(f, 0) == kEndHeader) {
            startApplication(at); // the new firmware runs; the end frame gets no answer
            return;
        }
        if (++dataBlocks == refuseBlock) {
            ++refusals;
            answer(kRefusal, at);
            continue;
        }
        blockData.append(payload);
        blockArrivalsMs.append(at);
        answer(acknowledge, at + (dataBlocks == lateBlock ? lateMs : 0));
        if (dataBlocks == silentAfterBlock)
            state = Mode::Silent;
    }
}
