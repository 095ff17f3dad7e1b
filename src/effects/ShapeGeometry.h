#pragma once

#include <QPolygon>

// The figures a RirizIzadu draws, in object pixels with (0, 0) at the object's corner.

enum TGPShapeType {
    gstRectangle = 0,
    gstRoundRect,
    gstEllipse,
    gstDiamond,
    gstStar,
    gstTriangleLeft,
    gstTriangleRight,
    gstTriangleUp,
    gstTriangleDown,
    gstPolyGon
};
enum TShadowOrient { soNone = 0, soLowerRight, soUpperRight, soUpperLeft, soLowerLeft };

// A rectangle as its four edges; Right and Bottom are exclusive.
struct TEdges {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TEdges&) const = default;
};

struct TShapeRects {
    TEdges Shadow; // all zero without a shadow
    TEdges Body;
};

// Body and shadow of an object of the given size; the diamond's shadow moves sideways only.
TShapeRects ComputeShapeRects(TGPShapeType shape, TShadowOrient orient, int outlineWidth,
                              int shadowDepth, int width, int height);

struct TStarParams {
    int Vectors = 10;         // vertices, outer and inner together
    int StartingAngle = 90;   // degrees, counter-clockwise from the right
    int InVectorPercent = 50; // inner vertices pulled in by this share of the radius
};

// Vertices of a star or polygon in a rectangle: outer and inner alternate from vertex 0,
// 4 pixels inside the rectangle, halves rounded to even.
QPolygon ComputeStarPoints(const TEdges& r, const TStarParams& star);

// The corner points of a polygon figure (diamond, triangles, star, polygon) on a rectangle;
// empty for rectangles, rounded rectangles and ellipses.
QPolygon FigurePoints(TGPShapeType shape, const TEdges& r, const TStarParams& star);
