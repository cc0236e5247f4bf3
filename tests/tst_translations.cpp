#include "app/qttexts.h"
#include "deruvivuriri_form.h"
#include "resources/bundle.h"
#include "ui/dynamicqdialog.h"

#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include <utility>

// The core library is static: its resource objects are linked in only when
// something names them.
static void initBundle()
{
    initResourceBundle();
}

namespace {

const char *const kFormContext = "Reriruvozive";

// Answers no text, only remembers what was asked, so that every form text
// that goes through the translator is known, whatever the form holds today.
class RecordingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *disambiguation, int) const override
    {
        if (QByteArray(context) == kFormContext && !disambiguation)
            asked.insert(QString::fromUtf8(source));
        return QString();
    }
    mutable QSet<QString> asked;
};

struct Message
{
    QString context;
    QString source;
    QString comment;
    QString translation;
    QString type;
};

// Reads the messages of a translation source file as lupdate writes it.
QList<Message> readTs(const QString &path, QString *error)
{
    QList<Message> out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = "cannot open " + path;
        return out;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message m;
    bool numerus = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("context")) {
                context.clear();
            } else if (name == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                m = Message{context, {}, {}, {}, {}};
                numerus = xml.attributes().value("numerus") == QLatin1String("yes");
            } else if (name == QLatin1String("source")) {
                m.source = xml.readElementText();
            } else if (name == QLatin1String("comment")) {
                m.comment = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                m.type = xml.attributes().value("type").toString();
                if (!numerus)
                    m.translation = xml.readElementText();
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message") && !numerus) {
            out.append(m);
        }
    }
    if (xml.hasError())
        *error = path + ": " + xml.errorString();
    return out;
}

QString textOf(QWidget *window, const QString &object, const QString &tab)
{
    if (!tab.isEmpty()) {
        auto *tabs = window->findChild<QTabWidget *>(object);
        auto *page = window->findChild<QWidget *>(tab);
        if (!tabs || !page)
            return "<no such tab>";
        return tabs->tabText(tabs->indexOf(page));
    }
    QObject *o = window->findChild<QObject *>(object);
    if (!o)
        return "<no such object>";
    if (auto *box = qobject_cast<QGroupBox *>(o))
        return box->title();
    return o->property("text").toString();
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void formShowsTheChosenLanguage_data();
    void formShowsTheChosenLanguage();
    void everyFormTextIsTranslated_data();
    void everyFormTextIsTranslated();
    void russianFileTranslatesNoFormText();
    void compiledFilesMatchTheirSources_data();
    void compiledFilesMatchTheirSources();
    void sourcesLeaveNothingUnfinished();
    void everyTextOfTheSourcesIsInTheTranslationFiles();
    void messageBoxButtonsSpeakTheChosenLanguage_data();
    void messageBoxButtonsSpeakTheChosenLanguage();

private:
    // Every text the form hands to the translator, in the form's context.
    QSet<QString> formTexts;
    QList<QTranslator *> installed;

    QTranslator *install(const QString &file);
};

void TestTranslations::initTestCase()
{
    initBundle();
    RecordingTranslator recorder;
    QCoreApplication::installTranslator(&recorder);
    {
        QWidget window;
        Ui_Deruvivuriri ui;
        ui.setupUi(&window);
    }
    QCoreApplication::removeTranslator(&recorder);
    formTexts = recorder.asked;
    // The form carries 189 distinct translated texts; a much smaller set
    // would mean the recorder missed the form's pass.
    QVERIFY2(formTexts.size() >= 150, qPrintable(QString::number(formTexts.size())));
    QVERIFY(formTexts.contains(QString::fromUtf8("Справка")));
    QVERIFY(!formTexts.contains(QString("FW:"))); // set once, untranslated
}

void TestTranslations::cleanup()
{
    for (QTranslator *t : std::as_const(installed)) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    installed.clear();
}

