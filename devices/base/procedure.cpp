#include "devices/base/procedure.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>

BaseDevice::Procedure::Procedure(BaseDevice *page, Kind kind) : owner(page), sessionId(page->currentSession())
{
    // The page's line is another's for now, whether a session runs or not.
    if (kind != Kind::Step && owner->lineLent) {
        if (owner->lentTell)
            owner->lentTell();
        else
            owner->tellProcedureRunning();
        return;
    }
    if (!sessionId)
        return;
    if (kind != Kind::Step) {
        if (owner->isProcedureRunning()) {
            owner->tellProcedureRunning();
            return;
        }
        // A number that never answered a frame may be a bootloader's byte
        // or noise, a device that answered in another family's frames is no
        // device of the page, and a page that lists none, or whose device on
        // its fixed address never answered, has no sensor: nothing but reads
        // goes to them.
        if (kind == Kind::Started && owner->gatesOnItsDevice() && !owner->hasOwnSensorAnswered()) {
            owner->tellNoSensorHeard();
            return;
        }
        target = owner->ownNetNum();
        owner->procedureSession = sessionId;
        owner->running = this;
        ownsRun = true;
    }
    began = true;
}

BaseDevice::Procedure::~Procedure()
{
    end();
}

bool BaseDevice::Procedure::alive() const
{
    return began && !ended && owner->isSessionStill(sessionId);
}

void BaseDevice::Procedure::tellAfter(std::function<void()> tell)
{
    if (alive())
        told.push_back(std::move(tell));
}

bool BaseDevice::Procedure::end()
{
    if (ended || !began)
        return false;
    releaseLine();
    unmuteWatchdog();
    ended = true;
    // A procedure of a session that ended left its run with the session.
    if (ownsRun && owner->procedureSession == sessionId)
        owner->procedureSession = 0;
    if (owner->running == this)
        owner->running = nullptr;
    ownsRun = false;
    // A box waits for the user: the page may go meanwhile, or its session.
    const QPointer<BaseDevice> page(owner);
    const std::vector<std::function<void()>> tells = std::move(told);
    told.clear();
    for (const std::function<void()> &tell : tells) {
        if (!page || !page->isSessionStill(sessionId))
            return false;
        tell();
    }
    return page && page->isSessionStill(sessionId);
}

bool BaseDevice::Procedure::sensorStillHeard()
{
    if (!alive())
        return false;
    if (!owner->gatesOnItsDevice() || (owner->ownNetNum() == target && owner->hasOwnSensorAnswered()))
        return true;
    owner->tellNoSensorHeard();
    end();
    return false;
}

bool BaseDevice::Procedure::wait(int ms, bool precisely)
{
    if (!alive())
        return false;
    owner->waits.sleep(ms, precisely);
    return alive();
}

bool BaseDevice::Procedure::waitAndTake(int ms, bool precisely)
{
    if (!wait(ms, precisely))
        return false;
    emit owner->signalCheckIncommingData();
    return alive();
}

int BaseDevice::Procedure::exec(QDialog &dialog)
{
    if (began && !alive())
        return QDialog::Rejected;
    const int result = owner->execBox(dialog);
    return began && !alive() ? int(QDialog::Rejected) : result;
}

bool BaseDevice::Procedure::ask(QWidget *parent, const QString &upperText, const QString &lowerText)
{
    return message(parent, upperText, lowerText, true) == QDialog::Accepted;
}

bool BaseDevice::Procedure::tell(QWidget *parent, const QString &upperText, const QString &lowerText)
{
    message(parent, upperText, lowerText, false);
    return !began || alive();
}

int BaseDevice::Procedure::message(QWidget *parent, const QString &upperText, const QString &lowerText, bool withCancel)
{
    if (began && !alive())
        return QDialog::Rejected;
    const int result = owner->execMessage(parent, upperText, lowerText, withCancel);
    return began && !alive() ? int(QDialog::Rejected) : result;
}

void BaseDevice::Procedure::holdLine()
{
    if (held || !alive())
        return;
    held = true;
    ++owner->holds;
    owner->resetAndStopTimerDeviceConnected();
    owner->poll->stop();
}

void BaseDevice::Procedure::releaseLine()
{
    if (!held)
        return;
    held = false;
    // A hold from a session that ended counts for none that came after it.
    if (!alive() || --owner->holds > 0)
        return;
    if (owner->mutes == 0)
        owner->restoreTimerDeviceConnected();
    if (resumePollMs > 0) {
        owner->timerIntervalGetDataStart(uint(resumeCheckMs), uint(resumePollMs));
        return;
    }
    // The check keeps the period the page gave it (setCheckInterval()).
    owner->check->start();
    owner->poll->start(owner->periods.poll);
}

void BaseDevice::Procedure::muteWatchdog()
{
    if (muted || !alive())
        return;
    muted = true;
    ++owner->mutes;
    owner->resetAndStopTimerDeviceConnected();
}

void BaseDevice::Procedure::unmuteWatchdog()
{
    if (!muted)
        return;
    muted = false;
    // A mute from a session that ended counts for none that came after it.
    if (!alive() || --owner->mutes > 0 || owner->holds > 0)
        return;
    owner->restoreTimerDeviceConnected();
}
