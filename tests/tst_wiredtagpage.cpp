#include "app/portlist.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/other/wiredtagdevice.h"
#include "link/frame.h"
#include "link/portconnection.h"
#include "pagefixture.h"
#include "simulatedwiredtag.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QSerialPort>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// The wired tag reader page. No control of the window makes the reader the
// active device, so its answers never reach the page through the window's
// routing; the page is tested on a form of its own, fed chunks the way the
// routing hands them, and with the window's commands against a simulated
// reader on a pseudo-terminal, the line's chunks handed to the page directly.

namespace {

constexpr quint8 kNet = 5;

// Answer frames as the reader sends them, put together field by field.
QByteArray frameOf(quint8 net, quint8 command, const QByteArray &data)
{
    QByteArray bytes;
    bytes.append(char(0x3E));
    bytes.append(char(net));
    bytes.append(char(command));
    bytes.append(data);
    return frame::withCrc(bytes);
}

QByteArray le32(quint32 v)
{
    QByteArray out;
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
    return out;
}

QByteArray readAnswer(quint8 net, quint8 mode)
{
    QByteArray data(20, '\0');
    data[17] = char(mode); // byte 20 of the frame
    return frameOf(net, 0xF0, data);
}

QByteArray serialAnswer(quint8 net, quint32 serial, quint16 firmware)
{
    return frameOf(net, 0xFC, le32(serial) + char(firmware & 0xFF) + char(firmware >> 8));
}

QByteArray tagIdAnswer(quint8 net, quint32 id)
{
    return frameOf(net, 0x06, QByteArray(1, '\0') + le32(id));
}

QByteArray setIdAnswer(quint8 net, quint32 id)
{
    return frameOf(net, 0xE1, le32(id));
}

QByteArray spoilt(QByteArray frame)
{
    frame[frame.size() - 1] = char(frame.back() ^ 0x5A);
    return frame;
}

} // namespace

class TestWiredTagPage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // The page on a form of its own.
    void searchAnswerNamesTheReaderAndAsksForItsData_data();
    void searchAnswerNamesTheReaderAndAsksForItsData();
    void lateAnswerBeforeTheNumberIsNoReader();
    void firstReadAnswerShowsTheReader_data();
    void firstReadAnswerShowsTheReader();
    void readAnswerWithBadCrcOnlyMovesOn();
    void tagIdShowsInTheChosenBase_data();
    void tagIdShowsInTheChosenBase();
    void serialAnswerShowsSerialAndFirmware_data();
    void serialAnswerShowsSerialAndFirmware();
    void severalReadersAreAddressedInTurn_data();
    void severalReadersAreAddressedInTurn();
    void answersNotForThisReaderChangeNothing_data();
    void answersNotForThisReaderChangeNothing();
    void answerShorterThanItsFieldsIsDropped_data();
    void answerShorterThanItsFieldsIsDropped();
    void gluedAnswersAreEachTaken();
    void silenceInTheSearchResetsThePage();
    void hostileChunksNeitherCrashNorShow();

    // The window's commands against a simulated reader.
    void readerIsFoundAndSetUpWithTheWindowsCommands();
    void emptyOrUnreadableInputsSendNothing();
    void faultyReaderIsNeverShownConnected_data();
    void faultyReaderIsNeverShownConnected();
    void gluedAnswersOnTheLineAreEachTaken();

private:
    // The page on its own form.
    quint8 feed(const QByteArray &chunk);
    void connectPage(quint8 mode = 1);
    QStringList shown() const;

    std::unique_ptr<PageFixture<WiredTagDevice>> fixture;
    WiredTagDevice *page = nullptr;
    Ui_Deruvivuriri *ui = nullptr;

    // The window with the simulated reader on its port.
    void openWindow();
    void searchTheBus();

    std::unique_ptr<SimulatedWiredTag> device;
    std::unique_ptr<Reriruvozive> window;
    Ui_Deruvivuriri *wui = nullptr;
    WiredTagDevice *wpage = nullptr;
    int chunksTaken = 0;
};

