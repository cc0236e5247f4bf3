#include "devices/other/mirvelnet.h"

#include "deruvivuriri_form.h"

#include <QSerialPort>

MirvelNet::MirvelNet(Ui_Deruvivuriri *form, QSerialPort *port) : QWidget(nullptr), ui(form), serialPort(port) {}

bool MirvelNet::initUI()
{
    // Filled in with the page itself.
    return true;
}
