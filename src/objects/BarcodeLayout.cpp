#include "objects/BarcodeLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// The largest whole module size that fits, or the exact fit when not even one pixel does.
double moduleSize(double fit) {
    return fit >= 1 ? std::floor(fit) : fit;
}

} // namespace

TBarcodeLayout LayOutBarcode(const TBarcodeSymbol& symbol, int quietZone, const QRect& box) {
    TBarcodeLayout layout;
    if (!symbol.IsValid() || box.width() <= 0 || box.height() <= 0)
        return layout;
    const int q = std::max(0, quietZone);
    const int across = symbol.Columns + 2 * q;
    if (symbol.IsLinear()) {
        layout.Module = moduleSize(double(box.width()) / across);
        layout.RowHeight = box.height();
    } else {
        const int down = symbol.Rows + 2 * q;
        layout.Module =
            moduleSize(std::min(double(box.width()) / across, double(box.height()) / down));
        layout.RowHeight = layout.Module;
    }
    const double width = layout.Module * across;
    const double height = symbol.IsLinear() ? box.height() : layout.Module * (symbol.Rows + 2 * q);
    // Centring keeps the whole-pixel grid: the leftover is split at a whole pixel.
    const double left = box.left() + std::floor((box.width() - width) / 2);
    const double top = box.top() + std::floor((box.height() - height) / 2);
    layout.Area = QRectF(left, top, width, height);
    layout.Origin =
        QPointF(left + q * layout.Module, symbol.IsLinear() ? top : top + q * layout.Module);
    return layout;
}
