#include "calibration/tarrun.h"

#include "calibration/cellnumber.h"
#include "calibration/myitemdelegateforcell.h"
#include "ui/switch.h"
#include "ui/widgettar.h"

#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

namespace {

constexpr QRect kUnitSwitchPlace(655, 260, 50, 25);
constexpr int kDeleteButtonGap = 20;
// The start row's volume: an empty tank when filling, a full one of this
// many units when draining.
constexpr double kFillStart = 0;
constexpr double kDrainStart = 1000;

} // namespace

TarRun::TarRun(QWidget *page, QObject *parent) : QObject(parent), page(page)
{
    deleteButton = new QPushButton(page);
    deleteButton->setObjectName("pushButtonForDeleteRows");
    deleteButton->setCursor(Qt::PointingHandCursor);
    deleteButton->hide();

    unit = new Switch(page);
    unit->setMinimumSize(kUnitSwitchPlace.size());
    unit->setGeometry(kUnitSwitchPlace);
    unit->setCheckable(true);
    unit->setVisible(true);
    unit->setFlag(true);
}

TarRun::~TarRun() = default;

void TarRun::bind(const TarBinding &binding)
{
    if (!binding.view || !binding.model)
        return;
    held = binding;
    QTableView *view = held.view;
    if (!held.delegate) {
        if (!ownDelegate || ownDelegate->parent() != view)
            ownDelegate = new MyItemDelegateForCell(view);
        held.delegate = ownDelegate;
    }
    connect(view, &QTableView::clicked, this, &TarRun::createButtonForDeleteRow, Qt::UniqueConnection);
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this, &TarRun::setUnvisibleuttonForDeleteRows,
            Qt::UniqueConnection);
    // Until the first sensor is added there is nothing to show.
    if (sensors == 0) {
        if (held.volumeCard)
            held.volumeCard->hide();
        view->hide();
    }
}

bool TarRun::hasTable() const
{
    return held.view && held.model;
}

void TarRun::setCards(WidgetTar *volume, WidgetTar *sensor1, WidgetTar *sensor2)
{
    held.volumeCard = volume;
    held.sensor1Card = sensor1;
    held.sensor2Card = sensor2;
}

void TarRun::setGallons(bool value)
{
    gallons = value;
    setVolumeTitle();
}

void TarRun::setVolumeTitle()
{
    if (held.volumeCard)
        held.volumeCard->setLabel1Text(gallons ? tr("Галлоны") : tr("Литры"));
}

int TarRun::cardWidth(WidgetTar *card) const
{
    return card ? card->width() : 0;
}

int TarRun::rowCount() const
{
    return held.model ? held.model->rowCount() : 0;
}

tarfile::Row TarRun::row(int r) const
{
    tarfile::Row out;
    const QStandardItemModel *model = held.model;
    for (int c = 0; c < model->columnCount(); ++c)
        out.append(cells::text(model->index(r, c).data(Qt::DisplayRole)));
    return out;
}

QList<tarfile::Row> TarRun::rows() const
{
    QList<tarfile::Row> out;
    if (!held.model)
        return out;
    for (int r = 0; r < held.model->rowCount(); ++r)
        out.append(row(r));
    return out;
}

void TarRun::appendRow(const tarfile::Row &row)
{
    QList<QStandardItem *> items;
    for (const QString &cell : row)
        items.append(cells::centredItem(cell));
    held.model->appendRow(items);
}

