#include "report/PrinterJob.h"

#include <QPrinter>

TPrinterJob::TPrinterJob(QPrinter& printer, const TPageMetrics& metrics)
    : FPrinter(printer), FMetrics(metrics) {}

TPrinterJob::~TPrinterJob() {
    if (FPainter.isActive())
        FPainter.end();
}

bool TPrinterJob::BeginJob() {
    FPrinter.setDocName(Title);
    FPrinter.setCopyCount(Copies());
    if (!FPainter.begin(&FPrinter))
        return false;
    FCanvas = std::make_unique<TPainterCanvas>(FPainter, FMetrics);
    FPageUsed = false;
    return true;
}

TReportCanvas& TPrinterJob::DeviceCanvas() {
    FPageUsed = true;
    return *FCanvas;
}

void TPrinterJob::BeginNextPage() {
    // Pages left out by the page range leave no blank sheet behind.
    if (FPageUsed)
        FPrinter.newPage();
    FPageUsed = false;
}

void TPrinterJob::EndJob() {
    FCanvas.reset();
    FPainter.end();
}

void TPrinterJob::AbortJob() {
    FCanvas.reset();
    FPrinter.abort();
    if (FPainter.isActive())
        FPainter.end();
}
