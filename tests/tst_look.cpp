#include "anotheruser.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "files/filereplace.h"
#include "files/programsettings.h"
#include "fulldisk.h"
#include "link/portconnection.h"
#include "modalcloser.h"
#include "simulateddevice.h"

#include <QApplication>
#include <QDateTime>
#include <QPolygonF>
#include <QSettings>
#include <QTranslator>
#include <QtTest>

#include <memory>
#include <optional>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

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
    void settingsFilesAreQtsOwnIni_data();
    void settingsFilesAreQtsOwnIni();
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
    QTest::addColumn<QString>("fault");
    QTest::newRow("light") << 0 << "white"
                           << "#fef7f1" << QString();
    QTest::newRow("dark") << 1 << "dark"
                          << "#1f2222" << QString();
    // The file keeps what it had and the user is told; the choice holds for this run.
    QTest::newRow("light on a full disk") << 0 << "white"
                                          << "#fef7f1"
                                          << "full disk";
    QTest::newRow("light beside a value Qt would write too large") << 0 << "white"
                                                                   << "#fef7f1"
                                                                   << "large value";
    // A key Qt would write otherwise stands for the choice's own key: the choice is written over it.
    QTest::newRow("dark over a key with a slash after it") << 1 << "dark"
                                                           << "#1f2222"
                                                           << "theme/=white";
    QTest::newRow("dark beside what killed writes left") << 1 << "dark"
                                                         << "#1f2222"
                                                         << "left";
    QTest::newRow("light on a file made read-only") << 0 << "white"
                                                    << "#fef7f1"
                                                    << "read-only";
    // A user who may write into the folder but not list it (mode 0333, which only the administrator may
    // list): its sync is refused, and the file in its place is saved.
    QTest::newRow("dark in a folder to write into, not to list") << 1 << "dark"
                                                                 << "#1f2222"
                                                                 << "write-only folder";
}

void TestLook::eachThemeAppliesASheetWithNoPlaceholderLeft()
{
    QFETCH(int, index);
    QFETCH(QString, stored);
    QFETCH(QString, mainColor);
    QFETCH(QString, fault);
    const bool diskFull = fault == "full disk";
    const bool leftovers = fault == "left";
    const QString path = ProgramSettings().fileName();
    ModalCloser boxes;
    std::optional<FullDisk> limit;
    QByteArray before;
    if (diskFull) {
        // Larger than the lock file made beside it and the test's own log so
        // far (neither is cut), within one write buffer (the cut comes with
        // the flush).
        QVERIFY(ProgramSettings::store("default_dir", QString(8000, 'd')));
        before = contents(path);
        limit.emplace(before.size());
    } else if (fault == "large value") {
        QSettings("Mirvel", "Reriruvozive-Mirvel").setValue("shape", QPolygonF(QVector<QPointF>(5000)));
        before = contents(path);
    } else if (fault == "read-only") {
        QVERIFY(ProgramSettings::store("default_dir", "d"));
        before = contents(path);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    } else if (fault == "write-only folder") {
        QVERIFY(ProgramSettings::store("default_dir", "d"));
        const QString folder = QFileInfo(path).absolutePath();
        const QFileDevice::Permissions kept = QFile::permissions(folder);
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions(0x6666)));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x3333)));
        QByteArray said;
        const bool saved = anotheruser::run({"theme", stored}, &said);
        QFile::setPermissions(folder, kept);
        QVERIFY2(saved && contents(path).contains("theme=" + stored.toUtf8()), said.constData());
        fault.clear();
    } else if (leftovers) {
        // The program's own staging names, and a file of the user's.
        for (const char *name : {".71-1.new", ".71-2.new.lock", ".71-3.new.aB3dE6", ".old"})
            QVERIFY(QFile(path + name).open(QIODevice::WriteOnly));
        fault.clear();
    } else if (!fault.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("[General]\n" + fault.toUtf8() + "\n") > 0);
        fault.clear();
    }
    window->form()->comboBoxChooseTheme->setCurrentIndex(index);
    QMetaObject::invokeMethod(window.get(), "on_comboBoxChooseTheme_activated", Q_ARG(int, index));
    limit.reset();
    if (fault == "read-only")
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(boxes.seen.size(), fault.isEmpty() ? 0 : 1);
    if (!fault.isEmpty()) {
        QCOMPARE(contents(path), before);
        QVERIFY(boxes.seen.first().texts.join('\n').contains(QDir::toNativeSeparators(path)));
    }
    // Stored or not, nothing is left beside the file but the user's own.
    if (leftovers)
        QVERIFY(QFile::remove(path + ".old"));
    QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QFileInfo(path).fileName()});

    const QString sheet = qApp->styleSheet();
    QVERIFY(!sheet.isEmpty());
    QVERIFY(!sheet.contains("main_color"));
    QVERIFY(!sheet.contains("border_text_color"));
    QVERIFY(sheet.contains(mainColor, Qt::CaseInsensitive));
    QCOMPARE(ProgramSettings().value("theme").toString(), stored);
    QCOMPARE(QSettings("Mirvel", "Reriruvozive-Mirvel").value("theme").toString(),
             fault.isEmpty() ? stored : QString());
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

// A settings file Qt's own writer wrote is read the same, and a choice
// stored over it rewrites it as Qt's writer wrote it.
void TestLook::settingsFilesAreQtsOwnIni_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("non-ASCII folder") << "default_dir" << QVariant("/home/пользователь/прошивки 2/QF210.bin");
    QTest::newRow("comma, quotes, escapes") << "note" << QVariant("a, \"b\"; c=d\\e\tf\n");
    QTest::newRow("blank ends") << "theme" << QVariant(" dark ");
    QTest::newRow("at sign") << "language" << QVariant("@esp");
    QTest::newRow("group General, key with a slash") << "General/папка/имя файла" << QVariant("x");
    QTest::newRow("list") << "list" << QVariant(QStringList{"a", "@b", " c,d"});
    QTest::newRow("bytes") << "bytes" << QVariant(QByteArray("\0\x01\xff)", 4));
    QTest::newRow("other type") << "when" << QVariant(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)));
}

void TestLook::settingsFilesAreQtsOwnIni()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    const QString path = ProgramSettings().fileName();
    // Written aside and put in place: read from the disk, not from Qt's memory of its write.
    QSettings(path + ".qt", QSettings::IniFormat).setValue(key, value);
    QVERIFY(replaceFile(path + ".qt", path));
    const QByteArray written = contents(path);
    QCOMPARE(ProgramSettings().value(key), value);
    QVERIFY(ProgramSettings::store(key, value));
    QCOMPARE(contents(path), written);
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

int main(int argc, char *argv[])
{
    if (anotheruser::isThisRun(argc, argv)) {
        return anotheruser::serve(argc, argv, [](const QStringList &setting) {
            return setting.size() == 2 && ProgramSettings::store(setting.at(0), setting.at(1));
        });
    }
    QTEST_MAIN_IMPL(TestLook)
}
#include "tst_look.moc"
