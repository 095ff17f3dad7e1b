#pragma once

#include <QImage>
#include <QRect>

class QPainter;
class TReportCanvas;

// A bitmap repeated over an area from its top-left corner: copies at the bitmap's own size
// at x = 0, bw, 2bw ... while x < width, and likewise down. Whatever clip is in force cuts
// them to a figure. An empty bitmap paints nothing.
void PaintTiles(QPainter& canvas, const QImage& bitmap, const QSize& area);

// The printed tiles over a device rectangle (the report's device pixels), from its top-left
// corner: each tile is the bitmap scaled by sx, sy (device pixels per screen pixel), and
// all of them are one repeated pattern, so no hairline gaps appear between them.
void PrintTiles(TReportCanvas& report, const QImage& bitmap, const QRect& deviceRect, double sx,
                double sy);
