#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "link/portconnection.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QSerialPort>
#include <QToolTip>
#include <QtTest>

#include <memory>

// The remote command page as a user meets it: opened from the service menu
// of the real main window, commands composed with its lists and inputs, an
// answer pasted and decoded. One window serves every case (building one is
// slow under the sanitizers); after each case the page is set back the way a
// user would, by picking the first entries and clearing the inputs, so the
// first case still meets the page as the window built it.
class TestRemotePage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void serviceMenuOpensThePageSetForTheFirstCommand();
    void eachCommandShowsItsInputsAndMakesItsLine_data();
    void eachCommandShowsItsInputsAndMakesItsLine();
    void modeCommandTakesTheListsAsTheyWereLeft();
    void filterTypeRefillsTheLevels();
    void inputsRefuseWhatTheirCommandCannotCarry();
    void pastedAnswerIsDecodedInABox_data();
    void pastedAnswerIsDecodedInABox();
    void backButtonKeepsEverythingTyped();

private:
    void openPage();
    // Picks a command as a user does: the list's activated signal fires.
    void pick(QComboBox *box, int index);
    struct Box
    {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };
    // Presses the decode button; returns the boxes that came up (each closed).
    QList<Box> decode(const QString &text);

    std::unique_ptr<Reriruvozive> window;
    Ui_Deruvivuriri *ui = nullptr;
};

void TestRemotePage::initTestCase()
{
    window = std::make_unique<Reriruvozive>();
    ui = window->form();
}

void TestRemotePage::cleanup()
{
    pick(ui->comboBoxTypeFiltrRemoteControl, 0);
    pick(ui->comboBoxModeRemoteControl, 0);
    pick(ui->comboBoxRemoteControl, 0);
    for (QLineEdit *edit :
         {ui->lineEditNetNumRemoteControl, ui->lineEditPassRemoteControl, ui->lineEditGenRemoteControl})
        edit->clear();
    ui->stackedWidget->setCurrentWidget(ui->DUT);
}

void TestRemotePage::cleanupTestCase()
{
    window.reset();
    ui = nullptr;
}

void TestRemotePage::openPage()
{
    QVERIFY(!window->port()->getSerialPort()->isOpen());
    QMenu *menu = ui->pushButtonService->menu();
    QVERIFY(menu);
    QAction *remote = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->text() == "Дистанционное управление")
            remote = action;
    }
    QVERIFY(remote);
    remote->trigger();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->RemoteControl);
}

void TestRemotePage::pick(QComboBox *box, int index)
{
    box->setCurrentIndex(index);
    emit box->activated(index);
}

QList<TestRemotePage::Box> TestRemotePage::decode(const QString &text)
{
    ui->lineEditGenRemoteControl->setText(text);
    QList<Box> seen;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        seen.append({box->windowTitle(), box->text(), box->icon()});
        box->accept();
    });
    closer.start(10);
    ui->pushButtonReadRC->click();
    closer.stop();
    return seen;
}

void TestRemotePage::serviceMenuOpensThePageSetForTheFirstCommand()
{
    openPage();
    QCOMPARE(ui->comboBoxRemoteControl->count(), 9);
    QCOMPARE(ui->comboBoxRemoteControl->currentText(), QString("Ввести пароль"));
    QCOMPARE(ui->comboBoxRemoteControl->itemText(8), QString("Установить пароль"));
    QVERIFY(!ui->lineEditPassRemoteControl->isHidden());
    QVERIFY(!ui->label_2RC->isHidden());
    QCOMPARE(ui->label_2RC->text(), QString("Введите числовой пароль (макс. 9 цифр)"));
    for (QWidget *w : {static_cast<QWidget *>(ui->comboBoxModeRemoteControl),
                       static_cast<QWidget *>(ui->comboBoxTypeFiltrRemoteControl),
                       static_cast<QWidget *>(ui->comboBoxFiltrRemoteControl), static_cast<QWidget *>(ui->label_3RC),
                       static_cast<QWidget *>(ui->label_4RC), static_cast<QWidget *>(ui->label_5RC)})
        QVERIFY2(w->isHidden(), qPrintable(w->objectName()));
    QCOMPARE(ui->comboBoxModeRemoteControl->count(), 4);
    QCOMPARE(ui->comboBoxTypeFiltrRemoteControl->count(), 2);
    QCOMPARE(ui->comboBoxFiltrRemoteControl->count(), 16);
    // The tag reader's mode list is filled here too, tag mode first.
    QCOMPARE(ui->comboBoxModeWT->count(), 2);
    QCOMPARE(ui->comboBoxModeWT->itemText(0), QString("Режим Метка"));
    QCOMPARE(ui->comboBoxModeWT->itemText(1), QString("Режим Считыватель"));
    QVERIFY(!ui->pushBtnBackRemoteControl->icon().isNull());
}

