#include "devices/ble/adwertdialog.h"

#include "ui/formfonts.h"
#include "ui/security.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kTextPoints = 16;
constexpr int kFieldSpan = 5;
constexpr int kCloseColumn = 12;

// The family prefixes, in the order a typed prefix is looked for.
const char *const kPrefixes[] = {"QF", "YQ", "KV", "ZM"};

// Each letter position takes the letters of any family at that position, in
// either case, so a name is accepted while it is typed. No more digits than
// an advertising record's name holds: a longer name could never be seen in
// the slot, and the dialog would wait for it in vain.
const char *const kNamePattern = "[QYKZqykz][FQVMfqvm]_[0-9]{1,6}";

} // namespace

AdwertDialog::AdwertDialog(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);

    QFont font;
    const QString family = formfonts::registerFormFonts().title;
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPointSize(kTextPoints);

    lineEditNumber = new QLineEdit(this);
    lineEditNumber->setValidator(new QRegularExpressionValidator(QRegularExpression(kNamePattern), lineEditNumber));
    lineEditPassword = new QLineEdit(this);
    btnConnect = new QPushButton(tr("Установить соединение"), this);
    btnConnect->setCursor(Qt::PointingHandCursor);
    btnConnect->setDefault(true);
    labelMessage = new QLabel(tr("Введите номер датчика и пароль"), this);
    labelMessage->setAlignment(Qt::AlignBottom);
    auto *captionNumber = new QLabel(tr("Номер"), this);
    auto *captionPassword = new QLabel(tr("Пароль"), this);
    auto *hintFuel = new QLabel(tr("Для ДУТ QF BLE введите QF_XXXXXX"), this);
    auto *hintLight = new QLabel(tr("Для датчика освещённости введите YQ_XXXXXX"), this);
    auto *hintAngle = new QLabel(tr("Для датчика угла введите KV_XXXXXX"), this);
    auto *explanation = new QLabel(tr("где XXXXXX - серийный номер датчика"), this);
    for (QLabel *label : {labelMessage, captionNumber, captionPassword, hintFuel, hintLight, hintAngle, explanation})
        label->setFont(font);

    btnClose = new QPushButton(this);
    btnClose->setObjectName("closeDialogButton");
    btnClose->setCursor(Qt::PointingHandCursor);
    btnClose->setIcon(QIcon(QStringLiteral(":/images/cross.svg")));
    btnClose->setFlat(true);

    auto *grid = new QGridLayout(this);
    auto *top = new QVBoxLayout;
    top->addWidget(labelMessage);
    top->addWidget(new QFrame(this));
    grid->addLayout(top, 0, 0);
    grid->addWidget(btnClose, 0, kCloseColumn, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(captionNumber, 4, 0, 1, kFieldSpan, Qt::AlignLeft);
    grid->addWidget(lineEditNumber, 5, 0, 1, kFieldSpan, Qt::AlignLeft);
    grid->addWidget(btnConnect, 5, 3, 1, kFieldSpan, Qt::AlignLeft);
    grid->addWidget(captionPassword, 6, 0, 1, kFieldSpan, Qt::AlignLeft);
    grid->addWidget(lineEditPassword, 7, 0, 1, kFieldSpan, Qt::AlignLeft);
    grid->addWidget(hintFuel, 8, 0, 1, kFieldSpan, Qt::AlignLeft);
    grid->addWidget(hintLight, 9, 0, 1, kFieldSpan, Qt::AlignLeft);
    grid->addWidget(hintAngle, 10, 0, 1, kFieldSpan, Qt::AlignLeft);
    grid->addWidget(explanation, 11, 0, 1, kFieldSpan, Qt::AlignLeft);

    timerAnswer = new QTimer(this);
    timerAnswer->setInterval(kAnswerMs);
    timerAnswer->setSingleShot(true);

    connect(lineEditNumber, &QLineEdit::textEdited, this, &AdwertDialog::autoReplaceInputText);
    connect(btnConnect, &QPushButton::clicked, this, &AdwertDialog::getInputSerNumDevice);
    connect(timerAnswer, &QTimer::timeout, this, &AdwertDialog::sendSignalNotConnectedDevice);
    connect(timerAnswer, &QTimer::timeout, this, &AdwertDialog::setMessageErrorConnectDevice);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    lineEditNumber->setFocus();
}

AdwertDialog::~AdwertDialog() = default;

void AdwertDialog::done(int result)
{
    timerAnswer->stop();
    QDialog::done(result);
}

void AdwertDialog::autoReplaceInputText(QString text)
{
    for (const char *prefix : kPrefixes) {
        if (!completed && text.contains(QLatin1String(prefix), Qt::CaseInsensitive)) {
            lineEditNumber->setText(QLatin1String(prefix) + QLatin1Char('_'));
            completed = true;
        }
    }
    // Back to the first letter of a prefix: the next prefix typed completes again.
    for (const char *prefix : kPrefixes) {
        if (text == QString(QLatin1Char(prefix[0])))
            completed = false;
    }
}

void AdwertDialog::getInputSerNumDevice()
{
    const QString typed = lineEditPassword->text();
    // No password is password 0; anything else must be a number the sensor
    // can take, never sent as some other number.
    const std::optional<quint32> value =
        typed.isEmpty() ? std::optional<quint32>(0) : Security::passwordValue(typed, kLargestPassword);
    if (!value) {
        labelMessage->setText(tr("Введите пароль: число от 0 до %1").arg(kLargestPassword));
        return;
    }
    restoreMessageConnectDevice();
    timerAnswer->start();
    const int password = int(*value);
    emit sendValueSerNumToConnect(lineEditNumber->text(), password);
}

void AdwertDialog::restoreMessageConnectDevice()
{
    labelMessage->setText(tr("Ожидаем ответа от датчика"));
}

void AdwertDialog::setMessageErrorConnectDevice()
{
    labelMessage->setText(tr("Ошибка подключения"));
}

void AdwertDialog::sendSignalNotConnectedDevice()
{
    emit signalNotConnectedDevice();
}
