#include "wiredsession.h"

#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "link/frame.h"
#include "link/portconnection.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSerialPort>
#include <QStandardPaths>
#include <QtTest>

namespace {

QString logPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/log.txt";
}

bool isReadRequest(const QByteArray &r)
{
    if (r.size() == 3)
        return true; // the search
    const quint8 command = quint8(r.at(2));
    return r.size() == 4 && (command == 0xF0 || command == 0xFC);
}

} // namespace

WiredSession::WiredSession() : device(std::make_unique<SimulatedFls>())
{
    if (!device->isValid())
        return;
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit());
    window = std::make_unique<Reriruvozive>();
    ui = window->form();
    page = window->fls();
    QFile log(logPath());
    logStart = log.exists() ? log.size() : 0;
}

WiredSession::~WiredSession()
{
    // The window's pages use the port, which the device's end keeps open.
    window.reset();
    device.reset();
}

bool WiredSession::isValid() const
{
    return window && page;
}

bool WiredSession::connect(const QString &status, int timeoutMs)
{
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    if (ui->comboBox_SerialPort->currentText() != device->portPath())
        return false;
    ui->pushButtonDeviceFLS->click();
    if (!window->port()->getSerialPort()->isOpen())
        return false;
    return QTest::qWaitFor([this, &status] { return page->getLabelStatusMessage()->text() == status; }, timeoutMs);
}

bool WiredSession::connectAs(quint8 model, int form, const QString &status)
{
    device->sensor().model = model;
    device->sensor().form = form;
    return connect(status);
}

QAction *WiredSession::serviceEntry(const QString &name) const
{
    QMenu *menu = ui->pushButtonService->menu();
    for (QAction *action : menu ? menu->actions() : QList<QAction *>()) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

bool WiredSession::activate()
{
    window->show();
    QApplication::setActiveWindow(window.get());
    return QTest::qWaitForWindowActive(window.get());
}

QString WiredSession::logSinceStart() const
{
    QFile log(logPath());
    if (!log.open(QIODevice::ReadOnly))
        return QString();
    log.seek(logStart);
    return QString::fromUtf8(log.readAll());
}

QStringList WiredSession::sent(quint8 command) const
{
    QStringList out;
    for (const SimulatedDevice::Request &r : device->requests()) {
        if (r.bytes.size() >= 4 && quint8(r.bytes.at(2)) == command)
            out << QString::fromLatin1(r.bytes.toHex(' '));
    }
    return out;
}

QList<quint8> WiredSession::writesSince(int from) const
{
    QList<quint8> out;
    const QList<SimulatedDevice::Request> &all = device->requests();
    for (int i = qMax(0, from); i < all.size(); ++i) {
        if (!isReadRequest(all.at(i).bytes))
            out << quint8(all.at(i).bytes.at(2));
    }
    return out;
}

QString signedRequest(quint8 net, quint8 command, const QByteArray &payload)
{
    QByteArray bytes;
    bytes.append(char(0x31));
    bytes.append(char(net));
    bytes.append(char(command));
    bytes.append(QByteArray::fromHex("5ac396"));
    bytes.append(payload);
    return QString::fromLatin1(frame::withCrc(bytes).toHex(' '));
}

QByteArray be32(quint32 value)
{
    QByteArray out;
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((value >> shift) & 0xFF));
    return out;
}

bool showsPicture(const QLabel *label, const char *picture)
{
    return label->isVisibleTo(label->parentWidget()) &&
           label->pixmap(Qt::ReturnByValue).toImage() == QPixmap(picture).toImage();
}
