#ifndef FORMFONTS_H
#define FORMFONTS_H

#include <QString>

namespace formfonts {

// Font files of the resource bundle and the family names the form asks for.
inline constexpr char kLightFile[] = ":/font/FTN35.OTF";
inline constexpr char kTitleFile[] = ":/font/6445.ttf";
inline constexpr char kMediumFile[] = ":/font/medium.ttf";

inline constexpr char kFormLightFamily[] = "Futura PT Light";
inline constexpr char kFormTitleFamily[] = "BankGothic RUSS";
inline constexpr char kFormMediumFamily[] = "Futura PT Medium";

// The family names that select exactly the bundled faces; empty where a file did not load.
struct Families
{
    QString light;  // stands in for "Futura PT Light"
    QString title;  // stands in for "BankGothic RUSS"
    QString medium; // stands in for "Futura PT Medium"
};

// Adds the bundled fonts to the application font database and maps the form's family names onto
// them, so the form keeps its names and shows the free faces. Needs a QGuiApplication. Call it
// from the GUI thread; calling it again registers nothing twice and only retries files that failed.
Families registerFormFonts();

} // namespace formfonts

#endif // FORMFONTS_H
