// The calibration run's file: the reader, the file written back from what it
// read, and the run's table filled from it as a restore does.
#include "fuzztargets.h"

#include "calibration/cellnumber.h"
#include "calibration/tarfile.h"
#include "calibration/tarrun.h"
#include "ui/widgettar.h"

#include <QStandardItemModel>
#include <QTableView>
#include <QWidget>

namespace {

// A calibration page of its own with the table a device page lends the run.
struct RunTable
{
    QWidget page;
    TarRun run{&page};
    QStandardItemModel *model = new QStandardItemModel(&page);

    RunTable()
    {
        TarBinding binding;
        binding.view = new QTableView(&page);
        binding.model = model;
        binding.volumeCard = new WidgetTar(&page, true);
        binding.sensor1Card = new WidgetTar(&page, false);
        binding.sensor2Card = new WidgetTar(&page, false);
        run.bind(binding);
    }

    void take(const tarfile::ParsedRun &parsed)
    {
        const bool loaded = run.loadRows(parsed.rows, parsed.sensorCount);
        fuzz::require(loaded == (parsed.sensorCount > 0), "runfile: rows read were not taken into the run");
        if (!loaded)
            return;
        fuzz::require(model->rowCount() == parsed.rows.size() && model->columnCount() == parsed.sensorCount + 1,
                      "runfile: the run's table does not have the rows and columns read");
        for (int r = 0; r < parsed.rows.size(); ++r) {
            for (int c = 0; c <= parsed.sensorCount; ++c)
                fuzz::require(model->item(r, c) && model->item(r, c)->text() == parsed.rows.at(r).at(c),
                              "runfile: a cell of the run's table differs from the file");
        }
        fuzz::require(run.rows() == parsed.rows, "runfile: the run gives back other rows than it took");
    }
};

} // namespace

void fuzz::fuzzRunFile(const QByteArray &input)
{
    // Read for a run of one sensor, then of two.
    const int sensors = 1 + input.size() % 2;
    const tarfile::ParsedRun parsed = tarfile::parseRun(input, sensors);
    require(parsed.sensorCount >= 0 && parsed.sensorCount <= tarfile::kMaxSensors,
            "runfile: more sensors than a run has");
    require(parsed.rows.isEmpty() || parsed.sensorCount == sensors, "runfile: rows of another run's sensors");
    for (const tarfile::Row &row : parsed.rows) {
        require(row.size() == parsed.sensorCount + 1, "runfile: a row of another width than the file's");
        for (const QString &field : row)
            require(cells::number(field).has_value(), "runfile: a field that is no number was read");
    }
    // Read as the program's own file, a last line without its line end is
    // never a portion: the rows are those of the file cut after its last one.
    const tarfile::ParsedRun own = tarfile::parseRun(input, sensors, tarfile::Writer::Program);
    require(own.rows == tarfile::parseRun(input.left(input.lastIndexOf('\n') + 1), sensors).rows,
            "runfile: a line cut short was read as a portion");
    // What the run writes of the rows it read reads back the same.
    const tarfile::ParsedRun again = tarfile::parseRun(tarfile::runText(parsed.rows), sensors);
    require(again.rows == parsed.rows && again.skippedLines() == 0, "runfile: rows written and read back changed");

    if (!parsed.rows.isEmpty())
        kept<RunTable>().take(parsed);
}
