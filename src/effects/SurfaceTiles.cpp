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
    if (bitmap.isNull() || tw < 1 || th < 1)
        return;
    // Whole tiles: the last row and column reach past the rectangle as single copies would.
    const QSize whole(((deviceRect.width() + tw - 1) / tw) * tw,
                      ((deviceRect.height() + th - 1) / th) * th);
    report.TileDeviceBitmap(QRect(deviceRect.topLeft(), whole), bitmap, QSizeF(tw, th));
}
