#include "ui/securityble.h"

#include "ui/security.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>

namespace {
// Largest password the wireless sensors take (a signed 32-bit number).
constexpr quint32 kSignedMaximum = 0x7FFFFFFFu;
} // namespace

SecurityBLE::SecurityBLE(QObject *receiver, QWidget *parent, const SensorProtection *protection)
    : QDialog(parent), receiver(receiver)
{
    grid = new QGridLayout;
    enter = new QPushButton(tr("Ввести пароль датчика"), this);
    set = new QPushButton(tr("Установить пароль датчика"), this);
    remove = new QPushButton(tr("Удалить пароль датчика"), this);
    commandButtons = {enter, set, remove};
    for (QPushButton *b : {enter, set, remove}) {
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setCursor(Qt::PointingHandCursor);
    }

    // Spaces the label from the field.
    spacing = new QFrame(this);

    // Both fields exist in every mode so that the getters always answer.
    lineEditInputPassBLE = new QLineEdit(this);
    lineEditSetPassBLE = new QLineEdit(this);
    lineEditInputPassBLE->setMinimumWidth(250);
    lineEditSetPassBLE->setMinimumWidth(250);
    protectedLabel = new QLabel(tr("Изменение настроек датчика защищено паролем.\nВведите пароль"), this);
    unprotectedLabel = new QLabel(
        tr("Изменение настроек датчика не защищено паролем\nВы можете установить пароль или пропустить этот шаг"),
        this);
    waitingLabel = new QLabel(tr("Ожидаем ответ беспроводного датчика:\nзащищён ли он паролем"), this);
    uncertainLabel = new QLabel(tr("Неизвестно, защищён ли датчик паролем\nВведите пароль или установите новый"), this);
    for (QLabel *label : {protectedLabel, unprotectedLabel, waitingLabel, uncertainLabel})
        label->setAlignment(Qt::AlignLeft);

    // The theme style sheet draws the picture by this name.
    picture = new QLabel(this);
    picture->setObjectName("labelPicBle");

    // The wireless sensors take the password as a signed number.
    lineEditInputPassBLE->setValidator(Security::passwordValidator(kSignedMaximum, lineEditInputPassBLE));
    lineEditSetPassBLE->setValidator(Security::passwordValidator(kSignedMaximum, lineEditSetPassBLE));

    // A cross without caption; the theme style sheet draws it by its name.
    close = new QPushButton(this);
    close->setObjectName("btnOkSecurityDialog");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    close->setCursor(Qt::PointingHandCursor);

    // These do not close the dialog: the answer comes later from the sensor
    // and the user may try again.
    connect(remove, &QPushButton::clicked, this, [this] { callReceiver("delPassBLE", lineEditInputPassBLE); });
    connect(enter, &QPushButton::clicked, this, [this] { callReceiver("inputPassBLE", lineEditInputPassBLE); });
    connect(set, &QPushButton::clicked, this, [this] { callReceiver("setPassBLE", lineEditSetPassBLE); });

    showState(protection->state());
    connect(protection, &SensorProtection::changed, this, &SecurityBLE::showState);
    setLayout(grid);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
}

SecurityBLE::~SecurityBLE() = default;

void SecurityBLE::layOut(const std::function<void()> &place)
{
    const QList<QWidget *> widgets{enter,
                                   set,
                                   remove,
                                   spacing,
                                   lineEditInputPassBLE,
                                   lineEditSetPassBLE,
                                   protectedLabel,
                                   unprotectedLabel,
                                   waitingLabel,
                                   uncertainLabel,
                                   picture,
                                   close};
    for (QWidget *w : widgets)
        grid->removeWidget(w);
    place();
    // Widgets of a group that was not asked for stay hidden.
    for (QWidget *w : widgets)
        w->setVisible(grid->indexOf(w) >= 0);
    if (isVisible())
        adjustSize();
}

