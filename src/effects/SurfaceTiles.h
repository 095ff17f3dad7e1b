#pragma once

#include <QImage>
#include <QRect>

class QPainter;
class TGGraphicControl;
class TReportCanvas;

// The part of an object's own rectangle, (0, 0) to its width and height, that lies on its
// card and so can show; the whole rectangle for an object on no card.
QRect ShownArea(const TGGraphicControl& object);

// A bitmap repeated over an area from its top-left corner: copies at the bitmap's own size
// at x = 0, bw, 2bw ... while x < width, and likewise down; only the copies that reach into
// the shown part are drawn. Whatever clip is in force cuts them to a figure. An empty bitmap
// paints nothing.
void PaintTiles(QPainter& canvas, const QImage& bitmap, const QSize& area, const QRect& shown);

// The printed tiles over a device rectangle (the report's device pixels), from its top-left
// corner: each tile is the bitmap scaled by sx, sy (device pixels per screen pixel), and
// all of them are one repeated pattern, so no hairline gaps appear between them.
void PrintTiles(TReportCanvas& report, const QImage& bitmap, const QRect& deviceRect, double sx,
                double sy);
