#ifndef LITERTOPERCENT_H
#define LITERTOPERCENT_H

#include <QDialog>
#include <QPointer>
#include <QString>

class MyItemDelegateForCell;
class QLabel;
class QStandardItemModel;
class QTableView;
class Switch;

// The dialog of the wired sensor's own table: 20 rows of a level and the
// litres or percent value belonging to it. It reads the table from the
// sensor and writes it back through the main window (it only asks, by its
// signals), loads and saves it as CSV, and sets the sensor's litres and
// percent modes with two switches.
class LiterToPercent : public QDialog
{
    Q_OBJECT
public:
    LiterToPercent(QWidget *parent, bool withCancel);
    ~LiterToPercent() override;

    Switch *getSwitchLitres() const { return switchLitres; }
    Switch *getSwitchPercent() const { return switchPercent; }
    void setSwitchLitres(Switch *value) { switchLitres = value; }
    void setSwitchPercent(Switch *value) { switchPercent = value; }

    QTableView *tableView() const;
    QStandardItemModel *tableModel() const;

    // The file behind loadFile and saveToFile, once the name is known. Each
    // tells the user when it fails and then leaves the table or the file as
    // it was.
    bool loadFromPath(const QString &path);
    bool saveToPath(const QString &path);

signals:
    void signalReadTable();
    void signalWriteTable();
    void signalSwitchLitres();
    void signalSwitchPercents();

public slots:
    void readTable();
    void writeTable();
    int saveToFile();
    int loadFile();
    bool setTable(int val, int row, int column);
    QString getTable(int row, int column);
    void statusMessage(QString text);
    void setDisableOrEnableSwitchPercent();

private:
    void showModel();
    void clearRows();

    QPointer<QTableView> view;
    QPointer<QStandardItemModel> model;
    MyItemDelegateForCell *delegate = nullptr;
    QLabel *valueTitle = nullptr;
    int columnWidth = 132;
    int titleHeight = 75;
    Switch *switchLitres = nullptr;
    Switch *switchPercent = nullptr;
};

#endif // LITERTOPERCENT_H
