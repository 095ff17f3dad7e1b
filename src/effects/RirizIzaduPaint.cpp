// How a RirizIzadu draws itself on the card in surface pixels: shadow, surface (through a
// clip of the body figure), outline.
#include "effects/RirizIzadu.h"
#include "effects/SurfaceTiles.h"
#include "objects/ShapePen.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The pixels a figure covers, as a clip: a rectangle up to its exclusive edges, a polygon
// through the centres of its corner pixels.
QPainterPath clipPath(const TRirizIzadu& o, const TEdges& r) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const QRectF box(r.Left, r.Top, r.Width(), r.Height());
    const double corner = o.CornerSize() / 2.0;
    switch (o.Shape()) {
    case gstRectangle:
        path.addRect(box);
        break;
    case gstRoundRect:
        path.addRoundedRect(box, corner, corner);
        break;
    case gstEllipse:
        path.addEllipse(box);
        break;
    default:
        path.addPolygon(QPolygonF(o.Figure(r)).translated(0.5, 0.5));
        path.closeSubpath();
    }
    return path;
}

// The figure outlined with the painter's pen (of width w) and filled with its brush; the
// stroke runs through the edge pixels as a pen centred on whole pixels does.
void drawFigure(QPainter& p, const TRirizIzadu& o, const TEdges& r, int w) {
    const double off = StrokeOffset(w);
    const QRectF box(r.Left + off, r.Top + off, r.Width() - 1, r.Height() - 1);
    const double corner = o.CornerSize() / 2.0;
    p.setRenderHint(QPainter::Antialiasing, o.Shape() == gstRoundRect || o.Shape() == gstEllipse);
    switch (o.Shape()) {
    case gstRectangle:
        p.drawRect(box);
        break;
    case gstRoundRect:
        p.drawRoundedRect(box, corner, corner);
        break;
    case gstEllipse:
        p.drawEllipse(box);
        break;
    default:
        p.drawPolygon(QPolygonF(o.Figure(r)).translated(off, off), Qt::WindingFill);
    }
}

} // namespace

void TRirizIzadu::Paint(QPainter& canvas) {
    const TShapeRects rects = ShapeRects();
    canvas.save();
    if (ShadowOrient() != soNone) {
        canvas.setPen(ScreenPen(clBlack, psSolid, 1));
        canvas.setBrush(ToQColor(ShadowColor()));
        drawFigure(canvas, *this, rects.Shadow, 1);
    }
    if (FSurfaceType != stBrushTransparent) {
        // Only the part of the object on the card is filled: a box far larger than the card
        // costs what shows of it.
        const QRect shown = ShownArea(*this);
        canvas.save();
        canvas.setClipPath(clipPath(*this, rects.Body), Qt::IntersectClip);
        if (FSurfaceType == stBrushPattern)
            canvas.fillRect(shown, ToQColor(FBackColor));
        else if (FSurfaceType == stBrushImage)
            PaintTiles(canvas, FImage.Image(), QSize(Width(), Height()), shown);
        else
            canvas.drawImage(shown.topLeft(),
                             FShownGradient.Bitmap(QSize(Width(), Height()), shown, FBackColor,
                                                   FGradientToColor, FFillDirection));
        canvas.restore();
    }
    if (OutlineStyle() != psClear) {
        canvas.setPen(ScreenPen(OutlineColor(), OutlineStyle(), OutlineWidth()));
        canvas.setBrush(Qt::NoBrush);
        drawFigure(canvas, *this, rects.Body, OutlineWidth());
    }
    canvas.restore();
}