void TestWiredTagPage::init()
{
    fixture = std::make_unique<PageFixture<WiredTagDevice>>();
    page = fixture->page.get();
    ui = fixture->ui.get();
    // The window fills the mode list; here the page's form has to.
    ui->comboBoxModeWT->addItems({"Режим Метка", "Режим Считыватель"});
}

void TestWiredTagPage::cleanup()
{
    window.reset();
    device.reset();
    fixture.reset();
    page = wpage = nullptr;
    ui = wui = nullptr;
    chunksTaken = 0;
}

quint8 TestWiredTagPage::feed(const QByteArray &chunk)
{
    quint8 result = 0;
    PageFixture<WiredTagDevice>::feedExactly(chunk, [this, &result](int n, char *bytes) {
        result = page->parseResponse(n, bytes, page->getCurrentCommand());
    });
    return result;
}

void TestWiredTagPage::connectPage(quint8 mode)
{
    feed(QByteArray(1, char(kNet)));
    QCOMPARE(feed(readAnswer(kNet, mode)), quint8(0xFC));
}

// What the page shows of the reader.
QStringList TestWiredTagPage::shown() const
{
    return {ui->lineEditSetNetNumWT->text(),
            ui->comboBoxModeWT->currentText(),
            ui->lineEditSETIDWT->text(),
            ui->label_ValSerNumWT->text(),
            ui->label_ValFW_WT->text(),
            page->getLabelStatusMessage()->text(),
            QString::number(ui->comboBoxModeWT->isHidden()),
            QString::number(ui->label_ValSerNumWT->isHidden())};
}

void TestWiredTagPage::searchAnswerNamesTheReaderAndAsksForItsData_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("shownNumber");
    QTest::addColumn<bool>("second");
    QTest::newRow("two readers") << QByteArray::fromHex("0507") << "5" << true;
    QTest::newRow("one reader at 200") << QByteArray::fromHex("c8") << "200" << false;
    QTest::newRow("three readers") << QByteArray::fromHex("030405") << "3" << true;
}

void TestWiredTagPage::searchAnswerNamesTheReaderAndAsksForItsData()
{
    QFETCH(QByteArray, answer);
    QFETCH(QString, shownNumber);
    QFETCH(bool, second);
    QSignalSpy sent(page, &WiredTagDevice::writeData);
    QSignalSpy found(page, &WiredTagDevice::copyNetNumToParent);

    QCOMPARE(page->getCurrentCommand(), quint8(0xFF));
    QCOMPARE(feed(answer), quint8(0xF0));
    QCOMPARE(page->getNetNum(), quint8(answer.at(0)));
    QCOMPARE(ui->lineEditSetNetNumWT->text(), shownNumber);
    QCOMPARE(page->isSecondDeviceFound(), second);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.at(0).at(0).toByteArray(), answer);
    QCOMPARE(sent.size(), 1);
    const QByteArray request = sent.at(0).at(0).toByteArray();
    QCOMPARE(request.left(3), QByteArray::fromHex("31") + answer.left(1) + QByteArray::fromHex("f0"));
    QVERIFY(frame::isValidAnswer(request, 0x31));
    QCOMPARE(request.size(), 4);
}

void TestWiredTagPage::lateAnswerBeforeTheNumberIsNoReader()
{
    QSignalSpy sent(page, &WiredTagDevice::writeData);
    QSignalSpy log(page, &WiredTagDevice::signalWriteLog);
    const QByteArray ack = frameOf(kNet, 0xF2, QByteArray());
    // Alone it names nobody: the page waits on for the number.
    QCOMPARE(feed(ack), quint8(0xFF));
    QVERIFY(sent.isEmpty());
    QVERIFY(log.isEmpty());
    // Glued to the number it comes before, it is left out.
    QCOMPARE(feed(ack + QByteArray::fromHex("fe")), quint8(0xF0));
    QCOMPARE(int(page->getNetNum()), 254);
    QCOMPARE(ui->lineEditSetNetNumWT->text(), QString("254"));
    QVERIFY(!page->isSecondDeviceFound());
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.at(0).at(0).toByteArray().left(3), QByteArray::fromHex("31fef0"));
}

