#include "objects/ShownText.h"

#include <QFontMetrics>

namespace {

// Texts up to this many characters are measured whole, as they always were.
constexpr qsizetype kMeasuredWhole = 256;

// n characters of the text from the part, widened so that no surrogate pair is split.
QString run(const QString& text, qsizetype n, TShownEnd end) {
    qsizetype from = 0;
    if (end == TShownEnd::End)
        from = text.size() - n;
    else if (end == TShownEnd::Middle)
        from = (text.size() - n) / 2;
    qsizetype to = from + n;
    if (from > 0 && text[from].isLowSurrogate())
        --from;
    if (to < text.size() && text[to].isLowSurrogate())
        ++to;
    return text.mid(from, to - from);
}

} // namespace

QString ShownPart(const QFontMetrics& metrics, const QString& text, int room, TShownEnd end) {
    if (text.size() <= kMeasuredWhole)
        return text;
    for (qsizetype n = kMeasuredWhole / 2; n < text.size(); n *= 2) {
        QString part = run(text, n, end);
        if (metrics.horizontalAdvance(part) > room)
            return part;
    }
    return text;
}
