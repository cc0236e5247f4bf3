#include "ui/dynamicdialogble.h"

#include "ui/dynamicqdialog.h"

#include <QPushButton>

DynamicDialogBLE::DynamicDialogBLE(QWidget *parent, const QString &upperText, const QString &lowerText, bool withCancel)
    : QDialog(parent)
{
    DynamicQDialog::buildContent(this, upperText, lowerText, withCancel, false, btnOk, btnCancel);
}

DynamicDialogBLE::~DynamicDialogBLE() = default;

void DynamicDialogBLE::SetTextBtnOk(QString text)
{
    btnOk->setText(text);
}

void DynamicDialogBLE::SetTextBtnCncl(QString text)
{
    if (btnCancel)
        btnCancel->setText(text);
}
