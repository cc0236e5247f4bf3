#ifndef HELPTEXTS_H
#define HELPTEXTS_H

#include <QString>
#include <QStringList>

// The texts that explain the main window's controls: the help panel's text for
// the widget under the pointer and the pop-up texts of the question-mark labels
// and level fault icons. Keys are object names; every text comes back
// translated in the main window's context, like the rest of the interface.
namespace helptexts {

constexpr char kContext[] = "Reriruvozive";

// Level words a fuel sensor reports instead of a level.
constexpr int kTubeBreak = 6500;
constexpr int kShortCircuit = 7000;

// The help panel's text for the form widget of that object name; a null string
// for a widget the panel has nothing to say about.
QString panelText(const QString &objectName);

// The pop-up text of one of the form's question-mark labels ("labelQuestionPict",
// "labelQuestionPict_2", ...); a null string for any other name.
QString questionMarkText(const QString &objectName);

// The pop-up text of one of the question-mark labels the online device page
// places beside its fields ("online_gps", ...); a null string for any other name.
QString onlineQuestionMarkText(const QString &objectName);

// The pop-up text of a level fault icon while its page reports this level
// word; a null string unless the word is a tube break or a short circuit.
QString levelFaultText(int levelWord);

// The object names that have texts, each list in the order the texts are tried.
QStringList panelWidgetNames();
QStringList questionMarkNames();
QStringList onlineQuestionMarkNames();

// Rows of 30 pixels a pop-up gets for a text of this many characters: one row
// per 25 characters, four rows fewer for long texts, whose lines run fuller.
int popUpRows(int characters);
constexpr int kPopUpRowHeight = 30;
constexpr int kPopUpWidth = 200;

} // namespace helptexts

#endif // HELPTEXTS_H
