#ifndef WIREDSESSION_H
#define WIREDSESSION_H

#include "simulatedfls.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

class FLSDevice;
class QAction;
class QLabel;
class Reriruvozive;
class Ui_Deruvivuriri;

// The real main window with a simulated wired sensor bus on a
// pseudo-terminal, the way a user starts: the port is offered among the
// window's ports, picked, and the wired sensor button pressed.
class WiredSession
{
public:
    WiredSession();
    ~WiredSession();
    WiredSession(const WiredSession &) = delete;
    WiredSession &operator=(const WiredSession &) = delete;

    bool isValid() const;
    // Picks the port and presses the wired sensor button; true once the
    // page's status line reads `status` (the model found).
    bool connect(const QString &status, int timeoutMs = 8000);
    // The same, for a bus whose one sensor is of this model and answer form.
    bool connectAs(quint8 model, int form, const QString &status);
    // The window is shown and active, so that its hot keys reach it.
    bool activate();
    // The service menu's entry with this object name, as the menu now is.
    QAction *serviceEntry(const QString &name) const;

    // What the log file got since the session began.
    QString logSinceStart() const;
    // Requests with this command byte to any address, in arrival order,
    // as hex with spaces.
    QStringList sent(quint8 command) const;
    // Command bytes of the requests since `from` (a request count), leaving
    // out polls, serial requests and searches.
    QList<quint8> writesSince(int from) const;

    std::unique_ptr<SimulatedFls> device;
    std::unique_ptr<Reriruvozive> window;
    Ui_Deruvivuriri *ui = nullptr;
    FLSDevice *page = nullptr;

private:
    qint64 logStart = 0;
};

// A write request as the sensor expects it: start, address, command, the
// write signature, payload, CRC-8; as hex with spaces.
QString signedRequest(quint8 net, quint8 command, const QByteArray &payload = QByteArray());
// A 32-bit value as requests carry it, most significant byte first.
QByteArray be32(quint32 value);
// True when the label is shown (on its page) with this picture.
bool showsPicture(const QLabel *label, const char *picture);

#endif // WIREDSESSION_H
