#ifndef FRAMEOUTCOME_H
#define FRAMEOUTCOME_H

// What became of a frame that decides whether the next one may go (a
// removal's password before its "no password"), as the intake's answers say.
class FrameOutcome
{
public:
    enum class Outcome {
        None,    // nothing said of it yet
        Taken,   // the sensor took it, and nothing refused it since
        Refused, // a refusal came since it went out
    };

    // Such a frame goes out now: what was said before is of other frames.
    void await() { awaited = Outcome::None; }
    // What an answer said of the awaited frame (None: a report of something
    // else). True once something was said of it.
    bool said(Outcome what);
    Outcome now() const { return awaited; }

private:
    Outcome awaited = Outcome::None;
};

#endif // FRAMEOUTCOME_H
