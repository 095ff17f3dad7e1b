#include "objects/EditWrap.h"

namespace {

// How many characters from pos fit in the width (at least one, so that wrapping advances).
// Widths grow with every character, so the count is found by halving.
int fittingChars(const QString& text, int pos, const QFontMetrics& metrics, int width) {
    int lo = 0, hi = int(text.size()) - pos;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (metrics.horizontalAdvance(text.mid(pos, mid)) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return qMax(lo, 1);
}

void wrapParagraph(const QString& text, const QFontMetrics& metrics, int width, QStringList& out) {
    int pos = 0;
    bool first = true;
    while (pos < text.size() || first) {
        first = false;
        const QString rest = text.mid(pos);
        if (metrics.horizontalAdvance(rest) <= width) {
            out << rest;
            return;
        }
        const int n = fittingChars(text, pos, metrics, width);
        // A blank right after the fitting part, or the last one inside it, is the break,
        // provided a word stands before it.
        int cut = -1;
        for (int k = pos + n; k > pos; --k)
            if (k < text.size() && text[k] == ' ' && !text.mid(pos, k - pos).trimmed().isEmpty()) {
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

QStringList WrapLikeEdit(const QStringList& lines, const QFontMetrics& metrics, int width) {
    QStringList out;
    for (const QString& line : lines)
        wrapParagraph(line, metrics, width, out);
    return out;
}
