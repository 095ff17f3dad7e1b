#pragma once

#include "objects/BarcodeSymbol.h"
#include "report/ReportCanvas.h"

#include <QColor>

#include <optional>

// A code as the printer draws it: the background, then each run of dark modules as one
// rectangle, on whole pixels of the device. All runs go to the device in one call, so a PDF
// holds each as a bare rectangle and the colour once.
class TBarcodeGraphic : public TReportGraphic {
public:
    TBarcodeGraphic(TBarcodeSymbol symbol, int quietZone, QColor ink, std::optional<QColor> back);

    void Draw(QPainter& painter, const QRectF& target) const override;

    // What the background fills in a target of whole device pixels; none when transparent.
    std::optional<QRect> BackgroundRect(const QRect& target) const;

private:
    TBarcodeSymbol FSymbol;
    int FQuietZone;
    QColor FInk;
    std::optional<QColor> FBack;
};
