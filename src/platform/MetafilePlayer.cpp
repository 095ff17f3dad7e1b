#include "platform/MetafilePlayer.h"

#include <QtMath>

namespace {

// Saved states and object slots are bounded whatever a file asks for.
constexpr std::size_t kMaxSavedStates = 256;
constexpr int kMaxObjects = 65536;

enum {
    MM_TEXT = 1,
    MM_LOMETRIC,
    MM_HIMETRIC,
    MM_LOENGLISH,
    MM_HIENGLISH,
    MM_TWIPS,
    MM_ISOTROPIC,
    MM_ANISOTROPIC
};

double ratio(double num, double den) {
    return den == 0 ? 1.0 : num / den;
}

QPainterPath rectPath(const QRectF& r) {
    QPainterPath path;
    path.addRect(r.normalized());
    return path;
}

// The angle Qt's arcs take for the point where the line from the centre through p meets
// the ellipse in box (logical coordinates, y down).
double arcAngle(const QRectF& box, const QPointF& p) {
    const QPointF c = box.center();
    const double rx = qMax(box.width() / 2, 1e-9), ry = qMax(box.height() / 2, 1e-9);
    return qRadiansToDegrees(std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx));
}

} // namespace

TMetafilePlayer::TMetafilePlayer(QPainter& painter, const QTransform& toPainter, QSizeF pixelsPerMm,
                                 int objectSlots, const QRectF& target, TDibCache& dibs)
    : FPainter(painter), FDibs(dibs), FEntry(painter.worldTransform()), FToDevice(toPainter),
      FPixelsPerMm(pixelsPerMm) {
    FPainter.save();
    // Records may draw beyond the picture's box; on screen and on paper alike it ends there.
    FEntryClip = rectPath(target);
    if (FPainter.hasClipping())
        FEntryClip = FPainter.clipPath().intersected(*FEntryClip);
    FPainter.setRenderHint(QPainter::Antialiasing);
    FPainter.setRenderHint(QPainter::SmoothPixmapTransform);
    FObjectSlots = quint32(qBound(0, objectSlots, kMaxObjects));
    ApplyClip();
}

TMetafilePlayer::~TMetafilePlayer() {
    FlushHeldBitmap();
    FPainter.restore();
}

void TMetafilePlayer::SaveDC() {
    if (FSaved.size() < kMaxSavedStates)
        FSaved.push_back(FDC);
}

void TMetafilePlayer::RestoreDC(int which) {
    const qint64 count = qint64(FSaved.size());
    const qint64 keep = which < 0 ? count + which : qint64(which) - 1;
    if (keep < 0 || keep >= count)
        return;
    FDC = FSaved[std::size_t(keep)];
    FSaved.resize(std::size_t(keep));
    ApplyClip();
}

void TMetafilePlayer::CreateObject(TMetafileObject object, std::optional<quint32> index) {
    if (!index) {
        // Windows metafiles put a new object in the lowest free slot.
        quint32 slot = 0;
        for (const auto& used : FObjects) {
            if (used.first != slot)
                break;
            ++slot;
        }
        index = slot;
    }
    if (*index < FObjectSlots)
        FObjects[*index] = std::move(object);
}

const TMetafileObject* TMetafilePlayer::Object(quint32 index) const {
    const auto it = FObjects.find(index);
    return it == FObjects.end() ? nullptr : &it->second;
}

void TMetafilePlayer::SelectObject(quint32 index) {
    if (index & 0x80000000u) {
        SelectStockObject(index & 0x7FFFFFFFu);
        return;
    }
    const TMetafileObject* o = Object(index);
    if (!o)
        return;
    switch (o->Kind) {
    case TMetafileObject::TKind::Pen:
        FDC.Pen = o->Pen;
        break;
    case TMetafileObject::TKind::Brush:
        FDC.Brush = o->Brush;
        break;
    case TMetafileObject::TKind::Font:
        FDC.Font = o->Font;
        break;
    case TMetafileObject::TKind::Region:
        CombineClip(LogicalRegion(o->Region), TClipCombine::Copy);
        break;
    default:
        break;
    }
}

