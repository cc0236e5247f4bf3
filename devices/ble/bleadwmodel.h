#ifndef BLEADWMODEL_H
#define BLEADWMODEL_H

#include <QWidget>

// Data of one advertising slot of the USB BLE base: the wireless sensor heard
// in that slot. It shows nothing itself; a card on the BLE page shows it.
class BLEAdwModel : public QWidget
{
    Q_OBJECT
public:
    explicit BLEAdwModel(QWidget *parent = nullptr);

    bool isSmoothingOn() const { return flSmoothing; }

signals:
    void copyLevelValueToMain(int level, int device);

private:
    bool flSmoothing = false;
};

#endif // BLEADWMODEL_H
