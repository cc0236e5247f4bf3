#include "app/updatecheck.h"

#include <QStringList>

namespace updatecheck {

namespace {

constexpr int kVersionParts = 4;
// A body this short cannot hold "d.d.d.d" and a line end; the server sends
// nothing so short unless something went wrong on its side.
constexpr int kShortestBody = 7;

} // namespace

bool isUnencoded(const QByteArray &contentEncoding)
{
    const QByteArray coding = contentEncoding.trimmed().toLower();
    return coding.isEmpty() || coding == "identity";
}

QString host()
{
    const QString fromEnvironment = qEnvironmentVariable("RERIRUVOZIVE_UPDATE_HOST").trimmed();
    return fromEnvironment.isEmpty() ? QString::fromLatin1(kDefaultHost) : fromEnvironment;
}

QUrl versionFileUrl()
{
    return QUrl(QStringLiteral("http://") + host() + QLatin1String(kVersionFilePath), QUrl::TolerantMode);
}

QUrl archiveUrl()
{
    return QUrl(QStringLiteral("https://") + host() + QLatin1String(kArchivePath), QUrl::TolerantMode);
}

QString programVersion()
{
#ifdef RERIRUVOZIVE_VERSION
    return QStringLiteral(RERIRUVOZIVE_VERSION);
#else
    return QStringLiteral("1.0.2.38");
#endif
}

QVector<int> parseVersion(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != kVersionParts)
        return {};
    QVector<int> numbers;
    for (const QString &part : parts) {
        // Digits only: toInt would also take signs and blanks.
        if (part.isEmpty() || part.size() > 9)
            return {};
        for (const QChar c : part) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return {};
        }
        numbers << part.toInt();
    }
    return numbers;
}

QVector<int> parseVersionFile(const QByteArray &body)
{
    if (body.size() < kShortestBody)
        return {};
    // The version is the first word; a zero byte ends the text like a blank.
    QByteArray text = body.left(body.indexOf('\0') < 0 ? body.size() : body.indexOf('\0'));
    text = text.trimmed();
    int end = 0;
    while (end < text.size() && !QChar::isSpace(uchar(text.at(end))))
        ++end;
    return parseVersion(QString::fromLatin1(text.left(end)));
}

int compareVersions(const QVector<int> &a, const QVector<int> &b)
{
    const int n = qMax(a.size(), b.size());
    for (int i = 0; i < n; ++i) {
        const int x = i < a.size() ? a.at(i) : 0;
        const int y = i < b.size() ? b.at(i) : 0;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

} // namespace updatecheck
