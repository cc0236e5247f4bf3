#include "devices/other/mirvelnet.h"

#include "deruvivuriri_form.h"
#include "ui/boundedintvalidator.h"

#include <QSerialPort>
#include <QStandardItemModel>

#include <utility>

namespace {

constexpr int kColumns = 2;

// Limits of the page's inputs.
constexpr int kCellTop = 10;
constexpr int kDelayTop = 600; // zero delay, tag delay and period
constexpr int kNetNumTop = 255;
constexpr int kTagIdTop = 9999999;

} // namespace

MirvelNet::MirvelNet(Ui_Deruvivuriri *form, QSerialPort *port) : QWidget(nullptr), ui(form), serialPort(port) {}

MirvelNet::~MirvelNet() = default;

bool MirvelNet::initUI()
{
    if (!ui)
        return true;
    ui->pushButtonMirvelNet->setCheckable(true);
    ui->tabWidgetMirvelNet->setCurrentIndex(0);

    attachedTags = new QStandardItemModel(0, kColumns, ui->tableView_mnAttachedTags);
    slaveData = new QStandardItemModel(0, kColumns, ui->tableView_mnSlaveData);
    slaveData->setHorizontalHeaderLabels({tr("№ Ячейки"), tr("ID метки")});
    ui->tableView_mnAttachedTags->setModel(attachedTags);
    ui->tableView_mnSlaveData->setModel(slaveData);

    ui->lineEdit_mnCellNumber->setFocus();

    const std::pair<QLineEdit *, int> limits[] = {
        {ui->lineEdit_mnCellNumber, kCellTop},        {ui->lineEdit_mnZeroDelay, kDelayTop},
        {ui->lineEdit_mnSetReaderNetNum, kNetNumTop}, {ui->lineEdit_mnTagId, kTagIdTop},
        {ui->lineEdit_mnSetTagId, kTagIdTop},         {ui->lineEdit_mnSetTagPeriod, kDelayTop},
        {ui->lineEdit_mnSetTagDelay, kDelayTop},
    };
    for (const auto &limit : limits)
        BoundedIntValidator::install(limit.first, 1, limit.second);

    ui->comboBox_mnReaderMode->addItems({tr("Считыватель"), tr("Считыватель-индикатор"), tr("Метка с питанием"),
                                         tr("Мост Slave"), tr("Мост Master"), tr("Мост Slave Частотный выход"),
                                         tr("Мост Master Частотный выход")});
    ui->comboBox_mnTagMode->addItems({tr("Режим идентификации"), tr("Режим вертикального вращения"),
                                      tr("Режим горизонтального вращения"), tr("Режим датчика угла"),
                                      tr("Режим контроля переворота")});
    ui->comboBox_mnTagRange->addItems({tr("Минимум. 18 метров."), tr("Максимум. 50 метров.")});

    ui->tabWidgetMirvelNet->hide();
    return true;
}
