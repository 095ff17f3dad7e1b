#include "widgets/PicturePreview.h"

#include <QPainter>

void TPicturePreview::SetPicture(const TPicture& picture) {
    FPicture = picture;
    FitToPicture();
    update();
}

void TPicturePreview::SetStretch(bool v) {
    FStretch = v;
    update();
}

void TPicturePreview::SetAutoSize(bool v) {
    FAutoSize = v;
    FitToPicture();
    update();
}

void TPicturePreview::FitToPicture() {
    if (FAutoSize && !FPicture.Size().isEmpty())
        resize(FPicture.Size());
}

void TPicturePreview::paintEvent(QPaintEvent*) {
    if (!FPicture.IsDrawable())
        return;
    QPainter p(this);
    FPicture.Draw(p, FStretch ? QRectF(rect()) : QRectF(QPointF(0, 0), FPicture.Size()));
}
