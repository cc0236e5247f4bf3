#include "app/helptexts.h"
#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "ui/custompopup.h"

#include <QClipboard>
#include <QDesktopWidget>
#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QtTest>

#include <memory>

namespace {

void enter(QWidget *widget)
{
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(widget->mapToGlobal(QPoint(2, 2))));
    QCoreApplication::sendEvent(widget, &event);
}

void leave(QWidget *widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}

void press(QWidget *widget)
{
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(widget->mapToGlobal(QPoint(2, 2))),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// Runs the deletions scheduled with deleteLater.
void flushDeletions()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QList<CustomPopUp *> visiblePopUps(QWidget *window)
{
    QList<CustomPopUp *> shown;
    for (CustomPopUp *popUp : window->findChildren<CustomPopUp *>()) {
        if (popUp->isVisible())
            shown << popUp;
    }
    return shown;
}

const QString kFiltrationDegree =
    "Выставьте степень фильтрации в зависимости от условий дальнейшей эксплуатации Для медианной фильтрации:\n"
    "0-1 - стационарные емкости\n"
    "2-6 - транспорт, передвигающийся по хорошим дорогам\n"
    "7-12 - транспорт, передвигающийся по плохим дорогам, тракторы, сельхозтехника\n"
    "13-15 - для очень сильных вибраций и качек, карьерная и горно-шахтная спецтехника\n"
    "Для умной фильтрации выберите степень фильтрации в соответствии с объемом топливного бака";

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void f1OpensAndClosesThePanel();
    void helpButtonTogglesThePanelAndLogs();
    void backButtonClosesAndF1OpensAgainAtOnce();
    void closingThePanelGivesBackTheLowDesktopSize();
    void closingThePanelGivesBackTheSizeItHad();
    void panelExplainsTheWidgetUnderThePointer_data();
    void panelExplainsTheWidgetUnderThePointer();
    void everyExplainedWidgetReachesThePanel();
    void aWidgetWithoutTextLeavesThePanelAsItWas();
    void questionMarksOpenNoPopUpInHelpMode();
    void popUpHeightFollowsTheTextLength_data();
    void popUpHeightFollowsTheTextLength();
    void popUpStandsRightOfItsWidgetAndTakesItsColours();
    void aSecondPopUpReplacesTheFirst();
    void openingThePanelRemovesAPopUp();
    void onlinePageQuestionMarksHaveTheirTexts();
    void popUpIsAQuietToolWindowThatFadesIn();
    void clickingTheMacCopiesItWithoutColons();
    void clickingTheImeiCopiesItAsShown();
    void enteringThePortListRefreshesItOnlyWithNoDeviceChosen();
    void pageControlsGetTheHandPointer();
    void textLookUpsKnowOnlyTheirNames();

private:
    void showActive();

    std::unique_ptr<Reriruvozive> window;
    Ui_Deruvivuriri *ui = nullptr;
};

void TestHelp::init()
{
    qunsetenv("RERIRUVOZIVE_EXTRA_PORTS");
    window = std::make_unique<Reriruvozive>();
    ui = window->form();
    // The theme sheet sets its own font sizes over the widgets' fonts; these
    // tests look at the fonts the window gives.
    qApp->setStyleSheet(QString());
}

void TestHelp::cleanup()
{
    window.reset();
    flushDeletions();
    ui = nullptr;
    qunsetenv("RERIRUVOZIVE_EXTRA_PORTS");
}

