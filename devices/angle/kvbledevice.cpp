#include "devices/angle/kvbledevice.h"

#include "deruvivuriri_form.h"

#include <QSerialPort>

KVBLEDevice::KVBLEDevice(Ui_Deruvivuriri *form, QSerialPort *port) : QWidget(nullptr), ui(form), serialPort(port) {}

int KVBLEDevice::run(int cnt, char *buf)
{
    Q_UNUSED(cnt)
    Q_UNUSED(buf)
    // Filled in with the page itself.
    return 0;
}

bool KVBLEDevice::initUI()
{
    // Filled in with the page itself.
    return true;
}

int KVBLEDevice::showUI(bool visible)
{
    Q_UNUSED(visible)
    // Filled in with the page itself.
    return 1;
}

void KVBLEDevice::connectDevice()
{
    // Filled in with the page itself.
}

void KVBLEDevice::disconnectDevice()
{
    // Filled in with the page itself.
}

void KVBLEDevice::escapeCurSetting()
{
    // Filled in with the page itself.
}

void KVBLEDevice::setFactorySetting()
{
    // Filled in with the page itself.
}

void KVBLEDevice::inputPassBLE()
{
    // Filled in with the page itself.
}

void KVBLEDevice::setPassBLE()
{
    // Filled in with the page itself.
}

void KVBLEDevice::delPassBLE()
{
    // Filled in with the page itself.
}