void TestWiredTagPage::firstReadAnswerShowsTheReader_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("shownMode");
    QTest::newRow("tag") << 0 << "Режим Метка";
    QTest::newRow("reader") << 1 << "Режим Считыватель";
    QTest::newRow("odd is a reader") << 3 << "Режим Считыватель";
    QTest::newRow("unknown leaves the list") << 2 << "Режим Считыватель";
}

void TestWiredTagPage::firstReadAnswerShowsTheReader()
{
    QFETCH(int, mode);
    QFETCH(QString, shownMode);
    ui->comboBoxModeWT->setCurrentIndex(1);
    QVERIFY(ui->comboBoxModeWT->isHidden());
    feed(QByteArray(1, char(kNet)));
    QCOMPARE(feed(readAnswer(kNet, quint8(mode))), quint8(0xFC));
    QCOMPARE(ui->comboBoxModeWT->currentText(), shownMode);
    QCOMPARE(page->getLabelStatusMessage()->text(), QString("Датчик подключен"));
    for (QWidget *w : {static_cast<QWidget *>(ui->comboBoxModeWT), static_cast<QWidget *>(ui->lineEditSETIDWT),
                       static_cast<QWidget *>(ui->pushButtonReadIDWT), static_cast<QWidget *>(ui->pushBtnSetNetNumWT),
                       static_cast<QWidget *>(ui->checkBoxInputFormatWT)})
        QVERIFY2(!w->isHidden(), qPrintable(w->objectName()));
    // The serial number entry stays hidden.
    QVERIFY(ui->lineEditSetSerNumWT->isHidden());

    // Later answers refresh nothing that the user may be editing.
    ui->comboBoxModeWT->setCurrentIndex(mode == 0 ? 1 : 0);
    page->showStatusMessage("changed");
    page->setCurrentCommand(0xF0);
    QCOMPARE(feed(readAnswer(kNet, quint8(mode))), quint8(0xFC));
    QCOMPARE(ui->comboBoxModeWT->currentIndex(), mode == 0 ? 1 : 0);
    QCOMPARE(page->getLabelStatusMessage()->text(), QString("changed"));
}

void TestWiredTagPage::readAnswerWithBadCrcOnlyMovesOn()
{
    feed(QByteArray(1, char(kNet)));
    const QStringList before = shown();
    QCOMPARE(feed(spoilt(readAnswer(kNet, 0))), quint8(0xFC));
    QCOMPARE(shown(), before);
    QVERIFY(page->getFirstDataRequest());
}

void TestWiredTagPage::tagIdShowsInTheChosenBase_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("decimal");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("connects");
    QTest::newRow("read, hexadecimal") << tagIdAnswer(kNet, 0x12345678) << false << "12345678" << true;
    QTest::newRow("read, decimal") << tagIdAnswer(kNet, 0x12345678) << true << "305419896" << true;
    QTest::newRow("read, no leading zeros") << tagIdAnswer(kNet, 0x00ABCDEF) << false << "abcdef" << true;
    QTest::newRow("written, hexadecimal") << setIdAnswer(kNet, 0x1A2B3C4D) << false << "1a2b3c4d" << false;
    QTest::newRow("written, decimal") << setIdAnswer(kNet, 0x1A2B3C4D) << true << "439041101" << false;
}

void TestWiredTagPage::tagIdShowsInTheChosenBase()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, decimal);
    QFETCH(QString, text);
    QFETCH(bool, connects);
    connectPage();
    ui->checkBoxInputFormatWT->setChecked(decimal);
    ui->label_ValSerNumWT->hide();
    page->setCurrentCommand(0xF0);
    QCOMPARE(feed(answer), quint8(0xF0));
    QCOMPARE(ui->lineEditSETIDWT->text(), text);
    QCOMPARE(page->isDeviceConnected(), connects);
    QCOMPARE(!ui->label_ValSerNumWT->isHidden(), connects);
}

