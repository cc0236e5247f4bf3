#include "calibration/textfile.h"

namespace textfile {

QByteArray withoutByteOrderMarks(const QByteArray &data)
{
    static const QByteArray kMark = QByteArrayLiteral("\xEF\xBB\xBF");
    int start = 0;
    while (QByteArray::fromRawData(data.constData() + start, data.size() - start).startsWith(kMark))
        start += kMark.size();
    return start == 0 ? data : data.mid(start);
}

} // namespace textfile
