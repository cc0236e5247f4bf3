#include "calibration/myitemdelegateforcell.h"

#include "calibration/cellnumber.h"
#include "ui/refusaltip.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

// One digit alone is a whole value too ("5", "0"): a pattern that only
// allowed it as the beginning of a longer number kept it from being
// committed.
const char *const MyItemDelegateForCell::kPattern = "^([0-9]{1,9}|[0-9]{1,8}[.][0-9])$";

MyItemDelegateForCell::MyItemDelegateForCell(QObject *parent) : QItemDelegate(parent) {}

MyItemDelegateForCell::~MyItemDelegateForCell() = default;

QWidget *MyItemDelegateForCell::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    auto *shape = new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(kPattern)), editor);
    editor->setValidator(shape);
    // The fraction's mark is a point in every language: a comma refused
    // without a word would leave "2,5" standing as 25.
    tellRefusals(editor, shape, tr("Введите число до 999999999, дробную часть одной цифрой после точки"));
    return editor;
}

void MyItemDelegateForCell::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *line = qobject_cast<QLineEdit *>(editor))
        line->setText(cells::text(index.data(Qt::DisplayRole)));
}

void MyItemDelegateForCell::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line || !model)
        return;
    // A text that is no number stores 0, as it always did.
    const std::optional<double> value = cells::number(line->text());
    model->setData(index, cells::numberText(value ? *value : 0.0), Qt::EditRole);
}

void MyItemDelegateForCell::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                                 const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}
