#pragma once

#include "report/StreamJob.h"

class QPrinter;

// A job printed on a QPrinter (a real printer or a PDF file). Printer engines cannot take
// back a page once it is drawn, so the pages are recorded first and replayed to the printer
// only when the run has ended without being aborted or failing: a cancelled run sends no
// page and leaves no file.
class TPrinterJob : public TStreamJob {
public:
    TPrinterJob(QPrinter& printer, const TPageMetrics& metrics);

protected:
    TReportCanvas& DeviceCanvas() override;
    bool BeginJob() override;
    void BeginNextPage() override;
    bool EndJob() override;
    void AbortJob() override;

private:
    QPrinter& FPrinter;
    bool FPageUsed = false; // something was drawn on the current page
};
