#include "resources/bundle.h"
#include "ui/customlineedit.h"
#include "ui/dynamicqdialog.h"
#include "ui/security.h"
#include "ui/securityble.h"
#include "ui/widgettar.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStyle>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

// Stands in for a device page: counts which slot a dialog button reached and
// what the dialog showed at that moment.
class PasswordPage : public QObject
{
    Q_OBJECT
public:
    QDialog *dialog = nullptr;
    QStringList calls;
    QString seenText;
    bool dialogVisibleDuringCall = false;
    QPushButton *clickAgain = nullptr; // a second click while the slot still runs
    bool againGreyed = false;          // which then showed that one runs
    bool deleteDialogInSlot = false;

public slots:
    void inputPass() { record("inputPass"); }
    void setPass() { record("setPass"); }
    void delPass() { record("delPass"); }
    void inputPassBLE() { record("inputPassBLE"); }
    void setPassBLE() { record("setPassBLE"); }
    void delPassBLE() { record("delPassBLE"); }

private:
    void record(const QString &name)
    {
        calls << name;
        dialogVisibleDuringCall = dialog && dialog->isVisible();
        if (auto *s = qobject_cast<Security *>(dialog))
            seenText = name == "setPass" ? s->getLineEditSetPass() : s->getLineEditInputPass();
        if (auto *s = qobject_cast<SecurityBLE *>(dialog))
            seenText = name == "setPassBLE" ? s->getLineEditSetPassBLE() : s->getLineEditInputPassBLE();
        if (QPushButton *again = clickAgain) {
            clickAgain = nullptr;
            againGreyed = !again->isEnabled();
            again->click();
        }
        if (deleteDialogInSlot) {
            delete dialog;
            dialog = nullptr;
        }
    }
};

// Answers every lookup with its context, so a test sees in which context a
// text was translated.
class ContextTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        return QString::fromLatin1(context) + "|" + QString::fromUtf8(sourceText);
    }
};

QPushButton *buttonWithText(QWidget *dialog, const QString &text)
{
    for (QPushButton *b : dialog->findChildren<QPushButton *>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

QLabel *labelWithText(QWidget *dialog, const QString &text)
{
    for (QLabel *l : dialog->findChildren<QLabel *>()) {
        if (l->text() == text)
            return l;
    }
    return nullptr;
}

QStringList visibleButtonTexts(QWidget *dialog)
{
    QStringList texts;
    for (QPushButton *b : dialog->findChildren<QPushButton *>()) {
        if (b->isVisibleTo(dialog))
            texts << (b->text().isEmpty() ? b->objectName() : b->text());
    }
    texts.sort();
    return texts;
}

QList<QLineEdit *> visibleFields(QWidget *dialog)
{
    QList<QLineEdit *> fields;
    for (QLineEdit *e : dialog->findChildren<QLineEdit *>()) {
        if (e->isVisibleTo(dialog))
            fields << e;
    }
    return fields;
}

struct Cell
{
    int row = -1, column = -1, rowSpan = -1, columnSpan = -1;
    Qt::Alignment alignment;
    bool operator==(const Cell &o) const
    {
        return row == o.row && column == o.column && rowSpan == o.rowSpan && columnSpan == o.columnSpan &&
               alignment == o.alignment;
    }
};

Cell cellOf(QWidget *dialog, QWidget *w)
{
    auto *grid = qobject_cast<QGridLayout *>(dialog->layout());
    Cell c;
    if (!grid || !w)
        return c;
    const int index = grid->indexOf(w);
    if (index < 0)
        return c;
    grid->getItemPosition(index, &c.row, &c.column, &c.rowSpan, &c.columnSpan);
    c.alignment = grid->itemAt(index)->alignment();
    return c;
}

// How often a widget stands in the dialog's grid.
int timesInGrid(QWidget *dialog, QWidget *w)
{
    auto *grid = qobject_cast<QGridLayout *>(dialog->layout());
    int n = 0;
    for (int i = 0; grid && i < grid->count(); ++i) {
        if (grid->itemAt(i)->widget() == w)
            ++n;
    }
    return n;
}

QColor pixel(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}

const QString kProtected = "Изменение настроек устройства защищено паролем.\nВведите пароль";
const QString kProtectedBle = "Изменение настроек датчика защищено паролем.\nВведите пароль";
const QString kUnprotected =
    "Изменение настроек датчика не защищено паролем\nВы можете установить пароль или пропустить этот шаг";
const QString kWaiting = "Ожидаем ответ беспроводного датчика:\nзащищён ли он паролем";
const QString kNotKnown = "Неизвестно, защищён ли датчик паролем\nВведите пароль или установите новый";

using State = SensorProtection::State;

// The wireless dialog's state as its page would hold it.
const SensorProtection *reported(State state)
{
    static SensorProtection states[4];
    states[int(state)].set(state);
    return &states[int(state)];
}

} // namespace

QT_BEGIN_NAMESPACE
namespace QTest {
template <> char *toString(const Cell &c)
{
    return qstrdup(QString("row %1 col %2 span %3x%4 align 0x%5")
                       .arg(c.row)
                       .arg(c.column)
                       .arg(c.rowSpan)
                       .arg(c.columnSpan)
                       .arg(int(c.alignment), 0, 16)
                       .toLatin1()
                       .constData());
}
} // namespace QTest
QT_END_NAMESPACE

// The password dialogs, the level info card and the clearable line edit.
class TestSharedWidgets : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void protectedSecurityShowsEnterAndDelete();
    void unprotectedSecurityShowsSetOnly();
    void securityWithBothOrNoGroups();
    void securityButtonsReachTheReceiverThenClose_data();
    void securityButtonsReachTheReceiverThenClose();
    void securityReceiverWithoutSlotsIsHarmless();
    void securityIgnoresAClickWhileTheReceiverRuns();
    void securityFieldsTakeDigitsOnly();
    void securityFieldsRefuseNumbersBeyondTheUnsignedRange();
    void passwordsThatCannotBeSentAreRefusedWithAMessage_data();
    void passwordsThatCannotBeSentAreRefusedWithAMessage();
    void passwordReachesTheReceiverAsFourBytes_data();
    void passwordReachesTheReceiverAsFourBytes();
    void protectedSecurityBleLayout();
    void unprotectedSecurityBleLayout();
    void securityBleButtonsReachTheReceiverAndStayOpen_data();
    void securityBleButtonsReachTheReceiverAndStayOpen();
    void securityBleReceiverWithoutSlotsIsHarmless();
    void securityBleFieldsTakeDigitsWithinTheSignedRange();
    void securityBleOffersOnlyWhatIsSafeWhileTheStateIsNotReported();
    void dialogTextsAreTranslatedInTheirOwnContexts();

    void sensorCardStartsWithItsFourLinesHidden();
    void litresCardHoldsOneLine();
    void litresAndLabelOneSettersGiveTheSameCard();
    void cardKeepsOffsetAndSerialNumber();
    void cardFrameFollowsTheTheme_data();
    void cardFrameFollowsTheTheme();

    void clearButtonStartsVisibleAndClears();
    void clearButtonFollowsUpdateCloseButton();
    void clearButtonSitsAtTheRightEnd_data();
    void clearButtonSitsAtTheRightEnd();
};