QTranslator *TestTranslations::install(const QString &file)
{
    auto *t = new QTranslator;
    installed.append(t);
    if (!t->load(":/translations/" + file))
        return nullptr;
    QCoreApplication::installTranslator(t);
    return t;
}

void TestTranslations::formShowsTheChosenLanguage_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("tab"); // page widget when the text is a tab title
    QTest::addColumn<QString>("russian");
    QTest::addColumn<QString>("translated");

    struct Row
    {
        const char *object;
        const char *tab;
        const char *russian;
        const char *english;
        const char *spanish;
    };
    // Line breaks, leading spaces and mixed scripts are part of the texts:
    // "Мусоровоз" and "Калибровать..." turn into Spanish words holding a
    // Cyrillic С (U+0421, U+0441); "Передавать cерийный номер" starts its
    // second word with a Latin c.
    const Row rows[] = {
        {"label_NameButtQF410", "", "ДУТ", "FLS", "SNC"},
        {"ButtonTarirovka", "", " Тарировка", " Calibration", " Calibración"},
        {"label_4DUT", "", "Изменить сет. адрес", "Change network address", "Cambiar dirección\nde red"},
        {"pushButtonAutoCalibrateBLE", "", "Калибровка\nдатчика", "Sensor\ncalibration", "Calibrar\nSensor"},
        {"tabWidgetAdw", "Device1", "Tab 1", "Закладка 1", "Tab 1"},
        {"label_13", "", "Мусоровоз", "Garbage truck", "\u0421amión de basura"},
        {"checkBox_n7_ReqDut", "", "Опрашивать датчик", "Poll the sensor", "Solicitar sensor"},
        {"label_24", "", "--", "- -", "--"},
        {"pushButtonOnlineEngineOff", "", "Двигатель\nЗАГЛУШЕН", "Engin OFF", "Motor DESACTIVADO"},
        {"label_mnReaderMode", "", "Режим считывателя", "Reader's mode", "Modo \"Lectora\""},
        {"tabWidgetMirvelNet", "reader", "Считыватель", "Reader", "Lectora"},
        {"pushButtonSetPercent", "", "  Установить  ", "  Apply  ", "  Establecer  "},
        {"pushBtnCalibHorizState", "", "Калибровать \n горизонтальное\nположение", "Calibrate horizontal position",
         "Calibrar\nposi\u0441ión\nhorizontal"},
        {"labelSetOutSer", "", "Передавать cерийный номер", "Transmit serial number", "Transmitir el número de serie"},
        {"label_56", "", "Язык", "Language", "Idioma"},
        {"pushBtnInUpdBLE", "", "Вход в режим \nпрошивки для BLE", "Entering the firmware\nupdate mode for BLE",
         "Actualizar el FW\ndel sensor BLE"},
        {"label_14", "", "TextLabel", "Текстовый", "TextLabel"},
    };
    for (const Row &r : rows) {
        QTest::addRow("en %s", r.object) << "Language_Eng.qm" << r.object << r.tab << QString::fromUtf8(r.russian)
                                         << QString::fromUtf8(r.english);
        QTest::addRow("esp %s", r.object)
            << "Language_Esp.qm" << r.object << r.tab << QString::fromUtf8(r.russian) << QString::fromUtf8(r.spanish);
    }
}

void TestTranslations::formShowsTheChosenLanguage()
{
    QFETCH(QString, file);
    QFETCH(QString, object);
    QFETCH(QString, tab);
    QFETCH(QString, russian);
    QFETCH(QString, translated);

    QTranslator *translator = install(file);
    QVERIFY2(translator, qPrintable(file));

    QWidget window;
    Ui_Deruvivuriri ui;
    ui.setupUi(&window);
    QCOMPARE(textOf(&window, object, tab), translated);

    // Back to the source language, as a language change does it.
    QCoreApplication::removeTranslator(translator);
    ui.retranslateUi(&window);
    QCOMPARE(textOf(&window, object, tab), russian);

    QCoreApplication::installTranslator(translator);
    ui.retranslateUi(&window);
    QCOMPARE(textOf(&window, object, tab), translated);
}

