#include "platform/RasterPicture.h"

#include "platform/PictureBudget.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

qint64 pixelsOf(const QImage& image) {
    return image.isNull() ? 0 : qint64(image.width()) * image.height();
}

bool covers(const QSize& have, const QSize& want) {
    return have.width() >= want.width() && have.height() >= want.height();
}

} // namespace

TRasterPicture::TRasterPicture(QByteArray bytes, TPictureKind kind, const QImage& decoded)
    : FBytes(std::move(bytes)), FKind(kind) {
    FSize = PictureSizeOf(FBytes, FKind, QString());
    if (!decoded.isNull() && PictureBudget::Grant(decoded.size(), 0) == decoded.size())
        Keep(decoded);
}

TRasterPicture::~TRasterPicture() {
    PictureBudget::Release(pixelsOf(FCopy));
}

void TRasterPicture::Keep(const QImage& image) const {
    PictureBudget::Release(pixelsOf(FCopy));
    FCopy = image;
    PictureBudget::Hold(pixelsOf(FCopy));
}

QSize TRasterPicture::Decoded(const QSize& atMost) const {
    if (FFailed)
        return {};
    const QSize wanted(std::clamp(atMost.width(), 1, FSize.width()),
                       std::clamp(atMost.height(), 1, FSize.height()));
    const QSize granted = PictureBudget::Grant(wanted, pixelsOf(FCopy));
    if (!FCopy.isNull() && covers(FCopy.size(), granted))
        return granted;
    // The old copy goes first, so that the two are never held together.
    Keep(QImage());
    try {
        Keep(DecodePicture(FBytes, FKind, QString(), granted));
    } catch (const EPictureError&) {
        FFailed = true;
        return {};
    }
    return granted;
}

QImage TRasterPicture::Pixels(const QSize& atMost) const {
    const QSize size = Decoded(atMost);
    if (!size.isValid() || FCopy.size() == size || !covers(FCopy.size(), size))
        return FFailed ? QImage() : FCopy;
    return FCopy.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void TRasterPicture::Draw(QPainter& painter, const QRectF& target) const {
    const QRectF device = painter.deviceTransform().mapRect(target);
    const QSize size(int(std::min(std::ceil(device.width()), 1e9)),
                     int(std::min(std::ceil(device.height()), 1e9)));
    // The kept copy, whatever its size: the painter scales it into the target as it draws.
    if (Decoded(size).isValid())
        painter.drawImage(target, FCopy);
}
