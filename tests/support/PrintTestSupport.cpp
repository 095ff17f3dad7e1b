#include "support/PrintTestSupport.h"

void TCardMarker::PrintTo(TReportCanvas& report, double x, double y) {
    report.MoveTo(x, y);
    const double p = ScreenPixelsPerInch;
    report.Rectangle(
        {x + Left() / p, y + Top() / p, x + (Left() + Width()) / p, y + (Top() + Height()) / p});
}

std::vector<QPointF> CardOrigins(const TReportPage& page) {
    std::vector<QPointF> origins;
    for (const TReportOp& op : page)
        if (op.Kind == TReportOpKind::MoveTo)
            origins.emplace_back(op.A, op.B);
    return origins;
}

std::vector<TReportOp> OpsOf(const TReportPage& page, TReportOpKind kind) {
    std::vector<TReportOp> ops;
    for (const TReportOp& op : page)
        if (op.Kind == kind)
            ops.push_back(op);
    return ops;
}
