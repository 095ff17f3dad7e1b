#include "effects/WiaTile.h"

#include "effects/ColorKey.h"
#include "effects/SurfaceTiles.h"

#include <QPainter>

TwiaTile::TwiaTile(QWidget* parent) : QWidget(parent) {
    setGeometry(0, 0, 64, 64);
}

void TwiaTile::SetImage(const QImage& image) {
    FImage = image;
    ImageChanged();
}

void TwiaTile::SetTransparent(bool v) {
    FTransparent = v;
    ImageChanged();
}

void TwiaTile::ImageChanged() {
    // An empty image has no colour to leave out: a value no pixel has.
    FTranColor = FImage.isNull() ? TColor(0x02FFFFFF)
                                 : FromQColor(FImage.pixelColor(0, FImage.height() - 1));
    FPrepared = QImage();
    if (FTransparent && !FImage.isNull())
        FPrepared = LeaveOutColor(FImage, ToQColor(FTranColor).rgb());
    update();
}

void TwiaTile::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintTiles(p, FPrepared.isNull() ? FImage : FPrepared, size(), rect());
}
