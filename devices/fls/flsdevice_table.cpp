// The wired sensor's own litres/percent table: its answer fills the dialog
// that asked for it, and the acknowledgement of its write is kept for the
// main window, which reports the outcome.
#include "devices/fls/flsdevice.h"

#include "calibration/litertopercent.h"
#include "devices/fls/flsprotocol.h"
#include "devices/fls/flstable.h"

#include <QPointer>

LiterToPercent *FLSDevice::getLiterToPercent() const
{
    return literToPercent;
}

void FLSDevice::setLiterToPercent(LiterToPercent *value)
{
    literToPercent = value;
}

void FLSDevice::expectTableWriteAnswer(quint8 net)
{
    tableWriteNet = net;
    tableWriteAcknowledged = false;
}

void FLSDevice::handleTableAnswer(quint8 command, quint8 net, const QByteArray &frame)
{
    if (command == fls::kTableWriteCommand) {
        // Only the sensor the table went to can confirm it.
        if (int(net) == tableWriteNet)
            tableWriteAcknowledged = true;
        return;
    }

    const std::optional<fls::SensorTarTable> table = fls::decodeTable(frame);
    if (!table)
        return;
    lastAnswer = fls::kCalibrationTableCommand;
    resetTimerDeviceConnected();
    // The dialog that asked may have been closed since: the values are
    // dropped with it.
    if (!literToPercent)
        return;
    for (int r = 0; r < fls::kTableRows; ++r)
        literToPercent->setTable(table->levels[size_t(r)], r, 0);
    for (int r = 0; r < fls::kTableRows; ++r)
        literToPercent->setTable(table->values[size_t(r)], r, 1);
    // The next poll comes a second after the table.
    resumePolling();
    setConnected(true);
    // Told once the read is over, so that the dialog's next button works at
    // the first press after the box.
    tellAfterProcedure([dialog = QPointer<LiterToPercent>(literToPercent)] {
        if (dialog)
            dialog->statusMessage(tr("Таблица успешно прочитана"));
    });
}
