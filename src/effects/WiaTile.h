#pragma once

#include "platform/Color.h"

#include <QImage>
#include <QWidget>

// Shows a bitmap repeated over its whole area from the top-left corner, optionally with one
// colour (the image's bottom-left pixel) left out so that what lies beneath shows there.
// The brush image browser's preview; its image is the browser's result.
class TwiaTile : public QWidget {
    Q_OBJECT
public:
    explicit TwiaTile(QWidget* parent = nullptr);

    const QImage& Image() const { return FImage; }
    // Copies the bitmap; a null image empties the tile.
    void SetImage(const QImage& image);
    TColor TranColor() const { return FTranColor; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ImageChanged();

    QImage FImage;
    QImage FPrepared; // the image with its transparent colour cleared, while Transparent
    TColor FTranColor = 0;
    bool FTransparent = false;
};
