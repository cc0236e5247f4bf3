#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "link/frame.h"
#include "link/portconnection.h"
#include "simulateddevice.h"
#include "ui/switch.h"

#include <QFile>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

// A 29-byte all-data answer of network number 5 naming `model`, with the
// given configuration bytes.
QByteArray allData(quint8 model, quint8 a = 0, quint8 b = 0)
{
    QByteArray data(25, '\0');
    data[17] = char(a);     // byte 20 of the frame
    data[19] = char(b);     // byte 22
    data[24] = char(model); // byte 27
    return SimulatedDevice::answerFrame(0x05, 0xF0, data);
}

QByteArray firmware(quint16 version)
{
    QByteArray data(6, '\0');
    data[4] = char(version & 0xFF);
    data[5] = char(version >> 8);
    return SimulatedDevice::answerFrame(0x05, 0xFC, data);
}

void feed(FLSDevice *page, QByteArray bytes)
{
    page->run(bytes.size(), bytes.data());
}

QString logText()
{
    QFile log(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/log.txt");
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

} // namespace

// The wired sensor's parameter widgets as the main window reads them for the
// parameter write, and the marks it sets when the user edits them.
class TestFlsParams : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void modeCodesComeFromTheOutputText_data();
    void modeCodesComeFromTheOutputText();
    void onlyTheWiredPageHasAModeOrAFilterType();
    void filterCodesFollowModelTypeAndFirmware_data();
    void filterCodesFollowModelTypeAndFirmware();
    void everySwitchOnGivesTheHighBits();
    void changingTheFilterTypeConvertsTheLevel_data();
    void changingTheFilterTypeConvertsTheLevel();
    void editsAreMarkedAndLogged();
    void engineerBackReturnsToTheSensorPage();

private:
    // Connects the wired page to a sensor of `model` with `version` firmware,
    // fed straight to the page.
    void recognise(quint8 model, quint16 version);

    std::unique_ptr<SimulatedDevice> device;
    std::unique_ptr<Reriruvozive> window;
    Ui_Deruvivuriri *ui = nullptr;
    FLSDevice *page = nullptr;
};

void TestFlsParams::init()
{
    device = std::make_unique<SimulatedDevice>();
    QVERIFY(device->isValid());
    qputenv("RERIRUVOZIVE_EXTRA_PORTS", device->portPath().toLocal8Bit());
    window = std::make_unique<Reriruvozive>();
    ui = window->form();
    page = window->fls();
    ui->comboBox_SerialPort->setCurrentText(device->portPath());
    ui->pushButtonDeviceFLS->click();
    QVERIFY(window->deviceFlags().fls);
}

void TestFlsParams::cleanup()
{
    window.reset();
    device.reset();
    ui = nullptr;
    page = nullptr;
}

void TestFlsParams::recognise(quint8 model, quint16 version)
{
    page->setSearchActive(true);
    feed(page, QByteArray(1, '\x05'));
    feed(page, firmware(version));
    feed(page, allData(model));
}

void TestFlsParams::modeCodesComeFromTheOutputText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("master");
    QTest::addColumn<bool>("invers");
    QTest::addColumn<int>("code");
    QTest::newRow("passive 485") << "Пассивный RS-485" << false << false << 0x00;
    QTest::newRow("analog") << "Аналоговый" << false << false << 0x02;
    QTest::newRow("frequency") << "Частотный" << false << false << 0x04;
    QTest::newRow("pulse") << "Импупльсный" << false << false << 0x06;
    QTest::newRow("active 485") << "Активный RS-485" << false << false << 0x10;
    QTest::newRow("passive 232") << "Пассивный RS-232" << false << false << 0x12;
    QTest::newRow("active 232 shares 485's code") << "Активный RS-232" << false << false << 0x10;
    QTest::newRow("unknown text") << "something" << false << false << 0x00;
    QTest::newRow("master") << "Аналоговый" << true << false << 0x0A;
    QTest::newRow("inverse") << "Частотный" << false << true << 0x05;
    QTest::newRow("both") << "Активный RS-485" << true << true << 0x19;
}

