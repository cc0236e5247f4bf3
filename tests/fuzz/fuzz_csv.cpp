// The table files users keep: the sensor's own litres/percent table and the
// indicator's table, each through its reader, written back and read again,
// and loaded from a file into its dialog or page.
#include "fuzztargets.h"

#include "calibration/cellnumber.h"
#include "calibration/litertopercent.h"
#include "calibration/sensortable.h"
#include "devices/other/n7device.h"
#include "devices/other/n7protocol.h"
#include "pagefixture.h"

#include <QBuffer>
#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>

namespace {

QList<QStringList> cellsOf(const QStandardItemModel *model)
{
    QList<QStringList> rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model->columnCount(); ++c)
            row << (model->item(r, c) ? model->item(r, c)->text() : QString());
        rows << row;
    }
    return rows;
}

std::optional<n7::Table> readN7(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return n7::readCsv(buffer);
}

// The dialog and the indicator's page, and the file the input is loaded from.
struct TablePages
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("table.csv"));
    PageFixture<N7Device> indicator;
    LiterToPercent dialog{indicator.window.get(), true};

    void take(const QByteArray &input, const sensortable::ParsedCsv &parsed, const std::optional<n7::Table> &n7Table)
    {
        QFile file(path);
        fuzz::require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(input) == input.size(),
                      "csv: the scratch file cannot be written");
        file.close();

        const QList<QStringList> before = cellsOf(dialog.tableModel());
        const bool loaded = dialog.loadFromPath(path);
        fuzz::settle();
        fuzz::require(loaded == parsed.ok(), "csv: the dialog's verdict on a file differs from its reader's");
        fuzz::require(cellsOf(dialog.tableModel()) == (loaded ? parsed.rows : before),
                      "csv: the dialog's table is neither the file's nor the one it had");

        // A file the indicator cannot take leaves the table as it was.
        const QList<QStringList> shown = cellsOf(indicator.page->getModel());
        const N7Device::TableLoad load = indicator.page->loadTableFrom(path);
        const bool fits = n7Table && !n7Table->isEmpty() && !n7::firstUnfitCell(*n7Table);
        fuzz::require(load.outcome == (!n7Table             ? N7Device::TableLoad::NotText
                                       : n7Table->isEmpty() ? N7Device::TableLoad::NoRows
                                       : fits               ? N7Device::TableLoad::Loaded
                                                            : N7Device::TableLoad::UnfitCell),
                      "csv: the indicator's page judged a file otherwise than its reader");
        fuzz::require(cellsOf(indicator.page->getModel()) == (fits ? *n7Table : shown),
                      "csv: the indicator's table is neither the file's nor the one it had");
    }
};

} // namespace

void fuzz::fuzzCsv(const QByteArray &input)
{
    const sensortable::ParsedCsv parsed = sensortable::parseCsv(input);
    require(!parsed.ok() || parsed.rows.size() <= sensortable::kRows, "csv: more rows than the sensor's table has");
    require(parsed.ok() || parsed.rows.isEmpty(), "csv: rows of a file that was not read");
    for (const QStringList &row : parsed.rows) {
        require(row.size() == sensortable::kColumns, "csv: a row of another width than the table's");
        for (const QString &cell : row)
            require(cells::number(cell).has_value(), "csv: a cell that is no number was read");
    }
    if (parsed.ok()) {
        const sensortable::ParsedCsv again = sensortable::parseCsv(sensortable::csvText(parsed.rows));
        require(again.ok() && again.rows == parsed.rows, "csv: a table written and read back changed");
    }

    const std::optional<n7::Table> n7Table = readN7(input);
    if (n7Table) {
        require(n7Table->isEmpty() || n7Table->size() == n7::kTableRows, "csv: the indicator's table lost its rows");
        for (const QStringList &row : *n7Table)
            require(row.size() == n7::kTableColumns, "csv: an indicator row of another width");
        // What the indicator's page saves of what it read gives the indicator
        // the same values when read back.
        const std::optional<n7::Table> again = readN7(n7::csvText(*n7Table));
        require(again && again->size() == n7Table->size(),
                "csv: the indicator's table written and read back lost rows");
        for (int r = 0; again && r < n7Table->size(); ++r) {
            for (int c = 0; c < n7::kTableColumns; ++c)
                require(n7::cellValue(again->at(r).at(c)) == n7::cellValue(n7Table->at(r).at(c)),
                        "csv: an indicator value written and read back changed");
        }
    }

    // A file the dialog refuses is told in a message box.
    if (parsed.ok() || sampled(input, 8))
        kept<TablePages>().take(input, parsed, n7Table);
}
