#ifndef N7CELLDELEGATE_H
#define N7CELLDELEGATE_H

#include <QStyledItemDelegate>

// Edits a cell of the indicator's table. The editor takes only the whole
// numbers a table value can be, so what the indicator cannot hold (a sign, a
// fraction, a number above 16 bits) is never typed into the table; an editor
// left empty keeps the cell as it was.
class N7CellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit N7CellDelegate(QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};

#endif // N7CELLDELEGATE_H