void TestWiredTagPage::serialAnswerShowsSerialAndFirmware_data()
{
    QTest::addColumn<quint32>("serial");
    QTest::addColumn<int>("firmware");
    QTest::addColumn<QString>("serialText");
    QTest::addColumn<QString>("firmwareText");
    QTest::newRow("all ones is -1") << 0xFFFFFFFFu << 123 << "-1"
                                    << "1.2.3";
    QTest::newRow("last three digits") << 4321u << 1234 << "4321"
                                       << "2.3.4";
    QTest::newRow("zero") << 0u << 7 << "0"
                          << "0.0.7";
}

void TestWiredTagPage::serialAnswerShowsSerialAndFirmware()
{
    QFETCH(quint32, serial);
    QFETCH(int, firmware);
    QFETCH(QString, serialText);
    QFETCH(QString, firmwareText);
    connectPage();
    QCOMPARE(feed(serialAnswer(kNet, serial, quint16(firmware))), quint8(0xF0));
    QCOMPARE(ui->label_ValSerNumWT->text(), serialText);
    QCOMPARE(ui->label_ValFW_WT->text(), firmwareText);
    QCOMPARE(page->getFirmwareVersion(), quint16(firmware));
    QVERIFY(page->isDeviceConnected());
    QVERIFY(!ui->label_NameFW_WT->isHidden());
}

void TestWiredTagPage::severalReadersAreAddressedInTurn_data()
{
    QTest::addColumn<QByteArray>("search");
    QTest::addColumn<QList<int>>("indexes");
    QTest::newRow("one reader") << QByteArray::fromHex("05") << QList<int>{0, 0, 0};
    QTest::newRow("two readers") << QByteArray::fromHex("0507") << QList<int>{1, 0, 1};
    QTest::newRow("three readers") << QByteArray::fromHex("050709") << QList<int>{1, 0, 1};
}

void TestWiredTagPage::severalReadersAreAddressedInTurn()
{
    QFETCH(QByteArray, search);
    QFETCH(QList<int>, indexes);
    QSignalSpy turns(page, &WiredTagDevice::copyQueueSurveyDevice);
    feed(search);
    feed(readAnswer(kNet, 1));
    for (int i = 0; i < indexes.size(); ++i) {
        QCOMPARE(feed(serialAnswer(kNet, 1, 1)), quint8(0xF0));
        QCOMPARE(feed(readAnswer(kNet, 1)), quint8(0xFC));
    }
    QList<int> emitted;
    for (const QList<QVariant> &args : turns)
        emitted << args.at(0).toInt();
    QCOMPARE(emitted, indexes);
}

void TestWiredTagPage::answersNotForThisReaderChangeNothing_data()
{
    QTest::addColumn<QByteArray>("chunk");
    QTest::newRow("another reader's tag ID") << tagIdAnswer(kNet + 1, 1);
    QTest::newRow("another reader's serial") << serialAnswer(kNet + 1, 1, 1);
    QTest::newRow("another reader's data") << readAnswer(kNet + 1, 0);
    QTest::newRow("request start byte") << frame::withCrc(QByteArray::fromHex("3105060011223344"));
    QTest::newRow("unknown command") << frameOf(kNet, 0xAA, QByteArray(8, '\1'));
    QTest::newRow("tag ID, bad CRC") << spoilt(tagIdAnswer(kNet, 1));
    QTest::newRow("written ID, bad CRC") << spoilt(setIdAnswer(kNet, 1));
    QTest::newRow("serial, bad CRC") << spoilt(serialAnswer(kNet, 1, 1));
    QTest::newRow("password, bad CRC") << spoilt(frameOf(kNet, 0xF8, QByteArray()));
    QTest::newRow("mode write acknowledged") << frameOf(kNet, 0xF2, QByteArray());
}

