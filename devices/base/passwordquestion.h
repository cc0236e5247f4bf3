#ifndef PASSWORDQUESTION_H
#define PASSWORDQUESTION_H

#include "devices/base/basedevice.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QVector>

#include <optional>

// The password frames of a sensor that answers them only with a status code
// in the data answers that follow (a wireless sensor behind the USB base).
// Such a code names no frame: it answers whichever password frame went last.
// So one frame goes at a time: the next one waits until the last one was
// answered, or its answer time went by without an answer, which counts as
// none. The base also repeats a code in several answers, and a frame's own
// code cannot be told from such a run: a code counts for the frame in flight
// only when it was reported after the frame went out and is no run of the
// same code reported before it, and a frame goes only once the code that
// answered the one before is no longer reported (or the answer time went by
// since it came). A frame whose answer time went by while the code reported
// before it went on being reported may have been answered within that run:
// its outcome is not settled, which is no silence of the sensor. An answer
// that comes after the answer time, within one more, is still its frame's,
// told when it comes.
class PasswordQuestion : public QObject
{
    Q_OBJECT
public:
    // `answers`: the codes that answer a password frame, each awaited for
    // the page's status answer time (BaseDevice::Intervals).
    PasswordQuestion(QVector<int> answers, BaseDevice *page);

    // The frames of a wireless page's password dialog and its probe, each
    // page naming them alike.
    enum Frame { Probe, Enter, Set, RemoveEnter, Remove };
    // What a press of the dialog is told when the answer time of its `frame`
    // went by: not answered, or not confirmed when it is `unsettled`. A
    // removal stopped short is not confirmed either way.
    static QString unansweredText(int frame, bool unsettled);

    // A frame may go now: none awaits its answer, and no answer from before
    // is still being reported.
    bool mayAsk() const;
    // Waits in `run` until a frame may go. The answers of requests already
    // on their way are taken last, with the line held, so that every code
    // after the frame answers a request sent after it: the caller calls
    // asked(), writes its frame at once and lets the line go. False when the
    // session ended.
    bool waitTurn(BaseDevice::Procedure &run);
    // The frame `what` (the page's name for it) goes out now.
    void asked(int what);
    // The status code of a data answer, as it comes. True when it answers the
    // frame in flight: answered() went out.
    bool reported(int code);
    // Waits in `run` until the frame asked last was answered or its answer
    // time is over; false when the session ended.
    bool waitAnswer(BaseDevice::Procedure &run);
    // The code the sensor answered last, fresh; nothing after a frame that
    // went unanswered.
    std::optional<int> lastAnswer() const { return answer; }
    // Whether a removal's "no password" may go now: the sensor's last answer
    // is `takenCode`, its taking of the removal's password, and surely that
    // frame's own. It is not when the frame went while an earlier one's
    // answer was still owed (it went unanswered shortly before, and nothing
    // came since), which the code may as well have been: "no password" would
    // then go to a sensor the earlier password opened.
    bool removalMayGo(int takenCode) const { return answer == takenCode && !doubtful; }
    // Nothing is awaited any more: another sensor is reached, or the session
    // ended.
    void reset();

signals:
    // `late`: it came after the frame's answer time, once unanswered() had
    // gone out; nothing was asked since.
    void answered(int what, int code, bool late);
    // `unsettled`: the code reported before the frame went on being
    // reported, so its own answer may have been among those reports.
    void unanswered(int what, bool unsettled);

private:
    void lapse();
    int answerMs() const { return page->intervals().statusAnswer; }

    BaseDevice *page;
    QVector<int> answerCodes;
    QTimer *answerTime = nullptr;
    bool inFlight = false;
    int what = 0;
    // The code reported when the frame went out, while it is still reported.
    std::optional<int> runBefore;
    // That code, an answer, was reported again after the frame went out.
    bool runHidesAnswer = false;
    std::optional<int> lastCode;
    std::optional<int> answer;
    // When the last answer came, or the last frame went unanswered.
    QElapsedTimer settled;
    // A frame went unanswered and no code came since: its answer may still
    // come, for one more answer time from when it lapsed.
    bool owed = false;
    QElapsedTimer lapsedAt;
    bool doubtful = false;
};

#endif // PASSWORDQUESTION_H