bool TarRun::addFirstSensor(int level)
{
    if (!hasTable() || sensors != 0)
        return false;
    QTableView *view = held.view;
    QStandardItemModel *model = held.model;
    view->setItemDelegate(held.delegate);
    for (QWidget *w : {static_cast<QWidget *>(held.volumeCard), static_cast<QWidget *>(held.sensor1Card),
                       static_cast<QWidget *>(view)}) {
        if (w)
            w->show();
    }
    const int w0 = cardWidth(held.volumeCard);
    const int w1 = cardWidth(held.sensor1Card);
    view->setColumnWidth(0, w0 - 1);
    view->setColumnWidth(1, w1 - 1);
    view->setMaximumWidth(w0 + w1 - 1);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    setVolumeTitle();

    // A table left by another run of the page starts afresh.
    releaseMirror();
    model->setRowCount(0);
    model->setColumnCount(2);
    appendRow({cells::numberText(drain ? kDrainStart : kFillStart), QString::number(level)});
    view->setModel(model);
    view->setRowHeight(0, kRowHeight);
    sensors = 1;
    updateTableSize();
    return true;
}

bool TarRun::addSecondSensor(int level)
{
    if (!hasTable() || sensors != 1 || held.model->rowCount() < 1)
        return false;
    QTableView *view = held.view;
    held.model->setItem(0, 2, cells::centredItem(QString::number(level)));
    held.model->setColumnCount(3);
    if (held.sensor2Card && held.sensor1Card) {
        held.sensor2Card->show();
        held.sensor2Card->move(held.sensor1Card->x() + held.sensor1Card->width(), held.sensor2Card->y());
    }
    const int w0 = cardWidth(held.volumeCard);
    const int w1 = cardWidth(held.sensor1Card);
    const int w2 = cardWidth(held.sensor2Card);
    view->setMaximumWidth(QWIDGETSIZE_MAX);
    view->setGeometry(held.volumeCard ? held.volumeCard->x() : view->x(), view->y(), w0 + w1 + w2, kRowHeight);
    view->setColumnWidth(0, w0 - 1);
    view->setColumnWidth(1, w1 - 1);
    view->setColumnWidth(2, w2 - 1);
    view->setMinimumWidth(w0 + w1 + w2 - 2);
    view->setRowHeight(0, kRowHeight);
    sensors = 2;
    updateTableSize();
    return true;
}

void TarRun::deleteSensor()
{
    if (!hasTable() || sensors == 0)
        return;
    QTableView *view = held.view;
    if (sensors >= 2) {
        if (held.sensor2Card)
            held.sensor2Card->hide();
        held.model->removeColumn(2);
        // The lines mirrored so far carry the removed reading: the next
        // write rewrites them all.
        forgetMirror();
        const int w0 = cardWidth(held.volumeCard);
        const int w1 = cardWidth(held.sensor1Card);
        const QRect card = held.volumeCard ? held.volumeCard->geometry() : view->geometry();
        view->setMinimumWidth(0);
        view->setGeometry(card.x(), card.y() + card.height() + 1, w0 + w1, kRowHeight);
        view->setColumnWidth(0, w0);
        view->setColumnWidth(1, w1);
        view->setMinimumWidth(w0 + w1);
        sensors = 1;
        updateTableSize();
        return;
    }
    sensors = 0;
    for (QWidget *w : {static_cast<QWidget *>(held.sensor1Card), static_cast<QWidget *>(held.volumeCard),
                       static_cast<QWidget *>(view)}) {
        if (w)
            w->hide();
    }
    // The run is put aside: its mirror stays for the next launch to offer.
    releaseMirror();
    held.model->setRowCount(0);
    started = false;
    if (unit)
        unit->setEnabled(true);
}

std::optional<double> TarRun::nextVolume(double step) const
{
    double last = 0;
    if (held.model && held.model->rowCount() > 0) {
        const QModelIndex cell = held.model->index(held.model->rowCount() - 1, 0);
        last = cells::number(cells::text(cell.data(Qt::DisplayRole))).value_or(0.0);
    }
    if (!drain)
        return last + step;
    // What is left is recorded as it is, however little; only an empty tank
    // ends the draining.
    const double rest = last - step;
    if (rest <= 0)
        return std::nullopt;
    return rest;
}

