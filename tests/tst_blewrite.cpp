#include "blewindowfixture.h"
#include "link/frame.h"
#include "shortintervals.h"

#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include <memory>

// Writes to the wireless fuel sensor through the USB base, end to end: the
// settings write and Full/Empty from the current level, with the outcomes
// the base reports.
class TestBleWrite : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void writeTakesTheSensorsNewModeThenARefusedOneFails();
    void protectedSensorGetsItsPasswordBeforeTheWrite();
    void fullAndEmptyFromTheLevelAreReported();
    void secondFullWhileTheFirstIsStillReportedIsConfirmed();

private:
    void choose(QComboBox *combo, int index);
    void openSensor();

    std::unique_ptr<BleWindowFixture> f;
};

namespace {

QByteArray framed(const char *hex)
{
    return frame::withCrc(QByteArray::fromHex(hex));
}

bool showsPicture(const QLabel *label, const char *resource)
{
    return !label->pixmap(Qt::ReturnByValue).isNull() &&
           label->pixmap(Qt::ReturnByValue).toImage() == QPixmap(resource).toImage();
}

} // namespace

void TestBleWrite::init()
{
    f = std::make_unique<BleWindowFixture>();
    QVERIFY(f->base->isValid());
    // Status reports come with the polls: shorter periods bring them sooner.
    shortintervals::apply(f->page);
}

void TestBleWrite::cleanup()
{
    f.reset();
}

