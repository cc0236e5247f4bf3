#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "link/portconnection.h"
#include "simulatedfls.h"
#include "ui/widgettar.h"

#include <QLabel>
#include <QSerialPort>
#include <QtTest>

#include <memory>

// Several wired sensors of different models and settings on one bus, end to
// end through the main window: right after the search and after each pick in
// the network-number combo, the page shows the picked sensor's own serial
// number, firmware, level and settings, however the line delivers the answers
// (one by one, glued together, or cut in two).
class TestFlsBus : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void eachPickedSensorShowsItsOwnValues_data();
    void eachPickedSensorShowsItsOwnValues();

private:
    QStringList shown() const;

    std::unique_ptr<SimulatedFls> device;
    std::unique_ptr<Reriruvozive> window;
    Ui_Deruvivuriri *ui = nullptr;
    FLSDevice *page = nullptr;
};

namespace {

// Generous: with three sensors each is polled every third second, and glued
// answers wait for the next one.
constexpr int kShowMs = 12000;

struct Bus
{
    QList<SimulatedFls::Sensor> sensors;
    QList<QStringList> expected; // what the page shows for each sensor, in combo order
};

SimulatedFls::Sensor sensor(quint8 net, quint8 model, int form, quint16 firmware, quint32 serial, quint16 level,
                            quint8 a, quint8 b)
{
    SimulatedFls::Sensor s;
    s.netNum = net;
    s.model = model;
    s.form = form;
    s.firmware = firmware;
    s.serial = serial;
    s.level = level;
    s.configA = a;
    s.configB = b;
    return s;
}

// Serial, firmware, level, output type, filter type, filter, range position,
// lamp threshold, network number, status.
QStringList values(const char *serial, const char *firmware, const char *level, const char *mode,
                   const char *filterType, const char *filter, int range, const char *lamp, const char *net,
                   const char *status)
{
    return {QString::fromUtf8(serial), QString::fromUtf8(firmware),   QString::fromUtf8(level),
            QString::fromUtf8(mode),   QString::fromUtf8(filterType), QString::fromUtf8(filter),
            QString::number(range),    QString::fromUtf8(lamp),       QString::fromUtf8(net),
            QString::fromUtf8(status)};
}

Bus twoSensors()
{
    // A QF410 with an analog output on the wide range and the smart filter,
    // its lamp at 30 %; a QF470 with new firmware, active RS-485 and the
    // median filter at level 7.
    SimulatedFls::Sensor qf410 = sensor(5, SimulatedFls::kModelQF410, 45, 195, 1111, 300, 0x82, 0x06);
    qf410.lampThreshold = 30;
    const SimulatedFls::Sensor qf470 = sensor(9, SimulatedFls::kModelQF470, 29, 215, 2222, 700, 0x10, 0x47);
    return {{qf410, qf470},
            {values("1111", "1.9.5", "300", "Аналоговый", "Умная", "от 200 до 1000 литров", 1, "30", "5",
                    "Подключен QF410"),
             values("2222", "2.1.5", "700", "Активный RS-485", "Медианная", "7", 0, "0", "9", "Подключен QF470")}};
}

Bus threeSensors()
{
    Bus bus = twoSensors();
    // A QF260 with a frequency output and the heaviest smart filter class.
    bus.sensors.append(sensor(7, SimulatedFls::kModelQF260, 25, 204, 3333, 512, 0x04, 0x0C));
    bus.expected.append(
        values("3333", "2.0.4", "512", "Частотный", "Умная", "тяжёлые условия", 0, "0", "7", "Подключен QF260"));
    return bus;
}

} // namespace

void TestFlsBus::init()
{
    device = std::make_unique<SimulatedFls>();
    QVERIFY(device->isValid());
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit());
    window = std::make_unique<Reriruvozive>();
    ui = window->form();
    page = window->fls();
}

void TestFlsBus::cleanup()
{
    window.reset();
    device.reset();
    ui = nullptr;
    page = nullptr;
}

QStringList TestFlsBus::shown() const
{
    return {ui->label_SerNumVal->text(),
            ui->label_FirmwareVal->text(),
            ui->label_UrovenDUT->text(),
            ui->comboBox_ModeDUT->currentText(),
            ui->comboBoxTypeFiltration->currentText(),
            ui->comboBox_FiltrDUT->currentText(),
            QString::number(ui->comboBoxRangeDUT->currentIndex()),
            ui->lineEdit_Lamp->text(),
            ui->lineEditNetNumDUT->text(),
            page->getLabelStatusMessage()->text()};
}

