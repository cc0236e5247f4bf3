// Lifecycle, polling and widgets of the indicator page.
#include "devices/other/n7device.h"

#include "deruvivuriri_form.h"
#include "devices/other/n7celldelegate.h"
#include "devices/other/pagewidgets.h"
#include "ui/boundedintvalidator.h"

#include <QComboBox>
#include <QLabel>
#include <QStandardItemModel>

#include <algorithm>

namespace {

// Answers that show the page's widgets after a connect or a table button.
constexpr int kRefreshAnswers = 1;

// Before a write, the indicator is asked this many times for a table, each
// answer awaited this long: its table takes about 90 ms on the line.
constexpr int kNowAsks = 3;
constexpr int kNowAnswerMs = 1000;

// The status lines sit between the sensor's settings and the buttons of the
// right-hand column, where nothing else is drawn (also on a form squeezed
// for a low screen); at the foot of the page they would lie on the file
// buttons.
constexpr QRect kStatusUpLine{310, 378, 375, 18};
constexpr QRect kStatusLine{310, 396, 375, 18};

} // namespace

N7Device::N7Device(Ui_Deruvivuriri *form, QSerialPort *port) : BaseDevice(form, port) {}

N7Device::~N7Device() = default;

bool N7Device::initUI()
{
    if (!ui)
        return true;
    initIcons();
    ui->pushButtonN7->setCheckable(true);

    model = new QStandardItemModel(0, n7::kTableColumns, ui->N7);
    model->setObjectName(QStringLiteral("N7ConversionTable"));
    model->setHorizontalHeaderLabels({tr("Ед. Датчика"), tr("Литры")});
    ui->tableView_n7TarTable->setModel(model);
    ui->tableView_n7TarTable->setItemDelegate(new N7CellDelegate(ui->tableView_n7TarTable));

    labelCaption = pagewidgets::createCaption(ui->pushButtonN7, tr("N7"), ui->label_NameButtKV380);
    // A number above the top cannot be typed: its low byte would be some
    // other sensor's address.
    BoundedIntValidator::install(ui->lineEdit_n7NetNum, 1, n7::kNetNumTop);

    ui->comboBox_n7mode->addItem(tr("Активный"));
    ui->comboBox_n7mode->addItem(tr("Пассивный"));
    for (const QString &slot : {tr("Датчик 1"), tr("Датчик 2"), tr("Датчик 3"), tr("Датчик 4")})
        ui->comboBox_n7numberFLS->addItem(slot);
    ui->comboBox_n7numberFLS->setCurrentIndex(0);
    connect(model, &QStandardItemModel::itemChanged, this, &N7Device::cellChanged);
    // Edits belong to the table of the slot they were made in: written into
    // another slot they would change a table nobody edited.
    connect(ui->comboBox_n7numberFLS, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &N7Device::forgetEdits);

    setVisiblePageWidgets(false);
    viewIconChangedParam(false);
    initStatusMessage();
    return true;
}

bool N7Device::initIcons()
{
    pixNotPolled.load(QStringLiteral(":/images/n7_bird.png"));
    pixPolled.load(QStringLiteral(":/images/bird_green.png"));
    return true;
}

void N7Device::initStatusMessage()
{
    createStatusLines(ui->N7, tr("Подключите датчик"));
    status.upper()->setGeometry(kStatusUpLine);
    status.lower()->setGeometry(kStatusLine);
}

void N7Device::connectDevice()
{
    forgetTableSlot();
    forgetEdits();
    // Nor a number typed in an earlier session, which a write left there
    // may have sent already: the next write keeps the indicator's own.
    if (ui) {
        ui->lineEdit_n7NetNum->clear();
        ui->label_n7Alarm_3->hide();
    }
    reported.reset();
    pagewidgets::showNothingHeard(this);
    BaseDevice::connectDevice();
    setFirstDataRequest(true);
}

void N7Device::disconnectDevice()
{
    BaseDevice::disconnectDevice();
    setVisiblePageWidgets(false);
    forgetTableSlot();
    // The next session shows the indicator's table as it is then.
    forgetEdits();
}

bool N7Device::settingsEdited() const
{
    return !edits.empty() || (ui && ui->lineEdit_n7NetNum->isModified() && !ui->lineEdit_n7NetNum->text().isEmpty());
}

void N7Device::discardEdits()
{
    if (reported) {
        for (const auto &[row, column] : edits) {
            const n7::Column &values = column == n7::kUnitsColumn ? reported->units : reported->litres;
            setTable(values[size_t(row)], row, column);
        }
    }
    forgetEdits();
    if (ui) {
        ui->lineEdit_n7NetNum->clear();
        ui->label_n7Alarm_3->hide();
    }
}

