// The wired tag reader's commands: mode, serial number, network number and
// tag ID writes, and the tag ID read. The page decodes the answers.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/other/wiredtagdevice.h"
#include "devices/other/wiredtagprotocol.h"
#include "link/portconnection.h"

namespace {

// Time the reader gets to answer before the answer is taken.
constexpr int kAnswerWaitMs = 50;

std::optional<uint> typedNumber(const QLineEdit *edit)
{
    bool ok = false;
    const uint value = edit->text().toUInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

void Reriruvozive::on_pushButtonSetModeWT_clicked()
{
    // By position, not by text: the list keeps the language it was filled in.
    const int index = ui->comboBoxModeWT->currentIndex();
    if (index != wiredtag::kTagModeIndex && index != wiredtag::kReaderModeIndex)
        return;
    portConnection->writeData(wiredtag::modeWrite(wiredTagDevice->writeNetNum(), index == wiredtag::kReaderModeIndex));
    ui->label_PixSetModeWT->hide();
}

void Reriruvozive::on_pushButton_SetSerWT_clicked()
{
    // An empty or unreadable field is not sent: it would overwrite the
    // reader's serial number with 0.
    const std::optional<uint> serial = typedNumber(ui->lineEditSetSerNumWT);
    if (!serial)
        return;
    portConnection->writeData(wiredtag::serialWrite(wiredTagDevice->writeNetNum(), *serial));
    ui->label_PixSetSerNumWT->hide();
}

// The commands that wait for the reader's answer are procedures of its page:
// they wait in its session, one at a time, and a second press while one
// waits is told and sends nothing.

void Reriruvozive::on_pushBtnSetNetNumWT_clicked()
{
    // An empty field or a number the reader does not take would renumber it
    // to something nobody chose.
    const std::optional<uint> newNet = typedNumber(ui->lineEditSetNetNumWT);
    if (!newNet || *newNet > uint(wiredtag::kNetNumTop))
        return;
    BaseDevice::Procedure run(wiredTagDevice);
    if (!run)
        return;
    portConnection->writeData(wiredtag::netNumWrite(wiredTagDevice->writeNetNum(), static_cast<quint8>(*newNet)));
    // The reader answers with its new number, as it answers a search.
    lastCommandWT = wiredtag::kSearchCommand;
    wiredTagDevice->setCurrentCommand(wiredtag::kSearchCommand);
    ui->label_PixSetNetNumWT->hide();
    run.waitAndTake(kAnswerWaitMs);
}

void Reriruvozive::on_pushButtonReadIDWT_clicked()
{
    // A read: it may ask a reader that has not answered yet.
    BaseDevice::Procedure run(wiredTagDevice, BaseDevice::Procedure::Kind::Reads);
    if (!run)
        return;
    portConnection->writeData(wiredtag::readTagIdRequest(wiredTagDevice->writeNetNum()));
    run.waitAndTake(kAnswerWaitMs);
}

void Reriruvozive::on_pushButtonSetIDWT_clicked()
{
    // Text that does not read as a 32-bit number (empty, or more than eight
    // hexadecimal digits) is not sent: the reader would take the ID 0.
    const std::optional<quint32> id =
        wiredtag::parseTagId(ui->lineEditSETIDWT->text(), ui->checkBoxInputFormatWT->isChecked());
    if (!id)
        return;
    BaseDevice::Procedure run(wiredTagDevice);
    if (!run)
        return;
    portConnection->writeData(wiredtag::tagIdWrite(wiredTagDevice->writeNetNum(), *id));
    ui->label_PixSetIDWT->hide();
    run.waitAndTake(kAnswerWaitMs);
}

void Reriruvozive::on_checkBoxInputFormatWT_stateChanged(int arg1)
{
    Q_UNUSED(arg1)
    QLineEdit *edit = ui->lineEditSETIDWT;
    const bool decimal = ui->checkBoxInputFormatWT->isChecked();
    edit->setText(wiredtag::convertTagIdText(edit->text(), decimal));
    wiredTagDevice->takeTagIdAs(decimal);
}

void Reriruvozive::on_lineEditSetNetNumWT_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    ui->label_PixSetNetNumWT->show();
}

void Reriruvozive::on_comboBoxModeWT_activated(QString arg1)
{
    Q_UNUSED(arg1)
    ui->label_PixSetModeWT->show();
}

void Reriruvozive::on_lineEditSETIDWT_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    ui->label_PixSetIDWT->show();
}

void Reriruvozive::on_lineEditSetSerNumWT_textEdited(QString arg1)
{
    Q_UNUSED(arg1)
    ui->label_PixSetSerNumWT->show();
}
