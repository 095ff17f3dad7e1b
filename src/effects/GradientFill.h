#pragma once

#include "effects/SurfaceFill.h"
#include "platform/Color.h"

#include <QImage>
#include <QRect>

#include <array>

class TReportCanvas;

// A two-colour gradient in 256 bands. `from` is the colour the gradient starts with and
// `to` the one it runs towards in `direction`: gdDown and gdRight put `from` in band 0 (top
// or left), gdUp and gdLeft put `to` there. The same bands serve the screen bitmap and the
// printed bands, so that both show one gradient.

struct TGradientBand {
    QRect Rect;   // in the gradient's area; empty where the area is narrower than 256
    TColor Color; // RGB
};

using TGradientBands = std::array<TGradientBand, 256>;

// a * b / c rounded to the nearest integer, halves away from zero; 0 when c is 0.
int MulDiv(int a, int b, int c);

TGradientBands GradientBands(const QSize& area, TColor from, TColor to, TFillDirection direction);

// The gradient rendered once at the given size, to be copied at paint time; a null image
// for an empty size. With a part, only that rectangle of it is rendered, at the part's size.
QImage BuildGradientBitmap(const QSize& size, TColor from, TColor to, TFillDirection direction,
                           const QRect& part = QRect());

// The screen's gradient of an object, rendered for the part of the object that can show and
// kept until its colours, direction, the object's size or that part change: an object far
// larger than the card costs what shows of it.
class TGradientCache {
public:
    // The gradient over an object of the given size, rendered for the part; a null image
    // when the part is empty or too large to hold.
    const QImage& Bitmap(const QSize& size, const QRect& part, TColor from, TColor to,
                         TFillDirection direction);
    // Where the bitmap's top-left corner lies in the object.
    QPoint Origin() const { return FPart.topLeft(); }
    void Clear() { FValid = false; }

private:
    bool FValid = false;
    QSize FSize;
    QRect FPart;
    TColor FFrom = 0, FTo = 0;
    TFillDirection FDirection = gdUp;
    QImage FBitmap;
};

// The 256 bands across `length` pixels as a strip one pixel thick: `length` x 1 for gdLeft
// and gdRight, 1 x `length` for gdUp and gdDown. The same arguments give back the same
// image, so that a page stores it once.
QImage GradientStrip(int length, TColor from, TColor to, TFillDirection direction);

// The longest strip printed at the device's own resolution; longer gradients stretch a strip
// of one pixel per band.
constexpr int MaxExactStrip = 16384;

// Prints the bands of a gradient over `area` device pixels with its top-left corner at the
// device point `origin`: one strip stretched over the area with no smoothing, its bands
// exactly where band rectangles of the area would lie, however large the area.
void PrintGradient(TReportCanvas& report, const QPoint& origin, const QSize& area, TColor from,
                   TColor to, TFillDirection direction);
