#pragma once

#include "report/PainterCanvas.h"
#include "report/ReportJob.h"

#include <memory>

class QPrinter;

// A job printed on a QPrinter (a real printer or a PDF file).
class TPrinterJob : public TReportJob {
public:
    TPrinterJob(QPrinter& printer, const TPageMetrics& metrics);
    ~TPrinterJob() override;

    const TPageMetrics& Metrics() const override { return FMetrics; }

protected:
    TReportCanvas& DeviceCanvas() override;
    bool BeginJob() override;
    void BeginNextPage() override;
    void EndJob() override;
    void AbortJob() override;

private:
    QPrinter& FPrinter;
    TPageMetrics FMetrics;
    QPainter FPainter;
    std::unique_ptr<TPainterCanvas> FCanvas;
    bool FPageUsed = false; // something was drawn on the device's current page
};
