#include "devices/other/wiredtagdevice.h"

#include "deruvivuriri_form.h"
#include "devices/other/wiredtagprotocol.h"
#include "link/bus.h"
#include "link/frame.h"
#include "ui/boundedintvalidator.h"
#include "ui/refusaltip.h"
#include "ui/validatorswap.h"

#include <QFont>
#include <QLabel>
#include <QPoint>
#include <QRegularExpressionValidator>
#include <QTimer>

#include <initializer_list>
#include <limits>

namespace {

// This page's status lines sit a few pixels lower than the other pages',
// below its lowest row of controls, and their font is sized in points.
constexpr QPoint kUpperStatusAt(5, 554);
constexpr QPoint kLowerStatusAt(5, 577);
constexpr int kStatusFontPoints = 16;
// How long a passing remark stays on the upper status line.
constexpr int kRemarkMs = 3000;

} // namespace

// Frames go out through writeData: no port of its own.
WiredTagDevice::WiredTagDevice(Ui_Deruvivuriri *form) : BaseDevice(form, nullptr) {}

WiredTagDevice::~WiredTagDevice() = default;

void WiredTagDevice::connectDevice()
{
    BaseDevice::connectDevice();
    // The reader is asked only by the window's commands.
    timerIntervalGetDataStop();
}

void WiredTagDevice::tellProcedureRunning()
{
    const QString text = tr("Дождитесь окончания текущей операции");
    showStatusMessageUp(text);
    QTimer::singleShot(kRemarkMs, this, [this, text] {
        if (status.upper() && status.upper()->text() == text)
            showStatusMessageUp(QStringLiteral(" "));
    });
}

quint8 WiredTagDevice::calc_crc8(char *inputData, int len)
{
    if (!inputData || len < 1)
        return 0;
    return frame::calc_crc8(reinterpret_cast<const uchar *>(inputData), len);
}

// ---- Set-up ----------------------------------------------------------------

void WiredTagDevice::takeTagIdAs(bool decimal)
{
    QLineEdit *edit = ui->lineEditSETIDWT;
    if (decimal) {
        BoundedIntValidator::install(edit, 1, wiredtag::kDecimalTagIdTop);
        return;
    }
    auto *hex =
        new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(wiredtag::kHexTagIdPattern)), edit);
    replaceValidator(edit, hex);
    tellRefusals(edit, hex, tr("Введите шестнадцатеричное число: цифры 0-9 и буквы a-f"));
}

bool WiredTagDevice::initUI()
{
    if (!ui)
        return true;
    ui->pushButtonWiredTag->hide();
    ui->line_UnderBtnWiredTag->hide();
    initPictures();

    takeTagIdAs(false);
    BoundedIntValidator::install(ui->lineEditSetNetNumWT, 0, wiredtag::kNetNumTop);
    BoundedIntValidator::install(ui->lineEditSetSerNumWT, 0, std::numeric_limits<quint32>::max());

    for (QLabel *mark :
         {ui->label_PixSetNetNumWT, ui->label_PixSetModeWT, ui->label_PixSetIDWT, ui->label_PixSetSerNumWT}) {
        mark->setPixmap(pixBird);
        mark->hide();
    }

    for (QWidget *w : std::initializer_list<QWidget *>{
             ui->label_NameFW_WT, ui->label_SerNumWT, ui->label_ValFW_WT, ui->label_ValSerNumWT, ui->label_SetNetNumWT,
             ui->label_SetModeWT, ui->labelReadIDWT, ui->label_SetSerWT, ui->lineEditSetSerNumWT,
             ui->pushButton_SetSerWT, ui->pushButtonReadIDWT, ui->pushButtonSetIDWT, ui->lineEditSETIDWT,
             ui->comboBoxModeWT, ui->pushButtonSetModeWT, ui->lineEditSetNetNumWT, ui->pushBtnSetNetNumWT,
             ui->checkBoxInputFormatWT})
        w->hide();

    ui->pushButtonWiredTag->setIcon(QIcon(pixTag));
    ui->pushButtonWiredTag->setIconSize(pixTag.size());

    initStatusMessage();
    return true;
}

