#pragma once

#include "platform/GraphicsValues.h"
#include "printing/CardPrinting.h"
#include "report/PageStream.h"
#include "surface/GraphicControl.h"

#include <vector>

// A design object for print tests: it marks the card's origin with MoveTo and draws its
// bounds as a rectangle in inches.
class TCardMarker : public TGGraphicControl {
public:
    QString ClassName() const override { return ClassNameOverride; }
    void PrintTo(TReportCanvas& report, double x, double y) override {
        report.MoveTo(x, y);
        const double p = ScreenPixelsPerInch;
        report.Rectangle({x + Left() / p, y + Top() / p, x + (Left() + Width()) / p,
                          y + (Top() + Height()) / p});
    }
    QString ClassNameOverride = QStringLiteral("TCardMarker");
};

// The operations of one kind on a page.
inline std::vector<TReportOp> OpsOf(const TReportPage& page, TReportOpKind kind) {
    std::vector<TReportOp> ops;
    for (const TReportOp& op : page)
        if (op.Kind == kind)
            ops.push_back(op);
    return ops;
}

// The card origins a page received (its MoveTo operations), in order.
inline std::vector<QPointF> CardOrigins(const TReportPage& page) {
    std::vector<QPointF> origins;
    for (const TReportOp& op : OpsOf(page, TReportOpKind::MoveTo))
        origins.emplace_back(op.A, op.B);
    return origins;
}

// The main window's share of the print state, for tests.
struct TPrintStateStore {
    TCardLayout Layout;
    TPrinterNudges Nudges;
    TCardSelection CardSelection;
    QString BackgroundFileName;
    TPrintState State() { return {Layout, Nudges, CardSelection, BackgroundFileName}; }
};