void TestSharedWidgets::initTestCase()
{
    initResourceBundle();
    // The names start-up sets; the widgets read the theme under them.
    QCoreApplication::setOrganizationName("Mirvel");
    QCoreApplication::setApplicationName("Reriruvozive-Mirvel");
}

void TestSharedWidgets::cleanup()
{
    QSettings().remove("theme");
}

void TestSharedWidgets::protectedSecurityShowsEnterAndDelete()
{
    PasswordPage page;
    Security dialog(&page, nullptr, true, false);
    QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(visibleButtonTexts(&dialog), (QStringList{"Ввести пароль", "Закрыть", "Удалить пароль"}));
    QLabel *label = labelWithText(&dialog, kProtected);
    QVERIFY(label && label->isVisibleTo(&dialog));
    QCOMPARE(label->alignment(), Qt::Alignment(Qt::AlignCenter));
    QVERIFY(!labelWithText(&dialog, kUnprotected)->isVisibleTo(&dialog));

    QCOMPARE(cellOf(&dialog, label), (Cell{0, 1, 1, 2, {}}));
    const QList<QLineEdit *> fields = visibleFields(&dialog);
    QCOMPARE(fields.size(), 1);
    QCOMPARE(cellOf(&dialog, fields.first()), (Cell{1, 1, 1, 2, Qt::AlignCenter}));
    QCOMPARE(cellOf(&dialog, buttonWithText(&dialog, "Удалить пароль")), (Cell{4, 2, 1, 1, {}}));
    QCOMPARE(cellOf(&dialog, buttonWithText(&dialog, "Ввести пароль")), (Cell{4, 1, 1, 1, {}}));
    QCOMPARE(cellOf(&dialog, buttonWithText(&dialog, "Закрыть")), (Cell{8, 2, 1, 1, {}}));
    QCOMPARE(buttonWithText(&dialog, "Ввести пароль")->cursor().shape(), Qt::PointingHandCursor);

    // The visible field is the current password; the other one stays empty.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(fields.first(), "2468");
    QCOMPARE(dialog.getLineEditInputPass(), QString("2468"));
    QCOMPARE(dialog.getLineEditSetPass(), QString());
    QCOMPARE(fields.first()->echoMode(), QLineEdit::Normal);
}

