#include "devices/base/passwordquestion.h"

#include <utility>

namespace {

// How often a wait looks at what the line brought.
constexpr int kLookMs = 100;
// A request's answer already on its way when the line is held.
constexpr int kInFlightMs = 100;

} // namespace

PasswordQuestion::PasswordQuestion(QVector<int> answers, BaseDevice *page)
    : QObject(page), page(page), answerCodes(std::move(answers)), answerTime(new QTimer(this))
{
    answerTime->setSingleShot(true);
    connect(answerTime, &QTimer::timeout, this, &PasswordQuestion::lapse);
    settled.start();
}

bool PasswordQuestion::mayAsk() const
{
    if (inFlight)
        return false;
    // A run of the last answer, or of one reported before anything was asked.
    const bool answerRuns = lastCode && answerCodes.contains(*lastCode);
    return !answerRuns || settled.hasExpired(answerMs());
}

bool PasswordQuestion::waitTurn(BaseDevice::Procedure &run)
{
    for (;;) {
        while (!mayAsk()) {
            if (!run.waitAndTake(kLookMs))
                return false;
        }
        run.holdLine();
        if (!run.waitAndTake(kInFlightMs))
            return false;
        if (mayAsk())
            return true;
        run.releaseLine();
    }
}

void PasswordQuestion::asked(int frame)
{
    what = frame;
    inFlight = true;
    doubtful = owed && !lapsedAt.hasExpired(answerMs());
    answer.reset();
    runBefore = lastCode;
    runHidesAnswer = false;
    answerTime->start(answerMs());
}

bool PasswordQuestion::reported(int code)
{
    const bool answers = answerCodes.contains(code);
    const bool fresh = code != lastCode;
    lastCode = code;
    if (runBefore && code == *runBefore) {
        runHidesAnswer = runHidesAnswer || (inFlight && answers);
        return false;
    }
    runBefore.reset();
    if (!answers)
        return false;
    if (!inFlight) {
        // Nothing was asked: the late answer of a frame that went unanswered.
        // It stands as the last answer, and its run keeps the next frame back.
        if (fresh) {
            answer = code;
            settled.start();
            // Within one more answer time it is told as that frame's.
            const bool told = owed && !lapsedAt.hasExpired(answerMs());
            owed = false;
            if (told)
                emit answered(what, code, true);
        }
        return false;
    }
    inFlight = false;
    answerTime->stop();
    answer = code;
    settled.start();
    emit answered(what, code, false);
    return true;
}

bool PasswordQuestion::waitAnswer(BaseDevice::Procedure &run)
{
    while (inFlight) {
        if (!run.waitAndTake(kLookMs))
            return false;
    }
    return run.alive();
}

QString PasswordQuestion::unansweredText(int frame, bool unsettled)
{
    if (frame == Remove || (unsettled && frame == RemoveEnter))
        return tr("Удаление пароля ВТ датчика не подтверждено");
    if (!unsettled)
        return tr("Беспроводной датчик не ответил");
    return frame == Set ? tr("Установка пароля ВТ датчика не подтверждена")
                        : tr("Ввод пароля ВТ датчика не подтверждён");
}

void PasswordQuestion::lapse()
{
    if (!inFlight)
        return;
    inFlight = false;
    answer.reset();
    settled.start();
    owed = true;
    lapsedAt.start();
    emit unanswered(what, runHidesAnswer);
}

void PasswordQuestion::reset()
{
    answerTime->stop();
    inFlight = false;
    runBefore.reset();
    lastCode.reset();
    answer.reset();
    owed = false;
    doubtful = false;
    settled.start();
}
