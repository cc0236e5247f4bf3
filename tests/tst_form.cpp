#include "deruvivuriri_form.h"

#include <QLayout>
#include <QSet>
#include <QTranslator>
#include <QtTest>

namespace {

// Qt's own helpers inside combo boxes, scroll areas, line edits and tab bars
// carry no name, a "qt_" one or one of the tab bar's scroll button names.
bool isFormObject(const QObject *o)
{
    const QString name = o->objectName();
    return !name.isEmpty() && !name.startsWith("qt_") && name != "ScrollLeftButton" && name != "ScrollRightButton";
}

QList<QObject *> namedObjects(QObject *root)
{
    QList<QObject *> out;
    for (QObject *o : root->findChildren<QObject *>()) {
        if (isFormObject(o))
            out.append(o);
    }
    return out;
}

int spacerCount(QObject *root)
{
    int n = 0;
    for (QLayout *layout : root->findChildren<QLayout *>()) {
        if (!isFormObject(layout))
            continue;
        for (int i = 0; i < layout->count(); ++i) {
            if (layout->itemAt(i)->spacerItem())
                ++n;
        }
    }
    return n;
}

// Translates one form text, to see that the form really asks the translator.
class OneTextTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (QByteArray(context) == "Reriruvozive" && QString::fromUtf8(source) == "Справка")
            return "Help";
        return QString();
    }
};

} // namespace

class TestForm : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void windowIsFixedAt800x600();
    void everyObjectHasAUniqueName();
    void pagesComeInOrderWithPageZeroCurrent();
    void eachPageHoldsItsObjects_data();
    void eachPageHoldsItsObjects();
    void sampleObjectsHaveTheirClassAndParent_data();
    void sampleObjectsHaveTheirClassAndParent();
    void tabOrderRunsThroughThePanel();
    void initialStates();
    void pointingHandCursorsGoWhereTheyBelong();
    void formFontsGoWhereTheyBelong();
    void retranslateRestoresSourceTexts();
    void aWindowWithANameKeepsIt();

private:
    QWidget *window = nullptr;
    Ui_Deruvivuriri *ui = nullptr;
};

void TestForm::init()
{
    window = new QWidget;
    ui = new Ui_Deruvivuriri;
    ui->setupUi(window);
}

void TestForm::cleanup()
{
    delete window;
    delete ui;
    window = nullptr;
    ui = nullptr;
}

void TestForm::windowIsFixedAt800x600()
{
    QCOMPARE(window->objectName(), QString("Reriruvozive"));
    QCOMPARE(window->size(), QSize(800, 600));
    QCOMPARE(window->minimumSize(), QSize(800, 600));
    QCOMPARE(window->maximumSize(), QSize(800, 600));
    QCOMPARE(ui->stackedWidget->parentWidget(), window);
    QCOMPARE(ui->stackedWidget->geometry(), QRect(0, 0, 800, 600));
    QCOMPARE(window->font().family(), QString("Futura PT Light"));
    QCOMPARE(ui->stackedWidget->font().family(), QString("Futura PT Medium"));
}

void TestForm::everyObjectHasAUniqueName()
{
    const QList<QObject *> objects = namedObjects(window);
    QCOMPARE(objects.size() + 1, 645); // the window itself carries a name too
    QSet<QString> names{window->objectName()};
    for (QObject *o : objects) {
        QVERIFY2(!names.contains(o->objectName()), qPrintable(o->objectName()));
        names.insert(o->objectName());
    }
    QCOMPARE(spacerCount(window), 21);
}

void TestForm::pagesComeInOrderWithPageZeroCurrent()
{
    const QStringList expected = {
        "DUT",      "BLE_QF410",     "KV_BLE",          "ChoiceBLE",       "bleAdwertTar",   "KV380",
        "N7",       "PLM300",        "QFOnline",        "MirvelNet",       "Tarirovka",      "GraphTar",
        "WiredTag", "RemoteControl", "EngineerMenuDUT", "ProgrammSetting", "EnineerMenuBLE", "UpdateFWBLE",
        "ForTest"};
    QCOMPARE(ui->stackedWidget->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(ui->stackedWidget->widget(i)->objectName(), expected.at(i));
    QCOMPARE(ui->stackedWidget->currentWidget(), ui->DUT);
    QCOMPARE(ui->tabWidgetAdw->currentWidget(), ui->Device4);
    QCOMPARE(ui->tabWidgetQFOnline->currentWidget(), ui->RS485);
    QCOMPARE(ui->tabWidgetMirvelNet->currentWidget(), ui->reader);
    QCOMPARE(ui->tabWidgetQFOnline->tabPosition(), QTabWidget::West);
    QCOMPARE(ui->GraphTar->children().size(), 0);
}

void TestForm::eachPageHoldsItsObjects_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("objects");
    QTest::addColumn<int>("spacers");
    const QList<std::tuple<const char *, int, int>> rows = {{"DUT", 91, 3},
                                                            {"BLE_QF410", 45, 1},
                                                            {"KV_BLE", 38, 8},
                                                            {"ChoiceBLE", 3, 0},
                                                            {"bleAdwertTar", 25, 4},
                                                            {"KV380", 36, 0},
                                                            {"N7", 23, 0},
                                                            {"PLM300", 42, 1},
                                                            {"QFOnline", 102, 1},
                                                            {"MirvelNet", 57, 0},
                                                            {"Tarirovka", 23, 1},
                                                            {"GraphTar", 0, 0},
                                                            {"WiredTag", 28, 0},
                                                            {"RemoteControl", 19, 1},
                                                            {"EngineerMenuDUT", 41, 1},
                                                            {"ProgrammSetting", 10, 0},
                                                            {"EnineerMenuBLE", 8, 0},
                                                            {"UpdateFWBLE", 6, 0},
                                                            {"ForTest", 27, 0}};
    for (const auto &[page, objects, spacers] : rows)
        QTest::newRow(page) << QString(page) << objects << spacers;
}