void TestSharedWidgets::unprotectedSecurityShowsSetOnly()
{
    PasswordPage page;
    Security dialog(&page, nullptr, false, true);
    QCOMPARE(visibleButtonTexts(&dialog), (QStringList{"Закрыть", "Установить пароль"}));
    QLabel *label = labelWithText(&dialog, kUnprotected);
    QVERIFY(label && label->isVisibleTo(&dialog));
    QCOMPARE(label->alignment(), Qt::Alignment(Qt::AlignCenter));
    QCOMPARE(cellOf(&dialog, label), (Cell{0, 1, 1, 2, {}}));
    const QList<QLineEdit *> fields = visibleFields(&dialog);
    QCOMPARE(fields.size(), 1);
    QCOMPARE(cellOf(&dialog, fields.first()), (Cell{1, 1, 1, 2, Qt::AlignHCenter}));
    QCOMPARE(cellOf(&dialog, buttonWithText(&dialog, "Установить пароль")), (Cell{3, 1, 1, 2, Qt::AlignHCenter}));
    QCOMPARE(cellOf(&dialog, buttonWithText(&dialog, "Закрыть")), (Cell{8, 2, 1, 1, Qt::AlignRight | Qt::AlignBottom}));

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(fields.first(), "1357");
    QCOMPARE(dialog.getLineEditSetPass(), QString("1357"));
    QCOMPARE(dialog.getLineEditInputPass(), QString());
}

void TestSharedWidgets::securityWithBothOrNoGroups()
{
    PasswordPage page;
    {
        Security both(&page, nullptr, true, true);
        QCOMPARE(visibleButtonTexts(&both),
                 (QStringList{"Ввести пароль", "Закрыть", "Удалить пароль", "Установить пароль"}));
        QCOMPARE(visibleFields(&both).size(), 2);
        // Shared cell, but the close button stands in the grid once.
        QCOMPARE(timesInGrid(&both, buttonWithText(&both, "Закрыть")), 1);
        both.show();
        QVERIFY(QTest::qWaitForWindowExposed(&both));
    }
    {
        Security none(&page, nullptr, false, false);
        QVERIFY(visibleButtonTexts(&none).isEmpty());
        QVERIFY(visibleFields(&none).isEmpty());
        for (QLabel *l : none.findChildren<QLabel *>())
            QVERIFY(!l->isVisibleTo(&none));
        QCOMPARE(none.getLineEditInputPass(), QString());
        QCOMPARE(none.getLineEditSetPass(), QString());
        // Only Escape closes it.
        QTimer::singleShot(0, &none, [&none] { QTest::keyClick(&none, Qt::Key_Escape); });
        QCOMPARE(none.exec(), int(QDialog::Rejected));
    }
    QVERIFY(page.calls.isEmpty());
}

void TestSharedWidgets::securityButtonsReachTheReceiverThenClose_data()
{
    QTest::addColumn<bool>("protectedMode");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("typed");
    QTest::newRow("enter") << true << "Ввести пароль"
                           << "inputPass"
                           << "123456";
    QTest::newRow("delete") << true << "Удалить пароль"
                            << "delPass"
                            << "777";
    QTest::newRow("set") << false << "Установить пароль"
                         << "setPass"
                         << "4294967295";
}

void TestSharedWidgets::securityButtonsReachTheReceiverThenClose()
{
    QFETCH(bool, protectedMode);
    QFETCH(QString, button);
    QFETCH(QString, slot);
    QFETCH(QString, typed);

    PasswordPage page;
    Security dialog(&page, nullptr, protectedMode, !protectedMode);
    page.dialog = &dialog;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClicks(visibleFields(&dialog).first(), typed);
        buttonWithText(&dialog, button)->click();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(page.calls, QStringList{slot});
    QCOMPARE(page.seenText, typed);
    // The receiver's slot ran to its end before the dialog closed.
    QVERIFY(page.dialogVisibleDuringCall);
    QVERIFY(!dialog.isVisible());
}

