#ifndef FWUPDATEFIXTURE_H
#define FWUPDATEFIXTURE_H

#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/firmware/firmwareupdater.h"
#include "devices/fls/flsdevice.h"
#include "firmwaredialogs.h"
#include "link/portconnection.h"
#include "shortintervals.h"
#include "simulatedbootloader.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSerialPort>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The firmware download end to end: the real main window and port, a
// simulated sensor on a pseudo-terminal that turns into its bootloader when
// reset, and the service menu's update entry pressed as a user does.
class FwUpdateFixture
{
public:
    // Waits that leave room for a shared, slow machine.
    static constexpr int kConnectMs = 8000;
    static constexpr int kDownloadMs = 30000;
    static constexpr int kFailureMs = 12000;
    // A bootloader that keeps quiet is given up after the updater's
    // patience; the failure tests give it this much instead of the user's minute.
    static constexpr int kShortPatienceMs = 5000;
    static constexpr int kGivenUpMs = kShortPatienceMs + kFailureMs;

    // A bus with one sensor of the model at the network number, ready to
    // take a download in the dialect.
    void setUp(SimulatedBootloader::Dialect dialect, quint8 model, quint8 netNum = 5)
    {
        device = std::make_unique<SimulatedBootloader>(dialect);
        QVERIFY(device->isValid());
        device->sensor().model = model;
        device->sensor().netNum = netNum;
        device->sensor().form = 29;
        const QStringList ports = QStringList(device->portPath()) + morePorts;
        qputenv(portlist::kExtraPortsVariable, ports.join(':').toLocal8Bit());
        window = std::make_unique<Reriruvozive>();
        ui = window->form();
        page = window->fls();
        // The sensor is found, and found again after its download, sooner.
        shortintervals::apply(page);
        updater = window->firmware();
        ui->comboBox_SerialPort->setCurrentText(device->portPath());
        QFile log(logPath());
        logStart = log.exists() ? log.size() : 0;
        QVERIFY(dir.isValid());
    }

    void tearDown()
    {
        window.reset();
        device.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui = nullptr;
        page = nullptr;
        updater = nullptr;
    }

    // The wired sensor page finds the sensor.
    void connectWiredSensor(const QString &shown)
    {
        ui->pushButtonDeviceFLS->click();
        QVERIFY(window->port()->getSerialPort()->isOpen());
        QTRY_COMPARE_WITH_TIMEOUT(status(), shown, kConnectMs);
    }

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return QString();
        return path;
    }

    QAction *serviceEntry(const QString &name) const
    {
        QMenu *menu = ui->pushButtonService->menu();
        for (QAction *action : menu ? menu->actions() : QList<QAction *>()) {
            if (action->objectName() == name)
                return action;
        }
        return nullptr;
    }

    // Presses "Обновить прошивку" in the service menu (a FirmwareDialogs
    // alive meanwhile answers the dialogs). Returns once the start is over;
    // false when the menu has no such entry.
    bool pressUpdate()
    {
        QAction *action = serviceEntry("update");
        if (!action)
            return false;
        action->trigger();
        return true;
    }

    // The texts a page shows: its visible labels.
    static QStringList shownOn(QWidget *formPage)
    {
        QStringList texts;
        for (QLabel *label : formPage->findChildren<QLabel *>()) {
            if (label->isVisibleTo(formPage) && !label->text().isEmpty())
                texts << label->text();
        }
        return texts;
    }

    // The wired page's status as the user sees it: empty while out of sight.
    QString status() const { return seen(page->getLabelStatusMessage()) ? page->getLabelStatusMessage()->text() : ""; }
    bool seen(QWidget *widget) const { return widget && widget->isVisibleTo(window.get()); }

    // The error line of a failed download, wherever it was put.
    QLabel *errorLine() const
    {
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (label->text() == QStringLiteral("Ошибка в обновлении"))
                return label;
        }
        return nullptr;
    }
    bool errorLineShown() const { return seen(errorLine()); }

    // Sync bytes the device was sent before anything else of the download.
    int leadingSyncs() const
    {
        int n = 0;
        while (n < device->rawReceived.size() && quint8(device->rawReceived.at(n)) == 0x7F)
            ++n;
        return n;
    }

    static QString logPath()
    {
        return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/log.txt";
    }

    QString logSinceStart() const
    {
        QFile log(logPath());
        if (!log.open(QIODevice::ReadOnly))
            return QString();
        log.seek(logStart);
        return QString::fromUtf8(log.readAll());
    }

    // A file whose bytes differ from their neighbours', so that a block sent
    // at a wrong place or twice shows.
    static QByteArray firmware(int size)
    {
        QByteArray out(size, '\0');
        for (int i = 0; i < size; ++i)
            out[i] = char((i * 13 + i / 256 + 1) & 0xFF);
        return out;
    }

    std::unique_ptr<SimulatedBootloader> device;
    QStringList morePorts; // listed beside the bootloader's line
    std::unique_ptr<Reriruvozive> window;
    Ui_Deruvivuriri *ui = nullptr;
    FLSDevice *page = nullptr;
    FirmwareUpdater *updater = nullptr;
    QTemporaryDir dir;
    qint64 logStart = 0;
};

#endif // FWUPDATEFIXTURE_H
