#include "objects/Image.h"

#include "objects/ImageBrowser.h"
#include "platform/Interaction.h"
#include "platform/PictureFile.h"
#include "report/PictureGraphic.h"
#include "surface/BasePanel.h"
#include "surface/ObjectStream.h"

#include <QAction>
#include <QPainter>

TGImage::TGImage() {
    SetBounds(0, 0, 105, 105);
}

const TPropertyList& TGImage::ClassProperties() {
    using C = TGImage;
    static const TPropertyList list = [] {
        TPropertyList l = TGGraphicControl::ClassProperties();
        l.push_back(Published<C>(
            "AutoSize", TPropType::Boolean, [](const C& o) { return o.AutoSize(); },
            [](C& o, const QVariant& v) { o.SetAutoSize(v.toBool()); }, 0));
        l.push_back(Published<C>(
            "BorderStyle", TPropType::Enumeration, [](const C& o) { return int(o.BorderStyle()); },
            [](C& o, const QVariant& v) { o.SetBorderStyle(TBorderStyle(v.toInt())); },
            std::nullopt, {"bsNone", "bsSingle"}));
        l.push_back(Published<C>(
            "Picture.Data", TPropType::Binary, [](const C& o) { return o.Picture().Data(); },
            [](C& o, const QVariant& v) {
                try {
                    o.SetPicture(TPicture::FromData(v.toByteArray()));
                } catch (const EPictureError&) {
                    ThrowStreamError(StreamMessage::InvalidValue);
                }
            }));
        l.push_back(Published<C>(
            "Stretch", TPropType::Boolean, [](const C& o) { return o.Stretch(); },
            [](C& o, const QVariant& v) { o.SetStretch(v.toBool()); }, 1));
        return l;
    }();
    return list;
}

void TGImage::SetAutoSize(bool v) {
    FAutoSize = v;
    FStretch = !v;
    if (Reading())
        return;
    PictureChanged();
    NotifyChanged();
}

void TGImage::SetStretch(bool v) {
    FStretch = v;
    FAutoSize = !v;
    if (!Reading())
        Invalidate();
}

void TGImage::SetBorderStyle(TBorderStyle v) {
    if (v == FBorderStyle)
        return;
    FBorderStyle = v;
    if (Reading())
        return;
    Invalidate();
    NotifyChanged();
}

void TGImage::SetPicture(const TPicture& picture) {
    FPicture = picture;
    if (!Reading())
        PictureChanged();
}

void TGImage::PictureChanged() {
    BoundsChanged();
    Invalidate();
}

void TGImage::BoundsChanged() {
    TGGraphicControl::BoundsChanged();
    const QSize size = FPicture.Size();
    if (FAutoSize && size.width() > 0 && size.height() > 0)
        SetBounds(Left(), Top(), RoundHalfEven(size.width() * double(Zoom())),
                  RoundHalfEven(size.height() * double(Zoom())));
}

void TGImage::BuildContextMenu() {
    TGGraphicControl::BuildContextMenu();
    AddMenuSeparator();
    AddMenuItem(QStringLiteral("Load Image From Disk"), [this] { LoadImage(); });
    AddMenuSeparator();
    FBorderItem = AddMenuItem(QStringLiteral("Border"), [this] {
        SetBorderStyle(FBorderStyle == bsSingle ? bsNone : bsSingle);
    });
    FStretchItem = AddMenuItem(QStringLiteral("Stretch to Fit"), [this] {
        SetStretch(!FStretch);
        Invalidate();
    });
    FAutoSizeItem = AddMenuItem(QStringLiteral("AutoSize"), [this] {
        SetAutoSize(!FAutoSize);
        Invalidate();
    });
    for (QAction* item : {FBorderItem, FStretchItem, FAutoSizeItem})
        item->setCheckable(true);
    FBorderItem->setChecked(FBorderStyle == bsSingle);
}

void TGImage::PopupOpening() {
    FBorderItem->setChecked(FBorderStyle == bsSingle);
    FStretchItem->setChecked(FStretch);
    FAutoSizeItem->setChecked(FAutoSize);
}

void TGImage::Paint(QPainter& canvas) {
    if (Width() <= 0 || Height() <= 0)
        return;
    // Composed off screen, only over the part of the box the canvas can show, however large
    // the box: opaque white under a bitmap or metafile, clear under a PNG or SVG so that the
    // card shows through.
    const QRect box(0, 0, Width(), Height());
    QRect visible = box;
    if (const QPaintDevice* device = canvas.device())
        visible &= canvas.deviceTransform()
                       .inverted()
                       .mapRect(QRectF(0, 0, device->width(), device->height()))
                       .toAlignedRect();
    if (canvas.hasClipping())
        visible &= canvas.clipBoundingRect().toAlignedRect();
    if (visible.isEmpty())
        return;
    const bool clear = FPicture.IsTransparent() && FPicture.IsDrawable();
    QImage bitmap(visible.size(),
                  clear ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    bitmap.fill(clear ? Qt::transparent : Qt::white);
    QPainter p(&bitmap);
    p.translate(-visible.topLeft());
    const QRect frame(0, 0, Width() - 1, Height() - 1);
    if (FPicture.IsDrawable()) {
        FPicture.Draw(p, QRectF(box));
    } else {
        p.setPen(QPen(Qt::black, 0));
        p.setBrush(Qt::white);
        p.drawRect(frame);
    }
    if (FBorderStyle == bsSingle) {
        p.setPen(QPen(Qt::black, 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(frame);
    }
    p.end();
    canvas.drawImage(visible.topLeft(), bitmap);
}

void TGImage::PrintTo(TReportCanvas& report, double x, double y) {
    const double p = ScreenPixelsPerInch;
    const TInchRect r{x + Left() / p, y + Top() / p, x + (Left() + Width()) / p,
                      y + (Top() + Height()) / p};
    PrintPicture(report, r, FPicture);
    if (FBorderStyle == bsSingle) {
        report.SetPen(clBlack, psSolid, 1, pmCopy);
        report.SetBrush(clWhite, bsClear);
        report.Rectangle(r);
    }
}

void TGImage::LoadImage() {
    TGImageBrowser browser(Panel());
    browser.SetStretch(FStretch);
    browser.SetAutoSize(FAutoSize);
    if (TInteraction::Current().Exec(browser) != QDialog::Accepted || !browser.HasSelectedFile())
        return;
    // A file whose preview failed leaves the object without a picture.
    FPicture = browser.Preview();
    FStretch = browser.Stretch();
    FAutoSize = browser.AutoSize();
    PictureChanged();
    NotifyChanged();
}