void TestTranslations::everyFormTextIsTranslated_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("en") << "Language_Eng.qm";
    QTest::newRow("esp") << "Language_Esp.qm";
}

void TestTranslations::everyFormTextIsTranslated()
{
    QFETCH(QString, file);
    QTranslator translator;
    QVERIFY(translator.load(":/translations/" + file));
    QStringList missing;
    for (const QString &text : std::as_const(formTexts)) {
        if (translator.translate(kFormContext, text.toUtf8().constData()).isEmpty())
            missing.append(text);
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(" | ")));
}

void TestTranslations::russianFileTranslatesNoFormText()
{
    QVERIFY(QFile::exists(":/translations/Language_Ru.qm"));
    QTranslator *translator = install("Language_Ru.qm");
    QVERIFY(translator);
    for (const QString &text : std::as_const(formTexts))
        QVERIFY2(translator->translate(kFormContext, text.toUtf8().constData()).isEmpty(), qPrintable(text));

    QWidget window;
    Ui_Deruvivuriri ui;
    ui.setupUi(&window);
    QCOMPARE(ui.label_NameButtQF410->text(), QString::fromUtf8("ДУТ"));
    QCOMPARE(ui.ButtonTarirovka->text(), QString::fromUtf8(" Тарировка"));
    QCOMPARE(ui.tabWidgetAdw->tabText(ui.tabWidgetAdw->indexOf(ui.Device1)), QString("Tab 1"));
}

void TestTranslations::compiledFilesMatchTheirSources_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("ru") << "Language_Ru";
    QTest::newRow("en") << "Language_Eng";
    QTest::newRow("esp") << "Language_Esp";
}

