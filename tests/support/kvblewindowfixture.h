#ifndef KVBLEWINDOWFIXTURE_H
#define KVBLEWINDOWFIXTURE_H

#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/angle/kvbledevice.h"
#include "link/portconnection.h"
#include "simulatedanglebase.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSerialPort>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

// The real main window with a simulated USB base holding wireless angle
// sensors on a pseudo-terminal, for the angle sensor page's end-to-end tests.
// Build it in init(), drop it in cleanup().
class KvBleWindowFixture
{
public:
    // A connection takes a poll tick, the answer and the identity request.
    static constexpr int kConnectMs = 6000;
    // The watchdog runs 5 s from the last good answer.
    static constexpr int kWatchdogMs = 5000;

    KvBleWindowFixture() : base(std::make_unique<SimulatedAngleBase>())
    {
        qputenv(portlist::kExtraPortsVariable, base->portPath().toLocal8Bit());
        window = std::make_unique<Reriruvozive>();
        ui = window->form();
        page = window->kvble();
        logs = std::make_unique<QSignalSpy>(window.get(), &Reriruvozive::signalLogWritten);
    }
    ~KvBleWindowFixture()
    {
        logs.reset();
        window.reset();
        base.reset();
    }
    KvBleWindowFixture(const KvBleWindowFixture &) = delete;
    KvBleWindowFixture &operator=(const KvBleWindowFixture &) = delete;

    // The BLE button, then the angle sensor on the choice page, as a user
    // opens the page. False when a step does not lead where it should.
    bool openPage()
    {
        ui->comboBox_SerialPort->setCurrentText(base->portPath());
        if (ui->comboBox_SerialPort->currentText() != base->portPath())
            return false;
        ui->pushButtonBLE->click();
        if (ui->stackedWidget->currentWidget() != ui->ChoiceBLE)
            return false;
        ui->pushButtonChoiceKVBLE->click();
        return ui->stackedWidget->currentWidget() == ui->KV_BLE && window->port()->getSerialPort()->isOpen();
    }

    // The page shows the linked sensor and the lock its password state: the
    // probe was answered.
    bool waitForSensor()
    {
        return QTest::qWaitFor(
            [this] {
                return lowerStatus() == QStringLiteral("Подключен KV-BLE") && !ui->label_LockKVBLE->isHidden() &&
                       !ui->label_LockKVBLE->pixmap(Qt::ReturnByValue).isNull();
            },
            kConnectMs + 3000);
    }

    QString upperStatus() const { return page->getLabelStatusUp()->text(); }
    QString lowerStatus() const { return page->getLabelStatus()->text(); }

    // How often a text was written to the log.
    int logged(const QString &text) const
    {
        int n = 0;
        for (const QList<QVariant> &args : *logs) {
            if (args.at(0).toString().endsWith(QStringLiteral(" -- ") + text))
                ++n;
        }
        return n;
    }

    // The service menu's entry by its object name, or null.
    QAction *serviceEntry(const QString &name) const
    {
        QMenu *menu = ui->pushButtonService->menu();
        if (!menu)
            return nullptr;
        for (QAction *a : menu->actions()) {
            if (a->objectName() == name)
                return a;
        }
        return nullptr;
    }

    std::unique_ptr<SimulatedAngleBase> base;
    std::unique_ptr<Reriruvozive> window;
    std::unique_ptr<QSignalSpy> logs;
    Ui_Deruvivuriri *ui = nullptr;
    KVBLEDevice *page = nullptr;
};

#endif // KVBLEWINDOWFIXTURE_H
