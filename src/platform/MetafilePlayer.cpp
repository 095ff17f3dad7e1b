#include "platform/MetafilePlayer.h"

#include <QFontMetricsF>
#include <QHash>
#include <QtMath>

#include <algorithm>

namespace {

// Saved states and object slots are bounded whatever a file asks for.
constexpr std::size_t kMaxSavedStates = 256;
constexpr int kMaxObjects = 65536;
// Text is shaped at this pixel size and scaled, so every size draws the same glyphs.
constexpr double kReferencePixels = 256;
// A region larger than any drawing, for excluding from "everything".
const QRectF kEverything(-1e7, -1e7, 2e7, 2e7);

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
enum { TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24 };

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

double length(const QTransform& t, double dx, double dy) {
    const QPointF v = t.map(QPointF(dx, dy)) - t.map(QPointF(0, 0));
    return std::hypot(v.x(), v.y());
}

// The outlines of text in font, in reference pixels on the baseline from x = 0; starts gives
// where each character begins, or is empty to set the text as a whole.
QPainterPath glyphOutlines(const QFont& font, const QString& text,
                           const std::vector<double>& starts) {
    QPainterPath glyphs;
    if (starts.empty()) {
        glyphs.addText(0, 0, font, text);
        return glyphs;
    }
    // Each character is shaped once; repeats reuse its outline. Glyph outlines fill by
    // winding, as text added whole does.
    glyphs.setFillRule(Qt::WindingFill);
    QHash<char16_t, QPainterPath> outlines;
    for (qsizetype i = 0; i < text.size(); ++i) {
        auto outline = outlines.find(text[i].unicode());
        if (outline == outlines.end()) {
            QPainterPath path;
            path.addText(0, 0, font, text.mid(i, 1));
            outline = outlines.insert(text[i].unicode(), path);
        }
        glyphs.addPath(outline->translated(starts[std::size_t(i)], 0));
    }
    return glyphs;
}

} // namespace

QColor ColorFromRef(quint32 colorRef) {
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

QPen MetafilePen(quint32 style, double width, quint32 colorRef) {
    static const Qt::PenStyle styles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                          Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen,
                                          Qt::SolidLine};
    const quint32 s = style & 0x0F;
    QPen pen(ColorFromRef(colorRef), width <= 1 ? 0 : width, s < 7 ? styles[s] : Qt::SolidLine);
    static const Qt::PenCapStyle caps[] = {Qt::RoundCap, Qt::SquareCap, Qt::FlatCap};
    static const Qt::PenJoinStyle joins[] = {Qt::RoundJoin, Qt::BevelJoin, Qt::MiterJoin};
    pen.setCapStyle(caps[qMin<quint32>((style >> 8) & 0x0F, 2)]);
    pen.setJoinStyle(joins[qMin<quint32>((style >> 12) & 0x0F, 2)]);
    return pen;
}

QBrush MetafileBrush(quint32 style, quint32 colorRef, quint32 hatch) {
    static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                             Qt::FDiagPattern, Qt::BDiagPattern,
                                             Qt::CrossPattern, Qt::DiagCrossPattern};
    switch (style) {
    case 1: // BS_NULL
        return Qt::NoBrush;
    case 2: // BS_HATCHED
        return QBrush(ColorFromRef(colorRef), hatch < 6 ? hatches[hatch] : Qt::SolidPattern);
    default:
        return QBrush(ColorFromRef(colorRef));
    }
}

TMetafilePlayer::TMetafilePlayer(QPainter& painter, const QTransform& toPainter, QSizeF pixelsPerMm,
                                 int objectSlots, const QRectF& target)
    : FPainter(painter), FEntry(painter.worldTransform()), FToDevice(toPainter),
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

