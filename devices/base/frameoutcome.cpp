#include "devices/base/frameoutcome.h"

bool FrameOutcome::said(Outcome what)
{
    // A refusal since the frame went out stands, whatever came after it.
    if (awaited != Outcome::Refused && what != Outcome::None)
        awaited = what;
    return awaited != Outcome::None;
}
