#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/online/qfonline.h"
#include "link/frame.h"
#include "link/portconnection.h"
#include "shortintervals.h"
#include "simulatedonline.h"
#include "ui/dynamicqdialog.h"
#include "ui/security.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSerialPort>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

// The online unit's password through the real main window and a simulated
// unit on a pseudo-terminal: the probe, the dialog it opens, and what each
// of its buttons does to the unit.
class TestOnlinePassword : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void protectedUnitRefusesAWrongPasswordAndTakesTheRightOne();
    void unprotectedUnitTakesANewPassword();
    void deletingSendsTheEntryThenNoPassword();
    void emptyPasswordIsNotSent();

private:
    void connectPage();
    bool lockShows(const char *picture) const;
    QList<QByteArray> passwordFrames() const;
    int polls() const { return device->countRequests(0xF0) + device->countRequests(0xA0); }
    // The session went on after the password steps: the unit is polled, and
    // a silent unit loses its readings (the watchdog runs).
    bool pollAndWatchdogGoOn();

    std::unique_ptr<SimulatedOnline> device;
    std::unique_ptr<Reriruvozive> window;
    Ui_Deruvivuriri *ui = nullptr;
    QFOnline *page = nullptr;
};

namespace {

constexpr int kReadingsMs = 6000;
constexpr int kAnswerMs = 3000;

// Plays the user at the password dialog: types into the one field it shows
// and presses a button; answers any message box with OK, keeping its text. A
// dialog left open after a refused password is closed. The clicks are posted,
// so that this timer keeps looking while their slots wait for the unit.
class PasswordUser : public QObject
{
public:
    PasswordUser(const QString &typed, const QString &button) : typed(typed), button(button)
    {
        connect(&timer, &QTimer::timeout, this, &PasswordUser::look);
        timer.start(20);
        sinceMessage.invalidate();
    }

    QStringList dialogTexts; // labels of each password dialog seen
    QStringList messages;    // texts of the message boxes
    int fieldsShown = -1;
    // When set, the first dialog stays open this long before its button is
    // pressed; heldMeanwhile then tells whether the page kept its readings
    // and polled nothing all the while (polling and watchdog held).
    int holdOpenMs = 0;
    std::function<int()> polls;
    QWidget *readings = nullptr;
    bool heldMeanwhile = false;

private:
    bool seenBefore(QWidget *modal) const
    {
        for (const QPointer<QWidget> &seen : handled) {
            if (seen == modal)
                return true;
        }
        return false;
    }

    void look()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        auto *security = qobject_cast<Security *>(modal);
        if (seenBefore(modal)) {
            // Still open well after a message: the password was refused.
            if (security && sinceMessage.isValid() && sinceMessage.elapsed() > 500)
                security->reject();
            return;
        }
        handled << modal;
        QStringList texts;
        for (QLabel *l : modal->findChildren<QLabel *>()) {
            if (l->isVisibleTo(modal) && !l->text().isEmpty())
                texts << l->text();
        }
        if (security) {
            dialogTexts << texts.join('|');
            const int pollsAtOpen = polls ? polls() : 0;
            QList<QLineEdit *> fields;
            for (QLineEdit *e : security->findChildren<QLineEdit *>()) {
                if (e->isVisibleTo(security))
                    fields << e;
            }
            fieldsShown = fields.size();
            if (!fields.isEmpty())
                fields.first()->setText(typed);
            const int wait = dialogTexts.size() == 1 ? holdOpenMs : 0;
            for (QPushButton *b : security->findChildren<QPushButton *>()) {
                if (b->text() == button && b->isVisibleTo(security)) {
                    QTimer::singleShot(wait, b, [this, b, pollsAtOpen, wait] {
                        if (wait > 0 && polls && readings)
                            heldMeanwhile = !readings->isHidden() && polls() == pollsAtOpen;
                        b->click();
                    });
                    break;
                }
            }
            return;
        }
        messages << texts.join('|');
        sinceMessage.start();
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            QTimer::singleShot(0, dialog, &QDialog::accept);
        else
            QTimer::singleShot(0, modal, &QWidget::close);
    }

    QString typed;
    QString button;
    QTimer timer;
    QElapsedTimer sinceMessage;
    // Guarded: a new dialog may take the place of a deleted one.
    QList<QPointer<QWidget>> handled;
};

} // namespace