void TestRemotePage::eachCommandShowsItsInputsAndMakesItsLine_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("value"); // typed; empty when the command takes none
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("line");

    QTest::newRow("enter password") << 0 << "12345"
                                    << "Введите числовой пароль (макс. 9 цифр)"
                                    << "S485=11:4:1500:19200:3105f85AC3960000303944";
    QTest::newRow("state request") << 1 << ""
                                   << ""
                                   << "S485=4:23:1500:19200:3105f0fe";
    QTest::newRow("firmware and serial") << 2 << ""
                                         << ""
                                         << "S485=4:10:1500:19200:3105fc5d";
    QTest::newRow("shift empty") << 3 << "300"
                                 << "Введите смещение в у.е."
                                 << "S485=6:10:1500:19200:3105f95AC396012cb6";
    QTest::newRow("shift full") << 4 << "7"
                                << "Введите смещение в у.е."
                                << "S485=6:10:1500:19200:3105f45AC39600073b";
    QTest::newRow("set empty") << 5 << "5000"
                               << "Введите значение пустого"
                               << "S485=8:4:1500:19200:3105ed5AC39600001388be";
    QTest::newRow("set full") << 6 << "5000"
                              << "Введите значение полного"
                              << "S485=8:4:1500:19200:3105ec5AC39600001388fd";
    QTest::newRow("set password") << 8 << "999999999"
                                  << "Введите числовой пароль (макс. 9 цифр)"
                                  << "S485=8:4:1500:19200:3105f75AC3963b9ac9ff1c";
}

void TestRemotePage::eachCommandShowsItsInputsAndMakesItsLine()
{
    QFETCH(int, command);
    QFETCH(QString, value);
    QFETCH(QString, caption);
    QFETCH(QString, line);
    openPage();
    QTest::keyClicks(ui->lineEditNetNumRemoteControl, "5");
    // Something typed for an earlier command must not leak into this one.
    QTest::keyClicks(ui->lineEditPassRemoteControl, "777");

    pick(ui->comboBoxRemoteControl, command);
    const bool takesValue = !caption.isEmpty();
    QCOMPARE(ui->lineEditPassRemoteControl->isHidden(), !takesValue);
    QCOMPARE(ui->label_2RC->isHidden(), !takesValue);
    QVERIFY(ui->comboBoxModeRemoteControl->isHidden());
    if (takesValue) {
        QCOMPARE(ui->label_2RC->text(), caption);
        // A language switch puts the form's texts back: the caption stays the command's.
        QEvent languageChange(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window.get(), &languageChange);
        QCOMPARE(ui->label_2RC->text(), caption);
        QCOMPARE(ui->lineEditPassRemoteControl->text(), QString());
        QTest::keyClicks(ui->lineEditPassRemoteControl, value);
        QCOMPARE(ui->lineEditPassRemoteControl->text(), value);
    } else {
        // Hidden, not cleared: picking the password command again clears it.
        QCOMPARE(ui->lineEditPassRemoteControl->text(), QString("777"));
    }

    // An answer pasted before is replaced by the new line.
    ui->lineEditGenRemoteControl->setText("3e07fb000000");
    ui->pushButtonGenRemoteControl->click();
    QCOMPARE(ui->lineEditGenRemoteControl->text(), line);
}

