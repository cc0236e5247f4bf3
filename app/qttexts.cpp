#include "app/qttexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace qttexts {

QString languageFor(const QString &setting)
{
    if (setting == QLatin1String("en"))
        return QString();
    if (setting == QLatin1String("esp"))
        return QStringLiteral("es");
    return QStringLiteral("ru");
}

bool load(QTranslator &translator, const QString &setting)
{
    // Loading nothing empties a translator that held another language.
    translator.load(QString());
    const QString language = languageFor(setting);
    if (language.isEmpty())
        return true;
    const QString file = QStringLiteral("qtbase_") + language;
    const QStringList folders{QLibraryInfo::location(QLibraryInfo::TranslationsPath),
                              QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
    for (const QString &folder : folders) {
        if (translator.load(file, folder))
            return true;
    }
    return false;
}

} // namespace qttexts
