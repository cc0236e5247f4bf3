#include "devices/other/n7celldelegate.h"

#include "devices/other/n7protocol.h"
#include "ui/boundedintvalidator.h"

#include <QLineEdit>

N7CellDelegate::N7CellDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

QWidget *N7CellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    BoundedIntValidator::install(editor, 0, n7::kCellTop);
    return editor;
}

void N7CellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // A cell loaded from a saved file keeps the blank after the separator.
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(index.data(Qt::EditRole).toString().trimmed());
}

void N7CellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line || !model || !line->hasAcceptableInput())
        return;
    model->setData(index, line->text(), Qt::EditRole);
}
