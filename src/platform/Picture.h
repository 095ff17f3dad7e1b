#pragma once

#include "platform/Metafile.h"

#include <QByteArray>
#include <QImage>

#include <memory>

// A picture as design files carry it: a bitmap, an icon or a metafile, with its data kept
// as the bytes it came in. A picture read from a design file is written back byte for byte
// until it is replaced.
class TPicture {
public:
    enum class TKind { Empty, Bitmap, Icon, Metafile };

    TPicture() = default;
    // A bitmap; bmpFile, when given, is the bitmap file it was read from and becomes its data.
    static TPicture FromBitmap(const QImage& image, const QByteArray& bmpFile = {});
    static TPicture FromMetafile(std::shared_ptr<const TMetafile> metafile);
    // A picture file by its extension: .WMF and .EMF are metafiles, .ICO an icon (drawn on
    // white as a bitmap of its size when iconsAsBitmaps), every other kind the picture
    // loader reads becomes a bitmap. Raises EPictureError with the message for the user.
    static TPicture LoadFromFile(const QString& fileName, bool iconsAsBitmaps);
    // The "Data" payload of a picture property: the kind's short-string name (TBitmap, TIcon,
    // TMetafile) and the graphic's data. Raises EPictureError when the payload's own
    // structure is broken; a graphic that does not decode is kept as bytes, drawn as none.
    static TPicture FromData(const QByteArray& data);

    TKind Kind() const { return FKind; }
    bool IsEmpty() const { return FKind == TKind::Empty; }
    // Whether there is something to draw.
    bool IsDrawable() const { return !FImage.isNull() || FMetafile; }
    const QImage& Image() const { return FImage; } // bitmaps and icons
    const std::shared_ptr<const TMetafile>& Metafile() const { return FMetafile; }
    // The natural size in design pixels; empty when there is nothing to draw.
    QSize Size() const;
    // The picture stretched into the target rectangle.
    void Draw(QPainter& painter, const QRectF& target) const;
    // The payload FromData reads; empty for an empty picture.
    const QByteArray& Data() const { return FData; }

private:
    TKind FKind = TKind::Empty;
    QImage FImage;
    std::shared_ptr<const TMetafile> FMetafile;
    QByteArray FData;
};

// An icon (or any picture with transparent parts) as a bitmap of its size on white.
QImage OnWhite(const QImage& image);