void TestWiredTagPage::answersNotForThisReaderChangeNothing()
{
    QFETCH(QByteArray, chunk);
    connectPage();
    const QStringList before = shown();
    QCOMPARE(feed(chunk), quint8(0xFC));
    QCOMPARE(shown(), before);
    QVERIFY(!page->isDeviceConnected());
}

void TestWiredTagPage::answerShorterThanItsFieldsIsDropped_data()
{
    QTest::addColumn<QByteArray>("whole");
    QTest::addColumn<int>("length"); // one byte short of holding its fields before the CRC-8
    QTest::newRow("data, mode byte is the CRC") << readAnswer(kNet, 1) << 21;
    QTest::newRow("tag ID") << tagIdAnswer(kNet, 0x11223344) << 8;
    QTest::newRow("written ID") << setIdAnswer(kNet, 0x11223344) << 7;
    QTest::newRow("serial and firmware") << serialAnswer(kNet, 99, 456) << 9;
}

void TestWiredTagPage::answerShorterThanItsFieldsIsDropped()
{
    QFETCH(QByteArray, whole);
    QFETCH(int, length);
    feed(QByteArray(1, char(kNet)));
    page->setCurrentCommand(0xFC);
    const QStringList before = shown();
    // Cut short, yet with a right CRC-8: as a reader that lost bytes on the line would.
    const QByteArray cut = frame::withCrc(whole.left(length - 1));
    QCOMPARE(feed(cut), quint8(0xFC));
    QCOMPARE(shown(), before);
    QVERIFY(page->getFirstDataRequest());
    QVERIFY(!page->isDeviceConnected());
    // The whole answer is taken.
    QCOMPARE(feed(whole), whole.at(2) == char(0xF0) ? quint8(0xFC) : quint8(0xF0));
}

void TestWiredTagPage::gluedAnswersAreEachTaken()
{
    connectPage();
    // Serial and data answers in one chunk: both are handled, in order.
    QCOMPARE(feed(serialAnswer(kNet, 777, 321) + readAnswer(kNet, 1)), quint8(0xFC));
    QCOMPARE(ui->label_ValSerNumWT->text(), QString("777"));
    // A mode write's acknowledgement left waiting, then the tag ID answer.
    page->setCurrentCommand(0xF0);
    QCOMPARE(feed(frameOf(kNet, 0xF2, QByteArray()) + tagIdAnswer(kNet, 0xBEEF)), quint8(0xF0));
    QCOMPARE(ui->lineEditSETIDWT->text(), QString("beef"));
}

void TestWiredTagPage::silenceInTheSearchResetsThePage()
{
    QSignalSpy log(page, &WiredTagDevice::signalWriteLog);
    feed(QByteArray::fromHex("0507"));
    feed(readAnswer(kNet, 1));
    feed(serialAnswer(kNet, 1, 1));
    QVERIFY(!ui->comboBoxModeWT->isHidden());
    QVERIFY(page->isDeviceConnected());

    page->setCurrentCommand(0xFF);
    QCOMPARE(feed(QByteArray()), quint8(0xFF));
    QVERIFY(ui->comboBoxModeWT->isHidden());
    QVERIFY(ui->label_ValSerNumWT->isHidden());
    QVERIFY(page->getLabelStatusMessage()->isHidden());
    QCOMPARE(page->getLabelStatusMessage()->text(), QString("Подключите датчик"));
    QCOMPARE(page->getLabelStatusMessageUp()->text(), QString(" "));
    QVERIFY(!page->isDeviceConnected());
    QVERIFY(!page->isSecondDeviceFound());
    QVERIFY(page->getFirstDataRequest());
    QCOMPARE(log.size(), 1);
    QCOMPARE(log.at(0).at(0).toString(), QString("Device is not responding"));

    // Outside the search, read and serial states a chunk is not even looked at.
    page->setCurrentCommand(0x06);
    QCOMPARE(feed(tagIdAnswer(kNet, 1)), quint8(0x06));
    QCOMPARE(feed(QByteArray()), quint8(0x06));
}