void TMetafilePlayer::DeleteObject(quint32 index) {
    FObjects.erase(index);
}

void TMetafilePlayer::SelectStockObject(quint32 number) {
    switch (number) {
    case 0:
        FDC.Brush = QBrush(Qt::white);
        break;
    case 1:
        FDC.Brush = QBrush(QColor(192, 192, 192));
        break;
    case 2:
        FDC.Brush = QBrush(QColor(128, 128, 128));
        break;
    case 3:
        FDC.Brush = QBrush(QColor(64, 64, 64));
        break;
    case 4:
        FDC.Brush = QBrush(Qt::black);
        break;
    case 5:
        FDC.Brush = Qt::NoBrush;
        break;
    case 6:
        FDC.Pen = QPen(QBrush(Qt::white), 0);
        break;
    case 7:
        FDC.Pen = QPen(QBrush(Qt::black), 0);
        break;
    case 8:
        FDC.Pen = Qt::NoPen;
        break;
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 16:
    case 17:
        FDC.Font = TMetafileFont();
        break;
    default:
        break;
    }
}

QTransform TMetafilePlayer::Mapping() const {
    double sx = 1, sy = 1;
    switch (FDC.MapMode) {
    // The metric modes: millimetres per logical unit.
    case MM_LOMETRIC:
        sx = 0.1;
        break;
    case MM_HIMETRIC:
        sx = 0.01;
        break;
    case MM_LOENGLISH:
        sx = 0.254;
        break;
    case MM_HIENGLISH:
        sx = 0.0254;
        break;
    case MM_TWIPS:
        sx = 25.4 / 1440;
        break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
        sx = ratio(FDC.ViewportExt.width(), FDC.WindowExt.width());
        sy = ratio(FDC.ViewportExt.height(), FDC.WindowExt.height());
        if (FDC.MapMode == MM_ISOTROPIC) {
            const double m = qMin(qAbs(sx), qAbs(sy));
            sx = sx < 0 ? -m : m;
            sy = sy < 0 ? -m : m;
        }
        break;
    default:
        break;
    }
    if (FDC.MapMode >= MM_LOMETRIC && FDC.MapMode <= MM_TWIPS) {
        // The metric modes count up from the bottom.
        sy = -sx * FPixelsPerMm.height();
        sx *= FPixelsPerMm.width();
    }
    return QTransform(sx, 0, 0, sy, FDC.ViewportOrg.x() - FDC.WindowOrg.x() * sx,
                      FDC.ViewportOrg.y() - FDC.WindowOrg.y() * sy);
}

QTransform TMetafilePlayer::LogicalToEntry() const {
    return FDC.World * Mapping() * FToDevice;
}

QTransform TMetafilePlayer::LogicalToPainter() const {
    return LogicalToEntry() * FEntry;
}

void TMetafilePlayer::Draw(const QPainterPath& path, bool fill, bool stroke) {
    if (FRecording) {
        FPath.addPath(path);
        return;
    }
    if (FInkSuppressed)
        return;
    UseTransform(LogicalToPainter());
    FPainter.setPen(stroke ? FDC.Pen : QPen(Qt::NoPen));
    if (fill && FDC.BkOpaque && FDC.Brush.style() > Qt::SolidPattern &&
        FDC.Brush.style() < Qt::LinearGradientPattern)
        FPainter.fillPath(path, FDC.BkColor); // hatches lie on the background colour
    FPainter.setBrush(fill ? FDC.Brush : QBrush(Qt::NoBrush));
    FPainter.drawPath(path);
}

void TMetafilePlayer::MoveTo(const QPointF& p) {
    FDC.Position = p;
    if (FRecording)
        FPath.moveTo(p);
}

void TMetafilePlayer::LineTo(const QPointF& p) {
    Polyline(QPolygonF{p}, true);
}

void TMetafilePlayer::Rectangle(const QRectF& r) {
    Draw(rectPath(r), true, true);
}

