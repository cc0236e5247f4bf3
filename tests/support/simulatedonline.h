#ifndef SIMULATEDONLINE_H
#define SIMULATEDONLINE_H

#include "simulateddevice.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <array>
#include <optional>

// A GSM/GPS online fuel sensor on the far end of a pseudo-terminal. It keeps
// its readings, modem state, IMEI and SIM, its 162-byte settings record and
// its password, and answers the way the unit does: status and level to its
// network number 1, settings, IMEI and horizon to its unit address 0xCA. The
// answers are put together here byte by byte from those fields, independently
// of the program's own decoders.
class SimulatedOnline : public SimulatedDevice
{
    Q_OBJECT
public:
    static constexpr quint8 kNetNum = 1;
    static constexpr quint8 kUnitAddress = 0xCA;
    static constexpr int kRecordSize = 162;
    // Offsets and widths of the settings record's fields.
    struct Field
    {
        int offset;
        int width;
    };
    static constexpr Field kApn{1, 30};
    static constexpr Field kApnUser{31, 20};
    static constexpr Field kApnPassword{51, 20};
    static constexpr Field kPin{71, 5};
    static constexpr Field kServer{76, 25};
    static constexpr Field kPort{101, 6};
    static constexpr Field kDeviceId{107, 10};
    static constexpr Field kServerPassword{117, 25};
    static constexpr int kPeriod = 142;
    static constexpr int kModes = 146;
    static constexpr int kAddresses = 154;

    struct Unit
    {
        // Level answer.
        qint8 temperature = 21;
        quint16 level = 512;
        qint32 count = 3012;
        qint32 empty = 2000;
        qint32 full = 4000;
        quint8 workingMode = 0x01;
        // Status answer.
        quint16 voltage = 1234; // hundredths of a volt
        std::array<quint16, 8> channels{{700, 11, 22, 33, 44, 55, 66, 77}};
        quint8 modemState = 17;
        quint8 gps = 9;
        quint8 traffic = 3;
        quint8 quality = 24;
        QByteArray imei = "86123456789012a";
        QByteArray sim = "8970101234567890";
        // Settings record, firmware and serial number of the settings answer.
        QByteArray record = QByteArray(kRecordSize, '\0');
        quint16 firmware = 105;
        qint32 serial = 40123;
        std::optional<quint32> password; // when set, writes need 0xF8 with it first
        bool unlocked = false;
    };
    Unit unit;

    // Fault switches, all off by default.
    bool silent = false;             // no answer at all
    bool badCrc = false;             // every answer leaves with a wrong last byte
    bool shortFrames = false;        // answers cut to half, those with a CRC closed with a right one
    bool glued = false;              // each answer is held back and sent with the next one
    bool commandsUnanswered = false; // carries out writes, modes and calibrations, but answers none

    explicit SimulatedOnline(QObject *parent = nullptr);

    // Writes a text into a record field, zero-filled behind it.
    static void putText(QByteArray &record, Field field, const QByteArray &utf8);
    // A record as a unit leaves the factory with: APN, user, server, port, period,
    // two extra devices on.
    static QByteArray sampleRecord();

    // What the unit took in: settings records of accepted writes, working
    // modes set, and the calibration commands it carried out.
    QList<QByteArray> appliedRecords;
    QList<quint8> appliedModes;
    int engineOnCount = 0;
    int engineOffCount = 0;
    int horizonCount = 0;

    // Requests with this command byte, in arrival order.
    QList<QByteArray> requestsWith(quint8 command) const;
    int countRequests(quint8 command) const { return requestsWith(command).size(); }

protected:
    QByteArray answerFor(const QByteArray &request) override;
    int requestLength(quint8 start, quint8 address, quint8 command) const override;

private:
    QByteArray frameFor(const QByteArray &request);
    QByteArray spoil(QByteArray answer) const;

    QByteArray held;
};

#endif // SIMULATEDONLINE_H