void TestWiredTagPage::hostileChunksNeitherCrashNorShow()
{
    connectPage();
    feed(serialAnswer(kNet, 1, 111));
    page->setCurrentCommand(0xF0);
    const QStringList before = shown();
    const QByteArray answers[] = {readAnswer(kNet, 0), tagIdAnswer(kNet, 9), setIdAnswer(kNet, 9),
                                  serialAnswer(kNet, 2, 222)};
    // Every prefix that cannot hold its fields, closed with a right CRC-8.
    for (const QByteArray &whole : answers) {
        for (int n = 0; n < whole.size(); ++n) {
            for (quint8 state : {quint8(0xF0), quint8(0xFC)}) {
                page->setCurrentCommand(state);
                feed(whole.left(n));
                if (n >= 1)
                    feed(frame::withCrc(whole.left(n - 1)));
            }
        }
    }
    QCOMPARE(shown(), before);

    // Oversized, glued and random chunks: nothing may be read past them.
    QRandomGenerator rng(0x1d5u);
    for (int round = 0; round < 3000; ++round) {
        page->setCurrentCommand(round % 2 ? 0xF0 : 0xFC);
        QByteArray chunk = answers[round % 4];
        QByteArray noise(rng.bounded(0, 64), '\0');
        for (char &c : noise)
            c = char(rng.bounded(256));
        switch (round % 3) {
        case 0:
            chunk += noise; // oversized
            break;
        case 1:
            chunk = noise + chunk; // something before the answer
            break;
        default:
            chunk = noise;
            if (!chunk.isEmpty())
                chunk[0] = char(0x3E);
            break;
        }
        feed(chunk);
    }
}

// ---- the window's commands ----

void TestWiredTagPage::openWindow()
{
    device = std::make_unique<SimulatedWiredTag>();
    QVERIFY(device->isValid());
    device->reader().netNum = kNet;
    qputenv(portlist::kExtraPortsVariable, device->portPath().toLocal8Bit());
    window = std::make_unique<Reriruvozive>();
    wui = window->form();
    wpage = window->wiredTag();
    QVERIFY(wpage);
    // Nothing in the window routes answers to the tag reader page: the
    // line's chunks go to it here, with the command it waits for.
    connect(window->port(), &PortConnection::dataOut, this, [this](QByteArray &chunk) {
        ++chunksTaken;
        PageFixture<WiredTagDevice>::feedExactly(
            chunk, [this](int n, char *bytes) { wpage->parseResponse(n, bytes, wpage->getCurrentCommand()); });
    });
    window->port()->openSerialPort(device->portPath());
    QVERIFY(window->port()->getSerialPort()->isOpen());
    // Nor does any open the page's session, which its commands wait in.
    wpage->connectDevice();
}

void TestWiredTagPage::searchTheBus()
{
    // No control sends the search for this page either.
    window->port()->writeData(frame::searchRequest());
}

