#include "calibration/cellnumber.h"

#include <QRegularExpression>
#include <QStandardItem>

#include <cmath>
#include <limits>

namespace cells {

namespace {

const QRegularExpression kNumber(QStringLiteral("^[0-9]+(\\.[0-9]+)?([eE][+-]?[0-9]{1,3})?$"));

} // namespace

std::optional<double> number(const QString &text)
{
    const QString t = text.trimmed();
    if (!kNumber.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0.0 || value > kLargest)
        return std::nullopt;
    return value;
}

QString numberText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    const double whole = std::round(value);
    if (std::fabs(value - whole) < 1e-6)
        return QString::number(static_cast<qlonglong>(whole));
    QString out = QString::number(value, 'f', 6);
    while (out.endsWith(QLatin1Char('0')))
        out.chop(1);
    if (out.endsWith(QLatin1Char('.')))
        out.chop(1);
    return out;
}

QString text(const QVariant &value)
{
    switch (static_cast<QMetaType::Type>(value.type())) {
    case QMetaType::Float:
    case QMetaType::Double:
        return numberText(value.toDouble());
    default:
        return value.toString().trimmed();
    }
}

std::optional<quint16> wholeWord(const QString &text)
{
    const std::optional<double> value = number(text);
    if (!value || *value != std::floor(*value) || *value > std::numeric_limits<quint16>::max())
        return std::nullopt;
    return static_cast<quint16>(*value);
}

QStandardItem *centredItem(const QString &text)
{
    auto *item = new QStandardItem(text);
    item->setData(int(Qt::AlignHCenter | Qt::AlignVCenter), Qt::TextAlignmentRole);
    return item;
}

} // namespace cells
