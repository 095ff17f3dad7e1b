#include "printing/CardPicture.h"

#include "printing/LabelPrintRun.h"
#include "report/PainterCanvas.h"

#include <algorithm>
#include <cmath>

int PicturePixels(double inches, double dpi) {
    return std::max(1, int(std::lround(inches * dpi)));
}

QImage DrawCardPicture(TLabelPrintRun& run, const QSizeF& cardInches, double dpi, bool back) {
    QImage picture(PicturePixels(cardInches.width(), dpi), PicturePixels(cardInches.height(), dpi),
                   QImage::Format_RGB32);
    picture.fill(Qt::white);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    // Laid out as on a printer's page, then scaled: fonts sized in whole pixels at a low
    // resolution would set longer or shorter lines than the printed ones.
    TPageMetrics metrics;
    metrics.PaperInches = cardInches;
    QPainter painter(&picture);
    painter.scale(dpi / metrics.XDPI, dpi / metrics.YDPI);
    // Smooth edges, as a page rendered from the printed file shows them.
    painter.setRenderHint(QPainter::Antialiasing);
    TPainterCanvas canvas(painter, metrics);
    run.PrintCardFace(canvas, 0, 0, back);
    return picture;
}

QImage RenderCardPicture(TGBasePanel& panel, const TPrintRunSettings& settings, double dpi) {
    TLabelPrintRun run(panel, settings);
    run.LoadBackGround();
    const TPanelPrinting printing(panel);
    return DrawCardPicture(run, QSizeF(settings.Layout.Width, settings.Layout.Height), dpi);
}
