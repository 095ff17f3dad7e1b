#include "platform/MetafilePlayer.h"

#include "platform/PictureFile.h"

#include <QPaintEngine>

#include <cmath>

// Bitmap records: the bitmap is decoded at the size it shows (never past about 600 pixels
// per inch on paper), then drawn with its raster operation. Operations that mix source and
// destination use the device's raster operations where it has them (images) and the
// nearest blend where it does not (PDF).

namespace {

enum : quint32 {
    SRCPAINT = 0x00EE0086,
    SRCAND = 0x008800C6,
    SRCINVERT = 0x00660046,
    NOTSRCCOPY = 0x00330008,
    PATCOPY = 0x00F00021,
    PATINVERT = 0x005A0049,
    DSTINVERT = 0x00550009,
    BLACKNESS = 0x00000042,
    WHITENESS = 0x00FF0062,
    NOP = 0x00AA0029,
};

constexpr double kMaxDotsPerInch = 600;

// Whether the operation reads the source bitmap: its code's source bits differ from
// its code with the source bits swapped.
bool usesSource(quint32 rop) {
    const quint32 code = (rop >> 16) & 0xFF;
    return ((code >> 2) & 0x33) != (code & 0x33);
}

// The picture of a mask painted with OR, then the picture painted with AND: where the mask
// is white the picture shows, where it is black what lies under it stays.
QImage withMask(const QImage& picture, const QImage& mask) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        const QRgb* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < out.width(); ++x)
            row[x] = qRgba(qRed(row[x]), qGreen(row[x]), qBlue(row[x]), qGray(m[x]));
    }
    return out;
}

} // namespace

QSize TMetafilePlayer::ShownSize(const QRectF& dest) const {
    // The painter's transform from its own coordinates to the device's pixels.
    const QTransform view = FPainter.worldTransform().inverted() * FPainter.deviceTransform();
    const QRectF shown = (LogicalToPainter() * view).mapRect(dest);
    const QPaintDevice* device = FPainter.device();
    const double dpi = qMax(1, device->logicalDpiX());
    const double scale = qMin(1.0, kMaxDotsPerInch / dpi);
    // However far a box runs past the device, no more pixels than the device shows.
    const double w = qMin(shown.width(), double(device->width())) * scale;
    const double h = qMin(shown.height(), double(device->height())) * scale;
    return QSize(int(std::ceil(qBound(1.0, w, double(MaxPictureSide)))),
                 int(std::ceil(qBound(1.0, h, double(MaxPictureSide)))));
}

QImage TMetafilePlayer::DecodeShown(const QRectF& dest, const TDib& dib, QRectF& source,
                                    bool premultipliedAlpha) const {
    const QSize full = dib.Size();
    if (full.isEmpty() || !source.isValid() || source.isEmpty())
        return {};
    // The part of the bitmap that shows decides how finely the whole is sampled.
    const QSize shown = ShownSize(dest);
    const QSize wanted(int(std::ceil(full.width() * shown.width() / source.width())),
                       int(std::ceil(full.height() * shown.height() / source.height())));
    const QImage image =
        FDibs.Decode(dib, wanted.boundedTo(full).expandedTo(QSize(1, 1)), premultipliedAlpha);
    const double sx = double(image.width()) / full.width();
    const double sy = double(image.height()) / full.height();
    source = QRectF(source.x() * sx, source.y() * sy, source.width() * sx, source.height() * sy);
    return image;
}

void TMetafilePlayer::DrawImage(const QRectF& dest, const QImage& image, const QRectF& source) {
    // A negative width or height mirrors the picture.
    QTransform mirror;
    mirror.translate(dest.x(), dest.y());
    mirror.scale(dest.width() < 0 ? -1 : 1, dest.height() < 0 ? -1 : 1);
    FPainter.setWorldTransform(mirror * LogicalToPainter());
    const QRectF box(0, 0, qAbs(dest.width()), qAbs(dest.height()));
    // The whole image goes to the painter as it is, not as a copy of a part of it, so an
    // image drawn again (the cards of a sheet) stays one image in a PDF.
    const QRectF whole = image.rect();
    const bool all = qAbs(source.left() - whole.left()) < 1e-3 &&
                     qAbs(source.top() - whole.top()) < 1e-3 &&
                     qAbs(source.right() - whole.right()) < 1e-3 &&
                     qAbs(source.bottom() - whole.bottom()) < 1e-3;
    if (all)
        FPainter.drawImage(box, image);
    else
        FPainter.drawImage(box, image, source);
}

