// The indicator page's part of the main window: writing the address, poll
// flag and table, the working mode, and the table's files.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/other/n7device.h"
#include "devices/other/n7protocol.h"
#include "link/portconnection.h"

#include <QDebug>
#include <QDir>
#include <QLabel>
#include <QStandardItemModel>
#include <QTimer>

namespace {

// The indicator stores a table or a mode in about this time.
constexpr int kAfterWriteMs = 1000;
// Pause between choosing a table file and sending it.
constexpr int kBeforeTableWriteMs = 2000;
constexpr int kMarksShownMs = 500;

} // namespace

std::optional<quint8> Reriruvozive::n7ChosenSlotShown()
{
    const quint8 slot = n7::sensorOfComboIndex(ui->comboBox_n7numberFLS->currentIndex());
    // The indicator's answers carry no slot number: until the chosen slot's
    // own answer has come, the address and table on show are another
    // slot's, or none; written, they would overwrite this slot's, and saved,
    // the file would hold another slot's table.
    if (n7Device->shownTableSlot() == slot)
        return slot;
    askService(tr("Данные выбранного датчика ещё не получены от индикатора.\nПовторите через несколько секунд"), false);
    return std::nullopt;
}

std::optional<Reriruvozive::N7Target> Reriruvozive::n7WriteTarget()
{
    const std::optional<quint8> slot = n7ChosenSlotShown();
    if (!slot)
        return std::nullopt;
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
    return N7Target{*slot, *netNum};
}

QString Reriruvozive::n7CellPlace(int row, int column, const QString &text) const
{
    const QString header = n7Device->getModel()->headerData(column, Qt::Horizontal).toString();
    return tr("«%1» в столбце «%2», строке %3").arg(text.trimmed(), header).arg(row + 1);
}

bool Reriruvozive::buildN7WriteFrame(BaseDevice::Procedure &run, quint8 slot, quint8 netNum)
{
    const std::optional<QByteArray> frame = n7WriteFrame(run, slot, netNum);
    if (frame)
        portConnection->writeData(*frame);
    return frame.has_value();
}

std::optional<QByteArray> Reriruvozive::n7WriteFrame(BaseDevice::Procedure &run, quint8 slot, quint8 netNum)
{
    n7::Column units{};
    n7::Column litres{};
    for (int row = 0; row < n7::kTableRows; ++row) {
        for (int column : {n7::kUnitsColumn, n7::kLitresColumn}) {
            const QString text = n7Device->getTable(row, column);
            const std::optional<quint16> value = n7::cellValue(text);
            // Cut to 16 bits or sent as 0, the value would not be the one on
            // show. The page polls again while the box is up.
            if (!value) {
                if (run.end())
                    askService(tr("Недопустимое значение: %1\nВведите число от %2 до %3")
                                   .arg(n7CellPlace(row, column, text))
                                   .arg(0)
                                   .arg(n7::kCellTop),
                               false);
                return std::nullopt;
            }
            (column == n7::kUnitsColumn ? units : litres)[size_t(row)] = *value;
        }
    }
    return n7::tableWrite(slot, netNum, ui->checkBox_n7_ReqDut->isChecked(), units, litres);
}

void Reriruvozive::on_pushButton_n7WriteParam_clicked()
{
    writeParamToN7();
}

void Reriruvozive::writeParamToN7()
{
    BaseDevice::Procedure run(n7Device);
    if (!run)
        return;
    const std::optional<N7Target> target = n7WriteTarget();
    if (!target)
        return;
    // The table on show goes out, the user's edits in it; they stay on show
    // under the poll until the indicator has had the time to store them.
    const N7Device::CellEdits sent = n7Device->editedCells();
    if (!buildN7WriteFrame(run, target->slot, target->netNum))
        return;
    // Left meanwhile, the page marks and clears nothing.
    if (!run.wait(kAfterWriteMs))
        return;
    n7Device->editsWritten(sent);
    ui->label_n7Alarm_3->setPixmap(pixmapBirdGreen);
    ui->label_n7Alarm_3->show();
    birdsTimer->start(kMarksShownMs);
    ui->lineEdit_n7NetNum->clear();
    ui->checkBox_n7_ReqDut->setChecked(false);
}

