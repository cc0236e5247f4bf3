#include "ui/dynamicqdialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

DynamicQDialog::DynamicQDialog(QWidget *parent, const QString &upperText, const QString &lowerText, bool withCancel)
    : QDialog(parent)
{
    auto *grid = new QGridLayout;
    auto *texts = new QVBoxLayout;
    auto *upper = new QLabel;
    auto *lower = new QLabel;
    auto *spacing = new QFrame;
    upper->setWordWrap(true);
    lower->setWordWrap(true);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    lower->setText(lowerText);
    upper->setText(upperText);
    upper->setObjectName("textDialog");
    lower->setObjectName("textDialog");
    texts->addWidget(upper);
    texts->addWidget(spacing);
    texts->addWidget(lower);
    grid->addLayout(texts, 0, 0);

    auto *buttons = new QHBoxLayout;
    btnOk = new QPushButton(tr("OK"));
    btnOk->setCursor(Qt::PointingHandCursor);
    btnOk->setObjectName("btnDialog");
    if (withCancel) {
        btnCancel = new QPushButton(tr("Отмена"));
        btnCancel->setCursor(Qt::PointingHandCursor);
        btnCancel->setObjectName("btnDialog");
        connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
        buttons->addWidget(btnCancel);
    }
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(btnOk);
    grid->addLayout(buttons, 1, 0, Qt::AlignRight | Qt::AlignBottom);

    setLayout(grid);
    // Keeps the layout from imposing a minimum: the size a caller sets is shown.
    setMinimumHeight(1);
    setMinimumWidth(1);
    setObjectName("modalDialog");
    setStyleSheet("QDialog {font-size:10px;}");
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
