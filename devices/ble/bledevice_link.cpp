// The base's link ID: which wireless sensor the base links to, chosen by the
// sensor's serial number in a dialog, and the base's own restart into its
// update mode, finished by the user on a phone while a countdown runs.
#include "devices/ble/bledevice.h"

#include "deruvivuriri_form.h"

#include "devices/ble/bleprotocol.h"
#include "ui/boundedintvalidator.h"

#include <QDebug>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kLinkAnswerMs = 60000;
constexpr int kDialogMinWidth = 300;
constexpr int kButtonMinWidth = 100;
constexpr int kRowSpacing = 20;
constexpr int kLinkFrameMs = 100;
constexpr int kSearchAnswerMs = 100;
constexpr int kPollSettleMs = 50;
constexpr int kRebootFrameMs = 200;

} // namespace

QDialog *BLEDevice::getLinkDialog() const
{
    return linkDialog;
}

void BLEDevice::connectNewDevice()
{
    // The dialog is the procedure: no other starts while it is up.
    Procedure run(this);
    if (!run)
        return;
    // The base drops its link while it looks for the new sensor: that
    // silence is no lost base. The polls go on: they bring its report.
    run.muteWatchdog();

    QDialog dialog(statusParent());
    dialog.setModal(true);
    dialog.setMinimumWidth(kDialogMinWidth);
    dialog.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    auto *connectButton = new QPushButton(tr("Подключить"), &dialog);
    connectButton->setCursor(Qt::PointingHandCursor);
    auto *label = new QLabel(tr("Введите номер"), &dialog);
    label->setObjectName("linkDialogMessage");
    label->setAlignment(Qt::AlignCenter);
    auto *number = new QLineEdit(&dialog);
    number->setAlignment(Qt::AlignRight);
    BoundedIntValidator::install(number, 0, ble::kLargestSerial);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    buttons->setCursor(Qt::PointingHandCursor);
    for (QAbstractButton *b : buttons->buttons()) {
        b->setMinimumWidth(kButtonMinWidth);
        b->setText(tr("Закрыть"));
    }
    auto *form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("S/N"), number);
    form->addRow(label);
    form->addRow(connectButton);
    form->addRow(buttons);
    form->setVerticalSpacing(kRowSpacing);

    // Said again each minute without the new sensor's report; the dialog stays.
    QTimer noAnswer;
    noAnswer.setInterval(kLinkAnswerMs);
    connect(&noAnswer, &QTimer::timeout, &dialog, [label] {
        label->setText(tr("Ошибка подключения"));
        qDebug() << "Error connection";
    });
    waitNewDeviceConnect = true;
    connect(this, &BLEDevice::signalNewDeviceIsConnected, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::clicked, &dialog, &QDialog::reject);
    // One link frame at a time: a press while one goes out is told so.
    bool linking = false;
    connect(connectButton, &QPushButton::clicked, &dialog, [this, &run, &linking, label, number] {
        if (linking) {
            tellProcedureRunning();
            return;
        }
        linking = true;
        const bool sent = changeUiidBle(run, number->text());
        linking = false;
        if (sent)
            label->setText(tr("Выполняется подключение..."));
    });

    noAnswer.start();
    linkDialog = &dialog;
    run.exec(dialog);
    linkDialog = nullptr;
    noAnswer.stop();
}

bool BLEDevice::changeUiidBle(BaseDevice::Procedure &run, const QString &serialNum)
{
    // A number that is no serial would link the base to a sensor nobody asked for.
    const std::optional<quint32> serial = ble::typedSerial(serialNum);
    if (!serial) {
        showMessage(QString(), tr("Введите номер датчика"),
                    linkDialog ? static_cast<QWidget *>(linkDialog.data()) : statusParent());
        return false;
    }
    if (!run.alive())
        return false;
    awaitCommandOutcome();
    emit writeData(ble::linkIdWrite(quint8(currentNetNum), ble::linkId(*serial, ble::kBaseLinkIdTail)));
    if (!run.waitAndTake(kLinkFrameMs))
        return false;
    // The old sensor's readings go, an answer of it still on its way among
    // them: nothing is worked out from them for the new one, which is
    // awaited as after a connection.
    forgetSensor();
    emit signalWriteLog("Change base UUID");
    // The new sensor's password and settings are learnt afresh from its first
    // answers; the outcome of the link change still counts once.
    const std::optional<quint8> outcome = lastCommandStatus;
    initConnectionNewDevice();
    lastCommandStatus = outcome;
    return true;
}

bool BLEDevice::changeUiidBleForBaseReboot()
{
    // One countdown at a time: a press while it runs does nothing, the
    // countdown shows that it runs.
    if (countdownTimer)
        return true;
    Procedure run(this);
    if (!run)
        return false;
    // No poll goes out, and an answer still on its way is taken first, so
    // that the base's address comes alone. Left during a wait, the page
    // sends, restarts and shows nothing more.
    run.holdLine();
    if (!run.waitAndTake(kPollSettleMs))
        return false;
    // The answer is the base's address alone, taken by the search handler.
    setSearchActive(true);
    requestSearch();
    if (!run.waitAndTake(kSearchAnswerMs))
        return false;
    emit writeData(ble::linkIdWrite(foundNetNum, storedUuid));
    if (!run.waitAndTake(kRebootFrameMs))
        return false;
    // The search emptied the main window's list of addresses.
    restoreSurveyAddress();
    run.releaseLine();
    startCountdown();
    if (ui) {
        ui->labelMsgUpdBLE->setWordWrap(true);
        ui->labelMsgUpdBLE->setText(
            tr("Сейчас в мобильном приложении NRFConnect должно отобразиться устройство BASE_UPDATE\nПодключитесь к "
               "нему, нажмите кнопку DFU и выберите архив с прошивкой\nДождитесь, когда шкала прогресса достигнет "
               "100% и осуществите повторное подключение"));
        ui->labelMsgUpdBLE->show();
    }
    emit signalWriteLog("Update firmware base BLE");
    return true;
}
