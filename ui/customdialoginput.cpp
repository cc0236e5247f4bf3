#include "ui/customdialoginput.h"

#include "ui/boundedintvalidator.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <limits>

namespace {

constexpr int kNameWidth = 80;
constexpr int kFieldWidth = 100;
constexpr int kFontPixels = 14;
constexpr int kRefreshMs = 50;

// The sensors take a count as a signed 32-bit number, and the levels are
// compared as such: a field holds one from 0 to its largest.
constexpr int kLargestCount = std::numeric_limits<qint32>::max();

int typedNumber(const QLineEdit *field)
{
    bool ok = false;
    const int value = field->text().toInt(&ok, 10);
    return ok && value >= 0 ? value : 0;
}

} // namespace

CustomDialogInput::CustomDialogInput(QWidget *parent) : QDialog(parent)
{
    grid = new QGridLayout;
    fullRow = new QHBoxLayout;
    emptyRow = new QHBoxLayout;
    spareRow = new QHBoxLayout;
    fullName = new QLabel(this);
    emptyName = new QLabel(this);
    fullValue = new QLabel(this);
    emptyValue = new QLabel(this);
    fullEdit = new QLineEdit(this);
    emptyEdit = new QLineEdit(this);
    okButton = new QPushButton(tr("OK"), this);
    auto *cancelButton = new QPushButton(tr("Отмена"), this);

    BoundedIntValidator::install(fullEdit, 0, kLargestCount);
    BoundedIntValidator::install(emptyEdit, 0, kLargestCount);

    QFont font = emptyName->font();
    font.setPixelSize(kFontPixels);
    for (QWidget *w : std::initializer_list<QWidget *>{fullName, emptyName, fullValue, emptyValue, fullEdit, emptyEdit,
                                                       okButton, cancelButton})
        w->setFont(font);

    fullName->setText(tr("Полный"));
    emptyName->setText(tr("Пустой"));
    fullName->setFixedWidth(kNameWidth);
    emptyName->setFixedWidth(kNameWidth);
    fullEdit->setFixedWidth(kFieldWidth);
    emptyEdit->setFixedWidth(kFieldWidth);
    fullValue->setText(QString::number(initialFullValue));
    emptyValue->setText(QString::number(initialEmptyValue));

    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);

    fullRow->addWidget(fullName);
    fullRow->addWidget(fullEdit);
    fullRow->addWidget(fullValue);
    emptyRow->addWidget(emptyName);
    emptyRow->addWidget(emptyEdit);
    emptyRow->addWidget(emptyValue);
    grid->addLayout(fullRow, 0, 0, Qt::AlignTop);
    grid->addLayout(emptyRow, 1, 0, Qt::AlignTop);
    grid->addLayout(spareRow, 2, 0);

    for (QPushButton *button : {okButton, cancelButton}) {
        button->setObjectName("btnManualInput");
        button->setCursor(Qt::PointingHandCursor);
    }
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cancelButton);
    buttons->addWidget(okButton);
    grid->addLayout(buttons, 4, 0, Qt::AlignRight | Qt::AlignBottom);

    setLayout(grid);
}

CustomDialogInput::~CustomDialogInput()
{
    // Taken out of the grid, the Empty row belongs to nobody; its widgets
    // are the dialog's and go with it.
    if (emptyRow && !emptyRow->parent())
        delete emptyRow;
}

void CustomDialogInput::updateValueLevel(int full, int empty)
{
    fullValue->setText(QStringLiteral("%1").arg(full));
    fullEdit->setText(QStringLiteral("%1").arg(full));
    emptyValue->setText(QStringLiteral("%1").arg(empty));
    emptyEdit->setText(QStringLiteral("%1").arg(empty));
}

void CustomDialogInput::setFullValue(int val)
{
    fullValue->setText(QString::number(val));
}

void CustomDialogInput::setEmptyValue(int val)
{
    emptyValue->setText(QString::number(val));
}

int CustomDialogInput::getFullValue()
{
    return typedNumber(fullEdit);
}

int CustomDialogInput::getEmptyValue()
{
    return typedNumber(emptyEdit);
}

QString CustomDialogInput::getStringEmptyValue()
{
    return emptyEdit->text();
}

void CustomDialogInput::setTimerUpdateVal(QWidget *parent)
{
    // The dialog is the timer's context: a dialog closed within the 50 ms
    // asks for nothing.
    QPointer<QWidget> target(parent);
    QTimer::singleShot(kRefreshMs, this, [target] {
        if (target)
            QMetaObject::invokeMethod(target, "UpdataValEngMenu");
    });
}

void CustomDialogInput::setVisibleValEmpty()
{
    emptyValue->setText(QString());
}

void CustomDialogInput::setVisibleNameFull(bool visible)
{
    fullName->setVisible(visible);
    fullEdit->setVisible(visible);
    fullValue->setVisible(visible);
}

void CustomDialogInput::setVisibleNameEmpty(bool visible)
{
    emptyName->setVisible(visible);
    emptyEdit->setVisible(visible);
    emptyValue->setVisible(visible);
}

void CustomDialogInput::setNameFull(QString str)
{
    fullName->setText(str);
}

void CustomDialogInput::setNameEmpty(QString str)
{
    emptyName->setText(str);
}

void CustomDialogInput::setInvisibleLayoutEmpty()
{
    if (grid->indexOf(emptyRow) >= 0)
        grid->removeItem(emptyRow);
}

void CustomDialogInput::setValueLevel()
{
    fullValue->setText(fullEdit->text());
    emptyValue->setText(emptyEdit->text());
}