void TMetafilePlayer::RoundRect(const QRectF& r, const QSizeF& corner) {
    QPainterPath path;
    path.addRoundedRect(r.normalized(), qAbs(corner.width()) / 2, qAbs(corner.height()) / 2);
    Draw(path, true, true);
}

void TMetafilePlayer::Ellipse(const QRectF& r) {
    QPainterPath path;
    path.addEllipse(r.normalized());
    Draw(path, true, true);
}

void TMetafilePlayer::Arc(TArcKind kind, const QRectF& box, const QPointF& start,
                          const QPointF& end) {
    const QRectF r = box.normalized();
    const double from = arcAngle(r, start);
    double sweep = arcAngle(r, end) - from;
    while (sweep <= 0)
        sweep += 360; // arcs run counter-clockwise; equal ends make a whole ellipse
    QPainterPath path;
    if (kind == Pie)
        path.moveTo(r.center());
    else
        path.arcMoveTo(r, from);
    path.arcTo(r, from, sweep);
    if (kind != ArcOnly)
        path.closeSubpath();
    Draw(path, kind != ArcOnly, true);
}

void TMetafilePlayer::Polyline(const QPolygonF& points, bool fromPosition) {
    if (points.isEmpty())
        return;
    QPainterPath own;
    QPainterPath& path = FRecording && fromPosition ? OpenFigure() : own;
    if (&path == &own)
        own.moveTo(fromPosition ? FDC.Position : points.first());
    for (qsizetype i = fromPosition ? 0 : 1; i < points.size(); ++i)
        path.lineTo(points[i]);
    if (fromPosition)
        FDC.Position = points.last();
    if (&path == &own)
        Draw(own, false, true);
}

void TMetafilePlayer::PolyBezier(const QPolygonF& points, bool fromPosition) {
    const qsizetype first = fromPosition ? 0 : 1;
    if (points.size() < first + 3)
        return;
    QPainterPath own;
    QPainterPath& path = FRecording && fromPosition ? OpenFigure() : own;
    if (&path == &own)
        own.moveTo(fromPosition ? FDC.Position : points.first());
    qsizetype i = first;
    for (; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    if (fromPosition)
        FDC.Position = points[i - 1];
    if (&path == &own)
        Draw(own, false, true);
}

void TMetafilePlayer::PolyPolygon(const std::vector<QPolygonF>& polygons) {
    QPainterPath path;
    path.setFillRule(FDC.FillRule);
    for (const QPolygonF& polygon : polygons) {
        if (polygon.isEmpty())
            continue;
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    Draw(path, true, true);
}

void TMetafilePlayer::FillRegion(const QPainterPath& region, const QBrush& brush) {
    if (FRecording || FInkSuppressed)
        return;
    UseTransform(LogicalToPainter());
    FPainter.fillPath(region, brush);
}

void TMetafilePlayer::FillRect(const QRectF& r, const QBrush& brush) {
    if (FRecording || FInkSuppressed)
        return;
    UseTransform(LogicalToPainter());
    FPainter.fillRect(OnDevicePart(r.normalized()), brush);
}

void TMetafilePlayer::FillDevicePolygon(const QPolygonF& polygon, const QColor& color) {
    if (FRecording || FInkSuppressed)
        return;
    UseTransform(FToDevice * FEntry);
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    FPainter.fillPath(path, color);
}

QRectF TMetafilePlayer::OnDevicePart(const QRectF& rect) const {
    bool invertible = false;
    const QTransform fromDevice = FPainter.deviceTransform().inverted(&invertible);
    if (!invertible)
        return rect;
    // A pixel's margin keeps the edges where the rectangle has them.
    const QPaintDevice* device = FPainter.device();
    return rect & fromDevice.mapRect(QRectF(-1, -1, device->width() + 2, device->height() + 2));
}

bool TMetafilePlayer::OnDevice(const QRectF& rect) const {
    const QPaintDevice* device = FPainter.device();
    return FPainter.deviceTransform().mapRect(rect).intersects(
        QRectF(0, 0, device->width(), device->height()));
}