void TestFlsParams::modeCodesComeFromTheOutputText()
{
    QFETCH(QString, text);
    QFETCH(bool, master);
    QFETCH(bool, invers);
    QFETCH(int, code);
    QVERIFY(page->getSwitchMaster() && page->getSwitchInvers());
    ui->comboBox_ModeDUT->clear();
    ui->comboBox_ModeDUT->addItem(text);
    page->getSwitchMaster()->setState(master);
    page->getSwitchInvers()->setState(invers);
    QCOMPARE(int(window->getMode()), code);
}

void TestFlsParams::onlyTheWiredPageHasAModeOrAFilterType()
{
    ui->comboBox_ModeDUT->clear();
    ui->comboBox_ModeDUT->addItem("Аналоговый");
    ui->comboBoxTypeFiltration->setCurrentIndex(1);
    QCOMPARE(int(window->getTypeFiltr()), 0x40);
    ui->pushButtonDeviceFLS->click(); // off again
    QVERIFY(!window->deviceFlags().fls);
    QCOMPARE(int(window->getMode()), 0);
    QCOMPARE(int(window->getTypeFiltr()), 0);
    QCOMPARE(int(window->getFiltr()), 0);
}

void TestFlsParams::filterCodesFollowModelTypeAndFirmware_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("firmware");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("code");
    QTest::newRow("smart class 1") << 0x01 << 195 << "Умная" << 1 << 3;
    QTest::newRow("smart class 4") << 0x01 << 195 << "Умная" << 4 << 12;
    QTest::newRow("median 4") << 0x01 << 195 << "Медианная" << 4 << 4;
    QTest::newRow("median 7, old firmware") << 0x01 << 194 << "Медианная" << 7 << 0;
    QTest::newRow("median 7, new firmware") << 0x01 << 195 << "Медианная" << 7 << 7;
    QTest::newRow("generic ignores the type") << 0x61 << 100 << "Умная" << 2 << 2;
    QTest::newRow("generic 15") << 0x61 << 100 << "Медианная" << 15 << 15;
    QTest::newRow("no item") << 0x01 << 195 << "Умная" << -1 << 0;
}

void TestFlsParams::filterCodesFollowModelTypeAndFirmware()
{
    QFETCH(int, model);
    QFETCH(int, firmware);
    QFETCH(QString, type);
    QFETCH(int, index);
    QFETCH(int, code);
    recognise(quint8(model), quint16(firmware));
    QCOMPARE(page->isGenericFLS(), model == 0x61);
    ui->comboBoxTypeFiltration->clear();
    ui->comboBoxTypeFiltration->addItem(type);
    ui->comboBox_FiltrDUT->clear();
    ui->comboBox_FiltrDUT->addItem("Нет");
    for (int i = 1; i < 16; ++i)
        ui->comboBox_FiltrDUT->addItem(QString::number(i));
    ui->comboBox_FiltrDUT->setCurrentIndex(index);
    for (Switch *sw : {page->getSwitchAngle(), page->getSwitchTermo(), page->getSwitchEcoDrive()})
        sw->setState(false);
    QCOMPARE(int(window->getFiltr()), code);
}

void TestFlsParams::everySwitchOnGivesTheHighBits()
{
    recognise(0x61, 100);
    ui->comboBox_FiltrDUT->clear();
    for (int i = 0; i < 16; ++i)
        ui->comboBox_FiltrDUT->addItem(QString::number(i));
    ui->comboBox_FiltrDUT->setCurrentIndex(15);
    for (Switch *sw : {page->getSwitchAngle(), page->getSwitchTermo(), page->getSwitchEcoDrive()})
        sw->setState(true);
    QCOMPARE(int(window->getFiltr()), 0xBF);
    ui->comboBoxTypeFiltration->clear();
    ui->comboBoxTypeFiltration->addItems({"Умная", "Медианная"});
    ui->comboBoxTypeFiltration->setCurrentIndex(1);
    QCOMPARE(int(window->getFiltr() | window->getTypeFiltr()), 0xFF);
}

