// Fuel level indicator: its answer decoders and the page's intake of table
// answers and acknowledgements after a connection.
#include "fuzztargets.h"

#include "devices/other/n7device.h"
#include "devices/other/n7protocol.h"
#include "link/frame.h"
#include "pagefixture.h"

#include <QStandardItemModel>

namespace {

void decode(const QByteArray &f)
{
    n7::isAccepted(f);
    const auto table = n7::decodeTable(f);
    if (!table)
        return;
    fuzz::require(f.size() == n7::kTableFrameLength, "n7: an answer of another length was read as a table");
    n7::indexOfMode(table->mode);
    // A table read is written back with the same values.
    const QByteArray write = n7::tableWrite(0, table->netNum, table->pollFlag != 0, table->units, table->litres);
    fuzz::require(write.size() == n7::kTableFrameLength, "n7: the write of a table read has a wrong length");
    fuzz::require(write.mid(6, 4 * n7::kTableRows) == f.mid(5, 4 * n7::kTableRows),
                  "n7: a table read and written back changed its values");
}

struct N7Page
{
    PageFixture<N7Device> fixture;
    N7Device *page = fixture.page.get();

    N7Page() { page->connectDevice(); }

    void take(const QByteArray &chunk)
    {
        fuzz::stopTimers(page);
        // As right after the connection: the next answers refresh the widgets.
        page->setFirstDataRequest(true);
        fixture.feed(chunk);
        fuzz::settle();

        const QStandardItemModel *model = page->getModel();
        // Empty until the first table, then the indicator's 40 rows.
        fuzz::require(model && (model->rowCount() == 0 || model->rowCount() == n7::kTableRows) &&
                          model->columnCount() == n7::kTableColumns,
                      "n7: the table on show lost its shape");
    }
};

} // namespace

void fuzz::fuzzN7(const QByteArray &input)
{
    decodeEvery(input, n7::answerLengths, decode);
    takeBoth<N7Page>(input);
}
