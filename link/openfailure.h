#ifndef OPENFAILURE_H
#define OPENFAILURE_H

#include <QSerialPort>
#include <QString>

// Why a serial port would not open: the error the serial library reported,
// read together with what the device node is now. The library says "no
// permission" both for a node the user may not open and for one another
// program holds (its exclusive open or its lock file), and "unsupported"
// for anything that is no terminal; the node tells them apart.
struct OpenFailure
{
    enum class Reason {
        None,         // the port opened
        Gone,         // no such node: the converter was unplugged
        NotPermitted, // the user may not open the node
        Busy,         // another program holds the port
        NotSerial,    // the node is no serial line (a file, /dev/null)
        LineFailed,   // the line failed while it was being opened and set up
        Other,
    };
    Reason reason = Reason::None;
    QString group;      // NotPermitted: the group whose members may open the node, if one may
    QString systemText; // the system's own words

    // The failure of opening `portName` (a name under /dev, or a path), as
    // the serial library reported it.
    static OpenFailure of(const QString &portName, QSerialPort::SerialPortError error, const QString &systemText);
};

#endif // OPENFAILURE_H
