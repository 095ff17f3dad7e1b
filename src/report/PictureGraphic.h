#pragma once

#include "platform/Metafile.h"
#include "platform/Picture.h"
#include "report/ReportCanvas.h"

// A metafile on the page: its records played as vectors into the device rectangle.
class TMetafileGraphic : public TReportGraphic {
public:
    explicit TMetafileGraphic(std::shared_ptr<const TMetafile> metafile)
        : FMetafile(std::move(metafile)) {}
    void Draw(QPainter& painter, const QRectF& target) const override {
        FMetafile->Draw(painter, target);
    }
    const TMetafile& Metafile() const { return *FMetafile; }

private:
    std::shared_ptr<const TMetafile> FMetafile;
};

// A picture stretched into an inch rectangle: a bitmap as a bitmap, a metafile as vectors;
// other kinds print nothing.
void PrintPicture(TReportCanvas& report, const TInchRect& r, const TPicture& picture);
