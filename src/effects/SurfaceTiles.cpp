#include "effects/SurfaceTiles.h"

#include "report/ReportCanvas.h"
#include "surface/GraphicControl.h"

#include <QPainter>

void PaintTiles(QPainter& canvas, const QImage& bitmap, const QSize& area) {
    const int bw = bitmap.width(), bh = bitmap.height();
    if (bw < 1 || bh < 1)
        return;
    for (int y = 0; y < area.height(); y += bh)
        for (int x = 0; x < area.width(); x += bw)
            canvas.drawImage(x, y, bitmap);
}

void PrintTiles(TReportCanvas& report, const QImage& bitmap, const QRect& deviceRect, double sx,
                double sy) {
    const int tw = RoundHalfEven(bitmap.width() * sx);
    const int th = RoundHalfEven(bitmap.height() * sy);
    // A tile that rounds to nothing would never advance.
    if (bitmap.isNull() || tw < 1 || th < 1)
        return;
    const double xdpi = report.XDPI(), ydpi = report.YDPI();
    for (int y = 0; y < deviceRect.height(); y += th)
        for (int x = 0; x < deviceRect.width(); x += tw) {
            const double x1 = (deviceRect.left() + x) / xdpi;
            const double y1 = (deviceRect.top() + y) / ydpi;
            report.StretchBitmap({x1, y1, x1 + tw / xdpi + 0.01, y1 + th / ydpi + 0.01}, bitmap);
        }
}
