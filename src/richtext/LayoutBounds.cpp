#include "richtext/LayoutBounds.h"

#include "richtext/RtfDocument.h"

namespace {

// Far wider than a card box at any usual size; short enough that breaking is cheap.
constexpr int kLongestWord = 2048;
// A card at the highest zoom, filled with the smallest text, shows less than these.
constexpr qsizetype kMostRuns = 2000;       // in one paragraph
constexpr qsizetype kMostParagraphs = 4000; // in the document
constexpr qsizetype kMostCharacters = 256 * 1024;
constexpr QChar kBreak(0x200B);

// Puts a break opportunity into every kLongestWord characters of a word; word counts the
// characters since the last opportunity, carried from run to run.
void breakLongWords(QString& text, int& word) {
    QString broken;
    qsizetype copied = 0; // text before this is in broken
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isSpace() || c == kBreak) {
            word = 0;
            continue;
        }
        if (++word <= kLongestWord || c.isLowSurrogate())
            continue;
        broken += QStringView(text).sliced(copied, i - copied);
        broken += kBreak;
        copied = i;
        word = 1;
    }
    if (copied > 0) {
        broken += QStringView(text).sliced(copied);
        text = broken;
    }
}

// Joins the runs from kMostRuns on into the last kept one.
void boundRuns(TRtfParagraph& p) {
    if (qsizetype(p.Runs.size()) <= kMostRuns)
        return;
    TRtfRun& last = p.Runs[kMostRuns - 1];
    for (auto it = p.Runs.begin() + kMostRuns; it != p.Runs.end(); ++it)
        last.Text += it->Text;
    p.Runs.resize(kMostRuns);
}

// Cuts the paragraph's text to the room left, which it uses up.
void cutText(TRtfParagraph& p, qsizetype& room) {
    for (size_t i = 0; i < p.Runs.size(); ++i) {
        if (room <= 0) {
            p.Runs.resize(i);
            return;
        }
        QString& text = p.Runs[i].Text;
        if (text.size() > room)
            text.truncate(text[room - 1].isHighSurrogate() ? room - 1 : room);
        room -= text.size();
        if (text.isEmpty()) {
            p.Runs.resize(i);
            return;
        }
    }
}

} // namespace

void BoundForLayout(TRtfDocument& document) {
    if (qsizetype(document.Paragraphs.size()) > kMostParagraphs)
        document.Paragraphs.resize(kMostParagraphs);
    qsizetype room = kMostCharacters;
    for (TRtfParagraph& p : document.Paragraphs) {
        cutText(p, room);
        boundRuns(p);
        int word = 0;
        for (TRtfRun& run : p.Runs)
            breakLongWords(run.Text, word);
    }
}
