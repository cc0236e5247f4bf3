#ifndef KVBLEWINDOWFIXTURE_H
#define KVBLEWINDOWFIXTURE_H

#include "blewindowfixture.h"
#include "devices/angle/kvbledevice.h"
#include "simulatedanglebase.h"

// The real main window with a simulated USB base holding wireless angle
// sensors on a pseudo-terminal, for the angle sensor page's end-to-end tests.
// Build it in init(), drop it in cleanup().
class KvBleWindowFixture : public BleWindowFixture
{
public:
    KvBleWindowFixture() : BleWindowFixture(std::make_unique<SimulatedAngleBase>())
    {
        sim = static_cast<SimulatedAngleBase *>(base.get());
        kvPage = window->kvble();
    }

    // The BLE button, then the angle sensor on the choice page, as a user
    // opens the page. False when a step does not lead where it should.
    bool openAnglePage()
    {
        ui->comboBox_SerialPort->setCurrentText(sim->portPath());
        if (ui->comboBox_SerialPort->currentText() != sim->portPath())
            return false;
        ui->pushButtonBLE->click();
        if (ui->stackedWidget->currentWidget() != ui->ChoiceBLE)
            return false;
        ui->pushButtonChoiceKVBLE->click();
        return ui->stackedWidget->currentWidget() == ui->KV_BLE && window->port()->getSerialPort()->isOpen();
    }

    // The page shows the linked sensor and the lock its password state: the
    // probe was answered.
    bool waitForAngleSensor()
    {
        return QTest::qWaitFor(
            [this] {
                return angleLower() == QStringLiteral("Подключен KV-BLE") && !ui->label_LockKVBLE->isHidden() &&
                       !ui->label_LockKVBLE->pixmap(Qt::ReturnByValue).isNull();
            },
            kConnectMs + 3000);
    }

    QString angleUpper() const { return kvPage->getLabelStatusMessageUp()->text(); }
    QString angleLower() const { return kvPage->getLabelStatusMessage()->text(); }

    SimulatedAngleBase *sim = nullptr;
    KVBLEDevice *kvPage = nullptr;
};

#endif // KVBLEWINDOWFIXTURE_H
