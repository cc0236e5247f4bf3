#ifndef BLEADWMODEL_H
#define BLEADWMODEL_H

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <array>

// Data of one advertising slot of the USB BLE base: the wireless sensor heard
// in that slot, decoded from its 38-byte record. It shows nothing itself; a
// card on the BLE page shows it, and the page takes the sensor's network
// number and name from it for its commands.
class BLEAdwModel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kNameLength = 9;
    // Upper ends of the level scale.
    static constexpr int kLevelMaxNarrow = 1023;
    static constexpr int kLevelMaxWide = 4095;
    static constexpr int kLevelMaxAngle = 180;

    explicit BLEAdwModel(QWidget *parent = nullptr);
    ~BLEAdwModel() override;

    // Decodes a record held in a byte array; a shorter array reads as zeros
    // where it ends, never beyond.
    void setParamRecord(const QByteArray &record);

    // Takes every value of another model (names and flags included).
    void assignFrom(const BLEAdwModel &other) { f = other.f; }

    int getNetNumber() const { return f.netNumber; }
    void setNetNumber(int value) { f.netNumber = value; }
    bool getFlConnectedDevice() const { return f.flConnectedDevice; }
    bool isSmoothingOn() const { return f.flSmoothing; }
    bool getFlDopParam() const { return f.flDopParam; }
    void setFlDopParam(bool value) { f.flDopParam = value; }
    qint8 getTemperature() const { return f.temperature; }
    quint16 getLevel() const { return f.level; }
    quint8 getRangeByte() const { return f.rangeByte; }
    quint8 getSmoothingByte() const { return f.smoothingByte; }
    quint8 getMode() const { return f.mode; }
    quint16 getIlluminance() const { return f.illuminance; }
    // The card shows the pressure's low 16 bits.
    quint16 getPressure() const { return quint16(f.pressure); }
    void setPressure(quint16 value) { f.pressure = value; }
    quint8 getParamSet() const { return f.paramSet; }
    qint16 getRssi() const { return f.rssi; }
    quint8 getBattery() const { return f.battery; }
    quint8 getListNumber() const { return f.listNumber; }
    quint8 getSlotMask() const { return f.slotMask; }
    int getLevelMax() const { return f.levelMax; }
    bool getFlLinked() const { return f.flLinked; }
    void setFlLinked(bool value) { f.flLinked = value; }
    // The name typed for a connection, converted to 8-bit text; only its
    // first nine bytes are kept.
    void setNameForConnect(const QString &name);
    void clearNames();

public slots:
    // Decodes the 38 bytes at buf.
    void setParamDevice(const char *buf);
    // Clears the live values of a freed slot.
    void setParamNull();
    void resetSettingToDefault();
    void resetFlConnectedDevice();
    void setFlConnectedDevice(bool value);
    // True when the name's six digits are not all "0" and the number byte
    // counts as a sensor.
    bool checkConnectionDevice() const;
    QString getNameChar() const;
    void setNameChar(const char *data);
    // The nine characters typed for the connection (not terminated).
    const char *getNameCharForConnect() const { return f.nameCharForConnect.data(); }
    void setNameCharForConnect(const char *data);

signals:
    void copyLevelValueToMain(int level, int device);
    // The slot holds a sensor again after it held none.
    void deviceAdwertIsConnected();

private:
    using Name = std::array<char, kNameLength>;

    struct Fields
    {
        int netNumber = 0;
        bool flConnectedDevice = false;
        bool flSmoothing = false;
        bool flDopParam = false;
        qint8 temperature = 0;
        quint16 level = 0;
        quint32 reserved = 0;
        quint8 rangeByte = 0;
        quint8 smoothingByte = 0;
        quint8 spareByte = 0;
        quint8 mode = 0;
        quint16 illuminance = 0;
        quint32 pressure = 0;
        quint8 paramSet = 0;
        qint16 rssi = 0;
        quint8 battery = 0;
        Name nameChar{};
        Name nameCharForConnect{};
        quint8 listNumber = 0;
        quint8 slotMask = 0;
        int levelMax = 0;
        bool flLinked = false;
    };
    Fields f;
};

#endif // BLEADWMODEL_H
