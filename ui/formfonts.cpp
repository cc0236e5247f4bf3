#include "formfonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QRawFont>

// The bundle is compiled into a static library; naming its initialiser here keeps it linked into every
// program that registers the form's fonts. Registering the same bundle again is a no-op in Qt.
static void initResourceBundle()
{
    Q_INIT_RESOURCE(resources);
}

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

void mapFormFamily(const char *formFamily, const QString &family)
{
    // Qt consults substitutes only when the requested family is missing, so a system that really
    // has the form's font keeps showing it. Inserting the same pair twice changes nothing.
    if (!family.isEmpty())
        QFont::insertSubstitution(QString::fromLatin1(formFamily), family);
}

} // namespace

Families registerFormFonts()
{
    // The font database exists only with a GUI application; without one Qt would abort.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return {};
    initResourceBundle();

    Families families;
    families.title = loadFace(QString::fromLatin1(kTitleFile));
    families.light = loadFace(QString::fromLatin1(kLightFile));
    families.medium = loadFace(QString::fromLatin1(kMediumFile));

    mapFormFamily(kFormTitleFamily, families.title);
    mapFormFamily(kFormLightFamily, families.light);
    mapFormFamily(kFormMediumFamily, families.medium);
    return families;
}

} // namespace formfonts
