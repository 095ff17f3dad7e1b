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

std::vector<QRect> TBarcodeGraphic::RunRects(const QRect& target) const {
    const TBarcodeLayout layout = LayOutBarcode(FSymbol, FQuietZone, target);
    std::vector<QRect> rects;
    rects.reserve(FSymbol.Runs.size());
    for (const TModuleRun& run : FSymbol.Runs)
        rects.push_back(layout.RunRect(run).toRect());
    return rects;
}

void TBarcodeGraphic::Draw(QPainter& painter, const QRectF& target) const {
    const QRect box = target.toRect();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (const std::optional<QRect> back = BackgroundRect(box))
        painter.fillRect(*back, *FBack);
    const std::vector<QRect> runs = RunRects(box);
    painter.setPen(Qt::NoPen);
    painter.setBrush(FInk);
    painter.drawRects(runs.data(), int(runs.size()));
}
