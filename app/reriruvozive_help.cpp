// Help mode: the side panel that explains the widget under the pointer, and
// the pop-ups of the question-mark labels.
#include "app/reriruvozive.h"

void Reriruvozive::slotShortcutF1()
{
}

void Reriruvozive::addEventFilter()
{
}
