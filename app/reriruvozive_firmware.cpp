// Firmware download of the wired devices: the service menu's start, the
// bootloader's answer bytes, the line given back at the end, and what is
// refused or ended while a download runs.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/angle/kv380device.h"
#include "devices/fls/flsdevice.h"
#include "devices/online/qfonline.h"
#include "devices/other/plm300device.h"
#include "link/portconnection.h"
#include "link/ringbuffer.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

void Reriruvozive::connectFirmwareUpdater()
{
    connect(firmwareUpdater, &FirmwareUpdater::writeData, portConnection, &PortConnection::writeData);
    firmwareUpdater->setLine(portConnection);
    connect(firmwareUpdater, &FirmwareUpdater::signalWriteLog, this, &Reriruvozive::recieveLogMessage);
    connect(firmwareUpdater, &FirmwareUpdater::signalCheckIncommingDataWhileUpdate, this, [this] {
        // forwardBytesToFLSLambda: the bootloader answers one byte at a time.
        const int n = rxBuffer->count();
        if (n <= 0)
            return;
        QByteArray bytes(n, Qt::Uninitialized);
        if (rxBuffer->readBytes(bytes.data(), n))
            firmwareUpdater->setAnswerUpdateFirmware(bytes);
    });
    // The download is watched on its page, whichever page it was asked from.
    // Only the page in use starts one, so its request names that page.
    connect(firmwareUpdater, &FirmwareUpdater::started, this, [this] {
        showPage(firmwareRequest().formPage);
        refreshUpdateEntry();
    });
    connect(firmwareUpdater, &FirmwareUpdater::finished, this, &Reriruvozive::firmwareUpdateFinished);
}

FirmwareUpdater::Request Reriruvozive::firmwareRequest() const
{
    // The other wired devices are restarted by a reset addressed to 0 and
    // name no model of their own. The wired sensor page's reset goes to the
    // number it works with.
    FirmwareUpdater::Request request;
    if (deviceKV380) {
        request.page = FirmwareUpdater::Page::AngleSensor;
        request.formPage = ui->KV380;
        request.statusLine = kv380Device->getLabelStatusMessage();
        request.remarkLine = kv380Device->getLabelStatusMessageUp();
    } else if (devicePLM300) {
        request.page = FirmwareUpdater::Page::PLM300;
        request.formPage = ui->PLM300;
        request.statusLine = plm300Device->getLabelStatusMessage();
        request.remarkLine = plm300Device->getLabelStatusMessageUp();
    } else if (deviceQFOnline) {
        // The online page has no status lines; the updater brings its own.
        request.page = FirmwareUpdater::Page::Online;
        request.formPage = ui->QFOnline;
    } else {
        request.page = FirmwareUpdater::Page::WiredSensor;
        request.formPage = ui->DUT;
        request.statusLine = flsDevice->getLabelStatusMessage();
        request.remarkLine = flsDevice->getLabelStatusMessageUp();
        request.netNum = flsDevice->getCurrentNetNum();
        request.reportedModel = flsDevice->firmwareModel();
    }
    return request;
}

