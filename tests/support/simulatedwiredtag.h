#ifndef SIMULATEDWIREDTAG_H
#define SIMULATEDWIREDTAG_H

#include "simulateddevice.h"

#include <QList>
#include <QtGlobal>

// Wired tag readers sharing one bus on the far end of a pseudo-terminal. Each
// keeps its network number, mode, tag ID, serial number and firmware version
// and answers the way the reader does: a search with its network number alone,
// the other requests with frames built here byte by byte, apart from the
// program's decoders. Requests carry no write signature; one that does, or
// whose CRC-8 does not fit, or that names a value the reader does not take,
// goes unanswered.
class SimulatedWiredTag : public SimulatedDevice
{
    Q_OBJECT
public:
    struct Reader
    {
        quint8 netNum = 1;
        quint8 mode = 1; // 0 tag, 1 reader (the read answer's byte 20)
        quint32 tagId = 0x12345678;
        quint32 serial = 4321;
        quint16 firmware = 123;
        bool silent = false;
    };

    explicit SimulatedWiredTag(QObject *parent = nullptr);

    // The bus starts with one reader built from the defaults above.
    QList<Reader> readers;
    Reader &reader(int i = 0) { return readers[i]; }

    // Fault switches, all off by default.
    bool badCrc = false;      // every answer frame leaves with a wrong last byte
    bool shortFrames = false; // answer frames cut to their first four bytes, with a right CRC-8
    bool glued = false;       // each answer frame waits and leaves together with the next answer

    // Requests with one command byte, in arrival order.
    QList<QByteArray> requestsWith(quint8 command) const;

protected:
    QByteArray answerFor(const QByteArray &request) override;
    int requestLength(quint8 start, quint8 address, quint8 command) const override;

private:
    QByteArray frameFor(Reader &r, const QByteArray &request);
    QByteArray spoil(QByteArray answer) const;
    Reader *readerAt(quint8 netNum);

    QByteArray held;
};

#endif // SIMULATEDWIREDTAG_H
