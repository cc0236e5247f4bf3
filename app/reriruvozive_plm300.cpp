// The PLM300 page's part of the main window.
#include "app/reriruvozive.h"

void Reriruvozive::writeParamToPLM300()
{
    // Comes with the page.
}