void N7Device::pollTick()
{
    // The main window reads the same slot box for the request it sends.
    const quint8 slot = n7::sensorOfComboIndex(ui ? ui->comboBox_n7numberFLS->currentIndex() : 0);
    if (slotAsked && *slotAsked != slot)
        slotsAskedDiffer = true;
    slotAsked = slot;
    emit signalRequestForGetAllDataFromDevice();
}

bool N7Device::answersNow(Procedure &run)
{
    for (int ask = 0; ask < kNowAsks; ++ask) {
        if (!run.alive())
            return false;
        // What came before the question answers something else.
        emit signalCheckIncommingData();
        const quint64 before = ownTables;
        pollTick();
        const int step = std::max(1, intervals().check);
        for (int waited = 0; waited < kNowAnswerMs; waited += step) {
            if (!run.waitAndTake(step))
                return false;
            if (ownTables != before)
                return true;
        }
    }
    emit signalWriteLog("The indicator did not answer before a write, nothing was written");
    tellNoSensorHeard();
    run.end();
    return false;
}

void N7Device::forgetTableSlot()
{
    slotAsked.reset();
    slotsAskedDiffer = false;
    tableSlot.reset();
}

void N7Device::watchdogRanOut()
{
    resetDeviceIsConnected();
}

bool N7Device::resetDeviceIsConnected()
{
    setVisiblePageWidgets(false);
    // The notice is what the user has left to look at.
    setVisibleStatusLabels(true);
    showStatusMessageUp(" ");
    showStatusMessage(tr("Подключите датчик"));
    emit signalWriteLog("Device is not responding");
    setConnected(false);
    // What it showed may be old by the time it answers again.
    forgetTableSlot();
    // When it answers again, the page comes back.
    setFirstDataRequest(true);
    return true;
}

void N7Device::setFirstDataRequest(bool value)
{
    refresh = value;
    updateCountdown = kRefreshAnswers;
}

bool N7Device::setCntUpdateUI()
{
    updateCountdown = 3;
    return true;
}

bool N7Device::setVisiblePageWidgets(bool visible)
{
    if (!ui)
        return true;
    for (QWidget *w : std::initializer_list<QWidget *>{ui->comboBox_n7mode,
                                                       ui->comboBox_n7numberFLS,
                                                       ui->pushButton_n7SetTarTable,
                                                       ui->pushButton_n7WriteParam,
                                                       ui->pushButton_n7GetSetPass,
                                                       ui->pushButton_n7GetTarTable,
                                                       ui->label_n7NetNumVal,
                                                       ui->label_n7NetNumName,
                                                       ui->label_n7NetNumDut,
                                                       ui->label_n7mode,
                                                       ui->label_n7numberFLS,
                                                       ui->label_n7pic,
                                                       ui->label_n7SettingsDut,
                                                       ui->label_n7TarTableName,
                                                       ui->label_n7Alarm_Req,
                                                       ui->label_n7Requesting,
                                                       ui->line_n7_2,
                                                       ui->line_n7,
                                                       ui->lineEdit_n7NetNum,
                                                       ui->tableView_n7TarTable,
                                                       ui->checkBox_n7_ReqDut})
        w->setVisible(visible);
    // The change marks show up when something is changed, not with the page.
    if (!visible)
        viewIconChangedParam(false);
    setVisibleStatusLabels(visible);
    if (visible)
        keepTableAboveFileButtons();
    return true;
}

void N7Device::keepTableAboveFileButtons()
{
    // On a low screen the main window moves the form's widgets up without
    // making them shorter, which lays the table over the file buttons; it
    // ends just above them instead.
    QWidget *table = ui->tableView_n7TarTable;
    const int bottom = ui->pushButton_n7SetTarTable->y() - 1;
    if (table->geometry().bottom() > bottom && bottom > table->y())
        table->resize(table->width(), bottom - table->y());
}

bool N7Device::viewIconChangedParam(bool visible)
{
    if (!ui)
        return true;
    ui->label_n7Alarm_1->setVisible(visible);
    ui->label_n7Alarm_3->setVisible(visible);
    return true;
}

bool N7Device::hideBirds()
{
    return viewIconChangedParam(false);
}

void N7Device::changeIconBtnConnectDevice(QString state, bool darkTheme)
{
    if (ui)
        pagewidgets::colourCaption(labelCaption, ui->line_UnderBtnN7, state, darkTheme);
}