void TestRemotePage::modeCommandTakesTheListsAsTheyWereLeft()
{
    openPage();
    QTest::keyClicks(ui->lineEditNetNumRemoteControl, "2");
    pick(ui->comboBoxRemoteControl, 7);
    QVERIFY(ui->lineEditPassRemoteControl->isHidden());
    QVERIFY(ui->label_2RC->isHidden());
    for (QWidget *w : {static_cast<QWidget *>(ui->comboBoxModeRemoteControl),
                       static_cast<QWidget *>(ui->comboBoxTypeFiltrRemoteControl),
                       static_cast<QWidget *>(ui->comboBoxFiltrRemoteControl), static_cast<QWidget *>(ui->label_3RC),
                       static_cast<QWidget *>(ui->label_4RC), static_cast<QWidget *>(ui->label_5RC)})
        QVERIFY2(!w->isHidden(), qPrintable(w->objectName()));

    pick(ui->comboBoxModeRemoteControl, 2);
    pick(ui->comboBoxFiltrRemoteControl, 5);
    QCOMPARE(int(window->getModeRC()), 0x80);
    QCOMPARE(int(window->getFiltrRC()), 0x45);
    ui->pushButtonGenRemoteControl->click();
    QCOMPARE(ui->lineEditGenRemoteControl->text(), QString("S485=8:4:1500:19200:3102f25AC3968045ef"));

    // Away and back: the lists keep their choices.
    pick(ui->comboBoxRemoteControl, 1);
    QVERIFY(ui->comboBoxModeRemoteControl->isHidden());
    QVERIFY(ui->comboBoxFiltrRemoteControl->isHidden());
    pick(ui->comboBoxRemoteControl, 7);
    QCOMPARE(ui->comboBoxModeRemoteControl->currentIndex(), 2);
    QCOMPARE(ui->comboBoxFiltrRemoteControl->currentText(), QString("5"));
    pick(ui->comboBoxModeRemoteControl, 3);
    QCOMPARE(int(window->getModeRC()), 0x90);
    pick(ui->comboBoxModeRemoteControl, 0);
    QCOMPARE(int(window->getModeRC()), 0x00);
}

void TestRemotePage::filterTypeRefillsTheLevels()
{
    openPage();
    pick(ui->comboBoxRemoteControl, 7);
    pick(ui->comboBoxFiltrRemoteControl, 15);
    QCOMPARE(int(window->getFiltrRC()), 0x4F);

    pick(ui->comboBoxTypeFiltrRemoteControl, 1);
    QStringList levels;
    for (int i = 0; i < ui->comboBoxFiltrRemoteControl->count(); ++i)
        levels << ui->comboBoxFiltrRemoteControl->itemText(i);
    QCOMPARE(levels,
             QStringList({"Нет", "до 200 литров", "от 200 до 1000 литров", "более 1000 литров", "тяжёлые условия"}));
    QCOMPARE(ui->comboBoxFiltrRemoteControl->currentText(), QString("Нет"));
    QCOMPARE(int(window->getFiltrRC()), 0x00);
    pick(ui->comboBoxFiltrRemoteControl, 4);
    QCOMPARE(int(window->getFiltrRC()), 0x0C);

    // Picking the type already chosen resets the level too.
    pick(ui->comboBoxTypeFiltrRemoteControl, 1);
    QCOMPARE(ui->comboBoxFiltrRemoteControl->currentText(), QString("Нет"));

    pick(ui->comboBoxTypeFiltrRemoteControl, 0);
    QCOMPARE(ui->comboBoxFiltrRemoteControl->count(), 16);
    QCOMPARE(ui->comboBoxFiltrRemoteControl->currentText(), QString("0"));
    QCOMPARE(int(window->getFiltrRC()), 0x00);
}

void TestRemotePage::inputsRefuseWhatTheirCommandCannotCarry()
{
    openPage();
    QLineEdit *net = ui->lineEditNetNumRemoteControl;
    QTest::keyClicks(net, "a2b5x5");
    QCOMPARE(net->text(), QString("255"));
    net->clear();
    // A number above 255 cannot be typed: its frame would address another sensor.
    QTest::keyClicks(net, "300");
    QCOMPARE(net->text(), QString("30"));
    net->clear();
    QTest::keyClicks(net, "2560");
    QCOMPARE(net->text(), QString("250"));
    QTest::keyClicks(net, ","); // nor a separator, and it is told why
    QCOMPARE(net->text(), QString("250"));
    QCOMPARE(QToolTip::text(), QString("Введите целое число от 0 до 255, только цифры"));

    QLineEdit *value = ui->lineEditPassRemoteControl;
    pick(ui->comboBoxRemoteControl, 3);
    QTest::keyClicks(value, "12345");
    QCOMPARE(value->text(), QString("123"));
    pick(ui->comboBoxRemoteControl, 6);
    QCOMPARE(value->text(), QString());
    QTest::keyClicks(value, "1234567890x");
    QCOMPARE(value->text(), QString("123456789"));

    // Empty inputs count as zero.
    net->clear();
    value->clear();
    ui->pushButtonGenRemoteControl->click();
    QCOMPARE(ui->lineEditGenRemoteControl->text(), QString("S485=8:4:1500:19200:3100ec5AC396000000000c"));

    // A number set past the validator makes no line at all.
    ui->lineEditGenRemoteControl->setText("kept");
    net->setText("300");
    ui->pushButtonGenRemoteControl->click();
    QCOMPARE(ui->lineEditGenRemoteControl->text(), QString("kept"));
}

