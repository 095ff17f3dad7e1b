#pragma once

#include <QByteArray>
#include <QImage>

// A bitmap property's value: the picture, and the bytes it was stored as in a design file
// ("Data": a 32-bit byte count, then a complete bitmap file of that many bytes; a count of 0
// is an empty bitmap). Bytes that were read are written back unchanged until the picture is
// replaced; a new picture is written as a 24-bit bitmap file.
class TBitmap {
public:
    TBitmap() = default;
    explicit TBitmap(QImage image) : FImage(std::move(image)) {}

    // Reads stored bytes; raises EPictureError when they hold no bitmap this program reads.
    static TBitmap FromData(const QByteArray& data);
    QByteArray Data() const;

    const QImage& Image() const { return FImage; }
    bool Empty() const { return FImage.width() < 1 || FImage.height() < 1; }

    bool operator==(const TBitmap& other) const { return FImage == other.FImage; }

private:
    QImage FImage;
    QByteArray FData;
};
