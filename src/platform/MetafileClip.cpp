#include "platform/MetafilePlayer.h"

// The clip region is kept in the coordinates the painter had when playing began, so the
// mapping may change after it is set without moving it, as on a device.

namespace {

// A region larger than any drawing: "no clip" when a region is combined with it.
const QRectF kEverything(-1e7, -1e7, 2e7, 2e7);

QPainterPath everything() {
    QPainterPath path;
    path.addRect(kEverything);
    return path;
}

} // namespace

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

void TMetafilePlayer::CombineClip(const std::optional<QPainterPath>& area, TClipCombine how) {
    if (!area) {
        // Only a copy may name no region: it ends clipping.
        if (how == TClipCombine::Copy) {
            FDC.Clip.reset();
            ApplyClip();
        }
        return;
    }
    const QPainterPath current = FDC.Clip ? *FDC.Clip : everything();
    switch (how) {
    case TClipCombine::And:
        FDC.Clip = current.intersected(*area);
        break;
    case TClipCombine::Or:
        if (FDC.Clip)
            FDC.Clip = current.united(*area);
        break;
    case TClipCombine::Xor:
        FDC.Clip = current.united(*area).subtracted(current.intersected(*area));
        break;
    case TClipCombine::Diff:
        FDC.Clip = current.subtracted(*area);
        break;
    case TClipCombine::Copy:
        FDC.Clip = *area;
        break;
    }
    ApplyClip();
}

void TMetafilePlayer::IntersectClipRect(const QRectF& r) {
    QPainterPath rect;
    rect.addRect(r.normalized());
    CombineClip(LogicalRegion(rect), TClipCombine::And);
}

void TMetafilePlayer::ExcludeClipRect(const QRectF& r) {
    QPainterPath rect;
    rect.addRect(r.normalized());
    CombineClip(LogicalRegion(rect), TClipCombine::Diff);
}

void TMetafilePlayer::OffsetClip(const QPointF& logicalOffset) {
    if (!FDC.Clip)
        return;
    const QTransform t = LogicalToEntry();
    FDC.Clip = FDC.Clip->translated(t.map(logicalOffset) - t.map(QPointF(0, 0)));
    ApplyClip();
}

QPainterPath TMetafilePlayer::DeviceRegion(const std::vector<QRectF>& deviceRects) const {
    return FToDevice.map(RegionOf(deviceRects).simplified());
}

QPainterPath RegionOf(const std::vector<QRectF>& rects) {
    QPainterPath region;
    region.setFillRule(Qt::WindingFill); // overlapping rectangles add up, never cancel
    for (const QRectF& r : rects)
        region.addRect(r.normalized());
    return region;
}

QPainterPath TMetafilePlayer::LogicalRegion(const QPainterPath& region) const {
    return LogicalToEntry().map(region);
}
