#include "platform/MetafilePlayer.h"

#include <QFontMetricsF>
#include <QHash>

#include <algorithm>

namespace {

// Text is shaped at this pixel size and scaled, so every size draws the same glyphs.
constexpr double kReferencePixels = 256;

enum { TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24 };

double length(const QTransform& t, double dx, double dy) {
    const QPointF v = t.map(QPointF(dx, dy)) - t.map(QPointF(0, 0));
    return std::hypot(v.x(), v.y());
}

// The outlines of text in font, in reference pixels on the baseline from x = 0; starts gives
// where each character begins, or is empty to set the text as a whole.
QPainterPath glyphOutlines(const QFont& font, const QString& text,
                           const std::vector<double>& starts) {
    QPainterPath glyphs;
    if (starts.empty()) {
        glyphs.addText(0, 0, font, text);
        return glyphs;
    }
    // Each character is shaped once; repeats reuse its outline. Glyph outlines fill by
    // winding, as text added whole does.
    glyphs.setFillRule(Qt::WindingFill);
    QHash<char16_t, QPainterPath> outlines;
    for (qsizetype i = 0; i < text.size(); ++i) {
        auto outline = outlines.find(text[i].unicode());
        if (outline == outlines.end()) {
            QPainterPath path;
            path.addText(0, 0, font, text.mid(i, 1));
            outline = outlines.insert(text[i].unicode(), path);
        }
        glyphs.addPath(outline->translated(starts[std::size_t(i)], 0));
    }
    return glyphs;
}

} // namespace

void TMetafilePlayer::Text(QPointF p, const QString& text, const std::vector<double>& dx,
                           const QRectF* opaqueBox) {
    if (FInkSuppressed && !FRecording)
        return;
    if (opaqueBox)
        FillRect(*opaqueBox, FDC.BkColor);
    if (text.isEmpty())
        return;
    if (FDC.TextAlign & TA_UPDATECP)
        p = FDC.Position;
    QFont font(FDC.Font.Face);
    font.setPixelSize(int(kReferencePixels));
    // Weight 0 means the normal weight.
    font.setWeight(QFont::Weight(FDC.Font.Weight == 0 ? 400 : qBound(1, FDC.Font.Weight, 1000)));
    font.setItalic(FDC.Font.Italic);
    font.setUnderline(FDC.Font.Underline);
    font.setStrikeOut(FDC.Font.StrikeOut);
    const QFontMetricsF fm(font);
    double em = qAbs(FDC.Font.Height);
    if (FDC.Font.Height > 0)
        em = FDC.Font.Height * kReferencePixels / fm.height();
    if (em == 0)
        em = 12;
    const double unit = em / kReferencePixels; // logical units per reference pixel

    // Where each character starts, in reference pixels on the baseline from x = 0, and
    // where the text ends.
    std::vector<double> starts;
    double x = 0;
    if (dx.empty()) {
        x = fm.horizontalAdvance(text);
    } else {
        starts.reserve(std::size_t(text.size()));
        for (qsizetype i = 0; i < text.size(); ++i) {
            starts.push_back(x);
            x += std::size_t(i) < dx.size() ? dx[std::size_t(i)] / unit
                                            : fm.horizontalAdvance(text[i]);
        }
    }
    const int align = FDC.TextAlign;
    double left = 0, baseline = fm.ascent();
    if ((align & TA_CENTER) == TA_CENTER)
        left = -x / 2;
    else if (align & TA_RIGHT)
        left = -x;
    if ((align & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (align & TA_BOTTOM)
        baseline = -fm.descent();

    // Glyphs keep their upright shape whatever way the mapping turns the axes.
    const QTransform toPainter = LogicalToPainter();
    const QPointF at = toPainter.map(p);
    QTransform place;
    place.translate(at.x(), at.y());
    place.rotate(-double(FDC.Font.Escapement) / 10.0);
    place.scale(unit * length(toPainter, 1, 0), unit * length(toPainter, 0, 1));
    place.translate(left, baseline);
    if (FRecording) {
        FPath.addPath((place * toPainter.inverted()).map(glyphOutlines(font, text, starts)));
    } else {
        FPainter.setWorldTransform(place);
        const QRectF box(0, -fm.ascent(), x, fm.height());
        // Text that lands wholly off the device is not shaped at all. Characters may be
        // placed backwards, so the span runs over every start; a margin of the font's
        // widest glyph and a line's height holds any glyph that reaches out of it.
        const auto [first, last] = std::minmax_element(starts.cbegin(), starts.cend());
        const double from = qMin(0.0, qMin(x, starts.empty() ? 0.0 : *first));
        const double to = qMax(0.0, qMax(x, starts.empty() ? 0.0 : *last));
        const double reach = qMax(fm.height(), fm.maxWidth());
        if (OnDevice(QRectF(from - reach, -fm.ascent() - reach, to - from + 2 * reach,
                            fm.height() + 2 * reach))) {
            if (FDC.BkOpaque)
                FPainter.fillRect(OnDevicePart(box), FDC.BkColor);
            FPainter.fillPath(glyphOutlines(font, text, starts), FDC.TextColor);
        }
    }
    if (align & TA_UPDATECP)
        FDC.Position = QPointF(p.x() + (left + x) * unit, p.y());
}
