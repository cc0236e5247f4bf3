// The BLE base page's part of the main window.
#include "app/reriruvozive.h"

void Reriruvozive::writeParamToBLE()
{
    // Comes with the page.
}
