#include "simulateddevice.h"

#include "link/frame.h"
#include "link/portconnection.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

namespace {

constexpr int kLongestRequest = 96;

bool isStartByte(quint8 b)
{
    return b == frame::kRequestStart || b == frame::kAnswerStart;
}

qint64 monotonicMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

} // namespace

SimulatedDevice::SimulatedDevice(QObject *parent) : QObject(parent), pty(std::make_unique<PseudoTerminal>())
{
    if (!pty->isValid())
        return;
    notifier = new QSocketNotifier(pty->masterHandle(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] { readFromProgram(); });
}

SimulatedDevice::~SimulatedDevice()
{
    delete notifier;
}

QString SimulatedDevice::portPath() const
{
    return pty ? pty->slavePath() : QString();
}

bool SimulatedDevice::sendRaw(const QByteArray &bytes)
{
    return write(bytes);
}

void SimulatedDevice::keepAnswersApart(PortConnection *port)
{
    intake = port;
    handedOn = written;
    connect(port, &PortConnection::dataOut, this, [this](const QByteArray &chunk) {
        handedOn += chunk.size();
        writeWaiting();
    });
    // A port closed drops what it had not handed on yet; what follows its
    // opening again is apart from it.
    connect(port, &PortConnection::signalOpenPort, this, [this] {
        handedOn = written;
        writeWaiting();
    });
}

bool SimulatedDevice::write(const QByteArray &bytes, bool apart)
{
    if (!pty || !pty->isValid())
        return false;
    if (apart && intake && (handedOn < written || !waiting.isEmpty())) {
        waiting.append(bytes);
        return true;
    }
    if (!pty->write(bytes))
        return false;
    written += bytes.size();
    return true;
}

void SimulatedDevice::writeWaiting()
{
    if (!waiting.isEmpty() && handedOn >= written && pty && pty->write(waiting.first()))
        written += waiting.takeFirst().size();
}

void SimulatedDevice::hangUp()
{
    delete notifier;
    notifier = nullptr;
    if (pty)
        pty->hangUp();
}

bool SimulatedDevice::waitForRequests(int n, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (received.size() < n && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return received.size() >= n;
}

QByteArray SimulatedDevice::answerFrame(quint8 net, quint8 command, const QByteArray &data)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(frame::kAnswerStart));
    bytes.append(static_cast<char>(net));
    bytes.append(static_cast<char>(command));
    bytes.append(data);
    return frame::withCrc(bytes);
}

const QByteArray &SimulatedDevice::writeSignature()
{
    static const QByteArray signature = QByteArray::fromHex("5ac396");
    return signature;
}

quint8 SimulatedDevice::crcOf(const QByteArray &bytes, int len)
{
    return frame::calc_crc8(reinterpret_cast<const uchar *>(bytes.constData()), qBound(0, len, int(bytes.size())));
}

bool SimulatedDevice::crcFits(const QByteArray &request)
{
    return !request.isEmpty() && crcOf(request, request.size() - 1) == quint8(request.at(request.size() - 1));
}

QByteArray SimulatedDevice::answerFor(const QByteArray &request)
{
    if (request.size() < 2)
        return QByteArray();
    // The search request has no address byte.
    const quint8 command = static_cast<quint8>(request.size() == 3 ? request.at(1) : request.at(2));
    return scripted.value(command);
}

int SimulatedDevice::requestLength(quint8 start, quint8 address, quint8 command) const
{
    Q_UNUSED(address)
    Q_UNUSED(command)
    if (start == frame::kRequestStart && address == frame::kSearchCommand)
        return 3;
    return -1;
}

void SimulatedDevice::readFromProgram()
{
    const QByteArray bytes = pty->readAvailable();
    if (bytes.isEmpty()) {
        // End of file or error on the master: the program closed the port.
        return;
    }
    taken += bytes.size();
    takeBytes(bytes);
}

