#include "effects/DiduzOvoz.h"

#include "effects/GradientFill.h"
#include "effects/SurfaceTiles.h"
#include "report/ReportCanvas.h"

namespace {

double inches(int pixels) {
    return double(pixels) / ScreenPixelsPerInch;
}

} // namespace

// Each layer is the caption's glyph path on the report canvas, used as the clip for a fill
// of its rectangle or stroked: the lettering stays vector paths on paper.
void TGDiduzOvoz::PrintTo(TReportCanvas& report, double x, double y) {
    FNeedsMeasure = true;
    MeasureText();
    const int l = Left(), t = Top();
    report.SetFont(ResolveSymbolText(FFont.Name, FCaption).FontName, FFont.Size());
    report.SetFontStyle(FFont.Has(fsBold), FFont.Has(fsItalic), FFont.Has(fsUnderline));
    report.SetFontRotation(0);
    if (!FControlTransparent || FBorderStyle == bsSingle) {
        if (FControlTransparent)
            report.SetBrush(clWhite, bsClear);
        else
            report.SetBrush(FBGColor, bsSolid);
        if (FBorderStyle == bsSingle)
            report.SetPen(clBlack, psSolid, 1, pmCopy);
        else
            report.SetPen(clBlack, psClear, 1, pmCopy);
        report.Rectangle(
            {inches(l) + x, inches(t) + y, inches(l + Width()) + x, inches(t + Height()) + y});
    }
    report.SetBrush(clWhite, bsClear);
    const QString s = VisibleCaption();
    if (s.isEmpty())
        return;

    report.SetTextTransparent(true);
    // Records the layer's glyph path; gives the rectangle its fill covers, in device
    // pixels, reaching 0.03 inch further left and up.
    auto layerPath = [&](QPoint origin, const TEdgeRect& r) {
        report.BeginPath();
        report.TextOut(inches(l + origin.x()) + x, inches(t + origin.y()) + y, s);
        report.EndPath();
        return report.DeviceRect({inches(l + r.Left) + x - 0.03, inches(t + r.Top) + y - 0.03,
                                  inches(l + r.Right) + x, inches(t + r.Bottom) + y});
    };
    if (HasShadow()) {
        report.SetFontColor(FShadowcolor);
        const QRect fill = layerPath(FShadowOrigin, FShadowRect);
        report.ClipToPath();
        report.SetBrush(FShadowcolor, bsSolid);
        report.FillDeviceRect(fill);
        report.ClearClip();
    }
    if (FSurfaceType != stBrushPattern) {
        report.SetFontColor(FFont.Color);
        const QRect fill = layerPath(FTextOrigin, FTextRect);
        report.ClipToPath();
        if (FSurfaceType == stBrushTransparent) {
            report.SetBrush(FFont.Color, bsSolid);
            report.FillDeviceRect(fill);
        } else if (FSurfaceType == stBrushImage) {
            const double sx = report.XDPI() / ScreenPixelsPerInch;
            PrintTiles(report, FImage.Image(), fill, sx, report.YDPI() / ScreenPixelsPerInch);
        } else {
            // A quarter inch wider and longer than the layer, as the printed gradient of
            // lettering has always been.
            const QSize area(fill.width() + 1 + int(report.XDPI() * 0.25),
                             fill.height() + 1 + int(report.YDPI() * 0.25));
            PrintGradient(report, fill.topLeft(), area, FGradientFromColor, FGradientToColor,
                          TFillDirection(FFillDirection));
        }
        report.ClearClip();
    }
    if (HasOutline()) {
        report.SetBrush(FFont.Color, bsClear);
        report.SetPen(FOutlineColor, FOutlineStyle, -FOutlineWidth, pmCopy);
        layerPath(FTextOrigin, FTextRect);
        report.StrokePath();
    }
}
