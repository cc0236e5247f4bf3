#include "ui/security.h"

#include "ui/dynamicqdialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QValidator>

namespace {

// The wired sensor and the online device take the password as an unsigned
// 32-bit number.
constexpr quint32 kUnsignedMaximum = 0xFFFFFFFFu;

// Decimal digits only, and never more than the receiver can convert: the
// pages turn the text into a 32-bit number and an unconvertible text becomes
// 0, which the sensor takes for "no password". Refusing the digit that would
// overflow keeps the user from setting a password other than the one typed.
class PasswordValidator : public QValidator
{
public:
    PasswordValidator(quint32 maximum, QObject *parent) : QValidator(parent), maximum(maximum) {}

    State validate(QString &input, int &pos) const override
    {
        Q_UNUSED(pos)
        if (input.isEmpty())
            return Intermediate;
        return Security::passwordValue(input, maximum) ? Acceptable : Invalid;
    }

private:
    quint32 maximum;
};

} // namespace

QValidator *Security::passwordValidator(quint32 maximum, QObject *parent)
{
    return new PasswordValidator(maximum, parent);
}

std::optional<quint32> Security::passwordValue(const QString &text, quint32 maximum)
{
    if (text.isEmpty())
        return std::nullopt;
    // Ten digits hold every 32-bit number; the leading zeros before them
    // change nothing, and more digits are refused before they are read, so
    // that no conversion can overflow.
    constexpr int kDigitsOf32Bits = 10;
    int significant = 0;
    quint64 value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        if (significant == 0 && c == QLatin1Char('0'))
            continue;
        if (++significant > kDigitsOf32Bits)
            return std::nullopt;
        value = value * 10 + quint64(c.unicode() - '0');
    }
    if (value > maximum)
        return std::nullopt;
    return quint32(value);
}

bool Security::isSendablePassword(const QString &text, quint32 maximum)
{
    return passwordValue(text, maximum).has_value();
}

QByteArray Security::passwordBytes(const QString &text)
{
    // A text that is no password is no password 0 either.
    const std::optional<quint32> value = passwordValue(text, kUnsignedMaximum);
    if (!value)
        return {};
    QByteArray bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char((*value >> shift) & 0xFF));
    return bytes;
}

void Security::refusePassword(QWidget *parent, quint32 maximum)
{
    DynamicQDialog::tell(parent, QString(), tr("Введите пароль: число от 0 до %1").arg(maximum));
}

Security::Security(QObject *receiver, QWidget *parent, bool protectedMode, bool unprotectedMode)
    : Security(receiver, parent, protectedMode, unprotectedMode, false)
{
}

Security::Security(QObject *receiver, QWidget *parent, SensorProtection::State state)
    : Security(receiver, parent, state == SensorProtection::State::Protected, state == SensorProtection::State::Open,
               state == SensorProtection::State::Uncertain)
{
}

