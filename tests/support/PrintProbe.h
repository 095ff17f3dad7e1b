#pragma once

#include "report/RecordingCanvas.h"

#include <vector>

// Records what an object prints on a page of the given resolution, with no unprintable
// strips, so that device pixels count from the sheet's corner.
struct TPrintProbe {
    TPageStream Stream;
    TRecordingCanvas Canvas{Stream};

    explicit TPrintProbe(double dpi = 600) {
        Stream.Metrics.XDPI = Stream.Metrics.YDPI = dpi;
        Canvas.BeginPage();
    }
    const TReportPage& Ops() const { return Stream.Pages.back(); }
    std::vector<TReportOp> OfKind(TReportOpKind kind) const {
        std::vector<TReportOp> ops;
        for (const TReportOp& op : Ops())
            if (op.Kind == kind)
                ops.push_back(op);
        return ops;
    }
    std::vector<TReportOp> Texts() const { return OfKind(TReportOpKind::TextRect); }
};
