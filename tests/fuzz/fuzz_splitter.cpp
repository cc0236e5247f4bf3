// The shared splitter of glued answers and the bounded field readers, with
// the answer lengths of every device family whose intake uses them.
#include "fuzztargets.h"

#include "devices/angle/kv380protocol.h"
#include "devices/fls/flsprotocol.h"
#include "devices/other/wiredtagprotocol.h"
#include "exactframe.h"
#include "link/frame.h"

#include <algorithm>

namespace {

struct Family
{
    const char *name;
    frame::AnswerLengths lengths;
};

const Family kFamilies[] = {
    {"fls", fls::answerLengths},
    {"kv380", kv380::answerLengths},
    {"wiredtag", wiredtag::answerLengths},
};

bool isListedLength(const frame::AnswerLengths &lengths, const QByteArray &answer)
{
    if (answer.size() < 3)
        return false;
    const std::vector<int> listed = lengths(quint8(answer.at(2)));
    return std::find(listed.begin(), listed.end(), answer.size()) != listed.end();
}

void split(const QByteArray &chunk)
{
    const ExactFrame exact(chunk);
    const QByteArray bytes = exact.view();
    for (const Family &family : kFamilies) {
        for (quint8 start : {frame::kAnswerStart, frame::kRequestStart}) {
            const QList<QByteArray> pieces = frame::splitAnswers(bytes, family.lengths, start);
            QByteArray joined;
            for (int i = 0; i < pieces.size(); ++i) {
                const QByteArray &piece = pieces.at(i);
                fuzz::require(!piece.isEmpty(), "splitter: an empty piece");
                joined += piece;
                // Only the last piece may be a rest the page judges itself.
                if (i + 1 < pieces.size())
                    fuzz::require(frame::isValidAnswer(piece, start) && isListedLength(family.lengths, piece),
                                  "splitter: a piece before the last is no whole answer");
            }
            fuzz::require(joined == bytes, "splitter: the pieces do not add up to the chunk");
        }
    }
    // No lengths known: nothing is split off.
    const QList<QByteArray> whole = frame::splitAnswers(bytes, {});
    fuzz::require(bytes.isEmpty() ? whole.isEmpty() : whole == QList<QByteArray>{bytes},
                  "splitter: a chunk was cut without any answer length");
}

// Field readers at every offset the chunk's own bytes name, the ones past
// either end included.
void readFields(const QByteArray &chunk)
{
    const ExactFrame exact(chunk);
    const QByteArray bytes = exact.view();
    for (int i = 0; i < bytes.size(); ++i) {
        const int offset = qint8(bytes.at(i));
        const bool fits2 = offset >= 0 && offset + 2 <= bytes.size();
        const bool fits4 = offset >= 0 && offset + 4 <= bytes.size();
        fuzz::require(frame::readU8(bytes, offset).has_value() == (offset >= 0 && offset < bytes.size()),
                      "frame: a byte read outside the data");
        fuzz::require(frame::readBe16(bytes, offset).has_value() == fits2,
                      "frame: a 16-bit field read outside the data");
        fuzz::require(frame::readLe16(bytes, offset).has_value() == fits2,
                      "frame: a 16-bit field read outside the data");
        fuzz::require(frame::readBe32(bytes, offset).has_value() == fits4,
                      "frame: a 32-bit field read outside the data");
        fuzz::require(frame::readLe32(bytes, offset).has_value() == fits4,
                      "frame: a 32-bit field read outside the data");
    }
    const quint8 start = bytes.isEmpty() ? 0 : quint8(bytes.at(0));
    fuzz::require(frame::isValidAnswer(frame::withCrc(bytes), start) == (bytes.size() >= 3),
                  "frame: a frame with its own CRC-8 was refused");
}

} // namespace

void fuzz::fuzzSplitter(const QByteArray &input)
{
    split(input);
    split(withCrcAppended(input));
    readFields(input);
}
