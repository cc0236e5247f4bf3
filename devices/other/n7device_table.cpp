// Answer intake of the indicator page, its conversion table and the table's
// files.
#include "devices/other/n7device.h"

#include "deruvivuriri_form.h"
#include "files/textfile.h"
#include "ui/filedialogs.h"

#include "link/frame.h"

#include <QFile>
#include <QLabel>
#include <QScopedValueRollback>
#include <QStandardItemModel>
#include <QTimer>

namespace {

const QString kCsvSuffix = QStringLiteral(".csv");
const QString kStartFolder = QStringLiteral("/");

} // namespace

QList<QByteArray> N7Device::splitChunk(const QByteArray &chunk) const
{
    return frame::splitAnswers(chunk, n7::answerLengths, frame::kRequestStart);
}

void N7Device::takeFrame(const QByteArray &answer)
{
    // Shorter than a table, a frame carries no table to show (an
    // acknowledgement, or a table cut short): it says nothing about the
    // indicator's state, and showing the page for it would offer a write of
    // an empty table.
    if (!n7::isAccepted(answer) || answer.size() < n7::kTableFrameLength)
        return;
    // Whatever the indicator says, it is there.
    setConnected(true);
    resetTimerDeviceConnected();

    // Only a whole table from the indicator's own address is shown; an
    // acknowledgement of a write is not a table.
    const std::optional<n7::TableAnswer> table = n7::decodeTable(answer);
    if (table && table->address == n7::kUnitAddress) {
        ++ownTables;
        parseData(*table);
        // With no read since the last table, this is a further answer to the
        // same reads, of the same slot.
        if (slotAsked) {
            tableSlot = slotsAskedDiffer ? std::nullopt : slotAsked;
            slotAsked.reset();
            slotsAskedDiffer = false;
        }
    }

    // A second start refused while a procedure runs stays told until it ends.
    if (!isProcedureRunning()) {
        showStatusMessage(tr("Подключен Н7"));
        showStatusMessageUp(" ");
    }
    if (refresh) {
        if (--updateCountdown <= 0)
            refresh = false;
        setVisiblePageWidgets(true);
    }
}

void N7Device::parseData(const n7::TableAnswer &answer)
{
    fillTableFromAnswer(answer);
    if (!ui)
        return;
    // Modes the list does not name leave it as it is.
    if (const std::optional<int> index = n7::indexOfMode(answer.mode))
        ui->comboBox_n7mode->setCurrentIndex(*index);
    if (answer.pollFlag == 0)
        ui->label_n7Alarm_Req->setPixmap(pixNotPolled);
    else if (answer.pollFlag == 1)
        ui->label_n7Alarm_Req->setPixmap(pixPolled);
    ui->label_n7NetNumVal->setText(QString::number(answer.netNum));
}

void N7Device::fillTableFromAnswer(const n7::TableAnswer &answer)
{
    reported = answer;
    // What the user typed stays on show: the next write sends it.
    for (int column : {n7::kUnitsColumn, n7::kLitresColumn}) {
        const n7::Column &values = column == n7::kUnitsColumn ? answer.units : answer.litres;
        for (int i = 0; i < n7::kTableRows; ++i) {
            if (!edits.count({i, column}))
                setTable(values[size_t(i)], i, column);
        }
    }
}

void N7Device::cellChanged(const QStandardItem *cell)
{
    // Only the indicator's own cells: no others are sent.
    if (!fillingTable && cell && cell->row() < n7::kTableRows && cell->column() < n7::kTableColumns)
        edits.insert({cell->row(), cell->column()});
}

void N7Device::forgetEdits()
{
    edits.clear();
}

N7Device::CellEdits N7Device::editedCells() const
{
    CellEdits cells;
    for (const auto &place : edits)
        cells[place] = getTable(place.first, place.second);
    return cells;
}

void N7Device::editsWritten(const CellEdits &sent)
{
    for (const auto &[place, text] : sent) {
        if (getTable(place.first, place.second) == text)
            edits.erase(place);
    }
}

void N7Device::setTable(int val, int row, int column)
{
    if (!model || row < 0 || column < 0 || column >= model->columnCount())
        return;
    const QScopedValueRollback<bool> filling(fillingTable, true);
    while (model->rowCount() <= row && model->rowCount() < n7::kTableRows)
        model->appendRow({new QStandardItem, new QStandardItem});
    if (row >= model->rowCount())
        return;
    model->setItem(row, column, new QStandardItem(QString::number(val)));
}

QString N7Device::getTable(int row, int column) const
{
    if (!model)
        return QString();
    const QStandardItem *cell = model->item(row, column);
    return cell ? cell->text() : QString();
}

n7::Table N7Device::table() const
{
    n7::Table rows;
    if (!model)
        return rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << getTable(r, c);
        rows << cells;
    }
    return rows;
}

void N7Device::setRows(const n7::Table &rows)
{
    // The file's table replaces every cell, the edited ones too.
    const QScopedValueRollback<bool> filling(fillingTable, true);
    forgetEdits();
    model->removeRows(0, model->rowCount());
    for (const QStringList &cells : rows) {
        QList<QStandardItem *> items;
        for (const QString &text : cells)
            items << new QStandardItem(text);
        model->appendRow(items);
    }
    if (ui)
        ui->tableView_n7TarTable->setModel(model);
}

bool N7Device::saveToFile(Procedure &run, QString *chosen)
{
    // The dialog, and a name the suffix made asked about like one the dialog
    // gave, are boxes of the page's session: left meanwhile, nothing is named.
    const QString name = askSaveFileName(
        this, tr("Сохранить файл"), kStartFolder, kCsvSuffix,
        [&](const QString &question) { return run.ask(this, QString(), question); },
        [&run](QDialog &dialog) { return run.exec(dialog); });
    if (name.isEmpty())
        return true;
    if (chosen)
        *chosen = name;
    return saveTableTo(name);
}

bool N7Device::saveTableTo(const QString &fileName)
{
    const QString name = textfile::withSuffix(fileName, kCsvSuffix);
    // Written aside and put in place whole: a failed save leaves no half file
    // and keeps whatever the name held before.
    return textfile::writeWhole(name, n7::csvText(table()));
}

N7Device::TableLoad N7Device::loadFile(Procedure &run)
{
    // A file picked for a session that has ended is no table of this one.
    const QString name = askOpenFileName(nullptr, tr("Выберете файл для пересчёта"), kStartFolder,
                                         QStringLiteral("*.csv"), [&run](QDialog &dialog) { return run.exec(dialog); });
    return loadTableFrom(name);
}

N7Device::TableLoad N7Device::loadTableFrom(const QString &fileName)
{
    TableLoad load;
    if (!model || fileName.isEmpty())
        return load;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return load;
    const std::optional<n7::Table> rows = n7::readCsv(file);
    if (!rows) {
        load.outcome = TableLoad::NotText;
        return load;
    }
    if (rows->isEmpty()) {
        load.outcome = TableLoad::NoRows;
        return load;
    }
    if (const std::optional<n7::CellPlace> unfit = n7::firstUnfitCell(*rows)) {
        load.outcome = TableLoad::UnfitCell;
        load.cell = *unfit;
        load.cellText = rows->at(unfit->row).at(unfit->column);
        return load;
    }
    setRows(*rows);
    load.outcome = TableLoad::Loaded;
    return load;
}