void WiredTagDevice::initPictures()
{
    pixTag.load(":/images/tag.png");
    pixBird.load(":/images/bird.png");
}

bool WiredTagDevice::initStatusMessage()
{
    if (!ui)
        return false;
    // Made once; asking again keeps the lines there are.
    if (status.lower())
        return true;
    createStatusLines(ui->WiredTag, tr("Подключите датчик"));
    status.upper()->move(kUpperStatusAt);
    status.lower()->move(kLowerStatusAt);
    QFont font = status.lower()->font();
    font.setPointSize(kStatusFontPoints);
    status.upper()->setFont(font);
    status.lower()->setFont(font);
    return true;
}

bool WiredTagDevice::setWidgetsVisible(bool visible)
{
    if (ui) {
        // The serial number entry and the change marks are not the page's
        // everyday widgets and keep their own state.
        for (QWidget *w : std::initializer_list<QWidget *>{
                 ui->label_NameFW_WT, ui->label_SerNumWT, ui->label_ValFW_WT, ui->label_ValSerNumWT,
                 ui->label_SetNetNumWT, ui->label_SetModeWT, ui->labelReadIDWT, ui->pushButtonReadIDWT,
                 ui->pushButtonSetIDWT, ui->lineEditSETIDWT, ui->comboBoxModeWT, ui->pushButtonSetModeWT,
                 ui->lineEditSetNetNumWT, ui->pushBtnSetNetNumWT, ui->checkBoxInputFormatWT})
            w->setVisible(visible);
    }
    setVisibleStatusLabels(visible);
    return true;
}

bool WiredTagDevice::resetDeviceIsConnected()
{
    setWidgetsVisible(false);
    setConnected(false);
    showStatusMessageUp(QStringLiteral(" "));
    showStatusMessage(tr("Подключите датчик"));
    deviceIndex = 0;
    currentCommand = wiredtag::kSearchCommand;
    secondDeviceFound = false;
    firstDataRequest = true;
    emit signalWriteLog("Device is not responding");
    return true;
}

// ---- Answers ---------------------------------------------------------------

quint8 WiredTagDevice::parseResponse(int len, char *buf, quint8 lastCommand)
{
    // The command the page waits for says what the chunk is: the search
    // answer, or answers to a read or a serial request; nothing else is taken.
    currentCommand = lastCommand;
    const bool searching = currentCommand == wiredtag::kSearchCommand;
    if (!searching && currentCommand != wiredtag::kReadCommand && currentCommand != wiredtag::kSerialAndFirmwareCommand)
        return currentCommand;
    setSearchActive(searching);
    run(len, buf);
    return currentCommand;
}

std::vector<int> WiredTagDevice::answerLengths(quint8 command) const
{
    // Answers left waiting in the receive buffer (the acknowledgement of a
    // mode write, say) come glued to the next one; each is taken on its own.
    return wiredtag::answerLengths(command);
}

void WiredTagDevice::takeSearchAnswer(const QByteArray &chunk)
{
    if (chunk.isEmpty()) {
        resetDeviceIsConnected();
        return;
    }
    // A late answer to an earlier request (the acknowledgement of a mode
    // write, say) may come before the numbers; it names no reader.
    const std::optional<QByteArray> numbers = wiredtag::searchAnswerIn(chunk);
    if (!numbers)
        return;
    searchAnswer = *numbers;
    netNum = static_cast<quint8>(searchAnswer.at(0));
    emit writeData(wiredtag::readRequest(netNum));
    currentCommand = wiredtag::kReadCommand;
    if (ui)
        ui->lineEditSetNetNumWT->setText(QString::number(netNum));
    if (searchAnswer.size() >= 2)
        secondDeviceFound = true;
    emit copyNetNumToParent(searchAnswer);
}

