#ifndef TARRUN_H
#define TARRUN_H

#include "calibration/tarfile.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

class QAbstractItemDelegate;
class QModelIndex;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QWidget;
class Switch;
class WidgetTar;

// What a device page lends a calibration run: the table view on the
// calibration page, its model and the cards above the columns. The run owns
// none of them.
struct TarBinding
{
    QPointer<QTableView> view;
    QPointer<QStandardItemModel> model;
    QPointer<WidgetTar> volumeCard;
    QPointer<WidgetTar> sensor1Card;
    QPointer<WidgetTar> sensor2Card;
    // The page's own cell editor, when it keeps one; the run makes one otherwise.
    QPointer<QAbstractItemDelegate> delegate;
};

// One tank calibration: the table of portions (volume in column 0, the
// readings of one or two sensors after it) on a borrowed view, kept mirrored
// in a file after every change. Any page can run it: it hands over its table
// with bind() and its sensors' levels with each portion. Questions to the
// user and the choice of files stay with the caller.
class TarRun : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRowHeight = 35;
    // The view grows with its rows while it fits this far above the window's bottom.
    static constexpr int kWindowRoom = 210;
    static constexpr int kDeleteButtonSize = 15;

    // `page` is the calibration page: it carries the row delete button and
    // the unit switch the run makes.
    explicit TarRun(QWidget *page, QObject *parent = nullptr);
    ~TarRun() override;

    // Takes over a page's table. A binding without view or model leaves the
    // current one in place.
    void bind(const TarBinding &binding);
    const TarBinding &binding() const { return held; }
    bool hasTable() const;
    void setCards(WidgetTar *volume, WidgetTar *sensor1, WidgetTar *sensor2);

    QPushButton *rowDeleteButton() const { return deleteButton; }
    Switch *unitSwitch() const { return unit; }

    // State of the run.
    int sensorCount() const { return sensors; }
    bool isStarted() const { return started; }
    void setDrainMode(bool value) { drain = value; }
    void setGallons(bool value);
    bool hasTwoSensors() const { return twoSensors; }
    void setTwoSensors(bool value) { twoSensors = value; }
    bool isUnfinishedFound() const { return unfinishedFound; }
    void setUnfinishedFound(bool value) { unfinishedFound = value; }

    // The table.
    int rowCount() const;
    QList<tarfile::Row> rows() const;
    // Starts the table: the start row with sensor 1's level; false without a table.
    bool addFirstSensor(int level);
    // Adds sensor 2's column with its level in the start row.
    bool addSecondSensor(int level);
    // Removes the last sensor column; removing the only one empties the table.
    void deleteSensor();
    // Volume of the next portion for this step: on from the last row's
    // volume. Nothing when draining leaves nothing in the tank.
    std::optional<double> nextVolume(double step) const;
    // Appends a portion with the sensors' levels and mirrors the table.
    bool addPortion(double volume, const int levels[tarfile::kMaxSensors]);
    // Removes the row chosen with the delete button and mirrors the table.
    bool deletePortion();
    // Replaces the table with rows read from a file (volume first).
    bool loadRows(const QList<tarfile::Row> &rows, int sensorCount);
    // Ends the run: every column and row goes, the unit may change again.
    void reset();

    // The mirror file and the finished copy. The run writes only a mirror
    // it owns: one it was restored from or has written itself. A new table,
    // and a run put aside or ended, own none, so that nothing of this run
    // reaches a file another run left.
    QString mirrorName() const { return mirror; }
    QString finishedCopyName() const { return finishedCopy; }
    bool ownsMirror() const { return mirrorOwned; }
    // The sensors the mirror is named after, in column order: the run's own.
    // The run takes its mirror with one for each sensor column it has then.
    QStringList mirrorDevices() const { return mirrorIds; }
    // A mirror taken over at a restore is known by the bytes read from it:
    // one rewritten since is not the run's to add to or write over, nor one
    // with lines the run could not read (`allRead` false) until it is kept
    // aside, as its rewrite would lose them.
    void adoptMirror(const QString &mirrorName, const QString &finishedName, const QStringList &devices,
                     const std::optional<QByteArray> &read = std::nullopt, bool allRead = true);
    // Rewrites the mirror from the table; false when there is none, the run
    // does not own it, or it cannot be written.
    bool writeMirror();
    // True when the last write found that the mirror no longer holds what
    // the run wrote into it: another program wrote it since, and the run
    // wrote nothing over it.
    bool mirrorChangedElsewhere() const { return changedElsewhere; }
    // True when the mirror, as it is now, holds something else than the run
    // last wrote into it, or lines it was restored from and could not read.
    bool mirrorChangedSinceWritten() const;

    // Size that shows all rows and columns of a view.
    static QSize getTableViewSize(const QTableView *view);

public slots:
    // Shows the delete button beside the row clicked.
    void createButtonForDeleteRow(const QModelIndex &index);
    void setUnvisibleuttonForDeleteRows();
    // Fits the view to its rows while they fit the window, and keeps the
    // last row in sight.
    void updateTableSize();
    // Every later change of a cell goes to the mirror.
    void saveTempTarTable();

signals:
    // A cell of a recording run changed and its mirror does not hold it.
    void cellNotMirrored();

private:
    void appendRow(const tarfile::Row &row);
    tarfile::Row row(int r) const;
    // The table no longer matches what the mirror holds: the next write is whole.
    void forgetMirror();
    // The table is no longer the one the mirror holds.
    void releaseMirror();
    void setVolumeTitle();
    int cardWidth(WidgetTar *card) const;

    QWidget *page = nullptr;
    TarBinding held;
    QPointer<QAbstractItemDelegate> ownDelegate;
    QPushButton *deleteButton = nullptr;
    Switch *unit = nullptr;

    int sensors = 0;
    bool started = false;
    bool drain = false;
    bool gallons = false;
    bool twoSensors = false;
    bool unfinishedFound = false;
    int rowToDelete = 0;
    QString mirror;
    QString finishedCopy;
    QStringList mirrorIds;
    bool mirrorOwned = false;
    // What the mirror holds since its last write, so that a new portion
    // only adds its line, and a mirror another program wrote is noticed.
    QString mirroredName;
    int mirroredRows = -1;
    std::optional<QByteArray> mirroredText;
    bool portionPending = false;
    bool changedElsewhere = false;
    bool holdsUnread = false;
};

#endif // TARRUN_H
