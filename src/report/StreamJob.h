#pragma once

#include "report/RecordingCanvas.h"
#include "report/ReportJob.h"

// A job that records its pages into a page stream (for the preview and for tests).
class TStreamJob : public TReportJob {
public:
    explicit TStreamJob(TPageStream& stream) : FStream(stream), FCanvas(stream) {}

    const TPageMetrics& Metrics() const override { return FStream.Metrics; }

protected:
    // Records into a stream of the job's own.
    TStreamJob() : FStream(FOwnStream), FCanvas(FOwnStream) {}
    TPageStream& Stream() { return FStream; }

    TReportCanvas& DeviceCanvas() override { return FCanvas; }
    bool BeginJob() override;
    void BeginNextPage() override { FCanvas.BeginPage(); }
    bool EndJob() override { return true; }
    void AbortJob() override {}

private:
    TPageStream FOwnStream;
    TPageStream& FStream;
    TRecordingCanvas FCanvas;
};