bool TarRun::addPortion(double volume, const int levels[tarfile::kMaxSensors])
{
    if (!hasTable() || sensors == 0)
        return false;
    started = true;
    tarfile::Row row{cells::numberText(volume), QString::number(levels[0])};
    if (sensors > 1)
        row.append(QString::number(levels[1]));
    appendRow(row);
    portionPending = true;
    held.view->verticalScrollBar()->setPageStep(1);
    connect(held.model, &QStandardItemModel::dataChanged, this, &TarRun::saveTempTarTable, Qt::UniqueConnection);
    updateTableSize();
    // The unit belongs to the whole table: once portions are recorded in it,
    // it stays until the run ends.
    if (held.model->rowCount() <= 2 && unit)
        unit->setEnabled(false);
    return true;
}

bool TarRun::deletePortion()
{
    deleteButton->hide();
    if (!hasTable() || held.model->columnCount() < 2 || held.model->rowCount() < 2 || rowToDelete < 0 ||
        rowToDelete >= held.model->rowCount())
        return false;
    held.model->removeRow(rowToDelete);
    updateTableSize();
    return true;
}

bool TarRun::loadRows(const QList<tarfile::Row> &rows, int sensorCount)
{
    if (!hasTable() || sensorCount < 1 || sensorCount > tarfile::kMaxSensors)
        return false;
    QTableView *view = held.view;
    QStandardItemModel *model = held.model;
    releaseMirror();
    model->setRowCount(0);
    model->setColumnCount(sensorCount + 1);
    for (const tarfile::Row &row : rows)
        appendRow(row.mid(0, sensorCount + 1));

    const int w0 = cardWidth(held.volumeCard);
    const int w1 = cardWidth(held.sensor1Card);
    const int w2 = cardWidth(held.sensor2Card);
    view->setModel(model);
    view->setItemDelegate(held.delegate);
    if (held.volumeCard) {
        const int top = held.volumeCard->y() + (held.sensor1Card ? held.sensor1Card->height() : 0);
        view->setGeometry(held.volumeCard->x(), top, w0 + w1, kRowHeight);
    }
    view->setMaximumWidth(QWIDGETSIZE_MAX);
    view->setMinimumWidth(sensorCount > 1 ? w0 + w1 + w2 : 0);
    view->setColumnWidth(0, w0);
    view->setColumnWidth(1, w1);
    if (sensorCount > 1)
        view->setColumnWidth(2, w2);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->show();
    if (held.volumeCard)
        held.volumeCard->show();
    if (held.sensor1Card)
        held.sensor1Card->show();
    if (sensorCount > 1 && held.sensor2Card && held.sensor1Card) {
        held.sensor2Card->show();
        held.sensor2Card->move(held.sensor1Card->x() + held.sensor1Card->width(), held.sensor2Card->y());
    }
    setVolumeTitle();

    sensors = sensorCount;
    started = true;
    if (unit)
        unit->setEnabled(false);
    connect(model, &QStandardItemModel::dataChanged, this, &TarRun::saveTempTarTable, Qt::UniqueConnection);
    updateTableSize();
    return true;
}

void TarRun::reset()
{
    deleteButton->hide();
    if (held.view)
        disconnect(held.view->verticalScrollBar(), &QScrollBar::valueChanged, this,
                   &TarRun::setUnvisibleuttonForDeleteRows);
    while (sensors > 0 && hasTable())
        deleteSensor();
    sensors = 0;
    started = false;
    unfinishedFound = false;
    releaseMirror();
    if (unit)
        unit->setEnabled(true);
}

void TarRun::forgetMirror()
{
    mirroredRows = -1;
    portionPending = false;
}

void TarRun::releaseMirror()
{
    forgetMirror();
    mirrorOwned = false;
}

