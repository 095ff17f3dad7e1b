#include "effects/SurfaceTiles.h"

#include "report/ReportCanvas.h"
#include "surface/BasePanel.h"
#include "surface/GraphicControl.h"

#include <QPainter>

QRect ShownArea(const TGGraphicControl& object) {
    QRect area(0, 0, object.Width(), object.Height());
    if (const TGBasePanel* panel = object.Panel())
        area &= QRect(-object.Left(), -object.Top(), panel->width(), panel->height());
    return area;
}

void PaintTiles(QPainter& canvas, const QImage& bitmap, const QSize& area, const QRect& shown) {
    const int bw = bitmap.width(), bh = bitmap.height();
    const QRect r = shown & QRect(QPoint(0, 0), area);
    if (bw < 1 || bh < 1 || r.isEmpty())
        return;
    for (int y = r.top() / bh * bh; y <= r.bottom(); y += bh)
        for (int x = r.left() / bw * bw; x <= r.right(); x += bw)
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
