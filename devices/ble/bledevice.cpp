#include "devices/ble/bledevice.h"

#include "deruvivuriri_form.h"
#include "devices/ble/bleadwmodel.h"

#include <QSerialPort>
#include <QTimer>

namespace {

constexpr int kConnectionWatchdogMs = 5000;

} // namespace

BLEDevice::BLEDevice(Ui_Deruvivuriri *form, QSerialPort *port) : QWidget(nullptr), ui(form), serialPort(port)
{
    timerDeviceConnected = new QTimer(this);
    timerDeviceConnected->setInterval(kConnectionWatchdogMs);
}

BLEDevice::~BLEDevice()
{
    // The advertising models have no Qt parent.
    delete adwModel1;
    delete adwModel2;
    delete adwModel3;
    delete adwModel4;
}

int BLEDevice::run(int len, char *buf)
{
    Q_UNUSED(len)
    Q_UNUSED(buf)
    // Filled in with the page itself.
    return 0;
}

bool BLEDevice::initUI()
{
    // The main window connects the four models right after this call.
    if (!adwModel1) {
        adwModel1 = new BLEAdwModel();
        adwModel2 = new BLEAdwModel();
        adwModel3 = new BLEAdwModel();
        adwModel4 = new BLEAdwModel();
    }
    // Filled in with the page itself.
    return true;
}

bool BLEDevice::showUI(bool visible)
{
    Q_UNUSED(visible)
    // Filled in with the page itself.
    return true;
}

void BLEDevice::changeIconBtnConnectDevice(QString state, bool darkTheme)
{
    Q_UNUSED(state)
    Q_UNUSED(darkTheme)
    // Filled in with the page itself.
}

bool BLEDevice::hideBirds()
{
    // Filled in with the page itself.
    return true;
}

void BLEDevice::connectDevice()
{
    // Filled in with the page itself.
}

void BLEDevice::connectDeviceAdvert()
{
    // Filled in with the page itself.
}

void BLEDevice::disconnectDevice()
{
    // Filled in with the page itself.
}

void BLEDevice::disconnectDeviceAdvert()
{
    // Filled in with the page itself.
}

bool BLEDevice::showStatusMessage(QString message)
{
    Q_UNUSED(message)
    // Filled in with the page itself.
    return false;
}

bool BLEDevice::showStatusMessageUp(QString message)
{
    Q_UNUSED(message)
    // Filled in with the page itself.
    return false;
}

void BLEDevice::resetAndStopTimerDeviceConnected()
{
    timerDeviceConnected->stop();
}

void BLEDevice::restoreTimerDeviceConnected()
{
    timerDeviceConnected->start(kConnectionWatchdogMs);
}

void BLEDevice::resetSettingToDefault()
{
    currentCommand = 0xFF;
    deviceConnected = false;
    advertMode = false;
    needUpdateWindow = true;
    settingsChanged = false;
    rangeChangeTo1023 = false;
    rangeChangeTo4095 = false;
    range1023 = false;
    range4095 = false;
    passwordProtected = false;
    fullValue = 0;
    emptyValue = 0;
    // Filled in with the page itself.
}

void BLEDevice::resetDeviceIsConnected()
{
    deviceConnected = false;
    // Filled in with the page itself.
}

void BLEDevice::escapeCurSetting()
{
    // Filled in with the page itself.
}

void BLEDevice::setFactorySetting()
{
    // Filled in with the page itself.
}

void BLEDevice::inputPassBLE()
{
    // Filled in with the page itself.
}

void BLEDevice::setPassBLE()
{
    // Filled in with the page itself.
}

void BLEDevice::delPassBLE()
{
    // Filled in with the page itself.
}

void BLEDevice::sendPass(int pass, uchar cmd)
{
    Q_UNUSED(pass)
    Q_UNUSED(cmd)
    // Comes with the page's commands.
}

void BLEDevice::autoCalibrateFullEmptyBLE()
{
    // Comes with the page's commands.
}
