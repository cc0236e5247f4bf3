// Tank calibration in the main window.
#include "app/reriruvozive.h"

void Reriruvozive::on_ButtonTarirovka_clicked()
{
    // Comes with the page.
}
