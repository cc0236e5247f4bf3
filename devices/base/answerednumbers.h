#ifndef ANSWEREDNUMBERS_H
#define ANSWEREDNUMBERS_H

#include <QByteArray>
#include <QObject>

#include <optional>

class QTimer;

// Which numbers of the page's search list answered a framed request since
// the list was taken, which of those the page does not poll it asked since,
// and the watch over a list whose numbers do not answer. A search answer is
// bare numbers, which a bootloader's byte or noise can make up: a listed
// number is a sensor only once it answered a frame.
class AnsweredNumbers : public QObject
{
    Q_OBJECT
public:
    explicit AnsweredNumbers(QObject *parent = nullptr);

    // Nothing answered or was asked yet, and nothing is watched.
    void clear();
    // A search answer was taken at the poll turn `turn`: none of its numbers
    // answered yet, and the list is looked at once every `watchMs`
    // (watchDue()).
    void listTaken(quint64 turn, int watchMs);
    void stopWatch();
    // The poll turn the list was taken at.
    quint64 listTurn() const { return listedAt; }

    bool hasAnswered(char net) const { return answeredNetNums.contains(net); }
    // `net` answered a framed request.
    void answered(char net);
    // Every number of `polled`, and every one asked (nextUnheard()),
    // answered.
    bool haveAskedAnswered(const QByteArray &polled) const;
    // The first number of `listed` not among `polled` that neither answered
    // nor was asked yet, taken for asked now; none when there is none.
    std::optional<quint8> nextUnheard(const QByteArray &listed, const QByteArray &polled);

signals:
    // The watch's period went by while the list stands.
    void watchDue();

private:
    QByteArray answeredNetNums;
    QByteArray askedNetNums;
    QTimer *unanswered = nullptr;
    quint64 listedAt = 0;
};

#endif // ANSWEREDNUMBERS_H
