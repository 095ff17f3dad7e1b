#pragma once

#include "report/PageMetrics.h"

#include <vector>

// One recorded canvas operation. Which fields count depends on Kind (see Replay).
enum class TReportOpKind {
    SetPen,             // Color, Style, Width, Mode
    SetBrush,           // Color, Style
    SetBrushBitmap,     // Image
    SetFont,            // Text = face, A = points
    SetFontStyle,       // Flags: 1 bold, 2 italic, 4 underline
    SetFontColor,       // Color
    SetFontRotation,    // Width = degrees
    SetTextTransparent, // Flags
    Rectangle,          // Rect
    RoundRect,          // Rect, A, B = corner width, height
    Ellipse,            // Rect
    MoveTo,             // A, B
    LineTo,             // A, B
    Polygon,            // Points
    FillDeviceRect,     // Device
    TextRect,           // Device = clip, A, B = position, Text
    TextOut,            // A, B, Text
    PushClipRect,       // Rect
    PushClipEllipse,    // Rect
    PushClipRoundRect,  // Rect, A, B
    PushClipPolygon,    // Points
    SelectClip,
    ClearClip,
    PopClip,
    BeginPath,
    EndPath,
    ClipToPath,
    StrokePath,
    StretchBitmap,       // Rect, Image
    StretchDeviceBitmap, // Device, Image
    TileDeviceBitmap,    // Device, Image, A, B = tile width, height
    StretchGraphic,      // Device, Graphic
};

struct TReportOp {
    TReportOpKind Kind;
    TInchRect Rect;
    double A = 0, B = 0;
    QRect Device;
    QPolygon Points;
    QString Text;
    QImage Image;
    std::shared_ptr<const TReportGraphic> Graphic;
    TColor Color = 0;
    int Style = 0, Width = 0, Mode = 0, Flags = 0;
};

using TReportPage = std::vector<TReportOp>;

// Pages of recorded canvas operations, made for one device; the preview replays them and
// tests read them to see what was printed.
struct TPageStream {
    TPageMetrics Metrics;
    std::vector<TReportPage> Pages;
};

// Performs the operations of a page on a canvas, in order.
void Replay(const TReportPage& page, TReportCanvas& target);
