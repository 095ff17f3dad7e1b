#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSize>

#include <memory>

class QPainter;
class TDibCache;

enum class TMetafileKind { Windows, Enhanced };

// A Windows metafile (with its placeable header) or an enhanced metafile, kept as the
// bytes it came in, so a design file gets them back unchanged. Drawing plays the records
// as vectors on any painter.
class TMetafile {
public:
    // The metafile the bytes hold; null when their header is not one we can place.
    static std::shared_ptr<const TMetafile> FromBytes(const QByteArray& bytes);

    const QByteArray& Bytes() const { return FBytes; }
    TMetafileKind Kind() const { return FKind; }
    // The picture's own size in design pixels (1/96 inch).
    QSize Size() const { return FSize; }
    // Plays the records stretched into the target rectangle of the painter. Records it
    // does not know are skipped; a damaged record ends the drawing, never reads past it.
    // Bitmaps in the records are decoded at the size they show.
    void Draw(QPainter& painter, const QRectF& target) const;

private:
    TMetafile() = default;

    QByteArray FBytes;
    TMetafileKind FKind = TMetafileKind::Windows;
    QSize FSize;
    QRectF FFrame;       // the picture's box in the metafile's device space
    QSizeF FPixelsPerMm; // of the device the metafile was made on
    int FObjectSlots = 0;
    qsizetype FFirstRecord = 0;
    // The enhanced metafile a Windows metafile carries whole in its comments: drawn in
    // place of the plain records, which say less (no curves, paths or transparency).
    std::shared_ptr<const TMetafile> FEmbedded;
    std::shared_ptr<TDibCache> FDibs;
};