void Reriruvozive::on_comboBox_n7mode_activated(int index)
{
    BaseDevice::Procedure run(n7Device);
    if (!run)
        return;
    if (const std::optional<quint8> mode = n7::modeOfIndex(index))
        portConnection->writeData(n7::modeRequest(*mode));
    ui->label_n7Alarm_1->setPixmap(pixmapBird);
    ui->label_n7Alarm_1->show();
    if (!run.wait(kAfterWriteMs))
        return;
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
    BaseDevice::Procedure run(n7Device);
    if (!run || !n7ChosenSlotShown())
        return;
    // The table must not change under the file dialog. Left meanwhile, the
    // page restarts and shows nothing more.
    run.holdLine();
    n7Device->timerIntervalGetDataStop();
    QString name;
    const bool saved = n7Device->saveToFile(run, &name);
    // Left meanwhile, the dialog closed with nothing named.
    if (!run.alive())
        return;
    n7Device->setFirstDataRequest(true);
    // The page polls again while the box is up, and the next press after it
    // starts at once.
    if (!saved) {
        if (run.end())
            askService(tr("Не удалось сохранить таблицу в файл") + QLatin1Char('\n') + QDir::toNativeSeparators(name),
                       false);
        return;
    }
    run.wait(kAfterWriteMs);
}

void Reriruvozive::on_pushButton_n7SetTarTable_clicked()
{
    BaseDevice::Procedure run(n7Device);
    if (!run)
        return;
    // Asked before the file is chosen: the poll stands still while the
    // dialog is open, so nothing on show changes until the write.
    const std::optional<N7Target> target = n7WriteTarget();
    if (!target)
        return;
    // Left during the dialog or a wait, the page sends, restarts and shows
    // nothing more.
    run.holdLine();
    n7Device->timerIntervalGetDataStop();
    const N7Device::TableLoad load = n7Device->loadFile(run);
    if (!run.alive())
        return;
    // A file that is not the indicator's table is refused whole: nothing of
    // it reaches the indicator cut or as zeros. A refusal is told once the
    // page polls again, so that the next press after the box starts at once.
    QString refusal;
    switch (load.outcome) {
    case N7Device::TableLoad::Loaded: {
        if (!run.wait(kBeforeTableWriteMs))
            return;
        // Cells edited during the wait go out with the file's.
        const N7Device::CellEdits sent = n7Device->editedCells();
        // Polled again from the start, also under a refused cell's box.
        n7Device->setFirstDataRequest(true);
        // Taken before the indicator is asked whether it is there: its
        // answer shows its own table in place of the file's.
        const std::optional<QByteArray> frame = n7WriteFrame(run, target->slot, target->netNum);
        if (!frame || !n7Device->answersNow(run))
            return;
        portConnection->writeData(*frame);
        n7Device->editsWritten(sent);
        break;
    }
    case N7Device::TableLoad::NotText:
        refusal = tr("Таблица из файла не записана в индикатор\nФайл не читается как текст таблицы");
        break;
    case N7Device::TableLoad::UnfitCell:
        refusal = tr("Таблица из файла не записана в индикатор\nНедопустимое значение: %1\nДопустимы числа от %2 до %3")
                      .arg(n7CellPlace(load.cell.row, load.cell.column, load.cellText))
                      .arg(0)
                      .arg(n7::kCellTop);
        break;
    case N7Device::TableLoad::NoRows:
        refusal = tr("Таблица из файла не записана в индикатор\nВ файле нет ни одной строки таблицы");
        break;
    case N7Device::TableLoad::NoFile:
        break;
    }
    n7Device->setFirstDataRequest(true);
    if (!refusal.isEmpty()) {
        if (run.end())
            askService(refusal, false);
        return;
    }
    run.wait(kAfterWriteMs);
}