void TestForm::eachPageHoldsItsObjects()
{
    QFETCH(QString, page);
    QFETCH(int, objects);
    QFETCH(int, spacers);
    QWidget *w = window->findChild<QWidget *>(page);
    QVERIFY(w);
    QCOMPARE(w->parentWidget(), ui->stackedWidget);
    QCOMPARE(namedObjects(w).size(), objects);
    QCOMPARE(spacerCount(w), spacers);
}

void TestForm::sampleObjectsHaveTheirClassAndParent_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");
    QTest::newRow("port combo") << "comboBox_SerialPort"
                                << "QComboBox"
                                << "groupBoxSerialPort";
    QTest::newRow("device button") << "pushButtonBLE"
                                   << "QPushButton"
                                   << "scrollAreaWidgetContents";
    QTest::newRow("level bar") << "progressBarLevelDUT"
                               << "QProgressBar"
                               << "DUT";
    QTest::newRow("ble mac") << "labelCopyMAC"
                             << "QLabel"
                             << "BLE_QF410";
    QTest::newRow("kvble widget") << "widgetKVBLE"
                                  << "QWidget"
                                  << "KV_BLE";
    QTest::newRow("choice") << "pushButtonChoiceKVBLE"
                            << "QPushButton"
                            << "ChoiceBLE";
    QTest::newRow("adw tabs") << "tabWidgetAdw"
                              << "QTabWidget"
                              << "bleAdwertTar";
    QTest::newRow("kv380 up") << "lineEditKV380Up"
                              << "QLineEdit"
                              << "KV380";
    QTest::newRow("n7 table") << "tableView_n7TarTable"
                              << "QTableView"
                              << "N7";
    QTest::newRow("plm write") << "ButtonWriteParamPLM300"
                               << "QPushButton"
                               << "PLM300";
    QTest::newRow("online tabs") << "tabWidgetQFOnline"
                                 << "QTabWidget"
                                 << "QFOnline";
    QTest::newRow("mn tabs") << "tabWidgetMirvelNet"
                             << "QTabWidget"
                             << "MirvelNet";
    QTest::newRow("tar step") << "lineEditStepTar"
                              << "QLineEdit"
                              << "Tarirovka";
    QTest::newRow("tag button") << "pushButtonWiredTag"
                                << "QPushButton"
                                << "WiredTag";
    QTest::newRow("rc generate") << "pushButtonGenRemoteControl"
                                 << "QPushButton"
                                 << "";
    QTest::newRow("engineer back") << "pushBtnEngineerBack"
                                   << "QPushButton"
                                   << "";
    QTest::newRow("language") << "comboBoxChooseLanguage"
                              << "QComboBox"
                              << "";
    QTest::newRow("ble engineer") << "pushBtnManualInputBLE"
                                  << "QPushButton"
                                  << "";
    QTest::newRow("update base") << "pushBtnInUpdBase"
                                 << "QPushButton"
                                 << "";
    QTest::newRow("test page") << "pushButton"
                               << "QPushButton"
                               << "";
}

void TestForm::sampleObjectsHaveTheirClassAndParent()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, parentName);
    QObject *o = window->findChild<QObject *>(name);
    QVERIFY2(o, qPrintable(name));
    QCOMPARE(QString(o->metaObject()->className()), className);
    if (!parentName.isEmpty())
        QCOMPARE(o->parent()->objectName(), parentName);
}

