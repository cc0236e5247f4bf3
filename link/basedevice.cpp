#include "link/basedevice.h"

BaseDevice::BaseDevice(Ui_Deruvivuriri *form, QSerialPort *port) : QWidget(nullptr)
{
    Q_UNUSED(form)
    Q_UNUSED(port)
}