void TestBleWrite::choose(QComboBox *combo, int index)
{
    // As a user picks an item: the index changes, then activated() follows.
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void TestBleWrite::openSensor()
{
    QVERIFY(f->openPage());
    QVERIFY(f->waitForSensor());
}

void TestBleWrite::writeTakesTheSensorsNewModeThenARefusedOneFails()
{
    openSensor();
    QVERIFY(!f->page->getSettingsChanged());
    // Nothing edited: the button writes nothing.
    f->ui->ButtonWriteParamBLE->click();
    QCOMPARE(f->base->countRequests(0xF2), 0);

    choose(f->ui->comboBox_FiltrBLE, 5);
    choose(f->ui->comboBoxRangeBLE, 1);
    QVERIFY(f->page->getSettingsChanged());
    QVERIFY(!f->ui->label_Alarm_12BLE->isHidden());
    QVERIFY(!f->ui->label_Alarm_10BLE->isHidden());
    // A second press while the first write waits (the base has its request
    // and has not answered yet) is not a second write, and says so.
    QString secondPress;
    QObject pressing;
    connect(f->base.get(), &SimulatedDevice::requestReceived, &pressing, [&](const QByteArray &request) {
        if (!secondPress.isEmpty() || request.size() < 3 || quint8(request.at(2)) != 0xF2)
            return;
        f->ui->ButtonWriteParamBLE->click();
        secondPress = f->lowerStatus();
    });
    f->ui->ButtonWriteParamBLE->click();
    QCOMPARE(secondPress, QString("Дождитесь окончания текущей операции"));
    QCOMPARE(f->base->countRequests(0xF2), 1);
    QCOMPARE(f->base->requestsWith(0xF2).at(0).toHex(), framed("3103f25ac3968005").toHex());
    QCOMPARE(f->base->sensor.filter, quint8(5));
    QCOMPARE(f->base->sensor.mode, quint8(0x80));
    QCOMPARE(f->upperStatus(), QString("Режим работы ВТ датчика установлен"));
    QCOMPARE(f->logged("Write param to device succesfull"), 1);
    QVERIFY(!f->page->getSettingsChanged());
    QVERIFY(showsPicture(f->ui->label_Alarm_12BLE, ":/images/bird_green.png"));
    QTRY_VERIFY_WITH_TIMEOUT(f->ui->label_Alarm_12BLE->isHidden(), 4000);
    // The sensor's values come back on the page.
    QTRY_COMPARE_WITH_TIMEOUT(f->ui->comboBox_FiltrBLE->currentIndex(), 5, 3000);
    QCOMPARE(f->ui->comboBoxRangeBLE->currentIndex(), 1);

    // The next write waits for its own report: the sensor refuses this one.
    f->base->sensor.refuseMode = true;
    choose(f->ui->comboBox_FiltrBLE, 2);
    ModalCloser closer;
    f->ui->ButtonWriteParamBLE->click();
    QCOMPARE(f->base->countRequests(0xF2), 2);
    QCOMPARE(closer.seen.size(), 1);
    QVERIFY(closer.seen.at(0).texts.contains("Некоторые параметры не были записаны\nПовторите"));
    QCOMPARE(f->logged("Error write param to device"), 1);
    QCOMPARE(f->logged("Error set new mode BLE"), 1);
    QVERIFY(f->page->getSettingsChanged());
    QVERIFY(f->ui->label_Alarm_12BLE->isHidden());
    QCOMPARE(f->base->sensor.filter, quint8(5));
}

void TestBleWrite::protectedSensorGetsItsPasswordBeforeTheWrite()
{
    f->base->sensor.password = 1234;
    openSensor();
    QVERIFY(f->page->isPasswordProtected());

    // The password is entered through the service menu's "security" row.
    const QList<ModalCloser::Seen> seen = f->runSecurityRow("1234", "Ввести пароль датчика");
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.at(0).className, QString("SecurityBLE"));
    QCOMPARE(f->base->requestsWith(0xE8).size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Пароль принят"), 4000);

    // The sensor locks again (it restarted); the write presents the password first.
    f->base->sensor.unlocked = false;
    choose(f->ui->comboBox_FiltrBLE, 3);
    f->ui->ButtonWriteParamBLE->click();
    QCOMPARE(f->base->requestsWith(0xF8).size(), 1);
    QCOMPARE(f->base->requestsWith(0xF8).at(0).toHex(), framed("3103f85ac396000004d2").toHex());
    QCOMPARE(f->base->sensor.filter, quint8(3));
    QCOMPARE(f->logged("Write param to device succesfull"), 1);
    // The password frame went before the write.
    int enter = -1, write = -1;
    for (int i = 0; i < f->base->requests().size(); ++i) {
        const QByteArray &r = f->base->requests().at(i).bytes;
        if (r.size() > 2 && quint8(r.at(2)) == 0xF8)
            enter = i;
        if (r.size() > 2 && quint8(r.at(2)) == 0xF2)
            write = i;
    }
    QVERIFY(enter >= 0 && enter < write);
}

void TestBleWrite::fullAndEmptyFromTheLevelAreReported()
{
    f->base->sensor.current = 17000;
    openSensor();
    // The frames the main window's Full and Empty commands send.
    f->window->port()->writeData(framed("3103f55ac396"));
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Калибровка уровня полного ВТ датчика произведена"), 4000);
    QTRY_COMPARE_WITH_TIMEOUT(f->page->getFullValue(), quint32(17000), 3000);
    f->window->port()->writeData(framed("3103fa5ac396"));
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Калибровка уровня пустого ВТ датчика произведена"), 4000);
    QTRY_COMPARE_WITH_TIMEOUT(f->page->getEmptyValue(), quint32(17000), 3000);
    QCOMPARE(f->logged("Calibrate BLE full successfull"), 1);
    QCOMPARE(f->logged("Calibrate BLE empty successfull"), 1);

    // A sensor that takes nothing without its password refuses them.
    f->base->sensor.password = 42;
    f->base->sensor.unlocked = false;
    f->base->sensor.current = 18000;
    f->window->port()->writeData(framed("3103f55ac396"));
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), QString("Введён не верный пароль датчика"), 4000);
    QCOMPARE(f->base->sensor.full, quint32(17000));
}

void TestBleWrite::secondFullWhileTheFirstIsStillReportedIsConfirmed()
{
    // The base goes on reporting an outcome for several answers.
    f->base->statusRepeats = 8;
    openSensor();
    const QString done("Калибровка уровня полного ВТ датчика произведена");
    {
        ModalCloser closer({true, true}); // the advice, then the confirmation
        f->window->slotShortcutF2();
    }
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), done, 4000);
    QCOMPARE(f->logged("Calibrate BLE full successfull"), 1);

    // Pressed again while the first Full's report still comes: the report
    // after the press is this one's.
    f->base->sensor.current = 16000;
    {
        ModalCloser closer({true, true});
        f->window->slotShortcutF2();
    }
    QTRY_COMPARE_WITH_TIMEOUT(f->base->countRequests(0xF5), 2, 2000);
    QTRY_COMPARE_WITH_TIMEOUT(f->upperStatus(), done, 4000);
    QCOMPARE(f->logged("Calibrate BLE full successfull"), 2);
    QTRY_COMPARE_WITH_TIMEOUT(f->page->getFullValue(), quint32(16000), 3000);
}

QTEST_MAIN(TestBleWrite)
#include "tst_blewrite.moc"
