// What the BLE base page shows besides the values: its two status lines, the
// show and hide of its widgets, the level colour, the change marks, the
// address label and the update countdown.
#include "devices/ble/bledevice.h"

#include "deruvivuriri_form.h"

#include "devices/ble/adwertdialog.h"
#include "devices/ble/bleadwview.h"
#include "devices/ble/bleprotocol.h"
#include "files/programsettings.h"

#include <QDialog>
#include <QLabel>
#include <QTimer>

namespace {

// The link texts of this page are longer than other pages' status lines.
constexpr int kStatusWidth = 600;

} // namespace

QWidget *BLEDevice::statusParent() const
{
    return ui ? ui->BLE_QF410 : nullptr;
}

bool BLEDevice::initStatusMessage()
{
    if (!ui || status.lower())
        return false;
    createStatusLines(ui->BLE_QF410, tr("Подключите датчик"));
    status.lower()->setObjectName("labelStatusBLE");
    status.upper()->setObjectName("labelStatusUpBLE");
    for (QLabel *line : {status.lower(), status.upper()})
        line->resize(kStatusWidth, line->height());
    return true;
}

void BLEDevice::tellProcedureRunning()
{
    // The base's words, in the dialog the user pressed in when there is one.
    const QString text = procedureRunningText();
    if (linkDialog) {
        if (auto *message = linkDialog->findChild<QLabel *>(QStringLiteral("linkDialogMessage")))
            message->setText(text);
        return;
    }
    for (BLEAdwView *card : qAsConst(listAdwView)) {
        if (AdwertDialog *dialog = card->connectDialog()) {
            dialog->messageLabel()->setText(text);
            return;
        }
    }
    QLabel *line = status.lower();
    if (!line || toldElsewhere(text))
        return;
    // Over the advertising cards the line shows for the refusal alone.
    if (!refusalShown) {
        lowerBeforeRefusal = line->text();
        refusalRevealedLine = line->isHidden();
    }
    refusalShown = true;
    showStatusMessage(text);
    line->show();
}

void BLEDevice::endRefusal()
{
    if (!refusalShown || isProcedureRunning())
        return;
    refusalShown = false;
    // Unless something else was said on it meanwhile, the line is as before.
    QLabel *line = status.lower();
    if (!line || line->text() != procedureRunningText())
        return;
    line->setText(lowerBeforeRefusal);
    if (refusalRevealedLine)
        line->hide();
}

void BLEDevice::setEnableShowMainStatusMsgBLE()
{
    // Fires once per message.
    timerStatusMsg->stop();
    mainStatus = true;
}

void BLEDevice::setStatusCurCmdBLE()
{
    mainStatus = true;
}

bool BLEDevice::showUI(bool visible)
{
    if (!ui)
        return true;
    for (QWidget *w :
         {static_cast<QWidget *>(ui->label_87), static_cast<QWidget *>(ui->label_88),
          static_cast<QWidget *>(ui->pushButtonAutoCalibrateBLE), static_cast<QWidget *>(ui->labelCopyMAC),
          static_cast<QWidget *>(ui->pushBtnChangeBaseLinkIDBLE), static_cast<QWidget *>(ui->label_FirmwareNameBLE),
          static_cast<QWidget *>(ui->label_FirmwareValBLE), static_cast<QWidget *>(ui->label_SerNumNameBLE),
          static_cast<QWidget *>(ui->label_SerNumValBLE), static_cast<QWidget *>(ui->progressBarLevelBLE)})
        w->setVisible(visible);
    // The calibration warning and the level fault's help picture are the
    // answers' business alone.
    ui->label_NeedCalibBLE->hide();
    ui->label_Alarm_9BLE->hide();
    if (levelFaultIcon && !visible)
        levelFaultIcon->hide();
    for (QWidget *w : {static_cast<QWidget *>(ui->line_8BLE_2),
                       static_cast<QWidget *>(ui->label_LockBLE_BLE),
                       static_cast<QWidget *>(ui->line_RedBaseBLE),
                       static_cast<QWidget *>(ui->line_RedDUTBLE),
                       static_cast<QWidget *>(ui->label_PicBLE_BaseSmall),
                       static_cast<QWidget *>(ui->labelPicBLE_Small),
                       static_cast<QWidget *>(ui->labeNamelBaseBLE),
                       static_cast<QWidget *>(ui->labelNameDUTBLE),
                       static_cast<QWidget *>(ui->label_BatPicBLE),
                       static_cast<QWidget *>(ui->label_BAT_VAL_BLE),
                       static_cast<QWidget *>(ui->label_RSSIPicBLE),
                       static_cast<QWidget *>(ui->label_RSSI_VAL_BLE),
                       static_cast<QWidget *>(ui->label_StableBLE),
                       static_cast<QWidget *>(ui->ButtonWriteParamBLE),
                       static_cast<QWidget *>(ui->comboBox_FiltrBLE),
                       static_cast<QWidget *>(ui->label_FirmwareName),
                       static_cast<QWidget *>(ui->label_4DUT),
                       static_cast<QWidget *>(ui->label_FirmwareVal),
                       static_cast<QWidget *>(ui->label_UrovenBLE),
                       static_cast<QWidget *>(ui->label_NameUrovenBLE),
                       static_cast<QWidget *>(ui->label_29BLE),
                       static_cast<QWidget *>(ui->label_27BLE),
                       static_cast<QWidget *>(ui->line_8BLE),
                       static_cast<QWidget *>(ui->comboBoxRangeBLE),
                       static_cast<QWidget *>(ui->label_TempNameBLE),
                       static_cast<QWidget *>(ui->label_TempValBLE),
                       static_cast<QWidget *>(ui->label_ProgressBarBLE),
                       static_cast<QWidget *>(ui->label_MAC_BLEName),
                       static_cast<QWidget *>(ui->label_MAC_BLE_VAL)})
        w->setVisible(visible);
    // The lock shows only what the sensor reported.
    if (!protection.isReported())
        ui->label_LockBLE_BLE->hide();
    setVisibleStatusLabels(visible);
    return true;
}

