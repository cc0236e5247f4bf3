// Remote answer decoder: text pasted by the engineer, read as typed and as the
// hexadecimal a tracker reports, through the decoder, the report it builds and
// the main window's decode button.
#include "fuzztargets.h"

#include "app/reriruvozive.h"
#include "deruvivuriri_form.h"
#include "remote/remoteanswer.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

remote::DecodedAnswer decode(const QString &text)
{
    const remote::DecodedAnswer decoded = remote::decodeAnswer(text);
    if (decoded.verdict == remote::AnswerVerdict::Decoded) {
        fuzz::require(!remote::answerReport(decoded.answer).isEmpty(), "remote: a decoded answer gave no report");
        remote::answerTitle(decoded.answer.command);
        remote::modeCodeTexts(decoded.answer.modeCode);
        remote::filterCodeTexts(decoded.answer.filterCode);
    }
    return decoded;
}

// Bytes as a tracker reports a frame: two hexadecimal digits each.
void decodeReported(const QByteArray &bytes)
{
    const remote::DecodedAnswer decoded = decode(QString::fromLatin1(bytes.toHex(' ')));
    if (decoded.verdict == remote::AnswerVerdict::Decoded)
        fuzz::require(bytes.size() > 2 && decoded.answer.command == quint8(bytes.at(2)),
                      "remote: the command was read from the wrong place");
}

// The main window, built once; the decode button reads its answer field.
struct RemotePage
{
    Reriruvozive window;
    Ui_Deruvivuriri *ui = window.form();

    RemotePage()
    {
        // Nothing the window does on its own may interleave with the inputs.
        fuzz::stopTimers(&window);
    }

    void take(const QString &text)
    {
        ui->lineEditGenRemoteControl->setText(text);
        ui->pushButtonReadRC->click();
        fuzz::settle();
    }
};

} // namespace

void fuzz::fuzzRemote(const QByteArray &input)
{
    const QString typed = QString::fromUtf8(input);
    decode(typed);
    decode(QString::fromLatin1(input));
    decodeReported(input);
    decodeReported(withCrcAppended(input));

    // The button shows its verdict in a message box for almost every text.
    if (sampled(input, 8))
        kept<RemotePage>().take(typed);
}
