#include "calibration/sensortable.h"

#include "calibration/cellnumber.h"
#include "files/textfile.h"

#include <algorithm>

namespace sensortable {

QByteArray csvText(const QList<QStringList> &rows)
{
    QByteArray out;
    for (QStringList row : rows) {
        std::reverse(row.begin(), row.end());
        out += row.join(QStringLiteral(", ")).toLatin1();
        out += "\r\n";
    }
    return out;
}

ParsedCsv parseCsv(const QByteArray &data)
{
    ParsedCsv parsed;
    const QList<QByteArray> lines = textfile::withoutByteOrderMarks(data).split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray line = lines.at(i);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        QStringList fields = QString::fromLatin1(line).split(QLatin1Char(','));
        bool numbers = fields.size() == kColumns;
        for (QString &field : fields) {
            field = field.trimmed();
            numbers = numbers && cells::number(field).has_value();
        }
        if (!numbers) {
            parsed.badLine = i + 1;
            parsed.rows.clear();
            return parsed;
        }
        if (parsed.rows.size() == kRows) {
            parsed.tooManyRows = true;
            parsed.rows.clear();
            return parsed;
        }
        std::reverse(fields.begin(), fields.end());
        parsed.rows.append(fields);
    }
    return parsed;
}

} // namespace sensortable
