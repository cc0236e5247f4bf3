#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "devices/other/mirvelnet.h"
#include "pagefixture.h"

#include <QStandardItemModel>
#include <QtTest>

#include <memory>

// The wireless tag network page: a prepared screen that no control of the
// window shows. Its lists, tables and input limits are checked on a form of
// its own, its device button in the real window.
class TestMirvelNet : public QObject
{
    Q_OBJECT
private slots:
    void pageIsPreparedAndHidden();
    void listsHoldTheirEntries();
    void inputsTakeOnlyTheirRange_data();
    void inputsTakeOnlyTheirRange();
    void deviceButtonOnlyToggles();
};

void TestMirvelNet::pageIsPreparedAndHidden()
{
    PageFixture<MirvelNet> f;
    Ui_Deruvivuriri *ui = f.ui.get();
    QVERIFY(ui->tabWidgetMirvelNet->isHidden());
    QCOMPARE(ui->tabWidgetMirvelNet->currentWidget(), ui->reader);
    QVERIFY(ui->pushButtonMirvelNet->isCheckable());

    QStandardItemModel *attached = f.page->attachedTagsModel();
    QStandardItemModel *slave = f.page->slaveDataModel();
    QVERIFY(attached && slave);
    QCOMPARE(ui->tableView_mnAttachedTags->model(), attached);
    QCOMPARE(ui->tableView_mnSlaveData->model(), slave);
    QCOMPARE(attached->columnCount(), 2);
    QCOMPARE(attached->rowCount(), 0);
    QCOMPARE(slave->rowCount(), 0);
    QCOMPARE(slave->headerData(0, Qt::Horizontal).toString(), QString("№ Ячейки"));
    QCOMPARE(slave->headerData(1, Qt::Horizontal).toString(), QString("ID метки"));
    // No header texts on the reader's table: the view numbers its columns.
    QCOMPARE(attached->headerData(0, Qt::Horizontal).toString(), QString("1"));

    // The models live as long as the form, not as the page object.
    f.page.reset();
    QCOMPARE(ui->tableView_mnSlaveData->model(), slave);
    QCOMPARE(slave->columnCount(), 2);
}

void TestMirvelNet::listsHoldTheirEntries()
{
    PageFixture<MirvelNet> f;
    Ui_Deruvivuriri *ui = f.ui.get();
    const auto items = [](QComboBox *box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    };
    QCOMPARE(items(ui->comboBox_mnReaderMode),
             QStringList({"Считыватель", "Считыватель-индикатор", "Метка с питанием", "Мост Slave", "Мост Master",
                          "Мост Slave Частотный выход", "Мост Master Частотный выход"}));
    QCOMPARE(items(ui->comboBox_mnTagMode),
             QStringList({"Режим идентификации", "Режим вертикального вращения", "Режим горизонтального вращения",
                          "Режим датчика угла", "Режим контроля переворота"}));
    QCOMPARE(items(ui->comboBox_mnTagRange), QStringList({"Минимум. 18 метров.", "Максимум. 50 метров."}));
    for (QComboBox *box : {ui->comboBox_mnReaderMode, ui->comboBox_mnTagMode, ui->comboBox_mnTagRange})
        QCOMPARE(box->currentIndex(), 0);
}

void TestMirvelNet::inputsTakeOnlyTheirRange_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("top");
    QTest::newRow("cell number") << "lineEdit_mnCellNumber" << 10;
    QTest::newRow("zero delay") << "lineEdit_mnZeroDelay" << 600;
    QTest::newRow("reader network number") << "lineEdit_mnSetReaderNetNum" << 255;
    QTest::newRow("tag ID") << "lineEdit_mnTagId" << 9999999;
    QTest::newRow("new tag ID") << "lineEdit_mnSetTagId" << 9999999;
    QTest::newRow("tag period") << "lineEdit_mnSetTagPeriod" << 600;
    QTest::newRow("tag delay") << "lineEdit_mnSetTagDelay" << 600;
}

void TestMirvelNet::inputsTakeOnlyTheirRange()
{
    QFETCH(QString, input);
    QFETCH(int, top);
    PageFixture<MirvelNet> f;
    auto *edit = f.window->findChild<QLineEdit *>(input);
    QVERIFY(edit);
    const auto acceptable = [edit](const QString &text) {
        edit->setText(text);
        return edit->hasAcceptableInput();
    };
    QVERIFY(acceptable("1"));
    QVERIFY(acceptable(QString::number(top)));
    QVERIFY(!acceptable("0"));
    QVERIFY(!acceptable(QString::number(top + 1)));
    QVERIFY(!acceptable(""));
    edit->clear();
    QTest::keyClicks(edit, "a-7");
    QCOMPARE(edit->text(), QString("7"));
}

void TestMirvelNet::deviceButtonOnlyToggles()
{
    Reriruvozive window;
    Ui_Deruvivuriri *ui = window.form();
    QVERIFY(ui->tabWidgetMirvelNet->isHidden());
    QWidget *before = ui->stackedWidget->currentWidget();
    QVERIFY(!ui->pushButtonMirvelNet->isChecked());
    ui->pushButtonMirvelNet->click();
    QVERIFY(ui->pushButtonMirvelNet->isChecked());
    QCOMPARE(ui->stackedWidget->currentWidget(), before);
    ui->pushButtonMirvelNet->click();
    QVERIFY(!ui->pushButtonMirvelNet->isChecked());
    QCOMPARE(ui->stackedWidget->currentWidget(), before);
    QVERIFY(ui->tabWidgetMirvelNet->isHidden());
}

QTEST_MAIN(TestMirvelNet)
#include "tst_mirvelnet.moc"