void TestFlsBus::eachPickedSensorShowsItsOwnValues_data()
{
    QTest::addColumn<int>("sensors");
    QTest::addColumn<int>("delivery");
    QTest::addColumn<QString>("serialsLost"); // answers to serial requests lost: "" none, "search", "picks"
    QTest::newRow("two sensors, answers glued in pairs") << 2 << int(SimulatedDevice::Behaviour::Glued) << "";
    QTest::newRow("three sensors, one answer at a time") << 3 << int(SimulatedDevice::Behaviour::Answer) << "";
    QTest::newRow("two sensors, answers cut in two") << 2 << int(SimulatedDevice::Behaviour::Split) << "";
    QTest::newRow("two sensors, the search's serial answers lost")
        << 2 << int(SimulatedDevice::Behaviour::Answer) << "search";
    QTest::newRow("two sensors, the pick's serial answers lost")
        << 2 << int(SimulatedDevice::Behaviour::Answer) << "picks";
}

void TestFlsBus::eachPickedSensorShowsItsOwnValues()
{
    QFETCH(int, sensors);
    QFETCH(int, delivery);
    QFETCH(QString, serialsLost);
    const Bus bus = sensors == 3 ? threeSensors() : twoSensors();
    device->sensors = bus.sensors;
    device->setBehaviour(SimulatedDevice::Behaviour(delivery));

    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    if (serialsLost == "search")
        device->unansweredCommands = {0xFC};
    ui->pushButtonDeviceFLS->click();
    QVERIFY(window->port()->getSerialPort()->isOpen());

    QTRY_COMPARE_WITH_TIMEOUT(ui->comboBox_NetNumDUT->count(), sensors, kShowMs);
    if (serialsLost == "search") {
        // Serials lost in the search are asked again while polling.
        QTRY_VERIFY_WITH_TIMEOUT(device->countRequests(bus.sensors.last().netNum, 0xFC) > 0, kShowMs);
        device->unansweredCommands.clear();
    }
    // Right after the search the first sensor is the one shown.
    QTRY_COMPARE_WITH_TIMEOUT(shown(), bus.expected.at(0), kShowMs);

    // Each pick shows that sensor alone, and back to the first again.
    // Known from the search, a picked sensor's serial shows whether or not
    // the pick's own questions are answered.
    if (serialsLost == "picks")
        device->unansweredCommands = {0xFC};
    QList<int> picks;
    for (int i = 1; i < sensors; ++i)
        picks.append(i);
    picks.append(0);
    for (int pick : picks) {
        QList<int> serialRequests;
        for (const SimulatedFls::Sensor &s : bus.sensors)
            serialRequests.append(device->countRequests(s.netNum, 0xFC));
        // As the pick asks its sensor, the level beside its serial is that
        // sensor's, or none yet: never the one picked before.
        QString levelAtAsk;
        QObject context;
        connect(device.get(), &SimulatedDevice::requestReceived, &context, [&](const QByteArray &r) {
            if (levelAtAsk.isNull() && quint8(r.at(1)) == bus.sensors.at(pick).netNum && quint8(r.at(2)) == 0xFC)
                levelAtAsk = ui->label_UrovenDUT->text();
        });
        ui->comboBox_NetNumDUT->setCurrentIndex(pick);
        emit ui->comboBox_NetNumDUT->activated(pick);
        QVERIFY2(levelAtAsk == "--" || levelAtAsk == bus.expected.at(pick).at(2), qPrintable(levelAtAsk));
        // The pick asks the picked sensor itself for its serial and firmware,
        // whichever sensor the polling is at.
        for (int i = 0; i < sensors; ++i) {
            const int more = device->countRequests(bus.sensors.at(i).netNum, 0xFC) - serialRequests.at(i);
            QCOMPARE(more, i == pick ? 2 : 0);
        }
        QTRY_COMPARE_WITH_TIMEOUT(shown(), bus.expected.at(pick), kShowMs);
    }

    // Every card carries its own sensor's serial number and level.
    const QList<WidgetTar *> cards{page->getWidgetTarSensor1(), page->getWidgetTarSensor2(),
                                   page->getWidgetTarSensor3()};
    for (int i = 0; i < sensors; ++i) {
        const QList<QLabel *> lines = cards.at(i)->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(lines.size() >= 2);
        QTRY_COMPARE_WITH_TIMEOUT(lines.at(0)->text(), "Датчик#" + bus.expected.at(i).at(0), kShowMs);
        QTRY_COMPARE_WITH_TIMEOUT(lines.at(1)->text(), "Уровень " + bus.expected.at(i).at(2), kShowMs);
    }
}

QTEST_MAIN(TestFlsBus)
#include "tst_flsbus.moc"
