#include "platform/PictureBudget.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

qint64 gLimit = PictureBudget::DefaultPixels;
qint64 gHeld = 0;

} // namespace

namespace PictureBudget {

QSize Grant(const QSize& wanted, qint64 held) {
    const qint64 area = qint64(wanted.width()) * wanted.height();
    const qint64 left = std::max(gLimit - (gHeld - held), LeastPixels);
    if (area <= left)
        return wanted;
    const double scale = std::sqrt(double(left) / double(area));
    return QSize(std::max(1, int(wanted.width() * scale)),
                 std::max(1, int(wanted.height() * scale)));
}

void Hold(qint64 pixels) {
    gHeld += pixels;
}

void Release(qint64 pixels) {
    gHeld -= pixels;
}

qint64 Held() {
    return gHeld;
}

qint64 SetLimit(qint64 pixels) {
    return std::exchange(gLimit, pixels);
}

} // namespace PictureBudget