void TestOnlinePassword::init()
{
    device = std::make_unique<SimulatedOnline>();
    QVERIFY(device->isValid());
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit());
    window = std::make_unique<Reriruvozive>();
    ui = window->form();
    page = window->online();
    shortintervals::apply(page);
}

void TestOnlinePassword::cleanup()
{
    window.reset();
    device.reset();
}

void TestOnlinePassword::connectPage()
{
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    ui->pushButtonQFOnline->click();
    QVERIFY(window->port()->getSerialPort()->isOpen());
    // Its readings show, and it answered as the online unit.
    QTRY_VERIFY_WITH_TIMEOUT(!ui->tabWidgetQFOnline->isHidden() && page->isDeviceConnected(), kReadingsMs);
}

bool TestOnlinePassword::lockShows(const char *picture) const
{
    const QPixmap shown = ui->label_LockOnline->pixmap(Qt::ReturnByValue);
    return !ui->label_LockOnline->isHidden() && !shown.isNull() &&
           shown.toImage() == QPixmap(QString(":/images/") + picture).toImage();
}

bool TestOnlinePassword::pollAndWatchdogGoOn()
{
    const int before = polls();
    if (!QTest::qWaitFor([&] { return polls() > before; }, kAnswerMs))
        return false;
    device->silent = true;
    const bool hidden = QTest::qWaitFor([this] { return ui->tabWidgetQFOnline->isHidden(); }, kAnswerMs);
    device->silent = false;
    // And the unit is back.
    return hidden && QTest::qWaitFor([this] { return !ui->tabWidgetQFOnline->isHidden(); }, kAnswerMs);
}

QList<QByteArray> TestOnlinePassword::passwordFrames() const
{
    QList<QByteArray> frames;
    for (const SimulatedDevice::Request &r : device->requests()) {
        const quint8 command = quint8(r.bytes.at(2));
        if (r.bytes.size() == 8 && (command == 0xF7 || command == 0xF8))
            frames << r.bytes;
    }
    return frames;
}

void TestOnlinePassword::protectedUnitRefusesAWrongPasswordAndTakesTheRightOne()
{
    device->unit.password = 4321;
    device->unansweredCommands = {0xA7}; // the IMEI comes only later
    connectPage();
    // The refusal comes after the answer time: it is told all the same.
    device->lateCommands = {0xF8};
    {
        PasswordUser user("1111", "Ввести пароль");
        user.holdOpenMs = 3 * shortintervals::kWatchdogMs / 2;
        user.polls = [this] { return polls(); };
        user.readings = ui->tabWidgetQFOnline;
        // What the "security" entry of the service menu runs for this page.
        page->checkPass();
        QCOMPARE(user.dialogTexts.size(), 1);
        QVERIFY(user.dialogTexts.first().contains("защищено паролем"));
        QCOMPARE(user.fieldsShown, 1);
        QVERIFY(user.heldMeanwhile);
        QCOMPARE(user.messages, QStringList{"Ошибка\nВведён неверный пароль\nПопробуйте другой пароль"});
    }
    QVERIFY(!device->unit.unlocked);
    QVERIFY(lockShows("lock.png"));
    QCOMPARE(passwordFrames().last(), frame::withCrc(QByteArray::fromHex("3101f800000457")));
    device->lateCommands.clear();

    {
        PasswordUser user("4321", "Ввести пароль");
        page->checkPass();
        QTRY_COMPARE_WITH_TIMEOUT(user.messages, QStringList{"Пароль принят"}, kAnswerMs);
    }
    QVERIFY(device->unit.unlocked);
    QVERIFY(lockShows("unlock.png"));
    QCOMPARE(passwordFrames().last(), frame::withCrc(QByteArray::fromHex("3101f8000010e1")));
    QVERIFY(pollAndWatchdogGoOn());

    // Unlocked, the unit takes its settings.
    ui->tabWidgetQFOnline->setCurrentIndex(1);
    QTRY_VERIFY_WITH_TIMEOUT(page->isConfigRead(), kAnswerMs);
    ui->pushButtonOnlineWriteSetting->click();
    QTRY_COMPARE_WITH_TIMEOUT(device->appliedRecords.size(), 1, kAnswerMs);

    // Another converter's unit on and off; then this one again, and once the IMEI has come, the password counts for
    // that unit: no probe.
    auto other = std::make_unique<SimulatedOnline>();
    other->unit.imei = "86999999999999a";
    qputenv(portlist::kExtraPortsVariable, (device->portPath() + ":" + other->portPath()).toLocal8Bit());
    window->updateSerialPorts();
    ui->pushButtonQFOnline->click();
    std::swap(device, other);
    connectPage();
    QTRY_COMPARE_WITH_TIMEOUT(page->getImei(), QString("86999999999999A"), kAnswerMs);
    ui->pushButtonQFOnline->click();
    std::swap(device, other);
    device->unansweredCommands.clear();
    connectPage();
    const int before = passwordFrames().size();
    {
        PasswordUser user("", "Закрыть");
        page->checkPass();
    }
    QCOMPARE(passwordFrames().size(), before);
    // Off and on, the unit still open: neither a probe nor a removal after
    // a wrong password may take its password.
    ui->pushButtonQFOnline->click();
    connectPage();
    {
        PasswordUser user("1111", "Удалить пароль");
        page->checkPass();
        QCOMPARE(user.messages.size(), 1);
    }
    QCOMPARE(passwordFrames().mid(before), QList<QByteArray>({frame::withCrc(QByteArray::fromHex("3101f800000457"))}));
    QCOMPARE(device->unit.password, std::optional<quint32>(4321));
}

