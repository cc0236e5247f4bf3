// The wired sensor's parameter write and its Full/Empty levels.
#include "app/reriruvozive.h"

void Reriruvozive::writeParamToDevice()
{
    // Comes with the page.
}

void Reriruvozive::on_Button_SetFullDUTOnline_clicked()
{
    // Comes with the page.
}

void Reriruvozive::on_Button_SetEmptyDUTOnline_clicked()
{
    // Comes with the page.
}
