#include "effects/GradientFill.h"

#include "platform/GraphicsValues.h"
#include "platform/PictureHeader.h"
#include "report/ReportCanvas.h"

#include <QPainter>

#include <cstdlib>
#include <map>
#include <tuple>

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return 0;
    const qint64 n = qint64(a) * b;
    const qint64 q = (std::llabs(n) * 2 + std::llabs(qint64(c))) / (2 * std::llabs(qint64(c)));
    return int((n < 0) != (c < 0) ? -q : q);
}

TGradientBands GradientBands(const QSize& area, TColor from, TColor to, TFillDirection direction) {
    const bool reversed = direction == gdUp || direction == gdLeft;
    const QColor start = ToQColor(reversed ? to : from);
    const QColor end = ToQColor(reversed ? from : to);
    const int r0 = start.red(), g0 = start.green(), b0 = start.blue();
    const int dr = end.red() - r0, dg = end.green() - g0, db = end.blue() - b0;
    const bool across = direction == gdLeft || direction == gdRight;
    const int w = area.width(), h = area.height();
    TGradientBands bands;
    for (int i = 0; i < 256; ++i) {
        TGradientBand& band = bands[std::size_t(i)];
        band.Color =
            RGBColor(r0 + MulDiv(i, dr, 255), g0 + MulDiv(i, dg, 255), b0 + MulDiv(i, db, 255));
        // Right and bottom edges are exclusive.
        if (across) {
            const int left = MulDiv(i, w, 256);
            band.Rect = QRect(left, 0, MulDiv(i + 1, w, 256) - left, h);
        } else {
            const int top = MulDiv(i, h, 256);
            band.Rect = QRect(0, top, w, MulDiv(i + 1, h, 256) - top);
        }
    }
    return bands;
}

QImage BuildGradientBitmap(const QSize& size, TColor from, TColor to, TFillDirection direction,
                           const QRect& part) {
    const QRect area = part.isNull() ? QRect(QPoint(0, 0), size) : part;
    if (size.isEmpty() || area.isEmpty())
        return {};
    QImage bitmap(area.size(), QImage::Format_RGB32);
    bitmap.fill(Qt::black);
    QPainter p(&bitmap);
    for (const TGradientBand& band : GradientBands(size, from, to, direction))
        if (const QRect shown = band.Rect & area; !shown.isEmpty())
            p.fillRect(shown.translated(-area.topLeft()), ToQColor(band.Color));
    return bitmap;
}

QImage GradientStrip(int length, TColor from, TColor to, TFillDirection direction) {
    // Bounded: a design has a handful of gradients; a full cache starts again.
    static std::map<std::tuple<int, QRgb, QRgb, int>, QImage> strips;
    const auto key =
        std::make_tuple(length, ToQColor(from).rgb(), ToQColor(to).rgb(), int(direction));
    if (const auto it = strips.find(key); it != strips.end())
        return it->second;
    if (strips.size() >= 256)
        strips.clear();
    const bool across = direction == gdLeft || direction == gdRight;
    const QSize size = across ? QSize(length, 1) : QSize(1, length);
    return strips[key] = BuildGradientBitmap(size, from, to, direction);
}

const QImage& TGradientCache::Bitmap(const QSize& size, const QRect& part, TColor from, TColor to,
                                     TFillDirection direction) {
    if (!FValid || size != FSize || part != FPart || from != FFrom || to != FTo ||
        direction != FDirection) {
        FBitmap = PictureSizeAllowed(part.size())
                      ? BuildGradientBitmap(size, from, to, direction, part)
                      : QImage();
        FValid = true;
        FSize = size;
        FPart = part;
        FFrom = from;
        FTo = to;
        FDirection = direction;
    }
    return FBitmap;
}

void PrintGradient(TReportCanvas& report, const QPoint& origin, const QSize& area, TColor from,
                   TColor to, TFillDirection direction) {
    if (area.isEmpty())
        return;
    const int length = direction == gdLeft || direction == gdRight ? area.width() : area.height();
    report.StretchDeviceBitmap(
        QRect(origin, area),
        GradientStrip(length <= MaxExactStrip ? length : 256, from, to, direction));
}