void WiredTagDevice::takeFrame(const QByteArray &frame)
{
    const std::optional<quint8> start = frame::readU8(frame, 0);
    const std::optional<quint8> address = frame::readU8(frame, 1);
    const std::optional<quint8> command = frame::readU8(frame, 2);
    if (start != frame::kAnswerStart || address != netNum || !command)
        return;
    // An answer too short to hold its fields is no answer to what was asked.
    const int minimum = wiredtag::minimumAnswerLength(*command);
    if (minimum == 0 || frame.size() < minimum)
        return;
    const bool crcGood = frame::isValidAnswer(frame);

    switch (*command) {
    case wiredtag::kReadCommand:
        handleRead(frame, crcGood);
        break;
    case wiredtag::kReadTagIdCommand:
    case wiredtag::kSetTagIdCommand:
        if (crcGood)
            handleTagId(frame);
        break;
    case wiredtag::kPasswordAcceptedCommand:
        if (crcGood)
            currentCommand = wiredtag::kReadCommand;
        break;
    case wiredtag::kSerialAndFirmwareCommand:
        if (crcGood)
            handleSerialAndFirmware(frame);
        break;
    }
}

void WiredTagDevice::handleRead(const QByteArray &frame, bool crcGood)
{
    // The reader has answered the read even when the line spoilt the answer,
    // so the page moves on to its serial number either way.
    currentCommand = wiredtag::kSerialAndFirmwareCommand;
    if (!crcGood)
        return;
    modes[deviceIndex % kDevices] = wiredtag::decodeMode(frame).value_or(0);
    if (!firstDataRequest)
        return;
    firstDataRequest = false;
    if (ui) {
        switch (wiredtag::modeFromByte(modes[0])) {
        case wiredtag::Mode::Tag:
            ui->comboBoxModeWT->setCurrentIndex(wiredtag::kTagModeIndex);
            break;
        case wiredtag::Mode::Reader:
            ui->comboBoxModeWT->setCurrentIndex(wiredtag::kReaderModeIndex);
            break;
        case wiredtag::Mode::Unknown:
            break;
        }
    }
    setWidgetsVisible(true);
    showStatusMessage(tr("Датчик подключен"));
}

void WiredTagDevice::handleTagId(const QByteArray &frame)
{
    const std::optional<quint32> id = wiredtag::decodeTagId(frame);
    if (!id)
        return;
    showTagId(*id);
    if (static_cast<quint8>(frame.at(2)) == wiredtag::kReadTagIdCommand) {
        setConnected(true);
        showIdentityLabels();
    }
    currentCommand = wiredtag::kReadCommand;
}

void WiredTagDevice::handleSerialAndFirmware(const QByteArray &frame)
{
    const std::optional<bus::SerialAndFirmware> decoded = bus::decodeSerialAndFirmware(frame);
    if (!decoded)
        return;
    firmwareVersion = decoded->firmware;
    if (ui) {
        ui->label_ValSerNumWT->setText(bus::serialText(decoded->serial));
        ui->label_ValFW_WT->setText(bus::firmwareText(firmwareVersion));
    }
    setConnected(true);
    showIdentityLabels();
    currentCommand = wiredtag::kReadCommand;
    // With more than one reader found, the main window addresses them in turn.
    if (secondDeviceFound)
        deviceIndex = deviceIndex == 0 ? 1 : 0;
    emit copyQueueSurveyDevice(deviceIndex);
}

void WiredTagDevice::showTagId(quint32 id)
{
    if (ui)
        ui->lineEditSETIDWT->setText(wiredtag::tagIdText(id, ui->checkBoxInputFormatWT->isChecked()));
}

void WiredTagDevice::showIdentityLabels()
{
    if (!ui)
        return;
    for (QWidget *w : {ui->label_NameFW_WT, ui->label_SerNumWT, ui->label_ValFW_WT, ui->label_ValSerNumWT})
        w->show();
}
