#include "formfonts.h"

#include "resources/bundle.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QRawFont>

namespace formfonts {
namespace {

// A file that holds one weight of a larger family is listed by fontconfig under the family name and
// under "<family> <style>" as well (e.g. "Manrope" and "Manrope Light"). A font of the plain family
// at normal weight would pick whichever weight is nearest, which may be another file of ours or one
// the system has; the longer name holds only this face.
QString exactFamily(const QString &path, const QString &family)
{
    const QString style = QRawFont(path, 12).styleName();
    if (!style.isEmpty()) {
        const QString candidate = family + QLatin1Char(' ') + style;
        if (QFontDatabase().hasFamily(candidate))
            return candidate;
    }
    return family;
}

QString loadFace(const QString &path)
{
    // Qt keeps no record of which files it was given: adding one again would register a second copy
    // of the face. Only successes are remembered, so a failed file is tried again on the next call.
    static QHash<QString, QString> loaded;
    const auto known = loaded.constFind(path);
    if (known != loaded.cend())
        return known.value();

    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0)
        return {};
    const QString family = QFontDatabase::applicationFontFamilies(id).value(0);
    if (family.isEmpty()) {
        QFontDatabase::removeApplicationFont(id);
        return {};
    }
    const QString exact = exactFamily(path, family);
    loaded.insert(path, exact);
    return exact;
}

// Returns whether the pair is new. Qt consults substitutes only when the requested family is missing,
// so a system that really has the form's font keeps showing it.
bool mapFormFamily(const char *formFamily, const QString &family)
{
    if (family.isEmpty())
        return false;
    const QString name = QString::fromLatin1(formFamily);
    if (QFont::substitutes(name).contains(family, Qt::CaseInsensitive))
        return false;
    QFont::insertSubstitution(name, family);
    return true;
}

// Fonts resolved before a substitution existed keep the fallback face in Qt's font caches, and adding
// an application font does not drop those caches once the database is populated; removing one does.
// So a throwaway copy of a bundled file is added and removed again.
void dropCachedFonts(const QString &path)
{
    const int id = QFontDatabase::addApplicationFont(path);
    if (id >= 0)
        QFontDatabase::removeApplicationFont(id);
}

} // namespace

Families registerFormFonts()
{
    // The font database exists only with a GUI application; without one Qt would abort.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return {};
    initResourceBundle();

    struct Face
    {
        const char *file;
        const char *formFamily;
        QString Families::*family;
    };
    // Title face first, as the main window registers them.
    const Face faces[] = {{kTitleFile, kFormTitleFamily, &Families::title},
                          {kLightFile, kFormLightFamily, &Families::light},
                          {kMediumFile, kFormMediumFamily, &Families::medium}};

    Families families;
    QString anyLoadedFile;
    bool mapped = false;
    for (const Face &face : faces) {
        const QString path = QString::fromLatin1(face.file);
        const QString family = loadFace(path);
        families.*face.family = family;
        if (family.isEmpty())
            continue;
        anyLoadedFile = path;
        mapped |= mapFormFamily(face.formFamily, family);
    }
    if (mapped)
        dropCachedFonts(anyLoadedFile);
    return families;
}

} // namespace formfonts
