// The wired sensor's own litres/percent table: its answer decoder and the
// page's intake of the table answer and of the write's acknowledgement, with
// the table dialog open, as after a read was asked for.
#include "fuzztargets.h"

#include "calibration/litertopercent.h"
#include "devices/fls/flsdevice.h"
#include "devices/fls/flsprotocol.h"
#include "devices/fls/flstable.h"
#include "link/frame.h"
#include "pagefixture.h"

#include <QStandardItemModel>

namespace {

constexpr quint8 kNetNum = 1;

void decode(const QByteArray &f)
{
    const auto table = fls::decodeTable(f);
    if (!table)
        return;
    fuzz::require(f.size() == fls::kTableAnswerLength, "table: an answer of another length was read as the table");
    // What the dialog would write back is what it was given.
    const QByteArray write = fls::tableWriteRequest(kNetNum, *table);
    fuzz::require(write.size() == fls::kTableWriteLength && frame::isValidAnswer(write, frame::kRequestStart),
                  "table: the write of a table read is no whole frame");
    const QByteArray words = f.mid(3, 4 * fls::kTableRows);
    fuzz::require(write.mid(write.size() - 1 - words.size(), words.size()) == words,
                  "table: a table read and written back changed its values");
}

// The page after a search found sensor 1, the dialog open and a write of the
// table waiting for its acknowledgement.
struct TablePage
{
    PageFixture<FLSDevice> fixture;
    FLSDevice *page = fixture.page.get();
    LiterToPercent dialog{fixture.window.get(), true};

    TablePage()
    {
        page->setSearchActive(true);
        fixture.feed(QByteArray(1, char(kNetNum)));
        fuzz::require(!page->isSearchActive(), "table: the search answer was not taken");
        page->setLiterToPercent(&dialog);
    }

    void take(const QByteArray &chunk)
    {
        fuzz::stopTimers(page);
        page->expectTableWriteAnswer(kNetNum);
        fixture.feed(chunk);
        fuzz::settle();

        fuzz::require(page->getCurrentNetNum() == kNetNum, "table: an answer changed the sensor the page talks to");
        const QStandardItemModel *model = dialog.tableModel();
        fuzz::require(model && model->rowCount() <= fls::kTableRows && model->columnCount() == 2,
                      "table: the dialog's table outgrew the sensor's");
        for (int r = 0; r < model->rowCount(); ++r) {
            for (int c = 0; c < 2; ++c) {
                const QString text = dialog.getTable(r, c);
                bool number = false;
                const int value = text.toInt(&number);
                fuzz::require(text.isEmpty() || (number && value >= 0 && value <= 0xFFFF),
                              "table: a cell holds what no table word gives");
            }
        }
    }
};

} // namespace

void fuzz::fuzzTable(const QByteArray &input)
{
    decodeEvery(input, fls::answerLengths, decode);
    takeBoth<TablePage>(input);
}