void TestWiredTagPage::readerIsFoundAndSetUpWithTheWindowsCommands()
{
    openWindow();
    SimulatedWiredTag::Reader &reader = device->reader();
    reader.mode = 1;
    reader.tagId = 0x12345678;
    reader.serial = 4321;
    reader.firmware = 209;

    searchTheBus();
    QTRY_COMPARE_WITH_TIMEOUT(wpage->getLabelStatusMessage()->text(), QString("Датчик подключен"), 5000);
    QCOMPARE(wui->comboBoxModeWT->currentText(), QString("Режим Считыватель"));
    QCOMPARE(wui->lineEditSetNetNumWT->text(), QString("5"));
    QCOMPARE(int(wpage->writeNetNum()), int(kNet));

    // The window's own serial request reaches the reader the search found.
    window->requestForGetSerNumAndFirmWareVersion();
    QTRY_COMPARE_WITH_TIMEOUT(wui->label_ValFW_WT->text(), QString("2.0.9"), 5000);
    QCOMPARE(wui->label_ValSerNumWT->text(), QString("4321"));

    // Pressed again while the reader answers: told, and asked once.
    QMetaObject::invokeMethod(wui->pushButtonReadIDWT, "click", Qt::QueuedConnection);
    wui->pushButtonReadIDWT->click();
    QTRY_COMPARE_WITH_TIMEOUT(wui->lineEditSETIDWT->text(), QString("12345678"), 5000);
    QCOMPARE(device->requestsWith(0x06).size(), 1);
    QCOMPARE(wpage->getLabelStatusMessageUp()->text(), QString("Дождитесь окончания текущей операции"));
    wui->checkBoxInputFormatWT->click();
    QCOMPARE(wui->lineEditSETIDWT->text(), QString("305419896"));

    // A new ID typed in decimal is written most significant byte first.
    wui->lineEditSETIDWT->clear();
    QTest::keyClicks(wui->lineEditSETIDWT, "287454020");
    QVERIFY(!wui->label_PixSetIDWT->isHidden());
    wui->pushButtonSetIDWT->click();
    QTRY_COMPARE_WITH_TIMEOUT(reader.tagId, 0x11223344u, 5000);
    QCOMPARE(device->requestsWith(0xE1).value(0), QByteArray::fromHex("3105e111223344e6"));
    QTRY_COMPARE_WITH_TIMEOUT(wui->lineEditSETIDWT->text(), QString("287454020"), 5000);
    QVERIFY(wui->label_PixSetIDWT->isHidden());
    wui->checkBoxInputFormatWT->click();
    QCOMPARE(wui->lineEditSETIDWT->text(), QString("11223344"));

    // Mode: picked, marked, written.
    QCOMPARE(wui->comboBoxModeWT->currentIndex(), 1);
    QTest::keyClick(wui->comboBoxModeWT, Qt::Key_Up);
    QCOMPARE(wui->comboBoxModeWT->currentText(), QString("Режим Метка"));
    QVERIFY(!wui->label_PixSetModeWT->isHidden());
    wui->pushButtonSetModeWT->click();
    QTRY_COMPARE_WITH_TIMEOUT(int(reader.mode), 0, 5000);
    QCOMPARE(device->requestsWith(0xF2).value(0), QByteArray::fromHex("3105f200fa"));
    QVERIFY(wui->label_PixSetModeWT->isHidden());

    // Network number: the reader renumbers itself and names its new number,
    // which the page takes as a search answer and reads the reader there.
    QTest::keyClicks(wui->lineEditSetNetNumWT, "4");
    QVERIFY(!wui->label_PixSetNetNumWT->isHidden());
    wui->lineEditSetNetNumWT->clear();
    QTest::keyClicks(wui->lineEditSetNetNumWT, "254");
    wui->pushBtnSetNetNumWT->click();
    QCOMPARE(device->requestsWith(0xFB).value(0), QByteArray::fromHex("3105fbfe23"));
    QVERIFY(wui->label_PixSetNetNumWT->isHidden());
    QTRY_COMPARE_WITH_TIMEOUT(int(wpage->getNetNum()), 254, 5000);
    QCOMPARE(int(reader.netNum), 254);
    QTRY_COMPARE_WITH_TIMEOUT(device->requestsWith(0xF0).size(), 2, 5000);
    QCOMPARE(device->requestsWith(0xF0).at(1).left(2), QByteArray::fromHex("31fe"));
    QCOMPARE(int(wpage->writeNetNum()), 254);
    QTRY_COMPARE_WITH_TIMEOUT(int(wpage->getCurrentCommand()), 0xFC, 5000);

    // From now on the commands go to the new number.
    reader.tagId = 0xCAFE;
    wui->pushButtonReadIDWT->click();
    QTRY_COMPARE_WITH_TIMEOUT(wui->lineEditSETIDWT->text(), QString("cafe"), 5000);
    QCOMPARE(device->requestsWith(0x06).last().left(2), QByteArray::fromHex("31fe"));
}

