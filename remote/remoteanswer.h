#ifndef REMOTEANSWER_H
#define REMOTEANSWER_H

#include <QString>
#include <QtGlobal>

// The fuel sensor's answer to a tracker line comes back to the engineer as
// hexadecimal text, pasted into the remote page. These functions turn that
// text into the answer's fields and into the report the page shows. The text
// is read as an answer frame from its first hexadecimal digit on, fields
// little-endian; its CRC-8, start byte and network number are not checked,
// since what was typed or copied by hand is shown for the engineer to judge.
namespace remote {

enum class AnswerVerdict {
    TooShortText,  // nine characters or fewer: there is nothing to decode
    NoAnswerStart, // no "3e" in the text: it is no answer (a generated line, say)
    Incorrect,     // a command byte this page does not know, an odd number of
                   // hexadecimal digits, a text shorter than the command's
                   // answer, or too few decoded bytes for its fields
    Decoded,
};

struct Answer
{
    quint8 command = 0;
    quint8 netNum = 0;
    qint8 temperature = 0;
    qint16 level = 0;
    quint32 current = 0;
    qint32 empty = 0;
    qint32 full = 0;
    quint8 modeCode = 0;
    quint8 filterCode = 0;
    quint32 serial = 0;
    quint16 firmware = 0;
};

struct DecodedAnswer
{
    AnswerVerdict verdict = AnswerVerdict::Incorrect;
    Answer answer; // filled for the answer's command when decoded
};

// Reads pasted text. Characters that are not hexadecimal digits are skipped;
// the "3e" only tells an answer from other text, decoding always starts at the
// first digit. The text must be as long, in characters, as the command's
// answer is written, and the bytes decoded must hold every field shown.
DecodedAnswer decodeAnswer(const QString &text);

// Texts of a mode code (output mode and level range) and of a filter code
// (filter type and level), translated; codes the sensor does not use give the
// "incorrect" texts.
struct CodeTexts
{
    QString first;
    QString second;
};
CodeTexts modeCodeTexts(quint8 code);
CodeTexts filterCodeTexts(quint8 code);

// "В ответе содержится:" and the decoded answer's fields, one a line.
QString answerReport(const Answer &answer);
// Title of the report's box.
QString answerTitle(quint8 command);

} // namespace remote

#endif // REMOTEANSWER_H
