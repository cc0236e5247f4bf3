#include "calibration/litertopercent.h"

#include "calibration/calibrationdialogs.h"
#include "calibration/cellnumber.h"
#include "calibration/myitemdelegateforcell.h"
#include "calibration/sensortable.h"
#include "files/textfile.h"
#include "ui/filedialogs.h"
#include "ui/switch.h"

#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr QSize kSwitchSize(50, 25);
constexpr int kLabelWidth = 90;
constexpr int kLevelStep = 20; // the rows a new dialog starts with
constexpr int kValueStep = 30;

QPushButton *pointingButton(const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

LiterToPercent::LiterToPercent(QWidget *parent, bool withCancel) : QDialog(parent)
{
    QPushButton *write = pointingButton(tr("Записать\nв датчик"), this);
    QPushButton *read = pointingButton(tr("Считать\nиз датчика"), this);
    QPushButton *load = pointingButton(tr("Загрузить"), this);
    QPushButton *save = pointingButton(tr("Выгрузить"), this);

    switchLitres = new Switch(this);
    switchPercent = new Switch(this);
    for (Switch *sw : {switchLitres, switchPercent}) {
        sw->setMinimumSize(kSwitchSize);
        sw->setFixedSize(kSwitchSize);
        sw->setCheckable(true);
        sw->setCursor(Qt::PointingHandCursor);
    }
    connect(switchLitres, &Switch::toggled, this, [this] {
        emit signalSwitchLitres();
        setDisableOrEnableSwitchPercent();
    });
    connect(switchPercent, &Switch::toggled, this, &LiterToPercent::signalSwitchPercents);

    auto *litresLabel = new QLabel(tr("Литры"), this);
    litresLabel->setMinimumWidth(kLabelWidth);
    auto *litresUnit = new QLabel(QStringLiteral("л"), this);
    auto *percentLabel = new QLabel(tr("Проценты"), this);
    percentLabel->setMinimumWidth(kLabelWidth);
    auto *percentUnit = new QLabel(QStringLiteral("%"), this);
    auto *levelTitle = new QLabel(tr("Уровень"), this);
    valueTitle = new QLabel(tr("Литры"), this);
    for (QLabel *title : {levelTitle, valueTitle}) {
        title->setMinimumWidth(columnWidth);
        title->setMinimumHeight(titleHeight);
        title->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    }

    view = new QTableView(this);
    delegate = new MyItemDelegateForCell(this);

    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);

    connect(load, &QPushButton::clicked, this, &LiterToPercent::loadFile);
    connect(read, &QPushButton::clicked, this, &LiterToPercent::readTable);
    connect(write, &QPushButton::clicked, this, &LiterToPercent::writeTable);
    connect(save, &QPushButton::clicked, this, &LiterToPercent::saveToFile);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(read);
    buttons->addWidget(write);
    buttons->addWidget(load);
    buttons->addWidget(save);
    buttons->setSpacing(20);
    buttons->setContentsMargins(50, 10, 50, 10);

    auto *bottom = new QHBoxLayout;
    if (withCancel) {
        QPushButton *cancel = pointingButton(tr("Отмена"), this);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        bottom->addWidget(cancel);
        bottom->addSpacing(10);
    }
    QPushButton *ok = pointingButton(tr("OK"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(ok);
    bottom->setContentsMargins(20, 10, 20, 10);

    auto *litresRow = new QHBoxLayout;
    litresRow->addWidget(litresLabel);
    litresRow->addWidget(switchLitres);
    litresRow->addWidget(litresUnit);
    litresRow->setSpacing(10);
    litresRow->setContentsMargins(5, 5, 5, 5);
    auto *percentRow = new QHBoxLayout;
    percentRow->addWidget(percentLabel);
    percentRow->addWidget(switchPercent);
    percentRow->addWidget(percentUnit);
    percentRow->setSpacing(10);
    percentRow->setContentsMargins(5, 5, 5, 5);

    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(0);
    grid->addWidget(levelTitle, 0, 0, 1, 6, Qt::AlignCenter);
    grid->addWidget(valueTitle, 0, 6, 1, 6, Qt::AlignCenter);
    grid->addWidget(view, 1, 0, 10, 12);
    grid->addLayout(buttons, 0, 14, 2, 4, Qt::AlignRight | Qt::AlignTop);
    grid->addLayout(litresRow, 6, 14, 1, 3, Qt::AlignHCenter);
    grid->addLayout(percentRow, 8, 14, 1, 3, Qt::AlignHCenter);
    grid->addLayout(bottom, 11, 14, 2, 4, Qt::AlignRight | Qt::AlignBottom);

    model = new QStandardItemModel(0, sensortable::kColumns, this);
    for (int i = 0; i < sensortable::kRows; ++i)
        model->appendRow(
            {cells::centredItem(QString::number(kLevelStep * i)), cells::centredItem(QString::number(kValueStep * i))});
    showModel();
}

LiterToPercent::~LiterToPercent() = default;

QTableView *LiterToPercent::tableView() const
{
    return view;
}

QStandardItemModel *LiterToPercent::tableModel() const
{
    return model;
}

void LiterToPercent::showModel()
{
    if (!view)
        return;
    view->setModel(model);
    for (int c = 0; c < sensortable::kColumns; ++c)
        view->setColumnWidth(c, columnWidth);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->setItemDelegate(delegate);
}

void LiterToPercent::clearRows()
{
    if (model)
        model->removeRows(0, model->rowCount());
}

void LiterToPercent::readTable()
{
    clearRows();
    emit signalReadTable();
}

void LiterToPercent::writeTable()
{
    emit signalWriteTable();
}

bool LiterToPercent::setTable(int val, int row, int column)
{
    // The sensor's answer fills the emptied table column by column: the
    // level column builds the rows, the value column finds them there.
    if (!model || row < 0 || row >= sensortable::kRows || column < 0 || column >= sensortable::kColumns)
        return true;
    while (model->rowCount() <= row) {
        QList<QStandardItem *> empty;
        for (int c = 0; c < sensortable::kColumns; ++c)
            empty.append(new QStandardItem);
        model->appendRow(empty);
    }
    model->setItem(row, column, cells::centredItem(QString::number(val)));
    return true;
}

QString LiterToPercent::getTable(int row, int column)
{
    if (!model || row < 0 || column < 0 || row >= model->rowCount() || column >= model->columnCount() ||
        !model->item(row, column))
        return QStringLiteral("error");
    return cells::text(model->item(row, column)->data(Qt::DisplayRole));
}

void LiterToPercent::statusMessage(QString text)
{
    calibrationdialogs::tell(this, text);
}

void LiterToPercent::setDisableOrEnableSwitchPercent()
{
    if (switchLitres && switchPercent)
        switchPercent->setEnabled(switchLitres->getState());
}

int LiterToPercent::loadFile()
{
    // Over this dialog, which the sensor's session closes with every dialog
    // over it: a file picked after that is no table of the sensor's.
    const QString path =
        askOpenFileName(this, tr("Выберете файл для пересчёта"), QStringLiteral("/"), QStringLiteral("*.csv"));
    if (path.isEmpty())
        return 0;
    return loadFromPath(path) ? 1 : 0;
}

bool LiterToPercent::loadFromPath(const QString &path)
{
    if (!model)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        statusMessage(tr("Не удалось открыть файл"));
        return false;
    }
    const sensortable::ParsedCsv parsed = sensortable::parseCsv(file.readAll());
    if (parsed.badLine) {
        statusMessage(tr("Строка %1 файла не прочитана.\nТаблица не изменена").arg(parsed.badLine));
        return false;
    }
    if (parsed.tooManyRows) {
        statusMessage(tr("В файле больше 20 строк.\nТаблица не изменена"));
        return false;
    }
    if (parsed.rows.isEmpty()) {
        statusMessage(tr("Файл пуст.\nТаблица не изменена"));
        return false;
    }
    clearRows();
    for (const QStringList &row : parsed.rows) {
        QList<QStandardItem *> items;
        for (const QString &cell : row)
            items.append(cells::centredItem(cell));
        model->appendRow(items);
    }
    showModel();
    return true;
}

int LiterToPercent::saveToFile()
{
    if (!view || !model)
        return 1;
    const QString path = calibrationdialogs::askCsvSaveName(this);
    if (!path.isEmpty())
        saveToPath(path);
    return 1;
}

bool LiterToPercent::saveToPath(const QString &path)
{
    if (!model)
        return false;
    QList<QStringList> rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model->columnCount(); ++c) {
            const QStandardItem *item = model->item(r, c);
            row.append(item ? cells::text(item->data(Qt::DisplayRole)) : QString());
        }
        rows.append(row);
    }
    if (!textfile::writeWhole(path, sensortable::csvText(rows))) {
        statusMessage(tr("Не удалось сохранить файл") + QLatin1Char('\n') + QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}
