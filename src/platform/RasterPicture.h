#pragma once

#include "platform/PictureFile.h"

#include <QByteArray>
#include <QImage>

class QPainter;

// A picture of pixels kept as the bytes of its file and decoded when it is drawn, at the
// size it is drawn (never larger than its own), within the picture budget. One decoded copy
// is kept for the next drawing at that size or smaller.
class TRasterPicture {
public:
    // Checks the header (kind and bounds) at once; raises EPictureError when it is not a
    // picture of that kind within the limits. `decoded`, when given, is the picture already
    // decoded at its own size, kept as the first copy.
    TRasterPicture(QByteArray bytes, TPictureKind kind, const QImage& decoded = QImage());
    ~TRasterPicture();
    TRasterPicture(const TRasterPicture&) = delete;
    TRasterPicture& operator=(const TRasterPicture&) = delete;

    const QByteArray& Bytes() const { return FBytes; }
    // The picture's own size in pixels.
    QSize Size() const { return FSize; }
    // Whether decoding has failed: the picture is kept but draws nothing.
    bool Failed() const { return FFailed; }

    // The picture decoded at no more than atMost pixels each way (its own size at most,
    // smaller past the budget); null when it does not decode.
    QImage Pixels(const QSize& atMost) const;
    // The picture stretched into the target, decoded at the size the target covers on the
    // painter's device.
    void Draw(QPainter& painter, const QRectF& target) const;

private:
    void Keep(const QImage& image) const;
    // Makes the kept copy cover the size the picture may decode at for atMost, and returns
    // that size; invalid when the picture does not decode.
    QSize Decoded(const QSize& atMost) const;

    QByteArray FBytes;
    TPictureKind FKind;
    QSize FSize;
    mutable QImage FCopy;
    mutable bool FFailed = false;
};
