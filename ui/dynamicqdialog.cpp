#include "ui/dynamicqdialog.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

DynamicQDialog::DynamicQDialog(QWidget *parent, const QString &upperText, const QString &lowerText, bool withCancel)
    : QDialog(parent)
{
    buildContent(this, upperText, lowerText, withCancel, true, btnOk, btnCancel);
    setObjectName("modalDialog");
    setStyleSheet("QDialog {font-size:10px;}");
    // The theme's fonts and paddings count in the size, so they are applied
    // before it is taken. A caller that still resizes the box overrides it.
    ensurePolished();
    resize(sizeForTexts());
}

void DynamicQDialog::tell(QWidget *parent, const QString &upperText, const QString &lowerText)
{
    DynamicQDialog message(parent, upperText, lowerText, false);
    message.exec();
}

int DynamicQDialog::run(DynamicQDialog *dialog)
{
    QPointer<DynamicQDialog> guard(dialog);
    const int result = dialog->exec();
    if (guard)
        guard->deleteLater();
    return result;
}

bool DynamicQDialog::ask(QWidget *parent, const QString &upperText, const QString &lowerText, const QString &okText,
                         const QString &cancelText)
{
    auto *dialog = new DynamicQDialog(parent, upperText, lowerText, true);
    if (!okText.isEmpty())
        dialog->SetTextBtnOk(okText);
    if (!cancelText.isEmpty())
        dialog->SetTextBtnCncl(cancelText);
    return run(dialog) == QDialog::Accepted;
}

int DynamicQDialog::naturalWidth(const QLabel *label)
{
    if (label->text().isEmpty())
        return 0;
    const QMargins margins = label->contentsMargins();
    return label->fontMetrics().size(Qt::TextExpandTabs, label->text()).width() + margins.left() + margins.right() +
           2 * label->margin() + qMax(label->indent(), 0);
}

QSize DynamicQDialog::sizeForTexts() const
{
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, kMessageWidth, kMessageHeight);
    // A message as wide as the screen is hard to read; past two thirds of it
    // the lines wrap and the box grows taller instead. Only a word that cannot
    // wrap (a file path) widens it further, up to the screen's width.
    const int readable = qMax(kMessageWidth, available.width() * 2 / 3);
    const int widest = qMax(kMessageWidth, available.width());
    const int tallest = qMax(kMessageHeight, available.height());

    QLayout *grid = layout();
    if (!grid)
        return QSize(kMessageWidth, kMessageHeight);
    // The widest line with the layout's margins around it, and what the
    // layout cannot do without: the buttons side by side, the longest word.
    const QMargins margins = grid->contentsMargins();
    int textWidth = 0;
    for (const QLabel *label : findChildren<QLabel *>())
        textWidth = qMax(textWidth, naturalWidth(label));
    const int lines = qMin(textWidth + margins.left() + margins.right(), readable);
    const int width = qBound(kMessageWidth, qMax(lines, grid->totalMinimumSize().width()), widest);
    const int height = grid->hasHeightForWidth() ? grid->totalHeightForWidth(width) : grid->totalSizeHint().height();
    return QSize(width, qBound(kMessageHeight, height, tallest));
}

void DynamicQDialog::buildContent(QDialog *dialog, const QString &upperText, const QString &lowerText, bool withCancel,
                                  bool ownLook, QPushButton *&ok, QPushButton *&cancel)
{
    auto *grid = new QGridLayout;
    auto *texts = new QVBoxLayout;
    auto *upper = new QLabel;
    auto *lower = new QLabel;
    auto *spacing = new QFrame;
    upper->setWordWrap(ownLook);
    lower->setWordWrap(ownLook);
    dialog->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    lower->setText(lowerText);
    upper->setText(upperText);
    if (ownLook) {
        upper->setObjectName("textDialog");
        lower->setObjectName("textDialog");
    }
    texts->addWidget(upper);
    texts->addWidget(spacing);
    texts->addWidget(lower);
    grid->addLayout(texts, 0, 0);

    // Both message boxes share their captions and so their translations.
    const auto caption = [](const char *text) { return QCoreApplication::translate("DynamicQDialog", text); };
    const auto dress = [ownLook](QPushButton *button) {
        button->setCursor(Qt::PointingHandCursor);
        if (ownLook)
            button->setObjectName("btnDialog");
        else
            button->setStyleSheet(
                "QPushButton {min-width: 118px;min-height: 36px;border-style: solid;border-radius: 4px;}");
    };
    auto *buttons = new QHBoxLayout;
    ok = new QPushButton(caption(QT_TRANSLATE_NOOP("DynamicQDialog", "OK")));
    dress(ok);
    cancel = nullptr;
    if (withCancel) {
        cancel = new QPushButton(caption(QT_TRANSLATE_NOOP("DynamicQDialog", "Отмена")));
        dress(cancel);
        connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
        buttons->addWidget(cancel);
    }
    connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    buttons->addWidget(ok);
    grid->addLayout(buttons, 1, 0, Qt::AlignRight | Qt::AlignBottom);

    dialog->setLayout(grid);
    // Keeps the layout from imposing a minimum: the size chosen for the texts
    // (or one a caller sets) is the size shown.
    dialog->setMinimumHeight(1);
    dialog->setMinimumWidth(1);
}

DynamicQDialog::~DynamicQDialog() = default;

void DynamicQDialog::SetTextBtnOk(QString text)
{
    btnOk->setText(text);
}

void DynamicQDialog::SetTextBtnCncl(QString text)
{
    if (btnCancel)
        btnCancel->setText(text);
}
