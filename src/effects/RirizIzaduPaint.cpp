// How a RirizIzadu draws itself: on the card in surface pixels, and on paper through the
// report canvas in inches and device points. Both draw three layers: shadow, surface
// (through a clip of the body figure), outline.
#include "effects/GradientFill.h"
#include "effects/RirizIzadu.h"
#include "effects/SurfaceTiles.h"
#include "objects/ShapePen.h"
#include "report/ReportCanvas.h"

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

// Where the object lies on the page while it prints.
struct TPrintPlacement {
    const TRirizIzadu& Object;
    double X, Y;  // the card's corner, inches
    float Sx, Sy; // device pixels per screen pixel
    int Ox, Oy;   // the device origin's offset, device pixels
    int Px0, Py0; // the card's corner, device pixels from the sheet's corner

    TInchRect Inches(const TEdges& r) const {
        const double p = ScreenPixelsPerInch;
        return {(r.Left + Object.Left()) / p + X, (r.Top + Object.Top()) / p + Y,
                (r.Right + Object.Left()) / p + X, (r.Bottom + Object.Top()) / p + Y};
    }
    QPolygon Device(const QPolygon& points) const {
        QPolygon device;
        for (const QPoint& pt : points)
            device << QPoint(int((Object.Left() + pt.x()) * Sx) + Px0 - Ox,
                             int((Object.Top() + pt.y()) * Sy) + Py0 - Oy);
        return device;
    }
    // The object's own rectangle in device pixels from the sheet's corner.
    QRect ObjectRect() const {
        const int left = int(Object.Left() * Sx) + Px0, top = int(Object.Top() * Sy) + Py0;
        return QRect(left, top, RoundHalfEven(Object.Width() * Sx),
                     RoundHalfEven(Object.Height() * Sy));
    }

    // The figure on a rectangle, drawn with the pen and brush, or pushed as a clip region.
    void Figure(TReportCanvas& report, const TEdges& r, bool asClip) const {
        const double corner = Object.CornerSize() / double(ScreenPixelsPerInch);
        switch (Object.Shape()) {
        case gstRectangle:
            asClip ? report.PushClipRect(Inches(r)) : report.Rectangle(Inches(r));
            break;
        case gstRoundRect:
            asClip ? report.PushClipRoundRect(Inches(r), corner, corner)
                   : report.RoundRect(Inches(r), corner, corner);
            break;
        case gstEllipse:
            asClip ? report.PushClipEllipse(Inches(r)) : report.Ellipse(Inches(r));
            break;
        default:
            asClip ? report.PushClipPolygon(Device(Object.Figure(r)))
                   : report.Polygon(Device(Object.Figure(r)));
        }
    }
};

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

void TRirizIzadu::PrintTo(TReportCanvas& report, double x, double y) {
    const double xdpi = report.XDPI(), ydpi = report.YDPI();
    const TPrintPlacement place{*this,
                                x,
                                y,
                                float(xdpi / ScreenPixelsPerInch),
                                float(ydpi / ScreenPixelsPerInch),
                                int(report.LeftOffset() * xdpi),
                                int(report.TopOffset() * ydpi),
                                int(xdpi * x),
                                int(ydpi * y)};
    const TShapeRects rects = ShapeRects();
    if (ShadowOrient() != soNone) {
        report.SetBrush(ShadowColor(), bsSolid);
        report.SetPen(clBlack, psSolid, -1, pmCopy);
        place.Figure(report, rects.Shadow, false);
    }
    if (const QImage* bitmap = SurfaceBitmap()) {
        place.Figure(report, rects.Body, true);
        report.SelectClip();
        const QRect device = place.ObjectRect();
        if (SurfaceType() == stGradientFill) {
            // A quarter inch longer than the object: the printed object ends slightly before
            // the end colour.
            const QSize area(device.width() + 1, device.height() + 1 + int(ydpi * 0.25));
            PrintGradient(report, device.topLeft() - QPoint(place.Ox, place.Oy), area, BackColor(),
                          GradientToColor(), FillDirection());
        } else {
            PrintTiles(report, *bitmap, device, place.Sx, place.Sy);
        }
        report.ClearClip();
        report.PopClip();
    }
    if (OutlineStyle() != psClear) {
        report.SetBrush(clWhite, bsClear);
        report.SetPen(OutlineColor(), OutlineStyle(), -OutlineWidth(), pmCopy);
        place.Figure(report, rects.Body, false);
    }
}
