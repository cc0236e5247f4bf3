#include "ui/dynamicdialogble.h"
#include "ui/dynamicqdialog.h"
#include "ui/switch.h"

#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QtTest>

// The shared message dialog and the toggle switch.
class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    void dialogWithoutCancelHasOneButtonAndEscapeRejects();
    void dialogWithCancelPutsItLeftOfOk();
    void dialogShowsTheMessageInTheLowerLabel();
    void cancelCaptionOnADialogWithoutCancelChangesNothing();
    void wirelessDialogAnswersLikeTheMessageBoxInItsOwnLook();
    void messageBoxIsSizedFromItsText_data();
    void messageBoxIsSizedFromItsText();
    void switchSizeHintFollowsHeightAndMargin();
    void switchStateIsItsOwnNotTheCheckState();
    void switchOnTwiceAnimatesOnce();
    void rightButtonReleaseLeavesTheSwitchAlone();
    void disabledSwitchPaintsItsThumbByTheme();
};

void TestWidgets::dialogWithoutCancelHasOneButtonAndEscapeRejects()
{
    DynamicQDialog dialog(nullptr, QString(), "text", false);
    QCOMPARE(dialog.findChildren<QPushButton *>().size(), 1);
    QCOMPARE(dialog.objectName(), QString("modalDialog"));
    QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));

    DynamicQDialog ok(nullptr, QString(), "text", false);
    QTimer::singleShot(0, &ok, [&ok] { ok.findChild<QPushButton *>()->click(); });
    QCOMPARE(ok.exec(), int(QDialog::Accepted));
}

void TestWidgets::dialogWithCancelPutsItLeftOfOk()
{
    DynamicQDialog dialog(nullptr, QString(), "question", true);
    dialog.resize(300, 170);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QList<QPushButton *> buttons = dialog.findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 2);
    QPushButton *cancel = buttons.at(0)->text() == "Отмена" ? buttons.at(0) : buttons.at(1);
    QPushButton *ok = cancel == buttons.at(0) ? buttons.at(1) : buttons.at(0);
    QCOMPARE(ok->text(), QString("OK"));
    QVERIFY(cancel->x() < ok->x());
    QVERIFY(ok->geometry().right() > dialog.width() / 2); // at the right-hand bottom
    QVERIFY(ok->y() > dialog.height() / 2);
    QCOMPARE(dialog.size(), QSize(300, 170)); // the caller's size is the size shown

    dialog.SetTextBtnOk("Да");
    dialog.SetTextBtnCncl("Нет");
    QCOMPARE(ok->text(), QString("Да"));
    QCOMPARE(cancel->text(), QString("Нет"));
    QTimer::singleShot(0, cancel, &QPushButton::click);
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
}

void TestWidgets::dialogShowsTheMessageInTheLowerLabel()
{
    const QString longText = QString("Один экземпляр приложения уже запущен ").repeated(6);
    DynamicQDialog dialog(nullptr, QString(), longText, false);
    dialog.resize(300, 170);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QList<QLabel *> labels = dialog.findChildren<QLabel *>("textDialog");
    QCOMPARE(labels.size(), 2);
    QLabel *upper = labels.at(0)->y() < labels.at(1)->y() ? labels.at(0) : labels.at(1);
    QLabel *lower = upper == labels.at(0) ? labels.at(1) : labels.at(0);
    QVERIFY(upper->text().isEmpty());
    QCOMPARE(lower->text(), longText);
    QVERIFY(lower->wordWrap());
    QCOMPARE(dialog.width(), 300); // wraps instead of widening
}

void TestWidgets::cancelCaptionOnADialogWithoutCancelChangesNothing()
{
    DynamicQDialog dialog(nullptr, QString(), "text", false);
    dialog.SetTextBtnCncl("Нет");
    const QList<QPushButton *> buttons = dialog.findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(buttons.first()->text(), QString("OK"));
}

void TestWidgets::wirelessDialogAnswersLikeTheMessageBoxInItsOwnLook()
{
    DynamicDialogBLE dialog(nullptr, "upper", "lower", true);
    const QList<QPushButton *> buttons = dialog.findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 2);
    for (QPushButton *button : buttons) {
        QVERIFY(button->objectName().isEmpty());
        QVERIFY(button->styleSheet().contains("min-width: 118px;min-height: 36px;"));
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    }
    for (QLabel *label : dialog.findChildren<QLabel *>()) {
        QVERIFY(!label->wordWrap());
        QVERIFY(label->objectName().isEmpty());
    }
    QVERIFY(dialog.objectName().isEmpty());
    QVERIFY(dialog.styleSheet().isEmpty());
    QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    dialog.SetTextBtnOk("Да");
    dialog.SetTextBtnCncl("Нет");
    QPushButton *cancel = buttons.at(0)->text() == "Нет" ? buttons.at(0) : buttons.at(1);
    QPushButton *ok = cancel == buttons.at(0) ? buttons.at(1) : buttons.at(0);
    QCOMPARE(ok->text(), QString("Да"));
    QTimer::singleShot(0, ok, &QPushButton::click);
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QTimer::singleShot(0, cancel, &QPushButton::click);
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));

    DynamicDialogBLE notice(nullptr, QString(), "text", false);
    notice.SetTextBtnCncl("Нет");
    QCOMPARE(notice.findChildren<QPushButton *>().size(), 1);
    QCOMPARE(notice.findChild<QPushButton *>()->text(), QString("OK"));
}