// The bundle is built from the .ts files in the tree: every finished
// translation there must come out of the compiled file unchanged, and
// nothing else may be translated.
void TestTranslations::compiledFilesMatchTheirSources()
{
    QFETCH(QString, name);
    const QString ts = QFINDTESTDATA("../resources/translations/" + name + ".ts");
    QVERIFY2(!ts.isEmpty(), qPrintable(name));
    QString error;
    const QList<Message> messages = readTs(ts, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(messages.size() >= formTexts.size());

    QTranslator translator;
    QVERIFY(translator.load(":/translations/" + name + ".qm"));
    int translated = 0;
    for (const Message &m : messages) {
        const QByteArray comment = m.comment.toUtf8();
        const QString got = translator.translate(m.context.toUtf8().constData(), m.source.toUtf8().constData(),
                                                 m.comment.isEmpty() ? nullptr : comment.constData());
        const bool compiled = m.type.isEmpty() && !m.translation.isEmpty();
        QVERIFY2(got == (compiled ? m.translation : QString()),
                 qPrintable(m.context + " / " + m.source + " -> " + got));
        translated += compiled;
    }
    if (name == "Language_Ru")
        QCOMPARE(translated, 0);
    else
        QVERIFY(translated >= formTexts.size());
}

void TestTranslations::sourcesLeaveNothingUnfinished()
{
    for (const QString name : {"Language_Eng", "Language_Esp"}) {
        const QString ts = QFINDTESTDATA("../resources/translations/" + name + ".ts");
        QVERIFY2(!ts.isEmpty(), qPrintable(name));
        QString error;
        const QList<Message> messages = readTs(ts, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // A text shown through a variable never reaches lupdate, and its entry
        // turns "vanished" here: such leftovers fail as unfinished ones do.
        for (const Message &m : messages) {
            QVERIFY2(m.type.isEmpty() && !m.translation.isEmpty(),
                     qPrintable(name + ": " + m.context + " / " + m.source + " (" + m.type + ")"));
        }
    }
}

// A text added to the code without refreshing the translation files would
// show untranslated in every language; lupdate run over today's sources must
// find nothing the English file lacks and nothing it has that left the code.
void TestTranslations::everyTextOfTheSourcesIsInTheTranslationFiles()
{
    QString lupdate = QStandardPaths::findExecutable("lupdate");
    if (lupdate.isEmpty())
        lupdate = "/usr/lib/qt5/bin/lupdate";
    QVERIFY2(QFile::exists(lupdate), "lupdate not found (Debian package qttools5-dev-tools)");

    const QString root = QStringLiteral(SOURCE_ROOT);
    QStringList sources{root + "/ui/deruvivuriri.ui"};
    for (const char *dir : {"app", "ui", "link", "files", "calibration", "devices", "remote"}) {
        QDirIterator it(root + "/" + dir, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            sources << it.next();
    }
    QTemporaryDir work;
    QVERIFY(work.isValid());
    const QString committed = root + "/resources/translations/Language_Eng.ts";
    const QString refreshed = work.filePath("Language_Eng.ts");
    QVERIFY(QFile::copy(committed, refreshed));

    QProcess run;
    run.setWorkingDirectory(root);
    run.start(lupdate, QStringList{"-silent", "-I", root, "-locations", "none", "-no-ui-lines", "-source-language",
                                   "ru_RU", "-target-language", "en", "-no-obsolete"}
                           << sources << QStringList{"-ts", refreshed});
    QVERIFY(run.waitForFinished(120000));
    QCOMPARE(run.exitCode(), 0);

    QString error;
    const auto keys = [&error](const QString &path) {
        QSet<QString> out;
        for (const Message &m : readTs(path, &error))
            out.insert(m.context + " / " + m.source + (m.comment.isEmpty() ? QString() : " / " + m.comment));
        return out;
    };
    const QSet<QString> inFile = keys(committed);
    const QSet<QString> inSources = keys(refreshed);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QStringList gaps;
    for (const QString &key : inSources - inFile)
        gaps << "not in the files: " + key;
    for (const QString &key : inFile - inSources)
        gaps << "no longer in the sources: " + key;
    QVERIFY2(gaps.isEmpty(), qPrintable(gaps.join("\n") + "\nrun scripts/update-translations.sh"));
}

void TestTranslations::messageBoxButtonsSpeakTheChosenLanguage_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("captions"); // Cancel, OK
    QTest::addColumn<QString>("language");     // the "language" setting
    // Qt's own: a message box's Yes, and the file dialog's box for a name
    // that is no file.
    QTest::addColumn<QStringList>("qtTexts");
    QTest::newRow("ru") << "Language_Ru.qm" << QStringList{QString::fromUtf8("Отмена"), "OK"} << "ru"
                        << QStringList{QString::fromUtf8("&Да"), QString::fromUtf8("x\nФайл не найден.")};
    QTest::newRow("en") << "Language_Eng.qm" << QStringList{"Cancel", "OK"} << "en"
                        << QStringList{"&Yes", "x\nFile not found."};
    QTest::newRow("esp") << "Language_Esp.qm" << QStringList{"Cancelar", "Aceptar"} << "esp"
                         << QStringList{QString::fromUtf8("&Sí"), QString::fromUtf8("x\nFichero no encontrado.")};
}

void TestTranslations::messageBoxButtonsSpeakTheChosenLanguage()
{
    QFETCH(QString, file);
    QFETCH(QStringList, captions);
    QFETCH(QString, language);
    QFETCH(QStringList, qtTexts);
    auto *qtOwn = new QTranslator;
    installed.append(qtOwn);
    QVERIFY(qttexts::load(*qtOwn, language));
    QCoreApplication::installTranslator(qtOwn);
    QVERIFY(install(file));
    DynamicQDialog dialog(nullptr, QString(), QStringLiteral("text"), true);
    QStringList shown;
    for (QPushButton *button : dialog.findChildren<QPushButton *>())
        shown << button->text();
    QCOMPARE(shown, captions);

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes);
    const QString notFound = QFileDialog::tr("%1\nFile not found.\nPlease verify the correct file name was given.");
    QCOMPARE((QStringList{box.button(QMessageBox::Yes)->text(), notFound.arg("x").section('\n', 0, 1)}), qtTexts);
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
