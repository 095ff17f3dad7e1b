#pragma once

#include "report/RecordingCanvas.h"
#include "report/ReportJob.h"

// A job that records its pages into a page stream (for the preview and for tests).
class TStreamJob : public TReportJob {
public:
    explicit TStreamJob(TPageStream& stream) : FStream(stream), FCanvas(stream) {}

    const TPageMetrics& Metrics() const override { return FStream.Metrics; }

protected:
    TReportCanvas& DeviceCanvas() override { return FCanvas; }
    bool BeginJob() override;
    void BeginNextPage() override { FCanvas.BeginPage(); }
    void EndJob() override {}
    void AbortJob() override {}

private:
    TPageStream& FStream;
    TRecordingCanvas FCanvas;
};