void TestOnlinePassword::unprotectedUnitTakesANewPassword()
{
    connectPage();
    {
        PasswordUser user("777", "Установить пароль");
        page->checkPass();
        QCOMPARE(user.dialogTexts.size(), 1);
        QVERIFY(user.dialogTexts.first().contains("не защищено паролем"));
        QCOMPARE(user.fieldsShown, 1);
        QTRY_COMPARE_WITH_TIMEOUT(user.messages, QStringList{"Новый пароль успешно установлен"}, kAnswerMs);
    }
    QCOMPARE(device->unit.password, std::optional<quint32>(777));
    // The probe, then the new password, most significant byte first.
    QCOMPARE(passwordFrames(), (QList<QByteArray>{frame::withCrc(QByteArray::fromHex("3101f700000000")),
                                                  frame::withCrc(QByteArray::fromHex("3101f700000309"))}));
    QVERIFY(lockShows("lock.png"));
}

void TestOnlinePassword::deletingSendsTheEntryThenNoPassword()
{
    device->unit.password = 4321;
    connectPage();
    {
        PasswordUser user("4321", "Удалить пароль");
        page->checkPass();
        QTRY_COMPARE_WITH_TIMEOUT(user.messages, QStringList{"Пароль успешно удалён"}, kAnswerMs);
    }
    QVERIFY(!device->unit.password);
    const QList<QByteArray> frames = passwordFrames();
    QCOMPARE(frames.size(), 3);
    QCOMPARE(frames.at(1), frame::withCrc(QByteArray::fromHex("3101f8000010e1")));
    QCOMPARE(frames.at(2), frame::withCrc(QByteArray::fromHex("3101f700000000")));
    QVERIFY(lockShows("unlock.png"));

    // With a wrong password the removal is refused by the unit.
    device->unit.password = 99;
    device->unit.unlocked = false;
    {
        PasswordUser user("4321", "Удалить пароль");
        page->checkPass();
        QCOMPARE(user.messages.size(), 1);
    }
    QCOMPARE(device->unit.password, std::optional<quint32>(99));

    // The right one, its answer lost, was taken all the same: neither a probe nor a removal's "no password" follows.
    device->unansweredCommands = {0xF8};
    {
        PasswordUser user("99", "Ввести пароль");
        page->checkPass();
    }
    PasswordUser user("99", "Удалить пароль");
    page->checkPass();
    QCOMPARE(device->unit.password, std::optional<quint32>(99));
    QTRY_VERIFY_WITH_TIMEOUT(user.messages.contains("Устройство не ответило\nПароль не удалён"), kAnswerMs);
}

void TestOnlinePassword::emptyPasswordIsNotSent()
{
    connectPage();
    {
        PasswordUser user("", "Установить пароль");
        page->checkPass();
        QCOMPARE(user.messages.size(), 1);
        QVERIFY2(user.messages.first().contains("Введите пароль"), qPrintable(user.messages.first()));
    }
    // Only the probe went out; the unit still has no password.
    QCOMPARE(passwordFrames().size(), 1);
    QVERIFY(!device->unit.password);
    const int before = polls();
    QTRY_VERIFY_WITH_TIMEOUT(polls() > before, kAnswerMs);
}

QTEST_MAIN(TestOnlinePassword)
#include "tst_onlinepassword.moc"
