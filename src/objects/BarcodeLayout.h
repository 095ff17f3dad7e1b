#pragma once

#include "objects/BarcodeSymbol.h"

#include <QRect>
#include <QRectF>

// Where a code's modules fall inside a box of whole pixels (screen or printer pixels): square
// modules of a whole number of pixels each, as large as the box allows with the quiet zone
// around the code, centred. Bars of a linear code run the full height of the box. Only a box
// too small for one pixel a module gets fractional modules, which no reader could use anyway.
struct TBarcodeLayout {
    QRectF Area;          // the code with its quiet zone: what the background fills
    QPointF Origin;       // top-left corner of the first module
    double Module = 0;    // width of a module
    double RowHeight = 0; // height of a row: the module for a 2-D code, the bars' for a linear one

    // The rectangle a run of dark modules covers.
    QRectF RunRect(const TModuleRun& run) const {
        return QRectF(Origin.x() + run.Column * Module, Origin.y() + run.Row * RowHeight,
                      run.Length * Module, RowHeight);
    }
};

TBarcodeLayout LayOutBarcode(const TBarcodeSymbol& symbol, int quietZone, const QRect& box);
