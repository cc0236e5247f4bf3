// The wired sensor's own litres/percent table in the main window: the
// dialog opened from the engineer menu, and the read and write of the table
// that it asks for.
#include "app/reriruvozive.h"

#include "calibration/calibrationdialogs.h"
#include "calibration/cellnumber.h"
#include "calibration/litertopercent.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "devices/fls/flsprotocol.h"
#include "devices/fls/flstable.h"
#include "link/portconnection.h"
#include "ui/switch.h"

#include <QElapsedTimer>

using calibrationdialogs::tell;

namespace {

// The sensor's answer to a table read comes well within this.
constexpr int kTableReadWaitMs = 300;
// A sensor acknowledges a table write once the table is in its flash. It is
// given as long for that as the wired sensor is given to acknowledge a block
// of a firmware download, and its acknowledgement is taken as soon as it
// comes.
constexpr int kTableWriteAnswerMs = 2000;
constexpr int kTableWriteCheckMs = 50;
constexpr QSize kLiterToPercentSize(500, 550);
const QString kMissingCell = QStringLiteral("error");

} // namespace

LiterToPercent *Reriruvozive::literToPercentDialog() const
{
    return literToPercent;
}

void Reriruvozive::on_pushBtnCalcLtrPrc_clicked()
{
    auto *dialog = new LiterToPercent(this, true);
    literToPercent = dialog;
    connect(dialog, &LiterToPercent::signalReadTable, this, &Reriruvozive::readTable);
    connect(dialog, &LiterToPercent::signalWriteTable, this, &Reriruvozive::writeTable);
    connect(dialog, &LiterToPercent::signalSwitchLitres, flsDevice, &FLSDevice::functionSwitchLitres);
    connect(dialog, &LiterToPercent::signalSwitchPercents, flsDevice, &FLSDevice::functionSwitchPercents);
    // Shown as the sensor has them; opening sends nothing.
    const quint8 a = flsDevice->getConfigByteA();
    dialog->getSwitchLitres()->setState(a & fls::kLitresBit);
    dialog->getSwitchPercent()->setState(a & fls::kPercentsBit);
    if (!dialog->getSwitchLitres()->getCurentState())
        dialog->getSwitchPercent()->setDisabled(true);
    dialog->resize(kLiterToPercentSize);
    flsDevice->setLiterToPercent(dialog);
    // The sensor's table, as a box of its session: its end closes the dialog
    // and the dialogs over it, its file dialogs among them.
    flsDevice->execBox(*dialog);
    // A table answer arriving from now on has no dialog to go to.
    flsDevice->setLiterToPercent(nullptr);
    if (literToPercent)
        literToPercent->deleteLater();
    literToPercent = nullptr;
}

void Reriruvozive::readTable()
{
    BaseDevice::Procedure run(flsDevice);
    if (!run)
        return;
    flsDevice->resetTimerDeviceConnected();
    portConnection->writeData(fls::tableReadRequest(sensorNetNum()));
    if (run.waitAndTake(kTableReadWaitMs))
        appendLog("Read tar table");
}

void Reriruvozive::writeTable()
{
    // A second press while the sensor has not yet acknowledged the first
    // table is told in the dialog and sends nothing.
    BaseDevice::Procedure run(flsDevice);
    if (!run)
        return;
    QPointer<LiterToPercent> dialog = flsDevice->getLiterToPercent();
    QString cellsText[fls::kTableRows][2];
    for (int c = 0; c < 2; ++c) {
        for (int r = 0; r < fls::kTableRows; ++r) {
            cellsText[r][c] = dialog ? dialog->getTable(r, c) : kMissingCell;
            if (cellsText[r][c] == kMissingCell) {
                tell(this, tr("В таблице не может быть менее 20 строк"));
                return;
            }
        }
    }
    // The sensor keeps whole numbers of 16 bits; anything else is refused
    // before a byte is sent.
    fls::SensorTarTable table;
    for (int r = 0; r < fls::kTableRows; ++r) {
        const std::optional<quint16> level = cells::wholeWord(cellsText[r][0]);
        const std::optional<quint16> value = cells::wholeWord(cellsText[r][1]);
        if (!level || !value) {
            tell(this, tr("В таблице могут быть только целые числа от 0 до 65535"));
            return;
        }
        table.levels[size_t(r)] = *level;
        table.values[size_t(r)] = *value;
    }

    // The page may be left (its port lost) during a wait: then no table goes
    // out after it and no outcome is told.
    if (!flsDevice->passwordStep(run))
        return;
    const quint8 net = sensorNetNum();
    flsDevice->expectTableWriteAnswer(net);
    portConnection->writeData(fls::tableWriteRequest(net, table));
    QElapsedTimer waited;
    waited.start();
    do {
        if (!run.waitAndTake(kTableWriteCheckMs))
            return;
    } while (!flsDevice->isTableWriteAcknowledged() && waited.elapsed() < kTableWriteAnswerMs);
    const bool written = flsDevice->isTableWriteAcknowledged();
    appendLog(written ? "Write tar table" : "Write tar table: not acknowledged");
    // Told once the write is over: the dialog's next button works at the
    // first press after the box.
    if (run.end() && dialog)
        dialog->statusMessage(written ? tr("Таблица успешно записана") : tr("Датчик не подтвердил запись таблицы"));
}
