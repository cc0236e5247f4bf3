#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/fls/flsdevice.h"
#include "dialogsteps.h"
#include "shortintervals.h"
#include "strayanswer.h"
#include "wiredsession.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

// Settings an engineer writes to a wired sensor through the main window: the
// parameter write (button and Ctrl+S), the alarm level and the serial
// number, against a simulated sensor that takes the writes and reports the
// new values in its next answers.
class TestFlsWrite : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();

    void ctrlSWritesTheEditedSettingsAndTheSensorReportsThem();
    void newNetworkNumberIsFoundByTheSearchThatFollows();
    void writesGoToThePickedSensor();
    void networkNumbersTheSensorCannotTakeAreRefused();
    void writeDuringAWriteIsIgnored();
    void alarmLevelIsConfirmedAndChecked();
    void serialNumberIsProgrammedAndChecked();

private:
    bool startSession(quint8 model, int form, const QString &status);
    void pressCtrlS();

    std::unique_ptr<WiredSession> s;
};

namespace {

const QString kNotAnswered = "Датчик не ответил\nЗапись параметров не подтверждена";

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// Picks an item the way a user does: the combo shows it and says so.
void pick(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

} // namespace

bool TestFlsWrite::startSession(quint8 model, int form, const QString &status)
{
    s = std::make_unique<WiredSession>();
    if (!s->isValid())
        return false;
    // One sensor: the page runs on short periods. (With several, it looks at
    // the line every 600 ms whatever its periods, so those keep a user's.)
    shortintervals::apply(s->page);
    return s->connectAs(model, form, status);
}

void TestFlsWrite::cleanup()
{
    s.reset();
}

void TestFlsWrite::pressCtrlS()
{
    QVERIFY(s->activate());
    QTest::keyClick(s->window.get(), Qt::Key_S, Qt::ControlModifier);
}

void TestFlsWrite::ctrlSWritesTheEditedSettingsAndTheSensorReportsThem()
{
    QVERIFY(startSession(SimulatedFls::kModelQF410, 45, "Подключен QF410"));
    QCOMPARE(s->ui->comboBoxTypeFiltration->count(), 2);

    // Analog output, median filter at level 7.
    pick(s->ui->comboBox_ModeDUT, s->ui->comboBox_ModeDUT->findText("Аналоговый"));
    pick(s->ui->comboBoxTypeFiltration, 1);
    QCOMPARE(s->ui->comboBox_FiltrDUT->count(), 16);
    pick(s->ui->comboBox_FiltrDUT, 7);
    QVERIFY(s->page->isParamChanged());
    QVERIFY(showsPicture(s->ui->label_Alarm_2DUT, ":/images/bird.png"));

    const int searches = s->device->searchCount();
    const int from = s->device->requests().size();
    DialogSteps script;
    pressCtrlS();

    QCOMPARE(s->writesSince(from), QList<quint8>({0xF2, 0xFB}));
    // Byte A: the analog code; byte B: level 7 with the median bit. The
    // number goes out unchanged, then the bus is searched.
    QCOMPARE(s->sent(0xF2).last(), signedRequest(1, 0xF2, bytes({0x02, 0x47})));
    QCOMPARE(s->sent(0xFB).last(), signedRequest(1, 0xFB, bytes({0x01})));
    QVERIFY(s->device->searchCount() > searches);
    QVERIFY(script.seen.isEmpty());
    QCOMPARE(s->device->sensor().configA, quint8(0x02));
    QCOMPARE(s->device->sensor().configB, quint8(0x47));
    for (QLabel *mark : {s->ui->label_Alarm_2DUT, s->ui->label_Alarm_3DUT})
        QVERIFY2(showsPicture(mark, ":/images/bird_green.png"), qPrintable(mark->objectName()));
    QTRY_VERIFY_WITH_TIMEOUT(s->ui->label_Alarm_2DUT->isHidden(), 3000);

    // The widgets show what the sensor now reports, also after another look.
    s->ui->comboBox_ModeDUT->setCurrentIndex(0);
    s->page->setUpdateParamWidgets(true);
    QTRY_COMPARE_WITH_TIMEOUT(s->ui->comboBox_ModeDUT->currentText(), QString("Аналоговый"), 4000);
    QCOMPARE(s->ui->comboBoxTypeFiltration->currentText(), QString("Медианная"));
    QCOMPARE(s->ui->comboBox_FiltrDUT->currentIndex(), 7);
    // Polling runs again.
    const int polls = s->device->countRequests(1, 0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(s->device->countRequests(1, 0xF0) > polls + 1, 4000);

    // A write the sensor leaves unanswered is told and not marked written.
    pick(s->ui->comboBox_ModeDUT, 0);
    s->device->sensor().silent = true;
    s->ui->ButtonWriteParamDUT->click();
    QCOMPARE(script.allTexts(), QStringList({kNotAnswered}));
    QVERIFY(!showsPicture(s->ui->label_Alarm_2DUT, ":/images/bird_green.png"));
}

void TestFlsWrite::newNetworkNumberIsFoundByTheSearchThatFollows()
{
    QVERIFY(startSession(SimulatedFls::kModelQF470, 29, "Подключен QF470"));
    s->ui->lineEditNetNumDUT->setText("7");
    emit s->ui->lineEditNetNumDUT->textEdited("7");
    QVERIFY(showsPicture(s->ui->label_Alarm_6DUT, ":/images/bird.png"));

    s->ui->ButtonWriteParamDUT->click();

    QCOMPARE(s->sent(0xFB).last(), signedRequest(1, 0xFB, bytes({0x07})));
    QCOMPARE(s->device->sensor().netNum, quint8(7));
    QTRY_COMPARE_WITH_TIMEOUT(s->ui->comboBox_NetNumDUT->itemText(0), QString("7"), 4000);
    QCOMPARE(s->ui->comboBox_NetNumDUT->count(), 1);
    QCOMPARE(s->ui->lineEditNetNumDUT->text(), QString("7"));
    // From now on the sensor is asked under its new number.
    const int polls = s->device->countRequests(7, 0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(s->device->countRequests(7, 0xF0) > polls + 1, 4000);
    QCOMPARE(s->page->getLabelStatusMessage()->text(), QString("Подключен QF470"));
}

void TestFlsWrite::writesGoToThePickedSensor()
{
    s = std::make_unique<WiredSession>();
    QVERIFY(s->isValid());
    SimulatedFls::Sensor first;
    first.netNum = 5;
    SimulatedFls::Sensor second;
    second.netNum = 9;
    second.configB = 0x03;
    s->device->sensors = {first, second};
    QVERIFY(s->connect("Подключен QF470"));
    QTRY_COMPARE_WITH_TIMEOUT(s->ui->comboBox_NetNumDUT->count(), 2, 4000);

    // The user picks the second sensor, changes its filter and writes.
    pick(s->ui->comboBox_NetNumDUT, 1);
    QCOMPARE(s->ui->lineEditNetNumDUT->text(), QString("9"));
    pick(s->ui->comboBox_FiltrDUT, 2);
    const int from = s->device->requests().size();
    s->ui->ButtonWriteParamDUT->click();

    QCOMPARE(s->writesSince(from), QList<quint8>({0xF2, 0xFB}));
    QCOMPARE(s->device->countRequests(9, 0xF2), 1);
    QCOMPARE(s->sent(0xFB).last(), signedRequest(9, 0xFB, bytes({9})));
    // The write's last data request, its re-read, asks the sensor written.
    QCOMPARE(s->sent(0xF0).last().left(8), QString("31 09 f0"));
    QCOMPARE(s->device->sensorAt(9)->configB, quint8(0x06));
    QCOMPARE(s->device->sensorAt(5)->configB, quint8(0x00));

    // The write's search, and the page switched off and on, leave it named,
    // shown and written to; no write gives it the other sensor's number.
    for (bool offAndOn : {false, true}) {
        if (offAndOn) {
            s->ui->pushButtonDeviceFLS->click();
            s->ui->pushButtonDeviceFLS->click();
            QTRY_VERIFY_WITH_TIMEOUT(s->page->isSensorFound(), 8000);
        }
        QCOMPARE(s->ui->lineEditNetNumDUT->text(), QString("9"));
        QCOMPARE(s->ui->comboBox_NetNumDUT->currentText(), QString("9"));
        // Written once it answered as a fuel sensor again.
        QTRY_VERIFY_WITH_TIMEOUT(s->page->hasOwnSensorAnswered(), 8000);
        pick(s->ui->comboBox_FiltrDUT, offAndOn ? 2 : 1);
        s->ui->ButtonWriteParamDUT->click();
        QCOMPARE(s->sent(0xFB).last(), signedRequest(9, 0xFB, bytes({9})));
        QCOMPARE(s->device->sensorAt(9)->configB, quint8(offAndOn ? 0x06 : 0x03));
    }
    DialogSteps script({DialogSteps::accept()});
    s->ui->lineEditNetNumDUT->setText("5");
    const int before = s->device->requests().size();
    s->ui->ButtonWriteParamDUT->click();
    QCOMPARE(script.allTexts(), QStringList({"Сетевой адрес 5 уже занят другим датчиком"}));
    QCOMPARE(s->writesSince(before), QList<quint8>());
    // A number of its own: the page follows the sensor to it.
    s->ui->lineEditNetNumDUT->setText("7");
    s->ui->ButtonWriteParamDUT->click();
    QCOMPARE(s->ui->comboBox_NetNumDUT->currentText(), QString("7"));
    // One off the bus since the write's search keeps its number; the one this sensor left is free.
    s->device->sensorAt(5)->silent = true;
    for (const char *net : {"7", "5", "9"}) {
        s->ui->lineEditNetNumDUT->setText(net);
        s->ui->ButtonWriteParamDUT->click();
    }
    QCOMPARE(script.allTexts().count("Сетевой адрес 5 уже занят другим датчиком"), 2);
    QVERIFY(!s->sent(0xFB).contains(signedRequest(7, 0xFB, bytes({5}))));
    QCOMPARE(s->ui->comboBox_NetNumDUT->currentText(), QString("9"));
    // A number only a stray byte of the search listed never answers when
    // asked: it is nobody's, and the sensor takes it.
    s->ui->pushButtonDeviceFLS->click();
    answerFirstSearchWith(*s->device, QByteArray::fromHex("091f"));
    s->ui->pushButtonDeviceFLS->click();
    QTRY_COMPARE_WITH_TIMEOUT(s->ui->label_ListDevDUT->text(), QString("9,31"), 8000);
    QTRY_VERIFY_WITH_TIMEOUT(s->page->hasOwnSensorAnswered(), 4000);
    s->ui->lineEditNetNumDUT->setText("31");
    emit s->ui->lineEditNetNumDUT->textEdited("31");
    s->ui->ButtonWriteParamDUT->click();
    QVERIFY2(!script.allTexts().contains("Сетевой адрес 31 уже занят другим датчиком"),
             qPrintable(script.allTexts().join('|')));
    QCOMPARE(s->sent(0xFB).last(), signedRequest(9, 0xFB, bytes({31})));
}

void TestFlsWrite::networkNumbersTheSensorCannotTakeAreRefused()
{
    QVERIFY(startSession(SimulatedFls::kModelQF470, 29, "Подключен QF470"));
    // Typed, pasted past the validator, or left empty: never sent as 0 or
    // as the low byte of a larger number.
    const int from = s->device->requests().size();
    for (const QString &typed : {"", " ", "256", "300", "4a", "-1", "1 2"}) {
        s->ui->lineEditNetNumDUT->setText(typed);
        emit s->ui->lineEditNetNumDUT->textEdited(typed);
        DialogSteps script({DialogSteps::accept()});
        s->ui->ButtonWriteParamDUT->click();
        QCOMPARE(script.allTexts(), QStringList({"Введите число от 0 до 255"}));
    }
    // Nothing was stopped by the refused writes, and the first number the
    // sensor can take is the first thing written.
    const int polls = s->device->countRequests(1, 0xF0);
    QTRY_VERIFY_WITH_TIMEOUT(s->device->countRequests(1, 0xF0) > polls + 1, 4000);
    QVERIFY(s->page->isDeviceConnected());
    s->ui->lineEditNetNumDUT->setText("255");
    DialogSteps script({DialogSteps::accept()});
    s->ui->ButtonWriteParamDUT->click();
    QCOMPARE(s->writesSince(from), QList<quint8>({0xF2, 0xFB}));
    QCOMPARE(s->device->sensor().netNum, quint8(255));
    // Number 255 is the search's own address: the sensor cannot be asked
    // there, and the write is not marked as written.
    QCOMPARE(script.allTexts(), QStringList({kNotAnswered}));
}

void TestFlsWrite::writeDuringAWriteIsIgnored()
{
    QVERIFY(startSession(SimulatedFls::kModelQF470, 29, "Подключен QF470"));
    // Nothing edited: neither the button nor Ctrl+S writes.
    int from = s->device->requests().size();
    s->ui->ButtonWriteParamDUT->click();
    pressCtrlS();
    QCOMPARE(s->writesSince(from), QList<quint8>());

    pick(s->ui->comboBox_FiltrDUT, 1);
    from = s->device->requests().size();
    // While the write waits for the sensor the user presses again: once its
    // request has reached the sensor, before the sensor answered.
    int pressedDuring = 0;
    QString told;
    QObject pressing;
    connect(s->device.get(), &SimulatedDevice::requestReceived, &pressing, [&](const QByteArray &request) {
        if (pressedDuring > 0 || request.size() < 3 || quint8(request.at(2)) != 0xF2)
            return;
        ++pressedDuring;
        s->ui->ButtonWriteParamDUT->click();
        QTest::keyClick(s->window.get(), Qt::Key_S, Qt::ControlModifier);
        told = s->page->getLabelStatusMessageUp()->text();
    });
    pressCtrlS();
    QCOMPARE(pressedDuring, 1);
    QCOMPARE(s->writesSince(from), QList<quint8>({0xF2, 0xFB}));
    QCOMPARE(told, QString("Дождитесь окончания текущей операции"));

    // Once it is over, the next press writes again.
    from = s->device->requests().size();
    s->ui->ButtonWriteParamDUT->click();
    QCOMPARE(s->writesSince(from), QList<quint8>({0xF2, 0xFB}));
}

void TestFlsWrite::alarmLevelIsConfirmedAndChecked()
{
    QVERIFY(startSession(SimulatedFls::kModelQF410, 45, "Подключен QF410"));
    s->serviceEntry("engineer")->trigger();
    QVERIFY(s->ui->pushButtonSetPercent->isEnabled());
    const QString confirmation = "Сейчас будет установлен новый уровень\nаварийного остатка топлива.\n\nВы уверены?";

    // Out of range or not a number: told, not asked, nothing sent.
    const int from = s->device->requests().size();
    for (const QString &typed : {"", "0", "100", "300", "5%"}) {
        s->ui->lineEdit_Lamp->setText(typed);
        DialogSteps script({DialogSteps::accept()});
        s->ui->pushButtonSetPercent->click();
        QCOMPARE(script.allTexts(), QStringList({"Введите число от 1 до 99"}));
    }

    // Cancelled: nothing.
    s->ui->lineEdit_Lamp->setText("50");
    {
        DialogSteps script({DialogSteps::reject()});
        s->ui->pushButtonSetPercent->click();
        QCOMPARE(script.allTexts(), QStringList({confirmation}));
    }

    // Confirmed: the sensor takes it and reports it; it is the one frame sent.
    {
        DialogSteps script({DialogSteps::accept()});
        s->ui->pushButtonSetPercent->click();
    }
    QCOMPARE(s->writesSince(from), QList<quint8>({0xEE}));
    QCOMPARE(s->sent(0xEE).last(), signedRequest(1, 0xEE, bytes({50})));
    QCOMPARE(s->device->sensor().lampThreshold, quint8(50));
    QTRY_VERIFY_WITH_TIMEOUT(s->logSinceStart().contains(" -- Set new alarm level fuel\r\n"), 2000);
    s->ui->lineEdit_Lamp->clear();
    s->page->setUpdateParamWidgets(true);
    QTRY_COMPARE_WITH_TIMEOUT(s->ui->lineEdit_Lamp->text(), QString("50"), 4000);
}

void TestFlsWrite::serialNumberIsProgrammedAndChecked()
{
    QVERIFY(startSession(SimulatedFls::kModelQF470, 29, "Подключен QF470"));
    // The technician's group stays hidden; its buttons work all the same.
    QVERIFY(s->ui->groupBoxForTechVersion->isHidden());

    s->ui->lineEditSetSerNum->setText("305419896");
    s->ui->setSerNum->click();
    QTRY_COMPARE_WITH_TIMEOUT(s->device->sensor().serial, 305419896u, 2000);
    QCOMPARE(s->sent(0xF6).last(), signedRequest(1, 0xF6, bytes({0x12, 0x34, 0x56, 0x78})));

    // "Next" sends the typed number plus one, the same one each time.
    s->ui->pushButtonNextSerNum->click();
    s->ui->pushButtonNextSerNum->click();
    QTRY_COMPARE_WITH_TIMEOUT(s->sent(0xF6).size(), 3, 2000);
    QCOMPARE(s->sent(0xF6).at(1), signedRequest(1, 0xF6, bytes({0x12, 0x34, 0x56, 0x79})));
    QCOMPARE(s->sent(0xF6).at(2), s->sent(0xF6).at(1));
    QCOMPARE(s->ui->lineEditSetSerNum->text(), QString("305419896"));
    s->ui->lineEditSetSerNum->setText("4294967295");
    s->ui->pushButtonNextSerNum->click();
    QTRY_COMPARE_WITH_TIMEOUT(s->sent(0xF6).size(), 4, 2000);
    QCOMPARE(s->sent(0xF6).last(), signedRequest(1, 0xF6, bytes({0, 0, 0, 0})));

    for (const QString &typed : {"", "abc", "4294967296", "-1"}) {
        s->ui->lineEditSetSerNum->setText(typed);
        for (QPushButton *button : {s->ui->setSerNum, s->ui->pushButtonNextSerNum}) {
            DialogSteps script({DialogSteps::accept()});
            button->click();
            QCOMPARE(script.allTexts(), QStringList({"Введите число от 0 до 4294967295"}));
        }
    }
    // The next number that can be sent is the next frame.
    s->ui->lineEditSetSerNum->setText("77");
    s->ui->setSerNum->click();
    QTRY_COMPARE_WITH_TIMEOUT(s->device->sensor().serial, 77u, 2000);
    QCOMPARE(s->sent(0xF6).size(), 5);
}

QTEST_MAIN(TestFlsWrite)
#include "tst_flswrite.moc"
