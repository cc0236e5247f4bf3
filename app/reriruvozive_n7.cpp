// The indicator page's part of the main window: writing the address, poll
// flag and table, the working mode, and the table's files.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/other/n7device.h"
#include "devices/other/n7protocol.h"
#include "link/portconnection.h"

#include <QDebug>
#include <QLabel>
#include <QTimer>

namespace {

// The indicator stores a table or a mode in about this time.
constexpr int kAfterWriteMs = 1000;
// Pause between choosing a table file and sending it.
constexpr int kBeforeTableWriteMs = 2000;
constexpr int kMarksShownMs = 500;

// After a table button the page goes on as it does from a connect.
void resumePolling(N7Device *page)
{
    page->restoreTimerDeviceConnected();
    page->timerIntervalGetDataStart(uint(page->intervals().check), uint(page->intervals().poll));
}

} // namespace

std::optional<Reriruvozive::N7Target> Reriruvozive::n7WriteTarget()
{
    const quint8 slot = n7::sensorOfComboIndex(ui->comboBox_n7numberFLS->currentIndex());
    // The indicator's answers carry no slot number: until the chosen slot's
    // own answer has come, the address and table on show are another
    // slot's, or none, and would overwrite this slot's.
    if (n7Device->shownTableSlot() != slot) {
        askService(tr("Данные выбранного датчика ещё не получены от индикатора.\nПовторите через несколько секунд"),
                   false);
        return std::nullopt;
    }
    const std::optional<quint8> netNum = n7::chosenNetNum(ui->lineEdit_n7NetNum->isModified(),
                                                          ui->lineEdit_n7NetNum->text(), ui->label_n7NetNumVal->text());
    if (!netNum) {
        askService(tr("Недопустимое значение: %1\nВведите число от %2 до %3")
                       .arg(ui->label_n7NetNumDut->text())
                       .arg(1)
                       .arg(n7::kNetNumTop),
                   false);
        ui->lineEdit_n7NetNum->setFocus();
        return std::nullopt;
    }
    qDebug() << "netNum = " << *netNum;
    return N7Target{slot, *netNum};
}

void Reriruvozive::buildN7WriteFrame(quint8 slot, quint8 netNum)
{
    n7::Column units{};
    n7::Column litres{};
    for (int row = 0; row < n7::kTableRows; ++row) {
        units[size_t(row)] = n7::cellValue(n7Device->getTable(row, n7::kUnitsColumn));
        litres[size_t(row)] = n7::cellValue(n7Device->getTable(row, n7::kLitresColumn));
    }
    portConnection->writeData(n7::tableWrite(slot, netNum, ui->checkBox_n7_ReqDut->isChecked(), units, litres));
}

void Reriruvozive::on_pushButton_n7WriteParam_clicked()
{
    writeParamToN7();
}

void Reriruvozive::writeParamToN7()
{
    const std::optional<N7Target> target = n7WriteTarget();
    if (!target)
        return;
    buildN7WriteFrame(target->slot, target->netNum);
    delay(kAfterWriteMs);
    ui->label_n7Alarm_3->setPixmap(pixmapBirdGreen);
    ui->label_n7Alarm_3->show();
    birdsTimer->start(kMarksShownMs);
    ui->lineEdit_n7NetNum->clear();
    ui->checkBox_n7_ReqDut->setChecked(false);
}

void Reriruvozive::on_comboBox_n7mode_activated(int index)
{
    if (const std::optional<quint8> mode = n7::modeOfIndex(index))
        portConnection->writeData(n7::modeRequest(*mode));
    ui->label_n7Alarm_1->setPixmap(pixmapBird);
    ui->label_n7Alarm_1->show();
    delay(kAfterWriteMs);
    ui->label_n7Alarm_1->setPixmap(pixmapBirdGreen);
    birdsTimer->start(kMarksShownMs);
}

void Reriruvozive::on_lineEdit_n7NetNum_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    ui->label_n7Alarm_3->setPixmap(pixmapBird);
    ui->label_n7Alarm_3->show();
}

void Reriruvozive::on_pushButton_n7GetTarTable_clicked()
{
    // The table must not change under the file dialog.
    n7Device->resetAndStopTimerDeviceConnected();
    n7Device->timerIntervalGetDataStop();
    if (!n7Device->saveToFile())
        askService(tr("Не удалось сохранить таблицу в файл"), false);
    n7Device->setFirstDataRequest(true);
    delay(kAfterWriteMs);
    resumePolling(n7Device);
}

void Reriruvozive::on_pushButton_n7SetTarTable_clicked()
{
    // Asked before the file is chosen: the poll stands still while the
    // dialog is open, so nothing on show changes until the write.
    const std::optional<N7Target> target = n7WriteTarget();
    if (!target)
        return;
    n7Device->resetAndStopTimerDeviceConnected();
    n7Device->timerIntervalGetDataStop();
    if (n7Device->loadFile()) {
        delay(kBeforeTableWriteMs);
        buildN7WriteFrame(target->slot, target->netNum);
    }
    n7Device->setFirstDataRequest(true);
    delay(kAfterWriteMs);
    resumePolling(n7Device);
}