void TestHelp::showActive()
{
    window->show();
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void TestHelp::f1OpensAndClosesThePanel()
{
    showActive();
    const QSize before = window->size();

    QTest::keyClick(window.get(), Qt::Key_F1);
    QVERIFY(window->isHelpPanelOpen());
    QCOMPARE(window->size(), QSize(1080, 600));
    QCOMPARE(window->maximumSize(), QSize(1080, 600));

    auto *border = window->findChild<QFrame *>("line_help_border", Qt::FindDirectChildrenOnly);
    QVERIFY(border);
    QCOMPARE(border->geometry(), QRect(797, 0, 2, 600));
    QPushButton *back = window->helpPanelBackButton();
    QVERIFY(back);
    QCOMPARE(back->objectName(), QString("helpBackBtn"));
    QCOMPARE(back->geometry(), QRect(799, 280, 20, 40));
    QLabel *label = window->helpPanelLabel();
    QVERIFY(label);
    QVERIFY(label->objectName().isEmpty());
    QCOMPARE(label->geometry(), QRect(820, 0, 255, 590));
    QVERIFY(label->wordWrap());
    QVERIFY(label->text().isEmpty());
    QVERIFY(label->isVisible());
    QCOMPARE(label->font().pointSize(), 12);

    QTest::keyClick(window.get(), Qt::Key_F1);
    QVERIFY(!window->isHelpPanelOpen());
    QVERIFY(!window->helpPanelLabel());
    QCOMPARE(window->size(), before);
    QPointer<QFrame> goneBorder(border);
    QPointer<QLabel> goneLabel(label);
    flushDeletions();
    QVERIFY(goneBorder.isNull());
    QVERIFY(goneLabel.isNull());
}

void TestHelp::helpButtonTogglesThePanelAndLogs()
{
    QSignalSpy logged(window.get(), &Reriruvozive::signalLogWritten);
    ui->pushButton_Help->click();
    QVERIFY(window->isHelpPanelOpen());
    QCOMPARE(logged.count(), 1);
    QVERIFY(logged.at(0).at(0).toString().endsWith(" -- Help called"));

    ui->pushButton_Help->click();
    QVERIFY(!window->isHelpPanelOpen());
    QCOMPARE(logged.count(), 2);
}

void TestHelp::backButtonClosesAndF1OpensAgainAtOnce()
{
    showActive();
    QTest::keyClick(window.get(), Qt::Key_F1);
    QVERIFY(window->isHelpPanelOpen());
    QTest::mouseClick(window->helpPanelBackButton(), Qt::LeftButton);
    QVERIFY(!window->isHelpPanelOpen());

    QTest::keyClick(window.get(), Qt::Key_F1);
    QVERIFY(window->isHelpPanelOpen());
    QVERIFY(window->helpPanelLabel());
    QCOMPARE(window->size(), QSize(1080, 600));
}

void TestHelp::closingThePanelGivesBackTheLowDesktopSize()
{
    // The offscreen desktop is 800 x 600, a low one: the window was fitted to it.
    QVERIFY(QApplication::desktop()->geometry().height() < 700);
    QCOMPARE(window->size(), QSize(800, 480));

    window->slotShortcutF1();
    QCOMPARE(window->size(), QSize(1080, 600));
    window->closeHelp();
    QCOMPARE(window->size(), QSize(800, 480));
    QCOMPARE(window->minimumSize(), QSize(800, 480));
    QCOMPARE(window->maximumSize(), QSize(800, 480));
}

void TestHelp::closingThePanelGivesBackTheSizeItHad()
{
    window->setMinimumSize(800, 600);
    window->setMaximumSize(800, 600);
    window->resize(800, 600);

    window->slotShortcutF1();
    QCOMPARE(window->size(), QSize(1080, 600));
    window->slotShortcutF1();
    QCOMPARE(window->size(), QSize(800, 600));
    QCOMPARE(window->maximumSize(), QSize(800, 600));
}

void TestHelp::panelExplainsTheWidgetUnderThePointer_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("text");

    QTest::newRow("fuel sensor button") << "pushButtonDeviceFLS"
                                        << "Кнопка выбора интерфейса настройки датчиков уровня топлива.";
    QTest::newRow("BLE button shares it") << "pushButtonBLE"
                                          << "Кнопка выбора интерфейса настройки датчиков уровня топлива.";
    QTest::newRow("temperature name") << "label_TempNameDUT"
                                      << "Температура датчика.";
    QTest::newRow("temperature value") << "label_TempValDUT"
                                       << "Температура датчика.";
    QTest::newRow("filtering, blanks kept")
        << "comboBox_FiltrDUT"
        << "Фильтрация - функция усреднения значений за определённый промежуток времени для исключения влияния      "
           "                   на показания механических воздействий на ёмкость с топливо или само топливо "
           "(например, вибрация,                                                                                   "
           "                   непродолжительное движение транспортного средства по наклонной поверхности).";
    QTest::newRow("filtering degree") << "comboBoxTypeFiltration" << kFiltrationDegree;
    QTest::newRow("port list") << "comboBox_SerialPort"
                               << "СOМ* – виртуальный СОМ–порт для связи конфигуратора с ДУТ через преобразователь "
                                  "интерфейса. После                         подключения преобразователя интерфейса "
                                  "COM-порт определится автоматически, при условии, что                         "
                                  "корректно установлен драйвер устройства и в ПК не имеется больше виртуальных "
                                  "COM-портов. В противном                         случае нужный COM-порт необходимо "
                                  "выбрать из списка.";
    QTest::newRow("lock of the BLE page") << "label_LockBLE_BLE"
                                          << "Индикация наличия/отсутствия пароля датчика";
}

