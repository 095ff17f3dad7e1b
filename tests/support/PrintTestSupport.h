#pragma once

#include "platform/GraphicsValues.h"
#include "report/PageStream.h"
#include "surface/GraphicControl.h"

#include <vector>

// A design object for print tests: it marks the card's origin with MoveTo and draws its
// bounds as a rectangle in inches.
class TCardMarker : public TGGraphicControl {
public:
    QString ClassName() const override { return ClassNameOverride; }
    void PrintTo(TReportCanvas& report, double x, double y) override;
    QString ClassNameOverride = QStringLiteral("TCardMarker");
};

// The card origins a page received (its MoveTo operations), in order.
std::vector<QPointF> CardOrigins(const TReportPage& page);
// The operations of one kind on a page.
std::vector<TReportOp> OpsOf(const TReportPage& page, TReportOpKind kind);

#include "printing/CardPrinting.h"

// The main window's share of the print state, for tests.
struct TPrintStateStore {
    TCardLayout Layout;
    TPrinterNudges Nudges;
    TCardSelection CardSelection;
    QString BackgroundFileName;
    TPrintState State() { return {Layout, Nudges, CardSelection, BackgroundFileName}; }
};
