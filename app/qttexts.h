#ifndef QTTEXTS_H
#define QTTEXTS_H

#include <QString>

class QTranslator;

// Qt's own texts (the standard buttons of its message boxes, its file dialog
// and the boxes that dialog shows itself, "File not found" among them) in
// the language of the window, from the translations Qt ships.
namespace qttexts {

// The language of Qt's texts for a value of the "language" setting: the
// window shows its Russian source texts for any value it has no file for,
// and Qt's texts follow it. Empty for English, Qt's own language.
QString languageFor(const QString &setting);

// Loads into `translator` Qt's texts for the setting, from Qt's translations
// folder or the program's own "translations" folder beside it. True when they
// were loaded or none are needed; false, with `translator` left empty, when
// the files are missing or unreadable: Qt's texts then stay English.
bool load(QTranslator &translator, const QString &setting);

} // namespace qttexts

#endif // QTTEXTS_H
