#include "effects/ColorKey.h"

QImage LeaveOutColor(const QImage& image, QRgb color) {
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = color | 0xFF000000u;
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
    }
    return result;
}
