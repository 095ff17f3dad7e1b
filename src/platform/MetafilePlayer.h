#pragma once

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QTransform>

#include <map>
#include <optional>
#include <vector>

// A font as a metafile describes it; heights are logical units, negative = em height,
// positive = cell height.
struct TMetafileFont {
    QString Face = QStringLiteral("Arial");
    double Height = -12;
    int Escapement = 0; // tenths of a degree, counter-clockwise
    int Weight = 400;
    bool Italic = false, Underline = false, StrikeOut = false;
};

// A pen, brush or font a metafile creates and later selects by its index.
struct TMetafileObject {
    enum class TKind { Empty, Pen, Brush, Font, Other };
    TKind Kind = TKind::Empty;
    QPen Pen;
    QBrush Brush;
    TMetafileFont Font;
};

// The drawing state that records change one by one; SaveDC keeps a copy.
struct TMetafileDC {
    int MapMode = 1; // MM_TEXT
    QPointF WindowOrg, ViewportOrg;
    QSizeF WindowExt{1, 1}, ViewportExt{1, 1};
    QTransform World;
    QPen Pen{QBrush(Qt::black), 0};
    QBrush Brush{Qt::white};
    TMetafileFont Font;
    QColor TextColor = Qt::black, BkColor = Qt::white;
    bool BkOpaque = true;
    int TextAlign = 0;
    Qt::FillRule FillRule = Qt::OddEvenFill;
    QPointF Position; // the current position, logical
    // The clip region in the coordinates the painter had when playing began.
    std::optional<QPainterPath> Clip;
};

// Draws metafile records on a painter. The records' parsers (Windows and enhanced) turn
// each record into calls here; this class keeps the device context, the object table and
// the mapping from logical coordinates to the painter, and does the drawing. Every shape
// is drawn as a vector, so a PDF keeps it as lines and fills.
class TMetafilePlayer {
public:
    // toPainter maps the metafile's device space onto the painter's coordinates;
    // pixelsPerMm serves the metric mapping modes. Nothing is drawn outside target.
    TMetafilePlayer(QPainter& painter, const QTransform& toPainter, QSizeF pixelsPerMm,
                    int objectSlots, const QRectF& target);
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

    // Drawing in logical coordinates with the selected pen and brush.
    void MoveTo(const QPointF& p);
    void LineTo(const QPointF& p);
    void Rectangle(const QRectF& r);
    void RoundRect(const QRectF& r, const QSizeF& corner);
    void Ellipse(const QRectF& r);
    enum TArcKind { ArcOnly, Chord, Pie };
    void Arc(TArcKind kind, const QRectF& box, const QPointF& start, const QPointF& end);
    void Polyline(const QPolygonF& points, bool fromPosition = false);
    void PolyBezier(const QPolygonF& points, bool fromPosition = false);
    void PolyPolygon(const std::vector<QPolygonF>& polygons);
    // Text with its reference point at p; dx, when given, are the advances of the characters.
    void Text(QPointF p, const QString& text, const std::vector<double>& dx,
              const QRectF* opaqueBox = nullptr);
    // A bitmap's source rectangle stretched into dest; a null image fills dest with the brush.
    void StretchImage(const QRectF& dest, const QImage& image, const QRectF& source);
    void FillRect(const QRectF& r, const QBrush& brush);
    // The raster operations that paint without a source (black, white); true when rop was one.
    bool FillByRasterOp(const QRectF& dest, quint32 rop);

    // Clipping; rectangles are logical, regions are device rectangles.
    void IntersectClipRect(const QRectF& r);
    void ExcludeClipRect(const QRectF& r);
    void SetClipRegion(const std::optional<QPainterPath>& deviceRegion);
    QPainterPath DeviceRegion(const std::vector<QRectF>& deviceRects) const;

    // Paths: shapes drawn between BeginPath and EndPath are collected instead of drawn.
    void BeginPath();
    void EndPath() { FRecording = false; }
    void CloseFigure() { FPath.closeSubpath(); }
    void DrawCollectedPath(bool fill, bool stroke);
    void ClipToCollectedPath();

private:
    QTransform Mapping() const;
    QTransform LogicalToPainter() const;
    void Draw(const QPainterPath& path, bool fill, bool stroke);
    // Whether rect, in the painter's coordinates, touches its device at all.
    bool OnDevice(const QRectF& rect) const;
    // The part of rect, in the painter's coordinates, that can reach its device: what a
    // fill needs, however far past the device a record's rectangle runs.
    QRectF OnDevicePart(const QRectF& rect) const;
    void ApplyClip();
    void UseTransform(const QTransform& t) { FPainter.setWorldTransform(t); }

    QPainter& FPainter;
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
};

QColor ColorFromRef(quint32 colorRef);
// A pen or brush from a metafile's logical pen or brush.
QPen MetafilePen(quint32 style, double width, quint32 colorRef);
QBrush MetafileBrush(quint32 style, quint32 colorRef, quint32 hatch);