void TarRun::adoptMirror(const QString &mirrorName, const QString &finishedName, const QStringList &devices,
                         const std::optional<QByteArray> &read, bool allRead)
{
    // What a mirror holds is known only while the run owns it: one taken
    // anew is written whole first, once it is found to hold what was read.
    if (mirrorName != mirror || !mirrorOwned) {
        mirroredRows = -1;
        mirroredText = read;
        mirroredName = mirrorName;
        holdsUnread = !allRead;
    }
    mirror = mirrorName;
    finishedCopy = finishedName;
    mirrorIds = devices;
    mirrorOwned = true;
}

bool TarRun::writeMirror()
{
    const bool portionOnly = portionPending;
    portionPending = false;
    changedElsewhere = false;
    if (!mirrorOwned || mirror.isEmpty() || !hasTable())
        return false;
    // The mirror is the run's own: one that holds something else than the
    // run last wrote was written by another program, whatever its size. It
    // is neither added to nor written over, however often asked; the caller
    // decides what becomes of it.
    if (mirrorChangedSinceWritten()) {
        changedElsewhere = true;
        mirroredRows = -1;
        return false;
    }
    const bool known = mirroredName == mirror && mirroredText;
    const int n = rowCount();
    bool written = false;
    QByteArray text;
    // A new portion alone adds its line to the mirror as it was last
    // written; anything else rewrites it whole.
    if (portionOnly && n > 0 && known && mirroredRows == n - 1 && QFile::exists(mirror)) {
        const QByteArray line = tarfile::runText({row(n - 1)});
        written = tarfile::appendToMirror(mirror, line);
        text = *mirroredText + line;
    } else {
        text = tarfile::runText(rows());
        written = tarfile::writeMirror(mirror, text);
    }
    mirroredName = mirror;
    mirroredRows = written ? n : -1;
    mirroredText = written ? std::optional<QByteArray>(text) : std::nullopt;
    holdsUnread = holdsUnread && !written;
    return written;
}

bool TarRun::mirrorChangedSinceWritten() const
{
    return mirroredName == mirror && mirroredText && QFile::exists(mirror) &&
           (holdsUnread || !tarfile::holds(mirror, *mirroredText));
}

void TarRun::saveTempTarTable()
{
    if (!writeMirror() && started)
        emit cellNotMirrored();
}

QSize TarRun::getTableViewSize(const QTableView *view)
{
    if (!view || !view->model())
        return QSize();
    const QHeaderView *rowsHeader = view->verticalHeader();
    const QHeaderView *columnsHeader = view->horizontalHeader();
    int width = rowsHeader->isHidden() ? 0 : rowsHeader->width();
    int height = columnsHeader->isHidden() ? 0 : columnsHeader->height();
    for (int c = 0; c < view->model()->columnCount(); ++c)
        width += view->columnWidth(c);
    for (int r = 0; r < view->model()->rowCount(); ++r)
        height += view->rowHeight(r);
    return QSize(width, height);
}

void TarRun::updateTableSize()
{
    if (!held.view)
        return;
    QTableView *view = held.view;
    const int limit = (page ? page->window()->height() : view->window()->height()) - kWindowRoom;
    if (getTableViewSize(view).height() <= limit) {
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->resize(getTableViewSize(view));
    }
    view->scrollToBottom();
}

void TarRun::createButtonForDeleteRow(const QModelIndex &index)
{
    if (!held.view || !index.isValid())
        return;
    QTableView *view = held.view;
    view->verticalScrollBar()->setPageStep(1);
    rowToDelete = index.row();
    const int extra = view->model() && view->model()->columnCount() > 2 ? view->columnWidth(2) : 0;
    const int top = view->y() + view->rowViewportPosition(rowToDelete) + view->rowHeight(rowToDelete) / 4;
    const int left = view->columnWidth(0) + view->columnWidth(1) + extra + kDeleteButtonGap;
    deleteButton->setGeometry(left, top, kDeleteButtonSize, kDeleteButtonSize);
    deleteButton->show();
    deleteButton->raise();
}

void TarRun::setUnvisibleuttonForDeleteRows()
{
    deleteButton->hide();
}