void TestHelp::panelExplainsTheWidgetUnderThePointer()
{
    QFETCH(QString, widget);
    QFETCH(QString, text);

    auto *target = window->findChild<QWidget *>(widget);
    QVERIFY(target);
    window->slotShortcutF1();
    enter(target);
    QCOMPARE(window->helpPanelLabel()->text(), text);
    leave(target);
    QCOMPARE(window->helpPanelLabel()->text(), QString());
}

void TestHelp::everyExplainedWidgetReachesThePanel()
{
    window->slotShortcutF1();
    for (const QString &name : helptexts::panelWidgetNames()) {
        auto *widget = window->findChild<QWidget *>(name);
        QVERIFY2(widget, qPrintable(name));
        enter(widget);
        QVERIFY2(!window->helpPanelLabel()->text().isEmpty(), qPrintable(name));
        QCOMPARE(window->helpPanelLabel()->text(), helptexts::panelText(name));
        leave(widget);
        QVERIFY2(window->helpPanelLabel()->text().isEmpty(), qPrintable(name));
    }
}

void TestHelp::aWidgetWithoutTextLeavesThePanelAsItWas()
{
    window->slotShortcutF1();
    enter(ui->label_FirmwareVal);
    QCOMPARE(window->helpPanelLabel()->text(), QString("Версия программного обеспечения (прошивки) датчика."));
    // The page itself has no text: the panel keeps what it shows.
    enter(ui->DUT);
    QCOMPARE(window->helpPanelLabel()->text(), QString("Версия программного обеспечения (прошивки) датчика."));

    enter(ui->pushButtonService);
    const QString service = window->helpPanelLabel()->text();
    QStringList entries;
    for (const QString &entry : {"Обновить прошивку", "Отменить несохранённые настройки",
                                 "Загрузить заводские настройки", "Инженерное меню", "Безопасность"})
        entries << "<b>" + entry + "</b>";
    int at = -1;
    for (const QString &entry : entries) {
        const int next = service.indexOf(entry);
        QVERIFY2(next > at, qPrintable(entry));
        at = next;
    }
}

void TestHelp::questionMarksOpenNoPopUpInHelpMode()
{
    window->slotShortcutF1();
    enter(ui->labelQuestionPict_5);
    QVERIFY(!window->currentPopUp());
    QVERIFY(window->findChildren<CustomPopUp *>().isEmpty());
    enter(ui->comboBoxTypeFiltration);
    QCOMPARE(window->helpPanelLabel()->text(), kFiltrationDegree);
}

void TestHelp::popUpHeightFollowsTheTextLength_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("height");

    // 432 characters: 17 rows, four fewer for a long text.
    QTest::newRow("long") << "labelQuestionPict_5" << 390;
    // 334 characters: 13 - 4 rows.
    QTest::newRow("just long") << "labelQuestionPict_4" << 270;
    // 146 characters: 5 rows.
    QTest::newRow("medium") << "labelQuestionPict_2" << 150;
    // 57 characters: 2 rows.
    QTest::newRow("short") << "labelQuestionPict" << 60;
}

void TestHelp::popUpHeightFollowsTheTextLength()
{
    QFETCH(QString, label);
    QFETCH(int, height);

    auto *question = window->findChild<QLabel *>(label);
    QVERIFY(question);
    enter(question);
    CustomPopUp *popUp = window->currentPopUp();
    QVERIFY(popUp);
    QCOMPARE(popUp->popupText(), helptexts::questionMarkText(label));
    QCOMPARE(popUp->geometry().size(), QSize(200, height));
}

