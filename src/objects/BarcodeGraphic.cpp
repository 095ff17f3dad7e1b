#include "objects/BarcodeGraphic.h"

#include "objects/BarcodeLayout.h"

#include <QPainter>

TBarcodeGraphic::TBarcodeGraphic(TBarcodeSymbol symbol, int quietZone, QColor ink,
                                 std::optional<QColor> back)
    : FSymbol(std::move(symbol)), FQuietZone(quietZone), FInk(ink), FBack(back) {}

std::optional<QRect> TBarcodeGraphic::BackgroundRect(const QRect& target) const {
    if (!FBack)
        return std::nullopt;
    return LayOutBarcode(FSymbol, FQuietZone, target).Area.toRect();
}

void TBarcodeGraphic::Draw(QPainter& painter, const QRectF& target) const {
    const QRect box = target.toRect();
    const TBarcodeLayout layout = LayOutBarcode(FSymbol, FQuietZone, box);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (FBack)
        painter.fillRect(layout.Area, *FBack);
    // Runs are given in modules and scaled by a whole number of device pixels from a whole
    // pixel, so each still falls on whole pixels while a PDF holds it as a few short numbers.
    painter.translate(layout.Origin);
    painter.scale(layout.Module, layout.RowHeight);
    std::vector<QRect> runs;
    runs.reserve(FSymbol.Runs.size());
    for (const TModuleRun& run : FSymbol.Runs)
        runs.emplace_back(run.Column, run.Row, run.Length, 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(FInk);
    painter.drawRects(runs.data(), int(runs.size()));
    painter.restore();
}
