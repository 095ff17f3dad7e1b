// How a RirizIzadu prints: the layers of the screen (shadow, surface through a clip of the
// body figure, outline) through the report canvas in inches and device points. Each
// surface is one drawing however large the object: a filled rectangle, one pattern of
// tiles, or one stretched strip of gradient bands.
#include "effects/GradientFill.h"
#include "effects/RirizIzadu.h"
#include "effects/SurfaceTiles.h"
#include "report/ReportCanvas.h"

namespace {

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
    // The screen's cached bitmaps are not needed on paper: a Solid surface is its colour, a
    // gradient its strip of bands, whatever the object's size.
    const bool texture = SurfaceType() == stBrushImage && !FImage.Empty();
    if (SurfaceType() == stBrushPattern || SurfaceType() == stGradientFill || texture) {
        place.Figure(report, rects.Body, true);
        report.SelectClip();
        const QRect device = place.ObjectRect().translated(-place.Ox, -place.Oy);
        if (SurfaceType() == stGradientFill) {
            // A quarter inch longer than the object: the printed object ends slightly before
            // the end colour.
            const QSize area(device.width() + 1, device.height() + 1 + int(ydpi * 0.25));
            PrintGradient(report, device.topLeft(), area, BackColor(), GradientToColor(),
                          FillDirection());
        } else if (texture) {
            PrintTiles(report, FImage.Image(), device, place.Sx, place.Sy);
        } else if (Width() > 0 && Height() > 0) {
            // The one-colour tile stretched over the object, with its 0.01 inch overlap.
            report.SetBrush(BackColor(), bsSolid);
            report.FillDeviceRect(device.adjusted(0, 0, int(xdpi * 0.01), int(ydpi * 0.01)));
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
