#pragma once

#include "platform/DibImage.h"
#include "platform/MetafileState.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <map>
#include <optional>
#include <vector>

// Draws metafile records on a painter. The records' parsers (Windows and enhanced) turn
// each record into calls here; this class keeps the device context, the object table and
// the mapping from logical coordinates to the painter, and does the drawing. Every shape
// is drawn as a vector, so a PDF keeps it as lines and fills. Its parts live in files of
// their own: paths, clipping, text and bitmaps.
class TMetafilePlayer {
public:
    // toPainter maps the metafile's device space onto the painter's coordinates;
    // pixelsPerMm serves the metric mapping modes. Nothing is drawn outside target.
    // Bitmaps are decoded through dibs.
    TMetafilePlayer(QPainter& painter, const QTransform& toPainter, QSizeF pixelsPerMm,
                    int objectSlots, const QRectF& target, TDibCache& dibs);
    ~TMetafilePlayer();
    TMetafilePlayer(const TMetafilePlayer&) = delete;
    TMetafilePlayer& operator=(const TMetafilePlayer&) = delete;

    TMetafileDC& DC() { return FDC; }
    void SaveDC();
    // Negative: that many saved states back; positive: the saved state of that number.
    void RestoreDC(int which);

    // The object table. CreateObject without an index takes the lowest free slot.
    void CreateObject(TMetafileObject object, std::optional<quint32> index = std::nullopt);
    void SelectObject(quint32 index);
    void DeleteObject(quint32 index);
    // The stock objects (white brush ... default GUI font), by their number.
    void SelectStockObject(quint32 number);
    const TMetafileObject* Object(quint32 index) const;

    // Drawing in logical coordinates with the selected pen and brush. Between BeginPath
    // and EndPath the shapes are collected instead of drawn.
    void MoveTo(const QPointF& p);
    void LineTo(const QPointF& p);
    void Rectangle(const QRectF& r);
    void RoundRect(const QRectF& r, const QSizeF& corner);
    void Ellipse(const QRectF& r);
    enum TArcKind { ArcOnly, Chord, Pie };
    void Arc(TArcKind kind, const QRectF& box, const QPointF& start, const QPointF& end);
    // fromPosition: the points go on from the current position, continuing its figure.
    void Polyline(const QPolygonF& points, bool fromPosition = false);
    void PolyBezier(const QPolygonF& points, bool fromPosition = false);
    void PolyPolygon(const std::vector<QPolygonF>& polygons);
    // A logical region filled with brush.
    void FillRegion(const QPainterPath& region, const QBrush& brush);
    // A polygon in the metafile's device units filled with a colour, alpha included.
    void FillDevicePolygon(const QPolygonF& polygon, const QColor& color);
    // While suppressed, records change the state but put no ink on the page: they stand in
    // for a drawing already made from a richer record.
    void SetInkSuppressed(bool suppressed) { FInkSuppressed = suppressed; }

    // Text with its reference point at p; dx, when given, are the advances of the characters.
    void Text(QPointF p, const QString& text, const std::vector<double>& dx,
              const QRectF* opaqueBox = nullptr);

    // A bitmap's source rectangle stretched into dest (logical) with a raster operation.
    // Without a bitmap the operation paints with the brush alone.
    void Bitmap(const QRectF& dest, const TDib& dib, QRectF source, quint32 rop,
                bool bottomUpSource);
    // A bitmap blended over what is drawn: constantAlpha over every pixel and, with
    // sourceAlpha, each pixel's own premultiplied alpha.
    void AlphaBlend(const QRectF& dest, const TDib& dib, QRectF source, int constantAlpha,
                    bool sourceAlpha);
    void FillRect(const QRectF& r, const QBrush& brush);

    // Clipping; rectangles and regions are logical, device regions are the metafile's
    // device rectangles.
    void IntersectClipRect(const QRectF& r);
    void ExcludeClipRect(const QRectF& r);
    void CombineClip(const std::optional<QPainterPath>& area, TClipCombine how);
    QPainterPath DeviceRegion(const std::vector<QRectF>& deviceRects) const;
    QPainterPath LogicalRegion(const QPainterPath& region) const;
    void OffsetClip(const QPointF& logicalOffset);

    void BeginPath();
    void EndPath() { FRecording = false; }
    void AbortPath();
    void CloseFigure();
    void DrawCollectedPath(bool fill, bool stroke);
    void ClipToCollectedPath(TClipCombine how);

    // A bitmap held back because the next record may pair with it: a mask painted with
    // OR, then the picture painted with AND into the same box, is one picture with
    // transparency. Every other record first draws what is held.
    void FlushHeldBitmap();

private:
    QTransform Mapping() const;
    QTransform LogicalToPainter() const;
    // Logical coordinates to those the painter had when playing began.
    QTransform LogicalToEntry() const;
    void Draw(const QPainterPath& path, bool fill, bool stroke);
    // The figure the next lines continue, started at the current position when none is open.
    QPainterPath& OpenFigure();
    // Whether rect, in the painter's coordinates, touches its device at all.
    bool OnDevice(const QRectF& rect) const;
    // The part of rect, in the painter's coordinates, that can reach its device: what a
    // fill needs, however far past the device a record's rectangle runs.
    QRectF OnDevicePart(const QRectF& rect) const;
    void ApplyClip();
    void UseTransform(const QTransform& t) { FPainter.setWorldTransform(t); }
    // The size in device pixels at which a picture stretched into dest shows, at most
    // about 600 per inch.
    QSize ShownSize(const QRectF& dest) const;
    // The bitmap decoded at the size it shows in dest; source, in the bitmap's pixels,
    // becomes the same part of the decoded image.
    QImage DecodeShown(const QRectF& dest, const TDib& dib, QRectF& source,
                       bool premultipliedAlpha) const;
    void DrawImage(const QRectF& dest, const QImage& image, const QRectF& source);
    void RasterBitmap(const QRectF& dest, const QImage& image, const QRectF& source, quint32 rop);

    struct THeldBitmap {
        QRectF Dest, Source;
        QImage Mask;
    };

    QPainter& FPainter;
    TDibCache& FDibs;
    QTransform FEntry;    // the painter's transform when playing began
    QTransform FToDevice; // metafile device space to the painter's coordinates at entry
    std::optional<QPainterPath> FEntryClip;
    QSizeF FPixelsPerMm;
    TMetafileDC FDC;
    std::vector<TMetafileDC> FSaved;
    // Only the slots in use: a header may announce tens of thousands.
    std::map<quint32, TMetafileObject> FObjects;
    quint32 FObjectSlots = 0;
    QPainterPath FPath;
    bool FRecording = false;
    bool FInkSuppressed = false;
    std::optional<THeldBitmap> FHeld;
};

// The area the rectangles cover together.
QPainterPath RegionOf(const std::vector<QRectF>& rects);
QColor ColorFromRef(quint32 colorRef);
// A pen or brush from a metafile's logical pen or brush.
QPen MetafilePen(quint32 style, double width, quint32 colorRef);
QBrush MetafileBrush(quint32 style, quint32 colorRef, quint32 hatch);