void BLEDevice::setColorLabelLevel(QString color)
{
    if (!ui)
        return;
    const QString level = QStringLiteral("QLabel{color:%1;font-size:26px;}").arg(color);
    ui->label_UrovenBLE->setStyleSheet(level);
    ui->label_NameUrovenBLE->setStyleSheet(level);
    ui->progressBarLevelBLE->setStyleSheet(QStringLiteral("QProgressBar::chunk{background-color:%1;}").arg(color));
    ui->label_StableBLE->setStyleSheet(QStringLiteral("QLabel{color:%1;font-size:18px;}").arg(color));
    ui->label_StableBLE->adjustSize();
}

bool BLEDevice::viewIconChangedParam(bool isNeed)
{
    if (ui) {
        ui->label_Alarm_12BLE->setVisible(isNeed);
        ui->label_Alarm_10BLE->setVisible(isNeed);
    }
    return true;
}

bool BLEDevice::hideBirds()
{
    return viewIconChangedParam(false);
}

bool BLEDevice::checkDarkTheme()
{
    const ProgramSettings settings;
    return settings.value(QStringLiteral("theme")).toString() == QLatin1String("dark");
}

void BLEDevice::startCountdown()
{
    updateCountdown = kUpdateCountdownSeconds;
    // One countdown at a time: a repeated report restarts it.
    if (!countdownTimer) {
        countdownTimer = new QTimer(this);
        connect(countdownTimer, &QTimer::timeout, this, &BLEDevice::updateTimerFwBLE);
    }
    countdownTimer->start(1000);
    if (ui)
        ui->labelTimerUpdFwBLE->show();
}

void BLEDevice::updateTimerFwBLE()
{
    if (updateCountdown != 0) {
        if (ui)
            ui->labelTimerUpdFwBLE->setText(QString::number(updateCountdown));
        --updateCountdown;
        return;
    }
    if (!countdownTimer)
        return;
    countdownTimer->stop();
    countdownTimer->deleteLater();
    countdownTimer = nullptr;
    if (ui) {
        ui->labelTimerUpdFwBLE->hide();
        ui->labelMsgUpdBLE->hide();
    }
}

bool BLEDevice::setUIID()
{
    if (ui)
        ui->label_MAC_BLE_VAL->setText(ble::addressText(storedUuid));
    return true;
}

void BLEDevice::setMACAddressDevice()
{
    if (ui)
        ui->label_MAC_BLE_VAL->setText(ble::addressText(sensorAddress));
}

void BLEDevice::setDefaultMACAddressDevice()
{
    if (ui)
        ui->label_MAC_BLE_VAL->setText(QStringLiteral("--:--:--:--:--:--"));
}

bool BLEDevice::setCurLevel(ushort current, int device)
{
    if (device < 0 || device >= kSensors)
        return false;
    sensors[size_t(device)].levelCopy = current;
    return true;
}

void BLEDevice::writeLogFile()
{
    const Sensor &s = sensors[size_t(shownSensor)];
    emit signalWriteLog(
        QStringLiteral("Current=%1 ,Level=%2 ,Temperature=%3").arg(s.levelCopy).arg(s.level).arg(int(s.temperature)));
}
