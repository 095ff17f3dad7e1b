#pragma once

#include "platform/Metafile.h"
#include "platform/RasterPicture.h"

#include <QByteArray>
#include <QImage>

#include <memory>

class QSvgRenderer;

// A picture as design files carry it: a bitmap, an icon, a metafile, a PNG or an SVG, with
// its data kept as the bytes it came in. A picture read from a design file is written back
// byte for byte until it is replaced. Pictures of pixels are decoded when drawn, at the size
// they are drawn; metafiles and SVG stay vectors on every device.
class TPicture {
public:
    enum class TKind { Empty, Bitmap, Icon, Metafile, PngImage, SvgImage };

    TPicture() = default;
    // A bitmap; bmpFile, when given, is the bitmap file it was read from and becomes its data.
    static TPicture FromBitmap(const QImage& image, const QByteArray& bmpFile = {});
    static TPicture FromMetafile(std::shared_ptr<const TMetafile> metafile);
    // A PNG file's bytes, kept as they are; decoded, when given, is the picture they hold.
    // Raises EPictureError when they hold no PNG within the limits.
    static TPicture FromPng(const QByteArray& pngFile, const QImage& decoded = QImage());
    // An SVG file's bytes, kept as they are. Raises EPictureError when they hold no SVG.
    static TPicture FromSvg(const QByteArray& svgFile);
    // A picture file by its kind (PictureKindOf): metafiles, PNG and SVG stay what they are,
    // a WebP becomes a PNG (its transparency kept), .ICO an icon (drawn on white as a bitmap
    // of its size when iconsAsBitmaps), every other kind a bitmap. Raises EPictureError with
    // the message for the user.
    static TPicture LoadFromFile(const QString& fileName, bool iconsAsBitmaps);
    // The "Data" payload of a picture property: the kind's short-string name (TBitmap, TIcon,
    // TMetafile, TPngImage, TSvgImage) and the graphic's data. Raises EPictureError when the
    // payload's own structure is broken or its kind unknown; a graphic that does not decode
    // is kept as bytes, drawn as none.
    static TPicture FromData(const QByteArray& data);

    TKind Kind() const { return FKind; }
    bool IsEmpty() const { return FKind == TKind::Empty; }
    // Whether there is something to draw.
    bool IsDrawable() const;
    // Whether the card shows through parts of the picture (PNG and SVG keep their
    // transparency; bitmaps and metafiles cover their box).
    bool IsTransparent() const { return FKind == TKind::PngImage || FKind == TKind::SvgImage; }
    // Whether the picture is drawn as vectors at any size (metafiles and SVG).
    bool IsVector() const { return FMetafile || FSvg; }
    // The pixels of a bitmap, icon or PNG at no more than atMost each way (their own size at
    // most, smaller past the picture budget); null for other kinds.
    QImage Pixels(const QSize& atMost) const;
    // The pixels at the picture's own size (within the budget).
    QImage Image() const { return Pixels(Size()); }
    const std::shared_ptr<const TMetafile>& Metafile() const { return FMetafile; }
    // The natural size in design pixels; empty when there is nothing to draw.
    QSize Size() const;
    // The picture stretched into the target rectangle.
    void Draw(QPainter& painter, const QRectF& target) const;
    // The payload FromData reads; empty for an empty picture.
    const QByteArray& Data() const { return FData; }
    // The same picture, not only an equal one: copies share their decoded content and bytes,
    // so this is cheap however large the picture is.
    bool SharesWith(const TPicture& other) const {
        return FKind == other.FKind && FRaster == other.FRaster && FMetafile == other.FMetafile &&
               FSvg == other.FSvg && FData.constData() == other.FData.constData();
    }

private:
    TKind FKind = TKind::Empty;
    std::shared_ptr<const TRasterPicture> FRaster;
    std::shared_ptr<const TMetafile> FMetafile;
    std::shared_ptr<QSvgRenderer> FSvg;
    QByteArray FData;
};

// An icon (or any picture with transparent parts) as a bitmap of its size on white.
QImage OnWhite(const QImage& image);