void TestRemotePage::pastedAnswerIsDecodedInABox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon"); // -1: no box at all
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");

    const QString head = "В ответе содержится:\n\n";
    const int about = int(QMessageBox::NoIcon);
    QTest::newRow("network number") << "3e07fb000000" << about << "Ответ" << head + "Сетевой адрес = 7";
    QTest::newRow("serial and firmware") << "3e01fc393000000a0000" << about << "Ответ"
                                         << head + "Серийный номер - 12345\nВерсия микропрограммы - 10";
    QTest::newRow("level") << "3e0106e79001000000" << about << "Ответ"
                           << head + "Температура = -25\u00B0\u0421\nУровень = 400";
    QTest::newRow("one digit short") << "3e01fc393000000a000" << int(QMessageBox::Warning) << "Внимание!"
                                     << "Введён некорректный ответ!\nПроверьте правильность ввода";
    QTest::newRow("eighteen of twenty characters") << "3e01fc393000000a00" << int(QMessageBox::Warning) << "Внимание!"
                                                   << "Введён некорректный ответ!\nПроверьте правильность ввода";
    QTest::newRow("long text, few bytes") << "3e01fc          zz zz zz" << int(QMessageBox::Warning) << "Внимание!"
                                          << "Введён некорректный ответ!\nПроверьте правильность ввода";
    QTest::newRow("nine characters") << "3e07fb   " << int(QMessageBox::Information) << "Информация"
                                     << "Строка ввода ответа пустая\nили ответ слишком короткий!\n"
                                        "Проверьте правильность ввода.";
    QTest::newRow("ten characters, spaces after") << "3e07fb    " << about << "Ответ" << head + "Сетевой адрес = 7";
    QTest::newRow("generated line") << "S485=4:23:1500:19200:3105f0fe" << -1 << ""
                                    << "";
}

void TestRemotePage::pastedAnswerIsDecodedInABox()
{
    QFETCH(QString, text);
    QFETCH(int, icon);
    QFETCH(QString, title);
    QFETCH(QString, message);
    openPage();
    const QList<Box> boxes = decode(text);
    if (icon < 0) {
        QVERIFY(boxes.isEmpty());
    } else {
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.at(0).title, title);
        QCOMPARE(boxes.at(0).text, message);
        if (icon != int(QMessageBox::NoIcon))
            QCOMPARE(int(boxes.at(0).icon), icon);
    }
    // Decoding changes nothing on the page.
    QCOMPARE(ui->lineEditGenRemoteControl->text(), text);
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->RemoteControl);
}

void TestRemotePage::backButtonKeepsEverythingTyped()
{
    openPage();
    QTest::keyClicks(ui->lineEditNetNumRemoteControl, "42");
    pick(ui->comboBoxRemoteControl, 7);
    pick(ui->comboBoxModeRemoteControl, 1);
    ui->pushButtonGenRemoteControl->click();
    const QString line = ui->lineEditGenRemoteControl->text();

    ui->pushBtnBackRemoteControl->click();
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->DUT);
    openPage();
    QCOMPARE(ui->lineEditNetNumRemoteControl->text(), QString("42"));
    QCOMPARE(ui->comboBoxRemoteControl->currentIndex(), 7);
    QCOMPARE(ui->comboBoxModeRemoteControl->currentIndex(), 1);
    QVERIFY(!ui->comboBoxModeRemoteControl->isHidden());
    QCOMPARE(ui->lineEditGenRemoteControl->text(), line);
}

QTEST_MAIN(TestRemotePage)
#include "tst_remotepage.moc"
