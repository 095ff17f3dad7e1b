#include "report/PrinterJob.h"

#include "report/PainterCanvas.h"

#include <QFile>
#include <QPrinter>

TPrinterJob::TPrinterJob(QPrinter& printer, const TPageMetrics& metrics) : FPrinter(printer) {
    Stream().Metrics = metrics;
}

bool TPrinterJob::BeginJob() {
    FPageUsed = false;
    return TStreamJob::BeginJob();
}

TReportCanvas& TPrinterJob::DeviceCanvas() {
    FPageUsed = true;
    return TStreamJob::DeviceCanvas();
}

void TPrinterJob::BeginNextPage() {
    // Pages left out by the page range leave no blank sheet behind.
    if (FPageUsed)
        TStreamJob::BeginNextPage();
    FPageUsed = false;
}

bool TPrinterJob::EndJob() {
    FPrinter.setDocName(Title);
    FPrinter.setCopyCount(Copies());
    QPainter painter;
    if (!painter.begin(&FPrinter))
        return false;
    try {
        TPainterCanvas canvas(painter, Metrics());
        const std::vector<TReportPage>& pages = Stream().Pages;
        for (size_t i = 0; i < pages.size(); ++i) {
            if (i > 0)
                FPrinter.newPage();
            Replay(pages[i], canvas);
        }
    } catch (...) {
        // A half-written file is no output.
        FPrinter.abort();
        painter.end();
        if (FPrinter.outputFormat() == QPrinter::PdfFormat)
            QFile::remove(FPrinter.outputFileName());
        throw;
    }
    return painter.end();
}

void TPrinterJob::AbortJob() {
    Stream().Pages.clear();
}