void TestForm::tabOrderRunsThroughThePanel()
{
    const QList<QWidget *> order = {ui->comboBox_SerialPort, ui->ButtonTarirovka,        ui->lineEditNetNumDUT,
                                    ui->comboBox_FiltrDUT,   ui->comboBox_ModeDUT,       ui->ButtonWriteParamDUT,
                                    ui->pushButtonBackTarir, ui->pushButtonAutoCalibrate};
    // The next widget that Tab reaches: holders in between take no focus.
    auto nextTabStop = [](QWidget *w) {
        QWidget *next = w->nextInFocusChain();
        while (next != w && !(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        return next;
    };
    for (int i = 0; i + 1 < order.size(); ++i)
        QCOMPARE(nextTabStop(order.at(i))->objectName(), order.at(i + 1)->objectName());
}

void TestForm::initialStates()
{
    for (QPushButton *b : {ui->pushButtonDeviceFLS, ui->pushButtonBLE, ui->pushButtonKV380, ui->pushButtonPLM300,
                           ui->pushButtonQFOnline, ui->pushButtonN7, ui->pushButtonMirvelNet, ui->pushButtonWiredTag}) {
        QVERIFY(b->isCheckable());
        QVERIFY(!b->isChecked());
        QCOMPARE(b->cursor().shape(), Qt::ArrowCursor);
    }
    QVERIFY(!ui->pushButtonAutoCalibrateQFOnline->isEnabled());
    QVERIFY(ui->pushButtonAutoCalibrate->isEnabled());
    QCOMPARE(ui->progressBarLevelDUT->value(), 24);
    QCOMPARE(ui->progressBarLevelDUT->orientation(), Qt::Vertical);
    QCOMPARE(ui->comboBox_SerialPort->count(), 0);
    QCOMPARE(ui->ButtonWriteParamDUT->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(ui->pushButtonDeviceFLS->iconSize(), QSize(16, 16));
    QVERIFY(ui->ButtonWriteParamDUT->font().bold());
    QCOMPARE(ui->line_RedDUTBLE->styleSheet(), QString("background-color:#e32323"));
    QCOMPARE(ui->scrollAreaBtnsDevices->geometry(), QRect(699, 79, 97, 451));
    QCOMPARE(ui->pushButtonWiredTag->geometry(), QRect(540, 460, 90, 90));
}

void TestForm::pointingHandCursorsGoWhereTheyBelong()
{
    QMap<QString, int> byClass;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (isFormObject(w) && w->testAttribute(Qt::WA_SetCursor) && w->cursor().shape() == Qt::PointingHandCursor)
            ++byClass[w->metaObject()->className()];
    }
    QCOMPARE(byClass.value("QPushButton"), 66);
    QCOMPARE(byClass.value("QComboBox"), 23);
    QCOMPARE(byClass.value("QCheckBox"), 3);
    QCOMPARE(byClass.value("QLabel"), 2);
    QCOMPARE(ui->labelCopyMAC->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(ui->labelCopyIMEI->cursor().shape(), Qt::PointingHandCursor);
}

void TestForm::formFontsGoWhereTheyBelong()
{
    int withFont = window->testAttribute(Qt::WA_SetFont) ? 1 : 0;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (isFormObject(w) && w->testAttribute(Qt::WA_SetFont))
            ++withFont;
    }
    // 181 font settings; the two that set no attribute (comboBox_FiltrBLE,
    // label_StableOnline) leave no mark on their widgets.
    QCOMPARE(withFont, 179);
    // Only the five write buttons are bold; the page titles turn bold off.
    QVERIFY(ui->ButtonWriteParamKV380->font().bold());
    QVERIFY(!ui->label_EngineerMenuDUT->font().bold());
    QCOMPARE(ui->label_EngineerMenuDUT->font().family(), QString("BankGothic RUSS"));
    // A font that sets nothing leaves the page's family in place.
    QCOMPARE(ui->comboBox_FiltrBLE->font().family(), QString("Futura PT Light"));
    QCOMPARE(ui->label_n7pic->font().family(), QString("Futura PT Medium"));
    QCOMPARE(ui->label_n7pic->font().pointSize(), 24);
}

void TestForm::retranslateRestoresSourceTexts()
{
    // Texts set once without translation, texts with line breaks and texts
    // that mix Latin and Cyrillic letters on purpose.
    QCOMPARE(ui->label_SerNumName->text(), QString("№:"));
    QCOMPARE(ui->pushButtonAutoCalibrate->text(), QString("Калибровка\nдатчика"));
    QCOMPARE(ui->ButtonTarirovka->text(), QString(" Тарировка"));
    QCOMPARE(ui->label_NaprNameQF260DUT->text(), QString("Uвых ="));

    ui->pushButton_Help->setText("x");
    ui->label_19DUT->setText("x");
    ui->tabWidgetQFOnline->setTabText(0, "x");
    OneTextTranslator translator;
    QCoreApplication::installTranslator(&translator);
    ui->retranslateUi(window);
    QCOMPARE(ui->pushButton_Help->text(), QString("Help"));
    QCoreApplication::removeTranslator(&translator);
    ui->retranslateUi(window);
    QCOMPARE(ui->pushButton_Help->text(), QString("Справка"));
    QCOMPARE(ui->label_19DUT->text(), QString("Диапазон"));
    QVERIFY(ui->tabWidgetQFOnline->tabText(0) != "x");
    QCOMPARE(window->windowTitle(), QString());
    QCOMPARE(ui->label_SerNumName->text(), QString("№:")); // not touched by a retranslation
}

void TestForm::aWindowWithANameKeepsIt()
{
    QWidget named;
    named.setObjectName("Mine");
    Ui_Deruvivuriri form;
    form.setupUi(&named);
    QCOMPARE(named.objectName(), QString("Mine"));
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"
