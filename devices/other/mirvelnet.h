#ifndef MIRVELNET_H
#define MIRVELNET_H

#include <QWidget>

class QSerialPort;
class QStandardItemModel;
class Ui_Deruvivuriri;

// Page of the wireless tag network. It only prepares its widgets on the main
// window's form: lists, tables and input limits. It sends nothing and has no
// signals.
class MirvelNet : public QWidget
{
    Q_OBJECT
public:
    MirvelNet(Ui_Deruvivuriri *form, QSerialPort *port);
    ~MirvelNet() override;

    bool initUI();

    QStandardItemModel *attachedTagsModel() const { return attachedTags; }
    QStandardItemModel *slaveDataModel() const { return slaveData; }

private:
    Ui_Deruvivuriri *ui = nullptr;
    QSerialPort *serialPort = nullptr; // shared with the main window, not owned
    // Owned by their views on the form, so they live exactly as long as it.
    QStandardItemModel *attachedTags = nullptr;
    QStandardItemModel *slaveData = nullptr;
};

#endif // MIRVELNET_H