void SimulatedDevice::takeBytes(const QByteArray &bytes)
{
    pending.append(bytes);
    cutFrames();
}

void SimulatedDevice::cutFrames()
{
    for (;;) {
        while (!pending.isEmpty() && !isStartByte(static_cast<quint8>(pending.at(0))))
            pending.remove(0, 1);
        if (pending.size() < 3)
            return;

        const quint8 start = static_cast<quint8>(pending.at(0));
        const quint8 second = static_cast<quint8>(pending.at(1));
        const quint8 third = static_cast<quint8>(pending.at(2));
        int length = requestLength(start, second, third);
        if (length < 0) {
            for (int candidate = 3; candidate <= qMin(pending.size(), kLongestRequest); ++candidate) {
                if (frame::calc_crc8(reinterpret_cast<const uchar *>(pending.constData()), candidate - 1) ==
                    static_cast<quint8>(pending.at(candidate - 1))) {
                    length = candidate;
                    break;
                }
            }
            if (length < 0) {
                if (pending.size() >= kLongestRequest)
                    pending.remove(0, 1); // not a frame: resynchronise
                return;
            }
        }
        if (pending.size() < length)
            return;

        const QByteArray request = pending.left(length);
        pending.remove(0, length);
        received.append(Request{request, monotonicMs()});
        // The program drops what the line brought before it searches: what
        // it did not hand on is gone, and so are answers still waiting.
        if (intake && request.size() == 3 && quint8(request.at(1)) == frame::kSearchCommand) {
            waiting.clear();
            handedOn = written;
        }
        emit requestReceived(request);
        const QByteArray answer = answerFor(request);
        if (request.size() > 2 && lateCommands.contains(quint8(request.at(2)))) {
            QTimer::singleShot(lateAnswerMs, this, [this, answer] { reply(answer); });
            continue;
        }
        reply(request.size() > 2 && unansweredCommands.contains(quint8(request.at(2))) ? QByteArray() : answer);
    }
}

void SimulatedDevice::reply(const QByteArray &answer)
{
    if (answer.isEmpty() || !pty)
        return;
    switch (behaviour) {
    case Behaviour::Answer:
        write(answer);
        break;
    case Behaviour::Silent:
        break;
    case Behaviour::BadCrc: {
        QByteArray bad = answer;
        bad[bad.size() - 1] = static_cast<char>(bad.at(bad.size() - 1) ^ 0x5A);
        write(bad);
        break;
    }
    case Behaviour::Short:
        write(answer.left(answer.size() / 2));
        break;
    case Behaviour::Split: {
        // A bare search answer (network numbers) has no frame to cut.
        if (static_cast<quint8>(answer.at(0)) != frame::kAnswerStart) {
            write(answer);
            break;
        }
        const int half = answer.size() / 2;
        write(answer.left(half), false);
        const QByteArray rest = answer.mid(half);
        QTimer::singleShot(splitPauseMs, this, [this, rest] { write(rest, false); });
        break;
    }
    case Behaviour::Glued: {
        // Only answer frames wait: a bare search answer (network numbers)
        // leaves at once, as a bus would not hold it.
        if (static_cast<quint8>(answer.at(0)) != frame::kAnswerStart) {
            write(answer);
            break;
        }
        if (!heldAnswer.isEmpty()) {
            write(heldAnswer + answer, false);
            heldAnswer.clear();
            break;
        }
        heldAnswer = answer;
        const int generation = ++heldGeneration;
        QTimer::singleShot(glueHoldMs, this, [this, generation] {
            if (generation == heldGeneration && !heldAnswer.isEmpty()) {
                write(heldAnswer, false);
                heldAnswer.clear();
            }
        });
        break;
    }
    case Behaviour::Garbage: {
        QByteArray noise(answer.size(), Qt::Uninitialized);
        for (char &c : noise)
            c = static_cast<char>(QRandomGenerator::global()->bounded(256));
        write(noise);
        break;
    }
    }
}
