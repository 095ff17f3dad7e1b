#include "effects/ShapeGeometry.h"

#include "surface/GraphicControl.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TShapeRects ComputeShapeRects(TGPShapeType shape, TShadowOrient orient, int outlineWidth,
                              int shadowDepth, int width, int height) {
    const int h = outlineWidth / 2;
    const int r = width - outlineWidth + 1, b = height - outlineWidth + 1;
    const int d = shadowDepth;
    if (shape == gstDiamond && orient != soNone) {
        if (orient == soLowerRight || orient == soUpperRight)
            return {{h + d, h, r, b}, {h, h, r - d, b}};
        return {{h, h, r - d, b}, {h + d, h, r, b}};
    }
    switch (orient) {
    case soLowerRight:
        return {{h + d, h + d, r, b}, {h, h, r - d, b - d}};
    case soUpperRight:
        return {{h + d, h, r, b - d}, {h, h + d, r - d, b}};
    case soUpperLeft:
        return {{h, h, r - d, b - d}, {h + d, h + d, r, b}};
    case soLowerLeft:
        return {{h, h + d, r - d, b}, {h + d, h, r, b - d}};
    case soNone:
        break;
    }
    return {{}, {h, h, r, b}};
}

QPolygon ComputeStarPoints(const TEdges& r, const TStarParams& star) {
    const int w = r.Width(), ht = r.Height();
    const int cx = r.Left + w / 2, cy = r.Top + ht / 2;
    const int radius = std::min(w / 2, ht / 2) - 4;
    const double k = (100 - star.InVectorPercent) * 0.01;
    QPolygon points;
    for (int i = 0; i < star.Vectors; ++i) {
        const double theta =
            ((360.0 / star.Vectors) * i - star.StartingAngle) * std::numbers::pi / 180;
        const double rho = i % 2 == 0 ? radius : radius * k;
        points << QPoint(cx + RoundHalfEven(rho * std::cos(theta)),
                         cy + RoundHalfEven(rho * std::sin(theta)));
    }
    return points;
}

QPolygon FigurePoints(TGPShapeType shape, const TEdges& r, const TStarParams& star) {
    const int l = r.Left, t = r.Top, w = r.Width(), h = r.Height();
    switch (shape) {
    case gstDiamond:
        return QPolygon({QPoint(l + w / 2, t), QPoint(l + w - 1, t + h / 2),
                         QPoint(l + w / 2, t + h - 1), QPoint(l, t + h / 2)});
    case gstTriangleLeft:
        return QPolygon({QPoint(l + w - 1, t), QPoint(l + w - 1, t + h - 1), QPoint(l, t + h / 2)});
    case gstTriangleRight:
        return QPolygon({QPoint(l, t), QPoint(l + w - 1, t + h / 2), QPoint(l, t + h - 1)});
    case gstTriangleUp:
        return QPolygon({QPoint(l + w / 2, t), QPoint(l, t + h - 1), QPoint(l + w - 1, t + h - 1)});
    case gstTriangleDown:
        return QPolygon({QPoint(l, t), QPoint(l + w / 2, t + h - 1), QPoint(l + w - 1, t)});
    case gstStar:
    case gstPolyGon:
        return ComputeStarPoints(r, star);
    default:
        return {};
    }
}
