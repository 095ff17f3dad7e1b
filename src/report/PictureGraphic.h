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

// Any other vector picture (SVG) on the page, drawn as vectors into the device rectangle.
class TVectorPictureGraphic : public TReportGraphic {
public:
    explicit TVectorPictureGraphic(TPicture picture) : FPicture(std::move(picture)) {}
    void Draw(QPainter& painter, const QRectF& target) const override {
        FPicture.Draw(painter, target);
    }

private:
    TPicture FPicture;
};

// The finest a picture of pixels goes to paper: more would only make the page larger.
constexpr double MaxPrintedPictureDpi = 600;

// The pixels a picture needs to fill the inch rectangle on this report's device: the
// device's size of the rectangle, at no more than MaxPrintedPictureDpi.
QSize PrintedPictureSize(const TReportCanvas& report, const TInchRect& r);

// A picture stretched into an inch rectangle: a bitmap or PNG as pixels (decoded at the
// size PrintedPictureSize gives, at most their own), a metafile or SVG as vectors; icons
// and empty pictures print nothing.
void PrintPicture(TReportCanvas& report, const TInchRect& r, const TPicture& picture);
