#include "ui/customdialoginput.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

// The dialog of the levels typed by hand: what it takes, what it gives back
// and its one refresh by its parent.
class RefreshTarget : public QWidget
{
    Q_OBJECT
public:
    int refreshes = 0;
public slots:
    void UpdataValEngMenu() { ++refreshes; }
};

class TestCustomDialogInput : public QObject
{
    Q_OBJECT
private slots:
    void typedTextsGiveBackTheirNumber_data();
    void typedTextsGiveBackTheirNumber();
    void onlyDigitsCanBeTyped();
    void parentRefreshesTheValuesOnceWhileTheDialogLives();
    void emptyRowCanLeaveTheLayoutOrBeHidden();
};

namespace {

QLineEdit *field(CustomDialogInput &dialog, int i)
{
    return dialog.findChildren<QLineEdit *>().at(i); // Full, then Empty
}

QStringList labelTexts(CustomDialogInput &dialog)
{
    QStringList out;
    for (QLabel *label : dialog.findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly))
        out << label->text();
    return out;
}

} // namespace

void TestCustomDialogInput::typedTextsGiveBackTheirNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("plain") << "4000" << 4000;
    QTest::newRow("leading zeros") << "0100" << 100;
    QTest::newRow("largest 32-bit number") << "4294967295" << 0;
    QTest::newRow("beyond the signed range") << "2147483648" << 0;
    QTest::newRow("beyond 32 bits") << "4294967296" << 0;
    QTest::newRow("far beyond") << "99999999999999999999" << 0;
}

void TestCustomDialogInput::typedTextsGiveBackTheirNumber()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    CustomDialogInput dialog(nullptr);
    field(dialog, 0)->setText(text);
    field(dialog, 1)->setText(text);
    QCOMPARE(dialog.getFullValue(), value);
    QCOMPARE(dialog.getEmptyValue(), value);
    QCOMPARE(dialog.getStringEmptyValue(), text);
}

void TestCustomDialogInput::onlyDigitsCanBeTyped()
{
    CustomDialogInput dialog(nullptr);
    QCOMPARE(labelTexts(dialog), QStringList({"Полный", "Пустой", "0", "0"}));
    QTest::keyClicks(field(dialog, 0), "12a -3+4.5");
    QCOMPARE(field(dialog, 0)->text(), QString("12345"));
    QCOMPARE(dialog.getFullValue(), 12345);
    QCOMPARE(dialog.getEmptyValue(), 0);

    dialog.updateValueLevel(20000, 10000);
    QCOMPARE(field(dialog, 0)->text(), QString("20000"));
    QCOMPARE(field(dialog, 1)->text(), QString("10000"));
    QCOMPARE(labelTexts(dialog), QStringList({"Полный", "Пустой", "20000", "10000"}));
    field(dialog, 0)->setText("7");
    dialog.setValueLevel();
    QCOMPARE(labelTexts(dialog).at(2), QString("7"));
}

void TestCustomDialogInput::parentRefreshesTheValuesOnceWhileTheDialogLives()
{
    RefreshTarget parent;
    {
        CustomDialogInput dialog(nullptr);
        dialog.setTimerUpdateVal(&parent);
        QTRY_COMPARE_WITH_TIMEOUT(parent.refreshes, 1, 2000);
    }
    // A dialog gone within the 50 ms asks for nothing: by the time one
    // opened after it has asked, its own time is over.
    auto *dialog = new CustomDialogInput(nullptr);
    dialog->setTimerUpdateVal(&parent);
    delete dialog;
    RefreshTarget laterParent;
    CustomDialogInput later(nullptr);
    later.setTimerUpdateVal(&laterParent);
    QTRY_COMPARE_WITH_TIMEOUT(laterParent.refreshes, 1, 2000);
    QCOMPARE(parent.refreshes, 1);
}

void TestCustomDialogInput::emptyRowCanLeaveTheLayoutOrBeHidden()
{
    CustomDialogInput dialog(nullptr);
    dialog.show();
    dialog.setInvisibleLayoutEmpty();
    QVERIFY(field(dialog, 1)->isVisible());
    dialog.setVisibleNameEmpty(false);
    QVERIFY(!field(dialog, 1)->isVisible());
    QVERIFY(field(dialog, 0)->isVisible());
    dialog.setVisibleNameFull(false);
    QVERIFY(!field(dialog, 0)->isVisible());
}

QTEST_MAIN(TestCustomDialogInput)
#include "tst_customdialoginput.moc"