void TMetafilePlayer::RasterBitmap(const QRectF& dest, const QImage& image, const QRectF& source,
                                   quint32 rop) {
    if (rop == NOTSRCCOPY) {
        QImage inverted = image.convertToFormat(QImage::Format_RGB32);
        inverted.invertPixels();
        DrawImage(dest, inverted, source);
        return;
    }
    // The operations that mix source and destination: the device's own raster operation,
    // or the blend nearest to it (AND over white paper shows the picture and over ink
    // darkens it, as multiplying does). The other operations draw the source as it is.
    struct TMix {
        quint32 Rop;
        QPainter::CompositionMode Raster, Blend;
    };
    static const TMix mixes[] = {
        {SRCAND, QPainter::RasterOp_SourceAndDestination, QPainter::CompositionMode_Multiply},
        {SRCPAINT, QPainter::RasterOp_SourceOrDestination, QPainter::CompositionMode_Screen},
        {SRCINVERT, QPainter::RasterOp_SourceXorDestination, QPainter::CompositionMode_Difference},
    };
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    for (const TMix& mix : mixes) {
        if (mix.Rop != rop)
            continue;
        const QPaintEngine* engine = FPainter.paintEngine();
        if (engine && engine->hasFeature(QPaintEngine::RasterOpModes))
            mode = mix.Raster;
        else if (engine && engine->hasFeature(QPaintEngine::BlendModes))
            mode = mix.Blend;
        else
            return;
    }
    FPainter.setCompositionMode(mode);
    DrawImage(dest, image, source);
    FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TMetafilePlayer::Bitmap(const QRectF& dest, const TDib& dib, QRectF source, quint32 rop,
                             bool bottomUpSource) {
    if (FRecording || FInkSuppressed || rop == NOP)
        return;
    if (!usesSource(rop) || dib.IsEmpty()) {
        FlushHeldBitmap();
        switch (rop) {
        case BLACKNESS:
            FillRect(dest, Qt::black);
            break;
        case WHITENESS:
            FillRect(dest, Qt::white);
            break;
        case DSTINVERT:
        case PATINVERT: {
            const QPaintEngine* engine = FPainter.paintEngine();
            if (!engine || !engine->hasFeature(QPaintEngine::RasterOpModes))
                break;
            FPainter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            FillRect(dest, rop == DSTINVERT ? QBrush(Qt::white) : FDC.Brush);
            FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
        }
        default: // PATCOPY and the other brush operations
            FillRect(dest, FDC.Brush);
            break;
        }
        return;
    }
    if (bottomUpSource)
        source.moveTop(dib.Size().height() - source.bottom());
    const QImage image = DecodeShown(dest, dib, source, false);
    if (image.isNull())
        return;
    if (rop == SRCAND && FHeld && FHeld->Dest == dest && FHeld->Mask.size() == image.size()) {
        const QImage picture = withMask(image, FHeld->Mask);
        FHeld.reset();
        DrawImage(dest, picture, source);
        return;
    }
    FlushHeldBitmap();
    if (rop == SRCPAINT) {
        FHeld = THeldBitmap{dest, source, image};
        return;
    }
    RasterBitmap(dest, image, source, rop);
}

void TMetafilePlayer::FlushHeldBitmap() {
    if (!FHeld)
        return;
    const THeldBitmap held = *FHeld;
    FHeld.reset();
    RasterBitmap(held.Dest, held.Mask, held.Source, SRCPAINT);
}

void TMetafilePlayer::AlphaBlend(const QRectF& dest, const TDib& dib, QRectF source,
                                 int constantAlpha, bool sourceAlpha) {
    if (FRecording || FInkSuppressed || constantAlpha <= 0)
        return;
    FlushHeldBitmap();
    const QImage image = DecodeShown(dest, dib, source, sourceAlpha);
    if (image.isNull())
        return;
    FPainter.setOpacity(qMin(constantAlpha, 255) / 255.0);
    DrawImage(dest, image, source);
    FPainter.setOpacity(1);
}
