#include "objects/ShapePen.h"

#include "surface/GraphicControl.h"

int ZoomedPenWidth(int width, float zoom, bool atLeastOne) {
    int w = zoom == 1.0f ? width : RoundHalfEven(double(width) * zoom);
    if (atLeastOne && w <= 0 && width > 0)
        w = 1;
    return w;
}

QPainter::CompositionMode PenComposition(int mode) {
    switch (mode) {
    case pmNot:
        return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    case pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    case pmNotMask:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmNotMerge:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMaskPenNot:
        return QPainter::RasterOp_SourceAndNotDestination;
    case pmMaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case pmMergeNotPen:
        return QPainter::RasterOp_NotSourceOrDestination;
    case pmMergePenNot:
        return QPainter::RasterOp_SourceOrNotDestination;
    case pmNop:
        return QPainter::CompositionMode_Destination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

QPen ScreenPen(TColor color, int style, int w) {
    QPen pen(ToQColor(color), qMax(w, 0), ToQtPenStyle(style));
    // Wide pens end round, thin ones stop exactly at the end point.
    pen.setCapStyle(w > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

double StrokeOffset(int w) {
    return w % 2 == 0 ? 0.0 : 0.5;
}
