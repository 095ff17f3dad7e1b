#include "report/PageMetrics.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

QRectF TPageMetrics::DeviceRectF(const TInchRect& r) const {
    return QRectF(QPointF(DeviceX(r.Left), DeviceY(r.Top)),
                  QPointF(DeviceX(r.Right), DeviceY(r.Bottom)));
}

QRect TPageMetrics::DeviceRect(const TInchRect& r) const {
    auto rx = [this](double v) { return int(std::lround(DeviceX(v))); };
    auto ry = [this](double v) { return int(std::lround(DeviceY(v))); };
    // Right and bottom are exclusive edges, as the inch rectangle's are.
    return QRect(QPoint(rx(r.Left), ry(r.Top)), QPoint(rx(r.Right) - 1, ry(r.Bottom) - 1));
}

int TPageMetrics::PenPixels(int width) const {
    if (width < 0)
        return std::max(1, int(std::lround(-width / 100.0 * XDPI)));
    return width;
}

QFont TReportFont::DeviceFont(double dpi) const {
    QFont f(Name);
    f.setPixelSize(std::max(1, int(std::lround(Points * dpi / 72.0))));
    f.setBold(Bold);
    f.setItalic(Italic);
    f.setUnderline(Underline);
    return f;
}

double TReportFont::TextWidthInches(const QString& text, double dpi) const {
    return QFontMetricsF(DeviceFont(dpi)).horizontalAdvance(text) / dpi;
}