void TestWiredTagPage::emptyOrUnreadableInputsSendNothing()
{
    openWindow();
    searchTheBus();
    QTRY_COMPARE_WITH_TIMEOUT(wpage->getLabelStatusMessage()->text(), QString("Датчик подключен"), 5000);
    const quint32 id = device->reader().tagId;

    // A network number above the reader's range cannot be typed.
    wui->lineEditSetNetNumWT->clear();
    QTest::keyClicks(wui->lineEditSetNetNumWT, "255");
    QCOMPARE(wui->lineEditSetNetNumWT->text(), QString("25"));
    wui->lineEditSetNetNumWT->clear();
    wui->pushBtnSetNetNumWT->click();
    // Nine hexadecimal digits do not fit a tag ID.
    wui->lineEditSETIDWT->setText("123456789");
    wui->pushButtonSetIDWT->click();
    wui->lineEditSETIDWT->clear();
    wui->pushButtonSetIDWT->click();
    wui->lineEditSetSerNumWT->clear();
    wui->pushButton_SetSerWT->click();

    // The serial write with a number does go out: the line works.
    QTest::keyClicks(wui->lineEditSetSerNumWT, "16909060");
    QVERIFY(!wui->label_PixSetSerNumWT->isHidden());
    wui->pushButton_SetSerWT->click();
    QTRY_COMPARE_WITH_TIMEOUT(device->reader().serial, 16909060u, 5000);
    QCOMPARE(device->requestsWith(0xF6).size(), 1);
    QCOMPARE(device->requestsWith(0xF6).at(0), QByteArray::fromHex("3105f6010203040c"));
    QVERIFY(device->requestsWith(0xFB).isEmpty());
    QVERIFY(device->requestsWith(0xE1).isEmpty());
    QCOMPARE(device->reader().tagId, id);
    QCOMPARE(int(device->reader().netNum), int(kNet));
    QCOMPARE(int(wpage->getCurrentCommand()), 0xFC);
}

void TestWiredTagPage::faultyReaderIsNeverShownConnected_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("commandAfter");
    QTest::newRow("bad CRC") << "badCrc" << 0xFC;
    QTest::newRow("short frames") << "short" << 0xF0;
}

void TestWiredTagPage::faultyReaderIsNeverShownConnected()
{
    QFETCH(QString, fault);
    QFETCH(int, commandAfter);
    openWindow();
    // Two spoilt answers read as one chunk could make one valid frame.
    device->keepAnswersApart(window->port());
    device->badCrc = fault == "badCrc";
    device->shortFrames = fault == "short";
    searchTheBus();
    // The search answer and the spoilt data answer.
    QTRY_COMPARE_WITH_TIMEOUT(chunksTaken, 2, 5000);
    QCOMPARE(int(wpage->getCurrentCommand()), commandAfter);
    QCOMPARE(wpage->getLabelStatusMessage()->text(), QString("Подключите датчик"));
    QVERIFY(wui->comboBoxModeWT->isHidden());

    wui->pushButtonReadIDWT->click();
    QTRY_COMPARE_WITH_TIMEOUT(chunksTaken, 3, 5000);
    QCOMPARE(wui->lineEditSETIDWT->text(), QString());
    QVERIFY(!wpage->isDeviceConnected());
}

void TestWiredTagPage::gluedAnswersOnTheLineAreEachTaken()
{
    openWindow();
    device->glued = true;
    device->reader().serial = 99;
    searchTheBus();
    QTRY_COMPARE_WITH_TIMEOUT(device->requestsWith(0xF0).size(), 1, 5000);
    // The data answer waits for the serial answer; both arrive in one chunk.
    window->requestForGetSerNumAndFirmWareVersion();
    QTRY_COMPARE_WITH_TIMEOUT(wui->label_ValSerNumWT->text(), QString("99"), 5000);
    QCOMPARE(chunksTaken, 2);
    QCOMPARE(wpage->getLabelStatusMessage()->text(), QString("Датчик подключен"));
    QCOMPARE(int(wpage->getCurrentCommand()), 0xF0);
}

QTEST_MAIN(TestWiredTagPage)
#include "tst_wiredtagpage.moc"
