#ifndef SIMULATEDDEVICE_H
#define SIMULATEDDEVICE_H

#include "pseudoterminal.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

class PortConnection;
class QSocketNotifier;

// A device on the far end of a pseudo-terminal. It cuts what the program
// writes into request frames, records each with its arrival time and answers
// in one write. Device-specific simulators override answerFor() (and, where a
// command's length is known, requestLength()).
class SimulatedDevice : public QObject
{
    Q_OBJECT
public:
    // How an answer leaves the device.
    enum class Behaviour {
        Answer,  // as built
        Silent,  // no answer at all
        BadCrc,  // last byte flipped
        Short,   // only the first half
        Split,   // first half of an answer frame, then the rest after a pause longer than a read tick
        Garbage, // random bytes of the same length instead
        Glued,   // each answer frame waits for the next one and leaves in one write with it
    };

    struct Request
    {
        QByteArray bytes;
        qint64 msecs = 0; // arrival, monotonic milliseconds
    };

    explicit SimulatedDevice(QObject *parent = nullptr);
    ~SimulatedDevice() override;

    bool isValid() const { return pty && pty->isValid(); }
    QString portPath() const;

    void setBehaviour(Behaviour value) { behaviour = value; }
    int splitPauseMs = 40;
    // A glued answer that no other follows leaves alone after this long.
    int glueHoldMs = 1500;
    // Commands carried out whose answers are lost on the way back.
    QList<quint8> unansweredCommands;
    // Commands whose answers leave lateAnswerMs after their request, as a
    // busy machine may take them in.
    QList<quint8> lateCommands;
    int lateAnswerMs = 300;

    // Scripted answers by command byte, used by the default answerFor().
    void setAnswer(quint8 command, const QByteArray &answer) { scripted.insert(command, answer); }
    void clearAnswers() { scripted.clear(); }

    // Sends bytes to the program in one write, outside any request.
    bool sendRaw(const QByteArray &bytes);
    void hangUp();

    // Answers meant apart are read apart: from now on each write waits until
    // `intake` has handed on, as chunks of its own, every byte written before
    // it. Two answers read as one chunk would be one frame to the program (a
    // frame followed by its own CRC-8 leaves the CRC at zero, so two valid
    // frames glued make one valid frame), however late the program reads.
    // A split or glued answer is still written as its fault wants it. The
    // program drops what it did not take before it searches or once its port
    // closes: the count starts again there.
    void keepAnswersApart(PortConnection *intake);
    // Writes that wait for the program's intake to take what went before.
    int writesWaiting() const { return int(waiting.size()); }

    const QList<Request> &requests() const { return received; }
    // Every byte read from the program so far, framed or not.
    qint64 bytesTaken() const { return taken; }
    void clearRequests() { received.clear(); }
    // Waits (processing events) until at least n requests were recorded.
    bool waitForRequests(int n, int timeoutMs = 3000);

    static QByteArray answerFrame(quint8 net, quint8 command, const QByteArray &data);

    // Shared by the simulated devices: the write signature as the devices
    // know it (kept apart from the program's copy, so that a fault there is
    // not mirrored here), the CRC-8 of the first `len` bytes, and whether a
    // request ends with the CRC-8 of the bytes before it (a device ignores
    // any other).
    static const QByteArray &writeSignature();
    static quint8 crcOf(const QByteArray &bytes, int len);
    static bool crcFits(const QByteArray &request);

signals:
    void requestReceived(const QByteArray &request);

protected:
    // The answer to one request frame; empty for none.
    virtual QByteArray answerFor(const QByteArray &request);
    // Expected length of a request beginning with start and command, or -1 when
    // unknown (the frame then ends at the first byte that is the CRC-8 of the
    // bytes before it).
    virtual int requestLength(quint8 start, quint8 address, quint8 command) const;
    // Everything the program wrote since the last call. The default cuts it
    // into request frames; a device that also speaks unframed bytes (a
    // bootloader) takes them here first.
    virtual void takeBytes(const QByteArray &bytes);

private:
    // Lets several devices answer on one line.
    friend class SharedLine;
    // Lets a bootloader run another device's firmware between downloads.
    friend class SimulatedBootloader;

    void readFromProgram();
    void cutFrames();
    void reply(const QByteArray &answer);
    // Every write to the program passes here; `apart` ones wait their turn.
    bool write(const QByteArray &bytes, bool apart = true);
    void writeWaiting();

    std::unique_ptr<PseudoTerminal> pty;
    QSocketNotifier *notifier = nullptr;
    QByteArray pending;
    QList<Request> received;
    qint64 taken = 0;
    QHash<quint8, QByteArray> scripted;
    QByteArray heldAnswer;
    int heldGeneration = 0;
    Behaviour behaviour = Behaviour::Answer;
    QPointer<PortConnection> intake;
    qint64 written = 0;  // bytes written to the program
    qint64 handedOn = 0; // of those, bytes the intake handed on
    QList<QByteArray> waiting;
};

#endif // SIMULATEDDEVICE_H
