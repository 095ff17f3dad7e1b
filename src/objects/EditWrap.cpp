#include "objects/EditWrap.h"

namespace {

// How many characters from pos fit in the width (at least one, so that wrapping advances).
// Widths grow with every character: a window of characters that no longer fits is found by
// doubling, then the count inside it by halving, so that a line costs about what it holds
// however long the text goes on after it.
int fittingChars(const QString& text, int pos, const QFontMetrics& metrics, int width) {
    const int rest = int(text.size()) - pos;
    int lo = 0, hi = rest;
    for (int window = 64; window < rest; window *= 2) {
        if (metrics.horizontalAdvance(text.mid(pos, window)) > width) {
            hi = window - 1;
            break;
        }
        lo = window;
    }
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (metrics.horizontalAdvance(text.mid(pos, mid)) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return qMax(lo, 1);
}

void wrapParagraph(const QString& text, const QFontMetrics& metrics, int width, QStringList& out,
                   qsizetype maxLines) {
    int pos = 0;
    bool first = true;
    while ((pos < text.size() || first) && (maxLines < 0 || out.size() < maxLines)) {
        first = false;
        const int n = fittingChars(text, pos, metrics, width);
        if (pos + n >= text.size() && metrics.horizontalAdvance(text.mid(pos)) <= width) {
            out << text.mid(pos);
            return;
        }
        // A blank right after the fitting part, or the last one inside it, is the break,
        // provided a word stands before it.
        int firstWord = pos;
        while (firstWord < pos + n && firstWord < text.size() && text[firstWord].isSpace())
            ++firstWord;
        int cut = -1;
        for (int k = pos + n; k > firstWord; --k)
            if (k < text.size() && text[k] == ' ') {
                cut = k;
                break;
            }
        if (cut < 0) {
            out << text.mid(pos, n);
            pos += n;
            continue;
        }
        int end = cut;
        while (end > pos && text[end - 1] == ' ')
            --end;
        out << text.mid(pos, end - pos);
        pos = cut;
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
    }
}

} // namespace

QStringList WrapLikeEdit(const QStringList& lines, const QFontMetrics& metrics, int width,
                         qsizetype maxLines) {
    QStringList out;
    for (const QString& line : lines) {
        if (maxLines >= 0 && out.size() >= maxLines)
            break;
        wrapParagraph(line, metrics, width, out, maxLines);
    }
    return out;
}
