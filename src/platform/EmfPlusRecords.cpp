#include "platform/MetafilePlayer.h"
#include "platform/MetafileRecords.h"

// EMF+ records ride in the comments of an enhanced metafile, each drawing followed by plain
// records that say the same with less (no transparency, for one). The fills this player
// understands are drawn from the EMF+ record and their plain stand-ins are not; everything
// else is left to the plain records, so a picture never loses what they draw.

namespace {

enum : quint16 {
    Header = 0x4001,
    EndOfFile = 0x4002,
    Comment = 0x4003,
    GetDC = 0x4004,
    FillPolygon = 0x400C,
    SetAntiAliasMode = 0x401E,
    SetTextRenderingHint = 0x401F,
    SetTextContrast = 0x4020,
    SetInterpolationMode = 0x4021,
    SetPixelOffsetMode = 0x4022,
    SetCompositingQuality = 0x4024,
    // The records that change where or how later records draw.
    FirstStateRecord = 0x4025, // Save, Restore, containers, transforms, clips
    LastStateRecord = 0x4035,
};

constexpr quint16 kSolidColor = 0x8000, kShortPoints = 0x4000, kRelativePoints = 0x0800;
constexpr qsizetype kRecordHeader = 12;

// A polygon filled with a colour of its own (alpha included), in the device units the plain
// records map to (no page or world transform has been set); nothing when
// the record fills with a brush object or packs its points relative to each other.
std::optional<QPolygonF> solidPolygon(const TLittleEndianBytes& data, quint16 flags) {
    if (!(flags & kSolidColor) || (flags & kRelativePoints))
        return std::nullopt;
    const qint64 count = data.U32(4);
    const qsizetype size = (flags & kShortPoints) ? 4 : 8;
    if (count < 3 || !data.Has(8, count * size))
        return std::nullopt;
    QPolygonF polygon;
    polygon.reserve(count);
    for (qsizetype k = 0; k < count; ++k) {
        const qsizetype at = 8 + k * size;
        polygon << ((flags & kShortPoints) ? QPointF(data.I16(at), data.I16(at + 2))
                                           : QPointF(data.F32(at), data.F32(at + 4)));
    }
    for (const QPointF& p : polygon)
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
            return std::nullopt;
    return polygon;
}

} // namespace

void PlayEmfPlusRecords(const TLittleEndianBytes& records, TEmfPlusState& state,
                        TMetafilePlayer& player) {
    qsizetype at = 0;
    while (records.Has(at, kRecordHeader)) {
        const quint16 type = records.U16(at), flags = records.U16(at + 2);
        const qint64 size = records.U32(at + 4), dataSize = records.U32(at + 8);
        if (size < kRecordHeader || !records.Has(at, size) || dataSize > size - kRecordHeader)
            return;
        const TLittleEndianBytes data = records.Slice(at + kRecordHeader, dataSize);
        switch (type) {
        case GetDC: // the plain records that follow draw
            player.SetInkSuppressed(false);
            break;
        case FillPolygon: {
            const std::optional<QPolygonF> polygon = solidPolygon(data, flags);
            if (!polygon || !state.Followable) {
                player.SetInkSuppressed(false);
                break;
            }
            const quint32 argb = data.U32(0);
            player.SetInkSuppressed(false);
            player.FillDevicePolygon(*polygon, QColor::fromRgba(argb));
            // Its plain stand-in, up to the next GetDC, is not drawn again.
            player.SetInkSuppressed(true);
            break;
        }
        case Header:
        case EndOfFile:
        case Comment:
        case SetAntiAliasMode:
        case SetTextRenderingHint:
        case SetTextContrast:
        case SetInterpolationMode:
        case SetPixelOffsetMode:
        case SetCompositingQuality:
            break;
        default:
            // Once the EMF+ records move or clip their drawing, their coordinates no longer
            // match the plain ones' device, and the plain records draw everything.
            if (type >= FirstStateRecord && type <= LastStateRecord)
                state.Followable = false;
            player.SetInkSuppressed(false);
            break;
        }
        at += size;
    }
}