void TestFlsParams::changingTheFilterTypeConvertsTheLevel_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("shown");
    QTest::newRow("to smart, none") << "Умная" << 0 << 5 << "Нет";
    QTest::newRow("to smart, 4") << "Умная" << 4 << 5 << "до 200 литров";
    QTest::newRow("to smart, 5") << "Умная" << 5 << 5 << "от 200 до 1000 литров";
    QTest::newRow("to smart, 11") << "Умная" << 11 << 5 << "более 1000 литров";
    QTest::newRow("to smart, 12") << "Умная" << 12 << 5 << "тяжёлые условия";
    QTest::newRow("to median, none") << "Медианная" << 0 << 16 << "Нет";
    QTest::newRow("to median, class 1") << "Медианная" << 1 << 16 << "2";
    QTest::newRow("to median, class 4") << "Медианная" << 4 << 16 << "11";
}

void TestFlsParams::changingTheFilterTypeConvertsTheLevel()
{
    QFETCH(QString, type);
    QFETCH(int, level);
    QFETCH(int, count);
    QFETCH(QString, shown);
    ui->comboBoxTypeFiltration->clear();
    ui->comboBoxTypeFiltration->addItem(type);
    window->convertFiltration(level);
    QCOMPARE(ui->comboBox_FiltrDUT->count(), count);
    QCOMPARE(ui->comboBox_FiltrDUT->currentText(), shown);
}

void TestFlsParams::editsAreMarkedAndLogged()
{
    page->setParamChanged(false);
    QVERIFY(ui->label_Alarm_2DUT->isHidden());
    emit ui->comboBox_ModeDUT->activated(0);
    QVERIFY(ui->label_Alarm_2DUT->isVisibleTo(ui->DUT));
    QVERIFY(page->isParamChanged());
    QTRY_VERIFY(logText().contains(" -- Change mode\r\n"));

    page->setParamChanged(false);
    emit ui->comboBox_FiltrDUT->activated(0);
    QVERIFY(ui->label_Alarm_3DUT->isVisibleTo(ui->DUT));
    QVERIFY(page->isParamChanged());
    QTRY_VERIFY(logText().contains(" -- Change filtration\r\n"));

    // Switching the type converts the level chosen for the other type.
    ui->comboBoxTypeFiltration->clear();
    ui->comboBoxTypeFiltration->addItems({"Умная", "Медианная"});
    ui->comboBoxTypeFiltration->setCurrentIndex(1);
    ui->comboBox_FiltrDUT->clear();
    ui->comboBox_FiltrDUT->addItems({"Нет", "до 200 литров", "от 200 до 1000 литров"});
    ui->comboBox_FiltrDUT->setCurrentIndex(2);
    emit ui->comboBoxTypeFiltration->activated(1);
    QVERIFY(ui->labelAlarmTypeFiltr->isVisibleTo(ui->DUT));
    QCOMPARE(ui->comboBox_FiltrDUT->currentText(), QString("5"));
    QTRY_VERIFY(logText().contains(" -- Change type filtration\r\n"));

    page->setParamChanged(false);
    emit ui->lineEditNetNumDUT->textEdited("7");
    QVERIFY(ui->label_Alarm_6DUT->isVisibleTo(ui->DUT));
    QVERIFY(page->isParamChanged());
}

void TestFlsParams::engineerBackReturnsToTheSensorPage()
{
    ui->stackedWidget->setCurrentWidget(ui->EngineerMenuDUT);
    page->setVisibleSwitch(false);
    QVERIFY(page->getSwitchMaster()->isHidden());
    ui->pushBtnEngineerBack->click();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->DUT);
    QVERIFY(!page->getSwitchMaster()->isHidden());
}

QTEST_MAIN(TestFlsParams)
#include "tst_flsparams.moc"
