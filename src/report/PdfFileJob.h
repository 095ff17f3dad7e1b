#pragma once

#include "report/PainterCanvas.h"
#include "report/PdfPlacedPages.h"
#include "report/ReportJob.h"

#include <QPainter>

#include <map>
#include <memory>
#include <vector>

class QPrinter;

// A job printed into a PDF file. The pages go straight into a temporary file beside the
// target, so that a long run holds no pages in memory; only a run that ends well renames it
// over the target. A cancelled or failed run leaves no file and the previous one as it was.
// A repeated drawing is drawn once into a PDF of its own, kept in memory, and joins the file
// at the end, placed wherever it was asked for.
class TPdfFileJob : public TReportJob {
public:
    TPdfFileJob(QPrinter& printer, const TPageMetrics& metrics);
    ~TPdfFileJob() override;

    const TPageMetrics& Metrics() const override { return FMetrics; }

protected:
    TReportCanvas& DeviceCanvas() override;
    bool BeginJob() override;
    void BeginNextPage() override;
    void DevicePlaceRepeated(int key, const TInchRect& box, const TDrawAt& draw) override;
    bool EndJob() override;
    void AbortJob() override;

private:
    void Discard();
    QByteArray DrawAlone(QSizeF size, const TDrawAt& draw) const;
    bool PlaceDrawings();

    QPrinter& FPrinter;
    TPageMetrics FMetrics;
    QString FTarget;    // the file the user named
    QString FTemporary; // where the pages go until the run ends
    QPainter FPainter;
    std::unique_ptr<TPainterCanvas> FCanvas;
    bool FPageUsed = false; // something was drawn on the current page
    int FPageIndex = 0;     // of the current page in the file, from 0
    std::map<int, int> FDrawingOfKey;
    QList<QByteArray> FDrawings;
    std::vector<TPdfPlacement> FPlacements;
};
