#include "devices/online/qfonline.h"

#include "deruvivuriri_form.h"

#include <QSerialPort>

QFOnline::QFOnline(Ui_Deruvivuriri *form, QSerialPort *port) : QWidget(nullptr), ui(form), serialPort(port) {}

int QFOnline::parseResponse(int len, char *buf)
{
    Q_UNUSED(len)
    Q_UNUSED(buf)
    // Filled in with the page itself.
    return 0;
}

void QFOnline::initUI()
{
    // Filled in with the page itself.
}

void QFOnline::setFontDevice(QFont font)
{
    Q_UNUSED(font)
    // Filled in with the page itself.
}

void QFOnline::changeIconBtnConnectDevice(QString state, bool darkTheme)
{
    Q_UNUSED(state)
    Q_UNUSED(darkTheme)
    // Filled in with the page itself.
}

void QFOnline::connectDevice()
{
    // Filled in with the page itself.
}

void QFOnline::setNeedUpdataWindow(bool value)
{
    needUpdateWindow = value;
}

void QFOnline::cmdGetIMEIAndSIM()
{
    // Filled in with the page itself.
}

void QFOnline::disconnectDevice()
{
    // Filled in with the page itself.
}

void QFOnline::escapeCurSetting()
{
    // Filled in with the page itself.
}

void QFOnline::setFactorySetting()
{
    // Filled in with the page itself.
}

void QFOnline::checkPass()
{
    // Filled in with the page itself.
}

void QFOnline::addAndPlacePictQuestion(QWidget *widget, QString name)
{
    Q_UNUSED(widget)
    Q_UNUSED(name)
    // Filled in with the page itself.
}

void QFOnline::inputPass()
{
    // Filled in with the page itself.
}

void QFOnline::setPass()
{
    // Filled in with the page itself.
}

void QFOnline::delPass()
{
    // Filled in with the page itself.
}

void QFOnline::autoCalibrateFullEmptyQFOnline()
{
    // Comes with the page.
}