void TestWidgets::messageBoxIsSizedFromItsText_data()
{
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<bool>("smallest"); // the text needs less than the smallest box
    QTest::addColumn<bool>("fits");     // the screen holds the whole text
    QTest::newRow("short") << QString() << "Подключите датчик" << true << true;
    QTest::newRow("both texts short") << "Вы уверены?"
                                      << "Функция в разработке" << true << true;
    QTest::newRow("many lines") << "Ошибка" << QString("Введён неверный пароль\n").repeated(12) << false << true;
    QTest::newRow("a path on one line") << QString()
                                        << "Незаконченная тарировка сохранена в файле\n/home/engineer/tar/" +
                                               QString(60, 'x') + ".csv"
                                        << false << true;
    QTest::newRow("more than a screen") << QString() << QString("Проверьте подключение преобразователя! ").repeated(600)
                                        << false << false;
}

void TestWidgets::messageBoxIsSizedFromItsText()
{
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QFETCH(bool, smallest);
    QFETCH(bool, fits);
    DynamicQDialog dialog(nullptr, upper, lower, true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    const QSize minimum(DynamicQDialog::kMessageWidth, DynamicQDialog::kMessageHeight);
    if (smallest)
        QCOMPARE(dialog.size(), minimum);
    QVERIFY(dialog.width() >= minimum.width() && dialog.height() >= minimum.height());
    const QRect screen = dialog.screen()->availableGeometry();
    QVERIFY(dialog.width() <= screen.width() && dialog.height() <= screen.height());
    if (!fits)
        return;
    // Every text shows whole: no label got less height than its text needs at
    // its width, and no word runs past the label's right edge.
    for (QLabel *label : dialog.findChildren<QLabel *>("textDialog")) {
        QVERIFY2(label->height() >= label->heightForWidth(label->width()), qPrintable(label->text().left(40)));
        QVERIFY(label->width() >= label->minimumSizeHint().width());
    }
    for (QPushButton *button : dialog.findChildren<QPushButton *>())
        QVERIFY(dialog.rect().contains(button->geometry()));
}

void TestWidgets::switchSizeHintFollowsHeightAndMargin()
{
    Switch sw;
    QCOMPARE(sw.sizeHint(), QSize(30, 18));
    QCOMPARE(sw.objectName(), QString("switchButton"));
    QVERIFY(sw.isCheckable());
    sw.setHeight(20);
    sw.setMargin(4);
    QCOMPARE(sw.sizeHint(), QSize(48, 28));
    QCOMPARE(sw.offset(), 6); // the thumb stays where construction put it
}

void TestWidgets::switchStateIsItsOwnNotTheCheckState()
{
    Switch sw;
    sw.resize(50, 25);
    sw.setStateFlag(true);
    QVERIFY(sw.getCurentState());
    QVERIFY(!sw.isChecked());
    sw.setState(true); // already on: nothing happens, the thumb does not move
    QCOMPARE(sw.offset(), 6);

    Switch clicked;
    clicked.resize(50, 25);
    QSignalSpy toggled(&clicked, &Switch::toggled);
    QTest::mouseClick(&clicked, Qt::LeftButton);
    QVERIFY(clicked.getCurentState());
    QVERIFY(clicked.isChecked());
    QCOMPARE(toggled.count(), 1);
    QTRY_COMPARE(clicked.offset(), clicked.onOffset());
    clicked.setState(false);
    QVERIFY(!clicked.getState());
    QVERIFY(clicked.isChecked()); // setState leaves the check state alone
    QTRY_COMPARE(clicked.offset(), 6);
}

void TestWidgets::switchOnTwiceAnimatesOnce()
{
    Switch sw;
    sw.resize(50, 25);
    sw.setState(true);
    QTRY_COMPARE(sw.offset(), sw.onOffset());
    sw.setOffset(20); // moved by hand: a second setState(true) must not slide it
    sw.setState(true);
    const QPropertyAnimation *slide = sw.findChild<QPropertyAnimation *>();
    QVERIFY(slide);
    QCOMPARE(slide->state(), QAbstractAnimation::Stopped);
    QCOMPARE(sw.offset(), 20);
    // Off on an off switch slides from where the thumb is to the left end.
    Switch off;
    off.setState(false);
    QTRY_COMPARE(off.offset(), 6);
}

void TestWidgets::rightButtonReleaseLeavesTheSwitchAlone()
{
    Switch sw;
    sw.resize(50, 25);
    QTest::mouseClick(&sw, Qt::RightButton);
    QVERIFY(!sw.getCurentState());
    QCOMPARE(sw.offset(), 6);
}

void TestWidgets::disabledSwitchPaintsItsThumbByTheme()
{
    QCoreApplication::setOrganizationName("Mirvel");
    QCoreApplication::setApplicationName("Reriruvozive-Mirvel");
    auto thumbColour = [](const QString &theme) {
        QSettings().setValue("theme", theme);
        Switch sw;
        sw.resize(50, 25);
        sw.setEnabled(false);
        const QImage image = sw.grab().toImage();
        // The thumb's centre lies at (offset, y) = (6, 6), inside the ellipse.
        return image.pixelColor(9, 12).name();
    };
    QCOMPARE(thumbColour("dark"), QString("#595959"));
    QCOMPARE(thumbColour("white"), QString("#e6e6e6"));
    QSettings().remove("theme");
}

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
