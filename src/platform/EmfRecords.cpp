#include "platform/DibImage.h"
#include "platform/MetafilePlayer.h"
#include "platform/MetafileRecords.h"
#include "platform/Windows1252.h"

#include <uemf.h>

#include <cmath>

namespace {

constexpr quint32 ETO_OPAQUE = 0x0002;
constexpr quint32 PS_GEOMETRIC = 0x00010000;
constexpr quint32 MWT_SET = 4; // newer than the library's list
constexpr quint32 kSourceCopy = 0x00CC0020;

// One record, its 8-byte type and size included, so offsets match the documented layouts.
struct TRecord {
    TLittleEndianBytes B;
    double i(qsizetype at) const { return B.I32(at); }
    QPointF point(qsizetype at) const { return QPointF(B.I32(at), B.I32(at + 4)); }
    QSizeF size(qsizetype at) const { return QSizeF(B.I32(at), B.I32(at + 4)); }
    QRectF box(qsizetype at) const { return QRectF(point(at), point(at + 8)); }
    // A part the record points at with an offset and a byte count, or nothing.
    TLittleEndianBytes part(qsizetype offsetAt, qsizetype countAt) const {
        return B.Slice(B.U32(offsetAt), B.U32(countAt));
    }
};

QPolygonF points(const TLittleEndianBytes& b, qsizetype at, qint64 count, bool shortPoints) {
    const qsizetype size = shortPoints ? 4 : 8;
    QPolygonF polygon;
    if (count < 0 || !b.Has(at, count * size))
        return polygon;
    polygon.reserve(count);
    for (qsizetype k = 0; k < count; ++k) {
        const qsizetype p = at + k * size;
        polygon << (shortPoints ? QPointF(b.I16(p), b.I16(p + 2))
                                : QPointF(b.I32(p), b.I32(p + 4)));
    }
    return polygon;
}

std::vector<QPolygonF> polyPolygon(const TRecord& r, bool shortPoints) {
    const qint64 polygons = r.B.U32(24);
    std::vector<QPolygonF> all;
    if (!r.B.Has(32, polygons * 4))
        return all;
    qsizetype at = 32 + polygons * 4;
    for (qsizetype k = 0; k < polygons; ++k) {
        const qint64 count = r.B.U32(32 + 4 * k);
        QPolygonF polygon = points(r.B, at, count, shortPoints);
        if (polygon.size() != count)
            return {};
        all.push_back(std::move(polygon));
        at += count * (shortPoints ? 4 : 8);
    }
    return all;
}

std::optional<QTransform> xform(const TRecord& r, qsizetype at) {
    double v[6];
    for (int k = 0; k < 6; ++k) {
        v[k] = r.B.F32(at + 4 * k);
        if (!std::isfinite(v[k]) || std::abs(v[k]) > 1e9)
            return std::nullopt;
    }
    return QTransform(v[0], v[1], v[2], v[3], v[4], v[5]);
}

void modifyWorld(const TRecord& r, TMetafileDC& dc) {
    const std::optional<QTransform> x = xform(r, 8);
    switch (r.B.U32(32)) {
    case U_MWT_IDENTITY:
        dc.World = QTransform();
        break;
    case U_MWT_LEFTMULTIPLY:
        if (x)
            dc.World = *x * dc.World;
        break;
    case U_MWT_RIGHTMULTIPLY:
        if (x)
            dc.World = dc.World * *x;
        break;
    case MWT_SET:
        if (x)
            dc.World = *x;
        break;
    default:
        break;
    }
}

TMetafileObject font(const TRecord& r) {
    TMetafileObject o;
    o.Kind = TMetafileObject::TKind::Font;
    o.Font.Height = r.B.I32(12);
    o.Font.Escapement = r.B.I32(20);
    o.Font.Weight = r.B.I32(28);
    o.Font.Italic = r.B.U8(32);
    o.Font.Underline = r.B.U8(33);
    o.Font.StrikeOut = r.B.U8(34);
    QString face;
    for (qsizetype at = 40; at < 40 + 64 && r.B.Has(at, 2) && r.B.U16(at); at += 2)
        face += QChar(r.B.U16(at));
    if (!face.isEmpty())
        o.Font.Face = face;
    return o;
}

// The characters and their advances lie after the record's fixed part.
constexpr qsizetype kTextFixedPart = 76;

void text(const TRecord& r, bool wide, TMetafilePlayer& player) {
    const qint64 count = r.B.U32(44);
    const qsizetype stringAt = r.B.U32(48), dxAt = r.B.U32(72);
    const TLittleEndianBytes chars = stringAt >= kTextFixedPart
                                         ? r.B.Slice(stringAt, count * (wide ? 2 : 1))
                                         : TLittleEndianBytes(nullptr, 0);
    if (chars.Size() == 0 && count > 0)
        return;
    QString s;
    if (wide)
        for (qsizetype k = 0; k < count; ++k)
            s += QChar(chars.U16(2 * k));
    else
        s = FromWindows1252(chars.Data(), chars.Size());
    std::vector<double> dx;
    const TLittleEndianBytes advances =
        dxAt >= kTextFixedPart ? r.B.Slice(dxAt, count * 4) : TLittleEndianBytes(nullptr, 0);
    for (qsizetype k = 0; k < advances.Size() / 4; ++k)
        dx.push_back(advances.I32(4 * k));
    const QRectF box = r.box(56);
    player.Text(r.point(36), s, dx, (r.B.U32(52) & ETO_OPAQUE) ? &box : nullptr);
}

// Region data: a 32-byte header whose third field counts the rectangles that follow it.
std::optional<std::vector<QRectF>> regionRects(const TRecord& r, qsizetype at) {
    const qint64 count = r.B.U32(at + 8);
    if (!r.B.Has(at + 32, count * 16))
        return std::nullopt;
    std::vector<QRectF> rects;
    rects.reserve(std::size_t(count));
    for (qsizetype k = 0; k < count; ++k)
        rects.push_back(r.box(at + 32 + 16 * k));
    return rects;
}

void clipRegion(const TRecord& r, TMetafilePlayer& player) {
    const auto how = TClipCombine(qBound<quint32>(1, r.B.U32(12), 5));
    if (r.B.U32(8) == 0) { // no region data: only a copy, which ends clipping
        player.CombineClip(std::nullopt, how);
        return;
    }
    if (const std::optional<std::vector<QRectF>> rects = regionRects(r, 16))
        player.CombineClip(player.DeviceRegion(*rects), how);
}

// A region the record fills with a brush from the object table, or the selected one.
void fillRegion(const TRecord& r, TMetafilePlayer& player, qsizetype dataAt,
                std::optional<quint32> brush) {
    const std::optional<std::vector<QRectF>> rects = regionRects(r, dataAt);
    if (!rects)
        return;
    const TMetafileObject* o = brush ? player.Object(*brush) : nullptr;
    if (brush && (!o || o->Kind != TMetafileObject::TKind::Brush))
        return;
    player.FillRegion(RegionOf(*rects), o ? o->Brush : player.DC().Brush);
}

// Bit block transfers: the destination box, the raster operation and, when the record
// carries one, the source bitmap with its box.
void blit(const TRecord& r, TMetafilePlayer& player, QRectF dest, quint32 rop, QRectF source,
          qsizetype bmiAt, bool bottomUp) {
    const TDib dib{r.part(bmiAt, bmiAt + 4), r.part(bmiAt + 8, bmiAt + 12)};
    player.Bitmap(dest, dib, source, rop, bottomUp);
}

void alphaBlend(const TRecord& r, TMetafilePlayer& player) {
    constexpr quint8 AC_SRC_ALPHA = 1;
    const TDib dib{r.part(84, 88), r.part(92, 96)};
    player.AlphaBlend(QRectF(r.point(24), r.size(32)), dib, QRectF(r.point(44), r.size(100)),
                      r.B.U8(42), r.B.U8(43) & AC_SRC_ALPHA);
}

void createPen(const TRecord& r, TMetafilePlayer& player, bool extended) {
    TMetafileObject o;
    o.Kind = TMetafileObject::TKind::Pen;
    if (extended) {
        const quint32 style = r.B.U32(28);
        o.Pen = r.B.U32(36) == U_BS_NULL
                    ? QPen(Qt::NoPen)
                    : MetafilePen(style, (style & PS_GEOMETRIC) ? r.B.U32(32) : 0, r.B.U32(40));
    } else {
        o.Pen = MetafilePen(r.B.U32(12), r.B.I32(16), r.B.U32(24));
    }
    player.CreateObject(o, r.B.U32(8));
}

void createBrush(const TRecord& r, TMetafilePlayer& player, bool pattern) {
    TMetafileObject o;
    o.Kind = TMetafileObject::TKind::Brush;
    if (pattern) {
        const QImage image = TDib{r.part(16, 20), r.part(24, 28)}.DecodePattern();
        o.Brush = image.isNull() ? QBrush(Qt::black) : QBrush(image);
    } else {
        o.Brush = MetafileBrush(r.B.U32(12), r.B.U32(16), r.B.U32(20));
    }
    player.CreateObject(o, r.B.U32(8));
}

void play(quint32 type, const TRecord& r, TMetafilePlayer& player) {
    TMetafileDC& dc = player.DC();
    const bool shortPoints = type >= U_EMR_POLYBEZIER16 && type <= U_EMR_POLYPOLYGON16;
    switch (type) {
    case U_EMR_POLYBEZIER:
    case U_EMR_POLYBEZIER16:
        player.PolyBezier(points(r.B, 28, r.B.U32(24), shortPoints));
        break;
    case U_EMR_POLYBEZIERTO:
    case U_EMR_POLYBEZIERTO16:
        player.PolyBezier(points(r.B, 28, r.B.U32(24), shortPoints), true);
        break;
    case U_EMR_POLYGON:
    case U_EMR_POLYGON16:
        player.PolyPolygon({points(r.B, 28, r.B.U32(24), shortPoints)});
        break;
    case U_EMR_POLYLINE:
    case U_EMR_POLYLINE16:
        player.Polyline(points(r.B, 28, r.B.U32(24), shortPoints));
        break;
    case U_EMR_POLYLINETO:
    case U_EMR_POLYLINETO16:
        player.Polyline(points(r.B, 28, r.B.U32(24), shortPoints), true);
        break;
    case U_EMR_POLYPOLYLINE:
    case U_EMR_POLYPOLYLINE16:
        for (const QPolygonF& line : polyPolygon(r, shortPoints))
            player.Polyline(line);
        break;
    case U_EMR_POLYPOLYGON:
    case U_EMR_POLYPOLYGON16:
        player.PolyPolygon(polyPolygon(r, shortPoints));
        break;
    case U_EMR_SETWINDOWEXTEX:
        dc.WindowExt = r.size(8);
        break;
    case U_EMR_SETWINDOWORGEX:
        dc.WindowOrg = r.point(8);
        break;
    case U_EMR_SETVIEWPORTEXTEX:
        dc.ViewportExt = r.size(8);
        break;
    case U_EMR_SETVIEWPORTORGEX:
        dc.ViewportOrg = r.point(8);
        break;
    case U_EMR_SETMAPMODE:
        dc.MapMode = int(r.B.U32(8));
        break;
    case U_EMR_SETBKMODE:
        dc.BkOpaque = r.B.U32(8) == U_OPAQUE;
        break;
    case U_EMR_SETPOLYFILLMODE:
        dc.FillRule = r.B.U32(8) == U_WINDING ? Qt::WindingFill : Qt::OddEvenFill;
        break;
    case U_EMR_SETTEXTALIGN:
        dc.TextAlign = int(r.B.U32(8));
        break;
    case U_EMR_SETTEXTCOLOR:
        dc.TextColor = ColorFromRef(r.B.U32(8));
        break;
    case U_EMR_SETBKCOLOR:
        dc.BkColor = ColorFromRef(r.B.U32(8));
        break;
    case U_EMR_MOVETOEX:
        player.MoveTo(r.point(8));
        break;
    case U_EMR_LINETO:
        player.LineTo(r.point(8));
        break;
    case U_EMR_EXCLUDECLIPRECT:
        player.ExcludeClipRect(r.box(8));
        break;
    case U_EMR_INTERSECTCLIPRECT:
        player.IntersectClipRect(r.box(8));
        break;
    case U_EMR_SCALEWINDOWEXTEX:
    case U_EMR_SCALEVIEWPORTEXTEX: {
        if (r.i(12) == 0 || r.i(20) == 0)
            break;
        QSizeF& ext = type == U_EMR_SCALEWINDOWEXTEX ? dc.WindowExt : dc.ViewportExt;
        ext = QSizeF(ext.width() * r.i(8) / r.i(12), ext.height() * r.i(16) / r.i(20));
        break;
    }
    case U_EMR_SAVEDC:
        player.SaveDC();
        break;
    case U_EMR_RESTOREDC:
        player.RestoreDC(r.B.I32(8));
        break;
    case U_EMR_SETWORLDTRANSFORM:
        if (const std::optional<QTransform> x = xform(r, 8))
            dc.World = *x;
        break;
    case U_EMR_MODIFYWORLDTRANSFORM:
        modifyWorld(r, dc);
        break;
    case U_EMR_SELECTOBJECT:
        player.SelectObject(r.B.U32(8));
        break;
    case U_EMR_DELETEOBJECT:
        player.DeleteObject(r.B.U32(8));
        break;
    case U_EMR_CREATEPEN:
        createPen(r, player, false);
        break;
    case U_EMR_EXTCREATEPEN:
        createPen(r, player, true);
        break;
    case U_EMR_CREATEBRUSHINDIRECT:
        createBrush(r, player, false);
        break;
    case U_EMR_CREATEDIBPATTERNBRUSHPT:
        createBrush(r, player, true);
        break;
    case U_EMR_EXTCREATEFONTINDIRECTW:
        player.CreateObject(font(r), r.B.U32(8));
        break;
    case U_EMR_ELLIPSE:
        player.Ellipse(r.box(8));
        break;
    case U_EMR_RECTANGLE:
        player.Rectangle(r.box(8));
        break;
    case U_EMR_ROUNDRECT:
        player.RoundRect(r.box(8), r.size(24));
        break;
    case U_EMR_ARC:
        player.Arc(TMetafilePlayer::ArcOnly, r.box(8), r.point(24), r.point(32));
        break;
    case U_EMR_CHORD:
        player.Arc(TMetafilePlayer::Chord, r.box(8), r.point(24), r.point(32));
        break;
    case U_EMR_PIE:
        player.Arc(TMetafilePlayer::Pie, r.box(8), r.point(24), r.point(32));
        break;
    case U_EMR_BEGINPATH:
        player.BeginPath();
        break;
    case U_EMR_ENDPATH:
        player.EndPath();
        break;
    case U_EMR_CLOSEFIGURE:
        player.CloseFigure();
        break;
    case U_EMR_FILLPATH:
        player.DrawCollectedPath(true, false);
        break;
    case U_EMR_STROKEANDFILLPATH:
        player.DrawCollectedPath(true, true);
        break;
    case U_EMR_STROKEPATH:
        player.DrawCollectedPath(false, true);
        break;
    case U_EMR_SELECTCLIPPATH:
        player.ClipToCollectedPath(TClipCombine(qBound<quint32>(1, r.B.U32(8), 5)));
        break;
    case U_EMR_ABORTPATH:
        player.AbortPath();
        break;
    case U_EMR_OFFSETCLIPRGN:
        player.OffsetClip(r.point(8));
        break;
    case U_EMR_FILLRGN:
        fillRegion(r, player, 32, r.B.U32(28));
        break;
    case U_EMR_PAINTRGN:
        fillRegion(r, player, 28, std::nullopt);
        break;
    case U_EMR_EXTSELECTCLIPRGN:
        clipRegion(r, player);
        break;
    case U_EMR_EXTTEXTOUTA:
        text(r, false, player);
        break;
    case U_EMR_EXTTEXTOUTW:
        text(r, true, player);
        break;
    case U_EMR_BITBLT:
        blit(r, player, QRectF(r.point(24), r.size(32)), r.B.U32(40),
             QRectF(r.point(44), r.size(32)), 84, false);
        break;
    case U_EMR_STRETCHBLT:
        blit(r, player, QRectF(r.point(24), r.size(32)), r.B.U32(40),
             QRectF(r.point(44), r.size(100)), 84, false);
        break;
    case U_EMR_STRETCHDIBITS:
        blit(r, player, QRectF(r.point(24), r.size(72)), r.B.U32(68),
             QRectF(r.point(32), r.size(40)), 48, true);
        break;
    case U_EMR_SETDIBITSTODEVICE:
        blit(r, player, QRectF(r.point(24), r.size(40)), kSourceCopy,
             QRectF(r.point(32), r.size(40)), 48, true);
        break;
    case U_EMR_ALPHABLEND:
        alphaBlend(r, player);
        break;
    default:
        break;
    }
}

} // namespace

void PlayEmfRecords(const TLittleEndianBytes& bytes, TMetafilePlayer& player) {
    constexpr quint32 kEmfPlusKey = 0x2B464D45; // "EMF+"
    TEmfPlusState emfPlus;
    qsizetype at = 0;
    while (bytes.Has(at, 8)) {
        const quint32 type = bytes.U32(at);
        const qint64 size = bytes.U32(at + 4);
        if (size < 8 || size % 4 != 0 || !bytes.Has(at, size) || type == U_EMR_EOF)
            return;
        // Comments (EMF+ among them) are not drawn: the plain records that follow them
        // draw the picture. A held mask pairs only with the bitmap record right after it.
        if (type != U_EMR_STRETCHDIBITS && type != U_EMR_BITBLT && type != U_EMR_STRETCHBLT &&
            type != U_EMR_COMMENT)
            player.FlushHeldBitmap();
        const TRecord record{bytes.Slice(at, size)};
        if (type == U_EMR_COMMENT && record.B.U32(12) == kEmfPlusKey)
            PlayEmfPlusRecords(record.B.Slice(16, qMin<qint64>(record.B.U32(8), size - 12) - 4),
                               emfPlus, player);
        else
            play(type, record, player);
        at += size;
    }
}
