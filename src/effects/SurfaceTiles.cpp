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
    if (bitmap.isNull() || tw < 1 || th < 1)
        return;
    // Whole tiles: the last row and column reach past the rectangle as single copies would.
    const QSize whole(((deviceRect.width() + tw - 1) / tw) * tw,
                      ((deviceRect.height() + th - 1) / th) * th);
    report.TileDeviceBitmap(QRect(deviceRect.topLeft(), whole), bitmap, QSizeF(tw, th));
}