void TestHelp::popUpStandsRightOfItsWidgetAndTakesItsColours()
{
    showActive();
    QPalette colours = ui->labelQuestionPict_5->palette();
    colours.setColor(QPalette::Window, QColor("#123456"));
    ui->labelQuestionPict_5->setPalette(colours);

    enter(ui->labelQuestionPict_5);
    CustomPopUp *popUp = window->currentPopUp();
    QVERIFY(popUp);
    QVERIFY(popUp->isVisible());
    const QPoint corner = ui->labelQuestionPict_5->mapToGlobal(QPoint(0, 0));
    QCOMPARE(popUp->geometry().topLeft(),
             QPoint(corner.x() + ui->labelQuestionPict_5->width(), corner.y() - 3 * ui->labelQuestionPict_5->height()));
    QCOMPARE(popUp->palette().color(QPalette::Window), QColor("#123456"));
    QCOMPARE(popUp->popupText(),
             QString("Выставьте степень фильтрации в зависимости от условий дальнейшей эксплуатации Для медианной "
                     "фильтрации:\n0-1 - стационарные емкости\n2-6 - транспорт, передвигающийся по хорошим дорогам\n"
                     "7-12 - транспорт, передвигающийся по плохим дорогам, тракторы, сельхозтехника\n13-15 - для "
                     "очень сильных вибраций и качек, карьерная и горно-шахтная спецтехника\nДля умной фильтрации "
                     "выберите степень фильтрации в соответствии с объемом топливного бака"));

    // The bubble is painted in the widget's colours, inside a white rim.
    const QImage picture = popUp->grab().toImage();
    QCOMPARE(picture.pixelColor(picture.width() / 2, 8).rgb(), QColor("#123456").rgb());
    QCOMPARE(picture.pixelColor(1, 1).alpha(), 0);

    leave(ui->labelQuestionPict_5);
    QVERIFY(!window->currentPopUp());
    QVERIFY(visiblePopUps(window.get()).isEmpty());
}

void TestHelp::aSecondPopUpReplacesTheFirst()
{
    showActive();
    enter(ui->labelQuestionPict);
    QPointer<CustomPopUp> first = window->currentPopUp();
    QVERIFY(first);
    QVERIFY(first->isVisible());

    // No Leave in between: the pointer went straight from one to the other.
    enter(ui->labelQuestionPict_7);
    QPointer<CustomPopUp> second = window->currentPopUp();
    QVERIFY(second);
    QVERIFY(second != first);
    QCOMPARE(visiblePopUps(window.get()), QList<CustomPopUp *>{second.data()});
    QCOMPARE(second->popupText(),
             QString("Только после нажатия этой кнопки новые настройки будут записаны в память устройства"));
    flushDeletions();
    QVERIFY(first.isNull());
    QCOMPARE(window->findChildren<CustomPopUp *>(), QList<CustomPopUp *>{second.data()});

    leave(ui->labelQuestionPict_7);
    flushDeletions();
    QVERIFY(second.isNull());
    QVERIFY(window->findChildren<CustomPopUp *>().isEmpty());
}

void TestHelp::openingThePanelRemovesAPopUp()
{
    showActive();
    enter(ui->labelQuestionPict_3);
    QPointer<CustomPopUp> popUp = window->currentPopUp();
    QVERIFY(popUp);
    QTest::keyClick(window.get(), Qt::Key_F1);
    QVERIFY(window->isHelpPanelOpen());
    // In help mode the Leave only clears the panel, so the bubble must go now.
    leave(ui->labelQuestionPict_3);
    flushDeletions();
    QVERIFY(popUp.isNull());
}

void TestHelp::onlinePageQuestionMarksHaveTheirTexts()
{
    // Stands in for a question mark the online page places beside its field.
    auto *mark = new QLabel(ui->QFOnline);
    mark->setObjectName("online_operator");
    mark->setGeometry(10, 100, 20, 20);
    mark->installEventFilter(window.get());

    enter(mark);
    QVERIFY(window->currentPopUp());
    QCOMPARE(window->currentPopUp()->popupText(),
             QString("Выбор оператора - меню выбора оператора сотовой сети, чья SIM карта используется. Позволяет "
                     "автоматически загрузить в настройки датчика стандартные настройки сотовой сети выбранного "
                     "оператора. Для ручного настроек выберите \"Другой\""));
    leave(mark);

    // Names match exactly.
    mark->setObjectName("online_Operator");
    enter(mark);
    QVERIFY(!window->currentPopUp());
}

