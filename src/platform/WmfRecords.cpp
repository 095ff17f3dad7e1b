#include "platform/DibImage.h"
#include "platform/MetafilePlayer.h"
#include "platform/MetafileRecords.h"
#include "platform/Windows1252.h"

#include <uwmf.h>

namespace {

constexpr quint16 ETO_OPAQUE = 0x0002, ETO_CLIPPED = 0x0004;

// The parameters of one record. Windows metafiles store them last first, so p(0) is the
// last argument of the drawing call.
struct TParams {
    TLittleEndianBytes B;
    qint16 p(int i) const { return B.I16(2 * qsizetype(i)); }
    QPointF point(int yIndex) const { return QPointF(p(yIndex + 1), p(yIndex)); }
    // left, top, right, bottom stored as bottom, right, top, left from index i on.
    QRectF box(int i) const { return QRectF(QPointF(p(i + 3), p(i + 2)), QPointF(p(i + 1), p(i))); }
};

QPolygonF points(const TLittleEndianBytes& b, qsizetype at, qsizetype count) {
    QPolygonF polygon;
    if (!b.Has(at, count * 4))
        return polygon;
    polygon.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        polygon << QPointF(b.I16(at + 4 * i), b.I16(at + 4 * i + 2));
    return polygon;
}

void polyPolygon(const TParams& r, TMetafilePlayer& player) {
    const qsizetype polygons = r.B.U16(0);
    if (!r.B.Has(2, polygons * 2))
        return;
    std::vector<QPolygonF> all;
    qsizetype at = 2 + polygons * 2;
    for (qsizetype i = 0; i < polygons; ++i) {
        const qsizetype count = r.B.U16(2 + 2 * i);
        if (!r.B.Has(at, count * 4))
            return;
        all.push_back(points(r.B, at, count));
        at += count * 4;
    }
    player.PolyPolygon(all);
}

void text(const TParams& r, TMetafilePlayer& player) {
    const qsizetype length = qMax<qint16>(r.p(0), 0);
    const qsizetype after = 2 + length + (length & 1);
    if (!r.B.Has(after, 4))
        return;
    player.Text(QPointF(r.B.I16(after + 2), r.B.I16(after)),
                FromWindows1252(r.B.Data() + 2, length), {});
}

void extText(const TParams& r, TMetafilePlayer& player) {
    const QPointF at(r.p(1), r.p(0));
    const qsizetype length = qMax<qint16>(r.p(2), 0);
    const quint16 options = r.B.U16(6);
    qsizetype offset = 8;
    std::optional<QRectF> box;
    if (options & (ETO_OPAQUE | ETO_CLIPPED)) {
        box = QRectF(QPointF(r.p(4), r.p(5)), QPointF(r.p(6), r.p(7)));
        offset += 8;
    }
    if (!r.B.Has(offset, length))
        return;
    const QString s = FromWindows1252(r.B.Data() + offset, length);
    offset += length + (length & 1);
    std::vector<double> dx;
    if (r.B.Has(offset, length * 2))
        for (qsizetype i = 0; i < length; ++i)
            dx.push_back(r.B.I16(offset + 2 * i));
    player.Text(at, s, dx, box && (options & ETO_OPAQUE) ? &*box : nullptr);
}

TMetafileObject font(const TParams& r) {
    TMetafileObject o;
    o.Kind = TMetafileObject::TKind::Font;
    o.Font.Height = r.p(0);
    o.Font.Escapement = r.p(2);
    o.Font.Weight = r.p(4);
    o.Font.Italic = r.B.U8(10);
    o.Font.Underline = r.B.U8(11);
    o.Font.StrikeOut = r.B.U8(12);
    const TLittleEndianBytes face = r.B.Slice(18, qMin<qsizetype>(32, r.B.Size() - 18));
    const qsizetype end = QByteArrayView(face.Data(), face.Size()).indexOf('\0');
    const QString name = FromWindows1252(face.Data(), end < 0 ? face.Size() : end);
    if (!name.isEmpty())
        o.Font.Face = name;
    return o;
}

// A bitmap record: the destination and source boxes, then the packed bitmap at dibAt.
void bitmap(const TParams& r, TMetafilePlayer& player, QRectF dest, QRectF source, qsizetype dibAt,
            bool bottomUp) {
    const TDib dib = TDib::Packed(r.B.Slice(dibAt, r.B.Size() - dibAt));
    player.Bitmap(dest, dib, source, r.B.U32(0), bottomUp);
}

// A region object: a header, then scans of equal height, each a run of left-right pairs.
TMetafileObject region(const TParams& r) {
    TMetafileObject o;
    o.Kind = TMetafileObject::TKind::Region;
    o.Region.setFillRule(Qt::WindingFill);
    const qsizetype scans = qMax<qint16>(r.p(5), 0);
    qsizetype at = 22;
    for (qsizetype k = 0; k < scans && r.B.Has(at, 6); ++k) {
        const qsizetype count = r.B.U16(at);
        const double top = r.B.I16(at + 2), bottom = r.B.I16(at + 4);
        if (!r.B.Has(at + 6, count * 2 + 2))
            break;
        for (qsizetype x = 0; x + 1 < count; x += 2)
            o.Region.addRect(QRectF(QPointF(r.B.I16(at + 6 + 2 * x), top),
                                    QPointF(r.B.I16(at + 8 + 2 * x), bottom)));
        at += 6 + count * 2 + 2;
    }
    return o;
}

// The clip becomes the region object at index, or nothing when it holds no region.
void selectClipRegion(TMetafilePlayer& player, quint16 index) {
    const TMetafileObject* o = player.Object(index);
    if (o && o->Kind == TMetafileObject::TKind::Region)
        player.CombineClip(player.LogicalRegion(o->Region), TClipCombine::Copy);
    else
        player.CombineClip(std::nullopt, TClipCombine::Copy);
}

void fillRegion(TMetafilePlayer& player, quint16 regionIndex, std::optional<quint16> brush) {
    const TMetafileObject* o = player.Object(regionIndex);
    const TMetafileObject* b = brush ? player.Object(*brush) : nullptr;
    if (!o || o->Kind != TMetafileObject::TKind::Region ||
        (brush && (!b || b->Kind != TMetafileObject::TKind::Brush)))
        return;
    player.FillRegion(o->Region, b ? b->Brush : player.DC().Brush);
}

void play(quint16 function, const TParams& r, TMetafilePlayer& player) {
    TMetafileDC& dc = player.DC();
    switch (function & U_WMR_MASK) {
    case U_WMR_SETBKCOLOR:
        dc.BkColor = ColorFromRef(r.B.U32(0));
        break;
    case U_WMR_SETBKMODE:
        dc.BkOpaque = r.B.U16(0) == 2;
        break;
    // The viewport is the target; the window alone places the picture.
    case U_WMR_SETMAPMODE:
        dc.MapMode = r.B.U16(0) == 7 ? 7 : 8;
        break;
    case U_WMR_SETPOLYFILLMODE:
        dc.FillRule = r.B.U16(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        break;
    case U_WMR_SETTEXTALIGN:
        dc.TextAlign = r.B.U16(0);
        break;
    case U_WMR_SETTEXTCOLOR:
        dc.TextColor = ColorFromRef(r.B.U32(0));
        break;
    case U_WMR_SETWINDOWORG:
        dc.WindowOrg = r.point(0);
        break;
    case U_WMR_SETWINDOWEXT:
        dc.WindowExt = QSizeF(r.p(1), r.p(0));
        break;
    case U_WMR_OFFSETWINDOWORG:
        dc.WindowOrg += r.point(0);
        break;
    case U_WMR_SCALEWINDOWEXT:
        if (r.p(0) != 0 && r.p(2) != 0)
            dc.WindowExt = QSizeF(dc.WindowExt.width() * r.p(3) / r.p(2),
                                  dc.WindowExt.height() * r.p(1) / r.p(0));
        break;
    case U_WMR_MOVETO:
        player.MoveTo(r.point(0));
        break;
    case U_WMR_LINETO:
        player.LineTo(r.point(0));
        break;
    case U_WMR_EXCLUDECLIPRECT:
        player.ExcludeClipRect(r.box(0));
        break;
    case U_WMR_INTERSECTCLIPRECT:
        player.IntersectClipRect(r.box(0));
        break;
    case U_WMR_ARC:
        player.Arc(TMetafilePlayer::ArcOnly, r.box(4), r.point(2), r.point(0));
        break;
    case U_WMR_CHORD:
        player.Arc(TMetafilePlayer::Chord, r.box(4), r.point(2), r.point(0));
        break;
    case U_WMR_PIE:
        player.Arc(TMetafilePlayer::Pie, r.box(4), r.point(2), r.point(0));
        break;
    case U_WMR_ELLIPSE:
        player.Ellipse(r.box(0));
        break;
    case U_WMR_RECTANGLE:
        player.Rectangle(r.box(0));
        break;
    case U_WMR_ROUNDRECT:
        player.RoundRect(r.box(2), QSizeF(r.p(1), r.p(0)));
        break;
    case U_WMR_PATBLT:
        player.Bitmap(QRectF(r.p(5), r.p(4), r.p(3), r.p(2)), TDib(), {}, r.B.U32(0), false);
        break;
    case U_WMR_SAVEDC:
        player.SaveDC();
        break;
    case U_WMR_RESTOREDC:
        player.RestoreDC(r.p(0));
        break;
    case U_WMR_TEXTOUT:
        text(r, player);
        break;
    case U_WMR_EXTTEXTOUT:
        extText(r, player);
        break;
    case U_WMR_POLYGON: {
        const QPolygonF polygon = points(r.B, 2, r.B.U16(0));
        player.PolyPolygon({polygon});
        break;
    }
    case U_WMR_POLYLINE:
        player.Polyline(points(r.B, 2, r.B.U16(0)));
        break;
    case U_WMR_POLYPOLYGON:
        polyPolygon(r, player);
        break;
    case U_WMR_SELECTOBJECT:
        player.SelectObject(r.B.U16(0));
        break;
    case U_WMR_DELETEOBJECT:
        player.DeleteObject(r.B.U16(0));
        break;
    case U_WMR_CREATEPENINDIRECT: {
        TMetafileObject o;
        o.Kind = TMetafileObject::TKind::Pen;
        o.Pen = MetafilePen(r.B.U16(0), r.p(1), r.B.U32(6));
        player.CreateObject(o);
        break;
    }
    case U_WMR_CREATEBRUSHINDIRECT: {
        TMetafileObject o;
        o.Kind = TMetafileObject::TKind::Brush;
        o.Brush = MetafileBrush(r.B.U16(0), r.B.U32(2), r.B.U16(6));
        player.CreateObject(o);
        break;
    }
    case U_WMR_DIBCREATEPATTERNBRUSH: {
        TMetafileObject o;
        o.Kind = TMetafileObject::TKind::Brush;
        const QImage pattern = TDib::Packed(r.B.Slice(4, r.B.Size() - 4)).DecodePattern();
        o.Brush = pattern.isNull() ? QBrush(Qt::black) : QBrush(pattern);
        player.CreateObject(o);
        break;
    }
    case U_WMR_CREATEFONTINDIRECT:
        player.CreateObject(font(r));
        break;
    case U_WMR_CREATEREGION:
        player.CreateObject(region(r));
        break;
    case U_WMR_SELECTCLIPREGION:
        selectClipRegion(player, r.B.U16(0));
        break;
    case U_WMR_OFFSETCLIPRGN:
        player.OffsetClip(r.point(0));
        break;
    case U_WMR_FILLREGION:
        fillRegion(player, r.B.U16(0), r.B.U16(2));
        break;
    case U_WMR_PAINTREGION:
        fillRegion(player, r.B.U16(0), std::nullopt);
        break;
    // Palettes and old-style pattern brushes take a slot but draw nothing.
    case U_WMR_CREATEPALETTE:
    case U_WMR_CREATEPATTERNBRUSH: {
        TMetafileObject o;
        o.Kind = TMetafileObject::TKind::Other;
        player.CreateObject(o);
        break;
    }
    // Without a bitmap (a record exactly as long as its fixed part) the raster operation
    // paints with the brush alone.
    case U_WMR_DIBBITBLT:
        if (r.B.Size() > 18)
            bitmap(r, player, QRectF(r.p(7), r.p(6), r.p(5), r.p(4)),
                   QRectF(r.p(3), r.p(2), r.p(5), r.p(4)), 16, false);
        else
            player.Bitmap(QRectF(r.p(8), r.p(7), r.p(6), r.p(5)), TDib(), {}, r.B.U32(0), false);
        break;
    case U_WMR_DIBSTRETCHBLT:
        if (r.B.Size() > 22)
            bitmap(r, player, QRectF(r.p(9), r.p(8), r.p(7), r.p(6)),
                   QRectF(r.p(5), r.p(4), r.p(3), r.p(2)), 20, false);
        else
            player.Bitmap(QRectF(r.p(10), r.p(9), r.p(8), r.p(7)), TDib(), {}, r.B.U32(0), false);
        break;
    case U_WMR_STRETCHDIB:
        bitmap(r, player, QRectF(r.p(10), r.p(9), r.p(8), r.p(7)),
               QRectF(r.p(6), r.p(5), r.p(4), r.p(3)), 22, true);
        break;
    default:
        break;
    }
}

} // namespace

void PlayWmfRecords(const TLittleEndianBytes& bytes, qsizetype first, TMetafilePlayer& player) {
    qsizetype at = first;
    while (bytes.Has(at, 6)) {
        const qint64 size = qint64(bytes.U32(at)) * 2; // the size counts 16-bit words
        const quint16 function = bytes.U16(at + 4);
        if (size < 6 || !bytes.Has(at, size) || function == 0)
            return;
        // A held mask pairs only with the bitmap record right after it.
        const int kind = function & U_WMR_MASK;
        if (kind != U_WMR_STRETCHDIB && kind != U_WMR_DIBSTRETCHBLT && kind != U_WMR_DIBBITBLT)
            player.FlushHeldBitmap();
        play(function, TParams{bytes.Slice(at + 6, size - 6)}, player);
        at += size;
    }
}

QByteArray EmbeddedEnhancedMetafile(const TLittleEndianBytes& bytes, qsizetype first) {
    constexpr quint16 MFCOMMENT = 0x000F;
    constexpr quint32 kEmbeddedKey = 0x43464D57; // "WMFC"
    constexpr qsizetype kChunkHeader = 34;
    QByteArray emf;
    qint64 total = -1, chunks = 0, declaredChunks = 0;
    qsizetype at = first;
    while (bytes.Has(at, 6)) {
        const qint64 size = qint64(bytes.U32(at)) * 2;
        const quint16 function = bytes.U16(at + 4);
        if (size < 6 || !bytes.Has(at, size) || function == 0)
            break;
        const TLittleEndianBytes escape = bytes.Slice(at + 6, size - 6);
        const TLittleEndianBytes data =
            escape.Slice(4, qMin<qsizetype>(escape.U16(2), escape.Size() - 4));
        if ((function & U_WMR_MASK) == U_WMR_ESCAPE && escape.U16(0) == MFCOMMENT &&
            data.U32(0) == kEmbeddedKey && data.Has(0, kChunkHeader)) {
            const qint64 chunk = data.U32(22), whole = data.U32(30);
            // The chunks come in order and agree on the whole size; any that does not ends
            // the attempt, and the records draw the picture instead.
            if ((total >= 0 && whole != total) || !data.Has(kChunkHeader, chunk) ||
                emf.size() + chunk > whole)
                return {};
            total = whole;
            declaredChunks = data.U32(18);
            emf.append(data.Data() + kChunkHeader, chunk);
            ++chunks;
        }
        at += size;
    }
    // Only an enhanced metafile is taken: a Windows one nested inside would nest again.
    constexpr quint32 kEmfHeaderType = 1;
    if (total <= 0 || emf.size() != total || chunks != declaredChunks ||
        TLittleEndianBytes(emf.constData(), emf.size()).U32(0) != kEmfHeaderType)
        return {};
    return emf;
}