void SecurityBLE::showState(SensorProtection::State state)
{
    switch (state) {
    case SensorProtection::State::Protected:
        layOut([this] {
            grid->addWidget(protectedLabel, 1, 0, 1, 4);
            grid->addWidget(spacing, 2, 0, 1, 2);
            grid->addWidget(picture, 1, 2, 1, 1, Qt::AlignRight);
            grid->addWidget(lineEditInputPassBLE, 3, 0, 1, 2, Qt::AlignLeft);
            grid->addWidget(remove, 4, 0, 1, 1);
            grid->addWidget(enter, 4, 1, 1, 1);
            grid->addWidget(close, 0, 3, 1, 1, Qt::AlignRight | Qt::AlignTop);
        });
        return;
    case SensorProtection::State::Open:
        layOut([this] {
            grid->addWidget(unprotectedLabel, 1, 0, 1, 4);
            grid->addWidget(spacing, 2, 0, 1, 2);
            grid->addWidget(picture, 1, 3, 1, 1, Qt::AlignRight);
            grid->addWidget(lineEditSetPassBLE, 3, 0, 1, 2, Qt::AlignLeft);
            grid->addWidget(set, 3, 2, 1, 2, Qt::AlignRight);
            grid->addWidget(close, 0, 3, 1, 1, Qt::AlignRight | Qt::AlignTop);
        });
        return;
    case SensorProtection::State::NotKnown:
        // Nothing is offered on a state the sensor has not reported.
        layOut([this] {
            grid->addWidget(waitingLabel, 1, 0, 1, 3);
            grid->addWidget(picture, 1, 3, 1, 1, Qt::AlignRight);
            grid->addWidget(close, 0, 3, 1, 1, Qt::AlignRight | Qt::AlignTop);
        });
        return;
    case SensorProtection::State::Uncertain:
        // Entering a password and setting one are safe either way: a
        // protected sensor refuses a new password it was not opened for.
        layOut([this] {
            grid->addWidget(uncertainLabel, 1, 0, 1, 3);
            grid->addWidget(picture, 1, 3, 1, 1, Qt::AlignRight);
            grid->addWidget(spacing, 2, 0, 1, 2);
            grid->addWidget(lineEditInputPassBLE, 3, 0, 1, 2, Qt::AlignLeft);
            grid->addWidget(enter, 3, 2, 1, 2);
            grid->addWidget(lineEditSetPassBLE, 4, 0, 1, 2, Qt::AlignLeft);
            grid->addWidget(set, 4, 2, 1, 2);
            grid->addWidget(close, 0, 3, 1, 1, Qt::AlignRight | Qt::AlignTop);
        });
        return;
    }
}

QString SecurityBLE::getLineEditInputPassBLE()
{
    return lineEditInputPassBLE->text();
}

QString SecurityBLE::getLineEditSetPassBLE()
{
    return lineEditSetPassBLE->text();
}

std::optional<quint32> SecurityBLE::sendablePassword(bool newPasswordField)
{
    const QString text = newPasswordField ? getLineEditSetPassBLE() : getLineEditInputPassBLE();
    const std::optional<quint32> value = Security::passwordValue(text, kSignedMaximum);
    if (!value)
        Security::refusePassword(this, kSignedMaximum);
    return value;
}

void SecurityBLE::callReceiver(const char *slot, QLineEdit *field)
{
    if (!receiver)
        return;
    // A receiver without the slot is left alone: the click does nothing there.
    if (receiver->metaObject()->indexOfMethod((QByteArray(slot) + "()").constData()) < 0) {
        qWarning("SecurityBLE: the receiver has no slot %s()", slot);
        return;
    }
    QPointer<SecurityBLE> self(this);
    // A click while the receiver's previous exchange is still running would
    // interleave two password exchanges: the buttons are greyed meanwhile,
    // which also shows that one runs.
    setCommandsEnabled(false);
    // The wireless sensors take the password as a signed 32-bit number; an
    // empty or larger one is not sent at all.
    if (Security::isSendablePassword(field->text(), kSignedMaximum))
        QMetaObject::invokeMethod(receiver, slot, Qt::DirectConnection);
    else
        Security::refusePassword(this, kSignedMaximum);
    if (self)
        setCommandsEnabled(true);
}

void SecurityBLE::setCommandsEnabled(bool enabled)
{
    for (QPushButton *b : qAsConst(commandButtons))
        b->setEnabled(enabled);
}
