#include "ui/dynamicqdialog.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

DynamicQDialog::DynamicQDialog(QWidget *parent, const QString &upperText, const QString &lowerText, bool withCancel)
    : QDialog(parent)
{
    buildContent(this, upperText, lowerText, withCancel, true, btnOk, btnCancel);
    setObjectName("modalDialog");
    setStyleSheet("QDialog {font-size:10px;}");
}

void DynamicQDialog::tell(QWidget *parent, const QString &upperText, const QString &lowerText)
{
    DynamicQDialog message(parent, upperText, lowerText, false);
    message.resize(kMessageWidth, kMessageHeight);
    message.exec();
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
    // Keeps the layout from imposing a minimum: the size a caller sets is shown.
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