void TestSharedWidgets::securityReceiverWithoutSlotsIsHarmless()
{
    // A receiver without the slots: the buttons still close the dialog.
    QObject plain;
    for (const QString &text : {QString("Ввести пароль"), QString("Удалить пароль")}) {
        Security dialog(&plain, nullptr, true, false);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Security: the receiver has no slot"));
        QTimer::singleShot(0, &dialog, [&dialog, text] { buttonWithText(&dialog, text)->click(); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    }
    {
        Security dialog(nullptr, nullptr, false, true);
        QTimer::singleShot(0, &dialog, [&dialog] { buttonWithText(&dialog, "Установить пароль")->click(); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    }
    {
        // The page went away while its dialog was open.
        auto *page = new PasswordPage;
        Security dialog(page, nullptr, true, false);
        delete page;
        QTimer::singleShot(0, &dialog, [&dialog] { buttonWithText(&dialog, "Ввести пароль")->click(); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    }
    {
        // The page releases the dialog from inside its slot.
        PasswordPage page;
        page.deleteDialogInSlot = true;
        QPointer<Security> dialog = new Security(&page, nullptr, true, false);
        page.dialog = dialog;
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        visibleFields(dialog).first()->setText("7");
        buttonWithText(dialog, "Ввести пароль")->click();
        QCOMPARE(page.calls, QStringList{"inputPass"});
        QVERIFY(dialog.isNull());
    }
}

void TestSharedWidgets::securityIgnoresAClickWhileTheReceiverRuns()
{
    PasswordPage page;
    Security dialog(&page, nullptr, true, false);
    page.dialog = &dialog;
    page.clickAgain = buttonWithText(&dialog, "Ввести пароль");
    visibleFields(&dialog).first()->setText("42");
    QTimer::singleShot(0, &dialog, [&dialog] { buttonWithText(&dialog, "Ввести пароль")->click(); });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(page.calls, QStringList{"inputPass"});
    QVERIFY(page.againGreyed);
}

void TestSharedWidgets::securityFieldsTakeDigitsOnly()
{
    Security dialog(nullptr, nullptr, true, true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (QLineEdit *field : visibleFields(&dialog)) {
        QTest::keyClicks(field, "1a2 B-3+4.5,6/");
        QCOMPARE(field->text(), QString("123456"));
        field->clear();
        // Digits of other scripts are not decimal digits for the page's conversion.
        field->insert("٣");
        QCOMPARE(field->text(), QString());
        // A paste with anything but digits is refused as a whole.
        field->insert("12 34");
        QCOMPARE(field->text(), QString());
        field->insert("0042");
        QCOMPARE(field->text(), QString("0042"));
        QVERIFY(field->maxLength() >= 32767);
    }
    QCOMPARE(dialog.getLineEditInputPass(), QString("0042"));
    QCOMPARE(dialog.getLineEditSetPass(), QString("0042"));
}

void TestSharedWidgets::securityFieldsRefuseNumbersBeyondTheUnsignedRange()
{
    // The page converts with toUInt and takes a failure for 0, "no password":
    // a longer number must not get that far.
    Security dialog(nullptr, nullptr, false, true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit *field = visibleFields(&dialog).first();
    QTest::keyClicks(field, "4294967295");
    QCOMPARE(dialog.getLineEditSetPass(), QString("4294967295"));
    QTest::keyClicks(field, "0");
    QCOMPARE(dialog.getLineEditSetPass(), QString("4294967295"));
    field->clear();
    QTest::keyClicks(field, "4294967296");
    QCOMPARE(dialog.getLineEditSetPass(), QString("429496729"));
    field->clear();
    field->insert("99999999999999999999999999");
    QCOMPARE(dialog.getLineEditSetPass(), QString());
    bool ok = false;
    field->insert("3000000000");
    dialog.getLineEditSetPass().toUInt(&ok, 10);
    QVERIFY(ok);
}

void TestSharedWidgets::passwordsThatCannotBeSentAreRefusedWithAMessage_data()
{
    QTest::addColumn<bool>("wireless");
    QTest::addColumn<bool>("protectedMode");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("limit");
    QTest::newRow("wired, empty enter") << false << true << "Ввести пароль"
                                        << ""
                                        << "4294967295";
    QTest::newRow("wired, empty delete") << false << true << "Удалить пароль"
                                         << ""
                                         << "4294967295";
    QTest::newRow("wired, empty set") << false << false << "Установить пароль"
                                      << ""
                                      << "4294967295";
    QTest::newRow("wired, pasted beyond 32 bits") << false << false << "Установить пароль"
                                                  << "4294967296"
                                                  << "4294967295";
    QTest::newRow("wired, pasted letters") << false << true << "Ввести пароль"
                                           << "12ab"
                                           << "4294967295";
    QTest::newRow("wireless, empty enter") << true << true << "Ввести пароль датчика"
                                           << ""
                                           << "2147483647";
    QTest::newRow("wireless, beyond signed range") << true << false << "Установить пароль датчика"
                                                   << "2147483648"
                                                   << "2147483647";
}

void TestSharedWidgets::passwordsThatCannotBeSentAreRefusedWithAMessage()
{
    QFETCH(bool, wireless);
    QFETCH(bool, protectedMode);
    QFETCH(QString, button);
    QFETCH(QString, text);
    QFETCH(QString, limit);

    PasswordPage page;
    std::unique_ptr<QDialog> dialog;
    if (wireless)
        dialog =
            std::make_unique<SecurityBLE>(&page, nullptr, reported(protectedMode ? State::Protected : State::Open));
    else
        dialog = std::make_unique<Security>(&page, nullptr, protectedMode, !protectedMode);
    page.dialog = dialog.get();
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    // setText passes by the validator, as a paste of a long number may.
    visibleFields(dialog.get()).first()->setText(text);

    QString message;
    QTimer::singleShot(0, dialog.get(), [&message] {
        auto *box = qobject_cast<DynamicQDialog *>(QApplication::activeModalWidget());
        QVERIFY(box);
        for (QLabel *label : box->findChildren<QLabel *>())
            message += label->text();
        box->accept();
    });
    buttonWithText(dialog.get(), button)->click();
    QVERIFY(message.contains(limit));
    // Nothing reached the page, and the dialog is still there for another try.
    QVERIFY(page.calls.isEmpty());
    QVERIFY(dialog->isVisible());
}

void TestSharedWidgets::passwordReachesTheReceiverAsFourBytes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("zero typed") << "0" << QByteArray::fromHex("00000000");
    QTest::newRow("small") << "1234" << QByteArray::fromHex("000004d2");
    QTest::newRow("signed limit") << "2147483647" << QByteArray::fromHex("7fffffff");
    QTest::newRow("unsigned limit") << "4294967295" << QByteArray::fromHex("ffffffff");
    QTest::newRow("leading zeros") << "00000000000001" << QByteArray::fromHex("00000001");
}

void TestSharedWidgets::passwordReachesTheReceiverAsFourBytes()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    PasswordPage page;
    Security dialog(&page, nullptr, true, false);
    page.dialog = &dialog;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClicks(visibleFields(&dialog).first(), typed);
        buttonWithText(&dialog, "Ввести пароль")->click();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(page.calls, QStringList{"inputPass"});
    QCOMPARE(Security::passwordBytes(page.seenText), bytes);
}

void TestSharedWidgets::protectedSecurityBleLayout()
{
    PasswordPage page;
    SecurityBLE dialog(&page, nullptr, reported(State::Protected));
    QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(visibleButtonTexts(&dialog),
             (QStringList{"btnOkSecurityDialog", "Ввести пароль датчика", "Удалить пароль датчика"}));
    QLabel *label = labelWithText(&dialog, kProtectedBle);
    QVERIFY(label && label->isVisibleTo(&dialog));
    QCOMPARE(label->alignment(), Qt::Alignment(Qt::AlignLeft));
    QCOMPARE(cellOf(&dialog, label), (Cell{1, 0, 1, 4, {}}));
    QLabel *picture = dialog.findChild<QLabel *>("labelPicBle");
    QVERIFY(picture && picture->isVisibleTo(&dialog) && picture->text().isEmpty());
    QCOMPARE(cellOf(&dialog, picture), (Cell{1, 2, 1, 1, Qt::AlignRight}));
    const QList<QFrame *> frames = dialog.findChildren<QFrame *>(QString(), Qt::FindDirectChildrenOnly);
    QFrame *spacing = nullptr;
    for (QFrame *f : frames) {
        if (f->metaObject() == &QFrame::staticMetaObject)
            spacing = f;
    }
    QVERIFY(spacing);
    QCOMPARE(cellOf(&dialog, spacing), (Cell{2, 0, 1, 2, {}}));
    const QList<QLineEdit *> fields = visibleFields(&dialog);
    QCOMPARE(fields.size(), 1);
    QVERIFY(fields.first()->minimumWidth() >= 250);
    QCOMPARE(cellOf(&dialog, fields.first()), (Cell{3, 0, 1, 2, Qt::AlignLeft}));
    QPushButton *remove = buttonWithText(&dialog, "Удалить пароль датчика");
    QCOMPARE(cellOf(&dialog, remove), (Cell{4, 0, 1, 1, {}}));
    QCOMPARE(cellOf(&dialog, buttonWithText(&dialog, "Ввести пароль датчика")), (Cell{4, 1, 1, 1, {}}));
    QPushButton *close = dialog.findChild<QPushButton *>("btnOkSecurityDialog");
    QVERIFY(close && close->text().isEmpty());
    QCOMPARE(cellOf(&dialog, close), (Cell{0, 3, 1, 1, Qt::AlignRight | Qt::AlignTop}));
    QCOMPARE(remove->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(remove->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(remove->cursor().shape(), Qt::PointingHandCursor);

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(fields.first(), "31415");
    QCOMPARE(dialog.getLineEditInputPassBLE(), QString("31415"));
    QCOMPARE(dialog.getLineEditSetPassBLE(), QString());
}

void TestSharedWidgets::unprotectedSecurityBleLayout()
{
    PasswordPage page;
    SecurityBLE dialog(&page, nullptr, reported(State::Open));
    QCOMPARE(visibleButtonTexts(&dialog), (QStringList{"btnOkSecurityDialog", "Установить пароль датчика"}));
    QLabel *label = labelWithText(&dialog, kUnprotected);
    QVERIFY(label && label->isVisibleTo(&dialog));
    QCOMPARE(cellOf(&dialog, label), (Cell{1, 0, 1, 4, {}}));
    QCOMPARE(cellOf(&dialog, dialog.findChild<QLabel *>("labelPicBle")), (Cell{1, 3, 1, 1, Qt::AlignRight}));
    const QList<QLineEdit *> fields = visibleFields(&dialog);
    QCOMPARE(fields.size(), 1);
    QCOMPARE(cellOf(&dialog, fields.first()), (Cell{3, 0, 1, 2, Qt::AlignLeft}));
    QCOMPARE(cellOf(&dialog, buttonWithText(&dialog, "Установить пароль датчика")), (Cell{3, 2, 1, 2, Qt::AlignRight}));
    QCOMPARE(cellOf(&dialog, dialog.findChild<QPushButton *>("btnOkSecurityDialog")),
             (Cell{0, 3, 1, 1, Qt::AlignRight | Qt::AlignTop}));

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(fields.first(), "2718");
    QCOMPARE(dialog.getLineEditSetPassBLE(), QString("2718"));
    QCOMPARE(dialog.getLineEditInputPassBLE(), QString());
}

void TestSharedWidgets::securityBleButtonsReachTheReceiverAndStayOpen_data()
{
    QTest::addColumn<bool>("protectedMode");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("typed");
    QTest::newRow("enter") << true << "Ввести пароль датчика"
                           << "inputPassBLE"
                           << "2147483647";
    QTest::newRow("delete") << true << "Удалить пароль датчика"
                            << "delPassBLE"
                            << "5";
    QTest::newRow("set") << false << "Установить пароль датчика"
                         << "setPassBLE"
                         << "909";
}

void TestSharedWidgets::securityBleButtonsReachTheReceiverAndStayOpen()
{
    QFETCH(bool, protectedMode);
    QFETCH(QString, button);
    QFETCH(QString, slot);
    QFETCH(QString, typed);

    PasswordPage page;
    SecurityBLE dialog(&page, nullptr, reported(protectedMode ? State::Protected : State::Open));
    page.dialog = &dialog;
    bool stillOpen = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTest::keyClicks(visibleFields(&dialog).first(), typed);
        buttonWithText(&dialog, button)->click();
        buttonWithText(&dialog, button)->click(); // another try
        stillOpen = dialog.isVisible();
        dialog.findChild<QPushButton *>("btnOkSecurityDialog")->click();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY(stillOpen);
    QCOMPARE(page.calls, (QStringList{slot, slot}));
    QCOMPARE(page.seenText, typed);

    // Escape closes it as well.
    SecurityBLE again(&page, nullptr, reported(protectedMode ? State::Protected : State::Open));
    QTimer::singleShot(0, &again, [&again] { QTest::keyClick(&again, Qt::Key_Escape); });
    QCOMPARE(again.exec(), int(QDialog::Rejected));
}

void TestSharedWidgets::securityBleReceiverWithoutSlotsIsHarmless()
{
    QObject plain;
    SecurityBLE dialog(&plain, nullptr, reported(State::Protected));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("SecurityBLE: the receiver has no slot inputPassBLE"));
    buttonWithText(&dialog, "Ввести пароль датчика")->click();
    QVERIFY(dialog.isVisible());

    auto *page = new PasswordPage;
    SecurityBLE orphan(page, nullptr, reported(State::Protected));
    delete page;
    orphan.show();
    QVERIFY(QTest::qWaitForWindowExposed(&orphan));
    buttonWithText(&orphan, "Удалить пароль датчика")->click();
    QVERIFY(orphan.isVisible());

    SecurityBLE none(nullptr, nullptr, reported(State::Open));
    none.show();
    QVERIFY(QTest::qWaitForWindowExposed(&none));
    buttonWithText(&none, "Установить пароль датчика")->click();
    QVERIFY(none.isVisible());

    // A second click while the page's slot still runs does not start another exchange.
    PasswordPage busy;
    SecurityBLE twice(&busy, nullptr, reported(State::Protected));
    busy.dialog = &twice;
    visibleFields(&twice).first()->setText("42");
    busy.clickAgain = buttonWithText(&twice, "Ввести пароль датчика");
    busy.clickAgain->click();
    QCOMPARE(busy.calls, QStringList{"inputPassBLE"});
    buttonWithText(&twice, "Ввести пароль датчика")->click();
    QCOMPARE(busy.calls, (QStringList{"inputPassBLE", "inputPassBLE"}));
}

void TestSharedWidgets::securityBleFieldsTakeDigitsWithinTheSignedRange()
{
    // The wireless pages convert with toInt: 2147483647 is the largest.
    SecurityBLE dialog(nullptr, nullptr, reported(State::Uncertain));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QList<QLineEdit *> fields = visibleFields(&dialog);
    QCOMPARE(fields.size(), 2);
    for (QLineEdit *field : fields) {
        QTest::keyClicks(field, "-1 x2");
        QCOMPARE(field->text(), QString("12"));
        field->clear();
        QTest::keyClicks(field, "21474836470");
        QCOMPARE(field->text(), QString("2147483647"));
        field->clear();
        QTest::keyClicks(field, "2147483648");
        QCOMPARE(field->text(), QString("214748364"));
    }
}

void TestSharedWidgets::securityBleOffersOnlyWhatIsSafeWhileTheStateIsNotReported()
{
    PasswordPage page;
    // Not known: entering and setting are offered, removing is not.
    SecurityBLE uncertain(&page, nullptr, reported(State::Uncertain));
    QCOMPARE(visibleButtonTexts(&uncertain),
             (QStringList{"btnOkSecurityDialog", "Ввести пароль датчика", "Установить пароль датчика"}));
    QVERIFY(labelWithText(&uncertain, kNotKnown)->isVisibleTo(&uncertain));
    QCOMPARE(timesInGrid(&uncertain, uncertain.findChild<QLabel *>("labelPicBle")), 1);
    // Its answer awaited: the dialog says so and offers nothing.
    SecurityBLE waiting(&page, nullptr, reported(State::NotKnown));
    QCOMPARE(visibleButtonTexts(&waiting), QStringList{"btnOkSecurityDialog"});
    QVERIFY(visibleFields(&waiting).isEmpty());
    QVERIFY(labelWithText(&waiting, kWaiting)->isVisibleTo(&waiting));
}

void TestSharedWidgets::dialogTextsAreTranslatedInTheirOwnContexts()
{
    ContextTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    {
        Security security(nullptr, nullptr, true, true);
        QVERIFY(buttonWithText(&security, "Security|Ввести пароль"));
        QVERIFY(buttonWithText(&security, "Security|Установить пароль"));
        QVERIFY(buttonWithText(&security, "Security|Удалить пароль"));
        QVERIFY(buttonWithText(&security, "Security|Закрыть"));
        QVERIFY(labelWithText(&security, "Security|" + kProtected));
        QVERIFY(labelWithText(&security, "Security|" + kUnprotected));

        SecurityBLE ble(nullptr, nullptr, reported(State::Uncertain));
        QVERIFY(buttonWithText(&ble, "SecurityBLE|Ввести пароль датчика"));
        QVERIFY(buttonWithText(&ble, "SecurityBLE|Установить пароль датчика"));
        QVERIFY(buttonWithText(&ble, "SecurityBLE|Удалить пароль датчика"));
        QVERIFY(labelWithText(&ble, "SecurityBLE|" + kProtectedBle));
        QVERIFY(labelWithText(&ble, "SecurityBLE|" + kUnprotected));

        WidgetTar card(nullptr, false);
        for (const QString &text : {"Датчик#", "Level", "Калиброван", "Стабилен"})
            QVERIFY2(labelWithText(&card, "WidgetTar|" + text), qPrintable(text));
        WidgetTar litres(nullptr, true);
        QVERIFY(labelWithText(&litres, "WidgetTar|Литры"));
    }
    QCoreApplication::removeTranslator(&translator);
}

void TestSharedWidgets::sensorCardStartsWithItsFourLinesHidden()
{
    QWidget page;
    auto *card = new WidgetTar(&page, false);
    QCOMPARE(card->objectName(), QString("widgetTar"));
    QCOMPARE(card->geometry(), QRect(0, 0, 140, 100));
    QVERIFY(card->isHidden());
    QVERIFY(card->autoFillBackground());
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        QCOMPARE(card->palette().brush(group, QPalette::Window).color(), QColor("#00A778"));

    const QList<QLabel *> labels = card->findChildren<QLabel *>();
    QCOMPARE(labels.size(), 4);
    for (QLabel *l : labels)
        QCOMPARE(l->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);

    // Top to bottom in the order of the lines.
    page.resize(300, 200);
    page.show();
    card->show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QStringList order;
    QList<QLabel *> byHeight = labels;
    std::sort(byHeight.begin(), byHeight.end(), [](QLabel *a, QLabel *b) { return a->y() < b->y(); });
    for (QLabel *l : byHeight)
        order << l->text();
    QCOMPARE(order, (QStringList{"Датчик#", "Level", "Калиброван", "Стабилен"}));
    QVERIFY(byHeight.first()->y() < byHeight.last()->y());

    card->setLabel1Text("Датчик# 3");
    card->setLabel2Text("1234");
    card->setLabel3Text("Не калиброван");
    card->setLabel4Text("Не стабилен");
    order.clear();
    for (QLabel *l : byHeight)
        order << l->text();
    QCOMPARE(order, (QStringList{"Датчик# 3", "1234", "Не калиброван", "Не стабилен"}));
}

void TestSharedWidgets::litresCardHoldsOneLine()
{
    WidgetTar card(nullptr, true);
    QCOMPARE(card.objectName(), QString("widgetLitr"));
    QCOMPARE(card.geometry(), QRect(0, 0, 140, 100));
    QVERIFY(card.isHidden());
    const QList<QLabel *> labels = card.findChildren<QLabel *>();
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.first()->text(), QString("Литры"));
    QCOMPARE(labels.first()->alignment() & Qt::AlignHorizontal_Mask, Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(card.layout()->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    // It has no lines 2 to 4; writing them changes nothing.
    card.setLabel2Text("x");
    card.setLabel3Text("y");
    card.setLabel4Text("z");
    QCOMPARE(card.findChildren<QLabel *>().size(), 1);
    QCOMPARE(labels.first()->text(), QString("Литры"));
    card.setTextLabelLitrGalon("Галлоны");
    QCOMPARE(labels.first()->text(), QString("Галлоны"));
}

void TestSharedWidgets::litresAndLabelOneSettersGiveTheSameCard()
{
    WidgetTar a(nullptr, false);
    WidgetTar b(nullptr, false);
    a.setTextLabelLitrGalon("Галлоны");
    b.setLabel1Text("Галлоны");
    QStringList textsA, textsB;
    for (QLabel *l : a.findChildren<QLabel *>())
        textsA << l->text();
    for (QLabel *l : b.findChildren<QLabel *>())
        textsB << l->text();
    QCOMPARE(textsA, textsB);
    QCOMPARE(textsA.first(), QString("Галлоны"));
    QCOMPARE(a.grab().toImage(), b.grab().toImage());
}

void TestSharedWidgets::cardKeepsOffsetAndSerialNumber()
{
    WidgetTar card(nullptr, false);
    QCOMPARE(card.getSerNum(), 0);
    QCOMPARE(card.getOffset(), 0);
    card.setSerNum(123456);
    card.setOffset(-40);
    QCOMPARE(card.getSerNum(), 123456);
    QCOMPARE(card.getOffset(), -40);
    QCOMPARE(card.geometry(), QRect(0, 0, 140, 100)); // the offset does not move the card
}

void TestSharedWidgets::cardFrameFollowsTheTheme_data()
{
    QTest::addColumn<QVariant>("theme");
    QTest::addColumn<bool>("litres");
    QTest::addColumn<QColor>("frame");
    QTest::newRow("dark") << QVariant("dark") << false << QColor(Qt::white);
    QTest::newRow("white") << QVariant("white") << false << QColor("#1f2222");
    QTest::newRow("missing") << QVariant() << false << QColor("#1f2222");
    QTest::newRow("litres dark") << QVariant("dark") << true << QColor(Qt::white);
    QTest::newRow("litres white") << QVariant("white") << true << QColor("#1f2222");
}

void TestSharedWidgets::cardFrameFollowsTheTheme()
{
    QFETCH(QVariant, theme);
    QFETCH(bool, litres);
    QFETCH(QColor, frame);

    if (theme.isValid())
        QSettings().setValue("theme", theme);
    else
        QSettings().remove("theme");

    // A card always sits on a page; a top-level one would grow to its labels.
    QWidget page;
    WidgetTar card(&page, litres);
    const QImage image = card.grab().toImage();
    QCOMPARE(image.size(), QSize(140, 100));
    // Left, top, right and bottom lines.
    QCOMPARE(pixel(image, 0, 50), frame);
    QCOMPARE(pixel(image, 70, 0), frame);
    QCOMPARE(pixel(image, 139, 50), frame);
    QCOMPARE(pixel(image, 70, 99), frame);
    QCOMPARE(pixel(image, 0, 0), frame);
    QCOMPARE(pixel(image, 139, 99), frame);
    if (!litres)
        QCOMPARE(pixel(image, 4, 4), QColor("#00A778"));
    QVERIFY(pixel(image, 2, 50) != frame); // two pixels wide, centred on the edge

    // The theme is asked again at the next paint.
    QSettings().setValue("theme", theme.toString() == "dark" ? "white" : "dark");
    const QColor other = theme.toString() == "dark" ? QColor("#1f2222") : QColor(Qt::white);
    QCOMPARE(pixel(card.grab().toImage(), 0, 50), other);
}

void TestSharedWidgets::clearButtonStartsVisibleAndClears()
{
    CustomLineedit edit;
    auto *button = edit.findChild<QToolButton *>();
    QVERIFY(button);
    QVERIFY(button->isVisibleTo(&edit));
    QCOMPARE(button->iconSize(), QSize(5, 5));
    QVERIFY(!button->icon().isNull());
    QVERIFY(!button->icon().pixmap(QSize(5, 5)).isNull());
    QCOMPARE(button->cursor().shape(), Qt::ArrowCursor);

    const int f = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const QSize hint = button->sizeHint();
    QCOMPARE(edit.styleSheet(), QString("QLineEdit { padding-right: %1px; } ").arg(hint.width() + f + 1));
    QVERIFY(edit.minimumWidth() >= hint.height() + 2 * f + 2);
    QVERIFY(edit.minimumHeight() >= hint.height() + 2 * f + 2);

    edit.setText("12345");
    button->click();
    QCOMPARE(edit.text(), QString());
}

void TestSharedWidgets::clearButtonFollowsUpdateCloseButton()
{
    CustomLineedit edit;
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    auto *button = edit.findChild<QToolButton *>();
    edit.updateCloseButton(QString());
    QVERIFY(!button->isVisible());
    edit.updateCloseButton("a");
    QVERIFY(button->isVisible());
    edit.updateCloseButton("");
    QVERIFY(!button->isVisible());
    // Nothing connects it: typing alone does not bring the button back.
    QTest::keyClicks(&edit, "abc");
    QVERIFY(!button->isVisible());
}

void TestSharedWidgets::clearButtonSitsAtTheRightEnd_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("ordinary") << QSize(200, 30);
    QTest::newRow("tall") << QSize(120, 61);
    QTest::newRow("smallest") << QSize(0, 0);
}

void TestSharedWidgets::clearButtonSitsAtTheRightEnd()
{
    QFETCH(QSize, size);
    CustomLineedit edit;
    edit.resize(size.expandedTo(edit.minimumSize()));
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    auto *button = edit.findChild<QToolButton *>();
    const int f = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const QSize hint = button->sizeHint();
    const int b = edit.height() - 1;
    // x = right + frame - width of the button.
    QCOMPARE(button->x(), edit.rect().right() + f - hint.width());
    // Halves truncate toward zero, also when the numerator is negative.
    const int numerator = b / 2 + 1 - hint.height();
    QCOMPARE(button->y(), numerator / 2);
    if (numerator < 0 && numerator % 2 != 0)
        QCOMPARE(button->y(), (numerator + 1) / 2);

    // Follows a later resize.
    edit.resize(edit.width() + 37, edit.height() + 10);
    QTRY_COMPARE(button->x(), edit.rect().right() + f - hint.width());
    QCOMPARE(button->y(), ((edit.height() - 1) / 2 + 1 - hint.height()) / 2);
}

QTEST_MAIN(TestSharedWidgets)
#include "tst_sharedwidgets.moc"
