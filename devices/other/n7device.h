#ifndef N7DEVICE_H
#define N7DEVICE_H

#include "devices/base/basedevice.h"
#include "devices/other/n7protocol.h"

#include <QByteArray>
#include <QPixmap>
#include <QString>

#include <map>
#include <optional>
#include <set>
#include <utility>

class QLabel;
class QSerialPort;
class QStandardItem;
class QStandardItemModel;
class Ui_Deruvivuriri;

// Page of the fuel level indicator that keeps its own 40-row calibration
// table. It drives the main window's form and shares the main window's serial
// port (not owned). The indicator answers with frames that begin with 0x31.
// It sits at a fixed address, so its session has no search: the base's poll
// asks for the table of the chosen slot, and any answer proves it is there.
class N7Device : public BaseDevice
{
    Q_OBJECT
public:
    // What the main window asks of the active page.
    // Hidden widgets alone would leave its timers sending onto the next device's port.
    void switchOff() override
    {
        disconnectDevice();
        setVisiblePageWidgets(false);
    }
    // Cells of the table the user changed, or an address typed, not yet
    // written.
    bool settingsEdited() const override;
    // The edited cells show the indicator's last values again, and the
    // address typed goes.
    void discardEdits() override;

    N7Device(Ui_Deruvivuriri *form, QSerialPort *port);
    ~N7Device() override;

    bool initUI();
    bool getFirstDataRequest() const { return refresh; }
    void setFirstDataRequest(bool value);
    bool setCntUpdateUI();

    // The conversion table on show: cell access and the whole table.
    void setTable(int val, int row, int column);
    QString getTable(int row, int column) const;
    n7::Table table() const;
    QStandardItemModel *getModel() const { return model; }

    // The cells the user edited, by row and column, with what they hold:
    // the poll leaves them alone until they are written or discarded.
    using CellEdits = std::map<std::pair<int, int>, QString>;
    CellEdits editedCells() const;
    // A write sent `sent` (taken before it went out): each of those cells
    // that still holds what was sent goes back under the poll. One edited
    // again meanwhile stays the user's.
    void editsWritten(const CellEdits &sent);

    // The last look before a frame that changes the indicator goes: it is
    // asked for the chosen slot's table, as a poll asks, and has to answer
    // with one from its own address. The line is held while a file dialog is
    // open, and the watchdog with it: that the indicator answered before the
    // dialog says nothing of now. A lossy line is asked again. False, after
    // telling that nothing is heard and ending `run`, when it did not answer;
    // false too when `run`'s session ended.
    bool answersNow(Procedure &run);

    // The sensor slot whose table and address are on show; nothing before
    // the first table, and while the slot an answer belongs to is unknown
    // (answers carry no slot number).
    std::optional<quint8> shownTableSlot() const { return tableSlot; }

    // What came of loading a table file.
    struct TableLoad
    {
        enum Outcome {
            NoFile,    // none picked, or it could not be opened
            Loaded,    // the table on show is the file's
            NotText,   // the file is no text
            UnfitCell, // a cell holds what the indicator cannot
            NoRows,    // the file holds no row of a table
        };
        Outcome outcome = NoFile;
        n7::CellPlace cell; // with UnfitCell
        QString cellText;   // with UnfitCell
    };

    // Saves the table on show to a file the user picks, whose name goes to
    // `chosen`. The file dialog, and the question whether to replace a file
    // the dialog did not ask about, are boxes of `run`: its session's end
    // closes them, and nothing is saved. False only when the file could not
    // be written (nothing is left behind then); a cancelled choice is no
    // failure.
    bool saveToFile(Procedure &run, QString *chosen = nullptr);
    // Replaces the table from a file the user picks in a file dialog of
    // `run`, closed by its session's end with nothing loaded. A file that is
    // not such a table leaves the table on show as it was.
    TableLoad loadFile(Procedure &run);
    // The same without asking for a name.
    bool saveTableTo(const QString &fileName);
    TableLoad loadTableFrom(const QString &fileName);

public slots:
    void changeIconBtnConnectDevice(QString state, bool darkTheme);
    void connectDevice() override;
    void disconnectDevice() override;
    bool setVisiblePageWidgets(bool visible);
    bool viewIconChangedParam(bool visible);
    bool resetDeviceIsConnected();
    bool hideBirds();

protected:
    // An acknowledgement and the next table answer may come as one chunk.
    // The indicator starts its frames with the request start byte, so the
    // base's cut (at the answer start byte) does not fit.
    QList<QByteArray> splitChunk(const QByteArray &chunk) const override;
    void takeFrame(const QByteArray &answer) override;
    // Asks for the table of the slot chosen on the form.
    void pollTick() override;
    void watchdogRanOut() override;
    // The indicator answers on a fixed address: no search.
    bool searchesTheBus() const override { return false; }

private:
    bool initIcons();
    void initStatusMessage();
    void parseData(const n7::TableAnswer &answer);
    void fillTableFromAnswer(const n7::TableAnswer &answer);
    void setRows(const n7::Table &rows);
    void keepTableAboveFileButtons();
    void forgetTableSlot();
    void cellChanged(const QStandardItem *cell);
    void forgetEdits();

    // How many more answers show the page's widgets while the refresh flag is set.
    int updateCountdown = 3;
    bool refresh = true;
    QLabel *labelCaption = nullptr;
    QPixmap pixNotPolled, pixPolled;
    QStandardItemModel *model = nullptr;

    // Slots read since the last table answer: the answer belongs to one of
    // them, so it is known to be a slot's own only when they are all the same.
    std::optional<quint8> slotAsked;
    bool slotsAskedDiffer = false;
    std::optional<quint8> tableSlot;
    // Tables taken from the indicator's own address, counted.
    quint64 ownTables = 0;

    // The places the user edited, and the table the indicator last reported
    // (to show again when the edits are discarded).
    std::set<std::pair<int, int>> edits;
    std::optional<n7::TableAnswer> reported;
    // Set while the page itself fills the table: those changes are no edits.
    bool fillingTable = false;
};

#endif // N7DEVICE_H