void TMetafilePlayer::SelectObject(quint32 index) {
    if (index & 0x80000000u) {
        SelectStockObject(index & 0x7FFFFFFFu);
        return;
    }
    const auto it = FObjects.find(index);
    if (it == FObjects.end())
        return;
    const TMetafileObject& o = it->second;
    switch (o.Kind) {
    case TMetafileObject::TKind::Pen:
        FDC.Pen = o.Pen;
        break;
    case TMetafileObject::TKind::Brush:
        FDC.Brush = o.Brush;
        break;
    case TMetafileObject::TKind::Font:
        FDC.Font = o.Font;
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

QTransform TMetafilePlayer::LogicalToPainter() const {
    return FDC.World * Mapping() * FToDevice * FEntry;
}

void TMetafilePlayer::Draw(const QPainterPath& path, bool fill, bool stroke) {
    if (FRecording) {
        FPath.addPath(path);
        return;
    }
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
    if (FRecording) {
        if (FPath.elementCount() == 0)
            FPath.moveTo(FDC.Position);
        FPath.lineTo(p);
    } else {
        QPainterPath line(FDC.Position);
        line.lineTo(p);
        Draw(line, false, true);
    }
    FDC.Position = p;
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
    QPainterPath path(fromPosition ? FDC.Position : points.first());
    for (qsizetype i = fromPosition ? 0 : 1; i < points.size(); ++i)
        path.lineTo(points[i]);
    if (fromPosition)
        FDC.Position = points.last();
    Draw(path, false, true);
}

void TMetafilePlayer::PolyBezier(const QPolygonF& points, bool fromPosition) {
    const qsizetype first = fromPosition ? 0 : 1;
    if (points.size() < first + 3)
        return;
    QPainterPath path(fromPosition ? FDC.Position : points.first());
    qsizetype i = first;
    for (; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    if (fromPosition)
        FDC.Position = points[i - 1];
    Draw(path, false, true);
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

void TMetafilePlayer::Text(QPointF p, const QString& text, const std::vector<double>& dx,
                           const QRectF* opaqueBox) {
    if (opaqueBox)
        FillRect(*opaqueBox, FDC.BkColor);
    if (text.isEmpty())
        return;
    if (FDC.TextAlign & TA_UPDATECP)
        p = FDC.Position;
    QFont font(FDC.Font.Face);
    font.setPixelSize(int(kReferencePixels));
    // Weight 0 means the normal weight.
    font.setWeight(QFont::Weight(FDC.Font.Weight == 0 ? 400 : qBound(1, FDC.Font.Weight, 1000)));
    font.setItalic(FDC.Font.Italic);
    font.setUnderline(FDC.Font.Underline);
    font.setStrikeOut(FDC.Font.StrikeOut);
    const QFontMetricsF fm(font);
    double em = qAbs(FDC.Font.Height);
    if (FDC.Font.Height > 0)
        em = FDC.Font.Height * kReferencePixels / fm.height();
    if (em == 0)
        em = 12;
    const double unit = em / kReferencePixels; // logical units per reference pixel

    // Where each character starts, in reference pixels on the baseline from x = 0, and
    // where the text ends.
    std::vector<double> starts;
    double x = 0;
    if (dx.empty()) {
        x = fm.horizontalAdvance(text);
    } else {
        starts.reserve(std::size_t(text.size()));
        for (qsizetype i = 0; i < text.size(); ++i) {
            starts.push_back(x);
            x += std::size_t(i) < dx.size() ? dx[std::size_t(i)] / unit
                                            : fm.horizontalAdvance(text[i]);
        }
    }
    const int align = FDC.TextAlign;
    double left = 0, baseline = fm.ascent();
    if ((align & TA_CENTER) == TA_CENTER)
        left = -x / 2;
    else if (align & TA_RIGHT)
        left = -x;
    if ((align & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (align & TA_BOTTOM)
        baseline = -fm.descent();

    // Glyphs keep their upright shape whatever way the mapping turns the axes.
    const QTransform toPainter = LogicalToPainter();
    const QPointF at = toPainter.map(p);
    QTransform place;
    place.translate(at.x(), at.y());
    place.rotate(-FDC.Font.Escapement / 10.0);
    place.scale(unit * length(toPainter, 1, 0), unit * length(toPainter, 0, 1));
    place.translate(left, baseline);
    if (FRecording) {
        FPath.addPath((place * toPainter.inverted()).map(glyphOutlines(font, text, starts)));
    } else {
        FPainter.setWorldTransform(place);
        const QRectF box(0, -fm.ascent(), x, fm.height());
        // Text that lands wholly off the device is not shaped at all. Characters may be
        // placed backwards, so the span runs over every start; a margin of the font's
        // widest glyph and a line's height holds any glyph that reaches out of it.
        const auto [first, last] = std::minmax_element(starts.cbegin(), starts.cend());
        const double from = qMin(0.0, qMin(x, starts.empty() ? 0.0 : *first));
        const double to = qMax(0.0, qMax(x, starts.empty() ? 0.0 : *last));
        const double reach = qMax(fm.height(), fm.maxWidth());
        if (OnDevice(QRectF(from - reach, -fm.ascent() - reach, to - from + 2 * reach,
                            fm.height() + 2 * reach))) {
            if (FDC.BkOpaque)
                FPainter.fillRect(OnDevicePart(box), FDC.BkColor);
            FPainter.fillPath(glyphOutlines(font, text, starts), FDC.TextColor);
        }
    }
    if (align & TA_UPDATECP)
        FDC.Position = QPointF(p.x() + (left + x) * unit, p.y());
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

void TMetafilePlayer::StretchImage(const QRectF& dest, const QImage& image, const QRectF& source) {
    if (FRecording)
        return;
    if (image.isNull()) {
        FillRect(dest, FDC.Brush);
        return;
    }
    UseTransform(LogicalToPainter());
    // A negative width or height mirrors the picture.
    QTransform mirror;
    mirror.translate(dest.x(), dest.y());
    mirror.scale(dest.width() < 0 ? -1 : 1, dest.height() < 0 ? -1 : 1);
    FPainter.setWorldTransform(mirror * LogicalToPainter());
    FPainter.drawImage(QRectF(0, 0, qAbs(dest.width()), qAbs(dest.height())), image, source);
}

void TMetafilePlayer::FillRect(const QRectF& r, const QBrush& brush) {
    if (FRecording)
        return;
    UseTransform(LogicalToPainter());
    FPainter.fillRect(OnDevicePart(r.normalized()), brush);
}

bool TMetafilePlayer::FillByRasterOp(const QRectF& dest, quint32 rop) {
    constexpr quint32 BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062;
    if (rop != BLACKNESS && rop != WHITENESS)
        return false;
    FillRect(dest, rop == BLACKNESS ? Qt::black : Qt::white);
    return true;
}

void TMetafilePlayer::ApplyClip() {
    UseTransform(FEntry);
    if (FEntryClip) {
        FPainter.setClipPath(*FEntryClip);
        if (FDC.Clip)
            FPainter.setClipPath(*FDC.Clip, Qt::IntersectClip);
    } else if (FDC.Clip) {
        FPainter.setClipPath(*FDC.Clip);
    } else {
        FPainter.setClipping(false);
    }
}

void TMetafilePlayer::IntersectClipRect(const QRectF& r) {
    const QPainterPath area = (FDC.World * Mapping() * FToDevice).map(rectPath(r));
    FDC.Clip = FDC.Clip ? FDC.Clip->intersected(area) : area;
    ApplyClip();
}

void TMetafilePlayer::ExcludeClipRect(const QRectF& r) {
    const QPainterPath area = (FDC.World * Mapping() * FToDevice).map(rectPath(r));
    FDC.Clip = (FDC.Clip ? *FDC.Clip : rectPath(kEverything)).subtracted(area);
    ApplyClip();
}

void TMetafilePlayer::SetClipRegion(const std::optional<QPainterPath>& deviceRegion) {
    FDC.Clip = deviceRegion;
    ApplyClip();
}

QPainterPath TMetafilePlayer::DeviceRegion(const std::vector<QRectF>& deviceRects) const {
    QPainterPath region;
    for (const QRectF& r : deviceRects)
        region.addRect(r.normalized());
    return FToDevice.map(region.simplified());
}

void TMetafilePlayer::BeginPath() {
    FPath = QPainterPath();
    FPath.setFillRule(FDC.FillRule);
    FRecording = true;
}

void TMetafilePlayer::DrawCollectedPath(bool fill, bool stroke) {
    FRecording = false;
    FPath.setFillRule(FDC.FillRule);
    Draw(FPath, fill, stroke);
    FPath = QPainterPath();
}

void TMetafilePlayer::ClipToCollectedPath() {
    FRecording = false;
    FPath.setFillRule(FDC.FillRule);
    const QPainterPath area = (FDC.World * Mapping() * FToDevice).map(FPath);
    FDC.Clip = FDC.Clip ? FDC.Clip->intersected(area) : area;
    FPath = QPainterPath();
    ApplyClip();
}