void TestHelp::popUpIsAQuietToolWindowThatFadesIn()
{
    CustomPopUp popUp(window.get());
    QCOMPARE(popUp.size(), QSize(200, 30));
    QVERIFY(popUp.windowFlags().testFlag(Qt::Tool));
    QVERIFY(popUp.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(popUp.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(popUp.testAttribute(Qt::WA_ShowWithoutActivating));
    QCOMPARE(popUp.objectName(), QString("customPopUp"));
    auto *label = popUp.findChild<QLabel *>("customPopUp");
    QVERIFY(label);
    QVERIFY(label->wordWrap());
    QCOMPARE(label->alignment(), Qt::AlignCenter);

    popUp.setPopupText("Период отправки в секундах");
    QCOMPARE(label->text(), QString("Период отправки в секундах"));
    popUp.show();
    QVERIFY(popUp.isVisible());
    QVERIFY(popUp.getPopupOpacity() < 1.0f);
    QTRY_COMPARE_WITH_TIMEOUT(popUp.getPopupOpacity(), 1.0f, 2000);
    QCOMPARE(popUp.property("popupOpacity").toFloat(), 1.0f);
    QCOMPARE(popUp.windowOpacity(), 1.0);
}

void TestHelp::clickingTheMacCopiesItWithoutColons()
{
    ui->label_MAC_BLE_VAL->setText("C4:7F:51:0A:9B:E2");
    ui->label_CopyMacBLE->setVisible(false);
    press(ui->labelCopyMAC);
    QCOMPARE(QApplication::clipboard()->text(QClipboard::Clipboard), QString("C47F510A9BE2"));
    QVERIFY(!ui->label_CopyMacBLE->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(ui->label_CopyMacBLE->isHidden(), 4000);
}

void TestHelp::clickingTheImeiCopiesItAsShown()
{
    ui->label_24->setText("356938035643809");
    ui->label_CopyIMEIResult->setVisible(false);
    // Copying works in help mode too.
    window->slotShortcutF1();
    press(ui->labelCopyIMEI);
    QCOMPARE(QApplication::clipboard()->text(QClipboard::Clipboard), QString("356938035643809"));
    QVERIFY(!ui->label_CopyIMEIResult->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(ui->label_CopyIMEIResult->isHidden(), 4000);
}

void TestHelp::enteringThePortListRefreshesItOnlyWithNoDeviceChosen()
{
    QTemporaryFile converter;
    QVERIFY(converter.open());
    QComboBox *ports = ui->comboBox_SerialPort;
    QCOMPARE(ports->findText(converter.fileName()), -1);

    qputenv("RERIRUVOZIVE_EXTRA_PORTS", converter.fileName().toLocal8Bit());
    ui->pushButtonBLE->setCheckable(true);
    ui->pushButtonBLE->setChecked(true);
    enter(ports);
    QCOMPARE(ports->findText(converter.fileName()), -1);

    ui->pushButtonBLE->setChecked(false);
    enter(ports);
    QVERIFY(ports->findText(converter.fileName()) >= 0);
}

void TestHelp::pageControlsGetTheHandPointer()
{
    QCOMPARE(ui->comboBox_FiltrDUT->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(ui->comboBox_FiltrDUT->font().pixelSize(), 20);
    QCOMPARE(ui->ButtonWriteParamDUT->cursor().shape(), Qt::PointingHandCursor);
    // Labels only show things.
    QVERIFY(ui->label_TempValDUT->cursor().shape() != Qt::PointingHandCursor);
}

void TestHelp::textLookUpsKnowOnlyTheirNames()
{
    QVERIFY(helptexts::panelText(QString()).isNull());
    QVERIFY(helptexts::panelText("pushButtonDeviceFLs").isNull());
    QVERIFY(helptexts::questionMarkText("labelQuestionPict_8").isNull());
    QVERIFY(helptexts::questionMarkText("online_gps").isNull());
    QVERIFY(helptexts::onlineQuestionMarkText("labelQuestionPict").isNull());
    QVERIFY(helptexts::levelFaultText(6499).isNull());
    QVERIFY(helptexts::levelFaultText(0).isNull());
    QVERIFY(helptexts::levelFaultText(6500).startsWith("Измерительные трубки оторвались"));
    QVERIFY(helptexts::levelFaultText(7000).startsWith("В пространство между двумя"));
    QCOMPARE(helptexts::panelWidgetNames().size(), 66);
    QCOMPARE(helptexts::questionMarkNames().size(), 8);
    QCOMPARE(helptexts::onlineQuestionMarkNames().size(), 17);
    QCOMPARE(helptexts::popUpRows(150), 6);
    QCOMPARE(helptexts::popUpRows(274), 10);
    QCOMPARE(helptexts::popUpRows(275), 7);
    QCOMPARE(helptexts::popUpRows(432), 13);
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
