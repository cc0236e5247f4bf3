// Answer intake of the PLM300 page: the search answer, the data and the
// serial answers.
#include "devices/other/plm300device.h"

#include "deruvivuriri_form.h"

#include "devices/answerkinds.h"
#include "devices/other/plm300protocol.h"
#include "link/bus.h"
#include "link/frame.h"

#include <QLabel>

namespace {

// Answers of several sensors take longer to come in than one.
constexpr int kCheckOneSensorMs = 500;
constexpr int kCheckSeveralSensorsMs = 600;

} // namespace

std::vector<int> PLM300Device::answerLengths(quint8 command) const
{
    // The data answer to the page's own request and the serial answer to the
    // main window's often arrive as one chunk; these lengths cut them apart.
    return plm300::answerLengths(command);
}

BaseDevice::AnswerKind PLM300Device::answerKind(const QByteArray &answer) const
{
    return answerkinds::forPage(answer, AnswerKind::Plm300);
}

void PLM300Device::takeSearchAnswer(const QByteArray &chunk)
{
    const std::optional<QByteArray> found = plm300::decodeSearchAnswer(chunk);
    if (!found) {
        // Nobody named a number: the search goes on.
        resetDeviceIsConnected();
        return;
    }

    stopSearchDevices();
    foundNetNums = *found;
    netNum = quint8(foundNetNums.at(0));
    forgetSensor();

    // The first read goes out at once, before the main window's serial request.
    emit writeData(frame::request(netNum, plm300::kDataCommand));

    QStringList numbers;
    for (char n : qAsConst(foundNetNums))
        numbers << QString::number(quint8(n));
    if (ui) {
        ui->lineEdit_netNumPLM300->setText(QString::number(netNum));
        ui->comboBox_netNumPLM300->clear();
        ui->comboBox_netNumPLM300->addItems(numbers);
        ui->label_ListDev_PLM300->setText(numbers.join(QLatin1Char(',')));
    }
    setCheckInterval(foundNetNums.size() > 1 ? kCheckSeveralSensorsMs : kCheckOneSensorMs);

    emit copyNetNumToParent(foundNetNums);
    emit signalRequestForGetSerNumAndFirmWareVersion();
}

void PLM300Device::takeFrame(const QByteArray &frame)
{
    const std::optional<bus::AnswerHead> head = bus::acceptAnswer(frame);
    if (!head || head->net != netNum)
        return;
    // Nothing of a device that answered in another family's frames is
    // shown, its serial and firmware included.
    if (isOtherKind(netNum)) {
        forgetSensor();
        setConnected(false);
        return;
    }
    switch (head->command) {
    case plm300::kDataCommand:
        if (answerKind(frame) == AnswerKind::Own)
            handleData(frame);
        break;
    case plm300::kSerialCommand:
        handleSerialAndFirmware(frame);
        break;
    default:
        break;
    }
}

void PLM300Device::handleData(const QByteArray &frame)
{
    const std::optional<plm300::Data> data = plm300::decodeData(frame);
    if (!data)
        return;
    lastCommand = plm300::kDataCommand;
    mode = data->mode;
    distance = data->distance;
    if (ui) {
        ui->label_UrovenPLM300->setText(QString::number(distance));
        // A distance beyond the bar's scale leaves the bar where it was.
        ui->progressBarLevelPLM300->setValue(distance);
    }

    // Only the first answers after a (re)connect or a write fill the
    // settings, so what the user is typing is not overwritten.
    if (firstData) {
        if (--countdown <= 0)
            firstData = false;
        showStatusMessage(tr("Подключен ПЛМ-300"));
        showStatusMessageUp(" ");
        showUI(true);
        if (ui) {
            ui->lineEdit_min_PLM300->setText(QString::number(data->minimum));
            ui->lineEdit_max_PLM300->setText(QString::number(data->maximum));
            ui->lineEdit_smoothing_PLM300->setText(QString::number(data->smoothing));
            ui->lineEdit_porog_PLM300->setText(QString::number(data->threshold));
            ui->comboBox_modePLM300->setCurrentIndex(plm300::indexOfMode(mode));
        }
    }
    emit signalRequestForGetSerNumAndFirmWareVersion();
}

void PLM300Device::handleSerialAndFirmware(const QByteArray &frame)
{
    const std::optional<plm300::SerialAndFirmware> serial = plm300::decodeSerialAndFirmware(frame);
    if (!serial)
        return;
    lastCommand = plm300::kSerialCommand;
    firmware = serial->firmware;
    if (ui) {
        ui->label_SerNumVal->setText(bus::serialText(serial->serial));
        ui->label_FirmwareVal->setText(bus::firmwareText(firmware));
    }
    // Only this answer proves the sensor is there: a page hidden by a
    // silence comes back with the settings of its next data answer.
    setConnected(true);
    resetTimerDeviceConnected();
    if (!shown)
        setFirstDataRequest(true);
    // The poll's chain (data, then serial) ends here. Asking for the data
    // again at once would start one more chain at every poll, never ending,
    // until the requests filled the bus.
    emit copyQueueSurveyDevice(0);
}