Security::Security(QObject *receiver, QWidget *parent, bool protectedMode, bool unprotectedMode, bool notKnown)
    : QDialog(parent), receiver(receiver)
{
    auto *grid = new QGridLayout;
    auto *enter = new QPushButton(tr("Ввести пароль"), this);
    auto *set = new QPushButton(tr("Установить пароль"), this);
    auto *remove = new QPushButton(tr("Удалить пароль"), this);
    enter->setCursor(Qt::PointingHandCursor);
    set->setCursor(Qt::PointingHandCursor);
    remove->setCursor(Qt::PointingHandCursor);

    // Both fields exist in every mode so that the getters always answer; the
    // field of a group that is not shown stays empty.
    lineEditInputPass = new QLineEdit(this);
    lineEditSetPass = new QLineEdit(this);
    auto *protectedLabel = new QLabel(tr("Изменение настроек устройства защищено паролем.\nВведите пароль"), this);
    auto *unprotectedLabel = new QLabel(
        tr("Изменение настроек датчика не защищено паролем\nВы можете установить пароль или пропустить этот шаг"),
        this);
    auto *notKnownLabel =
        new QLabel(tr("Неизвестно, защищён ли датчик паролем\nВведите пароль или установите новый"), this);
    for (QLabel *label : {protectedLabel, unprotectedLabel, notKnownLabel})
        label->setAlignment(Qt::AlignCenter);

    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);

    // The wired sensor and the online device take the password unsigned.
    lineEditInputPass->setValidator(passwordValidator(kUnsignedMaximum, lineEditInputPass));
    lineEditSetPass->setValidator(passwordValidator(kUnsignedMaximum, lineEditSetPass));

    auto *close = new QPushButton(tr("Закрыть"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    close->setCursor(Qt::PointingHandCursor);

    // The receiver's slot, with its own waits and messages, runs to its end
    // before the dialog closes.
    connect(remove, &QPushButton::clicked, this, [this] { callReceiver("delPass", lineEditInputPass); });
    connect(enter, &QPushButton::clicked, this, [this] { callReceiver("inputPass", lineEditInputPass); });
    connect(set, &QPushButton::clicked, this, [this] { callReceiver("setPass", lineEditSetPass); });
    commandButtons = {enter, set, remove};

    if (protectedMode) {
        grid->addWidget(protectedLabel, 0, 1, 1, 2);
        grid->addWidget(lineEditInputPass, 1, 1, 1, 2, Qt::AlignCenter);
        grid->addWidget(remove, 4, 2, 1, 1);
        grid->addWidget(enter, 4, 1, 1, 1);
        // With both groups the close button shares its cell: placed once.
        if (!unprotectedMode)
            grid->addWidget(close, 8, 2, 1, 1);
    }
    if (unprotectedMode) {
        grid->addWidget(unprotectedLabel, 0, 1, 1, 2);
        grid->addWidget(lineEditSetPass, 1, 1, 1, 2, Qt::AlignHCenter);
        grid->addWidget(set, 3, 1, 1, 2, Qt::AlignHCenter);
        grid->addWidget(close, 8, 2, 1, 1, Qt::AlignRight | Qt::AlignBottom);
    }
    // No removal: whether there is a password to remove is what is not known.
    if (notKnown) {
        grid->addWidget(notKnownLabel, 0, 1, 1, 2);
        grid->addWidget(lineEditInputPass, 1, 1, 1, 1);
        grid->addWidget(enter, 1, 2, 1, 1);
        grid->addWidget(lineEditSetPass, 2, 1, 1, 1);
        grid->addWidget(set, 2, 2, 1, 1);
        grid->addWidget(close, 8, 2, 1, 1);
    }

    // Every widget belongs to the dialog; those of a group that was not asked
    // for stay hidden instead of showing up in a corner.
    const QList<QWidget *> widgets{
        enter, set, remove, lineEditInputPass, lineEditSetPass, protectedLabel, unprotectedLabel, notKnownLabel, close};
    for (QWidget *w : widgets) {
        if (grid->indexOf(w) < 0)
            w->hide();
    }

    setLayout(grid);
}

Security::~Security() = default;

QString Security::getLineEditInputPass()
{
    return lineEditInputPass->text();
}

QString Security::getLineEditSetPass()
{
    return lineEditSetPass->text();
}

void Security::callReceiver(const char *slot, QLineEdit *field)
{
    QPointer<Security> self(this);
    // A receiver without the slot is left alone: the click only closes.
    const bool reachable =
        receiver && receiver->metaObject()->indexOfMethod((QByteArray(slot) + "()").constData()) >= 0;
    if (receiver && !reachable)
        qWarning("Security: the receiver has no slot %s()", slot);
    if (reachable) {
        // A click while the receiver still waits for the sensor would start a
        // second password exchange in the middle of the first: the buttons
        // are greyed meanwhile, which also shows that one runs.
        setCommandsEnabled(false);
        // An empty field would reach the sensor as the password 0, "no
        // password"; the dialog stays open for another try.
        if (!isSendablePassword(field->text(), kUnsignedMaximum)) {
            refusePassword(this, kUnsignedMaximum);
            if (self)
                setCommandsEnabled(true);
            return;
        }
        QMetaObject::invokeMethod(receiver, slot, Qt::DirectConnection);
        if (!self)
            return;
        setCommandsEnabled(true);
    }
    accept();
}

void Security::setCommandsEnabled(bool enabled)
{
    for (QPushButton *b : qAsConst(commandButtons))
        b->setEnabled(enabled);
}
