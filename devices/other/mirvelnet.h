#ifndef MIRVELNET_H
#define MIRVELNET_H

#include <QWidget>

class QSerialPort;
class Ui_Deruvivuriri;

// Page of the wireless tag network. It only prepares its widgets on the main
// window's form; it sends nothing and has no signals.
class MirvelNet : public QWidget
{
    Q_OBJECT
public:
    MirvelNet(Ui_Deruvivuriri *form, QSerialPort *port);

    bool initUI();

private:
    Ui_Deruvivuriri *ui = nullptr;
    QSerialPort *serialPort = nullptr; // shared with the main window, not owned
};

#endif // MIRVELNET_H
