#pragma once

#include "objects/Barcode.h"
#include "surface/BasePanel.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QString>

#include <ZXing/ReadBarcode.h>

// A barcode of that kind and content in a box, on a card panel.
inline TGBarcode* AddBarcode(TGBasePanel& panel, TBarcodeSymbology symbology,
                             const QString& content, QRect box = QRect(20, 20, 120, 120)) {
    auto* barcode = static_cast<TGBarcode*>(panel.AddObject(std::make_unique<TGBarcode>()));
    barcode->SetSymbology(symbology);
    barcode->SetQuietZone(StandardQuietZone(symbology));
    barcode->SetContent(content);
    barcode->SetBounds(box.left(), box.top(), box.width(), box.height());
    return barcode;
}

// The text of the one code the library's reader finds in the picture; empty when it finds none.
inline QString ReadCode(const QImage& picture) {
    // Whatever is transparent reads as the white of paper, not as black.
    QImage grey(picture.size(), QImage::Format_Grayscale8);
    grey.fill(Qt::white);
    {
        QPainter p(&grey);
        p.drawImage(0, 0, picture);
    }
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, int(grey.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, ZXing::DecodeHints().setTryHarder(true));
    return result.isValid() ? QString::fromStdString(result.text()) : QString();
}

// A part of the first page of a PDF (the whole page when `area` is null), rasterised at the
// given resolution as a printer would lay it down; `area` is in pixels at that resolution.
inline QImage RasterisePdf(const QString& pdf, const QString& folder, int dpi = 300,
                           const QRect& area = {}) {
    QStringList args = {"-r", QString::number(dpi), "-gray", "-f", "1", "-l", "1"};
    if (!area.isNull())
        args << "-x" << QString::number(area.x()) << "-y" << QString::number(area.y()) << "-W"
             << QString::number(area.width()) << "-H" << QString::number(area.height());
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), args << "-png"
                                             << "-singlefile" << pdf << folder + "/page");
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QImage(folder + "/page.png");
}
