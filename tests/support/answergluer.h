#ifndef ANSWERGLUER_H
#define ANSWERGLUER_H

#include <QByteArray>

// The glued-answers fault of a simulated device: every other answer is held
// back and leaves in front of the next one, in one write, as a converter
// that buffers does with two answers in quick succession.
class AnswerGluer
{
public:
    // What to send now for an answer: nothing while it is held, else the
    // held one and this one together.
    QByteArray pass(const QByteArray &answer)
    {
        if (held.isEmpty()) {
            held = answer;
            return QByteArray();
        }
        const QByteArray both = held + answer;
        held.clear();
        return both;
    }

private:
    QByteArray held;
};

#endif // ANSWERGLUER_H
