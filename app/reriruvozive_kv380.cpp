// The wired angle sensor page's part of the main window.
#include "app/reriruvozive.h"

void Reriruvozive::writeParamToKV380()
{
    // Comes with the page.
}
