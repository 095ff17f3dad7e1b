#include "effects/SmartImage.h"

#include "effects/ColorKey.h"
#include "platform/PictureFile.h"
#include "surface/GraphicControl.h"

#include <QPainter>

QRect FitRectKeepingAspect(const QRect& picture, const QRect& dest, bool center) {
    const int pw = picture.width(), ph = picture.height();
    const int dw = dest.width(), dh = dest.height();
    if (pw == 0 || ph == 0 || dw == 0 || dh == 0)
        return dest;
    const double ratio = double(pw) / ph;
    const int h = RoundHalfEven(dw / ratio);
    QRect r;
    if (h > dh) {
        const int w = RoundHalfEven(ratio * dh);
        r = QRect(0, 0, w, dh);
        if (center)
            r.moveLeft((dw - w) / 2);
    } else {
        r = QRect(0, 0, dw, h);
        if (center)
            r.moveTop((dh - h) / 2);
    }
    return r.translated(dest.topLeft());
}

TSmartImage::TSmartImage(QWidget* parent) : QWidget(parent) {
    resize(105, 105);
}

void TSmartImage::LoadPictureFromFile(const QString& fileName) {
    SetPicture(LoadPictureFile(fileName));
}

void TSmartImage::SetPicture(const QImage& picture) {
    FPicture = picture;
    PictureChanged();
}

void TSmartImage::SetStretch(bool v) {
    if (v != FStretch) {
        FStretch = v;
        update();
    }
}

void TSmartImage::SetMaintainAspect(bool v) {
    if (v != FMaintainAspect) {
        FMaintainAspect = v;
        update();
    }
}

void TSmartImage::SetCenter(bool v) {
    if (v != FCenter) {
        FCenter = v;
        update();
    }
}

void TSmartImage::SetTransparent(bool v) {
    FTransparent = v;
    update();
}

void TSmartImage::SetAutoSize(bool v) {
    FAutoSize = v;
    PictureChanged();
}

void TSmartImage::PictureChanged() {
    if (FAutoSize && !FPicture.isNull())
        resize(FPicture.size());
    update();
}

QRect TSmartImage::TargetRect() const {
    const QSize source = FPicture.size();
    if (FStretch && FMaintainAspect)
        return FitRectKeepingAspect(QRect(QPoint(0, 0), source), rect(), true);
    if (FStretch)
        return rect();
    if (FCenter)
        return QRect(QPoint((width() - source.width()) / 2, (height() - source.height()) / 2),
                     source);
    return QRect(QPoint(0, 0), source);
}

void TSmartImage::paintEvent(QPaintEvent*) {
    if (FPicture.isNull())
        return;
    QPainter p(this);
    if (!FTransparent) {
        p.drawImage(TargetRect(), FPicture);
        return;
    }
    // The top-left pixel's colour is left out, so the background shows there.
    const QImage masked = LeaveOutColor(FPicture, FPicture.pixel(0, 0));
    p.drawImage(TargetRect(), masked);
}
