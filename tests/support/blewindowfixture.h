#ifndef BLEWINDOWFIXTURE_H
#define BLEWINDOWFIXTURE_H

#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/ble/bledevice.h"
#include "link/portconnection.h"
#include "modalcloser.h"
#include "simulatedbase.h"
#include "ui/securityble.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSerialPort>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

// The real main window with a simulated USB base on a pseudo-terminal, for
// the BLE page's end-to-end tests. Build it in init(), drop it in cleanup().
class BleWindowFixture
{
public:
    // A connection takes a poll tick, the answer and the identity request.
    static constexpr int kConnectMs = 6000;
    // The watchdog runs 5 s from the last good answer.
    static constexpr int kWatchdogMs = 5000;
    // The simulated sensors' status codes come within 3.5 s of their frame,
    // and a run of one code meant to end before the next frame lasts 3 s at
    // most: awaited 4.5 s, not a user's 7 s, a frame is told unanswered
    // sooner.
    static void quickStatusAnswers(BaseDevice *page)
    {
        BaseDevice::Intervals periods = page->intervals();
        periods.statusAnswer = 4500;
        page->setIntervals(periods);
    }

    BleWindowFixture() : BleWindowFixture(std::make_unique<SimulatedBase>()) {}
    // Around a base that serves another linked sensor.
    explicit BleWindowFixture(std::unique_ptr<SimulatedBase> other) : base(std::move(other))
    {
        qputenv(portlist::kExtraPortsVariable, base->portPath().toLocal8Bit());
        window = std::make_unique<Reriruvozive>();
        ui = window->form();
        page = window->ble();
        logs = std::make_unique<QSignalSpy>(window.get(), &Reriruvozive::signalLogWritten);
    }
    ~BleWindowFixture()
    {
        logs.reset();
        window.reset();
        base.reset();
    }
    BleWindowFixture(const BleWindowFixture &) = delete;
    BleWindowFixture &operator=(const BleWindowFixture &) = delete;

    // BLE button, the choice page, the USB base: as a user opens the page.
    // Returns false when a step does not lead where it should.
    bool openPage()
    {
        ui->comboBox_SerialPort->setCurrentText(base->portPath());
        if (ui->comboBox_SerialPort->currentText() != base->portPath())
            return false;
        ui->pushButtonBLE->click();
        if (ui->stackedWidget->currentWidget() != ui->ChoiceBLE)
            return false;
        ui->pushButtonChoiceUSB->click();
        return ui->stackedWidget->currentWidget() == ui->BLE_QF410 && window->port()->getSerialPort()->isOpen();
    }

    // The page shows the linked sensor and the lock its password state: the
    // probe was answered.
    bool waitForSensor()
    {
        return QTest::qWaitFor(
            [this] {
                return lowerStatus() == QStringLiteral("Подключен VO-DIZ") && !ui->label_LockBLE_BLE->isHidden() &&
                       !ui->label_LockBLE_BLE->pixmap(Qt::ReturnByValue).isNull();
            },
            kConnectMs + 3000);
    }

    QString upperStatus() const { return statusLine("labelStatusUpBLE"); }
    QString lowerStatus() const { return statusLine("labelStatusBLE"); }
    // Neither status line is on the page (the advertising cards stand there).
    bool statusLabelsHidden() const
    {
        for (const char *name : {"labelStatusUpBLE", "labelStatusBLE"}) {
            auto *label = ui->BLE_QF410->findChild<QLabel *>(QString::fromLatin1(name));
            if (!label || !label->isHidden())
                return false;
        }
        return true;
    }

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

    // Runs the service menu's password row as a user does: once the dialog
    // offers the button of that caption, types the password into the fields
    // it shows and presses the button (and, when given, the next password
    // and button 200 ms after the first press's frame went), then closes the
    // dialog. Returns what each modal window showed, the password dialog
    // last.
    QList<ModalCloser::Seen> runSecurityRow(const QString &password, const QString &button,
                                            const QString &nextPassword = {}, const QString &nextButton = {})
    {
        QAction *security = serviceEntry(QStringLiteral("security"));
        if (!security)
            return {};
        ModalCloser closer;
        bool pressed = false, done = false;
        closer.leaveOpen = [&](QWidget *modal) {
            auto *dialog = qobject_cast<SecurityBLE *>(modal);
            if (!dialog || done)
                return false;
            if (!pressed) {
                pressed = true;
                // Pressed from the dialog's own loop, not from the closer's look.
                QTimer::singleShot(0, dialog, [&, dialog] {
                    const auto press = [dialog](const QString &text, const QString &caption) {
                        for (QPushButton *b : dialog->findChildren<QPushButton *>()) {
                            if (b->text() == caption && QTest::qWaitFor([b] { return b->isVisible(); }, kConnectMs)) {
                                for (QLineEdit *field : dialog->findChildren<QLineEdit *>())
                                    field->setText(field->isVisible() ? text : QString());
                                b->click();
                            }
                        }
                    };
                    press(password, button);
                    if (!nextButton.isEmpty()) {
                        QTest::qWait(200);
                        press(nextPassword, nextButton);
                    }
                    done = true;
                });
            }
            return true;
        };
        security->trigger();
        return closer.seen;
    }

    std::unique_ptr<SimulatedBase> base;
    std::unique_ptr<Reriruvozive> window;
    std::unique_ptr<QSignalSpy> logs;
    Ui_Deruvivuriri *ui = nullptr;
    BLEDevice *page = nullptr;

private:
    QString statusLine(const char *name) const
    {
        auto *label = ui->BLE_QF410->findChild<QLabel *>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("(none)");
    }
};

#endif // BLEWINDOWFIXTURE_H
