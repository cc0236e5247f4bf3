// The online device page's tabs, buttons and fields: thin adapters between
// the form and the page, which keeps the unit's configuration block.
#include "app/reriruvozive.h"

#include "deruvivuriri_form.h"
#include "devices/online/onlineprotocol.h"
#include "devices/online/qfonline.h"
#include "link/portconnection.h"
#include "ui/infopopup.h"

namespace {

// Height of the tab widget for each tab: each shows as much as it holds.
constexpr int kGpsTabHeight = 321;
constexpr int kGsmTabHeight = 501;
constexpr int kRs485TabHeight = 431;
constexpr int kOtherTabHeight = 331;

void setHeight(QWidget *widget, int height)
{
    widget->setGeometry(widget->x(), widget->y(), widget->width(), height);
}

} // namespace

void Reriruvozive::on_tabWidgetQFOnline_currentChanged(int index)
{
    switch (index) {
    case 0:
        setHeight(ui->tabWidgetQFOnline, kGpsTabHeight);
        break;
    case 1:
        // The settings tabs show what the unit keeps now; a tab opened while
        // the page talks to the unit sends nothing between its frames.
        if (qfOnline && !qfOnline->isProcedureRunning())
            requestForGetCfgQFOnline();
        setHeight(ui->tabWidgetQFOnline, kGsmTabHeight);
        break;
    case 2:
        if (qfOnline && !qfOnline->isProcedureRunning())
            requestForGetCfgQFOnline();
        setHeight(ui->tabWidgetQFOnline, kRs485TabHeight);
        break;
    default:
        setHeight(ui->tabWidgetQFOnline, kOtherTabHeight);
        break;
    }
}

void Reriruvozive::createDialogInfoUserForButtonClicked(QString message)
{
    if (!infoPopUp)
        infoPopUp = new InfoPopup(this);
    infoPopUp->show(message);
}

void Reriruvozive::tellOnline(const QString &text)
{
    // Empty for a page left meanwhile, or a command never sent: nothing is
    // told over another page.
    if (!text.isEmpty())
        createDialogInfoUserForButtonClicked(text);
}

void Reriruvozive::sendOnlineCommand(const QByteArray &request, quint8 command, const QString &notice)
{
    if (firmwareUpdateRefuses())
        return;
    // Without an open port nothing goes out, and no notice says otherwise.
    if (!lineOpen())
        return;
    tellOnline(QFOnline::outcomeText(qfOnline->sendCommand(request, command), notice));
}

void Reriruvozive::on_pushButtonOnlineEngineOn_clicked()
{
    sendOnlineCommand(online::engineOnRequest(qfOnline->writeNetNum()), online::kEngineOnCommand,
                      tr("Калибровка произведена"));
}

void Reriruvozive::on_pushButtonOnlineEngineOff_clicked()
{
    sendOnlineCommand(online::engineOffRequest(qfOnline->writeNetNum()), online::kEngineOffCommand,
                      tr("Калибровка произведена"));
}

void Reriruvozive::on_pushButtonOnlineHorizont_clicked()
{
    sendOnlineCommand(online::horizonRequest(), online::kHorizonCommand, tr("Калибровка произведена"));
}

void Reriruvozive::on_pushButtonOnlineReadSetting_clicked()
{
    // Not between the frames of another exchange with the unit. A read: it
    // may ask a unit that has not answered yet.
    const BaseDevice::Procedure run(qfOnline, BaseDevice::Procedure::Kind::Reads);
    if (run)
        requestForGetCfgQFOnline();
}

void Reriruvozive::on_pushButtonOnlineWriteSetting_clicked()
{
    if (firmwareUpdateRefuses())
        return;
    // Without an open port nothing goes out and nothing is told.
    if (!lineOpen())
        return;
    tellOnline(QFOnline::outcomeText(qfOnline->writeSettings(), tr("Настройки записаны")));
}

void Reriruvozive::on_lineEditOnlineAccessDot_textEdited(QString arg1)
{
    qfOnline->setAddressAPI(arg1);
}

void Reriruvozive::on_lineEditOnlineUser_textEdited(QString arg1)
{
    qfOnline->setUserApi(arg1);
}

void Reriruvozive::on_lineEditOnlinePassword_textEdited(QString arg1)
{
    qfOnline->setPwdApi(arg1);
}

void Reriruvozive::on_lineEditOnlinePIN_textEdited(QString arg1)
{
    qfOnline->setPIN(arg1);
}

void Reriruvozive::on_lineEditOnlineServerAddress_textEdited(QString arg1)
{
    qfOnline->setServerAddress(arg1);
}

void Reriruvozive::on_lineEditOnlineServerPort_textEdited(QString arg1)
{
    qfOnline->setServerPort(arg1);
}

void Reriruvozive::on_lineEditOnlinePassAccessDevice_textEdited(QString arg1)
{
    qfOnline->setPwdServer(arg1);
}

void Reriruvozive::on_lineEditOnlinePeriodSend_textEdited(QString arg1)
{
    qfOnline->setDopPeriod(arg1);
}

void Reriruvozive::on_lineEditOnlineChanel1_textEdited(QString arg1)
{
    qfOnline->setAdrdressDopDevice(0, arg1);
}

void Reriruvozive::on_lineEditOnlineChanel2_textEdited(QString arg1)
{
    qfOnline->setAdrdressDopDevice(1, arg1);
}

void Reriruvozive::on_lineEditOnlineChanel3_textEdited(QString arg1)
{
    qfOnline->setAdrdressDopDevice(2, arg1);
}

void Reriruvozive::on_lineEditOnlineChanel4_textEdited(QString arg1)
{
    qfOnline->setAdrdressDopDevice(3, arg1);
}

void Reriruvozive::on_comboBoxChooseOperator_activated(int index)
{
    // "другой" and any text that names no operator clear the three fields.
    const std::optional<online::OperatorPreset> preset = online::presetOf(ui->comboBoxChooseOperator->itemText(index));
    const QString apn = preset ? QString::fromLatin1(preset->apn) : QString();
    const QString user = preset ? QString::fromLatin1(preset->user) : QString();
    const QString password = preset ? QString::fromLatin1(preset->password) : QString();
    // setText emits no textEdited, so the block is told here.
    ui->lineEditOnlineAccessDot->setText(apn);
    ui->lineEditOnlineUser->setText(user);
    ui->lineEditOnlinePassword->setText(password);
    qfOnline->setAddressAPI(apn);
    qfOnline->setUserApi(user);
    qfOnline->setPwdApi(password);
}