void Reriruvozive::openFirmwareUpdate()
{
    // An update is a procedure of the page in use: while another of its
    // procedures runs it is refused and told, as a second start is. Without
    // a session (a wireless page is offered its update without a line) there
    // is none to wait for.
    if (deviceBLE || deviceKVBLE) {
        const BaseDevice::Procedure run(activePage());
        if (!run && run.page()->isProcedureRunning())
            return;
        showPage(ui->UpdateFWBLE);
        return;
    }
    if (firmwareUpdateRefuses())
        return;
    // The page in use is the one the download is for (with no wired page
    // on, the wired sensor page).
    BaseDevice *page = firmwarePage(firmwareRequest().page);
    // The procedure begins only while the page's device answered as a
    // device of its kind (else the page tells why, before any box).
    BaseDevice::Procedure run(page);
    if (!run) {
        // Refused and told by the page: another of its procedures runs, or
        // its device never answered as one of its kind. Outside its session
        // no device of it answers at all.
        if (!page->isSessionRunning())
            page->tellNoSensorHeard();
        return;
    }
    // A wired sensor takes only the firmware of the model it reported.
    const FirmwareUpdater::Request asked = firmwareRequest();
    if (asked.page == FirmwareUpdater::Page::WiredSensor && asked.reportedModel == fwimage::Model::None) {
        run.tell(asked.formPage, QString(), FirmwareUpdater::unknownModelText());
        return;
    }
    // Nothing is sent and the page goes on as before until a file is taken;
    // a page left meanwhile is updated no more, and its file dialog closes.
    const std::optional<FirmwareUpdater::File> file =
        firmwareUpdater->chooseFirmwareFile(asked, [&run](QDialog &dialog) { return run.exec(dialog); });
    if (!file)
        return;
    // A sensor left in its bootloader by an earlier download on this line
    // would take the new image after the part of the old one it holds.
    if (firmwareUpdater->leftOnLine() && !run.ask(asked.formPage, QString(), FirmwareUpdater::powerCycleQuestion()))
        return;
    if (!run.alive() || !portConnection->getSerialPort()->isOpen())
        return;
    // The request is taken as the download starts, after every dialog: while
    // they were up the page may have lost its sensor, or listed another. The
    // reset goes only to a device the page heard answer as one of its kind:
    // a number that never answered may be a bootloader's byte or noise, and
    // another kind's device would take a program that is not its own.
    const FirmwareUpdater::Request request = firmwareRequest();
    if (request.page != asked.page || !page->hasOwnSensorAnswered()) {
        page->tellNoSensorHeard();
        return;
    }
    if (const QString refused = FirmwareUpdater::refusal(request, file->model); !refused.isEmpty()) {
        run.tell(request.formPage, QString(), refused);
        return;
    }
    // The bootloader gets the line alone: the page stops polling it, and its
    // own procedures are refused until the download gives the line back.
    page->lendLine([this] { tellFirmwareUpdateRunning(); });
    stopPageForFirmware(request.page);
    if (!firmwareUpdater->startUpdateFirmware(request, *file) && !firmwareUpdater->isUpdatingFirmware())
        page->takeLineBack();
}

BaseDevice *Reriruvozive::firmwarePage(FirmwareUpdater::Page page) const
{
    switch (page) {
    case FirmwareUpdater::Page::WiredSensor:
        return flsDevice;
    case FirmwareUpdater::Page::AngleSensor:
        return kv380Device;
    case FirmwareUpdater::Page::PLM300:
        return plm300Device;
    case FirmwareUpdater::Page::Online:
        return qfOnline;
    }
    return flsDevice;
}

void Reriruvozive::stopPageForFirmware(FirmwareUpdater::Page page)
{
    if (page == FirmwareUpdater::Page::WiredSensor)
        flsDevice->setDefaultValuesToGuiField();
    firmwarePage(page)->disconnectDevice();
}

void Reriruvozive::firmwareUpdateFinished(FirmwareUpdater::Page page, bool ok)
{
    Q_UNUSED(ok) // completed or failed, the page looks for its device again
    refreshUpdateEntry();
    // A page the user has left gets nothing: its frames would go to the
    // device the user chose since, on whatever line that is. The page that
    // asked starts polling, watchdog and search again: the new firmware is
    // found like a sensor just plugged in.
    BaseDevice *asked = firmwarePage(page);
    asked->takeLineBack();
    const bool seen = asked == activePage() && firmwareUpdater->isSeen();
    if (asked == activePage())
        asked->connectDevice();
    // Its page is off or out of sight: the outcome is told in a box, once
    // a switch under way is done, over the page the user went to. What the
    // user is to do about the sensor is told in a box wherever the page is.
    QString told =
        firmwareUpdater->wasInterrupted() ? tr("Обновление прошивки прервано") : firmwareUpdater->outcomeText();
    const QString advice = firmwareUpdater->adviceText();
    if (!advice.isEmpty())
        told += '\n' + advice;
    if ((!seen || !advice.isEmpty()) && !told.isEmpty())
        QTimer::singleShot(0, this, [this, told] { askService(told, false); });
}

bool Reriruvozive::firmwareUpdateRefuses()
{
    if (!firmwareUpdater->isUpdatingFirmware())
        return false;
    tellFirmwareUpdateRunning();
    return true;
}

void Reriruvozive::tellFirmwareUpdateRunning()
{
    askService(tr("Дождитесь окончания обновления прошивки"), false);
}

void Reriruvozive::interruptFirmwareUpdate()
{
    // Told where the user is, as every outcome of a download.
    firmwareUpdater->interrupt();
}

void Reriruvozive::refreshUpdateEntry()
{
    if (!serviceMenu)
        return;
    for (QAction *action : serviceMenu->actions()) {
        if (action->objectName() == QLatin1String("update"))
            action->setEnabled(!firmwareUpdater->isUpdatingFirmware());
    }
}
