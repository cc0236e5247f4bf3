#ifndef MYITEMDELEGATEFORCELL_H
#define MYITEMDELEGATEFORCELL_H

#include <QItemDelegate>

// Edits the cells of the calibration tables: a one-line editor that admits
// only unsigned numbers of up to nine digits, or up to eight digits with a
// point and one more digit. The cell keeps the number as plain decimal text,
// so every reader of the table takes back exactly what was typed.
class MyItemDelegateForCell : public QItemDelegate
{
    Q_OBJECT
public:
    explicit MyItemDelegateForCell(QObject *parent = nullptr);
    ~MyItemDelegateForCell() override;

    // The shape the editor admits, complete values only.
    static const char *const kPattern;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
};

#endif // MYITEMDELEGATEFORCELL_H
