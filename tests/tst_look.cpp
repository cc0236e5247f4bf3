#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "link/portconnection.h"
#include "simulateddevice.h"

#include <QApplication>
#include <QSettings>
#include <QTranslator>
#include <QtTest>

#include <memory>

// Theme, language, title and the fit to a low desktop. The offscreen screen
// is 800 x 600, lower than 700 pixels: the low-desktop fit applies here.
class TestLook : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void aLowDesktopSqueezesTheWindowAndThePages();
    void eachThemeAppliesASheetWithNoPlaceholderLeft_data();
    void eachThemeAppliesASheetWithNoPlaceholderLeft();
    void theThemeChoiceSurvivesARestart();
    void languageChangesTheFormTextsAndTitle_data();
    void languageChangesTheFormTextsAndTitle();
    void languageSurvivesARestartInTheComboBox();
    void choicesAreLockedWhileAPortIsOpen();

private:
    std::unique_ptr<Reriruvozive> window;
    QTranslator translator;
};

void TestLook::init()
{
    QSettings settings("Mirvel", "Reriruvozive-Mirvel");
    settings.clear();
    settings.sync();
    window = std::make_unique<Reriruvozive>();
    window->setTranslator(&translator);
}

void TestLook::cleanup()
{
    window.reset();
    QCoreApplication::removeTranslator(&translator);
    qApp->setStyleSheet(QString());
}

void TestLook::aLowDesktopSqueezesTheWindowAndThePages()
{
    QCOMPARE(window->size(), QSize(800, 480));
    QCOMPARE(window->maximumHeight(), 480);
    Ui_Deruvivuriri *ui = window->form();
    // Direct children of a page move up to 0.8 of their y, truncated.
    QCOMPARE(ui->groupBoxSerialPort->y(), 8);       // from 10
    QCOMPARE(ui->scrollAreaBtnsDevices->y(), 63);   // from 79
    QCOMPARE(ui->pushButtonDropDownList->y(), 448); // from 560
    // A grandchild keeps its place inside its parent.
    QCOMPARE(ui->comboBox_SerialPort->parentWidget(), ui->groupBoxSerialPort);
    QCOMPARE(ui->pushButtonDeviceFLS->y(), 0);
    QCOMPARE(ui->pushButtonBLE->y(), 90);
    // The form itself keeps its fixed size.
    QCOMPARE(ui->stackedWidget->size(), QSize(800, 600));
}

void TestLook::eachThemeAppliesASheetWithNoPlaceholderLeft_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("mainColor");
    QTest::newRow("light") << 0 << "white"
                           << "#fef7f1";
    QTest::newRow("dark") << 1 << "dark"
                          << "#1f2222";
}

void TestLook::eachThemeAppliesASheetWithNoPlaceholderLeft()
{
    QFETCH(int, index);
    QFETCH(QString, stored);
    QFETCH(QString, mainColor);
    window->form()->comboBoxChooseTheme->setCurrentIndex(index);
    QMetaObject::invokeMethod(window.get(), "on_comboBoxChooseTheme_activated", Q_ARG(int, index));

    const QString sheet = qApp->styleSheet();
    QVERIFY(!sheet.isEmpty());
    QVERIFY(!sheet.contains("main_color"));
    QVERIFY(!sheet.contains("border_text_color"));
    QVERIFY(sheet.contains(mainColor, Qt::CaseInsensitive));
    QCOMPARE(QSettings("Mirvel", "Reriruvozive-Mirvel").value("theme").toString(), stored);
}

void TestLook::theThemeChoiceSurvivesARestart()
{
    QMetaObject::invokeMethod(window.get(), "on_comboBoxChooseTheme_activated", Q_ARG(int, 1));
    window.reset();
    qApp->setStyleSheet(QString());
    window = std::make_unique<Reriruvozive>();
    QCOMPARE(window->form()->comboBoxChooseTheme->currentIndex(), 1);
    QVERIFY(qApp->styleSheet().contains("#1f2222"));
    QVERIFY(window->checkDarkTheme());
}

void TestLook::languageChangesTheFormTextsAndTitle_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("help");
    QTest::addColumn<QString>("range");
    QTest::addColumn<QString>("writeButton");
    QTest::newRow("english") << 1 << "Help"
                             << "Range"
                             << "Save the paramenters to device";
    QTest::newRow("spanish") << 2 << "Ayuda"
                             << "Rango"
                             << "Guardar ajustes en dispositivo";
}

void TestLook::languageChangesTheFormTextsAndTitle()
{
    QFETCH(int, index);
    QFETCH(QString, help);
    QFETCH(QString, range);
    QFETCH(QString, writeButton);
    Ui_Deruvivuriri *ui = window->form();
    QMetaObject::invokeMethod(window.get(), "on_comboBoxChooseLanguage_activated", Q_ARG(int, index));
    // The language change reaches the window as a posted event.
    QTRY_COMPARE(ui->pushButton_Help->text(), help);
    QCOMPARE(ui->label_19DUT->text(), range);
    QCOMPARE(ui->ButtonWriteParamDUT->text(), writeButton);
    // The form's own empty title never survives: the composed one is re-imposed.
    QVERIFY(window->windowTitle().endsWith(RERIRUVOZIVE_VERSION));
    QVERIFY(!window->windowTitle().startsWith(" "));

    QMetaObject::invokeMethod(window.get(), "on_comboBoxChooseLanguage_activated", Q_ARG(int, 0));
    QTRY_COMPARE(ui->pushButton_Help->text(), QString("Справка"));
    QCOMPARE(ui->label_19DUT->text(), QString("Диапазон"));
    QCOMPARE(window->windowTitle(), QString("Мирвел Конфигуратор %1").arg(RERIRUVOZIVE_VERSION));
}

void TestLook::languageSurvivesARestartInTheComboBox()
{
    QMetaObject::invokeMethod(window.get(), "on_comboBoxChooseLanguage_activated", Q_ARG(int, 2));
    QCOMPARE(QSettings("Mirvel", "Reriruvozive-Mirvel").value("language").toString(), QString("esp"));
    window.reset();
    window = std::make_unique<Reriruvozive>();
    QCOMPARE(window->form()->comboBoxChooseLanguage->currentIndex(), 2);
    QCOMPARE(window->checkCurrentLanguage(), QString("esp"));
}

void TestLook::choicesAreLockedWhileAPortIsOpen()
{
    SimulatedDevice device;
    Ui_Deruvivuriri *ui = window->form();
    QVERIFY(ui->comboBoxChooseLanguage->isEnabled());
    window->port()->openSerialPort(device.portPath());
    QVERIFY(!ui->comboBoxChooseLanguage->isEnabled());
    QVERIFY(!ui->comboBoxChooseTheme->isEnabled());
    window->port()->closeSerialPort();
    QVERIFY(ui->comboBoxChooseLanguage->isEnabled());
    QVERIFY(ui->comboBoxChooseTheme->isEnabled());
}

QTEST_MAIN(TestLook)
#include "tst_look.moc"
