#include "effects/DiduzOvoz.h"

#include "effects/GradientFill.h"
#include "effects/SurfaceTiles.h"
#include "objects/ShownText.h"
#include "objects/ZoomedFont.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextBoundaryFinder>

#include <cmath>

namespace {

// Sets a flag for the life of a scope, also when an exception leaves it.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
};

} // namespace

QFont TGDiduzOvoz::CanvasFont() const {
    return FontAt(Zoom());
}

QFont TGDiduzOvoz::FontAt(float zoom) const {
    TFont f = ZoomedFont(FFont, zoom);
    f.Name = ResolveSymbolText(FFont.Name, FCaption).FontName;
    return f.ToQFont(1.0);
}

void TGDiduzOvoz::MeasureText() {
    if (!FNeedsMeasure || FMeasuring)
        return;
    // Both flags end cleared, also when measuring fails.
    struct TDone {
        TGDiduzOvoz& O;
        ~TDone() { O.FNeedsMeasure = O.FMeasuring = false; }
    } done{*this};
    FMeasuring = true;
    // The box the design keeps is the one fitted at 100 %; the shown box then fits the text
    // at the zoom.
    if (Zoom() != 1.0f)
        AtDesignZoom([this] { MeasureAndFit(); });
    MeasureAndFit();
}

void TGDiduzOvoz::MeasureAndFit() {
    const QFontMetrics m(CanvasFont());
    const QString text = ResolveSymbolText(FFont.Name, FCaption).Text;
    const int th = m.ascent() + m.descent();
    const int dx = FShadowOffset.x(), dy = FShadowOffset.y();
    FMargin = {dx < 0 ? -dx : 0, dy < 0 ? -dy : 0};
    const int mx = FMargin.x(), my = FMargin.y();
    const int h = std::abs(dy) + th;
    if (Width() <= 5)
        SetWidth(m.horizontalAdvance(text + QLatin1Char(' ')));
    // A transparent borderless object shrinks to its text.
    if (Height() > 1.2 * h && FControlTransparent && FBorderStyle == bsNone)
        SetHeight(int(1.2 * h));
    if (Height() < h)
        SetHeight(h);
    FTextRect = {mx + 5, my, Width(), th + my};
    FShadowRect = FTextRect.Moved(dx, dy);
    FTextOrigin = {mx + 5, my};
    FShadowOrigin = {mx + 5 + dx, my + dy};
}

bool TGDiduzOvoz::FitToText() {
    // The extent is taken with the font at its own size, whatever the zoom.
    const QFontMetrics m(FontAt(1.0f));
    const QString text = ResolveSymbolText(FFont.Name, FCaption).Text;
    const int cx = m.horizontalAdvance(text), cy = m.ascent() + m.descent();
    MeasureText();
    const int x0 = TextLeft();
    const int y0 = std::max(FTextRect.Top, FShadowRect.Top);
    SetBounds(Left(), Top(), int(x0 + 1.2 * cx), int(1.2 * (y0 + cy)));
    if (Height() < cy)
        SetHeight(int(1.5 * cy));
    if (Width() < cx)
        SetWidth(int(1.5 * cx));
    return Height() >= cy && Width() >= cx;
}

QString TGDiduzOvoz::VisibleCaption() const {
    const QFontMetrics m(CanvasFont());
    const int room = Width() - TextLeft();
    // Only the characters the box can hold are looked at, however long the caption.
    const QString text =
        ShownPart(m, ResolveSymbolText(FFont.Name, MergedText(FCaption)).Text, room);
    if (m.horizontalAdvance(text) <= room)
        return text;
    // The longest run of whole characters from the left that fits; found by halving, so
    // that a very long caption costs few measurements.
    std::vector<int> ends{0};
    QTextBoundaryFinder chars(QTextBoundaryFinder::Grapheme, text);
    while (chars.toNextBoundary() > 0)
        ends.push_back(int(chars.position()));
    size_t lo = 0, hi = ends.size() - 1; // ends[lo] fits, ends[hi] does not
    while (hi - lo > 1) {
        const size_t mid = (lo + hi) / 2;
        if (m.horizontalAdvance(text.left(ends[mid])) <= room)
            lo = mid;
        else
            hi = mid;
    }
    return text.left(ends[lo]);
}

QPainterPath TGDiduzOvoz::GlyphPath(const QString& text, QPoint origin) const {
    const QFont font = CanvasFont();
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addText(QPointF(origin.x(), origin.y() + QFontMetrics(font).ascent()), font, text);
    return path;
}

void TGDiduzOvoz::Paint(QPainter& canvas) {
    if (FPainting)
        return;
    const TFlagGuard painting(FPainting);
    if (Width() < 5 || Height() < 5)
        FNeedsMeasure = true;
    MeasureText();
    const QRect client(0, 0, Width(), Height());
    if (!FControlTransparent || FBorderStyle == bsSingle) {
        if (!FControlTransparent)
            canvas.fillRect(client, ToQColor(FBGColor));
        if (FBorderStyle == bsSingle) {
            canvas.save();
            canvas.setPen(QPen(Qt::black, 1));
            canvas.setBrush(Qt::NoBrush);
            canvas.drawRect(client.adjusted(0, 0, -1, -1));
            canvas.restore();
        }
    }
    const QString s = VisibleCaption();
    if (!s.isEmpty()) {
        canvas.save();
        if (HasShadow()) {
            canvas.setClipPath(GlyphPath(s, FShadowOrigin), Qt::IntersectClip);
            canvas.fillRect(client, ToQColor(FShadowcolor));
            canvas.restore();
            canvas.save();
        }
        if (FSurfaceType != stBrushPattern) {
            canvas.setClipPath(GlyphPath(s, FTextOrigin), Qt::IntersectClip);
            if (FSurfaceType == stBrushTransparent)
                canvas.fillRect(client, ToQColor(FFont.Color));
            else if (FSurfaceType == stBrushImage)
                PaintTiles(canvas, FImage.Image(), client.size(), ShownArea(*this));
            else {
                const QImage& gradient = GradientBitmap();
                canvas.drawImage(FGradient.Origin(), gradient);
            }
            canvas.restore();
            canvas.save();
        }
        if (HasOutline()) {
            canvas.setRenderHint(QPainter::Antialiasing);
            QPen pen(ToQColor(FOutlineColor), FOutlineWidth, ToQtPenStyle(FOutlineStyle));
            canvas.strokePath(GlyphPath(s, FTextOrigin), pen);
        }
        canvas.restore();
    }
}

const QImage& TGDiduzOvoz::GradientBitmap() const {
    return FGradient.Bitmap(QSize(Width(), Height()), ShownArea(*this), FGradientFromColor,
                            FGradientToColor, TFillDirection(FFillDirection));
}
