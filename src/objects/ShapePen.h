#pragma once

#include "platform/GraphicsValues.h"

#include <QPainter>

// Pen width on screen: the stored width scaled by the zoom, halves to even. Shapes keep at
// least one pixel so that a thin outline never vanishes when zoomed out; lines may become
// 0, the one-pixel hairline.
int ZoomedPenWidth(int width, float zoom, bool atLeastOne);

// The painter mode that gives the stored pen mode's effect on the card image.
QPainter::CompositionMode PenComposition(int mode);

// A screen pen of width w whose stroke, centred on whole-pixel coordinates c, covers the
// pixels c - w div 2 up to c + (w - 1) div 2. Add StrokeOffset(w) to a coordinate to get
// that placement with Qt's geometry.
QPen ScreenPen(TColor color, int style, int w);
double StrokeOffset(int w);
